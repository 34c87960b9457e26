#include "battle/command_entry.h"

#include <algorithm>

#include "characters/party.h"
#include "combat/fighters.h"
#include "core/data/message.h"
#include "core/game.h"

namespace dv {

namespace {

bool canAct(const Game& game, int slot) {
    const Character* c = PartyMember(game, slot);
    return c && !(c->status & kStatusCannotAct);
}

// The reach of the main-hand weapon: the first slot whose flags are exactly 1.
int mainHandReach(const Game& game, const Character& member) {
    for (int s = 1; s <= kInventorySlots; ++s) {
        const ItemSlot& slot = member.items[static_cast<size_t>(s)];
        if (slot.itemFlags != 1) continue;
        const ItemRecord* item = itemAt(game.db, slot.itemId);
        return item ? item->reach : 0;
    }
    return -1;
}

}  // namespace

std::string_view CommandCaption(BattleCommand command) {
    switch (command) {
        case BattleCommand::Ambush:
            return Message(1309);
        case BattleCommand::Fight:
            return Message(1308);
        case BattleCommand::Defend:
            return Message(1312);
        case BattleCommand::Flee:
            return Message(1326);
        case BattleCommand::Status:
            return Message(1327);
        case BattleCommand::Reorder:
            return Message(1328);
        case BattleCommand::NormalAuto:
            return Message(1330);
        case BattleCommand::Back:
            return Message(1332);
        case BattleCommand::Start:
            return Message(1333);
        case BattleCommand::Restart:
            return Message(1334);
    }
    return {};
}

std::string_view CommandLabel(BattleCommand command) {
    switch (command) {
        case BattleCommand::Ambush:
            return "奇襲";
        case BattleCommand::Fight:
            return "戦う";
        case BattleCommand::Defend:
            return "身を守る";
        default:
            return {};
    }
}

int MoveCommandSlot(const Game& game, int slot, int direction) {
    const int count = std::min(game.place.partyCount, kPartySlots);
    if (direction == 1) {
        while (slot <= count && !canAct(game, slot))
            ++slot;
        return slot;
    }
    while (slot >= 1 && slot <= count && !canAct(game, slot)) {
        if (slot < 2) break;
        --slot;
    }
    return std::max(slot, 1);
}

std::vector<BattleCommand> CommandsFor(const Game& game, int slot) {
    const int count = std::min(game.place.partyCount, kPartySlots);
    if (slot < 1 || slot > count || !canAct(game, slot))
        return {BattleCommand::Start, BattleCommand::Back, BattleCommand::Restart};
    const Character& c = *PartyMember(game, slot);
    std::vector<BattleCommand> out;
    const bool flying = (c.status & kStatusFly) != 0;
    if (c.status & kStatusHidden) {
        out.push_back(BattleCommand::Ambush);
    } else if (!flying && (c.partyPosition <= 3 || ReachesFromBackRow(game, c))) {
        out.push_back(BattleCommand::Fight);
    }
    out.push_back(BattleCommand::Defend);
    // Hiding, searching, seeing through, throwing money, breath, spells, dispelling,
    // summoning, songs, stealing and items are offered once their rules are in the game.
    out.push_back(BattleCommand::Flee);
    out.push_back(BattleCommand::Status);
    if (c.partyPosition == 1) {
        out.push_back(BattleCommand::Reorder);
        out.push_back(BattleCommand::NormalAuto);
    } else {
        out.push_back(BattleCommand::Back);
    }
    return out;
}

bool ReachesFromBackRow(const Game& game, const Character& member) {
    return mainHandReach(game, member) > 1;
}

bool FightReaches(const Game& game, const Character& member, int row) {
    if (row < 2) return true;
    const int reach = mainHandReach(game, member);
    if (reach < 0) return false;
    return member.partyPosition > 3 ? reach > 2 : reach > 1;
}

void SetCommand(Character& member, int actionCode, int targetGroup) {
    member.actionCode = static_cast<std::int16_t>(actionCode);
    member.targetGroup = static_cast<std::int16_t>(targetGroup);
}

void NormalAuto(Game& game) {
    const BattleState& b = game.battle;
    const int firstGroup = b.rowCount > 0 ? b.rows[0].group : 0;
    for (int i = 1; i <= std::min(game.place.partyCount, kPartySlots); ++i) {
        Character* c = PartyMember(game, i);
        if (!c || (c->status & kStatusCannotAct)) continue;
        if (c->status & kStatusHidden) {
            SetCommand(*c, kActFight, firstGroup);
        } else if (c->status & kStatusFly) {
            SetCommand(*c, kActDefend, 0);
        } else if (c->partyPosition > 3 && !ReachesFromBackRow(game, *c)) {
            SetCommand(*c, kActDefend, 0);
        } else {
            SetCommand(*c, kActFight, firstGroup);
        }
    }
}

}  // namespace dv

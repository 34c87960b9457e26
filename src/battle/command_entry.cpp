#include "battle/command_entry.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "battle/party_actions.h"
#include "characters/party.h"
#include "combat/fighters.h"
#include "combat/spells.h"
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
        case BattleCommand::Steal:
            return Message(1316);
        case BattleCommand::Hide:
            return Message(1314);
        case BattleCommand::Search:
            return Message(1317);
        case BattleCommand::SeeThrough:
            return Message(1318);
        case BattleCommand::ThrowMoney:
            return Message(1319);
        case BattleCommand::Breath:
            return Message(1315);
        case BattleCommand::Cast:
            return Message(1310);
        case BattleCommand::Dispel:
            return Message(1313);
        case BattleCommand::Summon:
            return Message(1320);
        case BattleCommand::Song:
            return Message(1321);
        case BattleCommand::UseItem:
            return Message(1311);
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
        case BattleCommand::Steal:
            return "盗む";
        case BattleCommand::Hide:
            return "隠　れ　る";
        case BattleCommand::Search:
            return "探る";
        case BattleCommand::SeeThrough:
            return "みぬく";
        case BattleCommand::ThrowMoney:
            return "ぜになげ";
        case BattleCommand::Breath:
            return "ブレス";
        case BattleCommand::Dispel:
            return "呪いを解く";
        case BattleCommand::Summon:
            return "召喚";
        case BattleCommand::Song:
        case BattleCommand::UseItem:
            return "アイテム";
        default:
            return {};
    }
}

int CommandCode(const Character& member, BattleCommand command) {
    switch (command) {
        case BattleCommand::Ambush:
        case BattleCommand::Fight:
            return kActFight;
        case BattleCommand::Steal:
            return kActSteal;
        case BattleCommand::Defend:
            return kActDefend;
        case BattleCommand::Hide:
            return kActHide;
        case BattleCommand::Search:
            return kActSearch;
        case BattleCommand::SeeThrough:
            return kActSeeThrough;
        case BattleCommand::ThrowMoney:
            return kActThrowMoney;
        case BattleCommand::Breath:
            return kActBreath;
        case BattleCommand::Cast:
            return HasSkill(member, 19) ? kActCastTwice : kActCast;
        case BattleCommand::Dispel:
            return kActDispel;
        case BattleCommand::Summon:
            return kActSummon;
        case BattleCommand::Song:
            return kActSong;
        case BattleCommand::UseItem:
            return kActUseItem;
        default:
            return 0;
    }
}

bool KnowsFirstLevelSpell(const Character& member) {
    for (int kind = 0; kind <= 4; ++kind)
        for (int n = 1; n <= 4; ++n)
            if (member.spellsKnown(kind, 1, n) != 0) return true;
    return false;
}

std::vector<int> UsableItemSlots(const Game& game, const Character& member, bool instruments) {
    std::vector<int> out;
    for (int s = 1; s <= kInventorySlots; ++s) {
        const ItemSlot& slot = member.items[static_cast<size_t>(s)];
        const ItemRecord* item = slot.itemId != 0 ? itemAt(game.db, slot.itemId) : nullptr;
        if (!item) continue;
        if (instruments) {
            if (item->kind == 9 && item->spellLink != 0) out.push_back(s);
            continue;
        }
        if (item->spellLink <= 0 || item->kind == 9) continue;
        if (item->kind == 12 && !HasSkill(member, 44)) continue;
        out.push_back(s);
    }
    return out;
}

SpellAim AimOf(const Game& game, const Character& member, int spellIndex) {
    const SpellRecord* spell =
        spellIndex >= 1 && spellIndex <= 200 ? spellAt(game.db, spellIndex) : spellAt(game.db, 200);
    if (!spell) return SpellAim::Nothing;
    switch (spell->target) {
        case kTargetOneEnemy:
        case kTargetEnemyGroup:
            return SpellAim::MonsterGroup;
        case kTargetMember:
            // A healer of the whole party cures everyone of these at once.
            if (HasSkill(member, 193) &&
                (spell->effect == 60 || spell->effect == 10 || spell->effect == 43))
                return SpellAim::Nothing;
            return SpellAim::Member;
        default:
            return SpellAim::Nothing;
    }
}

SpellAim SpellNameEntered(Game& game, Character& member, const std::string& typed) {
    const int index = FindSpell(game, typed, 199);
    member.actionSpell = static_cast<std::int16_t>(index);
    return AimOf(game, member, index);
}

int SummonLevelEntered(const Character& member, const std::string& typed) {
    const std::string key = SpellNameKey(typed);
    double value = 0;
    try {
        size_t used = 0;
        value = std::stod(key, &used);
    } catch (...) {
        value = 0;
    }
    if (!std::isfinite(value) || value < 0) value = 0;
    const double level = std::max<double>(member.level, 0);
    value = std::min(value, level);
    return static_cast<int>(std::nearbyint(std::min(value, 32767.0)));
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
        if (HasSkill(c, 5)) out.push_back(BattleCommand::Steal);
    } else {
        if (!flying && (c.partyPosition <= 3 || ReachesFromBackRow(game, c)))
            out.push_back(BattleCommand::Fight);
        if (HasSkill(c, 9)) out.push_back(BattleCommand::Steal);
    }
    out.push_back(BattleCommand::Defend);
    if (HasSkill(c, 4)) out.push_back(BattleCommand::Hide);
    if (HasSkill(c, 7)) out.push_back(BattleCommand::Search);
    if (HasSkill(c, 41)) out.push_back(BattleCommand::SeeThrough);
    if (HasSkill(c, 39)) out.push_back(BattleCommand::ThrowMoney);
    if (c.race == 64) out.push_back(BattleCommand::Breath);
    if (KnowsFirstLevelSpell(c)) out.push_back(BattleCommand::Cast);
    if (HasSkill(c, 26) || HasSkill(c, 28)) out.push_back(BattleCommand::Dispel);
    if (HasSkill(c, 116)) out.push_back(BattleCommand::Summon);
    if (HasSkill(c, 47)) out.push_back(BattleCommand::Song);
    out.push_back(BattleCommand::UseItem);
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

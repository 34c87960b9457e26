#include "characters/party.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "characters/races_classes.h"
#include "core/data/text.h"
#include "core/main_window.h"
#include "core/screens.h"

namespace dv {

namespace {

Character& at(Game& game, int slot) {
    return game.save.roster[static_cast<size_t>(slot)];
}
const Character& at(const Game& game, int slot) {
    return game.save.roster[static_cast<size_t>(slot)];
}

// The mark before the hit points: poison "-", regeneration or a purse that heals "+";
// both poison and regeneration cancel out to a blank.
std::string hitPointMark(const Character& c) {
    bool poisoned = (c.status & kStatusPoison) != 0;
    bool regenerates = c.regeneration > 0;
    if (regenerates && poisoned) return " ";
    if (poisoned) return "-";
    if (regenerates || (c.gold > 0 && c.skills[89] != 0)) return "+";
    return " ";
}

bool carries(const Character& c, int item) {
    for (int s = 1; s <= kInventorySlots; ++s)
        if (c.items[static_cast<size_t>(s)].itemId == item) return true;
    return false;
}

}  // namespace

const Character* PartyMember(const Game& game, int partySlot) {
    const Place& p = game.place;
    if (partySlot < 1 || partySlot > kPartySlots || partySlot > p.partyCount) return nullptr;
    int slot = p.partyMembers[static_cast<size_t>(partySlot)];
    if (slot < 1 || slot >= kRosterSlots) return nullptr;
    return &game.save.roster[static_cast<size_t>(slot)];
}

Character* PartyMember(Game& game, int partySlot) {
    return const_cast<Character*>(PartyMember(std::as_const(game), partySlot));
}

int PartySize(const Game& game) {
    return std::clamp(game.place.partyCount, 0, kPartySlots);
}

std::vector<Character*> PartyMembers(Game& game) {
    std::vector<Character*> out;
    for (int i = 1; i <= PartySize(game); ++i)
        if (Character* c = PartyMember(game, i)) out.push_back(c);
    return out;
}

bool PartyHasSkill(const Game& game, int skill) {
    if (skill < 0 || skill >= kSkillCount) return false;
    for (int i = 1; i <= game.place.partyCount; ++i)
        if (const Character* c = PartyMember(game, i);
            c && c->skills[static_cast<size_t>(skill)] != 0)
            return true;
    return false;
}

bool PartyHasItem(const Game& game, int item, bool wholeRoster) {
    if (item <= 0) return false;
    if (wholeRoster) {
        for (int slot = 1; slot < kRosterSlots; ++slot)
            if (carries(game.save.roster[static_cast<size_t>(slot)], item)) return true;
        return false;
    }
    for (int i = 1; i <= game.place.partyCount; ++i)
        if (const Character* c = PartyMember(game, i); c && carries(*c, item)) return true;
    return false;
}

bool IsPartyMember(const Game& game, int slot) {
    if (slot < 1 || slot >= kRosterSlots) return false;
    const Character& c = at(game, slot);
    const Place& p = game.place;
    return c.rosterId > 0 && c.partyId == p.partyId && c.floor == p.currentFloor &&
           c.dungeonId == p.currentDungeon;
}

int PartyAlignmentMask(const Game& game) {
    int mask = kNeutral;
    const Place& p = game.place;
    for (int i = 1; i <= p.partyCount && i <= kPartySlots; ++i) {
        int slot = p.partyMembers[static_cast<size_t>(i)];
        if (slot >= 1 && slot < kRosterSlots) mask |= at(game, slot).alignment;
    }
    return mask;
}

bool AlignmentAccepted(int partyMask, int alignment) {
    if (alignment == kNeutral) return true;
    if (alignment == kLawful) return (partyMask & kChaotic) == 0;
    if (alignment == kChaotic) return (partyMask & kLawful) == 0;
    return false;
}

void RebuildParty(Game& game) {
    Place& p = game.place;
    std::vector<int> members;
    for (int slot = 1; slot < kRosterSlots && members.size() < kPartySlots; ++slot)
        if (IsPartyMember(game, slot)) members.push_back(slot);

    // Members who cannot act go behind the others, in slot order.
    int behind = kPartySlots + 1;
    for (int slot : members)
        if (CannotAct(at(game, slot)))
            at(game, slot).partyPosition = static_cast<std::uint8_t>(behind++);
    std::stable_sort(members.begin(), members.end(), [&](int a, int b) {
        return at(game, a).partyPosition < at(game, b).partyPosition;
    });

    p.partyMembers.fill(0);
    p.partyCount = static_cast<int>(members.size());
    for (size_t i = 0; i < members.size(); ++i) {
        p.partyMembers[i + 1] = members[i];
        at(game, members[i]).partyPosition = static_cast<std::uint8_t>(i + 1);
    }
    DrawPartyPanel(game);
}

void DrawPartyPanel(Game& game) {
    if (!game.screens || !game.screens->main) return;
    MainWindow& m = *game.screens->main;
    const Place& p = game.place;
    for (size_t r = 0; r < kPartySlots; ++r) {
        for (Label* l : {&m.lblName[r], &m.lblClass[r], &m.lblAC[r], &m.lblHP[r], &m.lblState[r]})
            l->setCaption("");
        m.lblName[r].tag.clear();
        int row = static_cast<int>(r) + 1;
        if (row > p.partyCount) continue;
        int slot = p.partyMembers[r + 1];
        if (slot < 1 || slot >= kRosterSlots) continue;
        const Character& c = at(game, slot);
        m.lblName[r].setCaption(ToWide(std::to_string(row) + "：" + c.name));
        m.lblName[r].tag = std::to_string(slot);
        m.lblClass[r].setCaption(ClassLabel(c.alignment, c.classBit));
        m.lblAC[r].setCaption(ToWide(std::to_string(c.armorClass)));
        m.lblHP[r].setCaption(ToWide(hitPointMark(c) + std::to_string(c.hitPoints)));
        m.lblState[r].setCaption(c.status != 0 ? std::string(StatusName(c.status))
                                               : ToWide(std::to_string(c.maxHitPoints)));
    }
    m.fraParty.refresh();
}

std::vector<int> JoinCandidates(const Game& game) {
    std::vector<int> out;
    int mask = PartyAlignmentMask(game);
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        const Character& c = at(game, slot);
        if (c.rosterId >= 1 && c.dungeonId == 0 && c.floor == 0 &&
            AlignmentAccepted(mask, c.alignment))
            out.push_back(slot);
    }
    return out;
}

void AddToParty(Game& game, int slot) {
    Place& p = game.place;
    if (slot < 1 || slot >= kRosterSlots || p.partyCount >= kPartySlots) return;
    p.partyCount += 1;
    Character& c = at(game, slot);
    c.dungeonId = 1;
    c.floor = 0;
    c.partyId = static_cast<std::uint8_t>(p.partyId);
    c.partyPosition = static_cast<std::uint8_t>(p.partyCount);
    p.partyMembers[static_cast<size_t>(p.partyCount)] = slot;
}

void RemoveFromParty(Game& game, int slot) {
    if (slot < 1 || slot >= kRosterSlots) return;
    Character& c = at(game, slot);
    c.dungeonId = 0;
    c.floor = 0;
    c.partyId = 0;
    c.partyPosition = 0;
    if (game.place.partyCount > 0) game.place.partyCount -= 1;
}

double DivideGold(Game& game) {
    Place& p = game.place;
    if (p.partyCount < 1) return 0;
    double sum = 0;
    for (int i = 1; i <= p.partyCount && i <= kPartySlots; ++i) {
        int slot = p.partyMembers[static_cast<size_t>(i)];
        if (slot >= 1 && slot < kRosterSlots) sum += at(game, slot).gold;
    }
    double share = std::floor(sum / p.partyCount);
    for (int i = 1; i <= p.partyCount && i <= kPartySlots; ++i) {
        int slot = p.partyMembers[static_cast<size_t>(i)];
        if (slot >= 1 && slot < kRosterSlots) at(game, slot).gold = share;
    }
    return share;
}

}  // namespace dv

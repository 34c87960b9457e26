#include "characters/roster_rules.h"

#include "characters/creation_rules.h"

namespace dv {

void MoveRosterSlot(SaveData& save, int from, int to) {
    if (from < 1 || from >= kRosterSlots || to < 1 || to >= kRosterSlots || from == to) return;
    auto& r = save.roster;
    Character moved = r[static_cast<size_t>(from)];
    if (to < from) {
        for (int k = from - 1; k >= to; --k)
            r[static_cast<size_t>(k + 1)] = r[static_cast<size_t>(k)];
    } else {
        for (int k = from; k <= to - 1; ++k)
            r[static_cast<size_t>(k)] = r[static_cast<size_t>(k + 1)];
    }
    r[static_cast<size_t>(to)] = moved;
    for (int slot = 1; slot < kRosterSlots; ++slot)
        if (r[static_cast<size_t>(slot)].rosterId > 0) r[static_cast<size_t>(slot)].rosterId = slot;
}

bool PartyWipedOut(const SaveData& save, int partyId) {
    int members = 0;
    int down = 0;
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        const Character& c = save.roster[static_cast<size_t>(slot)];
        if (c.partyId != partyId) continue;
        ++members;
        if (IsOutOfFight(c)) ++down;
    }
    return members == down;
}

void DeleteCharacter(SaveData& save, int slot) {
    if (slot < 1 || slot >= kRosterSlots) return;
    save.roster[static_cast<size_t>(slot)] = save.roster[0];
}

bool RenameCharacter(SaveData& save, int slot, const std::string& name) {
    if (slot < 1 || slot >= kRosterSlots) return false;
    Character& c = save.roster[static_cast<size_t>(slot)];
    if (c.rosterId <= 0) return false;
    if (SlotWithName(save, name) > 0) return false;
    c.name = name;
    return true;
}

}  // namespace dv

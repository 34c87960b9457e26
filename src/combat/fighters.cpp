#include "combat/fighters.h"

#include <algorithm>
#include <limits>

#include "characters/inventory.h"
#include "characters/party.h"
#include "core/data/checked.h"
#include "core/prompt_dialog.h"

namespace dv {

void Say(Game& game, const std::string& text) {
    DrawPartyPanel(game);
    ShowMessage(game, text);
}

std::int64_t WideDice(Game& game, std::int64_t count, std::int64_t sides, std::int64_t bonus) {
    checkedField<std::int16_t>(count, "dice count");
    std::int64_t total = bonus;
    for (std::int64_t i = 0; i < count; ++i) {
        if (sides >= 1)
            total += game.rng.uniform(1, sides);
        else if (sides == 0)
            total += 1;
        else
            total += static_cast<std::int64_t>(
                std::floor(game.rng.unit() * static_cast<double>(sides) + 1.0));
    }
    return total;
}

std::int64_t RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    // Decimal halves computed in binary (2.3 * 1.5) count as the halves they stand for.
    if (std::fabs(fraction - 0.5) <= 1e-9 * std::max(1.0, std::fabs(value))) {
        const auto whole = static_cast<std::int64_t>(lower);
        return (whole % 2 == 0) ? whole : whole + 1;
    }
    return static_cast<std::int64_t>(std::nearbyint(value));
}

std::int32_t ClampLong(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

int ResistanceAt(const Character& c, std::int64_t index) {
    if (index < 0 || index >= static_cast<std::int64_t>(c.resistances.size())) return 0;
    return c.resistances[static_cast<size_t>(index)];
}

int DamagePercentAt(const Character& c, std::int64_t index) {
    if (index < 0 || index >= static_cast<std::int64_t>(c.damagePercent.size())) return 100;
    return c.damagePercent[static_cast<size_t>(index)];
}

int MainHandSlot(const Character& c) {
    for (int s = 1; s <= kInventorySlots; ++s)
        if ((c.items[static_cast<size_t>(s)].itemFlags & 7) == 1) return s;
    return 0;
}

int OffHandSlot(const Database& db, const Character& c) {
    for (int s = 1; s <= kInventorySlots; ++s) {
        const ItemSlot& slot = c.items[static_cast<size_t>(s)];
        if ((slot.itemFlags & 31) != 2) continue;
        const ItemRecord* item = itemAt(db, slot.itemId);
        if (item && item->kind == 1) return s;
    }
    return 0;
}

const ItemRecord* ItemInSlot(const Database& db, const Character& c, int slot) {
    if (slot < 1 || slot > kInventorySlots) return nullptr;
    return itemAt(db, c.items[static_cast<size_t>(slot)].itemId);
}

int FirstLiveSlot(const BattleState& battle, int group) {
    if (group < 1 || group > kMonsterGroups) return 0;
    const auto& g = battle.monsters[static_cast<size_t>(group)];
    for (int s = 1; s <= kGroupSlots; ++s)
        if (!(g[static_cast<size_t>(s)].status & kStatusDead)) return s;
    return 0;
}

bool GroupHasFighter(const BattleState& battle, int group) {
    if (group < 1 || group > kMonsterGroups) return false;
    const auto& g = battle.monsters[static_cast<size_t>(group)];
    for (int s = 1; s <= kGroupSlots; ++s) {
        const Character& m = g[static_cast<size_t>(s)];
        if (!(m.status & kStatusDead) && m.rosterId > 0) return true;
    }
    return false;
}

int FrontRowCount(const Game& game) {
    const int n = std::min(game.place.partyCount, kPartySlots);
    return n >= 3 ? 3 : n;
}

void RemoveOneUnit(Game& game, Character& c, int slot) {
    RemoveItemUnits(c, game.db, slot, 1, game.place.partyEffects);
}

}  // namespace dv

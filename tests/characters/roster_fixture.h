#pragma once

// Characters put straight into a running game's roster, and the keys that walk the town.

#include <cstdint>
#include <string>
#include <vector>

#include "characters/party.h"
#include "characters/races_classes.h"
#include "core/game.h"
#include "support/game_harness.h"
#include "ui/keys.h"

namespace dv::test {

struct NewCharacter {
    std::string name;
    int alignment = kNeutral;
    int classBit = 1;
    int race = 1;
    int sex = kMale;
    int status = 0;
};

inline Character& PutCharacter(Game& game, int slot, const NewCharacter& n) {
    Character& c = game.save.roster[static_cast<size_t>(slot)];
    c = Character{};
    c.rosterId = slot;
    c.name = n.name;
    c.level = 1;
    c.alignment = static_cast<std::uint8_t>(n.alignment);
    c.classBit = n.classBit;
    c.race = static_cast<std::int16_t>(n.race);
    c.sex = static_cast<std::uint8_t>(n.sex);
    c.status = n.status;
    c.hitPoints = c.maxHitPoints = 10;
    c.strength = c.wisdom = c.piety = c.vitality = c.dexterity = c.agility = c.luck = c.charm = 18;
    ResetRaceValues(c);
    c.armorClass = c.baseArmorClass;
    return c;
}

// Characters in slots 1.. joined to the party in town, in that order.
inline void FormParty(Game& game, const std::vector<NewCharacter>& members) {
    int slot = 1;
    for (const auto& m : members) {
        PutCharacter(game, slot, m);
        AddToParty(game, slot);
        ++slot;
    }
    RebuildParty(game);
}

// The first seed whose first die of `sides` sides shows 1 (or, with one false, anything
// else): tests seed the game's generator with it just before the roll they want.
inline std::uint64_t SeedWithFirstRoll(int sides, bool one) {
    for (std::uint64_t seed = 1;; ++seed) {
        Rng mirror(seed);
        if ((rollDice(mirror, 1, sides, 0) == 1) == one) return seed;
    }
}

// From the town menu.
inline void KeysToTrainingGrounds(GameHarness& h) {
    h.script().key('E').key('T');
}
inline void KeysToTavern(GameHarness& h) {
    h.script().key('G');
}

}  // namespace dv::test

#pragma once

// The rules of character creation that do not need the screen: the bonus-point roll, the
// starting attributes and the new record.

#include <cstdint>
#include <string>

#include "characters/races_classes.h"
#include "core/data/dice.h"
#include "core/data/save_data.h"

namespace dv {

// Everything the player chose.
struct CreationChoice {
    std::string name;
    std::int32_t race = 0;
    std::int32_t alignment = 0;
    std::int32_t sex = 0;
    std::int32_t classBit = 0;
    TableAttributes attributes{};  // the final values, table order
};

// The bonus points for a roll of 6d10 (6..60).
int BonusPointsForRoll(int roll, Rng& rng);
// Rolls 6d10 and maps it.
int RollBonusPoints(Rng& rng);

// The race's base attributes with the sex bonus (male 力 and 生命力, female 器用さ and 素早さ).
TableAttributes StartingAttributes(std::int32_t race, std::int32_t sex);

// The characters in the roster (rosterId above 0).
int RosterCount(const SaveData& save);
// The lowest free slot 1..50, or 0 when the roster is full.
int FreeRosterSlot(const SaveData& save);
// The slot 1..50 holding a character of this name, or 0.
int SlotWithName(const SaveData& save, const std::string& name);

// Writes the new character into the lowest free slot and returns the slot (0 when the
// roster is full): level 1, age 13..17, gold 110..200, hit points for the class and
// vitality, the race's values, first-level spells for a spell class.
int CommitCharacter(SaveData& save, const CreationChoice& choice, Rng& rng);

}  // namespace dv

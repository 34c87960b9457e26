#pragma once

// Rising one level: new maximum hit points, attributes that may rise or fall, the melee
// swings, spell points and new spells. The rules change the record and return what the
// player is told; the inn shows it.

#include <cstdint>
#include <string>
#include <vector>

#include "core/data/character.h"
#include "core/data/database.h"
#include "core/data/dice.h"

namespace dv {

inline constexpr int kSkillFixedAttributes = 104;
inline constexpr std::string_view kNewSpellsMessage = "新しい呪文を習得した";

// The attribute of a level-up's attribute number: 1 力, 2 知恵, 3 信仰心, 4 生命力, 5 素早さ,
// 6 器用さ, 7 運, 8 魅力; null for any other number.
std::uint8_t* LevelUpAttributeField(Character& c, int number);

// The possible change of one attribute at a level-up: a point lost with chance 1/10 (4/10
// past the age of 50), a point gained with chance 4/10 while below the race's limit; none
// with skill 104. Returns the line for the player, ending in "\r", or nothing.
std::string LevelUpAttribute(Character& c, int number, Rng& rng);

// The spell-learning rolls for one spell kind (0..3) up to spell level maxLevel (at most 9):
// three rolls per level against wisdom (kinds 0 and 2) or piety (1 and 3); each success adds
// a spell point below 9 and, for a spell not yet known, teaches it. Spell number 4 is never
// learned here, and the rolls stop after the third new spell. Returns the new spells'
// names (a spell without a record has an empty name, but is counted).
std::vector<std::string> LearnSpells(Character& c, int kind, std::int64_t maxLevel,
                                     const Database& db, Rng& rng);

// The name of spell (kind, level, number) in the spell table; empty without a record.
std::string SpellNameOf(const Database& db, int kind, int level, int number);

// Raises the character by one level and returns the dialogs to show, in order: the hit
// point gain, the attribute changes (when there are any) and kNewSpellsMessage (when a
// spell was learned). The record changes only when every step succeeds; a sum that would
// leave its field throws FieldRangeError.
std::vector<std::string> LevelUp(Character& c, const Database& db, Rng& rng);

}  // namespace dv

#pragma once

// Spells as both sides of a fight cast them: finding a spell by its typed name, the power
// roll, the party's battle effects by effect code and the cast of a member's command with
// its costs. Songs reuse the same effects with their own resistance.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/data/character.h"
#include "core/data/records.h"

namespace dv {

struct Game;

// Spell flags.
inline constexpr int kSpellInBattle = 1;
inline constexpr int kSpellInCamp = 2;
inline constexpr int kSpellForMonsters = 4;

// Spell target kinds as the party uses them.
inline constexpr int kTargetOneEnemy = 1;
inline constexpr int kTargetEnemyGroup = 2;
inline constexpr int kTargetAllEnemies = 3;
inline constexpr int kTargetMember = 4;
inline constexpr int kTargetParty = 5;

// The resistance index songs are tested against instead of the spell resistance.
inline constexpr int kResistSong = 35;

// A typed name as the spell table spells it: full-width Latin letters, digits and
// punctuation become half-width (an input method types them full-width), the ideographic
// space a space, and letters upper case.
std::string SpellNameKey(std::string_view typed);
// The first spell of records 1..last whose name matches the typed name; 0 when none does.
int FindSpell(const Game& game, std::string_view typed, int last);
// The spell record at a table index 1..200, or nullptr.
const SpellRecord* SpellByIndex(const Game& game, std::int64_t index);
// The record whose own number equals an item's spell link (1..200), or nullptr.
const SpellRecord* SpellOfLink(const Game& game, std::int64_t link);
// The table index of that record, 0 when none.
int SpellIndexOfLink(const Game& game, std::int64_t link);

// The power roll of a spell cast by caster at target; shields are the defending side's
// spell shields (each takes a fifth off).
std::int64_t SpellPower(Game& game, const Character& caster, const Character& target,
                        const SpellRecord& spell, int shields);

// "<caster>は\n<spell>の呪文を唱えた", the line every cast opens with.
std::string SpellHeader(const Character& caster, const SpellRecord& spell);

// Whether the caster keeps the spell point thanks to its piety (skill 27).
bool PietySavesPoint(Game& game, const Character& caster);

// The party's battle effect of a spell cast by a member (or played by a singer: resistance
// index 35 instead of 2). The target is the caster's targetGroup: a monster group or the
// roster slot of a member. The header opens every message.
void PartySpellEffect(Game& game, Character& caster, const SpellRecord& spell,
                      const std::string& header, int resistIndex);

// Damage of a damage spell on monsters by the spell's target kind (one, the group, all):
// used by spells, songs and a member's answer to a monster's spell.
void SpellDamageOnMonsters(Game& game, Character& caster, const SpellRecord& spell,
                           const std::string& header, int resistIndex, int group);

// The cast of a member's command: codes 2 and 1024 (a known spell, paid with a point of its
// kind and level) and 4 (the spell of an item, which may break). Refusals show their
// message and use up the turn.
void CastSpell(Game& game, Character& member);

// Whether the target of a spell still stands, for a second cast in a row.
bool SpellTargetStands(const Game& game, const Character& member);
// The member a spell was aimed at (targetGroup holds its roster slot), if still in the party.
Character* ChosenMember(Game& game, const Character& caster);

}  // namespace dv

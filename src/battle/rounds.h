#pragma once

// A round of the battle: initiative, the actors one by one from the highest value down,
// then lingering area damage, identification, the monster list, the allies' loyalty, the
// party's upkeep and the test for a wipe-out or a victory. Also the flight test.

#include "core/data/character.h"

namespace dv {

struct Game;

void DrawPartyInitiative(Game& game);
void DrawAllyInitiative(Game& game);
void DrawMonsterInitiative(Game& game);

// "G)戦闘開始": the party's and allies' initiative, the monsters' unless the party strikes
// first, then the round.
void StartRound(Game& game);
// The scan from initiative 50 down and the end of the round.
void RunRound(Game& game);

// "R)逃げる" for the member of party slot `slot`: the party escapes, or the monsters get
// a round.
void FlightTest(Game& game, int slot);

// The acting member's command (fight and defend; the others come with their rules).
void MemberAction(Game& game, Character& member);
// The fight command: the member's attack rounds with main-hand and off-hand weapons.
void FightAction(Game& game, Character& member);
// What a confused member does instead of fighting, half the time.
void ConfusionAction(Game& game, Character& member);

}  // namespace dv

#pragma once

// The maze and the party's movement on it: the working floor, steps and turns, the clock,
// random encounters, the wipe-out test and the landing check.

#include "core/battle_state.h"

namespace dv {

struct Game;

// The side bit of direction d (1 north, 2 east, 4 south, 8 west).
constexpr int SideBit(int direction) {
    return 1 << (direction & 3);
}
// A coordinate brought back onto the floor after one step off its edge.
constexpr int WrapOnce(int v) {
    return v < 0 ? v + 20 : (v > 19 ? v - 20 : v);
}

// Copies the party's dungeon and floor into the working floor, gathers the floor's
// encounters, sets the music and encounter parameters and applies the wall patches.
void LoadFloor(Game& game);
// Moves the party within its dungeon (reloading the floor when it changes), writes the
// place into the members' records and redraws.
void Relocate(Game& game, int floor, int x, int y);

// Step kinds: 0 forward, 1 turn right, 2 turn about, 3 turn left.
void Step(Game& game, int kind);
// Up (openDoors false) never passes a door; Space and Enter (openDoors true) do.
void WalkForward(Game& game, bool openDoors);

// True when a random battle is due.
bool CheckEncounter(Game& game);
// True when nobody carrying the party's id can act (also when nobody carries it).
bool WipeOutTest(Game& game);
// After a forced relocation: true when the party was lost (and has been handled as the
// rules say), false when the landing is fine.
bool CheckLanding(Game& game);

// The map keys do nothing while a sequence owns the keyboard (the main window's busy
// flag) or the party stands on no floor (in town, or -1 while an event moves it).
bool MapKeysLocked(const Game& game);

// Random battles (a group of the floor's list, battle music 12) start only while the keys
// are free and the party is on a floor.
inline constexpr int kRandomBattleMusic = 12;
void StartRandomBattle(Game& game);
// A battle an event started, with its music and event number.
void StartEventBattle(Game& game, const EncounterCall& call);
// The party back from a battle: the map and its keys again, the music of the floor, and
// after an event battle's victory the event's post-battle check (which may chain the
// next battle); the wipe-out's way back to town.
void AfterBattle(Game& game, BattleEnd end, int mapEvent);
// A chest the monsters left waits here until the chest screen opens it.
void KeepBattleChest(Game& game, const BattleChest& chest);

// The S key: characters lying on the party's cell may join it.
void LookForCharacters(Game& game);

// The teleport spell's target as three offsets; false when the party was sent back.
bool RelativeTeleport(Game& game, int floorOffset, int xOffset, int yOffset);

}  // namespace dv

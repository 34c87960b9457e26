#pragma once

// Getting into a dungeon and out again: the dungeon list, entering, resuming a party left
// below, suspending, the wipe-out and the return to town.

#include <array>

#include "core/command_menu.h"

namespace dv {

struct Game;

inline constexpr int kDungeonListMenu = 19;

// Whether the dungeon list offers dungeon 21..26: the first three always, the others once
// the world has opened them.
bool DungeonOffered(const Game& game, int id);
// What opens a dungeon: items the company holds (0 none; anyone in the roster counts) and a
// flag that must be non-zero (-1 none). A dungeon outside 21..26 is never offered.
struct DungeonOpening {
    bool known = false;
    std::array<int, 2> items{};
    int flag = -1;
};
DungeonOpening DungeonOpeningNeeds(int id);
// Shows the dungeon list (menu 19) in the command list.
void ShowDungeonList(Game& game);
// The list's choice: a dungeon id, or 0 for "L)町 外 れ".
void ChooseDungeonEntry(Game& game);
// Enters dungeon 21..26 with the party on display.
void EnterDungeon(Game& game, int dungeon);
// "O)冒 険 の 再 開".
void ResumeExpedition(Game& game);
// The Q key.
void SuspendExpedition(Game& game);
// Everyone fell (or the party was lost): the bodies stay where they are.
void WipeOut(Game& game);
// Back to town through the entrance (and the last step of suspend and wipe-out).
void ReturnToTown(Game& game);

}  // namespace dv

#pragma once

// The rules of command entry, apart from the list that shows them: which commands a member
// is offered, how the entry walks from member to member, the reach of a fight, and the
// commands themselves as stored in the members' records.

#include <string>
#include <string_view>
#include <vector>

#include "core/data/character.h"

namespace dv {

struct Game;

// Action codes stored in actionCode.
inline constexpr int kActFight = 1;
inline constexpr int kActDefend = 8;

enum class BattleCommand {
    Ambush,      // "A)奇襲": a hidden member's fight
    Fight,       // "F)戦う"
    Defend,      // "P)身を守る"
    Flee,        // "R)逃げる"
    Status,      // "T)ステータス"
    Reorder,     // "E)再編成"
    NormalAuto,  // "O)ノーマルオート"
    Back,        // "B)戻る"
    Start,       // "G)戦闘開始"
    Restart,     // "C)やり直す"
};

std::string_view CommandCaption(BattleCommand command);

// The party slot the entry moves to from `slot` (1 forward, 2 backward): members who
// cannot act are passed by; backward it stops at slot 1.
int MoveCommandSlot(const Game& game, int slot, int direction);
// The commands offered for party slot `slot` (past the last member, or a member who cannot
// act: only start, back and restart).
std::vector<BattleCommand> CommandsFor(const Game& game, int slot);

// Whether a fight reaches the monster list's row (0-based): the third row and later need a
// main-hand weapon of reach above 1 from the front row, above 2 from the back.
bool FightReaches(const Game& game, const Character& member, int row);
// Whether a back-row member's main-hand weapon reaches the monsters at all.
bool ReachesFromBackRow(const Game& game, const Character& member);

// The label a command leaves on the member's status line.
std::string_view CommandLabel(BattleCommand command);

// Stores a command and its monster group in the member's record.
void SetCommand(Character& member, int actionCode, int targetGroup);
// "O)ノーマルオート": every member who can act fights the first listed group (or defends,
// flying or in the back row without reach).
void NormalAuto(Game& game);

}  // namespace dv

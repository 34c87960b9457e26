#pragma once

// Member choice on the party panel: the command list is disabled and the player picks a
// member by number, with the arrows and Enter, or leaves with Esc or Backspace.

#include <functional>

namespace dv {

struct Game;

// Starts member choice: selectedMember 1, the panel enabled and focused. take runs with
// currentCharacter set to the chosen member's roster slot; leave runs on Esc/Backspace.
void BeginMemberChoice(Game& game, std::function<void()> take, std::function<void()> leave);
// Ends member choice without acting: the panel is disabled and the bar hidden.
void EndMemberChoice(Game& game);

// The party panel's keys (1..6, Enter, arrows, Home/End, Esc/Backspace).
void MemberChoiceKeyDown(Game& game, int& code, int shift);
// Moves the highlight bar to selectedMember's row.
void ShowPartyBar(Game& game);

// The reorder panel over the main window, listing the party in its order.
void OpenReorderPanel(Game& game);

}  // namespace dv

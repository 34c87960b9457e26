#pragma once

namespace dv {

struct Game;

// The command list's choose event: acts on the selected entry of the menu on display.
void ChooseMenuEntry(Game& game);

}  // namespace dv

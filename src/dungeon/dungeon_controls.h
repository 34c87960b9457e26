#pragma once

// The dungeon's controls on the main window: the map keys on the view, the step mark, and
// the party panel's per-step marks. The inspect mode of the party panel is the party's
// member choice with the sheet as its action.

#include <string>

#include "ui/label.h"

namespace dv {

struct Game;
class MainWindow;

class DungeonControls {
  public:
    DungeonControls(MainWindow& main, Game& game);
    // Adds the controls to the window and hooks the keys; called once the window's own
    // controls are in place.
    void install();

    // The step and turn mark, hidden again by tmrMove.
    Label lblMove{"lblMove"};

    void onMapKeyDown(int& code, int shift);
    void onMapKeyPress(int& ascii);

  private:
    MainWindow& main_;
    Game& game_;
};

// Shows the mark of a step (0) or a turn (1 right, 2 about, 3 left) for 300 ms.
void ShowMoveMark(Game& game, int kind);
void HideMoveMark(Game& game);
// The HP label of party slot 1..6 shows sign + hit points in full width.
void ShowHpMark(Game& game, int partySlot, const std::string& sign, int hitPoints);
// Rebuilds the party from the roster and refreshes the panel (after steps and events).
void RefreshPartyPanel(Game& game);
// The character sheet of the selected member from the map, and what follows its close.
void OpenSheetFromMap(Game& game);

}  // namespace dv

#pragma once

// The dungeon's controls on the main window: the map keys on the view, the step mark, the
// inspect mode of the party panel, and the party panel's per-step marks.

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
    void onPartyKeyDown(int& code, int shift);

  private:
    MainWindow& main_;
    Game& game_;
};

// Shows the mark of a step (0) or a turn (1 right, 2 about, 3 left) for 300 ms.
void ShowMoveMark(Game& game, int kind);
void HideMoveMark(Game& game);
// The HP label of party slot 1..6 shows sign + hit points in full width.
void ShowHpMark(Game& game, int partySlot, const std::string& sign, int hitPoints);
// Rebuilds the party from the roster and refreshes the panel.
void RefreshPartyPanel(Game& game);
// The character sheet of the selected member from the map, and what follows its close.
void OpenSheetFromMap(Game& game);
// The links' plain defaults (a pick list of the dungeon's own, the party rebuild).
void InstallDefaultDungeonLinks(Game& game);

}  // namespace dv

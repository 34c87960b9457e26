#pragma once

// The main window as the game shows it: the shared controls of the core window with the
// controls each room adds (creation, the party's panels, the map keys), made in one place
// and registered so that each room finds its own.

#include "battle/battle_screen.h"
#include "characters/creation_screen.h"
#include "characters/party_controls.h"
#include "core/main_window.h"
#include "dungeon/dungeon_controls.h"
#include "town/temple.h"

namespace dv {

class GameWindow : public MainWindow {
  public:
    GameWindow(Ui& ui, Game& game);
    void dress(const SkinPictures& skin) override;

    // Character creation and the class-change list.
    CreationScreen creation;
    // Member choice on the party panel and the reorder panel.
    PartyControls party;
    // The map keys and the step mark.
    DungeonControls dungeonControls;
    // The battle's lists, picture and panels.
    BattleScreen battle;
    // The temple's rows and their fees.
    TempleRows templeRows;
};

}  // namespace dv

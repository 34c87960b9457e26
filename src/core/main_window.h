#pragma once

#include <array>

#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel.h"
#include "ui/panel_ex.h"
#include "ui/picture_box.h"
#include "ui/timer.h"

namespace dv {

struct Game;

struct SkinPictures;

// The one game window: the first-person view behind everything, the command list, the
// message labels and the party panel. The rooms add their own controls to it (the app
// composes them, see app/game_window.h); these are the ones every room shares.

class MainWindow : public Form {
  public:
    // The window's title in town.
    static constexpr const char* kTownTitle = "viru";

    MainWindow(Ui& ui, Game& game);
    // Puts the game's frames on the lists and panels.
    virtual void dress(const SkinPictures& skin);

    // The first-person view fills the whole window behind the other controls.
    PictureBox picMap{"picMap"};
    // Commands, from one sixth of the height down to three quarters.
    ListEx lstCommandList{"lstCommandList"};
    Label lblMsg{"lblMsg"};
    Label lbl{"lbl"};

    // The party panel fills the bottom quarter: one row of labels per member.
    PanelEx fraParty{"fraParty"};
    Shape shpPartyBar{"shpPartyBar"};
    std::array<Label, 6> lblName;
    std::array<Label, 6> lblClass;
    std::array<Label, 6> lblAC;
    std::array<Label, 6> lblHP;
    std::array<Label, 6> lblState;

    // Hides the step mark; clears the chest message.
    Timer tmrMove;
    Timer tmrTreasure;

    // Battle commands of the member being asked (the close box is refused while shown).
    ListEx lstBattleCommand{"lstBattleCommand"};
    bool battleCommandShown() const { return lstBattleCommand.shown(); }

    // Set while a sequence owns the keyboard (the map keys do nothing).
    bool busy = false;

  protected:
    Game& game_;
};

}  // namespace dv

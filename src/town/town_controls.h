#pragma once

// The main window's town controls beyond the command list: member choice on the party
// panel and the reorder panel. The main window holds one of these.

#include <functional>

#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"

namespace dv {

struct Game;
struct SkinPictures;
class MainWindow;

class TownControls {
  public:
    // Adds the controls to the main window and hooks the party panel's keys.
    void attach(MainWindow& main, Game& game);
    void dress(const SkinPictures& skin);

    // The reorder panel: the members in party order, moved with F/B, kept with O or Enter.
    PanelEx fraReorder{"fraReorder"};
    ListEx lstReorder{"lstReorder"};
    Label lblForward{"lblReorder(0)"};
    Label lblBack{"lblReorder(1)"};
    Label lblOk{"lblReorder(2)"};

    // What taking a member and leaving member choice do at the current place.
    std::function<void()> onTakeMember;
    std::function<void()> onLeaveChoice;

  private:
    void reorderKeyDown(int& code);
    void moveSelected(int step);
    void keepOrder();
    void closeReorder();

    Game* game_ = nullptr;
    MainWindow* main_ = nullptr;
};

}  // namespace dv

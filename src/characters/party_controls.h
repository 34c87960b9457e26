#pragma once

// The party's controls on the main window beyond the panel rows: member choice on the
// party panel and the reorder panel, shared by the town, the map and the battle.

#include <functional>

#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"

namespace dv {

struct Game;
struct SkinPictures;
class MainWindow;

class PartyControls {
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

    // What taking a member and leaving member choice do; set by whoever starts the choice.
    std::function<void()> onTakeMember;
    std::function<void()> onLeaveChoice;
    // Runs once when the reorder panel next closes (the battle asks again from the first
    // member); cleared when it has run.
    std::function<void()> onReorderClosed;

  private:
    void reorderKeyDown(int& code);
    void moveSelected(int step);
    void keepOrder();
    void closeReorder();

    Game* game_ = nullptr;
    MainWindow* main_ = nullptr;
};

}  // namespace dv

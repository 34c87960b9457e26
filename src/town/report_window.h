#pragma once

// The fortune house's report window fdlgRank: one ranking or catalogue in a list with its
// summary line, fitted into the canvas. PageUp/PageDown (and the left and right arrows)
// turn the pages; Enter, Esc, Backspace or a click on a row close it.

#include <string>

#include "town/fortune_rules.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"

namespace dv {

struct Game;
struct SkinPictures;

class ReportWindow : public Form {
  public:
    ReportWindow(Ui& ui, Game& game);
    void dress(const SkinPictures& skin);

    // Fills the list and the summary and shows the window modally until it is closed.
    void run(const std::string& title, const Report& report);

    PanelEx fraBack{"fraBack"};
    ListEx lstRanking{"lstRanking"};
    Label lblSummary{"lbl(1)"};
    Label lblPage{"lblPage"};
    Label lblKeys{"lblKeys"};

    // The page on display and the number of pages (1 and 1 for an empty list).
    int page() const;
    int pages() const;

  private:
    void layout();
    void showPage();
    void turnPage(int step);
    void close();

    Game& game_;
};

// Shows a report of the fortune house in the report window.
void ShowReport(Game& game, ReportKind kind);

}  // namespace dv

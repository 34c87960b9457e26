#include "core/main_window.h"

#include "core/command_menu.h"
#include "core/game.h"
#include "core/skin_pictures.h"

namespace dv {

namespace {
constexpr int kPartyTop = 360;
constexpr int kRowPitch = 16;
}  // namespace

MainWindow::MainWindow(Ui& ui, Game& game)
    : Form(ui, "frmMain"), tmrMove(ui, 300), tmrTreasure(ui, 2000), game_(game) {
    topLevel = true;
    setTitle(kTownTitle);
    backColor = colors::black;

    // The view's surface is made when the view is first drawn.
    picMap.move(0, 0, 640, 480);
    picMap.setVisible(false);
    add(picMap);

    lblMsg.move(0, 5, 640, 20);
    lblMsg.alignment = Align::Center;
    lblMsg.setFont(Font::standard(16));
    add(lblMsg);

    lbl.move(16, 6, 608, 72);
    lbl.setFont(Font::standard(16));
    add(lbl);

    lstCommandList.move(0, 80, 640, 280);
    lstCommandList.setFont(Font::standard(16));
    lstCommandList.setSelectionFont(Font::standard(16));
    lstCommandList.setVisible(false);
    // An entry's letter chooses it at once, as the facilities' own lists do.
    lstCommandList.accessKeyEnter = true;
    add(lstCommandList);

    lstBattleCommand.setVisible(false);
    add(lstBattleCommand);

    fraParty.move(0, kPartyTop, 640, 120);
    fraParty.setFocusable(true);
    fraParty.setEnabled(false);
    add(fraParty);

    shpPartyBar.move(8, kRowPitch, 624, kRowPitch);
    shpPartyBar.fillColor = rgb(50, 60, 120);
    shpPartyBar.borderColor = rgb(150, 160, 210);
    shpPartyBar.setVisible(false);
    fraParty.add(shpPartyBar);
    for (int r = 0; r < 6; ++r) {
        int y = kRowPitch * (r + 1);
        auto place = [&](Label& l, const char* name, int x, int w) {
            l.setName(std::string(name) + "(" + std::to_string(r) + ")");
            l.move(x, y + 2, w, 14);
            l.wordWrap = false;
            fraParty.add(l);
        };
        place(lblName[static_cast<size_t>(r)], "lblName", 16, 232);
        place(lblClass[static_cast<size_t>(r)], "lblClass", 252, 72);
        place(lblAC[static_cast<size_t>(r)], "lblAC", 328, 48);
        place(lblHP[static_cast<size_t>(r)], "lblHP", 380, 112);
        place(lblState[static_cast<size_t>(r)], "lblState", 496, 136);
    }

    onLoad = [this] { game_.menuState = 8; };
    lstCommandList.onEnter = [this] { CallLink(game_.links.chooseMenuEntry, game_); };
    lstCommandList.onKeyDown = [this](int& code, int shift) { MenuKeyDown(game_, code, shift); };
}

void MainWindow::dress(const SkinPictures& skin) {
    DressList(lstCommandList, skin);
    DressList(lstBattleCommand, skin);
    DressPanel(fraParty, skin);
}

}  // namespace dv

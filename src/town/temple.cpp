#include "town/temple.h"

#include <string>

#include "characters/member_choice.h"
#include "characters/party.h"
#include "core/command_menu.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"

namespace dv {

namespace {

constexpr int kTownMusic = 2;
constexpr int kTownMenu = 8;

MainWindow& mainOf(Game& game) {
    return *game.screens->main;
}

std::vector<TemplePatient>& rowsOf(Game& game) {
    return game.screens->part<TempleRows>().rows;
}

// The list again after a treatment or a cancelled payment; with nobody left it stays
// empty, and choosing or Esc leads back to the town.
void listAgain(Game& game) {
    ListEx& list = mainOf(game).lstCommandList;
    EndMemberChoice(game);
    if (BuildTempleList(game) > 0) {
        list.setEnabled(true);
        list.setFocus();
        return;
    }
    mainOf(game).lbl.setCaption("");
    BuildMenu(game, kTempleMenu);
    list.setFocus();
}

void takePayer(Game& game) {
    const int row = mainOf(game).lstCommandList.listIndex();
    const auto& rows = rowsOf(game);
    if (row < 0 || row >= static_cast<int>(rows.size())) {
        listAgain(game);
        return;
    }
    const TemplePatient patient = rows[static_cast<std::size_t>(row)];
    const TreatmentResult r =
        PayAndTreat(game.save, game.currentCharacter, patient.slot, patient.fee, game.rng);
    if (!r.paid) {
        ShowMessage(game, std::string(kTooPoorMessage));
        mainOf(game).fraParty.setFocus();
        return;
    }
    if (!r.message.empty()) ShowMessage(game, r.message);
    RebuildParty(game);
    SaveGame(game);
    listAgain(game);
}

}  // namespace

int BuildTempleList(Game& game) {
    ListEx& list = mainOf(game).lstCommandList;
    auto& rows = rowsOf(game);
    rows = TemplePatients(game.save);
    list.setRedraw(false);
    list.clear();
    list.setCaption(std::string(kTempleCaption));
    for (const TemplePatient& p : rows) {
        list.addItem(TempleRowText(game.save.roster[static_cast<std::size_t>(p.slot)], p.fee));
        list.setItemData(list.newIndex(), p.slot);
    }
    list.addItem(std::string(kTempleBackRow));
    list.setListIndex(0);
    list.setRedraw(true);
    return static_cast<int>(rows.size());
}

void EnterTemple(Game& game) {
    if (BuildTempleList(game) > 0) {
        game.menuState = kTempleMenu;
        mainOf(game).lstCommandList.setFocus();
        return;
    }
    ShowMessage(game, std::string(kNobodyInTempleMessage));
    BuildMenu(game, kTownMenu);
}

void ChooseTemplePatient(Game& game, int entry) {
    ListEx& list = mainOf(game).lstCommandList;
    if (entry < 0 || entry >= static_cast<int>(rowsOf(game).size()) || list.listCount() == 0) {
        PlayScene(game, kTownMusic);
        BuildMenu(game, kTownMenu);
        return;
    }
    list.setCaption(std::string(kTemplePayerCaption));
    BeginMemberChoice(
        game, [&game] { takePayer(game); }, [&game] { listAgain(game); });
}

}  // namespace dv

#include "dungeon/dungeon_controls.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "characters/member_choice.h"
#include "characters/party.h"
#include "characters/party_controls.h"
#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "dungeon/expedition.h"
#include "dungeon/map_events.h"
#include "dungeon/maze.h"
#include "dungeon/party_rules.h"
#include "dungeon/view.h"
#include "items/select_box.h"
#include "items/status_sheet.h"
#include "ui/font.h"
#include "ui/keys.h"
#include "ui/window_system.h"

namespace dv {

namespace {

MainWindow* mainOf(Game& game) {
    return game.screens ? game.screens->main : nullptr;
}

void useItem(Game& game) {
    int slot = PickPartyMember(game, false, "キャラクターを選んでください");
    if (slot < 1 || slot >= kRosterSlots) return;
    int itemSlot = PickItem(game, slot);
    if (itemSlot < 1 || itemSlot > kInventorySlots) return;
    const Character& c = game.save.roster[static_cast<size_t>(slot)];
    EncounterCall battle = ItemUseCheck(game, c.items[static_cast<size_t>(itemSlot)].itemId);
    if (battle.encounter > 0) StartEventBattle(game, battle);
}

void search(Game& game) {
    EncounterCall battle = SearchCheck(game);
    if (battle.encounter > 0) {
        StartEventBattle(game, battle);
        return;
    }
    if (game.dungeon.pendingChest != 0)
        CallLink(game.links.openChest, game, static_cast<int>(game.rng.uniform(1, 50)));
}

// Inspect mode ends: the map keys work again.
void leaveInspect(Game& game) {
    MainWindow& main = *mainOf(game);
    EndMemberChoice(game);
    main.picMap.setFocus();
}

}  // namespace

DungeonControls::DungeonControls(MainWindow& main, Game& game) : main_(main), game_(game) {}

void DungeonControls::install() {
    if (!game_.dungeon.secondsSinceStart) {
        const auto start = std::chrono::steady_clock::now();
        game_.dungeon.secondsSinceStart = [start] {
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        };
    }
    lblMove.move(604, 440, 32, 32);
    lblMove.setFont(Font::standard(24));
    lblMove.alignment = Align::Center;
    lblMove.setVisible(false);
    main_.add(lblMove);
    main_.picMap.setFocusable(true);
    main_.picMap.onKeyDown = [this](int& code, int shift) { onMapKeyDown(code, shift); };
    main_.picMap.onKeyPress = [this](int& ascii) { onMapKeyPress(ascii); };
    main_.tmrMove.onTick = [this] {
        lblMove.setVisible(false);
        main_.tmrMove.setEnabled(false);
    };
}

void DungeonControls::onMapKeyDown(int& code, int /*shift*/) {
    Game& game = game_;
    if (code == keys::Ctrl) {
        SaveGame(game);
        return;
    }
    if (MapKeysLocked(game)) return;
    switch (code) {
        case keys::Up:
            WalkForward(game, false);
            break;
        case keys::Down:
            Step(game, 2);
            break;
        case keys::Left:
            Step(game, 3);
            break;
        case keys::Right:
            Step(game, 1);
            break;
        case 'W':
            main_.fraParty.setVisible(!main_.fraParty.visible());
            Redraw(game);
            break;
        case 'E':
            OpenReorderPanel(game);
            break;
        case 'I':
            main_.fraParty.setVisible(true);
            BeginMemberChoice(
                game, [&game] { OpenSheetFromMap(game); }, [&game] { leaveInspect(game); });
            break;
        case 'S':
            LookForCharacters(game);
            break;
        case 'Q':
            SuspendExpedition(game);
            break;
        case 'U':
            useItem(game);
            break;
        case 'F':
            search(game);
            break;
        case 'N':
            main_.windowSystem().backend().minimize();
            break;
        case 'X':
            main_.windowSystem().backend().toggleMaximize();
            break;
        default:
            if (code >= '1' && code <= '6' && code - '0' <= game.place.partyCount) {
                game.selectedMember = code - '0';
                main_.shpPartyBar.setVisible(false);
                OpenSheetFromMap(game);
            }
            break;
    }
}

void DungeonControls::onMapKeyPress(int& ascii) {
    if (ascii != keys::Space && ascii != keys::Enter) return;
    if (MapKeysLocked(game_)) return;
    WalkForward(game_, true);
}

void ShowMoveMark(Game& game, int kind) {
    MainWindow* main = mainOf(game);
    if (!main) return;
    Label& mark = game.screens->part<DungeonControls>().lblMove;
    // The sideways face turns the triangle to point the way the party turned.
    const bool sideways = kind == 1 || kind == 3;
    mark.setFont(Font::get(sideways ? "@ＭＳ　ゴシック" : "ＭＳ　ゴシック", 24));
    mark.setCaption(kind == 0 || kind == 3 ? "▲" : "▼");
    mark.setVisible(true);
    main->tmrMove.setEnabled(true);
}

void HideMoveMark(Game& game) {
    MainWindow* main = mainOf(game);
    if (!main) return;
    game.screens->part<DungeonControls>().lblMove.setVisible(false);
    main->tmrMove.setEnabled(false);
}

void ShowHpMark(Game& game, int partySlot, const std::string& sign, int hitPoints) {
    MainWindow* main = mainOf(game);
    if (!main || partySlot < 1 || partySlot > 6) return;
    main->lblHP[static_cast<size_t>(partySlot - 1)].setCaption(
        ToWide(sign + std::to_string(hitPoints)));
}

void RefreshPartyPanel(Game& game) {
    RebuildParty(game);
}

void OpenSheetFromMap(Game& game) {
    MainWindow* main = mainOf(game);
    if (!main) return;
    const int sel = game.selectedMember;
    if (sel < 1 || sel > game.place.partyCount || sel > kPartySlots) return;
    PlayScene(game, 18);
    OpenSheet(game, game.place.partyMembers[static_cast<size_t>(sel)], kSheetCamp);
    PlayScene(game, game.dungeon.dungeonMusic);
    EndMemberChoice(game);
    RefreshPartyPanel(game);
    main->picMap.setFocus();
    if (CheckLanding(game)) {
        WipeOut(game);
        return;
    }
    Redraw(game);
    if (game.place.partyEffects & 32) {
        game.place.partyEffects &= ~32;
        StartRandomBattle(game);
    }
}

}  // namespace dv

#include "dungeon/dungeon_controls.h"

#include <algorithm>
#include <chrono>
#include <vector>

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
#include "dungeon/pick_list.h"
#include "dungeon/view.h"
#include "ui/font.h"
#include "ui/keys.h"
#include "ui/window_system.h"

namespace dv {

namespace {

MainWindow* mainOf(Game& game) {
    return game.screens ? game.screens->main : nullptr;
}

bool inDungeon(Game& game) {
    return game.menuState == kDungeonMenu && game.place.currentFloor > 0;
}

void useItem(Game& game) {
    DungeonLinks& l = game.dungeon.links;
    int member = l.pickPartyMember ? l.pickPartyMember(game, "キャラクターを選んでください") : 0;
    Character* c = PartyMember(game, member);
    if (!c || !l.pickItem) return;
    int slot = l.pickItem(game, game.place.partyMembers[static_cast<size_t>(member)]);
    if (slot < 1 || slot > kInventorySlots) return;
    int encounter = ItemUseCheck(game, c->items[static_cast<size_t>(slot)].itemId);
    if (encounter > 0) StartEventBattle(game, encounter);
}

void search(Game& game) {
    int encounter = SearchCheck(game);
    if (encounter > 0) {
        StartEventBattle(game, encounter);
        return;
    }
    if (game.dungeon.pendingChest != 0 && game.dungeon.links.openChest)
        game.dungeon.links.openChest(game, static_cast<int>(game.rng.uniform(1, 50)));
}

void fillPanelRows(Game& game) {
    MainWindow* main = mainOf(game);
    if (!main) return;
    for (int r = 0; r < 6; ++r) {
        size_t i = static_cast<size_t>(r);
        for (Label* l : {&main->lblName[i], &main->lblClass[i], &main->lblAC[i], &main->lblHP[i],
                         &main->lblState[i]})
            l->setCaption("");
        Character* c = PartyMember(game, r + 1);
        if (!c) continue;
        main->lblName[i].setCaption(ToWide(std::to_string(r + 1) + "：" + c->name));
        main->lblAC[i].setCaption(ToWide(std::to_string(c->armorClass)));
        const bool poisoned = (c->status & kStatusPoison) != 0;
        std::string mark = " ";
        if (poisoned && c->regeneration <= 0) mark = "-";
        if (!poisoned && (c->regeneration > 0 || (c->gold > 0 && c->skills[89] != 0))) mark = "+";
        main->lblHP[i].setCaption(ToWide(mark + std::to_string(c->hitPoints)));
        main->lblState[i].setCaption(c->status != 0 ? std::string(StatusName(c->status))
                                                    : ToWide(std::to_string(c->maxHitPoints)));
    }
}

void moveBar(Game& game) {
    MainWindow* main = mainOf(game);
    if (!main) return;
    main->shpPartyBar.move(8, 16 * game.selectedMember);
}

void leaveInspect(Game& game) {
    MainWindow& main = *mainOf(game);
    main.fraParty.setEnabled(false);
    main.shpPartyBar.setVisible(false);
    main.picMap.setFocus();
}

}  // namespace

DungeonControls::DungeonControls(MainWindow& main, Game& game) : main_(main), game_(game) {}

void DungeonControls::install() {
    InstallDefaultDungeonLinks(game_);
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
    // The party panel also serves the town and battle screens; their handlers keep
    // working outside the dungeon.
    auto townKeys = main_.fraParty.onKeyDown;
    main_.fraParty.onKeyDown = [this, townKeys](int& code, int shift) {
        if (inDungeon(game_)) {
            onPartyKeyDown(code, shift);
        } else if (townKeys) {
            townKeys(code, shift);
        }
    };
    auto townGot = main_.fraParty.onGotFocus;
    main_.fraParty.onGotFocus = [this, townGot] {
        if (inDungeon(game_)) {
            moveBar(game_);
            main_.shpPartyBar.setVisible(true);
        } else if (townGot) {
            townGot();
        }
    };
    auto townLost = main_.fraParty.onLostFocus;
    main_.fraParty.onLostFocus = [this, townLost] {
        if (inDungeon(game_)) {
            main_.shpPartyBar.setVisible(false);
        } else if (townLost) {
            townLost();
        }
    };
}

void DungeonControls::onMapKeyDown(int& code, int /*shift*/) {
    Game& game = game_;
    if (code == keys::Ctrl) {
        SaveGame(game);
        return;
    }
    if (main_.busy || game.place.currentFloor <= 0) return;
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
            if (game.dungeon.links.showReorder)
                game.dungeon.links.showReorder(game, main_.bounds().w / 5, main_.bounds().h / 5);
            break;
        case 'I':
            main_.fraParty.setEnabled(true);
            main_.fraParty.setVisible(true);
            game.selectedMember = 1;
            moveBar(game);
            main_.fraParty.setFocus();
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
    if (main_.busy || game_.place.currentFloor <= 0) return;
    WalkForward(game_, true);
}

void DungeonControls::onPartyKeyDown(int& code, int /*shift*/) {
    Game& game = game_;
    const int count = std::max(1, game.place.partyCount);
    int& sel = game.selectedMember;
    switch (code) {
        case keys::Up:
        case keys::Left:
            sel = sel <= 1 ? count : sel - 1;
            break;
        case keys::Down:
        case keys::Right:
            sel = sel >= count ? 1 : sel + 1;
            break;
        case keys::Home:
        case keys::PageUp:
            sel = 1;
            break;
        case keys::End:
        case keys::PageDown:
            sel = count;
            break;
        case keys::Enter:
            code = 0;
            OpenSheetFromMap(game);
            return;
        case keys::Esc:
        case keys::Back:
            code = 0;
            leaveInspect(game);
            return;
        default:
            if (code >= '1' && code <= '6') {
                sel = std::min(code - '0', count);
                moveBar(game);
                code = 0;
                OpenSheetFromMap(game);
            }
            return;
    }
    code = 0;
    moveBar(game);
}

void ShowMoveMark(Game& game, int kind) {
    MainWindow* main = mainOf(game);
    if (!main) return;
    Label& mark = main->dungeonControls.lblMove;
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
    main->dungeonControls.lblMove.setVisible(false);
    main->tmrMove.setEnabled(false);
}

void ShowHpMark(Game& game, int partySlot, const std::string& sign, int hitPoints) {
    MainWindow* main = mainOf(game);
    if (!main || partySlot < 1 || partySlot > 6) return;
    main->lblHP[static_cast<size_t>(partySlot - 1)].setCaption(
        ToWide(sign + std::to_string(hitPoints)));
}

void RefreshPartyPanel(Game& game) {
    if (game.dungeon.links.rebuildParty) {
        game.dungeon.links.rebuildParty(game);
    } else {
        GatherParty(game);
        fillPanelRows(game);
    }
}

void OpenSheetFromMap(Game& game) {
    MainWindow* main = mainOf(game);
    if (!main || !game.dungeon.links.showSheet) return;
    PlayScene(game, 18);
    game.dungeon.links.showSheet(game);
    PlayScene(game, game.dungeon.dungeonMusic);
    main->fraParty.setEnabled(false);
    RefreshPartyPanel(game);
    main->shpPartyBar.setVisible(false);
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

void InstallDefaultDungeonLinks(Game& game) {
    DungeonLinks& l = game.dungeon.links;
    if (!l.pickFromList)
        l.pickFromList = [](Game& g, const std::string& title,
                            const std::vector<std::string>& rows) {
            return PickFromRows(g, title, rows);
        };
    if (!l.pickPartyMember)
        l.pickPartyMember = [](Game& g, const std::string& prompt) {
            std::vector<std::string> rows;
            for (int i = 1; i <= g.place.partyCount; ++i)
                if (Character* c = PartyMember(g, i)) rows.push_back(c->name);
            return PickFromRows(g, prompt, rows);
        };
    if (!l.pickItem)
        l.pickItem = [](Game& g, int rosterSlot) {
            if (rosterSlot < 1 || rosterSlot >= kRosterSlots) return 0;
            const Character& c = g.save.roster[static_cast<size_t>(rosterSlot)];
            std::vector<std::string> rows;
            std::vector<int> slots;
            for (int s = 1; s <= kInventorySlots; ++s) {
                int id = c.items[static_cast<size_t>(s)].itemId;
                const ItemRecord* item = itemAt(g.db, id);
                if (id == 0 || !item) continue;
                rows.push_back(item->name);
                slots.push_back(s);
            }
            int pick = PickFromRows(g, c.name, rows);
            return pick >= 1 ? slots[static_cast<size_t>(pick - 1)] : 0;
        };
    if (!l.pickResumeCharacter)
        l.pickResumeCharacter = [](Game& g) {
            std::vector<std::string> rows;
            std::vector<int> slots;
            for (int s = 1; s < kRosterSlots; ++s) {
                const Character& c = g.save.roster[static_cast<size_t>(s)];
                if (c.rosterId <= 0 || c.floor == 0) continue;
                rows.push_back(c.name);
                slots.push_back(s);
            }
            int pick = PickFromRows(g, "", rows);
            return pick >= 1 ? slots[static_cast<size_t>(pick - 1)] : 0;
        };
}

}  // namespace dv

#include "dungeon/expedition.h"

#include <string>
#include <vector>

#include "characters/roster_window.h"
#include "core/command_menu.h"
#include "core/data/message.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "dungeon/dungeon_controls.h"
#include "dungeon/maze.h"
#include "dungeon/party_rules.h"
#include "dungeon/view.h"

namespace dv {

namespace {

constexpr std::int32_t kTownCures =
    kStatusPoison | kStatusDeadlyPoison | 4 | 8 | 16 | 32 | 64 | 256 | kStatusBlind;
constexpr std::int32_t kStaysOut =
    2 | 1024 | 2048 | 4096 | 8192 | kStatusDead | kStatusAshes | kStatusLost;

struct DungeonEntry {
    int id;
    const char* caption;
};
constexpr DungeonEntry kDungeons[] = {
    {21, "1)亜　獣　人　の　谷"},         {22, "2)地　下　庭　園　ア　ヴ　ァ　ロ　ン"},
    {23, "3)ア　ン　ダ　ー　バ　ベ　ル"}, {24, "N)ネ　ガ　パ　ン　デ　モ　ニ　ウ　ム"},
    {25, "S)レ　メ　ゲ　ト　ン"},         {26, "E)エ　デ　ン"},
};

const char* captionOf(int id) {
    for (const auto& d : kDungeons)
        if (d.id == id) return d.caption;
    return "";
}

// The smallest id nobody else carries; the departing members' own ids do not count.
int freePartyId(Game& game) {
    std::vector<bool> taken(kRosterSlots, false);
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        bool member = false;
        for (int i = 1; i <= game.place.partyCount; ++i)
            member = member || game.place.partyMembers[static_cast<size_t>(i)] == slot;
        int id = game.save.roster[static_cast<size_t>(slot)].partyId;
        if (!member && id >= 1 && id <= 50) taken[static_cast<size_t>(id)] = true;
    }
    for (int id = 1; id <= 50; ++id)
        if (!taken[static_cast<size_t>(id)]) return id;
    return 0;
}

// The party's members all unable to act (the entry refuses them before anything changes).
bool membersAllFallen(Game& game) {
    for (int i = 1; i <= game.place.partyCount; ++i) {
        Character* c = PartyMember(game, i);
        if (c && !IsOutOfFight(*c)) return false;
    }
    return true;
}

void resetMember(Game& game, int partySlot) {
    int slot = game.place.partyMembers[static_cast<size_t>(partySlot)];
    if (slot < 1 || slot >= kRosterSlots) return;
    Character& c = game.save.roster[static_cast<size_t>(slot)];
    c.armorClass = c.baseArmorClass;
    if (c.status & kStatusLost) c = game.save.roster[0];
}

// The party leaves the panel but its members stay where they are.
void leaveMembersBehind(Game& game) {
    WritePlaceToMembers(game);
    for (int i = 1; i <= game.place.partyCount; ++i)
        resetMember(game, i);
    game.place.partyMembers.fill(0);
    game.place.partyCount = 0;
}

// The dungeon screen: the view, no command list, the exploration music.
void showDungeonScreen(Game& game) {
    game.dungeon.dungeonMusic = 10;
    // Without windows (the bot) the party only needs its floor.
    if (!game.screens || !game.screens->main) {
        LoadFloor(game);
        SaveGame(game);
        return;
    }
    MainWindow& main = *game.screens->main;
    main.picMap.setVisible(true);
    // Menu 11: the command list gives way to the view and the exploration music plays.
    BuildMenu(game, kDungeonMenu);
    main.lstCommandList.setVisible(false);
    main.lbl.setCaption("");
    LoadFloor(game);
    RefreshPartyPanel(game);
    SaveGame(game);
    Redraw(game);
    main.lblMsg.move((main.bounds().w - main.lblMsg.bounds().w) / 2, 5);
    main.shpPartyBar.setVisible(false);
    main.fraParty.setEnabled(false);
    main.picMap.setFocus();
    main.setTitle(std::string(Message(1)));
}

void showTown(Game& game) {
    CallLink(game.links.townShown, game);
}

}  // namespace

DungeonOpening DungeonOpeningNeeds(int id) {
    switch (id) {
        case 21:
        case 22:
        case 23:
            return {true, {}, -1};
        case 24:
            return {true, {}, 11};
        case 25:
            return {true, {635, 636}, -1};
        case 26:
            return {true, {}, 12};
        default:
            return {};
    }
}

bool DungeonOffered(const Game& game, int id) {
    const DungeonOpening need = DungeonOpeningNeeds(id);
    if (!need.known) return false;
    for (int item : need.items)
        if (item != 0 && !PartyHasItem(game, item, true)) return false;
    return need.flag < 0 || game.save.eventFlags[static_cast<std::size_t>(need.flag)] != 0;
}

void ShowDungeonList(Game& game) {
    BuildMenu(game, kDungeonListMenu);
    ListEx& list = game.screens->main->lstCommandList;
    list.setRedraw(false);
    for (int id : {21, 22, 23}) {
        list.addItem(captionOf(id));
        list.setItemData(list.newIndex(), id);
    }
    list.addItem("L)町 外 れ");
    // Later dungeons go on top as they open, the last opened first.
    for (int id : {25, 26, 24}) {
        if (!DungeonOffered(game, id)) continue;
        list.addItem(captionOf(id), 1);
        list.setItemData(list.newIndex(), id);
    }
    list.setListIndex(0);
    list.setRedraw(true);
}

void ChooseDungeonEntry(Game& game) {
    ListEx& list = game.screens->main->lstCommandList;
    int id = list.itemData(list.listIndex());
    if (id == 0) {
        game.place.currentDungeon = 1;
        PlayScene(game, 3);
        BuildMenu(game, 9);
        return;
    }
    EnterDungeon(game, id);
}

void EnterDungeon(Game& game, int dungeon) {
    Place& p = game.place;
    if (p.partyCount <= 0) {
        ShowMessage(game, std::string(Message(1063)));
        return;
    }
    // A fallen party is refused before anything of it changes.
    if (membersAllFallen(game)) {
        ShowMessage(game, "そのパーティーは全滅しています");
        return;
    }
    int id = freePartyId(game);
    p.partyId = id;
    p.currentDungeon = dungeon;
    p.currentFloor = 1;
    p.partyX = p.partyY = 0;
    // Flight and the escape spell go back to the entrance before the first step.
    p.previousX = p.previousY = 0;
    p.facing = 2;
    for (int i = 1; i <= p.partyCount; ++i)
        if (Character* c = PartyMember(game, i)) {
            c->partyPosition = static_cast<std::uint8_t>(i);
            c->partyId = static_cast<std::uint8_t>(id);
        }
    WritePlaceToMembers(game);
    game.selectedMember = 1;
    showDungeonScreen(game);
}

void ResumeExpedition(Game& game) {
    bool anyone = false;
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        const Character& c = game.save.roster[static_cast<size_t>(slot)];
        anyone = anyone || (c.rosterId > 0 && c.floor != 0);
    }
    if (!anyone) {
        ShowMessage(game, "ダンジョンの中には誰もいません");
        return;
    }
    int picked = PickCharacter(game, kPickResume);
    if (picked < 1 || picked >= kRosterSlots ||
        game.save.roster[static_cast<size_t>(picked)].floor == 0) {
        RefreshPartyPanel(game);
        return;
    }
    Place& p = game.place;
    for (int i = 1; i <= p.partyCount; ++i)
        if (Character* c = PartyMember(game, i)) {
            c->dungeonId = 0;
            c->floor = 0;
            c->partyId = 0;
            c->posX = 0;
            c->posY = 0;
        }
    const Character& leader = game.save.roster[static_cast<size_t>(picked)];
    p.partyX = p.previousX = leader.posX;
    p.partyY = p.previousY = leader.posY;
    p.currentDungeon = leader.dungeonId;
    p.currentFloor = leader.floor;
    p.partyId = leader.partyId;
    p.facing = 0;
    RefreshPartyPanel(game);
    WritePlaceToMembers(game);
    game.selectedMember = 1;
    showDungeonScreen(game);
    if (CheckLanding(game)) WipeOut(game);
}

void SuspendExpedition(Game& game) {
    leaveMembersBehind(game);
    game.place.partyId = 0;
    game.place.currentFloor = 0;
    ReturnToTown(game);
}

void WipeOut(Game& game) {
    leaveMembersBehind(game);
    SaveGame(game);
    PlayScene(game, 17);
    ShowMessage(game, std::string(Message(1060)));
    Place& p = game.place;
    p.currentFloor = 0;
    p.partyId = 0;
    p.partyCount = 0;
    if (game.screens && game.screens->main) game.screens->main->busy = false;
    ReturnToTown(game);
}

void ReturnToTown(Game& game) {
    Place& p = game.place;
    p.partyEffects = 0;
    p.partyBlessings = 0;
    for (int i = 1; i <= p.partyCount; ++i)
        if (Character* c = PartyMember(game, i)) {
            c->dungeonId = 1;
            c->floor = 0;
            c->posX = 0;
            c->posY = 0;
        }
    for (int i = 1; i <= p.partyCount; ++i) {
        Character* c = PartyMember(game, i);
        if (!c) continue;
        if (c->status & kStatusLost) {
            *c = game.save.roster[0];
            continue;
        }
        c->status &= ~kTownCures;
        if (c->status & kStaysOut) {
            c->dungeonId = 0;
            c->floor = 0;
        }
        c->armorClass = c->baseArmorClass;
    }
    p.currentDungeon = 1;
    p.currentFloor = 0;
    game.save.eventFlags[43] = 0;
    SaveGame(game);
    showTown(game);
}

}  // namespace dv

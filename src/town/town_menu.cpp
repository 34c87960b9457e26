#include "town/town_menu.h"

#include <string>
#include <vector>

#include "characters/training_grounds.h"
#include "core/data/message.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"
#include "core/startup.h"
#include "dungeon/expedition.h"
#include "town/party.h"
#include "town/tavern.h"
#include "ui/keys.h"

namespace dv {

namespace {

struct MenuDef {
    int number;
    const char* caption;
    std::vector<const char*> entries;
};

const std::vector<MenuDef>& menus() {
    static const std::vector<MenuDef> table = {
        {1,
         "ギルタブリルの酒場",
         {"A)仲 間 に 入 れ る", "R)仲 間 か ら は ず す", "I)調 べ る",
          "G)お 金 を 山 分 け す る", "C)城 へ 戻 る"}},
        {3,
         "マルドゥーク商店 ",
         {"B)買 う", "S)売 る", "D)呪 い を 解 く", "I)識 別 す る", "P)お 金 を 集 め る",
          "L)店 か ら 出 る"}},
        {4,
         "どれをお求めになりますか？",
         {"W)武　器", "A)鎧", "S)盾", "H)兜", "G)小　手", "B)靴", "C)ア　ク　セ　サ　リ",
          "M)楽　器", "O)護　符　・　宝　珠", "T)マ　テ　リ　ア　ル", "I)そ　の　他", "L)戻　る"}},
        {5,
         "どれをお求めになりますか？",
         {"W)剣", "S)短剣", "B)刀", "O)弓", "A)斧", "Y)槍", "P)宝　貝", "T)投　擲", "D)魔　剣",
          "M)メイス", "F)杖", "G)格　闘", "C)鎌", "L)戻　る"}},
        {6,
         "ティアマトの宿屋",
         {"1)い ぬ ご や            タダ！", "2)簡 易 寝 台            １Ｗ／１０   ＨＰ＋１",
          "3)シ ン グ ル ル ー ム   １Ｗ／５０　 ＨＰ＋３",
          "4)ス イ ー ト ル ー ム   １Ｗ／１００ ＨＰ＋５",
          "5)Ｖ Ｉ Ｐ ル ー ム      １Ｗ／１５０ ＨＰ＋１０", "6)宿　か  ら  出 る"}},
        {7,
         "viru　星占所",
         {"L)Ｌ Ｖ ラ ン キ ン グ", "H)Ｍ Ａ Ｘ 　Ｈ ・ Ｐ ラ ン ク", "M)Ｍ ａ ｒ ｋ ｓ ラ ン ク",
          "R)Ｒ ｉ ｐ ラ ン ク", "K)ク リ テ ィ カ ル ヒ ッ ト ラ ン ク",
          "I)獲 得 ア イ テ ム ラ ン ク", "D)倒 打 モ ン ス タ ー ラ ン ク",
          "G)獲　得　ア　イ　テ　ム　リ　ス　ト", "G)倒 打 モ ン ス タ ー リ　ス　ト",
          "U)武 具 合 体", "C)城 に 戻 る"}},
        {8,
         "バビロニア　帝都",
         {"G)ギ ル タ ブ リ ル の 酒 場", "T)テ ィ ア マ ト の 宿 屋", "M)マ ル ド ゥ ー ク 商 店",
          "A)ア プ ス ー 寺 院", "B)バ ビ ロ ン 星 占 所", "E)町 外 れ"}},
        {9,
         "町外れ",
         {"T)訓 練 場", "O)冒 険 の 再 開", "D)ダ　ン　ジ　ョ　ン　へ", "F)設 定",
          "E)ゲ ー ム の 終 了", "C)城 へ 戻 る"}},
        {10,
         "訓練場",
         {"C)キ ャ ラ ク タ ー を 作 る", "I)キ ャ ラ ク タ ー を 見 る",
          "D)キ ャ ラ ク タ ー を 消 す", "R)並び替える", "N)名 前 を 変 え る",
          "G)職 業 を 変 え る", "L)町 外 れ"}},
    };
    return table;
}

constexpr int kDungeonMenuNumber = 11;

const MenuDef* findMenu(int n) {
    for (const auto& m : menus())
        if (m.number == n) return &m;
    return nullptr;
}

bool haveParty(Game& game) {
    if (game.place.partyCount > 0) return true;
    ShowMessage(game, std::string(Message(1063)));
    return false;
}

void chooseTown(Game& game, int entry) {
    switch (entry) {
        case 0:  // tavern
            PlayScene(game, 5);
            BuildMenu(game, 1);
            break;
        case 1:  // inn
        case 2:  // shop
        case 3:  // temple
            // These need a party; their counters open with the town's later screens.
            haveParty(game);
            break;
        case 4:  // fortune house
            PlayScene(game, 8);
            BuildMenu(game, 7);
            break;
        case 5:  // outskirts
            PlayScene(game, 3);
            BuildMenu(game, 9);
            break;
        default:
            break;
    }
}

void backToCastle(Game& game) {
    game.place.currentDungeon = 1;
    PlayScene(game, 2);
    BuildMenu(game, 8);
}

// Everyone in the party on display leaves it on the way to the training grounds.
void enterTrainingGrounds(Game& game) {
    Place& p = game.place;
    for (int i = 1; i <= p.partyCount && i <= kPartySlots; ++i) {
        int slot = p.partyMembers[static_cast<size_t>(i)];
        if (slot < 1 || slot >= kRosterSlots) continue;
        Character& c = game.save.roster[static_cast<size_t>(slot)];
        c.dungeonId = 0;
        c.floor = 0;
        c.partyId = 0;
        c.partyPosition = 0;
        p.partyMembers[static_cast<size_t>(i)] = 0;
    }
    p.partyCount = 0;
    p.currentDungeon = 2;
    RebuildParty(game);
    PlayScene(game, 9);
    BuildMenu(game, 10);
}

void chooseOutskirts(Game& game, int entry) {
    switch (entry) {
        case 0:  // training grounds
            enterTrainingGrounds(game);
            break;
        case 1:  // resume an expedition
            ResumeExpedition(game);
            break;
        case 2:  // to the dungeon
            if (haveParty(game)) ShowDungeonList(game);
            break;
        case 4:  // quit
            QuitGame(game);
            break;
        case 5:  // back to the castle
            backToCastle(game);
            break;
        default:
            break;
    }
}

}  // namespace

void BuildMenu(Game& game, int n) {
    MainWindow& main = *game.screens->main;
    ListEx& list = main.lstCommandList;
    list.setRedraw(false);
    list.clear();
    list.setVisible(true);
    list.setEnabled(true);
    game.menuState = n;
    if (const MenuDef* m = findMenu(n)) {
        list.setCaption(m->caption);
        for (const char* e : m->entries)
            list.addItem(e);
    } else {
        list.setCaption("");
    }
    if (n == kDungeonMenuNumber) {
        // In the dungeon the command area gives way to the view.
        list.setVisible(false);
        PlayScene(game, game.dungeon.dungeonMusic);
    }
    if (list.listCount() > 0) {
        list.setListIndex(0);
        if (main.visible()) list.setFocus();
    }
    list.setRedraw(true);
}

void ChooseMenuEntry(Game& game) {
    int entry = static_cast<int>(game.screens->main->lstCommandList.listIndex());
    if (entry < 0) return;
    int last = static_cast<int>(game.screens->main->lstCommandList.listCount()) - 1;
    switch (game.menuState) {
        case 1:
            ChooseTavernEntry(game, entry);
            break;
        case 7:  // fortune house: back to the castle
            if (entry == last) backToCastle(game);
            break;
        case 10:
            ChooseTrainingEntry(game, entry);
            break;
        case 8:
            chooseTown(game, entry);
            break;
        case 9:
            chooseOutskirts(game, entry);
            break;
        case 19:  // dungeon choice
            ChooseDungeonEntry(game);
            break;
        default:
            break;
    }
}

void MenuKeyDown(Game& game, int& keyCode, int /*shift*/) {
    if (keyCode != keys::Esc && keyCode != keys::Back) return;
    ListEx& list = game.screens->main->lstCommandList;
    if (list.listCount() == 0) return;
    keyCode = 0;
    list.setListIndex(list.listCount() - 1);
    ChooseMenuEntry(game);
}

}  // namespace dv

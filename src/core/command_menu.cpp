#include "core/command_menu.h"

#include <string>
#include <vector>

#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/screens.h"
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

const MenuDef* findMenu(int n) {
    for (const auto& m : menus())
        if (m.number == n) return &m;
    return nullptr;
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
    if (n == kDungeonMenu) {
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

void MenuKeyDown(Game& game, int& keyCode, int /*shift*/) {
    if (keyCode != keys::Esc && keyCode != keys::Back) return;
    ListEx& list = game.screens->main->lstCommandList;
    keyCode = 0;
    // An emptied list (the temple once everyone is helped) still passes the choice on.
    if (list.listCount() > 0) list.setListIndex(list.listCount() - 1);
    CallLink(game.links.chooseMenuEntry, game);
}

}  // namespace dv

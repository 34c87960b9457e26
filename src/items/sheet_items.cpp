// The sheet's item commands (give, pool gold, drop, use, identify, appraise) and the two
// pages an item can show: the item page and the monster page.

#include <algorithm>
#include <string>
#include <vector>

#include "characters/inventory.h"
#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/prompt_dialog.h"
#include "items/item_actions.h"
#include "items/select_box.h"
#include "items/status_sheet.h"

namespace dv {

namespace {

constexpr int kFont = 14;
constexpr int kRow = 18;
const Color kHeadColor = rgb(255, 230, 150);
const Color kCaptionColor = rgb(150, 170, 220);
const char* const kEnterHint = "Ｅｎｔｅｒで決定  Ｅｓｃ or ＢＳで戻る";

std::string wide(std::int64_t n) {
    return ToWide(std::to_string(n));
}

std::string dice(std::int64_t count, std::int64_t sides, std::int64_t bonus) {
    return ToWide(std::to_string(count) + "D" + std::to_string(sides) + "+" +
                  std::to_string(bonus));
}

void setupPanel(Panel& p, int x, int y, int w, int h) {
    p.move(x, y, w, h);
    p.opaque = true;
    p.backColor = rgb(14, 18, 44);
    p.border = true;
}

void place(Label& l, Control& parent, int x, int y, int w, int h = kRow) {
    l.setFont(Font::standard(kFont));
    l.wordWrap = false;
    l.move(x, y, w, h);
    parent.add(l);
}

// The race labels of the page, by race bit.
struct Mark {
    int label;
    std::int64_t bit;
    const char* text;
};
constexpr Mark kRaces[] = {{51, 1, "人間"},       {50, 2, "エルフ"},     {49, 4, "ドワーフ"},
                           {48, 8, "ノーム"},     {47, 16, "ホビット"},  {46, 32, "フェアリー"},
                           {45, 64, "ドラゴン"},  {44, 128, "デーモン"}, {43, 256, "エンジェル"},
                           {42, 1024, "シルヴァ"}};
constexpr Mark kSexes[] = {{28, 1, "男"}, {29, 2, "女"}};
constexpr Mark kAlignments[] = {{30, 1, "秩序"}, {31, 2, "中立"}, {32, 4, "混沌"}};
constexpr Mark kClasses[] = {
    {41, 1, "戦士"},      {16, 2, "魔導士"},     {18, 4, "僧侶"},         {19, 8, "盗賊"},
    {22, 16, "賢者"},     {20, 32, "バード"},    {61, 64, "召喚士"},      {23, 128, "ワルキュリア"},
    {25, 256, "侍"},      {26, 512, "ロード"},   {27, 1024, "忍者"},      {57, 2048, "魔剣士"},
    {21, 8192, "陰陽師"}, {24, 16384, "武闘家"}, {59, 32768, "錬金術師"}, {62, 65536, "道士"},
    {63, 131072, "狩人"}, {64, 262144, ""}};

// The monster page's status attacks, by melee status index.
struct StatusLine {
    size_t index;
    const char* text;
};
constexpr StatusLine kMonsterAttacks[] = {
    {15, "追加攻撃：睡眠"}, {16, "追加攻撃：麻痺"},   {17, "追加攻撃：恐怖"},
    {18, "追加攻撃：混乱"}, {19, "追加攻撃：氷結"},   {20, "追加攻撃：感電"},
    {21, "追加攻撃：誘惑"}, {22, "追加攻撃：毒"},     {23, "追加攻撃：沈黙"},
    {24, "追加攻撃：盲目"}, {27, "追加攻撃：病気"},   {28, "追加攻撃：ＨＰドレイン"},
    {29, "追加攻撃：石化"}, {30, "エナジードレイン"}, {31, "クリティカルヒット"}};
constexpr StatusLine kMonsterDefences[] = {{1, "物理"},  {4, "炎　"},  {5, "水　"},  {6, "風　"},
                                           {7, "土　"},  {8, "冷気"},  {9, "雷撃"},  {10, "毒　"},
                                           {11, "精神"}, {12, "光　"}, {13, "闇　"}, {2, "魔法"}};

// One line of the defence list: reflection, absorption or a share nullified.
std::string resistanceLine(int value, const std::string& name) {
    if (value == 255) return name + "　反射\n";
    if (value == 200) return name + "　吸収\n";
    if (value > 0) return name + "　無効" + wide(value) + "％\n";
    return "";
}

}  // namespace

void StatusSheet::layoutItemPage() {
    setupPanel(fraInspect, 8, 8, 424, 434);
    fraInspect.setVisible(false);
    fraBack.add(fraInspect);
    place(lbl[67], fraInspect, 12, 8, 400);
    lbl[67].setFont(Font::standard(16));
    lbl[67].foreColor = kHeadColor;
    place(lbl[56], fraInspect, 12, 34, 120);
    place(lbl[53], fraInspect, 140, 34, 140);
    lbl[53].alignment = Align::Right;
    addCaption(fraInspect, "Ｇ", 284, 34, 20);
    place(lbl[55], fraInspect, 12, 54, 100);
    place(lbl[54], fraInspect, 120, 54, 100);
    place(lbl[52], fraInspect, 228, 54, 180);
    lbl[52].setCaption("呪われている");
    lbl[52].foreColor = rgb(255, 110, 110);

    setupPanel(fraRace, 8, 80, 408, 64);
    fraInspect.add(fraRace);
    int i = 0;
    for (const Mark& m : kRaces) {
        place(lbl[static_cast<size_t>(m.label)], fraRace, 6 + (i % 4) * 100, 4 + (i / 4) * 19, 98);
        lbl[static_cast<size_t>(m.label)].setCaption(m.text);
        ++i;
    }
    setupPanel(fraSexAttribute, 8, 148, 408, 28);
    fraInspect.add(fraSexAttribute);
    i = 0;
    for (const Mark& m : kSexes) {
        place(lbl[static_cast<size_t>(m.label)], fraSexAttribute, 6 + i * 40, 4, 36);
        lbl[static_cast<size_t>(m.label)].setCaption(m.text);
        ++i;
    }
    i = 0;
    for (const Mark& m : kAlignments) {
        place(lbl[static_cast<size_t>(m.label)], fraSexAttribute, 120 + i * 60, 4, 56);
        lbl[static_cast<size_t>(m.label)].setCaption(m.text);
        ++i;
    }
    setupPanel(fraClass, 8, 180, 408, 84);
    fraInspect.add(fraClass);
    i = 0;
    for (const Mark& m : kClasses) {
        place(lbl[static_cast<size_t>(m.label)], fraClass, 6 + (i % 4) * 100, 4 + (i / 4) * 16, 98,
              16);
        lbl[static_cast<size_t>(m.label)].setCaption(m.text);
        ++i;
    }
    setupPanel(fraEquip1, 8, 268, 408, 48);
    fraInspect.add(fraEquip1);
    place(lbl[33], fraEquip1, 6, 4, 130);
    place(lbl[37], fraEquip1, 140, 4, 130);
    place(lbl[38], fraEquip1, 274, 4, 120);
    place(lbl[39], fraEquip1, 6, 24, 130);
    lbl[39].setCaption("両手持ち");
    place(lbl[40], fraEquip1, 140, 24, 130);
    lbl[40].setCaption("セカンダリー");
    setupPanel(fraEquip2, 8, 320, 408, 28);
    fraInspect.add(fraEquip2);
    place(lbl[34], fraEquip2, 6, 4, 120);
    place(lbl[35], fraEquip2, 130, 4, 120);
    place(lbl[36], fraEquip2, 254, 4, 150);
    Label& hint = addCaption(fraInspect, "Ｅｎｔｅｒ，Ｅｓｃ，ＢＳで閉じる", 12, 404, 400);
    hint.setFont(Font::standard(12));
}

void StatusSheet::layoutMonsterPage() {
    setupPanel(fraMonster, 8, 8, 424, 434);
    fraMonster.setVisible(false);
    fraBack.add(fraMonster);
    place(lblMonster[1], fraMonster, 12, 8, 400);
    lblMonster[1].setFont(Font::standard(16));
    lblMonster[1].foreColor = kHeadColor;
    place(lblMonster[0], fraMonster, 12, 30, 400);
    lblMonster[0].foreColor = kCaptionColor;
    const size_t rows[] = {2, 11, 3, 10, 9, 4, 5, 6, 7};
    int y = 56;
    for (size_t r : rows) {
        place(lblMonster[r], fraMonster, 12, y, 200);
        y += kRow;
    }
    place(lblMonster[17], fraMonster, 214, 56, 200, 300);
    lblMonster[17].wordWrap = true;
    place(lblMonster[18], fraMonster, 12, 56 + 9 * kRow + 8, 200, 200);
    lblMonster[18].wordWrap = true;
    Label& hint = addCaption(fraMonster, "Ｅｎｔｅｒ，Ｅｓｃ，ＢＳで閉じる", 12, 404, 400);
    hint.setFont(Font::standard(12));
}

void StatusSheet::ShowItemPage(const ItemRecord& item, int level) {
    const bool all = level < 0;
    lbl[67].setCaption(item.name);
    std::string kind = "不明";
    static const char* const kinds[] = {"",           "武器",     "盾",         "鎧",       "小手",
                                        "靴",         "兜",       "アクセサリ", "アイテム", "楽器",
                                        "マテリアル", "イベント", "護符・宝珠"};
    if (item.kind >= 1 && item.kind <= 12) kind = kinds[item.kind];
    lbl[56].setCaption(kind);
    lbl[53].setCaption(wide(item.price));
    lbl[55].setCaption(item.spellLink >= 1 ? "ＭＰあり" : "ＭＰなし");
    lbl[54].setCaption(item.specialPower >= 1 ? "ＳＰあり" : "ＳＰなし");
    lbl[52].setVisible(item.cursed != 0);
    for (const Mark& m : kRaces)
        lbl[static_cast<size_t>(m.label)].setVisible((item.raceMask & m.bit) != 0);
    for (const Mark& m : kSexes)
        lbl[static_cast<size_t>(m.label)].setVisible((item.sexMask & m.bit) != 0);
    for (const Mark& m : kAlignments)
        lbl[static_cast<size_t>(m.label)].setVisible((item.alignmentMask & m.bit) != 0);
    for (const Mark& m : kClasses)
        lbl[static_cast<size_t>(m.label)].setVisible((item.classMask & m.bit) != 0);
    lbl[33].setCaption(ToWide("AC " + std::to_string(item.armorBonus)));
    lbl[37].setCaption(ToWide("回復 " + std::to_string(item.regeneration)));
    static const char* const reaches[] = {"", "短距離", "中距離", "長距離"};
    lbl[38].setCaption(item.reach >= 1 && item.reach <= 3 ? reaches[item.reach] : "");
    lbl[39].setVisible(item.twoHanded != 0);
    lbl[40].setVisible(item.secondaryCapable != 0 && item.kind == 1);
    lbl[34].setCaption(wide(item.minimumHits) + "回攻撃");
    lbl[35].setCaption("ＳＴ " + wide(item.attackBonus));
    lbl[36].setCaption(dice(item.damageDiceCount, item.damageDiceSides, item.damageDiceBonus));
    fraSexAttribute.setVisible(all || level >= 6);
    fraClass.setVisible(all || level >= 15);
    fraEquip1.setVisible(all || level >= 25);
    fraEquip2.setVisible(all || level >= 70);
    lstCommand.setEnabled(false);
    fraInspect.setVisible(true);
    fraInspect.bringToFront();
}

void StatusSheet::ShowMonsterPage(const Character& m) {
    lblMonster[1].setCaption(m.name);
    lblMonster[0].setCaption(m.altName);
    lblMonster[2].setCaption("出現数　　　" +
                             dice(m.appearDiceCount, m.appearDiceSides, m.appearDiceBonus));
    lblMonster[11].setCaption("経験値 　　　" + ToWide(FormatNumberZero(m.experience)));
    lblMonster[3].setCaption("ＨＰ　　　　" + dice(m.hpDiceCount, m.hpDiceSides, m.hpDiceBonus));
    lblMonster[10].setCaption("ダメージ　　" +
                              dice(m.damageDiceCount, m.damageDiceSides, m.damageDiceBonus));
    lblMonster[9].setCaption("攻撃回数　　" + wide(m.attackCount));
    lblMonster[4].setCaption("ＡＣ　　　　" + wide(m.baseArmorClass));
    lblMonster[5].setCaption("力　　　　　" + wide(m.strength));
    lblMonster[6].setCaption("素早さ　　　" + wide(m.agility));
    lblMonster[7].setCaption("運　　　　　" + wide(m.luck));
    std::string attacks = "特殊攻撃";
    for (const StatusLine& s : kMonsterAttacks)
        if (s.index < m.meleeStatusChance.size() && m.meleeStatusChance[s.index] != 0)
            attacks += std::string("\n") + s.text;
    lblMonster[17].setCaption(attacks);
    std::string defences = "防御\n";
    for (const StatusLine& s : kMonsterDefences)
        defences += resistanceLine(m.resistances[s.index], s.text);
    lblMonster[18].setCaption(defences);
    lstCommand.setEnabled(false);
    fraMonster.setVisible(true);
    fraMonster.bringToFront();
}

// Every item command first needs something to act on.
bool StatusSheet::haveItems() {
    if (lstItem.listCount() > 0) return true;
    ShowMessage(game_, "アイテムを持ってません");
    return false;
}

void StatusSheet::openItemPanel(const std::string& title, const std::string& prompt,
                                std::function<void()> action, int firstLine) {
    itemAction_ = std::move(action);
    lblTitle.setCaption(title);
    lblMsg1.setCaption(prompt);
    lblMsg2.setCaption(kEnterHint);
    lstCommand.setEnabled(false);
    fraTitle.setVisible(true);
    lstItem.setEnabled(true);
    lstItem.setListIndex(std::clamp(firstLine, 0, std::max(lstItem.listCount() - 1, 0)));
    lstItem.setFocus();
}

void StatusSheet::closeItemPanel() {
    itemAction_ = nullptr;
    lstItem.setListIndex(-1);
    lstItem.setEnabled(false);
    fraTitle.setVisible(false);
    lstCommand.setEnabled(true);
    lstCommand.setFocus();
}

void StatusSheet::reselect(int line) {
    if (lstItem.listCount() == 0) {
        closeItemPanel();
        return;
    }
    lstItem.setListIndex(std::min(line, lstItem.listCount() - 1));
    lstItem.setFocus();
}

int StatusSheet::chosenSlot() const {
    const int line = lstItem.listIndex();
    return line >= 0 ? lstItem.itemData(line) : -1;
}

void StatusSheet::give() {
    if (!haveItems()) return;
    const int receiver = PickPartyMember(game_, true, "キャラクターを選んでください");
    if (receiver < 1) return;
    openItemPanel("アイテムを渡す", "どれを渡しますか？",
                  [this, receiver] { giveChosen(receiver); });
}

void StatusSheet::giveChosen(int receiver) {
    const int line = lstItem.listIndex();
    switch (GiveItem(game_, game_.currentCharacter, chosenSlot(), receiver)) {
        case GiveOutcome::Cursed:
            ShowMessage(game_, std::string(Message(1044)));
            return;
        case GiveOutcome::Worn:
            ShowMessage(game_, std::string(Message(1052)));
            return;
        case GiveOutcome::Full:
            ShowMessage(game_, std::string(Message(1053)));
            closeItemPanel();
            return;
        case GiveOutcome::PartlyGiven:
            ShowMessage(game_, std::string(Message(1053)));
            break;
        case GiveOutcome::Given:
            break;
    }
    BuildItemList();
    reselect(line);
}

void StatusSheet::poolGold() {
    Character* c = shown();
    if (!c) return;
    if (!PoolGold(game_, game_.currentCharacter)) {
        ShowMessage(game_, "これ以上お金を持てません");
        return;
    }
    ShowMessage(game_, "お金を集めました");
    DrawSheet();
}

void StatusSheet::drop() {
    if (!haveItems()) return;
    openItemPanel("アイテムを捨てる", std::string(Message(1040)), [this] {
        const int line = lstItem.listIndex();
        const std::string text = lstItem.list(line);
        switch (DropItem(game_, game_.currentCharacter, chosenSlot())) {
            case DropOutcome::Cursed:
                ShowMessage(game_, std::string(Message(1044)));
                return;
            case DropOutcome::Worn:
                ShowMessage(game_, std::string(Message(1052)));
                return;
            case DropOutcome::Undroppable:
                ShowMessage(game_, std::string(Message(1054)));
                return;
            case DropOutcome::Dropped:
                break;
        }
        // The line from its fourth character on: the mark and the name.
        lblMsg1.setCaption((text.size() > 3 ? text.substr(3) : text) + std::string(Message(1055)));
        lblMsg2.setCaption("");
        BuildItemList();
        reselect(line);
    });
}

void StatusSheet::use() {
    if (!haveItems()) return;
    openItemPanel("アイテムを使う", std::string(Message(1042)), [this] { useChosen(); });
}

void StatusSheet::useChosen() {
    Character* c = shown();
    const int slot = chosenSlot();
    if (!c || slot < 1 || slot > kInventorySlots) return;
    const ItemSlot held = c->items[static_cast<size_t>(slot)];
    const ItemRecord* item = itemAt(game_.db, held.itemId);
    if (!item) {
        ShowMessage(game_, std::string(Message(1062)));
        return;
    }
    if (item->useType == 1 || item->useType == 2) {
        RemoveItemUnits(*c, game_.db, slot, 1, game_.place.partyEffects);
        std::vector<int> known;
        for (int n = 1; n < kCounterCount; ++n) {
            const auto& counts =
                item->useType == 2 ? game_.save.itemFoundCounts : game_.save.defeatedCounts;
            if (counts[static_cast<size_t>(n)] > 0) known.push_back(n);
        }
        closeItemPanel();
        BuildItemList();
        if (known.empty()) {
            ShowMessage(game_, item->useType == 2 ? "大百科には何も載っていなかった・・・"
                                                  : "辞典には何も載っていなかった・・・");
            return;
        }
        const int pick = known[static_cast<size_t>(
            rollDice(game_.rng, 1, static_cast<int>(known.size()), 0) - 1)];
        if (item->useType == 2) {
            if (const ItemRecord* page = itemAt(game_.db, pick)) ShowItemPage(*page, -1);
        } else if (const Character* m = monsterAt(game_.db, pick)) {
            ShowMonsterPage(*m);
        }
        return;
    }
    // An item's spell: instruments play only for a singer, talismans and orbs work only
    // for one who knows them.
    const SpellRecord* spell = nullptr;
    if (item->spellLink != 0) {
        for (int i = 1; i <= 200 && i < static_cast<int>(game_.db.spellTable.size()); ++i) {
            if (game_.db.spellTable[static_cast<size_t>(i)].id == item->spellLink) {
                spell = &game_.db.spellTable[static_cast<size_t>(i)];
                break;
            }
        }
    }
    if ((item->kind == 9 && c->skills[47] == 0) || (item->kind == 12 && c->skills[44] == 0))
        spell = nullptr;
    if (!spell || !CallLink(game_.links.campCast, game_, spell->name, 0)) {
        ShowMessage(game_, std::string(Message(1062)));
        return;
    }
    if (!visible()) return;
    DrawSheet();
    const int line = lstItem.listIndex();
    BuildItemList();
    if (fraTitle.visible()) reselect(line);
}

void StatusSheet::identify() {
    if (!haveItems()) return;
    int first = 0;
    if (const Character* c = shown()) {
        for (int line = 0; line < lstItem.listCount(); ++line) {
            const int slot = lstItem.itemData(line);
            if (c->items[static_cast<size_t>(slot)].itemFlags & kItemUnidentified) {
                first = line;
                break;
            }
        }
    }
    openItemPanel(
        "アイテムを識別する", std::string(Message(1043)), [this] { identifyChosen(); }, first);
}

void StatusSheet::identifyChosen() {
    Character* c = shown();
    const int slot = chosenSlot();
    if (!c || slot < 1 || slot > kInventorySlots) return;
    if (!(c->items[static_cast<size_t>(slot)].itemFlags & kItemUnidentified)) {
        ShowMessage(game_, std::string(Message(1058)));
        return;
    }
    switch (IdentifyAttempt(game_, game_.currentCharacter, slot)) {
        case IdentifyOutcome::Identified: {
            ShowMessage(game_, std::string(Message(1049)));
            BuildItemList();
            int next = 0;
            for (int line = 0; line < lstItem.listCount(); ++line) {
                const int s = lstItem.itemData(line);
                if (c->items[static_cast<size_t>(s)].itemFlags & kItemUnidentified) {
                    next = line;
                    break;
                }
            }
            reselect(next);
            return;
        }
        case IdentifyOutcome::Frightened:
            ShowMessage(game_, std::string(Message(1050)));
            DrawSheet();
            closeItemPanel();
            BuildCommands();
            lstCommand.setFocus();
            return;
        case IdentifyOutcome::Failed:
            ShowMessage(game_, std::string(Message(1051)));
            closeItemPanel();
            return;
    }
}

void StatusSheet::appraise() {
    if (!haveItems()) return;
    openItemPanel("アイテムを鑑定する", "どれを鑑定しますか？", [this] { appraiseChosen(); });
}

void StatusSheet::appraiseChosen() {
    Character* c = shown();
    const int slot = chosenSlot();
    if (!c || slot < 1 || slot > kInventorySlots) return;
    const ItemSlot& s = c->items[static_cast<size_t>(slot)];
    const ItemRecord* item = itemAt(game_.db, s.itemId);
    closeItemPanel();
    if (s.itemFlags & kItemUnidentified) {
        ShowMessage(game_, "識別されていません");
        return;
    }
    if (!item || item->chestAllowed > c->level) {
        ShowMessage(game_, "鑑定できなかった・・・");
        return;
    }
    ShowItemPage(*item, c->level);
}

}  // namespace dv

#include "items/status_sheet.h"

#include <cstdio>
#include <string>

#include "characters/inventory.h"
#include "characters/party.h"
#include "characters/races_classes.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "core/window_of.h"
#include "ui/keys.h"
#include "ui/window_system.h"

namespace dv {

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 450;
constexpr int kFont = 14;
constexpr int kLine = 18;
const Color kCaptionColor = rgb(150, 170, 220);

std::string joinPoints(const Character& c, int kind) {
    std::string s;
    for (int level = 1; level <= 9; ++level) {
        if (level > 1) s += "/";
        s += std::to_string(c.spellPoints(kind, level));
    }
    return s;
}

struct Command {
    const char* text;
    char key;
};

}  // namespace

StatusSheet::StatusSheet(Ui& ui, Game& game) : Form(ui, "dfrmStatus"), game_(game) {
    move((640 - kWidth) / 2, (480 - kHeight) / 2, kWidth, kHeight);
    backColor = rgb(8, 10, 24);
    bordered = true;
    keyPreview = true;
    fraBack.move(0, 0, kWidth, kHeight);
    add(fraBack);

    auto value = [&](Label& l, int x, int y, int w, Align a = Align::Left) {
        l.setFont(Font::standard(kFont));
        l.wordWrap = false;
        l.alignment = a;
        l.move(x, y, w, kLine);
        fraBack.add(l);
    };
    for (size_t i = 0; i < lblStatu.size(); ++i)
        lblStatu[i].setName("lblStatu(" + std::to_string(i) + ")");
    for (size_t i = 0; i < lbl.size(); ++i)
        lbl[i].setName("lbl(" + std::to_string(i) + ")");

    // Name line and identity.
    value(lbl[7], 24, 20, 400);
    lbl[7].setFont(Font::standard(16));
    lbl[7].foreColor = rgb(255, 230, 150);
    value(lblStatu[0], 24, 44, 110);
    value(lbl[1], 140, 44, 80);
    value(lbl[2], 228, 44, 50);
    value(lbl[3], 284, 44, 24);

    // Record values on the left.
    struct Row {
        const char* caption;
        size_t index;
    };
    const Row left[] = {{"経験値", 1},   {"ゴールド", 2}, {"マークス", 3}, {"年齢", 4},
                        {"死亡回数", 5}, {"ＡＣ", 6},     {"歩数", 18},    {"逃走", 22},
                        {"勝利", 23},    {"周回", 24}};
    int y = 72;
    for (const Row& r : left) {
        addCaption(r.caption, 24, y, 72);
        value(lblStatu[r.index], 96, y, 126, Align::Right);
        y += kLine;
    }
    // Attributes in the middle.
    const Row attrs[] = {{"力", 17},     {"知恵", 8},    {"信仰心", 9}, {"生命力", 10},
                         {"器用さ", 11}, {"素早さ", 19}, {"運", 12},    {"魅力", 7}};
    y = 72;
    for (const Row& r : attrs) {
        addCaption(r.caption, 244, y, 64);
        value(lblStatu[r.index], 308, y, 32, Align::Right);
        y += kLine;
    }
    addCaption("ＨＰ", 244, 72 + 8 * kLine + 4, 40);
    value(lblStatu[15], 284, 72 + 8 * kLine + 4, 150);
    addCaption("状態", 244, 72 + 9 * kLine + 4, 40);
    value(lblStatu[16], 308, 72 + 9 * kLine + 4, 120);
    // Spell points of the four kinds.
    const Row spells[] = {{"魔", 13}, {"僧", 14}, {"錬", 20}, {"道", 21}};
    y = 72 + 10 * kLine + 12;
    for (const Row& r : spells) {
        addCaption(r.caption, 24, y, 24);
        value(lblStatu[r.index], 48, y, 230);
        y += kLine;
    }

    for (ListEx* l : {&lstCommand, &lstItem}) {
        l->setFont(Font::standard(kFont));
        l->setSelectionFont(Font::standard(kFont));
        fraBack.add(*l);
    }
    lstCommand.move(440, 20, 144, 270);
    lstCommand.accessKeyEnter = true;
    lstCommand.onEnter = [this] { chooseCommand(); };
    lstItem.move(296, 292, 288, 146);
    lstItem.accessKeyOn = false;
    lstItem.setEnabled(false);

    // The spell book covers the sheet from its top-left corner.
    picSpell.move(0, 0, kWidth, kHeight);
    picSpell.opaque = true;
    picSpell.backColor = rgb(12, 14, 30);
    picSpell.border = true;
    picSpell.setVisible(false);
    add(picSpell);
    const char* heads[4] = {"魔術", "僧侶", "錬金", "道術"};
    for (size_t k = 0; k < 4; ++k) {
        Label& h = spellHeads[k];
        h.setFont(Font::standard(kFont));
        h.foreColor = rgb(255, 230, 150);
        h.setCaption(heads[k]);
        h.move(12 + static_cast<int>(k) * 147, 8, 140, kLine);
        picSpell.add(h);
        for (int d = 1; d <= 9; ++d) {
            for (int n = 1; n <= 4; ++n) {
                Label& l = spellLabels[k][static_cast<size_t>(d * 10 + n)];
                l.setFont(Font::standard(12));
                l.wordWrap = false;
                // Three spells a level; a fourth never shows.
                int row = (d - 1) * 3 + std::min(n, 3) - 1;
                l.move(12 + static_cast<int>(k) * 147, 30 + row * 15, 140, 14);
                l.setVisible(false);
                picSpell.add(l);
            }
        }
    }

    onLoad = [this] { captionSpellBook(); };
    onActivate = [this] {
        if (drawn) return;
        drawn = true;
        DrawSheet();
        BuildItemList();
        BuildCommands();
        lstCommand.setFocus();
    };
    onUnload = [this] { drawn = false; };
    onKeyDown = [this](int& code, int) {
        if (code != keys::Enter && code != keys::Esc && code != keys::Back) return;
        if (picSpell.visible()) {
            code = 0;
            closePanels();
            return;
        }
        // As in every menu, Esc and Backspace take the last entry: "L)戻る".
        if (code != keys::Enter && lstCommand.shownAndEnabled() && lstCommand.listCount() > 0) {
            code = 0;
            lstCommand.setListIndex(lstCommand.listCount() - 1);
            chooseCommand();
        }
    };
    if (game.screens) game.screens->sheet = this;
}

StatusSheet::~StatusSheet() {
    if (game_.screens && game_.screens->sheet == this) game_.screens->sheet = nullptr;
}

void StatusSheet::dress(const SkinPictures& skin) {
    DressPanel(fraBack, skin);
    DressList(lstCommand, skin);
    DressList(lstItem, skin);
    bordered = !skin.complete;
}

Label& StatusSheet::addCaption(const std::string& text, int x, int y, int w) {
    captions.push_back(std::make_unique<Label>("caption"));
    Label& l = *captions.back();
    l.setFont(Font::standard(kFont));
    l.foreColor = kCaptionColor;
    l.wordWrap = false;
    l.setCaption(text);
    l.move(x, y, w, kLine);
    fraBack.add(l);
    return l;
}

void StatusSheet::captionSpellBook() {
    for (auto& kind : spellLabels)
        for (Label& l : kind)
            l.setCaption("");
    const auto& spells = game_.db.spellTable;
    for (size_t i = 1; i < spells.size() && i <= 200; ++i) {
        const SpellRecord& s = spells[i];
        int d = s.level;
        int n = s.number;
        // Only the book's own grid: kinds 0..3, levels 1..9, numbers 1..4.
        if (s.kind > 3 || d < 1 || d > 9 || n < 1 || n > 4) continue;
        spellLabels[s.kind][static_cast<size_t>(d * 10 + n)].setCaption(s.name);
    }
}

void StatusSheet::DrawSheet() {
    int slot = game_.currentCharacter;
    if (slot < 1 || slot >= kRosterSlots) return;
    Character& c = game_.save.roster[static_cast<size_t>(slot)];
    // The party's protection spells lower the armour class the fights read; the sheet
    // itself shows the base value.
    const std::int32_t effects = game_.place.partyEffects;
    c.armorClass = c.baseArmorClass - ((effects & 128) ? 5 : (effects & 64) ? 3 : 0);
    lbl[7].setCaption((c.completionMark == 1 ? "  ｜Ω｜" : "") + c.name);
    lbl[1].setCaption(ClassLabel(c.alignment, c.classBit));
    lbl[2].setCaption(std::string(RaceAbbreviation(c.race)));
    lbl[3].setCaption(c.sex == 1 ? "男" : "女");
    lblStatu[0].setCaption("LEVEL- " + std::to_string(c.level));
    lblStatu[1].setCaption(FormatNumberZero(c.experience));
    lblStatu[2].setCaption(FormatNumberZero(c.gold));
    lblStatu[3].setCaption(FormatNumberZero(c.marks));
    lblStatu[4].setCaption(std::to_string(c.age));
    lblStatu[5].setCaption(std::to_string(c.ripCount));
    lblStatu[6].setCaption(std::to_string(c.baseArmorClass));
    lblStatu[17].setCaption(std::to_string(c.strength));
    lblStatu[8].setCaption(std::to_string(c.wisdom));
    lblStatu[9].setCaption(std::to_string(c.piety));
    lblStatu[10].setCaption(std::to_string(c.vitality));
    lblStatu[11].setCaption(std::to_string(c.dexterity));
    lblStatu[12].setCaption(std::to_string(c.luck));
    lblStatu[19].setCaption(std::to_string(c.agility));
    lblStatu[7].setCaption(std::to_string(c.charm));
    lblStatu[13].setCaption(joinPoints(c, 0));
    lblStatu[14].setCaption(joinPoints(c, 1));
    lblStatu[20].setCaption(joinPoints(c, 2));
    lblStatu[21].setCaption(joinPoints(c, 3));
    lblStatu[15].setCaption(FieldRight(std::to_string(c.hitPoints), 8) + "／" +
                            FieldRight(std::to_string(c.maxHitPoints), 8));
    lblStatu[16].setCaption(std::string(StatusName(c.status)));
    lblStatu[18].setCaption(FormatNumberZero(c.stepsWalked));
    lblStatu[22].setCaption(FormatNumberZero(c.escapes));
    lblStatu[23].setCaption(FormatNumberZero(c.victories));
    lblStatu[24].setCaption(FormatNumberZero(c.cycleCount));
    fraBack.refresh();
}

void StatusSheet::BuildItemList() {
    lstItem.setRedraw(false);
    lstItem.clear();
    int slot = game_.currentCharacter;
    if (slot >= 1 && slot < kRosterSlots) {
        const Character& c = game_.save.roster[static_cast<size_t>(slot)];
        for (const InventoryRow& row : InventoryLines(game_.db, c, kSheetLines)) {
            lstItem.addItem(row.text);
            lstItem.setItemData(lstItem.newIndex(), row.slot);
        }
    }
    lstItem.setRedraw(true);
    lstItem.setListIndex(-1);
}

void StatusSheet::BuildCommands() {
    std::vector<std::string> cmds;
    int slot = game_.currentCharacter;
    std::int32_t status = (slot >= 1 && slot < kRosterSlots)
                              ? game_.save.roster[static_cast<size_t>(slot)].status
                              : 0;
    const Character* c = (slot >= 1 && slot < kRosterSlots)
                             ? &game_.save.roster[static_cast<size_t>(slot)]
                             : nullptr;
    if (game_.sheetMode == kSheetTown) {
        cmds = {"E)装備", "T)渡す", "P)お金を集める", "D)捨てる", "K)スキル"};
    } else if (game_.sheetMode == kSheetCamp) {
        if (status & (2 | 2048 | 8192 | 16384 | 32768 | 65536)) {
            cmds = {"T)渡す", "P)お金を集める"};
        } else {
            cmds = {"S)呪文を唱える", "E)装備",   "T)渡す",  "U)使う",
                    "P)お金を集める", "D)捨てる", "K)スキル"};
        }
        if (c && !(status & (1 | 2 | 4 | 16 | 32 | 2048 | 8192 | 16384 | 32768 | 65536))) {
            if (c->skills[42]) cmds.push_back("I)識別する");
            if (c->skills[49]) cmds.push_back("J)鑑定");
            if (c->skills[60]) cmds.push_back("M)錬金術");
        }
    }
    if (game_.sheetMode == kSheetTown || game_.sheetMode == kSheetCamp) {
        cmds.push_back("N)次へ");
        cmds.push_back("B)前へ");
    }
    cmds.push_back("R)呪文書を読む");
    cmds.push_back("L)戻る");
    lstCommand.setRedraw(false);
    lstCommand.clear();
    for (const auto& t : cmds)
        lstCommand.addItem(t);
    lstCommand.setRedraw(true);
    lstCommand.setEnabled(true);
    lstCommand.setListIndex(0);
}

void StatusSheet::chooseCommand() {
    std::string text = lstCommand.list(lstCommand.listIndex());
    if (text.empty()) return;
    switch (text[0]) {
        case 'R':
            readSpellBook();
            break;
        case 'N':
            page(1);
            break;
        case 'B':
            page(-1);
            break;
        case 'L':
            SaveGame(game_);
            hide();
            unload();
            break;
        default:
            // The item, equipment, skill and spell commands open their own windows.
            break;
    }
}

void StatusSheet::readSpellBook() {
    int slot = game_.currentCharacter;
    if (slot < 1 || slot >= kRosterSlots) return;
    const Character& c = game_.save.roster[static_cast<size_t>(slot)];
    for (size_t k = 0; k < 4; ++k)
        for (int d = 1; d <= 9; ++d)
            for (int n = 1; n <= 3; ++n)
                spellLabels[k][static_cast<size_t>(d * 10 + n)].setVisible(
                    c.spellsKnown(static_cast<int>(k), d, n) != 0);
    lstCommand.setEnabled(false);
    picSpell.setVisible(true);
    picSpell.bringToFront();
}

void StatusSheet::closePanels() {
    picSpell.setVisible(false);
    lstCommand.setEnabled(true);
    lstCommand.setFocus();
}

void StatusSheet::page(int step) {
    Place& p = game_.place;
    if (p.partyCount < 1) return;
    int sel = game_.selectedMember + step;
    if (sel > p.partyCount) sel = 1;
    if (sel < 1) sel = p.partyCount;
    game_.selectedMember = sel;
    game_.currentCharacter = p.partyMembers[static_cast<size_t>(sel)];
    DrawSheet();
    BuildItemList();
    BuildCommands();
    lstCommand.setFocus();
}

void OpenSheet(Game& game, int slot, int mode) {
    game.currentCharacter = slot;
    game.sheetMode = mode;
    StatusSheet& sheet = WindowOf<StatusSheet>(game);
    Form* owner = nullptr;
    for (Form* f : game.screens->ui->forms())
        if (f->isModal() && f != &sheet) owner = f;
    if (!owner) owner = game.screens->main;
    sheet.showModal(owner);
}

}  // namespace dv

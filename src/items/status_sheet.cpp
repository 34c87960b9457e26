#include "items/status_sheet.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "characters/equipment_rules.h"
#include "characters/inventory.h"
#include "characters/party.h"
#include "characters/races_classes.h"
#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "core/window_of.h"
#include "items/alchemy_window.h"
#include "items/equipment_window.h"
#include "items/skill_window.h"
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

struct CommandText {
    SheetCommand id;
    int message;
};
constexpr CommandText kCommandTexts[] = {
    {SheetCommand::Cast, 1304},      {SheetCommand::Equip, 1300},    {SheetCommand::Give, 1301},
    {SheetCommand::Use, 1322},       {SheetCommand::PoolGold, 1302}, {SheetCommand::Drop, 1303},
    {SheetCommand::Skills, 1331},    {SheetCommand::Identify, 1305}, {SheetCommand::Appraise, 1323},
    {SheetCommand::Alchemy, 1329},   {SheetCommand::Next, 1324},     {SheetCommand::Previous, 1325},
    {SheetCommand::SpellBook, 1306}, {SheetCommand::Leave, 1307},
};

std::string commandText(SheetCommand id) {
    for (const CommandText& c : kCommandTexts)
        if (c.id == id) return std::string(Message(c.message));
    return "";
}

// Statuses that keep a character in camp from acting at all, and from the careful work
// of identifying, appraising and alchemy.
constexpr std::int32_t kCampCannotAct = 2 | 2048 | 8192 | 16384 | 32768 | 65536;
constexpr std::int32_t kCampNoCraft = 1 | 2 | 4 | 16 | 32 | 2048 | 8192 | 16384 | 32768 | 65536;

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
    for (size_t i = 0; i < lblMonster.size(); ++i)
        lblMonster[i].setName("lblMonster(" + std::to_string(i) + ")");

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
        addCaption(fraBack, r.caption, 24, y, 72);
        value(lblStatu[r.index], 96, y, 126, Align::Right);
        y += kLine;
    }
    // Attributes in the middle.
    const Row attrs[] = {{"力", 17},     {"知恵", 8},    {"信仰心", 9}, {"生命力", 10},
                         {"器用さ", 11}, {"素早さ", 19}, {"運", 12},    {"魅力", 7}};
    y = 72;
    for (const Row& r : attrs) {
        addCaption(fraBack, r.caption, 244, y, 64);
        value(lblStatu[r.index], 308, y, 32, Align::Right);
        y += kLine;
    }
    addCaption(fraBack, "ＨＰ", 244, 72 + 8 * kLine + 4, 40);
    value(lblStatu[15], 284, 72 + 8 * kLine + 4, 150);
    addCaption(fraBack, "状態", 244, 72 + 9 * kLine + 4, 40);
    value(lblStatu[16], 308, 72 + 9 * kLine + 4, 120);
    // Spell points of the four kinds.
    const Row spells[] = {{"魔", 13}, {"僧", 14}, {"錬", 20}, {"道", 21}};
    y = 72 + 10 * kLine + 12;
    for (const Row& r : spells) {
        addCaption(fraBack, r.caption, 24, y, 24);
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
    lstItem.onEnter = [this] {
        if (itemAction_ && lstItem.listIndex() >= 0) itemAction_();
    };
    lstItem.onKeyDown = [this](int& code, int) {
        if (code != keys::Esc && code != keys::Back) return;
        code = 0;
        closeItemPanel();
    };

    // The item prompt, under the spell points.
    fraTitle.move(16, 346, 272, 92);
    fraTitle.opaque = true;
    fraTitle.backColor = rgb(16, 20, 48);
    fraTitle.border = true;
    fraTitle.setVisible(false);
    fraBack.add(fraTitle);
    for (Label* l : {&lblTitle, &lblMsg1, &lblMsg2}) {
        l->setFont(Font::standard(kFont));
        fraTitle.add(*l);
    }
    lblTitle.foreColor = rgb(255, 230, 150);
    lblTitle.wordWrap = false;
    lblTitle.move(8, 4, 256, kLine);
    lblMsg1.move(8, 24, 256, 2 * kLine);
    lblMsg2.move(8, 66, 256, kLine);
    lblMsg2.setFont(Font::standard(12));
    lblMsg2.foreColor = kCaptionColor;

    layoutItemPage();
    layoutMonsterPage();

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
        if (closePanels()) {
            code = 0;
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

Label& StatusSheet::addCaption(Control& parent, const std::string& text, int x, int y, int w) {
    captions.push_back(std::make_unique<Label>("caption"));
    Label& l = *captions.back();
    l.setFont(Font::standard(kFont));
    l.foreColor = kCaptionColor;
    l.wordWrap = false;
    l.setCaption(text);
    l.move(x, y, w, kLine);
    parent.add(l);
    return l;
}

Character* StatusSheet::shown() {
    const int slot = game_.currentCharacter;
    if (slot < 1 || slot >= kRosterSlots) return nullptr;
    return &game_.save.roster[static_cast<size_t>(slot)];
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
    Character* shownCharacter = shown();
    if (!shownCharacter) return;
    Character& c = *shownCharacter;
    // The party's protection spells lower the armour class the fights read; the sheet
    // itself shows the base value.
    c.armorClass = ProtectedArmorClass(c.baseArmorClass, game_.place.partyEffects);
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
    if (Character* c = shown()) {
        CompactInventory(*c);
        RefreshAllUsable(*c, game_.db);
        for (const InventoryRow& row : InventoryLines(game_.db, *c, kSheetLines)) {
            lstItem.addItem(row.text);
            lstItem.setItemData(lstItem.newIndex(), row.slot);
        }
    }
    lstItem.setRedraw(true);
    lstItem.setListIndex(-1);
}

void StatusSheet::BuildCommands() {
    commands_.clear();
    using C = SheetCommand;
    const Character* c = shown();
    const std::int32_t status = c ? c->status : 0;
    if (game_.sheetMode == kSheetTown) {
        commands_ = {C::Equip, C::Give, C::PoolGold, C::Drop, C::Skills};
    } else if (game_.sheetMode == kSheetCamp) {
        if (status & kCampCannotAct) {
            commands_ = {C::Give, C::PoolGold};
        } else {
            commands_ = {C::Cast, C::Equip, C::Give, C::Use, C::PoolGold, C::Drop, C::Skills};
        }
        if (c && !(status & kCampNoCraft)) {
            if (c->skills[42]) commands_.push_back(C::Identify);
            if (c->skills[49]) commands_.push_back(C::Appraise);
            if (c->skills[60]) commands_.push_back(C::Alchemy);
        }
    }
    if (game_.sheetMode == kSheetTown || game_.sheetMode == kSheetCamp) {
        commands_.push_back(C::Next);
        commands_.push_back(C::Previous);
    }
    commands_.push_back(C::SpellBook);
    commands_.push_back(C::Leave);
    lstCommand.setRedraw(false);
    lstCommand.clear();
    for (SheetCommand id : commands_) {
        lstCommand.addItem(commandText(id));
        lstCommand.setItemData(lstCommand.newIndex(), static_cast<int>(id));
    }
    lstCommand.setRedraw(true);
    lstCommand.setEnabled(true);
    lstCommand.setListIndex(0);
}

SheetCommand StatusSheet::commandAt(int line) const {
    return static_cast<SheetCommand>(lstCommand.itemData(line));
}

void StatusSheet::chooseCommand() {
    const int line = lstCommand.listIndex();
    if (line < 0) return;
    switch (commandAt(line)) {
        case SheetCommand::Cast:
            cast();
            break;
        case SheetCommand::Equip:
            equip();
            break;
        case SheetCommand::Give:
            give();
            break;
        case SheetCommand::Use:
            use();
            break;
        case SheetCommand::PoolGold:
            poolGold();
            break;
        case SheetCommand::Drop:
            drop();
            break;
        case SheetCommand::Skills:
            skills();
            break;
        case SheetCommand::Identify:
            identify();
            break;
        case SheetCommand::Appraise:
            appraise();
            break;
        case SheetCommand::Alchemy:
            alchemy();
            break;
        case SheetCommand::SpellBook:
            readSpellBook();
            break;
        case SheetCommand::Next:
            page(1);
            break;
        case SheetCommand::Previous:
            page(-1);
            break;
        case SheetCommand::Leave:
            SaveGame(game_);
            hide();
            unload();
            break;
    }
}

void StatusSheet::readSpellBook() {
    const Character* c = shown();
    if (!c) return;
    for (size_t k = 0; k < 4; ++k)
        for (int d = 1; d <= 9; ++d)
            for (int n = 1; n <= 3; ++n)
                spellLabels[k][static_cast<size_t>(d * 10 + n)].setVisible(
                    c->spellsKnown(static_cast<int>(k), d, n) != 0);
    lstCommand.setEnabled(false);
    picSpell.setVisible(true);
    picSpell.bringToFront();
}

bool StatusSheet::closePanels() {
    if (!picSpell.visible() && !fraInspect.visible() && !fraMonster.visible()) return false;
    picSpell.setVisible(false);
    fraInspect.setVisible(false);
    fraMonster.setVisible(false);
    lstCommand.setEnabled(true);
    lstCommand.setFocus();
    return true;
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

void StatusSheet::equip() {
    Character* c = shown();
    if (!c) return;
    OpenEquipment(game_);
    // What the window changed takes effect now: the powers of carried items, the skills
    // the worn items allow, then the values the equipment gives.
    ResetDerived(*c);
    ReleasePowers(game_);
    ChooseSkills(game_, game_.currentCharacter);
    ResetDerived(*c);
    ApplyEquipment(*c, game_.db, game_.place.partyEffects);
    BuildCommands();
    DrawSheet();
    BuildItemList();
    lstCommand.setFocus();
}

void StatusSheet::skills() {
    if (!shown()) return;
    ChooseSkills(game_, game_.currentCharacter);
    BuildCommands();
    DrawSheet();
    lstCommand.setFocus();
}

void StatusSheet::alchemy() {
    Character* c = shown();
    if (!c) return;
    if (!haveItems()) return;
    std::array<int, 2> materials{};
    const int recipe = ChooseRecipe(game_, materials);
    MakeRecipe(game_, recipe, materials);
    BuildItemList();
    lstCommand.setFocus();
}

void StatusSheet::cast() {
    const std::string answer =
        PromptDialog(game_, std::string(Message(1041)), kPromptInput, lastSpell_);
    if (answer.empty()) return;
    lastSpell_ = answer;
    // Camp casting belongs to the spells; without them nothing happens.
    if (!CallLink(game_.links.campCast, game_, answer, -1))
        ShowMessage(game_, std::string(Message(1062)));
    if (!visible()) return;
    DrawSheet();
    BuildItemList();
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

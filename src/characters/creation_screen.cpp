#include "characters/creation_screen.h"

#include <exception>
#include <string>
#include <vector>

#include "characters/class_change.h"
#include "characters/name_entry.h"
#include "characters/roster_window.h"
#include "core/command_menu.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "ui/keys.h"

namespace dv {

namespace {

constexpr int kFont = 16;
constexpr int kRow = 16;
constexpr int kRowGap = 4;  // pixels between two bonus rows
const char* const kAttributeNames[8] = {"力",     "知恵",   "信仰心", "生命力",
                                        "器用さ", "素早さ", "運",     "魅力"};

struct StepItem {
    const char* text;
    std::int32_t data;
};
const std::vector<StepItem> kRaces = {
    {"人間", 1},        {"エルフ", 2},    {"ドワーフ", 4}, {"ノーム", 8}, {"ホビット", 16},
    {"フェアリー", 32}, {"ドラゴン", 64}, {"悪魔", 128},   {"天使", 256}, {"シルヴァ", 1024}};
const std::vector<StepItem> kAlignments = {{"秩序", 1}, {"中立", 2}, {"混沌", 4}};
const std::vector<StepItem> kSexes = {{"男", 1}, {"女", 2}};
const std::vector<StepItem> kConfirm = {{"はい", 1}, {"いいえ", 0}};

void fill(ListEx& list, const char* caption, const std::vector<StepItem>& items) {
    list.setRedraw(false);
    list.clear();
    list.setCaption(caption);
    for (const auto& it : items) {
        list.addItem(it.text);
        list.setItemData(list.newIndex(), it.data);
    }
    list.setRedraw(true);
    list.setListIndex(0);
}

}  // namespace

void CreationScreen::attach(MainWindow& main, Game& game) {
    main_ = &main;
    game_ = &game;

    lstMaking.move(170, 90, 300, 250);
    lstMaking.setFont(Font::standard(kFont));
    lstMaking.setSelectionFont(Font::standard(kFont));
    lstMaking.accessKeyOn = false;
    lstMaking.setVisible(false);
    lstMaking.onEnter = [this] { makingEnter(); };
    lstMaking.onKeyDown = [this](int& code, int) {
        // Backing out leaves creation with nothing made.
        if (code == keys::Esc || code == keys::Back) {
            code = 0;
            finish();
        }
    };
    main.add(lstMaking);

    fraBounas.move(24, 84, 592, 272);
    fraBounas.caption = "ボーナスポイントを割り振ってください";
    fraBounas.captionFont = Font::standard(kFont);
    fraBounas.setVisible(false);
    main.add(fraBounas);
    for (ListEx* l : {&lstStatus, &lstClass}) {
        l->setFont(Font::standard(kFont));
        l->setSelectionFont(Font::standard(kFont));
        l->accessKeyOn = false;
        fraBounas.add(*l);
    }
    lstStatus.onKeyDown = [this](int& code, int) { statusKeyDown(code); };
    lstClass.onGotFocus = [this] { classGotFocus(); };
    lstClass.onKeyDown = [this](int& code, int) {
        if (code == keys::Left || code == keys::Right) {
            code = 0;
            lstStatus.setFocus();
        } else if (code == keys::Esc || code == keys::Back) {
            code = 0;
            finish();
        }
    };
    lstClass.onEnter = [this] { chooseClass(); };
    lstClass.setCaption("職業");
    for (size_t i = 0; i < 8; ++i) {
        lblPoint[i].setName("lblPoint(" + std::to_string(i) + ")");
        lblAttrLimit[i].setName("lblAttrLimit(" + std::to_string(i) + ")");
        for (Label* l : {&lblPoint[i], &lblAttrLimit[i]}) {
            l->setFont(Font::standard(kFont));
            l->wordWrap = false;
            fraBounas.add(*l);
        }
        lblPoint[i].alignment = Align::Right;
        lblAttrLimit[i].foreColor = rgb(150, 160, 200);
    }
    for (Label* l : {&lblBounasCaption, &lblBounasPoint, &lblHelp}) {
        l->setFont(Font::standard(kFont));
        fraBounas.add(*l);
    }
    lblBounasCaption.setCaption("残りポイント");
    lblBounasPoint.alignment = Align::Right;
    lblBounasPoint.foreColor = rgb(255, 230, 150);
    lblHelp.foreColor = rgb(170, 180, 210);
    lblHelp.setFont(Font::standard(12));
    lblHelp.setCaption("←→で増減　Ｅｎｔｅｒで職業へ\r職業を選んでＥｎｔｅｒで決定");

    lstClassChange.move(170, 64, 300, 292);
    lstClassChange.setFont(Font::standard(kFont));
    lstClassChange.setSelectionFont(Font::standard(kFont));
    lstClassChange.accessKeyOn = false;
    lstClassChange.setVisible(false);
    lstClassChange.onEnter = [this] { classChangeEnter(); };
    lstClassChange.onKeyDown = [this](int& code, int) {
        if (code == keys::Esc || code == keys::Back) {
            code = 0;
            closeClassChange();
        }
    };
    main.add(lstClassChange);
    dress(SkinPictures{});
}

void CreationScreen::dress(const SkinPictures& skin) {
    DressList(lstMaking, skin);
    DressList(lstClassChange, skin);
    DressPanel(fraBounas, skin);
    Rect in = fraBounas.innerRect();
    int top = in.y + 24;
    // Rows with room between them, so no glyph or highlight reaches the row above; the
    // values beside the list sit on its rows.
    lstStatus.listHeight = kRowGap;
    const int listH = lstStatus.heightForRows(8);
    lstStatus.move(in.x + 8, top, 112, listH);
    lstClass.move(in.x + in.w - 200, top, 192, in.h - 32);
    const int textHeight = lstStatus.font()->height();
    for (size_t i = 0; i < 8; ++i) {
        int y = top + lstStatus.visibleRowTop(static_cast<int>(i)) + kRowGap / 2;
        lblPoint[i].move(in.x + 124, y, 40, textHeight);
        lblAttrLimit[i].move(in.x + 172, y, 64, textHeight);
    }
    const int below = top + listH + 6;
    lblBounasCaption.move(in.x + 8, below, 120, kRow + 2);
    lblBounasPoint.move(in.x + 124, below, 40, kRow + 2);
    lblHelp.move(in.x + 8, below + kRow + 6, 260, 32);
}

void CreationScreen::start() {
    Game& game = *game_;
    MainWindow& m = *main_;
    if (RosterCount(game.save) > 49) {
        ShowMessage(game, "これ以上作れませんよ");
        return;
    }
    m.lstCommandList.setVisible(false);
    std::string name = AskName(game, "名前を入力してください");
    if (name.empty()) {
        m.lstCommandList.setVisible(true);
        m.lstCommandList.setFocus();
        return;
    }
    if (int slot = SlotWithName(game.save, name); slot > 0) {
        // Inspection only: nothing on the sheet may change the character here.
        CallLink(game.links.openSheet, game, slot, 0);
        m.lbl.setCaption("");
        m.lstCommandList.setVisible(true);
        m.lstCommandList.setFocus();
        return;
    }
    choice = CreationChoice{};
    choice.name = name;
    m.lbl.setCaption("名前：" + name);
    m.lbl.setVisible(true);
    showStep(1);
}

void CreationScreen::showStep(int step) {
    creationStep = step;
    switch (step) {
        case 1:
            fill(lstMaking, "種族を選んでください", kRaces);
            break;
        case 2:
            fill(lstMaking, "属性を選んでください", kAlignments);
            break;
        case 3:
            fill(lstMaking, "性別を選んでください", kSexes);
            break;
        default:
            fill(lstMaking, "このキャラクターを使いますか？", kConfirm);
            break;
    }
    lstMaking.setVisible(true);
    lstMaking.bringToFront();
    lstMaking.setFocus();
}

void CreationScreen::makingEnter() {
    int i = lstMaking.listIndex();
    if (i < 0) return;
    std::int32_t data = lstMaking.itemData(i);
    std::string text = lstMaking.list(i);
    Label& lbl = main_->lbl;
    switch (creationStep) {
        case 1:
            choice.race = data;
            lbl.setCaption(lbl.caption() + "\r種族：" + std::string(RaceAbbreviation(data)));
            if (data == 128 || data == 256) {
                choice.alignment = data == 128 ? kChaotic : kLawful;
                showStep(3);
            } else {
                showStep(2);
            }
            break;
        case 2:
            choice.alignment = data;
            lbl.setCaption(lbl.caption() + "　　属性：" + text);
            showStep(3);
            break;
        case 3: {
            choice.sex = data;
            lbl.setCaption(lbl.caption() + "　　性別：" + text);
            creationStep = 4;
            lstMaking.setVisible(false);
            bonusPoints = RollBonusPoints(game_->rng);
            values = StartingAttributes(choice.race, choice.sex);
            startValues = values;
            lstStatus.setRedraw(false);
            lstStatus.clear();
            for (const char* n : kAttributeNames)
                lstStatus.addItem(n);
            lstStatus.setRedraw(true);
            lstStatus.setListIndex(0);
            showValues();
            rebuildClassList();
            fraBounas.setVisible(true);
            fraBounas.bringToFront();
            lstStatus.setFocus();
            break;
        }
        default:
            if (data == 1) {
                CommitCharacter(game_->save, choice, game_->rng);
                SaveGame(*game_);
            }
            finish();
            break;
    }
}

void CreationScreen::showValues() {
    for (size_t i = 0; i < 8; ++i) {
        lblPoint[i].setCaption(std::to_string(values[i]));
        int limit = AttributeLimit(choice.race, static_cast<int>(i) + 1, false, choice.sex);
        lblAttrLimit[i].setCaption("/ " + std::to_string(limit));
    }
    lblBounasPoint.setCaption(std::to_string(bonusPoints));
}

void CreationScreen::setValue(int row, int value) {
    values[static_cast<size_t>(row)] = static_cast<std::uint8_t>(value);
    showValues();
    rebuildClassList();
}

void CreationScreen::rebuildClassList() {
    lstClass.setRedraw(false);
    lstClass.clear();
    for (int k = 0; k < kClassCount; ++k) {
        if (!ClassAllowed(k, values, choice.alignment, choice.sex)) continue;
        std::int32_t bit = std::int32_t{1} << k;
        lstClass.addItem(std::string(ClassName(bit)));
        lstClass.setItemData(lstClass.newIndex(), bit);
    }
    lstClass.setRedraw(true);
    lstClass.setListIndex(-1);
}

void CreationScreen::statusKeyDown(int& code) {
    int i = lstStatus.listIndex();
    if (code == keys::Left || code == keys::Right) {
        if (i >= 0 && i < 8) {
            size_t r = static_cast<size_t>(i);
            int limit = AttributeLimit(choice.race, i + 1, false, choice.sex);
            if (code == keys::Left && values[r] > startValues[r]) {
                ++bonusPoints;
                setValue(i, values[r] - 1);
            } else if (code == keys::Right && values[r] < limit && bonusPoints != 0) {
                --bonusPoints;
                setValue(i, values[r] + 1);
            }
        }
        code = 0;
    } else if (code == keys::Enter) {
        code = 0;
        if (bonusPoints == 0) lstClass.setFocus();
    } else if (code == keys::Esc || code == keys::Back) {
        code = 0;
        finish();
    }
}

void CreationScreen::classGotFocus() {
    if (bonusPoints == 0 && lstClass.listCount() > 0) {
        lstClass.setListIndex(0);
    } else {
        lstStatus.setFocus();
    }
}

void CreationScreen::chooseClass() {
    int i = lstClass.listIndex();
    if (i < 0 || bonusPoints != 0) return;
    choice.classBit = lstClass.itemData(i);
    choice.attributes = values;
    startValues = values;
    fraBounas.setVisible(false);
    main_->lbl.setCaption(main_->lbl.caption() + "　　職業：" +
                          std::string(ClassName(choice.classBit)));
    showStep(4);
}

// Back to the training grounds, whether or not a character was made.
void CreationScreen::finish() {
    lstMaking.setVisible(false);
    fraBounas.setVisible(false);
    main_->lbl.setCaption("");
    creationStep = 0;
    BuildMenu(*game_, 10);
}

void CreationScreen::startClassChange() {
    Game& game = *game_;
    MainWindow& m = *main_;
    if (!ClassChangeAvailable(game.save)) {
        ShowMessage(game, std::string(kNoCharacterMessage));
        return;
    }
    int slot = PickCharacter(game, 4, &m);
    if (slot < 1 || slot >= kRosterSlots) return;
    classChangeSlot_ = slot;
    const Character& c = game.save.roster[static_cast<size_t>(slot)];
    std::vector<std::int32_t> classes = AllowedClasses(c);
    if (classes.empty()) {
        ShowMessage(game, std::string(kNoClassMessage));
        return;
    }
    lstClassChange.setRedraw(false);
    lstClassChange.clear();
    lstClassChange.setCaption(std::string(kClassListCaption));
    for (std::int32_t bit : classes) {
        lstClassChange.addItem(std::string(ClassName(bit)));
        lstClassChange.setItemData(lstClassChange.newIndex(), bit);
    }
    lstClassChange.addItem(std::string(kStopItem));
    lstClassChange.setItemData(lstClassChange.newIndex(), 0);
    lstClassChange.setRedraw(true);
    lstClassChange.setListIndex(0);
    m.lstCommandList.setVisible(false);
    lstClassChange.setVisible(true);
    lstClassChange.bringToFront();
    lstClassChange.setFocus();
}

void CreationScreen::classChangeEnter() {
    Game& game = *game_;
    int i = lstClassChange.listIndex();
    if (i < 0) return;
    std::int32_t bit = lstClassChange.itemData(i);
    if (bit == 0 || classChangeSlot_ < 1 || classChangeSlot_ >= kRosterSlots) {
        closeClassChange();
        return;
    }
    Character& c = game.save.roster[static_cast<size_t>(classChangeSlot_)];
    if (bit == c.classBit) {
        ShowMessage(game, std::string(kSameClassMessage));
        closeClassChange();
        return;
    }
    if (AskYesNo(game, ClassChangeQuestion(c, bit))) {
        // An error abandons the change with the record intact and is shown by the event
        // loop; the list stays open.
        const std::string done = ApplyClassChange(c, bit, game.db, game.rng);
        SaveGame(game);
        ShowMessage(game, done);
    }
    closeClassChange();
}

void CreationScreen::closeClassChange() {
    lstClassChange.setVisible(false);
    main_->lstCommandList.setVisible(true);
    main_->lstCommandList.setFocus();
}

}  // namespace dv

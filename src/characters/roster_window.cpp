#include "characters/roster_window.h"

#include <cstdio>
#include <string>

#include "characters/creation_rules.h"
#include "characters/inventory.h"
#include "characters/name_entry.h"
#include "characters/party.h"
#include "characters/races_classes.h"
#include "characters/roster_rules.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "core/window_of.h"
#include "ui/keys.h"
#include "ui/utf8.h"

namespace dv {

namespace {

constexpr int kListFont = 12;
constexpr int kPreviewFont = 12;
const char* const kBack = "Ｒ）戻る";

std::string fieldNumber(double v, std::size_t width) {
    return FieldRight(FormatNumberZero(v), width);
}

// A text cut to its column: a name of fifty characters must not push the level, class and
// race of its line out of their columns.
std::string column(const std::string& text, std::size_t width) {
    std::u32string chars = decodeUtf8(text);
    if (chars.size() > width) chars.resize(width);
    return FieldLeft(encodeUtf8(chars), width);
}

}  // namespace

std::string RosterLine(const Character& c, int position) {
    std::string line = FieldLeft(std::to_string(position), 2) + "）";
    line += column(c.name, 13) + " " + "ＬＶ";
    line += FieldRight(std::to_string(c.level), 5);
    line += " " + FieldLeft(ClassLabel(c.alignment, c.classBit), 5);
    line += " " + FieldLeft(RaceAbbreviation(c.race), 3) + " ";
    line = ToWide(line);
    if (c.status & kStatusAshes)
        line += "Ａｓｈｅｓ．";
    else if (c.status & kStatusDead)
        line += "Ｄｅａｄ．";
    if (c.floor != 0) line += "Ｏｕｔ";
    return line;
}

std::vector<int> PickerSlots(const Game& game, int mode, bool refill) {
    if (mode == kPickJoinParty) {
        if (refill && PartyAlignmentMask(game) == 7) return {};
        return JoinCandidates(game);
    }
    std::vector<int> out;
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        const Character& c = game.save.roster[static_cast<size_t>(slot)];
        if (c.rosterId <= 0) continue;
        if (mode == kPickResume && c.floor == 0) continue;
        if (mode == kPickClassChange && c.floor != 0) continue;
        out.push_back(slot);
    }
    return out;
}

CharacterListWindow::CharacterListWindow(Ui& ui, Game& game)
    : Form(ui, "frmCharacterList"), game_(game) {
    move(0, 0, 640, 480);
    backColor = rgb(8, 10, 24);
    add(lstCharacter);
    lstCharacter.setFont(Font::standard(kListFont));
    lstCharacter.setSelectionFont(Font::standard(kListFont));
    lstCharacter.listHeight = 2;
    // Lines start with full-width digits; only R and r reach "Ｒ）戻る".
    lstCharacter.accessKeyOn = false;
    lstCharacter.onEnter = [this] { choose(); };
    lstCharacter.onClick = [this] { showPreview(); };
    lstCharacter.onKeyDown = [this](int& code, int) {
        if (code == keys::Esc || code == keys::Back || code == 'R' || code == 'r') {
            code = 0;
            reorderPending = false;
            lstCharacter.setListIndex(lstCharacter.listCount() - 1);
            close();
        }
    };
    add(picPreview);
    for (Label* l : {&lblLevel, &lblClassLabel, &lblRace, &lblSex, &lblNumbers, &lblAttributes,
                     &lblItems1, &lblItems2}) {
        l->setFont(Font::standard(kPreviewFont));
        l->wordWrap = false;
        picPreview.add(*l);
    }
    lblLevel.foreColor = rgb(255, 230, 150);
    layout();
}

void CharacterListWindow::dress(const SkinPictures& skin) {
    DressList(lstCharacter, skin);
    DressPanel(picPreview, skin);
    layout();
}

// The list across the top, the preview under it: a line of the list is as wide as the
// window, so the two cannot stand side by side.
void CharacterListWindow::layout() {
    lstCharacter.move(4, 4, 632, 268);
    picPreview.move(4, 276, 632, 200);
    Rect in = picPreview.innerRect();
    int x = in.x + 8;
    int y = in.y + 6;
    int line = 15;
    lblLevel.move(x, y, 96, line);
    lblClassLabel.move(x + 100, y, 72, line);
    lblRace.move(x + 176, y, 48, line);
    lblSex.move(x + 228, y, 24, line);
    lblNumbers.move(x, y + line + 6, 150, 4 * line);
    lblAttributes.move(x, y + 5 * line + 12, 160, 8 * line);
    // Eight attributes in two columns of four would not read in their usual order;
    // they stay one column beside the numbers when the panel is tall enough.
    if (in.h < 14 * line) lblAttributes.move(x + 160, y + line + 6, 90, 8 * line);
    int itemsX = x + 260;
    int colW = (in.x + in.w - itemsX) / 2;
    lblItems1.move(itemsX, y + line + 6, colW - 4, 8 * line);
    lblItems2.move(itemsX + colW, y + line + 6, colW - 4, 8 * line);
}

void CharacterListWindow::fillList(bool refill) {
    std::vector<int> slots = PickerSlots(game_, pickerMode, refill);
    lstCharacter.setRedraw(false);
    lstCharacter.clear();
    int pos = 1;
    for (int slot : slots) {
        lstCharacter.addItem(RosterLine(game_.save.roster[static_cast<size_t>(slot)], pos++));
        lstCharacter.setItemData(lstCharacter.newIndex(), slot);
    }
    lstCharacter.addItem(kBack);
    lstCharacter.setItemData(lstCharacter.newIndex(), 0);
    lstCharacter.setRedraw(true);
    lstCharacter.setListIndex(0);
    showPreview();
}

void CharacterListWindow::showPreview() {
    for (Label* l : {&lblLevel, &lblClassLabel, &lblRace, &lblSex, &lblNumbers, &lblAttributes,
                     &lblItems1, &lblItems2})
        l->setCaption("");
    int slot = lstCharacter.itemData(lstCharacter.listIndex());
    if (slot < 1 || slot >= kRosterSlots) {
        picPreview.refresh();
        return;
    }
    const Character& c = game_.save.roster[static_cast<size_t>(slot)];
    lblLevel.setCaption("LV   " + FieldRight(std::to_string(c.level), 6));
    lblClassLabel.setCaption(ClassLabel(c.alignment, c.classBit));
    lblRace.setCaption(std::string(RaceAbbreviation(c.race)));
    lblSex.setCaption(c.sex == kMale ? "男" : "女");
    lblNumbers.setCaption("EXP  " + fieldNumber(c.experience, 18) + "\nGold " +
                          fieldNumber(c.gold, 18) + "\nWalk " + fieldNumber(c.stepsWalked, 18) +
                          "\nMarks" + fieldNumber(c.marks, 18));
    static const char* const names[8] = {"力　　　　", "知恵　　　", "信仰心　　", "生命力　　",
                                         "器用さ　　", "素早さ　　", "運　　　　", "魅力　　　"};
    TableAttributes a = AttributesInTableOrder(c);
    std::string attrs;
    for (size_t i = 0; i < 8; ++i) {
        if (i) attrs += "\n";
        attrs += names[i] + FieldRight(std::to_string(a[i]), 3);
    }
    lblAttributes.setCaption(attrs);
    std::string cols[2];
    int n = 0;
    for (const InventoryRow& row : InventoryLines(game_.db, c, kPreviewLines)) {
        std::string& col = cols[n < 8 ? 0 : 1];
        if (!col.empty()) col += "\n";
        col += row.text;
        ++n;
    }
    lblItems1.setCaption(cols[0]);
    lblItems2.setCaption(cols[1]);
    picPreview.refresh();
}

int CharacterListWindow::run(int mode, Form* owner) {
    pickerMode = mode;
    reorderPending = false;
    reorderSource = 0;
    fillList();
    setOwner(owner);
    lstCharacter.setFocus();
    showModal(owner);
    return lstCharacter.itemData(lstCharacter.listIndex());
}

void CharacterListWindow::close() {
    hide();
}

void CharacterListWindow::choose() {
    Game& game = game_;
    int slot = lstCharacter.itemData(lstCharacter.listIndex());
    if (slot < 1 || slot >= kRosterSlots) {
        reorderPending = false;
        close();
        return;
    }
    game.currentCharacter = slot;
    Character& c = game.save.roster[static_cast<size_t>(slot)];
    switch (pickerMode) {
        case kPickJoinParty:
            AddToParty(game, slot);
            RebuildParty(game);
            if (game.place.partyCount >= kPartySlots) {
                close();
            } else {
                fillList(true);
            }
            return;
        case kPickResume:
            if (PartyWipedOut(game.save, c.partyId)) {
                ShowMessage(game, "そのパーティーは全滅しています");
                return;
            }
            close();
            return;
        case kPickDelete:
            if (AskYesNo(game, c.name + "を削除します　よいですか？")) {
                DeleteCharacter(game.save, slot);
                SaveGame(game);
                close();
            }
            return;
        case kPickRename: {
            std::string name = AskName(game, "新しい名前を入力して下さい");
            if (name.empty()) return;
            if (!RenameCharacter(game.save, slot, name)) {
                ShowMessage(game, "同じ名前のキャラクターがいますよ");
                return;
            }
            SaveGame(game);
            close();
            return;
        }
        case kPickInspect:
            CallLink(game.links.openSheet, game, slot, 0);
            close();
            return;
        case kPickReorder:
            if (!reorderPending) {
                ShowMessage(game, c.name + "を\nどこに移動させますか？");
                reorderSource = slot;
                reorderPending = true;
                return;
            }
            MoveRosterSlot(game.save, reorderSource, slot);
            reorderPending = false;
            fillList();
            return;
        default:
            close();
            return;
    }
}

int PickCharacter(Game& game, int mode, Form* owner) {
    if (mode == kPickJoinParty || mode == kPickResume) {
        if (PickerSlots(game, mode).empty()) {
            ShowMessage(game, mode == kPickJoinParty ? "パーティーを組めるキャラクターがいません"
                                                     : "ダンジョンの中には誰もいません");
            return 0;
        }
    }
    if (!owner && game.screens) owner = game.screens->main;
    return WindowOf<CharacterListWindow>(game).run(mode, owner);
}

}  // namespace dv

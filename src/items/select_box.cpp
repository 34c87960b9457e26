#include "items/select_box.h"

#include <algorithm>
#include <charconv>

#include "characters/inventory.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "core/window_of.h"
#include "ui/keys.h"
#include "ui/window_system.h"

namespace dv {

namespace {
constexpr int kNarrow = 304;  // 4560 twips
constexpr int kWide = 600;    // 9000 twips
constexpr int kFont = 14;

Form* topWindow(Game& game, Form* self) {
    Form* owner = nullptr;
    for (Form* f : game.screens->ui->forms())
        if (f->isModal() && f != self) owner = f;
    if (owner) return owner;
    return game.screens->main;
}
}  // namespace

SelectBox::SelectBox(Ui& ui, Game& game) : Form(ui, "frmSelectBox"), game_(game) {
    backColor = rgb(10, 12, 36);
    bordered = true;
    add(fraBack);
    for (Label* l : {&lblMsg, &lblmsgItem}) {
        l->setFont(Font::standard(kFont));
        fraBack.add(*l);
    }
    for (ListEx* l : {&lst, &lstItem}) {
        l->setFont(Font::standard(kFont));
        l->setSelectionFont(Font::standard(kFont));
        l->accessKeyOn = false;
        fraBack.add(*l);
    }
    lstItem.setEnabled(false);
    lst.onEnter = [this] {
        result_ = lst.listIndex() >= 0 ? lst.itemData(lst.listIndex()) : -1;
        hide();
    };
    lst.onClick = [this] {
        if (withItems_) showMemberItems();
    };
    lst.onKeyDown = [this](int& code, int) {
        if (code == keys::Esc || code == keys::Back) {
            code = 0;
            result_ = -1;
            hide();
        }
    };
}

void SelectBox::dress(const SkinPictures& skin) {
    DressPanel(fraBack, skin);
    DressList(lst, skin);
    DressList(lstItem, skin);
    bordered = !skin.complete;
}

void SelectBox::layout(int rows, bool withItems) {
    int w = withItems ? kWide : kNarrow;
    int listRows = std::clamp(rows, withItems ? 15 : 1, 15);
    // Tall enough for every row in the list's own font and frame: six members are six rows.
    int listH = lst.heightForRows(listRows);
    int h = 48 + listH + 24;
    move((640 - w) / 2, (480 - h) / 2, w, h);
    fraBack.move(0, 0, w, h);
    Rect in = fraBack.innerRect();
    lblMsg.move(in.x + 8, in.y + 8, kNarrow - 24, 36);
    lst.move(in.x + 8, in.y + 46, kNarrow - 24, listH);
    lblmsgItem.setVisible(withItems);
    lstItem.setVisible(withItems);
    if (withItems) {
        lblmsgItem.move(in.x + kNarrow, in.y + 8, w - kNarrow - 24, 36);
        lstItem.move(in.x + kNarrow, in.y + 46, w - kNarrow - 24, listH);
    }
}

int SelectBox::run(const std::string& prompt, const std::vector<std::string>& texts,
                   const std::vector<int>& values, bool withItems) {
    withItems_ = withItems;
    result_ = -1;
    lblMsg.setCaption(prompt);
    lst.setRedraw(false);
    lst.clear();
    for (size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].empty()) continue;
        lst.addItem(texts[i]);
        lst.setItemData(lst.newIndex(), i < values.size() ? values[i] : 0);
    }
    lst.setRedraw(true);
    layout(lst.listCount(), withItems);
    if (lst.listCount() > 0) lst.setListIndex(0);
    if (withItems) showMemberItems();
    Form* owner = topWindow(game_, this);
    setOwner(owner);
    lst.setFocus();
    showModal(owner);
    return result_;
}

void SelectBox::showMemberItems() {
    lstItem.setRedraw(false);
    lstItem.clear();
    lblmsgItem.setCaption("");
    int slot = lst.itemData(lst.listIndex());
    if (slot >= 1 && slot < kRosterSlots) {
        const Character& c = game_.save.roster[static_cast<size_t>(slot)];
        lblmsgItem.setCaption(c.name + "の\n持ち物");
        for (const InventoryRow& row : InventoryLines(game_.db, c, kMarkedLines))
            lstItem.addItem(row.text);
    }
    lstItem.setRedraw(true);
    lstItem.setListIndex(-1);
}

namespace {

// Without windows (the bot) the game's answerer names the member by its roster slot; any
// other answer is no choice.
int pickWithoutWindow(Game& game, const std::string& caption, const std::vector<int>& values) {
    if (!game.answerPrompt) return -1;
    const std::string answer = game.answerPrompt(caption, kPromptInput);
    int slot = -1;
    const auto [end, ec] = std::from_chars(answer.data(), answer.data() + answer.size(), slot);
    if (ec != std::errc() || end != answer.data() + answer.size()) return -1;
    return std::find(values.begin(), values.end(), slot) != values.end() ? slot : -1;
}

}  // namespace

int PickPartyMember(Game& game, bool withItems, const std::string& caption) {
    std::vector<std::string> texts;
    std::vector<int> values;
    for (int i = 1; i <= game.place.partyCount && i <= kPartySlots; ++i) {
        int slot = game.place.partyMembers[static_cast<size_t>(i)];
        if (slot < 1 || slot >= kRosterSlots) continue;
        texts.push_back(game.save.roster[static_cast<size_t>(slot)].name);
        values.push_back(slot);
    }
    if (!game.screens) return pickWithoutWindow(game, caption, values);
    return WindowOf<SelectBox>(game).run(caption, texts, values, withItems);
}

int PickItem(Game& game, int character) {
    if (character < 1 || character >= kRosterSlots) return -1;
    const Character& c = game.save.roster[static_cast<size_t>(character)];
    std::vector<std::string> texts;
    std::vector<int> values;
    for (const InventoryRow& row : InventoryLines(game.db, c, kPlainLines)) {
        texts.push_back(row.text);
        values.push_back(row.slot);
    }
    if (texts.empty()) {
        ShowMessage(game, "アイテムを持っていません");
        return -1;
    }
    return WindowOf<SelectBox>(game).run("アイテムを選んでください", texts, values, false);
}

int PickFromList(Game& game, const std::vector<std::string>& texts, const std::vector<int>& values,
                 const std::string& caption) {
    return WindowOf<SelectBox>(game).run(caption, texts, values, false);
}

}  // namespace dv

#include "characters/party_controls.h"

#include <string>
#include <utility>
#include <vector>

#include "characters/member_choice.h"
#include "characters/party.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "ui/keys.h"

namespace dv {

namespace {
constexpr int kReorderWidth = 384;
constexpr int kReorderHeight = 200;
}  // namespace

void PartyControls::attach(MainWindow& main, Game& game) {
    main_ = &main;
    game_ = &game;
    // The bar shows only while the panel has the focus.
    main.fraParty.onGotFocus = [&main] { main.shpPartyBar.setVisible(true); };
    main.fraParty.onLostFocus = [&main] { main.shpPartyBar.setVisible(false); };
    main.fraParty.onKeyDown = [&game](int& code, int shift) {
        MemberChoiceKeyDown(game, code, shift);
    };

    // A fifth of the window from the left and the top.
    fraReorder.move(640 / 5, 480 / 5, kReorderWidth, kReorderHeight);
    fraReorder.caption = "並び替え";
    fraReorder.setVisible(false);
    main.add(fraReorder);
    fraReorder.add(lstReorder);
    Rect in = fraReorder.innerRect();
    lstReorder.move(in.x + 4, in.y + 20, in.w - 128, in.h - 24);
    lstReorder.setFont(Font::standard(14));
    lstReorder.setSelectionFont(Font::standard(14));
    lstReorder.accessKeyOn = false;
    int lx = in.x + in.w - 116;
    int ly = in.y + 28;
    for (Label* l : {&lblForward, &lblBack, &lblOk}) {
        l->setFont(Font::standard(14));
        l->useMnemonic = true;
        l->wordWrap = false;
        l->move(lx, ly, 112, 20);
        ly += 28;
        fraReorder.add(*l);
    }
    lblForward.setCaption("↑&F)前へ");
    lblBack.setCaption("↓&B)後ろへ");
    lblOk.setCaption(" &O)K");
    lblForward.onClick = [this] { moveSelected(-1); };
    lblBack.onClick = [this] { moveSelected(1); };
    lblOk.onClick = [this] { keepOrder(); };
    lstReorder.onKeyDown = [this](int& code, int) { reorderKeyDown(code); };
    lstReorder.onEnter = [this] { keepOrder(); };
}

void PartyControls::dress(const SkinPictures& skin) {
    DressPanel(fraReorder, skin);
    DressList(lstReorder, skin);
    // The caption row sits inside the frame once it is dressed.
    Rect in = fraReorder.innerRect();
    lstReorder.move(in.x + 4, in.y + 20, in.w - 128, in.h - 24);
    int ly = in.y + 28;
    for (Label* l : {&lblForward, &lblBack, &lblOk}) {
        l->move(in.x + in.w - 116, ly, 112, 20);
        ly += 28;
    }
}

void PartyControls::reorderKeyDown(int& code) {
    switch (code) {
        case 'F':
            code = 0;
            moveSelected(-1);
            break;
        case 'B':
            code = 0;
            moveSelected(1);
            break;
        case 'O':
            code = 0;
            keepOrder();
            break;
        case keys::Esc:
        case keys::Back:
            code = 0;
            closeReorder();
            break;
        default:
            break;
    }
}

// One place up (step -1) or down (+1); past an end the member goes round to the other end.
void PartyControls::moveSelected(int step) {
    int n = lstReorder.listCount();
    int from = lstReorder.listIndex();
    if (n < 2 || from < 0) return;
    std::vector<std::pair<std::string, std::int32_t>> rows;
    for (int i = 0; i < n; ++i)
        rows.emplace_back(lstReorder.list(i), lstReorder.itemData(i));
    auto moved = rows[static_cast<size_t>(from)];
    rows.erase(rows.begin() + from);
    int to = (from + step + n) % n;
    rows.insert(rows.begin() + to, moved);
    lstReorder.setRedraw(false);
    lstReorder.clear();
    for (const auto& [text, data] : rows) {
        lstReorder.addItem(text);
        lstReorder.setItemData(lstReorder.newIndex(), data);
    }
    lstReorder.setRedraw(true);
    lstReorder.setListIndex(to);
}

void PartyControls::keepOrder() {
    Game& game = *game_;
    int n = lstReorder.listCount();
    for (int i = 0; i < n && i < kPartySlots; ++i) {
        int slot = lstReorder.itemData(i);
        if (slot < 1 || slot >= kRosterSlots) continue;
        game.place.partyMembers[static_cast<size_t>(i + 1)] = slot;
        game.save.roster[static_cast<size_t>(slot)].partyPosition =
            static_cast<std::uint8_t>(i + 1);
    }
    RebuildParty(game);
    closeReorder();
}

void PartyControls::closeReorder() {
    MainWindow& m = *main_;
    fraReorder.setVisible(false);
    if (m.lstBattleCommand.visible()) {
        m.lstBattleCommand.setEnabled(true);
        m.lstBattleCommand.setFocus();
    } else if (m.picMap.shown()) {
        // Exploring: the map keys work again.
        m.picMap.setFocus();
    } else if (m.lstCommandList.shown()) {
        m.lstCommandList.setFocus();
    }
    if (auto after = std::exchange(onReorderClosed, nullptr)) after();
}

void OpenReorderPanel(Game& game) {
    PartyControls& t = game.screens->part<PartyControls>();
    t.lstReorder.setRedraw(false);
    t.lstReorder.clear();
    for (int i = 1; i <= game.place.partyCount && i <= kPartySlots; ++i) {
        int slot = game.place.partyMembers[static_cast<size_t>(i)];
        if (slot < 1 || slot >= kRosterSlots) continue;
        t.lstReorder.addItem(game.save.roster[static_cast<size_t>(slot)].name);
        t.lstReorder.setItemData(t.lstReorder.newIndex(), slot);
    }
    t.lstReorder.setRedraw(true);
    if (t.lstReorder.listCount() > 0) t.lstReorder.setListIndex(0);
    t.fraReorder.setVisible(true);
    t.fraReorder.bringToFront();
    t.lstReorder.setFocus();
}

}  // namespace dv

#include "town/conversation.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "characters/inventory.h"
#include "characters/party.h"
#include "characters/party_items.h"
#include "core/data/dice.h"
#include "core/data/message.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "items/select_box.h"
#include "town/people_gifts.h"
#include "town/people_rules.h"
#include "ui/keys.h"
#include "ui/window_system.h"

namespace dv {

namespace {

constexpr int kTalk = 0;
constexpr int kGive = 1;
constexpr int kBuy = 2;
constexpr int kSell = 3;
constexpr int kLeave = 4;
constexpr int kGoodsRows = 5;
constexpr int kFont = 16;
constexpr int kPanelHeight = 150;
// While the panels are up the command list keeps to the left of the command panel.
constexpr Rect kTalkingListBounds{0, 80, 376, 280};
constexpr Rect kListBounds{0, 80, 640, 280};

constexpr std::int32_t kWornBits = 31;

}  // namespace

void Conversation::attach(MainWindow& main, Game& game) {
    main_ = &main;
    game_ = &game;
    if (!messageText) messageText = [](int n) { return std::string(Message(n)); };
    for (PanelEx* p : {&fraNPC, &fraNPCBuy}) {
        p->setVisible(false);
        main.add(*p);
    }
    fraNPC.add(lstNPC);
    fraNPCBuy.add(lstNPCBuy);
    for (ListEx* l : {&lstNPC, &lstNPCBuy}) {
        l->setFont(Font::standard(kFont));
        l->setSelectionFont(Font::standard(kFont));
        // The letters are the panel's own keys (below), not the list's.
        l->accessKeyOn = false;
    }
    lstNPC.addItems(0, {"T)話　す", "G)渡　す", "B)買　う", "S)売　る", "L)立　ち　去　る"});
    layout();
    lstNPC.onKeyDown = [this](int& code, int) { npcKeyDown(code); };
    lstNPC.onEnter = [this] { runCommand(lstNPC.listIndex()); };
    lstNPCBuy.onKeyDown = [this](int& code, int) { goodsKeyDown(code); };
    lstNPCBuy.onEnter = [this] { buy(); };
}

void Conversation::dress(const SkinPictures& skin) {
    DressPanel(fraNPC, skin);
    DressPanel(fraNPCBuy, skin);
    DressList(lstNPC, skin);
    DressList(lstNPCBuy, skin);
    layout();
}

void Conversation::layout() {
    // Placed by shares of the window's inner size.
    constexpr int w = Ui::kWidth;
    constexpr int h = Ui::kHeight;
    fraNPC.move(w * 60 / 100, h * 25 / 100, w * 39 / 100, kPanelHeight);
    fraNPCBuy.move(w * 10 / 100, h * 25 / 100, w * 60 / 100, kPanelHeight);
    for (PanelEx* p : {&fraNPC, &fraNPCBuy}) {
        const Rect in = p->innerRect();
        ListEx& l = p == &fraNPC ? lstNPC : lstNPCBuy;
        l.move(in.x + 4, in.y + 4, in.w - 8, in.h - 8);
    }
}

int Conversation::person() const {
    return game_->dungeon.currentNpc;
}

void Conversation::say(std::string_view text) {
    ShowMessage(*game_, std::string(text));
}

bool Conversation::showNumbered(std::initializer_list<int> numbers) {
    bool shown = false;
    for (int n : numbers) {
        const std::string text = n > 0 ? messageText(n) : std::string();
        if (text.empty()) continue;
        say(text);
        shown = true;
    }
    return shown;
}

void Conversation::open(int n) {
    if (!IsPerson(n)) return;
    Game& game = *game_;
    MainWindow& m = *main_;
    game.dungeon.currentNpc = n;
    open_ = true;

    // Five goods for this visit, drawn from the person's ten (the same may come twice).
    const NpcRecord* record = npcAt(game.db, n);
    lstNPCBuy.setRedraw(false);
    lstNPCBuy.clear();
    for (int row = 1; row <= kGoodsRows; ++row) {
        const int k = rollDice(game.rng, 1, 10, 0);
        const int item = record ? record->npcGoods[static_cast<std::size_t>(k)] : 0;
        lstNPCBuy.addItem(GoodsRow(game.db, row, item));
        lstNPCBuy.setItemData(lstNPCBuy.newIndex(), item);
    }
    lstNPCBuy.setRedraw(true);

    // The command list shows who this is, and nothing can be chosen there.
    ListEx& list = m.lstCommandList;
    list.setRedraw(false);
    list.clear();
    list.setCaption("");
    list.addItem(messageText(9000 + n));
    list.setListIndex(-1);
    list.setBounds(kTalkingListBounds);
    list.setVisible(true);
    list.setEnabled(false);
    list.setRedraw(true);

    m.fraParty.setVisible(true);
    partyPanelWasEnabled_ = m.fraParty.enabled();
    m.fraParty.setEnabled(false);
    // The map keys wait until the party leaves.
    m.picMap.setEnabled(false);

    fraNPCBuy.setVisible(false);
    fraNPC.setVisible(true);
    fraNPC.bringToFront();
    lstNPC.setListIndex(kTalk);
    lstNPC.setFocus();
}

void Conversation::close() {
    MainWindow& m = *main_;
    say("立ち去った・・・");
    fraNPC.setVisible(false);
    fraNPCBuy.setVisible(false);
    ListEx& list = m.lstCommandList;
    list.setVisible(false);
    list.setEnabled(true);
    list.clear();
    list.setBounds(kListBounds);
    m.fraParty.setEnabled(partyPanelWasEnabled_);
    m.picMap.setEnabled(true);
    open_ = false;
    if (m.picMap.shown()) m.picMap.setFocus();
}

void Conversation::npcKeyDown(int& code) {
    int row = -1;
    switch (code) {
        case 'T':
            row = kTalk;
            break;
        case 'G':
            row = kGive;
            break;
        case 'B':
            row = kBuy;
            break;
        case 'S':
            row = kSell;
            break;
        case 'L':
        case keys::Esc:
        case keys::Back:
            row = kLeave;
            break;
        default:
            return;
    }
    code = 0;
    lstNPC.setListIndex(row);
    runCommand(row);
}

void Conversation::goodsKeyDown(int& code) {
    if (code != keys::Esc && code != keys::Back) return;
    code = 0;
    fraNPC.setVisible(true);
    fraNPCBuy.setVisible(false);
    lstNPC.setFocus();
}

void Conversation::runCommand(int row) {
    if (!open_) return;
    switch (row) {
        case kTalk:
            talk();
            break;
        case kGive:
            give();
            break;
        case kBuy:
            openGoods();
            break;
        case kSell:
            sell();
            break;
        case kLeave:
            close();
            break;
        default:
            break;
    }
}

namespace {

Character* partyMember(Game& game, int partySlot) {
    const int slot = game.place.partyMembers[static_cast<std::size_t>(partySlot)];
    if (slot < 1 || slot >= kRosterSlots) return nullptr;
    return &game.save.roster[static_cast<std::size_t>(slot)];
}

}  // namespace

void Conversation::talk() {
    Game& game = *game_;
    const std::string word = PromptDialog(game, "何を話す？", kPromptInput);
    // Nothing typed (or the input cancelled): nothing is said.
    if (word.empty()) return;
    const int n = person();
    const auto words = PersonKeywords(n);
    // The words are compared exactly: no trimming, no folding of case or width.
    if (std::find(words.begin(), words.end(), word) == words.end()) {
        say(DefaultReply(n));
        return;
    }
    if (const auto held = HeldReply(n, word); !held.empty()) {
        for (std::string_view t : held)
            say(t);
        return;
    }
    if (WordGift(game, n, word, messageText)) return;
    if (n == kBlackMarketeer) {
        if (word == kGreeting) {
            say("ようこそ、ブラックマーケットへ");
            if (BothMoonsFull(game.save)) say("今日は・・・いい夜だな・・・");
        } else {
            say("何が買えるかは、オマエの目で\n確かめてみるんだな・・・");
        }
        return;
    }
    const KeywordReply* reply = FindKeywordReply(replies, n, word);
    const bool shown =
        reply && showNumbered({reply->messages[0], reply->messages[1], reply->messages[2]});
    // A word whose reply is not written answers like an unknown one.
    if (!shown) say(DefaultReply(n));
}

bool Conversation::pickItem(int& member, int& slot) {
    Game& game = *game_;
    member = PickPartyMember(game, true, "キャラクターを選んでください");
    if (member < 1 || member >= kRosterSlots) return false;
    game.currentCharacter = member;
    slot = PickItem(game, member);
    if (slot < 1 || slot > kInventorySlots) return false;
    const ItemSlot& s =
        game.save.roster[static_cast<std::size_t>(member)].items[static_cast<std::size_t>(slot)];
    if (s.itemId == 0) return false;
    if (s.itemFlags & kItemCursedWorn) {
        say("呪われている！");
        return false;
    }
    if (s.itemFlags & kWornBits) {
        say("装備している");
        return false;
    }
    return true;
}

void Conversation::give() {
    Game& game = *game_;
    int member = 0;
    int slot = 0;
    if (!pickItem(member, slot)) return;
    GiveToPerson(game, person(), member, slot, messageText);
    DrawPartyPanel(game);
    SaveGame(game);
}

void Conversation::openGoods() {
    Game& game = *game_;
    if (FindPartySpace(game) < 0) {
        say(Message(1053));
        return;
    }
    fraNPCBuy.setVisible(true);
    fraNPCBuy.bringToFront();
    fraNPC.setVisible(false);
    lstNPCBuy.setListIndex(0);
    lstNPCBuy.setFocus();
}

void Conversation::buy() {
    Game& game = *game_;
    const int row = lstNPCBuy.listIndex();
    if (row < 0) return;
    const int item = lstNPCBuy.itemData(row);
    // A row without an item (a gap in the person's goods) sells nothing.
    const ItemRecord* record = itemAt(game.db, item);
    if (!record) return;
    const std::int64_t price = GoodsPrice(*record, person(), game.save);
    Character* payer = nullptr;
    for (int i = 1; i <= game.place.partyCount && i <= kPartySlots && !payer; ++i) {
        Character* c = partyMember(game, i);
        if (c && c->gold >= static_cast<double>(price)) payer = c;
    }
    if (!payer) {
        say(Message(3020));
        return;
    }
    if (FindPartySpace(game) < 0) {
        say(Message(1053));
        return;
    }
    payer->gold -= static_cast<double>(price);
    StoreItem(game.save.roster[static_cast<std::size_t>(game.currentCharacter)], game.db, item,
              false, 1);
    say("ありがとう");
    CountFound(game, item);
    DrawPartyPanel(game);
    SaveGame(game);
}

void Conversation::sell() {
    Game& game = *game_;
    int member = 0;
    int slot = 0;
    if (!pickItem(member, slot)) return;
    Character& c = game.save.roster[static_cast<std::size_t>(member)];
    const ItemSlot s = c.items[static_cast<std::size_t>(slot)];
    const ItemRecord* record = itemAt(game.db, s.itemId);
    if (!record || record->kind == 11) {
        say("興味を示さない");
        return;
    }
    RemoveItemUnits(c, game.db, slot, 1, game.place.partyEffects);
    CompactInventory(c);
    RefreshAllUsable(c, game.db);
    const NpcRecord* npc = npcAt(game.db, person());
    c.gold += SaleValue(*record, npc ? npc->npcPriceFactor : 0.0f,
                        (s.itemFlags & kItemUnidentified) != 0);
    say("アイテムを売った");
    DrawPartyPanel(game);
    SaveGame(game);
}

void OpenConversation(Game& game, int person) {
    if (!game.screens) return;
    if (auto* c = game.screens->findPart<Conversation>()) c->open(person);
}

void CloseConversation(Game& game) {
    if (!game.screens) return;
    if (auto* c = game.screens->findPart<Conversation>(); c && c->isOpen()) c->close();
}

}  // namespace dv

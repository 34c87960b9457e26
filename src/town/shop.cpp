#include "town/shop.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <optional>

#include "characters/equipment_rules.h"
#include "characters/inventory.h"
#include "characters/member_choice.h"
#include "core/command_menu.h"
#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"
#include "items/item_actions.h"
#include "town/shop_rules.h"

namespace dv {

namespace {

const char* const kChooseCustomer =
    "ティアマト商店\r誰が入りますか？ 番号を選んで下さい\r\rＥＳＣ or ＢＳで抜ける";
const char* const kBuyHint = "Ｅｎｔｅｒで購入  Ｅｓｃ or ＢＳで抜ける";
const char* const kSellText = "何を売ってくれますか？\r\rＥｎｔｅｒで売却  Ｅｓｃ or ＢＳで抜ける";
const char* const kNoMoney = "もっと稼いできて下さい";

// The item kind of each category entry of menu 4 ("W)武　器" opens the weapon types,
// "L)戻　る" goes back).
constexpr int kCategoryKinds[] = {1, 3, 2, 6, 4, 5, 7, 9, 12, 10, 8};

MainWindow& mainOf(Game& game) {
    return *game.screens->main;
}

Character* customer(Game& game) {
    const int slot = game.currentCharacter;
    if (slot < 1 || slot >= kRosterSlots) return nullptr;
    return &game.save.roster[static_cast<size_t>(slot)];
}
const Character* customer(const Game& game) {
    return customer(const_cast<Game&>(game));
}

void setLbl(Game& game, const std::string& text) {
    mainOf(game).lbl.setCaption(text);
}

// Gold as plain decimal text.
std::string plainGold(double gold) {
    if (std::nearbyint(gold) == gold) return FormatNumberZero(gold);
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", gold);
    return text;
}

std::string twoDigits(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

void fillList(Game& game, const std::vector<ShopRow>& rows) {
    ListEx& list = mainOf(game).lstCommandList;
    list.setRedraw(false);
    list.clear();
    for (const ShopRow& r : rows) {
        list.addItem(r.text);
        list.setItemData(list.newIndex(), r.data);
    }
    list.setVisible(true);
    list.setEnabled(true);
    list.setRedraw(true);
}

void selectRow(Game& game, int row) {
    ListEx& list = mainOf(game).lstCommandList;
    if (list.listCount() == 0) return;
    list.setListIndex(std::clamp(row, 0, list.listCount() - 1));
    list.setFocus();
}

void shopMenu(Game& game) {
    BuildMenu(game, kShopMenu);
    const Character* c = customer(game);
    setLbl(game,
           "いらっしゃい " + (c ? c->name : std::string()) + "　さん   今日はどのようなご用件で？");
}

void buyingMenu(Game& game, int menu) {
    BuildMenu(game, menu);
    const Character* c = customer(game);
    setLbl(game, "何をお買い上げですか？\r所持金 " + ToWide(FormatNumber(c ? c->gold : 0)) + "\r" +
                     kBuyHint);
}

void buyListText(Game& game) {
    const Character* c = customer(game);
    setLbl(game, "何をお買い上げですか？\r所持金 " + ToWide(plainGold(c ? c->gold : 0)) + "\r" +
                     kBuyHint);
}

void buildBuyList(Game& game, int menu, int kind, int weaponType) {
    std::vector<ShopRow> rows = BuyRows(game, kind, weaponType);
    const bool empty = rows.empty();
    rows.push_back({"前に戻る", -1});
    game.menuState = menu;
    fillList(game, rows);
    if (empty) {
        // Only the way back is listed, and it leads back.
        ShowMessage(game, "その種類は在庫がありません");
        selectRow(game, 0);
        return;
    }
    buyListText(game);
    selectRow(game, 0);
}

void backToCustomerChoice(Game& game) {
    MainWindow& m = mainOf(game);
    m.lstCommandList.setListIndex(-1);
    m.lstCommandList.setEnabled(false);
    m.fraParty.setEnabled(true);
    setLbl(game, kChooseCustomer);
    BeginMemberChoice(
        game,
        [&game] {
            EndMemberChoice(game);
            shopMenu(game);
        },
        [&game] {
            setLbl(game, "");
            EndMemberChoice(game);
            PlayScene(game, 2);
            BuildMenu(game, 8);
        });
}

// Returns the number of item rows (0: nothing to do, the list is left as it was).
int buildSlotList(Game& game, bool identify) {
    game.menuState = identify ? kShopIdentify : kShopCurses;
    std::vector<ShopRow> rows = identify ? IdentifyRows(game) : CurseRows(game);
    if (rows.empty()) {
        if (Character* c = customer(game)) c->status &= ~524288;
        return 0;
    }
    const int count = static_cast<int>(rows.size());
    rows.push_back({"戻る", -1});
    fillList(game, rows);
    selectRow(game, 0);
    setLbl(game, std::string(identify ? "どれを識別しますか？" : "どの呪いを解きますか？") +
                     std::string(Message(3025)));
    return count;
}

bool buildSellList(Game& game) {
    std::vector<ShopRow> rows = SellRows(game);
    const bool any = !rows.empty();
    rows.push_back({"戻る", -1});
    game.menuState = kShopSell;
    fillList(game, rows);
    return any;
}

void poolGold(Game& game) {
    const double total = PartyGoldTotal(game);
    if (total < 0 || !PoolGold(game, game.currentCharacter)) {
        ShowMessage(game, "これ以上お金を持てません");
        return;
    }
    ShowMessage(game, "お金を一人占めしました\r" + ToWide(FormatNumber(total)) + "Ｇ持っています");
}

void chooseShop(Game& game, int entry) {
    switch (entry) {
        case 0:
            buyingMenu(game, kShopCategories);
            break;
        case 1:
            if (!buildSellList(game)) {
                ShowMessage(game, "アンタ、売れるもの何も持ってないよ");
                shopMenu(game);
                break;
            }
            setLbl(game, kSellText);
            selectRow(game, 0);
            break;
        case 2:
            if (buildSlotList(game, false) == 0) {
                ShowMessage(game, "呪われてませんよ");
                shopMenu(game);
            }
            break;
        case 3:
            if (buildSlotList(game, true) == 0) {
                ShowMessage(game, "すべて識別されてます");
                shopMenu(game);
            }
            break;
        case 4:
            poolGold(game);
            break;
        case 5:
            backToCustomerChoice(game);
            break;
        default:
            break;
    }
}

void chooseCategory(Game& game, int entry) {
    if (entry == 0) {
        buyingMenu(game, kShopWeaponTypes);
    } else if (entry >= 1 && entry < static_cast<int>(std::size(kCategoryKinds))) {
        buildBuyList(game, kShopItems, kCategoryKinds[entry], 0);
    } else {
        shopMenu(game);
    }
}

void chooseWeaponType(Game& game, int entry, int last) {
    if (entry >= last) {
        buyingMenu(game, kShopCategories);
        return;
    }
    buildBuyList(game, kShopWeapons, 1, entry + 1);
}

void buy(Game& game, int row) {
    ListEx& list = mainOf(game).lstCommandList;
    const int itemId = list.itemData(row);
    if (itemId < 0) {
        if (game.menuState == kShopWeapons) {
            buyingMenu(game, kShopWeaponTypes);
        } else {
            buyingMenu(game, kShopCategories);
        }
        return;
    }
    Character* c = customer(game);
    if (!c) return;
    switch (BuyItem(game.save, game.db, *c, itemId)) {
        case Purchase::kNotForSale:
            return;
        case Purchase::kNoMoney:
            ShowMessage(game, std::string(Message(3020)));
            return;
        case Purchase::kNoRoom:
            ShowMessage(game, "アイテムが一杯ですよ\r何か売って下さい");
            return;
        case Purchase::kBought:
            ShowMessage(game, "まいどありっ\r他にも何かいかがですか？");
            selectRow(game, row);
            break;
        case Purchase::kLastOne:
            ShowMessage(game, "まいどありっ\rこれが最後の一つですよ");
            list.removeItem(row);
            selectRow(game, 0);
            break;
    }
    buyListText(game);
}

// The customer's item a row of the sell or service lists names. The row keeps its slot,
// as the inventory may have gaps; a row naming no slot goes back to the shop's menu.
struct RowItem {
    Character* owner;
    int slot;
    const ItemRecord* item;
};
std::optional<RowItem> rowItem(Game& game, int row) {
    const int slot = mainOf(game).lstCommandList.itemData(row);
    Character* c = customer(game);
    if (slot < 1 || slot > kInventorySlots || !c) {
        shopMenu(game);
        return std::nullopt;
    }
    const ItemRecord* item = itemAt(game.db, c->items[static_cast<size_t>(slot)].itemId);
    if (!item) return std::nullopt;
    return RowItem{c, slot, item};
}

void sell(Game& game, int row) {
    const std::optional<RowItem> r = rowItem(game, row);
    if (!r) return;
    switch (SellItem(game.save, game.db, *r->owner, r->slot, game.place.partyEffects)) {
        case Sale::kCursed:
            ShowMessage(game, "呪われてますよ");
            return;
        case Sale::kWorn:
            ShowMessage(game, "装備してるものは引き取れませんよ");
            return;
        case Sale::kNotTaken:
            ShowMessage(game, "それはうちじゃ引き取れないよ");
            return;
        case Sale::kPurseFull:
            ShowMessage(game, "これ以上お金を持てません");
            return;
        case Sale::kNothing:
            return;
        case Sale::kSold:
            break;
    }
    ShowMessage(game, "まいどあり");
    if (!buildSellList(game)) {
        shopMenu(game);
        return;
    }
    selectRow(game, row);
    setLbl(game, kSellText);
}

void identifyOrUncurse(Game& game, int row, bool identify) {
    const std::optional<RowItem> r = rowItem(game, row);
    if (!r) return;
    Character* c = r->owner;
    const int slot = r->slot;
    const ItemRecord* item = r->item;
    if (identify) {
        if (!IdentifyForFee(game.db, *c, slot)) {
            ShowMessage(game, std::string(Message(3020)) + "\r" + kNoMoney);
            return;
        }
        ShowMessage(game, std::string(Message(1049)) + "\r\r" + item->name);
    } else {
        const double fee = static_cast<double>(ShopPrice(*item) / 2);
        if (fee > c->gold) {
            ShowMessage(game, std::string(Message(3020)) + "\r" + kNoMoney);
            return;
        }
        c->gold -= fee;
        // The curse goes with the item.
        RemoveItemUnits(*c, game.db, slot, 1, game.place.partyEffects);
        ResetDerived(*c);
        ApplyEquipment(*c, game.db, game.place.partyEffects);
        ShowMessage(game, "呪いを解きました");
    }
    if (buildSlotList(game, identify) == 0) shopMenu(game);
}

}  // namespace

bool IsShopMenu(int menu) {
    switch (menu) {
        case kShopMenu:
        case kShopCategories:
        case kShopWeaponTypes:
        case kShopItems:
        case kShopSell:
        case kShopCurses:
        case kShopIdentify:
        case kShopWeapons:
            return true;
        default:
            return false;
    }
}

std::vector<ShopRow> BuyRows(const Game& game, int kind, int weaponType) {
    std::vector<ShopRow> rows;
    const Character* c = customer(game);
    for (int n = 1; n < kCounterCount; ++n) {
        if (game.save.shopStock[static_cast<size_t>(n)] <= 0) continue;
        const ItemRecord* item = itemAt(game.db, n);
        if (!item || item->kind != kind || item->kind == 11) continue;
        if (weaponType != 0 && item->weaponType != weaponType) continue;
        std::string text = ToWide(FieldLeft(item->name, 20) + "   " +
                                  FieldRight(std::to_string(ShopPrice(*item)), 8));
        text += (c && MayUseItem(*item, *c)) ? "　" : "＃";
        rows.push_back({text, n});
    }
    return rows;
}

std::vector<ShopRow> SellRows(const Game& game) {
    std::vector<ShopRow> rows;
    const Character* c = customer(game);
    if (!c) return rows;
    for (int slot = 1; slot <= kInventorySlots; ++slot) {
        const ItemSlot& s = c->items[static_cast<size_t>(slot)];
        const ItemRecord* item = itemAt(game.db, s.itemId);
        if (!item) continue;
        const bool unidentified = (s.itemFlags & kItemUnidentified) != 0;
        std::string text =
            twoDigits(slot) + " " + FieldLeft(unidentified ? item->altName : item->name, 16) + "  ";
        text += IsStackableKind(item->kind) ? "× 1/" + std::to_string(s.itemCount) : "     ";
        text += FieldRight(std::to_string(unidentified ? 1 : ShopPrice(*item) / 2), 8);
        rows.push_back({ToWide(text), slot});
    }
    return rows;
}

namespace {
std::vector<ShopRow> feeRows(const Game& game, std::int32_t bit) {
    std::vector<ShopRow> rows;
    const Character* c = customer(game);
    if (!c) return rows;
    for (int slot = 1; slot <= kInventorySlots; ++slot) {
        const ItemSlot& s = c->items[static_cast<size_t>(slot)];
        const ItemRecord* item = itemAt(game.db, s.itemId);
        if (!item || !(s.itemFlags & bit)) continue;
        const bool unidentified = (s.itemFlags & kItemUnidentified) != 0;
        const std::string text = twoDigits(slot) + " " +
                                 FieldLeft(unidentified ? item->altName : item->name, 20) + "  " +
                                 FieldRight(std::to_string(ShopPrice(*item) / 2), 8);
        rows.push_back({ToWide(text), slot});
    }
    return rows;
}
}  // namespace

std::vector<ShopRow> IdentifyRows(const Game& game) {
    return feeRows(game, kItemUnidentified);
}

std::vector<ShopRow> CurseRows(const Game& game) {
    return feeRows(game, kItemCursedWorn);
}

void EnterShop(Game& game) {
    PlayScene(game, 4);
    BuildMenu(game, kShopMenu);
    backToCustomerChoice(game);
}

void ChooseShopEntry(Game& game, int entry) {
    ListEx& list = mainOf(game).lstCommandList;
    const int last = list.listCount() - 1;
    switch (game.menuState) {
        case kShopMenu:
            chooseShop(game, entry);
            break;
        case kShopCategories:
            chooseCategory(game, entry);
            break;
        case kShopWeaponTypes:
            chooseWeaponType(game, entry, last);
            break;
        case kShopItems:
        case kShopWeapons:
            buy(game, entry);
            break;
        case kShopSell:
            sell(game, entry);
            break;
        case kShopCurses:
            identifyOrUncurse(game, entry, false);
            break;
        case kShopIdentify:
            identifyOrUncurse(game, entry, true);
            break;
        default:
            break;
    }
}

}  // namespace dv

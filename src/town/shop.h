#pragma once

// The shop: one party member at a time buys from the stock kept in the save, sells, has a
// curse removed or an item identified, or collects the party's gold. Every list is shown
// in the main command list.

#include <string>
#include <vector>

namespace dv {

struct Game;

// The shop's menu numbers: the shop, categories, weapon types, the items of a category
// or weapon type, the sell, curse and identify lists.
inline constexpr int kShopMenu = 3;
inline constexpr int kShopCategories = 4;
inline constexpr int kShopWeaponTypes = 5;
inline constexpr int kShopItems = 12;
inline constexpr int kShopSell = 13;
inline constexpr int kShopCurses = 14;
inline constexpr int kShopIdentify = 15;
inline constexpr int kShopWeapons = 20;

// True for the menus the shop fills.
bool IsShopMenu(int menu);

// The town's shop entry: the customer is chosen on the party panel.
void EnterShop(Game& game);
// A choice in one of the shop's menus.
void ChooseShopEntry(Game& game, int entry);

// One row of a shop list: its text and what it stands for (an item number, a slot, or -1
// for the way back).
struct ShopRow {
    std::string text;
    int data;
};
// The items for sale of a kind (weaponType 0: every weapon type), in item order, each
// marked with whether the customer may use it.
std::vector<ShopRow> BuyRows(const Game& game, int kind, int weaponType);
std::vector<ShopRow> SellRows(const Game& game);
std::vector<ShopRow> IdentifyRows(const Game& game);
std::vector<ShopRow> CurseRows(const Game& game);

}  // namespace dv

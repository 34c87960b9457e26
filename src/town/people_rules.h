#pragma once

// The rules of the people's trade and talk that need no screen: prices, the goods rows,
// the moons, and the words the people say that are held in the program.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/data/database.h"
#include "core/data/save_data.h"

namespace dv {

inline constexpr int kBlackMarketeer = 12;

// Both moons are full: lunaPhase \ 30 and artemisPhase \ 40 are both 8.
bool BothMoonsFull(const SaveData& save);

// What the person asks for an item: its price, a tenth of it (rounded down) at the black
// market under two full moons. A negative price from a damaged table counts as 0.
std::int64_t GoodsPrice(const ItemRecord& item, int person, const SaveData& save);

// What the person pays for an item: 1 gold for an unidentified one, otherwise the price
// times the person's factor, taken through its decimal text (15 significant digits) so
// the gold holds the number the player would read. A product that is not a finite,
// non-negative number (a damaged factor) pays nothing.
double SaleValue(const ItemRecord& item, float priceFactor, bool unidentified);

// Row r (1..5) of the goods list: r, a blank and the item's unidentified name in 15
// characters, all in full width. An item number outside the table shows no name.
std::string GoodsRow(const Database& db, int row, int itemId);

// Monsters 698..769, the seventy-two bound demons, have all been defeated at least once.
bool AllBoundDemonsDefeated(const SaveData& save);

// The replies the program holds for a person's word (empty when the word's reply comes
// from the message table): person 2's "威厳" (three dialogs) and the three-line answers to
// "ヴァンパイア'", "ヴァンパイアロード" and "ゴブリン".
std::span<const std::string_view> HeldReply(int person, std::string_view keyword);

// Person 9's ten dialogs for the golden apple (item 627): the seven demon kings.
std::span<const std::string_view> QueensAnswerForTheApple();

}  // namespace dv

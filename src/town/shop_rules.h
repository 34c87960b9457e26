#pragma once

// The shop's rules that need no screen: prices, who may use an item, and a purchase from
// the stock kept in the save.

#include <cstdint>

#include "core/data/character.h"
#include "core/data/database.h"
#include "core/data/save_data.h"

namespace dv {

// A price from the data: never below zero.
std::int64_t ShopPrice(const ItemRecord& item);

// The customer's sex, class, alignment and race are all among the item's.
bool MayUseItem(const ItemRecord& item, const Character& c);

enum class Purchase { kBought, kLastOne, kNotForSale, kNoMoney, kNoRoom };

// The customer buys one unit of an item in stock: it goes into the pack, the price is
// paid and the stock goes down. Nothing changes unless the purchase succeeds.
Purchase BuyItem(SaveData& save, const Database& db, Character& customer, int itemId);

enum class Sale { kSold, kCursed, kWorn, kNotTaken, kPurseFull, kNothing };
// The shop buys one unit of a slot (1..15) for half its price, 1 gold while it is not
// identified, and puts it back in stock. Worn, cursed and event items stay, and so does
// everything when the gold would pass what a purse holds.
Sale SellItem(SaveData& save, const Database& db, Character& seller, int slot,
              std::int32_t partyEffects);

// The shop's identification of a slot for half the item's price; false, and nothing
// changes, when the gold does not reach.
bool IdentifyForFee(const Database& db, Character& customer, int slot);

}  // namespace dv

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

}  // namespace dv

#include "town/shop_rules.h"

#include <algorithm>

#include "characters/inventory.h"

namespace dv {

std::int64_t ShopPrice(const ItemRecord& item) {
    return std::max<std::int64_t>(item.price, 0);
}

bool MayUseItem(const ItemRecord& item, const Character& c) {
    return (item.sexMask & c.sex) != 0 && (item.classMask & c.classBit) != 0 &&
           (item.alignmentMask & c.alignment) != 0 && (item.raceMask & c.race) != 0;
}

Purchase BuyItem(SaveData& save, const Database& db, Character& customer, int itemId) {
    const ItemRecord* item = itemAt(db, itemId);
    if (!item || itemId < 1 || itemId >= kCounterCount ||
        save.shopStock[static_cast<size_t>(itemId)] <= 0)
        return Purchase::kNotForSale;
    const std::int64_t price = ShopPrice(*item);
    if (!(customer.gold >= static_cast<double>(price))) return Purchase::kNoMoney;
    if (StoreItem(customer, db, itemId, false, 1) != 0) return Purchase::kNoRoom;
    customer.gold -= static_cast<double>(price);
    auto& stock = save.shopStock[static_cast<size_t>(itemId)];
    stock -= 1;
    return stock > 0 ? Purchase::kBought : Purchase::kLastOne;
}

}  // namespace dv

#include "town/shop_rules.h"

#include <algorithm>
#include <cstdint>

#include "characters/equipment_rules.h"
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

Sale SellItem(SaveData& save, const Database& db, Character& seller, int slot,
              std::int32_t partyEffects) {
    if (slot < 1 || slot > kInventorySlots) return Sale::kNothing;
    ItemSlot& s = seller.items[static_cast<size_t>(slot)];
    const ItemRecord* item = itemAt(db, s.itemId);
    if (!item) return Sale::kNothing;
    if (s.itemFlags & kItemCursedWorn) return Sale::kCursed;
    if (s.itemFlags & kEquipCodeBits) return Sale::kWorn;
    if (item->kind == 11) return Sale::kNotTaken;
    const double pay =
        (s.itemFlags & kItemUnidentified) ? 1.0 : static_cast<double>(ShopPrice(*item) / 2);
    if (seller.gold + pay > kGoldLimit) return Sale::kPurseFull;
    seller.gold += pay;
    if (s.itemId >= 1 && s.itemId < kCounterCount) {
        auto& stock = save.shopStock[static_cast<size_t>(s.itemId)];
        if (stock >= 0 && stock < INT32_MAX) stock += 1;
    }
    RemoveItemUnits(seller, db, slot, 1, partyEffects);
    CompactInventory(seller);
    RefreshAllUsable(seller, db);
    return Sale::kSold;
}

bool IdentifyForFee(const Database& db, Character& customer, int slot) {
    if (slot < 1 || slot > kInventorySlots) return false;
    ItemSlot& s = customer.items[static_cast<size_t>(slot)];
    const ItemRecord* item = itemAt(db, s.itemId);
    if (!item) return false;
    const double fee = static_cast<double>(ShopPrice(*item) / 2);
    if (fee > customer.gold) return false;
    customer.gold -= fee;
    s.itemFlags &= ~kItemUnidentified;
    return true;
}

}  // namespace dv

#include "items/item_text.h"

namespace dv {

namespace {
const ItemRecord* record(const Database& db, const ItemSlot& slot) {
    if (slot.itemId <= 0 || slot.itemId >= static_cast<int>(db.itemTable.size())) return nullptr;
    return &db.itemTable[static_cast<size_t>(slot.itemId)];
}
}  // namespace

std::string ItemDisplayName(const Database& db, const ItemSlot& slot) {
    const ItemRecord* r = record(db, slot);
    if (!r) return "";
    return (slot.itemFlags & kItemUnidentified) ? r->altName : r->name;
}

std::string ItemMark(const ItemSlot& slot) {
    if (slot.itemFlags & kItemCursedWorn) return "- ";
    if (slot.itemFlags & kItemUnidentified) return "? ";
    if (slot.itemFlags & kItemUnusable) return "# ";
    if (slot.itemFlags & kItemEquipSlotMask) return "* ";
    return "  ";
}

int ItemKind(const Database& db, const ItemSlot& slot) {
    const ItemRecord* r = record(db, slot);
    return r ? r->kind : 0;
}

}  // namespace dv

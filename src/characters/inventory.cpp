#include "characters/inventory.h"

#include <cstdio>

#include "characters/equipment_rules.h"

#include "core/data/text.h"

namespace dv {

namespace {

const ItemRecord* record(const Database& db, const ItemSlot& slot) {
    if (slot.itemId <= 0 || slot.itemId >= static_cast<int>(db.itemTable.size())) return nullptr;
    return &db.itemTable[static_cast<size_t>(slot.itemId)];
}

std::string hexDigit(int n) {
    char hex[12];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(n));
    return hex;
}

}  // namespace

bool IsStackableKind(std::int64_t kind) {
    return kind == 8 || kind == 10;
}

void CompactInventory(Character& c) {
    int to = 1;
    for (int from = 1; from <= kInventorySlots; ++from) {
        ItemSlot s = c.items[static_cast<size_t>(from)];
        if (s.itemId == 0) continue;
        c.items[static_cast<size_t>(to++)] = s;
    }
    for (; to <= kInventorySlots; ++to)
        c.items[static_cast<size_t>(to)] = ItemSlot{};
}

int StoreItem(Character& c, const Database& db, int itemId, bool unidentified, int count) {
    const ItemRecord* item = itemAt(db, itemId);
    if (!item || count < 1) return -1;
    CompactInventory(c);
    if (IsStackableKind(item->kind)) {
        int remaining = count;
        int result = -1;
        for (int slot = 1; slot <= kInventorySlots; ++slot) {
            ItemSlot& s = c.items[static_cast<size_t>(slot)];
            if (s.itemId != 0 && s.itemId != itemId) continue;
            if (s.itemId == 0) {
                s.itemId = itemId;
                s.itemFlags = unidentified ? kItemUnidentified : 0;
                s.itemCount = 0;
                RefreshUsable(c, db, slot);
            }
            if (remaining + s.itemCount <= kStackLimit) {
                s.itemCount += remaining;
                return 0;
            }
            remaining -= kStackLimit - s.itemCount;
            s.itemCount = kStackLimit;
            result = remaining;
        }
        return result;
    }
    for (int slot = 1; slot <= kInventorySlots; ++slot) {
        ItemSlot& s = c.items[static_cast<size_t>(slot)];
        if (s.itemId != 0) continue;
        s = ItemSlot{itemId, 0, 1};
        RefreshUsable(c, db, slot);
        if (unidentified) s.itemFlags |= kItemUnidentified;
        return 0;
    }
    return -1;
}

void RemoveItemUnits(Character& c, const Database& db, int slot, int count,
                     std::int32_t partyEffects) {
    if (slot < 1 || slot > kInventorySlots) return;
    ItemSlot& s = c.items[static_cast<size_t>(slot)];
    if (s.itemId == 0) return;
    s.itemCount -= count;
    if (s.itemCount > 0) return;
    const bool worn = IsWorn(s);
    s = ItemSlot{};
    if (worn) {
        ResetDerived(c);
        ApplyEquipment(c, db, partyEffects);
    }
}

bool RemoveItemById(Character& c, const Database& db, int itemId, std::int32_t partyEffects) {
    if (itemId == 0) return false;
    for (int slot = 1; slot <= kInventorySlots; ++slot) {
        if (c.items[static_cast<size_t>(slot)].itemId == itemId) {
            RemoveItemUnits(c, db, slot, 1, partyEffects);
            return true;
        }
    }
    return false;
}

void RefreshUsable(Character& c, const Database& db, int slot) {
    if (slot < 1 || slot > kInventorySlots) return;
    ItemSlot& s = c.items[static_cast<size_t>(slot)];
    if (s.itemId == 0) return;
    const ItemRecord* item = record(db, s);
    const bool usable = item && (item->sexMask & c.sex) != 0 &&
                        (item->classMask & c.classBit) != 0 &&
                        (item->alignmentMask & c.alignment) != 0 && (item->raceMask & c.race) != 0;
    if (usable) {
        s.itemFlags &= ~kItemUnusable;
    } else {
        s.itemFlags |= kItemUnusable;
    }
}

void RefreshAllUsable(Character& c, const Database& db) {
    for (int slot = 1; slot <= kInventorySlots; ++slot)
        RefreshUsable(c, db, slot);
}

std::string ItemDisplayName(const Database& db, const ItemSlot& slot) {
    const ItemRecord* r = record(db, slot);
    if (!r) return "";
    return (slot.itemFlags & kItemUnidentified) ? r->altName : r->name;
}

std::string ItemMark(const ItemSlot& slot) {
    if (slot.itemFlags & kItemCursedWorn) return "- ";
    if (slot.itemFlags & kItemUnidentified) return "? ";
    if (slot.itemFlags & kItemUnusable) return "# ";
    if (slot.itemFlags >= 1 && slot.itemFlags <= 8) return "* ";
    return "  ";
}

int ItemKind(const Database& db, const ItemSlot& slot) {
    const ItemRecord* r = record(db, slot);
    return r ? r->kind : 0;
}

std::string InventoryLine(const Database& db, const ItemSlot& slot, int n,
                          const InventoryLineStyle& style) {
    std::string line = hexDigit(n) + (style.blankAfterNumber ? " :" : ":");
    if (style.mark) line += ItemMark(slot);
    line += ItemDisplayName(db, slot);
    const int kind = ItemKind(db, slot);
    if (style.count != InventoryLineStyle::Count::None && (kind == 8 || kind == 10)) {
        std::string count = std::to_string(slot.itemCount);
        line += " × " + (style.count == InventoryLineStyle::Count::Wide ? ToWide(count) : count);
    }
    return line;
}

std::vector<InventoryRow> InventoryLines(const Database& db, const Character& c,
                                         const InventoryLineStyle& style) {
    std::vector<InventoryRow> rows;
    for (int s = 1; s <= kInventorySlots; ++s) {
        const ItemSlot& it = c.items[static_cast<size_t>(s)];
        if (it.itemId == 0) continue;
        rows.push_back({InventoryLine(db, it, static_cast<int>(rows.size()) + 1, style), s});
    }
    return rows;
}

}  // namespace dv

#pragma once

// A character's inventory as the rules and lists see it: whether the owner can use an
// item, and how an inventory slot is written in every list that shows one.

#include <string>
#include <vector>

#include "core/data/character.h"
#include "core/data/database.h"

namespace dv {

// Recomputes the not-usable bit (128) of one slot: the item is usable when its sex, class,
// alignment and race masks each admit the owner. Empty slots are left alone.
void RefreshUsable(Character& c, const Database& db, int slot);
// The same for slots 1..15.
void RefreshAllUsable(Character& c, const Database& db);

// The item's unidentified name while the slot's bit 64 is set, otherwise its name; "" for
// an empty slot or an item number outside the table.
std::string ItemDisplayName(const Database& db, const ItemSlot& slot);
// The mark before an item: "- " cursed and worn, "? " unidentified, "# " not usable,
// "* " equipped (flags exactly 1..8), two blanks otherwise.
std::string ItemMark(const ItemSlot& slot);
// The item's kind, 0 when the number is outside the table.
int ItemKind(const Database& db, const ItemSlot& slot);

// How one list writes its inventory lines. Every line starts with the list number as one
// hexadecimal digit.
struct InventoryLineStyle {
    bool blankAfterNumber = false;  // "3 :" instead of "3:"
    bool mark = true;               // the two-character mark before the name
    enum class Count { None, Plain, Wide } count = Count::None;  // " × n" for kinds 8 and 10
};
// The sheet's item list and the shop's lists.
inline constexpr InventoryLineStyle kSheetLines{true, true, InventoryLineStyle::Count::Wide};
// The roster window's preview.
inline constexpr InventoryLineStyle kPreviewLines{false, true, InventoryLineStyle::Count::Plain};
// The equipment candidates and a member's belongings beside the member pick-list.
inline constexpr InventoryLineStyle kMarkedLines{false, true, InventoryLineStyle::Count::None};
// The item pick-list.
inline constexpr InventoryLineStyle kPlainLines{false, false, InventoryLineStyle::Count::None};

// One listed line: the n-th non-empty slot (n from 1).
std::string InventoryLine(const Database& db, const ItemSlot& slot, int n,
                          const InventoryLineStyle& style);

struct InventoryRow {
    std::string text;
    int slot;  // 1..15
};
// The lines of every non-empty slot in slot order.
std::vector<InventoryRow> InventoryLines(const Database& db, const Character& c,
                                         const InventoryLineStyle& style);

}  // namespace dv

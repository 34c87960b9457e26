#pragma once

// A character's inventory as the rules and lists see it: storing, removing and closing
// gaps, whether the owner can use an item, and how an inventory slot is written in every
// list that shows one.

#include <cstdint>
#include <string>
#include <vector>

#include "core/data/character.h"
#include "core/data/database.h"

namespace dv {

// Kinds 8 (アイテム) and 10 (マテリアル) stack up to nine units in a slot; every other kind
// holds one.
inline constexpr int kStackLimit = 9;
bool IsStackableKind(std::int64_t kind);

// Moves the non-empty slots up, keeping their order: they fill slots 1..n and the rest
// are empty (all three fields 0).
void CompactInventory(Character& c);

// Stores count units of an item after compacting. Stackable kinds first join stacks of the
// same item, then fill empty slots, nine a slot (units added to a stack take its
// identification state); other kinds take the first empty slot. Returns 0 when everything
// was placed, -1 when nothing could be (no room, or an item number outside the table) and
// n > 0 when n units were left over.
int StoreItem(Character& c, const Database& db, int itemId, bool unidentified, int count);

// Takes count units from a slot (1..15); at 0 or below the slot is emptied. When a worn
// item goes, the values the equipment gave are rebuilt at once (partyEffects: the party's
// protection bits, for the armour class). A bad slot changes nothing.
void RemoveItemUnits(Character& c, const Database& db, int slot, int count,
                     std::int32_t partyEffects);
// Takes one unit from the first slot holding the item; false when none does.
bool RemoveItemById(Character& c, const Database& db, int itemId, std::int32_t partyEffects);

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

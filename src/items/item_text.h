#pragma once

// How an inventory slot is named in lists.

#include <string>

#include "characters/character.h"
#include "core/data/database.h"

namespace dv {

// The item's unidentified name while the slot's bit 64 is set, otherwise its name; "" for
// an empty slot or an item number outside the table.
std::string ItemDisplayName(const Database& db, const ItemSlot& slot);
// The mark before an item: "- " cursed and worn, "? " unidentified, "# " not usable,
// "* " equipped, two blanks otherwise.
std::string ItemMark(const ItemSlot& slot);
// The item's kind, 0 when the number is outside the table.
int ItemKind(const Database& db, const ItemSlot& slot);

}  // namespace dv

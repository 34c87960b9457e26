// Storing, removing and compacting items, and the values worn items give a character.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "characters/equipment_rules.h"
#include "characters/inventory.h"
#include "characters/melee_swings.h"
#include "characters/races_classes.h"
#include "core/data/database.h"

namespace dv {
namespace {

constexpr int kSword = 1;
constexpr int kPotion = 2;
constexpr int kShield = 3;
constexpr int kRing = 4;

Database fixture() {
    Database db;
    db.itemTable.resize(10);
    auto item = [&](int n, int kind) -> ItemRecord& {
        ItemRecord& r = db.itemTable[static_cast<size_t>(n)];
        r.itemNumber = static_cast<std::int16_t>(n);
        r.kind = static_cast<std::int16_t>(kind);
        r.sexMask = 3;
        r.alignmentMask = 7;
        r.raceMask = 2047;
        r.classMask = 262143;
        return r;
    };
    item(kSword, 1).armorBonus = 0;
    item(kPotion, 8);
    ItemRecord& shield = item(kShield, 2);
    shield.armorBonus = -2;
    shield.regeneration = 1;
    shield.resistances[4] = 30;
    shield.damagePercent[8] = 150;
    shield.wardMask = 4;
    ItemRecord& ring = item(kRing, 7);
    ring.armorBonus = -1;
    ring.resistances[4] = 50;
    ring.resistances[2] = 10;
    ring.slayMask = 8;
    ring.classMask = 2;  // casters only
    return db;
}

Character fighter() {
    Character c;
    c.race = 1;
    c.classBit = 1;
    c.sex = 1;
    c.alignment = 2;
    c.level = 9;
    c.wisdom = 15;
    ResetRaceValues(c);
    return c;
}

std::vector<ItemSlot> slots(const Character& c) {
    return {c.items.begin() + 1, c.items.end()};
}

TEST(StoreItem, StacksFillNineASlotAndReportWhatIsLeft) {
    const Database db = fixture();
    struct Case {
        const char* what;
        std::vector<ItemSlot> before;  // slots 1..n
        int count;
        int result;
        std::vector<ItemSlot> after;
    };
    const Case cases[] = {
        {"into an empty pack", {}, 3, 0, {{kPotion, kItemUnidentified, 3}}},
        {"joins a stack", {{kPotion, 0, 4}}, 5, 0, {{kPotion, 0, 9}}},
        {"overflows into a new slot",
         {{kPotion, 0, 7}},
         5,
         0,
         {{kPotion, 0, 9}, {kPotion, kItemUnidentified, 3}}},
        {"a full stack takes nothing more",
         {{kPotion, 0, 9}},
         2,
         0,
         {{kPotion, 0, 9}, {kPotion, kItemUnidentified, 2}}},
        {"units joining a stack take its identification",
         {{kPotion, 0, 2}},
         1,
         0,
         {{kPotion, 0, 3}}},
    };
    for (const Case& k : cases) {
        Character c = fighter();
        for (size_t i = 0; i < k.before.size(); ++i)
            c.items[i + 1] = k.before[i];
        EXPECT_EQ(StoreItem(c, db, kPotion, true, k.count), k.result) << k.what;
        for (size_t i = 0; i < k.after.size(); ++i)
            EXPECT_EQ(c.items[i + 1], k.after[i]) << k.what << " slot " << i + 1;
        EXPECT_EQ(c.items[k.after.size() + 1], ItemSlot{}) << k.what;
    }
}

TEST(StoreItem, AFullPackKeepsEverythingAndSaysSo) {
    const Database db = fixture();
    Character c = fighter();
    for (int s = 1; s <= kInventorySlots; ++s)
        c.items[static_cast<size_t>(s)] = {kSword, 0, 1};
    const auto before = slots(c);
    EXPECT_EQ(StoreItem(c, db, kSword, false, 1), -1);
    EXPECT_EQ(StoreItem(c, db, kPotion, false, 4), -1) << "no stack and no empty slot";
    EXPECT_EQ(slots(c), before);
    // Seven potions held and no empty slot: the stack reaches nine, three are left over.
    c.items[15] = {kPotion, 0, 7};
    EXPECT_EQ(StoreItem(c, db, kPotion, false, 5), 3);
    EXPECT_EQ(c.items[15].itemCount, 9);
    // Numbers outside the table are never stored.
    EXPECT_EQ(StoreItem(c, db, 0, false, 1), -1);
    EXPECT_EQ(StoreItem(c, db, 5000, false, 1), -1);
}

TEST(StoreItem, ANewItemIsCheckedForItsOwnerAndMarkedUnidentified) {
    const Database db = fixture();
    Character c = fighter();
    c.items[4] = {kSword, 1, 1};  // a gap before it is closed first
    EXPECT_EQ(StoreItem(c, db, kRing, true, 1), 0);
    EXPECT_EQ(c.items[1].itemId, kSword);
    EXPECT_EQ(c.items[1].itemFlags, 1);
    EXPECT_EQ(c.items[2].itemId, kRing);
    EXPECT_EQ(c.items[2].itemFlags, kItemUnidentified | kItemUnusable);
    EXPECT_EQ(c.items[2].itemCount, 1);
}

TEST(RemoveItems, UnitsGoAndAnEmptiedWornSlotTakesItsBonusesAlong) {
    const Database db = fixture();
    Character c = fighter();
    c.items[1] = {kPotion, 0, 4};
    c.items[2] = {kShield, kEquipSecondary, 1};
    ResetDerived(c);
    ApplyEquipment(c, db, 0);
    const int bare = c.baseArmorClass + 2;
    RemoveItemUnits(c, db, 1, 1, 0);
    EXPECT_EQ(c.items[1].itemCount, 3);
    RemoveItemUnits(c, db, 1, 3, 0);
    EXPECT_EQ(c.items[1], ItemSlot{});
    EXPECT_TRUE(RemoveItemById(c, db, kShield, 0));
    EXPECT_EQ(c.items[2], ItemSlot{});
    EXPECT_EQ(c.baseArmorClass, bare) << "the shield's bonus went with it";
    EXPECT_EQ(c.regeneration, 0);
    EXPECT_FALSE(RemoveItemById(c, db, kShield, 0));
    RemoveItemUnits(c, db, 0, 1, 0);  // bad slots change nothing
    RemoveItemUnits(c, db, 16, 1, 0);
}

TEST(CompactInventory, ClosesGapsInOrder) {
    Character c;
    c.items[2] = {7, 1, 1};
    c.items[9] = {8, 0, 2};
    c.items[15] = {9, 64, 1};
    CompactInventory(c);
    EXPECT_EQ(c.items[1], (ItemSlot{7, 1, 1}));
    EXPECT_EQ(c.items[2], (ItemSlot{8, 0, 2}));
    EXPECT_EQ(c.items[3], (ItemSlot{9, 64, 1}));
    for (int s = 4; s <= kInventorySlots; ++s)
        EXPECT_EQ(c.items[static_cast<size_t>(s)], ItemSlot{});
}

TEST(ApplyEquipment, DerivedValues) {
    const Database db = fixture();
    struct Case {
        const char* what;
        std::vector<ItemSlot> worn;
        std::vector<int> skills;
        std::int32_t partyEffects;
        int armorDelta;  // baseArmorClass against the race's
        int armorClassDelta;
        int regeneration;
        int fire;   // resistances[4]
        int magic;  // resistances[2]
        int cold;   // damagePercent[8]
        std::int32_t ward, slay;
    };
    const Case cases[] = {
        {"nothing worn", {}, {}, 0, 0, 0, 0, 0, 0, 100, 0, 0},
        {"a shield", {{kShield, 2, 1}}, {}, 0, -2, -2, 1, 30, 0, 150, 4, 0},
        {"shield and ring take the larger resistance",
         {{kShield, 2, 1}, {kRing, 7, 1}},
         {},
         0,
         -3,
         -3,
         1,
         50,
         10,
         150,
         4,
         8},
        {"carried, not worn", {{kShield, 0, 1}}, {}, 0, 0, 0, 0, 0, 0, 100, 0, 0},
        {"protection 64", {{kShield, 2, 1}}, {}, 64, -2, -5, 1, 30, 0, 150, 4, 0},
        {"protection 64 and 128 lower by 5", {}, {}, 64 | 128, 0, -5, 0, 0, 0, 100, 0, 0},
        {"skill 110: a third of the level off",
         {{kShield, 2, 1}},
         {110},
         0,
         -5,
         -5,
         1,
         30,
         0,
         150,
         4,
         0},
        {"skill 29: wisdom against magic", {{kRing, 7, 1}}, {29}, 0, -1, -1, 0, 50, 25, 100, 0, 8},
        {"skill 77: magic always 100", {}, {29, 77}, 0, 0, 0, 0, 0, 100, 100, 0, 0},
    };
    for (const Case& k : cases) {
        Character c = fighter();
        const int raceArmor = c.baseArmorClass;
        for (size_t i = 0; i < k.worn.size(); ++i)
            c.items[i + 1] = k.worn[i];
        for (int s : k.skills)
            c.skills[static_cast<size_t>(s)] = -1;
        ResetDerived(c);
        ApplyEquipment(c, db, k.partyEffects);
        EXPECT_EQ(c.baseArmorClass - raceArmor, k.armorDelta) << k.what;
        EXPECT_EQ(c.armorClass - raceArmor, k.armorClassDelta) << k.what;
        EXPECT_EQ(c.regeneration, k.regeneration) << k.what;
        EXPECT_EQ(c.resistances[4], k.fire) << k.what;
        EXPECT_EQ(c.resistances[2], k.magic) << k.what;
        EXPECT_EQ(c.damagePercent[8], k.cold) << k.what;
        EXPECT_EQ(c.wardMask, k.ward) << k.what;
        EXPECT_EQ(c.slayMask, k.slay) << k.what;
        EXPECT_EQ(c.attackCount, MeleeSwingCount(c)) << k.what;
    }
}

TEST(ApplyEquipment, BareHandedMastersAndTheFloorOfArmour) {
    Database db = fixture();
    Character c = fighter();
    c.level = 30;
    c.skills[111] = -1;
    ResetDerived(c);
    ApplyEquipment(c, db, 0);
    EXPECT_EQ(c.baseArmorClass, 8 - 10) << "nothing worn: 8 - level \\ 3";
    c.items[1] = {kShield, 2, 1};
    ResetDerived(c);
    ApplyEquipment(c, db, 0);
    EXPECT_EQ(c.baseArmorClass, RaceOf(1)->baseArmorClass - 2);
    // However much armour is worn, the class stops at -255.
    db.itemTable[kShield].armorBonus = -30000;
    ResetDerived(c);
    ApplyEquipment(c, db, 0);
    EXPECT_EQ(c.baseArmorClass, -255);
}

TEST(UnequipAll, TakesEverythingOffAndKeepsCurses) {
    Character c = fighter();
    c.items[1] = {kSword, 1, 1};
    c.items[2] = {kShield, 2 | kItemCursedWorn, 1};
    c.baseArmorClass = -40;
    UnequipAll(c);
    EXPECT_EQ(c.items[1].itemFlags, 0);
    EXPECT_EQ(c.items[2].itemFlags, kItemCursedWorn);
    EXPECT_EQ(c.baseArmorClass, RaceOf(1)->baseArmorClass);
}

}  // namespace
}  // namespace dv

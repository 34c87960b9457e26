#pragma once

// A small item table for the play tests of the sheet, the shop and the chests.

#include <string>
#include <vector>

#include "characters/party.h"
#include "characters/roster_fixture.h"
#include "core/game.h"
#include "support/game_harness.h"

namespace dv::test {

enum TestItem {
    kLongSword = 1,  // a fighter's sword, 1D8+1
    kGreatSword,     // two-handed
    kShield,         // armour bonus -2
    kCursedHelm,     // cursed, armour bonus +3
    kPotion,         // stacks
    kHide,           // a material
    kBoneHelm,       // the alchemy product of two hides
    kKey,            // an event item
    kTwinBlade,      // may be held in the secondary hand
    kSkillRing,      // grants skill 50 while worn
    kFruit,          // releases strength once and is gone
    kEncyclopedia,   // the item encyclopedia
    kDictionary,     // the monster dictionary
    kMageStaff,      // for mages only
    kLastTestItem = kMageStaff
};

inline ItemRecord& DefineItem(Game& g, int n, const std::string& name, int kind, int price) {
    ItemRecord& r = g.db.itemTable[static_cast<size_t>(n)];
    r = ItemRecord{};
    r.itemNumber = static_cast<std::int16_t>(n);
    r.name = name;
    r.altName = name + "？";
    r.kind = static_cast<std::int16_t>(kind);
    r.price = price;
    r.sexMask = 3;
    r.alignmentMask = 7;
    r.raceMask = 2047;
    r.classMask = 262143;
    r.reach = 1;
    return r;
}

inline void StockItems(Game& g) {
    ItemRecord& sword = DefineItem(g, kLongSword, "ロングソード", 1, 120);
    sword.weaponType = 1;
    sword.damageDiceCount = 1;
    sword.damageDiceSides = 8;
    sword.damageDiceBonus = 1;
    sword.attackBonus = 2;
    sword.minimumHits = 1;
    sword.classMask = 1;
    sword.chestAllowed = 10;
    ItemRecord& great = DefineItem(g, kGreatSword, "グレートソード", 1, 500);
    great.weaponType = 1;
    great.twoHanded = -1;
    great.damageDiceCount = 2;
    great.damageDiceSides = 6;
    DefineItem(g, kShield, "カイトシールド", 2, 60).armorBonus = -2;
    ItemRecord& helm = DefineItem(g, kCursedHelm, "呪いの兜", 6, 200);
    helm.cursed = -1;
    helm.armorBonus = 3;
    DefineItem(g, kPotion, "傷薬", 8, 20);
    DefineItem(g, kHide, "獣の皮", 10, 4);
    DefineItem(g, kBoneHelm, "骨の兜", 6, 80).armorBonus = -1;
    DefineItem(g, kKey, "錆びた鍵", 11, 0);
    ItemRecord& twin = DefineItem(g, kTwinBlade, "双剣", 1, 300);
    twin.weaponType = 2;
    twin.secondaryCapable = 1;
    ItemRecord& ring = DefineItem(g, kSkillRing, "知恵の指輪", 7, 900);
    ring.grantedSkill = 50;
    ItemRecord& fruit = DefineItem(g, kFruit, "力の実", 8, 5000);
    fruit.specialPower = 1;
    fruit.powerBreakChance = 101;
    DefineItem(g, kEncyclopedia, "道具百科", 8, 50).useType = 2;
    DefineItem(g, kDictionary, "魔物図鑑", 8, 50).useType = 1;
    ItemRecord& staff = DefineItem(g, kMageStaff, "魔導士の杖", 1, 150);
    staff.classMask = 2;
    staff.weaponType = 11;
}

}  // namespace dv::test

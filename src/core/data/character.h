#pragma once

// The record shared by roster characters, monster-table entries, monsters in battle and
// summoned allies. Stored as 2022 bytes when both String members are empty, as they always
// are in the game's files: names travel in the code arrays (see core/data/names.h).

#include <array>
#include <cstdint>
#include <string>

#include "core/data/grid.h"

namespace dv {

// Status bits.
enum StatusBit : std::int32_t {
    kStatusSleep = 1,
    kStatusParalysis = 2,
    kStatusFear = 4,
    kStatusConfusion = 8,
    kStatusFrozen = 16,
    kStatusShocked = 32,
    kStatusCharm = 64,
    kStatusPoison = 128,
    kStatusSilence = 256,
    kStatusBlind = 512,
    kStatusFly = 1024,
    kStatusCarrot = 2048,
    kStatusDisease = 4096,
    kStatusStone = 8192,
    kStatusDead = 16384,
    kStatusAshes = 32768,
    kStatusLost = 65536,
    kStatusHidden = 262144,
    kStatusAttackReduced = 4194304,
    kStatusMagicReflect = 8388608,
    kStatusPhysicalReflect = 16777216,
    kStatusGuard = 33554432,
    kStatusDeadlyPoison = 134217728,
};

// The status groups every rule tests, defined once.
// Out of the fight: paralysis, carrot, stone, dead, ashes, lost.
inline constexpr std::int32_t kStatusOutOfFight = 124930;
// Cannot act: out of the fight, or asleep, afraid, frozen or shocked.
inline constexpr std::int32_t kStatusCannotAct = 124983;
// Gone: dead, ashes or lost.
inline constexpr std::int32_t kStatusGone = kStatusDead | kStatusAshes | kStatusLost;

// itemFlags bits of an inventory slot.
inline constexpr std::int32_t kItemEquipSlotMask = 15;  // 1..8 = worn in equipment slot n
inline constexpr std::int32_t kItemCursedWorn = 32;
inline constexpr std::int32_t kItemUnidentified = 64;
inline constexpr std::int32_t kItemUnusable = 128;

struct ItemSlot {
    std::int32_t itemId = 0;  // item number; 0 = empty slot
    std::int32_t itemFlags = 0;
    std::int32_t itemCount = 0;

    bool operator==(const ItemSlot&) const = default;

    template <class Self, class V>
    static void fields(Self& r, V&& v) {
        v("itemId", r.itemId);
        v("itemFlags", r.itemFlags);
        v("itemCount", r.itemCount);
    }
};

inline constexpr int kNameLength = 50;     // characters of a character or monster name
inline constexpr int kAltNameLength = 20;  // characters of a monster's unidentified name
inline constexpr int kInventorySlots = 15;
inline constexpr int kSkillCount = 301;  // skills 0..300

struct Character {
    std::int32_t rosterId = 0;
    std::int32_t level = 0;
    std::array<std::int16_t, kNameLength + 1> nameCodes{};
    std::string name;
    std::array<std::int16_t, kAltNameLength + 1> altNameCodes{};
    std::string altName;
    std::int16_t race = 0;
    std::int32_t classBit = 0;
    std::uint8_t sex = 0;
    std::uint8_t alignment = 0;
    std::int16_t age = 0;
    std::int16_t ageDays = 0;
    std::int32_t status = 0;
    std::uint8_t partyId = 0;
    std::uint8_t partyPosition = 0;
    std::array<std::uint8_t, 4> reserved174{};
    std::uint8_t dungeonId = 0;
    std::uint8_t floor = 0;
    std::int16_t posX = 0;
    std::int16_t posY = 0;
    double gold = 0;
    double experience = 0;
    std::int16_t appearDiceCount = 0;
    std::int16_t appearDiceSides = 0;
    std::int16_t appearDiceBonus = 0;
    std::int32_t hpDiceCount = 0;
    std::int32_t hpDiceSides = 0;
    std::int32_t hpDiceBonus = 0;
    std::int32_t damageDiceCount = 0;
    std::int32_t damageDiceSides = 0;
    std::int32_t damageDiceBonus = 0;
    double marks = 0;
    double escapes = 0;
    double victories = 0;
    double cycleCount = 0;
    double stepsWalked = 0;
    std::int32_t baseArmorClass = 0;
    std::int32_t armorClass = 0;
    std::int32_t ripCount = 0;
    std::int32_t hitPoints = 0;
    std::int32_t maxHitPoints = 0;
    // Stored order; displays use 力 知恵 信仰心 生命力 器用さ 素早さ 運 魅力 and map by name.
    std::uint8_t strength = 0;
    std::uint8_t wisdom = 0;
    std::uint8_t piety = 0;
    std::uint8_t vitality = 0;
    std::uint8_t dexterity = 0;
    std::uint8_t agility = 0;
    std::uint8_t charm = 0;
    std::uint8_t luck = 0;
    std::int16_t identified = 0;
    std::int16_t longReach = 0;
    std::int16_t attackCount = 0;
    std::int16_t regeneration = 0;
    std::array<std::uint8_t, 2> reserved306{};
    std::array<std::int16_t, 21> actions{};
    std::array<std::uint8_t, 35> meleeStatusChance{};
    std::array<std::uint8_t, 2> reserved385{};
    std::array<std::uint8_t, 37> resistances{};
    std::array<std::uint8_t, 37> damagePercent{};
    std::array<std::uint8_t, 2> reserved461{};
    std::int16_t attackElement = 0;
    std::array<ItemSlot, kInventorySlots + 1> items{};
    Grid<std::int16_t, 5, 10, 5> spellsKnown{};  // (kind, level, number)
    Grid<std::int16_t, 5, 10> spellPoints{};     // (kind, level)
    Grid<std::int16_t, 5, 10> maxSpellPoints{};  // (kind, level)
    std::int32_t wardMask = 0;
    std::int32_t slayMask = 0;
    std::int32_t criticalKills = 0;
    std::array<std::uint8_t, 1> reserved1369{};
    std::uint8_t completionMark = 0;
    std::array<std::uint8_t, 9> reserved1371{};
    std::int16_t initiative = 0;
    std::int16_t actionCode = 0;
    std::int16_t targetGroup = 0;
    std::array<std::uint8_t, 4> reserved1386{};
    std::int16_t actionSpell = 0;
    std::int16_t actionItemSlot = 0;
    std::int16_t breathCount = 0;
    std::array<std::int16_t, kSkillCount> skills{};
    std::array<std::uint8_t, 1> reserved1998{};
    std::int16_t summonLevel = 0;
    std::array<std::uint8_t, 21> weaponTypePercent{};

    bool operator==(const Character&) const = default;

    template <class Self, class V>
    static void fields(Self& r, V&& v) {
        v("rosterId", r.rosterId);
        v("level", r.level);
        v("nameCodes", r.nameCodes);
        v("name", r.name);
        v("altNameCodes", r.altNameCodes);
        v("altName", r.altName);
        v("race", r.race);
        v("classBit", r.classBit);
        v("sex", r.sex);
        v("alignment", r.alignment);
        v("age", r.age);
        v("ageDays", r.ageDays);
        v("status", r.status);
        v("partyId", r.partyId);
        v("partyPosition", r.partyPosition);
        v("reserved174", r.reserved174);
        v("dungeonId", r.dungeonId);
        v("floor", r.floor);
        v("posX", r.posX);
        v("posY", r.posY);
        v("gold", r.gold);
        v("experience", r.experience);
        v("appearDiceCount", r.appearDiceCount);
        v("appearDiceSides", r.appearDiceSides);
        v("appearDiceBonus", r.appearDiceBonus);
        v("hpDiceCount", r.hpDiceCount);
        v("hpDiceSides", r.hpDiceSides);
        v("hpDiceBonus", r.hpDiceBonus);
        v("damageDiceCount", r.damageDiceCount);
        v("damageDiceSides", r.damageDiceSides);
        v("damageDiceBonus", r.damageDiceBonus);
        v("marks", r.marks);
        v("escapes", r.escapes);
        v("victories", r.victories);
        v("cycleCount", r.cycleCount);
        v("stepsWalked", r.stepsWalked);
        v("baseArmorClass", r.baseArmorClass);
        v("armorClass", r.armorClass);
        v("ripCount", r.ripCount);
        v("hitPoints", r.hitPoints);
        v("maxHitPoints", r.maxHitPoints);
        v("strength", r.strength);
        v("wisdom", r.wisdom);
        v("piety", r.piety);
        v("vitality", r.vitality);
        v("dexterity", r.dexterity);
        v("agility", r.agility);
        v("charm", r.charm);
        v("luck", r.luck);
        v("identified", r.identified);
        v("longReach", r.longReach);
        v("attackCount", r.attackCount);
        v("regeneration", r.regeneration);
        v("reserved306", r.reserved306);
        v("actions", r.actions);
        v("meleeStatusChance", r.meleeStatusChance);
        v("reserved385", r.reserved385);
        v("resistances", r.resistances);
        v("damagePercent", r.damagePercent);
        v("reserved461", r.reserved461);
        v("attackElement", r.attackElement);
        v("items", r.items);
        v("spellsKnown", r.spellsKnown);
        v("spellPoints", r.spellPoints);
        v("maxSpellPoints", r.maxSpellPoints);
        v("wardMask", r.wardMask);
        v("slayMask", r.slayMask);
        v("criticalKills", r.criticalKills);
        v("reserved1369", r.reserved1369);
        v("completionMark", r.completionMark);
        v("reserved1371", r.reserved1371);
        v("initiative", r.initiative);
        v("actionCode", r.actionCode);
        v("targetGroup", r.targetGroup);
        v("reserved1386", r.reserved1386);
        v("actionSpell", r.actionSpell);
        v("actionItemSlot", r.actionItemSlot);
        v("breathCount", r.breathCount);
        v("skills", r.skills);
        v("reserved1998", r.reserved1998);
        v("summonLevel", r.summonLevel);
        v("weaponTypePercent", r.weaponTypePercent);
    }
};

inline constexpr std::size_t kCharacterRecordSize = 2022;

inline bool CannotAct(const Character& c) {
    return (c.status & kStatusCannotAct) != 0;
}
inline bool IsOutOfFight(const Character& c) {
    return (c.status & kStatusOutOfFight) != 0;
}
inline bool IsGone(const Character& c) {
    return (c.status & kStatusGone) != 0;
}

}  // namespace dv

#pragma once

// The records of the database files, each with its field table (see record_io.h).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace dv {

inline constexpr int kItemNameLength = 30;
inline constexpr int kItemAltNameLength = 20;
inline constexpr int kSkillDescriptionLength = 100;

struct ItemRecord {
    std::int16_t itemNumber = 0;  // equals its index; below 1 = no item
    std::array<std::uint8_t, 2> reserved2{};
    std::int16_t chestAllowed = 0;
    std::uint8_t identifyDifficulty = 0;
    std::uint8_t chestRank = 0;
    std::array<std::int16_t, kItemNameLength + 1> nameCodes{};
    std::string name;
    std::array<std::int16_t, kItemAltNameLength + 1> altNameCodes{};
    std::string altName;
    std::int16_t kind = 0;
    std::int16_t weaponType = 0;
    std::int16_t secondaryCapable = 0;
    std::int16_t twoHanded = 0;
    std::uint8_t reach = 0;
    std::uint8_t element = 0;
    std::uint8_t breakChance = 0;
    std::uint8_t powerBreakChance = 0;
    std::int16_t brokenInto = 0;
    std::int32_t price = 0;
    std::int16_t attackBonus = 0;
    std::uint8_t damageDiceCount = 0;
    std::uint8_t damageDiceSides = 0;
    std::uint8_t damageDiceBonus = 0;
    std::uint8_t minimumHits = 0;
    std::int16_t armorBonus = 0;
    std::int16_t specialPower = 0;
    std::int16_t spellLink = 0;
    std::int16_t regeneration = 0;
    std::array<std::uint8_t, 37> statusChance{};  // element 28 drain, element 31 critical
    std::array<std::uint8_t, 37> resistances{};
    std::array<std::uint8_t, 37> damagePercent{};
    std::int32_t wardMask = 0;
    std::int32_t slayMask = 0;
    std::uint8_t sexMask = 0;
    std::uint8_t alignmentMask = 0;
    std::int16_t raceMask = 0;
    std::int32_t classMask = 0;
    std::int16_t grantedSkill = 0;
    std::int16_t useType = 0;
    std::int16_t cursed = 0;

    std::uint8_t drainChance() const { return statusChance[28]; }
    std::uint8_t criticalChance() const { return statusChance[31]; }

    bool operator==(const ItemRecord&) const = default;

    template <class Self, class V>
    static void fields(Self& r, V&& v) {
        v("itemNumber", r.itemNumber);
        v("reserved2", r.reserved2);
        v("chestAllowed", r.chestAllowed);
        v("identifyDifficulty", r.identifyDifficulty);
        v("chestRank", r.chestRank);
        v("nameCodes", r.nameCodes);
        v("name", r.name);
        v("altNameCodes", r.altNameCodes);
        v("altName", r.altName);
        v("kind", r.kind);
        v("weaponType", r.weaponType);
        v("secondaryCapable", r.secondaryCapable);
        v("twoHanded", r.twoHanded);
        v("reach", r.reach);
        v("element", r.element);
        v("breakChance", r.breakChance);
        v("powerBreakChance", r.powerBreakChance);
        v("brokenInto", r.brokenInto);
        v("price", r.price);
        v("attackBonus", r.attackBonus);
        v("damageDiceCount", r.damageDiceCount);
        v("damageDiceSides", r.damageDiceSides);
        v("damageDiceBonus", r.damageDiceBonus);
        v("minimumHits", r.minimumHits);
        v("armorBonus", r.armorBonus);
        v("specialPower", r.specialPower);
        v("spellLink", r.spellLink);
        v("regeneration", r.regeneration);
        v("statusChance", r.statusChance);
        v("resistances", r.resistances);
        v("damagePercent", r.damagePercent);
        v("wardMask", r.wardMask);
        v("slayMask", r.slayMask);
        v("sexMask", r.sexMask);
        v("alignmentMask", r.alignmentMask);
        v("raceMask", r.raceMask);
        v("classMask", r.classMask);
        v("grantedSkill", r.grantedSkill);
        v("useType", r.useType);
        v("cursed", r.cursed);
    }
};

inline constexpr std::size_t kItemRecordSize = 281;

// 17 bytes plus the name's text.
struct SpellRecord {
    std::int16_t id = 0;
    std::uint8_t kind = 0;    // spell kind 0..3
    std::uint8_t level = 0;   // 1..9; 10 or more = forbidden
    std::uint8_t number = 0;  // 1..4 within kind and level
    std::string name;         // upper-case, stored with its text
    std::uint8_t effect = 0;
    std::uint8_t element = 0;
    std::uint8_t target = 0;
    std::uint8_t flags = 0;  // 1 battle, 2 camp, 4 monsters and allies
    std::int16_t diceCount = 0;
    std::int16_t diceSides = 0;
    std::int16_t diceBonus = 0;

    bool operator==(const SpellRecord&) const = default;

    template <class Self, class V>
    static void fields(Self& r, V&& v) {
        v("id", r.id);
        v("kind", r.kind);
        v("level", r.level);
        v("number", r.number);
        v("name", r.name);
        v("effect", r.effect);
        v("element", r.element);
        v("target", r.target);
        v("flags", r.flags);
        v("diceCount", r.diceCount);
        v("diceSides", r.diceSides);
        v("diceBonus", r.diceBonus);
    }
};

// Three value bytes (own row number, level, kind), then the two texts.
struct TrapRecord {
    std::uint8_t id = 0;
    std::uint8_t trapLevel = 0;
    std::uint8_t trapKind = 0;  // 0..41
    std::string trapTitle;      // announced when sprung
    std::string trapName;       // the disarm word

    bool operator==(const TrapRecord&) const = default;

    template <class Self, class V>
    static void fields(Self& r, V&& v) {
        v("id", r.id);
        v("trapLevel", r.trapLevel);
        v("trapKind", r.trapKind);
        v("trapTitle", r.trapTitle);
        v("trapName", r.trapName);
    }
};

// 28 bytes: the person's number, the goods offered (elements 1..10), the buying factor.
struct NpcRecord {
    std::int16_t id = 0;
    std::array<std::int16_t, 11> npcGoods{};
    float npcPriceFactor = 0;

    bool operator==(const NpcRecord&) const = default;

    template <class Self, class V>
    static void fields(Self& r, V&& v) {
        v("id", r.id);
        v("npcGoods", r.npcGoods);
        v("npcPriceFactor", r.npcPriceFactor);
    }
};

inline constexpr std::size_t kNpcRecordSize = 28;

// 292 bytes plus the name's text. The description travels coded, like names.
struct SkillRecord {
    std::int16_t skillNumber = 0;
    std::string name;  // stored with its text
    std::string description;
    std::array<std::int16_t, kSkillDescriptionLength + 1> descriptionCodes{};
    std::array<std::int32_t, 21> classLevel{};  // by class number 1..18; 0 = never

    bool operator==(const SkillRecord&) const = default;

    template <class Self, class V>
    static void fields(Self& r, V&& v) {
        v("skillNumber", r.skillNumber);
        v("name", r.name);
        v("description", r.description);
        v("descriptionCodes", r.descriptionCodes);
        v("classLevel", r.classLevel);
    }
};

// 100 bytes of values, then five texts: the dice and multiplier are decimal numbers or
// the codes "da", "db", "dc" (the monster's own damage dice) and "wc" (its attack count).
struct ActionRecord {
    std::int32_t id = 0;
    std::int32_t kind = 0;  // 1 damage, 2 status, 3 scripted, 4 damage then status
    std::int32_t targetKind = 0;
    std::int32_t drawCount = 0;
    std::int32_t drawSides = 0;
    std::int32_t drawBonus = 0;
    std::int32_t element = 0;
    std::int32_t secondResistance = 0;
    std::array<std::uint8_t, 37> statusChance{};
    std::array<std::uint8_t, 31> reserved69{};
    std::string diceCount;
    std::string diceSides;
    std::string diceBonus;
    std::string multiplier;
    std::string message;

    bool operator==(const ActionRecord&) const = default;

    template <class Self, class V>
    static void fields(Self& r, V&& v) {
        v("id", r.id);
        v("kind", r.kind);
        v("targetKind", r.targetKind);
        v("drawCount", r.drawCount);
        v("drawSides", r.drawSides);
        v("drawBonus", r.drawBonus);
        v("element", r.element);
        v("secondResistance", r.secondResistance);
        v("statusChance", r.statusChance);
        v("reserved69", r.reserved69);
        v("diceCount", r.diceCount);
        v("diceSides", r.diceSides);
        v("diceBonus", r.diceBonus);
        v("multiplier", r.multiplier);
        v("message", r.message);
    }
};

// 28 bytes of values (four Longs and three reserved Longs), then three lines of talk.
struct ConversationRecord {
    std::int32_t id = 0;
    std::int32_t summonKind = 0;
    std::int32_t metKind = 0;
    std::int32_t giftItem = 0;
    std::array<std::uint8_t, 12> reserved16{};
    std::string talkLine1;
    std::string talkLine2;
    std::string talkLine3;

    bool operator==(const ConversationRecord&) const = default;

    template <class Self, class V>
    static void fields(Self& r, V&& v) {
        v("id", r.id);
        v("summonKind", r.summonKind);
        v("metKind", r.metKind);
        v("giftItem", r.giftItem);
        v("reserved16", r.reserved16);
        v("talkLine1", r.talkLine1);
        v("talkLine2", r.talkLine2);
        v("talkLine3", r.talkLine3);
    }
};

}  // namespace dv

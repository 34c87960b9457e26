#include "characters/level_up.h"

#include <algorithm>
#include <cmath>

#include "characters/healing.h"
#include "characters/melee_swings.h"
#include "characters/races_classes.h"
#include "core/data/checked.h"
#include "core/data/message.h"
#include "core/data/text.h"

namespace dv {

namespace {

constexpr int kHighestSpellLevel = 9;
constexpr int kMostSpellPoints = 9;
constexpr std::size_t kMostNewSpells = 3;

// The spell kind and highest spell level a class rolls for at a level-up; kind -1 for a
// class without spells.
struct SpellRolls {
    int kind = -1;
    std::int64_t maxLevel = 0;
};

SpellRolls spellRollsFor(const Character& c) {
    switch (c.classBit) {
        case 2:
        case 4:
        case 128:
        case 256:
        case 512:
        case 2048:
        case 32768:
        case 65536: {
            const ClassRecord* cls = ClassOf(c.classBit);
            if (!cls || cls->spellDivisor == 0) return {};
            const double top = static_cast<double>(c.level) / cls->spellDivisor +
                               static_cast<double>(cls->spellOffset);
            return {cls->spellKind, static_cast<std::int64_t>(std::floor(top))};
        }
        case 16: {
            // The sage studies the two schools by turns.
            const int turn = c.level % 4;
            const int kind = (turn == 2 || turn == 3) ? 0 : 1;
            return {kind, static_cast<std::int64_t>(std::floor(c.level / 4.0 + 1))};
        }
        default:
            return {};
    }
}

// A ninja fighting bare gets harder to hit as he rises; anything worn in slots 0..9 stops it.
void ninjaArmour(Character& c) {
    for (std::size_t slot = 0; slot <= 9; ++slot)
        if ((c.items[slot].itemFlags & kItemEquipSlotMask) != 0) return;
    c.baseArmorClass =
        static_cast<std::int32_t>(std::max<std::int64_t>(8 - std::int64_t{c.level} / 3, -255));
}

}  // namespace

std::uint8_t* LevelUpAttributeField(Character& c, int number) {
    switch (number) {
        case 1:
            return &c.strength;
        case 2:
            return &c.wisdom;
        case 3:
            return &c.piety;
        case 4:
            return &c.vitality;
        case 5:
            return &c.agility;
        case 6:
            return &c.dexterity;
        case 7:
            return &c.luck;
        case 8:
            return &c.charm;
        default:
            return nullptr;
    }
}

std::string LevelUpAttribute(Character& c, int number, Rng& rng) {
    std::uint8_t* value = LevelUpAttributeField(c, number);
    if (!value) return {};
    const int lossChance = c.age <= 50 ? 1 : 4;
    const std::int32_t x = c.skills[kSkillFixedAttributes] ? 5 : rollDice(rng, 1, 10, 0);
    const std::string name(Message(700 + number));
    if (x <= lossChance && *value >= 1) {
        --*value;
        return name + "が１ポイント下がった\r";
    }
    // The limit is read in the race table's order, so agility is bounded by the race's
    // dexterity and dexterity by its agility.
    if (x >= 7 && *value < AttributeLimit(c.race, number, false, c.sex)) {
        ++*value;
        return name + "が１ポイント上がった\r";
    }
    return {};
}

std::string SpellNameOf(const Database& db, int kind, int level, int number) {
    for (std::size_t i = 1; i < db.spellTable.size(); ++i) {
        const SpellRecord& s = db.spellTable[i];
        if (s.kind == kind && s.level == level && s.number == number) return s.name;
    }
    return {};
}

std::vector<std::string> LearnSpells(Character& c, int kind, std::int64_t maxLevel,
                                     const Database& db, Rng& rng) {
    std::vector<std::string> learned;
    if (kind < 0 || kind > 3) return learned;
    const int stat = (kind == 0 || kind == 2) ? c.wisdom : c.piety;
    const std::int64_t top = std::min<std::int64_t>(maxLevel, kHighestSpellLevel);
    for (int level = 1; level <= top; ++level) {
        for (int number = 1; number <= 3; ++number) {
            // A stat of 8 or less never succeeds.
            if (level >= rollDice(rng, 1, stat - 7, 0)) continue;
            std::int16_t& points = c.maxSpellPoints(kind, level);
            if (points < kMostSpellPoints) ++points;
            std::int16_t& known = c.spellsKnown(kind, level, number);
            if (known != 0) continue;
            known = 1;
            learned.push_back(SpellNameOf(db, kind, level, number));
            if (learned.size() == kMostNewSpells) return learned;
        }
    }
    return learned;
}

std::vector<std::string> LevelUp(Character& original, const Database& db, Rng& rng) {
    Character c = original;
    std::vector<std::string> dialogs;

    checkedAdd(c.level, 1, "level");

    const std::int32_t roll = hitPointRoll(rng, c.level, c.classBit, c.vitality);
    std::int64_t gain = 1;
    if (c.maxHitPoints >= roll) {
        checkedAdd(c.maxHitPoints, 1, "maxHitPoints");
        checkedAdd(c.hitPoints, 1, "hitPoints");
    } else {
        gain = std::int64_t{roll} - c.maxHitPoints;
        c.maxHitPoints = roll;
        HealHitPoints(c, gain);
    }
    dialogs.push_back(c.name + "はＬＶが上がった\r最大ＨＰが" + ToWide(std::to_string(gain)) +
                      "ポイントあがった");

    c.attackCount = MeleeSwingCount(c);

    std::string lines;
    for (int number = 1; number <= 8; ++number)
        lines += LevelUpAttribute(c, number, rng);
    if (!lines.empty()) dialogs.push_back(lines);

    bool newSpells = false;
    if (const SpellRolls rolls = spellRollsFor(c); rolls.kind >= 0)
        newSpells = !LearnSpells(c, rolls.kind, rolls.maxLevel, db, rng).empty();
    else if (c.classBit == 1024)
        ninjaArmour(c);
    if (newSpells) dialogs.emplace_back(kNewSpellsMessage);

    original = c;
    return dialogs;
}

}  // namespace dv

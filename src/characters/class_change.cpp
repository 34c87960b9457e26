#include "characters/class_change.h"

#include "characters/inventory.h"
#include "characters/races_classes.h"
#include "core/data/checked.h"
#include "core/data/message.h"

namespace dv {

bool ClassChangeAvailable(const SaveData& save) {
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        const Character& c = save.roster[slot];
        if (c.rosterId > 0 && c.floor == 0 && c.dungeonId == 0 && c.status == 0) return true;
    }
    return false;
}

std::vector<int> ClassChangeCandidates(const SaveData& save) {
    std::vector<int> slots;
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        const Character& c = save.roster[slot];
        if (c.rosterId > 0 && c.floor == 0) slots.push_back(slot);
    }
    return slots;
}

std::string ClassChangeQuestion(const Character& c, std::int32_t classBit) {
    return c.name + std::string(Message(1024)) + std::string(ClassName(classBit)) +
           "に転職しますか？";
}

int FirstLevelSpellKind(std::int32_t classBit) {
    switch (classBit) {
        case 2:
        case 16:
            return 0;
        case 4:
            return 1;
        case 32768:
            return 2;
        case 65536:
            return 3;
        default:
            return -1;
    }
}

namespace {

constexpr int kSpellKinds = 4;    // kinds 0..3
constexpr int kSpellLevels = 9;   // levels 1..9
constexpr int kSpellNumbers = 4;  // numbers 1..4

void recountSpellPoints(Character& c) {
    for (int level = 1; level <= kSpellLevels; ++level) {
        for (int kind = 0; kind < kSpellKinds; ++kind) {
            std::int16_t known = 0;
            for (int number = 1; number <= kSpellNumbers; ++number) {
                if (c.spellsKnown(kind, level, number) != 0) ++known;
            }
            c.spellPoints(kind, level) = known;
            c.maxSpellPoints(kind, level) = known;
        }
    }
}

void learnFirstLevelSpells(Character& c, int kind, Rng& rng) {
    const std::int16_t points =
        checkedField<std::int16_t>(rollDice(rng, 1, c.wisdom / 4, 1), "spellPoints");
    c.spellPoints(kind, 1) = points;
    c.maxSpellPoints(kind, 1) = points;
    const int dice = kind <= 1 ? 1 : kind;  // 1d10, 1d10, 2d10, 3d10
    // Every successful roll counts, also for a spell already known, so a character who
    // knows all three still finishes.
    int learned = 0;
    while (learned == 0) {
        for (int number = 1; number <= 3; ++number) {
            if (rollDice(rng, dice, 10, 0) > 5) {
                c.spellsKnown(kind, 1, number) = 1;
                ++learned;
            }
        }
    }
}

}  // namespace

std::string ApplyClassChange(Character& original, std::int32_t classBit, const Database& db,
                             Rng& rng) {
    Character c = original;
    const RaceRecord* race = RaceOf(c.race);
    const ClassRecord* newClass = ClassOf(classBit);

    c.classBit = classBit;
    c.level = 1;
    // The age is a tally, not a rule: it stops at its field's limit.
    c.age = clampToField<std::int16_t>(std::int64_t{c.age} + rollDice(rng, 1, 5, 0));
    c.experience = 0;

    TableAttributes attributes = race ? race->attributes : TableAttributes{};
    c.baseArmorClass = race ? race->baseArmorClass : 0;
    for (std::size_t k = 1; k <= 34; ++k) {
        c.resistances[k] = race ? clampToField<std::uint8_t>(race->resistances[k]) : 0;
        c.damagePercent[k] = race ? race->damagePercent[k] : 100;
    }
    // Not the 器用さ and 素早さ of creation.
    if (c.sex == kMale) {
        ++attributes[kAttrStrength];
        ++attributes[kAttrVitality];
    } else if (c.sex == kFemale) {
        ++attributes[kAttrAgility];
        ++attributes[kAttrLuck];
    }

    recountSpellPoints(c);

    if (newClass) {
        for (std::size_t k = 0; k < attributes.size(); ++k) {
            if (attributes[k] < newClass->minimums[k]) attributes[k] = newClass->minimums[k];
        }
    }
    SetAttributesFromTableOrder(c, attributes);

    if (const int kind = FirstLevelSpellKind(classBit); kind >= 0) {
        learnFirstLevelSpells(c, kind, rng);
    }

    c.skills.fill(0);

    for (int slot = 1; slot <= kInventorySlots; ++slot) {
        c.items[static_cast<std::size_t>(slot)].itemFlags &= ~kItemEquipSlotMask;
    }
    ResetRaceValues(c);
    RefreshAllUsable(c, db);

    original = c;
    return std::string(ClassName(classBit)) + "に転職しました";
}

}  // namespace dv

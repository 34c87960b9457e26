#include "characters/creation_rules.h"

#include <algorithm>

#include "characters/class_change.h"

namespace dv {

int BonusPointsForRoll(int r, Rng& rng) {
    if (r < 20) return 5;
    if (r <= 25) return 6;
    if (r <= 29) return 7;
    if (r <= 34) return 8;
    if (r <= 38) return 9;
    if (r <= 42) return 10;
    if (r <= 44) return 15;
    if (r <= 46) return 16;
    if (r <= 48) return 17;
    if (r <= 50) return 18;
    if (r == 58) return rollDice(rng, 1, 3, 40);
    if (r == 60) return rollDice(rng, 1, 3, 50);
    return r - 32;  // 51..57 and 59
}

int RollBonusPoints(Rng& rng) {
    return BonusPointsForRoll(rollDice(rng, 6, 10, 0), rng);
}

TableAttributes StartingAttributes(std::int32_t race, std::int32_t sex) {
    TableAttributes a{};
    if (const RaceRecord* r = RaceOf(race)) a = r->attributes;
    if (sex == kMale) {
        a[kAttrStrength] += 1;
        a[kAttrVitality] += 1;
    } else if (sex == kFemale) {
        a[kAttrDexterity] += 1;
        a[kAttrAgility] += 1;
    }
    return a;
}

int RosterCount(const SaveData& save) {
    int n = 0;
    for (int slot = 1; slot < kRosterSlots; ++slot)
        if (save.roster[static_cast<size_t>(slot)].rosterId > 0) ++n;
    return n;
}

int FreeRosterSlot(const SaveData& save) {
    for (int slot = 1; slot < kRosterSlots; ++slot)
        if (save.roster[static_cast<size_t>(slot)].rosterId == 0) return slot;
    return 0;
}

int SlotWithName(const SaveData& save, const std::string& name) {
    for (int slot = 1; slot < kRosterSlots; ++slot)
        if (save.roster[static_cast<size_t>(slot)].name == name) return slot;
    return 0;
}

namespace {

// Rounds over spells 1..3 of the first level until at least one is learned; returns how
// many rolls succeeded.
int learnFirstSpells(Character& c, int kind, Rng& rng) {
    int n = 0;
    while (n < 1) {
        for (int number = 1; number <= 3; ++number) {
            if (rollDice(rng, 1, 10, 0) > 5) {
                c.spellsKnown(kind, 1, number) = 1;
                ++n;
            }
        }
    }
    return n;
}

}  // namespace

int CommitCharacter(SaveData& save, const CreationChoice& choice, Rng& rng) {
    int slot = FreeRosterSlot(save);
    if (slot == 0) return 0;
    Character c{};
    c.rosterId = slot;
    c.name = choice.name;
    c.level = 1;
    c.race = static_cast<std::int16_t>(choice.race);
    c.classBit = choice.classBit;
    c.sex = static_cast<std::uint8_t>(choice.sex);
    c.alignment = static_cast<std::uint8_t>(choice.alignment);
    c.age = static_cast<std::int16_t>(rollDice(rng, 1, 5, 12));
    c.gold = rollDice(rng, 10, 10, 100);
    c.maxHitPoints = hitPointRoll(rng, 1, choice.classBit, choice.attributes[kAttrVitality]);
    c.hitPoints = c.maxHitPoints;
    SetAttributesFromTableOrder(c, choice.attributes);
    ResetRaceValues(c);
    c.armorClass = c.baseArmorClass;
    if (int kind = FirstLevelSpellKind(choice.classBit); kind >= 0) {
        int n = learnFirstSpells(c, kind, rng);
        int points = std::min(rollDice(rng, 1, choice.attributes[kAttrWisdom] / 4, 0) + n, 4);
        c.spellPoints(kind, 1) = static_cast<std::int16_t>(points);
        c.maxSpellPoints(kind, 1) = static_cast<std::int16_t>(points);
    }
    save.roster[static_cast<size_t>(slot)] = c;
    return slot;
}

}  // namespace dv

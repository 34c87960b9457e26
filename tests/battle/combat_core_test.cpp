// The combat core's formulas as tables of cases: resistances, healing and damage, the hit
// roll's target, melee damage, status attacks, elemental hits and a monster's death.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "combat/combat_core.h"
#include "combat/fighters.h"
#include "combat/status_table.h"
#include "headless.h"

namespace dv {
namespace {

using test::Headless;

TEST(CombatCore, StrengthBonus) {
    const std::pair<int, int> cases[] = {{0, 0},  {12, 0}, {13, 1},  {15, 1}, {16, 2},
                                         {17, 2}, {18, 3}, {25, 10}, {-4, 0}};
    for (auto [value, bonus] : cases)
        EXPECT_EQ(StrengthBonus(value), bonus) << value;
}

TEST(CombatCore, RoundingHalvesToEven) {
    const std::pair<double, std::int64_t> cases[] = {
        {0.5, 0},       {1.5, 2},     {2.5, 2},       {3.5, 4}, {-2.5, -2},
        {2.3 * 1.5, 3}, {7 * 0.5, 4}, {0.35 * 10, 4}, {2.6, 3}, {1180.0, 1180}};
    for (auto [value, rounded] : cases)
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

TEST(CombatCore, ResistanceTestAbsorbsBeforeItReflectsAndRollsBelowTheValue) {
    Headless h;
    struct Case {
        int primary, secondary, result;
    };
    const Case sure[] = {{200, 0, kAbsorbed},  {0, 200, kAbsorbed},  {255, 200, kAbsorbed},
                         {255, 0, kReflected}, {0, 255, kReflected}, {0, 0, 0}};
    for (const Case& c : sure)
        for (int n = 0; n < 50; ++n)
            EXPECT_EQ(ResistanceTest(h.game(), c.primary, c.secondary), c.result)
                << c.primary << "/" << c.secondary;
    // A value of 100 nullifies unless the roll is 100: 99 times in 100.
    int nullified = 0;
    for (int n = 0; n < 20000; ++n)
        nullified += ResistanceTest(h.game(), 100, 0) == kNullified;
    EXPECT_GT(nullified, 19700);
    EXPECT_LT(nullified, 20000);
}

TEST(CombatCore, HealingAndDamageStayInsideZeroToTheMaximum) {
    struct Case {
        const char* what;
        std::int32_t status;
        int hp, max;
        std::int64_t heal, damage;
        int hpAfter;
        std::int32_t statusAfter;
        const char* text;
    };
    const Case cases[] = {
        {"partial heal", 0, 10, 50, 5, 0, 15, 0, "なかま1は\n５ポイント回復した"},
        {"full heal", 0, 48, 50, 5, 0, 50, 0, "なかま1は\n全快した"},
        {"negative heal", 0, 10, 50, -7, 0, 10, 0, "なかま1は\n０ポイント回復した"},
        {"dead cannot be healed", kStatusDead, 0, 50, 5, 0, 0, kStatusDead,
         "なかま1は\n効果がなかった"},
        {"disease", kStatusDisease, 10, 50, 5, 0, 10, kStatusDisease, "なかま1は\n効果がなかった"},
        {"huge heal", 0, 10, 2100000000, 2100000000, 0, 2100000000, 0, "なかま1は\n全快した"},
        {"damage", 0, 10, 50, 0, 4, 6, 0, "なかま1は\n４のダメージをうけた"},
        {"lethal damage", 0, 10, 50, 0, 10, 0, kStatusDead,
         "なかま1は\n１０のダメージをうけた\nなかま1は\n死んだ・・・"},
        {"negative damage", 0, 10, 50, 0, -3, 10, 0, "なかま1は\n０のダメージをうけた"},
        {"damage past a Long", 0, 10, 50, 0, 5000000000, 0, kStatusDead, nullptr},
        {"the gone take no damage", kStatusAshes, 10, 50, 0, 4, 10, kStatusAshes,
         "なかま1は\n効果がなかった"},
    };
    for (const Case& c : cases) {
        Headless h;
        Character& m = h.member(1);
        m.status = c.status;
        m.hitPoints = c.hp;
        m.maxHitPoints = c.max;
        const std::string text =
            c.damage != 0 ? DamageCharacter(m, c.damage, false) : HealCharacter(m, c.heal, false);
        EXPECT_EQ(m.hitPoints, c.hpAfter) << c.what;
        EXPECT_EQ(m.status, c.statusAfter) << c.what;
        if (c.text) {
            EXPECT_EQ(text, c.text) << c.what;
        }
    }
}

TEST(CombatCore, TheHitRollsTarget) {
    struct Case {
        const char* what;
        int level, dexterity, attackBonus, armour;
        std::function<void(Character&, Character&)> skills;
        std::int64_t target;
    };
    const Case cases[] = {
        {"plain", 1, 10, 0, 0, {}, 50},
        {"level and dexterity", 9, 18, 0, 5, {}, 50 - 3 - 3 - 5},
        {"weapon bonus adds to dexterity", 1, 16, 2, 0, {}, 50 - 3},
        {"better armour is lower", 1, 10, 0, -4, {}, 54},
        {"skill 147 of the attacker", 1, 10, 0, 0,
         [](Character& a, Character&) { a.skills[147] = 1; }, 40},
        {"skill 148 of the defender", 1, 10, 0, 0,
         [](Character&, Character& d) { d.skills[148] = 1; }, 60},
        {"skill 123 ignores armour", 3, 10, 0, 9,
         [](Character& a, Character&) { a.skills[123] = 1; }, 49},
    };
    for (const Case& c : cases) {
        Character attacker, defender;
        attacker.level = c.level;
        attacker.dexterity = static_cast<std::uint8_t>(c.dexterity);
        defender.baseArmorClass = c.armour;
        if (c.skills) c.skills(attacker, defender);
        ItemRecord weapon;
        weapon.attackBonus = static_cast<std::int16_t>(c.attackBonus);
        EXPECT_EQ(HitTarget(attacker, defender, c.attackBonus ? &weapon : nullptr), c.target)
            << c.what;
    }
}

TEST(CombatCore, HiddenFightersAndBlindness) {
    Headless h;
    Character attacker = Headless::monsterRecord(1, "a", 5), defender = attacker;
    attacker.status = kStatusHidden;
    EXPECT_EQ(HitRoll(h.game(), attacker, defender, nullptr), HitResult::SureHit);
    attacker.status = 0;
    defender.status = kStatusHidden;
    EXPECT_EQ(HitRoll(h.game(), attacker, defender, nullptr), HitResult::Miss);
    // A blind attacker misses one swing in six, or lands it without a roll with skill 38;
    // against armour no roll can beat, only those count.
    defender.status = 0;
    defender.baseArmorClass = -200;
    attacker.status = kStatusBlind;
    auto landedOf = [&] {
        int landed = 0;
        for (int n = 0; n < 6000; ++n)
            landed += HitRoll(h.game(), attacker, defender, nullptr) == HitResult::Hit;
        return landed;
    };
    EXPECT_EQ(landedOf(), 0);
    attacker.skills[38] = 1;
    const int landed = landedOf();
    EXPECT_GT(landed, 850);
    EXPECT_LT(landed, 1150);
}

// Melee damage with dice of one side (every die shows 1), so each case is exact.
TEST(CombatCore, MeleeDamageMultipliersInOrder) {
    struct Case {
        const char* what;
        std::function<void(Game&, Character&, Character&, ItemRecord&)> setUp;
        bool withWeapon;
        std::int32_t damage;
        int hits;
    };
    const Case cases[] = {
        {"monster: two hits of 2d1+1", {}, false, 6, 2},
        {"a sleeping defender takes double",
         [](Game&, Character&, Character& d, ItemRecord&) { d.status = kStatusSleep; }, false, 12,
         2},
        {"unless it has skill 62",
         [](Game&, Character&, Character& d, ItemRecord&) {
             d.status = kStatusSleep;
             d.skills[62] = 1;
         },
         false, 6, 2},
        {"half physical damage",
         [](Game&, Character&, Character& d, ItemRecord&) { d.damagePercent[1] = 50; }, false, 3,
         2},
        {"attack reduction halves",
         [](Game&, Character&, Character& d, ItemRecord&) { d.status = kStatusAttackReduced; },
         false, 3, 2},
        {"the blessing of 128: 5.4 to 5",
         [](Game& g, Character&, Character&, ItemRecord&) { g.place.partyBlessings = 128; }, false,
         5, 2},
        {"a poisoned attacker halves",
         [](Game&, Character& a, Character&, ItemRecord&) { a.status = kStatusPoison; }, false, 3,
         2},
        {"skill 63 keeps it whole",
         [](Game&, Character& a, Character&, ItemRecord&) {
             a.status = kStatusPoison;
             a.skills[63] = 1;
         },
         false, 6, 2},
        {"skill 57 at 2 of 24 hit points",
         [](Game&, Character& a, Character&, ItemRecord&) {
             a.skills[57] = 1;
             a.hitPoints = 2;
             a.maxHitPoints = 24;
         },
         false, 9, 2},
        {"skill 32 of the defender",
         [](Game&, Character& a, Character& d, ItemRecord&) {
             d.skills[32] = 1;
             a.vitality = 50;
         },
         false, 3, 2},
        {"member bare-handed (level -2 kung fu: d1) with strength 18",
         [](Game&, Character& a, Character&, ItemRecord&) {
             a.sex = 1;
             a.classBit = 16384;
             a.level = -2;
             a.strength = 18;
         },
         false, 8, 2},
        {"a weapon of 3 hits at least",
         [](Game&, Character& a, Character&, ItemRecord& w) {
             a.sex = 1;
             a.attackCount = 1;
             w.minimumHits = 3;
         },
         true, 9, 3},
        {"slaying doubles",
         [](Game&, Character& a, Character& d, ItemRecord& w) {
             a.sex = 1;
             w.slayMask = 1;
             d.classBit = 1;
         },
         true, 12, 2},
        {"the monster's weapon-type percent",
         [](Game&, Character& a, Character& d, ItemRecord& w) {
             a.sex = 1;
             w.weaponType = 3;
             d.weaponTypePercent[3] = 50;
         },
         true, 3, 2},
        {"the weapon's element",
         [](Game&, Character& a, Character& d, ItemRecord& w) {
             a.sex = 1;
             w.element = 4;
             d.damagePercent[4] = 200;
         },
         true, 12, 2},
    };
    for (const Case& c : cases) {
        Headless h;
        Character attacker = Headless::monsterRecord(1, "攻め手", 20);
        attacker.damageDiceCount = 2;
        attacker.damageDiceSides = 1;
        attacker.damageDiceBonus = 1;
        attacker.attackCount = 2;
        attacker.skills[127] = 1;  // always every swing
        Character defender = Headless::monsterRecord(2, "受け手", 20);
        ItemRecord weapon;
        weapon.damageDiceCount = 1;
        weapon.damageDiceSides = 1;
        weapon.damageDiceBonus = 2;
        if (c.setUp) c.setUp(h.game(), attacker, defender, weapon);
        int hits = 0;
        EXPECT_EQ(MeleeDamage(h.game(), attacker, defender, c.withWeapon ? &weapon : nullptr, hits),
                  c.damage)
            << c.what;
        EXPECT_EQ(hits, c.hits) << c.what;
    }
}

TEST(CombatCore, AStatusAttackAndItsDefences) {
    struct Case {
        const char* what;
        int effect;
        std::function<void(Game&, Character&)> setUp;
        std::int32_t status;
        const char* text;
    };
    const Case cases[] = {
        {"sleep", 15, {}, kStatusSleep, "見出し\nなかま1は\n眠らされた"},
        {"poison", 22, {}, kStatusPoison, "見出し\nなかま1は\n毒に犯された"},
        {"lost brings death",
         33,
         {},
         kStatusLost | kStatusDead,
         "見出し\nなかま1は\nロストした！！！"},
        {"instant death", 31, {}, kStatusDead, "見出し\nなかま1は\n死んだ・・・"},
        {"the general resistance", 15, [](Game&, Character& t) { t.resistances[0] = 200; }, 0,
         "見出し\nなかま1は\n無効化した"},
        {"the effect's resistance", 15, [](Game&, Character& t) { t.resistances[15] = 255; }, 0,
         "見出し\nなかま1は\n抵抗した"},
        {"the status guard", 16, [](Game&, Character& t) { t.status = kStatusGuard; }, kStatusGuard,
         "見出し\nなかま1は\n抵抗した"},
        {"the fear song", 17, [](Game& g, Character&) { g.place.partyBlessings = 2; }, -1, nullptr},
        {"hidden: nothing", 15, [](Game&, Character& t) { t.status = kStatusHidden; },
         kStatusHidden, ""},
        {"an effect without a status", 28, {}, 0, ""},
    };
    for (const Case& c : cases) {
        Headless h;
        Character& t = h.member(1);
        t.luck = 0;  // never dodges
        if (c.setUp) c.setUp(h.game(), t);
        InflictStatus(h.game(), "見出し", t, c.effect, 100, true, 0, nullptr);
        if (c.status >= 0) {
            EXPECT_EQ(t.status, c.status) << c.what;
        }
        if (c.text) {
            if (*c.text == 0)
                EXPECT_TRUE(h.messages.empty()) << c.what;
            else
                EXPECT_EQ(h.messages.at(0), c.text) << c.what;
        }
    }
    // The fear song holds fear off 99 times in 100.
    Headless h;
    h.game().place.partyBlessings = 2;
    Character& t = h.member(1);
    t.luck = 0;
    int afraid = 0;
    for (int n = 0; n < 2000; ++n) {
        t.status = 0;
        InflictStatus(h.game(), "見出し", t, 17, 100, true, 0, nullptr);
        afraid += (t.status & kStatusFear) != 0;
    }
    EXPECT_LT(afraid, 60);
}

TEST(CombatCore, WardsTurnStatusesAwayFromThePartyOnly) {
    Headless h;
    Character& ward = h.member(1);
    ward.skills[246] = 1;  // sleep ward
    Character monster = Headless::monsterRecord(1, "m", 5);
    int warded = 0;
    for (int n = 0; n < 3000; ++n)
        warded += PartyWardCheck(h.game(), ward, 15);
    EXPECT_GT(warded, 1850);  // two in three
    EXPECT_LT(warded, 2150);
    for (int n = 0; n < 100; ++n)
        EXPECT_FALSE(PartyWardCheck(h.game(), monster, 15));
    EXPECT_FALSE(PartyWardCheck(h.game(), ward, 16)) << "no ward for paralysis";
}

TEST(CombatCore, ElementalHits) {
    struct Case {
        const char* what;
        std::function<void(Game&, Character&, Character&)> setUp;
        bool noReflect;
        int result;
        int targetHp, casterHp;
    };
    const Case cases[] = {
        {"lands", {}, false, kHitLanded, 60, 100},
        {"absorbed", [](Game&, Character&, Character& t) { t.resistances[4] = 200; }, false,
         kAbsorbed, 100, 100},
        {"reflected onto the caster",
         [](Game&, Character&, Character& t) { t.resistances[2] = 255; }, false, kReflected, 100,
         60},
        {"a reflection that may not reflect",
         [](Game&, Character&, Character& t) { t.resistances[2] = 255; }, true, kNullified, 100,
         100},
        {"skill 35 reflects spells", [](Game&, Character&, Character& t) { t.skills[35] = 1; },
         false, kReflected, 100, 60},
        {"the magic-reflect bit",
         [](Game&, Character&, Character& t) { t.status = kStatusMagicReflect; }, false, kReflected,
         100, 60},
        {"a monster's spell by damage percent",
         [](Game&, Character& c, Character& t) {
             c.sex = 4;
             t.damagePercent[4] = 50;
         },
         false, kHitLanded, 80, 100},
        {"and halved by a party skill",
         [](Game& g, Character& c, Character& t) {
             c.sex = 4;
             t.damagePercent[4] = 50;
             g.save.roster[1].skills[235] = 1;
         },
         false, kHitLanded, 90, 100},
        {"or quartered with skill 261",
         [](Game& g, Character& c, Character&) {
             c.sex = 4;
             g.save.roster[1].skills[235] = 1;
             g.save.roster[1].skills[261] = 1;
         },
         false, kHitLanded, 90, 100},
    };
    for (const Case& c : cases) {
        Headless h;
        h.member(1);
        Character caster = Headless::monsterRecord(1, "術者", 100);
        caster.sex = 1;
        Character target = Headless::monsterRecord(2, "的", 100);
        target.sex = 1;
        if (c.setUp) c.setUp(h.game(), caster, target);
        EXPECT_EQ(ApplyMagicDamage(h.game(), "炎", 40, caster, target, kResistSpell, kResistFire, 0,
                                   c.noReflect),
                  c.result)
            << c.what;
        EXPECT_EQ(target.hitPoints, c.targetHp) << c.what;
        EXPECT_EQ(caster.hitPoints, c.casterHp) << c.what;
        if (c.result == kReflected) {
            EXPECT_FALSE(target.status & kStatusMagicReflect) << c.what;
        }
    }
    Headless h;
    Character caster = Headless::monsterRecord(1, "術者", 100), gone = caster;
    gone.status = kStatusDead;
    EXPECT_EQ(ApplyMagicDamage(h.game(), "炎", 40, caster, gone, 2, 4, 0, false), kNoTarget);
    EXPECT_TRUE(h.messages.empty());
}

TEST(CombatCore, AMonstersDeathFillsThePoolsAndCounters) {
    Headless h;
    Character& killer = h.member(1);
    Character m = Headless::monsterRecord(7, "オーク", 5);
    m.gold = 2.5;
    m.experience = 31;
    m.level = 4;
    m.items[3].itemId = 21;
    m.items[4].itemId = 101;  // always drops
    m.status = kStatusPoison;
    const std::string text = MonsterKilled(h.game(), m, &killer, true);
    EXPECT_EQ(text, "オークは\n死んだ・・・");
    const BattleState& b = h.battle();
    EXPECT_EQ(b.goldPool, 2);
    EXPECT_EQ(b.experiencePool, 31);
    EXPECT_EQ(b.killedLevelSum, 4);
    EXPECT_EQ(b.killCount, 1);
    EXPECT_EQ(b.dropItem, 21);
    EXPECT_EQ(m.status, kStatusDead) << "the dead bit alone";
    EXPECT_EQ(m.hitPoints, 0);
    EXPECT_EQ(killer.marks, 1.0);
    EXPECT_EQ(h.game().save.defeatedCounts[7], 1);
}

TEST(CombatCore, AMeleeKillWithSkill88TakesTheExperienceAlone) {
    Headless h;
    Character& member = h.member(1);
    member.skills[88] = 1;
    member.hitPoints = 50;
    Character& m = h.fighter(1, 1, "スライム", 1);
    m.experience = 40;
    m.status = kStatusHidden;  // reached anyway: the member is hidden too
    member.status = kStatusHidden;
    MeleeAttack(h.game(), member, m, 0);
    EXPECT_TRUE(m.status & kStatusDead);
    EXPECT_EQ(member.experience, 40.0);
    EXPECT_EQ(h.battle().experiencePool, 0);
    EXPECT_EQ(h.battle().killCount, 1);
}

TEST(CombatCore, PhysicalReflectionTurnsTheBlowOnTheAttacker) {
    Headless h;
    Character attacker = Headless::monsterRecord(1, "鬼", 50);
    attacker.damageDiceCount = 1;
    attacker.damageDiceSides = 1;
    attacker.damageDiceBonus = 9;
    attacker.skills[127] = 1;
    Character& member = h.member(1);
    member.resistances[1] = 255;
    MeleeAttack(h.game(), attacker, member, 0);
    EXPECT_EQ(attacker.hitPoints, 40);
    EXPECT_EQ(member.hitPoints, 50);
    ASSERT_FALSE(h.messages.empty());
    EXPECT_EQ(
        h.messages[0],
        "鬼の攻撃！！\nなかま1は攻撃を反射した！！\n鬼は１あたり鬼は\n１０のダメージをうけた");
    // Skill 154 breaks through to the hit roll.
    attacker.skills[154] = 1;
    h.messages.clear();
    MeleeAttack(h.game(), attacker, member, 0);
    EXPECT_EQ(attacker.hitPoints, 40);
    EXPECT_EQ(h.messages[0].find("反射"), std::string::npos);
}

TEST(CombatCore, ArmourClassChangesAndTheirReflection) {
    Headless h;
    Character source = Headless::monsterRecord(1, "術者", 10);
    Character target = Headless::monsterRecord(2, "的", 10);
    ChangeArmorClass(h.game(), "", source, target, -2);
    EXPECT_EQ(target.armorClass, -2);
    EXPECT_EQ(h.messages.back(), "的は\nＡＣが－２下がった");
    target.resistances[2] = 255;
    ChangeArmorClass(h.game(), "", source, target, 3);
    EXPECT_EQ(source.armorClass, 3);
    EXPECT_EQ(h.messages.back(), "的は\n反射した術者は\nＡＣが３上がった");
    target.resistances[2] = 200;
    ChangeArmorClass(h.game(), "", source, target, 3);
    EXPECT_EQ(h.messages.back(), "しかし何もおこらなかった");
}

}  // namespace
}  // namespace dv

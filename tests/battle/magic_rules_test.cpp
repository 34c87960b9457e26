// Spells, party actions, monster spells and breath, calls for help and summoned allies,
// played on the game state without windows.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "battle/command_entry.h"
#include "battle/party_actions.h"
#include "battle/rounds.h"
#include "battle/summons.h"
#include "characters/equipment_rules.h"
#include "combat/spells.h"
#include "combat/status_table.h"
#include "headless.h"
#include "monsters/monster_spells.h"

namespace dv {
namespace {

using test::Headless;

SpellRecord& spellRow(Game& g, int index, const std::string& name, int effect, int target,
                      int flags = 7, int count = 0, int sides = 0, int bonus = 0, int element = 0) {
    SpellRecord& s = g.db.spellTable[static_cast<size_t>(index)];
    s = SpellRecord{};
    s.id = static_cast<std::int16_t>(index);
    s.kind = 0;
    s.level = 1;
    s.number = 1;
    s.name = name;
    s.effect = static_cast<std::uint8_t>(effect);
    s.target = static_cast<std::uint8_t>(target);
    s.flags = static_cast<std::uint8_t>(flags);
    s.diceCount = static_cast<std::int16_t>(count);
    s.diceSides = static_cast<std::int16_t>(sides);
    s.diceBonus = static_cast<std::int16_t>(bonus);
    s.element = static_cast<std::uint8_t>(element);
    return s;
}

// A party of two and one group of three goblins of 100 hit points.
struct Fight {
    Headless h{7};
    Character& caster;
    Character& friendMember;
    Fight() : caster(h.member(1, "まほうつかい")), friendMember(h.member(2, "せんし")) {
        for (int s = 1; s <= 3; ++s)
            h.fighter(1, s, "ゴブリン", 100);
        h.game().battle.monsters[1][0] = h.game().battle.monsters[1][1];
        for (int s = 4; s <= kGroupSlots; ++s)
            h.game().battle.monsters[1][static_cast<size_t>(s)].status = kStatusDead;
        h.game().battle.groupCount = 1;
        caster.wisdom = 10;
        caster.piety = 10;
        caster.targetGroup = 1;
    }
    Character& goblin(int s) { return h.game().battle.monsters[1][static_cast<size_t>(s)]; }
    void cast(const SpellRecord& s) {
        PartySpellEffect(h.game(), caster, s, SpellHeader(caster, s), kResistSpell);
    }
};

TEST(SpellNames, TypedNamesMatchInEitherWidthAndCase) {
    struct Case {
        const char* typed;
        const char* key;
    } cases[] = {
        {"iyasu", "IYASU"},         {"IYASU", "IYASU"},
        {"ｉｙａｓｕ", "IYASU"},    {"ＩＹＡＳＵ", "IYASU"},
        {"Ｉｙａsu", "IYASU"},      {"いやす", "いやす"},
        {"ｉｙａｓｕ　", "IYASU "}, {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpellNameKey(c.typed), c.key) << c.typed;
    Headless h;
    spellRow(h.game(), 28, "IYASU", 7, 4);
    EXPECT_EQ(FindSpell(h.game(), "ｉｙａｓｕ", 200), 28);
    EXPECT_EQ(FindSpell(h.game(), "iyasu", 200), 28);
    EXPECT_EQ(FindSpell(h.game(), "iyas", 200), 0);
    EXPECT_EQ(FindSpell(h.game(), "iyasu", 27), 0) << "past the last record looked at";
}

TEST(SpellPowerRoll, ShieldsAndSkillsScaleThePower) {
    struct Case {
        int shields;
        int skill;
        int level;
        int element;
        std::int64_t expected;
    } cases[] = {
        {0, 0, 1, 0, 10},      // 10 fixed
        {2, 0, 1, 0, 6},       // two shields take 40 %
        {0, 70, 100, 0, 20},   // doubled below level 180
        {0, 74, 1, 4, 20},     // fire doubled by its skill
        {0, 74, 1, 8, 10},     // but not cold
        {0, 151, 60, 0, -10},  // (60 - 270) \ 30 = -7: a factor of -1
        {0, 151, 570, 0, 150},
    };
    for (const Case& c : cases) {
        Headless h;
        Character& caster = h.member(1);
        caster.level = static_cast<std::int16_t>(c.level);
        if (c.skill) caster.skills[static_cast<size_t>(c.skill)] = 1;
        SpellRecord s;
        s.diceCount = 0;
        s.diceSides = 0;
        s.diceBonus = 10;
        s.element = static_cast<std::uint8_t>(c.element);
        Character target = Headless::monsterRecord(1, "x", 10);
        EXPECT_EQ(SpellPower(h.game(), caster, target, s, c.shields), c.expected)
            << "skill " << c.skill << " level " << c.level;
    }
}

// Each effect code on a fixed situation: what it changes.
TEST(PartySpellEffects, EachCodeDoesItsWork) {
    struct Case {
        const char* what;
        int effect;
        int target;
        std::function<void(Fight&)> before;
        std::function<void(Fight&)> check;
        int count = 0;
    } cases[] = {
        {"damage on one",
         2,
         1,
         {},
         [](Fight& f) {
             EXPECT_EQ(f.goblin(1).hitPoints, 90);
             EXPECT_EQ(f.goblin(2).hitPoints, 100);
         },
         10},
        {"damage on the group",
         2,
         2,
         {},
         [](Fight& f) {
             for (int s = 1; s <= 3; ++s)
                 EXPECT_EQ(f.goblin(s).hitPoints, 90);
         },
         10},
        {"sleep on the group",
         15,
         2,
         {},
         [](Fight& f) {
             int asleep = 0;
             for (int s = 1; s <= 3; ++s)
                 asleep += (f.goblin(s).status & kStatusSleep) ? 1 : 0;
             EXPECT_GE(asleep, 2);
         }},
        {"heal a member", 7, 4,
         [](Fight& f) {
             f.friendMember.hitPoints = 10;
             f.caster.targetGroup = 2;
         },
         [](Fight& f) { EXPECT_EQ(f.friendMember.hitPoints, 30); }, 20},
        {"no heal for the dead", 7, 4,
         [](Fight& f) {
             f.friendMember.hitPoints = 0;
             f.friendMember.status = kStatusDead;
             f.caster.targetGroup = 2;
         },
         [](Fight& f) { EXPECT_EQ(f.friendMember.hitPoints, 0); }, 20},
        {"cure and heal", 53, 4,
         [](Fight& f) {
             f.friendMember.hitPoints = 1;
             f.friendMember.status = kStatusPoison | kStatusSleep;
             f.caster.targetGroup = 2;
         },
         [](Fight& f) {
             EXPECT_EQ(f.friendMember.hitPoints, 50);
             EXPECT_EQ(f.friendMember.status, 0);
         }},
        {"wake the chosen", 60, 4,
         [](Fight& f) {
             f.friendMember.status = kStatusSleep | kStatusPoison;
             f.caster.targetGroup = 2;
         },
         [](Fight& f) { EXPECT_EQ(f.friendMember.status, kStatusPoison); }},
        {"cure poison", 43, 4,
         [](Fight& f) {
             f.friendMember.status = kStatusPoison | kStatusDeadlyPoison;
             f.caster.targetGroup = 2;
         },
         [](Fight& f) { EXPECT_EQ(f.friendMember.status, 0); }},
        {"angels turn it away", 43, 4,
         [](Fight& f) {
             f.friendMember.status = kStatusPoison;
             f.friendMember.race = 256;
             f.caster.targetGroup = 2;
         },
         [](Fight& f) {
             EXPECT_EQ(f.friendMember.status, kStatusPoison);
             EXPECT_TRUE(f.h.said("呪文を無効化した"));
         }},
        {"magic shield",
         46,
         5,
         {},
         [](Fight& f) { EXPECT_EQ(f.h.game().battle.partyShields[2], 1); }},
        {"the fourth shield does nothing", 46, 5,
         [](Fight& f) { f.h.game().battle.partyShields[2] = 3; },
         [](Fight& f) {
             EXPECT_EQ(f.h.game().battle.partyShields[2], 3);
             EXPECT_TRUE(f.h.said("しかし効果がなかった"));
         }},
        {"monster shields go", 48, 3,
         [](Fight& f) {
             f.h.game().battle.monsterShields[2] = 2;
             f.h.game().battle.monsterShields[3] = 1;
         },
         [](Fight& f) {
             EXPECT_EQ(f.h.game().battle.monsterShields[2], 0);
             EXPECT_EQ(f.h.game().battle.monsterShields[3], 0);
         }},
        {"physical reflection for all",
         69,
         5,
         {},
         [](Fight& f) {
             EXPECT_TRUE(f.caster.status & kStatusPhysicalReflect);
             EXPECT_TRUE(f.friendMember.status & kStatusPhysicalReflect);
         }},
        {"the party hides",
         75,
         5,
         {},
         [](Fight& f) {
             EXPECT_TRUE(f.caster.status & kStatusHidden);
             EXPECT_TRUE(f.friendMember.status & kStatusHidden);
         }},
        {"the group is known",
         11,
         2,
         {},
         [](Fight& f) {
             EXPECT_NE(f.goblin(2).identified, 0);
             EXPECT_TRUE(f.h.game().place.partyEffects & 1);
         }},
        {"near death",
         63,
         2,
         {},
         [](Fight& f) {
             for (int s = 1; s <= 3; ++s)
                 EXPECT_EQ(f.goblin(s).hitPoints, 1);
         }},
        {"luck falls", 78, 2, [](Fight& f) { f.goblin(1).luck = 7; },
         [](Fight& f) { EXPECT_EQ(f.goblin(1).luck, 2); }},
        {"escape", 58, 3, {}, [](Fight& f) { EXPECT_TRUE(f.h.game().battle.escapeBySpell); }},
        {"more chests",
         81,
         3,
         {},
         [](Fight& f) { EXPECT_TRUE(f.h.game().place.partyEffects & 512); }},
        {"lingering fire",
         65,
         2,
         {},
         [](Fight& f) {
             const AreaEffect& e = f.h.game().battle.monsterAreaEffects[1][4];
             EXPECT_EQ(e.roundsLeft, 3);
             EXPECT_EQ(e.caster, 1);
         },
         3},
        {"spell points come back", 72, 4,
         [](Fight& f) {
             f.friendMember.maxSpellPoints(1, 2) = 3;
             f.caster.targetGroup = 2;
         },
         [](Fight& f) { EXPECT_EQ(f.friendMember.spellPoints(1, 2), 1); }},
        {"raise the dead (vitality 5 always fails)", 1, 4,
         [](Fight& f) {
             f.friendMember.status = kStatusDead;
             f.friendMember.hitPoints = 0;
             f.friendMember.vitality = 5;
             f.caster.targetGroup = 2;
         },
         [](Fight& f) {
             EXPECT_EQ(f.friendMember.status, kStatusAshes);
             EXPECT_TRUE(f.h.said("灰燼と化した"));
         }},
        {"armour for a member", 5, 4, [](Fight& f) { f.caster.targetGroup = 2; },
         [](Fight& f) { EXPECT_EQ(f.friendMember.armorClass, -2); }, 2},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fight f;
        SpellRecord& s = spellRow(f.h.game(), 1, "TEST", c.effect, c.target, 7, 0, 0, c.count,
                                  c.effect == 65 ? 4 : 0);
        if (c.effect == 65) {
            s.diceCount = 3;
            s.diceSides = 4;
            s.diceBonus = 0;
        }
        // Armour reads the dice count alone.
        if (c.effect == 5) s.diceCount = static_cast<std::int16_t>(c.count);
        if (c.before) c.before(f);
        f.cast(s);
        c.check(f);
    }
}

// The cast of a member's command: what each refusal costs.
TEST(BattleCasting, RefusalsSayWhyAndCostOnlyWhatTheyShould) {
    struct Case {
        const char* what;
        int actionSpell;
        bool known;
        int points;
        bool silenced;
        const char* message;
        int pointsAfter;
        int goblinHp;
    } cases[] = {
        {"a name that matched nothing", 0, true, 2, false, "は呪文に失敗した", 2, 100},
        {"a spell not known", 1, false, 2, false, "を唱える魔力がなかった", 2, 100},
        {"no points left", 1, true, 0, false, "を唱える魔力がなかった", 0, 100},
        {"silenced", 1, true, 0, true, "しかし呪文は音にならなかった", -1, 100},
        {"cast", 1, true, 2, false, "の呪文を唱えた", 1, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fight f;
        spellRow(f.h.game(), 1, "HIRO", 2, 1, 5, 0, 0, 10);
        f.caster.actionCode = kActCast;
        f.caster.actionSpell = static_cast<std::int16_t>(c.actionSpell);
        f.caster.spellsKnown(0, 1, 1) = c.known ? 1 : 0;
        f.caster.spellPoints(0, 1) = static_cast<std::int16_t>(c.points);
        if (c.silenced) f.caster.status |= kStatusSilence;
        CastSpell(f.h.game(), f.caster);
        EXPECT_TRUE(f.h.said(c.message));
        EXPECT_EQ(f.caster.spellPoints(0, 1), c.pointsAfter);
        EXPECT_EQ(f.goblin(1).hitPoints, c.goblinHp);
    }
}

TEST(BattleCasting, AnItemCastsItsSpellWithoutPoints) {
    Fight f;
    spellRow(f.h.game(), 5, "HIROGA", 2, 2, 5, 0, 0, 7);
    ItemRecord& rod = f.h.game().db.itemTable[40];
    rod.itemNumber = 40;
    rod.name = "炎の杖";
    rod.kind = 5;
    rod.spellLink = 5;
    rod.breakChance = 0;
    f.caster.items[3] = ItemSlot{40, 0, 1};
    f.caster.actionCode = kActUseItem;
    f.caster.actionItemSlot = 3;
    CastSpell(f.h.game(), f.caster);
    for (int s = 1; s <= 3; ++s)
        EXPECT_EQ(f.goblin(s).hitPoints, 93);
    EXPECT_EQ(f.caster.items[3].itemId, 40) << "a rod that never breaks";
    rod.breakChance = 101;
    CastSpell(f.h.game(), f.caster);
    EXPECT_EQ(f.caster.items[3].itemId, 0) << "a rod that always breaks";
}

TEST(BattleCasting, AWornItemThatBreaksTakesItsArmourWithIt) {
    Fight f;
    spellRow(f.h.game(), 5, "HIROGA", 2, 2, 5, 0, 0, 7);
    ItemRecord& shield = f.h.game().db.itemTable[41];
    shield.itemNumber = 41;
    shield.name = "炎の盾";
    shield.kind = 2;
    shield.armorBonus = 4;
    shield.spellLink = 5;
    shield.breakChance = 101;
    ResetDerived(f.caster);
    ApplyEquipment(f.caster, f.h.game().db, 0);
    const std::int32_t bare = f.caster.baseArmorClass;
    f.caster.items[3] = ItemSlot{41, kEquipSecondary, 1};
    ResetDerived(f.caster);
    ApplyEquipment(f.caster, f.h.game().db, 0);
    ASSERT_EQ(f.caster.baseArmorClass, bare + 4);
    f.caster.actionCode = kActUseItem;
    f.caster.actionItemSlot = 3;
    CastSpell(f.h.game(), f.caster);
    EXPECT_EQ(f.caster.items[3].itemId, 0);
    EXPECT_EQ(f.caster.baseArmorClass, bare) << "the shield's armour went with it";
}

TEST(CommandEntryRules, EachCommandIsOfferedToThoseWhoMayUseIt) {
    struct Case {
        const char* what;
        std::function<void(Character&)> set;
        BattleCommand command;
    } cases[] = {
        {"hide", [](Character& c) { c.skills[4] = 1; }, BattleCommand::Hide},
        {"search", [](Character& c) { c.skills[7] = 1; }, BattleCommand::Search},
        {"see through", [](Character& c) { c.skills[41] = 1; }, BattleCommand::SeeThrough},
        {"throw money", [](Character& c) { c.skills[39] = 1; }, BattleCommand::ThrowMoney},
        {"breath", [](Character& c) { c.race = 64; }, BattleCommand::Breath},
        {"spells", [](Character& c) { c.spellsKnown(2, 1, 3) = 1; }, BattleCommand::Cast},
        {"dispel", [](Character& c) { c.skills[28] = 1; }, BattleCommand::Dispel},
        {"summon", [](Character& c) { c.skills[116] = 1; }, BattleCommand::Summon},
        {"song", [](Character& c) { c.skills[47] = 1; }, BattleCommand::Song},
        {"steal", [](Character& c) { c.skills[9] = 1; }, BattleCommand::Steal},
        {"steal from hiding",
         [](Character& c) {
             c.skills[5] = 1;
             c.status |= kStatusHidden;
         },
         BattleCommand::Steal},
    };
    auto offers = [](const std::vector<BattleCommand>& v, BattleCommand c) {
        return std::find(v.begin(), v.end(), c) != v.end();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Headless h;
        Character& m = h.member(1);
        EXPECT_FALSE(offers(CommandsFor(h.game(), 1), c.command));
        c.set(m);
        EXPECT_TRUE(offers(CommandsFor(h.game(), 1), c.command));
    }
    // Spells of level 2 and up alone do not open the spell command.
    Headless h;
    Character& m = h.member(1);
    m.spellsKnown(0, 2, 1) = 1;
    EXPECT_FALSE(offers(CommandsFor(h.game(), 1), BattleCommand::Cast));
}

TEST(CommandEntryRules, SummonLevelsAreReadAndLowered) {
    Headless h;
    Character& m = h.member(1);
    m.level = 150;
    struct Case {
        const char* typed;
        int level;
    } cases[] = {{"20", 20}, {"２０", 20}, {"150", 150}, {"400", 150},
                 {"abc", 0}, {"-3", 0},    {"2.5", 2},   {"1e300", 150}};
    for (const Case& c : cases)
        EXPECT_EQ(SummonLevelEntered(m, c.typed), c.level) << c.typed;
}

TEST(PartyActions, StealTakesFromThePocketAndEmptiesIt) {
    Fight f;
    ItemRecord& ring = f.h.game().db.itemTable[12];
    ring.itemNumber = 12;
    ring.name = "銀の指輪";
    for (int s = 1; s <= 3; ++s)
        f.goblin(s).items[1] = ItemSlot{12, 0, 1};
    f.caster.dexterity = 200;  // always quick enough
    f.caster.status |= kStatusHidden;
    StealAction(f.h.game(), f.caster);
    EXPECT_EQ(f.caster.items[1].itemId, 12);
    EXPECT_EQ(f.caster.items[1].itemFlags, kItemUnidentified);
    EXPECT_EQ(f.h.game().save.itemFoundCounts[12], 1);
    EXPECT_EQ(f.goblin(1).items[1].itemId, 0);
    EXPECT_FALSE(f.caster.status & kStatusHidden);
    EXPECT_TRUE(f.h.said("そしてアイテムを盗んだ！"));
    // The pockets are empty now.
    StealAction(f.h.game(), f.caster);
    EXPECT_EQ(f.caster.items[2].itemId, 0);
    EXPECT_TRUE(f.h.said("しかし何も持っていなかった"));
}

TEST(PartyActions, MoneyThrownHurtsEveryGoblinAndCostsGold) {
    Fight f;
    f.caster.level = 5;
    f.caster.gold = 10000;
    ThrowMoneyAction(f.h.game(), f.caster);
    double thrown = 0;
    for (int s = 1; s <= 3; ++s) {
        EXPECT_LT(f.goblin(s).hitPoints, 100);
        thrown += 10.0 * (100 - f.goblin(s).hitPoints);
    }
    EXPECT_DOUBLE_EQ(f.caster.gold, 10000 - thrown);
    // Too little gold: the throw does nothing.
    Fight poor;
    poor.caster.gold = 1;
    ThrowMoneyAction(poor.h.game(), poor.caster);
    EXPECT_EQ(poor.goblin(1).hitPoints, 100);
    EXPECT_DOUBLE_EQ(poor.caster.gold, 1);
}

TEST(PartyActions, BreathWeakensWithUseAndStopsAfterTheLevel) {
    Fight f;
    f.caster.race = 64;
    f.caster.level = 1;
    f.caster.hitPoints = 400;
    BreathAction(f.h.game(), f.caster);
    EXPECT_LT(f.goblin(1).hitPoints, 100);
    EXPECT_EQ(f.goblin(2).hitPoints, 100) << "below level 15 only the first is struck";
    const int after = f.goblin(1).hitPoints;
    BreathAction(f.h.game(), f.caster);
    EXPECT_EQ(f.goblin(1).hitPoints, after) << "a level-1 dragon breathes once in earnest";
    EXPECT_EQ(f.caster.breathCount, 2);
}

TEST(PartyActions, DispelNeedsTheRightSkillAndAKnownGroup) {
    Fight f;
    f.goblin(0).classBit = 2;
    f.goblin(0).identified = -1;
    f.caster.level = 5;
    f.caster.piety = 200;
    DispelAction(f.h.game(), f.caster, 1);
    EXPECT_TRUE(f.h.said("は呪いを解けなかった"));
    f.caster.skills[28] = 1;
    DispelAction(f.h.game(), f.caster, 1);
    EXPECT_TRUE(f.h.said("３体のモンスターをディスペルした"));
    EXPECT_EQ(f.h.game().battle.killCount, 0) << "no rewards for the dispelled";
}

TEST(PartyActions, SongsBlessThePartyAndHealTheFront) {
    Fight f;
    ItemRecord& harp = f.h.game().db.itemTable[30];
    harp.itemNumber = 30;
    harp.kind = 9;
    harp.spellLink = 112;
    spellRow(f.h.game(), 112, "SHIZUKA", 104, 0, 3);
    f.caster.items[1] = ItemSlot{30, 0, 1};
    f.caster.actionItemSlot = 1;
    SongAction(f.h.game(), f.caster);
    EXPECT_TRUE(f.h.game().place.partyBlessings & 4);
    EXPECT_TRUE(f.h.said("の曲を奏でた"));

    spellRow(f.h.game(), 112, "IYASHIUTA", 106, 5, 3, 0, 0, 15);
    f.friendMember.hitPoints = 5;
    SongAction(f.h.game(), f.caster);
    EXPECT_EQ(f.friendMember.hitPoints, 20);

    // A song without the battle flag only plays.
    spellRow(f.h.game(), 112, "KAERU", 104, 0, 2);
    f.h.game().place.partyBlessings = 0;
    SongAction(f.h.game(), f.caster);
    EXPECT_EQ(f.h.game().place.partyBlessings, 0);
    EXPECT_TRUE(f.h.said("しかし何もおこらなかった"));
}

TEST(PartyActions, HidingAndSeeingThrough) {
    Fight f;
    f.caster.level = 250;  // the roll is 1..(level + agility + luck) + 5
    f.caster.wisdom = 200;
    HideAction(f.h.game(), f.caster);
    EXPECT_TRUE(f.caster.status & kStatusHidden);
    f.goblin(0).damageDiceCount = 3;
    f.goblin(0).damageDiceSides = 8;
    f.goblin(0).damageDiceBonus = 2;
    f.goblin(0).name = "ホブゴブリン";
    SeeThroughAction(f.h.game(), f.caster);
    EXPECT_TRUE(f.h.said("名前：ホブゴブリン"));
    EXPECT_TRUE(f.h.said("攻撃：3Ｄ8＋2"));
}

// A monster's spells, breath and calls.
struct MonsterSide {
    Headless h{11};
    Character& a;
    Character& b;
    MonsterSide() : a(h.member(1, "あ")), b(h.member(2, "い")) {
        Character& m = h.fighter(1, 1, "まどうし", 40);
        m.wisdom = 10;
        h.game().battle.monsters[1][0] = m;
        for (int s = 2; s <= kGroupSlots; ++s)
            h.game().battle.monsters[1][static_cast<size_t>(s)].status = kStatusDead;
        h.game().battle.actingGroup = 1;
        h.game().battle.actingSlot = 1;
        h.game().battle.groupCount = 1;
        for (Character& s : h.game().battle.summons)
            s.status = kStatusDead;
    }
    Character& caster() { return h.game().battle.monsters[1][1]; }
};

TEST(MonsterSpells, ADamageSpellStrikesTheWholeParty) {
    MonsterSide f;
    spellRow(f.h.game(), 10, "IKAZU", 2, 3, 5, 0, 0, 8);
    f.h.game().db.spellTable[10].level = 4;
    CastMonsterSpell(f.h.game(), f.caster(), 0, 4);
    EXPECT_EQ(f.a.hitPoints, 42);
    EXPECT_EQ(f.b.hitPoints, 42);
    EXPECT_TRUE(f.h.said("まどうしは\nＩＫＡＺＵの呪文を唱えた"));
}

TEST(MonsterSpells, SilenceStopsAllButTheThirdSchool) {
    MonsterSide f;
    spellRow(f.h.game(), 10, "IKAZU", 2, 3, 5, 0, 0, 8);
    f.caster().status |= kStatusSilence;
    CastMonsterSpell(f.h.game(), f.caster(), 0, 1);
    EXPECT_TRUE(f.h.said("しかし呪文は音にならなかった"));
    EXPECT_EQ(f.a.hitPoints, 50);
    f.h.game().db.spellTable[10].kind = 2;
    CastMonsterSpell(f.h.game(), f.caster(), 2, 1);
    EXPECT_EQ(f.a.hitPoints, 42);
}

TEST(MonsterSpells, WithoutASpellOfThatLevelNothingHappens) {
    MonsterSide f;
    CastMonsterSpell(f.h.game(), f.caster(), 1, 9);
    EXPECT_TRUE(f.h.messages.empty());
}

TEST(MonsterSpells, ShieldsStopAtThree) {
    MonsterSide f;
    spellRow(f.h.game(), 10, "MAMORA", 46, 4, 4);
    for (int i = 0; i < 4; ++i)
        CastMonsterSpell(f.h.game(), f.caster(), 0, 1);
    EXPECT_EQ(f.h.game().battle.monsterShields[2], 3);
    EXPECT_TRUE(f.h.said("しかし効果がなかった"));
}

TEST(MonsterBreath, FireBreathHalvesTheCurrentHitPointsOnEveryMember) {
    MonsterSide f;
    f.caster().hitPoints = 40;
    f.a.luck = 1;  // a roll of 1: the whole breath
    f.b.luck = 1;
    f.b.skills[120] = 1;
    BreathAttack(f.h.game(), f.caster(), kResistFire);
    EXPECT_EQ(f.a.hitPoints, 30) << "40 \\ 2 = 20, halved by the breath percent of a fire hit";
    EXPECT_GT(f.b.hitPoints, f.a.hitPoints) << "skill 120 halves it";
    EXPECT_TRUE(f.h.said("炎のブレスを吐いた"));
}

TEST(MonsterCalls, HelpFillsADeadPlaceOrNobodyComes) {
    int came = 0, stayed = 0;
    for (std::uint64_t seed = 1; seed <= 16; ++seed) {
        MonsterSide f;
        f.h.game().rng.seed(seed);
        CallForHelp(f.h.game(), f.caster());
        const Character& second = f.h.game().battle.monsters[1][2];
        if (f.h.said("仲間が１体あらわれた")) {
            ++came;
            EXPECT_EQ(second.status, 0);
            EXPECT_EQ(second.name, "まどうし");
            EXPECT_GE(second.hitPoints, 1);
        } else {
            ++stayed;
            EXPECT_TRUE(f.h.said("しかし助けは来なかった・・・"));
            EXPECT_TRUE(second.status & kStatusDead);
        }
    }
    EXPECT_GT(came, 0);
    EXPECT_GT(stayed, 0);
}

TEST(MonsterCalls, ACalledGroupTakesTheFirstFreeGroup) {
    MonsterSide f;
    Character& wolf = f.h.game().db.monsterTable[5];
    wolf = Headless::monsterRecord(5, "オオカミ", 12);
    wolf.altName = "けもの";
    wolf.appearDiceCount = 1;
    wolf.appearDiceSides = 1;
    wolf.appearDiceBonus = 20;  // more than nine come as nine
    wolf.hpDiceCount = 1;
    wolf.hpDiceSides = 1;
    wolf.hpDiceBonus = 11;
    for (int k = 75; k <= 80; ++k)
        f.h.game().db.callTable[static_cast<size_t>(k)] = 5;
    CallMonsters(f.h.game(), f.caster(), 90);
    const auto& group = f.h.game().battle.monsters[2];
    EXPECT_EQ(group[9].name, "オオカミ");
    EXPECT_EQ(group[9].hitPoints, 12);
    EXPECT_EQ(f.h.game().battle.groupCount, 2);
    EXPECT_TRUE(f.h.said("けものが９体あらわれた"));
    // A table entry that names no monster brings nobody.
    for (int k = 81; k <= 86; ++k)
        f.h.game().db.callTable[static_cast<size_t>(k)] = 3000;
    f.h.messages.clear();
    CallMonsters(f.h.game(), f.caster(), 91);
    EXPECT_TRUE(f.h.messages.empty());
}

TEST(MonsterFlight, TheMonsterLeavesWithoutRewards) {
    MonsterSide f;
    MonsterFlee(f.h.game(), f.caster());
    EXPECT_EQ(f.caster().status, kStatusDead);
    EXPECT_EQ(f.h.game().battle.experiencePool, 0);
}

TEST(Summons, TheWindowAndTheCost) {
    int lo = 0, hi = 0;
    SummonWindow(3, lo, hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 8);
    SummonWindow(98, lo, hi);
    EXPECT_EQ(lo, 93);
    EXPECT_EQ(hi, 100);

    Fight f;
    Character& imp = f.h.game().db.monsterTable[7];
    imp = Headless::monsterRecord(7, "インプ", 20);
    imp.summonLevel = 4;
    imp.classBit = 2;
    imp.appearDiceCount = 1;
    imp.appearDiceSides = 1;
    imp.appearDiceBonus = 1;
    imp.hpDiceCount = 1;
    imp.hpDiceSides = 1;
    imp.hpDiceBonus = 19;
    f.caster.maxHitPoints = 23;
    f.caster.hitPoints = 23;
    f.caster.actionSpell = 3;
    SummonAction(f.h.game(), f.caster);
    EXPECT_TRUE(f.h.said("召喚に失敗した")) << "never beaten";
    EXPECT_EQ(f.caster.hitPoints, 22) << "the cost is paid anyway";
    f.h.game().save.defeatedCounts[7] = 1;
    SummonAction(f.h.game(), f.caster);
    EXPECT_TRUE(f.h.said("召喚に失敗した")) << "no type skill";
    f.caster.skills[177] = 1;
    SummonAction(f.h.game(), f.caster);
    EXPECT_TRUE(f.h.said("インプを\r２体召喚した"));
    EXPECT_EQ(f.h.game().battle.summons[2].hitPoints, 20);
    EXPECT_TRUE(f.h.game().battle.summons[3].status & kStatusDead);
}

TEST(Summons, AnAllyStrikesAMonsterOnItsTurn) {
    Fight f;
    Character& ally = f.h.game().battle.summons[1];
    ally = Headless::monsterRecord(7, "インプ", 20);
    ally.damageDiceCount = 1;
    ally.damageDiceSides = 1;
    ally.damageDiceBonus = 9;
    ally.actions.fill(1);
    ally.dexterity = 200;
    f.h.game().db.monsterActions[1].kind = 3;
    f.h.game().battle.rows[0] = MonsterRow{1, "ゴブリン"};
    f.h.game().battle.rowCount = 1;
    for (int n = 0; n < 6; ++n)
        AllyTurn(f.h.game(), 1);
    EXPECT_LT(f.goblin(1).hitPoints, 100);
    EXPECT_EQ(ally.initiative, 0);
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

TEST(MonsterSpells, AWiseMemberCastsTheSpellBack) {
    MonsterSide f;
    spellRow(f.h.game(), 10, "IKAZU", 2, 1, 5, 0, 0, 8);
    f.h.game().db.spellTable[10].target = 3;
    // The member knows the spell and has a point for it.
    f.a.skills[18] = 1;
    f.a.wisdom = 250;
    f.a.spellsKnown(0, 1, 1) = 1;
    f.a.spellPoints(0, 1) = 1;
    CastMonsterSpell(f.h.game(), f.caster(), 0, 1);
    EXPECT_TRUE(f.h.said("は\n魔法をやりかえした"));
    EXPECT_EQ(f.caster().hitPoints, 32);
    EXPECT_EQ(f.a.spellPoints(0, 1), 0);
    EXPECT_EQ(f.a.actionCode, 0) << "the member's own command is kept";
}

// An ally's scripted abilities, each on a group of three goblins.
TEST(AllyAbilities, EachDoesItsWork) {
    struct Case {
        int id;
        std::function<void(Fight&, Character&)> check;
    } cases[] = {
        {29,
         [](Fight& f, Character& a) {
             EXPECT_TRUE(a.status & kStatusDead);
             EXPECT_TRUE(f.h.said("逃げた・・・"));
         }},
        {35,
         [](Fight& f, Character&) {
             EXPECT_TRUE(f.h.said("仲間が１体あらわれた") || f.h.said("しかし助けは来なかった"));
         }},
        {36,
         [](Fight& f, Character&) {
             EXPECT_TRUE(f.h.said("炎のブレスを吐いた"));
             EXPECT_LT(f.goblin(1).hitPoints, 100);
         }},
        {47, [](Fight& f, Character&) { EXPECT_LT(f.goblin(1).hitPoints, 100); }},
        {71,
         [](Fight& f, Character&) {
             for (int s = 1; s <= 3; ++s)
                 EXPECT_EQ(f.goblin(s).status, kStatusDead);
             EXPECT_EQ(f.h.game().battle.killCount, 0);
         }},
        {72, [](Fight&, Character& a) { EXPECT_EQ(a.hitPoints, a.maxHitPoints); }},
        {101,
         [](Fight& f, Character&) {
             for (int s = 1; s <= 3; ++s)
                 EXPECT_EQ(f.goblin(s).hitPoints, 70);  // its 30 hit points
         }},
        {121, [](Fight&, Character& a) { EXPECT_EQ(a.damageDiceCount, 2); }},
        {133,
         [](Fight& f, Character&) {
             int silent = 0;
             for (int s = 1; s <= 3; ++s)
                 silent += (f.goblin(s).status & kStatusSilence) ? 1 : 0;
             EXPECT_GE(silent, 1);
         }},
        {30,
         [](Fight& f, Character&) {
             EXPECT_LT(f.goblin(1).hitPoints, 100) << "an id without an ally rule is a blow";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        Fight f;
        Character& ally = f.h.game().battle.summons[1];
        ally = Headless::monsterRecord(7, "インプ", 30);
        ally.maxHitPoints = 40;
        ally.damageDiceCount = 1;
        ally.damageDiceSides = 1;
        ally.damageDiceBonus = 9;
        ally.dexterity = 200;
        ally.actions.fill(static_cast<std::int16_t>(c.id));
        for (int s = 2; s <= kSummonSlots; ++s)
            f.h.game().battle.summons[static_cast<size_t>(s)].status = kStatusDead;
        f.h.game().battle.summons[0] = ally;
        f.h.game().db.monsterActions[static_cast<size_t>(c.id)].kind = 3;
        f.h.game().db.monsterActions[1].kind = 3;
        f.h.game().battle.rows[0] = MonsterRow{1, "ゴブリン"};
        f.h.game().battle.rowCount = 1;
        AllyTurn(f.h.game(), 1);
        c.check(f, ally);
        EXPECT_EQ(ally.initiative, 0);
    }
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

TEST(BattleCasting, ATargetThatIsGoneTakesTheSpellIntoNothing) {
    Fight f;
    spellRow(f.h.game(), 1, "HIRO", 2, 2, 5, 0, 0, 10);
    f.caster.spellsKnown(0, 1, 1) = 1;
    f.caster.spellPoints(0, 1) = 1;
    f.caster.actionCode = kActCast;
    f.caster.actionSpell = 1;
    for (Character& m : f.h.game().battle.monsters[2])
        m.status = kStatusDead;
    f.caster.targetGroup = 2;  // nobody stands there
    CastSpell(f.h.game(), f.caster);
    EXPECT_TRUE(f.h.said("の呪文を唱えた\rしかし何もおこらなかった"));
    spellRow(f.h.game(), 1, "IYASU", 7, 4, 5, 0, 0, 10);
    f.caster.spellPoints(0, 1) = 1;
    f.caster.targetGroup = 40;  // a member who is not in the party
    f.h.messages.clear();
    CastSpell(f.h.game(), f.caster);
    EXPECT_TRUE(f.h.said("しかし何もおこらなかった"));
}

}  // namespace
}  // namespace dv

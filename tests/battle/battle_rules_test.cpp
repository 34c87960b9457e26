// The battle's rules without windows: the opening and its groups, the moons, rounds and
// their end, monster turns and abilities, rewards, the chest and command entry.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>

#include "battle/battle_end.h"
#include "battle/command_entry.h"
#include "battle/encounter.h"
#include "battle/monster_list.h"
#include "battle/rounds.h"
#include "combat/combat_core.h"
#include "combat/fighters.h"
#include "headless.h"
#include "monsters/abilities.h"
#include "monsters/monster_turn.h"

namespace dv {
namespace {

using test::Headless;

// Monster n of the table, idle (its action rows do nothing) unless given actions.
Character& tableMonster(Game& g, int n, const std::string& name, int hpBonus) {
    Character& m = g.db.monsterTable[static_cast<size_t>(n)];
    m = Headless::monsterRecord(n, name, 0);
    m.appearDiceCount = 1;
    m.appearDiceSides = 1;
    m.hpDiceCount = 1;
    m.hpDiceSides = 1;
    m.hpDiceBonus = hpBonus;
    return m;
}

void groups(Game& g, int row, std::initializer_list<int> monsters) {
    int k = 0;
    for (int m : monsters)
        g.db.encounterTable(row, kEncounterFirstGroup + k++) = static_cast<std::int16_t>(m);
}

TEST(Encounter, GroupsFollowTheirColumnsAndBadNumbersGiveNoGroup) {
    Headless h;
    h.member(1);
    Game& g = h.game();
    tableMonster(g, 5, "オオカミ", 4);
    g.db.monsterTable[9].rosterId = 0;  // an empty record
    groups(g, 30, {0, 5, 9, 5});
    StartEncounter(g, {30, 12, 0});
    const BattleState& b = g.battle;
    ASSERT_EQ(b.rowCount, 2);
    EXPECT_EQ(b.rows[0].group, 2);
    EXPECT_EQ(b.rows[1].group, 4);
    EXPECT_EQ(b.rows[0].text.substr(0, 3), "２");
    EXPECT_EQ(b.rows[1].text.substr(0, 3), "４");
    EXPECT_EQ(b.groupCount, 2);
    EXPECT_EQ(FirstLiveSlot(b, 3), 0);
    EXPECT_EQ(b.monsters[2][1].maxHitPoints, 5);

    // Numbers past the tables: no group, no battle for an encounter outside 1..2000.
    // A record that claims its fighters are dead still brings living fighters.
    Headless h4;
    h4.member(1);
    tableMonster(h4.game(), 6, "亡者", 3).status = kStatusDead | 4096;
    groups(h4.game(), 32, {6});
    StartEncounter(h4.game(), {32, 12, 0});
    EXPECT_EQ(h4.battle().monsters[1][1].status, 0);

    Headless h2;
    h2.member(1);
    groups(h2.game(), 31, {3000, -4});
    StartEncounter(h2.game(), {31, 12, 0});
    EXPECT_EQ(h2.battle().rowCount, 0);
    Headless h3;
    h3.member(1);
    StartEncounter(h3.game(), {2500, 12, 0});
    EXPECT_EQ(h3.battle().battlePhase, kNoBattle);
    EXPECT_TRUE(h3.messages.empty());
    StartEncounter(h3.game(), {0, 12, 0});
    EXPECT_EQ(h3.battle().battlePhase, kNoBattle) << "no list on the floor";
}

TEST(Encounter, SizesStayWithinNineAndHitPointsAboveZero) {
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        Headless h(seed);
        h.member(1);
        Game& g = h.game();
        Character& crowd = tableMonster(g, 1, "群れ", 0);
        crowd.appearDiceCount = 3;
        crowd.appearDiceSides = 6;
        crowd.appearDiceBonus = 5;
        crowd.hpDiceBonus = -20;
        groups(g, 1, {1});
        StartEncounter(g, {1, 12, 0});
        int fighters = 0;
        for (int s = 1; s <= kGroupSlots; ++s) {
            const Character& m = g.battle.monsters[1][static_cast<size_t>(s)];
            if (m.rosterId <= 0) continue;
            ++fighters;
            EXPECT_GE(m.maxHitPoints, 1);
            EXPECT_GE(m.hitPoints, 0);
            EXPECT_LE(m.hitPoints, m.maxHitPoints);
        }
        EXPECT_LE(fighters, 9);
        EXPECT_GE(fighters, 8);
    }
}

TEST(Encounter, PartySkillsShapeTheGroups) {
    // Skill 160 lowers a bonus of 2 or more by one; 159 leaves 81..99 percent of the hit
    // points; 162 poisons them (the first recovery may cure a few).
    struct Case {
        int bonus, skill, size;
    };
    for (const Case c : {Case{1, 160, 2}, Case{3, 160, 3}, Case{3, 0, 4}}) {
        Headless h;
        h.member(1).skills[static_cast<size_t>(c.skill)] = 1;
        Character& m = tableMonster(h.game(), 1, "群れ", 0);
        m.appearDiceBonus = static_cast<std::int16_t>(c.bonus);
        groups(h.game(), 1, {1});
        StartEncounter(h.game(), {1, 12, 0});
        int fighters = 0;
        for (int s = 1; s <= kGroupSlots; ++s)
            fighters += h.battle().monsters[1][static_cast<size_t>(s)].rosterId > 0;
        EXPECT_EQ(fighters, c.size) << c.bonus << " " << c.skill;
    }
    Headless h;
    Character& member = h.member(1);
    member.skills[159] = 1;
    member.skills[162] = 1;
    Character& m = tableMonster(h.game(), 1, "群れ", 99);
    m.appearDiceBonus = 8;
    groups(h.game(), 1, {1});
    StartEncounter(h.game(), {1, 12, 0});
    int poisoned = 0;
    for (int s = 1; s <= 9; ++s) {
        const Character& f = h.battle().monsters[1][static_cast<size_t>(s)];
        EXPECT_GE(f.maxHitPoints, 81);
        EXPECT_LE(f.maxHitPoints, 99);
        poisoned += (f.status & kStatusPoison) != 0;
    }
    EXPECT_GE(poisoned, 3);
}

TEST(Encounter, TheSpellOfSightIdentifiesEveryGroup) {
    Headless h;
    h.member(1);
    h.game().place.partyEffects = 1;
    tableMonster(h.game(), 1, "正体", 0);
    groups(h.game(), 1, {1, 1, 1, 1});
    StartEncounter(h.game(), {1, 12, 0});
    for (int g = 1; g <= 4; ++g) {
        EXPECT_EQ(h.battle().monsters[static_cast<size_t>(g)][0].identified, -1);
        EXPECT_EQ(h.battle().monsters[static_cast<size_t>(g)][1].name, "正体");
    }
}

TEST(Encounter, ACloneBattleFightsACopyPaidLikeTheMonster) {
    Headless h;
    Character& hero = h.member(1, "勇者");
    hero.classBit = 1;
    hero.level = 12;
    hero.gold = 5000;
    hero.hitPoints = 3;
    hero.maxHitPoints = 80;
    Character& m = tableMonster(h.game(), 1, "影", 0);
    m.gold = 7;
    m.experience = 70;
    m.altName = "黒い影";
    groups(h.game(), 1, {1});
    const Character before = hero;
    StartEncounter(h.game(), {1, 12, kCloneBattleEvent});
    const Character& clone = h.battle().monsters[1][1];
    EXPECT_EQ(clone.rosterId, 1);
    EXPECT_EQ(clone.sex, 4);
    EXPECT_EQ(clone.level, 12);
    EXPECT_EQ(clone.gold, 7.0);
    EXPECT_EQ(clone.experience, 70.0);
    EXPECT_EQ(clone.maxHitPoints, 80);
    EXPECT_EQ(clone.attackCount, 3) << "a fighter of level 12 swings 12 \\ 5 + 1 times";
    EXPECT_EQ(clone.actions[1], 47);
    EXPECT_EQ(clone.damageDiceSides, 4);
    EXPECT_TRUE(h.battle().monsters[1][0].status & kStatusDead);
    EXPECT_EQ(h.battle().monsters[1][2].rosterId, 0) << "one copy only";
    EXPECT_EQ(hero, before) << "the roster character is never touched";
}

TEST(Encounter, TheMoonsChangeTheMonstersTheyRule) {
    struct Case {
        const char* what;
        std::int32_t type;
        int luna, artemis;
        std::function<void(const Character&)> check;
    };
    const Case cases[] = {
        {"128 at a full moon starts at 1 hit point", 128, 8 * 30, 0,
         [](const Character& m) {
             EXPECT_EQ(m.hitPoints, 1);
             EXPECT_EQ(m.maxHitPoints, 40);
         }},
        {"128 at a new moon grows fierce", 128, 0, 3 * 40,
         [](const Character& m) {
             EXPECT_EQ(m.damageDiceCount, 4);
             EXPECT_EQ(m.agility, 24);
             EXPECT_EQ(m.resistances[1], 255);
             EXPECT_EQ(m.resistances[2], 100);
             EXPECT_EQ(m.resistances[35], 100);
             EXPECT_EQ(m.skills[30], 1);
             EXPECT_EQ(m.regeneration, 40);
         }},
        {"128 between the moons", 128, 3 * 30, 5 * 40,
         [](const Character& m) {
             EXPECT_EQ(m.strength, 13);
             EXPECT_EQ(m.agility, 17);
         }},
        {"8 grows with Artemis", 8, 0, 10 * 40,
         [](const Character& m) {
             EXPECT_EQ(m.maxHitPoints, 60);
             EXPECT_EQ(m.hitPoints, 40);
         }},
        {"8192 gains dice with Luna", 8192, 5 * 30, 0,
         [](const Character& m) { EXPECT_EQ(m.damageDiceCount, 7); }},
        {"1024 at a new moon", 1024, 3 * 30, 0,
         [](const Character& m) {
             EXPECT_EQ(m.damageDiceCount, 4);
             EXPECT_EQ(m.resistances[2], 100);
         }},
        {"131072 at a full moon", 131072, 0, 8 * 40,
         [](const Character& m) { EXPECT_EQ(m.resistances[1], 255); }},
        {"2 when both are full", 2, 8 * 30, 8 * 40,
         [](const Character& m) { EXPECT_EQ(m.resistances[12], 0); }},
        {"agility never wraps", 512, 15 * 30, 15 * 40,
         [](const Character& m) { EXPECT_EQ(m.agility, 255); }},
    };
    for (const Case& c : cases) {
        SaveData save;
        save.lunaPhase = static_cast<std::int16_t>(c.luna);
        save.artemisPhase = static_cast<std::int16_t>(c.artemis);
        Character m = Headless::monsterRecord(1, "月の子", 40);
        m.classBit = c.type;
        m.damageDiceCount = 2;
        m.strength = 10;
        m.agility = c.type == 512 ? 250 : 12;
        m.resistances[12] = 50;
        SCOPED_TRACE(c.what);
        AdjustForMoons(save, m);
        c.check(m);
    }
}

// A battle in command entry with fighters put in place by hand.
void inBattle(Headless& h) {
    h.battle().battlePhase = kCommandEntry;
    for (auto& fighters : h.battle().monsters)
        for (Character& f : fighters)
            f.status = kStatusDead;
    for (Character& s : h.battle().summons)
        s.status = kStatusDead;
}

Character& standing(Headless& h, int group, int slot, const std::string& name, int hp) {
    Character& m = h.fighter(group, slot, name, hp);
    h.battle().monsters[static_cast<size_t>(group)][0] = m;
    h.battle().monsters[static_cast<size_t>(group)][0].status = kStatusDead;
    h.battle().monsters[static_cast<size_t>(group)][0].identified = -1;
    return m;
}

TEST(Rounds, ATieGoesToTheMemberUnlessTheMonsterIsLuckier) {
    for (int monsterLuck : {5, 15}) {
        Headless h;
        inBattle(h);
        h.game().db.monsterActions[1].kind = 3;
        Character& member = h.member(1);
        member.luck = 10;
        SetCommand(member, kActDefend, 0);
        member.initiative = 20;
        Character& m = standing(h, 1, 1, "トロル", 500);
        m.actions.fill(1);
        m.luck = static_cast<std::uint8_t>(monsterLuck);
        m.initiative = 20;
        h.battle().battlePhase = kRoundRunning;
        // The member defends; who went first shows in whether the member still had its
        // command when the monster swung.
        int commandWhenStruck = -1;
        h.game().answerPrompt = [&](const std::string& text, int) {
            if (text.find("トロルの攻撃") != std::string::npos && commandWhenStruck < 0)
                commandWhenStruck = member.actionCode;
            return std::string("0");
        };
        RunRound(h.game());
        EXPECT_EQ(commandWhenStruck, monsterLuck > 10 ? kActDefend : 0) << monsterLuck;
        EXPECT_EQ(member.initiative, 0);
    }
}

TEST(Rounds, CallsToActAgainReArmEachMonsterOnceARound) {
    Headless h;
    inBattle(h);
    ActionRecord& again = h.game().db.monsterActions[269];
    again.kind = 3;
    again.message = "は\nもう一度動いた";
    h.member(1);
    for (int s = 1; s <= 2; ++s) {
        Character& m = standing(h, 1, s, "急かし屋", 50);
        m.actions.fill(269);
        m.initiative = 5;
    }
    h.battle().battlePhase = kRoundRunning;
    RunRound(h.game());
    const auto turns = std::count_if(
        h.messages.begin(), h.messages.end(),
        [](const std::string& m) { return m.find("もう一度動いた") != std::string::npos; });
    EXPECT_EQ(turns, 4) << "each acts, then once more";
    EXPECT_EQ(h.battle().battlePhase, kCommandEntry);
}

TEST(Rounds, AGuardedMonsterDoesNotActAgainInTheSameRound) {
    Headless h;
    inBattle(h);
    h.game().db.monsterActions[1].kind = 3;
    h.member(1).skills[152] = 1;
    Character& m = standing(h, 1, 1, "番兵", 5000);
    m.actions.fill(1);
    int guarded = 0;
    for (int round = 0; round < 300; ++round) {
        m.initiative = 7;
        h.messages.clear();
        h.battle().battlePhase = kRoundRunning;
        RunRound(h.game());
        const bool wasGuarded = h.said("ケブレスの守護");
        guarded += wasGuarded;
        if (wasGuarded) {
            EXPECT_FALSE(h.said("番兵の攻撃")) << "the guard ends the turn";
        }
        h.party(1).hitPoints = 50;
        h.party(1).status = 0;
    }
    EXPECT_GT(guarded, 0);
}

TEST(Rounds, LingeringAreaDamageShrinksRoundByRound) {
    Headless h;
    inBattle(h);
    Character& member = h.member(1);
    member.hitPoints = member.maxHitPoints = 100;
    standing(h, 1, 1, "見物人", 50);
    AreaEffect& fire = h.battle().partyAreaEffects[4];
    fire = {2, 1, 0, 3, 4, 0};
    const int expected[] = {100 - 6, 100 - 6 - 2, 100 - 6 - 2 - 0};
    for (int round = 0; round < 3; ++round) {
        h.battle().battlePhase = kRoundRunning;
        RunRound(h.game());
        EXPECT_EQ(member.hitPoints, expected[round]) << round;
    }
    EXPECT_EQ(fire.roundsLeft, 0);
    EXPECT_TRUE(h.said("炎の渦\nなかま1は\n６のダメージをうけた"));
}

TEST(Rounds, TheRoundEndsInAWipeOutOrAVictory) {
    {
        Headless h;
        inBattle(h);
        h.member(1).status = kStatusStone;
        h.member(2).status = kStatusDead;
        standing(h, 1, 1, "石像", 50);
        h.battle().battlePhase = kRoundRunning;
        RunRound(h.game());
        EXPECT_EQ(h.battle().lastEnd, BattleEnd::WipeOut);
        EXPECT_EQ(h.battle().battlePhase, kNoBattle);
    }
    {
        Headless h;
        inBattle(h);
        h.member(1);
        // An encounter whose groups are all empty is won after its first round.
        h.battle().battlePhase = kRoundRunning;
        RunRound(h.game());
        EXPECT_EQ(h.battle().lastEnd, BattleEnd::Victory);
        EXPECT_TRUE(h.said("モンスターを倒した"));
    }
}

TEST(Rounds, TheUpkeepAfterARound) {
    Headless h;
    inBattle(h);
    Character& member = h.member(1);
    member.status = kStatusPoison | kStatusFrozen | kStatusFear | kStatusAttackReduced;
    member.maxHitPoints = 100;
    member.hitPoints = 100;
    Character& m = standing(h, 1, 1, "見張り", 50);
    m.status = kStatusFrozen | kStatusShocked;
    h.battle().battlePhase = kRoundRunning;
    RunRound(h.game());
    EXPECT_EQ(member.hitPoints, 99) << "poison below 128 costs exactly 1";
    EXPECT_EQ(member.status, kStatusPoison);
    EXPECT_EQ(m.status, 0) << "frozen and shocked clear as the list is built";
}

TEST(MonsterTurn, AMonsterThatCannotActStillRegeneratesAndSuffers) {
    Headless h;
    inBattle(h);
    h.member(1);
    h.game().db.monsterActions[1].kind = 3;
    Character& m = standing(h, 1, 1, "眠り熊", 60);
    m.actions.fill(1);
    m.status = kStatusSleep | kStatusPoison;
    m.regeneration = 5;
    m.hitPoints = 58;
    m.maxHitPoints = 60;
    MonsterTurn(h.game(), 1, 1);
    EXPECT_EQ(m.hitPoints, 62) << "regenerates past the maximum, then poison takes 1";
    EXPECT_FALSE(h.said("眠り熊の攻撃"));
    MonsterTurn(h.game(), 1, 1);
    EXPECT_EQ(m.hitPoints, 61) << "above the maximum: no regeneration";
}

TEST(MonsterTurn, TheMeleeTargetChoice) {
    Headless h;
    for (int i = 1; i <= 4; ++i)
        h.member(i);
    Character m = Headless::monsterRecord(1, "狼", 10);
    std::set<int> hit;
    for (int n = 0; n < 400; ++n)
        if (Character* c = ChooseMeleeTarget(h.game(), m)) hit.insert(c->rosterId);
    EXPECT_EQ(hit, (std::set<int>{1, 2, 3})) << "the front row only";
    m.longReach = 1;
    hit.clear();
    for (int n = 0; n < 400; ++n)
        if (Character* c = ChooseMeleeTarget(h.game(), m)) hit.insert(c->rosterId);
    EXPECT_EQ(hit, (std::set<int>{1, 2, 3, 4}));
    // A ward against its type keeps a member out; a reflecting member is left alone by a
    // clever monster.
    h.party(1).wardMask = 1;
    h.party(2).status = kStatusHidden;
    h.party(3).status = kStatusDead;
    m.longReach = 0;
    for (int n = 0; n < 50; ++n)
        EXPECT_EQ(ChooseMeleeTarget(h.game(), m), nullptr);
    h.party(1).wardMask = 0;
    for (int n = 0; n < 50; ++n)
        EXPECT_EQ(ChooseMeleeTarget(h.game(), m), &h.party(1));
    h.party(1).resistances[1] = 255;
    m.wisdom = 16;
    for (int n = 0; n < 50; ++n)
        EXPECT_EQ(ChooseMeleeTarget(h.game(), m), nullptr);
}

TEST(MonsterTurn, TableRowsAndTheirTargets) {
    Headless h;
    inBattle(h);
    for (int i = 1; i <= 4; ++i)
        h.member(i);
    Character& m = standing(h, 1, 1, "弓兵", 10);
    ActionRecord& volley = h.game().db.monsterActions[202];
    volley.kind = 1;
    volley.targetKind = 15;
    volley.drawCount = 0;
    volley.drawBonus = 3;
    volley.element = 1;
    volley.diceCount = "1";
    volley.diceSides = "1";
    volley.diceBonus = "dc";
    volley.multiplier = "wc";
    volley.message = "は\n矢を放った！";
    m.damageDiceBonus = 4;
    m.attackCount = 2;
    m.actions.fill(202);
    MonsterTurn(h.game(), 1, 1);
    int lost = 0;
    for (int i = 1; i <= 4; ++i)
        lost += 50 - h.party(i).hitPoints;
    EXPECT_EQ(lost, 3 * 10) << "three draws of the front row, 2 x (1d1 + 4) each";
    EXPECT_EQ(h.party(4).hitPoints, 50);
    // A status row with draws strikes nobody.
    ActionRecord& gaze = h.game().db.monsterActions[203];
    gaze.kind = 2;
    gaze.targetKind = 5;
    gaze.statusChance[15] = 100;
    m.actions.fill(203);
    h.messages.clear();
    MonsterTurn(h.game(), 1, 1);
    EXPECT_TRUE(h.messages.empty());
}

TEST(MonsterTurn, ADamagedActionRowCannotBreakTheBattle) {
    Headless h;
    inBattle(h);
    for (int i = 1; i <= 3; ++i)
        h.member(i);
    Character& m = standing(h, 1, 1, "壊れた怪物", 10);
    ActionRecord& row = h.game().db.monsterActions[210];
    row.kind = 4;
    row.targetKind = 5;
    row.drawCount = 2000000000;
    row.drawSides = 2000000000;
    row.element = 900;
    row.secondResistance = -7;
    row.diceCount = "99999999999";
    row.diceSides = "abc";
    row.diceBonus = "-99999999999999";
    row.multiplier = "99999999999";
    row.statusChance[31] = 100;
    row.message = "は\n暴れた";
    m.actions.fill(210);
    m.actions[3] = -5;
    m.actions[4] = 9000;
    for (int n = 0; n < 20; ++n)
        MonsterTurn(h.game(), 1, 1);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_GE(h.party(i).hitPoints, 0);
        EXPECT_LE(h.party(i).hitPoints, h.party(i).maxHitPoints);
    }
}

TEST(MonsterTurn, AbilitiesWithExactOutcomes) {
    struct Case {
        const char* what;
        int id;
        int members;
        std::function<void(Headless&, Character&)> setUp;
        std::function<void(Headless&, Character&)> check;
    };
    const Case cases[] = {
        {"112 on one member deals nothing",
         112,
         1,
         {},
         [](Headless& h, Character&) {
             EXPECT_EQ(h.party(1).hitPoints, 50);
             EXPECT_TRUE(h.said("０のダメージ"));
         }},
        {"168 halves 7 gold to 3", 168, 1, [](Headless& h, Character&) { h.party(1).gold = 7; },
         [](Headless& h, Character&) { EXPECT_EQ(h.party(1).gold, 3.0); }},
        {"169 takes a fifth of 10", 169, 1, [](Headless& h, Character&) { h.party(1).gold = 10; },
         [](Headless& h, Character&) { EXPECT_EQ(h.party(1).gold, 8.0); }},
        {"67 needs two members",
         67,
         1,
         {},
         [](Headless& h, Character&) { EXPECT_TRUE(h.messages.empty()); }},
        {"68 needs two members",
         68,
         1,
         {},
         [](Headless& h, Character&) { EXPECT_TRUE(h.messages.empty()); }},
        {"57 over a floating party", 57, 2,
         [](Headless& h, Character&) { h.game().place.partyEffects = 4; },
         [](Headless& h, Character&) {
             ASSERT_EQ(h.messages.size(), 1u);
             EXPECT_EQ(h.messages[0], "主は\n大地震を起こした\rパーティーは空中に浮かんでいる");
             EXPECT_EQ(h.party(1).hitPoints, 50);
         }},
        {"54 halves hit points", 54, 1, [](Headless& h, Character&) { h.party(1).hitPoints = 41; },
         [](Headless& h, Character&) { EXPECT_EQ(h.party(1).hitPoints, 20); }},
        {"42 drains a man every time", 42, 1,
         [](Headless& h, Character& m) {
             h.party(1).sex = 1;
             h.party(1).level = 9;
             h.party(1).resistances[30] = 100;
             m.attackCount = 2;
         },
         [](Headless& h, Character&) {
             EXPECT_EQ(h.party(1).level, 7);
             EXPECT_TRUE(h.said("レベルを２下げられた！"));
         }},
        {"71 ends every monster without pay",
         71,
         1,
         {},
         [](Headless& h, Character& m) {
             EXPECT_EQ(m.status, kStatusDead);
             EXPECT_EQ(h.battle().killCount, 0);
         }},
        {"34 blows itself up, booked", 34, 1, [](Headless&, Character& m) { m.hitPoints = 12; },
         [](Headless& h, Character& m) {
             EXPECT_EQ(h.party(1).hitPoints, 38);
             EXPECT_EQ(m.status, kStatusDead);
             EXPECT_EQ(h.battle().killCount, 1);
         }},
        {"131 lowers the maximum and keeps hit points inside it", 131, 1,
         [](Headless& h, Character&) { h.party(1).hitPoints = 50; },
         [](Headless& h, Character&) {
             EXPECT_LT(h.party(1).maxHitPoints, 50);
             EXPECT_LE(h.party(1).hitPoints, h.party(1).maxHitPoints);
         }},
        {"302 raises the swings of a standing group",
         302,
         1,
         {},
         [](Headless& h, Character& m) {
             EXPECT_EQ(m.attackCount, 2);
             EXPECT_TRUE(h.said("攻撃回数がＵＰした"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Headless h;
        inBattle(h);
        for (int i = 1; i <= c.members; ++i)
            h.member(i);
        Character& m = standing(h, 1, 1, "主", 30);
        m.damageDiceCount = 1;
        m.damageDiceSides = 1;
        m.damageDiceBonus = 0;
        h.game().db.monsterActions[static_cast<size_t>(c.id)].kind = 3;
        if (c.setUp) c.setUp(h, m);
        MonsterAbility(h.game(), m, c.id, nullptr);
        c.check(h, m);
        for (int i = 1; i <= c.members; ++i) {
            EXPECT_GE(h.party(i).hitPoints, 0);
            EXPECT_LE(h.party(i).hitPoints, h.party(i).maxHitPoints);
        }
    }
}

TEST(MonsterTurn, GroupAbilitiesFindNoGroupAndWriteNothing) {
    Headless h;
    inBattle(h);
    h.member(1);
    Character m = Headless::monsterRecord(1, "独り", 10);
    m.status = kStatusDead;
    MonsterAbility(h.game(), m, 300, nullptr);
    EXPECT_TRUE(h.messages.empty());
    EXPECT_EQ(h.battle().monsters[0][1].resistances[2], 0);
}

TEST(Rewards, ExperienceBonusesAndSharing) {
    struct Case {
        const char* what;
        std::function<void(Headless&)> setUp;
        int pool;
        std::vector<double> experience;
    };
    const Case cases[] = {
        {"pool 1000 with skills 203 and 206 becomes 1180",
         [](Headless& h) {
             h.party(1).skills[203] = 1;
             h.party(2).skills[206] = 1;
         },
         1180,
         {590, 590, 0}},
        {"skill 100: its holders take everything",
         [](Headless& h) {
             h.party(1).skills[100] = 1;
             h.party(3).status = 0;
             h.party(3).skills[100] = 1;
         },
         1000,
         {1000, 0, 1000}},
        {"a member with skill 65 takes no experience",
         [](Headless& h) { h.party(2).skills[65] = 1; },
         1000,
         {1000, 0, 0}},
        {"nobody to share with: gold only",
         [](Headless& h) {
             h.party(1).skills[65] = 1;
             h.party(2).skills[65] = 1;
         },
         1000,
         {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Headless h;
        for (int i = 1; i <= 3; ++i)
            h.member(i);
        h.party(3).status = kStatusParalysis | kStatusPoison;
        c.setUp(h);
        h.battle().experiencePool = 1000;
        h.battle().goldPool = 100;
        PayRewards(h.game());
        EXPECT_EQ(h.battle().experiencePool, c.pool);
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(h.party(i).experience, c.experience[static_cast<size_t>(i - 1)]) << i;
        const bool paralysed = h.party(3).status & kStatusParalysis;
        if (paralysed) {
            EXPECT_EQ(h.party(3).gold, 0.0);
            EXPECT_TRUE(h.party(3).status & kStatusPoison) << "the poison stays";
        }
        EXPECT_GT(h.party(1).gold, 0.0);
    }
}

TEST(Rewards, TheChestOfThreeKillsAndItsHandOver) {
    int chests = 0;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        Headless h(seed);
        h.member(1);
        std::vector<BattleChest> handed;
        h.game().links.battleChest = [&](Game&, const BattleChest& c) { handed.push_back(c); };
        BattleEnd ended = BattleEnd::None;
        h.game().links.battleOver = [&](Game&, BattleEnd e, int) { ended = e; };
        h.battle().killCount = 3;
        h.battle().killedLevelSum = 31;
        h.battle().dropItem = 12;
        Victory(h.game());
        EXPECT_EQ(ended, BattleEnd::Victory);
        EXPECT_EQ(h.party(1).victories, 1.0);
        if (handed.empty()) continue;
        ++chests;
        EXPECT_EQ(handed[0].level, 11);
        EXPECT_GE(handed[0].trap, 1);
        EXPECT_LE(handed[0].trap, 25);
        EXPECT_EQ(handed[0].dropItem, 12);
        EXPECT_TRUE(h.said("モンスターは宝箱を持っていた"));
    }
    EXPECT_GT(chests, 8);
    EXPECT_LT(chests, 40);
}

TEST(Rewards, TheCleanUpErasesTheLostAndEndsBattleOnlyStates) {
    Headless h;
    Character& lost = h.member(1);
    Character& kept = h.member(2);
    lost.status = kStatusLost | kStatusDead;
    kept.status = kStatusSleep | kStatusHidden | kStatusPoison | kStatusGuard;
    kept.baseArmorClass = 5;
    kept.armorClass = -10;
    h.game().place.partyEffects = 64 | 512;
    h.game().place.partyBlessings = 4 | 8 | 128;
    h.battle().partyShields[2] = 3;
    h.battle().partyAreaEffects[4].roundsLeft = 2;
    EndBattleCleanup(h.game());
    EXPECT_EQ(h.game().save.roster[1].rosterId, 0) << "erased";
    EXPECT_EQ(h.game().place.partyCount, 1) << "and out of the party";
    EXPECT_EQ(h.party(1).name, "なかま2");
    EXPECT_EQ(kept.status, kStatusPoison);
    EXPECT_EQ(kept.armorClass, 2);
    EXPECT_EQ(h.game().place.partyEffects, 64);
    EXPECT_EQ(h.game().place.partyBlessings, 4);
    EXPECT_EQ(h.battle().partyShields[2], 0);
    EXPECT_EQ(h.battle().partyAreaEffects[4].roundsLeft, 0);
}

TEST(Flight, AwayToTheLastSquareUnlessABossIsThere) {
    Headless h;
    inBattle(h);
    Character& runner = h.member(1);
    runner.skills[8] = 1;
    h.game().place.partyX = 4;
    h.game().place.previousX = 3;
    standing(h, 1, 1, "雑魚", 10);
    FlightTest(h.game(), 1);
    EXPECT_EQ(h.battle().lastEnd, BattleEnd::Flight);
    EXPECT_EQ(h.game().place.partyX, 3);
    EXPECT_EQ(runner.escapes, 1.0);

    Headless h2;
    inBattle(h2);
    h2.member(1).skills[8] = 1;
    standing(h2, 2, 1, "魔王", 10);
    h2.battle().monsters[2][0].level = 37;
    FlightTest(h2.game(), 1);
    EXPECT_TRUE(h2.said("逃げれない！！"));
    EXPECT_EQ(h2.battle().battlePhase, kCommandEntry) << "the monsters had their round";
    EXPECT_EQ(h2.battle().battleRound, 1);
}

TEST(CommandEntry, WhatEachMemberIsOffered) {
    using C = BattleCommand;
    struct Case {
        const char* what;
        int slot;
        std::function<void(Headless&)> setUp;
        std::vector<BattleCommand> commands;
    };
    const Case cases[] = {
        {"the first member",
         1,
         {},
         {C::Fight, C::Defend, C::Flee, C::Status, C::Reorder, C::NormalAuto}},
        {"another front-row member", 2, {}, {C::Fight, C::Defend, C::Flee, C::Status, C::Back}},
        {"hidden: the ambush",
         2,
         [](Headless& h) { h.party(2).status = kStatusHidden; },
         {C::Ambush, C::Defend, C::Flee, C::Status, C::Back}},
        {"a fly cannot fight",
         2,
         [](Headless& h) { h.party(2).status = kStatusFly; },
         {C::Defend, C::Flee, C::Status, C::Back}},
        {"the back row bare-handed", 4, {}, {C::Defend, C::Flee, C::Status, C::Back}},
        {"the back row with a spear",
         4,
         [](Headless& h) {
             h.game().db.itemTable[3].itemNumber = 3;
             h.game().db.itemTable[3].reach = 2;
             h.party(4).items[1] = {3, 1, 1};
         },
         {C::Fight, C::Defend, C::Flee, C::Status, C::Back}},
        {"nobody to serve", 5, {}, {C::Start, C::Back, C::Restart}},
        {"asleep",
         2,
         [](Headless& h) { h.party(2).status = kStatusSleep; },
         {C::Start, C::Back, C::Restart}},
    };
    for (const Case& c : cases) {
        Headless h;
        for (int i = 1; i <= 4; ++i)
            h.member(i);
        if (c.setUp) c.setUp(h);
        EXPECT_EQ(CommandsFor(h.game(), c.slot), c.commands) << c.what;
    }
}

TEST(CommandEntry, WalkingPastMembersWhoCannotActAndTheReachOfAFight) {
    Headless h;
    for (int i = 1; i <= 5; ++i)
        h.member(i);
    h.party(1).status = kStatusSleep;
    h.party(3).status = kStatusDead;
    EXPECT_EQ(MoveCommandSlot(h.game(), 3, 1), 4);
    EXPECT_EQ(MoveCommandSlot(h.game(), 3, 2), 2);
    EXPECT_EQ(MoveCommandSlot(h.game(), 1, 2), 1) << "back stops at the first";
    h.party(5).status = kStatusDead;
    EXPECT_EQ(MoveCommandSlot(h.game(), 5, 1), 6);

    struct Reach {
        int position, reach, row;
        bool reaches;
    };
    h.game().db.itemTable[3].itemNumber = 3;
    for (const Reach r : {Reach{2, 0, 1, true}, Reach{2, 0, 2, false}, Reach{2, 2, 2, true},
                          Reach{4, 2, 1, true}, Reach{4, 2, 2, false}, Reach{4, 3, 3, true}}) {
        Character c = h.party(2);
        c.partyPosition = static_cast<std::uint8_t>(r.position);
        h.game().db.itemTable[3].reach = static_cast<std::uint8_t>(r.reach);
        c.items[2] = r.reach ? ItemSlot{3, 1, 1} : ItemSlot{};
        EXPECT_EQ(FightReaches(h.game(), c, r.row), r.reaches)
            << r.position << " " << r.reach << " " << r.row;
    }
}

}  // namespace
}  // namespace dv

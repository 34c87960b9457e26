// The inn's and the temple's rules without a screen: the weeks answer, the stay, the
// patients and their fees, the treatments.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "characters/roster_fixture.h"
#include "core/data/checked.h"
#include "town/inn_rules.h"
#include "town/temple_rules.h"

namespace dv {
namespace {

using test::NewCharacter;
using test::PutCharacter;

TEST(InnRules, WeeksAnswers) {
    struct Case {
        const char* answer;
        WeeksAnswer::Kind kind;
        int weeks;
    };
    const Case cases[] = {
        {"0.7", WeeksAnswer::kCancelled, 0},      {"1.5", WeeksAnswer::kWeeks, 2},
        {"2.5", WeeksAnswer::kWeeks, 2},          {"3000.6", WeeksAnswer::kTooLong, 0},
        {"3000.4", WeeksAnswer::kWeeks, 3000},    {"", WeeksAnswer::kCancelled, 0},
        {"よろしく", WeeksAnswer::kCancelled, 0}, {" 12週間", WeeksAnswer::kWeeks, 12},
        {"３", WeeksAnswer::kWeeks, 3},           {"-4", WeeksAnswer::kCancelled, 0},
        {"1e9", WeeksAnswer::kTooLong, 0},        {"0x10", WeeksAnswer::kCancelled, 0},
        {"inf", WeeksAnswer::kCancelled, 0},      {".5e1", WeeksAnswer::kWeeks, 5},
    };
    for (const Case& c : cases) {
        const WeeksAnswer a = WeeksOfAnswer(c.answer);
        EXPECT_EQ(a.kind, c.kind) << c.answer;
        EXPECT_EQ(a.weeks, c.weeks) << c.answer;
    }
}

TEST(InnRules, WhoMayStayAndWhoCanPay) {
    struct Case {
        std::int32_t status;
        bool stays;
    };
    const Case cases[] = {{0, true},
                          {kStatusStone, true},
                          {kStatusPoison, true},
                          {kStatusDead, false},
                          {kStatusAshes, false},
                          {kStatusLost, false},
                          {kStatusDisease, false}};
    for (const Case& c : cases) {
        Character ch;
        ch.status = c.status;
        EXPECT_EQ(MayStayAtInn(ch), c.stays) << c.status;
    }
    Character guest;
    guest.gold = 150;
    EXPECT_TRUE(CanPay(guest, StayCost(4, 1)));
    EXPECT_FALSE(CanPay(guest, StayCost(4, 2)));
    guest.gold = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(CanPay(guest, 0));
    EXPECT_EQ(StayCost(4, kLongestStay), 450000);
}

TEST(InnRules, AStayPaysHealsAndAges) {
    Game game;
    SaveData& save = game.save;
    Character& c = PutCharacter(game, 3, {"ゲスト"});
    c.gold = 100;
    c.hitPoints = 2;
    c.ageDays = 10;
    Rng rng(1);
    const StayResult r = StayAtInn(save, 3, 2, 2, game.db, rng);
    EXPECT_EQ(r.sleepDialog, "ゲストは\n健やかに眠っている・・・");
    const Character& after = save.roster[3];
    EXPECT_EQ(after.gold, 0);  // exactly the cost
    EXPECT_EQ(after.hitPoints, 8);
    EXPECT_EQ(after.ageDays, 24);
    EXPECT_EQ(r.rest.result, RestResult::kStillLacking);

    // The free room: a night, no healing, no cost.
    const StayResult night = StayAtInn(save, 3, kFreeRoom, 0, game.db, rng);
    EXPECT_EQ(night.sleepDialog, "ゲストは\n寝苦しそうに眠っている・・・");
    EXPECT_EQ(save.roster[3].ageDays, 25);
    EXPECT_EQ(save.roster[3].hitPoints, 8);
}

TEST(InnRules, DaysThatWouldLeaveTheirFieldAbandonTheStayUnpaid) {
    Game game;
    Character& c = PutCharacter(game, 1, {"ゲスト"});
    c.gold = 1000;
    c.ageDays = 32765;  // only a damaged save has this many
    const Character before = c;
    Rng rng(1);
    EXPECT_THROW(StayAtInn(game.save, 1, 1, 1, game.db, rng), FieldRangeError);
    EXPECT_TRUE(game.save.roster[1] == before);
}

TEST(TempleRules, FeesByConditionAndLevel) {
    struct Case {
        std::int32_t status;
        double fee;  // at level 10
    };
    const Case cases[] = {
        {kStatusDead, 2500},
        {kStatusDead | kStatusParalysis, 1000},  // paralysis is priced first
        {kStatusStone | kStatusDisease, 5000},
        {kStatusAshes, 10000},
        {kStatusFly, 10000},
        {kStatusCarrot, 7000},
        {kStatusDisease, 5000},
        {kStatusLost, 0},
        {kStatusDead | kStatusLost, 2500},
    };
    for (const Case& c : cases) {
        Character ch;
        ch.level = 10;
        ch.status = c.status;
        EXPECT_EQ(TempleFee(ch), c.fee) << c.status;
    }
}

TEST(TempleRules, PatientsAreEveryoneOutOfTheDungeonInSlotOrder) {
    Game game;
    PutCharacter(game, 2, {"死人", kNeutral, 1, 1, kMale, kStatusDead});
    PutCharacter(game, 4, {"元気"});
    PutCharacter(game, 5, {"毒", kNeutral, 1, 1, kMale, kStatusPoison});
    PutCharacter(game, 7, {"迷宮", kNeutral, 1, 1, kMale, kStatusDead}).floor = 3;
    PutCharacter(game, 9, {"石", kNeutral, 4, 1, kMale, kStatusStone}).level = 3;
    const auto patients = TemplePatients(game.save);
    ASSERT_EQ(patients.size(), 2u);
    EXPECT_EQ(patients[0].slot, 2);
    EXPECT_EQ(patients[0].fee, 250);
    EXPECT_EQ(patients[1].slot, 9);
    EXPECT_EQ(patients[1].fee, 1500);
    auto blanks = [](int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += "　";
        return s;
    };
    // Name in 10 and a blank, class in 5, status in 2, fee in 10, blank-separated.
    EXPECT_EQ(TempleRowText(game.save.roster[9], 1500),
              "石" + blanks(10) + "Ｎ－Ｃｌｅ" + blanks(1) + "石化" + blanks(7) + "１５００");
}

// The first seed whose first die of `sides` sides is (or is not) 1.
std::uint64_t seedWithRoll(int sides, bool one) {
    for (std::uint64_t seed = 1;; ++seed) {
        Rng mirror(seed);
        if ((rollDice(mirror, 1, sides, 0) <= 1) == one) return seed;
    }
}

TEST(TempleRules, Treatments) {
    struct Case {
        const char* label;
        std::int32_t status;
        int vitality;
        bool failRoll;
        std::int32_t statusAfter;
        const char* message;
        bool erased;
        int vitalityAfter;
    };
    const Case cases[] = {
        {"dead rises", kStatusDead | kStatusPoison, 2, false, 0, "回復した", false, 1},
        {"dead keeps the curse mark", kStatusDead | kStatusCurseMark, 18, false, kStatusCurseMark,
         "回復した", false, 17},
        {"dead and lost rises", kStatusDead | kStatusLost, 18, false, 0, "回復した", false, 17},
        {"dead to ashes", kStatusDead | kStatusPoison, 18, true, kStatusAshes,
         "患者は\n灰燼と化した！！", false, 18},
        {"vitality 1 never rises", kStatusDead, 1, true, kStatusAshes, "患者は\n灰燼と化した！！",
         false, 1},
        {"ashes rise", kStatusAshes, 18, false, 0, "回復した", false, 17},
        {"ashes vanish", kStatusAshes, 18, true, 0, "患者は\n消滅した！！", true, 0},
        {"stone before disease", kStatusStone | kStatusDisease, 18, false, kStatusDisease,
         "回復した", false, 18},
        {"fly", kStatusFly | kStatusPoison, 18, false, kStatusPoison, "回復した", false, 18},
        {"lost alone: paid, nothing done", kStatusLost, 18, false, kStatusLost, "", false, 18},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.label);
        Game game;
        Character& payer = PutCharacter(game, 1, {"払う人"});
        payer.gold = 5000;
        Character& patient = PutCharacter(game, 6, {"患者", kNeutral, 1, 1, kMale, k.status});
        patient.level = 4;
        patient.vitality = static_cast<std::uint8_t>(k.vitality);
        patient.hitPoints = 0;
        patient.maxHitPoints = 33;
        patient.items[1] = {5, 0, 1};
        const double fee = TempleFee(patient);
        Rng rng(seedWithRoll(k.vitality, k.failRoll));
        const TreatmentResult r = PayAndTreat(game.save, 1, 6, fee, rng);
        EXPECT_TRUE(r.paid);
        EXPECT_EQ(r.message, k.message);
        EXPECT_EQ(game.save.roster[1].gold, 5000 - fee);
        const Character& after = game.save.roster[6];
        if (k.erased) {
            EXPECT_TRUE(after == game.save.roster[0]);
            continue;
        }
        EXPECT_EQ(after.status, k.statusAfter);
        EXPECT_EQ(after.vitality, k.vitalityAfter);
        const bool raised =
            std::string(k.message) == "回復した" && (k.status & (kStatusDead | kStatusAshes)) != 0;
        EXPECT_EQ(after.ripCount, raised ? 1 : 0);
        EXPECT_EQ(after.hitPoints, raised ? 33 : 0);
        EXPECT_EQ(after.items[1].itemId, 5);
    }
}

TEST(TempleRules, TheDeathTallyStopsAtItsLimitAndTheRaiseGoesOn) {
    Game game;
    Character& payer = PutCharacter(game, 1, {"払う人"});
    payer.gold = 5000;
    Character& patient = PutCharacter(game, 6, {"患者", kNeutral, 1, 1, kMale, kStatusDead});
    patient.level = 4;
    patient.vitality = 18;
    patient.maxHitPoints = 33;
    patient.ripCount = std::numeric_limits<std::int32_t>::max();
    const double fee = TempleFee(patient);
    Rng rng(seedWithRoll(18, false));
    const TreatmentResult r = PayAndTreat(game.save, 1, 6, fee, rng);
    EXPECT_EQ(r.message, "回復した");
    const Character& after = game.save.roster[6];
    EXPECT_EQ(after.status, 0);
    EXPECT_EQ(after.ripCount, std::numeric_limits<std::int32_t>::max());
}

TEST(TempleRules, APoorPayerChangesNothingAndAPatientMayPayForHimself) {
    Game game;
    Character& payer = PutCharacter(game, 1, {"貧乏"});
    payer.gold = 99;
    PutCharacter(game, 2, {"死人", kNeutral, 1, 1, kMale, kStatusStone});
    const SaveData before = game.save;
    Rng rng(1);
    EXPECT_FALSE(PayAndTreat(game.save, 1, 2, 500, rng).paid);
    EXPECT_TRUE(game.save == before);

    game.save.roster[2].gold = 600;
    EXPECT_TRUE(PayAndTreat(game.save, 2, 2, 500, rng).paid);
    EXPECT_EQ(game.save.roster[2].gold, 100);
    EXPECT_EQ(game.save.roster[2].status, 0);
}

TEST(TempleRules, ANegativeFeeFromADamagedLevelIsRefused) {
    Game game;
    PutCharacter(game, 1, {"払う人"}).gold = 10;
    PutCharacter(game, 2, {"死人", kNeutral, 1, 1, kMale, kStatusDead}).level = -3;
    const SaveData before = game.save;
    Rng rng(1);
    EXPECT_THROW(PayAndTreat(game.save, 1, 2, TempleFee(game.save.roster[2]), rng),
                 FieldRangeError);
    EXPECT_TRUE(game.save == before);
}

}  // namespace
}  // namespace dv

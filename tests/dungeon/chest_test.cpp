// Found chests on the chest screen: inspecting, identifying the trap with a spell,
// disarming by name, opening, walking away; the traps' effects and the loot.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/screens.h"
#include "dungeon/chest.h"
#include "dungeon_fixture.h"
#include "items/item_fixture.h"

namespace dv {
namespace {

using test::DungeonFixture;
using namespace test;

ChestScreen& chestOf(DungeonFixture& f) {
    return f.game().screens->part<ChestScreen>();
}

// Every trap row the same trap, the loot rows of level 1 all potions, a wandering chest
// on (5, 5) of floor 1, the party standing there.
void setUp(DungeonFixture& f, int kind, const std::string& name = "NEEDLE") {
    Game& g = f.game();
    StockItems(g);
    for (int row = 1; row <= 50; ++row) {
        TrapRecord& t = g.db.trapTable[static_cast<size_t>(row)];
        t.id = static_cast<std::uint8_t>(row);
        t.trapLevel = 2;
        t.trapKind = static_cast<std::uint8_t>(kind);
        t.trapTitle = "毒針";
        t.trapName = name;
        g.db.chestItemTable(row, 0) = 99;
    }
    g.db.chestItemTable(1, 0) = 1;
    g.db.chestItemTable(1, 1) = kPotion;
    f.call([&f] {
        f.standAt(1, 5, 5, 0);
        auto& s = f.game().save.chestSpots;
        s(4, 1) = 21;
        s(4, 2) = 1;
        s(4, 3) = 5;
        s(4, 4) = 5;
        s(4, 5) = 1;
    });
}

// Dismisses every message that comes, keeping their texts, until none is left; then runs
// `then`. Nothing may be queued after it: the keys it adds go to the end of the script.
void drain(
    DungeonFixture& f, std::shared_ptr<std::vector<std::string>> seen,
    std::function<void()> then = [] {}) {
    auto step = std::make_shared<std::function<void()>>();
    *step = [&f, seen, step, then] {
        if (f.h.ui().modalDepth() == 0) {
            then();
            return;
        }
        const auto texts = f.h.texts();
        seen->push_back(texts.empty() ? std::string() : texts.back());
        f.h.script().key(keys::Space);
        f.h.script().check(*step);
    };
    f.call(*step);
}

bool contains(const std::vector<std::string>& seen, const std::string& text) {
    for (const std::string& s : seen)
        if (s.find(text) != std::string::npos) return true;
    return false;
}

int potions(const Character& c) {
    int n = 0;
    for (int s = 1; s <= kInventorySlots; ++s)
        if (c.items[static_cast<size_t>(s)].itemId == kPotion)
            n += c.items[static_cast<size_t>(s)].itemCount;
    return n;
}

TEST(ChestPlay, AFoundChestDisarmedByNameAndOpened) {
    DungeonFixture f;
    setUp(f, 1);
    f.member(1).skills[12] = -1;
    f.key('F').expectText("宝箱を発見した！").key(keys::Space);
    f.call([&] {
        ChestScreen& c = chestOf(f);
        EXPECT_TRUE(c.fraTreasure.visible());
        EXPECT_TRUE(c.lstTreasure.hasFocus());
        EXPECT_EQ(c.lstTreasure.texts(),
                  (std::vector<std::string>{"I)調べる", "D)ＤＩＳＢＡ", "P)罠を外す", "O)開ける",
                                            "L)立ち去る"}));
        EXPECT_EQ(c.fraTreasure.left(), 128);
        EXPECT_EQ(c.fraTreasure.top(), 120);
        EXPECT_TRUE(f.main().busy) << "the map keys are locked";
        EXPECT_EQ(f.game().dungeon.pendingChest, 1);
    });
    // The member who acts is chosen on the party panel.
    f.key('P').call([&] {
        EXPECT_TRUE(f.main().fraParty.hasFocus());
        EXPECT_FALSE(chestOf(f).fraTreasure.enabled());
    });
    f.key('1').expectText("罠を入力して下さい");
    f.h.script().text("needle").key(keys::Enter);
    f.expectText("罠を外した").key(keys::Space);
    auto seen = std::make_shared<std::vector<std::string>>();
    drain(f, seen, [&] {
        EXPECT_FALSE(chestOf(f).fraTreasure.visible());
        EXPECT_FALSE(f.main().busy);
        EXPECT_EQ(f.game().dungeon.pendingChest, 0);
        EXPECT_TRUE(f.main().picMap.hasFocus());
        const int got = potions(f.member(1));
        EXPECT_GE(got, 1);
        EXPECT_LE(got, 3);
        EXPECT_EQ(static_cast<int>(seen->size()), got);
        EXPECT_TRUE(contains(*seen, "なかま1は\n傷薬？を手に入れた"));
        EXPECT_EQ(f.member(1).items[1].itemFlags & kItemUnidentified, kItemUnidentified);
        EXPECT_EQ(f.game().save.itemFoundCounts[kPotion], got);
        EXPECT_EQ(f.member(1).status, 0) << "no trap went off";
    });
    f.run();
    EXPECT_TRUE(std::filesystem::exists(f.h.gameDir() / "QTR1.DAT")) << "opening saves";
}

TEST(ChestPlay, OpeningAnUntouchedChestSpringsItsTrap) {
    DungeonFixture f;
    setUp(f, 2);
    f.member(1).luck = 1;  // the luck roll never spares
    f.key('F').key(keys::Space).key('O').key('1');
    f.expectText("罠に引っかかった！").key(keys::Space);
    f.expectText("おおっと！！　毒針").key(keys::Space);
    f.expectText("なかま1は\n毒に犯された").key(keys::Space);
    auto seen = std::make_shared<std::vector<std::string>>();
    drain(f, seen, [&] {
        EXPECT_EQ(f.member(1).status, kStatusPoison);
        EXPECT_GE(potions(f.member(1)), 1) << "the chest still opens";
        EXPECT_FALSE(chestOf(f).fraTreasure.visible());
    });
    f.run();
}

TEST(ChestPlay, InspectingOnceShowsTheNameForTwoSeconds) {
    DungeonFixture f;
    setUp(f, 1);
    f.member(2).skills[1] = -1;
    f.member(2).skills[11] = -1;
    f.key('F').key(keys::Space).key('I').key('2');
    f.call([&] {
        ChestScreen& c = chestOf(f);
        EXPECT_TRUE(c.lblTreasure.visible());
        EXPECT_EQ(c.lblTreasure.caption(), "NEEDLE");
        EXPECT_FALSE(c.fraTreasure.enabled());
        EXPECT_EQ(c.lstTreasure.texts(), (std::vector<std::string>{"D)ＤＩＳＢＡ", "P)罠を外す",
                                                                   "O)開ける", "L)立ち去る"}));
    });
    f.h.script().advance(2100);
    f.call([&] {
        ChestScreen& c = chestOf(f);
        EXPECT_FALSE(c.lblTreasure.visible());
        EXPECT_EQ(c.lblTreasure.caption(), "");
        EXPECT_TRUE(c.fraTreasure.enabled());
        EXPECT_TRUE(c.lstTreasure.hasFocus());
    });
    // Walking away: the chest is gone and the keys are free.
    f.key('L').call([&] {
        EXPECT_FALSE(chestOf(f).fraTreasure.visible());
        EXPECT_FALSE(f.main().busy);
        EXPECT_EQ(f.game().dungeon.pendingChest, 0);
        EXPECT_EQ(f.game().save.chestSpots(4, 5), 0);
    });
    f.run();
}

TEST(ChestPlay, WhoCannotActIsRefusedAndEscGoesBackToTheList) {
    DungeonFixture f;
    setUp(f, 1);
    f.member(2).status = kStatusParalysis;
    f.key('F').key(keys::Space).key('O').key('2').expectText("無理だ").key(keys::Space);
    f.call([&] {
        EXPECT_TRUE(chestOf(f).fraTreasure.enabled());
        EXPECT_TRUE(chestOf(f).lstTreasure.hasFocus());
        EXPECT_FALSE(f.main().fraParty.enabled());
    });
    f.key('O').key(keys::Esc).call([&] {
        EXPECT_TRUE(chestOf(f).lstTreasure.hasFocus());
        EXPECT_TRUE(chestOf(f).fraTreasure.visible());
    });
    // Without the trap spell in the book, DISBA has no power.
    f.key('D').key('1').expectText("唱える力がありません").key(keys::Space);
    // An empty answer to the disarm question touches nothing.
    f.key('P').key('1').key(keys::Esc).call([&] {
        EXPECT_TRUE(chestOf(f).fraTreasure.visible());
        EXPECT_EQ(f.member(1).hitPoints, 50);
    });
    f.key(keys::Esc);
    f.run();
}

TEST(ChestPlay, TheTrapSpellShowsTheName) {
    DungeonFixture f;
    setUp(f, 1);
    SpellRecord& spell = f.game().db.spellTable[12];
    spell.id = 12;
    spell.kind = 1;
    spell.level = 2;
    spell.number = 3;
    spell.name = "DISBA";
    spell.effect = 41;
    f.member(1).spellsKnown(1, 2, 3) = 1;
    f.member(1).spellPoints(1, 2) = 2;
    f.key('F').key(keys::Space).key('D').key('1').call([&] {
        EXPECT_TRUE(chestOf(f).lblTreasure.visible());
        EXPECT_EQ(f.member(1).spellPoints(1, 2), 1);
        EXPECT_EQ(DisbaSpell(f.game()), &f.game().db.spellTable[12]);
    });
    f.h.script().advance(2100);
    f.key('L');
    f.run();
}

TEST(ChestPlay, AFullPartyLosesTheLootAndIsTold) {
    DungeonFixture f;
    setUp(f, 0);  // a trap that only announces itself
    for (int m = 1; m <= 2; ++m)
        for (int s = 1; s <= kInventorySlots; ++s)
            f.member(m).items[static_cast<size_t>(s)] = {kLongSword, 0, 1};
    f.key('F').key(keys::Space).key('O').key('1');
    f.expectText("罠に引っかかった！").key(keys::Space);
    f.expectText("おおっと！！　毒針").key(keys::Space);
    f.expectText("パーティーの持ち物はいっぱいだった").key(keys::Space);
    f.call([&] {
        EXPECT_FALSE(chestOf(f).fraTreasure.visible());
        EXPECT_EQ(f.game().save.itemFoundCounts[kPotion], 0);
    });
    f.run();
    EXPECT_TRUE(std::filesystem::exists(f.h.gameDir() / "QTR1.DAT"));
}

TEST(ChestPlay, AChestWithNothingForItsLevelIsJustEmpty) {
    DungeonFixture f;
    setUp(f, 0);
    f.game().db.chestItemTable(1, 0) = 99;  // no row for level 1
    f.key('F').key(keys::Space).key('O').key('1');
    f.expectText("罠に引っかかった！").key(keys::Space);
    f.expectText("おおっと！！　毒針").key(keys::Space);
    f.expectNoDialog().call([&] { EXPECT_FALSE(chestOf(f).fraTreasure.visible()); });
    f.run();
}

TEST(Chests, CandidatesByLevel) {
    DungeonFixture f;
    Game& g = f.game();
    StockItems(g);
    for (int row = 1; row <= 50; ++row)
        g.db.chestItemTable(row, 0) = 99;
    g.db.chestItemTable(3, 0) = 1;
    g.db.chestItemTable(3, 1) = kPotion;
    g.db.chestItemTable(4, 0) = 3;
    g.db.chestItemTable(4, 1) = kShield;
    g.db.chestItemTable(5, 0) = 1;
    g.db.chestItemTable(5, 1) = 2500;  // not an item: never drawn
    g.db.itemTable[kLongSword].chestRank = 2;
    g.db.itemTable[kShield].chestRank = 1;
    g.db.itemTable[kShield].chestAllowed = 1;
    g.db.itemTable[kGreatSword].chestRank = 1;  // chestAllowed 0: never
    struct Case {
        ChestOrigin origin;
        std::vector<int> items;
    };
    const Case cases[] = {
        {{1, 0, 1, 0, 0}, {kPotion}},
        {{3, 0, 1, 0, 0}, {kPotion, kShield}},
        {{0, 1, 1, 0, 0}, {kShield}},
        {{0, 5, 1, 0, 0}, {kLongSword, kShield}},
    };
    for (const Case& k : cases)
        EXPECT_EQ(ChestCandidates(g, k.origin), k.items);
    EXPECT_EQ(TrapAnswer("needleｎｅ"), "NEEDLEＮＥ");
    EXPECT_EQ(TrapAnswer("ドクバリ"), "ドクバリ");
}

// The chest's rules without the screen (as the bot uses them): a wrong name sets the trap
// off, skill 12 always disarms, a steady hand mostly does and a clumsy one mostly fails
// and may try again; a chest made safe gives its loot and springs nothing.
TEST(Chests, DisarmAndOpenWithoutTheScreen) {
    DungeonFixture f;
    setUp(f, 1);
    const TrapRecord& trap = f.game().db.trapTable[1];
    ChestOrigin origin;
    origin.battleLevel = 3;
    origin.trap = 1;
    struct Case {
        const char* what;
        const char* typed;
        int skill12, skill2, dexterity, level;
        int disarmedAtLeast, failedAtLeast, sprungAtLeast;
    };
    const Case cases[] = {
        {"a wrong name", "pin", 0, 0, 18, 10, 0, 0, 40},
        {"skill 12", "needle", -1, 0, 3, 1, 40, 0, 0},
        {"a steady hand", "NEEDLE", 0, -1, 18, 60, 36, 0, 0},
        {"a clumsy hand", "needle", 0, 0, 1, 1, 0, 36, 0},
    };
    for (const Case& k : cases) {
        Character& m = f.member(1);
        m.skills[12] = static_cast<std::int8_t>(k.skill12);
        m.skills[2] = static_cast<std::int8_t>(k.skill2);
        m.dexterity = static_cast<std::uint8_t>(k.dexterity);
        m.level = static_cast<std::int16_t>(k.level);
        auto counts = std::make_shared<std::array<int, 3>>();
        f.call([&, counts] {
            for (int n = 0; n < 40; ++n)
                ++(*counts)[static_cast<size_t>(DisarmAttempt(f.game(), m, origin, trap, k.typed))];
        });
        drain(f, std::make_shared<std::vector<std::string>>());
        f.run();
        EXPECT_GE((*counts)[static_cast<size_t>(DisarmResult::Disarmed)], k.disarmedAtLeast)
            << k.what;
        EXPECT_GE((*counts)[static_cast<size_t>(DisarmResult::Failed)], k.failedAtLeast) << k.what;
        EXPECT_GE((*counts)[static_cast<size_t>(DisarmResult::Sprung)], k.sprungAtLeast) << k.what;
    }
    ChestOrigin found;
    found.foundLevel = 1;
    f.member(1).hitPoints = 50;
    f.call([&] { EXPECT_TRUE(OpenChestAndLoot(f.game(), found, trap, &f.member(1), true)); });
    auto seen = std::make_shared<std::vector<std::string>>();
    drain(f, seen);
    f.run();
    EXPECT_GE(potions(f.member(1)), 1);
    EXPECT_FALSE(contains(*seen, "罠に引っかかった")) << "a safe chest springs nothing";
}

TEST(Traps, EachKindOnThePartyItHits) {
    struct Case {
        const char* what;
        int kind;
        std::function<void(Character&, Character&)> prepare;
        std::function<bool(const Character&, const Character&)> holds;
    };
    const Case cases[] = {
        {"10: only samurai are hurt", 10, [](Character& a, Character&) { a.classBit = 256; },
         [](const Character& a, const Character& b) {
             return a.hitPoints < 50 && b.hitPoints == 50;
         }},
        {"11: only mages", 11, [](Character&, Character& b) { b.classBit = 2; },
         [](const Character& a, const Character& b) {
             return a.hitPoints == 50 && b.hitPoints < 50;
         }},
        {"13: poison on everyone", 13, [](Character&, Character&) {},
         [](const Character& a, const Character& b) {
             return a.status == kStatusPoison && b.status == kStatusPoison;
         }},
        {"13: resisted", 13,
         [](Character& a, Character& b) {
             a.resistances[22] = 200;
             b.resistances[22] = 200;
         },
         [](const Character& a, const Character& b) { return a.status == 0 && b.status == 0; }},
        {"17: the young are spared", 17, [](Character& a, Character&) { a.age = 13; },
         [](const Character& a, const Character&) { return a.age == 13; }},
        {"31: only elves", 31, [](Character& a, Character&) { a.race = 2; },
         [](const Character& a, const Character& b) {
             return a.hitPoints < 50 && b.hitPoints == 50;
         }},
        {"20: nobody to draw when everyone hides", 20,
         [](Character& a, Character& b) {
             a.status = kStatusHidden;
             b.status = kStatusHidden;
             a.piety = b.piety = 18;
         },
         [](const Character& a, const Character& b) { return a.piety == 18 && b.piety == 18; }},
        {"37: blindness", 37, [](Character&, Character&) {},
         [](const Character& a, const Character&) { return a.status == kStatusBlind; }},
        {"41: death", 41,
         [](Character& a, Character& b) {
             a.luck = 1;
             b.luck = 1;
         },
         [](const Character& a, const Character& b) {
             return a.status == kStatusDead && a.hitPoints == 0 && b.status == kStatusDead;
         }},
        {"0: only the announcement", 0, [](Character&, Character&) {},
         [](const Character& a, const Character& b) {
             return a.hitPoints == 50 && b.hitPoints == 50 && a.status == 0 && b.status == 0;
         }},
    };
    for (const Case& k : cases) {
        DungeonFixture f;
        f.member(1).race = 1;
        f.member(2).race = 1;
        f.member(1).age = 20;
        k.prepare(f.member(1), f.member(2));
        TrapRecord trap;
        trap.trapKind = static_cast<std::uint8_t>(k.kind);
        trap.trapTitle = "罠";
        f.call([&] {
            f.standAt(1, 5, 5, 0);
            SpringTrap(f.game(), trap, 1, false);
        });
        auto seen = std::make_shared<std::vector<std::string>>();
        drain(f, seen);
        f.run();
        EXPECT_TRUE(k.holds(f.member(1), f.member(2))) << k.what;
        EXPECT_FALSE(seen->empty());
    }
}

TEST(Traps, LostSpellPointsStayInsideTheTable) {
    DungeonFixture f;
    Character& a = f.member(1);
    a.luck = 1;
    f.member(2).luck = 1;
    for (int k = 0; k <= 4; ++k)
        for (int l = 0; l <= 9; ++l)
            a.spellPoints(k, l) = f.member(2).spellPoints(k, l) = 5;
    TrapRecord trap;
    trap.trapKind = 9;
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        for (int i = 0; i < 300; ++i)
            SpringTrap(f.game(), trap, 1, false);
    });
    for (int i = 0; i < 300 * 2; ++i)
        f.key(keys::Space);
    f.run();
    for (const Character* c : {&a, &f.member(2)}) {
        for (int l = 0; l <= 9; ++l)
            EXPECT_EQ(c->spellPoints(4, l), 5) << "kind 4 is never touched";
        for (int k = 0; k <= 3; ++k)
            EXPECT_EQ(c->spellPoints(k, 0), 5) << "level 0 is never touched";
    }
    EXPECT_EQ(a.spellPoints(0, 1) + a.spellPoints(3, 9) + f.member(2).spellPoints(1, 5), 0)
        << "three hundred springs empty every cell in use";
}

TEST(Traps, TheTeleporterMovesThePartyUnlessTheCellForbidsIt) {
    DungeonFixture f;
    TrapRecord trap;
    trap.trapKind = 12;
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        SpringTrap(f.game(), trap, 1, true);  // from an event battle: nothing
        EXPECT_EQ(f.game().place.partyX, 5);
        SpringTrap(f.game(), trap, 1, false);
        const Place& p = f.game().place;
        EXPECT_GE(p.partyX, 1);
        EXPECT_GE(p.partyY, 1);
        EXPECT_EQ(p.previousX, p.partyX);
        EXPECT_EQ(f.member(2).posX, p.partyX);
    });
    f.key(keys::Space).key(keys::Space);
    f.run();
}

}  // namespace
}  // namespace dv

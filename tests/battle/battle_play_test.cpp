// Battles played through the real screens with the scripted backend: a random battle won
// and paid, flight, a wipe-out, an event battle with its post-battle check and the battle
// it chains, a friendly meeting, a back attack and command entry.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "battle/battle_screen.h"
#include "characters/party.h"
#include "characters/party_controls.h"
#include "core/data/save_file.h"
#include "core/game_settings.h"
#include "dungeon/dungeon_fixture.h"
#include "dungeon/map_events.h"
#include "ui/png.h"
#include "ui/window_system.h"

namespace dv {
namespace {

using test::DungeonFixture;

bool contains(const std::vector<int>& v, int x) {
    return std::find(v.begin(), v.end(), x) != v.end();
}

MapEvent at(int x, int y, EventTrigger trigger, EventAction action) {
    MapEvent e;
    e.dungeon = 21;
    e.floor = 1;
    e.x = static_cast<std::int16_t>(x);
    e.y = static_cast<std::int16_t>(y);
    e.trigger = trigger;
    e.action = action;
    return e;
}

// A party in the game folder the build laid out, with the real data files.
class RealBattle : public DungeonFixture {
  public:
    RealBattle() : DungeonFixture(2) {
        for (const char* f : {"QTR3.DAT", "QTR4.DAT", "QTR5.DAT", "QTR6.DAT"})
            std::filesystem::copy_file(std::filesystem::path(DV_TEST_GAME_DIR) / f, h.gameDir() / f,
                                       std::filesystem::copy_options::overwrite_existing);
        h.copyPictures();
        h.startToTown();
        for (int i = 1; i <= 2; ++i)
            addMember(i, "なかま" + std::to_string(i));
    }
};

TEST(BattlePlay, ARandomBattleOnTheFirstFloorIsWonPaidAndSaved) {
    RealBattle f;
    f.call([&] {
        f.standAt(1, 0, 6, 1);
        f.game().dungeon.encounterBase = 3000;  // the next check fires
        ASSERT_FALSE(f.game().dungeon.floorEncounters.empty());
    });
    f.key(keys::Right);
    f.expectText("モンスターが現れた");
    f.fightToTheEnd([&] {
        Game& g = f.game();
        const BattleState& b = g.battle;
        ASSERT_EQ(b.lastEnd, BattleEnd::Victory);
        EXPECT_GE(b.killCount, 1);
        int able = 0;
        for (int i = 1; i <= g.place.partyCount; ++i)
            able += IsOutOfFight(f.member(i)) ? 0 : 1;
        ASSERT_GT(able, 0);
        SaveData onDisk;
        ASSERT_TRUE(LoadSave(onDisk, f.h.gameDir()).ok);
        for (int i = 1; i <= g.place.partyCount; ++i) {
            const Character& c = f.member(i);
            if (IsOutOfFight(c)) continue;
            EXPECT_EQ(c.experience, b.experiencePool / able) << c.name;
            EXPECT_EQ(c.gold, b.goldPool / able) << c.name;
            EXPECT_EQ(c.victories, 1);
            // The clean-up saved the pay.
            const Character& saved = onDisk.roster[static_cast<size_t>(i)];
            EXPECT_EQ(saved.experience, c.experience);
            EXPECT_EQ(saved.gold, c.gold);
        }
        EXPECT_FALSE(f.battleScreen().lstMonster.visible());
        EXPECT_FALSE(f.battleScreen().picMonster.visible());
        EXPECT_FALSE(f.main().lstBattleCommand.visible());
        EXPECT_FALSE(f.main().busy);
        EXPECT_TRUE(contains(f.h.app().music().scenes, 16)) << "the victory music";
        EXPECT_EQ(f.h.app().music().scenes.back(), g.dungeon.dungeonMusic);
    });
    f.run();
}

TEST(BattlePlay, FleeingGoesBackToTheSquareThePartyCameFrom) {
    DungeonFixture f;
    f.meleeRow();
    f.monster(1, "大岩トロール", 1000);
    f.encounter(1, {1}, 1);
    f.call([&] {
        f.member(1).agility = 18;
        f.member(1).skills[8] = 1;  // always gets away
        f.standAt(1, 5, 5, 0);
        f.game().place.previousY = 6;
        f.game().dungeon.encounterBase = 3000;
    });
    f.key(keys::Right);
    f.fightToTheEnd(
        [&] {
            const Game& g = f.game();
            EXPECT_EQ(g.battle.lastEnd, BattleEnd::Flight);
            EXPECT_EQ(g.place.partyY, 6);
            EXPECT_EQ(f.member(1).escapes, 1.0);
            EXPECT_EQ(f.member(2).escapes, 1.0);
            EXPECT_EQ(f.member(1).experience, 0.0) << "no rewards";
            EXPECT_FALSE(f.main().busy);
        },
        true);
    f.run();
}

// The player's picture for the monster's true name; the picture of its type when none is
// chosen or the chosen file cannot be shown.
TEST(BattlePlay, TheMonsterShowsThePlayersPictureElseItsTypesPicture) {
    struct Case {
        const char* setting;
        int width;
    } cases[] = {{"troll.png", 48}, {"broken.png", 30}, {"missing.png", 30}, {"", 30}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        DungeonFixture f;
        f.meleeRow();
        f.monster(1, "大岩トロール", 1);
        f.encounter(1, {1}, 1);
        const auto dir = f.h.gameDir();
        ASSERT_TRUE(savePng(Canvas(48, 40, colors::white), (dir / "troll.png").string()));
        ASSERT_TRUE(savePng(Canvas(30, 20, colors::white), (dir / "mon01.png").string()));
        std::ofstream(dir / "broken.png") << "not a picture";
        f.call([&] {
            if (*c.setting) f.game().options.ini.set(kPictureSection, "大岩トロール", c.setting);
            f.standAt(1, 5, 5, 0);
            f.game().dungeon.encounterBase = 3000;
        });
        f.key(keys::Right);
        f.h.answerUntil([&] { return f.enteringCommands(); },
                        [&] {
                            const auto& pic = f.battleScreen().picMonster;
                            EXPECT_TRUE(pic.visible());
                            EXPECT_EQ(pic.picture().width(), c.width);
                        });
        f.run();
    }
}

TEST(BattlePlay, NobodyFleesFromAMonsterAboveLevel36) {
    DungeonFixture f;
    f.meleeRow();
    f.monster(1, "魔王", 1000).level = 37;
    f.encounter(1, {1}, 1);
    f.call([&] {
        f.member(1).skills[8] = 1;
        f.standAt(1, 5, 5, 0);
        f.game().dungeon.encounterBase = 3000;
    });
    f.key(keys::Right);
    f.h.answerUntil([&] { return f.enteringCommands(); },
                    [&] {
                        f.key('R');
                        f.expectText("逃げれない！！");
                        f.h.answerUntil([&] { return f.enteringCommands(); },
                                        [&] {
                                            EXPECT_EQ(f.game().battle.battlePhase, kCommandEntry);
                                            EXPECT_EQ(f.game().battle.battleRound, 1)
                                                << "the monsters had a round";
                                            EXPECT_EQ(f.member(1).escapes, 0.0);
                                        });
                    });
    f.run();
}

TEST(BattlePlay, AWipedOutPartyLeavesItsBodiesWhereItFell) {
    DungeonFixture f;
    f.meleeRow();
    f.monster(1, "死神", 1000, 100).longReach = 1;
    f.encounter(1, {1}, 1);
    f.call([&] {
        f.standAt(1, 7, 3, 0);
        f.game().dungeon.encounterBase = 3000;
    });
    f.key(keys::Right);
    f.fightToTheEnd([&] {
        const Game& g = f.game();
        EXPECT_EQ(g.battle.lastEnd, BattleEnd::WipeOut);
        EXPECT_EQ(g.place.partyCount, 0);
        EXPECT_EQ(g.place.currentFloor, 0);
        EXPECT_EQ(g.menuState, 8) << "back in town";
        for (int slot = 1; slot <= 2; ++slot) {
            const Character& c = g.save.roster[static_cast<size_t>(slot)];
            EXPECT_TRUE(c.status & kStatusDead);
            EXPECT_EQ(c.dungeonId, 21);
            EXPECT_EQ(c.floor, 1);
            EXPECT_EQ(c.posX, 7);
            EXPECT_EQ(c.posY, 3);
        }
        EXPECT_FALSE(f.battleScreen().picMonster.visible());
        EXPECT_TRUE(contains(f.h.app().music().scenes, 17));
    });
    f.run();
}

TEST(BattlePlay, AnEventBattleRunsItsCheckAndChainsTheNextBattle) {
    DungeonFixture f;
    f.meleeRow();
    f.monster(5, "門番", 1);
    f.monster(6, "門番の番犬", 1);
    f.encounter(21, {5});
    f.encounter(22, {6, 6});
    MapEvent guardian = at(5, 4, EventTrigger::Arrival, EventAction::FixedBattle);
    guardian.whenFlag = 7;
    guardian.whenFlagTest = FlagTest::Equal;
    guardian.encounter = 21;
    guardian.music = 15;
    guardian.battleEvent = 4;
    MapEvent first = at(5, 4, EventTrigger::PostBattle, EventAction::Reward);
    first.whenFlag = 7;
    first.whenFlagTest = FlagTest::Equal;
    first.resultItem = 29;
    first.flag = 7;
    first.flagValue = 1;
    first.encounter = 22;
    first.music = 14;
    first.battleEvent = 5;
    MapEvent second = at(5, 4, EventTrigger::PostBattle, EventAction::Reward);
    second.whenFlag = 8;
    second.whenFlagTest = FlagTest::Equal;
    second.resultItem = 30;
    second.flag = 8;
    second.flagValue = 1;
    static std::vector<MapEvent> events;
    events = {guardian, first, second};
    f.call([&] {
        f.game().dungeon.events = events;
        f.standAt(1, 5, 5, 0);
    });
    f.key(keys::Up);
    f.fightToTheEnd([&] {
        const Game& g = f.game();
        EXPECT_EQ(g.save.defeatedCounts[5], 1);
        EXPECT_GE(g.save.defeatedCounts[6], 1) << "the chained battle was fought";
        EXPECT_EQ(g.save.eventFlags[7], 1);
        EXPECT_EQ(g.save.eventFlags[8], 1) << "the chained battle's own check ran";
        EXPECT_TRUE(PartyHasItem(g, 29));
        EXPECT_TRUE(PartyHasItem(g, 30));
        EXPECT_EQ(g.battle.mapEvent, 0);
        EXPECT_EQ(g.place.partyY, 4) << "the step onto the guardian's cell was made";
        const auto& scenes = f.h.app().music().scenes;
        auto guardianMusic = std::find(scenes.begin(), scenes.end(), 15);
        ASSERT_NE(guardianMusic, scenes.end());
        EXPECT_NE(std::find(guardianMusic, scenes.end(), 14), scenes.end());
    });
    f.run();
}

TEST(BattlePlay, ABattleBeforeTheStepEndsTheStep) {
    DungeonFixture f;
    f.meleeRow();
    f.monster(5, "見張り", 1);
    f.encounter(21, {5});
    MapEvent ambush = at(5, 5, EventTrigger::PreStep, EventAction::FixedBattle);
    ambush.encounter = 21;
    ambush.music = 13;
    ambush.battleEvent = 9;
    MapEvent arrival = at(5, 4, EventTrigger::Arrival, EventAction::Message);
    arrival.texts[0] = 10110;
    static std::vector<MapEvent> events;
    events = {ambush, arrival};
    f.call([&] {
        f.game().dungeon.events = events;
        f.standAt(1, 5, 5, 0);
        f.game().dungeon.encounterBase = 3000;
    });
    f.key(keys::Up);
    f.call([&] {
        EXPECT_TRUE(f.main().busy) << "the map keys are locked while the battle runs";
        EXPECT_EQ(f.game().battle.mapEvent, 9);
        EXPECT_EQ(f.game().battle.music, 13);
    });
    f.fightToTheEnd([&] {
        EXPECT_EQ(f.game().place.partyY, 5) << "the party did not move";
        EXPECT_EQ(f.game().save.lunaPhase, 0) << "nor did the clock";
        EXPECT_EQ(f.game().dungeon.stepsSinceEncounter, 0) << "no random check after it";
    });
    f.run();
}

// Starts random battles (turning with every check firing) and gets away from each, until a
// dialog showing `wanted` comes up; then hands over to found().
void seek(DungeonFixture& f, const std::string& wanted, std::function<void()> found, int tries) {
    f.h.script().check([&f, wanted, found, tries] {
        if (MessageDialog* d = f.h.waitingDialog()) {
            if (d->lblMsg.caption().find(wanted) != std::string::npos) {
                found();
                return;
            }
            f.h.script().key(d->mode() == kPromptQuestion ? 'Y' : keys::Space);
            seek(f, wanted, found, tries);
        } else if (f.game().battle.battlePhase == kNoBattle) {
            if (tries == 0) {
                ADD_FAILURE() << "never met: " << wanted;
                return;
            }
            f.h.script().key(keys::Right);
            seek(f, wanted, found, tries - 1);
        } else {
            f.h.script().key('R');
            seek(f, wanted, found, tries);
        }
    });
}

TEST(BattlePlay, AFriendlyMeetingCanBeRefusedOrFought) {
    DungeonFixture f;
    f.meleeRow();
    f.monster(1, "旅の小鬼", 1000);
    f.encounter(1, {1}, 1);
    f.call([&] {
        for (int i = 1; i <= 2; ++i)
            f.member(i).skills[8] = 1;
        f.standAt(1, 5, 5, 0);
        f.game().dungeon.stepsSinceEncounter = 0;
        f.game().dungeon.encounterBase = 3000;
    });
    seek(
        f, "友好的な",
        [&] {
            f.expectText("友好的な\nなにか\n戦いますか？");
            f.key('N');
            f.h.answerUntil([&] { return f.h.waitingDialog() == nullptr; },
                            [&] {
                                const Game& g = f.game();
                                EXPECT_EQ(g.battle.lastEnd, BattleEnd::Refused);
                                EXPECT_EQ(g.battle.battlePhase, kNoBattle);
                                EXPECT_EQ(g.battle.battleRound, 0) << "no round";
                                EXPECT_EQ(f.member(1).experience, 0.0) << "no rewards";
                                EXPECT_FALSE(f.battleScreen().lstMonster.visible());
                                seek(
                                    f, "友好的な",
                                    [&] {
                                        f.key('Y');
                                        f.h.answerUntil(
                                            [&] { return f.enteringCommands(); },
                                            [&] {
                                                EXPECT_TRUE(f.game().battle.partyFirstStrike);
                                                const int hp1 = f.member(1).hitPoints,
                                                          hp2 = f.member(2).hitPoints;
                                                const int round = f.game().battle.battleRound;
                                                f.key('O');
                                                f.h.answerUntil(
                                                    [&] { return f.enteringCommands(); },
                                                    [&f, hp1, hp2, round] {
                                                        EXPECT_EQ(f.game().battle.battleRound,
                                                                  round + 1);
                                                        EXPECT_EQ(f.member(1).hitPoints, hp1)
                                                            << "the monsters lost their round";
                                                        EXPECT_EQ(f.member(2).hitPoints, hp2);
                                                    });
                                            });
                                    },
                                    400);
                            });
        },
        400);
    f.run();
}

TEST(BattlePlay, ABackAttackTurnsThePartyRoundForTheMonstersFreeRound) {
    DungeonFixture f(4);
    f.meleeRow();
    f.monster(1, "忍び寄る影", 1000);
    f.encounter(1, {1}, 1);
    bool sawFourthInFront = false;
    f.call([&] {
        for (int i = 1; i <= 4; ++i) {
            f.member(i).skills[8] = 1;
            f.member(i).status |= i == 4 ? kStatusFear : 0;
        }
        f.standAt(1, 5, 5, 0);
        f.game().dungeon.encounterBase = 3000;
    });
    seek(
        f, "モンスターのバックアタック",
        [&] {
            f.key(keys::Space);
            f.h.answerUntil(
                [&] {
                    // While the monsters' free round runs, the fourth member stands first.
                    if (f.h.waitingDialog() && f.game().place.partyMembers[1] == 4) {
                        sawFourthInFront = true;
                        EXPECT_FALSE(f.member(1).status & kStatusFear) << "fear cleared";
                    }
                    return f.enteringCommands();
                },
                [&] {
                    EXPECT_TRUE(sawFourthInFront);
                    const Place& p = f.game().place;
                    for (int i = 1; i <= 4; ++i)
                        EXPECT_EQ(p.partyMembers[static_cast<size_t>(i)], i);
                    EXPECT_EQ(f.game().battle.battleRound, 1);
                });
        },
        400);
    f.run();
}

TEST(BattlePlay, CommandEntryWalksThePartyAndHoldsTheCloseBox) {
    DungeonFixture f(3);
    f.meleeRow();
    for (int m = 1; m <= 3; ++m)
        f.monster(m, "ゴブリン" + std::to_string(m), 1000);
    f.encounter(1, {1, 2, 3}, 1);
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        f.game().dungeon.encounterBase = 3000;
    });
    f.key(keys::Right);
    f.h.answerUntil(
        [&] { return f.enteringCommands(); },
        [&] {
            EXPECT_EQ(f.main().lstBattleCommand.caption(), "なかま1");
            const ListEx& l = f.main().lstBattleCommand;
            std::vector<std::string> entries;
            for (int i = 0; i < l.listCount(); ++i)
                entries.push_back(l.list(i));
            EXPECT_EQ(entries, (std::vector<std::string>{"F)戦う", "P)身を守る", "U)アイテムを使う",
                                                         "R)逃げる", "T)ステータス", "E)再編成",
                                                         "O)ノーマルオート"}));
            EXPECT_EQ(f.battleScreen().lstMonster.listCount(), 3);
            // The third row is out of reach of bare hands.
            f.key('F').key(keys::Down).key(keys::Down).key(keys::Enter);
            f.expectText("そこに攻撃は届かない").key(keys::Space);
            f.call([&] { EXPECT_TRUE(f.battleScreen().lstMonster.hasFocus()); });
            f.key(keys::Down).key(keys::Enter);
            f.call([&] {
                EXPECT_EQ(f.member(1).actionCode, 1);
                EXPECT_EQ(f.member(1).targetGroup, 2);
                EXPECT_EQ(f.main().lblState[0].caption(), "戦う");
                const ListEx& l2 = f.main().lstBattleCommand;
                EXPECT_EQ(l2.caption(), "なかま2");
                EXPECT_EQ(l2.list(l2.listCount() - 1), "B)戻る");
            });
            // The close box does nothing while commands are entered.
            f.h.script().closeRequest();
            f.call([&] { EXPECT_TRUE(f.main().visible()); });
            f.key('B');
            f.call([&] { EXPECT_EQ(f.main().lstBattleCommand.caption(), "なかま1"); });
            f.key('P').key('P').key('P');
            f.call([&] {
                const ListEx& l3 = f.main().lstBattleCommand;
                EXPECT_EQ(l3.caption(), "");
                EXPECT_EQ(l3.list(0), "G)戦闘開始");
                EXPECT_EQ(f.main().lblState[2].caption(), "身を守る");
                EXPECT_EQ(f.member(3).actionCode, 8);
            });
            f.key(keys::Esc);
            f.call([&] { EXPECT_EQ(f.main().lstBattleCommand.caption(), "なかま3"); });
            f.key('P').key('G');
            f.h.answerUntil([&] { return f.enteringCommands(); },
                            [&] { EXPECT_EQ(f.game().battle.battleRound, 1); });
        });
    f.run();
}

TEST(BattlePlay, TheReorderPanelAsksAgainFromTheNewFirstMember) {
    DungeonFixture f(3);
    f.meleeRow();
    f.monster(1, "ゴブリン", 1000);
    f.encounter(1, {1}, 1);
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        f.game().dungeon.encounterBase = 3000;
    });
    f.key(keys::Right);
    f.h.answerUntil(
        [&] { return f.enteringCommands(); },
        [&] {
            f.key('E');
            f.call([&] {
                EXPECT_FALSE(f.main().lstBattleCommand.enabled());
                EXPECT_TRUE(f.h.game().screens->part<PartyControls>().lstReorder.hasFocus());
            });
            // The first member one place back, and kept.
            f.key('B').key('O');
            f.call([&] {
                EXPECT_EQ(f.game().place.partyMembers[1], 2);
                EXPECT_EQ(f.game().place.partyMembers[2], 1);
                EXPECT_TRUE(f.main().lstBattleCommand.hasFocus());
                EXPECT_EQ(f.main().lstBattleCommand.caption(), "なかま2");
                EXPECT_EQ(f.game().battle.commandSlot, 1);
            });
        });
    f.run();
}

TEST(BattlePlay, ScreenshotOfABattle) {
    RealBattle f;
    f.call([&] {
        f.addMember(3, "なかま3");
        f.addMember(4, "なかま4");
        f.game().options.drawMode = 1;
        f.standAt(1, 0, 6, 1);
        f.game().dungeon.encounterBase = 3000;
    });
    f.key(keys::Right);
    f.h.answerUntil([&] { return f.enteringCommands(); },
                    [&] {
                        HideMoveMark(f.game());
                        f.h.ui().render();
                        std::set<Color> seen(f.h.ui().canvas().pixels().begin(),
                                             f.h.ui().canvas().pixels().end());
                        EXPECT_GT(seen.size(), 2u);
                        EXPECT_TRUE(f.battleScreen().lstMonster.visible());
                        EXPECT_GE(f.battleScreen().lstMonster.listCount(), 1);
                        if (const char* dir = std::getenv("DV_SCREENSHOT_DIR"))
                            f.h.savePng(std::string(dir) + "/screenshot-battle.png");
                    });
    f.run();
}

}  // namespace
}  // namespace dv

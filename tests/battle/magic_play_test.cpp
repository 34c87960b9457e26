// Spells, songs, stealing, summons, breath and calls for help played through the real
// screens with the scripted backend; and healing cast in camp from the character sheet by
// typing the spell's name.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "battle/battle_screen.h"
#include "characters/party.h"
#include "core/prompt_dialog.h"
#include "core/window_of.h"
#include "dungeon/camp_spells.h"
#include "dungeon/dungeon_fixture.h"
#include "items/select_box.h"
#include "items/status_sheet.h"

namespace dv {
namespace {

using test::DungeonFixture;

SpellRecord& spellRow(Game& g, int index, const std::string& name, int kind, int effect, int target,
                      int flags, int bonus) {
    SpellRecord& s = g.db.spellTable[static_cast<size_t>(index)];
    s = SpellRecord{};
    s.id = static_cast<std::int16_t>(index);
    s.kind = static_cast<std::uint8_t>(kind);
    s.level = 1;
    s.number = 1;
    s.name = name;
    s.effect = static_cast<std::uint8_t>(effect);
    s.target = static_cast<std::uint8_t>(target);
    s.flags = static_cast<std::uint8_t>(flags);
    s.diceBonus = static_cast<std::int16_t>(bonus);
    return s;
}

// A battle on the first floor against one monster of the table.
class MagicBattle : public DungeonFixture {
  public:
    MagicBattle() {
        meleeRow();
        call([this] {
            standAt(1, 5, 5, 0);
            game().place.previousY = 6;
        });
    }
    Character& foe(int hitPoints) {
        Character& m = monster(1, "ゴブリン", hitPoints);
        encounter(1, {1}, 1);
        return m;
    }
    Character& fighting(int slot = 1) {
        return game().battle.monsters[1][static_cast<size_t>(slot)];
    }
    void start() {
        call([this] { game().dungeon.encounterBase = 3000; });
        key(keys::Right);
    }

    // Plays the battle: dialogs are answered (typed ones with `typed`), lists take Enter,
    // command entry takes what `command` says for the member being served. Stops when
    // `stop` holds or the battle is over, then runs `then`.
    void drive(std::function<int(const std::string& member)> command, std::string typed,
               std::function<bool()> stop, std::function<void()> then) {
        h.script().check([=, this] {
            if (stop && stop()) {
                then();
                return;
            }
            if (MessageDialog* d = h.waitingDialog()) {
                for (const std::string& t : h.texts())
                    log.push_back(t);
                if (d->mode() == kPromptInput)
                    h.script().text(typed).key(keys::Enter);
                else
                    h.script().key(d->mode() == kPromptQuestion ? 'Y' : keys::Space);
            } else if (game().battle.battlePhase == kNoBattle) {
                then();
                return;
            } else if (battleScreen().lstMonster.hasFocus() ||
                       battleScreen().lstUseItem.hasFocus()) {
                h.script().key(keys::Enter);
            } else if (main().lstBattleCommand.hasFocus()) {
                const ListEx& l = main().lstBattleCommand;
                bool start = false;
                for (int i = 0; i < l.listCount(); ++i)
                    start = start || l.list(i) == "G)戦闘開始";
                h.script().key(start ? 'G' : command(l.caption()));
            } else {
                ADD_FAILURE() << "the battle waits for something the driver does not give";
                return;
            }
            drive(command, typed, stop, then);
        });
    }
    bool logged(const std::string& part) const {
        return std::any_of(log.begin(), log.end(),
                           [&](const std::string& t) { return t.find(part) != std::string::npos; });
    }
    std::vector<std::string> log;
};

// The rule the cast and the bot share: only Pandemonium's floors 3..5 swallow the spells
// that carry the party away.
TEST(MagicPlay, PandemoniumsMiddleFloorsSwallowTheWayOut) {
    struct Case {
        int dungeon, floor, effect;
        bool swallowed;
    };
    Game game;
    for (const Case& c : {Case{24, 3, 54, true}, Case{24, 5, 3, true}, Case{24, 2, 54, false},
                          Case{24, 6, 54, false}, Case{23, 4, 54, false}, Case{24, 4, 7, false}}) {
        SCOPED_TRACE(std::to_string(c.dungeon) + "/" + std::to_string(c.floor) + " effect " +
                     std::to_string(c.effect));
        game.place.currentDungeon = c.dungeon;
        game.place.currentFloor = static_cast<std::int16_t>(c.floor);
        EXPECT_EQ(CampSpellSwallowed(game, c.effect), c.swallowed);
    }
}

TEST(MagicPlay, AnAttackSpellTypedInBattleKillsTheMonster) {
    MagicBattle f;
    f.foe(30);
    f.call([&] {
        spellRow(f.game(), 1, "HIRO", 0, 2, 1, 5, 40);
        Character& mage = f.member(1);
        mage.spellsKnown(0, 1, 1) = 1;
        mage.spellPoints(0, 1) = 3;
        mage.maxSpellPoints(0, 1) = 3;
    });
    f.start();
    bool pictured = false;
    const auto picture = std::filesystem::temp_directory_path() / "dalvenor-spell-battle.png";
    f.drive([](const std::string& m) { return m == "なかま1" ? 'S' : 'P'; }, "hiro",
            [&] {
                bool casting = false;
                for (const std::string& t : f.h.texts())
                    casting = casting || t.find("ＨＩＲＯの呪文を唱えた") != std::string::npos;
                if (!pictured && f.h.waitingDialog() && casting) {
                    f.h.savePng(picture.string());
                    pictured = true;
                }
                return false;
            },
            [&] {
                EXPECT_TRUE(pictured);
                EXPECT_TRUE(f.logged("なかま1は\nＨＩＲＯの呪文を唱えた"));
                EXPECT_EQ(f.game().battle.lastEnd, BattleEnd::Victory);
                EXPECT_EQ(f.member(1).spellPoints(0, 1), 2);
                EXPECT_EQ(f.game().battle.lastSpellName, "hiro");
            });
    f.run();
}

TEST(MagicPlay, ASongOnAnInstrumentBlessesTheParty) {
    MagicBattle f;
    f.foe(5);
    f.call([&] {
        spellRow(f.game(), 112, "SHIZUKA", 3, 104, 0, 3, 0);
        ItemRecord& harp = f.game().db.itemTable[30];
        harp.itemNumber = 30;
        harp.name = harp.altName = "竪琴";
        harp.kind = 9;
        harp.spellLink = 112;
        Character& bard = f.member(1);
        bard.skills[47] = 1;
        bard.items[1] = ItemSlot{30, 0, 1};
        f.game().place.partyBlessings = 0;
    });
    f.start();
    bool listed = false;
    f.drive(
        [](const std::string& m) { return m == "なかま1" ? 'V' : 'F'; }, "",
        [&] {
            if (!listed && f.battleScreen().lstUseItem.hasFocus()) {
                listed = true;
                EXPECT_EQ(f.battleScreen().lstUseItem.list(0), "竪琴");
                f.h.savePng(
                    (std::filesystem::temp_directory_path() / "dalvenor-song-list.png").string());
            }
            return false;
        },
        [&] {
            EXPECT_TRUE(listed);
            EXPECT_TRUE(f.logged("ＳＨＩＺＵＫＡの曲を奏でた"));
            EXPECT_TRUE(f.game().place.partyBlessings & 4);
            EXPECT_EQ(f.game().battle.lastEnd, BattleEnd::Victory);
        });
    f.run();
}

TEST(MagicPlay, AThiefStealsFromTheMonstersPocket) {
    MagicBattle f;
    Character& goblin = f.foe(12);
    goblin.items[1] = ItemSlot{12, 0, 1};
    f.call([&] {
        ItemRecord& ring = f.game().db.itemTable[12];
        ring.itemNumber = 12;
        ring.name = "銀の指輪";
        ring.altName = "指輪";
        Character& thief = f.member(1);
        thief.skills[9] = 1;
        thief.dexterity = 200;
    });
    f.start();
    f.drive([](const std::string& m) { return m == "なかま1" ? 'K' : 'F'; }, "", {},
            [&] {
                EXPECT_TRUE(f.logged("そしてアイテムを盗んだ！"));
                bool found = false;
                for (const ItemSlot& s : f.member(1).items)
                    found = found || (s.itemId == 12 && (s.itemFlags & kItemUnidentified));
                EXPECT_TRUE(found);
            });
    f.run();
}

TEST(MagicPlay, SummonedAlliesFightTheNextRound) {
    MagicBattle f;
    f.foe(200);
    Character& imp = f.monster(7, "インプ", 20, 5);
    imp.summonLevel = 1;
    imp.classBit = 2;
    imp.appearDiceBonus = 1;  // two come
    imp.agility = 18;
    f.call([&] {
        f.game().save.defeatedCounts[7] = 1;
        Character& summoner = f.member(1);
        summoner.skills[116] = 1;
        summoner.skills[177] = 1;
        summoner.level = 3;
    });
    f.start();
    int summoned = 0;
    f.drive(
        [&](const std::string& m) {
            if (m == "なかま1" && summoned++ == 0) return 'M';
            return 'P';
        },
        "1", [&] { return f.game().battle.battleRound == 2 && f.enteringCommands(); },
        [&] {
            EXPECT_TRUE(f.logged("インプを\r２体召喚した"));
            EXPECT_TRUE(f.battleScreen().fraSummon.visible());
            EXPECT_FALSE(f.battleScreen().lblSummon.caption().empty());
            EXPECT_LT(f.fighting().hitPoints, 200) << "only the allies struck";
        });
    f.h.run(true);
}

TEST(MagicPlay, AMonsterBreathesFireOnTheWholeParty) {
    MagicBattle f;
    Character& dragon = f.foe(40);
    dragon.actions.fill(36);
    f.call([&] { f.game().db.monsterActions[36].kind = 3; });
    f.start();
    f.drive([](const std::string&) { return 'P'; }, "",
            [&] { return f.game().battle.battleRound == 1 && f.enteringCommands(); },
            [&] {
                EXPECT_TRUE(f.logged("は\n炎のブレスを吐いた"));
                EXPECT_LT(f.member(1).hitPoints, 50);
                EXPECT_LT(f.member(2).hitPoints, 50);
            });
    f.h.run(true);
}

TEST(MagicPlay, AMonsterCallsForHelpAndAFriendComes) {
    MagicBattle f;
    Character& caller = f.foe(40);
    caller.actions.fill(35);
    f.call([&] { f.game().db.monsterActions[35].kind = 3; });
    f.start();
    f.drive([](const std::string&) { return 'P'; }, "",
            [&] {
                return f.enteringCommands() &&
                       (f.logged("仲間が１体あらわれた") || f.game().battle.battleRound >= 12);
            },
            [&] {
                ASSERT_TRUE(f.logged("仲間が１体あらわれた"));
                EXPECT_TRUE(f.logged("は\n助けを呼んだ"));
                EXPECT_EQ(f.fighting(2).status, 0);
                EXPECT_EQ(f.fighting(2).name, "ゴブリン");
                EXPECT_NE(f.battleScreen().lstMonster.list(0).find("２"), std::string::npos)
                    << f.battleScreen().lstMonster.list(0);
            });
    f.h.run(true);
}

TEST(MagicPlay, HealingIsCastInCampByTypingTheNameInEitherWidth) {
    DungeonFixture f;
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        spellRow(f.game(), 28, "IYASU", 1, 7, 4, 7, 6);
        Character& priest = f.member(1);
        priest.spellsKnown(1, 1, 1) = 1;
        priest.spellPoints(1, 1) = 2;
        priest.maxSpellPoints(1, 1) = 2;
        f.member(2).hitPoints = 10;
        OpenSheet(f.game(), f.game().place.partyMembers[1], kSheetCamp);
    });
    // Half-width, the second member chosen.
    f.key('S');
    f.call([&] { ASSERT_NE(f.h.waitingDialog(), nullptr); });
    f.h.script().text("iyasu").key(keys::Enter);
    f.key(keys::Down).key(keys::Enter);
    f.expectText("なかま2は\n６ポイント回復した").key(keys::Space);
    f.call([&] {
        EXPECT_EQ(f.member(2).hitPoints, 16);
        EXPECT_EQ(f.member(1).spellPoints(1, 1), 1);
    });
    // Full-width through the input method.
    f.key('S');
    f.h.script().editing("ｉｙａｓ", 4).text("ｉｙａｓｕ").key(keys::Enter);
    f.key(keys::Down).key(keys::Enter);
    f.expectText("ポイント回復した").key(keys::Space);
    f.call([&] {
        EXPECT_EQ(f.member(2).hitPoints, 22);
        EXPECT_EQ(f.member(1).spellPoints(1, 1), 0);
    });
    // No points left, and a name nobody knows.
    f.key('S');
    f.h.script().text("ＩＹＡＳＵ").key(keys::Enter);
    f.expectText("無理だ").key(keys::Space);
    f.key('S');
    f.h.script().text("ｚｚｚ").key(keys::Enter);
    f.expectText("なに？").key(keys::Space);
    f.call([&] { EXPECT_EQ(f.member(2).hitPoints, 22); });
    f.key('L');
    f.run();
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

// A caster on the first floor with camp spells of kind 0, one per level.
class CampCaster : public test::DungeonFixture {
  public:
    CampCaster() {
        call([this] {
            standAt(1, 5, 5, 0);
            const std::pair<const char*, int> spells[] = {
                {"UKIBA", 6}, {"SHIRASE", 3}, {"TOBIRA", 44}, {"NEGAI", 64}, {"KAERU", 54}};
            int level = 1;
            for (const auto& [name, effect] : spells) {
                SpellRecord& s = spellRow(game(), level, name, 0, effect, 0, 2, 0);
                s.level = static_cast<std::uint8_t>(level);
                Character& mage = member(1);
                mage.spellsKnown(0, level, 1) = 1;
                mage.spellPoints(0, level) = 1;
                ++level;
            }
            member(1).level = 5;
            member(2).hitPoints = 3;
            member(2).gold = 500;
        });
    }
    void openSheet() {
        call([this] { OpenSheet(game(), game().place.partyMembers[1], kSheetCamp); });
    }
    void cast(const std::string& name) {
        key('S');
        h.script().text(name).key(keys::Enter);
    }
};

TEST(CampPlay, LevitationAndTheLocation) {
    CampCaster f;
    f.openSheet();
    f.cast("ukiba");
    f.expectText("浮かんだ").key(keys::Space);
    f.cast("shirase");
    f.expectText("地下１階にいます").expectText("城から東に　５南に５").key(keys::Space);
    f.call([&] {
        EXPECT_TRUE(f.game().place.partyEffects & 4);
        EXPECT_EQ(f.member(1).spellPoints(0, 1), 0);
        EXPECT_EQ(f.member(1).spellPoints(0, 2), 0);
    });
    // A spell point spent is gone: the next cast of it fails.
    f.cast("ukiba");
    f.expectText("無理だ").key(keys::Space);
    f.key('L');
    f.run();
}

TEST(CampPlay, TheTeleportEntryMovesThePartyByTheTypedOffsets) {
    CampCaster f;
    f.openSheet();
    f.cast("tobira");
    // East: the first box's caret is at its end, so Right goes on to the second box.
    f.key(keys::Right);
    f.h.script().text("2");
    // South: one step north with Down; letters are ignored.
    f.key(keys::Right).key(keys::Down);
    f.h.script().text("x");
    f.call([&] {
        EXPECT_EQ(WindowOf<TeleportEntry>(f.game()).txtMove[1].text(), "2");
        EXPECT_EQ(WindowOf<TeleportEntry>(f.game()).txtMove[2].text(), "-1");
        f.h.savePng((std::filesystem::temp_directory_path() / "dalvenor-teleport.png").string());
    });
    f.key(keys::Enter);
    f.call([&] {
        const Place& p = f.game().place;
        EXPECT_EQ(p.partyX, 7);
        EXPECT_EQ(p.partyY, 4);
        EXPECT_EQ(p.currentFloor, 1);
        EXPECT_EQ(f.member(2).posX, 7);
        EXPECT_FALSE(WindowOf<StatusSheet>(f.game()).visible()) << "the sheet closes";
    });
    f.run();
}

TEST(CampRules, ATypedTeleportOffsetIsItsLeadingNumberWithinNinetyNine) {
    const std::pair<const char*, int> cases[] = {{"2", 2},
                                                 {"-1", -1},
                                                 {"99", 99},
                                                 {"100", 99},
                                                 {"-100", -99},
                                                 {"99999", 99},
                                                 {"-99999", -99},
                                                 {"99999999999", 99},
                                                 {"-99999999999", -99},
                                                 {"5-3", 5},
                                                 {"", 0},
                                                 {"x", 0},
                                                 {"-", 0},
                                                 {"+3", 0}};
    for (const auto& [typed, offset] : cases)
        EXPECT_EQ(TeleportOffset(typed), offset) << typed;
}

TEST(CampPlay, EscapeOnTheTeleportEntryKeepsTheParty) {
    CampCaster f;
    f.openSheet();
    f.cast("tobira");
    f.key(keys::Esc);
    f.expectText("おおっと！").key(keys::Space);
    f.call([&] {
        EXPECT_EQ(f.game().place.partyX, 5);
        EXPECT_EQ(f.member(1).spellPoints(0, 3), 0) << "the point is spent";
    });
    f.key('L');
    f.run();
}

TEST(CampPlay, AWishHealsThePartyAndCostsTheCasterALevel) {
    CampCaster f;
    f.openSheet();
    f.cast("negai");
    f.key(keys::Enter);  // "全員のＨＰ回復", the first wish
    f.call([&] {
        EXPECT_EQ(f.member(2).hitPoints, 50);
        EXPECT_EQ(f.member(1).level, 4);
    });
    f.key('L');
    f.run();
}

TEST(CampPlay, ReturningTakesThePartyUpAndItsGold) {
    CampCaster f;
    f.openSheet();
    f.cast("kaeru");
    f.expectText("唱えた").key(keys::Space);
    f.call([&] {
        const Place& p = f.game().place;
        EXPECT_EQ(p.partyX, 0);
        EXPECT_EQ(p.partyY, 0);
        EXPECT_EQ(p.currentFloor, 1);
        EXPECT_EQ(f.member(2).gold, 0.0);
        EXPECT_FALSE(WindowOf<StatusSheet>(f.game()).visible());
    });
    f.run();
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

TEST(MagicPlay, AnEscapeSpellLeavesTheBattleWithoutRewards) {
    MagicBattle f;
    f.foe(500);
    f.call([&] {
        spellRow(f.game(), 2, "NIGERU", 0, 58, 3, 1, 0);
        Character& mage = f.member(1);
        mage.spellsKnown(0, 1, 1) = 1;
        mage.spellPoints(0, 1) = 1;
        mage.agility = 200;
    });
    f.start();
    f.drive([](const std::string& m) { return m == "なかま1" ? 'S' : 'P'; }, "nigeru", {},
            [&] {
                EXPECT_TRUE(f.logged("パーティは逃げ出した"));
                EXPECT_EQ(f.game().battle.lastEnd, BattleEnd::Flight);
                EXPECT_EQ(f.game().place.partyY, 6) << "back on the square the party came from";
                EXPECT_EQ(f.member(1).escapes, 0.0) << "a spell is no flight";
                EXPECT_EQ(f.member(1).experience, 0.0);
                EXPECT_FALSE(f.main().busy);
            });
    f.run();
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

// Camp spells that ask nothing: each case casts one spell of the first member and answers
// its one message.
TEST(CampPlay, SpellsWithoutAChoiceDoTheirWork) {
    struct Case {
        const char* what;
        int effect;
        int level;
        int flags;
        int dice;
        std::function<void(test::DungeonFixture&)> before;
        const char* message;
        std::function<void(test::DungeonFixture&)> check;
        int mode = kCastByMember;
    } cases[] = {
        {"levitation",
         6,
         1,
         2,
         0,
         {},
         "浮かんだ",
         [](test::DungeonFixture& f) { EXPECT_TRUE(f.game().place.partyEffects & 4); }},
        {"the compass",
         49,
         1,
         2,
         0,
         {},
         "唱えた",
         [](test::DungeonFixture& f) { EXPECT_TRUE(f.game().place.partyEffects & 256); }},
        {"fewer battles",
         104,
         1,
         2,
         0,
         {},
         "魔物の気配が少なくなった",
         [](test::DungeonFixture& f) { EXPECT_TRUE(f.game().place.partyBlessings & 4); }},
        {"armour of five",
         5,
         1,
         2,
         5,
         {},
         "唱えた",
         [](test::DungeonFixture& f) {
             EXPECT_TRUE(f.game().place.partyEffects & 128);
             EXPECT_EQ(f.member(2).armorClass, -5);
         }},
        {"armour already on", 5, 1, 2, 5,
         [](test::DungeonFixture& f) { f.game().place.partyEffects |= 128; }, "すでに効いている",
         [](test::DungeonFixture& f) { EXPECT_EQ(f.member(2).armorClass, 0); }},
        {"rock behind the wall",
         59,
         1,
         2,
         0,
         [](test::DungeonFixture& f) {
             f.game().dungeon.floorWalls(5, 4) = 15;
             f.game().dungeon.floorDoors(5, 4) = 0;
         },
         "壁の向こうは石です",
         {}},
        {"space behind the wall", 59, 1, 2, 0, {}, "壁の向こうは空間です", {}},
        {"a forbidden level",
         6,
         10,
         2,
         0,
         {},
         "禁呪は使うことが出来ない",
         [](test::DungeonFixture& f) { EXPECT_EQ(f.game().place.partyEffects & 4, 0); }},
        {"not for the camp", 6, 1, 1, 0, {}, "今はその魔法はつかえない", {}},
        {"not known", 6, 1, 2, 0,
         [](test::DungeonFixture& f) { f.member(1).spellsKnown(0, 1, 1) = 0; }, "おや？",
         [](test::DungeonFixture& f) { EXPECT_EQ(f.member(1).spellPoints(0, 1), 1); }},
        {"silenced", 6, 1, 2, 0,
         [](test::DungeonFixture& f) {
             f.member(1).status = kStatusSilence;
             f.member(1).spellPoints(0, 1) = 0;
         },
         "しかし呪文は音にならなかった",
         [](test::DungeonFixture& f) {
             EXPECT_EQ(f.member(1).spellPoints(0, 1), -1);
             EXPECT_EQ(f.game().place.partyEffects & 4, 0);
         }},
        {"the tower swallows the return", 54, 1, 2, 0,
         [](test::DungeonFixture& f) {
             f.game().place.currentDungeon = 24;
             f.game().place.currentFloor = 3;
         },
         "しかし呪文はかき消された",
         [](test::DungeonFixture& f) { EXPECT_EQ(f.member(1).spellPoints(0, 1), 0); }},
        {"an item's spell needs no knowledge and may break", 6, 1, 2, 0,
         [](test::DungeonFixture& f) {
             f.member(1).spellsKnown(0, 1, 1) = 0;
             ItemRecord& wand = f.game().db.itemTable[50];
             wand.itemNumber = 50;
             wand.kind = 5;
             wand.spellLink = 1;
             wand.breakChance = 101;
             f.member(1).items[2] = ItemSlot{50, 0, 1};
         },
         "浮かんだ",
         [](test::DungeonFixture& f) {
             EXPECT_EQ(f.member(1).items[2].itemId, 0);
             EXPECT_EQ(f.member(1).spellPoints(0, 1), 1);
         },
         kCastByItem},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::DungeonFixture f;
        f.call([&] {
            f.standAt(1, 5, 5, 0);
            SpellRecord& s = spellRow(f.game(), 1, "TAMESHI", 0, c.effect, 0, c.flags, 0);
            s.level = static_cast<std::uint8_t>(c.level);
            s.diceCount = static_cast<std::int16_t>(c.dice);
            f.member(1).spellsKnown(0, 1, 1) = 1;
            f.member(1).spellPoints(0, 1) = 1;
            if (c.before) c.before(f);
            f.game().currentCharacter = f.game().place.partyMembers[1];
            CampCast(f.game(), "tameshi", c.mode);
        });
        f.expectText(c.message).key(keys::Space);
        if (c.mode == kCastByItem) f.expectText("壊れました").key(keys::Space);
        f.call([&] {
            if (c.check) c.check(f);
        });
        f.run();
    }
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

TEST(MagicPlay, AnItemUsedInBattleCastsItsSpellAtTheChosenGroup) {
    MagicBattle f;
    f.foe(25);
    f.call([&] {
        spellRow(f.game(), 5, "HIROGA", 0, 2, 2, 5, 30);
        ItemRecord& rod = f.game().db.itemTable[40];
        rod.itemNumber = 40;
        rod.name = rod.altName = "炎の杖";
        rod.kind = 5;
        rod.spellLink = 5;
        f.member(1).items[4] = ItemSlot{40, 0, 1};
    });
    f.start();
    f.drive([](const std::string& m) { return m == "なかま1" ? 'U' : 'P'; }, "", {},
            [&] {
                EXPECT_TRUE(f.logged("ＨＩＲＯＧＡの呪文を唱えた"));
                EXPECT_EQ(f.game().battle.lastEnd, BattleEnd::Victory);
                EXPECT_EQ(f.member(1).items[4].itemId, 40) << "a rod that never breaks";
            });
    f.run();
}

}  // namespace
}  // namespace dv

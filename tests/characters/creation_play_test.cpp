// Character creation played through the training grounds: every step, the bonus panel's
// keys, the record written, and the names the roster can and cannot hold.

#include <gtest/gtest.h>

#include <string>

#include "characters/creation_rules.h"
#include "characters/creation_screen.h"
#include "characters/races_classes.h"
#include "characters/roster_fixture.h"
#include "core/data/names.h"
#include "core/main_window.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"
#include "items/status_sheet.h"
#include "support/game_harness.h"
#include "ui/keys.h"

namespace dv {
namespace {

using test::GameHarness;

CreationScreen& creation(GameHarness& h) {
    return h.game().screens->part<CreationScreen>();
}

void downs(GameHarness& h, int n) {
    for (int i = 0; i < n; ++i)
        h.script().key(keys::Down);
}

// Spends every bonus point from the top row down, then takes class row classRow and
// answers the confirmation. Queued from a check because the points are rolled.
void spendPointsAndConfirm(GameHarness& h, int classRow, bool yes = true) {
    h.script().check([&h, classRow, yes] {
        CreationScreen& cr = creation(h);
        for (int i = 0; i < 8; ++i) {
            int limit = AttributeLimit(cr.choice.race, i + 1, false, cr.choice.sex);
            for (int k = cr.values[static_cast<size_t>(i)]; k < limit; ++k)
                h.script().key(keys::Right);
            h.script().key(keys::Down);
        }
        h.script().key(keys::Enter);
        downs(h, classRow);
        h.script().key(keys::Enter);
        if (!yes) h.script().key(keys::Down);
        h.script().key(keys::Enter);
    });
}

// From the training grounds menu: name, race row, alignment row (-1 when not asked), sex row.
void queueSteps(GameHarness& h, const std::string& name, int raceRow, int alignRow, int sexRow) {
    h.script().key('C').text(name).key(keys::Enter);
    downs(h, raceRow);
    h.script().key(keys::Enter);
    if (alignRow >= 0) {
        downs(h, alignRow);
        h.script().key(keys::Enter);
    }
    downs(h, sexRow);
    h.script().key(keys::Enter);
}

struct PathCase {
    const char* label;
    int raceRow;
    int alignRow;
    int sexRow;
    std::int16_t race;
    int alignment;
    int sex;
    const char* summary;  // the summary's second line
};

TEST(CreationPlay, EachAlignmentPathCommitsEveryField) {
    const PathCase cases[] = {
        {"human lawful male", 0, 0, 0, 1, kLawful, kMale, "種族：Ｈｕｍ　　属性：秩序　　性別：男"},
        {"elf neutral female", 1, 1, 1, 2, kNeutral, kFemale,
         "種族：Ｅｌｆ　　属性：中立　　性別：女"},
        {"dwarf chaotic male", 2, 2, 0, 4, kChaotic, kMale,
         "種族：Ｄｗａ　　属性：混沌　　性別：男"},
        // Demons and angels are never asked: chaotic and lawful by birth.
        {"demon", 7, -1, 0, 128, kChaotic, kMale, "種族：Ｄｅｍ　　性別：男"},
        {"angel", 8, -1, 1, 256, kLawful, kFemale, "種族：Ａｎｇ　　性別：女"},
    };
    for (const PathCase& pc : cases) {
        SCOPED_TRACE(pc.label);
        GameHarness h;
        h.startToTown();
        test::KeysToTrainingGrounds(h);
        queueSteps(h, "ゆうしゃ", pc.raceRow, pc.alignRow, pc.sexRow);
        h.script().check([&] {
            CreationScreen& cr = creation(h);
            EXPECT_EQ(cr.choice.alignment, pc.alignment);
            EXPECT_TRUE(cr.fraBounas.visible());
            EXPECT_EQ(h.game().screens->main->lbl.caption(),
                      std::string("名前：ゆうしゃ\r") + pc.summary);
            EXPECT_EQ(cr.startValues, StartingAttributes(pc.race, pc.sex));
            EXPECT_GE(cr.bonusPoints, 5);
            EXPECT_LE(cr.bonusPoints, 53);
        });
        spendPointsAndConfirm(h, 0);
        h.run();

        const Character& c = h.game().save.roster[1];
        const CreationScreen& cr = creation(h);
        EXPECT_EQ(c.rosterId, 1);
        EXPECT_EQ(c.name, "ゆうしゃ");
        EXPECT_EQ(c.level, 1);
        EXPECT_EQ(c.race, pc.race);
        EXPECT_EQ(c.alignment, pc.alignment);
        EXPECT_EQ(c.sex, pc.sex);
        EXPECT_EQ(c.classBit, cr.choice.classBit);
        EXPECT_TRUE(
            ClassAllowed(*ClassIndex(c.classBit), cr.choice.attributes, pc.alignment, pc.sex));
        EXPECT_GE(c.age, 13);
        EXPECT_LE(c.age, 17);
        EXPECT_EQ(c.ageDays, 0);
        EXPECT_GE(c.gold, 110);
        EXPECT_LE(c.gold, 200);
        int vit = cr.choice.attributes[kAttrVitality];
        int bonus = vit > 13 ? vit - 13 : vit;
        EXPECT_GE(c.maxHitPoints, 1 + bonus);
        EXPECT_LE(c.maxHitPoints, HitPointDie(c.classBit) + bonus);
        EXPECT_EQ(c.hitPoints, c.maxHitPoints);
        EXPECT_EQ(AttributesInTableOrder(c), cr.choice.attributes);
        const RaceRecord& r = *RaceOf(pc.race);
        EXPECT_EQ(c.baseArmorClass, r.baseArmorClass);
        EXPECT_EQ(c.armorClass, r.baseArmorClass);
        for (size_t k = 1; k <= 36; ++k) {
            EXPECT_EQ(c.resistances[k], r.resistances[k]) << k;
            EXPECT_EQ(c.damagePercent[k], r.damagePercent[k]) << k;
        }
        EXPECT_EQ(c.status, 0);
        EXPECT_EQ(c.partyId, 0);
        EXPECT_EQ(c.floor, 0);
        EXPECT_EQ(c.dungeonId, 0);
        EXPECT_EQ(c.experience, 0);
        // Back on the training grounds, summary cleared, and the roster saved.
        EXPECT_EQ(h.game().menuState, 10);
        EXPECT_EQ(h.game().screens->main->lbl.caption(), "");
        EXPECT_FALSE(cr.fraBounas.visible());
        h.restart();
        ASSERT_TRUE(h.start());
        EXPECT_EQ(h.game().save.roster[1].name, "ゆうしゃ");
    }
}

TEST(CreationPlay, AnsweringNoCreatesNothing) {
    GameHarness h;
    h.startToTown();
    test::KeysToTrainingGrounds(h);
    queueSteps(h, "まよい", 0, 1, 0);
    spendPointsAndConfirm(h, 0, false);
    h.run();
    EXPECT_EQ(h.game().save.roster[1].rosterId, 0);
    EXPECT_EQ(h.game().menuState, 10);
}

TEST(CreationPlay, WizardLearnsAFirstLevelSpell) {
    // Human neutral male; the class list is in class order, so with every point in the top
    // rows the wizard is the second class when the fighter is also allowed.
    for (std::uint64_t seed : {3u, 4u, 5u}) {
        GameHarness h(seed);
        h.startToTown();
        test::KeysToTrainingGrounds(h);
        queueSteps(h, "まほう", 0, 1, 0);
        h.script().check([&h] {
            CreationScreen& cr = creation(h);
            // Wisdom first: row 1 up to its limit.
            h.script().key(keys::Down);
            for (int k = cr.values[1]; k < 18; ++k)
                h.script().key(keys::Right);
            for (int i = 0; i < 8; ++i) {
                h.script().key(keys::Up);
            }
            h.script().check([&h] {
                CreationScreen& cr2 = creation(h);
                for (int i = 0; i < 8; ++i) {
                    int limit = AttributeLimit(cr2.choice.race, i + 1, false, cr2.choice.sex);
                    for (int k = cr2.values[static_cast<size_t>(i)]; k < limit; ++k)
                        h.script().key(keys::Right);
                    h.script().key(keys::Down);
                }
                h.script().key(keys::Enter);
                h.script().check([&h] {
                    ListEx& l = creation(h).lstClass;
                    int row = -1;
                    for (int i = 0; i < l.listCount(); ++i)
                        if (l.itemData(i) == 2) row = i;
                    ASSERT_GE(row, 0);
                    downs(h, row);
                    h.script().key(keys::Enter).key(keys::Enter);
                });
            });
        });
        h.run();
        const Character& w = h.game().save.roster[1];
        ASSERT_EQ(w.classBit, 2);
        int known = 0;
        for (int n = 1; n <= 3; ++n)
            known += w.spellsKnown(0, 1, n) != 0;
        EXPECT_GE(known, 1);
        EXPECT_GE(w.maxSpellPoints(0, 1), 2);
        EXPECT_LE(w.maxSpellPoints(0, 1), 4);
        EXPECT_EQ(w.spellPoints(0, 1), w.maxSpellPoints(0, 1));
    }
}

TEST(CreationPlay, BonusKeysKeepToTheStartValueTheLimitAndThePoints) {
    GameHarness h;
    h.startToTown();
    test::KeysToTrainingGrounds(h);
    queueSteps(h, "けいさん", 0, 1, 0);  // human neutral male: 力 starts at 9, limit 19
    h.script().check([&h] {
        CreationScreen& cr = creation(h);
        int points = cr.bonusPoints;
        ASSERT_EQ(cr.values[0], 9);
        h.script().key(keys::Left).check([&h] {
            EXPECT_EQ(creation(h).values[0], 9);  // never below the start value
        });
        for (int i = 0; i < 30; ++i)
            h.script().key(keys::Right);
        h.script().check([&h, points] {
            CreationScreen& c2 = creation(h);
            int raised = std::min(points, 10);
            EXPECT_EQ(c2.values[0], 9 + raised);  // stops at 19 or when points run out
            EXPECT_EQ(c2.bonusPoints, points - raised);
            EXPECT_EQ(c2.lblPoint[0].caption(), std::to_string(9 + raised));
            EXPECT_EQ(c2.lblBounasPoint.caption(), std::to_string(points - raised));
            // Enter with points left keeps the focus on the attributes.
            h.script().key(keys::Enter).check([&h] {
                CreationScreen& c3 = creation(h);
                if (c3.bonusPoints > 0) {
                    EXPECT_TRUE(c3.lstStatus.hasFocus());
                }
            });
            for (int i = 0; i < 40; ++i)
                h.script().key(keys::Left);
            h.script().check([&h, points] {
                EXPECT_EQ(creation(h).values[0], 9);
                EXPECT_EQ(creation(h).bonusPoints, points);
            });
            // Esc leaves creation with nothing made.
            h.script().key(keys::Esc);
        });
    });
    h.run();
    EXPECT_EQ(h.game().save.roster[1].rosterId, 0);
    EXPECT_EQ(h.game().menuState, 10);
    EXPECT_TRUE(h.game().screens->main->lstCommandList.visible());
}

TEST(CreationPlay, BonusRowsHaveRoomAndTheValuesSitOnThem) {
    GameHarness h;
    h.startToTown();
    test::KeysToTrainingGrounds(h);
    queueSteps(h, "ならび", 0, 1, 0);
    h.script().check([&h] {
        CreationScreen& cr = creation(h);
        const ListEx& list = cr.lstStatus;
        const int pitch = list.rowPitch();
        // Room between two rows: no glyph or highlight reaches the row above.
        EXPECT_GE(pitch, list.font()->height() + 2);
        EXPECT_EQ(list.rowsPerPage(), 8);
        const Rect l = list.bounds();
        for (int i = 0; i < 8; ++i) {
            SCOPED_TRACE(i);
            const int rowTop = l.y + list.visibleRowTop(i);
            for (const Label* v :
                 {&cr.lblPoint[static_cast<size_t>(i)], &cr.lblAttrLimit[static_cast<size_t>(i)]}) {
                EXPECT_GE(v->bounds().y, rowTop);
                EXPECT_LE(v->bounds().bottom(), rowTop + pitch);
                EXPECT_GE(v->bounds().h, v->font()->height());
            }
        }
        // Everything stays inside the panel.
        const Rect in = cr.fraBounas.innerRect();
        EXPECT_LE(cr.lblHelp.bounds().bottom(), in.bottom());
        EXPECT_LE(l.bottom(), cr.lblBounasCaption.bounds().y);
    });
    h.script().key(keys::Esc);
    h.run();
}

TEST(CreationPlay, FullRosterRefusesBeforeAskingTheName) {
    GameHarness h;
    h.startToTown();
    for (int s = 1; s <= 50; ++s)
        test::PutCharacter(h.game(), s, {"c" + std::to_string(s)});
    test::KeysToTrainingGrounds(h);
    h.script().key('C').check([&] {
        EXPECT_TRUE(h.showsText("これ以上作れませんよ"));
        EXPECT_FALSE(h.showsText("名前を入力してください"));
    });
    h.script().key(keys::Enter);
    h.run();
    EXPECT_EQ(h.game().menuState, 10);
}

TEST(CreationPlay, AnExistingNameOpensItsSheetForInspectionOnly) {
    GameHarness h;
    h.startToTown();
    test::PutCharacter(h.game(), 4, {"アリス"});
    h.game().sheetMode = kSheetTown;  // left over from the tavern
    test::KeysToTrainingGrounds(h);
    h.script().key('C').text("アリス").key(keys::Enter).check([&] {
        ASSERT_NE(h.game().screens->sheet, nullptr);
        EXPECT_TRUE(h.game().screens->sheet->visible());
        EXPECT_EQ(h.game().currentCharacter, 4);
        auto& sheet = static_cast<StatusSheet&>(*h.game().screens->sheet);
        EXPECT_EQ(sheet.lstCommand.texts(), (std::vector<std::string>{"R)呪文書を読む", "L)戻る"}));
    });
    h.script().key('L');
    h.run();
    EXPECT_EQ(h.game().save.roster[1].rosterId, 0);
    EXPECT_EQ(h.game().menuState, 10);
    EXPECT_TRUE(h.game().screens->main->lstCommandList.visible());
}

TEST(CreationPlay, NamesTheRosterCanHoldSurviveARestart) {
    const std::string fullWidth50 = [] {
        std::string s;
        for (int i = 0; i < 50; ++i)
            s += "あ";
        return s;
    }();
    for (const std::string& name : {fullWidth50, std::string("ｱｲｳｴｵﾀﾞﾝ")}) {
        GameHarness h;
        h.startToTown();
        test::KeysToTrainingGrounds(h);
        queueSteps(h, name, 0, 1, 0);
        spendPointsAndConfirm(h, 0);
        h.run();
        ASSERT_EQ(h.game().save.roster[1].name, name);
        h.restart();
        ASSERT_TRUE(h.start());
        EXPECT_EQ(h.game().save.roster[1].name, name);
    }
}

TEST(CreationPlay, NamesTheRosterCannotHoldAreRefusedAndAskedAgain) {
    struct Case {
        std::string name;
        const char* refusal;
    };
    std::string longName;
    for (int i = 0; i < 51; ++i)
        longName += "い";
    const Case cases[] = {{longName, "名前は５０文字までです"},
                          {"ゆうしゃ😀", "名前に使えない文字が含まれています"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refusal);
        GameHarness h;
        h.startToTown();
        test::KeysToTrainingGrounds(h);
        h.script().key('C').text(c.name).key(keys::Enter).check([&] {
            EXPECT_TRUE(h.showsText(c.refusal));
        });
        // The question comes back with the name as typed and the caret after it, so the
        // next key adds to it instead of replacing it; Esc there gives up.
        h.script().key(keys::Enter).check([&] {
            EXPECT_TRUE(h.showsText("名前を入力してください"));
            const TextBox& box = h.game().screens->inpBox->txtMsg;
            EXPECT_EQ(box.text(), c.name);
            EXPECT_EQ(box.selLength(), 0);
            EXPECT_EQ(box.selStart(), static_cast<int>(CharacterCount(c.name)));
        });
        h.script().text("X").check(
            [&] { EXPECT_EQ(h.game().screens->inpBox->txtMsg.text(), c.name + "X"); });
        h.script().key(keys::Esc);
        h.run();
        EXPECT_EQ(h.game().save.roster[1].rosterId, 0);
        EXPECT_EQ(h.game().menuState, 10);
        EXPECT_TRUE(h.game().screens->main->lstCommandList.visible());
    }
}

}  // namespace
}  // namespace dv

// Saves the creation screen, the roster window, the tavern with a party, the character
// sheet, the class-change list, the inn and the temple as PNG files when DV_SCREENSHOT_DIR is set;
// otherwise only checks that they paint.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "characters/creation_rules.h"
#include "characters/member_choice.h"
#include "characters/party.h"
#include "characters/roster_fixture.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "items/select_box.h"
#include "items/status_sheet.h"
#include "support/game_harness.h"
#include "ui/keys.h"
#include "ui/window_system.h"

namespace dv {
namespace {

using test::GameHarness;
using test::PutCharacter;

void shoot(GameHarness& h, const char* name) {
    h.ui().render();
    std::set<Color> seen(h.ui().canvas().pixels().begin(), h.ui().canvas().pixels().end());
    EXPECT_GT(seen.size(), 2u) << name;
    if (const char* dir = std::getenv("DV_SCREENSHOT_DIR"))
        h.savePng(std::string(dir) + "/" + name);
}

void stockRoster(Game& g) {
    auto& items = g.db.itemTable;
    items[1].name = "ロングソード";
    items[2].name = "レザーアーマー";
    items[3].name = "やくそう";
    items[3].kind = 8;
    items[4].altName = "あやしいゆびわ";
    const test::NewCharacter people[] = {
        {"アルテア", kLawful, 1, 1, kMale},
        {"ベルカ", kNeutral, 2, 2, kFemale},
        {"カイ", kChaotic, 8, 16, kMale},
        {"ディアナ", kLawful, 4, 8, kFemale},
        {"エンジュ", kNeutral, 256, 4, kMale},
        {"フィオ", kNeutral, 32, 32, kFemale},
        {"グラム", kChaotic, 2048, 128, kMale, kStatusDead},
    };
    int slot = 1;
    for (const auto& p : people) {
        Character& c = PutCharacter(g, slot, p);
        c.level = 3 + slot;
        c.gold = 120 + 17 * slot;
        c.experience = 1000 * slot;
        c.stepsWalked = 321 * slot;
        c.hitPoints = 9 + slot * 3;
        c.maxHitPoints = 12 + slot * 3;
        ++slot;
    }
    Character& a = g.save.roster[1];
    a.items[1] = {1, 1, 1};
    a.items[2] = {2, 4, 1};
    a.items[3] = {3, 0, 5};
    a.items[4] = {4, kItemUnidentified, 1};
    g.save.roster[2].spellsKnown(0, 1, 1) = 1;
}

TEST(Screenshots, CreationRosterTavernSheet) {
    GameHarness h;
    h.copyPictures();
    h.startToTown();
    stockRoster(h.game());
    test::KeysToTrainingGrounds(h);
    h.script().key('C').text("ゆうしゃ").key(keys::Enter).key(keys::Down).check([&] {
        shoot(h, "screenshot-creation-race.png");
    });
    h.script().key(keys::Up).key(keys::Enter).key(keys::Down);
    h.script().key(keys::Enter).key(keys::Enter);
    // Every point spent, wisdom first: the class list fills.
    h.script().key(keys::Down);
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; i < 10; ++i)
            h.script().key(keys::Right);
        h.script().key(row == 0 ? keys::Up : keys::Down);
    }
    h.script().key(keys::Enter);
    h.script().check([&] { shoot(h, "screenshot-creation.png"); });
    h.script().key(keys::Esc);
    h.script().key('I').check([&] { shoot(h, "screenshot-roster.png"); });
    h.script().key(keys::Enter).check([&] { shoot(h, "screenshot-sheet.png"); });
    h.script().key('R').check([&] { shoot(h, "screenshot-spellbook.png"); });
    h.script().key(keys::Esc).key('L');
    h.script().key('G').key(keys::Enter).check([&] { shoot(h, "screenshot-class-change.png"); });
    h.script().key(keys::Esc);
    h.script().key('L');  // out to the outskirts
    h.script().key('C').key('G').key('A');
    for (int i = 0; i < 4; ++i)
        h.script().key(keys::Enter);
    h.script().key(keys::Esc).check([&] { shoot(h, "screenshot-tavern.png"); });
    h.script().key('R').key(keys::Down).check([&] { shoot(h, "screenshot-member-choice.png"); });
    h.script().key(keys::Esc);
    h.script().check([&] { OpenReorderPanel(h.game()); });
    h.script().key('B').check([&] { shoot(h, "screenshot-reorder.png"); });
    h.script().key(keys::Esc);
    h.script().check([&] { PickPartyMember(h.game(), true, "キャラクターを選んでください"); });
    h.script().check([&] { shoot(h, "screenshot-pick-member.png"); });
    h.script().key(keys::Esc);
    h.run();
    EXPECT_EQ(h.game().place.partyCount, 4);
}

TEST(Screenshots, InnAndTemple) {
    GameHarness h;
    h.copyPictures();
    h.startToTown();
    test::FormParty(h.game(), {{"アルテア", kLawful, 1, 1, kMale},
                               {"ベルカ", kNeutral, 2, 2, kFemale},
                               {"カイ", kChaotic, 8, 16, kMale, kStatusDead},
                               {"ディアナ", kLawful, 4, 8, kFemale, kStatusStone}});
    PutCharacter(h.game(), 6, {"グラム", kChaotic, 2048, 128, kMale, kStatusAshes}).level = 7;
    h.game().save.roster[3].level = 5;
    h.game().save.roster[4].level = 4;
    Character& riser = h.game().save.roster[1];
    riser.experience = 1500;
    riser.skills[104] = 1;  // no attribute dialog, so the keys below are known
    h.script().key('T').key('1').check([&] { shoot(h, "screenshot-inn.png"); });
    h.script().key('1').key(keys::Enter).check([&] { shoot(h, "screenshot-level-up.png"); });
    h.script().key(keys::Enter).key(keys::Esc).key(keys::Esc);
    h.script().key('A').check([&] { shoot(h, "screenshot-temple.png"); });
    h.script().key(keys::Enter).check([&] { shoot(h, "screenshot-temple-payer.png"); });
    h.script().key(keys::Esc).key(keys::Esc);
    h.run();
    EXPECT_EQ(h.game().menuState, 8);
}

}  // namespace
}  // namespace dv

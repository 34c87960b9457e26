// The shop, the sheet with its item panels, the equipment, skill and alchemy windows and
// the chest screen, on the real data files and pictures; saved as PNG files when
// DV_SCREENSHOT_DIR is set, otherwise only checked to paint.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "characters/party.h"
#include "characters/roster_fixture.h"
#include "core/screens.h"
#include "core/window_of.h"
#include "dungeon/chest.h"
#include "dungeon_fixture.h"
#include "items/status_sheet.h"

namespace dv {
namespace {

using test::DungeonFixture;

void shoot(DungeonFixture& f, const char* name) {
    f.h.ui().render();
    std::set<Color> seen(f.h.ui().canvas().pixels().begin(), f.h.ui().canvas().pixels().end());
    EXPECT_GT(seen.size(), 2u) << name;
    if (const char* dir = std::getenv("DV_SCREENSHOT_DIR"))
        f.h.savePng(std::string(dir) + "/" + name);
}

// The built game's data (with the starter save's shop stock) and pictures, and two
// adventurers in town.
class RealGame : public DungeonFixture {
  public:
    RealGame() : DungeonFixture(0) {
        for (const char* file : {"QTR1.DAT", "QTR3.DAT", "QTR4.DAT", "QTR5.DAT", "QTR6.DAT"})
            std::filesystem::copy_file(std::filesystem::path(DV_TEST_GAME_DIR) / file,
                                       h.gameDir() / file,
                                       std::filesystem::copy_options::overwrite_existing);
        h.copyPictures();
        h.startToTown();
        test::FormParty(game(),
                        {{"アルテア", kLawful, 1, 1, kMale}, {"ベルカ", kNeutral, 8, 2, kFemale}});
        Character& a = game().save.roster[1];
        a.gold = 1520;
        a.level = 12;
        a.items[1] = {3, 1, 1};   // 旅人の剣, worn
        a.items[2] = {13, 2, 1};  // 木の盾, worn
        a.items[3] = {15, 0, 1};  // 革の帽子
        a.items[4] = {20, 0, 4};  // 傷薬
        a.items[5] = {95, kItemUnidentified, 1};
        a.items[6] = {85, 0, 2};  // 獣の皮
        a.items[7] = {32, 0, 1};  // 青銅の長剣
        a.skills[60] = -1;
        game().save.roster[2].gold = 310;
    }
};

TEST(EconomyScreens, ShopSheetAndWindows) {
    RealGame f;
    Game& g = f.game();
    ASSERT_GT(g.save.shopStock[3], 0) << "the starter save's stock";
    f.key('M').key('1').key('B').key('W').key('W');
    f.call([&] { shoot(f, "screenshot-shop.png"); });
    f.key(keys::Esc).key(keys::Esc).key(keys::Esc).key('S');
    f.call([&] { shoot(f, "screenshot-shop-sell.png"); });
    f.key(keys::Esc).key('L').key(keys::Esc);
    // The sheet in town: equipment, giving, the skill window.
    f.key('G').key('I').key('1');
    f.key('E').key(keys::Down).call([&] { shoot(f, "screenshot-equip.png"); });
    f.key(keys::Esc).call([&] { shoot(f, "screenshot-skills.png"); });
    f.key(keys::Enter);
    f.key('T').key(keys::Down).call([&] { shoot(f, "screenshot-give-member.png"); });
    f.key(keys::Enter).call([&] { shoot(f, "screenshot-give.png"); });
    f.key(keys::Esc).key('L').key('C');
    f.run();
}

TEST(EconomyScreens, CampSheetPagesAndAlchemy) {
    RealGame f;
    Game& g = f.game();
    g.save.itemFoundCounts[32] = 1;
    g.save.defeatedCounts[3] = 1;
    Character& a = g.save.roster[1];
    a.items[8] = {82, 0, 1};  // the encyclopedia page
    a.skills[49] = -1;
    a.level = 80;
    f.call([&] { OpenSheet(g, 1, kSheetCamp); });
    f.key('U').key(keys::End).key(keys::Enter).call([&] { shoot(f, "screenshot-item-page.png"); });
    f.key(keys::Esc).key('M').call([&] { shoot(f, "screenshot-alchemy.png"); });
    f.key(keys::Esc).key(keys::Space);
    f.call([&] {
        a.items[8] = {81, 0, 1};  // the dictionary page
        WindowOf<StatusSheet>(g).BuildItemList();
    });
    f.key('U').key(keys::End).key(keys::Enter).call([&] {
        shoot(f, "screenshot-monster-page.png");
    });
    f.key(keys::Esc).key('L');
    f.run();
}

TEST(EconomyScreens, TheChestScreen) {
    RealGame f;
    Game& g = f.game();
    f.call([&] {
        g.place.partyId = 1;
        for (int i = 1; i <= g.place.partyCount; ++i)
            f.member(i).partyId = 1;
        f.standAt(1, 0, 6, 1);
        auto& s = g.save.chestSpots;
        s(7, 1) = 21;
        s(7, 2) = 1;
        s(7, 3) = 0;
        s(7, 4) = 6;
        s(7, 5) = 1;
    });
    f.key('F').key(keys::Space).call([&] { shoot(f, "screenshot-chest.png"); });
    f.key('I').key('2').call([&] { shoot(f, "screenshot-chest-inspect.png"); });
    f.h.script().advance(2100);
    f.key('L');
    f.run();
}

}  // namespace
}  // namespace dv

// The first dungeon as built from content/: every floor can be walked from its arrival
// to its stairs, and the pictures of the view for the issue note (DV_SCREENSHOT_DIR).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <queue>
#include <set>

#include "core/data/message.h"
#include "dungeon/map_events.h"
#include "dungeon_fixture.h"

namespace dv {
namespace {

using test::DungeonFixture;

// A party in the game folder the build laid out: the real data files and pictures.
class RealDungeon : public DungeonFixture {
  public:
    RealDungeon() : DungeonFixture(2) {
        for (const char* f : {"QTR3.DAT", "QTR4.DAT", "QTR5.DAT", "QTR6.DAT"})
            std::filesystem::copy_file(std::filesystem::path(DV_TEST_GAME_DIR) / f, h.gameDir() / f,
                                       std::filesystem::copy_options::overwrite_existing);
        h.copyPictures();
        h.startToTown();
        for (int i = 1; i <= 2; ++i)
            addMember(i, "なかま" + std::to_string(i));
    }
};

// Cells reachable on foot from a start on the working floor, through open sides and doors
// (hidden or not); the gates, locks and riddles of the pre-step check are all solvable.
std::set<std::pair<int, int>> reachable(const Game& g, int x0, int y0) {
    std::set<std::pair<int, int>> seen{{x0, y0}};
    std::queue<std::pair<int, int>> todo;
    todo.push({x0, y0});
    static constexpr int dx[] = {0, 1, 0, -1}, dy[] = {-1, 0, 1, 0};
    while (!todo.empty()) {
        auto [x, y] = todo.front();
        todo.pop();
        for (int d = 0; d < 4; ++d) {
            bool wall = g.dungeon.floorWalls(x, y) & SideBit(d);
            bool door = g.dungeon.floorDoors(x, y) & SideBit(d);
            if (wall && !door) continue;
            std::pair<int, int> next{WrapOnce(x + dx[d]), WrapOnce(y + dy[d])};
            if (seen.insert(next).second) todo.push(next);
        }
    }
    return seen;
}

TEST(FirstDungeon, EveryFloorLeadsFromItsArrivalToTheStairsDown) {
    RealDungeon f;
    Game& g = f.game();
    // The lever of floor 3 pulled; the rubble gap of floor 5 wherever it fell.
    g.save.eventFlags[2] = 1;
    int x0 = 0, y0 = 0;
    for (int floor = 1; floor <= 5; ++floor) {
        for (int gap = 1; gap <= (floor == 5 ? 5 : 1); ++gap) {
            SCOPED_TRACE("floor " + std::to_string(floor) + " gap " + std::to_string(gap));
            g.save.eventFlags[5] = gap;
            g.place.currentDungeon = 21;
            g.place.currentFloor = static_cast<std::int16_t>(floor);
            LoadFloor(g);
            ASSERT_FALSE(g.dungeon.floorWalls(x0, y0) == 15 && g.dungeon.floorDoors(x0, y0) == 0);
            auto cells = reachable(g, x0, y0);
            const MapEvent* down = nullptr;
            for (const MapEvent& e : g.dungeon.events)
                if (e.dungeon == 21 && e.floor == floor && e.action == EventAction::Stairs && !e.up)
                    down = &e;
            if (floor == 5) {
                // The last floor's guardian room.
                EXPECT_TRUE(cells.count({3, 16}));
                continue;
            }
            ASSERT_NE(down, nullptr);
            EXPECT_TRUE(cells.count({down->x, down->y}))
                << "stairs at " << down->x << "," << down->y;
            x0 = down->targetX;
            y0 = down->targetY;
        }
    }
}

TEST(FirstDungeon, ScreenshotsOfTheThreeRenderersAndTheDark) {
    const char* dir = std::getenv("DV_SCREENSHOT_DIR");
    RealDungeon f;
    struct Shot {
        int floor, x, y, facing, mode;
        const char* name;
    };
    const Shot shots[] = {
        {1, 0, 6, 1, 0, "dungeon-lines.png"},       {1, 0, 6, 1, 1, "dungeon-pictures.png"},
        {1, 0, 6, 1, 2, "dungeon-polygons.png"},    {2, 5, 11, 1, 0, "dungeon-dark-cell.png"},
        {2, 3, 11, 1, 0, "dungeon-dark-ahead.png"},
    };
    for (const Shot& s : shots) {
        f.call([&, s] {
            f.game().dungeon.drawMode = s.mode;
            f.game().dungeon.textureLoadFailed = s.mode == 2;
            f.game().dungeon.textureFailureShown = true;
            f.standAt(s.floor, s.x, s.y, s.facing);
            std::set<Color> colours(f.main().picMap.surface().pixels().begin(),
                                    f.main().picMap.surface().pixels().end());
            EXPECT_GT(colours.size(), 2u) << s.name;
            if (dir) f.h.savePng(std::string(dir) + "/" + s.name);
        });
    }
    f.run();
}

}  // namespace
}  // namespace dv

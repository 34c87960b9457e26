// The first-person view: the slot geometry, the three renderers drawing the same faces,
// hidden doors, dark cells, and golden pictures of the line drawing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "dungeon/view.h"
#include "dungeon_fixture.h"
#include "ui/png.h"

namespace dv {
namespace {

using test::DungeonFixture;

constexpr int N = 1, E = 2, S = 4, W = 8;

// A floor of the view's own: cells given as (x, y, walls, doors, dark), party at (10, 10)
// facing north unless told.
struct HandMadeFloor {
    struct CellSpec {
        int x, y, walls, doors;
        bool dark;
    };
    std::vector<CellSpec> cells;
};

ViewSlots slotsOf(const HandMadeFloor& floor, int px = 10, int py = 10, int facing = 0) {
    Game g;
    for (const auto& c : floor.cells) {
        g.dungeon.floorWalls(c.x, c.y) = static_cast<std::int16_t>(c.walls);
        g.dungeon.floorDoors(c.x, c.y) = static_cast<std::int16_t>(c.doors);
        if (c.dark) g.db.mazeAttributes.set(21, 1, c.x, c.y, 1);
    }
    g.place.currentDungeon = 21;
    g.place.currentFloor = 1;
    g.place.partyX = px;
    g.place.partyY = py;
    g.place.facing = facing;
    return ComputeSlots(g);
}

// A corridor north with a door at its end, an opening to the east one cell ahead and a
// hidden door on the west.
const HandMadeFloor kCorridor = {{
    {10, 10, E | W, 0, false},
    {10, 9, W, W * 0, false},
    {10, 8, E | W, 0, false},
    {10, 7, N | E | W, N, false},
    {11, 9, N | S, 0, false},
    {9, 10, E, E, false},
}};

// A room: far walls across the whole view, a pillar, a dark cell with walls ahead-left.
const HandMadeFloor kRoom = {{
    {8, 7, N, 0, false},
    {9, 7, N, 0, false},
    {10, 7, N, N, false},
    {11, 7, N, 0, false},
    {12, 7, N, 0, false},
    {11, 9, 15, 0, false},
    {9, 9, N | E | S | W, 0, true},
    {10, 10, 0, 0, false},
}};

std::filesystem::path goldenPath(const std::string& name) {
    return std::filesystem::path(DV_DUNGEON_GOLDEN_DIR) / name;
}

// Compares with the stored picture; DV_UPDATE_GOLDEN=1 writes it instead.
void expectGolden(const Canvas& canvas, const std::string& name) {
    if (std::getenv("DV_UPDATE_GOLDEN")) {
        ASSERT_TRUE(savePng(canvas, goldenPath(name).string()));
        return;
    }
    Canvas golden;
    ASSERT_TRUE(loadPicture(goldenPath(name).string(), golden)) << name;
    ASSERT_EQ(golden.width(), canvas.width());
    ASSERT_EQ(golden.height(), canvas.height());
    int differing = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if ((golden.pixel(x, y) & 0xFFFFFF) != (canvas.pixel(x, y) & 0xFFFFFF)) ++differing;
    EXPECT_EQ(differing, 0) << name;
}

TEST(View, GeometryTablesFollowTheDepthRule) {
    const int half[] = {110, 70, 40, 20, 10};
    for (int slot = 1; slot <= 16; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        const SlotOffset o = SlotOffsets()[static_cast<size_t>(slot)];
        const SlotGeometry& g = SlotGeometries()[static_cast<size_t>(slot)];
        const int nearK = -o.forward, farK = -o.forward + 1;
        const int a = o.lateral;
        EXPECT_EQ(g.nearLeftX, 110 + (2 * a - 1) * half[nearK]);
        EXPECT_EQ(g.farLeftX, 110 + (2 * a - 1) * half[farK]);
        EXPECT_EQ(g.nearRightX, 110 + (2 * a + 1) * half[nearK]);
        EXPECT_EQ(g.farRightX, 110 + (2 * a + 1) * half[farK]);
        EXPECT_EQ(g.farTopY, 110 - half[farK]);
        EXPECT_EQ(g.nearTopY, 110 - half[nearK]);
        EXPECT_EQ(g.farBottomY, 110 + half[farK]);
        EXPECT_EQ(g.nearBottomY, 110 + half[nearK]);
    }
}

TEST(View, SlotsMapToCellsInEveryFacingWithTheWrap) {
    // Facing east at column 19 the slots ahead lie in columns 0, 1 and 2.
    EXPECT_EQ(SlotCell(19, 7, 1, 13).x, 0);
    EXPECT_EQ(SlotCell(19, 7, 1, 8).x, 1);
    EXPECT_EQ(SlotCell(19, 7, 1, 3).x, 2);
    EXPECT_EQ(SlotCell(19, 7, 1, 5).y, 9) << "lateral +2 is south when facing east";
    EXPECT_EQ(SlotCell(19, 7, 1, 15).x, 19);
    struct Case {
        int facing, slot, x, y;
    };
    const Case cases[] = {{0, 12, 10, 9}, {2, 12, 10, 11}, {3, 12, 9, 10},  {0, 1, 8, 7},
                          {2, 1, 12, 13}, {3, 1, 7, 12},   {1, 16, 10, 11}, {0, 0 + 1, 8, 7}};
    for (const Case& c : cases) {
        Cell cell = SlotCell(10, 10, c.facing, c.slot);
        EXPECT_EQ(cell.x, c.x) << c.facing << "/" << c.slot;
        EXPECT_EQ(cell.y, c.y) << c.facing << "/" << c.slot;
    }
    EXPECT_EQ(SlotCell(0, 0, 0, 1).x, 18);
    EXPECT_EQ(SlotCell(0, 0, 0, 1).y, 17);
}

TEST(View, SidesTurnIntoThePartysFrame) {
    // The east side is ahead when facing east, on the left facing south.
    EXPECT_EQ(TurnSides(E, 1), 1);
    EXPECT_EQ(TurnSides(E, 2), 8);
    EXPECT_EQ(TurnSides(E, 3), 4);
    EXPECT_EQ(TurnSides(N | W, 3), 1 | 2);
    EXPECT_EQ(TurnSides(15, 1), 15);
    // Only the four side bits count.
    EXPECT_EQ(TurnSides(0x13, 1), TurnSides(0x3, 1));
    EXPECT_EQ(TurnSides(0x1F, 2), 15);
}

TEST(View, LineDrawingMatchesItsGoldenPictures) {
    struct Case {
        const HandMadeFloor* floor;
        int facing;
        const char* name;
    };
    const Case cases[] = {{&kCorridor, 0, "corridor-north.png"},
                          {&kCorridor, 1, "corridor-east.png"},
                          {&kRoom, 0, "room-north.png"}};
    for (const Case& c : cases) {
        Canvas canvas(640, 480);
        DrawLines(canvas, slotsOf(*c.floor, 10, 10, c.facing));
        expectGolden(canvas, c.name);
    }
}

TEST(View, AFrontWallSitsExactlyOnItsTableCorners) {
    // One wall ahead of the party: slot 12's front face, units (70, 70) to (150, 150).
    Canvas canvas(220, 220);
    DrawLines(canvas, slotsOf({{{10, 9, N, 0, false}}}));
    for (auto [x, y] : {std::pair{70, 70}, {150, 70}, {150, 150}, {70, 150}, {110, 70}})
        EXPECT_EQ(canvas.pixel(x, y) & 0xFFFFFF, colors::white & 0xFFFFFF) << x << "," << y;
    EXPECT_EQ(canvas.pixel(110, 110) & 0xFFFFFF, 0u);
    EXPECT_EQ(canvas.pixel(69, 70) & 0xFFFFFF, 0u);
}

ViewPictures testPictures() {
    // Pieces whose picture and mask halves are plain colours, walls and doors told apart.
    ViewPictures p;
    const int widths[] = {30, 330, 660, 720, 240};
    const int heights[] = {32, 64, 128, 256, 512};
    for (int n = 0; n < 5; ++n) {
        for (int kind = 0; kind < 2; ++kind) {
            Canvas& c = kind == 0 ? p.chip[static_cast<size_t>(n)] : p.door[static_cast<size_t>(n)];
            c.resize(widths[n], heights[n], colors::black);
            c.fillRect({0, 0, widths[n], heights[n] / 2},
                       kind == 0 ? rgb(120, 90, 60) : rgb(40, 160, 40));
        }
    }
    for (Canvas& b : p.back)
        b.resize(640, 300, rgb(20, 20, 60));
    return p;
}

TEST(View, AHiddenDoorLooksLikeAWallInEveryRenderer) {
    const HandMadeFloor wall = {{{10, 9, N | W, 0, false}, {10, 10, E, 0, false}}};
    const HandMadeFloor hidden = {{{10, 9, W, N, false}, {10, 10, 0, E, false}}};
    const HandMadeFloor door = {{{10, 9, N | W, N, false}, {10, 10, E, E, false}}};
    const ViewPictures pictures = testPictures();
    auto render = [&](const HandMadeFloor& f, int mode) {
        Canvas c(640, 480);
        if (mode == 0) DrawLines(c, slotsOf(f));
        if (mode == 1) DrawPictures(c, slotsOf(f), pictures);
        if (mode == 2) DrawPolygons(c, slotsOf(f));
        return c.pixels();
    };
    for (int mode = 0; mode < 3; ++mode) {
        SCOPED_TRACE("renderer " + std::to_string(mode));
        EXPECT_EQ(render(hidden, mode), render(wall, mode));
        EXPECT_NE(render(door, mode), render(wall, mode));
    }
}

TEST(View, ADarkSlotHidesWhatIsBehindItWithoutAnOutline) {
    // A wall two cells ahead seen through a dark cell that has its own front wall.
    const HandMadeFloor seen = {{{10, 8, N, 0, false}}};
    const HandMadeFloor hidden = {{{10, 8, N, 0, false}, {10, 9, N, 0, true}}};
    for (int mode = 0; mode < 2; ++mode) {
        Canvas c(640, 480), empty(640, 480);
        if (mode == 0) {
            DrawLines(c, slotsOf(hidden));
            DrawLines(empty, slotsOf({}));
        } else {
            DrawPolygons(c, slotsOf(hidden));
            DrawPolygons(empty, slotsOf({}));
        }
        EXPECT_EQ(c.pixels(), empty.pixels()) << "renderer " << mode;
    }
    Canvas visible(640, 480), empty(640, 480);
    DrawLines(visible, slotsOf(seen));
    DrawLines(empty, slotsOf({}));
    EXPECT_NE(visible.pixels(), empty.pixels());
    // Pictures skip the dark slot's pieces: the background shows through.
    const ViewPictures pictures = testPictures();
    Canvas pic(640, 436), back(640, 436);
    DrawPictures(pic, slotsOf({{{10, 9, N, 0, true}}}), pictures);
    DrawPictures(back, slotsOf({}), pictures);
    EXPECT_EQ(pic.pixels(), back.pixels());
}

TEST(View, ThePictureViewStretchesOverTheWholeMap) {
    Canvas picture(640, 436);
    for (int y = 0; y < 436; ++y)
        for (int x = 0; x < 640; ++x)
            picture.setPixel(x, y, rgb(x % 251, y % 239, (x * y) % 255));
    Canvas fast(640, 480), plain(640, 480);
    StretchView(fast, picture);
    plain.stretchBlit(picture, {0, 0, 480, 240}, {0, 0, 640, 480});
    EXPECT_EQ(fast.pixels(), plain.pixels());
}

TEST(View, StandingInTheDarkShowsOnlyTheDarkness) {
    DungeonFixture f;
    f.dark(1, 5, 5);
    f.walls(1, 5, 4, N | E | W, N);
    f.call([&] {
        f.main().fraParty.setVisible(false);  // no text lines: only the darkness and moons
        f.standAt(1, 5, 5, 0);
        Canvas withWalls = f.main().picMap.surface();
        f.walls(1, 5, 4, 0, 0);
        LoadFloor(f.game());
        Redraw(f.game());
        EXPECT_EQ(f.main().picMap.surface().pixels(), withWalls.pixels());
        Canvas dark(640, 480);
        DrawDarkness(dark);
        // Inside the moons' corners the view is exactly the darkness picture.
        for (int y = 40; y < 480; y += 7)
            for (int x = 0; x < 640; x += 5)
                ASSERT_EQ(withWalls.pixel(x, y), dark.pixel(x, y)) << x << "," << y;
        int white = 0;
        for (uint32_t px : dark.pixels())
            white += (px & 0xFFFFFF) == 0xFFFFFF;
        EXPECT_GT(white, 50) << "≪まっくらやみだ≫ is printed";
    });
    f.run();
}

TEST(View, TheOverlayFollowsThePanelEffectsAndCompass) {
    DungeonFixture f;
    f.call([&] {
        f.game().place.partyEffects = 256 | 1;
        f.standAt(1, 5, 5, 1);
        Canvas shown = f.main().picMap.surface();
        f.main().fraParty.setVisible(false);
        Redraw(f.game());
        Canvas hidden = f.main().picMap.surface();
        EXPECT_NE(shown.pixels(), hidden.pixels()) << "text lines only with the panel";
        // The skill of the compass turns its effect on when the view is drawn.
        f.game().place.partyEffects = 0;
        f.member(1).skills[92] = 1;
        f.main().fraParty.setVisible(true);
        Redraw(f.game());
        EXPECT_TRUE(f.game().place.partyEffects & 256);
    });
    f.run();
}

TEST(View, AFailedPictureLoadFallsBackToShadedPolygons) {
    DungeonFixture f;  // the test game folder has no pictures
    f.call([&] {
        LoadPictures(f.game());
        EXPECT_TRUE(f.game().dungeon.textureLoadFailed) << "recorded whatever the setting";
        // The player switches to pictures: the first redraw tells why there are none.
        f.game().options.drawMode = 1;
        f.walls(1, 5, 4, N);
        f.main().fraParty.setVisible(false);
        f.standAt(1, 5, 5, 0);
        Canvas polygons(640, 480);
        DrawPolygons(polygons, ComputeSlots(f.game()));
        const Canvas& view = f.main().picMap.surface();
        EXPECT_EQ(view.pixel(320, 240), polygons.pixel(320, 240));
        EXPECT_EQ(view.pixel(320, 240) & 0xFFFFFF, rgb(85, 85, 85));
        Redraw(f.game());  // told once only
    });
    f.expectText("ダンジョン画像ファイルの読み込みでエラーがでました").key(keys::Space);
    f.run();
}

}  // namespace
}  // namespace dv

#include <gtest/gtest.h>

#include <random>

#include "content/content_error.h"
#include "content/maze_text.h"

namespace dv {
namespace {

// Cuts the picture out of a written floor: its 41 lines, without comments and row notes.
std::vector<std::string> pictureLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line[0] == ';') continue;
        lines.push_back(line.substr(0, 41));
    }
    return lines;
}

TEST(MazeText, DrawsEverySideKindAndReadsItBack) {
    FloorGrid f = FloorGrid::solidRock();
    // A corridor (0,0)-(2,0): an open pass, then a one-way pass eastward into (2,0), whose
    // east side is open towards the rock of (3,0), which has its own wall.
    f.walls[0][0] = 1 | 4 | 8;
    f.walls[1][0] = 1 | 4;
    f.walls[2][0] = 1 | 4 | 8;
    // Row below: a visible door and a hidden door between (0,1), (1,1), (2,1).
    f.walls[0][1] = 15;
    f.doors[0][1] = 2;
    f.walls[1][1] = 15;
    f.doors[1][1] = 8 | 2;
    f.walls[1][1] &= ~2;  // hidden on (1,1)'s east side: door bit only
    f.walls[2][1] = 15 & ~8;
    f.doors[2][1] = 8;
    f.attributes[0][1] = 1;
    f.attributes[1][1] = 2;
    f.attributes[2][1] = 3;

    const std::string text = writeFloorText(f, "test");
    const auto lines = pictureLines(text);
    ASSERT_GE(lines.size(), 41u);
    EXPECT_EQ(lines[1].substr(0, 7), "|. .>.>");  // (0,0) open to (1,0), one-way into (2,0)
    EXPECT_EQ(lines[3].substr(0, 7), "|%D!H&|");  // door, hidden door, dark / no-teleport marks
    EXPECT_EQ(parseFloorText(text, "t.txt"), f);
}

TEST(MazeText, RandomFloorsRoundTripIncludingValuesThePictureCannotShow) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        FloorGrid f;
        for (int x = 0; x < 20; ++x)
            for (int y = 0; y < 20; ++y) {
                const bool odd = rng() % 50 == 0;
                f.walls[x][y] = static_cast<int16_t>(odd ? rng() : rng() % 16);
                f.doors[x][y] = static_cast<int16_t>(odd ? rng() : rng() % 16);
                f.attributes[x][y] = static_cast<int16_t>(odd ? rng() : rng() % 4);
            }
        EXPECT_EQ(parseFloorText(writeFloorText(f, "random"), "r.txt"), f) << "round " << round;
    }
}

TEST(MazeText, FaultsNameTheLine) {
    FloorGrid f = FloorGrid::solidRock();
    std::string text = writeFloorText(f, "rock");
    // Line 4 of the file (two comment lines, the top border) is the first row of cells.
    const size_t lineStart = text.find('\n', text.find('\n', text.find('\n') + 1) + 1) + 1;
    text[lineStart + 2] = 'Q';
    try {
        parseFloorText(text, "d21f2.txt");
        FAIL() << "an unknown mark was accepted";
    } catch (const ContentError& e) {
        EXPECT_EQ(e.file(), "d21f2.txt");
        EXPECT_EQ(e.line(), 4);
    }
    EXPECT_THROW(parseFloorText("; only a comment\n", "short.txt"), ContentError);
    // A cell marked as rock must be walled in.
    FloorGrid open = FloorGrid::solidRock();
    open.walls[3][3] = 0;
    std::string drawn = writeFloorText(open, "x");
    EXPECT_EQ(parseFloorText(drawn, "ok.txt"), open);
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

// Damaged pictures are refused with a located message, never read past their lines.
TEST(MazeText, DamagedPicturesAreRefusedCleanly) {
    std::mt19937 rng(11);
    const std::string good = writeFloorText(FloorGrid::solidRock(), "rock");
    const char alphabet[] = " .#%!&|-+DHv^<>?abqz;\n\r\t0123456789raw";
    for (int round = 0; round < 300; ++round) {
        std::string text = good;
        const int edits = 1 + static_cast<int>(rng() % 40);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = rng() % text.size();
            switch (rng() % 3) {
                case 0:
                    text[at] = alphabet[rng() % (sizeof alphabet - 1)];
                    break;
                case 1:
                    text.erase(at, rng() % 50);
                    break;
                default:
                    text.insert(at, std::string(1 + rng() % 5, alphabet[rng() % 10]));
                    break;
            }
            if (text.empty()) text = "\n";
        }
        try {
            parseFloorText(text, "damaged.txt");
        } catch (const ContentError& e) {
            EXPECT_EQ(e.file(), "damaged.txt");
        }
    }
}

}  // namespace
}  // namespace dv

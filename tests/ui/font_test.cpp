// The fixed-pitch Japanese face: where it comes from, its cells, and its sharpness.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/utf8.h"

namespace dv {
namespace {

TEST(Font, TheScreensFaceResolvesToTheJapaneseGothic) {
    std::string file =
        std::filesystem::canonical(Font::resolvedFile(Font::kDefaultFace)).filename().string();
    EXPECT_EQ(file, "ipag.ttf") << "not the fixed-pitch Gothic face";
}

TEST(Font, FullWidthCharacterIsExactlyTwoHalfWidthCells) {
    auto font = Font::standard(12);
    EXPECT_EQ(font->textWidth("A"), 6);
    EXPECT_EQ(font->textWidth("ｱ"), 6);  // half-width kana
    EXPECT_EQ(font->textWidth("あ"), 12);
    EXPECT_EQ(font->textWidth("Ａ１"), 24);
    EXPECT_EQ(font->textWidth("LV   ５"), 5 * 6 + 12);
    EXPECT_EQ(cellsOf(std::string("▲×")), 4);
}

TEST(Font, GlyphsAreDrawnWithoutBlur) {
    auto font = Font::standard(16);
    Canvas c(64, 20, colors::black);
    font->draw(c, 0, 0, "帝都Ａg", rgb(200, 100, 50));
    std::set<Color> seen(c.pixels().begin(), c.pixels().end());
    EXPECT_EQ(seen, (std::set<Color>{colors::black, rgb(200, 100, 50)}));
}

TEST(Font, SidewaysFaceTurnsGlyphsAQuarter) {
    auto upright = Font::get(Font::kDefaultFace, 16);
    auto sideways = Font::get(std::string("@") + Font::kDefaultFace, 16);
    ASSERT_TRUE(sideways->vertical());
    Canvas a(16, 16), b(16, 16);
    upright->draw(a, 0, 0, "▲", colors::white);
    sideways->draw(b, 0, 0, "▲", colors::white);
    // The upright triangle is widest at its bottom row; turned clockwise it is tallest at
    // its left column.
    auto rowInk = [](const Canvas& c, int y) {
        int n = 0;
        for (int x = 0; x < c.width(); ++x)
            n += c.pixel(x, y) != colors::black;
        return n;
    };
    auto colInk = [](const Canvas& c, int x) {
        int n = 0;
        for (int y = 0; y < c.height(); ++y)
            n += c.pixel(x, y) != colors::black;
        return n;
    };
    int widestRow = 0, tallestCol = 0;
    for (int i = 0; i < 16; ++i) {
        widestRow = std::max(widestRow, rowInk(a, i));
        tallestCol = std::max(tallestCol, colInk(b, i));
    }
    EXPECT_GT(widestRow, 8);
    EXPECT_GT(tallestCol, 8);
    EXPECT_NE(a.pixels(), b.pixels());
}

}  // namespace
}  // namespace dv

#include "ui/panel_ex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/keys.h"
#include "ui/label.h"
#include "ui/png.h"
#include "ui/script_backend.h"
#include "ui/window_system.h"

namespace dv {
namespace {

constexpr Color kBehind = rgb(0, 100, 0);
constexpr Color kPanelBack = rgb(10, 20, 30);
constexpr Color kCaption = rgb(255, 255, 0);
constexpr Color kBorder = rgb(250, 120, 0);

PictureRef piece(int w, int h, Color c) {
    return std::make_shared<Canvas>(w, h, c);
}

class PanelExTest : public ::testing::Test {
  protected:
    ScriptBackend backend;
    Ui ui{backend};
    Form form{ui, "frmTest"};
    PanelEx panel{"fra"};

    static constexpr int kX = 40, kY = 50, kW = 160, kH = 90;

    void SetUp() override {
        form.backColor = kBehind;
        form.add(panel);
        panel.move(kX, kY, kW, kH);
        panel.backColor = kPanelBack;
        panel.captionColor = kCaption;
        panel.borderColor = kBorder;
        form.show();
    }
    Color at(int x, int y) { return ui.canvas().pixel(kX + x, kY + y); }
    // The points of one colour inside the panel.
    std::vector<std::pair<int, int>> pointsOf(Color c) {
        std::vector<std::pair<int, int>> pts;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                if (at(x, y) == c) pts.emplace_back(x, y);
        return pts;
    }
    // Where the panel's caption font puts a text drawn at (x, y) on an empty surface.
    std::vector<std::pair<int, int>> textAt(const std::string& text, int x, int y) {
        Canvas ref(kW, kH, colors::black);
        panel.captionFont->draw(ref, x, y, text, kCaption);
        std::vector<std::pair<int, int>> pts;
        for (int py = 0; py < kH; ++py)
            for (int px = 0; px < kW; ++px)
                if (ref.pixel(px, py) == kCaption) pts.emplace_back(px, py);
        return pts;
    }
    void snapshot(const std::string& name) {
        const char* dir = std::getenv("DV_UI_SNAPSHOTS");
        if (!dir) return;
        Rect around{kX - 10, kY - 10, kW + 20, kH + 20};
        Canvas big(around.w * 3, around.h * 3);
        big.stretchBlit(ui.canvas(), around, {0, 0, big.width(), big.height()});
        savePng(big, std::string(dir) + "/" + name + ".png");
    }
};

TEST_F(PanelExTest, AFrameOfCornersOnlyDrawsNoEdgesAndShrinksTheInside) {
    const Color corner = rgb(255, 0, 255);
    panel.frame.topLeft = piece(6, 4, corner);
    panel.frame.topRight = piece(5, 4, corner);
    panel.frame.bottomLeft = piece(6, 3, corner);
    panel.frame.bottomRight = piece(7, 5, corner);
    panel.borderStyle = 2;
    ui.render();
    EXPECT_EQ(panel.innerRect(), (Rect{7 - 1, 4, kW - 6 - 7, kH - 4 - 5}));
    EXPECT_EQ(at(0, 0), corner);
    EXPECT_EQ(at(kW - 1, 0), corner);
    EXPECT_EQ(at(0, kH - 1), corner);
    EXPECT_EQ(at(kW - 1, kH - 1), corner);
    EXPECT_EQ(at(kW / 2, 0), kPanelBack);
    EXPECT_EQ(at(0, kH / 2), kPanelBack);
    EXPECT_EQ(pointsOf(corner).size(), size_t{6 * 4 + 5 * 4 + 6 * 3 + 7 * 5});
}

TEST_F(PanelExTest, EdgesRepeatAlongTheirSidesUnderTheCorners) {
    const Color corner = rgb(255, 0, 255), edge = rgb(120, 0, 120);
    panel.frame.topLeft = piece(8, 8, corner);
    panel.frame.topCenter = piece(7, 5, edge);
    panel.frame.middleRight = piece(4, 6, edge);
    panel.frame.bottomCenter = piece(9, 2, edge);
    panel.borderStyle = 2;
    ui.render();
    snapshot("panel_frame");
    EXPECT_EQ(at(kW - 1, 2), edge);   // the top edge runs to the end
    EXPECT_EQ(at(kW - 1, 60), edge);  // the right edge runs down, flush right
    EXPECT_EQ(at(kW - 4, 60), edge);
    EXPECT_EQ(at(kW - 5, 60), kPanelBack);
    EXPECT_EQ(at(50, kH - 1), edge);  // the bottom edge flush with the bottom
    EXPECT_EQ(at(50, kH - 3), kPanelBack);
    EXPECT_EQ(at(6, 6), corner);  // the corner over the edge
    EXPECT_EQ(panel.innerRect(), (Rect{8, 8, kW - 8 - 4, kH - 8 - 2}));
}

TEST_F(PanelExTest, StretchingWinsOverTiling) {
    auto pic = std::make_shared<Canvas>(2, 1);
    pic->setPixel(0, 0, rgb(255, 0, 0));
    pic->setPixel(1, 0, rgb(0, 0, 255));
    panel.picture = pic;
    panel.backStyle = 7;
    ASSERT_TRUE(panel.tile);  // panels tile unless told otherwise
    ui.render();
    EXPECT_EQ(at(40, 30), rgb(255, 0, 0));
    EXPECT_EQ(at(41, 30), rgb(0, 0, 255));
    panel.stertch = true;
    ui.render();
    EXPECT_EQ(at(40, 30), rgb(255, 0, 0));
    EXPECT_EQ(at(41, 30), rgb(255, 0, 0));
    EXPECT_EQ(at(kW - 41, 30), rgb(0, 0, 255));
}

TEST_F(PanelExTest, TheCaptionStartsAtTheMarginJustInsideTheBorder) {
    struct Case {
        int borderStyle;
        int borderWidth;
        int indent;
        int x;
        int y;
        int ruleY;
    };
    // Without a picture frame: at the indent, one pixel below the border width. With
    // one: inside the left and top pieces, and the rule runs along the inner top.
    const Case cases[] = {
        {0, 1, 0, 0, 2, 0}, {0, 3, 7, 7, 4, 0}, {1, 2, 5, 5, 3, 0}, {2, 1, 9, 6, 1 + 5 + 1, 5}};
    panel.frame.topLeft = piece(6, 5, rgb(1, 1, 1));
    panel.caption = "アイテムを渡す";
    for (const auto& c : cases) {
        panel.borderStyle = c.borderStyle;
        panel.borderWidth = c.borderWidth;
        panel.indent = c.indent;
        ui.render();
        EXPECT_EQ(pointsOf(kCaption), textAt(panel.caption, c.x, c.y))
            << "border style " << c.borderStyle << " width " << c.borderWidth;
        // The rule from the margin to the end of the inner width (cut at the panel's edge).
        SkinLayout l = panel.layout();
        EXPECT_EQ(at(l.leftMargin, c.ruleY), kBorder);
        EXPECT_EQ(at(std::min(kW - 1, l.leftMargin + l.innerWidth - 1), c.ruleY), kBorder);
        if (c.borderStyle == 0 && l.leftMargin > 0) {
            EXPECT_NE(at(l.leftMargin - 1, c.ruleY), kBorder);
        }
    }
    snapshot("panel_caption");
}

TEST_F(PanelExTest, AlignedCaptionAndMessage) {
    panel.caption = "見出し";
    panel.captionAlignment = Align::Right;
    ui.render();
    int w = panel.captionFont->textWidth(panel.caption);
    EXPECT_EQ(pointsOf(kCaption), textAt(panel.caption, kW - w, 2));

    // A message goes under the caption line, a line at a time.
    const Color msg = rgb(0, 255, 255);
    panel.captionAlignment = Align::Left;
    panel.message = "一行目\n二行目";
    panel.messageColor = msg;
    ui.render();
    snapshot("panel_message");
    const int lineTop = 2 + panel.captionFont->height() + 2;
    const int lineHeight = panel.messageFont->height() + 2;
    auto pts = pointsOf(msg);
    ASSERT_FALSE(pts.empty());
    int top = kH, bottom = 0;
    for (auto [x, y] : pts) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    EXPECT_GE(top, lineTop);
    EXPECT_GE(bottom, lineTop + lineHeight);
    EXPECT_LT(bottom, lineTop + 2 * lineHeight);
    EXPECT_EQ(panel.texts(), (std::vector<std::string>{"見出し", "一行目\n二行目"}));
}

TEST_F(PanelExTest, ChildrenAreDrawnOverTheShadedCopyOfWhatLiesBehind) {
    Label child("lbl");
    child.transparent = false;
    child.backColor = rgb(200, 0, 0);
    child.move(10, 10, 30, 20);
    panel.add(child);
    int previous = kW * kH;
    for (int style : {6, 1, 2, 3, 4, 5}) {
        panel.backStyle = style;
        ui.render();
        EXPECT_EQ(at(15, 15), rgb(200, 0, 0));
        int kept = static_cast<int>(pointsOf(kBehind).size());
        int cleared = static_cast<int>(pointsOf(colors::black).size());
        EXPECT_EQ(kept + cleared + 30 * 20, kW * kH) << "style " << style;
        EXPECT_LT(kept, previous) << "style " << style;
        previous = kept;
    }
    snapshot("panel_shaded");
    panel.remove(child);
}

TEST_F(PanelExTest, AFocusablePanelTakesKeysAndClicks) {
    panel.setFocusable(true);
    std::vector<int> keysSeen;
    int clicks = 0;
    panel.onKeyDown = [&](int& code, int) { keysSeen.push_back(code); };
    panel.onClick = [&] { ++clicks; };
    ASSERT_TRUE(panel.setFocus());
    backend.key('3').click(kX + 5, kY + 5);
    ui.runUntil([&] { return backend.exhausted(); });
    EXPECT_EQ(keysSeen, std::vector<int>{'3'});
    EXPECT_EQ(clicks, 1);
}

TEST_F(PanelExTest, ScaleConversionsBetweenModes) {
    using P = PanelEx;
    struct Case {
        double value;
        int from, to;
        double expected;
        bool vertical;
    };
    // The panel is 160 by 90 pixels; its own scale is 320 by 45 units.
    panel.setScale(10, 20, 330, 65);
    EXPECT_EQ(panel.scaleMode, P::kUser);
    EXPECT_DOUBLE_EQ(panel.scaleLeft, 10);
    EXPECT_DOUBLE_EQ(panel.scaleTop, 20);
    const Case cases[] = {
        {15, P::kTwips, P::kPixels, 1, false},   {1, P::kInches, P::kPixels, 96, false},
        {72, P::kPoints, P::kInches, 1, true},   {2.54, P::kCentimetres, P::kInches, 1, false},
        {320, P::kUser, P::kPixels, 160, false}, {90, P::kPixels, P::kUser, 45, true},
        {1440, P::kTwips, P::kUser, 192, false}, {25.4, P::kMillimetres, P::kPixels, 96, true},
        {5, 42, P::kPixels, 5, false},
    };
    for (const Case& c : cases) {
        double got =
            c.vertical ? panel.scaleY(c.value, c.from, c.to) : panel.scaleX(c.value, c.from, c.to);
        EXPECT_NEAR(got, c.expected, 1e-9) << c.value << " " << c.from << " -> " << c.to;
    }
    // A user scale of no width has no pixels to convert to.
    panel.setScale(0, 0, 0, 10);
    EXPECT_EQ(panel.scaleX(5, P::kPixels, P::kUser), 0);
}

TEST_F(PanelExTest, HostDrawingGoesOverThePanelInsideItsFrame) {
    const Color corner = rgb(255, 0, 255), ink = rgb(1, 2, 3);
    panel.frame.topLeft = piece(6, 4, corner);
    panel.frame.bottomRight = piece(5, 7, corner);
    panel.borderStyle = 2;
    Rect seen;
    panel.onPaint = [&](Canvas& c, const Rect& inner) {
        seen = inner;
        c.fillRect({inner.x, inner.y, 3, 3}, ink);
    };
    ui.render();
    EXPECT_EQ(seen, (Rect{6, 4, kW - 6 - 5, kH - 4 - 7}));
    EXPECT_EQ(pointsOf(ink).size(), 9u);
    EXPECT_EQ(at(6, 4), ink);
    EXPECT_EQ(at(0, 0), corner) << "the frame is still there";
}

}  // namespace
}  // namespace dv

#include "ui/list_ex.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/keys.h"
#include "ui/picture_box.h"
#include "ui/png.h"
#include "ui/script_backend.h"
#include "ui/window_system.h"

namespace dv {
namespace {

constexpr Color kFore = rgb(230, 230, 0);
constexpr Color kBack = rgb(10, 20, 30);
constexpr Color kSelBack = rgb(40, 90, 200);
constexpr Color kSelFore = rgb(255, 255, 255);
constexpr Color kSelBorder = rgb(250, 120, 0);

// A list on a shown form, with every event it raises written down in order.
class ListExTest : public ::testing::Test {
  protected:
    ScriptBackend backend;
    Ui ui{backend};
    Form form{ui, "frmTest"};
    ListEx list{"lst"};
    PictureBox other{"pic"};  // somewhere else to put the focus
    std::vector<std::string> events;

    static constexpr int kX = 20, kY = 30, kW = 200;
    // Twelve-pixel rows under a two-pixel list top: four rows.
    static constexpr int kFourRows = 2 + 4 * 12;

    void SetUp() override {
        form.backColor = rgb(0, 100, 0);
        form.add(list);
        form.add(other);
        list.move(kX, kY, kW, kFourRows);
        other.move(400, 400, 10, 10);
        list.foreColor = kFore;
        list.backColor = kBack;
        list.selectBackColor = kSelBack;
        list.selectForeColor = kSelFore;
        list.selectBorderColor = kSelBorder;
        list.onClick = [this] { events.push_back("Click"); };
        list.onEnter = [this] { events.push_back("Enter"); };
        list.onDblClick = [this] { events.push_back("DblClick"); };
        form.show();
        list.setFocus();
    }

    void fill(int count) {
        list.setRedraw(false);
        list.clear();
        for (int i = 0; i < count; ++i)
            list.addItem("item" + std::to_string(i));
        list.setRedraw(true);
    }
    void run() {
        ui.runUntil([this] { return backend.exhausted(); });
    }
    void press(int key) {
        backend.key(key);
        run();
    }
    // Paints the screen and reads a pixel in the list's own coordinates.
    Color at(int x, int y) { return ui.canvas().pixel(kX + x, kY + y); }
    int countColor(int x1, int y1, int x2, int y2, Color c) {
        int n = 0;
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x)
                n += at(x, y) == c ? 1 : 0;
        return n;
    }
    // Set DV_UI_SNAPSHOTS to a folder to look at what the tests painted.
    // The list and a little around it, three times enlarged.
    void snapshot(const std::string& name) {
        const char* dir = std::getenv("DV_UI_SNAPSHOTS");
        if (!dir) return;
        Rect around{kX - 10, kY - 10, list.width() + 20, list.height() + 20};
        Canvas big(around.w * 3, around.h * 3);
        big.stretchBlit(ui.canvas(), around, {0, 0, big.width(), big.height()});
        savePng(big, std::string(dir) + "/" + name + ".png");
    }
};

// ---- Keys ---------------------------------------------------------------------------

struct KeyCase {
    const char* what;
    int count;
    int start;
    bool loop;
    int key;
    int expected;
};

class ListExKeys : public ListExTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ListExKeys, MovesTheSelectionAndAlwaysReportsIt) {
    const KeyCase& c = GetParam();
    fill(c.count);
    list.cursorLoop = c.loop;
    list.setListIndex(c.start);
    events.clear();
    press(c.key);
    EXPECT_EQ(list.listIndex(), c.expected) << c.what;
    // One Click for the key, even when nothing moved; never Enter.
    EXPECT_EQ(events, std::vector<std::string>{"Click"}) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ListExKeys,
    ::testing::Values(KeyCase{"up at the top stays", 5, 0, false, keys::Up, 0},
                      KeyCase{"up at the top wraps", 5, 0, true, keys::Up, 4},
                      KeyCase{"up", 5, 3, false, keys::Up, 2},
                      KeyCase{"down at the end stays", 5, 4, false, keys::Down, 4},
                      KeyCase{"down at the end wraps", 5, 4, true, keys::Down, 0},
                      KeyCase{"down from no selection", 5, -1, false, keys::Down, 0},
                      KeyCase{"down on an empty list", 0, -1, true, keys::Down, -1},
                      KeyCase{"home", 5, 3, false, keys::Home, 0},
                      KeyCase{"end", 5, 1, false, keys::End, 4},
                      KeyCase{"page up by a page less one", 10, 7, false, keys::PageUp, 4},
                      KeyCase{"page up stops at the top", 10, 2, false, keys::PageUp, 0},
                      KeyCase{"page up at the top wraps", 10, 0, true, keys::PageUp, 9},
                      KeyCase{"page down by a page less one", 10, 0, false, keys::PageDown, 3},
                      KeyCase{"page down stops at the end", 10, 8, false, keys::PageDown, 9},
                      KeyCase{"page down at the end wraps", 10, 9, true, keys::PageDown, 0},
                      KeyCase{"page down at the end stays", 10, 9, false, keys::PageDown, 9},
                      KeyCase{"other keys change nothing", 5, 2, false, keys::Left, 2}));

TEST_F(ListExTest, AccessKeysPickTheFirstItemWithThatCharacter) {
    list.addItems(0, {"A)あ", "F)一つ目", "Ｆ）全角", "F)二つ目", "1)数字", "f)小文字"});
    list.setListIndex(3);  // next to the second F
    events.clear();
    press('F');
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_EQ(events, std::vector<std::string>{"Click"});

    press('1');
    EXPECT_EQ(list.listIndex(), 4);

    // No item starts with Z; a full-width first character never matches.
    list.setListIndex(2);
    press('Z');
    EXPECT_EQ(list.listIndex(), 2);

    list.accessKeyEnter = true;
    events.clear();
    press('A');
    EXPECT_EQ(list.listIndex(), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"Enter", "Click"}));
    events.clear();
    press('Q');  // no match: no Enter
    EXPECT_EQ(events, std::vector<std::string>{"Click"});

    list.accessKeyOn = false;
    press('F');
    EXPECT_EQ(list.listIndex(), 0);
}

TEST_F(ListExTest, EnterRaisesEnterAndClickOnlyWithEnterOn) {
    fill(3);
    list.setListIndex(1);
    events.clear();
    press(keys::Enter);
    EXPECT_EQ(events, std::vector<std::string>{"Enter"});
    EXPECT_EQ(list.listIndex(), 1);
    list.enterOn = true;
    events.clear();
    press(keys::Enter);
    EXPECT_EQ(events, (std::vector<std::string>{"Enter", "Click"}));
}

TEST_F(ListExTest, TheScreenSeesKeysFirstAndCanStopThem) {
    fill(3);
    list.setListIndex(0);
    std::vector<int> seen;
    list.onKeyDown = [&](int& code, int) {
        seen.push_back(code);
        if (code == keys::Down) code = 0;
    };
    events.clear();
    press(keys::Down);
    EXPECT_EQ(seen, std::vector<int>{keys::Down});
    EXPECT_EQ(list.listIndex(), 0);
    EXPECT_TRUE(events.empty());
}

TEST_F(ListExTest, ADisabledListTakesNoKeysButStillPaints) {
    fill(3);
    list.setListIndex(1);
    list.setEnabled(false);
    events.clear();
    press(keys::Down);
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_TRUE(events.empty());
    ui.render();
    EXPECT_GT(countColor(0, 14, kW - 1, 25, kSelBack), 100);
}

// ---- Items --------------------------------------------------------------------------

struct AddCase {
    int index;
    std::vector<std::string> expected;
    int newIndex;
};

TEST_F(ListExTest, AddItemCountsItsInsertPositionFromOne) {
    const AddCase cases[] = {
        {1, {"x", "a", "b", "c"}, 0}, {2, {"a", "x", "b", "c"}, 1},  {3, {"a", "b", "c", "x"}, 3},
        {0, {"a", "b", "c", "x"}, 3}, {-4, {"a", "b", "c", "x"}, 3}, {99, {"a", "b", "c", "x"}, 3},
    };
    for (const auto& c : cases) {
        list.clear();
        list.addItems(0, {"a", "b", "c"});
        list.setItemData(0, 7);
        list.addItem("x", c.index);
        EXPECT_EQ(list.texts(), c.expected) << "index " << c.index;
        EXPECT_EQ(list.newIndex(), c.newIndex) << "index " << c.index;
        EXPECT_EQ(list.itemData(c.newIndex), 0) << "index " << c.index;
        EXPECT_EQ(list.listCount(), 4);
    }
    // Each text goes in with the same rule, so adding at 1 stacks them on top.
    list.clear();
    list.addItems(0, {"a", "b", "c"});
    list.addItems(1, {"x", "y"});
    EXPECT_EQ(list.texts(), (std::vector<std::string>{"y", "x", "a", "b", "c"}));
}

TEST_F(ListExTest, RemovingTheLastPositionWhileItIsSelectedClearsTheSelection) {
    struct Case {
        int selected;
        int removed;
        int expected;
    };
    const Case cases[] = {
        {2, 2, -1},  // the selected last item
        {2, 0, -1},  // the selection stood on the last position
        {1, 0, 1},   // otherwise the number stays (it now names the next item)
        {1, 3, 1},   // outside the list: nothing happens
        {1, -1, 1},
    };
    for (const auto& c : cases) {
        list.clear();
        list.addItems(0, {"a", "b", "c"});
        list.setListIndex(c.selected);
        list.removeItem(c.removed);
        EXPECT_EQ(list.listIndex(), c.expected) << c.selected << " " << c.removed;
        int expectedCount = c.removed >= 0 && c.removed < 3 ? 2 : 3;
        EXPECT_EQ(list.listCount(), expectedCount);
    }
    list.clear();
    EXPECT_EQ(list.listCount(), 0);
    EXPECT_EQ(list.listIndex(), -1);
}

TEST_F(ListExTest, SelectionAssignmentsAreKeptInsideTheList) {
    fill(3);
    events.clear();
    list.setListIndex(1);
    list.setListIndex(1);  // the same value still reports
    EXPECT_EQ(events, (std::vector<std::string>{"Click", "Click"}));
    list.setListIndex(3);  // past the end: ignored
    EXPECT_EQ(list.listIndex(), 1);
    list.setListIndex(-5);
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(list.text(), "");
    EXPECT_EQ(list.list(-5), "");
    EXPECT_EQ(list.list(3), "");
    EXPECT_EQ(list.itemData(-1), 0);
    EXPECT_EQ(list.itemData(3), 0);
    ui.render();  // painting with no selection works
    EXPECT_EQ(countColor(0, 0, kW - 1, kFourRows - 1, kSelBack), 0);
}

TEST_F(ListExTest, TextFollowsTheSelection) {
    EXPECT_EQ(list.text(), "0");  // a new list
    list.addItems(0, {"a", "b", "c"});
    list.setText("b");
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_EQ(list.text(), "b");
    events.clear();
    press(keys::Down);
    EXPECT_EQ(list.text(), "c");
    list.setList(2, "cc");
    EXPECT_EQ(list.text(), "cc");
    list.setText("zz");  // no such item: the selection and its text stay
    EXPECT_EQ(list.listIndex(), 2);
    EXPECT_EQ(list.text(), "cc");
}

// ---- Scrolling ----------------------------------------------------------------------

TEST_F(ListExTest, ScrollingKeepsTheSelectionOnTheLastRowWithMarks) {
    fill(10);
    struct Case {
        int selected;
        int top;
        bool down;
        bool up;
    };
    const Case cases[] = {{6, 3, true, true}, {9, 6, false, true}, {2, 0, true, false}};
    for (const auto& c : cases) {
        list.setListIndex(c.selected);
        ui.render();
        EXPECT_EQ(list.topIndex(), c.top);
        std::vector<std::string> rows;
        for (int i = c.top; i < c.top + 4; ++i)
            rows.push_back("item" + std::to_string(i));
        EXPECT_EQ(list.visibleRows(), rows);
        // The selection mark fills the row its item is painted on.
        int rowTop = 2 + (c.selected - c.top) * 12;
        EXPECT_GT(countColor(2, rowTop + 1, kW - 12, rowTop + 11, kSelBack), 500) << c.selected;
        // "▼" at the lower right, "▲" at the upper right.
        bool down = countColor(kW - 10, kFourRows - 12, kW - 1, kFourRows - 1, kFore) > 5;
        bool up = countColor(kW - 10, 2, kW - 1, 13, kFore) > 5;
        EXPECT_EQ(down, c.down) << c.selected;
        EXPECT_EQ(up, c.up) << c.selected;
        if (c.selected == 6) snapshot("list_scrolled");
    }
}

// ---- Mouse --------------------------------------------------------------------------

TEST_F(ListExTest, AClickChoosesTheItemPaintedUnderThePointer) {
    fill(10);
    list.setListIndex(6);  // items 3..6 are shown
    events.clear();
    backend.click(kX + 50, kY + 2 + 12 + 5);  // the second row shows item 4
    run();
    EXPECT_EQ(list.listIndex(), 4);
    EXPECT_EQ(events, (std::vector<std::string>{"Click", "Enter"}));

    // With a caption the first row is the caption's.
    list.setCaption("見出し");
    list.setListIndex(0);
    const int listTop = 12 + 1 + 1;
    events.clear();
    backend.click(kX + 50, kY + 5);  // on the caption: nothing chosen
    run();
    EXPECT_EQ(list.listIndex(), 0);
    EXPECT_EQ(events, std::vector<std::string>{"Click"});
    events.clear();
    backend.click(kX + 50, kY + listTop + 12 + 3);  // the second item row
    run();
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"Click", "Enter"}));
}

TEST_F(ListExTest, PressAndReleaseOnDifferentRowsChoosesNothing) {
    fill(4);
    list.setListIndex(0);
    events.clear();
    // The script's clicks press and release at one point, so drive the list directly
    // the way the window system does: press on row 2, release on row 3.
    list.handleMouseDown(buttons::Left, 0, 50, 2 + 12 * 2 + 3);
    list.handleMouseUp(buttons::Left, 0, 50, 2 + 12 * 3 + 3);
    list.handleClick();
    EXPECT_EQ(list.listIndex(), 0);
    EXPECT_EQ(events, std::vector<std::string>{"Click"});
}

TEST_F(ListExTest, ADoubleClickChoosesOnce) {
    fill(4);
    list.setListIndex(0);
    events.clear();
    backend.doubleClick(kX + 50, kY + 2 + 12 + 3);
    run();
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"Click", "Enter", "DblClick"}));
}

// ---- Painting -----------------------------------------------------------------------

TEST_F(ListExTest, TheOutlineIsDottedWithoutTheFocusExceptWithTheDropShadow) {
    fill(3);
    list.setListIndex(1);
    const int y1 = 2 + 12;   // the selected row's top edge
    const int x2 = kW - 11;  // the mark's right end
    struct Case {
        int style;
        bool focus;
        bool solid;
    };
    const Case cases[] = {{0, true, true},   {0, false, false}, {1, true, true},
                          {1, false, false}, {3, true, true},   {3, false, true}};
    for (const auto& c : cases) {
        list.selectStyle = c.style;
        if (c.focus)
            list.setFocus();
        else
            other.setFocus();
        ui.render();
        // A stretch of the top edge away from the text and the corners.
        int right = c.style == 3 ? kW - 16 - 10 : x2 - 10;
        int border = countColor(right - 20, y1, right, y1, kSelBorder);
        int fillPx = countColor(right - 20, y1, right, y1, kSelBack);
        if (c.solid) {
            EXPECT_EQ(border, 21) << "style " << c.style << " focus " << c.focus;
        } else {
            EXPECT_GE(border, 10) << "style " << c.style;
            EXPECT_LE(border, 11) << "style " << c.style;
            EXPECT_EQ(border + fillPx, 21) << "style " << c.style;
        }
    }
}

TEST_F(ListExTest, SelectionStylesPaintTheirMarks) {
    fill(3);
    list.setListIndex(0);
    list.shadowColor = rgb(60, 60, 60);
    const int y1 = 2, y2 = 14;
    // Rounded: the corner pixel is background, the inside is filled.
    list.selectStyle = 1;
    ui.render();
    EXPECT_EQ(at(2, y1), kBack);
    EXPECT_EQ(at(100, y1 + 6), kSelBack);
    snapshot("list_round");
    // Drop shadow: below the box and offset by five.
    list.selectStyle = 3;
    ui.render();
    EXPECT_EQ(at(kW - 14, y2 + 3), rgb(60, 60, 60));
    EXPECT_EQ(at(100, y1 + 6), kSelBack);
    snapshot("list_shadow");
    // Any other style draws no mark, only the item in its colour.
    list.selectStyle = 9;
    ui.render();
    EXPECT_EQ(countColor(0, y1, kW - 1, y2, kSelBack), 0);
    EXPECT_GT(countColor(0, y1, kW - 1, y2, kSelFore), 5);
}

TEST_F(ListExTest, TheGradientRunsFromTheSelectionColourToTheGradationColour) {
    fill(3);
    list.setListIndex(0);
    list.selectStyle = 2;
    const Color start = rgb(200, 0, 0), end = rgb(0, 0, 200);
    list.selectBackColor = start;
    list.gradationColor = end;
    const int y = 10;  // inside the bar, below any ink of the capitals at the left
    auto near = [](Color a, Color b, int tol) {
        return std::abs(redOf(a) - redOf(b)) <= tol && std::abs(greenOf(a) - greenOf(b)) <= tol &&
               std::abs(blueOf(a) - blueOf(b)) <= tol;
    };
    list.gradationPoint = 0;
    ui.render();
    EXPECT_TRUE(near(at(2, y), start, 2));
    EXPECT_TRUE(near(at(kW - 1, y), end, 3));
    // Each column is a little further along.
    for (int x = 60; x + 20 < kW; x += 20)
        EXPECT_GT(blueOf(at(x + 20, y)), blueOf(at(x, y)));
    snapshot("list_gradient");

    // Half the width keeps the start colour.
    list.gradationPoint = 50;
    ui.render();
    EXPECT_EQ(at(60, y), start);
    EXPECT_TRUE(near(at(kW - 1, y), end, 3));

    // 100 would divide by nothing: it paints (almost) a plain bar.
    list.gradationPoint = 100;
    ui.render();
    EXPECT_EQ(at(150, y), start);

    // A colour past the colour range is cut to white and kept so.
    list.gradationPoint = 0;
    list.gradationColor = 0x1234567;
    ui.render();
    EXPECT_EQ(list.gradationColor, 0xFFFFFFu);
}

TEST_F(ListExTest, ABackgroundCanCopyAndShadeWhatLiesBehind) {
    fill(0);
    const Color behind = rgb(0, 100, 0);  // the form
    list.backStyle = 6;
    ui.render();
    EXPECT_EQ(countColor(0, 0, 63, 31, behind), 64 * 32);
    int previous = 64 * 32;
    for (int style = 1; style <= 5; ++style) {
        list.backStyle = style;
        ui.render();
        int kept = countColor(0, 0, 63, 31, behind);
        int cleared = countColor(0, 0, 63, 31, colors::black);
        EXPECT_EQ(kept + cleared, 64 * 32);
        EXPECT_LT(kept, previous) << "mask " << style;
        previous = kept;
    }
    EXPECT_NEAR(previous, 64 * 32 / 4, 64 * 32 / 20);  // mask 5 keeps about a quarter
}

TEST_F(ListExTest, APictureBackgroundIsTiledStretchedOrDrawnOnce) {
    fill(0);
    auto pic = std::make_shared<Canvas>(2, 1);
    pic->setPixel(0, 0, rgb(255, 0, 0));
    pic->setPixel(1, 0, rgb(0, 0, 255));
    list.picture = pic;
    list.backStyle = 7;
    list.tile = true;
    ui.render();
    EXPECT_EQ(at(40, 20), rgb(255, 0, 0));
    EXPECT_EQ(at(41, 20), rgb(0, 0, 255));
    list.stertch = true;  // wins over tiling
    ui.render();
    EXPECT_EQ(at(40, 20), rgb(255, 0, 0));
    EXPECT_EQ(at(kW - 40, 20), rgb(0, 0, 255));
    list.tile = list.stertch = false;
    ui.render();
    EXPECT_EQ(at(1, 0), rgb(0, 0, 255));
    EXPECT_EQ(at(40, 20), kBack);
}

TEST_F(ListExTest, APictureFrameMovesTheItemsInside) {
    auto piece = [](int w, int h, Color c) { return std::make_shared<Canvas>(w, h, c); };
    const Color edge = rgb(120, 0, 120), corner = rgb(255, 0, 255);
    list.frame.topLeft = piece(8, 6, corner);
    list.frame.topRight = piece(8, 6, corner);
    list.frame.bottomLeft = piece(8, 6, corner);
    list.frame.bottomRight = piece(8, 6, corner);
    list.frame.topCenter = piece(5, 6, edge);
    list.frame.bottomCenter = piece(5, 4, edge);
    list.frame.middleLeft = piece(8, 5, edge);
    list.frame.middleRight = piece(3, 5, edge);
    list.borderStyle = 2;
    list.move(kX, kY, kW, 6 + 2 + 4 * 12 + 6);
    fill(6);
    list.setListIndex(0);
    ui.render();
    snapshot("list_frame");
    EXPECT_EQ(at(0, 0), corner);
    EXPECT_EQ(at(kW / 2, 1), edge);
    EXPECT_EQ(at(kW - 1, 30), edge);
    EXPECT_EQ(at(kW - 1, 6 + 2 + 4 * 12 + 6 - 1), corner);
    EXPECT_EQ(list.rowsPerPage(), 4);
    // The mark starts at the frame's left edge, under the top frame and the list top.
    EXPECT_EQ(at(9, 6 + 2 + 5), kSelBack);
    // A click counts rows from under the frame.
    events.clear();
    backend.click(kX + 50, kY + 6 + 2 + 12 * 2 + 3);
    run();
    EXPECT_EQ(list.listIndex(), 2);
}

TEST_F(ListExTest, ACaptionRowSitsAboveTheItems) {
    list.setCaption("ギルタブリルの酒場");
    list.addItems(0, {"A)仲 間 に 入 れ る", "R)仲 間 か ら は ず す", "C)城 へ 戻 る"});
    list.move(kX, kY, kW, 14 + 3 * 12);
    list.setListIndex(0);
    list.borderStyle = 1;
    ui.render();
    snapshot("list_caption");
    EXPECT_EQ(list.texts().front(), "ギルタブリルの酒場");
    EXPECT_EQ(list.rowsPerPage(), 3);
    // The rule under the caption, then the first item's mark.
    EXPECT_EQ(countColor(2, 14, kW - 1, 14, kSelBorder), kW - 2);
    EXPECT_EQ(at(100, 14 + 6), kSelBack);
    EXPECT_GT(countColor(2, 2, 120, 13, kFore), 20);  // caption text
}

TEST_F(ListExTest, ItemsAlignLeftRightOrCentred) {
    list.addItems(0, {"ABC", "DE"});
    list.setListIndex(1);
    list.selectStyle = 9;  // no mark: only the texts
    const FontRef f = list.font();
    const int w = f->textWidth("ABC");
    struct Case {
        Align align;
        int x;
    };
    // Left from the margin plus five; right ending a pixel inside; centred on the middle.
    const Case cases[] = {
        {Align::Left, 2 + 5}, {Align::Right, kW - 1 - w}, {Align::Center, kW / 2 - w / 2}};
    for (const Case& c : cases) {
        list.alignment = c.align;
        ui.render();
        Canvas ref(kW, 14, kBack);
        f->draw(ref, c.x, 0, "ABC", kFore);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < kW; ++x)
                ASSERT_EQ(at(x, 2 + y) == kFore, ref.pixel(x, y) == kFore)
                    << static_cast<int>(c.align) << " at " << x << "," << y;
    }
}

TEST_F(ListExTest, AnOwnShadingStripDecidesWhatTheShadedStylesKeep) {
    fill(0);
    // Mask 2 of the strip clears everything; mask 1 keeps everything.
    auto strip = std::make_shared<Canvas>(96, 32, colors::white);
    strip->fillRect({64, 0, 32, 32}, colors::black);
    list.shadingStrip = strip;
    const Color behind = rgb(0, 100, 0);
    list.backStyle = 2;
    ui.render();
    EXPECT_EQ(countColor(0, 0, 63, 31, colors::black), 64 * 32);
    list.backStyle = 1;
    ui.render();
    EXPECT_EQ(countColor(0, 0, 63, 31, behind), 64 * 32);
    // A strip without the mask asked for gives way to the built-in masks.
    list.backStyle = 5;
    ui.render();
    const int kept = countColor(0, 0, 63, 31, behind);
    EXPECT_GT(kept, 0);
    EXPECT_LT(kept, 64 * 32);
}

TEST_F(ListExTest, PaintingSurvivesDegenerateSizes) {
    fill(5);
    list.setListIndex(4);
    list.listHeight = -100;  // rows can not be thinner than a pixel
    list.setFont(Font::standard(0));
    ui.render();
    EXPECT_GE(list.rowsPerPage(), 1);
    list.move(kX, kY, 3, 2);
    ui.render();
    EXPECT_EQ(list.rowsPerPage(), 0);
}

TEST_F(ListExTest, NothingIsRepaintedWhileRedrawIsOff) {
    fill(3);
    list.setListIndex(0);
    ui.render();
    Color before = at(100, 2 + 6);
    list.setRedraw(false);
    list.setListIndex(2);
    ui.render();
    EXPECT_EQ(at(100, 2 + 6), before);
    list.setRedraw(true);
    ui.render();
    EXPECT_EQ(at(100, 2 + 6), kBack);
    EXPECT_EQ(at(100, 2 + 24 + 6), kSelBack);
}

}  // namespace
}  // namespace dv

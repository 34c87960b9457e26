// Every look of the skinned list and panel side by side: the selection styles with and
// without the focus, the backgrounds (colour, shaded and plain copies of what lies behind,
// the picture once, tiled or stretched), the borders and the picture frame, captions,
// scroll marks and alignment. With DV_SCREENSHOT_DIR set the galleries are saved there
// (docs/listex-selection.png, docs/listex-backgrounds.png, docs/panelex-styles.png);
// either way every cell must look different from every other.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/skin_pictures.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"
#include "ui/picture_box.h"
#include "ui/png.h"
#include "ui/script_backend.h"
#include "ui/window_system.h"

namespace dv {
namespace {

constexpr int kCellW = 160, kCellH = 160;
constexpr Rect kControl{6, 22, 148, 130};

const std::vector<std::string> kCommands = {"F)戦う",     "P)身を守る", "S)呪文を唱える",
                                            "I)アイテム", "R)逃げる",   "T)様子を見る"};

// One cell: a slice of the scenery as what lies behind, the cell's name above it.
class Cell : public Form {
  public:
    Cell(Ui& ui, const Canvas& scenery, int index, const std::string& name)
        : Form(ui, "cell" + std::to_string(index)) {
        const int x = (index % 4) * kCellW, y = (index / 4) * kCellH;
        move(x, y, kCellW, kCellH);
        add(back);
        back.move(0, 0, kCellW, kCellH);
        back.setFocusable(false);
        back.resizeSurface();
        back.surface().blit(scenery, {x, y, kCellW, kCellH}, 0, 0);
        add(title);
        title.move(4, 3, kCellW - 8, 16);
        title.setCaption(name);
        title.setFont(Font::standard(12));
        title.foreColor = rgb(255, 230, 150);
        title.shadow = true;
        title.wordWrap = false;
    }
    PictureBox back{"back"};
    Label title{"title"};
};

struct Gallery {
    ScriptBackend backend;
    Ui ui{backend};
    Canvas scenery;
    SkinPictures skin = LoadSkinPictures(DV_TEST_GAME_DIR);
    std::vector<std::unique_ptr<Cell>> cells;

    // A bright scenery behind the cells, so the copies and their shading show.
    Gallery() : scenery(640, 480) {
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const bool stripe = ((x + y) / 12) % 2 == 0;
                scenery.setPixel(x, y,
                                 rgb(60 + x * 180 / 640, 70 + y * 160 / 480, stripe ? 200 : 120));
            }
    }
    Cell& cell(const std::string& name) {
        cells.push_back(std::make_unique<Cell>(ui, scenery, static_cast<int>(cells.size()), name));
        cells.back()->show();
        return *cells.back();
    }
    // Renders, saves when asked, and checks that no two cells look alike.
    void finish(const char* file) {
        ui.render();
        if (const char* dir = std::getenv("DV_SCREENSHOT_DIR"))
            savePng(ui.canvas(), std::string(dir) + "/" + file);
        std::set<std::vector<Color>> looks;
        for (const auto& c : cells) {
            std::vector<Color> px;
            const Rect r = c->screenRect();
            for (int y = kControl.y; y < kControl.bottom(); ++y)
                for (int x = kControl.x; x < kControl.right(); ++x)
                    px.push_back(ui.canvas().pixel(r.x + x, r.y + y));
            EXPECT_TRUE(looks.insert(px).second)
                << c->title.caption() << " looks like another cell";
        }
    }
};

// A small picture whose placement shows: a frame, a diagonal and a colour run.
PictureRef smallPicture() {
    auto p = std::make_shared<Canvas>(40, 30, rgb(30, 60, 120));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            if (x == 0 || y == 0 || x == 39 || y == 29 || x == y + 5)
                p->setPixel(x, y, rgb(240, 200, 60));
            else
                p->setPixel(x, y, rgb(30 + x * 4, 60, 120 + y * 3));
    return p;
}

PictureRef gamePicture(const char* name) {
    auto p = std::make_shared<Canvas>();
    if (!loadPicture(std::string(DV_TEST_GAME_DIR) + "/" + name, *p)) return smallPicture();
    return p;
}

// A list of the game's look with the commands, the second one chosen.
ListEx& addList(Gallery& g, Cell& c, std::vector<std::unique_ptr<ListEx>>& lists,
                const std::function<void(ListEx&)>& style, bool focus = true) {
    lists.push_back(std::make_unique<ListEx>("lst"));
    ListEx& l = *lists.back();
    DressList(l, g.skin);
    l.borderStyle = 1;
    l.selectStyle = 0;
    l.setFont(Font::standard(12));
    l.setSelectionFont(Font::standard(12));
    c.add(l);
    l.move(kControl.x, kControl.y, kControl.w, kControl.h);
    l.setRedraw(false);
    for (const auto& t : kCommands)
        l.addItem(t);
    l.setRedraw(true);
    l.setListIndex(1);
    style(l);
    if (focus) l.setFocus();
    return l;
}

TEST(ControlGallery, ListSelectionStyles) {
    Gallery g;
    std::vector<std::unique_ptr<ListEx>> lists;
    struct Look {
        const char* name;
        std::function<void(ListEx&)> style;
        bool focus;
    };
    const Look looks[] = {
        {"SelectStyle 0", [](ListEx& l) { l.selectStyle = 0; }, true},
        {"SelectStyle 1", [](ListEx& l) { l.selectStyle = 1; }, true},
        {"SelectStyle 2",
         [](ListEx& l) {
             l.selectStyle = 2;
             l.gradationPoint = 0;
         },
         true},
        {"SelectStyle 3",
         [](ListEx& l) {
             l.selectStyle = 3;
             l.shadowColor = rgb(0, 0, 0);
         },
         true},
        {"0 without focus", [](ListEx& l) { l.selectStyle = 0; }, false},
        {"1 without focus", [](ListEx& l) { l.selectStyle = 1; }, false},
        {"2 GradationPoint 50",
         [](ListEx& l) {
             l.selectStyle = 2;
             l.gradationPoint = 50;
             l.gradationColor = rgb(150, 20, 40);
         },
         true},
        {"3 without focus: solid",
         [](ListEx& l) {
             l.selectStyle = 3;
             l.shadowColor = rgb(110, 20, 20);
         },
         false},
        {"1 ListBorderWidth 0",
         [](ListEx& l) {
             l.selectStyle = 1;
             l.listBorderWidth = 0;
         },
         true},
        {"0 ListBorderWidth 3",
         [](ListEx& l) {
             l.selectStyle = 0;
             l.listBorderWidth = 3;
         },
         true},
        {"SelectStyle 9: no mark", [](ListEx& l) { l.selectStyle = 9; }, true},
        {"SelectionFont 16",
         [](ListEx& l) {
             l.selectStyle = 1;
             l.setSelectionFont(Font::standard(16));
             l.listHeight = 6;
         },
         true},
    };
    for (const Look& look : looks)
        addList(g, g.cell(look.name), lists, look.style, look.focus);
    g.finish("listex-selection.png");
}

TEST(ControlGallery, ListBackgroundsBordersAndCaptions) {
    Gallery g;
    std::vector<std::unique_ptr<ListEx>> lists;
    const PictureRef pic = smallPicture();
    struct Look {
        const char* name;
        std::function<void(ListEx&)> style;
    };
    const Look looks[] = {
        {"BackStyle 0", [](ListEx& l) { l.backStyle = 0; }},
        {"BackStyle 1", [](ListEx& l) { l.backStyle = 1; }},
        {"BackStyle 3", [](ListEx& l) { l.backStyle = 3; }},
        {"BackStyle 5", [](ListEx& l) { l.backStyle = 5; }},
        {"BackStyle 6", [](ListEx& l) { l.backStyle = 6; }},
        {"7 once",
         [&](ListEx& l) {
             l.backStyle = 7;
             l.picture = pic;
         }},
        {"7 Tile",
         [&](ListEx& l) {
             l.backStyle = 7;
             l.picture = pic;
             l.tile = true;
         }},
        {"7 Stertch",
         [&](ListEx& l) {
             l.backStyle = 7;
             l.picture = pic;
             l.stertch = true;
         }},
        {"BorderStyle 1, width 3",
         [](ListEx& l) {
             l.borderStyle = 1;
             l.borderWidth = 3;
         }},
        {"BorderStyle 2",
         [&](ListEx& l) {
             l.borderStyle = 2;
             l.frame = g.skin.frame;
             l.selectStyle = 2;
         }},
        {"Caption, scrolled",
         [](ListEx& l) {
             l.setCaption("戦闘コマンド");
             l.addItems(0, {"B)呪歌", "H)隠れる", "D)解呪", "E)装備"});
             l.setListIndex(7);
         }},
        {"Alignment 1",
         [](ListEx& l) {
             l.alignment = Align::Right;
             l.setCaption("右寄せ");
             l.selectStyle = 3;
         }},
    };
    for (const Look& look : looks)
        addList(g, g.cell(look.name), lists, look.style);
    // The caption's scroll marks: more above and below.
    EXPECT_GT(lists[10]->topIndex(), 0);
    EXPECT_LT(lists[10]->rowsPerPage(), lists[10]->listCount());
    g.finish("listex-backgrounds.png");
}

TEST(ControlGallery, PanelStyles) {
    Gallery g;
    std::vector<std::unique_ptr<PanelEx>> panels;
    std::vector<std::unique_ptr<Label>> labels;
    const PictureRef pic = smallPicture();
    const PictureRef tile = gamePicture("panel.png");
    struct Look {
        const char* name;
        std::function<void(PanelEx&)> style;
    };
    const Look looks[] = {
        {"BackStyle 0", [](PanelEx& p) { p.backStyle = 0; }},
        {"BackStyle 2", [](PanelEx& p) { p.backStyle = 2; }},
        {"BackStyle 4", [](PanelEx& p) { p.backStyle = 4; }},
        {"BackStyle 6", [](PanelEx& p) { p.backStyle = 6; }},
        {"7 Tile (panel.png)",
         [&](PanelEx& p) {
             p.backStyle = 7;
             p.picture = tile;
         }},
        {"7 Stertch",
         [&](PanelEx& p) {
             p.backStyle = 7;
             p.picture = pic;
             p.stertch = true;
         }},
        {"7 once",
         [&](PanelEx& p) {
             p.backStyle = 7;
             p.picture = pic;
             p.tile = false;
         }},
        {"BorderStyle 1, width 2",
         [](PanelEx& p) {
             p.borderStyle = 1;
             p.borderWidth = 2;
         }},
        {"BorderStyle 2",
         [&](PanelEx& p) {
             p.borderStyle = 2;
             p.frame = g.skin.frame;
         }},
        {"Corners only",
         [&](PanelEx& p) {
             p.borderStyle = 2;
             p.frame = {};
             p.frame.topLeft = g.skin.frame.topLeft;
             p.frame.topRight = g.skin.frame.topRight;
             p.frame.bottomLeft = g.skin.frame.bottomLeft;
             p.frame.bottomRight = g.skin.frame.bottomRight;
         }},
        {"Caption centred, message",
         [](PanelEx& p) {
             p.captionAlignment = Align::Center;
             p.message = "中に置く文";
             p.messageAlignment = Align::Right;
         }},
        {"Host drawing",
         [](PanelEx& p) {
             p.onPaint = [](Canvas& c, const Rect& in) {
                 c.roundRect(in.x + 20, in.y + 30, in.x + 100, in.y + 90, 30, rgb(255, 230, 150),
                             rgb(90, 40, 120), true);
             };
         }},
    };
    for (const Look& look : looks) {
        Cell& c = g.cell(look.name);
        panels.push_back(std::make_unique<PanelEx>("fra"));
        PanelEx& p = *panels.back();
        DressPanel(p, g.skin);
        p.borderStyle = 0;
        p.caption = "見出し";
        c.add(p);
        p.move(kControl.x, kControl.y, kControl.w, kControl.h);
        look.style(p);
        // A child drawn over whatever the panel painted.
        labels.push_back(std::make_unique<Label>("lbl"));
        Label& child = *labels.back();
        p.add(child);
        child.setCaption("子ラベル");
        child.setFont(Font::standard(12));
        child.move(p.innerRect().x + 8, kControl.h - 26, 100, 16);
    }
    g.finish("panelex-styles.png");
}

}  // namespace
}  // namespace dv

#include "dungeon/view.h"
#include "dungeon/view_pieces.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/data/message.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"
#include "dungeon/maze.h"
#include "dungeon/party_rules.h"
#include "ui/font.h"
#include "ui/png.h"

namespace dv {

namespace {

constexpr int kUnits = 220;
constexpr Color kRowGrey[5] = {0, rgb(17, 17, 17), rgb(51, 51, 51), rgb(85, 85, 85),
                               rgb(119, 119, 119)};
constexpr int kFrontDoorInset[5] = {0, 5, 10, 20, 32};
constexpr int kFront = 1, kRight = 2, kLeft = 8;
constexpr int kPictureWidth = 480, kPictureHeight = 240;
constexpr int kLowerBackTop = 136;  // the row the second background starts on

enum class Side { Front, Right, Left };

struct Face {
    int slot;
    Side side;
    int row;
};

int slotOf(int row, int lateral) {
    switch (row) {
        case 1:
            return 3 + lateral;
        case 2:
            return 8 + lateral;
        case 3:
            return 12 + lateral;
        default:
            return 15 + lateral;
    }
}

// Rows far to near; in each the fronts left to right, then the right faces and the left
// faces from the outside in. Nearer faces are drawn later and cover farther ones.
const std::vector<Face>& faceOrder() {
    static const std::vector<Face> order = [] {
        std::vector<Face> v;
        for (int row = 1; row <= 4; ++row) {
            int reach = row <= 2 ? 2 : 1;
            for (int a = -reach; a <= reach; ++a)
                v.push_back({slotOf(row, a), Side::Front, row});
            for (int a = reach; a >= 0; --a)
                v.push_back({slotOf(row, a), Side::Right, row});
            for (int a = -reach; a <= 0; ++a)
                v.push_back({slotOf(row, a), Side::Left, row});
        }
        return v;
    }();
    return order;
}

int bitOf(Side s) {
    return s == Side::Front ? kFront : (s == Side::Right ? kRight : kLeft);
}

int pieceBit(PieceSide s) {
    return s == PieceSide::Front ? kFront : (s == PieceSide::Right ? kRight : kLeft);
}

// Units to pixels of a canvas scaled to 220 by 220 units.
struct Scale {
    int w, h;
    Point operator()(int ux, int uy) const {
        return {static_cast<int>(std::lround(ux * static_cast<double>(w) / kUnits)),
                static_cast<int>(std::lround(uy * static_cast<double>(h) / kUnits))};
    }
};

// The corners of a face in units: far top, near top, near bottom, far bottom (a front face
// gives its rectangle as top-left, top-right, bottom-right, bottom-left).
std::array<Point, 4> faceCorners(const SlotGeometry& g, Side side) {
    if (side == Side::Front)
        return {{{g.farLeftX, g.farTopY},
                 {g.farRightX, g.farTopY},
                 {g.farRightX, g.farBottomY},
                 {g.farLeftX, g.farBottomY}}};
    int xf = side == Side::Right ? g.farRightX : g.farLeftX;
    int xn = side == Side::Right ? g.nearRightX : g.nearLeftX;
    return {{{xf, g.farTopY}, {xn, g.nearTopY}, {xn, g.nearBottomY}, {xf, g.farBottomY}}};
}

std::array<Point, 4> doorCorners(const SlotGeometry& g, Side side, int row) {
    if (side == Side::Front) {
        int d = kFrontDoorInset[row];
        return {{{g.farLeftX + d, g.farTopY + d},
                 {g.farRightX - d, g.farTopY + d},
                 {g.farRightX - d, g.farBottomY},
                 {g.farLeftX + d, g.farBottomY}}};
    }
    auto c = faceCorners(g, side);
    int xf = c[0].x, xn = c[1].x;
    int yft = c[0].y, ynt = c[1].y, ynb = c[2].y, yfb = c[3].y;
    return {{{xf + (xn - xf) / 4, yft + (yfb - yft) / 4},
             {xn - (xn - xf) / 4, ynt + (ynb - ynt) / 4},
             {xn - (xn - xf) / 4, ynb - (ynb - yfb) / 4},
             {xf + (xn - xf) / 4, yfb + (ynb - yfb) / 4}}};
}

// The box a face blacks out: the front rectangle, or a side face's bounding box.
Rect blackOutBox(const Scale& s, const SlotGeometry& g, Side side) {
    Point a, b;
    if (side == Side::Front) {
        a = s(g.farLeftX, g.farTopY);
        b = s(g.farRightX, g.farBottomY);
    } else {
        int xf = side == Side::Right ? g.farRightX : g.farLeftX;
        int xn = side == Side::Right ? g.nearRightX : g.nearLeftX;
        a = s(std::min(xf, xn), g.nearTopY);
        b = s(std::max(xf, xn), g.nearBottomY);
    }
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x) + 1,
            std::abs(b.y - a.y) + 1};
}

// The pixels a face's corners can colour: their bounding box, both ends included.
Rect cornerBox(const Scale& s, const std::array<Point, 4>& c) {
    Point lo = s(c[0].x, c[0].y), hi = lo;
    for (const Point& u : c) {
        const Point p = s(u.x, u.y);
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
    }
    return {lo.x, lo.y, hi.x - lo.x + 1, hi.y - lo.y + 1};
}

Rect unite(const Rect& a, const Rect& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    const int l = std::min(a.x, b.x), t = std::min(a.y, b.y);
    return {l, t, std::max(a.right(), b.right()) - l, std::max(a.bottom(), b.bottom()) - t};
}

void outline(Canvas& canvas, const Scale& s, const std::array<Point, 4>& c, Color color) {
    for (int i = 0; i < 4; ++i) {
        Point p = s(c[static_cast<size_t>(i)].x, c[static_cast<size_t>(i)].y);
        Point q = s(c[static_cast<size_t>((i + 1) % 4)].x, c[static_cast<size_t>((i + 1) % 4)].y);
        canvas.line(p.x, p.y, q.x, q.y, color);
    }
}

std::vector<Point> toPixels(const Scale& s, const std::array<Point, 4>& c) {
    std::vector<Point> v;
    for (const Point& p : c)
        v.push_back(s(p.x, p.y));
    return v;
}

template <class PaintFace>
void drawFaces(Canvas& canvas, const ViewSlots& slots, PaintFace paint) {
    canvas.clear(colors::black);
    const Scale s{canvas.width(), canvas.height()};
    // Everything outside the faces painted so far is still black: a face's black-out box
    // is filled only where it overlaps them.
    Rect painted;
    for (const Face& f : faceOrder()) {
        const ViewSlot& v = slots[static_cast<size_t>(f.slot)];
        int bit = bitOf(f.side);
        if (!((v.walls | v.doors) & bit)) continue;
        const SlotGeometry& g = SlotGeometries()[static_cast<size_t>(f.slot)];
        const Rect stale = blackOutBox(s, g, f.side).intersect(painted);
        if (!stale.empty()) canvas.fillRect(stale, colors::black);
        if (v.dark) continue;
        // A door bit without its wall bit is a hidden door: it looks like a wall.
        bool door = (v.walls & bit) && (v.doors & bit);
        paint(s, g, f, door);
        // The door lies inside its face, so the face's corners bound both.
        painted = unite(painted, cornerBox(s, faceCorners(g, f.side)));
    }
}

const std::shared_ptr<const Font>& overlayFont() {
    static const std::shared_ptr<const Font> font = Font::standard(Font::pointsToPixels(10));
    return font;
}

void printCentred(Canvas& canvas, const Font& font, int y, const std::string& text) {
    canvas.drawText(font, canvas.width() / 2 - font.textWidth(text) / 2, y, text, colors::white);
}

void drawMoon(Canvas& canvas, const Canvas& strip, int frame, int x) {
    if (strip.width() == 0) return;
    Rect from = frame <= 8 ? Rect{32 * frame, 0, 32, 32} : Rect{32 * frame - 256, 32, 32, 32};
    canvas.blit(strip, from, x, 2);
}

void drawOverlay(Game& game, Canvas& canvas) {
    const DungeonState& d = game.dungeon;
    Place& p = game.place;
    drawMoon(canvas, d.pictures.luna, game.save.lunaPhase / 30, 2);
    drawMoon(canvas, d.pictures.artemis, game.save.artemisPhase / 40, canvas.width() - 34);
    if (!game.screens->main->fraParty.visible()) return;
    // Skills that work for the whole expedition switch their effects on when seen.
    if (PartyHasSkill(game, 90)) p.partyEffects |= 4;
    if (PartyHasSkill(game, 91)) p.partyEffects |= 1;
    if (PartyHasSkill(game, 92)) p.partyEffects |= 256;
    const Font& font = *overlayFont();
    // A text height is a line with its leading: the size alone lets the lines touch.
    const int h = font.height() + font.height() / 4;
    printCentred(canvas, font, 1, "Ｅ)再編成　Ｉ）調べる　Ｓ）仲間を探す Ｕ）アイテムを使う");
    printCentred(canvas, font, h, "Ｆ）何かを探す　Ｗ）ウィンドウ　Ｑ）冒険の中断　");
    std::string marks;
    if (p.partyEffects & 1) marks += "【識別】";
    if (p.partyEffects & 4) marks += "【浮遊】";
    if (p.partyEffects & (64 | 128)) marks += "【保護】";
    printCentred(canvas, font, 2 * h, marks);
    printCentred(canvas, font, 3 * h, std::string(Message(1400 + p.currentDungeon)));
    if (p.partyEffects & 256) {
        static const char* const compass[] = {"≪Ｎ≫", "≪Ｅ≫", "≪Ｓ≫", "≪Ｗ≫"};
        printCentred(canvas, font, 4 * h, compass[p.facing & 3]);
    }
}

// The pictures file by name, whatever case it was written in.
std::filesystem::path findPicture(const std::filesystem::path& dir, const std::string& name) {
    std::filesystem::path exact = dir / name;
    if (std::filesystem::exists(exact)) return exact;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
        std::string f = e.path().filename().string();
        if (f.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < f.size() && same; ++i)
            same = std::tolower(static_cast<unsigned char>(f[i])) ==
                   std::tolower(static_cast<unsigned char>(name[i]));
        if (same) return e.path();
    }
    return exact;
}

// Cuts a background down to its top-left part that the view can show.
void keepShownPart(Canvas& picture, int rows) {
    const int w = std::min(picture.width(), kPictureWidth);
    const int h = std::min(picture.height(), rows);
    if (w == picture.width() && h == picture.height()) return;
    Canvas part(w, h);
    part.blit(picture, {0, 0, w, h}, 0, 0);
    picture = std::move(part);
}

void tellPictureFailure(Game& game) {
    DungeonState& d = game.dungeon;
    // Only the plain picture setting says so; the fallback setting switches silently.
    if (!d.textureLoadFailed || d.textureFailureShown || game.options.drawMode != 1) return;
    d.textureFailureShown = true;
    ShowMessage(game,
                "ダンジョン画像ファイルの読み込みでエラーがでました\r"
                "ダンジョンはテクスチャ表示することが出来ません");
}

}  // namespace

const std::array<SlotOffset, 17>& SlotOffsets() {
    static const std::array<SlotOffset, 17> table = {{{0, 0},
                                                      {-2, -3},
                                                      {-1, -3},
                                                      {0, -3},
                                                      {1, -3},
                                                      {2, -3},
                                                      {-2, -2},
                                                      {-1, -2},
                                                      {0, -2},
                                                      {1, -2},
                                                      {2, -2},
                                                      {-1, -1},
                                                      {0, -1},
                                                      {1, -1},
                                                      {-1, 0},
                                                      {0, 0},
                                                      {1, 0}}};
    return table;
}

const std::array<SlotGeometry, 17>& SlotGeometries() {
    static const std::array<SlotGeometry, 17> table = {{
        {0, 0, 0, 0, 0, 0, 0, 0},
        {10, 60, 50, 80, 100, 90, 120, 130},
        {50, 80, 90, 100, 100, 90, 120, 130},
        {90, 100, 130, 120, 100, 90, 120, 130},
        {130, 120, 170, 140, 100, 90, 120, 130},
        {170, 140, 210, 160, 100, 90, 120, 130},
        {-90, 10, -10, 50, 90, 70, 130, 150},
        {-10, 50, 70, 90, 90, 70, 130, 150},
        {70, 90, 150, 130, 90, 70, 130, 150},
        {150, 130, 230, 170, 90, 70, 130, 150},
        {230, 170, 310, 210, 90, 70, 130, 150},
        {-100, -10, 40, 70, 70, 40, 150, 180},
        {40, 70, 180, 150, 70, 40, 150, 180},
        {180, 150, 320, 230, 70, 40, 150, 180},
        {-220, -100, 0, 40, 40, 0, 180, 220},
        {0, 40, 220, 180, 40, 0, 180, 220},
        {220, 180, 440, 320, 40, 0, 180, 220},
    }};
    return table;
}

Cell SlotCell(int x, int y, int facing, int slot) {
    const SlotOffset o = SlotOffsets()[static_cast<size_t>(slot)];
    int cx = x, cy = y;
    switch (facing & 3) {
        case 0:
            cx = x + o.lateral;
            cy = y + o.forward;
            break;
        case 1:
            cx = x - o.forward;
            cy = y + o.lateral;
            break;
        case 2:
            cx = x - o.lateral;
            cy = y - o.forward;
            break;
        default:
            cx = x + o.forward;
            cy = y - o.lateral;
            break;
    }
    return {WrapOnce(cx), WrapOnce(cy)};
}

int TurnSides(int value, int facing) {
    static constexpr int kMultiplier[] = {1, 8, 4, 2};
    int v = value & 15;
    return v == 15 ? 15 : (v * kMultiplier[facing & 3]) % 15;
}

ViewSlots ComputeSlots(const Game& game) {
    ViewSlots slots{};
    const Place& p = game.place;
    const DungeonState& d = game.dungeon;
    for (int s = 1; s <= 16; ++s) {
        Cell c = SlotCell(p.partyX, p.partyY, p.facing, s);
        if (c.x < 0 || c.x >= kFloorSize || c.y < 0 || c.y >= kFloorSize) continue;
        ViewSlot& v = slots[static_cast<size_t>(s)];
        v.walls = TurnSides(d.floorWalls(c.x, c.y), p.facing);
        v.doors = TurnSides(d.floorDoors(c.x, c.y), p.facing);
        v.dark = (game.db.mazeAttributes.at(p.currentDungeon, p.currentFloor, c.x, c.y) & 1) != 0;
    }
    return slots;
}

void DrawLines(Canvas& canvas, const ViewSlots& slots) {
    drawFaces(canvas, slots, [&](const Scale& s, const SlotGeometry& g, const Face& f, bool door) {
        outline(canvas, s, faceCorners(g, f.side), colors::white);
        if (door) outline(canvas, s, doorCorners(g, f.side, f.row), colors::white);
    });
}

void DrawPolygons(Canvas& canvas, const ViewSlots& slots) {
    drawFaces(canvas, slots, [&](const Scale& s, const SlotGeometry& g, const Face& f, bool door) {
        canvas.polygon(toPixels(s, faceCorners(g, f.side)), colors::white, kRowGrey[f.row]);
        if (door)
            canvas.polygon(toPixels(s, doorCorners(g, f.side, f.row)), colors::white,
                           colors::black);
    });
}

void DrawPictures(Canvas& canvas, const ViewSlots& slots, const ViewPictures& pictures) {
    // Only the 480 by 240 view is ever shown: nothing outside it is painted.
    canvas.setClip({0, 0, kPictureWidth, kPictureHeight});
    if (pictures.back[0].width() == 0 || pictures.back[1].width() == 0)
        canvas.fillRect({0, 0, kPictureWidth, kPictureHeight}, colors::black);
    // The second background covers the first from row 136 down when it spans the view.
    const Canvas& lower = pictures.back[1];
    const bool lowerCovers =
        lower.width() >= kPictureWidth && lower.height() >= kPictureHeight - kLowerBackTop;
    for (int i = 0; i < 2; ++i) {
        const Canvas& back = pictures.back[static_cast<size_t>(i)];
        if (back.width() == 0) continue;
        const Rect from{0, 0, 640, i == 0 && lowerCovers ? kLowerBackTop : 300};
        canvas.blit(back, from, 0, i == 0 ? 0 : kLowerBackTop);
    }
    for (const ViewPiece& piece : kViewPieces) {
        const ViewSlot& v = slots[static_cast<size_t>(piece.slot)];
        const int bit = pieceBit(piece.side);
        if (v.dark || !((v.walls | v.doors) & bit)) continue;
        bool door = (v.walls & bit) && (v.doors & bit);
        const Canvas& src = door ? pictures.door[static_cast<size_t>(piece.n)]
                                 : pictures.chip[static_cast<size_t>(piece.n)];
        if (src.width() == 0) continue;
        const Rect mask{piece.sourceX, piece.height, piece.width, piece.height};
        const Rect picture{piece.sourceX, 0, piece.width, piece.height};
        canvas.maskedBlit(src, mask, picture, piece.destX, piece.destY);
    }
    canvas.resetClip();
}

void StretchView(Canvas& view, const Canvas& picture) {
    // Nearest-neighbour, the source column of every view column worked out once; a view row
    // that shows the same picture row as the one above it (every second one, at the usual
    // size) is a copy of that row.
    const int w = view.width(), h = view.height();
    if (w <= 0 || h <= 0 || picture.width() < kPictureWidth || picture.height() < kPictureHeight)
        return;
    std::vector<int> column(static_cast<size_t>(w));
    for (int x = 0; x < w; ++x)
        column[static_cast<size_t>(x)] = x * kPictureWidth / w;
    const auto& src = picture.pixels();
    auto& dst = view.pixels();
    const size_t rowBytes = static_cast<size_t>(w) * sizeof(uint32_t);
    int previous = -1;
    for (int y = 0; y < h; ++y) {
        const int sy = y * kPictureHeight / h;
        uint32_t* out = &dst[static_cast<size_t>(y) * static_cast<size_t>(w)];
        if (sy == previous) {
            std::memcpy(out, out - w, rowBytes);
            continue;
        }
        previous = sy;
        const uint32_t* row = &src[static_cast<size_t>(sy) * static_cast<size_t>(picture.width())];
        int x = 0;
        if (w == kPictureWidth * 4 / 3) {
            // The usual size: every three picture columns make four view columns.
            for (; x + 4 <= w; x += 4, row += 3) {
                out[x] = row[0];
                out[x + 1] = row[0];
                out[x + 2] = row[1];
                out[x + 3] = row[2];
            }
            continue;
        }
        for (; x < w; ++x)
            out[x] = row[column[static_cast<size_t>(x)]];
    }
}

void DrawDarkness(Canvas& canvas) {
    canvas.clear(colors::black);
    const Font& font = *overlayFont();
    printCentred(canvas, font, canvas.height() / 2 - 2 * font.height(), "≪まっくらやみだ≫");
}

void Redraw(Game& game) {
    if (!game.screens || !game.screens->main) return;
    MainWindow& main = *game.screens->main;
    DungeonState& d = game.dungeon;
    const Place& p = game.place;
    Canvas& view = main.picMap.surface();
    if (view.width() != main.picMap.width() || view.height() != main.picMap.height())
        main.picMap.resizeSurface();  // made on the first drawing, not at start-up
    ViewSlots slots = ComputeSlots(game);
    const bool darkHere =
        (game.db.mazeAttributes.at(p.currentDungeon, p.currentFloor, p.partyX, p.partyY) & 1) != 0;
    tellPictureFailure(game);
    // After a failed picture load both picture settings draw shaded polygons.
    const int drawMode = game.options.drawMode;
    const bool pictures = drawMode != 0 && !d.textureLoadFailed;
    const bool polygons = drawMode != 0 && d.textureLoadFailed;
    if (darkHere) {
        DrawDarkness(view);
    } else if (pictures) {
        // Only the 480 by 240 view is painted, so the canvas is no larger.
        Canvas& work = d.pictureCanvas;
        if (work.width() != kPictureWidth || work.height() != kPictureHeight)
            work.resize(kPictureWidth, kPictureHeight);
        DrawPictures(work, slots, d.pictures);
        StretchView(view, work);
    } else if (polygons) {
        DrawPolygons(view, slots);
    } else {
        DrawLines(view, slots);
    }
    drawOverlay(game, view);
    main.picMap.refresh();
}

void LoadPictures(Game& game) {
    DungeonState& d = game.dungeon;
    ViewPictures& pics = d.pictures;
    const std::filesystem::path& dir = game.programDir;
    auto load = [&](const std::string& name, Canvas& into) {
        return loadPicture(findPicture(dir, name).string(), into);
    };
    bool ok = true;
    for (int n = 0; n < 5 && ok; ++n) {
        ok = load("w" + std::to_string(n) + ".jpg", pics.chip[static_cast<size_t>(n)]) &&
             load("d" + std::to_string(n) + ".jpg", pics.door[static_cast<size_t>(n)]);
    }
    ok = ok && load("b1.jpg", pics.back[0]) && load("b2.jpg", pics.back[1]);
    // Only the part of a background the 480 by 240 view shows is kept.
    keepShownPart(pics.back[0], kPictureHeight);
    keepShownPart(pics.back[1], kPictureHeight - kLowerBackTop);
    // The failure is kept whatever the setting, so switching to pictures later falls back
    // to shaded polygons instead of drawing half the pieces.
    if (!ok) d.textureLoadFailed = true;
    // The moons are part of the overlay in every setting.
    load("luna.png", pics.luna);
    load("artemis.png", pics.artemis);
    if (game.screens) tellPictureFailure(game);
}

}  // namespace dv

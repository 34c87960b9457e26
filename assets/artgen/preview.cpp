// dv-art-preview GAME_FOLDER OUT.png: composes one first-person view from the
// generated pieces, as the dungeon view draws it, and saves it window-sized.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "artgen/compose.h"
#include "artgen/monster_art.h"
#include "artgen/monster_pictures.h"
#include "artgen/sprite.h"

namespace {

// A corridor with a door ahead, an opening to the right and a side passage
// further on: shows side walls of every depth, fronts of every row and a door.
dv::art::ViewSlots SampleCorridor() {
    using namespace dv::art;
    ViewSlots s{};
    s[15] = {kLeftBit, 0, false};   // own cell: wall left, open right
    s[16] = {kFrontBit, 0, false};  // opening to the right ends in a wall
    s[14] = {kFrontBit, 0, false};
    s[12] = {kLeftBit | kRightBit, kRightBit, false};  // next cell: door on the right
    s[11] = {kFrontBit, 0, false};
    s[13] = {kFrontBit, 0, false};
    s[8] = {kRightBit, 0, false};  // two ahead: opening left
    s[7] = {kFrontBit | kLeftBit, 0, false};
    s[9] = {kFrontBit, 0, false};
    s[3] = {kFrontBit | kLeftBit | kRightBit, kFrontBit, false};  // a door at the end
    s[2] = {kFrontBit, 0, false};
    s[4] = {kFrontBit, 0, false};
    s[1] = {kFrontBit, 0, false};
    s[5] = {kFrontBit, 0, false};
    s[6] = {kFrontBit, 0, false};
    s[10] = {kFrontBit, 0, false};
    return s;
}

// A framed panel over the title picture, shaded with each mask in turn, the way
// the list and panel controls draw their skins; doubled in size for the eye.
bool WritePanelSample(const std::string& folder, const std::string& out) {
    using namespace dv::art;
    static const char* names[] = {"frame_tl.png", "frame_tc.png", "frame_tr.png", "frame_ml.png",
                                  "frame_mr.png", "frame_bl.png", "frame_bc.png", "frame_br.png"};
    Picture8 pieces[8];
    for (int i = 0; i < 8; ++i) {
        if (!LoadPicture(folder + "/" + names[i], pieces[i])) return false;
    }
    Picture8 title;
    Picture8 shade;
    if (!LoadPicture(folder + "/title.jpg", title) || !LoadPicture(folder + "/shade.png", shade)) {
        return false;
    }
    Picture8 canvas{320, 240, {}};
    canvas.data.assign(320 * 240 * 3, 0);
    CopyRect(title, 160, 200, 320, 240, canvas, 0, 0);
    for (int band = 0; band < 8; ++band) {
        const int x0 = 8 + band * 38;
        for (int y = 8; y < 232; ++y) {
            for (int x = x0; x < x0 + 38 && x < 312; ++x) {
                const std::uint8_t* m = shade.Pixel(band * 32 + x % 32, y % 32);
                std::uint8_t* p = canvas.Pixel(x, y);
                for (int c = 0; c < 3; ++c)
                    p[c] = static_cast<std::uint8_t>(p[c] & m[c]);
            }
        }
    }
    const int t = pieces[1].height;
    for (int x = t; x < 320 - t; x += pieces[1].width) {
        CopyRect(pieces[1], 0, 0, pieces[1].width, t, canvas, x, 0);
        CopyRect(pieces[6], 0, 0, pieces[6].width, t, canvas, x, 240 - t);
    }
    for (int y = t; y < 240 - t; y += pieces[3].height) {
        CopyRect(pieces[3], 0, 0, t, pieces[3].height, canvas, 0, y);
        CopyRect(pieces[4], 0, 0, t, pieces[4].height, canvas, 320 - t, y);
    }
    CopyRect(pieces[0], 0, 0, t, t, canvas, 0, 0);
    CopyRect(pieces[2], 0, 0, t, t, canvas, 320 - t, 0);
    CopyRect(pieces[5], 0, 0, t, t, canvas, 0, 240 - t);
    CopyRect(pieces[7], 0, 0, t, t, canvas, 320 - t, 240 - t);
    return SavePng(Stretch(canvas, 640, 480), out);
}

// Where a battle shows the monster's picture on the window: centred across,
// its bottom edge on the top of the party panel (the bottom quarter).
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;
constexpr int kMonsterX = (kWindowWidth - dv::art::kMonsterPictureWidth) / 2;
constexpr int kMonsterY = kWindowHeight * 3 / 4 - dv::art::kMonsterPictureHeight;

bool CorridorView(const std::string& folder, dv::art::Picture8& view) {
    using namespace dv::art;
    ViewArt art;
    if (!LoadViewArt(folder, art)) return false;
    view = Stretch(ComposeView(art, SampleCorridor()), kWindowWidth, kWindowHeight);
    return true;
}

// The stretch of corridor a monster's picture covers in battle.
dv::art::Picture8 BattleBackdrop(const dv::art::Picture8& view) {
    using namespace dv::art;
    Picture8 backdrop{kMonsterPictureWidth, kMonsterPictureHeight, {}};
    backdrop.data.assign(static_cast<std::size_t>(kMonsterPictureWidth * kMonsterPictureHeight * 3),
                         0);
    CopyRect(view, kMonsterX, kMonsterY, kMonsterPictureWidth, kMonsterPictureHeight, backdrop, 0,
             0);
    return backdrop;
}

// Digits 0..9 in a 3 x 5 grid, one row of three bits per entry, top row first.
constexpr std::array<std::array<int, 5>, 10> kDigits = {{
    {7, 5, 5, 5, 7},
    {2, 6, 2, 2, 7},
    {7, 1, 7, 4, 7},
    {7, 1, 3, 1, 7},
    {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7},
    {7, 4, 7, 5, 7},
    {7, 1, 2, 2, 2},
    {7, 5, 7, 5, 7},
    {7, 5, 7, 1, 7},
}};

// Writes the number with 3-pixel dots on a dark plate at (x, y).
void DrawNumber(dv::art::Picture8& canvas, int number, int x, int y) {
    constexpr int kDot = 3;
    const std::string text = std::to_string(number);
    const int width = static_cast<int>(text.size()) * 4 * kDot + kDot;
    for (int py = y; py < y + 7 * kDot; ++py) {
        for (int px = x; px < x + width; ++px) {
            std::uint8_t* p = canvas.Pixel(px, py);
            p[0] = 16;
            p[1] = 16;
            p[2] = 22;
        }
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto& rows = kDigits[static_cast<std::size_t>(text[i] - '0')];
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if ((rows[static_cast<std::size_t>(row)] >> (2 - col) & 1) == 0) continue;
                const int left = x + kDot + static_cast<int>(i) * 4 * kDot + col * kDot;
                const int top = y + kDot + row * kDot;
                for (int py = top; py < top + kDot; ++py) {
                    for (int px = left; px < left + kDot; ++px) {
                        std::uint8_t* p = canvas.Pixel(px, py);
                        p[0] = 230;
                        p[1] = 214;
                        p[2] = 170;
                    }
                }
            }
        }
    }
}

// All the monster pictures of the folder, six to a row, each over the stretch
// of corridor it covers in battle and labelled with its file number.
bool WriteMonsterSheet(const std::string& folder, const std::string& out) {
    using namespace dv::art;
    constexpr int kColumns = 6;
    constexpr int kGap = 4;
    Picture8 view;
    if (!CorridorView(folder, view)) return false;
    const Picture8 backdrop = BattleBackdrop(view);
    const int rows = (kMonsterTypes + kColumns - 1) / kColumns;
    Picture8 sheet{kColumns * (kMonsterPictureWidth + kGap) + kGap,
                   rows * (kMonsterPictureHeight + kGap) + kGap,
                   {}};
    sheet.data.assign(static_cast<std::size_t>(sheet.width * sheet.height * 3), 8);
    for (int type = 0; type < kMonsterTypes; ++type) {
        PictureRgba8 picture;
        if (!LoadPictureRgba(folder + "/" + MonsterPictureFile(1 << type), picture)) return false;
        const int x = kGap + (type % kColumns) * (kMonsterPictureWidth + kGap);
        const int y = kGap + (type / kColumns) * (kMonsterPictureHeight + kGap);
        CopyRect(backdrop, 0, 0, kMonsterPictureWidth, kMonsterPictureHeight, sheet, x, y);
        BlendOver(picture, sheet, x, y);
        DrawNumber(sheet, type + 1, x + 3, y + 3);
    }
    return SavePng(sheet, out);
}

// Draws one type afresh and shows it over the corridor as a battle does,
// doubled so single pixels can be judged.
bool WriteMonsterCloseUp(int number, const std::string& folder, const std::string& out) {
    using namespace dv::art;
    Picture8 view;
    if (!CorridorView(folder, view)) return false;
    Picture8 shown = BattleBackdrop(view);
    BlendOver(QuantizeRgba(RenderMonsterPicture(number - 1)), shown, 0, 0);
    return SavePng(Stretch(shown, kMonsterPictureWidth * 2, kMonsterPictureHeight * 2), out);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace dv::art;
    if (argc == 4 && std::string(argv[1]) == "--convert") {
        // Any picture to PNG, for looking at the JPEG pieces.
        Picture8 picture;
        return LoadPicture(argv[2], picture) && SavePng(picture, argv[3]) ? 0 : 1;
    }
    if (argc == 4 && std::string(argv[1]) == "--panel")
        return WritePanelSample(argv[2], argv[3]) ? 0 : 1;
    if (argc == 4 && std::string(argv[1]) == "--monsters")
        return WriteMonsterSheet(argv[2], argv[3]) ? 0 : 1;
    if (argc == 5 && std::string(argv[1]) == "--monster") {
        const int number = std::atoi(argv[2]);
        if (number < 1 || number > kMonsterTypes) {
            std::fprintf(stderr, "dv-art-preview: monster pictures are numbered 1 to %d\n",
                         kMonsterTypes);
            return 2;
        }
        return WriteMonsterCloseUp(number, argv[3], argv[4]) ? 0 : 1;
    }
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: dv-art-preview GAME_FOLDER OUT.png\n"
                     "       dv-art-preview --convert IN OUT.png\n"
                     "       dv-art-preview --panel GAME_FOLDER OUT.png\n"
                     "       dv-art-preview --monsters GAME_FOLDER OUT.png\n"
                     "       dv-art-preview --monster N GAME_FOLDER OUT.png\n");
        return 2;
    }
    const std::string folder = argv[1];
    ViewArt art;
    if (!LoadViewArt(folder, art)) {
        std::fprintf(stderr, "dv-art-preview: cannot load the pieces from %s\n", folder.c_str());
        return 1;
    }
    Picture8 view = Stretch(ComposeView(art, SampleCorridor()), 640, 480);
    Picture8 luna;
    Picture8 artemis;
    if (LoadPicture(folder + "/luna.png", luna)) CopyRect(luna, 32 * 5, 0, 32, 32, view, 2, 2);
    if (LoadPicture(folder + "/artemis.png", artemis)) {
        CopyRect(artemis, 32 * 11 - 256, 32, 32, 32, view, view.width - 34, 2);
    }
    if (!SavePng(view, argv[2])) {
        std::fprintf(stderr, "dv-art-preview: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

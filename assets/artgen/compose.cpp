#include "artgen/compose.h"

#include "artgen/view_layout.h"

namespace dv::art {

namespace {

int SideBit(Side side) {
    switch (side) {
        case Side::Front:
            return kFrontBit;
        case Side::Right:
            return kRightBit;
        case Side::Left:
            return kLeftBit;
    }
    return 0;
}

// Which piece picture draws this side of the slot, or nullptr when nothing is
// drawn. A hidden door (door bit without the wall bit) looks like a wall.
const Picture8* ChoosePiece(const ViewArt& art, const ViewSlot& slot, Side side, int n) {
    const int bit = SideBit(side);
    const bool wall = (slot.walls & bit) != 0;
    const bool door = (slot.doors & bit) != 0;
    if (slot.dark || (!wall && !door)) return nullptr;
    const auto index = static_cast<std::size_t>(n);
    return wall && door ? &art.doors[index] : &art.walls[index];
}

void MaskedCopy(const Picture8& piece, const PieceEntry& entry, Picture8& canvas) {
    for (int y = 0; y < entry.height; ++y) {
        for (int x = 0; x < entry.width; ++x) {
            const int cx = entry.destX + x;
            const int cy = entry.destY + y;
            if (cx < 0 || cy < 0 || cx >= canvas.width || cy >= canvas.height) continue;
            const int sx = entry.sourceX + x;
            if (sx >= piece.width || y + entry.height >= piece.height) continue;
            const std::uint8_t* mask = piece.Pixel(sx, y + entry.height);
            const std::uint8_t* picture = piece.Pixel(sx, y);
            std::uint8_t* target = canvas.Pixel(cx, cy);
            for (int c = 0; c < 3; ++c) {
                target[c] = static_cast<std::uint8_t>((target[c] & mask[c]) ^ picture[c]);
            }
        }
    }
}

}  // namespace

bool LoadViewArt(const std::string& folder, ViewArt& art) {
    for (std::size_t n = 0; n < 5; ++n) {
        const std::string suffix = std::to_string(n) + ".jpg";
        if (!LoadPicture(folder + "/w" + suffix, art.walls[n])) return false;
        if (!LoadPicture(folder + "/d" + suffix, art.doors[n])) return false;
    }
    return LoadPicture(folder + "/b1.jpg", art.upper) && LoadPicture(folder + "/b2.jpg", art.lower);
}

void CopyRect(const Picture8& source, int sx, int sy, int width, int height, Picture8& target,
              int tx, int ty) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (sx + x < 0 || sy + y < 0 || sx + x >= source.width || sy + y >= source.height)
                continue;
            if (tx + x < 0 || ty + y < 0 || tx + x >= target.width || ty + y >= target.height)
                continue;
            const std::uint8_t* from = source.Pixel(sx + x, sy + y);
            std::uint8_t* to = target.Pixel(tx + x, ty + y);
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
}

Picture8 ComposeView(const ViewArt& art, const ViewSlots& slots) {
    Picture8 canvas{kViewWidth, kViewHeight, {}};
    canvas.data.assign(static_cast<std::size_t>(kViewWidth) * kViewHeight * 3, 0);
    CopyRect(art.upper, 0, 0, art.upper.width, art.upper.height, canvas, 0, 0);
    CopyRect(art.lower, 0, 0, art.lower.width, art.lower.height, canvas, 0, kLowerBackgroundY);
    for (const PieceEntry& entry : kPieceTable) {
        const ViewSlot& slot = slots[static_cast<std::size_t>(entry.slot)];
        if (const Picture8* piece = ChoosePiece(art, slot, entry.side, entry.n)) {
            MaskedCopy(*piece, entry, canvas);
        }
    }
    return canvas;
}

Picture8 Stretch(const Picture8& source, int width, int height) {
    Picture8 out{width, height, {}};
    out.data.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* from =
                source.Pixel(x * source.width / width, y * source.height / height);
            std::uint8_t* to = out.Pixel(x, y);
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    return out;
}

}  // namespace dv::art

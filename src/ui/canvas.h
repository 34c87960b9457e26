#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/geometry.h"

namespace dv {

class Font;

// How a copied pixel combines with the one already there.
enum class RasterOp { Copy, And, Xor, Or };

enum class PenStyle { Solid, Dotted };

// A surface of 0xRRGGBB pixels with the drawing operations the screens use. Every
// operation is clipped to the current clip rectangle.
class Canvas {
  public:
    Canvas() = default;
    Canvas(int width, int height, Color fill = colors::black);

    int width() const { return width_; }
    int height() const { return height_; }
    void resize(int width, int height, Color fill = colors::black);

    Color pixel(int x, int y) const;
    void setPixel(int x, int y, Color c) { plot(x, y, c); }
    const std::vector<uint32_t>& pixels() const { return pixels_; }
    std::vector<uint32_t>& pixels() { return pixels_; }

    void setClip(const Rect& r);
    void resetClip();
    const Rect& clip() const { return clip_; }

    void clear(Color c);
    void fillRect(const Rect& r, Color c);
    // Outline of the rectangle whose corners are (x1, y1) and (x2, y2), both inclusive.
    void frameRect(int x1, int y1, int x2, int y2, Color c, int penWidth = 1,
                   PenStyle style = PenStyle::Solid);
    // A box drawn as the list selection marks are: filled, then outlined.
    void box(int x1, int y1, int x2, int y2, Color outline, Color fill, int penWidth = 1,
             PenStyle style = PenStyle::Solid);
    void line(int x1, int y1, int x2, int y2, Color c, int penWidth = 1,
              PenStyle style = PenStyle::Solid);
    void fillPolygon(const std::vector<Point>& pts, Color fill);
    void polygon(const std::vector<Point>& pts, Color outline, Color fill);
    void roundRect(int x1, int y1, int x2, int y2, int ellipse, Color outline, Color fill,
                   bool drawOutline);

    // Copies a part of another surface; src may be this canvas only when the areas differ.
    void blit(const Canvas& src, const Rect& from, int dx, int dy, RasterOp op = RasterOp::Copy);
    // A picture over a mask in one pass: the same as blitting `mask` with And, then
    // `picture` (the same size) with Xor, both from src to (dx, dy).
    void maskedBlit(const Canvas& src, const Rect& mask, const Rect& picture, int dx, int dy);
    // Nearest-neighbour stretch of a part of src onto the destination rectangle.
    void stretchBlit(const Canvas& src, const Rect& from, const Rect& to);

    // Text output; returns the advance in pixels.
    int drawText(const Font& font, int x, int y, const std::string& utf8, Color c);

  private:
    void plot(int x, int y, Color c) {
        if (!clip_.contains(x, y)) return;
        pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = c;
    }
    void hspan(int x1, int x2, int y, Color c);

    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
    Rect clip_;
};

}  // namespace dv

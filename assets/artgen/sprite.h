// Pictures with an alpha channel: creatures drawn over whatever the game shows
// behind them. Colour is kept straight (not multiplied by alpha), channels in
// 0..255 and alpha in 0..1 until saving.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "artgen/image.h"

namespace dv::art {

class RgbaImage {
  public:
    RgbaImage() = default;
    RgbaImage(int width, int height);

    int Width() const { return colour_.Width(); }
    int Height() const { return colour_.Height(); }
    Rgb& ColourAt(int x, int y) { return colour_.At(x, y); }
    const Rgb& ColourAt(int x, int y) const { return colour_.At(x, y); }
    double& AlphaAt(int x, int y) { return alpha_[Index(x, y)]; }
    double AlphaAt(int x, int y) const { return alpha_[Index(x, y)]; }

  private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(Width()) +
               static_cast<std::size_t>(x);
    }

    Image colour_;
    std::vector<double> alpha_;
};

// An 8-bit RGBA picture as it is stored in a PNG file.
struct PictureRgba8 {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> data;  // r, g, b, a per pixel, rows top to bottom

    std::uint8_t* Pixel(int x, int y) { return &data[Offset(x, y)]; }
    const std::uint8_t* Pixel(int x, int y) const { return &data[Offset(x, y)]; }

  private:
    std::size_t Offset(int x, int y) const {
        return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)) *
               4;
    }
};

PictureRgba8 QuantizeRgba(const RgbaImage& image);

// Each returns false (and leaves SDL_GetError() set) when the file cannot be
// written or read. LoadPictureRgba accepts any picture; one without alpha
// loads as opaque.
bool SavePng(const RgbaImage& image, const std::string& path);
bool SavePng(const PictureRgba8& picture, const std::string& path);
bool LoadPictureRgba(const std::string& path, PictureRgba8& out);

// Lays the picture over an opaque one with its top-left corner at (x, y);
// the parts outside the target are dropped.
void BlendOver(const PictureRgba8& source, Picture8& target, int x, int y);

}  // namespace dv::art

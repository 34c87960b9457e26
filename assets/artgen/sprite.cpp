#include "artgen/sprite.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace dv::art {

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

std::uint8_t ToByte(double value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

}  // namespace

RgbaImage::RgbaImage(int width, int height)
    : colour_(width, height),
      alpha_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0.0) {}

PictureRgba8 QuantizeRgba(const RgbaImage& image) {
    PictureRgba8 out;
    out.width = image.Width();
    out.height = image.Height();
    out.data.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height) * 4);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            std::uint8_t* p = out.Pixel(x, y);
            const std::uint8_t alpha = ToByte(image.AlphaAt(x, y) * 255);
            // Fully transparent pixels are stored as transparent black, so the
            // file does not depend on colours nobody sees.
            const Rgb c = alpha == 0 ? Rgb{} : image.ColourAt(x, y);
            p[0] = ToByte(c.r);
            p[1] = ToByte(c.g);
            p[2] = ToByte(c.b);
            p[3] = alpha;
        }
    }
    return out;
}

bool SavePng(const PictureRgba8& picture, const std::string& path) {
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, picture.width, picture.height, 32,
                                                      SDL_PIXELFORMAT_RGBA32));
    if (!surface) return false;
    const auto rowBytes = static_cast<std::size_t>(picture.width) * 4;
    for (int y = 0; y < picture.height; ++y) {
        std::memcpy(static_cast<std::uint8_t*>(surface->pixels) + y * surface->pitch,
                    picture.Pixel(0, y), rowBytes);
    }
    return IMG_SavePNG(surface.get(), path.c_str()) == 0;
}

bool SavePng(const RgbaImage& image, const std::string& path) {
    return SavePng(QuantizeRgba(image), path);
}

bool LoadPictureRgba(const std::string& path, PictureRgba8& out) {
    SurfacePtr loaded(IMG_Load(path.c_str()));
    if (!loaded) return false;
    SurfacePtr rgba(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0));
    if (!rgba) return false;
    out.width = rgba->w;
    out.height = rgba->h;
    out.data.resize(static_cast<std::size_t>(rgba->w) * static_cast<std::size_t>(rgba->h) * 4);
    const auto rowBytes = static_cast<std::size_t>(rgba->w) * 4;
    for (int y = 0; y < rgba->h; ++y) {
        std::memcpy(out.Pixel(0, y),
                    static_cast<const std::uint8_t*>(rgba->pixels) + y * rgba->pitch, rowBytes);
    }
    return true;
}

void BlendOver(const PictureRgba8& source, Picture8& target, int x, int y) {
    for (int sy = 0; sy < source.height; ++sy) {
        for (int sx = 0; sx < source.width; ++sx) {
            const int tx = x + sx;
            const int ty = y + sy;
            if (tx < 0 || ty < 0 || tx >= target.width || ty >= target.height) continue;
            const std::uint8_t* s = source.Pixel(sx, sy);
            std::uint8_t* t = target.Pixel(tx, ty);
            const double a = s[3] / 255.0;
            for (int c = 0; c < 3; ++c)
                t[c] = ToByte(s[c] * a + t[c] * (1 - a));
        }
    }
}

}  // namespace dv::art

#include "artgen/image.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace dv::art {

Rgb Mix(Rgb a, Rgb b, double t) {
    return a + (b - a) * t;
}

double Clamp01(double x) {
    return std::clamp(x, 0.0, 1.0);
}

double SmoothStep(double edge0, double edge1, double x) {
    const double t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

Image::Image(int width, int height, Rgb fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void Image::Paste(const Image& source, int x, int y) {
    for (int sy = 0; sy < source.Height(); ++sy) {
        for (int sx = 0; sx < source.Width(); ++sx) {
            if (Contains(x + sx, y + sy)) At(x + sx, y + sy) = source.At(sx, sy);
        }
    }
}

Image Image::Reduced(int factor) const {
    Image out(width_ / factor, height_ / factor);
    const double weight = 1.0 / (factor * factor);
    for (int y = 0; y < out.Height(); ++y) {
        for (int x = 0; x < out.Width(); ++x) {
            Rgb sum;
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx)
                    sum = sum + At(x * factor + dx, y * factor + dy);
            }
            out.At(x, y) = sum * weight;
        }
    }
    return out;
}

namespace {

std::uint8_t ToByte(double channel) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(channel, 0.0, 255.0)));
}

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

SurfacePtr ToSurface(const Picture8& picture) {
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, picture.width, picture.height, 24,
                                                      SDL_PIXELFORMAT_RGB24));
    if (!surface) return surface;
    const auto rowBytes = static_cast<std::size_t>(picture.width) * 3;
    for (int y = 0; y < picture.height; ++y) {
        std::memcpy(static_cast<std::uint8_t*>(surface->pixels) + y * surface->pitch,
                    picture.Pixel(0, y), rowBytes);
    }
    return surface;
}

}  // namespace

Picture8 Quantize(const Image& image) {
    Picture8 out{image.Width(), image.Height(), {}};
    out.data.resize(static_cast<std::size_t>(image.Width()) *
                    static_cast<std::size_t>(image.Height()) * 3);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb& c = image.At(x, y);
            std::uint8_t* p = out.Pixel(x, y);
            p[0] = ToByte(c.r);
            p[1] = ToByte(c.g);
            p[2] = ToByte(c.b);
        }
    }
    return out;
}

bool SaveJpg(const Image& image, const std::string& path, int quality) {
    SurfacePtr surface = ToSurface(Quantize(image));
    return surface && IMG_SaveJPG(surface.get(), path.c_str(), quality) == 0;
}

bool SavePng(const Picture8& picture, const std::string& path) {
    SurfacePtr surface = ToSurface(picture);
    return surface && IMG_SavePNG(surface.get(), path.c_str()) == 0;
}

bool SavePng(const Image& image, const std::string& path) {
    return SavePng(Quantize(image), path);
}

bool LoadPicture(const std::string& path, Picture8& out) {
    SurfacePtr loaded(IMG_Load(path.c_str()));
    if (!loaded) return false;
    SurfacePtr rgb(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB24, 0));
    if (!rgb) return false;
    out.width = rgb->w;
    out.height = rgb->h;
    out.data.resize(static_cast<std::size_t>(rgb->w) * static_cast<std::size_t>(rgb->h) * 3);
    const auto rowBytes = static_cast<std::size_t>(rgb->w) * 3;
    for (int y = 0; y < rgb->h; ++y) {
        std::memcpy(out.Pixel(0, y), static_cast<const std::uint8_t*>(rgb->pixels) + y * rgb->pitch,
                    rowBytes);
    }
    return true;
}

}  // namespace dv::art

// Pictures the artwork generator draws into, and the small colour helpers it
// paints with. Channels are kept as doubles in the 0..255 range until saving.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dv::art {

struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator-(Rgb a, Rgb b) {
    return {a.r - b.r, a.g - b.g, a.b - b.b};
}
inline Rgb operator*(Rgb a, double k) {
    return {a.r * k, a.g * k, a.b * k};
}
inline Rgb operator*(Rgb a, Rgb b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}

Rgb Mix(Rgb a, Rgb b, double t);
double Clamp01(double x);
double SmoothStep(double edge0, double edge1, double x);

class Image {
  public:
    Image() = default;
    Image(int width, int height, Rgb fill = {});

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb& At(int x, int y) { return pixels_[Index(x, y)]; }
    const Rgb& At(int x, int y) const { return pixels_[Index(x, y)]; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    void Paste(const Image& source, int x, int y);
    // Averages factor x factor blocks: drawing at a multiple of the final size smooths edges.
    Image Reduced(int factor) const;

  private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

// An 8-bit RGB picture as the game loads it from a file.
struct Picture8 {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> data;  // r, g, b per pixel, rows top to bottom

    std::uint8_t* Pixel(int x, int y) {
        return &data[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)) *
                     3];
    }
    const std::uint8_t* Pixel(int x, int y) const {
        return &data[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)) *
                     3];
    }
};

Picture8 Quantize(const Image& image);

// Writing and reading through SDL_image. Each returns false (and leaves
// SDL_GetError() set) when the file cannot be written or read.
bool SaveJpg(const Image& image, const std::string& path, int quality);
bool SavePng(const Image& image, const std::string& path);
bool SavePng(const Picture8& picture, const std::string& path);
bool LoadPicture(const std::string& path, Picture8& out);

}  // namespace dv::art

#include "ui/png.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include "ui/canvas.h"

namespace dv {

bool savePng(const Canvas& canvas, const std::string& path) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, canvas.width(), canvas.height(), 32,
                                                    SDL_PIXELFORMAT_ARGB8888);
    if (!s) return false;
    SDL_LockSurface(s);
    for (int y = 0; y < canvas.height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < canvas.width(); ++x)
            row[x] = 0xFF000000u | canvas.pixel(x, y);
    }
    SDL_UnlockSurface(s);
    bool ok = IMG_SavePNG(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

namespace {

// Only the two formats the game's pictures come in are decoded: a file put in the game
// folder under a picture's name reaches no other decoder (some of which leak or are less
// tried on damaged files).
SDL_Surface* loadPngOrJpeg(const std::string& path) {
    SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
    if (!rw) return nullptr;
    const char* type = IMG_isPNG(rw) ? "PNG" : IMG_isJPG(rw) ? "JPG" : nullptr;
    if (!type) {
        SDL_RWclose(rw);
        return nullptr;
    }
    return IMG_LoadTyped_RW(rw, 1, type);
}

}  // namespace

bool loadPicture(const std::string& path, Canvas& out, std::vector<std::uint8_t>& alpha) {
    SDL_Surface* loaded = loadPngOrJpeg(path);
    if (!loaded) return false;
    SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!s) return false;
    out.resize(s->w, s->h);
    alpha.assign(static_cast<size_t>(s->w) * static_cast<size_t>(s->h), 255);
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) +
                                                            y * s->pitch);
        for (int x = 0; x < s->w; ++x) {
            const auto i = static_cast<size_t>(y * s->w + x);
            out.pixels()[i] = row[x] & 0xFFFFFFu;
            alpha[i] = static_cast<std::uint8_t>(row[x] >> 24);
        }
    }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    return true;
}

bool loadPicture(const std::string& path, Canvas& out) {
    std::vector<std::uint8_t> alpha;
    return loadPicture(path, out, alpha);
}

}  // namespace dv

#include "ui/font.h"

#include <SDL2/SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <stdexcept>

#include "ui/canvas.h"
#include "ui/utf8.h"

namespace dv {

namespace {

void initTtf() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (TTF_Init() != 0) throw std::runtime_error(std::string("TTF_Init: ") + TTF_GetError());
    });
}

std::string stripVertical(const std::string& face) {
    return !face.empty() && face[0] == '@' ? face.substr(1) : face;
}

}  // namespace

std::string Font::resolvedFile(const std::string& face) {
    // A face is looked up once. The lookup loads fontconfig's whole configuration and
    // font list, which is released again straight after: the screens use one or two
    // faces, and keeping it would hold megabytes for nothing.
    static std::mutex mutex;
    static std::map<std::string, std::string> resolved;
    const std::string name = stripVertical(face);
    std::lock_guard<std::mutex> lock(mutex);
    if (auto it = resolved.find(name); it != resolved.end()) return it->second;
    std::string file = lookUp(name);
    FcFini();
    resolved.emplace(name, file);
    return file;
}

std::string Font::lookUp(const std::string& face) {
    // Asking for the Japanese language and a fixed pitch finds the Gothic face that
    // stands in for the one the screens were laid out with.
    std::string query = face + ":lang=ja:spacing=mono";
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(query.c_str()));
    if (!pattern) return {};
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string file;
    if (match) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
            file = reinterpret_cast<const char*>(path);
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

int Font::pointsToPixels(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

std::shared_ptr<const Font> Font::get(const std::string& face, int pixelSize) {
    static std::mutex mutex;
    static std::map<std::pair<std::string, int>, std::shared_ptr<const Font>> cache;
    std::lock_guard<std::mutex> lock(mutex);
    pixelSize = std::max(pixelSize, 2);
    auto key = std::make_pair(face, pixelSize);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    std::shared_ptr<const Font> font(new Font(face, pixelSize));
    cache.emplace(key, font);
    return font;
}

Font::Font(std::string face, int pixelSize)
    : face_(std::move(face)), size_(pixelSize), vertical_(!face_.empty() && face_[0] == '@') {
    initTtf();
    std::string file = resolvedFile(face_);
    if (file.empty()) throw std::runtime_error("no font found for " + face_);
    TTF_Font* f = TTF_OpenFont(file.c_str(), size_);
    if (!f) throw std::runtime_error("cannot open font " + file + ": " + TTF_GetError());
    // Monochrome hinting keeps the strokes sharp at the small sizes the screens use.
    TTF_SetFontHinting(f, TTF_HINTING_MONO);
    ttf_ = f;
}

Font::~Font() {
    if (ttf_) TTF_CloseFont(static_cast<TTF_Font*>(ttf_));
}

int Font::charWidth(char32_t c) const {
    return isHalfWidth(c) ? cellWidth() : size_;
}

int Font::textWidth(const std::string& utf8) const {
    return cellsOf(utf8) * cellWidth();
}

const Font::Glyph& Font::glyph(char32_t c) const {
    auto it = glyphs_.find(c);
    if (it != glyphs_.end()) return it->second;
    Glyph g;
    SDL_Color white{255, 255, 255, 255};
    SDL_Surface* s = TTF_RenderGlyph32_Solid(static_cast<TTF_Font*>(ttf_), c, white);
    if (s) {
        g.w = s->w;
        g.h = s->h;
        g.ink.resize(static_cast<size_t>(g.w) * static_cast<size_t>(g.h));
        SDL_LockSurface(s);
        for (int y = 0; y < s->h; ++y) {
            const auto* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
            for (int x = 0; x < s->w; ++x) {
                g.ink[static_cast<size_t>(y * g.w + x)] = row[x] != 0 ? 1 : 0;
            }
        }
        SDL_UnlockSurface(s);
        SDL_FreeSurface(s);
    }
    if (vertical_ && !g.ink.empty()) {
        // Turn the glyph a quarter clockwise.
        Glyph r;
        r.w = g.h;
        r.h = g.w;
        r.ink.resize(g.ink.size());
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x)
                r.ink[static_cast<size_t>(y * r.w + x)] =
                    g.ink[static_cast<size_t>((g.h - 1 - x) * g.w + y)];
        g = std::move(r);
    }
    int cell = charWidth(c);
    g.left = (cell - g.w) / 2;
    g.top = (size_ - g.h) / 2;
    return glyphs_.emplace(c, std::move(g)).first->second;
}

int Font::drawChars(Canvas& canvas, int x, int y, const std::u32string& text, Color c) const {
    int start = x;
    const Rect& clip = canvas.clip();
    for (char32_t ch : text) {
        int cell = charWidth(ch);
        if (ch != U' ' && x < clip.right() && x + cell > clip.x) {
            const Glyph& g = glyph(ch);
            // The glyph's rows and columns inside the clip (which lies inside the canvas).
            const int left = x + g.left, top = y + g.top;
            const int firstColumn = std::max(0, clip.x - left);
            const int endColumn = std::min(g.w, clip.right() - left);
            const int firstRow = std::max(0, clip.y - top);
            const int endRow = std::min(g.h, clip.bottom() - top);
            for (int gy = firstRow; gy < endRow; ++gy) {
                const uint8_t* ink = &g.ink[static_cast<size_t>(gy * g.w)];
                uint32_t* row = &canvas.pixels()[static_cast<size_t>(top + gy) *
                                                 static_cast<size_t>(canvas.width())];
                for (int gx = firstColumn; gx < endColumn; ++gx) {
                    if (ink[gx]) row[left + gx] = c;
                }
            }
        }
        x += cell;
    }
    return x - start;
}

int Font::draw(Canvas& canvas, int x, int y, const std::string& utf8, Color c) const {
    return drawChars(canvas, x, y, decodeUtf8(utf8), c);
}

}  // namespace dv

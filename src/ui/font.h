#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/geometry.h"

namespace dv {

class Canvas;

// The game's one typeface family: a fixed-pitch Japanese face in which a full-width
// character is exactly two half-width cells. A face name starting with "@" draws every
// glyph turned on its side.
class Font {
  public:
    // The face the game asks for; resolved through fontconfig with the Japanese language.
    static constexpr const char* kDefaultFace = "ＭＳ　ゴシック";

    // Cached by face and size. Throws std::runtime_error when no face can be found.
    static std::shared_ptr<const Font> get(const std::string& face, int pixelSize);
    static std::shared_ptr<const Font> standard(int pixelSize) {
        return get(kDefaultFace, pixelSize);
    }
    // Point sizes as the screens give them (96 dots per inch).
    static int pointsToPixels(double points);
    // The file the default face resolves to (for diagnostics and tests).
    static std::string resolvedFile(const std::string& face);

    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    int height() const { return size_; }
    int cellWidth() const { return size_ / 2; }
    int size() const { return size_; }
    bool vertical() const { return vertical_; }
    const std::string& face() const { return face_; }

    int textWidth(const std::string& utf8) const;
    int charWidth(char32_t c) const;
    // Draws text with its top-left corner at (x, y); returns the advance.
    int draw(Canvas& canvas, int x, int y, const std::string& utf8, Color c) const;
    int drawChars(Canvas& canvas, int x, int y, const std::u32string& text, Color c) const;

  private:
    struct Glyph {
        int w = 0;
        int h = 0;
        int left = 0;  // offset inside the cell
        int top = 0;
        std::vector<uint8_t> ink;
    };
    Font(std::string face, int pixelSize);
    static std::string lookUp(const std::string& face);
    const Glyph& glyph(char32_t c) const;

    std::string face_;
    int size_;
    bool vertical_;
    void* ttf_ = nullptr;  // TTF_Font
    mutable std::map<char32_t, Glyph> glyphs_;
};

using FontRef = std::shared_ptr<const Font>;

}  // namespace dv

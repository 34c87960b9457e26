#pragma once

#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/font.h"

namespace dv {

enum class Align { Left = 0, Right = 1, Center = 2 };

// Static text. "\r", "\n" and "\r\n" each break a line; long lines wrap at the label's
// width between any two characters (Japanese has no spaces), never putting closing
// punctuation at the start of a line. With mnemonics on, "&" underlines the next
// character and "&&" shows "&".
class Label : public Control {
  public:
    explicit Label(std::string name = {});

    const std::string& caption() const { return caption_; }
    void setCaption(std::string text);
    FontRef font() const { return font_; }
    void setFont(FontRef f);
    Color foreColor = colors::white;
    Color backColor = colors::black;
    bool transparent = true;
    Align alignment = Align::Left;
    bool wordWrap = true;
    bool useMnemonic = false;
    // Vertical centring of the text block inside the label.
    bool centerVertically = false;
    // Draws the text over a black copy one pixel down and right, to stand out on pictures.
    bool shadow = false;

    // The lines as laid out for the current width.
    std::vector<std::u32string> layoutLines() const;
    int lineHeight() const;

    void paint(Canvas& canvas, const Rect& area) override;
    std::vector<std::string> texts() const override;

  private:
    std::string caption_;
    FontRef font_;
};

// Splits text at "\r\n", "\r" and "\n".
std::vector<std::u32string> splitLines(const std::u32string& text);
// Wraps one line to at most maxWidth pixels in the given font.
std::vector<std::u32string> wrapLine(const std::u32string& line, const Font& font, int maxWidth);

}  // namespace dv

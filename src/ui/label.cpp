#include "ui/label.h"

#include "ui/canvas.h"
#include "ui/utf8.h"

namespace dv {

Label::Label(std::string name) : Control(std::move(name)), font_(Font::standard(12)) {}

void Label::setCaption(std::string text) {
    if (text == caption_) return;
    caption_ = std::move(text);
    invalidate();
}

void Label::setFont(FontRef f) {
    font_ = std::move(f);
    invalidate();
}

int Label::lineHeight() const {
    return font_->height() + 2;
}

std::vector<std::u32string> splitLines(const std::u32string& text) {
    std::vector<std::u32string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c == U'\r') {
            if (i + 1 < text.size() && text[i + 1] == U'\n') ++i;
            lines.emplace_back();
        } else if (c == U'\n') {
            lines.emplace_back();
        } else {
            lines.back().push_back(c);
        }
    }
    return lines;
}

namespace {
bool closingPunctuation(char32_t c) {
    static const std::u32string set =
        U"。、」』）)]】，．,.！？!?ー〜～ぁぃぅぇぉっゃゅょァィゥェォッャュョ";
    return set.find(c) != std::u32string::npos;
}
}  // namespace

std::vector<std::u32string> wrapLine(const std::u32string& line, const Font& font, int maxWidth) {
    std::vector<std::u32string> out;
    std::u32string cur;
    int width = 0;
    for (char32_t c : line) {
        int w = font.charWidth(c);
        if (!cur.empty() && width + w > maxWidth && maxWidth > 0) {
            if (closingPunctuation(c) && cur.size() > 1) {
                // Carry the last character down with the punctuation.
                char32_t last = cur.back();
                cur.pop_back();
                out.push_back(cur);
                cur.assign(1, last);
                width = font.charWidth(last);
            } else {
                out.push_back(cur);
                cur.clear();
                width = 0;
            }
        }
        cur.push_back(c);
        width += w;
    }
    out.push_back(cur);
    return out;
}

namespace {
// The caption as shown: with mnemonics, "&x" shows "x" and "&&" shows "&".
std::u32string shownText(const std::string& caption, bool mnemonic) {
    std::u32string text = decodeUtf8(caption);
    if (!mnemonic) return text;
    std::u32string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'&' && i + 1 < text.size()) ++i;
        plain.push_back(text[i]);
    }
    return plain;
}
}  // namespace

std::vector<std::u32string> Label::layoutLines() const {
    std::u32string text = shownText(caption_, useMnemonic);
    std::vector<std::u32string> lines;
    for (auto& l : splitLines(text)) {
        if (!wordWrap) {
            lines.push_back(l);
            continue;
        }
        for (auto& w : wrapLine(l, *font_, width()))
            lines.push_back(w);
    }
    return lines;
}

void Label::paint(Canvas& canvas, const Rect& area) {
    if (!transparent) canvas.fillRect(area, backColor);
    auto lines = layoutLines();
    int lh = lineHeight();
    int y = area.y;
    if (centerVertically) y += (area.h - lh * static_cast<int>(lines.size())) / 2;
    // The underlined character of a mnemonic caption.
    int underlineAt = -1;
    if (useMnemonic) {
        std::u32string text = decodeUtf8(caption_);
        int pos = 0;
        for (size_t i = 0; i < text.size(); ++i, ++pos) {
            if (text[i] == U'&' && i + 1 < text.size()) {
                ++i;
                if (text[i] != U'&' && underlineAt < 0) underlineAt = pos;
            }
        }
    }
    int charIndex = 0;
    for (auto& line : lines) {
        const int lineChars = static_cast<int>(line.size());
        // A line that does not wrap ends at the last whole character that fits: a long name
        // stops at its column instead of showing half a glyph against the next one. Right
        // aligned text keeps its end (the digits of a number).
        int dropped = 0;
        while (!wordWrap && line.size() > 1 && cellsOf(line) * font_->cellWidth() > area.w) {
            if (alignment == Align::Right) {
                line.erase(line.begin());
                ++dropped;
            } else {
                line.pop_back();
            }
        }
        const int first = charIndex + dropped;
        int w = cellsOf(line) * font_->cellWidth();
        int x = area.x;
        if (alignment == Align::Right) x = area.right() - w;
        if (alignment == Align::Center) x = area.x + (area.w - w) / 2;
        if (shadow) font_->drawChars(canvas, x + 1, y + 1, line, colors::black);
        font_->drawChars(canvas, x, y, line, foreColor);
        if (underlineAt >= first && underlineAt < first + static_cast<int>(line.size())) {
            int ux = x + cellsOf(std::u32string_view(line).substr(
                             0, static_cast<size_t>(underlineAt - first))) *
                             font_->cellWidth();
            int uw = font_->charWidth(line[static_cast<size_t>(underlineAt - first)]);
            canvas.line(ux, y + font_->height(), ux + uw - 1, y + font_->height(), foreColor);
        }
        charIndex += lineChars;
        y += lh;
    }
}

std::vector<std::string> Label::texts() const {
    if (caption_.empty()) return {};
    return {encodeUtf8(shownText(caption_, useMnemonic))};
}

}  // namespace dv

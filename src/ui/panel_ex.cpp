#include "ui/panel_ex.h"

#include "ui/utf8.h"

namespace dv {

PanelEx::PanelEx(std::string name) : Control(std::move(name)) {
    FontRef standard = Font::standard(Font::pointsToPixels(9));
    captionFont = standard;
    messageFont = standard;
    backColor = colors::windowBackground;
    tile = true;
}

SkinLayout PanelEx::layout() const {
    return skinLayout(*this, width(), height(), indent);
}

Rect PanelEx::innerRect() const {
    SkinLayout l = layout();
    return {l.frame.left, l.frame.top, l.innerWidth, l.innerHeight};
}

int PanelEx::alignedX(const SkinLayout& l, Align a, int textWidth) const {
    switch (a) {
        case Align::Right:
            return l.leftMargin + l.innerWidth - textWidth;
        case Align::Center:
            return l.leftMargin + (l.innerWidth - textWidth) / 2;
        case Align::Left:
        default:
            return l.leftMargin;
    }
}

void PanelEx::paint(Canvas& canvas, const Rect& area) {
    if (area.w <= 0 || area.h <= 0) return;
    if (surface_.width() != area.w || surface_.height() != area.h) surface_.resize(area.w, area.h);
    const SkinLayout l = layout();
    paintSkinBackground(surface_, *this, canvas, area);
    paintSkinBorder(surface_, *this, borderColor);

    // The caption starts just inside the border; the rule runs along the top of the
    // inner area.
    int textTop = borderWidth + l.frame.top + 1;
    if (!caption.empty() && captionFont) {
        captionFont->draw(surface_, alignedX(l, captionAlignment, captionFont->textWidth(caption)),
                          textTop, caption, captionColor);
        surface_.line(l.leftMargin, l.frame.top, l.leftMargin + l.innerWidth - 1, l.frame.top,
                      borderColor);
        textTop += captionFont->height() + 2;
    }
    // The message, when a screen sets one, takes the lines under the caption.
    if (!message.empty() && messageFont) {
        const Font& f = *messageFont;
        for (const auto& line : splitLines(decodeUtf8(message))) {
            for (const auto& part : wrapLine(line, f, l.innerWidth)) {
                f.drawChars(surface_, alignedX(l, messageAlignment, cellsOf(part) * f.cellWidth()),
                            textTop, part, messageColor);
                textTop += f.height() + 2;
            }
        }
    }
    canvas.blit(surface_, {0, 0, surface_.width(), surface_.height()}, area.x, area.y);
}

std::vector<std::string> PanelEx::texts() const {
    std::vector<std::string> out;
    if (!caption.empty()) out.push_back(caption);
    if (!message.empty()) out.push_back(message);
    return out;
}

}  // namespace dv

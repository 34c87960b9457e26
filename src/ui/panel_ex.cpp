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
    if (onPaint) {
        surface_.resetClip();
        onPaint(surface_, {l.frame.left, l.frame.top, l.innerWidth, l.innerHeight});
    }
    canvas.blit(surface_, {0, 0, surface_.width(), surface_.height()}, area.x, area.y);
}

void PanelEx::setScale(double x1, double y1, double x2, double y2) {
    scaleMode = kUser;
    scaleLeft = x1;
    scaleTop = y1;
    scaleWidth = x2 - x1;
    scaleHeight = y2 - y1;
}

namespace {
// Pixels in one unit of a scale mode (96 dots per inch); 0 for the user scale.
double pixelsPer(int mode) {
    switch (mode) {
        case PanelEx::kTwips:
            return 1.0 / 15.0;
        case PanelEx::kPoints:
            return 96.0 / 72.0;
        case PanelEx::kInches:
            return 96.0;
        case PanelEx::kMillimetres:
            return 96.0 / 25.4;
        case PanelEx::kCentimetres:
            return 96.0 / 2.54;
        case PanelEx::kUser:
            return 0;
        default:
            return 1;
    }
}

double convert(double value, int from, int to, int pixels, double userSize) {
    // A user scale of no size has no pixels to give.
    const double user = userSize != 0 ? pixels / userSize : 0;
    const double inFrom = from == PanelEx::kUser ? user : pixelsPer(from);
    const double inTo = to == PanelEx::kUser ? user : pixelsPer(to);
    if (inTo == 0) return 0;
    return value * inFrom / inTo;
}
}  // namespace

double PanelEx::scaleX(double value, int from, int to) const {
    return convert(value, from, to, width(), scaleWidth);
}

double PanelEx::scaleY(double value, int from, int to) const {
    return convert(value, from, to, height(), scaleHeight);
}

std::vector<std::string> PanelEx::texts() const {
    std::vector<std::string> out;
    if (!caption.empty()) out.push_back(caption);
    if (!message.empty()) out.push_back(message);
    return out;
}

}  // namespace dv

#include "ui/button.h"

#include <algorithm>

#include "ui/canvas.h"
#include "ui/keys.h"
#include "ui/utf8.h"

namespace dv {

namespace {
constexpr int kCaptionFont = 12;

// The position of the underlined character in the shown text, or -1.
int underlinedAt(const std::string& caption) {
    std::u32string text = decodeUtf8(caption);
    int pos = 0;
    for (size_t i = 0; i < text.size(); ++i, ++pos) {
        if (text[i] == U'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != U'&') return pos;
        }
    }
    return -1;
}

void focusMark(Canvas& canvas, const Rect& r, Color c) {
    if (r.w > 2 && r.h > 2)
        canvas.frameRect(r.x, r.y, r.right() - 1, r.bottom() - 1, c, 1, PenStyle::Dotted);
}
}  // namespace

std::u32string MnemonicText(const std::string& caption) {
    std::u32string text = decodeUtf8(caption);
    std::u32string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'&' && i + 1 < text.size()) ++i;
        shown.push_back(text[i]);
    }
    return shown;
}

int MnemonicKey(const std::string& caption) {
    int at = underlinedAt(caption);
    if (at < 0) return 0;
    char32_t c = MnemonicText(caption)[static_cast<size_t>(at)];
    if (c >= U'a' && c <= U'z') c = c - U'a' + U'A';
    if ((c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9')) return static_cast<int>(c);
    return 0;
}

int DrawMnemonic(Canvas& canvas, const Font& font, int x, int y, const std::string& caption,
                 Color color) {
    std::u32string shown = MnemonicText(caption);
    int w = font.drawChars(canvas, x, y, shown, color);
    int at = underlinedAt(caption);
    if (at >= 0) {
        int ux = x + cellsOf(std::u32string_view(shown).substr(0, static_cast<size_t>(at))) *
                         font.cellWidth();
        int uw = font.charWidth(shown[static_cast<size_t>(at)]);
        canvas.line(ux, y + font.height(), ux + uw - 1, y + font.height(), color);
    }
    return w;
}

// ---- Button -------------------------------------------------------------------------

Button::Button(std::string name, std::string caption)
    : Control(std::move(name)), font(Font::standard(kCaptionFont)), caption_(std::move(caption)) {
    setFocusable(true);
}

void Button::setCaption(std::string c) {
    caption_ = std::move(c);
    invalidate();
}

void Button::press() {
    if (shownAndEnabled()) handleClick();
}

void Button::handleKeyDown(int& keyCode, int shift) {
    Control::handleKeyDown(keyCode, shift);
    if (keyCode == keys::Space || keyCode == keys::Enter) {
        keyCode = 0;
        press();
    }
}

void Button::paint(Canvas& canvas, const Rect& area) {
    const bool on = shownAndEnabled();
    canvas.fillRect(area, backColor);
    canvas.frameRect(area.x, area.y, area.right() - 1, area.bottom() - 1, borderColor,
                     hasFocus() ? 2 : 1);
    const int w = cellsOf(MnemonicText(caption_)) * font->cellWidth();
    const int x = area.x + (area.w - w) / 2;
    const int y = area.y + (area.h - font->height()) / 2;
    DrawMnemonic(canvas, *font, x, y, caption_, on ? foreColor : disabledColor);
    if (hasFocus()) focusMark(canvas, {area.x + 3, area.y + 3, area.w - 6, area.h - 6}, foreColor);
}

std::vector<std::string> Button::texts() const {
    return {encodeUtf8(MnemonicText(caption_))};
}

// ---- Check box ----------------------------------------------------------------------

CheckBox::CheckBox(std::string name, std::string caption)
    : Control(std::move(name)), font(Font::standard(kCaptionFont)), caption_(std::move(caption)) {
    setFocusable(true);
}

void CheckBox::setCaption(std::string c) {
    caption_ = std::move(c);
    invalidate();
}

void CheckBox::setChecked(bool on) {
    checked_ = on;
    invalidate();
}

void CheckBox::toggle() {
    setChecked(!checked_);
    if (onClick) onClick();
}

void CheckBox::handleKeyDown(int& keyCode, int shift) {
    Control::handleKeyDown(keyCode, shift);
    if (keyCode == keys::Space) {
        keyCode = 0;
        toggle();
    }
}

void CheckBox::handleClick() {
    toggle();
}

void CheckBox::paint(Canvas& canvas, const Rect& area) {
    const int box = std::min(font->height(), area.h);
    const int by = area.y + (area.h - box) / 2;
    canvas.fillRect({area.x, by, box, box}, boxColor);
    canvas.frameRect(area.x, by, area.x + box - 1, by + box - 1, borderColor);
    if (checked_) {
        // A tick drawn two pixels thick.
        const int l = area.x + 2, t = by + 2, s = box - 4;
        for (int d = 0; d < 2; ++d) {
            canvas.line(l, t + s / 2 + d, l + s / 3, t + s - 1 + d - 1, markColor);
            canvas.line(l + s / 3, t + s - 1 + d - 1, l + s - 1, t + d, markColor);
        }
    }
    const int tx = area.x + box + 6;
    const int ty = area.y + (area.h - font->height()) / 2;
    const int w = DrawMnemonic(canvas, *font, tx, ty, caption_,
                               shownAndEnabled() ? foreColor : rgb(110, 110, 120));
    if (hasFocus()) focusMark(canvas, {tx - 2, ty - 1, w + 4, font->height() + 3}, foreColor);
}

std::vector<std::string> CheckBox::texts() const {
    return {(checked_ ? "[x] " : "[ ] ") + encodeUtf8(MnemonicText(caption_))};
}

}  // namespace dv

#include "ui/text_box.h"

#include <algorithm>

#include "ui/canvas.h"
#include "ui/keys.h"
#include "ui/utf8.h"

namespace dv {

TextBox::TextBox(std::string name) : Control(std::move(name)), font(Font::standard(12)) {
    setFocusable(true);
}

std::string TextBox::text() const {
    return encodeUtf8(text_);
}

void TextBox::setText(const std::string& utf8) {
    text_ = decodeUtf8(utf8);
    if (maxLength > 0 && static_cast<int>(text_.size()) > maxLength)
        text_.resize(static_cast<size_t>(maxLength));
    selStart_ = static_cast<int>(text_.size());
    selLength_ = 0;
    composition_.clear();
    changed();
}

void TextBox::selectAll() {
    setSelection(0, static_cast<int>(text_.size()));
}

void TextBox::setSelection(int start, int length) {
    int n = static_cast<int>(text_.size());
    selStart_ = std::clamp(start, 0, n);
    selLength_ = std::clamp(length, 0, n - selStart_);
    invalidate();
}

void TextBox::changed() {
    invalidate();
    if (onChange) onChange();
}

void TextBox::replaceSelection(const std::u32string& s) {
    std::u32string insert = s;
    int room = maxLength > 0 ? maxLength - (static_cast<int>(text_.size()) - selLength_) : -1;
    if (room >= 0 && static_cast<int>(insert.size()) > room)
        insert.resize(static_cast<size_t>(room));
    text_.replace(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_), insert);
    selStart_ += static_cast<int>(insert.size());
    selLength_ = 0;
    changed();
}

void TextBox::handleText(const std::string& utf8) {
    if (locked) return;
    composition_.clear();
    compCursor_ = 0;
    std::u32string accepted;
    for (char32_t c : decodeUtf8(utf8)) {
        int ascii = static_cast<int>(c);
        if (onKeyPress) onKeyPress(ascii);
        if (ascii == 0 || c < 32) continue;
        accepted.push_back(static_cast<char32_t>(ascii));
    }
    if (!accepted.empty()) replaceSelection(accepted);
    invalidate();
}

void TextBox::handleEditing(const std::string& utf8, int cursor) {
    composition_ = decodeUtf8(utf8);
    compCursor_ = std::clamp(cursor, 0, static_cast<int>(composition_.size()));
    invalidate();
}

void TextBox::handleKeyDown(int& keyCode, int shift) {
    Control::handleKeyDown(keyCode, shift);
    if (keyCode == 0 || composing()) return;
    int n = static_cast<int>(text_.size());
    int caret = selStart_ + selLength_;
    switch (keyCode) {
        case keys::Left:
            selStart_ = std::max(0, (selLength_ > 0 ? selStart_ + 1 : caret) - 1);
            selLength_ = 0;
            break;
        case keys::Right:
            selStart_ = std::min(n, selLength_ > 0 ? caret : caret + 1);
            selLength_ = 0;
            break;
        case keys::Home:
            selStart_ = 0;
            selLength_ = 0;
            break;
        case keys::End:
            selStart_ = n;
            selLength_ = 0;
            break;
        case keys::Delete:
            if (locked) return;
            if (selLength_ == 0 && selStart_ < n) selLength_ = 1;
            replaceSelection(U"");
            break;
        default:
            return;
    }
    invalidate();
}

void TextBox::handleKeyPress(int& keyAscii) {
    Control::handleKeyPress(keyAscii);
    if (keyAscii == keys::Back && !composing() && !locked) {
        if (selLength_ == 0 && selStart_ > 0) {
            --selStart_;
            selLength_ = 1;
        }
        replaceSelection(U"");
    }
}

void TextBox::handleGotFocus() {
    Control::handleGotFocus();
}

int TextBox::caretCells() const {
    return cellsOf(
               std::u32string_view(text_).substr(0, static_cast<size_t>(selStart_ + selLength_))) +
           cellsOf(std::u32string_view(composition_).substr(0, static_cast<size_t>(compCursor_)));
}

Rect TextBox::caretRect() const {
    Rect r = screenRect();
    int x = r.x + 3 + (caretCells() - scrollCells_) * font->cellWidth();
    return {std::min(x, r.right() - 1), r.y, 1, r.h};
}

void TextBox::paint(Canvas& canvas, const Rect& area) {
    canvas.fillRect(area, backColor);
    canvas.frameRect(area.x, area.y, area.right() - 1, area.bottom() - 1, borderColor);
    int cw = font->cellWidth();
    int visibleCells = std::max(1, (area.w - 6) / std::max(1, cw));
    // Keep the caret in view.
    int caret = caretCells();
    if (caret - scrollCells_ > visibleCells) scrollCells_ = caret - visibleCells;
    if (caret < scrollCells_) scrollCells_ = caret;
    int x0 = area.x + 3 - scrollCells_ * cw;
    int y = area.y + (area.h - font->height()) / 2;

    std::u32string before = text_.substr(0, static_cast<size_t>(selStart_ + selLength_));
    std::u32string after = text_.substr(static_cast<size_t>(selStart_ + selLength_));
    if (selLength_ > 0) {
        int sx =
            x0 + cellsOf(std::u32string_view(text_).substr(0, static_cast<size_t>(selStart_))) * cw;
        int sw = cellsOf(std::u32string_view(text_).substr(static_cast<size_t>(selStart_),
                                                           static_cast<size_t>(selLength_))) *
                 cw;
        canvas.fillRect({sx, y, sw, font->height()}, selectColor);
    }
    // A box that takes no input shows its text greyed.
    const Color ink = shownAndEnabled() ? foreColor : rgb(110, 110, 120);
    int x = x0 + font->drawChars(canvas, x0, y, before, ink);
    if (!composition_.empty()) {
        int w = font->drawChars(canvas, x, y, composition_, ink);
        canvas.line(x, y + font->height(), x + w - 1, y + font->height(), ink);
        x += w;
    }
    font->drawChars(canvas, x, y, after, ink);
    if (hasFocus()) {
        int cx = x0 + caret * cw;
        canvas.line(cx, y, cx, y + font->height() - 1, foreColor);
    }
}

}  // namespace dv

#include "ui/combo_box.h"

#include <algorithm>

#include "ui/canvas.h"
#include "ui/form.h"
#include "ui/keys.h"

namespace dv {

ComboBox::ComboBox(std::string name) : Control(std::move(name)), font(Font::standard(12)) {
    setFocusable(true);
    drop_.setName(this->name() + ".list");
    drop_.accessKeyOn = false;
    drop_.setFont(font);
    drop_.setSelectionFont(font);
    drop_.borderStyle = 1;
    drop_.onEnter = [this] { choose(drop_.listIndex()); };
    drop_.onKeyDown = [this](int& code, int) {
        if (code == keys::Esc || code == keys::Tab) {
            code = 0;
            closeUp();
        }
    };
    // Clicking anywhere else closes the list as it is.
    drop_.onLostFocus = [this] {
        if (open_) closeUp();
    };
}

void ComboBox::addItem(std::string text, std::int32_t data) {
    items_.push_back({std::move(text), data});
    invalidate();
}

void ComboBox::clear() {
    if (open_) closeUp();
    items_.clear();
    index_ = -1;
    invalidate();
}

std::string ComboBox::list(int i) const {
    if (i < 0 || i >= listCount()) return {};
    return items_[static_cast<size_t>(i)].text;
}

std::int32_t ComboBox::itemData(int i) const {
    if (i < 0 || i >= listCount()) return 0;
    return items_[static_cast<size_t>(i)].data;
}

void ComboBox::setListIndex(int i) {
    if (i >= listCount() || i < -1) return;
    index_ = i;
    invalidate();
    if (onClick) onClick();
}

void ComboBox::choose(int i) {
    closeUp();
    if (i >= 0 && i < listCount()) setListIndex(i);
}

void ComboBox::dropDown() {
    Form* f = form();
    if (open_ || !f || items_.empty() || !shownAndEnabled()) return;
    open_ = true;
    drop_.setRedraw(false);
    drop_.clear();
    for (const Item& item : items_)
        drop_.addItem(item.text);
    drop_.setListIndex(std::max(index_, 0));
    drop_.setRedraw(true);
    // The list hangs below the box, over the form's other controls.
    const Rect me = screenRect();
    const Rect fr = f->screenRect();
    const int rows = std::clamp(listCount(), 1, std::max(1, dropRows));
    const int rowH = font->height() + static_cast<int>(drop_.listHeight);
    int h = rows * rowH + drop_.borderWidth * 2 + 4;
    int y = me.bottom() - fr.y;
    if (y + h > fr.h) y = std::max(0, me.y - fr.y - h);  // above the box when there is no room
    f->add(drop_);
    drop_.move(me.x - fr.x, y, me.w, h);
    drop_.setVisible(true);
    drop_.setFocus();
}

void ComboBox::closeUp() {
    if (!open_) return;
    open_ = false;
    if (Form* f = form()) {
        if (drop_.parent()) drop_.parent()->remove(drop_);
        if (f->focused() == &drop_ || !f->focused()) setFocus();
        f->dropFocusIfBlocked();
    }
    invalidate();
}

void ComboBox::handleKeyDown(int& keyCode, int shift) {
    Control::handleKeyDown(keyCode, shift);
    const int last = listCount() - 1;
    const int page = std::max(1, dropRows - 1);
    switch (keyCode) {
        case keys::Up:
            if (shift & shiftbits::Alt) {
                dropDown();
            } else if (index_ > 0) {
                setListIndex(index_ - 1);
            }
            break;
        case keys::Down:
            if (shift & shiftbits::Alt) {
                dropDown();
            } else if (index_ < last) {
                setListIndex(index_ + 1);
            }
            break;
        case keys::Home:
            if (last >= 0) setListIndex(0);
            break;
        case keys::End:
            if (last >= 0) setListIndex(last);
            break;
        case keys::PageUp:
            if (last >= 0) setListIndex(std::max(0, index_ - page));
            break;
        case keys::PageDown:
            if (last >= 0) setListIndex(std::min(last, index_ + page));
            break;
        case keys::F1 + 3:  // F4
            dropDown();
            break;
        default:
            return;
    }
    keyCode = 0;
}

void ComboBox::handleClick() {
    dropDown();
}

void ComboBox::paint(Canvas& canvas, const Rect& area) {
    canvas.fillRect(area, backColor);
    canvas.frameRect(area.x, area.y, area.right() - 1, area.bottom() - 1, borderColor);
    // The button with the arrow at the right.
    const int bw = std::min(area.h, area.w);
    const Rect button{area.right() - bw, area.y, bw, area.h};
    canvas.fillRect({button.x + 1, button.y + 1, button.w - 2, button.h - 2}, rgb(40, 46, 80));
    const int cx = button.x + button.w / 2, cy = button.y + button.h / 2;
    canvas.fillPolygon({{cx - 4, cy - 2}, {cx + 4, cy - 2}, {cx, cy + 3}}, foreColor);
    const int y = area.y + (area.h - font->height()) / 2;
    const int x = area.x + 4;
    const std::string shown = text();
    if (hasFocus()) {
        const int w = std::min(font->textWidth(shown) + 4, area.w - bw - 4);
        canvas.fillRect({x - 2, y - 1, std::max(0, w), font->height() + 2}, colors::highlight);
    }
    canvas.setClip(Rect{area.x, area.y, area.w - bw, area.h}.intersect(canvas.clip()));
    font->draw(canvas, x, y, shown, hasFocus() ? colors::highlightText : foreColor);
}

std::vector<std::string> ComboBox::texts() const {
    return {text()};
}

}  // namespace dv

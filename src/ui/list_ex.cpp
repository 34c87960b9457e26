#include "ui/list_ex.h"

#include <algorithm>
#include <cmath>

#include "ui/keys.h"
#include "ui/utf8.h"

namespace dv {

namespace {

// The list's own font when a screen sets none: the game's face at 9 points.
FontRef defaultFont() {
    return Font::standard(Font::pointsToPixels(9));
}

// Fractional positions are stored to whole pixels: nearest, halves to even.
int toPixel(double v) {
    return static_cast<int>(std::lrint(v));
}

int channel(double v) {
    return std::clamp(toPixel(v), 0, 255);
}

char32_t firstChar(const std::string& text) {
    std::u32string chars = decodeUtf8(text);
    return chars.empty() ? U'\0' : chars.front();
}

// A rounded box (corner ellipse 10 by 10). A dotted outline leaves every other pixel of
// the edge in the fill colour; a pen wider than one pixel is solid.
void roundBox(Canvas& s, int x1, int y1, int x2, int y2, Color outline, Color fill, int pen,
              PenStyle style) {
    constexpr int kCorner = 10;
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (pen <= 1 && style == PenStyle::Dotted) {
        // Markers outside the colour range tell the edge from the inside.
        constexpr Color kOutside = 0x1000000, kEdge = 0x2000000, kInside = 0x3000000;
        Canvas shape(x2 - x1 + 1, y2 - y1 + 1, kOutside);
        shape.roundRect(0, 0, shape.width() - 1, shape.height() - 1, kCorner, kEdge, kInside, true);
        for (int y = 0; y < shape.height(); ++y) {
            for (int x = 0; x < shape.width(); ++x) {
                Color m = shape.pixel(x, y);
                int px = x1 + x, py = y1 + y;
                if (m == kInside) s.setPixel(px, py, fill);
                if (m == kEdge) s.setPixel(px, py, ((px + py) & 1) == 0 ? outline : fill);
            }
        }
        return;
    }
    if (pen <= 1) {
        s.roundRect(x1, y1, x2, y2, kCorner, outline, fill, true);
        return;
    }
    s.roundRect(x1, y1, x2, y2, kCorner, outline, outline, true);
    int in = pen - 1;
    if (x1 + in <= x2 - in && y1 + in <= y2 - in)
        s.roundRect(x1 + in, y1 + in, x2 - in, y2 - in, std::max(0, kCorner - 2 * in), outline,
                    fill, true);
}

}  // namespace

struct ListEx::Layout {
    SkinLayout skin;
    int width = 0;
    int height = 0;
    double rowHeight = 1;  // never below 1
    int rowPixels = 1;
    int listTop = 0;  // from the top frame edge to the first item row
    int rowsPerPage = 0;
    int first = 0;  // first visible item

    int top() const { return skin.frame.top; }
    // The top of an item row, in whole pixels.
    int rowTop(int item) const { return toPixel(top() + listTop + (item - first) * rowHeight); }
    bool shows(int item) const { return item >= first && item < first + rowsPerPage; }
};

ListEx::ListEx(std::string name)
    : Control(std::move(name)), font_(defaultFont()), selectionFont_(defaultFont()) {
    setFocusable(true);
}

// ---- Items --------------------------------------------------------------------------

std::string ListEx::list(int i) const {
    if (i < 0 || i >= listCount()) return {};
    return items_[static_cast<size_t>(i)].text;
}

void ListEx::setList(int i, std::string itemText) {
    if (i < 0 || i >= listCount()) return;
    items_[static_cast<size_t>(i)].text = std::move(itemText);
    repaint();
}

int32_t ListEx::itemData(int i) const {
    if (i < 0 || i >= listCount()) return 0;
    return items_[static_cast<size_t>(i)].data;
}

void ListEx::setItemData(int i, int32_t value) {
    if (i < 0 || i >= listCount()) return;
    items_[static_cast<size_t>(i)].data = value;
}

void ListEx::addItem(std::string itemText, int index) {
    addItems(index, std::vector<std::string>{std::move(itemText)});
}

void ListEx::addItems(int index, std::initializer_list<std::string> itemTexts) {
    addItems(index, std::vector<std::string>(itemTexts));
}

void ListEx::addItems(int index, const std::vector<std::string>& itemTexts) {
    for (const auto& t : itemTexts) {
        int n = listCount();
        // The insert position counts from 1: index 1 puts the item on top. An index
        // that names no place before the end appends.
        if (index < 1 || index >= n) {
            items_.push_back({t, 0});
            newIndex_ = n;
        } else {
            items_.insert(items_.begin() + (index - 1), Item{t, 0});
            newIndex_ = index - 1;
        }
    }
    repaint();
}

void ListEx::removeItem(int index) {
    if (index < 0 || index >= listCount()) return;
    bool lastWasSelected = listIndex_ == listCount() - 1;
    items_.erase(items_.begin() + index);
    if (lastWasSelected) listIndex_ = -1;
    repaint();
}

void ListEx::clear() {
    items_.clear();
    listIndex_ = -1;
    repaint();
}

// ---- Selection and text -------------------------------------------------------------

bool ListEx::select(int index) {
    if (index >= listCount()) return false;
    listIndex_ = std::max(index, -1);
    return true;
}

void ListEx::setListIndex(int index) {
    select(index);
    repaint();
    raiseClick();
}

void ListEx::setText(const std::string& s) {
    for (int i = 0; i < listCount(); ++i) {
        if (items_[static_cast<size_t>(i)].text == s) {
            listIndex_ = i;
            break;
        }
    }
    text_ = s;
    repaint();
}

void ListEx::setCaption(std::string c) {
    caption_ = std::move(c);
    repaint();
}

void ListEx::setRedraw(bool on) {
    redraw_ = on;
    if (on) repaint();
}

void ListEx::setFont(FontRef f) {
    if (f) font_ = std::move(f);
    invalidate();
}

void ListEx::setSelectionFont(FontRef f) {
    if (f) selectionFont_ = std::move(f);
    invalidate();
}

void ListEx::repaint() {
    if (!redraw_) return;
    // Once the list has items, Text follows the selection.
    if (!items_.empty()) text_ = list(listIndex_);
    invalidate();
}

void ListEx::raiseClick() {
    if (onClick) onClick();
}

void ListEx::raiseEnter() {
    if (onEnter) onEnter();
}

// ---- Layout -------------------------------------------------------------------------

double ListEx::rowHeight() const {
    return std::max(1.0, font_->height() + listHeight);
}

ListEx::Layout ListEx::layout() const {
    Layout l;
    l.width = width();
    l.height = height();
    l.skin = skinLayout(*this, l.width, l.height, indent);
    l.rowHeight = rowHeight();
    l.rowPixels = std::max(1, toPixel(l.rowHeight));
    l.listTop = caption_.empty() ? borderWidth + 1 : toPixel(l.rowHeight + borderWidth + 1);
    l.rowsPerPage = std::clamp((l.skin.innerHeight - l.listTop) / l.rowPixels, 0, listCount());
    // The list scrolls only as far as needed to show the selection on the last row.
    l.first = listIndex_ >= l.rowsPerPage ? listIndex_ - l.rowsPerPage + 1 : 0;
    return l;
}

int ListEx::topIndex() const {
    return layout().first;
}

int ListEx::rowsPerPage() const {
    return layout().rowsPerPage;
}

int ListEx::heightForRows(int rows) const {
    const Layout l = layout();
    return (l.height - l.skin.innerHeight) + l.listTop + std::max(0, rows) * l.rowPixels;
}

int ListEx::visibleRowTop(int row) const {
    const Layout l = layout();
    return toPixel(l.top() + l.listTop + row * l.rowHeight);
}

int ListEx::rowPitch() const {
    return layout().rowPixels;
}

std::vector<std::string> ListEx::visibleRows() const {
    Layout l = layout();
    std::vector<std::string> rows;
    for (int i = l.first; i < l.first + l.rowsPerPage && i < listCount(); ++i)
        rows.push_back(list(i));
    return rows;
}

std::vector<std::string> ListEx::texts() const {
    std::vector<std::string> out;
    if (!caption_.empty()) out.push_back(caption_);
    for (const auto& item : items_)
        out.push_back(item.text);
    return out;
}

int ListEx::itemAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return -1;
    Layout l = layout();
    // Rows are counted from the first item row down, past the frame and the caption.
    double below = y - l.top() - l.listTop;
    if (below < 0) return -1;
    int row = static_cast<int>(std::floor(below / l.rowHeight));
    if (row >= l.rowsPerPage) return -1;
    int item = l.first + row;
    return item < listCount() ? item : -1;
}

// ---- Input --------------------------------------------------------------------------

void ListEx::handleKeyDown(int& keyCode, int shift) {
    Control::handleKeyDown(keyCode, shift);  // the screen sees the key first
    if (keyCode == 0) return;
    if (keyCode == keys::Enter) {
        raiseEnter();
        if (enterOn) raiseClick();
        return;
    }
    const int last = listCount() - 1;
    const int page = std::max(0, rowsPerPage() - 1);
    bool accessKeyMatched = false;
    switch (keyCode) {
        case keys::Up:
            if (listIndex_ > 0)
                select(listIndex_ - 1);
            else if (listIndex_ == 0 && cursorLoop)
                select(last);
            break;
        case keys::Down:
            if (listIndex_ < last)
                select(listIndex_ + 1);
            else if (listIndex_ == last && cursorLoop)
                select(0);
            break;
        case keys::Home:
            select(0);
            break;
        case keys::End:
            select(last);
            break;
        case keys::PageUp:
            if (listIndex_ == 0) {
                if (cursorLoop) select(last);
            } else {
                select(std::max(0, listIndex_ - page));
            }
            break;
        case keys::PageDown:
            if (listIndex_ == last) {
                if (cursorLoop) select(0);
            } else {
                select(std::min(last, listIndex_ + page));
            }
            break;
        default:
            // The key code read as a character: letters match upper-case prefixes,
            // digits digit prefixes; a full-width first character never matches.
            if (!accessKeyOn) break;
            for (int i = 0; i <= last; ++i) {
                if (firstChar(items_[static_cast<size_t>(i)].text) ==
                    static_cast<char32_t>(keyCode)) {
                    select(i);
                    accessKeyMatched = true;
                    break;
                }
            }
            break;
    }
    repaint();
    if (accessKeyMatched && accessKeyEnter) raiseEnter();
    // Every key but Enter reports the selection, moved or not.
    raiseClick();
}

void ListEx::handleMouseDown(int button, int shift, int x, int y) {
    secondPress_ = false;
    pressedItem_ = button == buttons::Left ? itemAt(x, y) : -1;
    Control::handleMouseDown(button, shift, x, y);
}

void ListEx::handleMouseUp(int button, int shift, int x, int y) {
    releasedItem_ = button == buttons::Left ? itemAt(x, y) : -1;
    Control::handleMouseUp(button, shift, x, y);
}

void ListEx::handleClick() {
    // The second press of a double click reports DblClick instead.
    if (secondPress_) {
        secondPress_ = false;
        return;
    }
    int item = pressedItem_;
    pressedItem_ = -1;
    if (item >= 0 && item == releasedItem_) {
        // A click on an item row chooses the item painted there.
        setListIndex(item);
        raiseEnter();
    } else {
        raiseClick();
    }
}

void ListEx::handleDblClick() {
    secondPress_ = true;
    Control::handleDblClick();
}

void ListEx::handleGotFocus() {
    focused_ = true;
    Control::handleGotFocus();
}

void ListEx::handleLostFocus() {
    focused_ = false;
    Control::handleLostFocus();
}

// ---- Painting -----------------------------------------------------------------------

int ListEx::alignedX(const Layout& l, int textWidth) const {
    switch (alignment) {
        case Align::Right:
            return l.width - 1 - textWidth;
        case Align::Center:
            return l.width / 2 - textWidth / 2;
        case Align::Left:
        default:
            return l.skin.leftMargin + 5;
    }
}

void ListEx::paint(Canvas& canvas, const Rect& area) {
    if (area.w <= 0 || area.h <= 0) return;
    // While redrawing is off the list keeps its last picture.
    if (redraw_) {
        paintSurface(canvas, area);
        painted_ = true;
    }
    if (!painted_) return;
    canvas.blit(surface_, {0, 0, surface_.width(), surface_.height()}, area.x, area.y);
}

void ListEx::paintSurface(const Canvas& below, const Rect& where) {
    if (surface_.width() != where.w || surface_.height() != where.h)
        surface_.resize(where.w, where.h);
    if (gradationColor > 0xFFFFFF) gradationColor = 0xFFFFFF;

    const Layout l = layout();
    paintSkinBackground(surface_, *this, below, where);

    // Items other than the selected one.
    for (int i = l.first; i < l.first + l.rowsPerPage && i < listCount(); ++i) {
        if (i == listIndex_) continue;
        const std::string& t = items_[static_cast<size_t>(i)].text;
        int y = toPixel(l.top() + l.listTop + (i - l.first) * l.rowHeight + listHeight / 2);
        font_->draw(surface_, alignedX(l, font_->textWidth(t)), y, t, foreColor);
    }
    if (listIndex_ >= 0 && listIndex_ < listCount() && l.shows(listIndex_))
        paintSelection(l, l.rowTop(listIndex_));

    paintSkinBorder(surface_, *this, selectBorderColor);

    if (!caption_.empty()) {
        font_->draw(surface_, l.skin.leftMargin, borderWidth + 1 + l.top(), caption_, foreColor);
        int ruleY = l.top() + l.listTop;
        surface_.line(l.skin.leftMargin, ruleY, l.skin.leftMargin + l.skin.innerWidth - 1, ruleY,
                      selectBorderColor);
    }

    // Scroll marks at the right: more below, more above.
    const std::string down = "▼", up = "▲";
    int markRight = l.skin.leftMargin + l.skin.innerWidth;
    if (l.rowsPerPage < listCount() && listIndex_ != listCount() - 1)
        font_->draw(surface_, markRight - font_->textWidth(down),
                    l.height - l.top() - font_->height(), down, foreColor);
    if (listCount() > 0 && l.first != 0)
        font_->draw(surface_, markRight - font_->textWidth(up), l.top() + l.listTop, up, foreColor);
}

void ListEx::paintSelection(const Layout& l, int rowTop) {
    // The selected row is drawn in its own font, and its mark is as high as that font's row.
    const Font& selFont = *selectionFont_;
    const double selRowHeight = std::max(1.0, selFont.height() + listHeight);
    const int x1 = l.skin.leftMargin;
    const int x2 = l.skin.leftMargin + l.skin.innerWidth - 13;
    const int y1 = rowTop;
    const int y2 = toPixel(rowTop + selRowHeight);
    // Without the focus the outline is dotted.
    const PenStyle outline = focused_ ? PenStyle::Solid : PenStyle::Dotted;

    switch (selectStyle) {
        case 0:
            surface_.box(x1, y1, x2, y2, selectBorderColor, selectBackColor, listBorderWidth,
                         outline);
            break;
        case 1:
            if (listBorderWidth > 0)
                roundBox(surface_, x1, y1, x2, y2, selectBorderColor, selectBackColor,
                         listBorderWidth, outline);
            else
                roundBox(surface_, x1, y1, x2, y2, selectBackColor, selectBackColor, 1, outline);
            break;
        case 2: {
            // A bar in the start colour up to the gradation point, then one column at a
            // time towards the end colour across the rest of the width.
            const Color start = selectBackColor, end = gradationColor;
            const double p = std::clamp(gradationPoint, 0, 99) / 100.0;
            const double span = l.width - p * l.width;
            const double dr = (redOf(end) - redOf(start)) / span;
            const double dg = (greenOf(end) - greenOf(start)) / span;
            const double db = (blueOf(end) - blueOf(start)) / span;
            const double x0 = p * l.width - 1 + l.skin.leftMargin;
            surface_.box(x1, y1, toPixel(x0), y2 - 1, start, start, 0);
            for (int x = toPixel(x0); x <= l.skin.leftMargin + l.skin.innerWidth - 1; ++x) {
                double d = x - x0;
                Color c = rgb(channel(redOf(start) + d * dr), channel(greenOf(start) + d * dg),
                              channel(blueOf(start) + d * db));
                surface_.fillRect({x, y1, 1, y2 - y1}, c);
            }
            break;
        }
        case 3: {
            // A drop shadow, then the box over it; this mark is always outlined solid.
            surface_.box(x1 + 5, y1 + 5, x2, y2 + 5, shadowColor, shadowColor, 0);
            const int boxRight = l.skin.leftMargin + l.skin.innerWidth - 18;
            if (listBorderWidth > 0)
                surface_.box(x1, y1, boxRight, y2, selectBorderColor, selectBackColor,
                             listBorderWidth, PenStyle::Solid);
            else
                surface_.box(x1, y1, boxRight, y2, selectBackColor, selectBackColor, 0);
            break;
        }
        default:
            break;  // no mark
    }

    const std::string& t = items_[static_cast<size_t>(listIndex_)].text;
    selFont.draw(surface_, alignedX(l, selFont.textWidth(t)), toPixel(rowTop + listHeight / 2), t,
                 selectForeColor);
}

}  // namespace dv

#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/font.h"
#include "ui/label.h"
#include "ui/skin.h"

namespace dv {

// The game's skinned list: a keyboard-driven column of text items with a highlighted
// selection, an optional caption row, a skinned background and frame. Menus are lists
// whose items start with their access key ("F)戦う" is picked with F).
//
// Events: Enter is the "choose" of the screens. Click follows every key but Enter (even
// when nothing moved) and every assignment of the selection. A mouse click (press and
// release on the same item row) selects the item painted there and then raises Click and
// Enter, so a screen that chooses on Enter also chooses on a click.
class ListEx : public Control, public Skin {
  public:
    explicit ListEx(std::string name = {});

    // Items: parallel texts and values, indexed from 0.
    int listCount() const { return static_cast<int>(items_.size()); }
    // The item's text; "" outside the list.
    std::string list(int i) const;
    void setList(int i, std::string text);
    // The item's value; 0 outside the list (ItemData(-1) included).
    int32_t itemData(int i) const;
    void setItemData(int i, int32_t value);
    // Position of the last added item.
    int newIndex() const { return newIndex_; }

    // The selection, -1 for none. Values at or past the end are ignored and values
    // below -1 count as -1; either way the list repaints and raises Click.
    int listIndex() const { return listIndex_; }
    void setListIndex(int index);
    // The first item shown (the list scrolls so the selection sits on the last row).
    int topIndex() const;
    // How many item rows fit under the caption, at most the number of items.
    int rowsPerPage() const;
    // The height at which the list shows `rows` rows whole, its caption and frame included.
    int heightForRows(int rows) const;
    // The top of the n-th visible row (from 0), in the list's own pixels; rows are
    // rowPitch() apart. Labels beside a list line up with its rows by these.
    int visibleRowTop(int row) const;
    int rowPitch() const;

    // The selected item's text ("" with no selection) once the list has items; setting
    // it selects the first item with that text, without an event.
    const std::string& text() const { return text_; }
    void setText(const std::string& s);

    // A caption row above the items, with a rule under it.
    const std::string& caption() const { return caption_; }
    void setCaption(std::string c);

    // While false the list keeps showing what it showed; true repaints.
    bool redraw() const { return redraw_; }
    void setRedraw(bool on);

    // Appends, or with an index 1..count-1 inserts at position index - 1 (so 1 puts the
    // item on top); an index below 1 or at/after the count appends. The new item's value
    // is 0 and newIndex() names its position.
    void addItem(std::string itemText, int index = 0);
    // Adds each text in turn with the rule of addItem.
    void addItems(int index, std::initializer_list<std::string> texts);
    void addItems(int index, const std::vector<std::string>& texts);
    // Removes the item at a 0-based position (nothing outside the list). When the last
    // position was selected, the selection is cleared.
    void removeItem(int index);
    void clear();
    // The list repaints itself on every change; kept for the screens that ask.
    void refresh() {}

    FontRef font() const { return font_; }
    void setFont(FontRef f);
    FontRef selectionFont() const { return selectionFont_; }
    void setSelectionFont(FontRef f);

    // The look.
    Color foreColor = colors::buttonText;
    Color selectBackColor = colors::highlight;
    Color selectForeColor = colors::highlightText;
    Color selectBorderColor = colors::windowFrame;  // selection outline, border, caption rule
    Color shadowColor = colors::black;
    // 0 box, 1 rounded box, 2 gradient bar, 3 box with a drop shadow; others: no mark.
    int selectStyle = 0;
    int listBorderWidth = 1;  // pen width of the selection mark
    double listHeight = 0;    // extra height of every row
    int indent = 2;           // left margin of the items without a picture frame
    Align alignment = Align::Left;
    // Gradient bar: the share of the width (percent, 0..99) kept in the start colour,
    // and the end colour.
    int gradationPoint = 0;
    Color gradationColor = colors::black;

    // Behaviour.
    bool cursorLoop = false;      // cursor keys wrap around the ends
    bool accessKeyOn = true;      // typing an item's first character selects it
    bool accessKeyEnter = false;  // ... and raises Enter as well
    bool enterOn = false;         // Enter raises Click after Enter

    // The choose event.
    std::function<void()> onEnter;

    // The caption (when set) followed by every item's text.
    std::vector<std::string> texts() const override;
    // The items painted now, top to bottom.
    std::vector<std::string> visibleRows() const;
    // The item row under a point in the list's own coordinates; -1 for the caption, the
    // frame and the space below the last row.
    int itemAt(int x, int y) const;

    void paint(Canvas& canvas, const Rect& area) override;
    void handleKeyDown(int& keyCode, int shift) override;
    void handleMouseDown(int button, int shift, int x, int y) override;
    void handleMouseUp(int button, int shift, int x, int y) override;
    void handleClick() override;
    void handleDblClick() override;
    void handleGotFocus() override;
    void handleLostFocus() override;

  private:
    struct Item {
        std::string text;
        int32_t data = 0;
    };
    struct Layout;
    Layout layout() const;
    double rowHeight() const;
    // Keeps the selection inside -1..count-1; false when the value was refused.
    bool select(int index);
    // Shows the change (unless redrawing is off) and keeps Text in step with it.
    void repaint();
    void raiseClick();
    void raiseEnter();
    void paintSurface(const Canvas& below, const Rect& where);
    void paintSelection(const Layout& l, int rowTop);
    int alignedX(const Layout& l, int textWidth) const;

    std::vector<Item> items_;
    int listIndex_ = 0;
    int newIndex_ = 0;
    std::string text_ = "0";
    std::string caption_;
    bool redraw_ = true;
    bool focused_ = false;
    FontRef font_;
    FontRef selectionFont_;
    Canvas surface_;
    bool painted_ = false;
    int pressedItem_ = -1;
    int releasedItem_ = -1;
    bool secondPress_ = false;
};

}  // namespace dv

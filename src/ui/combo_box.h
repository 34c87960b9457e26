#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/font.h"
#include "ui/list_ex.h"

namespace dv {

// A drop-down list: the chosen row shows in the box. Up, Down, Home, End, PageUp and
// PageDown change the row in place; a click, F4 or Alt+Down opens the list below the box,
// where Enter or a click takes a row and Esc leaves it as it was. Click follows every
// change of the row.
class ComboBox : public Control {
  public:
    explicit ComboBox(std::string name = {});

    void addItem(std::string text, std::int32_t data = 0);
    void clear();
    int listCount() const { return static_cast<int>(items_.size()); }
    std::string list(int i) const;
    std::int32_t itemData(int i) const;
    int listIndex() const { return index_; }
    // -1 clears the row; values outside the list are ignored. Raises Click.
    void setListIndex(int i);
    // The chosen row's text ("" with none).
    std::string text() const { return list(index_); }

    bool droppedDown() const { return open_; }
    void dropDown();
    void closeUp();
    // Rows the open list shows at most.
    int dropRows = 10;

    FontRef font;
    Color foreColor = colors::buttonText;
    Color backColor = rgb(8, 10, 24);
    Color borderColor = colors::windowFrame;
    // The open list, for dressing it like the game's other lists.
    ListEx& dropList() { return drop_; }

    void handleKeyDown(int& keyCode, int shift) override;
    void handleClick() override;
    void paint(Canvas& canvas, const Rect& area) override;
    std::vector<std::string> texts() const override;

  private:
    void choose(int i);

    struct Item {
        std::string text;
        std::int32_t data = 0;
    };
    std::vector<Item> items_;
    int index_ = -1;
    bool open_ = false;
    ListEx drop_;
};

}  // namespace dv

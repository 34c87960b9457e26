#pragma once

#include <functional>
#include <string>

#include "ui/control.h"
#include "ui/font.h"

namespace dv {

// A single-line text box with Japanese input: committed text arrives as text events,
// the input method's composition is shown underlined at the caret, and Enter, Esc and
// Backspace belong to the input method while a composition is open.
class TextBox : public Control {
  public:
    explicit TextBox(std::string name = {});

    std::string text() const;
    void setText(const std::string& utf8);
    void selectAll();
    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    void setSelection(int start, int length);
    // Characters at most; 0 = no limit. Typed text beyond it is dropped.
    int maxLength = 0;
    // Shows its text and lets the caret move, but takes no typing.
    bool locked = false;
    FontRef font;
    Color foreColor = colors::white;
    Color backColor = rgb(8, 10, 24);
    Color borderColor = colors::windowFrame;
    Color selectColor = colors::highlight;
    const std::u32string& composition() const { return composition_; }

    // Raised after every change of the text.
    std::function<void()> onChange;

    bool wantsTextInput() const override { return !locked; }
    bool composing() const override { return !composition_.empty(); }
    void handleText(const std::string& utf8) override;
    void handleEditing(const std::string& utf8, int cursor) override;
    void handleKeyDown(int& keyCode, int shift) override;
    void handleKeyPress(int& keyAscii) override;
    void handleGotFocus() override;
    Rect caretRect() const override;
    void paint(Canvas& canvas, const Rect& area) override;
    std::vector<std::string> texts() const override { return {text()}; }

  private:
    void replaceSelection(const std::u32string& s);
    int caretCells() const;
    void changed();

    std::u32string text_;
    int selStart_ = 0;
    int selLength_ = 0;
    std::u32string composition_;
    int compCursor_ = 0;
    int scrollCells_ = 0;
};

}  // namespace dv

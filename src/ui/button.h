#pragma once

#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/font.h"

namespace dv {

// Captions with an access key: "&x" shows "x" underlined, "&&" shows "&".
std::u32string MnemonicText(const std::string& caption);
// The access key as a key code (an upper-case letter or a digit); 0 when there is none.
int MnemonicKey(const std::string& caption);
// Draws a caption with its access key underlined; returns the width drawn.
int DrawMnemonic(Canvas& canvas, const Font& font, int x, int y, const std::string& caption,
                 Color color);

// A push button: a click, Space or Enter raises Click.
class Button : public Control {
  public:
    explicit Button(std::string name = {}, std::string caption = {});

    const std::string& caption() const { return caption_; }
    void setCaption(std::string c);
    FontRef font;
    Color foreColor = colors::buttonText;
    Color backColor = rgb(40, 46, 80);
    Color borderColor = colors::windowFrame;
    Color disabledColor = rgb(110, 110, 120);

    // Raises Click as a click would.
    void press();

    void handleKeyDown(int& keyCode, int shift) override;
    void paint(Canvas& canvas, const Rect& area) override;
    std::vector<std::string> texts() const override;

  private:
    std::string caption_;
};

// A check box with its caption beside it: a click or Space ticks or clears it, then
// raises Click.
class CheckBox : public Control {
  public:
    explicit CheckBox(std::string name = {}, std::string caption = {});

    const std::string& caption() const { return caption_; }
    void setCaption(std::string c);
    bool checked() const { return checked_; }
    // Changes the tick without an event.
    void setChecked(bool on);
    void toggle();
    FontRef font;
    Color foreColor = colors::buttonText;
    Color boxColor = rgb(8, 10, 24);
    Color markColor = rgb(255, 230, 150);
    Color borderColor = colors::windowFrame;

    void handleKeyDown(int& keyCode, int shift) override;
    void handleClick() override;
    void paint(Canvas& canvas, const Rect& area) override;
    std::vector<std::string> texts() const override;

  private:
    std::string caption_;
    bool checked_ = false;
};

}  // namespace dv

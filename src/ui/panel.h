#pragma once

#include "ui/control.h"

namespace dv {

// A plain container: an optional background and border. Disabling it blocks every
// control inside. It can be made focusable to take keys itself (the party panel).
class Panel : public Control {
  public:
    explicit Panel(std::string name = {});
    bool opaque = false;
    Color backColor = colors::black;
    bool border = false;
    Color borderColor = colors::windowFrame;
    void paint(Canvas& canvas, const Rect& area) override;
};

// A rectangle shape (the selection bar of the party panel).
class Shape : public Control {
  public:
    explicit Shape(std::string name = {});
    bool filled = true;
    Color fillColor = colors::highlight;
    Color borderColor = colors::windowFrame;
    int borderWidth = 1;
    void paint(Canvas& canvas, const Rect& area) override;
};

}  // namespace dv

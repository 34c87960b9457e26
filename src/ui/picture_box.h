#pragma once

#include "ui/canvas.h"
#include "ui/control.h"

namespace dv {

// A control with its own drawing surface that the host paints into; it can take the
// focus and receive keys (the dungeon view).
class PictureBox : public Control {
  public:
    explicit PictureBox(std::string name = {});
    Canvas& surface() { return surface_; }
    const Canvas& surface() const { return surface_; }
    // Makes the surface match the control's size (cleared to the back colour).
    void resizeSurface();
    Color backColor = colors::black;
    // Clears the surface to the back colour.
    void cls();
    // Asks for the surface to be shown again after drawing into it.
    void refresh() { invalidate(); }
    void paint(Canvas& canvas, const Rect& area) override;
    bool paintsWholeArea() const override {
        return surface_.width() == 0 ||
               (surface_.width() >= width() && surface_.height() >= height());
    }

  private:
    Canvas surface_;
};

}  // namespace dv

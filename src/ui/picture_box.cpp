#include "ui/picture_box.h"

namespace dv {

PictureBox::PictureBox(std::string name) : Control(std::move(name)) {
    setFocusable(true);
}

void PictureBox::resizeSurface() {
    surface_.resize(width(), height(), backColor);
}

void PictureBox::cls() {
    if (surface_.width() != width() || surface_.height() != height())
        resizeSurface();
    else
        surface_.clear(backColor);
    invalidate();
}

void PictureBox::paint(Canvas& canvas, const Rect& area) {
    if (surface_.width() == 0) {
        canvas.fillRect(area, backColor);
        return;
    }
    canvas.blit(surface_, {0, 0, surface_.width(), surface_.height()}, area.x, area.y);
}

}  // namespace dv

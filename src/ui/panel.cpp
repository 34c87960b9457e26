#include "ui/panel.h"

#include "ui/canvas.h"

namespace dv {

Panel::Panel(std::string name) : Control(std::move(name)) {}

void Panel::paint(Canvas& canvas, const Rect& area) {
    if (opaque) canvas.fillRect(area, backColor);
    if (border) canvas.frameRect(area.x, area.y, area.right() - 1, area.bottom() - 1, borderColor);
}

Shape::Shape(std::string name) : Control(std::move(name)) {}

void Shape::paint(Canvas& canvas, const Rect& area) {
    if (filled) canvas.fillRect(area, fillColor);
    if (borderWidth > 0)
        canvas.frameRect(area.x, area.y, area.right() - 1, area.bottom() - 1, borderColor,
                         borderWidth);
}

}  // namespace dv

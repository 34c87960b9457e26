#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/font.h"
#include "ui/label.h"
#include "ui/skin.h"

namespace dv {

// The game's skinned panel: a container with the list's background styles and picture
// frame and a caption line at its top. Its children are drawn over it. Changes show at
// the next paint.
class PanelEx : public Control, public Skin {
  public:
    explicit PanelEx(std::string name = {});

    std::string caption;
    FontRef captionFont;
    Color captionColor = colors::black;
    // Where the caption goes across the inner width: left from the margin, right up to
    // the inner edge, or centred.
    Align captionAlignment = Align::Left;
    int indent = 0;                     // left margin of the caption without a picture frame
    Color borderColor = colors::black;  // the plain border and the caption rule

    // A text the screen may show under the caption line, wrapped to the inner width.
    std::string message;
    FontRef messageFont;
    Color messageColor = colors::black;
    Align messageAlignment = Align::Left;

    // The panel's coordinate system as the layouts store it; kept for the screens that
    // read it back, the panel itself always paints in pixels. The stored width is that of
    // the shading strip, never the panel's.
    int scaleMode = 1;
    double scaleHeight = 2025;
    double scaleLeft = 0;
    double scaleTop = 0;
    double scaleWidth = 234;

    // Scale modes of the conversions below.
    enum ScaleUnit {
        kUser = 0,
        kTwips = 1,
        kPoints = 2,
        kPixels = 3,
        kInches = 5,
        kMillimetres = 6,
        kCentimetres = 7
    };
    // A user coordinate system from two corners: (x1, y1) top-left, (x2, y2) bottom-right.
    void setScale(double x1, double y1, double x2, double y2);
    // A width or a height converted between two scale modes on this panel (user units
    // follow the panel's size and its scale width and height); unknown modes count as
    // pixels.
    double scaleX(double value, int from, int to) const;
    double scaleY(double value, int from, int to) const;

    // Host drawing over the panel's own painting, inside its surface, like drawing on a
    // picture box: called at every paint with the surface and the inner area.
    std::function<void(Canvas&, const Rect& inner)> onPaint;

    // The frame thicknesses, the left margin and the inner size for the current size.
    SkinLayout layout() const;
    // The area inside the picture frame (the whole panel without one), in the panel's
    // own coordinates, for placing children.
    Rect innerRect() const;

    void refresh() { invalidate(); }

    void paint(Canvas& canvas, const Rect& area) override;
    std::vector<std::string> texts() const override;

  private:
    int alignedX(const SkinLayout& l, Align a, int textWidth) const;
    Canvas surface_;
};

}  // namespace dv

#pragma once

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
    // read it back, the panel itself always works in pixels.
    int scaleMode = 1;
    double scaleHeight = 2025;
    double scaleLeft = 0;
    double scaleTop = 0;
    double scaleWidth = 234;

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

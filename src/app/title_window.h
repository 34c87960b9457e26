#pragma once

#include <functional>

#include "ui/canvas.h"
#include "ui/form.h"
#include "ui/label.h"

namespace dv {

// The first screen: the artwork, the version and the loading state. Any key or click,
// once loading is over, opens the main window.
class TitleWindow : public Form {
  public:
    TitleWindow(Ui& ui, const std::string& productTitle);

    Label Label1{"Label1"};
    Label lbl{"lbl"};
    Label lblTitle{"lblTitle"};

    // Loads the title artwork from a picture file; keeps the plain backdrop otherwise.
    void loadArtwork(const std::string& path);
    // What a key or click does (set by start-up).
    std::function<void()> onStart;

    void paint(Canvas& canvas, const Rect& area) override;

  private:
    void start();
    Canvas artwork_;
    bool started_ = false;
};

}  // namespace dv

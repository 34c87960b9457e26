// Saves what the player sees on the main screens as PNG files when DV_SCREENSHOT_DIR is
// set (the README's pictures come from here); otherwise checks that the screens paint.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "core/prompt_dialog.h"
#include "support/game_harness.h"
#include "ui/keys.h"

namespace dv {
namespace {

std::string shotPath(const char* name) {
    const char* dir = std::getenv("DV_SCREENSHOT_DIR");
    return dir ? std::string(dir) + "/" + name : std::string();
}

// A screen that painted something has more than a couple of colours.
size_t colours(Ui& ui) {
    ui.render();
    std::set<Color> seen(ui.canvas().pixels().begin(), ui.canvas().pixels().end());
    return seen.size();
}

TEST(Screens, TitleTownAndDialogPaint) {
    test::GameHarness h;
    h.copyPictures();
    ASSERT_TRUE(h.start());
    EXPECT_GT(colours(h.ui()), 2u);
    if (auto p = shotPath("title.png"); !p.empty()) h.savePng(p);
    h.script().key(keys::Space).check([&] {
        EXPECT_GT(colours(h.ui()), 2u);
        if (auto p = shotPath("town.png"); !p.empty()) h.savePng(p);
    });
    h.script().key('T').check([&] {
        if (auto p = shotPath("message.png"); !p.empty()) h.savePng(p);
    });
    h.script().key(keys::Space);
    h.run();
}

}  // namespace
}  // namespace dv

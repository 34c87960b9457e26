// The numbers the settings file holds for the window (position in twips, size in pixels),
// read as the game reads them and fitted to displays: whatever the file says, the window
// lies on the usable area, is at least 640x480 where the display allows, and the canvas
// is drawn inside the output.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/settings_store.h"
#include "core/window_settings.h"
#include "ui/window_fit.h"

namespace {

namespace fs = std::filesystem;

bool inside(const dv::Rect& r, const dv::Rect& area) {
    return r.x >= area.x && r.y >= area.y && r.right() <= area.right() &&
           r.bottom() <= area.bottom();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("dv-fuzz-settings-" + std::to_string(::getpid()));
        fs::create_directories(d);
        return d;
    }();
    {
        std::ofstream out(dir / "settings.ini", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const dv::SettingsStore stored(dir);
    const dv::WindowWish wish = dv::StoredWindowWish(stored);
    for (const dv::Rect usable : {dv::Rect{0, 0, 1366, 740}, dv::Rect{0, 0, 1024, 768},
                                  dv::Rect{1920, 28, 2560, 1412}, dv::Rect{-1280, 0, 600, 400}}) {
        const dv::WindowFit fit = dv::FitWindow(wish, usable);
        if (!inside(fit.rect, usable)) std::abort();
        if (fit.rect.w < fit.minWidth || fit.rect.h < fit.minHeight) std::abort();
        if (fit.minWidth != std::min(640, usable.w) || fit.minHeight != std::min(480, usable.h))
            std::abort();
        const dv::Rect shown = dv::PresentationRect(fit.rect.w, fit.rect.h);
        if (!inside(shown, {0, 0, fit.rect.w, fit.rect.h}) || shown.w < 1 || shown.h < 1)
            std::abort();
    }
    return 0;
}

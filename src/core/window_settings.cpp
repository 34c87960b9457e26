#include "core/window_settings.h"

#include <charconv>
#include <optional>
#include <string>

#include "core/main_window.h"

namespace dv {

namespace {

std::optional<long> number(const SettingsStore& settings, const char* section, const char* key) {
    const std::string text = settings.get(section, key, "");
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    while (begin < end && *begin == ' ')
        ++begin;
    long value = 0;
    auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr == begin) return std::nullopt;
    return value;
}

}  // namespace

WindowWish StoredWindowWish(const SettingsStore& settings) {
    WindowWish wish;
    const auto left = number(settings, MainWindow::kTownTitle, "Left");
    const auto top = number(settings, MainWindow::kTownTitle, "Top");
    if (left && top) {
        wish.hasPosition = true;
        wish.x = *left / kTwipsPerPixel;
        wish.y = *top / kTwipsPerPixel;
    }
    const auto width = number(settings, "Window", "Width");
    const auto height = number(settings, "Window", "Height");
    if (width && height) {
        wish.hasSize = true;
        wish.width = *width;
        wish.height = *height;
    }
    return wish;
}

}  // namespace dv

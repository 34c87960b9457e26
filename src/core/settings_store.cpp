#include "core/settings_store.h"

#include <charconv>
#include <cstdlib>
#include <system_error>

namespace dv {

std::filesystem::path SettingsStore::defaultFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (xdg && *xdg) {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::filesystem::path(home) / ".config";
    } else {
        base = std::filesystem::temp_directory_path();
    }
    return base / "dalvenor";
}

SettingsStore::SettingsStore(std::filesystem::path folder)
    : file_(std::move(folder) / "settings.ini"), ini_(IniFile::Load(file_)) {}

std::string SettingsStore::get(const std::string& section, const std::string& key,
                               const std::string& defaultValue) const {
    if (!ini_.has(section, key)) return defaultValue;
    return ini_.get(section, key, defaultValue);
}

long SettingsStore::getNumber(const std::string& section, const std::string& key,
                              long defaultValue) const {
    std::string text = get(section, key, "");
    long value = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    while (begin < end && *begin == ' ')
        ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr == begin) return defaultValue;
    return value;
}

void SettingsStore::set(const std::string& section, const std::string& key,
                        const std::string& value) {
    ini_.set(section, key, value);
    pending_ = true;
    if (batchDepth_ == 0) flush();
}

void SettingsStore::flush() {
    if (!pending_) return;
    std::error_code ec;
    std::filesystem::create_directories(file_.parent_path(), ec);
    // A settings file that cannot be written only loses the window position; the game
    // goes on, and the next change tries again.
    const bool written = writer_ ? writer_(file_, ini_) : ini_.Save(file_);
    if (written) pending_ = false;
}

}  // namespace dv

#pragma once

#include <filesystem>
#include <string>

#include "core/data/ini_file.h"

namespace dv {

// The per-user settings store of the application "QTR": sections and keys with text
// values, kept as an INI file in the user's configuration folder. Every change is
// written at once, crash-safely.
class SettingsStore {
  public:
    // The folder under $XDG_CONFIG_HOME (or ~/.config) that holds the store.
    static std::filesystem::path defaultFolder();

    explicit SettingsStore(std::filesystem::path folder);

    std::string get(const std::string& section, const std::string& key,
                    const std::string& defaultValue) const;
    // A whole number; the default when the key is missing or not a number.
    long getNumber(const std::string& section, const std::string& key, long defaultValue) const;
    void set(const std::string& section, const std::string& key, const std::string& value);
    const std::filesystem::path& file() const { return file_; }

  private:
    std::filesystem::path file_;
    IniFile ini_;
};

}  // namespace dv

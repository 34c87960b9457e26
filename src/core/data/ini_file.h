#pragma once

// A tolerant INI file (sections, keys, values) for QTR.ini and the per-user settings.
// Section and key names match without regard to ASCII letter case; values lose their
// leading blanks. Files in UTF-8 are kept in UTF-8; any other file is read as code page
// 932 and written back so. Lines that are not entries (comments, junk) are kept.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/atomic_file.h"

namespace dv {

class IniFile {
  public:
    // An empty file when the path cannot be read.
    static IniFile Load(const std::filesystem::path& path);
    static IniFile Parse(std::string_view text);

    std::string get(std::string_view section, std::string_view key,
                    std::string_view defaultValue = {}) const;
    bool has(std::string_view section, std::string_view key) const;
    void set(std::string_view section, std::string_view key, std::string_view value);
    void remove(std::string_view section, std::string_view key);
    // Keys of a section in file order.
    std::vector<std::string> keys(std::string_view section) const;

    std::string text() const;  // the file's text in UTF-8
    // Writes crash-safely (temporary file, flush, rename).
    bool Save(const std::filesystem::path& path, const WriteFaults& faults = {},
              std::string* error = nullptr) const;

  private:
    struct Line {
        std::string key;  // empty for a line that is not an entry
        std::string value;
        std::string raw;  // the line as read, for lines that are not entries
    };
    struct Section {
        std::string name;  // empty for lines before the first section
        std::vector<Line> lines;
    };

    const Section* findSection(std::string_view name) const;
    Section* findSection(std::string_view name);

    std::vector<Section> sections_;
    bool cp932_ = false;
};

}  // namespace dv

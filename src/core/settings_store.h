#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "core/data/ini_file.h"

namespace dv {

// The per-user settings store of the application "QTR": sections and keys with text
// values, kept as an INI file in the user's configuration folder. A change is written at
// once, crash-safely; changes made while a Batch is open are written together, once, when
// the outermost batch closes.
class SettingsStore {
  public:
    // Writes the store's text to its file; false when that failed.
    using Writer = std::function<bool(const std::filesystem::path& file, const IniFile& ini)>;

    // Holds the writes back while it lives.
    class Batch {
      public:
        explicit Batch(SettingsStore& store) : store_(store) { ++store_.batchDepth_; }
        ~Batch() {
            if (--store_.batchDepth_ == 0) store_.flush();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

      private:
        SettingsStore& store_;
    };

    // The folder under $XDG_CONFIG_HOME (or ~/.config) that holds the store.
    static std::filesystem::path defaultFolder();

    explicit SettingsStore(std::filesystem::path folder);

    std::string get(const std::string& section, const std::string& key,
                    const std::string& defaultValue) const;
    // A whole number; the default when the key is missing or not a number.
    long getNumber(const std::string& section, const std::string& key, long defaultValue) const;
    void set(const std::string& section, const std::string& key, const std::string& value);
    const std::filesystem::path& file() const { return file_; }

    // Replaces the way the file is written (tests count and fail writes through it).
    void setWriter(Writer writer) { writer_ = std::move(writer); }

  private:
    // Writes the pending changes, if any.
    void flush();

    std::filesystem::path file_;
    IniFile ini_;
    Writer writer_;
    int batchDepth_ = 0;
    bool pending_ = false;
};

}  // namespace dv

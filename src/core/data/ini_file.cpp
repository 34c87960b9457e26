#include "core/data/ini_file.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "core/data/names.h"

namespace dv {

namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A byte-order mark inside a line is as blank as a space: left in a key, it would turn into
// the file's own mark when the key is written first, and read back as another key.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trimLeft(std::string_view s) {
    for (;;) {
        if (!s.empty() && isBlank(s.front()))
            s.remove_prefix(1);
        else if (s.starts_with(kByteOrderMark))
            s.remove_prefix(kByteOrderMark.size());
        else
            return s;
    }
}

std::string_view trim(std::string_view s) {
    s = trimLeft(s);
    for (;;) {
        if (!s.empty() && (isBlank(s.back()) || s.back() == '\r'))
            s.remove_suffix(1);
        else if (s.ends_with(kByteOrderMark))
            s.remove_suffix(kByteOrderMark.size());
        else
            return s;
    }
}

// Code page 932 text with any Japanese in it almost never forms valid UTF-8.
bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t n = b < 0x80             ? 1
                              : (b & 0xE0) == 0xC0 ? 2
                              : (b & 0xF0) == 0xE0 ? 3
                              : (b & 0xF8) == 0xF0 ? 4
                                                   : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += n;
    }
    return true;
}

}  // namespace

IniFile IniFile::Load(const std::filesystem::path& path) {
    auto bytes = ReadWholeFile(path);
    if (!bytes) return Parse({});
    return Parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

IniFile IniFile::Parse(std::string_view raw) {
    IniFile ini;
    ini.sections_.push_back({});  // lines before the first section
    std::string text;
    // Any run of byte-order marks at the start is the file's mark, not text.
    while (raw.starts_with(kByteOrderMark))
        raw.remove_prefix(kByteOrderMark.size());
    if (isValidUtf8(raw)) {
        text = raw;
    } else {
        ini.cp932_ = true;
        text = Cp932ToUtf8(raw);
    }
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        const std::string_view body = trimLeft(line);
        const std::size_t close = body.find(']');
        if (body.starts_with('[') && close != std::string_view::npos) {
            ini.sections_.push_back({std::string(trim(body.substr(1, close - 1))), {}});
            continue;
        }
        const std::size_t equals = body.find('=');
        if (!body.starts_with(';') && equals != std::string_view::npos &&
            !trim(body.substr(0, equals)).empty()) {
            ini.sections_.back().lines.push_back({std::string(trim(body.substr(0, equals))),
                                                  std::string(trimLeft(body.substr(equals + 1))),
                                                  {}});
            continue;
        }
        ini.sections_.back().lines.push_back({{}, {}, std::string(line)});
    }
    return ini;
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    for (std::size_t i = 1; i < sections_.size(); ++i) {
        if (equalsNoCase(sections_[i].name, name)) return &sections_[i];
    }
    return nullptr;
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

std::string IniFile::get(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const {
    if (const Section* s = findSection(section)) {
        for (const Line& line : s->lines) {
            if (!line.key.empty() && equalsNoCase(line.key, key)) return line.value;
        }
    }
    return std::string(defaultValue);
}

bool IniFile::has(std::string_view section, std::string_view key) const {
    if (const Section* s = findSection(section)) {
        for (const Line& line : s->lines) {
            if (!line.key.empty() && equalsNoCase(line.key, key)) return true;
        }
    }
    return false;
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = findSection(section);
    if (!s) {
        if (sections_.empty()) sections_.push_back({});
        sections_.push_back({std::string(section), {}});
        s = &sections_.back();
    }
    for (Line& line : s->lines) {
        if (!line.key.empty() && equalsNoCase(line.key, key)) {
            line.value = value;
            return;
        }
    }
    // After the section's last entry, before the blank lines that end it.
    auto at = s->lines.end();
    while (at != s->lines.begin() && std::prev(at)->key.empty() &&
           trim(std::prev(at)->raw).empty()) {
        --at;
    }
    s->lines.insert(at, {std::string(key), std::string(value), {}});
}

void IniFile::remove(std::string_view section, std::string_view key) {
    if (Section* s = findSection(section)) {
        std::erase_if(s->lines, [&](const Line& line) {
            return !line.key.empty() && equalsNoCase(line.key, key);
        });
    }
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> result;
    if (const Section* s = findSection(section)) {
        for (const Line& line : s->lines) {
            if (!line.key.empty()) result.push_back(line.key);
        }
    }
    return result;
}

std::string IniFile::text() const {
    std::string out;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (i > 0) out += "[" + sections_[i].name + "]\n";
        for (const Line& line : sections_[i].lines) {
            out += line.key.empty() ? line.raw : line.key + "=" + line.value;
            out += "\n";
        }
    }
    return out;
}

bool IniFile::Save(const std::filesystem::path& path, const WriteFaults& faults,
                   std::string* error) const {
    const std::string body = cp932_ ? Utf8ToCp932(text()) : text();
    const auto* data = reinterpret_cast<const std::uint8_t*>(body.data());
    return WriteFileAtomically(path, std::span(data, body.size()), faults, error);
}

}  // namespace dv

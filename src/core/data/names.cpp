#include "core/data/names.h"

#include "core/data/cp932_table.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <stdexcept>

namespace dv {

namespace {

// One iconv conversion, closed when done.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of `in`; nothing when any part of it cannot be converted.
    std::optional<std::string> convert(std::string_view in) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * 4 + 8, '\0');
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = out.data();
        std::size_t dstLeft = out.size();
        if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) ||
            iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        out.resize(out.size() - dstLeft);
        return out;
    }

  private:
    iconv_t cd_;
};

// One converter per thread, opened on first use: opening iconv for every name would be
// slow.
Converter& toCp932() {
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the UTF-8 sequence starting with `lead`, or 0 when it cannot start one.
std::size_t utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return lead >= 0xC2 ? 2 : 0;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return lead <= 0xF4 ? 4 : 0;
    return 0;
}

// Splits UTF-8 text into characters; nothing when it is not valid UTF-8.
std::optional<std::vector<std::string_view>> splitUtf8(std::string_view text) {
    std::vector<std::string_view> chars;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = utf8Length(static_cast<unsigned char>(text[i]));
        if (n == 0 || i + n > text.size()) return std::nullopt;
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return std::nullopt;
        }
        chars.push_back(text.substr(i, n));
        i += n;
    }
    return chars;
}

// One character as UTF-8 at `out` (room for three bytes); U+FFFD for a code with no
// character. Returns the end of what was written.
char* putCharacter(char* out, char16_t ch) {
    if (ch == kCp932NoCharacter) {
        return std::copy(kReplacement.begin(), kReplacement.end(), out);
    }
    if (ch < 0x80) {
        *out++ = static_cast<char>(ch);
    } else if (ch < 0x800) {
        *out++ = static_cast<char>(0xC0 | ch >> 6);
        *out++ = static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        *out++ = static_cast<char>(0xE0 | ch >> 12);
        *out++ = static_cast<char>(0x80 | (ch >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (ch & 0x3F));
    }
    return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    // Every byte gives at most three bytes of UTF-8.
    std::string out(cp932.size() * 3, '\0');
    char* end = out.data();
    for (std::size_t i = 0; i < cp932.size();) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        // A lead byte takes the next byte with it; a lone or undefined code spoils only
        // itself.
        if (IsCp932Lead(b) && i + 1 < cp932.size()) {
            end = putCharacter(end, Cp932Character(b, static_cast<unsigned char>(cp932[i + 1])));
            i += 2;
        } else {
            end = putCharacter(end, Cp932Character(b));
            ++i;
        }
    }
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
}

std::string Utf8ToCp932(std::string_view utf8, bool* lossless) {
    if (lossless) *lossless = true;
    if (utf8.empty()) return {};
    Converter& conv = toCp932();
    if (auto whole = conv.convert(utf8)) return *whole;
    if (lossless) *lossless = false;
    std::string out;
    auto chars = splitUtf8(utf8);
    if (!chars) return std::string(CharacterCount(utf8), '?');
    for (std::string_view ch : *chars) {
        auto converted = conv.convert(ch);
        out += converted ? *converted : std::string("?");
    }
    return out;
}

std::optional<std::vector<std::uint16_t>> Cp932Codes(std::string_view utf8) {
    auto chars = splitUtf8(utf8);
    if (!chars) return std::nullopt;
    Converter& conv = toCp932();
    std::vector<std::uint16_t> codes;
    codes.reserve(chars->size());
    for (std::string_view ch : *chars) {
        auto bytes = conv.convert(ch);
        if (!bytes || bytes->empty() || bytes->size() > 2) return std::nullopt;
        std::uint16_t code = static_cast<unsigned char>((*bytes)[0]);
        if (bytes->size() == 2) {
            code = static_cast<std::uint16_t>(code << 8 | static_cast<unsigned char>((*bytes)[1]));
        }
        codes.push_back(code);
    }
    return codes;
}

std::string DecodeNameCodes(std::span<const std::int16_t> codes) {
    if (codes.size() < 2) return {};
    // Most records have no name: one pass over the codes tells.
    std::uint16_t any = 0;
    for (std::size_t j = 1; j < codes.size(); ++j)
        any = static_cast<std::uint16_t>(any | static_cast<std::uint16_t>(codes[j]));
    if (any == 0) return {};
    std::size_t last = codes.size() - 1;
    while (codes[last] == 0)
        --last;
    // Built in place and copied once, so the name holds no more room than its text.
    std::array<char, 3 * 128> local;
    std::string large;
    if (last * 3 > local.size()) large.resize(last * 3);
    char* const begin = large.empty() ? local.data() : large.data();
    char* end = begin;
    for (std::size_t j = 1; j <= last; ++j) {
        if (codes[j] == 0) continue;
        const auto code =
            static_cast<std::uint16_t>(static_cast<std::uint16_t>(codes[j]) ^ kNameCodeKey);
        // A lone lead byte, a code of zero or an undefined code has no character.
        char16_t ch = kCp932NoCharacter;
        if (code > 0xFF) {
            ch = Cp932Character(static_cast<unsigned char>(code >> 8),
                                static_cast<unsigned char>(code & 0xFF));
        } else if (code != 0) {
            ch = Cp932Character(static_cast<unsigned char>(code));
        }
        end = putCharacter(end, ch);
    }
    return std::string(begin, end);
}

bool EncodeNameCodes(std::string_view utf8, std::span<std::int16_t> codes) {
    auto cp = Cp932Codes(utf8);
    if (!cp || codes.empty() || cp->size() > codes.size() - 1) return false;
    for (std::size_t j = 1; j < codes.size(); ++j)
        codes[j] = 0;
    for (std::size_t j = 0; j < cp->size(); ++j) {
        codes[j + 1] = static_cast<std::int16_t>((*cp)[j] ^ kNameCodeKey);
    }
    return true;
}

void EncodeNameCodesFitting(std::string_view utf8, std::span<std::int16_t> codes) {
    if (codes.empty()) return;
    for (std::size_t j = 1; j < codes.size(); ++j)
        codes[j] = 0;
    auto chars = splitUtf8(utf8);
    if (!chars) return;
    std::size_t j = 1;
    for (std::string_view ch : *chars) {
        if (j >= codes.size()) break;
        if (auto code = Cp932Codes(ch))
            codes[j++] = static_cast<std::int16_t>((*code)[0] ^ kNameCodeKey);
    }
}

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

NameCheck checkName(std::string_view utf8, std::size_t maxCharacters) {
    if (CharacterCount(utf8) > maxCharacters) return NameCheck::TooLong;
    if (!Cp932Codes(utf8)) return NameCheck::NotStorable;
    return NameCheck::Ok;
}

std::string_view NameCheckMessage(NameCheck check) {
    switch (check) {
        case NameCheck::Ok:
            return {};
        case NameCheck::TooLong:
            return "名前は５０文字までです";
        case NameCheck::NotStorable:
            return "名前に使えない文字が含まれています";
    }
    return {};
}

}  // namespace dv

#include "core/data/names.h"

#include <iconv.h>

#include <algorithm>
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

// One converter each way per thread, opened on first use: opening iconv for every name
// would dominate loading the database.
Converter& fromCp932() {
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

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

bool isCp932Lead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    if (cp932.empty()) return {};
    Converter& conv = fromCp932();
    if (auto whole = conv.convert(cp932)) return *whole;
    // Convert character by character so one bad code spoils only itself.
    std::string out;
    for (std::size_t i = 0; i < cp932.size();) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        const std::size_t n = (isCp932Lead(b) && i + 1 < cp932.size()) ? 2 : 1;
        if (auto ch = conv.convert(cp932.substr(i, n))) {
            out += *ch;
        } else {
            out += kReplacement;
        }
        i += n;
    }
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
    Converter& conv = fromCp932();
    // Usually every code is a character: the whole name converts in one call, and gives
    // one character for each code when nothing in it is amiss.
    std::string whole;
    std::size_t characters = 0;
    bool allShaped = true;
    for (std::size_t j = 1; j < codes.size() && allShaped; ++j) {
        if (codes[j] == 0) continue;
        const auto code =
            static_cast<std::uint16_t>(static_cast<std::uint16_t>(codes[j]) ^ kNameCodeKey);
        if (code > 0xFF) {
            allShaped = isCp932Lead(static_cast<unsigned char>(code >> 8));
            whole.push_back(static_cast<char>(code >> 8));
        } else {
            allShaped = code != 0 && !isCp932Lead(static_cast<unsigned char>(code));
        }
        whole.push_back(static_cast<char>(code & 0xFF));
        ++characters;
    }
    if (allShaped) {
        if (auto converted = conv.convert(whole);
            converted && CharacterCount(*converted) == characters)
            return *converted;
    }
    std::string out;
    for (std::size_t j = 1; j < codes.size(); ++j) {
        if (codes[j] == 0) continue;
        const auto code =
            static_cast<std::uint16_t>(static_cast<std::uint16_t>(codes[j]) ^ kNameCodeKey);
        std::string bytes;
        if (code > 0xFF) bytes.push_back(static_cast<char>(code >> 8));
        bytes.push_back(static_cast<char>(code & 0xFF));
        // A lone lead byte or an undefined code has no character.
        const bool twoByteShape = code > 0xFF ? isCp932Lead(static_cast<unsigned char>(code >> 8))
                                              : !isCp932Lead(static_cast<unsigned char>(code));
        auto ch = (twoByteShape && code != 0) ? conv.convert(bytes) : std::nullopt;
        out += (ch && !ch->empty()) ? *ch : std::string(kReplacement);
    }
    return out;
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

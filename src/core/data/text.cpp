#include "core/data/text.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <utility>

#include "core/data/names.h"

namespace dv {

std::string_view StatusName(std::int32_t status) {
    static constexpr std::array<std::pair<std::int32_t, std::string_view>, 23> kPriority{{
        {65536, "消滅"},
        {32768, "灰燼"},
        {16384, "死"},
        {8192, "石化"},
        {1024, "蝿"},
        {2048, "ニンジン"},
        {4096, "病気"},
        {2, "麻痺"},
        {8, "混乱"},
        {64, "誘惑"},
        {1, "睡眠"},
        {512, "盲目"},
        {16, "氷結"},
        {32, "感電"},
        {4, "恐怖"},
        {134217728, "猛毒"},
        {128, "毒"},
        {256, "沈黙"},
        {262144, "隠れている"},
        {4194304, "攻撃軽減"},
        {16777216, "物理攻撃反射"},
        {8388608, "魔法攻撃反射"},
        {33554432, "状態変化防御"},
    }};
    for (const auto& [bit, name] : kPriority) {
        if (status & bit) return name;
    }
    return {};
}

std::string_view KindName(std::int64_t kind) {
    switch (kind) {
        case 1:
            return "武器";
        case 2:
            return "盾";
        case 3:
            return "鎧";
        case 4:
            return "小手";
        case 5:
            return "靴";
        case 6:
            return "兜";
        case 7:
            return "アクセサリ";
        case 9:
            return "楽器";
        case 10:
            return "マテリアル";
        case 12:
            return "護符・宝珠";
        default:
            return "その他";
    }
}

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Decodes one UTF-8 character at `i`; an invalid byte is passed through as itself.
char32_t nextChar(std::string_view s, std::size_t i, std::size_t& length) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = b < 0x80             ? 1
                    : (b & 0xE0) == 0xC0 ? 2
                    : (b & 0xF0) == 0xE0 ? 3
                    : (b & 0xF8) == 0xF0 ? 4
                                         : 0;
    if (n == 0 || i + n > s.size()) {
        length = 1;
        return 0xFFFFFFFF;
    }
    char32_t c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
    for (std::size_t k = 1; k < n; ++k) {
        const auto t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) {
            length = 1;
            return 0xFFFFFFFF;
        }
        c = (c << 6) | (t & 0x3F);
    }
    length = n;
    return c;
}

// Full-width katakana for the half-width kana U+FF61..U+FF9F.
constexpr std::array<char16_t, 63> kWideKana = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ',
    u'ョ', u'ッ', u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ',
    u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ',
    u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ',
    u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};

constexpr char32_t kHalfVoiced = 0xFF9E;
constexpr char32_t kHalfSemiVoiced = 0xFF9F;

constexpr std::u16string_view kVoiceable = u"カキクケコサシスセソタチツテトハヒフヘホ";
constexpr std::u16string_view kSemiVoiceable = u"ハヒフヘホ";

bool takesVoicedMark(char32_t wide) {
    return kVoiceable.find(static_cast<char16_t>(wide)) != kVoiceable.npos || wide == u'ウ';
}

bool takesSemiVoicedMark(char32_t wide) {
    return kSemiVoiceable.find(static_cast<char16_t>(wide)) != kSemiVoiceable.npos;
}

}  // namespace

std::string ToWide(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() * 3);
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = 1;
        const char32_t c = nextChar(utf8, i, length);
        if (c == 0xFFFFFFFF) {
            out.push_back(utf8[i]);
        } else if (c == U' ') {
            appendUtf8(out, 0x3000);
        } else if (c >= 0x21 && c <= 0x7E) {
            appendUtf8(out, c - 0x21 + 0xFF01);
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            char32_t wide = kWideKana[c - 0xFF61];
            std::size_t markLength = 0;
            const std::size_t next = i + length;
            const char32_t mark = next < utf8.size() ? nextChar(utf8, next, markLength) : 0;
            if (mark == kHalfVoiced && takesVoicedMark(wide)) {
                wide = wide == u'ウ' ? U'ヴ' : wide + 1;
                length += markLength;
            } else if (mark == kHalfSemiVoiced && takesSemiVoicedMark(wide)) {
                wide += 2;
                length += markLength;
            }
            appendUtf8(out, wide);
        } else {
            out.append(utf8.substr(i, length));
        }
        i += length;
    }
    return out;
}

std::string FieldRight(std::string_view text, std::size_t width) {
    const std::size_t count = CharacterCount(text);
    std::string out(count < width ? width - count : 0, ' ');
    out += text;
    return out;
}

std::string FieldLeft(std::string_view text, std::size_t width) {
    const std::size_t count = CharacterCount(text);
    std::string out(text);
    if (count < width) out.append(width - count, ' ');
    return out;
}

namespace {

std::string wholeNumberText(double value) {
    const double rounded = std::round(value);  // halves away from zero
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", rounded == 0 ? 0.0 : rounded);
    return buffer;
}

}  // namespace

std::string FormatNumber(double value) {
    std::string text = wholeNumberText(value);
    return text == "0" ? std::string() : text;
}

std::string FormatNumberZero(double value) {
    return wholeNumberText(value);
}

}  // namespace dv

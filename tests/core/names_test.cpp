#include "core/data/names.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <array>
#include <string>

namespace dv {
namespace {

std::int16_t coded(std::uint16_t cp932) {
    return static_cast<std::int16_t>(cp932 ^ kNameCodeKey);
}

TEST(Names, CodesAreCp932XorKeyOneCharacterEach) {
    std::array<std::int16_t, 51> codes{};
    ASSERT_TRUE(EncodeNameCodes("Aあ～\\ｱ", codes));
    EXPECT_EQ(codes[0], 0);
    EXPECT_EQ(codes[1], coded(0x41));
    EXPECT_EQ(codes[2], coded(0x82A0));
    EXPECT_EQ(codes[3], coded(0x8160));  // the wave dash of code page 932
    EXPECT_EQ(codes[4], coded(0x5C));    // a backslash stays a backslash
    EXPECT_EQ(codes[5], coded(0xB1));    // half-width kana are one byte
    EXPECT_EQ(codes[6], 0);
    EXPECT_EQ(DecodeNameCodes(codes), "Aあ～\\ｱ");
}

TEST(Names, ZeroCodesAddNothingAndEndNothing) {
    std::array<std::int16_t, 21> codes{};
    codes[1] = coded(0x41);
    codes[3] = coded(0x42);
    EXPECT_EQ(DecodeNameCodes(codes), "AB");
    EXPECT_EQ(DecodeNameCodes(std::array<std::int16_t, 31>{}), "");
}

TEST(Names, UndefinedCodesShowAsReplacementCharacters) {
    std::array<std::int16_t, 51> codes{};
    codes[1] = coded(0x85A0);  // unassigned row
    codes[2] = coded(0x82);    // a lead byte alone
    codes[3] = coded(0x4142);  // two ASCII bytes are not one character
    codes[4] = coded(0);       // a stored 31077
    codes[5] = coded(0x43);
    EXPECT_EQ(DecodeNameCodes(codes), "\uFFFD\uFFFD\uFFFD\uFFFDC");
}

// What iconv itself makes of one code, or U+FFFD when it refuses it.
std::string iconvCharacter(iconv_t cd, std::string bytes) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char out[16];
    char* src = bytes.data();
    std::size_t srcLeft = bytes.size();
    char* dst = out;
    std::size_t dstLeft = sizeof out;
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft != 0 ||
        dst == out)
        return "\uFFFD";
    return std::string(out, dst);
}

// Decoding goes through a table made at build time; every code must come out as iconv's
// "CP932" makes it, in the plain text and in the coded names alike.
TEST(Names, EveryCodeDecodesAsIconvDecodesIt) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    auto isLead = [](unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); };
    int compared = 0;
    for (unsigned first = 1; first < 256; ++first) {
        const bool lead = isLead(first);
        for (unsigned second = 0; second < (lead ? 256u : 1u); ++second) {
            std::string bytes(1, static_cast<char>(first));
            if (lead) bytes += static_cast<char>(second);
            const std::string expected = iconvCharacter(cd, bytes);
            ASSERT_EQ(Cp932ToUtf8(bytes), expected) << std::hex << first << " " << second;
            std::array<std::int16_t, 2> codes{};
            codes[1] = coded(static_cast<std::uint16_t>(lead ? first << 8 | second : first));
            if (codes[1] != 0) {
                ASSERT_EQ(DecodeNameCodes(codes), expected) << std::hex << first << " " << second;
            }
            ++compared;
        }
    }
    iconv_close(cd);
    EXPECT_GT(compared, 60 * 256);
}

TEST(Names, EncodingRefusesWhatTheRecordCannotHold) {
    std::array<std::int16_t, 6> codes{};
    codes[1] = 7;
    EXPECT_FALSE(EncodeNameCodes("ABCDEF", codes));  // five characters fit
    EXPECT_EQ(codes[1], 7);                          // unchanged on refusal
    EXPECT_FALSE(EncodeNameCodes("A😀", codes));
    EXPECT_TRUE(EncodeNameCodes("ABCDE", codes));

    EncodeNameCodesFitting("A😀BCDEFG", codes);
    EXPECT_EQ(DecodeNameCodes(codes), "ABCDE");
}

TEST(Names, CheckNameAtEntry) {
    const std::string fifty(50, 'x');
    std::string fiftyWide;
    for (int i = 0; i < 50; ++i)
        fiftyWide += "剣";
    const struct {
        std::string name;
        NameCheck expected;
    } cases[] = {
        {"", NameCheck::Ok},
        {fifty, NameCheck::Ok},
        {fiftyWide, NameCheck::Ok},
        {fifty + "y", NameCheck::TooLong},
        {fiftyWide + "剣", NameCheck::TooLong},
        {"勇者😀", NameCheck::NotStorable},
        {"Ω≒ﾀﾞ", NameCheck::Ok},
        {"\xFF\xFE", NameCheck::NotStorable},
        {"한국", NameCheck::NotStorable},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checkName(c.name), c.expected) << c.name;
        EXPECT_EQ(NameCheckMessage(c.expected).empty(), c.expected == NameCheck::Ok);
    }
}

TEST(Names, TextMembersConvertBothWays) {
    EXPECT_EQ(Cp932ToUtf8("\x82\xA0\x5C\x81\x60"), "あ\\～");
    EXPECT_EQ(Utf8ToCp932("あ\\～"), "\x82\xA0\x5C\x81\x60");
    EXPECT_EQ(Cp932ToUtf8("A\x85\xA0"
                          "B"),
              "A\uFFFDB");
    // A lead byte at the end stands alone; a zero byte is a character like any other.
    EXPECT_EQ(Cp932ToUtf8("B\x82\xA0\x82"), "Bあ\uFFFD");
    EXPECT_EQ(Cp932ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
    bool lossless = true;
    EXPECT_EQ(Utf8ToCp932("A😀", &lossless), "A?");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(CharacterCount("aあｱ"), 3u);
}

}  // namespace
}  // namespace dv

#pragma once

// Code page 932 to Unicode, made at build time from iconv's own "CP932" table. 0xFFFF marks
// a code with no character (and a lead byte in kCp932Single).

#include <cstddef>

namespace dv {

inline constexpr char16_t kCp932NoCharacter = 0xFFFF;
inline constexpr std::size_t kCp932LeadCount = 60;  // 0x81..0x9F and 0xE0..0xFC

extern const char16_t kCp932Single[256];
// Row (lead index) * 256 + trail byte.
extern const char16_t kCp932Pairs[kCp932LeadCount * 256];

constexpr bool IsCp932Lead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The character of a one-byte code or of a lead and trail byte; kCp932NoCharacter if none.
inline char16_t Cp932Character(unsigned char single) {
    return kCp932Single[single];
}
inline char16_t Cp932Character(unsigned char lead, unsigned char trail) {
    if (!IsCp932Lead(lead)) return kCp932NoCharacter;
    const std::size_t row = lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + 31u;
    return kCp932Pairs[row * 256 + trail];
}

}  // namespace dv

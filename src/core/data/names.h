#pragma once

// Text at the file edges. In memory all text is UTF-8; in files it is code page 932, as
// iconv's "CP932" converts it (decoded through a table made from iconv at build time; never
// "SHIFT_JIS", which maps 0x5C to the yen sign and 0x8160 to another wave dash). Names travel as
// arrays of 16-bit codes: element j (1..N) = the CP932 code of character j (a two-byte character is
// lead * 256 + trail) XOR 31077; 0 = no character; element 0 unused.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dv {

inline constexpr std::uint16_t kNameCodeKey = 31077;

// Bytes of CP932 text to UTF-8. A byte sequence CP932 does not define becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);
// UTF-8 to CP932 bytes. A character CP932 cannot hold becomes "?" and clears *lossless.
std::string Utf8ToCp932(std::string_view utf8, bool* lossless = nullptr);

// The CP932 code of each character of `utf8` (not yet XORed), or nothing when a character
// has no CP932 code or the text is not valid UTF-8.
std::optional<std::vector<std::uint16_t>> Cp932Codes(std::string_view utf8);

// The text of a code array (element 0 skipped). Zero codes add nothing and end nothing; a
// code that is not a CP932 character shows as U+FFFD (the stored code is kept as it is).
std::string DecodeNameCodes(std::span<const std::int16_t> codes);

// Fills elements 1..size-1 of `codes` from `utf8`, clearing them first. Returns false, and
// leaves `codes` unchanged, when the text is longer than the array or holds a character
// CP932 cannot store.
bool EncodeNameCodes(std::string_view utf8, std::span<std::int16_t> codes);

// The last guard when a name is written: codes for as many characters as the array holds,
// skipping characters CP932 cannot store. Names are checked where they are entered, so this
// changes nothing for a name that passed checkName.
void EncodeNameCodesFitting(std::string_view utf8, std::span<std::int16_t> codes);

// Characters (code points) in a UTF-8 text.
std::size_t CharacterCount(std::string_view utf8);

// Where a name is entered: a name the record cannot hold is refused with a message.
enum class NameCheck {
    Ok,
    TooLong,      // more than 50 characters
    NotStorable,  // holds a character code page 932 cannot store
};
NameCheck checkName(std::string_view utf8, std::size_t maxCharacters = 50);
// The refusal shown to the player; empty for Ok.
std::string_view NameCheckMessage(NameCheck check);

}  // namespace dv

// Battle pictures of the monster types. Every monster has exactly one type
// bit; the picture of bit 2^n is "monNN.png" with NN = n + 1, so bit 1 (獣) is
// mon01.png and bit 2097152 (機械) is mon22.png. Each is a 240 x 180 RGBA
// picture on a transparent background with the creature's feet near the
// bottom edge.
#pragma once

#include <cstdint>
#include <string>

namespace dv::art {

inline constexpr int kMonsterTypes = 22;
inline constexpr int kMonsterPictureWidth = 240;
inline constexpr int kMonsterPictureHeight = 180;

// The picture file for a monster's type bit; "" unless the value is exactly
// one of the 22 type bits.
std::string MonsterPictureFile(std::int32_t classBit);

}  // namespace dv::art

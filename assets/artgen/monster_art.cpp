#include "artgen/monster_art.h"

#include <bit>
#include <cstdio>

namespace dv::art {

std::string MonsterPictureFile(std::int32_t classBit) {
    if (classBit <= 0) return "";
    const auto bits = static_cast<std::uint32_t>(classBit);
    if (!std::has_single_bit(bits)) return "";
    const int type = std::countr_zero(bits);
    if (type >= kMonsterTypes) return "";
    char name[16];
    std::snprintf(name, sizeof name, "mon%02d.png", type + 1);
    return name;
}

}  // namespace dv::art

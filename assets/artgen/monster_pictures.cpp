#include "artgen/monster_pictures.h"

#include <array>

#include "artgen/monster_art.h"
#include "artgen/monster_kit.h"

namespace dv::art {

namespace {

// Drawn at three times three samples a pixel: fine enough for thin claws and
// outlines without taking long at build time.
constexpr int kSamples = 3;

using Drawing = Figure (*)();

constexpr std::array<Drawing, kMonsterTypes> kDrawings = {
    monsters::Beast,     monsters::Undead,       monsters::BeastFolk, monsters::Insect,
    monsters::Reptile,   monsters::Giant,        monsters::Bird,      monsters::Lycanthrope,
    monsters::Plant,     monsters::MagicalBeast, monsters::Demon,     monsters::Slime,
    monsters::Divine,    monsters::Dragon,       monsters::Human,     monsters::Aquatic,
    monsters::Elemental, monsters::Ghost,        monsters::Construct, monsters::Fairy,
    monsters::Sorcerer,  monsters::Machine,
};

}  // namespace

Figure MonsterFigure(int type) {
    return kDrawings[static_cast<std::size_t>(type)]();
}

RgbaImage RenderMonsterPicture(int type) {
    return RenderFigure(MonsterFigure(type), kMonsterPictureWidth, kMonsterPictureHeight, kSamples);
}

}  // namespace dv::art

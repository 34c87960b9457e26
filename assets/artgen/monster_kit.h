// Pieces shared by the monster drawings, and the drawing of each type.
#pragma once

#include <vector>

#include "artgen/figure.h"

namespace dv::art::monsters {

// Where feet meet the ground, a few pixels above the picture's bottom edge.
inline constexpr double kGround = 175;

// A soft dark patch under the creature.
void GroundShadow(Figure& f, double cx, double halfWidth, double strength = 0.5);
// A glowing eye with an optional dark pupil (round, or a slit when slit is set).
void GlowEye(Figure& f, Vec2 centre, double rx, double ry, Rgb colour, double degrees = 0,
             bool pupil = true, bool slit = false);
// A pointed tooth or claw, `width` across at its base.
Shape Fang(Vec2 base, Vec2 tip, double width);
// A curved horn or claw: a tube from base to tip bending towards bend.
Shape Horn(Vec2 base, Vec2 bend, Vec2 tip, double baseRadius);

// A feathered wing along the arm root -> wrist -> tip: flight feathers hang
// from it (turning from `hang` towards `fan` out at the tip), coverts over them.
struct FeatherWing {
    Vec2 root;
    Vec2 wrist;
    Vec2 tip;
    Vec2 hang;           // direction the inner flight feathers point
    Vec2 fan;            // direction the outermost ones point
    double innerLength;  // of the flight feathers at the root
    double outerLength;  // at the tip
    double width;        // of one flight feather
};
void AddFeatherWing(Figure& f, const FeatherWing& wing, const Material& flight,
                    const Material& coverts);

// A bat's wing: a membrane stretched from the shoulder over the arm to the
// finger tips and back to the body at `anchor`, scalloped between the fingers.
struct BatWing {
    Vec2 shoulder;
    Vec2 wrist;
    std::vector<Vec2> tips;
    Vec2 anchor;
    double armRadius;
};
void AddBatWing(Figure& f, const BatWing& wing, const Material& membrane, const Material& bone);

// A straight blade from base to tip with a pointed end.
Shape Blade(Vec2 base, Vec2 tip, double halfWidth);
// A toothed wheel.
Shape Gear(Vec2 centre, double radius, int teeth, double toothDepth, double degrees);

Material FurOf(Rgb back, Rgb belly, double backY, double bellyY, double degrees,
               std::uint32_t seed);
Material Ivory(std::uint32_t seed);
Material Steel(Rgb tint, std::uint32_t seed);
Material Wood(std::uint32_t seed);

Figure Beast();
Figure Undead();
Figure BeastFolk();
Figure Insect();
Figure Reptile();
Figure Giant();
Figure Bird();
Figure Lycanthrope();
Figure Plant();
Figure MagicalBeast();
Figure Demon();
Figure Slime();
Figure Divine();
Figure Dragon();
Figure Human();
Figure Aquatic();
Figure Elemental();
Figure Ghost();
Figure Construct();
Figure Fairy();
Figure Sorcerer();
Figure Machine();

}  // namespace dv::art::monsters

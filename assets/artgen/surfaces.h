// The dungeon's surfaces as colours on a unit face: u across (repeating every
// whole unit, so neighbouring faces join without a seam), v from the top (0)
// down to the floor (1). Colours are unlit; Lit() adds the party's torchlight.
#pragma once

#include "artgen/image.h"

namespace dv::art {

// Dressed stone blocks in courses, with mortar, grain, worn edges and damp.
Rgb StoneWall(double u, double v);
// The stone wall with an arched, iron-banded plank door in the middle.
Rgb DoorWall(double u, double v);

// Flagstones of one cell's floor (s across, t from the near edge to the far edge).
Rgb FloorStone(double s, double t);
// Rough vault stones of one cell's ceiling.
Rgb CeilingStone(double s, double t);

// Torchlight carried by the party: bright and warm close by, cold and dark far
// away. facing < 1 dims faces the light grazes (side walls).
Rgb Lit(Rgb albedo, double depth, double facing);

// Soft shadow where a wall meets the ceiling and the floor.
double CornerShade(double v);

}  // namespace dv::art

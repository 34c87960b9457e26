#pragma once

// The first-person view: the sixteen cells around the party, three ways of painting their
// faces (lines, pictures, shaded polygons), and the overlay of moons and help lines.

#include <array>

#include "ui/canvas.h"

namespace dv {

struct Game;
struct Place;
struct DungeonState;
struct ViewPictures;

// One view slot: its walls and doors turned into the party's frame (1 front, 2 right,
// 4 behind, 8 left) and whether its cell is dark.
struct ViewSlot {
    int walls = 0;
    int doors = 0;
    bool dark = false;
};
// Slots 1..16 (element 0 unused).
using ViewSlots = std::array<ViewSlot, 17>;

// (lateral, forward) offsets of slots 1..16 in the party's frame.
struct SlotOffset {
    int lateral, forward;
};
const std::array<SlotOffset, 17>& SlotOffsets();

// The geometry of a slot in 220-unit view coordinates.
struct SlotGeometry {
    int nearLeftX, farLeftX, nearRightX, farRightX, farTopY, nearTopY, farBottomY, nearBottomY;
};
const std::array<SlotGeometry, 17>& SlotGeometries();

// The maze cell of slot 1..16 for a party at (x, y) facing f.
struct Cell {
    int x, y;
};
Cell SlotCell(int x, int y, int facing, int slot);
// A side value turned into the party's frame (only the four side bits count).
int TurnSides(int value, int facing);

ViewSlots ComputeSlots(const Game& game);

// The renderers. Lines and polygons paint the whole canvas (scaled to 220 by 220 units);
// pictures paint the top-left 480 by 240 part of a canvas at least that large (the rest
// of the canvas is left alone).
void DrawLines(Canvas& canvas, const ViewSlots& slots);
void DrawPolygons(Canvas& canvas, const ViewSlots& slots);
void DrawPictures(Canvas& canvas, const ViewSlots& slots, const ViewPictures& pictures);
// The picture drawing's 480 by 240 view stretched over the whole map picture.
void StretchView(Canvas& view, const Canvas& picture);
// The dark own cell: black and "≪まっくらやみだ≫".
void DrawDarkness(Canvas& canvas);

// Draws the view into the map picture by the drawing setting, then the overlay.
void Redraw(Game& game);
// Loads the wall, door, background and moon pictures from the game folder; on a failure
// records it and (while pictures are wanted) tells the player once.
void LoadPictures(Game& game);

}  // namespace dv

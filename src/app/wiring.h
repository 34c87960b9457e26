#pragma once

namespace dv {

struct Game;
class GameWindow;

// Fills every link between the rooms and registers the main window's room controls; the
// one place where a room learns of the rooms above it.
void WireRooms(Game& game, GameWindow& window);

}  // namespace dv

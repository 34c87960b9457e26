#pragma once

namespace dv {

struct Game;

// Writes the whole game to QTR1.DAT crash-safely. When the write fails the player is told
// and the previous save stays as it was; returns whether the save was written.
bool SaveGame(Game& game);

}  // namespace dv

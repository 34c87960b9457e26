#pragma once

namespace dv {

struct Game;

// The start-up steps after the single-copy check: the title, settings and title music,
// the data files, the version record, the main window made ready. Returns false when the
// game cannot start; the player has then been told why.
bool StartUp(Game& game);

// The title's key or click: the main window on the town menu.
void EnterTown(Game& game);

// The orderly end: window position, the party's place, the save, the music, the windows.
void ShutDown(Game& game);

// Shutdown and the end of the program (the outskirts' quit entry, the close box, a
// signal). Asked while a modal window waits, it leaves every window at once (GameEnded).
void QuitGame(Game& game);

// The main window's close box: refused during battle command entry, otherwise the same as
// quitting, also while a message or another modal window is up.
void CloseMainWindow(Game& game);

}  // namespace dv

#pragma once

// The signals that ask the game to end: SIGTERM (a logout, a system shutdown), SIGINT
// (Ctrl+C in the terminal) and SIGHUP (the terminal went away). The handler only notes the
// request; the backends turn it into a Terminate event at their next wait, and the game
// ends through its own shutdown steps, wherever it is waiting.

namespace dv {

// Installs the handler for the three signals (once per process).
void InstallTerminationSignals();

// The signal that asked the game to end and clears the request; 0 when none came.
int TakeTerminationRequest();

// Thrown, once the shutdown steps are done, to leave every waiting window at once: the
// rules that were waiting in a message or a nested window unwind instead of going on
// (nothing after the final save may change the game). Caught by Ui::run. It is not a
// std::exception, so no handler of errors takes it for one.
struct GameEnded {};

}  // namespace dv

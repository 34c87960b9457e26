// Standard MIDI File writer: format 1, a conductor track and one track per instrument.
#pragma once

#include <cstdint>
#include <vector>

#include "musicgen/score.h"

namespace dv::music {

// Every track resets its controllers before setting its own, so a loop or the next piece
// never inherits a state, and every track ends at the piece's last bar line.
std::vector<std::uint8_t> WriteMidi(const Score& score);

}  // namespace dv::music

// A composed piece as timed notes per instrument, ready to be written as a MIDI file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dv::music {

inline constexpr int kTicksPerQuarter = 480;
inline constexpr int kDrumChannel = 9;

// What a track does in the arrangement; the tests look at the lead against the chords.
enum class Role { Lead, Harmony, Bass, Chords, Arpeggio, Drone, Drums };

struct Note {
    int start = 0;  // ticks from the start of the piece
    int end = 0;    // the note-off tick, always after start
    int pitch = 0;
    int velocity = 0;
};

struct Track {
    std::string name;
    Role role = Role::Lead;
    int channel = 0;
    int program = 0;  // General MIDI program, 0-based
    int volume = 100;
    int pan = 64;
    int reverb = 40;
    int chorus = 0;
    std::vector<Note> notes;  // sorted by start, never two of one pitch sounding at once
};

// The harmony sounding from start to end: bit n set for pitch class n.
struct ChordSpan {
    int start = 0;
    int end = 0;
    std::uint16_t pitchClasses = 0;
};

struct Score {
    std::string title;
    int beatsPerMinute = 120;  // quarter notes
    int meterBeats = 4;        // time signature numerator
    int meterUnit = 4;         // and denominator
    int keySharps = 0;         // key signature: sharps (negative for flats)
    bool keyMinor = false;
    int bars = 0;
    std::vector<Track> tracks;
    std::vector<ChordSpan> chords;

    int TicksPerBar() const { return meterBeats * kTicksPerQuarter * 4 / meterUnit; }
    int Length() const { return bars * TicksPerBar(); }
};

}  // namespace dv::music

// Pieces written as small text tables (melody, chords, accompaniment patterns) and the
// composer that turns them into notes.
//
// Melody: one token per grid step, bars split by '|' (each bar must hold exactly the
// piece's steps). A note is a scale degree 1..7 of the piece's mode, with '#' or 'b' in
// front to raise or lower it and each ' (,) after it lifting (dropping) an octave; '-'
// holds the note before (also across bar lines), '.' is a rest.
//
// Chords: bars split by '|', a bar's chords sharing it equally. A chord is a degree with an
// optional '#'/'b', then its kind: nothing (the triad of the mode's own notes), M, m, o
// (diminished), + (augmented), s4, s2; then '7' for a seventh ("5M7" is a dominant seventh,
// "1maj7" a major seventh, "7o7" a diminished seventh) and '/degree' for another bass note.
//
// Patterns of the accompaniment: one token per step as well, any number of steps per bar,
// several bars (split by '|') taken in turn.
//   Bass:     R root (or the bass of a slash chord), 3 5 7 the chord's third, fifth and
//             seventh above it, 8 the root an octave up, L the fifth below, A a step into the
//             next chord's root.
//   Chords:   x a chord, X an accented chord; two voices make a bare fifth.
//   Arpeggio: 0..9 the n-th chord note counted up from the part's lowest pitch.
//   Drums:    "note:steps;note:steps", X loud, x normal, o soft.
//   All:      '-' holds, '.' rests; a held note is struck again where the chord changes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "musicgen/score.h"

namespace dv::music {

enum class Mode { Major, Minor, HarmonicMinor, Dorian, Phrygian, Lydian, Mixolydian };

struct Section {
    std::string name{};
    std::string chords;
    std::string melody;  // empty: no tune in this section
};

struct Part {
    std::string name{};
    Role role = Role::Lead;
    int program = 0;
    int low = 48;    // lowest pitch of chords, arpeggios and the bass root
    int high = 72;   // highest pitch of chords (Harmony: the lowest it goes is low)
    int shift = 0;   // Lead and Harmony: semitones from the written melody
    int voices = 3;  // Chords
    int velocity = 80;
    int articulation = 92;  // percent of the written length that sounds
    int volume = 100;
    int pan = 64;
    int reverb = 40;
    int chorus = 0;
    // What the part plays at each layer (loudness level 0..3 of a section in the form);
    // empty = silent. Lead, Harmony and Drone play at any non-empty layer.
    std::array<std::string, 4> layers{};
    std::string fill{};  // Drums: replaces the pattern in the last bar of each section
    int crash = 0;       // Drums: a cymbal on the first beat of each section
    std::string only{};  // names of the sections the part is kept to; empty = all
};

struct Piece {
    std::string title{};
    int beatsPerMinute = 120;
    int meterBeats = 4;
    int meterUnit = 4;
    int steps = 8;   // melody steps per bar
    int tonic = 60;  // pitch of degree 1 in the melody's own octave
    Mode mode = Mode::Major;
    std::vector<Section> sections{};
    std::string form{};  // "Intro:0 A:1 B:2": sections in play order, each with its layer
    std::vector<Part> parts{};
    std::uint32_t seed = 1;  // for the small velocity differences that make it breathe
};

// Composes the piece; a table that does not read (a bar of the wrong length, an unknown
// token or section) throws std::invalid_argument naming the place.
Score Compose(const Piece& piece);

}  // namespace dv::music

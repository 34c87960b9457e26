// The title and the town: the castle town, the outskirts and the places the party visits
// between expeditions.
#include "musicgen/pieces.h"

namespace dv::music {

// A hero's theme: a horn states it, the trumpet answers over the full orchestra.
Piece TitlePiece() {
    return {
        .title = "Dalvenor",
        .beatsPerMinute = 88,
        .steps = 8,
        .tonic = 62,
        .mode = Mode::Major,
        .sections =
            {
                {"Intro", "1 | 4/1 | 1 | 5s4 5", ""},
                {"A", "1 | 57/7 | 6 | 3 | 4 | 1/3 | 2m7 | 5",
                 "1 - - 5, 1 - 3 - | 5 - - - 4 - 3 2 | 3 - - 1 6, - - - | 7, - 1 2 3 - 5 - |"
                 "6 - - 5 4 - 3 - | 5 - - 3 1 - 3 - | 2 - 3 4 6 - 4 3 | 2 - - - - - . ."},
                {"A2", "1 | 57/7 | 6 | 3 | 4 | 1/5 | 57 | 1",
                 "1 - - 5, 1 - 3 - | 5 - - - 4 - 3 2 | 3 - - 1 6, - - - | 7, - 1 2 3 - 5 - |"
                 "1' - - 7 6 - 5 - | 5 - - 3 1 - 2 3 | 2 - - 3 4 - 7, - | 1 - - - - - . ."},
                {"B", "6 | 3 | 4 | 1/3 | 2 | 3 | 4 | 5",
                 "3' - - 2' 1' - 6 - | 7 - - 1' 5 - - - | 6 - - 5 4 - 6 - | 5 - - - 3 - 1 - |"
                 "2' - - 1' 6 - 5 - | 5 - - 6 7 - 1' - | 1' - - 2' 6 - 4 - | 5 - - - 7, - 2 -"},
            },
        .form = "Intro:0 A:1 A2:2 B:1 A2:2",
        .parts =
            {
                {.name = "Horn", .role = Role::Lead, .program = 60, .velocity = 90,
                 .articulation = 96, .volume = 104, .pan = 56, .reverb = 70,
                 .layers = {"", "*", "", ""}},
                {.name = "Trumpet", .role = Role::Lead, .program = 56, .velocity = 92,
                 .articulation = 92, .volume = 98, .pan = 72, .reverb = 70,
                 .layers = {"", "", "*", ""}},
                {.name = "Horns below", .role = Role::Harmony, .program = 60, .low = 50,
                 .velocity = 76, .articulation = 96, .volume = 86, .pan = 48, .reverb = 70,
                 .layers = {"", "", "*", ""}},
                {.name = "Strings", .role = Role::Chords, .program = 48, .low = 50, .high = 74,
                 .voices = 4, .velocity = 62, .articulation = 100, .volume = 88, .pan = 60,
                 .reverb = 80, .layers = {"x", "x", "x", ""}},
                {.name = "Harp", .role = Role::Arpeggio, .program = 46, .low = 50,
                 .velocity = 64, .articulation = 100, .volume = 84, .pan = 36, .reverb = 80,
                 .layers = {"0 1 2 3 4 3 2 1", "0 1 2 3 4 3 2 1", "0 1 2 3 4 5 4 3", ""}},
                {.name = "Basses", .role = Role::Bass, .program = 43, .low = 38,
                 .velocity = 78, .articulation = 96, .volume = 96, .pan = 64, .reverb = 60,
                 .layers = {"R", "R - - - 5 - - -", "R - - R 5 - 8 -", ""}},
                {.name = "Timpani", .role = Role::Bass, .program = 47, .low = 38,
                 .velocity = 76, .articulation = 80, .volume = 90, .pan = 76, .reverb = 70,
                 .layers = {"R - - - . . . . | . | R - - - . . . . | R R R R R R R R",
                            "R - - - . . . .", "R - . R R - . .", ""}},
                {.name = "Percussion", .role = Role::Drums, .velocity = 80, .volume = 90,
                 .reverb = 70, .layers = {"", "", "35:X...x...", ""},
                 .fill = "35:X...x...;38:........ooxxxxxX", .crash = 49},
            },
        .seed = 101,
    };
}

// Morning in the castle town: a flute tune over plucked strings, a stroll of a bass.
Piece CastleTownPiece() {
    return {
        .title = "Castle Town",
        .beatsPerMinute = 116,
        .steps = 8,
        .tonic = 67,
        .mode = Mode::Major,
        .sections =
            {
                {"Intro", "1 | 2m 5", ""},
                {"A", "1 | 6m | 2m | 5 | 1 | 4 | 2m 5 | 1",
                 "5 - 3 4 5 - 1' - | 6 - 5 3 1 - 3 - | 2 - 4 3 2 - 6, - | 7, - 1 2 5, - . . |"
                 "5 - 3 4 5 - 1' - | 6 - 5 4 1' - 6 - | 2' - 1' 6 5 - 4 - | 1' - - - . . . ."},
                {"B", "4 | 5 | 3 | 6 | 4 | 5 | 6 2 | 5",
                 "1' - - 7 6 - 5 - | 2' - - 1' 7 - 6 - | 5 - - 6 7 - 1' - | 1' - - - 3 - 4 - |"
                 "6 - - 5 4 - 3 - | 2 - - 3 5 - 6 - | 1' - 7 6 6 - 5 4 | 5 - - - 2 - 7, -"},
            },
        .form = "Intro:0 A:1 B:1 A:2 B:2",
        .parts =
            {
                {.name = "Flute", .role = Role::Lead, .program = 73, .shift = 12,
                 .velocity = 86, .articulation = 88, .volume = 100, .pan = 70, .reverb = 50,
                 .layers = {"", "*", "*", ""}},
                {.name = "Oboe", .role = Role::Harmony, .program = 68, .low = 58,
                 .velocity = 72, .articulation = 88, .volume = 84, .pan = 48, .reverb = 50,
                 .layers = {"", "", "*", ""}},
                {.name = "Glockenspiel", .role = Role::Lead, .program = 9, .velocity = 58,
                 .articulation = 60, .volume = 70, .pan = 84, .reverb = 60,
                 .layers = {"", "", "*", ""}, .only = "A"},
                {.name = "Pizzicato", .role = Role::Arpeggio, .program = 45, .low = 55,
                 .velocity = 70, .articulation = 60, .volume = 88, .pan = 40, .reverb = 50,
                 .layers = {"0 . 1 . 2 . 1 .", "0 . 2 . 1 . 2 .", "0 2 1 2 3 2 1 2", ""}},
                {.name = "Strings", .role = Role::Chords, .program = 49, .low = 55, .high = 76,
                 .velocity = 56, .articulation = 100, .volume = 76, .pan = 60, .reverb = 70,
                 .layers = {"", "", "x", ""}},
                {.name = "Bass", .role = Role::Bass, .program = 32, .low = 40, .velocity = 80,
                 .articulation = 70, .volume = 96, .pan = 64, .reverb = 30,
                 .layers = {"R . . . 5 . . .", "R . 5 . R . 5 .", "R . 5 . 8 . 5 A", ""}},
                {.name = "Percussion", .role = Role::Drums, .velocity = 70, .volume = 80,
                 .reverb = 40,
                 .layers = {"", "35:x...x...;54:..x...x.", "35:x...x...;54:..x...x.;69:oxoxoxox",
                            ""},
                 .fill = "35:x...x...;54:..x.xxxx", .crash = 81},
            },
        .seed = 202,
    };
}

// The road out of town: an ocarina over a picked guitar, in the Dorian mode.
Piece OutskirtsPiece() {
    return {
        .title = "Outskirts",
        .beatsPerMinute = 96,
        .steps = 8,
        .tonic = 64,
        .mode = Mode::Dorian,
        .sections =
            {
                {"Intro", "1 | 4 | 1 | 7", ""},
                {"A", "1 | 4 | 1 | 7 | 3 | 4 | 5 | 1",
                 "1 - - 2 3 - 5 - | 6 - - 5 4 - 3 - | 5 - - - 3 - 1 - | 2 - - 1 7, - 4 - |"
                 "3 - - 4 5 - 7 - | 6 - - 5 4 - 1 - | 2 - - 1 7, - 5, - | 1 - - - - - . ."},
                {"B", "3 | 7 | 4 | 1 | 3 | 7 | 4 | 5s4 5",
                 "5 - - 6 7 - 5 - | 2' - - 1' 7 - 4 - | 1' - - 7 6 - 4 - | 5 - - - 3 - - - |"
                 "7 - - 6 5 - 3 - | 4 - - 2 7, - 2 - | 1 - - 3 4 - 6 - | 5 - - - 2 - 7, -"},
            },
        .form = "Intro:0 A:1 B:1 A:2 B:2",
        .parts =
            {
                {.name = "Ocarina", .role = Role::Lead, .program = 79, .shift = 12,
                 .velocity = 84, .articulation = 95, .volume = 100, .pan = 64, .reverb = 70,
                 .layers = {"", "*", "*", ""}},
                {.name = "Flute", .role = Role::Harmony, .program = 73, .low = 64, .shift = 12,
                 .velocity = 64, .articulation = 95, .volume = 80, .pan = 84, .reverb = 70,
                 .layers = {"", "", "*", ""}},
                {.name = "Guitar", .role = Role::Arpeggio, .program = 24, .low = 52,
                 .velocity = 68, .articulation = 100, .volume = 92, .pan = 44, .reverb = 50,
                 .layers = {"0 2 1 3 2 4 3 2", "0 2 1 3 2 4 3 2", "0 2 1 3 2 4 3 2", ""}},
                {.name = "Strings", .role = Role::Chords, .program = 49, .low = 55, .high = 74,
                 .velocity = 54, .articulation = 100, .volume = 70, .pan = 76, .reverb = 80,
                 .layers = {"", "x", "x", ""}},
                {.name = "Bass", .role = Role::Bass, .program = 35, .low = 40, .velocity = 76,
                 .articulation = 96, .volume = 92, .pan = 64, .reverb = 40,
                 .layers = {"R", "R - - - 5 - - -", "R - - 5 8 - 5 -", ""}},
            },
        .seed = 303,
    };
}

// The shop: a marimba tune that skips along, a clarinet answering it.
Piece ShopPiece() {
    return {
        .title = "Shop",
        .beatsPerMinute = 132,
        .steps = 8,
        .tonic = 65,
        .mode = Mode::Major,
        .sections =
            {
                {"A", "1 | 6 | 2 5 | 1 | 4 | 3 6 | 2 5 | 1",
                 "1 . 3 . 5 - 3 . | 6 . 5 . 3 - 1 . | 2 . 4 . 5 - 7, . | 1 - 3 5 1' - . . |"
                 "6 . 4 . 1 - 4 . | 5 . 3 . 3 - 1 . | 2 . 6 . 5 . 7, . | 1 - - - . 5, 6, 7,"},
                {"B", "4 | 1/3 | 2 | 5 | 4 | 1/3 | 6 2 | 5",
                 "4 - - 5 6 - 4 - | 3 - - 2 1 - 5, - | 2 - - 3 4 - 6 - | 5 - - - 7, - - - |"
                 "6 - - 5 4 - 6 - | 1' - - 7 5 - 3 - | 3 - 1 - 2 - 4 - | 5 - - - 2 - 7, -"},
            },
        .form = "A:1 B:1 A:2 B:2",
        .parts =
            {
                {.name = "Marimba", .role = Role::Lead, .program = 12, .shift = 12,
                 .velocity = 92, .articulation = 70, .volume = 104, .pan = 56, .reverb = 40,
                 .layers = {"", "*", "*", ""}, .only = "A"},
                {.name = "Clarinet", .role = Role::Lead, .program = 71, .velocity = 84,
                 .articulation = 94, .volume = 98, .pan = 72, .reverb = 50,
                 .layers = {"", "*", "*", ""}, .only = "B"},
                {.name = "Vibraphone", .role = Role::Harmony, .program = 11, .low = 60,
                 .shift = 12, .velocity = 62, .articulation = 80, .volume = 76, .pan = 88,
                 .reverb = 60, .layers = {"", "", "*", ""}},
                {.name = "Pizzicato", .role = Role::Arpeggio, .program = 45, .low = 53,
                 .velocity = 68, .articulation = 60, .volume = 84, .pan = 40, .reverb = 40,
                 .layers = {"", "0 . 2 . 1 . 2 .", "0 . 2 . 1 . 2 .", ""}},
                {.name = "Bass", .role = Role::Bass, .program = 32, .low = 41, .velocity = 82,
                 .articulation = 60, .volume = 96, .pan = 64, .reverb = 30,
                 .layers = {"", "R . 5 . R . 5 .", "R . 5 . 8 . 5 A", ""}},
                {.name = "Drums", .role = Role::Drums, .velocity = 72, .volume = 82,
                 .reverb = 30,
                 .layers = {"", "35:x...x...;37:..x...x.;42:oooooooo",
                            "35:x...x...;37:..x...x.;42:oxoxoxox;54:..x...x.", ""},
                 .fill = "35:x...x...;37:..x.x.xx"},
            },
        .seed = 404,
    };
}

// The tavern: a fiddle jig in 6/8 over an accordion's oom-pah-pah.
Piece TavernPiece() {
    return {
        .title = "Tavern",
        .beatsPerMinute = 156,
        .meterBeats = 6,
        .meterUnit = 8,
        .steps = 6,
        .tonic = 69,
        .mode = Mode::Dorian,
        .sections =
            {
                {"Intro", "1 | 1", ""},
                {"A", "1 | 7 | 1 | 4 | 1 | 7 | 3 4 | 1",
                 "1 2 3 5 3 1 | 7, 1 2 4 2 7, | 1 2 3 5 6 7 | 6 - 5 4 - 2 |"
                 "5 3 1 5 3 1 | 4 2 7, 4 5 6 | 7 5 3 6 4 2 | 1 - - 1 - ."},
                {"B", "3 | 7 | 4 | 1 | 3 | 7 | 4 5 | 1",
                 "3' 2' 1' 7 6 5 | 4' 3' 2' 2' 1' 7 | 6 5 4 1' 7 6 | 5 - 3 1 - . |"
                 "3 4 5 5 6 7 | 2' 1' 7 4 5 6 | 1' 6 4 7 5 2 | 1 - - 1 - ."},
            },
        .form = "Intro:0 A:1 B:1 A:2 B:2",
        .parts =
            {
                {.name = "Fiddle", .role = Role::Lead, .program = 110, .velocity = 90,
                 .articulation = 86, .volume = 104, .pan = 60, .reverb = 40,
                 .layers = {"", "*", "*", ""}},
                {.name = "Whistle", .role = Role::Lead, .program = 78, .velocity = 70,
                 .articulation = 86, .volume = 76, .pan = 84, .reverb = 40,
                 .layers = {"", "", "*", ""}},
                {.name = "Accordion", .role = Role::Chords, .program = 21, .low = 57, .high = 76,
                 .velocity = 64, .articulation = 70, .volume = 80, .pan = 40, .reverb = 40,
                 .layers = {"x - - x - -", ". x x . x x", ". x x . x x", ""}},
                {.name = "Bass", .role = Role::Bass, .program = 32, .low = 40, .velocity = 82,
                 .articulation = 80, .volume = 96, .pan = 64, .reverb = 30,
                 .layers = {"R - - 5 - -", "R - - 5 - -", "R - 5 8 - 5", ""}},
                {.name = "Drums", .role = Role::Drums, .velocity = 74, .volume = 84,
                 .reverb = 30,
                 .layers = {"35:x..x..;54:..x..x", "35:x..x..;54:..x..x", "35:x..x..;54:.xx.xx",
                            ""},
                 .fill = "35:x..x..;54:xxxxxx"},
            },
        .seed = 505,
    };
}

// The temple: a slow hymn for choir and organ, with a bell now and then.
Piece TemplePiece() {
    return {
        .title = "Temple",
        .beatsPerMinute = 66,
        .steps = 8,
        .tonic = 65,
        .mode = Mode::Major,
        .sections =
            {
                {"Intro", "1 | 4/1", ""},
                {"A", "1 | 4/1 | 1 | 5 | 6 | 3 | 4 | 5",
                 "3 - 2 - 1 - 3 - | 4 - - - 6 - 4 - | 5 - - - 3 - - - | 2 - - - 7, - - - |"
                 "1 - 2 - 3 - 1 - | 7, - 1 - 5, - - - | 6, - 1 - 4 - 3 - | 2 - - - - - - -"},
                {"A2", "1 | 4/1 | 1 | 5 | 6 | 2 | 5s4 5 | 1",
                 "3 - 2 - 1 - 3 - | 4 - - - 6 - 4 - | 5 - - - 3 - - - | 2 - - - 7, - - - |"
                 "1 - 2 - 3 - 4 - | 6 - 4 - 2 - - - | 1 - - - 7, - - - | 1 - - - - - - -"},
                {"B", "6 | 3 | 4 | 1 | 2 | 6 | 4 | 5s4 5",
                 "6 - 5 - 3 - - - | 5 - 3 - 7, - - - | 4 - 5 - 6 - 1' - | 5 - - - - - - - |"
                 "4 - 5 - 6 - 5 - | 3 - 2 - 1 - 6, - | 4 - - - 6 - 5 - | 5 - 4 - 5 - - -"},
            },
        .form = "Intro:0 A:1 A2:1 B:2 A2:2",
        .parts =
            {
                {.name = "Choir", .role = Role::Lead, .program = 52, .velocity = 78,
                 .articulation = 98, .volume = 104, .pan = 64, .reverb = 110,
                 .layers = {"", "*", "*", ""}},
                {.name = "Voices below", .role = Role::Harmony, .program = 53, .low = 52,
                 .velocity = 66, .articulation = 98, .volume = 86, .pan = 50, .reverb = 110,
                 .layers = {"", "", "*", ""}},
                {.name = "Organ", .role = Role::Chords, .program = 19, .low = 53, .high = 72,
                 .voices = 4, .velocity = 60, .articulation = 100, .volume = 78, .pan = 72,
                 .reverb = 110, .layers = {"x", "x", "x", ""}},
                {.name = "Pedal", .role = Role::Bass, .program = 19, .low = 36, .velocity = 64,
                 .articulation = 100, .volume = 84, .pan = 64, .reverb = 110,
                 .layers = {"R", "R", "R - - - 5 - - -", ""}},
                {.name = "Harp", .role = Role::Arpeggio, .program = 46, .low = 53,
                 .velocity = 56, .articulation = 100, .volume = 76, .pan = 36, .reverb = 100,
                 .layers = {"", "0 1 2 3 4 3 2 1", "", ""}},
                {.name = "Bell", .role = Role::Arpeggio, .program = 14, .low = 65,
                 .velocity = 66, .articulation = 100, .volume = 76, .pan = 90, .reverb = 110,
                 .layers = {"0 | .", "", "0 | . | . | .", ""}},
            },
        .seed = 606,
    };
}

// The inn: a lullaby waltz for flute and harp.
Piece InnPiece() {
    return {
        .title = "Inn",
        .beatsPerMinute = 84,
        .meterBeats = 3,
        .meterUnit = 4,
        .steps = 6,
        .tonic = 70,
        .mode = Mode::Major,
        .sections =
            {
                {"Intro", "1 | 1", ""},
                {"A", "1 | 4 | 1 | 5 | 6 | 2 | 5 | 1",
                 "5 - 3 - 1 - | 6 - 4 - 1 - | 5 - 3 4 5 - | 2 - - - 7, - |"
                 "3 - 1 - 6, - | 4 - 2 - 7, - | 5 - 4 3 2 - | 1 - - - - ."},
                {"A2", "1 | 4 | 1 | 6 | 4 | 5 | 5 | 1",
                 "5 - 3 - 1 - | 6 - 4 - 1 - | 5 - 1' - 7 - | 6 - 5 - 3 - |"
                 "4 - 6 - 1' - | 7 - 2' - 1' - | 7 - 5 - 2 - | 1 - - - - ."},
                {"B", "4 | 5 | 3 | 6 | 2 | 5 | 1/3 | 5",
                 "1' - 7 6 4 - | 7 - 6 5 2 - | 5 - 6 7 - - | 1' - - 6 - - |"
                 "2 - 4 6 - - | 5 - 4 2 - - | 3 - 2 1 - - | 2 - - 7, - -"},
            },
        .form = "Intro:0 A:1 A2:1 B:2 A2:2",
        .parts =
            {
                {.name = "Flute", .role = Role::Lead, .program = 73, .velocity = 76,
                 .articulation = 95, .volume = 100, .pan = 64, .reverb = 80,
                 .layers = {"", "*", "*", ""}},
                {.name = "Celesta", .role = Role::Lead, .program = 8, .shift = 12,
                 .velocity = 56, .articulation = 90, .volume = 72, .pan = 88, .reverb = 90,
                 .layers = {"", "", "*", ""}},
                {.name = "Harp", .role = Role::Arpeggio, .program = 46, .low = 46,
                 .velocity = 62, .articulation = 100, .volume = 88, .pan = 40, .reverb = 80,
                 .layers = {"0 2 3 4 3 2", "0 2 3 4 3 2", "0 2 3 4 5 4", ""}},
                {.name = "Strings", .role = Role::Chords, .program = 49, .low = 53, .high = 72,
                 .velocity = 50, .articulation = 100, .volume = 70, .pan = 72, .reverb = 90,
                 .layers = {"", "x", "x", ""}},
                {.name = "Cello", .role = Role::Bass, .program = 42, .low = 38, .velocity = 66,
                 .articulation = 96, .volume = 86, .pan = 60, .reverb = 70,
                 .layers = {"R - - - - -", "R - - - - -", "R - - - 5 -", ""}},
            },
        .seed = 707,
    };
}

// The fortune house: a celesta over a halo of pads, in the harmonic minor.
Piece FortuneHousePiece() {
    return {
        .title = "Fortune House",
        .beatsPerMinute = 76,
        .steps = 8,
        .tonic = 64,
        .mode = Mode::HarmonicMinor,
        .sections =
            {
                {"Intro", "1 | 6 | 1 | 5M", ""},
                {"A", "1 | 6 | 4 | 5M | 1 | b2M | 4 | 5M7",
                 "5 - - 3 1 - 2 3 | 3 - - 1 6, - 7, 1 | 4 - - 6 1' - 7 6 | 7 - - - 5 - - - |"
                 "1' - - 7 1' - 5 - | b2' - - 1' 6 - 4 - | 4 - - 3 1 - 7, - | 2 - - - 7, - - -"},
                {"B", "6 | 7 | 1 | 4 | 6 | 2 | 5M | 5M7",
                 "3' - - 2' 1' - 6 - | 7 - - 1' 2' - 7 - | 1' - - - 5 - 3 - | 6 - - 5 4 - - - |"
                 "3 - - 5 1' - 6 - | 6 - - 5 4 - 2 - | 7, - - 2 5 - 4 - | 2 - - - - - . ."},
            },
        .form = "Intro:0 A:1 B:1 A:2 B:2",
        .parts =
            {
                {.name = "Celesta", .role = Role::Lead, .program = 8, .shift = 12,
                 .velocity = 84, .articulation = 92, .volume = 104, .pan = 60, .reverb = 90,
                 .layers = {"", "*", "", ""}},
                {.name = "Flute", .role = Role::Lead, .program = 73, .shift = 12,
                 .velocity = 80, .articulation = 95, .volume = 96, .pan = 70, .reverb = 90,
                 .layers = {"", "", "*", ""}},
                {.name = "Celesta below", .role = Role::Harmony, .program = 8, .low = 64,
                 .shift = 12, .velocity = 62, .articulation = 92, .volume = 80, .pan = 40,
                 .reverb = 90, .layers = {"", "", "*", ""}},
                {.name = "Harp", .role = Role::Arpeggio, .program = 46, .low = 52,
                 .velocity = 60, .articulation = 100, .volume = 84, .pan = 34, .reverb = 90,
                 .layers = {"0 2 4 2 1 3 5 3", "0 2 4 2 1 3 5 3", "0 2 4 2 1 3 5 3", ""}},
                {.name = "Halo", .role = Role::Chords, .program = 94, .low = 52, .high = 72,
                 .velocity = 58, .articulation = 100, .volume = 80, .pan = 64, .reverb = 100,
                 .layers = {"x", "x", "x", ""}},
                {.name = "Glockenspiel", .role = Role::Arpeggio, .program = 9, .low = 76,
                 .velocity = 50, .articulation = 60, .volume = 64, .pan = 96, .reverb = 100,
                 .layers = {"", ". . . . . . 0 . | . . 2 . . . . .",
                            ". . . . . . 0 . | . . 2 . . . . .", ""}},
                {.name = "Contrabass", .role = Role::Bass, .program = 43, .low = 40,
                 .velocity = 66, .articulation = 98, .volume = 84, .pan = 64, .reverb = 80,
                 .layers = {"R", "R", "R - - - 5 - - -", ""}},
            },
        .seed = 808,
    };
}

// The training grounds: a march with side drum, trumpet and tuba.
Piece TrainingGroundsPiece() {
    return {
        .title = "Training Grounds",
        .beatsPerMinute = 112,
        .steps = 8,
        .tonic = 70,
        .mode = Mode::Major,
        .sections =
            {
                {"Intro", "1 | 5", ""},
                {"A", "1 | 4 | 5 | 1 | 6 | 2 | 5 | 1",
                 "1 - - 1 3 - 5 - | 4 - - 4 6 - 1' - | 7 - - 6 5 - 2 - | 3 - 2 - 1 - . . |"
                 "3 - - 3 6 - 3 - | 4 - - 4 2 - 6, - | 5 - - 6 7 - 2' - | 1' - - - . . 5, 5,"},
                {"B", "6 | 3 | 4 | 1 | 6 | 3 | 2 | 5",
                 "6 - - 5 6 - 1' - | 7 - - 6 5 - 3 - | 4 - - 3 4 - 6 - | 5 - - - 3 - . . |"
                 "3' - - 2' 1' - 6 - | 5 - - 6 7 - 5 - | 6 - - 5 4 - 2 - | 5 - - - 2 - 7, -"},
            },
        .form = "Intro:0 A:1 B:1 A:2 B:2",
        .parts =
            {
                {.name = "Trumpet", .role = Role::Lead, .program = 56, .velocity = 92,
                 .articulation = 84, .volume = 102, .pan = 70, .reverb = 50,
                 .layers = {"", "*", "*", ""}},
                {.name = "Trombone", .role = Role::Harmony, .program = 57, .low = 46,
                 .shift = -12, .velocity = 78, .articulation = 84, .volume = 90, .pan = 52,
                 .reverb = 50, .layers = {"", "", "*", ""}},
                {.name = "Horns", .role = Role::Chords, .program = 60, .low = 53, .high = 70,
                 .velocity = 64, .articulation = 70, .volume = 82, .pan = 40, .reverb = 50,
                 .layers = {"x - - - x - - -", ". x . x . x . x", ". x . x . x . x", ""}},
                {.name = "Strings", .role = Role::Chords, .program = 48, .low = 55, .high = 74,
                 .velocity = 54, .articulation = 100, .volume = 72, .pan = 84, .reverb = 60,
                 .layers = {"", "", "x", ""}},
                {.name = "Tuba", .role = Role::Bass, .program = 58, .low = 34, .velocity = 82,
                 .articulation = 70, .volume = 98, .pan = 64, .reverb = 40,
                 .layers = {"R - . . 5 - . .", "R - . . 5 - . .", "R - . . 5 - . .", ""}},
                {.name = "Side drum", .role = Role::Drums, .velocity = 78, .volume = 88,
                 .reverb = 40,
                 .layers = {"38:x...x...x...x...", "38:X..x..x.X.x.xxx.;35:X.......x.......",
                            "38:X..x..x.X.x.xxx.;35:X.......x.......", ""},
                 .fill = "38:x.x.x.x.xxxxxxxX;35:X.......x.......", .crash = 49},
            },
        .seed = 909,
    };
}

}  // namespace dv::music

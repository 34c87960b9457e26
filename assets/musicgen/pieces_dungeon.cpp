// The maze: the upper floors, the deepest floor and the camp.
#include "musicgen/pieces.h"

namespace dv::music {

// The upper floors: a cor anglais over a restless string figure, in D minor.
Piece DungeonPiece() {
    return {
        .title = "Labyrinth",
        .beatsPerMinute = 92,
        .steps = 8,
        .tonic = 62,
        .mode = Mode::Minor,
        .sections =
            {
                {"Intro", "1 | 6 | 1 | 5M", ""},
                {"A", "1 | 6 | 7 | 1 | 4 | 6 | 2 | 5M",
                 "1 - - 2 3 - 5 - | 6 - - 5 3 - - - | 4 - 5 - 7 - 5 - | 3 - - - 1 - . . |"
                 "4 - - 5 6 - 4 - | 3 - - 1 6, - 1 - | 2 - - 3 4 - 2 - | #7, - - - 5, - - -"},
                {"B", "6 | 3 | 7 | 1 | 6 | 3 | 4 | 5M",
                 "1' - - 7 6 - 5 - | 5 - - 6 7 - 5 - | 4 - - 2 7, - 2 - | 3 - - - - - . . |"
                 "1' - - 2' 3' - 1' - | 7 - - 6 5 - 3 - | 6 - - 5 4 - 2 - | #7, - - - 2 - #7, -"},
            },
        .form = "Intro:0 A:1 B:1 A:2 B:2",
        .parts =
            {
                {.name = "Cor anglais", .role = Role::Lead, .program = 69, .velocity = 84,
                 .articulation = 95, .volume = 100, .pan = 60, .reverb = 80,
                 .layers = {"", "*", "", ""}},
                {.name = "Violins", .role = Role::Lead, .program = 48, .shift = 12,
                 .velocity = 80, .articulation = 98, .volume = 94, .pan = 72, .reverb = 80,
                 .layers = {"", "", "*", ""}},
                {.name = "Clarinet", .role = Role::Harmony, .program = 71, .low = 55,
                 .velocity = 66, .articulation = 95, .volume = 82, .pan = 48, .reverb = 80,
                 .layers = {"", "", "*", ""}},
                {.name = "Low strings", .role = Role::Arpeggio, .program = 48, .low = 38,
                 .velocity = 66, .articulation = 55, .volume = 86, .pan = 40, .reverb = 70,
                 .layers = {"0 1 2 1 0 1 2 1", "0 1 2 1 0 1 2 1", "0 1 2 1 0 1 2 1", ""}},
                {.name = "Pad", .role = Role::Chords, .program = 92, .low = 50, .high = 69,
                 .velocity = 54, .articulation = 100, .volume = 72, .pan = 84, .reverb = 100,
                 .layers = {"x", "x", "x", ""}},
                {.name = "Contrabass", .role = Role::Bass, .program = 43, .low = 33,
                 .velocity = 72, .articulation = 98, .volume = 90, .pan = 64, .reverb = 70,
                 .layers = {"R", "R", "R - - - R - - -", ""}},
                {.name = "Toms", .role = Role::Drums, .velocity = 64, .volume = 76,
                 .reverb = 90,
                 .layers = {"", "41:x.......x.x.....",
                            "41:x.......x.x.....;35:x.......x.......", ""}},
            },
        .seed = 1010,
    };
}

// The deepest floor: a drone of voices, tremolo strings and a lone oboe, in the Phrygian
// mode.
Piece DeepDungeonPiece() {
    return {
        .title = "The Deepest Floor",
        .beatsPerMinute = 72,
        .steps = 8,
        .tonic = 64,
        .mode = Mode::Phrygian,
        .sections =
            {
                {"Intro", "1 | 2 | 1 | 2", ""},
                {"A", "1 | 2 | 1 | 7 | 6 | 2 | 4 | 1",
                 "5 - - - 3 - 2 - | 2 - - - - - 1 - | 1 - - 2 3 - 5 - | 4 - - 3 2 - - - |"
                 "3 - - 5 1' - 6 - | 2' - - 1' 6 - 4 - | 4 - - 3 1 - 2 - | 1 - - - - - - ."},
                {"B", "6 | 7 | 1 | 1 | 6 | 2 | 5 | 1",
                 "6 - - 5 3 - - - | 7 - - 6 4 - - - | 5 - - - 3 - 1 - | 3 - - 2 1 - - - |"
                 "1' - - 2' 3' - 1' - | 2' - - - 6 - 4 - | 5 - - 4 2 - 7, - | 1 - - - - - . ."},
            },
        .form = "Intro:0 A:1 B:1 A:2 B:2",
        .parts =
            {
                {.name = "Oboe", .role = Role::Lead, .program = 68, .velocity = 80,
                 .articulation = 96, .volume = 98, .pan = 60, .reverb = 100,
                 .layers = {"", "*", "", ""}},
                {.name = "Choir", .role = Role::Lead, .program = 52, .velocity = 78,
                 .articulation = 98, .volume = 100, .pan = 68, .reverb = 110,
                 .layers = {"", "", "*", ""}},
                {.name = "Cor anglais", .role = Role::Harmony, .program = 69, .low = 52,
                 .velocity = 64, .articulation = 96, .volume = 84, .pan = 44, .reverb = 100,
                 .layers = {"", "", "*", ""}},
                {.name = "Drone", .role = Role::Drone, .program = 91, .low = 40,
                 .velocity = 60, .articulation = 100, .volume = 82, .pan = 64, .reverb = 110,
                 .layers = {"*", "*", "*", ""}},
                {.name = "Tremolo", .role = Role::Chords, .program = 44, .low = 48, .high = 67,
                 .velocity = 52, .articulation = 100, .volume = 74, .pan = 84, .reverb = 100,
                 .layers = {"", "x", "x", ""}},
                {.name = "Contrabass", .role = Role::Bass, .program = 43, .low = 28,
                 .velocity = 70, .articulation = 98, .volume = 92, .pan = 64, .reverb = 90,
                 .layers = {"R", "R", "R", ""}},
                {.name = "Heartbeat", .role = Role::Bass, .program = 47, .low = 40,
                 .velocity = 60, .articulation = 80, .volume = 80, .pan = 40, .reverb = 100,
                 .layers = {"R . . R . . . .", "R . . R . . . .", "R . . R . . . .", ""}},
            },
        .seed = 1111,
    };
}

// The camp: a pan flute over a picked steel-string guitar, resting between fights.
Piece CampPiece() {
    return {
        .title = "Camp",
        .beatsPerMinute = 84,
        .steps = 8,
        .tonic = 69,
        .mode = Mode::Major,
        .sections =
            {
                {"Intro", "1 | 4", ""},
                {"A", "1 | 5/7 | 6 | 4 | 1/3 | 4 | 2 | 5",
                 "3 - - 2 1 - 5, - | 2 - - 1 7, - 5, - | 1 - - 7, 6, - 3 - | 4 - - - 6 - - - |"
                 "5 - - 4 3 - 1 - | 6 - - 5 4 - 1 - | 2 - - 3 4 - 6 - | 5 - - - - - . ."},
                {"A2", "1 | 5/7 | 6 | 4 | 1/3 | 4 | 5 | 1",
                 "3 - - 2 1 - 5, - | 2 - - 1 7, - 5, - | 1 - - 7, 6, - 3 - | 4 - - - 6 - - - |"
                 "5 - - 6 1' - 7 - | 6 - - 5 4 - 6 - | 5 - - 4 2 - 7, - | 1 - - - - - . ."},
                {"B", "4 | 1/3 | 2 | 5 | 4 | 3 | 6 | 5",
                 "1' - - 7 6 - 4 - | 5 - - - 3 - - - | 4 - - 3 2 - 4 - | 5 - - - 7, - - - |"
                 "6 - - 5 4 - 6 - | 5 - - 4 3 - 7, - | 1' - - 7 6 - 3 - | 2 - - - 5, - - -"},
            },
        .form = "Intro:0 A:1 A2:1 B:2 A2:2",
        .parts =
            {
                {.name = "Pan flute", .role = Role::Lead, .program = 75, .velocity = 80,
                 .articulation = 95, .volume = 100, .pan = 64, .reverb = 80,
                 .layers = {"", "*", "*", ""}},
                {.name = "Clarinet", .role = Role::Harmony, .program = 71, .low = 55,
                 .velocity = 60, .articulation = 95, .volume = 80, .pan = 84, .reverb = 80,
                 .layers = {"", "", "*", ""}},
                {.name = "Guitar", .role = Role::Arpeggio, .program = 25, .low = 52,
                 .velocity = 64, .articulation = 100, .volume = 92, .pan = 42, .reverb = 60,
                 .layers = {"0 2 1 2 3 2 1 2", "0 2 1 2 3 2 1 2", "0 2 1 3 2 4 3 2", ""}},
                {.name = "Pad", .role = Role::Chords, .program = 89, .low = 54, .high = 72,
                 .velocity = 50, .articulation = 100, .volume = 70, .pan = 70, .reverb = 90,
                 .layers = {"", "x", "x", ""}},
                {.name = "Bass", .role = Role::Bass, .program = 35, .low = 33, .velocity = 72,
                 .articulation = 96, .volume = 90, .pan = 64, .reverb = 50,
                 .layers = {"R", "R - - - 5 - - -", "R - - - 5 - - -", ""}},
            },
        .seed = 1818,
    };
}

}  // namespace dv::music

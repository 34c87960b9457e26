// Fights and what follows them: the encounter, the battles, the bosses, victory and defeat.
#include "musicgen/pieces.h"

namespace dv::music {

namespace {

// A rock beat of sixteenths shared by the battles: the fill runs down the toms.
constexpr const char* kTomFill =
    "36:x.......x.......;38:....x...xx......;48:..........xx....;45:............xx..;"
    "41:..............xX";

}  // namespace

// An ordinary fight: strings, then brass, over a driving bass, in A minor.
Piece BattlePiece() {
    return {
        .title = "Battle",
        .beatsPerMinute = 152,
        .steps = 8,
        .tonic = 69,
        .mode = Mode::Minor,
        .sections =
            {
                {"Intro", "1 | 1", ""},
                {"A", "1 | 6 | 7 | 1 | 4 | 6 | 2 5M | 1",
                 "1 - 1 5 1' - 7 1' | 6 - 5 - 3 - 1 - | 7 - 7 4 2' - 1' 7 | 1' - - - 5 - - - |"
                 "4 - 4 6 1' - 6 4 | 3 - 3 6 1' - 6 3 | 2 - 4 - 5 - #7, - | 1 - - - . 5, 6, #7,"},
                {"B", "3 | 7 | 6 | 3 | 4 | 5M | 6 | 5M",
                 "3' - 2' 1' 5 - 1' - | 2' - 1' 7 4 - 7 - | 1' - 7 6 3 - 6 - | 5 - - - 3 - 1' - |"
                 "4 - 5 6 1' - 6 - | #7 - 1' #7 5 - 2 - | 1' - 7 6 3' - 2' 1' | #7 - - - 2' - #7 -"},
                {"C", "6 | 7 | 1 | 1 | 6 | 7 | 5M | 5M",
                 "1 - - - 3 - - - | 2 - - - 4 - - - | 3 - - - 5 - 4 3 | 1 - - - - - - - |"
                 "6 - - - 1' - - - | 7 - - - 2' - - - | #7 - - - 2' - 1' #7 | #7 - - - - - . ."},
            },
        .form = "Intro:1 A:1 B:1 A:2 C:0 B:2",
        .parts =
            {
                {.name = "Strings lead", .role = Role::Lead, .program = 48, .velocity = 92,
                 .articulation = 88, .volume = 100, .pan = 56, .reverb = 50,
                 .layers = {"", "*", "*", ""}},
                {.name = "Brass", .role = Role::Lead, .program = 61, .velocity = 94,
                 .articulation = 86, .volume = 96, .pan = 72, .reverb = 50,
                 .layers = {"", "", "*", ""}},
                {.name = "Horn", .role = Role::Lead, .program = 60, .shift = -12,
                 .velocity = 88, .articulation = 96, .volume = 100, .pan = 60, .reverb = 60,
                 .layers = {"*", "", "", ""}},
                {.name = "Brass below", .role = Role::Harmony, .program = 61, .low = 52,
                 .velocity = 80, .articulation = 86, .volume = 84, .pan = 44, .reverb = 50,
                 .layers = {"", "", "*", ""}},
                {.name = "Ostinato", .role = Role::Arpeggio, .program = 49, .low = 57,
                 .velocity = 70, .articulation = 60, .volume = 80, .pan = 90, .reverb = 40,
                 .layers = {"0 . 0 . 0 . 0 . 0 . 0 . 0 . 0 .",
                            "0 1 2 1 0 1 2 1 0 1 2 1 0 1 2 1",
                            "0 1 2 1 0 1 2 1 0 1 2 1 0 1 2 1", ""}},
                {.name = "Bass", .role = Role::Bass, .program = 38, .low = 33, .velocity = 86,
                 .articulation = 70, .volume = 96, .pan = 64, .reverb = 20,
                 .layers = {"R - R - R - R -", "R R 8 R R R 8 R", "R R 8 R R 8 R A", ""}},
                {.name = "Drums", .role = Role::Drums, .velocity = 86, .volume = 96,
                 .reverb = 30,
                 .layers = {"36:x.......x.......;42:x.x.x.x.x.x.x.x.",
                            "36:x.....x...x.....;38:....x.......x...;42:x.x.x.x.x.x.x.x.",
                            "36:x.x...x...x.x...;38:....X.......X...;42:xoxoxoxoxoxoxoxo", ""},
                 .fill = kTomFill, .crash = 49},
            },
        .seed = 1212,
    };
}

// Fights of the second kind: saw lead and distorted guitars, in E minor.
Piece SecondBattlePiece() {
    return {
        .title = "Battle II",
        .beatsPerMinute = 164,
        .steps = 8,
        .tonic = 64,
        .mode = Mode::Minor,
        .sections =
            {
                {"Intro", "1 | 1", ""},
                {"A", "1 | 4 | 6 | 7 | 4 | 6 | 4 5M | 5M",
                 "1 . 1 . 3 - 5 - | 4 - 3 - 1 - 3 - | 3 . 3 . 1' - 5 - | 2' - 1' - 7 - 4 - |"
                 "4 . 4 . 6 - 1' - | 3' - 2' - 1' - 5 - | 6 - 4 - 5 - #7 - | 2' - - - #7 - 5 -"},
                {"B", "6 | 7 | 3 | 6 | 4 | 7 | 5M | 5M",
                 "6 - 5 - 3 - 1 - | 7, - 2 - 4 - 2 - | 3 - 5 - 7 - 5 - | 1' - - - 6 - - - |"
                 "1' - 6 - 4 - 6 - | 2' - 7 - 4 - 7 - | #7 - 5 - 2 - 5 - | #7 - - - - - . ."},
                {"Break", "1 | 1 | 6 | 5M", ""},
            },
        .form = "Intro:1 A:1 B:1 Break:0 A:2 B:2",
        .parts =
            {
                {.name = "Saw lead", .role = Role::Lead, .program = 81, .velocity = 90,
                 .articulation = 88, .volume = 92, .pan = 64, .reverb = 40, .chorus = 30,
                 .layers = {"", "*", "*", ""}},
                {.name = "Lead guitar", .role = Role::Lead, .program = 29, .shift = -12,
                 .velocity = 86, .articulation = 90, .volume = 84, .pan = 44, .reverb = 40,
                 .layers = {"", "", "*", ""}},
                {.name = "Rhythm guitar", .role = Role::Chords, .program = 30, .low = 40,
                 .high = 64, .voices = 2, .velocity = 80, .articulation = 70, .volume = 80,
                 .pan = 90, .reverb = 20,
                 .layers = {"x - - - x - - -", "x . x x . x . x", "x x . x x . x x", ""}},
                {.name = "Organ", .role = Role::Chords, .program = 18, .low = 55, .high = 72,
                 .velocity = 58, .articulation = 100, .volume = 66, .pan = 30, .reverb = 50,
                 .layers = {"", "x", "x", ""}},
                {.name = "Bass", .role = Role::Bass, .program = 39, .low = 28, .velocity = 88,
                 .articulation = 70, .volume = 96, .pan = 64, .reverb = 20,
                 .layers = {"R - - - R - - -", "R R R R R R R R", "R R 8 R R R 8 R", ""}},
                {.name = "Drums", .role = Role::Drums, .velocity = 88, .volume = 98,
                 .reverb = 30,
                 .layers = {"36:x.......x.......;42:x.x.x.x.x.x.x.x.",
                            "36:x.x...x.x.x.....;38:....x.......x...;42:x.x.x.x.x.x.x.x.",
                            "36:xxx.x.x.xxx.x.x.;38:....X.......X...;51:x.x.x.x.x.x.x.x.", ""},
                 .fill = "36:x.......x.......;38:....xxxx........;50:........xx......;"
                         "47:..........xx....;43:............xxXX",
                 .crash = 49},
            },
        .seed = 1313,
    };
}

// The first kind of boss: brass, timpani and orchestra hits over tremolo strings, in C
// minor, with a Neapolitan chord for menace.
Piece BossPiece() {
    return {
        .title = "Boss",
        .beatsPerMinute = 140,
        .steps = 8,
        .tonic = 60,
        .mode = Mode::HarmonicMinor,
        .sections =
            {
                {"Intro", "1 | 1", ""},
                {"A", "1 | 1 | 6 | 5M | 1 | 4 | b2M | 5M",
                 "5 - - 6 5 - 3 - | 1' - - 7 1' - 5 - | 6 - - 5 6 - 1' - | 7 - - - 5 - - - |"
                 "3' - - 2' 1' - 5 - | 6 - - 5 4 - 1 - | b2 - - 4 6 - 4 - | 7, - - - 2 - 5 -"},
                {"B", "6 | 4 | 1 | 5M | 6 | 4 | 2 5M | 5M7",
                 "1' - 7 6 3' - - - | 4' - 3' 2' 1' - - - | 5 - 6 5 3 - 1 - | 2 - 3 2 7, - 5, - |"
                 "3 - 4 5 6 - 1' - | 4 - 5 6 1' - 6 - | 6 - 4 - 7 - 2' - | 4' - - - 2' - 7 -"},
                {"C", "1 | b2M | 1 | b2M | 6 | 4 | 5M | 5M",
                 "1' - - - - - - - | b2' - - - - - - - | 1' - - - 5 - - - | 6 - - - 4 - - - |"
                 "1' - - - 3' - - - | 4' - - - 1' - - - | 7 - - - 2' - - - | 5 - - - - - . ."},
            },
        .form = "Intro:1 A:1 B:1 C:3 A:2 B:2",
        .parts =
            {
                {.name = "Brass", .role = Role::Lead, .program = 61, .velocity = 94,
                 .articulation = 90, .volume = 104, .pan = 64, .reverb = 60,
                 .layers = {"", "*", "*", ""}},
                {.name = "Choir", .role = Role::Lead, .program = 52, .velocity = 90,
                 .articulation = 98, .volume = 100, .pan = 64, .reverb = 90,
                 .layers = {"", "", "", "*"}},
                {.name = "Trombones", .role = Role::Harmony, .program = 57, .low = 46,
                 .velocity = 84, .articulation = 90, .volume = 90, .pan = 48, .reverb = 60,
                 .layers = {"", "", "*", "*"}},
                {.name = "Tremolo", .role = Role::Chords, .program = 44, .low = 48, .high = 72,
                 .voices = 4, .velocity = 62, .articulation = 100, .volume = 76, .pan = 84,
                 .reverb = 70, .layers = {"x", "x", "x", "x"}},
                {.name = "Ostinato", .role = Role::Arpeggio, .program = 48, .low = 48,
                 .velocity = 72, .articulation = 60, .volume = 82, .pan = 36, .reverb = 50,
                 .layers = {"", "0 0 2 0 1 0 2 0 0 0 2 0 1 0 2 0",
                            "0 0 2 0 1 0 2 0 0 0 2 0 1 0 2 0", "0 0 2 0 1 0 2 0 0 0 2 0 1 0 2 0"}},
                {.name = "Contrabass", .role = Role::Bass, .program = 43, .low = 36,
                 .velocity = 86, .articulation = 70, .volume = 96, .pan = 64, .reverb = 50,
                 .layers = {"R - - - R - - -", "R . R . R . R .", "R R R R R R R R",
                            "R R R R R R R R"}},
                {.name = "Timpani", .role = Role::Bass, .program = 47, .low = 36,
                 .velocity = 84, .articulation = 80, .volume = 94, .pan = 72, .reverb = 70,
                 .layers = {"R . . R . . R .", "R . . . R . . .", "R . . R R . R .",
                            "R R R R R . R ."}},
                {.name = "Orchestra hits", .role = Role::Chords, .program = 55, .low = 55,
                 .high = 74, .velocity = 86, .articulation = 50, .volume = 80, .pan = 56,
                 .reverb = 70,
                 .layers = {"", "", "X . . . . . . . | .", "X . . X . . X ."}},
                {.name = "Drums", .role = Role::Drums, .velocity = 88, .volume = 98,
                 .reverb = 40,
                 .layers = {"36:x.......x.......",
                            "36:x.....x.x.......;38:....x.......x...;42:x.x.x.x.x.x.x.x.",
                            "36:x.x...x.x.x...x.;38:....X.......X...;42:x.x.x.x.x.x.x.x.",
                            "36:x.x.x.x.x.x.x.x.;38:....X.......X...;51:x.x.x.x.x.x.x.x."},
                 .fill = "36:x.......x.......;38:....x.x.xxxx....;41:............xxXX",
                 .crash = 49},
            },
        .seed = 1414,
    };
}

// The second kind of boss: organ, choir and brass at full tilt, in D harmonic minor.
Piece SecondBossPiece() {
    return {
        .title = "Boss II",
        .beatsPerMinute = 170,
        .steps = 8,
        .tonic = 62,
        .mode = Mode::HarmonicMinor,
        .sections =
            {
                {"Intro", "1 | b2M | 1 | b2M", ""},
                {"A", "1 | 1 | b2M | 1 | 6 | 4 | 5M | 5M",
                 "1 - b2 1 5 - 1 - | 3 - 4 3 1' - 7 - | b2' - 1' 7 6 - 4 - | 5 - - - 1 - - - |"
                 "6 - 5 6 1' - 6 - | 4 - 3 4 6 - 4 - | 7, - 2 - 5 - 7 - | 2' - 1' 7 5 - 2 -"},
                {"B", "4 | 1 | b2M | 5M | 4 | 6 | b2M | 5M",
                 "1' - - 7 6 - 4 - | 5 - - 4 3 - 1 - | 4 - - 3 b2 - 4 - | 5 - - - 7, - - - |"
                 "4' - - 3' 1' - 6 - | 6 - - 5 3 - 1' - | b2' - - 1' 6 - 4 - | 5 - - - 7 - 2' -"},
                {"C", "6 | 4 | 1 | 5M | 6 | 4 | b2M | 5M",
                 "3' - - - - - 2' - | 1' - - - 6 - - - | 1' - - - 5 - - - | 7 - - - - - - - |"
                 "3' - - - 1' - 6 - | 6 - - - 4 - - - | b2' - - - 6 - - - | 7 - - - - - . ."},
                {"D", "1 | b2M | 1 | b2M | 1 | b2M | 5M | 5M", ""},
            },
        .form = "Intro:1 A:1 B:1 C:3 D:2 A:2 B:3",
        .parts =
            {
                {.name = "Organ lead", .role = Role::Lead, .program = 19, .velocity = 92,
                 .articulation = 92, .volume = 96, .pan = 64, .reverb = 80,
                 .layers = {"", "*", "", ""}},
                {.name = "Brass", .role = Role::Lead, .program = 61, .velocity = 96,
                 .articulation = 90, .volume = 102, .pan = 70, .reverb = 60,
                 .layers = {"", "", "*", "*"}},
                {.name = "Choir", .role = Role::Lead, .program = 52, .velocity = 92,
                 .articulation = 98, .volume = 100, .pan = 58, .reverb = 100,
                 .layers = {"", "", "", "*"}},
                {.name = "Trombones", .role = Role::Harmony, .program = 57, .low = 46,
                 .velocity = 86, .articulation = 90, .volume = 90, .pan = 46, .reverb = 60,
                 .layers = {"", "", "*", "*"}},
                {.name = "Organ", .role = Role::Chords, .program = 19, .low = 50, .high = 72,
                 .voices = 4, .velocity = 64, .articulation = 90, .volume = 74, .pan = 30,
                 .reverb = 90,
                 .layers = {"x", "x - - x - - x -", "x - - x - - x -", "x"}},
                {.name = "Strings", .role = Role::Arpeggio, .program = 48, .low = 50,
                 .velocity = 72, .articulation = 60, .volume = 80, .pan = 94, .reverb = 60,
                 .layers = {"", "0 1 2 1 0 1 2 1 0 1 2 1 0 1 2 1",
                            "0 1 2 1 0 1 2 1 0 1 2 1 0 1 2 1", "0 1 2 3 2 1 2 3 0 1 2 3 2 1 2 3"}},
                {.name = "Bass", .role = Role::Bass, .program = 33, .low = 38, .velocity = 88,
                 .articulation = 70, .volume = 96, .pan = 64, .reverb = 30,
                 .layers = {"", "R R R R R R R R", "R R R R R R R R", "R R 8 R R R 8 R"}},
                {.name = "Timpani", .role = Role::Bass, .program = 47, .low = 38,
                 .velocity = 84, .articulation = 80, .volume = 92, .pan = 80, .reverb = 70,
                 .layers = {"", "R . . . . . . .", "R . . R . . R .", "R . R . R R R R"}},
                {.name = "Drums", .role = Role::Drums, .velocity = 90, .volume = 98,
                 .reverb = 40,
                 .layers = {"", "36:x.......x.......;38:....x.......x...;42:x.x.x.x.x.x.x.x.",
                            "36:x..x..x.x..x..x.;38:....X.......X...;42:xoxoxoxoxoxoxoxo",
                            "36:x.x.x.x.x.x.x.x.;38:....X.......X...;51:x.x.x.x.x.x.x.x."},
                 .fill = kTomFill, .crash = 49},
            },
        .seed = 1515,
    };
}

// Victory and a chest: a trumpet fanfare, then a merry tune with a glockenspiel.
Piece VictoryPiece() {
    return {
        .title = "Victory",
        .beatsPerMinute = 138,
        .steps = 8,
        .tonic = 72,
        .mode = Mode::Major,
        .sections =
            {
                {"Fanfare", "1 | 4 | 5 | 1",
                 "5, 5, 5, 1 3 - 5 - | 4 - 3 - 1 - 6, - | 2 - 7, - 5, - 7, - | 1 - - - - - . ."},
                {"A", "1 | 4 | 1 | 5 | 1 | 4 | 2 5 | 1",
                 "1 - 5, - 3, 5, 1 - | 6, - 4, - 6, - 1 - | 5, - 3, - 1, - 3, - |"
                 "2, - 7,, - 5,, - . . | 1 - 5, - 3, 5, 1 - | 1 - 6, - 4, - 6, - |"
                 "2 - 1 6, 5, - 7, - | 1 - - - . . . ."},
                {"B", "6 | 3 | 4 | 1 | 6 | 2 | 4 5 | 5",
                 "3 - 2 1 6, - 1 - | 7, - 6, 5, 3, - 5, - | 6, - 5, 4, 1 - 6, - | 5, - - - 3, - - - |"
                 "1 - 7, 6, 3, - 6, - | 4, - 3, 2, 6, - 4, - | 4, - 5, 6, 7, - 2 - | 5, - - - . . . ."},
            },
        .form = "Fanfare:3 A:1 B:1 A:2",
        .parts =
            {
                {.name = "Trumpet", .role = Role::Lead, .program = 56, .velocity = 94,
                 .articulation = 86, .volume = 104, .pan = 64, .reverb = 60,
                 .layers = {"", "*", "*", "*"}},
                {.name = "Horns", .role = Role::Harmony, .program = 60, .low = 50,
                 .velocity = 80, .articulation = 90, .volume = 90, .pan = 44, .reverb = 60,
                 .layers = {"", "", "*", "*"}},
                {.name = "Brass", .role = Role::Chords, .program = 61, .low = 55, .high = 72,
                 .velocity = 80, .articulation = 80, .volume = 84, .pan = 84, .reverb = 60,
                 .layers = {"", "", "", "X - - - X - - -"}},
                {.name = "Strings", .role = Role::Chords, .program = 48, .low = 52, .high = 72,
                 .voices = 4, .velocity = 58, .articulation = 100, .volume = 76, .pan = 70,
                 .reverb = 70, .layers = {"", "x", "x", "x"}},
                {.name = "Glockenspiel", .role = Role::Arpeggio, .program = 9, .low = 72,
                 .velocity = 60, .articulation = 60, .volume = 72, .pan = 100, .reverb = 70,
                 .layers = {"", "0 . 1 . 2 . 1 .", "0 1 2 1 0 1 2 1", ""}},
                {.name = "Bass", .role = Role::Bass, .program = 58, .low = 36, .velocity = 80,
                 .articulation = 70, .volume = 94, .pan = 64, .reverb = 40,
                 .layers = {"", "R . 5 . R . 5 .", "R . 5 . 8 . 5 A", "R - - - R - - -"}},
                {.name = "Timpani", .role = Role::Bass, .program = 47, .low = 36,
                 .velocity = 82, .articulation = 80, .volume = 88, .pan = 80, .reverb = 70,
                 .layers = {"", "", "", "R . . . R . R R"}},
                {.name = "Drums", .role = Role::Drums, .velocity = 80, .volume = 90,
                 .reverb = 40,
                 .layers = {"", "36:x...x...;38:..x...x.;42:xxxxxxxx",
                            "36:x...x...;38:..x...x.;42:xxxxxxxx;54:.x.x.x.x",
                            "36:x.......x.......;38:x..x..x.x.x.xxxx"},
                 .crash = 49},
            },
        .seed = 1616,
    };
}

// The party is wiped out: a cello laments over a piano, and a violin takes it up.
Piece WipedOutPiece() {
    return {
        .title = "Fallen",
        .beatsPerMinute = 60,
        .steps = 8,
        .tonic = 57,
        .mode = Mode::Minor,
        .sections =
            {
                {"Intro", "1 | 6", ""},
                {"A", "1 | 6 | 4 | 5M | 6 | 4 | 1/5 | 5M",
                 "5 - - 4 3 - 2 - | 3 - - - 1 - 6, - | 4 - - 3 4 - 6 - | 5 - - - #7, - - - |"
                 "6 - - 5 6 - 1' - | 1' - - 7 6 - 4 - | 3 - - 2 1 - 5, - | #7, - - - - - . ."},
                {"B", "6 | 7 | 3 | 6 | 4 | 1 | 4 5M | 1",
                 "1' - - 7 6 - 3 - | 7 - - 6 4 - 2 - | 3 - - 4 5 - 3 - | 1' - - - 6 - - - |"
                 "6 - - 5 4 - 1 - | 3 - - 2 1 - 5, - | 4 - - 3 2 - #7, - | 1 - - - - - . ."},
            },
        .form = "Intro:0 A:1 B:2",
        .parts =
            {
                {.name = "Cello", .role = Role::Lead, .program = 42, .velocity = 82,
                 .articulation = 98, .volume = 104, .pan = 56, .reverb = 90,
                 .layers = {"", "*", "", ""}},
                {.name = "Violin", .role = Role::Lead, .program = 40, .shift = 12,
                 .velocity = 80, .articulation = 98, .volume = 98, .pan = 72, .reverb = 90,
                 .layers = {"", "", "*", ""}},
                {.name = "Cello below", .role = Role::Harmony, .program = 42, .low = 45,
                 .velocity = 66, .articulation = 98, .volume = 86, .pan = 50, .reverb = 90,
                 .layers = {"", "", "*", ""}},
                {.name = "Piano", .role = Role::Arpeggio, .program = 0, .low = 45,
                 .velocity = 56, .articulation = 100, .volume = 84, .pan = 40, .reverb = 90,
                 .layers = {"0 1 2 3 4 3 2 1", "0 1 2 3 4 3 2 1", "0 1 2 3 4 3 2 1", ""}},
                {.name = "Strings", .role = Role::Chords, .program = 49, .low = 50, .high = 69,
                 .velocity = 50, .articulation = 100, .volume = 72, .pan = 84, .reverb = 100,
                 .layers = {"x", "x", "x", ""}},
                {.name = "Contrabass", .role = Role::Bass, .program = 43, .low = 33,
                 .velocity = 64, .articulation = 98, .volume = 86, .pan = 64, .reverb = 80,
                 .layers = {"R", "R", "R", ""}},
            },
        .seed = 1717,
    };
}

// The opening of an encounter: brass blows over tremolo strings, timpani and a snare
// building to the fight.
Piece EncounterPiece() {
    return {
        .title = "Encounter",
        .beatsPerMinute = 150,
        .steps = 8,
        .tonic = 59,
        .mode = Mode::HarmonicMinor,
        .sections =
            {
                {"Hit", "1 | b2M | 1 | b2M",
                 "1' - - - . . . . | b2' - - - . . . . | 5 - - - 1' - - - | b2' - - - 4 - . ."},
                {"Run", "1 | 1 | 6 | 6 | 4 | 4 | 5M | 5M",
                 "1 - 1 - 3 - 2 1 | 5 - 4 3 1 - 7, 1 | 6 - 6 - 1' - 7 6 | 3 - 2 1 3 - 5 - |"
                 "4 - 4 - 6 - 5 4 | 1' - 7 6 4 - 3 4 | 5 - 7 - 2' - 7 - | 5 - - - 5, - - -"},
                {"Rise", "6 | 6 | 5M | 5M", ""},
            },
        .form = "Hit:3 Run:2 Rise:1",
        .parts =
            {
                {.name = "Brass", .role = Role::Lead, .program = 61, .velocity = 96,
                 .articulation = 88, .volume = 104, .pan = 64, .reverb = 60,
                 .layers = {"", "", "*", "*"}},
                {.name = "Brass below", .role = Role::Harmony, .program = 61, .low = 47,
                 .velocity = 84, .articulation = 88, .volume = 88, .pan = 46, .reverb = 60,
                 .layers = {"", "", "*", "*"}},
                {.name = "Tremolo", .role = Role::Chords, .program = 44, .low = 47, .high = 71,
                 .voices = 4, .velocity = 64, .articulation = 100, .volume = 80, .pan = 84,
                 .reverb = 70, .layers = {"", "x", "x", "x"}},
                {.name = "Ostinato", .role = Role::Arpeggio, .program = 48, .low = 47,
                 .velocity = 72, .articulation = 60, .volume = 82, .pan = 36, .reverb = 50,
                 .layers = {"", "0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1",
                            "0 1 2 1 0 1 2 1 0 1 2 1 0 1 2 1", ""}},
                {.name = "Orchestra hits", .role = Role::Chords, .program = 55, .low = 59,
                 .high = 79, .velocity = 90, .articulation = 50, .volume = 82, .pan = 56,
                 .reverb = 70, .layers = {"", "", "", "X - - - . . . ."}},
                {.name = "Timpani", .role = Role::Bass, .program = 47, .low = 35,
                 .velocity = 82, .articulation = 80, .volume = 92, .pan = 76, .reverb = 70,
                 .layers = {"", "R R R R R R R R R R R R R R R R",
                            "R . . . R . . . R . R . R . . .", "R - - - . . . ."}},
                {.name = "Contrabass", .role = Role::Bass, .program = 43, .low = 35,
                 .velocity = 84, .articulation = 80, .volume = 94, .pan = 64, .reverb = 50,
                 .layers = {"", "R - - - - - - -", "R . R . R . R .", "R - - - - - - -"}},
                {.name = "Drums", .role = Role::Drums, .velocity = 84, .volume = 96,
                 .reverb = 40,
                 .layers = {"",
                            "38:oooooooo|xxxxxxxx|xxxxxxxxxxxxxxxx|xxxxxxxxxxxxXXXX",
                            "36:x.....x...x.....;38:....x.......x...;42:x.x.x.x.x.x.x.x.",
                            "36:X......."},
                 .crash = 49},
            },
        .seed = 1919,
    };
}

}  // namespace dv::music

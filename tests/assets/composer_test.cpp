// The composer reads its tables as written, and every piece's tune sits on its chords.
#include "musicgen/composer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/data/ini_file.h"
#include "musicgen/generate.h"

namespace dv::music {
namespace {

// Four bars of C major: the tune, a bass and chords over I | V7 | vi IV | I.
Piece SmallPiece() {
    Piece piece;
    piece.title = "Test";
    piece.tonic = 60;
    piece.steps = 4;
    piece.sections = {{"A", "1 | 5M7 | 6 4 | 1", "1 3 5 1' | 7 - 2' . | 1' - 4 . | 1 - - ."}};
    piece.form = "A:1";
    piece.parts = {
        {.name = "Lead", .role = Role::Lead, .articulation = 100, .layers = {"", "*", "", ""}},
        {.name = "Below", .role = Role::Harmony, .low = 50, .layers = {"", "*", "", ""}},
        {.name = "Bass", .role = Role::Bass, .low = 36, .layers = {"", "R 5 8 A", "", ""}},
        {.name = "Chords",
         .role = Role::Chords,
         .low = 55,
         .high = 72,
         .layers = {"", "x", "", ""}},
    };
    return piece;
}

std::vector<int> Pitches(const Track& track) {
    std::vector<int> pitches;
    for (const Note& n : track.notes)
        pitches.push_back(n.pitch);
    return pitches;
}

TEST(Composer, PlaysTheTuneAsWrittenWithHeldNotesAndRests) {
    const Score score = Compose(SmallPiece());
    EXPECT_EQ(score.bars, 4);
    const Track& lead = score.tracks[0];
    EXPECT_EQ(Pitches(lead), (std::vector<int>{60, 64, 67, 72, 71, 74, 72, 65, 60}));
    // "7 -" holds for two quarters; the rest after "2'" stays silent.
    EXPECT_EQ(lead.notes[4].start, 1920);
    EXPECT_EQ(lead.notes[4].end, 1920 + 960 - 6);
    EXPECT_EQ(lead.notes[5].start, 2880);
    EXPECT_LE(lead.notes[5].end, 3360);
    EXPECT_EQ(lead.notes[8].start, 3 * 1920);
    EXPECT_LT(lead.notes[8].end, 4 * 1920);
}

TEST(Composer, HarmonyTakesAChordNoteBelowTheTune) {
    const Score score = Compose(SmallPiece());
    const std::vector<int> below = Pitches(score.tracks[1]);
    ASSERT_EQ(below.size(), 9u);
    // C over C major: the G below; E: the C below; B over G7: the G below; D over G7:
    // the B below.
    EXPECT_EQ(below[0], 55);
    EXPECT_EQ(below[1], 60);
    EXPECT_EQ(below[4], 67);
    EXPECT_EQ(below[5], 71);
}

TEST(Composer, BassFollowsTheChordsAndStepsIntoTheNextOne) {
    const Score score = Compose(SmallPiece());
    const std::vector<int> bass = Pitches(score.tracks[2]);
    ASSERT_EQ(bass.size(), 16u);
    // I: C, G, C an octave up, then F: the scale note under the G the next bar starts on.
    EXPECT_EQ((std::vector<int>(bass.begin(), bass.begin() + 4)),
              (std::vector<int>{36, 43, 48, 41}));
    // vi and IV share the third bar: the octave on its third step is IV's F.
    EXPECT_EQ(bass[8], 45);
    EXPECT_EQ(bass[10], 53);
    // Down to C from above, then the last step leads back to the first chord from below,
    // for the loop.
    EXPECT_EQ(bass[11], 38);
    EXPECT_EQ(bass[15], 35);
}

TEST(Composer, ChordsMoveToTheNearestVoicingInRange) {
    const Score score = Compose(SmallPiece());
    const Track& chords = score.tracks[3];
    ASSERT_EQ(chords.notes.size(), 15u);  // 3 + 3 + 3 + 3 + 3 (V7 loses its fifth)
    for (const Note& n : chords.notes) {
        EXPECT_GE(n.pitch, 55);
        EXPECT_LE(n.pitch, 72);
    }
    // Held through the bar, struck again where the chord changes in the third bar.
    EXPECT_EQ(chords.notes[6].start, 2 * 1920);
    EXPECT_EQ(chords.notes[9].start, 2 * 1920 + 960);
    // G7 without its fifth is G B F.
    std::vector<int> g7 = {chords.notes[3].pitch % 12, chords.notes[4].pitch % 12,
                           chords.notes[5].pitch % 12};
    std::sort(g7.begin(), g7.end());
    EXPECT_EQ(g7, (std::vector<int>{5, 7, 11}));
}

TEST(Composer, TablesThatDoNotReadAreRefused) {
    struct Case {
        const char* what;
        std::string chords;
        std::string melody;
        std::string form;
    };
    const std::vector<Case> cases = {
        {"a melody bar too short", "1 | 1 | 1 | 1", "1 3 5 | 1 - - - | 1 - - - | 1 - - -", "A:1"},
        {"more melody bars than chord bars", "1 | 1", "1 - - - | 1 - - - | 1 - - -", "A:1"},
        {"an unknown note", "1", "1 9 - -", "A:1"},
        {"an unknown chord", "1 | 8", "1 - - - | 1 - - -", "A:1"},
        {"an unknown chord kind", "1q", "1 - - -", "A:1"},
        {"a missing section", "1", "1 - - -", "B:1"},
        {"a layer out of range", "1", "1 - - -", "A:4"},
        {"a layer that is not a number", "1", "1 - - -", "A:x"},
        {"an empty chord bar", "1 | | 1 | 1", "1 - - - | 1 - - - | 1 - - - | 1 - - -", "A:1"},
    };
    for (const Case& c : cases) {
        Piece piece = SmallPiece();
        piece.sections = {{"A", c.chords, c.melody}};
        piece.form = c.form;
        EXPECT_THROW(Compose(piece), std::invalid_argument) << c.what;
    }
}

TEST(Composer, AnImpossibleFrameIsRefused) {
    for (auto change : std::vector<void (*)(Piece&)>{
             [](Piece& p) { p.steps = 0; }, [](Piece& p) { p.meterUnit = 0; },
             [](Piece& p) { p.meterUnit = 3; }, [](Piece& p) { p.meterBeats = 0; },
             [](Piece& p) { p.beatsPerMinute = 0; }}) {
        Piece piece = SmallPiece();
        change(piece);
        EXPECT_THROW(Compose(piece), std::invalid_argument);
    }
}

TEST(Composer, AnUnplayablePatternIsRefused) {
    Piece piece = SmallPiece();
    piece.parts[2].layers[1] = "R Q";
    EXPECT_THROW(Compose(piece), std::invalid_argument);
    for (const char* drums : {"36 x...", "x:x...", "136:x...", "36:x..y", "36:xxxxxxx"}) {
        piece = SmallPiece();
        piece.parts.push_back(
            {.name = "Drums", .role = Role::Drums, .layers = {"", drums, "", ""}});
        EXPECT_THROW(Compose(piece), std::invalid_argument) << drums;
    }
    piece = SmallPiece();
    piece.parts[3].low = 60;
    piece.parts[3].high = 64;  // no room for a triad
    EXPECT_THROW(Compose(piece), std::invalid_argument);
}

// Where the tune starts a note on a strong beat (the bar line, and the middle of a 4/4
// bar), the note belongs to the chord.
TEST(Pieces, TunesSitOnTheirChords) {
    for (const MusicScene& scene : MusicScenes()) {
        SCOPED_TRACE(scene.file);
        const Score score = Compose(ScenePiece(scene.number));
        const int bar = score.TicksPerBar();
        const int strong = score.meterBeats == 4 ? bar / 2 : bar;
        int checked = 0;
        for (const Track& track : score.tracks) {
            if (track.role != Role::Lead) continue;
            for (const Note& n : track.notes) {
                if (n.start % strong != 0) continue;
                for (const ChordSpan& chord : score.chords) {
                    if (n.start < chord.start || n.start >= chord.end) continue;
                    ++checked;
                    if ((chord.pitchClasses & (1u << (n.pitch % 12))) == 0)
                        ADD_FAILURE() << track.name << " pitch " << n.pitch << " at bar "
                                      << n.start / bar + 1;
                }
            }
        }
        EXPECT_GT(checked, 16);
    }
}

TEST(Pieces, EachSceneHasItsOwnKeyTempoOrMetreAndOwnSound) {
    for (int a = 1; a <= kSceneCount; ++a) {
        const Piece first = ScenePiece(a);
        EXPECT_GE(first.parts.size(), 4u) << a;
        for (int b = a + 1; b <= kSceneCount; ++b) {
            const Piece second = ScenePiece(b);
            const bool sameFrame = first.tonic == second.tonic && first.mode == second.mode &&
                                   first.beatsPerMinute == second.beatsPerMinute &&
                                   first.meterBeats == second.meterBeats;
            EXPECT_FALSE(sameFrame) << a << " and " << b;
        }
    }
}

TEST(DefaultSettings, NameEveryScenesFileAndTheDungeonOptions) {
    const IniFile ini = IniFile::Load(std::string(DV_CONTENT_DIR) + "/QTR.ini");
    std::vector<std::string> keys;
    for (const MusicScene& scene : MusicScenes()) {
        keys.push_back(scene.key);
        EXPECT_EQ(ini.get("ＢＧＭ", scene.key), scene.file) << scene.key;
    }
    EXPECT_EQ(ini.keys("ＢＧＭ"), keys) << "the nineteen keys in scene order";
    EXPECT_EQ(ini.get("ダンジョン", "描画"), "2");
    EXPECT_EQ(ini.get("ダンジョン", "何かを探す"), "0");
    EXPECT_EQ(ini.get("ダンジョン", "戦闘中ヘルプウィンド"), "1");
}

}  // namespace
}  // namespace dv::music

// The music files the generator writes: well-formed General MIDI files that loop cleanly,
// one distinct piece per scene, the same bytes on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "generated_art.h"
#include "midi_reader.h"
#include "musicgen/generate.h"

namespace dv::music {
namespace {

using testing::MidiFile;
using testing::MidiNote;
using testing::MidiTrack;

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the generator program into a new folder; empty when it failed.
std::string RunGenerator(const char* stem) {
    const std::string folder = dv::art::testing::MakeTempFolder(stem);
    if (folder.empty()) return {};
    const std::string command = "\"" + std::string(DV_GEN_MUSIC) + "\" \"" + folder + "\"";
    if (std::system(command.c_str()) != 0) return {};
    return folder;
}

class MusicFiles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { folder_ = RunGenerator("dv-music-"); }
    static void TearDownTestSuite() {
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }

    static MidiFile Load(const MusicScene& scene) {
        std::string error;
        const auto file = testing::ReadMidi(ReadBytes(folder_ + "/" + scene.file), error);
        EXPECT_TRUE(file.has_value()) << scene.file << ": " << error;
        return file.value_or(MidiFile{});
    }

    static std::string folder_;
};

std::string MusicFiles::folder_;

TEST_F(MusicFiles, OneFilePerSceneWithAnAsciiName) {
    ASSERT_FALSE(folder_.empty()) << "the generator failed";
    ASSERT_EQ(MusicScenes().size(), static_cast<std::size_t>(kSceneCount));
    std::set<std::string> names;
    for (std::size_t i = 0; i < MusicScenes().size(); ++i) {
        const MusicScene& scene = MusicScenes()[i];
        EXPECT_EQ(scene.number, static_cast<int>(i) + 1);
        EXPECT_TRUE(std::all_of(scene.file.begin(), scene.file.end(), [](char c) {
            return c > ' ' && c < 0x7F;
        })) << scene.file;
        EXPECT_TRUE(scene.file.ends_with(".mid")) << scene.file;
        EXPECT_TRUE(std::filesystem::is_regular_file(folder_ + "/" + scene.file)) << scene.file;
        names.insert(scene.file);
    }
    EXPECT_EQ(names.size(), MusicScenes().size());
}

TEST_F(MusicFiles, FormatOneWithAConductorAndOneTrackPerInstrument) {
    ASSERT_FALSE(folder_.empty());
    for (const MusicScene& scene : MusicScenes()) {
        SCOPED_TRACE(scene.file);
        const MidiFile file = Load(scene);
        EXPECT_EQ(file.format, 1);
        EXPECT_EQ(file.division, 480);
        const Piece piece = ScenePiece(scene.number);
        ASSERT_EQ(file.tracks.size(), piece.parts.size() + 1);

        const MidiTrack& conductor = file.tracks[0];
        EXPECT_GT(conductor.tempo, 0) << "no tempo";
        EXPECT_EQ(conductor.tempo, 60'000'000 / piece.beatsPerMinute);
        EXPECT_EQ(conductor.meterBeats, piece.meterBeats);
        EXPECT_EQ(conductor.meterUnit, piece.meterUnit);
        EXPECT_TRUE(conductor.notes.empty());

        std::set<int> channels;
        for (std::size_t t = 1; t < file.tracks.size(); ++t) {
            const MidiTrack& track = file.tracks[t];
            SCOPED_TRACE(track.name);
            EXPECT_EQ(track.name, piece.parts[t - 1].name);
            EXPECT_FALSE(track.notes.empty()) << "an instrument that never plays";
            EXPECT_EQ(track.resetTick, 0) << "controllers are reset at the start";
            EXPECT_EQ(track.programTick, 0);
            EXPECT_EQ(track.program, piece.parts[t - 1].program);
            std::set<int> used;
            for (const MidiNote& n : track.notes)
                used.insert(n.channel);
            ASSERT_EQ(used.size(), 1u) << "one channel per track";
            const int channel = *used.begin();
            EXPECT_EQ(channel == 9, piece.parts[t - 1].role == Role::Drums);
            EXPECT_TRUE(channels.insert(channel).second) << "channel " << channel << " shared";
        }
    }
}

TEST_F(MusicFiles, LoopsCleanlyAtABarLine) {
    ASSERT_FALSE(folder_.empty());
    for (const MusicScene& scene : MusicScenes()) {
        SCOPED_TRACE(scene.file);
        const MidiFile file = Load(scene);
        ASSERT_FALSE(file.tracks.empty());
        const MidiTrack& conductor = file.tracks[0];
        ASSERT_GT(conductor.meterUnit, 0);
        const int bar = conductor.meterBeats * file.division * 4 / conductor.meterUnit;
        const int length = conductor.endTick;
        EXPECT_EQ(length % bar, 0) << "ends inside a bar";
        EXPECT_GE(length / bar, 16);
        EXPECT_LE(length / bar, 64);
        for (const MidiTrack& track : file.tracks) {
            SCOPED_TRACE(track.name);
            EXPECT_EQ(track.endTick, length) << "every track ends at the same bar line";
            for (const std::string& problem : track.problems)
                ADD_FAILURE() << problem;
            for (const MidiNote& n : track.notes) {
                EXPECT_LT(n.start, n.end);
                EXPECT_LT(n.end, length) << "a note still sounding at the loop";
            }
            // Nothing that would carry over into the next time round.
            EXPECT_LT(track.controllersAtEnd.count(64) ? track.controllersAtEnd.at(64) : 0, 64);
            EXPECT_EQ(track.pitchBendAtEnd, 8192);
        }
    }
}

// The tune of each scene, as the steps between its first notes, so a piece played in
// another key or tempo still counts as the same.
std::vector<int> Contour(const MidiTrack& track) {
    std::vector<MidiNote> notes = track.notes;
    std::stable_sort(notes.begin(), notes.end(),
                     [](const MidiNote& a, const MidiNote& b) { return a.start < b.start; });
    std::vector<int> steps;
    for (std::size_t i = 1; i < notes.size() && steps.size() < 16; ++i)
        steps.push_back(notes[i].pitch - notes[i - 1].pitch);
    return steps;
}

TEST_F(MusicFiles, EverySceneHasItsOwnTune) {
    ASSERT_FALSE(folder_.empty());
    std::vector<std::vector<int>> tunes;
    std::vector<std::vector<std::uint8_t>> files;
    for (const MusicScene& scene : MusicScenes()) {
        const MidiFile file = Load(scene);
        ASSERT_GT(file.tracks.size(), 1u);
        // The first instrument carries the tune the piece opens with.
        const auto tune = Contour(file.tracks[1]);
        EXPECT_EQ(tune.size(), 16u) << scene.file;
        for (std::size_t i = 0; i < tunes.size(); ++i)
            EXPECT_NE(tune, tunes[i]) << scene.file << " and " << MusicScenes()[i].file;
        tunes.push_back(tune);
        const auto bytes = ReadBytes(folder_ + "/" + scene.file);
        for (std::size_t i = 0; i < files.size(); ++i)
            EXPECT_NE(bytes, files[i]) << scene.file << " and " << MusicScenes()[i].file;
        files.push_back(bytes);
    }
}

TEST_F(MusicFiles, AnotherRunAndTheBuildWriteTheSameBytes) {
    ASSERT_FALSE(folder_.empty());
    const std::string again = RunGenerator("dv-music-again-");
    ASSERT_FALSE(again.empty());
    for (const MusicScene& scene : MusicScenes()) {
        const auto first = ReadBytes(folder_ + "/" + scene.file);
        EXPECT_FALSE(first.empty()) << scene.file;
        EXPECT_TRUE(first == ReadBytes(again + "/" + scene.file)) << scene.file << " differs";
        EXPECT_TRUE(first == ReadBytes(dv::art::testing::GeneratedFolder() + "/" + scene.file))
            << scene.file << " differs from the build's";
    }
    std::filesystem::remove_all(again);
}

TEST(MusicGenerator, UnwritableFolderIsReported) {
    std::string error;
    EXPECT_FALSE(GenerateMusic("/nonexistent-folder/for/music", error));
    EXPECT_NE(error.find("/nonexistent-folder/for/music"), std::string::npos) << error;
}

TEST(MusicGenerator, RefusesSceneNumbersOutsideTheTable) {
    for (int number : {0, -1, kSceneCount + 1})
        EXPECT_THROW(RenderScene(number), std::invalid_argument) << number;
}

}  // namespace
}  // namespace dv::music

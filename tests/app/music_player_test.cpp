// The music player over SDL2_mixer with SDL's dummy audio driver: the scene's file starts,
// loops until the next scene and stops; files it cannot play and a missing sound device
// leave the game silent with one note.

#include "app/sdl_music.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/game_settings.h"
#include "core/music.h"
#include "support/game_harness.h"

namespace dv {
namespace {

using test::TempDir;

// A mono 16-bit WAV file of a square wave.
void writeWav(const std::filesystem::path& p, int samples) {
    std::vector<std::uint8_t> b;
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&](std::uint16_t v) {
        b.push_back(static_cast<std::uint8_t>(v));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    const std::uint32_t data = static_cast<std::uint32_t>(samples) * 2;
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    u32(36 + data);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(44100);
    u32(44100 * 2);
    u16(2);
    u16(16);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    u32(data);
    for (int i = 0; i < samples; ++i)
        u16((i / 50) % 2 ? 8000 : static_cast<std::uint16_t>(-8000));
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

void writeText(const std::filesystem::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

// Bytes the mixer has sent to the device since the counter was reset.
std::atomic<long long> mixedBytes{0};
// Blocks of sound that were not silence.
std::atomic<long long> audibleBlocks{0};
void countMixed(void*, Uint8* stream, int len) {
    mixedBytes += len;
    for (int i = 0; i < len; ++i) {
        if (stream[i] != 0) {
            ++audibleBlocks;
            break;
        }
    }
}

class MusicPlayerTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::unique_ptr<Game> game = std::make_unique<Game>();
    std::vector<std::string> notes;

    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_SOUNDFONTS");
        game->programDir = dir.path();
    }
    void TearDown() override { unsetenv("SDL_SOUNDFONTS"); }

    std::unique_ptr<SdlMusic> player(
        std::vector<std::filesystem::path> fontFolders = SystemSoundFontFolders()) {
        SdlMusic::Options o;
        o.gameDir = dir.path();
        o.soundFontFolders = std::move(fontFolders);
        o.report = [this](const std::string& t) { notes.push_back(t); };
        auto p = std::make_unique<SdlMusic>(std::move(o));
        game->music = p.get();
        return p;
    }
    // Waits, with a generous limit, until the device has taken this many bytes.
    static bool mixedAtLeast(long long bytes) {
        for (int i = 0; i < 2000 && mixedBytes < bytes; ++i)
            SDL_Delay(10);
        return mixedBytes >= bytes;
    }
};

TEST_F(MusicPlayerTest, EveryScenePlaysTheFileTheDefaultSettingsName) {
    std::filesystem::copy_file(std::string(DV_CONTENT_DIR) + "/QTR.ini", dir.path() / "QTR.ini");
    for (int scene = 1; scene <= kMusicScenes; ++scene) {
        ReadSettings(*game);
        const std::string name = game->options.musicFiles[static_cast<size_t>(scene)];
        ASSERT_FALSE(name.empty()) << scene;
        std::filesystem::copy_file(std::filesystem::path(DV_TEST_GAME_DIR) / name,
                                   dir.path() / name,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    ReadSettings(*game);
    auto music = player();
    ASSERT_TRUE(music->audible());
    ASSERT_FALSE(music->soundFont().empty()) << "the General MIDI sound font is installed";
    for (int scene = 1; scene <= kMusicScenes; ++scene) {
        PlayScene(*game, scene);
        music->waitIdle();
        EXPECT_EQ(music->playing(),
                  dir.path() / game->options.musicFiles[static_cast<size_t>(scene)])
            << scene;
        EXPECT_EQ(Mix_PlayingMusic(), 1) << scene;
    }
    EXPECT_EQ(music->starts(), kMusicScenes);
    EXPECT_TRUE(notes.empty()) << notes.front();
    // The synthesiser makes sound with the font.
    Mix_SetPostMix(countMixed, nullptr);
    audibleBlocks = 0;
    PlayScene(*game, 12);
    music->waitIdle();
    for (int i = 0; i < 2000 && audibleBlocks == 0; ++i)
        SDL_Delay(10);
    EXPECT_GT(audibleBlocks, 0);
    Mix_SetPostMix(nullptr, nullptr);
    // The shut-down's stop.
    StopMusic(*game);
    music->waitIdle();
    EXPECT_TRUE(music->playing().empty());
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(MusicPlayerTest, APieceLoopsUntilTheNextSceneAndSceneZeroStopsIt) {
    constexpr int kSamples = 2205;  // a twentieth of a second
    writeWav(dir.path() / "short.wav", kSamples);
    game->options.musicFiles[4] = "short.wav";
    auto music = player();
    ASSERT_TRUE(music->audible());
    Mix_SetPostMix(countMixed, nullptr);
    mixedBytes = 0;
    PlayScene(*game, 4);
    music->waitIdle();
    ASSERT_EQ(music->playing(), dir.path() / "short.wav");
    // The device takes stereo 16-bit frames: forty times the piece's length.
    ASSERT_TRUE(mixedAtLeast(40LL * kSamples * 4));
    EXPECT_EQ(Mix_PlayingMusic(), 1) << "still playing: it started over at its end";
    EXPECT_EQ(music->starts(), 1) << "looped by the mixer, not started again";

    PlayScene(*game, 0);
    music->waitIdle();
    EXPECT_TRUE(music->playing().empty());
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    // A scene without a file is silence too.
    PlayScene(*game, 4);
    music->waitIdle();
    PlayScene(*game, 7);
    music->waitIdle();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    Mix_SetPostMix(nullptr, nullptr);
}

TEST_F(MusicPlayerTest, TheSameSceneAgainStartsItOverFromTheBeginning) {
    writeWav(dir.path() / "long.wav", 44100 * 5);
    game->options.musicFiles[2] = "long.wav";
    auto music = player();
    ASSERT_TRUE(music->audible());
    PlayScene(*game, 2);
    music->waitIdle();
    PlayScene(*game, 2);
    music->waitIdle();
    EXPECT_EQ(music->starts(), 2);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
}

TEST_F(MusicPlayerTest, OnlyTheNewestOfQuickRequestsPlays) {
    for (const char* name : {"a.wav", "b.wav", "c.wav"})
        writeWav(dir.path() / name, 44100);
    game->options.musicFiles[1] = "a.wav";
    game->options.musicFiles[2] = "b.wav";
    game->options.musicFiles[3] = "c.wav";
    auto music = player();
    ASSERT_TRUE(music->audible());
    // An encounter's music followed at once by the battle's: the last one asked for wins.
    for (int round = 0; round < 20; ++round) {
        PlayScene(*game, 1);
        PlayScene(*game, 2);
        PlayScene(*game, 3);
    }
    music->waitIdle();
    EXPECT_EQ(music->playing(), dir.path() / "c.wav");
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    PlayScene(*game, 1);
    StopMusic(*game);
    music->waitIdle();
    EXPECT_TRUE(music->playing().empty());
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(MusicPlayerTest, FilesThatCannotPlayAreSilenceNamedOnce) {
    writeText(dir.path() / "words.mid", "not a standard MIDI file");
    writeText(dir.path() / "noise.ogg", std::string(4000, '\x5a'));
    std::filesystem::create_directories(dir.path() / "folder.mid");
    ASSERT_EQ(::mkfifo((dir.path() / "pipe.mid").c_str(), 0600), 0);
    const std::vector<std::string> names = {"missing.mid", "words.mid", "noise.ogg",
                                            "folder.mid",  "pipe.mid",  "a\"; rm x.mid"};
    auto music = player();
    ASSERT_TRUE(music->audible());
    for (size_t i = 0; i < names.size(); ++i)
        game->options.musicFiles[i + 1] = names[i];
    for (int round = 0; round < 2; ++round) {
        for (size_t i = 0; i < names.size(); ++i) {
            PlayScene(*game, static_cast<int>(i + 1));
            music->waitIdle();
            EXPECT_TRUE(music->playing().empty()) << names[i];
            EXPECT_EQ(Mix_PlayingMusic(), 0) << names[i];
        }
    }
    ASSERT_EQ(notes.size(), names.size()) << "each file is named once";
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_NE(notes[i].find(names[i]), std::string::npos) << notes[i];
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "x"));
}

TEST_F(MusicPlayerTest, MidiWithoutASoundFontIsSilenceWithAReason) {
    std::filesystem::copy_file(std::filesystem::path(DV_TEST_GAME_DIR) / "bgm02_castle_town.mid",
                               dir.path() / "town.mid");
    // The player's own choice names a sound font that is not there.
    setenv("SDL_SOUNDFONTS", (dir.path() / "none.sf2").c_str(), 1);
    game->options.musicFiles[2] = "town.mid";
    auto music = player({});
    ASSERT_TRUE(music->audible());
    PlayScene(*game, 2);
    music->waitIdle();
    EXPECT_TRUE(music->playing().empty());
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("サウンドフォント"), std::string::npos) << notes[0];
}

TEST_F(MusicPlayerTest, WithoutASoundDeviceTheGameGoesOnInSilenceSaidOnce) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    writeWav(dir.path() / "a.wav", 4410);
    game->options.musicFiles[1] = "a.wav";
    auto music = player();
    EXPECT_FALSE(music->audible());
    for (int scene : {1, 2, 1, 0})
        PlayScene(*game, scene);
    StopMusic(*game);
    EXPECT_TRUE(music->playing().empty());
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("音楽なしで続けます"), std::string::npos) << notes[0];
}

TEST(SoundFont, ThePlayersOwnFontInTheGameFolderComesFirst) {
    TempDir game, system, empty;
    writeText(system.path() / "b.sf2", "x");
    writeText(system.path() / "TimGM6mb.sf2", "x");
    EXPECT_EQ(FindSoundFont(game.path(), {empty.path(), system.path()}),
              system.path() / "TimGM6mb.sf2");
    writeText(game.path() / "mine.SF2", "x");
    EXPECT_EQ(FindSoundFont(game.path(), {system.path()}), game.path() / "mine.SF2");
    EXPECT_TRUE(FindSoundFont(empty.path(), {empty.path(), "/no/such/folder"}).empty());
}

}  // namespace
}  // namespace dv

#pragma once

// The player's own settings, kept in QTR.ini in the game folder: the music file of each
// scene, the three options of the dungeon screens and a picture file per monster name.
// They are read once at start-up and change only through the settings window.

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/data/atomic_file.h"
#include "core/data/ini_file.h"

namespace dv {

struct Game;

inline constexpr int kMusicScenes = 19;  // scenes 1..19 have a key in QTR.ini
inline constexpr int kMusicSlots = 51;   // scene numbers 0..50; 0 is silence

// QTR.ini's sections.
inline constexpr std::string_view kMusicSection = "ＢＧＭ";
inline constexpr std::string_view kDungeonSection = "ダンジョン";
inline constexpr std::string_view kPictureSection = "画像";

// The key of a scene 1..19 in section [ＢＧＭ]; empty for any other number.
std::string_view SceneKey(int scene);

// A path longer than this is no file name: it is read as none.
inline constexpr std::size_t kMaxPathLength = 4096;
// A QTR.ini larger than this is not read, and never overwritten.
inline constexpr std::size_t kMaxSettingsFileSize = 1 << 20;

struct GameSettings {
    // The music file of each scene as written in QTR.ini (relative names are in the game
    // folder); 0 and 20..50 stay empty.
    std::array<std::string, kMusicSlots> musicFiles;
    // The file the music player was last given (empty: silence).
    std::string currentMusicFile;
    // 0 line drawing, 1 pictures, 2 pictures with the shaded-polygon fallback.
    int drawMode = 0;
    // 1: a search that finds nothing says so.
    int showEmptySearch = 0;
    // 1: the help panel is shown during battles.
    int battleHelpWindow = 1;
    // QTR.ini as read; keys the game does not know are written back as they were.
    IniFile ini;
    // Set when QTR.ini was too large or could not be read: it is then left as it is.
    bool keepFile = false;
};

// The settings file, "QTR.ini" in the game folder (found whatever its letter case).
std::filesystem::path SettingsFile(const Game& game);

// Reads QTR.ini into game.options. A missing file or key gives the defaults; values that
// are not numbers read as 0, and options outside their choices as off.
void ReadSettings(Game& game);

// Writes the options, the music files of scenes 1..19 and the given monster pictures
// (name, file) into QTR.ini, crash-safely: a failed write leaves the old file as it was.
// False, with the reason in *error, when the file could not be written.
bool WriteSettings(Game& game, const std::vector<std::pair<std::string, std::string>>& pictures,
                   std::string* error = nullptr, const WriteFaults& faults = {});

// A file name as a setting gives it: relative names are in the game folder, "\" separators
// of older files are taken as "/", and the last part is matched without regard to letter
// case when the exact name is missing. Empty for an empty or overlong text.
std::filesystem::path ResolveGamePath(const std::filesystem::path& gameDir, std::string_view text);

// The file of a scene's music, resolved; empty for silence (and for unknown scenes).
std::filesystem::path MusicFilePath(const Game& game, int scene);

// The picture the player chose for a monster name (section [画像]), trimmed; "" for none.
std::string MonsterPictureSetting(const Game& game, const std::string& monsterName);
// The same, resolved to a file; empty when none is set. Whether it can be read is for the
// caller to find out.
std::filesystem::path MonsterPicturePath(const Game& game, const std::string& monsterName);

// Whether a text can be written as a value or key of QTR.ini (no line breaks or other
// control characters, not overlong).
bool StorableSetting(std::string_view text);

}  // namespace dv

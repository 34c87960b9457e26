#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/battle_state.h"
#include "core/data/database.h"
#include "core/data/dice.h"
#include "core/data/save_data.h"
#include "core/data/save_folder.h"
#include "core/dungeon_state.h"
#include "core/game_settings.h"
#include "core/links.h"

namespace dv {

struct Screens;
class MusicPlayer;
class SettingsStore;

inline constexpr int kPartySlots = 6;

// Where the active party stands and who is in it (not saved as such: the members' own
// records carry their place while a party is left in a dungeon).
struct Place {
    std::int16_t currentFloor = 0;    // 0 in town, -1 while the map keys are locked
    std::int32_t currentDungeon = 1;  // 1 town, 2 training grounds, 21.. a dungeon
    int partyX = 0;
    int partyY = 0;
    int facing = 0;  // 0 north, 1 east, 2 south, 3 west
    int previousX = 0;
    int previousY = 0;
    int partyCount = 0;
    std::int32_t partyId = 0;
    std::array<int, kPartySlots + 1> partyMembers{};  // roster slots of party slots 1..6
    std::int32_t partyEffects = 0;
    std::int32_t partyBlessings = 0;
};

// The whole state of one running game, passed by reference to every rule. Tests build a
// fresh one; nothing lives in hidden globals.
struct Game {
    // The game folder (executable, data files, save) and the per-user settings folder.
    std::filesystem::path programDir;
    std::filesystem::path configDir;
    // Where the save is kept: the game folder, or the user's data folder when the game
    // folder is read-only (with the notice start-up shows once).
    SaveFolder saveFolder;
    const std::filesystem::path& saveDir() const {
        return saveFolder.dir.empty() ? programDir : saveFolder.dir;
    }

    Database db;
    SaveData save;
    Rng rng;
    Place place;
    // The player's settings from QTR.ini.
    GameSettings options;
    // The working floor and the view.
    DungeonState dungeon;
    // The running battle.
    BattleState battle;
    // The calls that reach a room above the caller.
    Links links;

    std::int32_t menuState = 0;
    int currentCharacter = 0;  // roster slot being served or acting
    int selectedMember = 0;
    std::int16_t dialogAnswer = 0;
    int sheetMode = 0;
    float sessionStart = 0;
    // The version that last ran, as read at start-up.
    int storedMajor = 0, storedMinor = 0, storedRevision = 0;

    // The windows; null in rule tests that need no screen.
    Screens* screens = nullptr;
    SettingsStore* settings = nullptr;
    MusicPlayer* music = nullptr;

    // The game without windows (the battle simulator): the message dialog's texts go to
    // this answerer, which returns what the dialog would (core/prompt_dialog.h), and no
    // save is written while savesOff is set.
    std::function<std::string(const std::string& text, int mode)> answerPrompt;
    bool savesOff = false;
};

// The running program's version.
struct Version {
    int major, minor, revision;
};
inline constexpr Version kVersion{DV_VERSION_MAJOR, DV_VERSION_MINOR, DV_VERSION_REVISION};

}  // namespace dv

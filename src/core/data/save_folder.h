#pragma once

// Where the save lives. Beside the executable when the game folder is writable; an
// installation under /usr or /opt is not, so there the save goes to the user's data
// folder ($XDG_DATA_HOME/dalvenor, by default ~/.local/share/dalvenor), once seeded with
// the save shipped beside the executable.

#include <filesystem>
#include <functional>
#include <string>

namespace dv {

struct SaveFolder {
    std::filesystem::path dir;
    // ok = false: the game cannot keep a save (start-up shows `notice` and ends). With
    // ok = true a notice is shown once, the first time saves go to the data folder.
    bool ok = true;
    std::string notice;
};

// $XDG_DATA_HOME/dalvenor, or ~/.local/share/dalvenor when it is not set.
std::filesystem::path DefaultDataFolder();

// Whether files can be created in a folder (a read-only mount or missing permission says no).
bool FolderWritable(const std::filesystem::path& dir);

// Chooses the save folder for a game folder. When the game folder cannot be written, the
// data folder is used: made if missing; a save already there is used as it is (later
// starts look there first); otherwise the game folder's save, if any, is copied there
// once and the notice tells the player where saves now go.
SaveFolder ChooseSaveFolder(
    const std::filesystem::path& programDir, const std::filesystem::path& dataFolder,
    const std::function<bool(const std::filesystem::path&)>& writable = FolderWritable);

}  // namespace dv

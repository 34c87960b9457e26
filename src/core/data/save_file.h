#pragma once

// QTR1.DAT: eight tables, 128154 bytes, no header. Names are rebuilt from their codes on
// reading and the codes from the names on writing; roster slot 0 is never taken from the
// file. Saves replace the file atomically, so a crash never leaves a torn save.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/data/atomic_file.h"
#include "core/data/save_data.h"

namespace dv {

inline constexpr const char* kSaveFileName = "QTR1.DAT";
inline constexpr const char* kSaveBackupName = "QTR1.DAT.bak";
// Damaged saves are kept as QTR1.DAT.bak, QTR1.DAT.bak2, QTR1.DAT.bak3... up to this many.
inline constexpr int kMaxSaveBackups = 999;

// The name of the n-th copy of a damaged save (n from 1).
std::string SaveBackupName(int n);

// ok = false: the game cannot go on (start-up shows `message` and ends). ok = true with a
// message: show it to the player and go on.
struct LoadReport {
    bool ok = true;
    std::string message;
};

struct SaveReport {
    bool ok = true;
    std::string message;  // shown to the player when !ok
};

// Reads QTR1.DAT from `dir` into `save`. A missing or empty file is a new game (every table
// zero). A file of any other size than 128154 bytes is copied to the first free backup name
// (QTR1.DAT.bak, QTR1.DAT.bak2, ...; a copy already holding the same bytes is reused and no
// earlier copy is replaced), what it holds is read, and the report tells the player.
LoadReport LoadSave(SaveData& save, const std::filesystem::path& dir);

// Writes the whole save into `dir` crash-safely. A failed write leaves the previous file
// untouched and reports why and which file; the names in memory are unchanged either way.
SaveReport WriteSaveFile(SaveData& save, const std::filesystem::path& dir,
                         const WriteFaults& faults = {});

// The reading steps on bytes already in memory: keeps slot 0, reads as much of the layout
// as `bytes` holds (the rest stays zero), rebuilds the names of slots 1..50, puts slot 0
// back, and brings the step clocks into their ranges.
void ReadSaveImage(std::span<const std::uint8_t> bytes, SaveData& save);

// The file image of a save: the code arrays of slots 1..50 with a name are rebuilt from the
// name (a name whose codes already give it back keeps them, so an unchanged roster never
// changes a stored code), and every String member is written empty.
std::vector<std::uint8_t> BuildSaveImage(SaveData& save);

}  // namespace dv

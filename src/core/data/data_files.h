#pragma once

// The database files QTR3..QTR6.DAT: their exact byte images, and loading everything at
// start-up.

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/data/database.h"
#include "core/data/save_data.h"
#include "core/data/save_file.h"

namespace dv {

inline constexpr std::size_t kQtr3Size = 2001 * kItemRecordSize + 204;
inline constexpr std::size_t kMazeLayerBytes = MazeLayer::kElements * 2;
inline constexpr std::size_t kQtr6Size = 3 * kMazeLayerBytes;

// Each reader fills its tables from the file's bytes (what a short file lacks reads as zero
// and empty) and returns false when the bytes end before the last table is complete.
// Trailing bytes are ignored. The readers do not decode names; see DecodeDatabaseNames.
bool readQtr3(std::span<const std::uint8_t> bytes, Database& db);
bool readQtr4(std::span<const std::uint8_t> bytes, Database& db);
bool readQtr5(std::span<const std::uint8_t> bytes, Database& db);
bool readQtr6(std::span<const std::uint8_t> bytes, Database& db);

// The exact file images. String members are written as they are held (the coded names of
// items, monsters and skill descriptions are expected to be empty, as in the files).
std::vector<std::uint8_t> writeQtr3(const Database& db);
std::vector<std::uint8_t> writeQtr4(const Database& db);
std::vector<std::uint8_t> writeQtr5(const Database& db);
std::vector<std::uint8_t> writeQtr6(const Database& db);

// Appends the coded names to the text members: monsters (name, altName), items (name,
// altName), skill descriptions.
void DecodeDatabaseNames(Database& db);

// The monsters whose names the program fixes: 770..780, 785..798, 901..913, 917, 1183.
void ApplyFixedMonsterNames(Database& db);
// The fixed name of a monster number, or empty.
std::string_view FixedMonsterName(int monsterNumber);

// Start-up loading: the save file (from `saveDir`, by default `dir`), then QTR3..QTR6.DAT
// from `dir`, then the names. A database file that is missing or too short is never
// created: the report names it, ok = false, and start-up ends before the main window opens.
LoadReport LoadAllData(Database& db, SaveData& save, const std::filesystem::path& dir,
                       const std::filesystem::path& saveDir = {});

}  // namespace dv

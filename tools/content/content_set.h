#pragma once

// The game's content as a whole: the database tables, the starter save (the shop's opening
// stock), and where in the sources each entry was written, for messages that name a file
// and line.

#include <filesystem>
#include <map>
#include <string>

#include "content/event_source.h"
#include "content/maze_text.h"
#include "core/data/database.h"
#include "core/data/save_data.h"

namespace dv {

struct SourceLine {
    std::string file;
    int line = 0;
};

struct ContentSet {
    std::filesystem::path dir;  // the folder the sources were read from
    Database db;
    SaveData starter;               // only shopStock is filled
    std::vector<EventSpec> events;  // compiled into the game, not into the data files
    // table name ("items", "monsters", "mazes"...) -> entry number -> where it was written.
    // Maze floors are numbered dungeon * 100 + floor.
    std::map<std::string, std::map<int, SourceLine>> where;
    // table -> entry -> field name -> the line the field was written on (record tables).
    std::map<std::string, std::map<int, std::map<std::string, int>>> fieldLines;

    SourceLine at(const std::string& table, int entry) const;
    // The line of one field of an entry; the entry's line when the field was not written.
    SourceLine at(const std::string& table, int entry, const std::string& field) const;
};

// Reads every source under `dir` (a missing file is an empty table; a floor without a
// picture is solid rock). Throws ContentError naming the file and line of the first fault.
ContentSet readContentSources(const std::filesystem::path& dir);

// Writes sources that read back to exactly these tables. `starter` may be null.
void writeContentSources(const Database& db, const SaveData* starter,
                         const std::filesystem::path& dir);

// The file name of a floor picture under the sources' mazes/ directory.
std::string floorFileName(int dungeon, int floor);

// One floor of the maze layers.
FloorGrid floorOf(const Database& db, int dungeon, int floor);

// Table defaults: what an entry holds before its written fields are applied.
ItemRecord defaultItem(int number);
Character defaultMonster(int number);

}  // namespace dv

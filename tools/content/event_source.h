#pragma once

// The map-event sources: content/events/dDDfFF.yaml, one list of events per floor, read
// into the table the game is compiled with (dungeon/map_event_data.h).

#include <filesystem>
#include <string>
#include <vector>

#include "core/data/map_event_data.h"

namespace dv {

struct EventSpec {
    MapEvent event;
    std::string answer;
    std::vector<std::string> words;
    std::string file;
    int line = 0;
};

// Reads every events file under `dir` in dungeon and floor order. Throws ContentError.
std::vector<EventSpec> readEventSources(const std::filesystem::path& dir);

// One file's events; the dungeon and floor come from the caller.
std::vector<EventSpec> parseEventFile(const std::string& text, const std::string& file, int dungeon,
                                      int floor);

// The C++ source of the compiled table.
std::string writeEventTable(const std::vector<EventSpec>& events);

}  // namespace dv

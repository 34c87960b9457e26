// dalvenor-sim: how a party of new adventurers fares on the floors of a dungeon.
//
//   dalvenor-sim [--data DIR] [--dungeon N] [--floors A-B] [--levels L,L,...]
//                [--battles N] [--seed N] [--flee PERCENT] [--by-encounter]
//                [--gear none|depth]
//
// Reads QTR3..QTR6.DAT from DIR (default: the folder of the program), fights N random
// battles per floor and party level with the real battle rules and prints how many were
// won, fled and lost, how many rounds a battle took and how many members fell in the
// battles the party lived through; --by-encounter adds a row per encounter of the floor.
// --gear depth arms the party on each floor with the best the shop sells and the floor's
// chests give (the chest level its monsters leave); the default is bare hands.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "battle_sim.h"
#include "core/data/data_files.h"
#include "core/game.h"

namespace {

struct Options {
    std::filesystem::path data;
    int dungeon = 21;
    int firstFloor = 1;
    int lastFloor = 5;
    std::vector<int> levels{1};
    int battles = 1000;
    std::uint64_t seed = 1;
    int flee = 25;
    bool byEncounter = false;
    bool gear = false;
};

int usage() {
    std::cerr << "usage: dalvenor-sim [--data DIR] [--dungeon N] [--floors A-B] "
                 "[--levels L,L,...] [--battles N] [--seed N] [--flee PERCENT] [--by-encounter] "
                 "[--gear none|depth]\n";
    return 2;
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--by-encounter") {
            o.byEncounter = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        try {
            if (arg == "--data") {
                o.data = value;
            } else if (arg == "--dungeon") {
                o.dungeon = std::stoi(value);
            } else if (arg == "--floors") {
                const auto dash = value.find('-');
                o.firstFloor = std::stoi(value.substr(0, dash));
                o.lastFloor =
                    dash == std::string::npos ? o.firstFloor : std::stoi(value.substr(dash + 1));
            } else if (arg == "--levels") {
                o.levels.clear();
                std::stringstream in(value);
                for (std::string part; std::getline(in, part, ',');)
                    o.levels.push_back(std::stoi(part));
            } else if (arg == "--battles") {
                o.battles = std::stoi(value);
            } else if (arg == "--seed") {
                o.seed = std::stoull(value);
            } else if (arg == "--flee") {
                o.flee = std::stoi(value);
            } else if (arg == "--gear") {
                if (value != "none" && value != "depth") return false;
                o.gear = value == "depth";
            } else {
                return false;
            }
        } catch (const std::exception&) {
            return false;
        }
    }
    return o.dungeon >= 21 && o.dungeon <= 26 && o.firstFloor >= 1 && o.lastFloor <= 21 &&
           o.firstFloor <= o.lastFloor && o.battles > 0 && !o.levels.empty();
}

std::filesystem::path programFolder(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.parent_path();
    return std::filesystem::absolute(argv0).parent_path();
}

std::string percent(int part, int whole) {
    char text[16];
    std::snprintf(text, sizeof text, "%5.1f%%", whole > 0 ? 100.0 * part / whole : 0.0);
    return text;
}

// What the first and the last member (a fighter and the mage) wear on a floor.
void printGear(dv::sim::BattleSimulator& sim, int dungeon, int floor) {
    std::cout << "              chest level " << sim.chestLevel(dungeon, floor) << "; worn:";
    const auto& party = sim.party();
    for (const dv::Character* c : {&party.front(), &party.back()}) {
        std::string worn;
        for (const dv::ItemSlot& slot : c->items) {
            const dv::ItemRecord* item = dv::itemAt(sim.game().db, slot.itemId);
            if (item && (slot.itemFlags & dv::kItemEquipSlotMask) != 0)
                worn += (worn.empty() ? "" : "/") + item->name;
        }
        std::cout << "  " << (worn.empty() ? "(nothing)" : worn);
    }
    std::cout << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) return usage();
    if (o.data.empty()) o.data = programFolder(argv[0]);
    auto db = std::make_unique<dv::Database>();
    dv::SaveData save;
    const dv::LoadReport report = dv::LoadAllData(*db, save, o.data);
    if (!report.ok) {
        std::cerr << "dalvenor-sim: " << report.message << "\n";
        return 1;
    }
    dv::sim::BattleSimulator sim(*db, o.seed);
    sim.setFleeBelow(o.flee);
    if (o.gear) {
        std::vector<int> shopItems;
        for (std::size_t n = 1; n < save.shopStock.size(); ++n)
            if (save.shopStock[n] > 0) shopItems.push_back(static_cast<int>(n));
        sim.setGearByDepth(std::move(shopItems));
    }
    std::cout << "dungeon " << o.dungeon << ", " << o.battles << " random battles per row, seed "
              << o.seed << ", flight below " << o.flee << "% of the party's hit points\n";
    std::cout << "party: four fighters, a priest and a mage (human, lawful), "
              << (o.gear ? "with the best gear of the shop and of each floor's chests\n\n"
                         : "bare-handed\n\n");
    std::cout << "level  floor     won    fled   wiped  undecided  rounds  fallen/100\n";
    for (int level : o.levels) {
        sim.setPartyLevel(level);
        for (int floor = o.firstFloor; floor <= o.lastFloor; ++floor) {
            const dv::sim::Tally t = sim.floor(o.dungeon, floor, o.battles);
            char line[160];
            if (t.battles == 0) {
                std::snprintf(line, sizeof line, "%5d  %5d  (no random battles on this floor)\n",
                              level, floor);
            } else {
                std::snprintf(
                    line, sizeof line, "%5d  %5d  %s  %s  %s     %s  %6.2f  %9.1f\n", level, floor,
                    percent(t.won, t.battles).c_str(), percent(t.fled, t.battles).c_str(),
                    percent(t.wipedOut, t.battles).c_str(), percent(t.undecided, t.battles).c_str(),
                    static_cast<double>(t.rounds) / t.battles, 100.0 * t.fallen / t.battles);
            }
            std::cout << line;
            if (o.gear && t.battles > 0) printGear(sim, o.dungeon, floor);
            if (!o.byEncounter) continue;
            for (int e : sim.floorEncounters(o.dungeon, floor)) {
                const dv::sim::Tally u = sim.encounter(o.dungeon, floor, e, o.battles);
                std::snprintf(
                    line, sizeof line, "         encounter %4d  %s  %s  %s  %6.2f  %9.1f\n", e,
                    percent(u.won, u.battles).c_str(), percent(u.fled, u.battles).c_str(),
                    percent(u.wipedOut, u.battles).c_str(),
                    static_cast<double>(u.rounds) / u.battles, 100.0 * u.fallen / u.battles);
                std::cout << line;
            }
        }
    }
    return 0;
}

// dalvenor-bot: plays the game's rules headless from a new roster towards the ending.
//
//   dalvenor-bot [--data DIR] [--seed N] [--goal DUNGEON:FLOOR] [--expeditions N]
//                [--days N] [--flee PERCENT] [--quiet] [--trace]
//
// Reads QTR3..QTR6.DAT from DIR (default: the folder of the program), prints the log of
// the run and exits 0 only when the ending (or the goal) was reached. --trace writes every
// message of the game to standard error.

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "campaign.h"
#include "core/data/data_files.h"

namespace {

struct Options {
    std::filesystem::path data;
    dv::bot::CampaignOptions campaign;
};

int usage() {
    std::cerr << "usage: dalvenor-bot [--data DIR] [--seed N] [--goal DUNGEON:FLOOR] "
                 "[--expeditions N] [--days N] [--flee PERCENT] [--quiet] [--trace]\n";
    return 2;
}

bool parse(int argc, char** argv, Options& o) {
    dv::bot::CampaignOptions& c = o.campaign;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quiet") {
            c.quiet = true;
            continue;
        }
        if (arg == "--trace") {
            c.trace = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        try {
            if (arg == "--data") {
                o.data = value;
            } else if (arg == "--seed") {
                c.seed = std::stoull(value);
            } else if (arg == "--goal") {
                const auto colon = value.find(':');
                if (colon == std::string::npos) return false;
                c.goalDungeon = std::stoi(value.substr(0, colon));
                c.goalFloor = std::stoi(value.substr(colon + 1));
            } else if (arg == "--expeditions") {
                c.maxExpeditions = std::stoi(value);
            } else if (arg == "--days") {
                c.maxDays = std::stol(value);
            } else if (arg == "--flee") {
                c.fleeBelow = std::stoi(value);
            } else {
                return false;
            }
        } catch (const std::exception&) {
            return false;
        }
    }
    const bool goalOk =
        c.goalDungeon == 0 || (dv::bot::LevelNeeded(c.goalDungeon, c.goalFloor) < 999);
    return goalOk && c.maxExpeditions > 0 && c.maxDays > 0 && c.fleeBelow >= 0 &&
           c.fleeBelow <= 100;
}

std::filesystem::path programFolder(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.parent_path();
    return std::filesystem::absolute(argv0).parent_path();
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) return usage();
    if (o.data.empty()) o.data = programFolder(argv[0]);
    auto db = std::make_unique<dv::Database>();
    auto save = std::make_unique<dv::SaveData>();
    const dv::LoadReport report = dv::LoadAllData(*db, *save, o.data);
    if (!report.ok) {
        std::cerr << "dalvenor-bot: " << report.message << "\n";
        return 1;
    }
    return dv::bot::RunCampaign(*db, *save, o.campaign, std::cout) ? 0 : 1;
}

// dalvenor-data: the game's data tool.
//
//   dalvenor-data save FILE      print a save file (QTR1.DAT) as readable text
//   dalvenor-data build SRC_DIR OUT_DIR, dump DATA_DIR SRC_DIR, check SRC_DIR

#include <iostream>
#include <string>
#include <vector>

#include "content_commands.h"
#include "subcommand.h"

namespace {

using dv::tool::Subcommand;

constexpr Subcommand kSubcommands[] = {
    {"save", "FILE", "print a save file (QTR1.DAT) as readable text", dv::tool::runSave},
    {"build", "SRC_DIR OUT_DIR",
     "check content sources and compile them into QTR3..QTR6.DAT (and a starter QTR1.DAT "
     "where no save is)",
     dv::tool::runBuildCommand},
    {"dump", "DATA_DIR SRC_DIR", "decompile QTR3..QTR6.DAT into content sources",
     dv::tool::runDumpCommand},
    {"check", "SRC_DIR", "check the content sources' references and rules",
     dv::tool::runCheckCommand},
};

int usage(std::ostream& out) {
    out << "usage: dalvenor-data COMMAND [ARGUMENTS]\n\ncommands:\n";
    for (const Subcommand& c : kSubcommands) {
        out << "  " << c.name << " " << c.usage << "\n      " << c.summary << "\n";
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage(std::cerr);
    const std::string name = argv[1];
    if (name == "help" || name == "--help" || name == "-h") {
        usage(std::cout);
        return 0;
    }
    for (const Subcommand& c : kSubcommands) {
        if (c.name == name) {
            return c.run(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
        }
    }
    std::cerr << "dalvenor-data: unknown command \"" << name << "\"\n";
    return usage(std::cerr);
}

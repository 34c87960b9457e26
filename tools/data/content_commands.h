#pragma once

// The content subcommands of the data tool (sources <-> QTR3..6.DAT).

#include <ostream>
#include <string>
#include <vector>

namespace dv::tool {

int runBuildCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runDumpCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dv::tool

#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace dv::tool {

// One subcommand of the data tool: its arguments after the subcommand's name, and the
// streams for output and for errors. Returns the exit status (0 success, 1 failure,
// 2 wrong usage).
using SubcommandFunction = int (*)(const std::vector<std::string>& args, std::ostream& out,
                                   std::ostream& err);

struct Subcommand {
    std::string_view name;
    std::string_view usage;    // arguments, e.g. "FILE"
    std::string_view summary;  // one line for the help text
    SubcommandFunction run;
};

int runSave(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dv::tool

// dalvenor-data check SRC_DIR: every reference of the sources resolves and the numbers
// the game relies on are there; each problem is printed as "file:line: message".
#include "content/content_check.h"
#include "content_commands.h"

namespace dv::tool {

int runCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: dalvenor-data check SRC_DIR\n";
        return 2;
    }
    return runCheck(args[0], out, err);
}

}  // namespace dv::tool

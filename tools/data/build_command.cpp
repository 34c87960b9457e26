// dalvenor-data build SRC_DIR OUT_DIR: the content sources to QTR3..QTR6.DAT and the
// starter QTR1.DAT (the shop's opening stock).
#include "content/content_check.h"
#include "content_commands.h"

namespace dv::tool {

int runBuildCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: dalvenor-data build SRC_DIR OUT_DIR\n";
        return 2;
    }
    return runBuild(args[0], args[1], err);
}

}  // namespace dv::tool

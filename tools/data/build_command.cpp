// dalvenor-data build SRC_DIR OUT_DIR: the content sources, once every check passes, to
// QTR3..QTR6.DAT and, where OUT_DIR holds no save, the starter QTR1.DAT (the shop's
// opening stock).
#include "content/content_check.h"
#include "content_commands.h"

namespace dv::tool {

int runBuildCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: dalvenor-data build SRC_DIR OUT_DIR\n";
        return 2;
    }
    return runBuild(args[0], args[1], out, err);
}

}  // namespace dv::tool

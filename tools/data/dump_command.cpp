// dalvenor-data dump DATA_DIR SRC_DIR: QTR3..QTR6.DAT (and the shop stock of a QTR1.DAT
// beside them) to sources that build back to the same bytes.
#include "content/content_check.h"
#include "content_commands.h"

namespace dv::tool {

int runDumpCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: dalvenor-data dump DATA_DIR SRC_DIR\n";
        return 2;
    }
    return runDump(args[0], args[1], err);
}

}  // namespace dv::tool

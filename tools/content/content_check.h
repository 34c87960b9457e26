#pragma once

// The checks a content set must pass before it ships: every reference resolves, the numbers
// the engine relies on are there, the mazes fit the engine's rules.

#include <filesystem>
#include <string>
#include <vector>

#include "content/content_set.h"

namespace dv {

struct CheckProblem {
    SourceLine where;
    std::string message;
};

// `messageNumbers` are the numbers the message table holds.
std::vector<CheckProblem> checkContent(const ContentSet& set,
                                       const std::vector<int>& messageNumbers);

// The people's replies (content/people.yaml) that name a message the table does not hold.
// Throws ContentError on a malformed file.
std::vector<CheckProblem> checkReplyMessages(const std::filesystem::path& peopleYaml,
                                             const std::vector<int>& messageNumbers);

// Reads the numbers of content/messages.yaml (throws ContentError on a malformed file).
std::vector<int> readMessageNumbers(const std::filesystem::path& messagesYaml);

// The command lines of the data tool. Each prints its errors as "file:line: message" to
// `err` and returns the process exit status. A folder that is missing or holds no content
// sources is said to be so in one line; success prints one line with the counts to `log`.
// `build` runs every check first and builds nothing when one fails; it writes each file
// crash-safely, and the starter QTR1.DAT only where no save is.
int runBuild(const std::filesystem::path& src, const std::filesystem::path& out, std::ostream& log,
             std::ostream& err);
int runDump(const std::filesystem::path& dataDir, const std::filesystem::path& src,
            std::ostream& err);
int runCheck(const std::filesystem::path& src, std::ostream& log, std::ostream& err);

}  // namespace dv

#pragma once

// Runs a built tool (the data tool unless named) with arguments and keeps its exit status
// and output.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace dv::test {

struct ToolRun {
    int status = -1;
    std::string out;
};

inline ToolRun runTool(const std::string& arguments, const std::string& program = DV_DATA_TOOL) {
    ToolRun run;
    const std::string command = program + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer;
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace dv::test

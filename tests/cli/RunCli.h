// Runs pictavo-cli as its users do: what it prints on standard output and its exit code.
#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace pv::test {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::vector<std::string> lines;  // out split at line ends
};

inline CliRun RunCli(const std::string& args) {
    CliRun r;
    const std::string cmd = std::string(PV_CLI_PATH) + " " + args + " 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    char buf[512];
    while (p != nullptr && std::fgets(buf, sizeof buf, p) != nullptr) {
        r.out += buf;
    }
    const int status = p != nullptr ? pclose(p) : -1;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    for (size_t start = 0; start < r.out.size();) {
        const size_t nl = r.out.find('\n', start);
        r.lines.push_back(r.out.substr(start, nl - start));
        start = nl == std::string::npos ? r.out.size() : nl + 1;
    }
    return r;
}

}  // namespace pv::test

// Runs pictavo-cli as its users do: what it prints on standard output and its exit code.
#pragma once

#include <cstdio>
#include <sstream>
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
    FILE* p = popen((std::string(PV_CLI_PATH) + " " + args + " 2>/dev/null").c_str(), "r");
    char buf[512];
    while (p != nullptr && std::fgets(buf, sizeof buf, p) != nullptr) {
        r.out += buf;
    }
    const int status = p != nullptr ? pclose(p) : -1;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        r.lines.push_back(line);
    }
    return r;
}

}  // namespace pv::test

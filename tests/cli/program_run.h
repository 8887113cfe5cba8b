#pragma once

// Runs the built ixo-cli program through the shell, as a user or a script would.
#include "support/temp_dir.h"

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace ixo::test {

struct Result {
    int status = -1;
    std::string out;
};

inline std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs `shellPrefix` and then the program with the given arguments in one shell; standard error goes to
// standard output. The prefix sets up the shell (e.g. "ulimit -v 100000;").
inline Result RunProgram(const std::string& arguments, const std::string& shellPrefix = {}) {
    const std::string command =
        shellPrefix + " " + Quoted((BinDirectory() / "ixo-cli").string()) + " " + arguments + " 2>&1";
    Result result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        result.out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace ixo::test

#pragma once

#include "cli/cli_app.h"
#include "cli/commands.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace ixo::test {

// One run of the command line: exit status and what it printed.
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs ixo-cli with these words (everything after the program name), as if the program sat in
// programDirectory.
inline CliRun RunIxoCli(const std::vector<std::string>& words,
                        const std::filesystem::path& programDirectory) {
    static const cli::CommandRegistry registry = cli::BuildCommandRegistry();
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = cli::RunCli(words, registry, programDirectory, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Runs ixo-cli on the demo catalogue with no settings file (the built-in defaults), from the folder of
// the programs.
inline CliRun RunCommand(const std::vector<std::string>& arguments) {
    std::vector<std::string> words = {"--catalogue", DemoCatalogueDirectory().string(), "--settings",
                                      "/nonexistent/Ixo.ini"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return RunIxoCli(words, DemoCatalogueDirectory().parent_path());
}

} // namespace ixo::test

#include "cli/cli_app.h"
#include "cli/commands.h"
#include "common/large_blocks.h"
#include "common/paths.h"

#include <iostream>

int main(int argc, char** argv) {
    ixo::ReturnLargeBlocksToSystem();
    const std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ixo::cli::CommandRegistry registry = ixo::cli::BuildCommandRegistry();
    return ixo::cli::RunCli(words, registry, ixo::ExecutableDirectory(), std::cout, std::cerr);
}

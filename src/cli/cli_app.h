#pragma once

#include "cli/command_registry.h"

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace ixo::cli {

inline constexpr const char* kProgramName = "ixo-cli";

// Exit statuses of the front end.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitCannotWrite = 3; // a file could not be written
inline constexpr int kExitOutOfMemory = 4; // the system gave the command less memory than it needs

// The usage text: synopsis, global options and one line per command.
std::string UsageText(const CommandRegistry& registry);

// The usage of one command with its arguments and options.
std::string CommandUsageText(const Command& command);

std::string VersionText();

// Runs the front end on the words after the program name and returns the exit status. Bad input gives
// a message and a hint on `err` and status 2; a failing command gives status 1; running out of memory
// gives a message saying so and status 4, whatever the command was doing.
int RunCli(const std::vector<std::string>& words, const CommandRegistry& registry,
           const std::filesystem::path& programDirectory, std::ostream& out, std::ostream& err);

} // namespace ixo::cli

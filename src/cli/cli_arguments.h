#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ixo::cli {

class CommandRegistry;
struct Command;

// Bad input on the command line: unknown command or option, missing value, bad number. The front end
// prints the message with a hint to use --help and exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Options that every command understands.
struct GlobalOptions {
    std::filesystem::path catalogueDirectory; // --catalogue DIR, default <program folder>/BD
    std::filesystem::path settingsFile;       // --settings FILE, default <program folder>/Ixo.ini
};

// The command line taken apart.
struct CommandLine {
    GlobalOptions options;
    bool help = false;                  // --help or -h: show the usage (of the command, when one is named)
    bool version = false;               // --version
    const Command* command = nullptr;   // none when only --help or --version was asked for
    std::vector<std::string> arguments; // the words after the command's name
    // The command's own options in the order given ("" for a flag); an option may be given more than once.
    std::multimap<std::string, std::string, std::less<>> commandOptions;
};

// Parses the words after the program name. Global options may stand anywhere; a command's own options
// must follow its name; "--" ends the options. Options take their value as "--name VALUE" or
// "--name=VALUE". Throws UsageError on bad input.
CommandLine ParseCommandLine(const std::vector<std::string>& words, const CommandRegistry& registry,
                             const std::filesystem::path& programDirectory);

// A whole decimal number that fits 32 bits, for a command argument named `what` in the error message.
std::int32_t ParseIntegerArgument(std::string_view text, std::string_view what);

} // namespace ixo::cli

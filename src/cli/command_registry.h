#pragma once

#include "cli/cli_arguments.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ixo::cli {

// An option of one command, e.g. {"--limit", "N", "show at most N rows"}; no value name: a flag.
struct CommandOption {
    std::string name;
    std::string valueName;
    std::string help;
};

// What a command's handler gets: the parsed command line and the streams to write to.
struct CommandContext {
    const CommandLine& commandLine;
    std::ostream& out;
    std::ostream& err;

    const GlobalOptions& Options() const { return commandLine.options; }
    const std::vector<std::string>& Arguments() const { return commandLine.arguments; }
    // The value of one of the command's options (empty for a flag), or nothing when not given.
    // The last value given (a later option overrides an earlier one).
    std::optional<std::string> Option(std::string_view name) const;
    // Every value given for a repeatable option, in command-line order.
    std::vector<std::string> OptionValues(std::string_view name) const;
};

// A handler returns the exit status: 0 on success, 1 when the work failed. Bad input is reported by
// throwing UsageError (status 2).
using CommandHandler = std::function<int(const CommandContext&)>;

// One command: its name words ("catalogue", "models"), its arguments, options and one line of help.
struct Command {
    std::vector<std::string> words;
    std::string argumentsSyntax; // e.g. "FAMILY"; shown in the usage text
    std::size_t minArguments = 0;
    std::size_t maxArguments = 0;
    std::vector<CommandOption> options;
    std::string summary;
    std::string details; // more help, printed by `COMMAND --help` after the options
    CommandHandler run;

    std::string Name() const; // the words joined by blanks
    const CommandOption* FindOption(std::string_view name) const;
};

// A command without arguments or options; set the other fields on the result as needed.
Command MakeCommand(std::vector<std::string> words, std::string summary, CommandHandler run);

// The table of commands, in the order they are listed in the usage text.
class CommandRegistry {
public:
    // Adds a command; its words must not repeat another command's.
    void Add(Command command);

    std::span<const Command> Commands() const { return m_commands; }

    // The command named exactly by `words`, or nullptr.
    const Command* Find(std::span<const std::string> words) const;

    // True when `words` begin the name of at least one command.
    bool StartsACommand(std::span<const std::string> words) const;

    // The words that may follow `words` in a command name, e.g. {"families", "models"} after "catalogue".
    std::vector<std::string> NextWords(std::span<const std::string> words) const;

private:
    std::vector<Command> m_commands;
};

} // namespace ixo::cli

#include "cli/command_registry.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace ixo::cli {

std::optional<std::string> CommandContext::Option(std::string_view name) const {
    const auto [first, last] = commandLine.commandOptions.equal_range(name);
    if (first == last) {
        return std::nullopt;
    }
    return std::prev(last)->second;
}

std::vector<std::string> CommandContext::OptionValues(std::string_view name) const {
    std::vector<std::string> values;
    const auto [first, last] = commandLine.commandOptions.equal_range(name);
    for (auto it = first; it != last; ++it) {
        values.push_back(it->second);
    }
    return values;
}

std::string Command::Name() const {
    std::string name;
    for (const std::string& word : words) {
        name += (name.empty() ? "" : " ") + word;
    }
    return name;
}

const CommandOption* Command::FindOption(std::string_view name) const {
    for (const CommandOption& option : options) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

Command MakeCommand(std::vector<std::string> words, std::string summary, CommandHandler run) {
    Command command;
    command.words = std::move(words);
    command.summary = std::move(summary);
    command.run = std::move(run);
    return command;
}

void CommandRegistry::Add(Command command) {
    if (command.words.empty() || Find(command.words) != nullptr) {
        throw std::logic_error("command name empty or taken: '" + command.Name() + "'");
    }
    m_commands.push_back(std::move(command));
}

const Command* CommandRegistry::Find(std::span<const std::string> words) const {
    for (const Command& command : m_commands) {
        if (std::ranges::equal(command.words, words)) {
            return &command;
        }
    }
    return nullptr;
}

bool CommandRegistry::StartsACommand(std::span<const std::string> words) const {
    return std::ranges::any_of(m_commands, [words](const Command& command) {
        return command.words.size() >= words.size() &&
               std::equal(words.begin(), words.end(), command.words.begin());
    });
}

std::vector<std::string> CommandRegistry::NextWords(std::span<const std::string> words) const {
    std::vector<std::string> next;
    for (const Command& command : m_commands) {
        if (command.words.size() > words.size() &&
            std::equal(words.begin(), words.end(), command.words.begin()) &&
            std::ranges::find(next, command.words[words.size()]) == next.end()) {
            next.push_back(command.words[words.size()]);
        }
    }
    return next;
}

} // namespace ixo::cli

#include "cli/cli_arguments.h"

#include "cli/command_registry.h"
#include "settings/settings_file.h"

#include <charconv>

namespace ixo::cli {
namespace {

// A word that starts with "-" is an option, unless it is "-" alone or a negative number.
bool IsOption(std::string_view word) {
    if (word.size() < 2 || word.front() != '-') {
        return false;
    }
    const char next = word[1];
    return !(next >= '0' && next <= '9') && next != '.';
}

// Walks the words once, keeping track of the command named so far.
class Parser {
public:
    Parser(const std::vector<std::string>& words, const CommandRegistry& registry)
        : m_words(words), m_registry(registry) {}

    void Run(CommandLine& line) {
        bool onlyArguments = false;
        for (m_next = 0; m_next < m_words.size();) {
            const std::string& word = m_words[m_next++];
            if (!onlyArguments && word == "--") {
                onlyArguments = true;
            } else if (!onlyArguments && IsOption(word)) {
                TakeOption(word, line);
            } else {
                TakeWord(word, line);
            }
        }
        FinishCommand(line);
    }

private:
    void TakeOption(const std::string& word, CommandLine& line) {
        const auto equals = word.find('=');
        const bool longForm = word.rfind("--", 0) == 0;
        const std::string name = longForm ? word.substr(0, equals) : word;
        std::optional<std::string> inlineValue;
        if (longForm && equals != std::string::npos) {
            inlineValue = word.substr(equals + 1);
        }
        if (name == "--help" || name == "-h" || name == "--version") {
            if (inlineValue) {
                throw UsageError("option '" + name + "' takes no value");
            }
            (name == "--version" ? line.version : line.help) = true;
        } else if (name == "--catalogue") {
            line.options.catalogueDirectory = Value(name, inlineValue);
        } else if (name == "--settings") {
            line.options.settingsFile = Value(name, inlineValue);
        } else {
            TakeCommandOption(name, inlineValue, line);
        }
    }

    void TakeCommandOption(const std::string& name, const std::optional<std::string>& inlineValue,
                           CommandLine& line) {
        const Command* command = m_registry.Find(m_commandWords);
        const CommandOption* option = command != nullptr ? command->FindOption(name) : nullptr;
        if (option == nullptr) {
            throw UsageError("unknown option '" + name + "'" +
                             (command != nullptr ? " for '" + command->Name() + "'" : std::string()));
        }
        m_commandComplete = true;
        if (option->valueName.empty()) {
            if (inlineValue) {
                throw UsageError("option '" + name + "' takes no value");
            }
            line.commandOptions.emplace(name, "");
        } else {
            line.commandOptions.emplace(name, Value(name, inlineValue));
        }
    }

    std::string Value(const std::string& name, const std::optional<std::string>& inlineValue) {
        if (inlineValue) {
            if (inlineValue->empty()) {
                throw UsageError("option '" + name + "' needs a value");
            }
            return *inlineValue;
        }
        if (m_next >= m_words.size() || IsOption(m_words[m_next])) {
            throw UsageError("option '" + name + "' needs a value");
        }
        return m_words[m_next++];
    }

    // A word continues the command's name while some command's name goes on that way; after that the
    // words are the command's arguments.
    void TakeWord(const std::string& word, CommandLine& line) {
        if (!m_commandComplete) {
            m_commandWords.push_back(word);
            if (m_registry.StartsACommand(m_commandWords)) {
                return;
            }
            m_commandWords.pop_back();
            m_commandComplete = true;
        }
        line.arguments.push_back(word);
    }

    void FinishCommand(CommandLine& line) {
        if (m_commandWords.empty()) {
            if (!line.arguments.empty()) {
                throw UsageError("unknown command '" + line.arguments.front() + "'");
            }
            return;
        }
        line.command = m_registry.Find(m_commandWords);
        if (line.command == nullptr) {
            std::string next;
            for (const std::string& word : m_registry.NextWords(m_commandWords)) {
                next += (next.empty() ? "" : ", ") + word;
            }
            std::string given;
            for (const std::string& word : m_commandWords) {
                given += (given.empty() ? "" : " ") + word;
            }
            const std::string after = line.arguments.empty() ? "" : " (not '" + line.arguments.front() + "')";
            throw UsageError("'" + given + "' needs one of: " + next + after);
        }
        const std::size_t count = line.arguments.size();
        if (line.help) {
            return; // "COMMAND --help" shows the command's help whatever else is missing
        }
        if (count < line.command->minArguments) {
            throw UsageError("'" + line.command->Name() + "' needs " + line.command->argumentsSyntax);
        }
        if (count > line.command->maxArguments) {
            throw UsageError("unexpected argument '" + line.arguments[line.command->maxArguments] +
                             "' for '" + line.command->Name() + "'");
        }
    }

    const std::vector<std::string>& m_words;
    const CommandRegistry& m_registry;
    std::size_t m_next = 0;
    std::vector<std::string> m_commandWords;
    bool m_commandComplete = false;
};

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& words, const CommandRegistry& registry,
                             const std::filesystem::path& programDirectory) {
    CommandLine line;
    line.options.catalogueDirectory = programDirectory / "BD";
    line.options.settingsFile = SettingsFilePath(programDirectory);
    Parser(words, registry).Run(line);
    return line;
}

std::int32_t ParseIntegerArgument(std::string_view text, std::string_view what) {
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        throw UsageError("bad number for " + std::string(what) + ": '" + std::string(text) + "'");
    }
    return value;
}

} // namespace ixo::cli

#include "cli/cli_app.h"

#include "common/version.h"

#include <algorithm>
#include <exception>
#include <new>
#include <ostream>
#include <sstream>

namespace ixo::cli {
namespace {

constexpr std::size_t kSynopsisWidth = 34;

std::string Synopsis(const Command& command) {
    std::string synopsis = command.Name();
    for (const CommandOption& option : command.options) {
        synopsis += " [" + option.name + (option.valueName.empty() ? "" : " " + option.valueName) + "]";
    }
    if (!command.argumentsSyntax.empty()) {
        synopsis += " " + command.argumentsSyntax;
    }
    return synopsis;
}

void Row(std::ostream& out, const std::string& left, const std::string& right) {
    out << "  " << left;
    if (left.size() + 2 < kSynopsisWidth) {
        out << std::string(kSynopsisWidth - left.size() - 2, ' ');
    } else {
        out << "\n" << std::string(kSynopsisWidth, ' ');
    }
    out << right << "\n";
}

void GlobalOptionRows(std::ostream& out) {
    out << "Options:\n";
    Row(out, "--catalogue DIR", "catalogue folder (default: BD beside the program)");
    Row(out, "--settings FILE", "settings file (default: Ixo.ini beside the program)");
    Row(out, "-h, --help", "show this help, or the help of the command named");
    Row(out, "--version", "show the version");
}

void ReportUsageError(std::ostream& err, const std::string& message) {
    err << kProgramName << ": " << message << "\n"
        << "Try '" << kProgramName << " --help' for more information.\n";
}

} // namespace

std::string UsageText(const CommandRegistry& registry) {
    std::ostringstream out;
    out << "Usage: " << kProgramName << " [OPTIONS] COMMAND [ARGUMENTS]\n\n"
        << "Designs and checks the TV distribution network of a building, without the graphical "
           "interface.\n\n"
        << "Commands:\n";
    for (const Command& command : registry.Commands()) {
        Row(out, Synopsis(command), command.summary);
    }
    out << "\n";
    GlobalOptionRows(out);
    return out.str();
}

std::string CommandUsageText(const Command& command) {
    std::ostringstream out;
    out << "Usage: " << kProgramName << " [OPTIONS] " << Synopsis(command) << "\n\n"
        << command.summary << "\n";
    if (!command.options.empty()) {
        out << "\nOptions of '" << command.Name() << "':\n";
        for (const CommandOption& option : command.options) {
            Row(out, option.name + (option.valueName.empty() ? "" : " " + option.valueName), option.help);
        }
    }
    if (!command.details.empty()) {
        out << "\n" << command.details;
    }
    out << "\n";
    GlobalOptionRows(out);
    return out.str();
}

std::string VersionText() {
    return std::string(kProgramName) + " " + std::string(ProgramVersion()) + "\n";
}

int RunCli(const std::vector<std::string>& words, const CommandRegistry& registry,
           const std::filesystem::path& programDirectory, std::ostream& out, std::ostream& err) {
    try {
        const CommandLine line = ParseCommandLine(words, registry, programDirectory);
        if (line.help) {
            out << (line.command != nullptr ? CommandUsageText(*line.command) : UsageText(registry));
            return kExitSuccess;
        }
        if (line.version) {
            out << VersionText();
            return kExitSuccess;
        }
        if (line.command == nullptr) {
            throw UsageError("no command given");
        }
        return line.command->run(CommandContext{line, out, err});
    } catch (const UsageError& error) {
        ReportUsageError(err, error.what());
        return kExitUsage;
    } catch (const std::bad_alloc&) {
        // What was being built has been freed on the way here, so there is room for the message.
        // Files are replaced whole, so a file the command had not finished is left as it was.
        err << kProgramName << ": out of memory: the system gave the command less memory than it needs "
            << "(a limit such as 'ulimit -v', or too little free memory); the command stopped\n";
        return kExitOutOfMemory;
    } catch (const std::exception& error) {
        err << kProgramName << ": " << error.what() << "\n";
        return kExitFailure;
    }
}

} // namespace ixo::cli

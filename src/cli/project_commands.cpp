#include "cli/project_commands.h"

#include "cli/design_command.h"

#include "building/proyecto.h"
#include "cli/catalogue_store.h"
#include "cli/cli_app.h"
#include "cli/element_listing.h"
#include "cli/left_to_exit.h"
#include "cli/project_report.h"
#include "cli/quality_commands.h"
#include "common/binary_stream.h"
#include "common/file_replace.h"
#include "persistence/project_file.h"

#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>

namespace ixo::cli {
namespace {

// The header of a project file as stored, read without the rest of the file.
struct ProjectHeader {
    bool readable = false;
    std::int32_t format = 0;
    std::string tag;
    std::string version;
};

ProjectHeader ReadHeader(const std::filesystem::path& path) {
    ProjectHeader header;
    std::ifstream file(path, std::ios::binary);
    // The header is a few counted strings: 4 KiB holds any real one.
    std::vector<std::uint8_t> bytes(4096);
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));
    try {
        BinaryReader in(bytes);
        header.format = in.ReadInt32();
        header.tag = in.ReadCountedString();
        header.version = in.ReadCountedString();
        header.readable = true;
    } catch (const StreamError&) {
    }
    return header;
}

int ExitFor(const ProjectReport& report) {
    return report.Passes() ? kExitSuccess : kExitFailure;
}

int Info(const CommandContext& context) {
    const std::filesystem::path path = context.Arguments().front();
    const CatalogueStore catalogue(context.Options().catalogueDirectory);
    OpenedProject opened = OpenForCommand(path, catalogue);
    const LeftToExit keep(opened.project);
    const ProjectHeader header = ReadHeader(path);
    context.out << "File: " << path.string() << " (" << std::filesystem::file_size(path) << " bytes)\n";
    context.out << "Format: " << header.format << ", " << header.tag << " " << header.version << "\n";
    const ProjectReport report =
        MakeProjectReport(*opened.project, opened.project->finalizadocalculoTV ? 1 : 0);
    WriteReportText(context.out, report);
    if (context.Option("--elements")) {
        WriteElementList(context.out, *opened.project);
    }
    return ExitFor(report);
}

int Check(const CommandContext& context) {
    const CatalogueStore catalogue(context.Options().catalogueDirectory);
    OpenedProject opened = OpenForCommand(context.Arguments().front(), catalogue);
    const LeftToExit keep(opened.project);
    // The source quality and standard given here hold for this check only; the file keeps its own.
    ApplyQualityOptions(context, opened.project->Quality());
    const ProjectReport report =
        MakeProjectReport(*opened.project, opened.project->finalizadocalculoTV ? 1 : 0);
    if (context.Option("--json")) {
        WriteReportJson(context.out, report);
    } else {
        WriteReportText(context.out, report);
    }
    return ExitFor(report);
}

int Resave(const CommandContext& context) {
    const CatalogueStore catalogue(context.Options().catalogueDirectory);
    OpenedProject opened = OpenForCommand(context.Arguments()[0], catalogue);
    const LeftToExit keep(opened.project);
    const std::filesystem::path target = context.Arguments()[1];
    if (!SaveProject(*opened.project, target)) {
        context.err << kProgramName << ": cannot save " << target.string() << ": " << LastFileError() << "\n";
        return kExitCannotWrite;
    }
    return kExitSuccess;
}

} // namespace

OpenedProject OpenForCommand(const std::filesystem::path& path, const CatalogueStore& catalogue) {
    if (!std::filesystem::is_regular_file(path)) {
        throw UsageError("cannot read " + path.string());
    }
    OpenedProject opened = OpenProject(path, &catalogue.Store());
    switch (opened.result) {
    case OpenResult::Ok:
        return opened;
    case OpenResult::NewerFormat:
        throw UsageError(path.string() + ": To open the file is needed the version " + opened.version);
    case OpenResult::NothingRead:
        throw UsageError(path.string() + ": the file holds no project");
    default:
        throw UsageError(path.string() + ": This file is not a Ixo project" +
                         (opened.problem.empty() ? std::string() : " (" + opened.problem + ")"));
    }
}

void AddProjectCommands(CommandRegistry& registry) {
    Command info =
        MakeCommand({"info"}, "show a project file: header, building, elements and outlet check", Info);
    info.argumentsSyntax = "FILE.XPJ";
    info.minArguments = info.maxArguments = 1;
    info.options = {{"--elements", "",
                     "list every network element: address (for edit), class, family, model, place and "
                     "connections"}};
    registry.Add(std::move(info));

    Command check =
        MakeCommand({"check"},
                    "open a project, recalculate it, check every outlet, the powering and the overdrive "
                    "of the elements (exit 1 when some outlet is out of limits or an element is "
                    "unpowered, overloaded or overdriven)",
                    Check);
    check.argumentsSyntax = "FILE.XPJ";
    check.minArguments = check.maxArguments = 1;
    check.options = {{"--json", "", "print the summary as JSON"}};
    for (CommandOption& option : QualityOptions()) {
        check.options.push_back(std::move(option));
    }
    registry.Add(std::move(check));

    Command resave = MakeCommand({"resave"}, "open a project and save it again (to another file)", Resave);
    resave.argumentsSyntax = "IN.XPJ OUT.XPJ";
    resave.minArguments = resave.maxArguments = 2;
    registry.Add(std::move(resave));
}

} // namespace ixo::cli

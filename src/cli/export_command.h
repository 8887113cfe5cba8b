#pragma once

#include "cli/command_registry.h"

#include <filesystem>
#include <vector>

namespace ixo {
class Tproyecto;
}

namespace ixo::cli {

// The options that choose how a sheet is exported (paper, resolution, orientation, quality, title block,
// error colours).
std::vector<CommandOption> SheetExportOptions();

// Builds the project's schematic and exports its sheet to path with the command's sheet options.
// kExitSuccess, or kExitCannotWrite with the reason on err; bad options throw UsageError.
int ExportProjectSheet(const CommandContext& context, Tproyecto& project, const std::filesystem::path& path);

// Checks the sheet options and the file's extension before any work is done (UsageError).
void CheckSheetExport(const CommandContext& context, const std::filesystem::path& path);

// "export": a project file's schematic as an image, PDF or SVG sheet.
void AddExportCommand(CommandRegistry& registry);

} // namespace ixo::cli

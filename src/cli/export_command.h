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

// Builds the project's schematic and exports its sheet, or its drawing set (--pages, or by default when
// the single sheet's texts would be too small to read on paper), to path with the command's sheet
// options; tellPages writes the set's page and file count on out. kExitSuccess, or kExitCannotWrite
// with the reason on err; bad options throw UsageError.
int ExportProjectSheet(const CommandContext& context, Tproyecto& project, const std::filesystem::path& path,
                       bool tellPages = false);

// Checks the sheet options and the file's extension before any work is done (UsageError).
void CheckSheetExport(const CommandContext& context, const std::filesystem::path& path);

// "export": a project file's schematic as an image, PDF or SVG sheet, or as a drawing set.
void AddExportCommand(CommandRegistry& registry);

} // namespace ixo::cli

#include "cli/commands.h"

#include "cli/catalogue_commands.h"
#include "cli/design_command.h"
#include "cli/edit_command.h"
#include "cli/export_command.h"
#include "cli/new_command.h"
#include "cli/project_commands.h"
#include "cli/quality_commands.h"
#include "cli/report_command.h"
#include "cli/settings_commands.h"

namespace ixo::cli {

CommandRegistry BuildCommandRegistry() {
    CommandRegistry registry;
    AddSettingsCommands(registry);
    AddCatalogueCommands(registry);
    AddNewCommand(registry);
    AddProjectCommands(registry);
    AddEditCommand(registry);
    AddExportCommand(registry);
    AddReportCommand(registry);
    AddDesignCommand(registry);
    AddQualityCommands(registry);
    return registry;
}

} // namespace ixo::cli

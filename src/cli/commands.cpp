#include "cli/commands.h"

#include "cli/catalogue_commands.h"
#include "cli/settings_commands.h"

namespace ixo::cli {

CommandRegistry BuildCommandRegistry() {
    CommandRegistry registry;
    AddSettingsCommands(registry);
    AddCatalogueCommands(registry);
    return registry;
}

} // namespace ixo::cli

#pragma once

#include <filesystem>

namespace ixo {

// The folder of the running program: the catalogue BD/ and the settings file "Ixo.ini" live here.
std::filesystem::path ExecutableDirectory();

// The user's documents folder ($XDG_DOCUMENTS_DIR, else $HOME/Documents), the default project folder.
std::filesystem::path DocumentsDirectory();

} // namespace ixo

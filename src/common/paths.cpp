#include "common/paths.h"

#include <cstdlib>
#include <system_error>

namespace ixo {

std::filesystem::path ExecutableDirectory() {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::filesystem::current_path(error);
    }
    return self.parent_path();
}

std::filesystem::path DocumentsDirectory() {
    if (const char* documents = std::getenv("XDG_DOCUMENTS_DIR");
        documents != nullptr && *documents != '\0') {
        return documents;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / "Documents";
    }
    return std::filesystem::current_path();
}

} // namespace ixo

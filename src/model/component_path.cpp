#include "model/component_path.h"

#include "model/primer_componente.h"

namespace ixo {

std::string ComponentPath(const TPrimerComponente* component) {
    if (component == nullptr) {
        return std::string(kNoObjectPath);
    }
    std::string path = component->Name();
    if (component->IsPathRoot()) {
        return path;
    }
    for (const TPrimerComponente* owner = component->Owner(); owner != nullptr; owner = owner->Owner()) {
        path = owner->Name() + "=" + path;
        if (owner->IsPathRoot()) {
            break;
        }
    }
    return path;
}

TPrimerComponente* ResolvePath(std::string_view path, TPrimerComponente& root) {
    if (path.empty() || path == kNoObjectPath) {
        return nullptr;
    }
    std::size_t separator = path.find('=');
    if (separator == std::string_view::npos) {
        return &root;
    }
    path.remove_prefix(separator + 1);
    TPrimerComponente* current = &root;
    while (current != nullptr) {
        separator = path.find('=');
        current = current->FindComponent(path.substr(0, separator));
        if (separator == std::string_view::npos) {
            break;
        }
        path.remove_prefix(separator + 1);
    }
    return current;
}

} // namespace ixo

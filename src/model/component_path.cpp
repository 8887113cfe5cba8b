#include "model/component_path.h"

#include "model/primer_componente.h"

#include <array>
#include <vector>

namespace ixo {

std::string ComponentPath(const TPrimerComponente* component) {
    if (component == nullptr) {
        return std::string(kNoObjectPath);
    }
    // The chain from the path's root down to component, then its names joined in one string. Paths are
    // a handful of names deep; deeper chains (none is made) take the slower way of the vector.
    std::array<const TPrimerComponente*, 16> shortChain{};
    std::vector<const TPrimerComponente*> longChain;
    std::size_t depth = 0;
    std::size_t size = 0;
    for (const TPrimerComponente* link = component; link != nullptr; link = link->Owner()) {
        if (depth < shortChain.size()) {
            shortChain[depth] = link;
        } else {
            if (longChain.empty()) {
                longChain.assign(shortChain.begin(), shortChain.end());
            }
            longChain.push_back(link);
        }
        ++depth;
        size += link->Name().size() + 1;
        if (link->IsPathRoot()) {
            break;
        }
    }
    const TPrimerComponente* const* chain = longChain.empty() ? shortChain.data() : longChain.data();
    std::string path;
    path.reserve(size);
    for (std::size_t i = depth; i-- > 0;) {
        path += chain[i]->Name();
        if (i > 0) {
            path += '=';
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

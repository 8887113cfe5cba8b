#pragma once

#include <string>
#include <string_view>

namespace ixo {

class TPrimerComponente;

// The text that stands for no object in stored paths.
inline constexpr std::string_view kNoObjectPath = "NO";

// The path of a component: the names of its owners from the path root (the project, the first owner
// whose IsPathRoot() is true) down to the component, joined by "=". Without such an owner the path
// starts at the topmost owner. The path of the root itself is its name; a null component gives "NO".
std::string ComponentPath(const TPrimerComponente* component);

// The component a path names, looked up from root: the first name (root's own) is skipped and every
// following name is found among the components owned by the one before. "NO", an empty path or any
// name not found give null; a path of one name gives root.
TPrimerComponente* ResolvePath(std::string_view path, TPrimerComponente& root);

} // namespace ixo

#pragma once

#include <string_view>

namespace ixo {

// The program's short version ("major.minor.patch"), the build's project version. Project files record
// the version that wrote them.
std::string_view ProgramVersion();

} // namespace ixo

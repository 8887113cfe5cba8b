#include "common/version.h"

#ifndef IXO_PROGRAM_VERSION
#error "IXO_PROGRAM_VERSION must be defined by the build (the project version)"
#endif

namespace ixo {

std::string_view ProgramVersion() {
    return IXO_PROGRAM_VERSION;
}

} // namespace ixo

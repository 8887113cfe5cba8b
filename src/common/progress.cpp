#include "common/progress.h"

namespace ixo {

Progress& NoProgress() {
    static Progress none;
    return none;
}

} // namespace ixo

#include "settings/level_limits.h"

namespace ixo {

void DefaultLevelLimits(TMatestructuranivel& array) {
    array = {
        Testructuranivel{"TERR", 60.0, 80.0},
        Testructuranivel{"SAT", 50.0, 70.0},
    };
}

TMatestructuranivel DefaultLevelLimits() {
    TMatestructuranivel array;
    DefaultLevelLimits(array);
    return array;
}

} // namespace ixo

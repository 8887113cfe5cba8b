#pragma once

#include "building/comprueba_errores.h"

#include <string>
#include <vector>

namespace ixo {

class Tproyecto;

// One row of the error level list: the outlet, its flat, floor and stair, and the error text.
struct FilaError {
    std::string Toma;     // first letter of the outlet's component name and its Numero_Interno, "T12"
    std::string Vivienda; // "FL" + the flat's Numero_Interno
    std::string Planta;   // "FLOOR" + the floor's Nivel
    std::string Escalera; // "STAIR" + the stair's Numero_Interno
    std::string Error;    // e.g. ">MAX(SAT:72.3) <MIN(TER:55.0)"
};

// The records of every stair's error list, stairs in project order and records in list order.
std::vector<const TNodoInfo*> RegistrosDeErrores(const Tproyecto& project);

// The row of one record; the place columns stay empty when the outlet is not in a flat.
FilaError FilaDeError(const TNodoInfo& record);

// One limit an outlet breaks: its worst level beyond that limit, at the band where it is worst.
struct LimitBreach {
    bool aboveMaximum = false; // else below the minimum
    bool satellite = false;    // else terrestrial
    int band = 0;              // 0..7
    double frequencyMHz = 0;
    double level = 0; // dBµV
    double limit = 0; // dBµV, the limit broken
};

// The limits a record breaks, at most four (above / below, terrestrial / satellite), with the limits of
// the outlet's project (-1 without a project, like a missing limits entry).
std::vector<LimitBreach> BreachesOf(const TNodoInfo& record);

} // namespace ixo

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

} // namespace ixo

#pragma once

#include "catalogue/records.h"

#include <cstdint>
#include <string>

namespace ixo {

// A copy of one element record (without its script) and whether its model is obsolete, as listed by
// the catalogue explorer.
struct TselElemento {
    TselElemento() = default;
    TselElemento(const TRECConScript& record, bool obsoleto)
        : Indice(record.Indice), Familia(record.Familia), Modelo(record.Modelo),
          Descripcion(record.Descripcion), ClaveScript(record.ClaveScript), Obsoleto(obsoleto) {}

    std::int32_t Indice = 0;
    std::int32_t Familia = 0;
    std::string Modelo;
    std::string Descripcion;
    std::string ClaveScript;
    bool Obsoleto = false;
};

} // namespace ixo

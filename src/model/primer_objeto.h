#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace ixo {

// Root of the small persistent value objects (connectors, loads, transfer tables). They have no owner
// and no name.
class TPrimerObjeto {
public:
    TPrimerObjeto() = default;
    TPrimerObjeto(const TPrimerObjeto&) = default;
    TPrimerObjeto& operator=(const TPrimerObjeto&) = default;
    virtual ~TPrimerObjeto() = default;
};

// A catalogue identity: family, element number in its table, model name and description.
class TsegundoObjeto : public TPrimerObjeto {
public:
    std::int32_t Familia = 0;
    std::int32_t Indice = 0;
    std::string Modelo;      // at most 64 characters
    std::string Descripcion; // at most 80 characters
};

} // namespace ixo

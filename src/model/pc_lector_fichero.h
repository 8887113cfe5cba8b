#pragma once

#include "model/primer_componente.h"

#include <cstdint>
#include <string>

namespace ixo {

class TTablaCompoScript;

// The catalogue-backed element: its catalogue identity and the table of its kind. Every network element
// derives from it.
class TPCLectorFichero : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TPCLectorFichero)
public:
    explicit TPCLectorFichero(TPrimerComponente* owner) : TPrimerComponente(owner) {}

    std::int32_t Familia = 0;
    std::int32_t Indice = 0;
    std::string Descripcion;
    std::string Modelo;
    TTablaCompoScript* Tabla = nullptr; // not owned
    bool Obsoleto = false;
};

} // namespace ixo

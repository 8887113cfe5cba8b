#pragma once

#include "builder/tabla_ms.h"

#include <cstdint>
#include <initializer_list>

namespace ixo::test {

// A cascade multiswitch (key ATMedia) of family 5001 with four satellite inputs.
inline MsPrototipo CascadeMs(std::int32_t indice, std::int32_t taps, std::int32_t atMedia) {
    MsPrototipo p;
    p.Familia = 5001;
    p.Indice = indice;
    p.Nderivaciones = taps;
    p.Entradas = 4;
    p.Celda = {atMedia, indice, 0, 0, 0};
    return p;
}

// An 8/16 multiswitch (key CascadeableCabecera) with its consumption figures.
inline MsPrototipo LineMs(std::int32_t family, std::int32_t indice, std::int32_t taps, bool powersLine,
                          std::int32_t consumoActivo, std::int32_t corrienteMaxima) {
    MsPrototipo p;
    p.Familia = family;
    p.Indice = indice;
    p.Nderivaciones = taps;
    p.Entradas = 16;
    p.Celda = {powersLine ? 1 : 0, indice, consumoActivo, 0, corrienteMaxima};
    return p;
}

// A table row written out cell by cell.
inline TregistroMs Row(std::int32_t salidas, std::int32_t familia, std::int32_t entradas,
                       std::initializer_list<TvectorAt> cells) {
    return {salidas, familia, entradas, cells};
}

// A cascade cell: key and model number only.
inline TvectorAt Cell(std::int32_t clave, std::int32_t indice) {
    return {clave, indice, 0, 0, 0};
}

} // namespace ixo::test

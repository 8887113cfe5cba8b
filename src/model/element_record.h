#pragma once

#include <cstdint>
#include <string>

namespace ixo {

// One element of a catalogue table ("*.bd" record plus the script text from the ".sb" file): what an
// element reads when it is made from the catalogue. Text fields are UTF-8 in memory; the catalogue codec
// converts from and to Windows-1252.
struct TRECConScript {
    std::int32_t Indice = 0;
    std::int32_t Familia = 0;
    std::string Modelo;      // up to 64 characters
    std::string Descripcion; // up to 80 characters
    std::string ClaveScript; // "@@INIRECOD_<Indice>@@"
    std::string Script;      // the record's script lines, each followed by CR LF
};

} // namespace ixo

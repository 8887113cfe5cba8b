#include "levels/lista_errores.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "levels/comprobacion_tomas.h"
#include "model/toma_tv.h"

namespace ixo {
namespace {

// Prefix and number appended rather than concatenated: GCC 12 reports a false overlap for
// "literal" + std::string under -O2.
std::string Caption(std::string_view prefix, std::int32_t number) {
    std::string caption(prefix);
    caption += std::to_string(number);
    return caption;
}

} // namespace

std::vector<const TNodoInfo*> RegistrosDeErrores(const Tproyecto& project) {
    std::vector<const TNodoInfo*> records;
    for (const auto& stair : project.Escaleras()) {
        if (stair.Object == nullptr) {
            continue;
        }
        const TCompruebaErrores& errors = stair.Object->ErroresEscalera();
        for (std::size_t i = 0; i < errors.Count(); ++i) {
            records.push_back(&errors[i]);
        }
    }
    return records;
}

FilaError FilaDeError(const TNodoInfo& record) {
    FilaError row;
    if (record.Toma == nullptr) {
        return row;
    }
    const std::string& name = record.Toma->Name();
    row.Toma = Caption(std::string_view(name).substr(0, 1), record.Toma->Numero_Interno());
    const auto* flat = dynamic_cast<const Tvivienda*>(record.Toma->Container());
    if (flat == nullptr) {
        return row;
    }
    row.Vivienda = Caption("FL", flat->Numero_Interno());
    if (const tplanta* floor = flat->Planta()) {
        row.Planta = Caption("FLOOR", floor->Nivel);
        if (const TEscalera* stair = floor->Escalera()) {
            row.Escalera = Caption("STAIR", stair->Numero_Interno());
        }
    }
    if (record.Estado != 0) {
        row.Error = TextoError(record);
    }
    return row;
}

} // namespace ixo

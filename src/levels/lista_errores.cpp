#include "levels/lista_errores.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "levels/comprobacion_tomas.h"
#include "model/level_vector.h"
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

std::vector<LimitBreach> BreachesOf(const TNodoInfo& record) {
    constexpr std::uint32_t kAbove = 1;
    constexpr std::uint32_t kBelow = 2;
    const Tproyecto* project = record.Toma != nullptr ? ProyectoDe(record.Toma) : nullptr;
    const auto limit = [project](bool maximum, int entry) {
        if (project == nullptr) {
            return -1.0;
        }
        return maximum ? project->Preferencias().Maximo(entry) : project->Preferencias().Minimo(entry);
    };
    std::vector<LimitBreach> breaches;
    const auto add = [&](bool above, bool satellite, int band, double level) {
        breaches.push_back({above, satellite, band, kBandFrequenciesMHz[static_cast<std::size_t>(band)],
                            level, limit(above, satellite ? 1 : 0)});
    };
    if ((record.FlagsTerrestre & kAbove) != 0) {
        add(true, false, record.BandMaximoTerrestre, record.MaximoTerrestre);
    }
    if ((record.FlagsTerrestre & kBelow) != 0) {
        add(false, false, record.BandMinimoTerrestre, record.MinimoTerrestre);
    }
    if ((record.FlagsSatelite & kAbove) != 0) {
        add(true, true, record.BandMaximoSatelite, record.MaximoSatelite);
    }
    if ((record.FlagsSatelite & kBelow) != 0) {
        add(false, true, record.BandMinimoSatelite, record.MinimoSatelite);
    }
    return breaches;
}

} // namespace ixo

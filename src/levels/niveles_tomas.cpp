#include "levels/niveles_tomas.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "levels/flat_walk.h"
#include "levels/polaridad_vivienda.h"
#include "model/pin.h"
#include "model/toma_tv.h"

#include <algorithm>

namespace ixo {
namespace {

struct BandLimits {
    double minimum;
    double maximum;
};

// How far inside its limits a level is: negative beyond them.
double Margin(double level, BandLimits limits) {
    return std::min(level - limits.minimum, limits.maximum - level);
}

class WorstLevels {
public:
    explicit WorstLevels(const TpreferenciasProyecto& preferences) {
        m_limits[0] = {preferences.Minimo(0), preferences.Maximo(0)};
        m_limits[1] = {preferences.Minimo(1), preferences.Maximo(1)};
    }

    void Take(const LevelVector& level, LevelVector& worst, bool first) const {
        worst[0] = first ? level[0] : std::min(worst[0], level[0]);
        for (std::size_t band = 1; band < kBandCount; ++band) {
            const BandLimits limits = m_limits[band < kFirstSatelliteBand ? 0 : 1];
            if (first || Margin(level[band], limits) < Margin(worst[band], limits)) {
                worst[band] = level[band];
            }
        }
    }

private:
    BandLimits m_limits[2];
};

const LevelVector& TapLevel(const TTomaTV& outlet) {
    return outlet.PinesDERIVACION().front()->Levels();
}

void CollectFlat(const TEscalera& stair, const tplanta& floor, Tvivienda& flat, int polarities,
                 const WorstLevels& worst, std::vector<NivelesToma>& rows) {
    const std::size_t first = rows.size();
    for (const auto& entry : flat.ETV()) {
        const auto* outlet = dynamic_cast<const TTomaTV*>(entry.Object);
        if (outlet != nullptr && !outlet->PinesDERIVACION().empty()) {
            rows.push_back(NivelesToma{&stair, &floor, &flat, outlet, {}, {}});
        }
    }
    TPin* entryInput = EntradaDeVivienda(flat);
    const std::int32_t own = entryInput != nullptr ? entryInput->polaridad : 0;
    bool firstTry = true;
    const auto take = [&]() {
        for (std::size_t i = first; i < rows.size(); ++i) {
            worst.Take(TapLevel(*rows[i].Toma), rows[i].Peor, firstTry);
        }
        firstTry = false;
    };
    if (entryInput != nullptr) {
        for (std::int32_t v = 0; v < polarities; ++v) {
            if (v != own) {
                SeleccionarPolaridad(*entryInput, v);
                take();
            }
        }
        SeleccionarPolaridad(*entryInput, own);
    }
    take();
    for (std::size_t i = first; i < rows.size(); ++i) {
        rows[i].Recibido = TapLevel(*rows[i].Toma);
    }
}

} // namespace

std::vector<NivelesToma> NivelesDeTomas(Tproyecto& project) {
    const TpreferenciasProyecto& preferences = project.Preferencias();
    const WorstLevels worst(preferences);
    std::vector<NivelesToma> rows;
    ForEachFlat(project, [&](const TEscalera& stair, const tplanta& floor, Tvivienda& flat) {
        CollectFlat(stair, floor, flat, preferences.Npolaridades, worst, rows);
    });
    return rows;
}

} // namespace ixo

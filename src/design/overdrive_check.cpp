#include "design/overdrive_check.h"

#include "building/proyecto.h"
#include "design/network_elements.h"
#include "design/rated_maxima.h"
#include "model/cbft.h"
#include "model/level_vector.h"
#include "model/pin.h"

#include <cstdio>

namespace ixo {

std::string OverdriveProblem::Text() const {
    if (element == nullptr || pin == nullptr) {
        return {};
    }
    // The excess in hundredths: a level 0.04 dB past its maximum reads 95.0 against 95.0 in tenths.
    const double excess = level - maximum;
    char figures[160];
    std::snprintf(figures, sizeof figures,
                  excess < 0.005 ? " %d at %.0f MHz: %.1f dBµV, maximum %.1f dBµV (%+.3f dB)"
                                 : " %d at %.0f MHz: %.1f dBµV, maximum %.1f dBµV (%+.2f dB)",
                  pin->Numeracion, kBandFrequenciesMHz[static_cast<std::size_t>(band)], level, maximum,
                  excess);
    return element->Name() + " (" + element->Modelo + ") " + (kind == Kind::Output ? "output" : "input") +
           figures;
}

std::vector<OverdriveProblem> CheckOverdrive(const Tproyecto& project) {
    std::vector<OverdriveProblem> problems;
    if (!project.finalizadocalculoTV) {
        return problems;
    }
    for (TCBFT* element : NetworkElements(project)) {
        // One entry per pin: the band furthest beyond its maximum.
        const TPin* last = nullptr;
        ForEachRatedMaximum(*element, [&](const TPin& pin, std::size_t band, double level, double maximum) {
            if (level <= maximum) {
                return;
            }
            if (&pin == last && level - maximum <= problems.back().level - problems.back().maximum) {
                return;
            }
            const OverdriveProblem problem{pin.Kind() == PinKind::Input ? OverdriveProblem::Kind::Input
                                                                        : OverdriveProblem::Kind::Output,
                                           element,
                                           &pin,
                                           static_cast<int>(band),
                                           level,
                                           maximum};
            if (&pin == last) {
                problems.back() = problem;
            } else {
                problems.push_back(problem);
                last = &pin;
            }
        });
    }
    return problems;
}

} // namespace ixo

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
    char figures[128];
    std::snprintf(figures, sizeof figures, " %d at %.0f MHz: %.1f dBuV, maximum %.1f dBuV", pin->Numeracion,
                  kBandFrequenciesMHz[static_cast<std::size_t>(band)], level, maximum);
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

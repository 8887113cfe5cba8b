#include "builder/cabecera_calculos.h"

#include "catalogue/almacen_elementos.h"
#include "model/multiswitch.h"
#include "model/repartidor.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace ixo {

namespace {

std::optional<std::size_t> FirstWithAtLeast(const std::vector<int>& outputs, int n) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (outputs[i] >= n) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<std::size_t> SizeHeadendMultiswitches(int flats, const std::vector<int>& outputs) {
    std::vector<std::size_t> chosen;
    if (outputs.empty()) {
        return chosen;
    }
    const int largest = *std::max_element(outputs.begin(), outputs.end());
    const std::size_t widest = static_cast<std::size_t>(
        std::distance(outputs.begin(), std::max_element(outputs.begin(), outputs.end())));
    if (flats <= 0 || largest <= 0) {
        chosen.push_back(0);
        return chosen;
    }
    const int count = (flats + largest - 1) / largest;
    const int even = flats / count;
    int remaining = flats;
    for (int i = 0; i + 1 < count; ++i) {
        const std::size_t pick = FirstWithAtLeast(outputs, even).value_or(widest);
        chosen.push_back(pick);
        remaining -= outputs[pick];
    }
    chosen.push_back(remaining <= 0 ? 0 : FirstWithAtLeast(outputs, remaining).value_or(widest));
    return chosen;
}

std::vector<std::int32_t> SizeHeadendMultiswitches(const TalmacenElementos& store, std::int32_t family,
                                                   int flats) {
    std::vector<std::int32_t> models;
    std::vector<int> outputs;
    for (const ElementListItem& item : store.ElementsOfFamily(family)) {
        if (const TMultiswitch* ms = item.Object.As<TMultiswitch>()) {
            models.push_back(ms->Indice);
            outputs.push_back(ms->Nsalidas);
        }
    }
    std::vector<std::int32_t> chosen;
    for (std::size_t pick : SizeHeadendMultiswitches(flats, outputs)) {
        chosen.push_back(models[pick]);
    }
    return chosen;
}

std::optional<SplitterCandidate> FirstSplitterWithOutputs(const std::vector<SplitterCandidate>& family,
                                                          int outputs) {
    for (const SplitterCandidate& candidate : family) {
        if (candidate.Nsalidas >= outputs) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::optional<SplitterCandidate> ChooseSplitter(std::int32_t family, int outputs,
                                                const SplitterFamilyLookup& elementsOf) {
    const std::vector<SplitterCandidate> own = elementsOf(family);
    if (std::optional<SplitterCandidate> found = FirstSplitterWithOutputs(own, outputs)) {
        return found;
    }
    const std::optional<SplitterCandidate> twoWay = FirstSplitterWithOutputs(own, 2);
    if (!twoWay) {
        return std::nullopt;
    }
    return FirstSplitterWithOutputs(elementsOf(twoWay->FamiliaHermana), outputs);
}

std::vector<SplitterCandidate> SplitterCandidatesOf(const TalmacenElementos& store, std::int32_t family) {
    std::vector<SplitterCandidate> candidates;
    for (const ElementListItem& item : store.ElementsOfFamily(family)) {
        if (const TRepartidor* splitter = item.Object.As<TRepartidor>()) {
            candidates.push_back(
                {splitter->Familia, splitter->Indice, splitter->Nsalidas, splitter->FamiliaHermana});
        }
    }
    return candidates;
}

double RoundToOneDecimal(double metres) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", metres);
    return std::strtod(text, nullptr);
}

double DistanciaHorizontal(int positionA, int positionB, double distanciaEscaleras, double distanciaPlantas) {
    return RoundToOneDecimal(std::abs(positionA - positionB) * distanciaEscaleras + distanciaPlantas);
}

double LongitudTroncal(double horizontal, double distanciaPlantas, int floors, int highestFloorWithFlats,
                       bool headendStair) {
    const int above = floors - highestFloorWithFlats - (headendStair ? 2 : 1);
    if (above <= 0) {
        return horizontal;
    }
    return horizontal + RoundToOneDecimal(distanciaPlantas) * above;
}

} // namespace ixo

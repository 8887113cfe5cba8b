#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace ixo {

class TalmacenElementos;

// The arithmetic of the headend and of the trunk lines: how many headend multiswitches of which size,
// which splitter model has enough outputs, and the cable lengths between stairs.

// The headend multiswitches for `flats` flats (Nviv), given the output counts of the family's
// elements in catalogue order. Result: indices into `outputs`, one per multiswitch. With c the largest
// output count: d = ceil(flats / c) multiswitches; the first d - 1 are the first element with at least
// flats div d outputs (each taking its outputs off the flats), the last the first element with at least
// the remaining flats (the first element when none remain).
// Sound limits: fewer than one flat still gives one multiswitch (the first element); when no element has
// enough outputs for the remainder the first element with the most outputs is taken (the flats it
// cannot serve stay unconnected); an empty family gives an empty list.
std::vector<std::size_t> SizeHeadendMultiswitches(int flats, const std::vector<int>& outputs);

// The same for the store's family (the headend multiswitch family of the polarities): the model
// numbers (Indice) of the chosen multiswitches, sized by their outputs (Nsalidas), in creation order.
// Elements of the family that are not multiswitches are left out; an empty family gives none.
std::vector<std::int32_t> SizeHeadendMultiswitches(const TalmacenElementos& store, std::int32_t family,
                                                   int flats);

// A splitter prototype as the choice needs it.
struct SplitterCandidate {
    std::int32_t Familia = 0;
    std::int32_t Indice = 0;
    int Nsalidas = 0;
    std::int32_t FamiliaHermana = 0; // the family holding the larger splitters of the range
    bool operator==(const SplitterCandidate&) const = default;
};
// The elements of a family in catalogue order.
using SplitterFamilyLookup = std::function<std::vector<SplitterCandidate>(std::int32_t family)>;

// The first element of the family with at least `outputs` outputs, or none.
std::optional<SplitterCandidate> FirstSplitterWithOutputs(const std::vector<SplitterCandidate>& family,
                                                          int outputs);
// The splitter of the headend (terrestrial and trunk splitters): the first element of `family` with at
// least `outputs` outputs; when there is none, the same search in the FamiliaHermana of the family's
// first element with at least 2 outputs (one level only); none when both fail.
std::optional<SplitterCandidate> ChooseSplitter(std::int32_t family, int outputs,
                                                const SplitterFamilyLookup& elementsOf);
// The splitter elements (TRepartidor) of the store's family, in catalogue order.
std::vector<SplitterCandidate> SplitterCandidatesOf(const TalmacenElementos& store, std::int32_t family);

// A length rounded to one decimal the way fixed notation with one decimal prints it.
double RoundToOneDecimal(double metres);

// The horizontal cable run between two stairs at positions a and b of Escaleras:
// |a - b| x DistanciaEscaleras + DistanciaPlantas (the riser down from the headend floor), rounded to
// one decimal.
double DistanciaHorizontal(int positionA, int positionB, double distanciaEscaleras, double distanciaPlantas);

// The trunk length LT of a stair: the horizontal distance plus one floor height (DistanciaPlantas
// rounded to one decimal) per floor above the stair's highest floor with flats, the headend floor not
// counted. floors: the stair's floor count; highestFloorWithFlats: its 0-based position;
// headendStair: the stair holds the headend floor.
double LongitudTroncal(double horizontal, double distanciaPlantas, int floors, int highestFloorWithFlats,
                       bool headendStair);

} // namespace ixo

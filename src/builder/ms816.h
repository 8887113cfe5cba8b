#pragma once

#include "builder/tabla_ms.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace ixo {

// The arithmetic of the 8/16 polarity placement. The models are graded by CascadeableCabecera: key 1
// models power the line (the multiswitches after them draw their terrestrial current from them), key 0
// models draw current from the last supplier above them. The placement keeps track of the current
// supplier and of the consumption A drawn from it since.

// The family whose key 0 models are mains powered: it always takes key 0 models on several stairs and
// each of its models counts as a supplier.
inline constexpr std::int32_t kMainsPoweredMsFamily = 5200;

// A cell of the table found by a lookup.
struct MsTableCell {
    int Fila = -1;    // row index
    int Columna = -1; // column index
    std::int32_t Familia = 0;
    std::int32_t Salidas = 0; // taps
    TvectorAt Celda;
    bool operator==(const MsTableCell&) const = default;
};

// Cells without a model number (Indice = 0) are ignored by both lookups.
// The last row (most taps) having a cell with that key.
std::optional<MsTableCell> LargestWithKey(const TMatMs& table, std::int32_t key);
// The first row with at least `taps` taps having a cell with that key.
std::optional<MsTableCell> SmallestWithKey(const TMatMs& table, std::int32_t key, int taps);

// The power bookkeeping of one stair.
struct MsSupplyState {
    bool HasSupplier = false;         // an element above can power the line
    std::int32_t SupplierCurrent = 0; // its CorrienteMaxima
    std::int32_t Consumption = 0;     // A: ConsumoActivo drawn from it since
    bool operator==(const MsSupplyState&) const = default;
};

// The starting state of a stair: with one stair the headend may power it (supplierCurrent: the
// CorrienteMaxima of the last headend element that has some, none when absent); several stairs start
// without supplier. A = 0.
MsSupplyState InitialSupplyState(std::optional<std::int32_t> headendSupplierCurrent);

// The row for the next multiswitch. remainingFlats empty: the largest model of the chosen key;
// otherwise the smallest with at least that many taps. Key: with a supplier 0, but 1 when the supplier
// cannot carry that model's ConsumoActivo on top of A (when the family has no key 0 model at all, key
// 1); without a supplier and one stair 1; otherwise 1, or 0 for the mains powered family.
std::optional<MsTableCell> ChooseMs816Row(const TMatMs& table, const MsSupplyState& state, bool oneStair,
                                          std::int32_t family, std::optional<int> remainingFlats = {});

// Accounts for a multiswitch placed from that cell: a model supplying current (or of the mains powered
// family) becomes the supplier and A restarts at 0; any other adds its ConsumoActivo to A.
void AccountMs816(MsSupplyState& state, const MsTableCell& placed);

// The multiswitches of one floor with `flats` flats, in placement order (the order to append them to
// the floor's ETV): as many of the largest model as fit whole, choosing again after each, then one for
// the remainder. `state` is carried from floor to floor down the stair (floors taken from the top
// down). A lookup that finds nothing ends the floor.
std::vector<MsTableCell> PlanMs816Floor(const TMatMs& table, int flats, MsSupplyState& state, bool oneStair,
                                        std::int32_t family);

// The multiswitches of every floor of a stair, floors given by their flat counts from the top down:
// PlanMs816Floor floor by floor with one supply state, started from `initial`.
std::vector<std::vector<MsTableCell>> PlanMs816Stair(const TMatMs& table,
                                                     const std::vector<int>& flatsTopDown,
                                                     MsSupplyState initial, bool oneStair,
                                                     std::int32_t family);

} // namespace ixo

#pragma once

#include "builder/tabla_ms.h"

#include <cstdint>
#include <vector>

namespace ixo {

// The arithmetic of the cascade placement (4 and 12 polarities): which attenuation column of the model
// table each floor uses, how the flats of a floor are shared among multiswitches, and the resulting
// plan of multiswitch positions. The lower floors get the columns of less tap attenuation, since the
// signal reaching them has already passed every multiswitch above.

// A floor of the stair that has flats.
struct FloorWithFlats {
    int Planta = 0; // index in the stair's ListaPlantas (0 = the lowest floor)
    int Viviendas = 0;
};

// One position of the cascade plan: Multiswitches multiswitches side by side (one per satellite),
// each with at least Derivaciones taps.
struct TCascadaVertical {
    int Planta = 0;           // floor index in ListaPlantas
    int Derivaciones = 0;     // taps needed
    int Multiswitches = 0;    // per position: ceil(P / 4)
    std::int32_t Modelo = -1; // model number in the cascade family; -1 when the table has none
    int Columna = 0;
    bool operator==(const TCascadaVertical&) const = default;
};
using TVectorCascadaVerticales = std::vector<TCascadaVertical>;

// The column of each of n floors with flats, bottom up, for a table of `columns` columns. The lowest
// floor takes finalColumn (DIS_Final_CAscada) when there are at least two columns; with one column
// every floor takes 0. The others are spread over columns 1, 2, ... in groups (q = (n-1) div (L-1)
// floors, r = (n-1) mod (L-1) groups taking one more).
std::vector<int> CascadeColumns(int floors, int columns, int finalColumn);

// The largest tap count of the rows whose cell in `column` holds a model; 0 when none (also for a
// column outside the table).
int MaxTaps(const TMatMs& table, int column);

// The multiswitch sizes for `flats` flats with the models of `column`: as few multiswitches as the
// largest model allows, sharing the flats evenly, each the smallest row with enough taps. Empty when
// flats <= 0 or the column has no model.
std::vector<int> SplitFlats(const TMatMs& table, int flats, int column);

// The model number of the first row with at least `taps` taps whose cell in `column` has a key; -1
// when none.
std::int32_t CascadeModel(const TMatMs& table, int taps, int column);

// The whole plan of one stair: floors with flats bottom up, polarities P (4 or 12) and
// DIS_Final_CAscada. Entries in creation order: per floor from the bottom up, its positions from the
// last size to the first; with finalColumn 0 the lowest floor first gets its final position (column 0)
// and its remaining flats go to the column of the floor above (when that floor has flats), else the
// next column when it has a model, else the same column.
TVectorCascadaVerticales PlanCascada(const TMatMs& table, const std::vector<FloorWithFlats>& floors,
                                     int finalColumn, int polarities);

} // namespace ixo

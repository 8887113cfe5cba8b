#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace ixo {

class TalmacenElementos;

// The floor multiswitch model table of a trunk run: one row per tap count of the family, one column
// per grading key, each cell the model to use for that tap count and grade.
//
// The grading key (Clave) of a model is its mean attenuation ATMedia for the cascade family (4 and 12
// polarities: the lower floors get models with less tap attenuation) and CascadeableCabecera as 0/1
// for the 8/16 families (1: the model powers the multiswitches after it).

// One cell of the table. Clave = 0 and Indice = 0 is an empty cell.
struct TvectorAt {
    std::int32_t Clave = 0;           // the model's grading key
    std::int32_t Indice = 0;          // the model number in the family
    std::int32_t ConsumoActivo = 0;   // 8/16 families: the model's consumption on the line; else 0
    std::int32_t ConsumoPasivo = 0;   // 8/16 families: its passive consumption; else 0
    std::int32_t CorrienteMaxima = 0; // 8/16 families: the current it can supply; else 0

    bool Empty() const { return Clave == 0 && Indice == 0; }
    // A cell of the cascade table holds a model when both its key and number are set.
    bool HasCascadeModel() const { return Clave != 0 && Indice != 0; }
    bool operator==(const TvectorAt&) const = default;
};

// One row: the models with Salidas taps.
struct TregistroMs {
    std::int32_t Salidas = 0;       // the number of taps (Nderivaciones) of the row's models
    std::int32_t Familia = 0;       // the family
    std::int32_t Entradas = 0;      // 8/16 families: input pins - 1; cascade family: satellite (B) inputs
    std::vector<TvectorAt> Modelos; // one cell per column

    bool operator==(const TregistroMs&) const = default;
};

// Rows ascending by Salidas; once built every row has the same number of columns.
using TMatMs = std::vector<TregistroMs>;

// The statistics of one column, used to prune columns that repeat their neighbour.
struct TEstColumnarepe {
    int Columna = 0;
    // The distinct keys of the column's non-empty cells, in order of first occurrence, with the number
    // of cells holding each.
    std::vector<std::pair<std::int32_t, int>> Valores;
    int Vacias = 0; // empty cells
    // max - min of the column's positive keys, as an absolute value. The search starts from max = -1
    // and min = 100000, so a column without positive keys has the range 100001.
    std::int32_t Rango = 0;

    // How many cells hold the key (0 when none does).
    int Occurrences(std::int32_t clave) const;
};

// Which prototype field gives the grading key.
enum class MsTableKey { CascadeableCabecera, ATMedia };

// The family and key of the floor multiswitches for P polarities: more than 12 or exactly 8 use the
// 8/16 procedure (family16 for 16 polarities, family8 otherwise, key CascadeableCabecera); 4 and 12
// use the cascade family (key ATMedia).
struct MsFamilyChoice {
    std::int32_t Familia = 0;
    MsTableKey Key = MsTableKey::ATMedia;
    bool operator==(const MsFamilyChoice&) const = default;
};
MsFamilyChoice ChooseFloorMsFamily(int polarities, std::int32_t family8, std::int32_t family16,
                                   std::int32_t cascadeFamily);

// The headend multiswitch family for P polarities: family4 for 4, family8 for 8, family16 otherwise.
std::int32_t ChooseHeadendMsFamily(int polarities, std::int32_t family4, std::int32_t family8,
                                   std::int32_t family16);

// What the table needs of one multiswitch prototype, in catalogue order.
struct MsPrototipo {
    std::int32_t Familia = 0;
    std::int32_t Indice = 0;
    std::int32_t Nderivaciones = 0;
    std::int32_t Entradas = 0; // as TregistroMs::Entradas
    TvectorAt Celda;           // Clave and the consumption figures, Indice as above
};

// The family's multiswitch prototypes of the store, in catalogue order, with the key and the row
// figures of that key kind (cascade: B inputs, no consumption figures; 8/16: inputs - 1 and the
// consumption figures). Elements of the family that are not multiswitches are left out.
std::vector<MsPrototipo> MsPrototypesOfFamily(const TalmacenElementos& store, std::int32_t family,
                                              MsTableKey key);

// Builds the table from the prototypes: sorted by (taps, key), stable so that models of equal taps and
// key keep their catalogue order (the later one then wins the cell); one row per tap count; one column
// per distinct key ascending; empty cells filled from their left neighbour; columns that repeat a
// neighbour's model pruned. No prototypes: an empty table.
TMatMs ConstruirTablaMs(std::vector<MsPrototipo> prototypes);
// The same from the store's family.
TMatMs ConstruirTablaMs(const TalmacenElementos& store, std::int32_t family, MsTableKey key);

// The statistics of a column (all rows must have it).
TEstColumnarepe EstadisticaColumna(const TMatMs& table, int column);

// Of two adjacent columns that both hold the key, the one to remove (its Columna): the one holding the
// key fewer times, then the one with more empty cells, then the one with fewer distinct keys, then the
// left one when its range is at least the right one's, else the right one.
int ColumnaAEliminar(const TEstColumnarepe& left, const TEstColumnarepe& right, std::int32_t clave);

// The number of columns (that of the first row; 0 for an empty table).
int ColumnCount(const TMatMs& table);

} // namespace ixo

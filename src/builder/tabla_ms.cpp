#include "builder/tabla_ms.h"

#include "catalogue/almacen_elementos.h"
#include "model/multiswitch.h"
#include "model/pin.h"

#include <algorithm>
#include <cstdlib>

namespace ixo {

int TEstColumnarepe::Occurrences(std::int32_t clave) const {
    for (const auto& [value, count] : Valores) {
        if (value == clave) {
            return count;
        }
    }
    return 0;
}

MsFamilyChoice ChooseFloorMsFamily(int polarities, std::int32_t family8, std::int32_t family16,
                                   std::int32_t cascadeFamily) {
    if (polarities > 12 || polarities == 8) {
        return {polarities == 16 ? family16 : family8, MsTableKey::CascadeableCabecera};
    }
    return {cascadeFamily, MsTableKey::ATMedia};
}

std::int32_t ChooseHeadendMsFamily(int polarities, std::int32_t family4, std::int32_t family8,
                                   std::int32_t family16) {
    if (polarities == 4) {
        return family4;
    }
    return polarities == 8 ? family8 : family16;
}

std::vector<MsPrototipo> MsPrototypesOfFamily(const TalmacenElementos& store, std::int32_t family,
                                              MsTableKey key) {
    std::vector<MsPrototipo> prototypes;
    for (const ElementListItem& item : store.ElementsOfFamily(family)) {
        const TMultiswitch* ms = item.Object.As<TMultiswitch>();
        if (ms == nullptr) {
            continue;
        }
        MsPrototipo p;
        p.Familia = ms->Familia;
        p.Indice = ms->Indice;
        p.Nderivaciones = ms->Nderivaciones;
        p.Celda.Indice = ms->Indice;
        if (key == MsTableKey::ATMedia) {
            p.Celda.Clave = ms->ATMedia;
            p.Entradas =
                static_cast<std::int32_t>(std::count_if(ms->PinesENTRADA().begin(), ms->PinesENTRADA().end(),
                                                        [](const TPin* pin) { return pin->Prefijo == 'B'; }));
        } else {
            p.Celda.Clave = ms->CascadeableCabecera ? 1 : 0;
            p.Celda.ConsumoActivo = ms->ConsumoActivo;
            p.Celda.ConsumoPasivo = ms->ConsumoPasivo;
            p.Celda.CorrienteMaxima = ms->CorrienteMaxima;
            p.Entradas = static_cast<std::int32_t>(ms->PinesENTRADA().size()) - 1;
        }
        prototypes.push_back(p);
    }
    return prototypes;
}

namespace {

// Steps 2 and 3: rows of the sorted prototypes, each row holding its models' cells in sorted order.
TMatMs RowsOf(std::vector<MsPrototipo>& prototypes) {
    std::stable_sort(prototypes.begin(), prototypes.end(), [](const MsPrototipo& a, const MsPrototipo& b) {
        if (a.Nderivaciones != b.Nderivaciones) {
            return a.Nderivaciones < b.Nderivaciones;
        }
        return a.Celda.Clave < b.Celda.Clave;
    });
    TMatMs rows;
    for (const MsPrototipo& p : prototypes) {
        if (rows.empty() || p.Nderivaciones > rows.back().Salidas) {
            rows.push_back({p.Nderivaciones, p.Familia, p.Entradas, {}});
        }
        rows.back().Modelos.push_back(p.Celda);
    }
    return rows;
}

// Step 4: one cell per distinct key (ascending), the row's last cell with that key or an empty one.
void SpreadIntoColumns(TMatMs& rows) {
    std::vector<std::int32_t> keys;
    for (const TregistroMs& row : rows) {
        for (const TvectorAt& cell : row.Modelos) {
            keys.push_back(cell.Clave);
        }
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (TregistroMs& row : rows) {
        std::vector<TvectorAt> cells(keys.size());
        for (std::size_t c = 0; c < keys.size(); ++c) {
            for (const TvectorAt& cell : row.Modelos) {
                if (cell.Clave == keys[c]) {
                    cells[c] = cell;
                }
            }
        }
        row.Modelos = std::move(cells);
    }
}

// Step 5: a cell without key takes the model of its left neighbour when that one has a key; the copy
// runs left to right, so a gap of several cells takes the last model before it.
void FillFromLeft(TMatMs& rows) {
    for (TregistroMs& row : rows) {
        for (std::size_t j = 1; j < row.Modelos.size(); ++j) {
            if (row.Modelos[j].Clave == 0 && row.Modelos[j - 1].Clave != 0) {
                row.Modelos[j] = row.Modelos[j - 1];
            }
        }
    }
}

} // namespace

int ColumnaAEliminar(const TEstColumnarepe& left, const TEstColumnarepe& right, std::int32_t clave) {
    const int inLeft = left.Occurrences(clave);
    const int inRight = right.Occurrences(clave);
    if (inLeft != inRight) {
        return inLeft < inRight ? left.Columna : right.Columna;
    }
    if (left.Vacias != right.Vacias) {
        return left.Vacias > right.Vacias ? left.Columna : right.Columna;
    }
    if (left.Valores.size() != right.Valores.size()) {
        return left.Valores.size() < right.Valores.size() ? left.Columna : right.Columna;
    }
    return left.Rango >= right.Rango ? left.Columna : right.Columna;
}

namespace {

// Step 6: marks on the filled table, then every marked column removed at once.
void PruneRepeatedColumns(TMatMs& rows) {
    const int columns = ColumnCount(rows);
    std::vector<bool> marked(static_cast<std::size_t>(std::max(columns, 0)), false);
    for (int c = 0; c + 1 < columns; ++c) {
        const TEstColumnarepe left = EstadisticaColumna(rows, c);
        const TEstColumnarepe right = EstadisticaColumna(rows, c + 1);
        for (const auto& [clave, count] : left.Valores) {
            if (right.Occurrences(clave) > 0) {
                marked[static_cast<std::size_t>(ColumnaAEliminar(left, right, clave))] = true;
            }
        }
    }
    for (TregistroMs& row : rows) {
        std::vector<TvectorAt> kept;
        for (std::size_t c = 0; c < row.Modelos.size(); ++c) {
            if (!marked[c]) {
                kept.push_back(row.Modelos[c]);
            }
        }
        row.Modelos = std::move(kept);
    }
}

} // namespace

int ColumnCount(const TMatMs& table) {
    return table.empty() ? 0 : static_cast<int>(table.front().Modelos.size());
}

TEstColumnarepe EstadisticaColumna(const TMatMs& table, int column) {
    TEstColumnarepe stats;
    stats.Columna = column;
    std::int32_t max = -1;
    std::int32_t min = 100000;
    for (const TregistroMs& row : table) {
        const TvectorAt& cell = row.Modelos.at(static_cast<std::size_t>(column));
        if (cell.Empty()) {
            ++stats.Vacias;
            continue;
        }
        auto found = std::find_if(stats.Valores.begin(), stats.Valores.end(),
                                  [&](const auto& value) { return value.first == cell.Clave; });
        if (found == stats.Valores.end()) {
            stats.Valores.emplace_back(cell.Clave, 1);
        } else {
            ++found->second;
        }
        if (cell.Clave > 0) {
            max = std::max(max, cell.Clave);
            min = std::min(min, cell.Clave);
        }
    }
    stats.Rango = std::abs(max - min);
    return stats;
}

TMatMs ConstruirTablaMs(std::vector<MsPrototipo> prototypes) {
    TMatMs table = RowsOf(prototypes);
    SpreadIntoColumns(table);
    FillFromLeft(table);
    PruneRepeatedColumns(table);
    return table;
}

TMatMs ConstruirTablaMs(const TalmacenElementos& store, std::int32_t family, MsTableKey key) {
    return ConstruirTablaMs(MsPrototypesOfFamily(store, family, key));
}

} // namespace ixo

#include "builder/cascada_ms.h"

#include <algorithm>

namespace ixo {

namespace {

bool CellHasModel(const TregistroMs& row, int column) {
    return column >= 0 && static_cast<std::size_t>(column) < row.Modelos.size() &&
           row.Modelos[static_cast<std::size_t>(column)].HasCascadeModel();
}

int CeilDiv(int a, int b) {
    return (a + b - 1) / b;
}

} // namespace

std::vector<int> CascadeColumns(int floors, int columns, int finalColumn) {
    std::vector<int> result;
    if (floors <= 0) {
        return result;
    }
    if (columns < 2) {
        return std::vector<int>(static_cast<std::size_t>(floors), 0);
    }
    result.push_back(finalColumn);
    int q = (floors - 1) / (columns - 1);
    int r = (floors - 1) % (columns - 1);
    int c = 1;
    int t = 1;
    for (int f = 1; f < floors; ++f) {
        if (t <= q) {
            result.push_back(c);
            ++t;
            continue;
        }
        if (r > 0) {
            --r;
            result.push_back(c);
        } else {
            result.push_back(c + 1);
        }
        ++c;
        t = 1;
    }
    return result;
}

int MaxTaps(const TMatMs& table, int column) {
    int most = 0;
    for (const TregistroMs& row : table) {
        if (CellHasModel(row, column)) {
            most = std::max(most, static_cast<int>(row.Salidas));
        }
    }
    return most;
}

std::vector<int> SplitFlats(const TMatMs& table, int flats, int column) {
    std::vector<int> sizes;
    const int largest = MaxTaps(table, column);
    if (flats <= 0 || largest <= 0) {
        return sizes;
    }
    int n = flats;
    int m = CeilDiv(n, largest);
    while (n > 0 && m > 0) {
        const int s = std::min(n, CeilDiv(n, m));
        auto row = std::find_if(table.begin(), table.end(), [&](const TregistroMs& candidate) {
            return candidate.Salidas >= s && CellHasModel(candidate, column);
        });
        if (row == table.end() || row->Salidas <= 0) {
            break; // cannot happen while s <= largest; kept so a bad table cannot loop
        }
        sizes.push_back(row->Salidas);
        n -= row->Salidas;
        --m;
    }
    return sizes;
}

std::int32_t CascadeModel(const TMatMs& table, int taps, int column) {
    for (const TregistroMs& row : table) {
        if (row.Salidas >= taps && column >= 0 && static_cast<std::size_t>(column) < row.Modelos.size() &&
            row.Modelos[static_cast<std::size_t>(column)].Clave != 0) {
            return row.Modelos[static_cast<std::size_t>(column)].Indice;
        }
    }
    return -1;
}

TVectorCascadaVerticales PlanCascada(const TMatMs& table, const std::vector<FloorWithFlats>& floors,
                                     int finalColumn, int polarities) {
    TVectorCascadaVerticales plan;
    const int perPosition = CeilDiv(std::max(polarities, 0), 4);
    const std::vector<int> columns =
        CascadeColumns(static_cast<int>(floors.size()), ColumnCount(table), finalColumn);
    auto add = [&](int floor, int taps, int column) {
        plan.push_back({floor, taps, perPosition, CascadeModel(table, taps, column), column});
    };
    for (std::size_t i = 0; i < floors.size(); ++i) {
        const FloorWithFlats& floor = floors[i];
        int column = columns[i];
        std::vector<int> sizes = SplitFlats(table, floor.Viviendas, column);
        if (i == 0 && finalColumn == 0 && !sizes.empty()) {
            add(floor.Planta, sizes.front(), column);
            const int rest = floor.Viviendas - sizes.front();
            int next = column;
            if (i + 1 < floors.size() && floors[i + 1].Planta == floor.Planta + 1) {
                next = columns[i + 1];
            } else if (MaxTaps(table, column + 1) > 0) {
                next = column + 1;
            }
            sizes = SplitFlats(table, rest, next);
            column = next;
        }
        for (auto size = sizes.rbegin(); size != sizes.rend(); ++size) {
            add(floor.Planta, *size, column);
        }
    }
    return plan;
}

} // namespace ixo

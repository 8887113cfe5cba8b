#include "builder/ms816.h"

namespace ixo {

namespace {

// The row's cell with that key that has a model number, or -1.
int ColumnWithKey(const TregistroMs& row, std::int32_t key) {
    for (std::size_t c = 0; c < row.Modelos.size(); ++c) {
        if (row.Modelos[c].Clave == key && row.Modelos[c].Indice != 0) {
            return static_cast<int>(c);
        }
    }
    return -1;
}

MsTableCell CellAt(const TMatMs& table, std::size_t row, int column) {
    const TregistroMs& r = table[row];
    return {static_cast<int>(row), column, r.Familia, r.Salidas, r.Modelos[static_cast<std::size_t>(column)]};
}

std::optional<MsTableCell> Lookup(const TMatMs& table, std::int32_t key, std::optional<int> taps) {
    return taps ? SmallestWithKey(table, key, *taps) : LargestWithKey(table, key);
}

} // namespace

std::optional<MsTableCell> LargestWithKey(const TMatMs& table, std::int32_t key) {
    for (std::size_t i = table.size(); i-- > 0;) {
        const int column = ColumnWithKey(table[i], key);
        if (column >= 0) {
            return CellAt(table, i, column);
        }
    }
    return std::nullopt;
}

std::optional<MsTableCell> SmallestWithKey(const TMatMs& table, std::int32_t key, int taps) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].Salidas < taps) {
            continue;
        }
        const int column = ColumnWithKey(table[i], key);
        if (column >= 0) {
            return CellAt(table, i, column);
        }
    }
    return std::nullopt;
}

MsSupplyState InitialSupplyState(std::optional<std::int32_t> headendSupplierCurrent) {
    MsSupplyState state;
    if (headendSupplierCurrent) {
        state.HasSupplier = true;
        state.SupplierCurrent = *headendSupplierCurrent;
    }
    return state;
}

std::optional<MsTableCell> ChooseMs816Row(const TMatMs& table, const MsSupplyState& state, bool oneStair,
                                          std::int32_t family, std::optional<int> remainingFlats) {
    if (state.HasSupplier) {
        std::optional<MsTableCell> powered = Lookup(table, 0, remainingFlats);
        if (powered && state.SupplierCurrent >= powered->Celda.ConsumoActivo + state.Consumption) {
            return powered;
        }
        return Lookup(table, 1, remainingFlats);
    }
    if (oneStair) {
        return Lookup(table, 1, remainingFlats);
    }
    return Lookup(table, family == kMainsPoweredMsFamily ? 0 : 1, remainingFlats);
}

void AccountMs816(MsSupplyState& state, const MsTableCell& placed) {
    if (placed.Celda.CorrienteMaxima > 0 || placed.Familia == kMainsPoweredMsFamily) {
        state.HasSupplier = true;
        state.SupplierCurrent = placed.Celda.CorrienteMaxima;
        state.Consumption = 0;
    } else {
        state.Consumption += placed.Celda.ConsumoActivo;
    }
}

std::vector<MsTableCell> PlanMs816Floor(const TMatMs& table, int flats, MsSupplyState& state, bool oneStair,
                                        std::int32_t family) {
    std::vector<MsTableCell> placed;
    int n = flats;
    std::optional<MsTableCell> row = ChooseMs816Row(table, state, oneStair, family);
    if (!row) {
        return placed;
    }
    while (row && row->Salidas > 0 && n / row->Salidas > 0) {
        n -= row->Salidas;
        placed.push_back(*row);
        AccountMs816(state, *row);
        row = ChooseMs816Row(table, state, oneStair, family);
    }
    if (!row) {
        return placed; // a lookup found nothing: the floor ends here
    }
    if (n > 0) {
        if (std::optional<MsTableCell> last = ChooseMs816Row(table, state, oneStair, family, n)) {
            placed.push_back(*last);
            AccountMs816(state, *last);
        }
    }
    return placed;
}

std::vector<std::vector<MsTableCell>> PlanMs816Stair(const TMatMs& table,
                                                     const std::vector<int>& flatsTopDown,
                                                     MsSupplyState initial, bool oneStair,
                                                     std::int32_t family) {
    std::vector<std::vector<MsTableCell>> floors;
    MsSupplyState state = initial;
    for (int flats : flatsTopDown) {
        floors.push_back(PlanMs816Floor(table, flats, state, oneStair, family));
    }
    return floors;
}

} // namespace ixo

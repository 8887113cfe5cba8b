#pragma once

#include "catalogue/comum_tabla.h"

namespace ixo {

// Opens a closed table for the length of a lookup and closes it again; a table that was already open
// is left open (and positioned wherever the lookup left it).
class TableOpenScope {
public:
    explicit TableOpenScope(TComumTabla* table)
        : m_table(table), m_opened(table != nullptr && !table->Active()) {
        if (m_opened) {
            m_table->Open();
        }
    }
    ~TableOpenScope() {
        if (m_opened) {
            m_table->Close();
        }
    }
    TableOpenScope(const TableOpenScope&) = delete;
    TableOpenScope& operator=(const TableOpenScope&) = delete;

    // Whether the table can be read now.
    bool Active() const { return m_table != nullptr && m_table->Active(); }

private:
    TComumTabla* m_table;
    bool m_opened;
};

} // namespace ixo

#pragma once

// The error level list's rows as a table model: each cell's text is made when the view asks for it,
// so that a list of thousands of outlets has no widget or text per row.
#include "ui/errors/error_list_rows.h"

#include <QAbstractTableModel>

namespace ixo {

class ErrorListModel : public QAbstractTableModel {
public:
    ErrorListModel(const ErrorListRows& rows, QObject* parent);

    // The rows changed (filled or emptied): the view asks again.
    void Reset();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ErrorListRows& m_rows;
};

} // namespace ixo

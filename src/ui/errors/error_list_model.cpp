#include "ui/errors/error_list_model.h"

#include <QBrush>
#include <QColor>

namespace ixo {

ErrorListModel::ErrorListModel(const ErrorListRows& rows, QObject* parent)
    : QAbstractTableModel(parent), m_rows(rows) {}

void ErrorListModel::Reset() {
    beginResetModel();
    endResetModel();
}

int ErrorListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.Count());
}

int ErrorListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ErrorListRows::kColumns;
}

QVariant ErrorListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || static_cast<std::size_t>(index.row()) >= m_rows.Count()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(m_rows.Texts(row)[static_cast<std::size_t>(index.column())]);
    }
    if (role == Qt::ForegroundRole && index.column() == ErrorListRows::kColumns - 1) {
        const RowColour colour = m_rows.ErrorColour(row);
        return QBrush(QColor(colour.red, colour.green, colour.blue));
    }
    return {};
}

QVariant ErrorListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ErrorListRows::kColumns) {
        return {};
    }
    return QString::fromLatin1(ErrorListRows::Captions()[static_cast<std::size_t>(section)]);
}

} // namespace ixo

#include "ui/errors/error_list_window.h"

#include "ui/errors/error_list_model.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

namespace ixo {

ErrorListWindow::ErrorListWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle(QStringLiteral("List of error level"));
    setObjectName(QStringLiteral("ErrorListWindow"));
    m_model = new ErrorListModel(m_rows, this);
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setShowGrid(false);
    m_table->verticalHeader()->hide();
    // Rows of one height: the view does not measure thousands of rows.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    m_table->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {100, 100, 100, 100, 200};
    for (int column = 0; column < ErrorListRows::kColumns; ++column) {
        m_table->setColumnWidth(column, widths[column]);
    }
    connect(m_table, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { ActivateRow(index.row()); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    resize(640, 320);
}

void ErrorListWindow::Refresh(const Tproyecto* project, std::vector<PowerProblem> powering,
                              std::vector<OverdriveProblem> overdrive) {
    m_rows.Fill(project, std::move(powering), std::move(overdrive));
    m_model->Reset();
}

void ErrorListWindow::Empty() {
    m_rows.Clear();
    m_model->Reset();
}

void ErrorListWindow::ActivateRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.Count() || !m_rows.CanLocate()) {
        return;
    }
    m_table->selectRow(row);
    const auto index = static_cast<std::size_t>(row);
    if (onLocate && m_rows.ElementOf(index) != nullptr) {
        onLocate(m_rows.ElementOf(index), m_rows.PinOf(index));
    }
}

void ErrorListWindow::closeEvent(QCloseEvent* event) {
    Empty();
    if (onClosed) {
        onClosed();
    }
    QWidget::closeEvent(event);
}

} // namespace ixo

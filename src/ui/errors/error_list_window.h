#pragma once

// "List of error level": a tool window over the main window listing the outlets out of limits, the
// powering problems and the overdriven pins. A double click on a row asks the main window to locate
// its element. The rows are the project's as the main window last gave them; it refreshes the list
// after every change and empties it when the project closes.
#include "ui/errors/error_list_rows.h"

#include <QWidget>

#include <functional>

class QTableView;

namespace ixo {

class ErrorListModel;

class ErrorListWindow : public QWidget {
public:
    explicit ErrorListWindow(QWidget* parent);

    // Fills the list from the project (null: empties it).
    void Refresh(const Tproyecto* project, std::vector<PowerProblem> powering,
                 std::vector<OverdriveProblem> overdrive);
    // Empties the list.
    void Empty();

    const ErrorListRows& Rows() const { return m_rows; }
    QTableView* Table() const { return m_table; }
    // A double click on row: locates its element when the project is calculated.
    void ActivateRow(int row);

    std::function<void(const TComponenteBase* element, const TPin* pin)> onLocate;
    std::function<void()> onClosed;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ErrorListRows m_rows;
    ErrorListModel* m_model = nullptr;
    QTableView* m_table = nullptr;
};

} // namespace ixo

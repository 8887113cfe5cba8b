#pragma once

// The new-project wizard: the building's shape on the first page, the flats of every floor of every
// stair in a grid on the second. Every rule lives in WizardModel; the dialog shows its state.
#include "ui/project/wizard_model.h"

#include <QDialog>
#include <QString>

#include <functional>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableWidget;

namespace ixo {

class WizardDialog : public QDialog {
public:
    explicit WizardDialog(QWidget* parent);

    const WizardModel& Model() const { return m_model; }
    // How error messages are shown (a message box by default; tests record them).
    void SetMessageSink(std::function<void(const QString&)> sink) { m_showError = std::move(sink); }

    // The controls, for tests that drive the dialog as a user would.
    QComboBox* StairsBox() const { return m_stairs; }
    QComboBox* HeadendBox() const { return m_headend; }
    QComboBox* PolarityBox() const { return m_polarity; }
    QComboBox* OutletsBox() const { return m_outlets; }
    QComboBox* DistributionBox() const { return m_distribution; }
    QLineEdit* FloorsEdit() const { return m_floors; }
    QLineEdit* FlatsEdit() const { return m_flats; }
    QButtonGroup* TopologyGroup() const { return m_topology; }
    QTableWidget* Grid() const { return m_grid; }
    QPushButton* NextButton() const { return m_next; }
    QPushButton* BackButton() const { return m_back; }
    int PageShown() const;

    void NextClicked();
    void BackClicked();

private:
    QWidget* MakeFirstPage();
    QWidget* MakeGridPage();
    void ShowFirstPageValues();
    void FillHeadendList();
    void FillGrid();
    void ShowPage(WizardModel::Page page);
    void FloorsLeft();
    void FlatsLeft();
    void GridCellMoved(int row, int column, int previousRow, int previousColumn);
    void ShowError(const std::string& message);

    WizardModel m_model;
    std::function<void(const QString&)> m_showError;
    QStackedWidget* m_pages = nullptr;
    QComboBox* m_stairs = nullptr;
    QComboBox* m_headend = nullptr;
    QComboBox* m_polarity = nullptr;
    QComboBox* m_outlets = nullptr;
    QComboBox* m_distribution = nullptr;
    QLineEdit* m_floors = nullptr;
    QLineEdit* m_flats = nullptr;
    QButtonGroup* m_topology = nullptr;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    bool m_updating = false;  // the program sets controls: their change events write nothing
    bool m_checking = false;  // a leave check shows a message: no second check meanwhile
    QString m_rejectedFloors; // texts whose rejection the leave check has just shown
    QString m_rejectedFlats;
};

} // namespace ixo

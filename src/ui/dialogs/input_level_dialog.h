#pragma once

// The level dialog of a dish (its outputs' satellite bands) or the terrestrial headend (its output's
// bands 1 to 3): a grid of decimal cells, 0 to 125 dBuV. Its rules are InputLevelModel's; OK hands back
// every level or, with a bad cell, keeps the dialog open and changes none.
#include "ui/dialogs/input_level_model.h"

#include <QDialog>

#include <functional>

class QTableWidget;

namespace ixo {

class InputLevelDialog : public QDialog {
public:
    explicit InputLevelDialog(QWidget* parent);

    void SetHeadendLevels(const LevelVector& levels);
    void SetDishLevels(const std::vector<LevelVector>& levels);
    // The levels after OK: one vector per dish output, or the headend's one.
    const std::vector<LevelVector>& Levels() const { return m_model.Levels(); }
    QTableWidget* Grid() const { return m_grid; }

    // Error messages (caption "Error", error icon by default); replaceable by tests.
    std::function<void(const QString&)> showError;

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowModel();
    void ReadCell(int row, int column);
    void CellChanged(int row, int column, int previousRow, int previousColumn);

    InputLevelModel m_model;
    QTableWidget* m_grid = nullptr;
    bool m_moving = false;
    bool m_leaveCheckPending = false; // the grid was left with a bad cell; the message is on its way
};

} // namespace ixo

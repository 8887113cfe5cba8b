#pragma once

// The small dialogs of the report editor: insert table, paragraph, table format and page setup. Each
// shows its values and gives them back after OK; the rules are in report_editor_rules.h.
#include "ui/report_editor/report_editor_rules.h"

#include <QDialog>
#include <QTextBlockFormat>
#include <QTextTableFormat>

#include <vector>

class QComboBox;
class QLabel;
class QDoubleSpinBox;
class QSpinBox;

namespace ixo {

// "Insert table": columns 1 to 12, rows 1 to 100, both 2 at first.
class InsertTableDialog : public QDialog {
public:
    explicit InsertTableDialog(QWidget* parent = nullptr);
    // The size after OK; nothing when a box does not hold a number in range.
    std::optional<InsertTableRules::Size> Size() const;
    QComboBox* ColumnsBox() const { return m_columns; }
    QComboBox* RowsBox() const { return m_rows; }

private:
    QComboBox* m_columns = nullptr;
    QComboBox* m_rows = nullptr;
};

// "Paragraph": alignment, left and right indent (mm), space above and below (pt).
class ParagraphDialog : public QDialog {
public:
    ParagraphDialog(const QTextBlockFormat& format, QWidget* parent = nullptr);
    QTextBlockFormat Format() const;

private:
    QComboBox* m_alignment = nullptr;
    QDoubleSpinBox* m_left = nullptr;
    QDoubleSpinBox* m_right = nullptr;
    QDoubleSpinBox* m_above = nullptr;
    QDoubleSpinBox* m_below = nullptr;
};

// "Table": the width of every column in centimetres (0 for a column that takes what it needs), the
// cell padding and the grid lines.
class TableFormatDialog : public QDialog {
public:
    TableFormatDialog(const QTextTableFormat& format, int columns, QWidget* parent = nullptr);
    QTextTableFormat Format() const;
    QDoubleSpinBox* ColumnWidth(int column) const { return m_widths[static_cast<std::size_t>(column)]; }

private:
    QTextTableFormat m_format;
    std::vector<QDoubleSpinBox*> m_widths;
    QDoubleSpinBox* m_padding = nullptr;
    QComboBox* m_grid = nullptr;
};

// "Page setup": the page and its margins in millimetres (kept in hundredths); OK only with a usable
// setup, otherwise the reason is shown in the dialog.
class EditorPageSetupDialog : public QDialog {
public:
    EditorPageSetupDialog(const EditorPageSetup& setup, QWidget* parent = nullptr);
    EditorPageSetup Setup() const;
    void accept() override;

private:
    std::vector<QDoubleSpinBox*> m_boxes; // width, height, left, top, right, bottom
    QLabel* m_problem = nullptr;
};

} // namespace ixo

#include "ui/dialogs/input_level_dialog.h"

#include "ui/dialogs/decimal_field.h"
#include "ui/main/help_key.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace ixo {

namespace {

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

class DecimalCellDelegate : public QStyledItemDelegate {
public:
    DecimalCellDelegate(QObject* parent, QChar separator)
        : QStyledItemDelegate(parent), m_separator(separator) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            DecimalKeyFilter::Install(line, m_separator);
        }
        return editor;
    }

private:
    QChar m_separator;
};

} // namespace

InputLevelDialog::InputLevelDialog(QWidget* parent) : QDialog(parent), m_model(LocaleDecimalSeparator()) {
    showError = [this](const QString& text) {
        QMessageBox::critical(this, Qs(std::string(InputLevelModel::kErrorCaption)), text);
    };
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Qs(std::string(InputLevelModel::kLabel)), this));
    m_grid = new QTableWidget(this);
    m_grid->setItemDelegate(new DecimalCellDelegate(m_grid, QChar(LocaleDecimalSeparator())));
    m_grid->installEventFilter(this);
    layout->addWidget(m_grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Ok"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &InputLevelDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &InputLevelDialog::reject);
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int previousRow, int previousColumn) {
                CellChanged(row, column, previousRow, previousColumn);
            });
    InstallHelpKey(this);
    m_model.SetMode(InputLevelModel::Source::Dish);
    ShowModel();
}

void InputLevelDialog::SetHeadendLevels(const LevelVector& levels) {
    m_model.SetHeadendLevels(levels);
    ShowModel();
}

void InputLevelDialog::SetDishLevels(const std::vector<LevelVector>& levels) {
    m_model.SetDishLevels(levels);
    ShowModel();
}

void InputLevelDialog::ShowModel() {
    m_moving = true;
    setWindowTitle(Qs(m_model.Caption()));
    m_grid->clear();
    m_grid->setRowCount(m_model.Rows());
    m_grid->setColumnCount(m_model.Columns());
    QStringList titles;
    for (const std::string& title : m_model.ColumnTitles()) {
        titles << Qs(title);
    }
    m_grid->setHorizontalHeaderLabels(titles);
    for (int row = 0; row < m_model.Rows(); ++row) {
        for (int column = 0; column < m_model.Columns(); ++column) {
            m_grid->setItem(row, column, new QTableWidgetItem(Qs(m_model.CellText(row, column))));
        }
    }
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    const int rowsHeight = m_grid->horizontalHeader()->height() + 2 * m_grid->frameWidth() +
                           m_model.Rows() * m_grid->verticalHeader()->defaultSectionSize();
    m_grid->setFixedHeight(rowsHeight + 2);
    m_grid->setCurrentCell(0, 0);
    m_moving = false;
}

void InputLevelDialog::ReadCell(int row, int column) {
    const QTableWidgetItem* item = m_grid->item(row, column);
    m_model.SetCellText(row, column, item != nullptr ? item->text().toStdString() : std::string());
}

void InputLevelDialog::CellChanged(int row, int column, int previousRow, int previousColumn) {
    if (m_moving || previousRow < 0 || previousColumn < 0 ||
        (row == previousRow && column == previousColumn)) {
        return;
    }
    ReadCell(previousRow, previousColumn);
    const InputLevelModel::Check check = m_model.LeaveCell(previousRow, previousColumn);
    if (check.accepted) {
        return;
    }
    // The move is refused: back to the cell that was left.
    m_moving = true;
    m_grid->setCurrentCell(previousRow, previousColumn);
    m_moving = false;
    if (!check.message.empty()) {
        showError(Qs(check.message));
    }
}

bool InputLevelDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && event->type() == QEvent::FocusOut && isVisible() && !m_moving) {
        const int row = m_grid->currentRow();
        const int column = m_grid->currentColumn();
        // The cell editor takes the focus from the grid without leaving it.
        if (row >= 0 && column >= 0 && !m_grid->isAncestorOf(QApplication::focusWidget())) {
            ReadCell(row, column);
            const InputLevelModel::Check check = m_model.LeaveGrid(row, column);
            if (!check.accepted) {
                m_leaveCheckPending = true;
                QTimer::singleShot(0, this, [this, check] {
                    if (m_leaveCheckPending && isVisible()) {
                        m_leaveCheckPending = false;
                        showError(Qs(check.message));
                        m_grid->setFocus();
                    }
                });
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void InputLevelDialog::accept() {
    m_leaveCheckPending = false; // OK says it itself
    for (int row = 0; row < m_model.Rows(); ++row) {
        for (int column = 0; column < m_model.Columns(); ++column) {
            ReadCell(row, column);
        }
    }
    const InputLevelModel::Check check = m_model.Accept();
    if (!check.accepted) {
        showError(Qs(check.message));
        m_grid->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace ixo

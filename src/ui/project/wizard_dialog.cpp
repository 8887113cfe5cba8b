#include "ui/project/wizard_dialog.h"

#include "ui/main/help_key.h"
#include "ui/project/integer_field.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ixo {
namespace {

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Grid cells are edited with the same key filter as the edits.
class IntegerCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setValidator(new IntegerKeyValidator(line));
        }
        return editor;
    }
};

} // namespace

WizardDialog::WizardDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Qs(std::string(WizardModel::kCaption)));
    m_showError = [this](const QString& text) {
        QMessageBox::critical(this, Qs(std::string(WizardModel::kErrorCaption)), text);
    };
    auto* layout = new QVBoxLayout(this);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(MakeFirstPage());
    m_pages->addWidget(MakeGridPage());
    layout->addWidget(m_pages);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_back = new QPushButton(QStringLiteral("< Back"), this);
    m_next = new QPushButton(QStringLiteral("Next >"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    m_next->setDefault(true);
    buttons->addWidget(m_back);
    buttons->addWidget(m_next);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(m_back, &QPushButton::clicked, this, [this] { BackClicked(); });
    connect(m_next, &QPushButton::clicked, this, [this] { NextClicked(); });
    connect(close, &QPushButton::clicked, this, [this] { reject(); });
    InstallHelpKey(this);
    ShowFirstPageValues();
    ShowPage(WizardModel::Page::First);
    m_stairs->setFocus();
}

QWidget* WizardDialog::MakeFirstPage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    m_stairs = new QComboBox(page);
    for (int i = 1; i <= kMaxStairs; ++i) {
        m_stairs->addItem(QString::number(i));
    }
    m_floors = new QLineEdit(page);
    m_floors->setValidator(new IntegerKeyValidator(m_floors));
    m_headend = new QComboBox(page);
    m_flats = new QLineEdit(page);
    m_flats->setValidator(new IntegerKeyValidator(m_flats));
    m_outlets = new QComboBox(page);
    for (int i = 1; i <= kMaxOutletsPerFlat; ++i) {
        m_outlets->addItem(QString::number(i));
    }
    m_distribution = new QComboBox(page);
    m_distribution->addItems({QStringLiteral("STAR"), QStringLiteral("CASCADE")});
    form->addRow(QStringLiteral("Nº of Trunk Distributions"), m_stairs);
    form->addRow(QStringLiteral("Nº of Floors"), m_floors);
    form->addRow(QStringLiteral("Headend Placed on Trunk Dist. Nº"), m_headend);
    form->addRow(new QLabel(QStringLiteral("Flats"), page));
    form->addRow(QStringLiteral("Nº of Flats (Total)"), m_flats);
    form->addRow(QStringLiteral("Nº of Outlets / Flat"), m_outlets);
    form->addRow(QStringLiteral("Internal Distribution"), m_distribution);

    auto* trunk = new QGroupBox(QStringLiteral("Trunk Distribution"), page);
    auto* trunkForm = new QFormLayout(trunk);
    m_polarity = new QComboBox(trunk);
    for (const std::string& item : WizardModel::PolarityItems()) {
        m_polarity->addItem(Qs(item));
    }
    trunkForm->addRow(QStringLiteral("Number of polarities"), m_polarity);
    auto* topologyBox = new QGroupBox(QStringLiteral("Topology"), trunk);
    auto* topologyLayout = new QVBoxLayout(topologyBox);
    m_topology = new QButtonGroup(this);
    auto* standAlone = new QRadioButton(QStringLiteral("Stand-Alone"), topologyBox);
    auto* cascadeable = new QRadioButton(QStringLiteral("Cascadeable"), topologyBox);
    m_topology->addButton(standAlone, 0);
    m_topology->addButton(cascadeable, 1);
    topologyLayout->addWidget(standAlone);
    topologyLayout->addWidget(cascadeable);
    trunkForm->addRow(topologyBox);
    form->addRow(trunk);

    connect(m_stairs, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating) {
            m_model.ChooseStairs(index);
            FillHeadendList();
        }
    });
    connect(m_headend, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating) {
            m_model.ChooseHeadend(index);
        }
    });
    connect(m_polarity, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating) {
            m_model.ChoosePolarity(index);
        }
    });
    connect(m_outlets, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating) {
            m_model.ChooseOutlets(index);
        }
    });
    connect(m_distribution, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_updating) {
            m_model.ChooseDistribution(index);
        }
    });
    connect(m_topology, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.ChooseTopology(id);
        ShowFirstPageValues();
    });
    connect(m_floors, &QLineEdit::editingFinished, this, [this] { FloorsLeft(); });
    connect(m_flats, &QLineEdit::editingFinished, this, [this] { FlatsLeft(); });
    return page;
}

QWidget* WizardDialog::MakeGridPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* text =
        new QLabel(QStringLiteral("Please, enter the Nº of Flats per Floor of the Building, according "
                                  "to the building chosen on the first page:"),
                   page);
    text->setWordWrap(true);
    layout->addWidget(text);
    m_grid = new QTableWidget(page);
    m_grid->setItemDelegate(new IntegerCellDelegate(m_grid));
    m_grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    layout->addWidget(m_grid);
    connect(m_grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_updating) {
            m_model.SetCellText(item->row(), item->column(), item->text().toStdString());
        }
    });
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int previousRow, int previousColumn) {
                GridCellMoved(row, column, previousRow, previousColumn);
            });
    return page;
}

void WizardDialog::ShowFirstPageValues() {
    m_updating = true;
    m_stairs->setCurrentIndex(m_model.StairsIndex());
    m_polarity->setCurrentIndex(m_model.PolarityIndex());
    m_outlets->setCurrentIndex(m_model.OutletsIndex());
    m_distribution->setCurrentIndex(m_model.DistributionIndex());
    m_topology->button(m_model.Topology())->setChecked(true);
    if (m_floors->text().isEmpty()) {
        m_floors->setText(QString::number(m_model.Floors()));
        m_flats->setText(QString::number(m_model.Flats()));
    }
    m_updating = false;
    FillHeadendList();
}

void WizardDialog::FillHeadendList() {
    m_updating = true;
    m_headend->clear();
    for (int i = 1; i <= m_model.HeadendItemCount(); ++i) {
        m_headend->addItem(QString::number(i));
    }
    m_headend->setCurrentIndex(m_model.HeadendIndex());
    m_updating = false;
}

void WizardDialog::FillGrid() {
    m_updating = true;
    const int rows = m_model.GridRows();
    const int columns = m_model.GridColumns();
    m_grid->clear();
    m_grid->setRowCount(rows);
    m_grid->setColumnCount(columns);
    QStringList rowTitles;
    for (int row = 0; row < rows; ++row) {
        rowTitles << Qs(WizardModel::RowTitle(rows, row));
    }
    QStringList columnTitles;
    for (int column = 0; column < columns; ++column) {
        columnTitles << Qs(WizardModel::ColumnTitle(column));
    }
    m_grid->setVerticalHeaderLabels(rowTitles);
    m_grid->setHorizontalHeaderLabels(columnTitles);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            m_grid->setItem(row, column, new QTableWidgetItem(Qs(m_model.CellText(row, column))));
        }
    }
    m_grid->setCurrentCell(0, 0);
    m_updating = false;
}

int WizardDialog::PageShown() const {
    return m_pages->currentIndex();
}

void WizardDialog::ShowPage(WizardModel::Page page) {
    if (page == WizardModel::Page::First) {
        m_pages->setCurrentIndex(0);
        m_topology->button(m_model.Topology())->setChecked(true);
        m_back->setEnabled(false);
        m_next->setText(QStringLiteral("Next >"));
        return;
    }
    FillGrid();
    m_pages->setCurrentIndex(1);
    m_back->setEnabled(true);
    m_next->setText(QStringLiteral("Create >"));
    m_grid->setFocus();
}

void WizardDialog::ShowError(const std::string& message) {
    if (!message.empty()) {
        m_showError(Qs(message));
    }
}

void WizardDialog::FloorsLeft() {
    if (m_checking || m_pages->currentIndex() != 0) {
        return;
    }
    m_checking = true;
    const WizardModel::FieldCheck check = m_model.LeaveFloors(m_floors->text().toStdString());
    if (!check.accepted) {
        ShowError(check.message);
        m_rejectedFloors = m_floors->text();
        m_floors->selectAll();
        m_floors->setFocus();
    }
    m_checking = false;
}

void WizardDialog::FlatsLeft() {
    if (m_checking || m_pages->currentIndex() != 0) {
        return;
    }
    m_checking = true;
    const WizardModel::FieldCheck check = m_model.LeaveFlats(m_flats->text().toStdString());
    if (!check.accepted) {
        m_rejectedFlats = m_flats->text();
    }
    m_flats->setText(Qs(check.replacement));
    if (!check.accepted) {
        ShowError(check.message);
        m_flats->selectAll();
        m_flats->setFocus();
    }
    m_updating = true;
    m_topology->button(m_model.Topology())->setChecked(true);
    m_updating = false;
    m_checking = false;
}

void WizardDialog::GridCellMoved(int row, int column, int previousRow, int previousColumn) {
    if (m_updating || previousRow < 0 || previousColumn < 0) {
        return;
    }
    if (row == previousRow && column == previousColumn) {
        return;
    }
    if (!m_model.LeaveCell(previousRow, previousColumn)) {
        m_updating = true;
        m_grid->setCurrentCell(previousRow, previousColumn);
        m_updating = false;
    }
}

void WizardDialog::NextClicked() {
    if (m_pages->currentIndex() == 0) {
        // The edits are checked as when they are left; a message the leave check has just shown for
        // the same text is not shown twice (pressing Next leaves the edit first).
        const WizardModel::FieldCheck floors = m_model.LeaveFloors(m_floors->text().toStdString());
        if (!floors.accepted) {
            if (m_floors->text() != m_rejectedFloors) {
                ShowError(floors.message);
            }
            m_rejectedFloors.clear();
            m_floors->selectAll();
            m_floors->setFocus();
            return;
        }
        const WizardModel::FieldCheck flats = m_model.LeaveFlats(m_flats->text().toStdString());
        if (!flats.accepted) {
            if (m_flats->text() != m_rejectedFlats) {
                ShowError(flats.message);
            }
            m_rejectedFlats.clear();
            m_flats->setText(Qs(flats.replacement));
            m_flats->selectAll();
            m_flats->setFocus();
            return;
        }
    } else if (QWidget* editor = m_grid->focusWidget(); editor != nullptr && editor != m_grid) {
        // A cell being edited is committed first.
        editor->clearFocus();
    }
    const WizardModel::Outcome outcome =
        m_model.Next(m_floors->text().toStdString(), m_flats->text().toStdString());
    ShowError(outcome.message);
    switch (outcome.move) {
    case WizardModel::Move::Finish:
        accept();
        return;
    case WizardModel::Move::ShowGrid:
        ShowPage(WizardModel::Page::Grid);
        return;
    case WizardModel::Move::ShowFirst:
        ShowPage(WizardModel::Page::First);
        return;
    case WizardModel::Move::Stay:
        return;
    }
}

void WizardDialog::BackClicked() {
    if (m_model.Back().move == WizardModel::Move::ShowFirst) {
        ShowPage(WizardModel::Page::First);
    }
}

} // namespace ixo

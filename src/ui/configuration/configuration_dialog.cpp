#include "ui/configuration/configuration_dialog.h"

#include "ui/dialogs/decimal_field.h"
#include "ui/main/help_key.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace ixo {

namespace {

QString Qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

QLabel* Reason(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setStyleSheet(QStringLiteral("color: #b00000"));
    label->setWordWrap(true);
    return label;
}

} // namespace

ConfigurationDialog::ConfigurationDialog(const TalmacenElementos* store, const SettingsRecord& record,
                                         const TMatestructuranivel& limits, const std::string& directory,
                                         std::filesystem::path settingsFile, QWidget* parent)
    : QDialog(parent), m_rules(store, LocaleDecimalSeparator()), m_settingsFile(std::move(settingsFile)) {
    setObjectName(QStringLiteral("FConfig"));
    setWindowTitle(Qs(ConfigurationRules::kCaption));
    setFont(QFont(QStringLiteral("Arial"), 9));
    m_rules.Load(record, limits, directory);
    showError = [this](const QString& caption, const QString& text) {
        QMessageBox::critical(this, caption, text);
    };
    chooseDirectory = [this](const QString& start) {
        return QFileDialog::getExistingDirectory(this, QStringLiteral("Select project directory"), start);
    };

    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    layout->addWidget(m_pages);
    for (std::string_view name : ConfigurationRules::PageNames()) {
        auto* page = new QWidget(m_pages);
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->addLayout(new QFormLayout);
        m_pageWidgets.push_back(page);
        m_pages->addTab(page, Qs(name));
    }
    auto form = [this](ConfigurationRules::Page page) {
        return static_cast<QFormLayout*>(PageLayout(page)->itemAt(0)->layout());
    };

    // Number fields, each with the reason it is refused under it.
    const auto numbers = ConfigurationRules::NumberFields();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        QWidget* page = m_pageWidgets[static_cast<std::size_t>(numbers[i].page)];
        auto* edit = new QLineEdit(Qs(m_rules.NumberText(static_cast<int>(i))), page);
        edit->setObjectName(Qs(numbers[i].name));
        DecimalKeyFilter::Install(edit, QChar(LocaleDecimalSeparator()));
        edit->installEventFilter(this);
        m_numbers.push_back(edit);
        m_reasons.push_back(Reason(page));
        form(numbers[i].page)->addRow(Qs(numbers[i].caption), edit);
        form(numbers[i].page)->addRow(QString(), m_reasons.back());
    }

    // Catalogue fields: a read-only box whose button (or a double click) opens the explorer.
    const auto fields = ConfigurationRules::CatalogueFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        QWidget* page = m_pageWidgets[static_cast<std::size_t>(fields[i].page)];
        auto* row = new QWidget(page);
        auto* rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        auto* box = new QLineEdit(row);
        box->setReadOnly(true);
        box->setObjectName(Qs(fields[i].name));
        box->setMinimumWidth(220);
        box->installEventFilter(this);
        auto* button = new QToolButton(row);
        button->setText(QStringLiteral("..."));
        button->setObjectName(Qs(fields[i].name) + QStringLiteral("Button"));
        const int field = static_cast<int>(i);
        connect(button, &QToolButton::clicked, this, [this, field] { ChooseField(field); });
        rowLayout->addWidget(box, 1);
        rowLayout->addWidget(button);
        m_catalogue.push_back(box);
        form(fields[i].page)->addRow(Qs(fields[i].caption), row);
    }

    // Distribution: the power unit at the end of a cascade, and the cascade's end model.
    QWidget* distribution = m_pageWidgets[static_cast<std::size_t>(ConfigurationRules::Page::Distribution)];
    auto* powerBox = new QGroupBox(QStringLiteral("Power supply final cascade"), distribution);
    auto* powerLayout = new QHBoxLayout(powerBox);
    m_power = new QButtonGroup(this);
    for (const char* item : {"Power supply", "Power injector"}) {
        auto* radio = new QRadioButton(QString::fromLatin1(item), powerBox);
        m_power->addButton(radio, m_power->buttons().size());
        powerLayout->addWidget(radio);
    }
    connect(m_power, &QButtonGroup::idClicked, this, [this](int id) { m_rules.SetPowerAtCascadeEnd(id); });
    PageLayout(ConfigurationRules::Page::Distribution)->addWidget(powerBox);
    m_cascadeEndBox = new QGroupBox(QStringLiteral("Final switch in cascadable series"), distribution);
    new QHBoxLayout(m_cascadeEndBox);
    m_cascadeEnd = new QButtonGroup(this);
    connect(m_cascadeEnd, &QButtonGroup::idClicked, this, [this](int id) { m_rules.SetCascadeEnd(id); });
    PageLayout(ConfigurationRules::Page::Distribution)->addWidget(m_cascadeEndBox);

    // Headends: the terrestrial amplifier.
    m_terrestrial =
        new QCheckBox(QStringLiteral("Terrestrial signals distribution"),
                      m_pageWidgets[static_cast<std::size_t>(ConfigurationRules::Page::Headends)]);
    connect(m_terrestrial, &QCheckBox::toggled, this,
            [this](bool on) { m_rules.SetTerrestrialAmplifier(on); });
    PageLayout(ConfigurationRules::Page::Headends)->addWidget(m_terrestrial);

    // Levels: the outlet level limits.
    QWidget* levels = m_pageWidgets[static_cast<std::size_t>(ConfigurationRules::Page::Levels)];
    auto* gridLabel = new QLabel(QStringLiteral("Outlet levels"), levels);
    m_grid = new QTableWidget(static_cast<int>(m_rules.Limits().size()), 3, levels);
    m_grid->setObjectName(QStringLiteral("SGNTOMAS"));
    m_grid->setHorizontalHeaderLabels(
        {QStringLiteral("TYPE"), QStringLiteral("MIN (dBuV)"), QStringLiteral("MAX (dBuV)")});
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->setMaximumHeight(110);
    PageLayout(ConfigurationRules::Page::Levels)->insertWidget(0, m_grid);
    PageLayout(ConfigurationRules::Page::Levels)->insertWidget(0, gridLabel);
    connect(m_grid, &QTableWidget::cellChanged, this, &ConfigurationDialog::GridCellChanged);

    // Directories: the folder offered for projects.
    QWidget* folders = m_pageWidgets[static_cast<std::size_t>(ConfigurationRules::Page::Directories)];
    auto* folderRow = new QWidget(folders);
    auto* folderLayout = new QHBoxLayout(folderRow);
    folderLayout->setContentsMargins(0, 0, 0, 0);
    m_directory = new QLineEdit(folderRow);
    m_directory->setObjectName(QStringLiteral("BEDIR"));
    auto* browse = new QToolButton(folderRow);
    browse->setText(QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, [this] {
        const QString chosen = chooseDirectory(m_directory->text());
        if (!chosen.isEmpty()) {
            m_rules.SetDirectory(Utf8(chosen));
            m_directory->setText(Qs(m_rules.Directory()));
        }
    });
    folderLayout->addWidget(m_directory, 1);
    folderLayout->addWidget(browse);
    form(ConfigurationRules::Page::Directories)
        ->addRow(QStringLiteral("Initial project directory"), folderRow);

    for (QWidget* page : m_pageWidgets) {
        static_cast<QVBoxLayout*>(page->layout())->addStretch(1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ConfigurationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    ShowFields();
    InstallHelpKey(this);
}

QVBoxLayout* ConfigurationDialog::PageLayout(ConfigurationRules::Page page) {
    return static_cast<QVBoxLayout*>(m_pageWidgets[static_cast<std::size_t>(page)]->layout());
}

void ConfigurationDialog::ShowFields() {
    for (std::size_t i = 0; i < m_catalogue.size(); ++i) {
        m_catalogue[i]->setText(Qs(m_rules.FieldText(static_cast<int>(i))));
        m_catalogue[i]->setCursorPosition(0);
    }
    m_power->button(m_rules.PowerAtCascadeEnd())->setChecked(true);
    m_terrestrial->setChecked(m_rules.TerrestrialAmplifier());
    m_directory->setText(Qs(m_rules.Directory()));
    FillCascadeEnd();
    FillGrid();
}

void ConfigurationDialog::FillCascadeEnd() {
    for (QAbstractButton* button : m_cascadeEnd->buttons()) {
        m_cascadeEnd->removeButton(button);
        delete button;
    }
    const std::vector<std::string> items = m_rules.CascadeEndItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(Qs(items[i]), m_cascadeEndBox);
        m_cascadeEnd->addButton(radio, static_cast<int>(i));
        m_cascadeEndBox->layout()->addWidget(radio);
        radio->setChecked(static_cast<int>(i) == m_rules.CascadeEnd());
    }
}

void ConfigurationDialog::FillGrid() {
    m_filling = true;
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(Qs(m_rules.LimitText(static_cast<std::size_t>(row), column)));
            if (column == 0) {
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            }
            m_grid->setItem(row, column, item);
        }
    }
    m_filling = false;
}

void ConfigurationDialog::GridCellChanged(int row, int column) {
    if (m_filling || column == 0) {
        return;
    }
    const std::string text = Utf8(m_grid->item(row, column)->text());
    const auto check = m_rules.CheckLimitCell(static_cast<std::size_t>(row), column, text);
    if (check.valid) {
        static_cast<void>(m_rules.SetLimitCell(static_cast<std::size_t>(row), column, text));
    } else if (!check.message.empty()) {
        showError(QStringLiteral("Error"), Qs(check.message));
    }
    // A refused cell gets its previous value back; an accepted one shows one decimal.
    m_filling = true;
    m_grid->item(row, column)->setText(Qs(m_rules.LimitText(static_cast<std::size_t>(row), column)));
    m_filling = false;
}

void ConfigurationDialog::ChooseField(int field) {
    if (!chooseFromCatalogue) {
        return;
    }
    const auto& catalogueField = ConfigurationRules::CatalogueFields()[static_cast<std::size_t>(field)];
    const auto choice =
        chooseFromCatalogue(m_rules.Family(field), catalogueField.group, m_rules.Model(field));
    if (!choice) {
        return;
    }
    m_rules.Choose(field, choice->family, choice->model);
    ShowFields();
}

bool ConfigurationDialog::CheckNumber(int field) {
    const auto problem =
        m_rules.NumberProblem(field, Utf8(m_numbers[static_cast<std::size_t>(field)]->text()));
    m_reasons[static_cast<std::size_t>(field)]->setText(problem ? Qs(*problem) : QString());
    return !problem;
}

bool ConfigurationDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const auto number = std::find(m_numbers.begin(), m_numbers.end(), edit);
    if (number != m_numbers.end() && event->type() == QEvent::FocusOut && isVisible()) {
        // Leaving a refused number keeps the focus in it, its reason shown under it.
        const int field = static_cast<int>(number - m_numbers.begin());
        if (!CheckNumber(field)) {
            QTimer::singleShot(0, this, [this, edit] {
                if (isVisible() && result() == 0 && focusWidget() != edit) {
                    edit->selectAll();
                    edit->setFocus();
                }
            });
        }
    }
    const auto box = std::find(m_catalogue.begin(), m_catalogue.end(), edit);
    if (box != m_catalogue.end() && event->type() == QEvent::MouseButtonDblClick) {
        ChooseField(static_cast<int>(box - m_catalogue.begin()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ConfigurationDialog::accept() {
    std::vector<std::string> texts;
    for (QLineEdit* edit : m_numbers) {
        texts.push_back(Utf8(edit->text()));
    }
    m_rules.SetDirectory(Utf8(m_directory->text()));
    const auto refusal = m_rules.Write(m_settingsFile, texts);
    if (!refusal) {
        QDialog::accept();
        return;
    }
    if (refusal->field >= 0) {
        const std::size_t field = static_cast<std::size_t>(refusal->field);
        CheckNumber(refusal->field);
        m_pages->setCurrentIndex(static_cast<int>(ConfigurationRules::NumberFields()[field].page));
        m_numbers[field]->selectAll();
        m_numbers[field]->setFocus();
        return;
    }
    showError(QStringLiteral("Error"), Qs(refusal->message)); // the dialog stays open
}

} // namespace ixo

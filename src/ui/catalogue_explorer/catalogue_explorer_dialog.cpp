#include "ui/catalogue_explorer/catalogue_explorer_dialog.h"

#include "ui/main/help_key.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ixo {

namespace {

QTreeWidget* MakeList(const QString& header, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(1);
    list->setHeaderLabels({header});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setSectionsClickable(true);
    return list;
}

void Fill(QTreeWidget* list, const std::vector<QString>& texts, int selected) {
    list->clear();
    QList<QTreeWidgetItem*> items;
    for (const QString& text : texts) {
        items.append(new QTreeWidgetItem(QStringList{text}));
    }
    list->addTopLevelItems(items);
    if (selected >= 0 && selected < items.size()) {
        list->setCurrentItem(items[selected]);
        list->scrollToItem(items[selected]);
    } else {
        list->setCurrentItem(nullptr);
        list->clearSelection();
    }
}

int RowOf(QTreeWidget* list, QTreeWidgetItem* item) {
    return item != nullptr ? list->indexOfTopLevelItem(item) : -1;
}

} // namespace

CatalogueExplorerDialog::CatalogueExplorerDialog(const TCatalogo& catalogue, QWidget* parent)
    : QDialog(parent), m_model(catalogue) {
    setWindowTitle(QString::fromUtf8(CatalogueExplorerModel::kCaption));
    setObjectName(QStringLiteral("ExploraCan"));
    auto* layout = new QVBoxLayout(this);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_families = MakeList(QStringLiteral("Family"), m_splitter);
    m_families->setObjectName(QStringLiteral("L1"));
    m_families->setMinimumWidth(CatalogueExplorerModel::kFamilyPanelMinimum + 1);
    m_models = MakeList(QStringLiteral("Model"), m_splitter);
    m_models->setObjectName(QStringLiteral("L2"));
    m_splitter->addWidget(m_families);
    m_splitter->addWidget(m_models);
    m_splitter->setChildrenCollapsible(false);
    layout->addWidget(m_splitter, 1);
    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("LD"));
    m_description->setWordWrap(true);
    m_description->setFrameShape(QFrame::StyledPanel);
    m_description->setMinimumHeight(40);
    m_description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_description);
    auto* row = new QHBoxLayout;
    m_obsolete = new QCheckBox(QStringLiteral("View obsolete"), this);
    m_obsolete->setObjectName(QStringLiteral("CBobsoleto"));
    row->addWidget(m_obsolete);
    row->addStretch(1);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Ok"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    row->addWidget(buttons);
    layout->addLayout(row);
    resize(620, 420);
    ResetPanelWidths();

    connect(buttons, &QDialogButtonBox::accepted, this, &CatalogueExplorerDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CatalogueExplorerDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [] { RunHelpCommand(); });
    connect(m_families, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!m_showing) {
            m_model.ClickFamily(RowOf(m_families, item));
            ShowModels();
        }
    });
    connect(m_models, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!m_showing) {
            m_model.ClickModel(RowOf(m_models, item));
            ShowDescription();
        }
    });
    connect(m_families, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (m_model.DoubleClickFamily(RowOf(m_families, item))) {
            accept();
        }
    });
    connect(m_models, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (m_model.DoubleClickModel(RowOf(m_models, item))) {
            accept();
        }
    });
    connect(m_obsolete, &QCheckBox::toggled, this, [this](bool checked) {
        m_model.SetViewObsolete(checked);
        ShowFamilies();
    });
    for (QTreeWidget* list : {m_families, m_models}) {
        connect(list->header(), &QHeaderView::sectionDoubleClicked, this,
                &CatalogueExplorerDialog::ResetPanelWidths);
    }
    InstallHelpKey(this);
}

void CatalogueExplorerDialog::ResetPanelWidths() {
    const int total = std::max(m_splitter->width(), width() - 20);
    m_splitter->setSizes({CatalogueExplorerModel::kFamilyPanelWidth,
                          std::max(total - CatalogueExplorerModel::kFamilyPanelWidth, 1)});
}

void CatalogueExplorerDialog::Prepare(std::int32_t family, std::int32_t group, std::int32_t indice) {
    m_model.Start(family, group, indice);
    ShowFamilies();
}

int CatalogueExplorerDialog::Execute(std::int32_t family, std::int32_t group, std::int32_t indice) {
    Prepare(family, group, indice);
    return exec();
}

void CatalogueExplorerDialog::ShowFamilies() {
    m_showing = true;
    std::vector<QString> texts;
    for (const TSelFamilia& family : m_model.Families()) {
        texts.push_back(QString::fromStdString(family.NombreFamilia));
    }
    Fill(m_families, texts, m_model.SelectedFamily());
    m_showing = false;
    ShowModels();
}

void CatalogueExplorerDialog::ShowModels() {
    m_showing = true;
    std::vector<QString> texts;
    for (const TselElemento& model : m_model.Models()) {
        texts.push_back(QString::fromStdString(model.Modelo));
    }
    Fill(m_models, texts, m_model.SelectedModel());
    m_showing = false;
    ShowDescription();
}

void CatalogueExplorerDialog::ShowDescription() {
    m_description->setText(QString::fromStdString(m_model.Description()));
}

void CatalogueExplorerDialog::accept() {
    m_model.Accept();
    QDialog::accept();
}

} // namespace ixo

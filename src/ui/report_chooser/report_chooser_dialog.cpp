#include "ui/report_chooser/report_chooser_dialog.h"

#include "ui/main/help_key.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace ixo {

namespace {

QString Qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A 32 x 32 page: ruled lines for the list of materials, a level bar chart for the outlet levels.
QIcon ReportIcon(int index) {
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.setBrush(Qt::white);
    painter.drawRect(5, 1, 22, 30);
    if (index == 0) {
        painter.setPen(QColor(0x20, 0x40, 0xa0));
        for (int y = 6; y < 28; y += 4) {
            painter.drawLine(8, y, 24, y);
        }
    } else {
        const int heights[] = {10, 16, 8, 20, 14};
        for (int i = 0; i < 5; ++i) {
            painter.fillRect(8 + i * 4, 28 - heights[i], 3, heights[i],
                             heights[i] > 18 ? QColor(0xc0, 0x20, 0x20) : QColor(0x20, 0x90, 0x30));
        }
    }
    return QIcon(picture);
}

} // namespace

ReportChooserDialog::ReportChooserDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Qs(ReportChooserRules::kCaption));
    auto* layout = new QVBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(32, 32));
    m_list->setGridSize(QSize(120, 72));
    m_list->setMovement(QListView::Static);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setWordWrap(true);
    const auto names = ReportChooserRules::Names();
    for (std::size_t i = 0; i < names.size(); ++i) {
        m_list->addItem(new QListWidgetItem(ReportIcon(static_cast<int>(i)), Qs(names[i])));
    }
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("Ok"));
    m_ok->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (m_rules.CanAccept()) {
            accept();
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_rules.Select(m_list->currentItem() != nullptr && m_list->currentItem()->isSelected() ? row : -1);
        m_ok->setEnabled(m_rules.CanAccept());
    });
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const auto selected = m_list->selectedItems();
        m_rules.Select(selected.isEmpty() ? -1 : m_list->row(selected.first()));
        m_ok->setEnabled(m_rules.CanAccept());
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (m_rules.DoubleClick(m_list->row(item))) {
            accept();
        }
    });
    m_list->setCurrentRow(0);
    resize(320, 200);
    InstallHelpKey(this);
}

} // namespace ixo

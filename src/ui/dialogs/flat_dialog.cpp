#include "ui/dialogs/flat_dialog.h"

#include "ui/main/help_key.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ixo {

FlatDialog::FlatDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromStdString(m_model.Caption()));
    setFixedWidth(290);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_outlets = new QComboBox(this);
    for (int i = 1; i <= FlatDialogModel::kOutletItems; ++i) {
        m_outlets->addItem(QString::number(i));
    }
    m_distribution = new QComboBox(this);
    m_distribution->addItems({QStringLiteral("STAR"), QStringLiteral("CASCADE")});
    m_name = new QLineEdit(this);
    m_name->setMaxLength(static_cast<int>(FlatDialogModel::kMaxNameLength));
    m_all = new QCheckBox(QStringLiteral("Change all apartments"), this);
    form->addRow(QStringLiteral("Number of outlets"), m_outlets);
    form->addRow(QStringLiteral("Distribution configuration"), m_distribution);
    form->addRow(QStringLiteral("Caption"), m_name);
    layout->addLayout(form);
    layout->addWidget(m_all);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Ok"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true); // Return takes the dialog
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &FlatDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FlatDialog::reject);
    InstallHelpKey(this);
}

void FlatDialog::SetFlat(const Tvivienda& flat) {
    m_model.SetFlat(flat);
    ShowModel();
}

void FlatDialog::SetFlat(std::string_view name, std::int32_t outlets, std::int32_t distribution) {
    m_model.SetFlat(name, outlets, distribution);
    ShowModel();
}

void FlatDialog::ShowModel() {
    setWindowTitle(QString::fromStdString(m_model.Caption()));
    m_outlets->setCurrentIndex(m_model.OutletsIndex());
    m_distribution->setCurrentIndex(m_model.DistributionIndex());
    m_name->setText(QString::fromStdString(m_model.Name()));
    m_all->setChecked(m_model.ApplyToAll());
}

void FlatDialog::accept() {
    m_model.ChooseOutlets(m_outlets->currentIndex());
    m_model.ChooseDistribution(m_distribution->currentIndex());
    m_model.SetName(m_name->text().toStdString());
    m_model.SetApplyToAll(m_all->isChecked());
    const std::optional<FlatDialogModel::Choice> choice = m_model.Accept();
    if (!choice.has_value()) {
        // Nothing to hand back yet: the missing choice gets the focus.
        (m_model.OutletsIndex() < 0 ? m_outlets : m_distribution)->setFocus();
        return;
    }
    m_result = *choice;
    QDialog::accept();
}

} // namespace ixo

#include "ui/project/standard_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace ixo {

StandardDialog::StandardDialog(QWidget* parent, const Tproyecto& project)
    : QDialog(parent), m_choice(project) {
    setWindowTitle(QStringLiteral("Standard and signal quality"));
    auto* form = new QFormLayout;
    m_standard = new QComboBox(this);
    for (const std::string& choice : m_choice.Choices()) {
        m_standard->addItem(QString::fromStdString(choice));
    }
    m_standard->setCurrentIndex(m_choice.Selected());
    m_window = new QLabel(QString::fromStdString(m_choice.WindowText()), this);
    m_window->setWordWrap(true);
    m_antenna = new QLineEdit(QString::fromStdString(m_choice.AntennaLevelText()), this);
    m_lnb = new QLineEdit(QString::fromStdString(m_choice.LnbCnText()), this);
    form->addRow(QStringLiteral("Standard:"), m_standard);
    form->addRow(QString(), m_window);
    form->addRow(QStringLiteral("Terrestrial level at the antenna (dBµV):"), m_antenna);
    form->addRow(QStringLiteral("C/N at the LNB output (dB):"), m_lnb);
    auto* bands = new QHBoxLayout;
    for (std::size_t band = 0; band < StandardChoice::kLnbBands; ++band) {
        m_lnbBands[band] = new QLineEdit(QString::fromStdString(m_choice.LnbCnBandText(band)), this);
        m_lnbBands[band]->setToolTip(
            QString::fromStdString("C/N at the LNB output at " + StandardChoice::LnbBandName(band)));
        bands->addWidget(new QLabel(QString::fromStdString(StandardChoice::LnbBandName(band) + ":"), this));
        bands->addWidget(m_lnbBands[band]);
    }
    form->addRow(QStringLiteral("per IF band (dB):"), bands);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_standard, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_choice.Select(index);
        m_window->setText(QString::fromStdString(m_choice.WindowText()));
    });
    connect(m_antenna, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_choice.SetAntennaLevelText(text.toStdString()); });
    // The single figure fills the four bands; a band edited afterwards keeps its own figure.
    connect(m_lnb, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_choice.SetLnbCnText(text.toStdString());
        for (QLineEdit* band : m_lnbBands) {
            band->setText(text);
        }
    });
    for (std::size_t band = 0; band < StandardChoice::kLnbBands; ++band) {
        connect(m_lnbBands[band], &QLineEdit::textChanged, this,
                [this, band](const QString& text) { m_choice.SetLnbCnBandText(band, text.toStdString()); });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void StandardDialog::done(int result) {
    if (result == QDialog::Accepted) {
        if (const auto problem = m_choice.Problem()) {
            QMessageBox::critical(this, QStringLiteral("Error"), QString::fromStdString(*problem));
            return;
        }
    }
    QDialog::done(result);
}

} // namespace ixo

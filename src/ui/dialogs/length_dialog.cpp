#include "ui/dialogs/length_dialog.h"

#include "ui/dialogs/decimal_field.h"
#include "ui/main/help_key.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ixo {

namespace {

QString Qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

LengthDialog::LengthDialog(QWidget* parent) : QDialog(parent), m_model(LocaleDecimalSeparator()) {
    setWindowTitle(Qs(LengthDialogModel::kCaption));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_edit = new QLineEdit(this);
    DecimalKeyFilter::Install(m_edit, QChar(m_model.DecimalSeparator()));
    m_edit->installEventFilter(this);
    row->addWidget(new QLabel(Qs(LengthDialogModel::kLabel), this));
    row->addWidget(m_edit);
    row->addWidget(new QLabel(Qs(LengthDialogModel::kUnit), this));
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Ok"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &LengthDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LengthDialog::reject);
    InstallHelpKey(this);
    m_edit->setFocus();
}

void LengthDialog::SetLength(double metres) {
    m_model.SetLength(metres);
    m_edit->setText(QString::fromStdString(m_model.Text()));
}

void LengthDialog::Refuse() {
    m_edit->selectAll();
    m_edit->setFocus();
}

bool LengthDialog::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the edit with a text that is not a length brings the focus back (Cancel still works: it
    // takes no focus from the edit's check).
    if (watched == m_edit && event->type() == QEvent::FocusOut && isVisible()) {
        m_model.SetText(m_edit->text().toStdString());
        if (!m_model.Leave()) {
            QTimer::singleShot(0, this, [this] {
                if (isVisible() && focusWidget() != m_edit && result() == 0) {
                    Refuse();
                }
            });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void LengthDialog::accept() {
    m_model.SetText(m_edit->text().toStdString());
    if (!m_model.Accept().has_value()) {
        Refuse();
        return;
    }
    QDialog::accept();
}

} // namespace ixo

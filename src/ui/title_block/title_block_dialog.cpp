#include "ui/title_block/title_block_dialog.h"

#include "ui/dialogs/decimal_field.h"
#include "ui/main/help_key.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace ixo {

namespace {

QString Qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFrame* Rule(QWidget* parent, int left, int top, int width) {
    auto* rule = new QFrame(parent);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(left, top, width, 2);
    return rule;
}

} // namespace

TitleBlockDialog::TitleBlockDialog(const TitleBlock& entry, QWidget* parent)
    : QDialog(parent), m_rules(LocaleDecimalSeparator()) {
    m_rules.SetEntry(entry);
    setWindowTitle(Qs(TitleBlockRules::kCaption));
    setFixedSize(500, 260);
    // The texts the sheet prints, in the sheet's face.
    setFont(QFont(QStringLiteral("Arial"), 9));

    // The cells, placed as on the title block, in a bevelled frame.
    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 8, 481, 185);
    Rule(this, 16, 70, 360);
    Rule(this, 384, 70, 97);
    Rule(this, 16, 129, 139);
    auto* logo = new QLabel(QStringLiteral("Ixo"), this);
    logo->setAlignment(Qt::AlignCenter);
    logo->setFont(QFont(QStringLiteral("Arial"), 20, QFont::Bold));
    logo->setGeometry(16, 136, 139, 43);
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        const TitleBlockCell& cell = TitleBlockRules::Cells()[i];
        auto* edit = new QLineEdit(Qs(m_rules.Texts()[i]), this);
        edit->setGeometry(cell.left, cell.top, cell.width, TitleBlockRules::kCellHeight);
        // Captions stay editable but Tab passes them by.
        edit->setFocusPolicy(cell.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
        edit->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        m_cells[i] = edit;
    }
    for (std::size_t i = 1; i < m_cells.size(); ++i) {
        setTabOrder(m_cells[i - 1], m_cells[i]);
    }

    auto* size = new QGroupBox(QStringLiteral("Size"), this);
    size->setGeometry(8, 192, 153, 61);
    auto addSize = [&](int left, const QString& label, const std::string& text) {
        (new QLabel(label, size))->setGeometry(left, 16, 70, 16);
        auto* box = new QLineEdit(Qs(text), size);
        box->setGeometry(left, 32, 41, 21);
        (new QLabel(QStringLiteral("mm."), size))->setGeometry(left + 44, 34, 26, 16);
        DecimalKeyFilter::Install(box, QChar(m_rules.DecimalSeparator()));
        box->installEventFilter(this);
        return box;
    };
    m_width = addSize(8, QStringLiteral("Width"), m_rules.WidthText());
    m_height = addSize(80, QStringLiteral("Height"), m_rules.HeightText());
    m_width->setObjectName(QStringLiteral("Eancho"));
    m_height->setObjectName(QStringLiteral("Ealto"));

    m_visible = new QCheckBox(QStringLiteral("Visible"), this);
    m_visible->setGeometry(168, 200, 120, 17);
    m_visible->setChecked(m_rules.Visible());

    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setGeometry(336, 224, 75, 25);
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setGeometry(416, 224, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TitleBlockDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &TitleBlockDialog::reject);
    InstallHelpKey(this);
}

void TitleBlockDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_cells[1]->setFocus(); // the author
}

bool TitleBlockDialog::eventFilter(QObject* watched, QEvent* event) {
    // Leaving a size box that holds no number selects it and brings the focus back, without a message.
    auto* box = qobject_cast<QLineEdit*>(watched);
    if ((box == m_width || box == m_height) && event->type() == QEvent::FocusOut && isVisible() &&
        !m_rules.SizeTextAccepted(box->text().toStdString())) {
        QTimer::singleShot(0, this, [this, box] {
            if (isVisible() && result() == 0 && focusWidget() != box) {
                box->selectAll();
                box->setFocus();
            }
        });
    }
    return QDialog::eventFilter(watched, event);
}

void TitleBlockDialog::Take() {
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        m_rules.SetText(i, m_cells[i]->text().toStdString());
    }
    m_rules.SetWidthText(m_width->text().toStdString());
    m_rules.SetHeightText(m_height->text().toStdString());
    m_rules.SetVisible(m_visible->isChecked());
}

void TitleBlockDialog::accept() {
    Take();
    QDialog::accept();
}

} // namespace ixo

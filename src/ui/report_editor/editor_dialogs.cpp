#include "ui/report_editor/editor_dialogs.h"

#include "render/text_document_writer.h"
#include "ui/main/help_key.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace ixo {

namespace {

QString Qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Ok"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

// The insert-table boxes take digits, "-" and control keys other than Enter.
class TableSizeKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            if (!text.isEmpty() && !InsertTableRules::KeyAccepted(text.at(0).unicode())) {
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

QComboBox* SizeBox(QWidget* parent, int count) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    for (int i = 1; i <= count; ++i) {
        box->addItem(QString::number(i));
    }
    box->setCurrentText(Qs(InsertTableRules::kInitial));
    box->lineEdit()->installEventFilter(new TableSizeKeys(box));
    return box;
}

QDoubleSpinBox* Spin(QWidget* parent, double minimum, double maximum, double value, int decimals,
                     const QString& suffix) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setRange(minimum, maximum);
    spin->setDecimals(decimals);
    spin->setValue(value);
    spin->setSuffix(suffix);
    return spin;
}

constexpr double kPixelsPerMm = TextDocumentWriter::kPixelsPerCm / 10.0;
constexpr double kPixelsPerPoint = 96.0 / 72.0;

} // namespace

InsertTableDialog::InsertTableDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Insert table"));
    auto* form = new QFormLayout(this);
    m_columns = SizeBox(this, InsertTableRules::kMaxColumns);
    m_rows = SizeBox(this, InsertTableRules::kMaxRows);
    form->addRow(QStringLiteral("Columns"), m_columns);
    form->addRow(QStringLiteral("Rows"), m_rows);
    form->addRow(OkCancel(this));
    InstallHelpKey(this);
}

std::optional<InsertTableRules::Size> InsertTableDialog::Size() const {
    return InsertTableRules::Accept(m_columns->currentText().toStdString(),
                                    m_rows->currentText().toStdString());
}

ParagraphDialog::ParagraphDialog(const QTextBlockFormat& format, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Paragraph"));
    auto* form = new QFormLayout(this);
    m_alignment = new QComboBox(this);
    m_alignment->addItem(QStringLiteral("Left"), int(Qt::AlignLeft));
    m_alignment->addItem(QStringLiteral("Right"), int(Qt::AlignRight));
    m_alignment->addItem(QStringLiteral("Centred"), int(Qt::AlignHCenter));
    m_alignment->addItem(QStringLiteral("Justified"), int(Qt::AlignJustify));
    const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
    const int index = m_alignment->findData(int(horizontal == Qt::AlignLeading ? Qt::AlignLeft : horizontal));
    m_alignment->setCurrentIndex(std::max(0, index));
    const QString mm = QStringLiteral(" mm");
    const QString pt = QStringLiteral(" pt");
    m_left = Spin(this, 0, 200, format.leftMargin() / kPixelsPerMm, 1, mm);
    m_right = Spin(this, 0, 200, format.rightMargin() / kPixelsPerMm, 1, mm);
    m_above = Spin(this, 0, 200, format.topMargin() / kPixelsPerPoint, 1, pt);
    m_below = Spin(this, 0, 200, format.bottomMargin() / kPixelsPerPoint, 1, pt);
    form->addRow(QStringLiteral("Alignment"), m_alignment);
    form->addRow(QStringLiteral("Indent left"), m_left);
    form->addRow(QStringLiteral("Indent right"), m_right);
    form->addRow(QStringLiteral("Space above"), m_above);
    form->addRow(QStringLiteral("Space below"), m_below);
    form->addRow(OkCancel(this));
    InstallHelpKey(this);
}

QTextBlockFormat ParagraphDialog::Format() const {
    QTextBlockFormat format;
    format.setAlignment(Qt::Alignment(m_alignment->currentData().toInt()));
    format.setLeftMargin(m_left->value() * kPixelsPerMm);
    format.setRightMargin(m_right->value() * kPixelsPerMm);
    format.setTopMargin(m_above->value() * kPixelsPerPoint);
    format.setBottomMargin(m_below->value() * kPixelsPerPoint);
    return format;
}

TableFormatDialog::TableFormatDialog(const QTextTableFormat& format, int columns, QWidget* parent)
    : QDialog(parent), m_format(format) {
    setWindowTitle(QStringLiteral("Table"));
    auto* form = new QFormLayout(this);
    const QList<QTextLength> widths = format.columnWidthConstraints();
    // A cell with its own frame is its column less the two borders; the user sets the column.
    const double frames = format.borderCollapse() ? 0.0 : 2 * format.border();
    for (int c = 0; c < columns; ++c) {
        double cm = 0;
        if (c < widths.size() && widths[c].type() == QTextLength::FixedLength) {
            cm = (widths[c].rawValue() + frames) / TextDocumentWriter::kPixelsPerCm;
        }
        auto* spin = Spin(this, 0, 30, cm, 2, QStringLiteral(" cm"));
        spin->setSpecialValueText(QStringLiteral("as needed"));
        m_widths.push_back(spin);
        form->addRow(QStringLiteral("Column %1").arg(c + 1), spin);
    }
    m_padding = Spin(this, 0, 20, format.cellPadding() / kPixelsPerPoint, 1, QStringLiteral(" pt"));
    form->addRow(QStringLiteral("Cell padding"), m_padding);
    m_grid = new QComboBox(this);
    m_grid->addItems({QStringLiteral("No grid lines"), QStringLiteral("Grid lines")});
    m_grid->setCurrentIndex(format.border() > 0 ? 1 : 0);
    form->addRow(QStringLiteral("Lines"), m_grid);
    form->addRow(OkCancel(this));
    InstallHelpKey(this);
}

QTextTableFormat TableFormatDialog::Format() const {
    QTextTableFormat format = m_format;
    const bool grid = m_grid->currentIndex() == 1;
    // Grid lines are each cell's own frame (see TextDocumentWriter::InsertarTabla), one border on
    // either side of the cell inside its column.
    const double frames = grid ? 2.0 : 0.0;
    QList<QTextLength> widths;
    for (const QDoubleSpinBox* spin : m_widths) {
        widths << (spin->value() > 0
                       ? QTextLength(QTextLength::FixedLength,
                                     std::max(1.0, spin->value() * TextDocumentWriter::kPixelsPerCm - frames))
                       : QTextLength());
    }
    format.setColumnWidthConstraints(widths);
    format.setCellPadding(m_padding->value() * kPixelsPerPoint);
    format.setBorder(grid ? 1 : 0);
    format.setBorderStyle(grid ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None);
    format.setCellSpacing(grid ? 0 : format.cellSpacing());
    format.setBorderCollapse(false);
    return format;
}

EditorPageSetupDialog::EditorPageSetupDialog(const EditorPageSetup& setup, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Page setup"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const int values[] = {setup.width, setup.height, setup.left, setup.top, setup.right, setup.bottom};
    const char* labels[] = {"Width", "Height", "Left margin", "Top margin", "Right margin", "Bottom margin"};
    for (int i = 0; i < 6; ++i) {
        auto* spin = Spin(this, i < 2 ? 10 : 0, 2000, values[i] / 100.0, 1, QStringLiteral(" mm"));
        m_boxes.push_back(spin);
        form->addRow(QString::fromLatin1(labels[i]), spin);
    }
    layout->addLayout(form);
    m_problem = new QLabel(this);
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    layout->addWidget(m_problem);
    layout->addWidget(OkCancel(this));
    InstallHelpKey(this);
}

EditorPageSetup EditorPageSetupDialog::Setup() const {
    auto hundredths = [this](int i) {
        return static_cast<int>(std::lround(m_boxes[static_cast<std::size_t>(i)]->value() * 100.0));
    };
    return {hundredths(0), hundredths(1), hundredths(2), hundredths(3), hundredths(4), hundredths(5)};
}

void EditorPageSetupDialog::accept() {
    if (const auto problem = ReportEditorRules::PageSetupProblem(Setup())) {
        m_problem->setText(Qs(*problem));
        return;
    }
    QDialog::accept();
}

} // namespace ixo

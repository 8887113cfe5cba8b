#include "ui/report_editor/report_editor_window.h"

#include "common/file_replace.h"
#include "render/odf_text_reader.h"
#include "render/report_export.h"
#include "render/text_document_writer.h"
#include "ui/main/help_key.h"
#include "ui/main/splash_window.h"
#include "ui/report_editor/editor_dialogs.h"
#include "ui/report_editor/report_view.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFontDialog>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QTimer>
#include <QToolBar>

namespace ixo {

namespace {

QString Qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

std::filesystem::path PathOf(const QString& file) {
    return std::filesystem::path(Utf8(file));
}

QMessageBox::StandardButton Ask(QWidget* parent, const QString& name) {
    return QMessageBox::question(
        parent, Qs(ReportEditorRules::kCaption),
        QStringLiteral("Save the changes to %1?").arg(name.isEmpty() ? "the document" : name),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

// The selection on the clipboard, as rich text and as plain text.
void CopySelection(const QTextCursor& cursor) {
    if (!cursor.hasSelection()) {
        return;
    }
    const QTextDocumentFragment fragment = cursor.selection();
    auto* data = new QMimeData;
    data->setHtml(fragment.toHtml());
    data->setText(fragment.toPlainText());
    QApplication::clipboard()->setMimeData(data);
}

} // namespace

ReportEditorWindow::ReportEditorWindow(QWidget* parent)
    : QMainWindow(parent), m_writer(std::make_unique<TextDocumentWriter>()) {
    setObjectName(QStringLiteral("Editor"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // The report's face everywhere in the editor: the sheet's "Arial" and its substitute.
    setFont(QFont(QStringLiteral("Arial"), 9));
    m_view = new ReportView(this);
    setCentralWidget(m_view);
    m_view->zoomChanged = [this](int) { UpdateCommands(); };

    askSave = [this](const QString& name) {
        switch (Ask(this, name)) {
        case QMessageBox::Yes:
            return SaveAnswer::Yes;
        case QMessageBox::No:
            return SaveAnswer::No;
        default:
            return SaveAnswer::Cancel;
        }
    };
    chooseSaveFile = [this](const QString& caption, const QString& filter, QString* chosen) {
        return QFileDialog::getSaveFileName(this, caption, QFileInfo(m_name).absolutePath(), filter, chosen);
    };
    chooseOpenFile = [this] {
        return QFileDialog::getOpenFileName(this, Qs(ReportEditorRules::kOpenCaption),
                                            QFileInfo(m_name).absolutePath(),
                                            Qs(ReportEditorRules::OpenFilter()));
    };
    showError = [this](const QString& caption, const QString& text) {
        QMessageBox::critical(this, caption, text);
    };
    askPrinter = [this](QPrinter& printer, int pages, int& first, int& last) {
        QPrintDialog dialog(&printer, this);
        dialog.setMinMax(1, pages);
        dialog.setFromTo(1, pages);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        first = dialog.printRange() == QAbstractPrintDialog::PageRange ? dialog.fromPage() : 1;
        last = dialog.printRange() == QAbstractPrintDialog::PageRange ? dialog.toPage() : 0;
        return true;
    };

    MakeMenus();
    MakeToolBars();
    m_page = new QLabel(this);
    m_zoomLabel = new QLabel(this);
    statusBar()->addWidget(m_page);
    statusBar()->addPermanentWidget(m_zoomLabel);
    InstallHelpKey(this);

    Take(std::make_unique<TextDocumentWriter>(), QString());
    ApplyPageSetup(m_setup);
    // The commands follow the selection and the history as the window's actions are updated.
    m_idle = new QTimer(this);
    m_idle->setInterval(200);
    connect(m_idle, &QTimer::timeout, this, [this] { UpdateCommands(); });
    m_idle->start();
    resize(900, 1000);
}

ReportEditorWindow::~ReportEditorWindow() {
    // The view shows the writer's document: it goes first, while the document is still there.
    m_idle->stop();
    delete m_view;
    m_view = nullptr;
}

QAction* ReportEditorWindow::MakeAction(const char* name, const QString& caption,
                                        const QKeySequence& shortcut) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    m_actions[action->objectName()] = action;
    return action;
}

QAction* ReportEditorWindow::Action(const QString& name) const {
    const auto found = m_actions.find(name);
    return found == m_actions.end() ? nullptr : found->second;
}

void ReportEditorWindow::MakeMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(MakeAction("Open", QStringLiteral("&Open..."), QKeySequence::Open));
    file->addAction(MakeAction("Save", QStringLiteral("&Save"), QKeySequence::Save));
    file->addAction(MakeAction("SaveAs", QStringLiteral("Save &as...")));
    file->addAction(MakeAction("ExportPdf", QStringLiteral("&Export PDF...")));
    file->addSeparator();
    file->addAction(MakeAction("Print", QStringLiteral("&Print..."), QKeySequence::Print));
    file->addAction(MakeAction("PageSetup", QStringLiteral("Page set&up...")));
    file->addSeparator();
    file->addAction(MakeAction("Exit", QStringLiteral("E&xit")));
    connect(Action("Open"), &QAction::triggered, this, [this] { Open(); });
    connect(Action("Save"), &QAction::triggered, this, [this] { Save(); });
    connect(Action("SaveAs"), &QAction::triggered, this, [this] { SaveAs(); });
    connect(Action("ExportPdf"), &QAction::triggered, this, [this] { ExportPdfAs(); });
    connect(Action("Print"), &QAction::triggered, this, [this] { Print(); });
    connect(Action("PageSetup"), &QAction::triggered, this, [this] { SetUpPage(); });
    connect(Action("Exit"), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(MakeAction("Undo", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z)));
    edit->addAction(
        MakeAction("Redo", QStringLiteral("&Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
    edit->addSeparator();
    edit->addAction(MakeAction("Cut", QStringLiteral("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X)));
    edit->addAction(MakeAction("Copy", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C)));
    edit->addAction(MakeAction("Paste", QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V)));
    edit->addAction(MakeAction("SelectAll", QStringLiteral("Select &All"), QKeySequence::SelectAll));
    for (const char* name : {"Undo", "Redo", "Cut", "Copy", "Paste", "SelectAll"}) {
        // The text item hears these keys itself while it has the focus.
        Action(QString::fromLatin1(name))->setShortcutContext(Qt::WidgetShortcut);
    }
    connect(Action("Undo"), &QAction::triggered, this, [this] { m_view->Document()->undo(); });
    connect(Action("Redo"), &QAction::triggered, this, [this] { m_view->Document()->redo(); });
    connect(Action("Cut"), &QAction::triggered, this, [this] {
        QTextCursor cursor = m_view->TextCursor();
        if (cursor.hasSelection()) {
            CopySelection(cursor);
            cursor.removeSelectedText();
        }
    });
    connect(Action("Copy"), &QAction::triggered, this, [this] { CopySelection(m_view->TextCursor()); });
    connect(Action("Paste"), &QAction::triggered, this, [this] {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        if (data == nullptr) {
            return;
        }
        QTextCursor cursor = m_view->TextCursor();
        if (data->hasHtml()) {
            cursor.insertFragment(QTextDocumentFragment::fromHtml(data->html(), m_view->Document()));
        } else if (data->hasText()) {
            cursor.insertText(data->text());
        }
        m_view->SetTextCursor(cursor);
    });
    connect(Action("SelectAll"), &QAction::triggered, this, [this] {
        QTextCursor cursor(m_view->Document());
        cursor.select(QTextCursor::Document);
        m_view->SetTextCursor(cursor);
    });

    QMenu* insert = menuBar()->addMenu(QStringLiteral("&Insert"));
    insert->addAction(MakeAction("InsertTable", QStringLiteral("&Table...")));
    connect(Action("InsertTable"), &QAction::triggered, this, [this] { InsertTable(); });

    QMenu* format = menuBar()->addMenu(QStringLiteral("For&mat"));
    format->addAction(MakeAction("Character", QStringLiteral("&Character...")));
    format->addAction(MakeAction("Paragraph", QStringLiteral("&Paragraph...")));
    format->addAction(MakeAction("Table", QStringLiteral("&Table...")));
    connect(Action("Character"), &QAction::triggered, this, [this] { FormatCharacter(); });
    connect(Action("Paragraph"), &QAction::triggered, this, [this] { FormatParagraph(); });
    connect(Action("Table"), &QAction::triggered, this, [this] { FormatTable(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(MakeAction("About", QStringLiteral("About Ixo")));
    connect(Action("About"), &QAction::triggered, this, [this] {
        SplashWindow about(this, true);
        about.exec();
    });
}

void ReportEditorWindow::MakeToolBars() {
    QToolBar* bar = addToolBar(QStringLiteral("Format"));
    bar->setObjectName(QStringLiteral("FormatBar"));
    m_font = new QFontComboBox(bar);
    bar->addWidget(m_font);
    connect(m_font, &QFontComboBox::textActivated, this, [this](const QString& family) {
        QTextCharFormat format;
        format.setFontFamilies({family});
        MergeCharFormat(format);
    });
    m_size = new QComboBox(bar);
    m_size->setEditable(true);
    for (int size : {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 36, 48, 72}) {
        m_size->addItem(QString::number(size));
    }
    bar->addWidget(m_size);
    connect(m_size, &QComboBox::textActivated, this, [this](const QString& text) {
        const double size = text.toDouble();
        if (size > 0 && size <= 400) {
            QTextCharFormat format;
            format.setFontPointSize(size);
            MergeCharFormat(format);
        }
    });
    auto toggle = [&](const char* name, const QString& caption, QKeySequence key, auto apply) {
        QAction* action = MakeAction(name, caption, key);
        action->setCheckable(true);
        QFont face = action->font();
        bar->addAction(action);
        connect(action, &QAction::triggered, this, [this, apply](bool on) {
            QTextCharFormat format;
            apply(format, on);
            MergeCharFormat(format);
        });
        return face;
    };
    toggle("Bold", QStringLiteral("B"), QKeySequence::Bold,
           [](QTextCharFormat& f, bool on) { f.setFontWeight(on ? QFont::Bold : QFont::Normal); });
    toggle("Italic", QStringLiteral("I"), QKeySequence::Italic,
           [](QTextCharFormat& f, bool on) { f.setFontItalic(on); });
    toggle("Underline", QStringLiteral("U"), QKeySequence::Underline,
           [](QTextCharFormat& f, bool on) { f.setFontUnderline(on); });
    toggle("Strike", QStringLiteral("S"), QKeySequence(),
           [](QTextCharFormat& f, bool on) { f.setFontStrikeOut(on); });
    bar->addSeparator();
    for (const auto& [name, caption, alignment] :
         {std::tuple{"AlignLeft", QStringLiteral("Left"), Qt::AlignLeft},
          std::tuple{"AlignCentre", QStringLiteral("Centre"), Qt::AlignHCenter},
          std::tuple{"AlignRight", QStringLiteral("Right"), Qt::AlignRight}}) {
        QAction* action = MakeAction(name, caption);
        bar->addAction(action);
        const Qt::Alignment align = alignment;
        connect(action, &QAction::triggered, this, [this, align] {
            QTextCursor cursor = m_view->TextCursor();
            QTextBlockFormat format;
            format.setAlignment(align);
            cursor.mergeBlockFormat(format);
        });
    }
    bar->addSeparator();
    m_zoom = new QComboBox(bar);
    m_zoom->setEditable(true);
    m_zoom->setObjectName(QStringLiteral("Zoom"));
    for (int percent : {25, 50, 75, 100, 150, 200, 300, 400}) {
        m_zoom->addItem(QStringLiteral("%1 %").arg(percent));
    }
    bar->addWidget(m_zoom);
    connect(m_zoom, &QComboBox::textActivated, this, [this](const QString& text) {
        if (const auto zoom = ReportEditorRules::ZoomFromText(Utf8(text))) {
            m_view->SetZoom(*zoom);
        }
        m_view->setFocus(); // Enter moves on to the document
    });

    // The margins of the page, in millimetres: the equivalent of a ruler's margin marks.
    QToolBar* margins = addToolBar(QStringLiteral("Margins"));
    margins->setObjectName(QStringLiteral("MarginsBar"));
    const char* labels[] = {"Left", "Top", "Right", "Bottom"};
    for (const char* label : labels) {
        margins->addWidget(new QLabel(QStringLiteral(" %1 ").arg(QString::fromLatin1(label)), margins));
        auto* spin = new QDoubleSpinBox(margins);
        spin->setRange(0, ReportEditorRules::kMaxMarginMm);
        spin->setDecimals(1);
        spin->setSuffix(QStringLiteral(" mm"));
        spin->setObjectName(QStringLiteral("Margin%1").arg(QString::fromLatin1(label)));
        margins->addWidget(spin);
        m_margins.push_back(spin);
        connect(spin, &QDoubleSpinBox::editingFinished, this, [this] {
            EditorPageSetup setup = m_setup;
            setup.left = static_cast<int>(std::lround(m_margins[0]->value() * 100));
            setup.top = static_cast<int>(std::lround(m_margins[1]->value() * 100));
            setup.right = static_cast<int>(std::lround(m_margins[2]->value() * 100));
            setup.bottom = static_cast<int>(std::lround(m_margins[3]->value() * 100));
            if (const auto problem = ReportEditorRules::PageSetupProblem(setup)) {
                statusBar()->showMessage(Qs(*problem), 5000);
                ApplyPageSetup(m_setup); // back to the margins in force
                return;
            }
            ApplyPageSetup(setup);
        });
    }
}

void ReportEditorWindow::Take(std::unique_ptr<TextDocumentWriter> writer, const QString& name) {
    QTextDocument& document = writer->Document();
    if (document.isEmpty()) {
        // A new document: the report's face and size.
        document.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    }
    // The page first, so that the new document is laid out once.
    m_view->SetPageLayout(ReportEditorRules::Layout(m_setup));
    m_view->SetDocument(&document);
    m_writer = std::move(writer); // the former document goes once the view shows the new one
    m_name = name;
    // The writer builds without a history; the user's edits have one.
    document.setUndoRedoEnabled(true);
    document.setModified(false);
    document.clearUndoRedoStacks();
    connect(&document, &QTextDocument::modificationChanged, this, [this] { UpdateCommands(); });
    UpdateCommands();
}

void ReportEditorWindow::ShowDocument(std::unique_ptr<TextDocumentWriter> writer, const QString& file) {
    Take(std::move(writer), file);
}

bool ReportEditorWindow::Modified() const {
    return m_view->Document()->isModified();
}

bool ReportEditorWindow::OpenFile(const QString& file) {
    const ReportFileKind kind = ReportFileKindOf(Utf8(file));
    auto fail = [&](const std::string& reason) {
        showError(QStringLiteral("Error"), Qs(ReportEditorRules::UnableToOpenMessage(Utf8(file), reason)));
        return false;
    };
    if (const auto reason = ReportEditorRules::UnreadableKindReason(kind)) {
        return fail(*reason);
    }
    auto writer = std::make_unique<TextDocumentWriter>();
    writer->Document().setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    if (kind == ReportFileKind::Odt) {
        std::string error;
        if (!ReadOdfText(PathOf(file), writer->Document(), error)) {
            return fail(error);
        }
    } else {
        QFile input(file);
        if (!input.open(QIODevice::ReadOnly)) {
            return fail(Utf8(input.errorString()));
        }
        const QByteArray bytes = input.readAll();
        if (kind == ReportFileKind::Html) {
            writer->SetHtml(bytes.toStdString());
        } else {
            writer->Document().setPlainText(QString::fromUtf8(bytes));
        }
    }
    Take(std::move(writer), file);
    return true;
}

bool ReportEditorWindow::ShowOrOpen(std::unique_ptr<TextDocumentWriter> generated, const QString& file) {
    if (generated == nullptr) {
        return OpenFile(file);
    }
    ShowDocument(std::move(generated), file);
    return true;
}

bool ReportEditorWindow::SaveFile(const QString& file) {
    const ReportFileKind kind = ReportFileKindOf(Utf8(file));
    const ReportFormat format = kind == ReportFileKind::Odt ? ReportFormat::Odt : ReportFormat::Html;
    if (!ExportReport(*m_writer, PathOf(file), format, nullptr, ReportEditorRules::Layout(m_setup))) {
        showError(QStringLiteral("Error"),
                  Qs(ReportEditorRules::UnableToSaveMessage(Utf8(file), LastFileError())));
        return false;
    }
    m_name = file;
    m_view->Document()->setModified(false);
    UpdateCommands();
    return true;
}

bool ReportEditorWindow::ExportPdf(const QString& file) {
    if (!ExportReport(*m_writer, PathOf(file), ReportFormat::Pdf, nullptr,
                      ReportEditorRules::Layout(m_setup))) {
        showError(QStringLiteral("Error"),
                  Qs(ReportEditorRules::UnableToSaveMessage(Utf8(file), LastFileError())));
        return false;
    }
    return true;
}

bool ReportEditorWindow::PrintOn(QPrinter& printer, int first, int last) {
    const ReportPageLayout layout = ReportEditorRules::Layout(m_setup);
    printer.setDocName(Qs(ReportEditorRules::kPrintJobTitle));
    // The pages are laid out in document pixels (96 to the inch); the printer takes them at that
    // resolution, so that fonts and column widths keep their sizes (text stays vector on paper).
    printer.setResolution(96);
    printer.setFullPage(true);
    printer.setPageLayout(
        QPageLayout(QPageSize(QSizeF(layout.widthMm, layout.heightMm), QPageSize::Millimeter),
                    QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    if (!PrintReport(*m_writer, printer, layout, first, last)) {
        showError(QStringLiteral("Error"), QStringLiteral("The document could not be printed."));
        return false;
    }
    return true;
}

void ReportEditorWindow::Open() {
    const QString file = chooseOpenFile();
    if (!file.isEmpty()) {
        OpenFile(file);
    }
}

bool ReportEditorWindow::Save() {
    if (m_name.isEmpty() || ReportFileKindOf(Utf8(m_name)) == ReportFileKind::PlainText) {
        return SaveAs();
    }
    return SaveFile(m_name);
}

bool ReportEditorWindow::SaveAs() {
    QString filter;
    QString file =
        chooseSaveFile(Qs(ReportEditorRules::kSaveCaption), Qs(ReportEditorRules::SaveFilter()), &filter);
    if (file.isEmpty()) {
        return false;
    }
    std::string name = Utf8(file);
    static_cast<void>(ReportEditorRules::SaveKind(name, Utf8(filter))); // the name gets its extension
    return SaveFile(Qs(name));
}

void ReportEditorWindow::ExportPdfAs() {
    QString file = chooseSaveFile(QStringLiteral("Export PDF"), QStringLiteral("PDF (*.pdf)"), nullptr);
    if (file.isEmpty()) {
        return;
    }
    if (ReportFileKindOf(Utf8(file)) != ReportFileKind::Pdf) {
        file += QStringLiteral(".pdf");
    }
    ExportPdf(file);
}

void ReportEditorWindow::Print() {
    QPrinter printer(QPrinter::HighResolution);
    int first = 1;
    int last = 0;
    if (askPrinter(printer, Pages(), first, last)) {
        PrintOn(printer, first, last);
    }
}

void ReportEditorWindow::SetUpPage() {
    EditorPageSetupDialog dialog(m_setup, this);
    if (dialog.exec() == QDialog::Accepted) {
        ApplyPageSetup(dialog.Setup());
    }
}

void ReportEditorWindow::ApplyPageSetup(const EditorPageSetup& setup) {
    m_setup = setup;
    m_view->SetPageLayout(ReportEditorRules::Layout(setup));
    const int values[] = {setup.left, setup.top, setup.right, setup.bottom};
    for (std::size_t i = 0; i < m_margins.size(); ++i) {
        const QSignalBlocker quiet(m_margins[i]);
        m_margins[i]->setValue(values[i] / 100.0);
    }
    UpdateCommands();
}

void ReportEditorWindow::InsertTable() {
    InsertTableDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (const auto size = dialog.Size()) {
        InsertTableOfSize(size->rows, size->columns);
    }
}

void ReportEditorWindow::InsertTableOfSize(int rows, int columns) {
    // Framed as the report's own tables, so that the user's table prints as fast and looks the same.
    QTextCursor cursor = m_view->TextCursor();
    cursor.insertTable(rows, columns, TextDocumentWriter::TableFormat(true));
    m_view->SetTextCursor(cursor);
    UpdateCommands();
}

void ReportEditorWindow::MergeCharFormat(const QTextCharFormat& format) {
    QTextCursor cursor = m_view->TextCursor();
    if (!cursor.hasSelection()) {
        cursor.select(QTextCursor::WordUnderCursor);
    }
    cursor.mergeCharFormat(format);
    UpdateCommands();
}

void ReportEditorWindow::FormatCharacter() {
    const QTextCharFormat current = m_view->TextCursor().charFormat();
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, current.font(), this, QStringLiteral("Character"));
    if (chosen) {
        QTextCharFormat format;
        format.setFont(font);
        MergeCharFormat(format);
    }
}

void ReportEditorWindow::FormatParagraph() {
    QTextCursor cursor = m_view->TextCursor();
    ParagraphDialog dialog(cursor.blockFormat(), this);
    if (dialog.exec() == QDialog::Accepted) {
        cursor.mergeBlockFormat(dialog.Format());
    }
}

void ReportEditorWindow::FormatTable() {
    QTextTable* table = m_view->TextCursor().currentTable();
    if (table == nullptr) {
        return;
    }
    TableFormatDialog dialog(table->format(), table->columns(), this);
    if (dialog.exec() == QDialog::Accepted) {
        table->setFormat(dialog.Format());
    }
}

std::vector<double> ReportEditorWindow::PartHeights(bool laidOutOnly) const {
    QTextDocument* document = m_view->Document();
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    std::vector<double> starts = {0};
    for (auto it = document->rootFrame()->begin(); !it.atEnd(); ++it) {
        const QTextBlock block = it.currentBlock();
        if (!block.isValid()) {
            continue; // a table
        }
        if (laidOutOnly && block.layout()->lineCount() == 0) {
            break; // not laid out yet
        }
        if (block.position() > 0 &&
            (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) != 0) {
            starts.push_back(layout->blockBoundingRect(block).top());
        }
    }
    std::vector<double> heights;
    const double end = laidOutOnly ? m_view->FlowHeight() : document->size().height();
    for (std::size_t i = 0; i < starts.size(); ++i) {
        heights.push_back(std::max(0.0, (i + 1 < starts.size() ? starts[i + 1] : end) - starts[i]));
    }
    return heights;
}

int ReportEditorWindow::Pages() const {
    return ReportEditorRules::PageCount(PartHeights(false), m_view->BodyHeight());
}

QString ReportEditorWindow::PageText() const {
    const std::vector<double> heights = PartHeights(false);
    const int page = ReportEditorRules::PageAt(heights, m_view->BodyHeight(), m_view->CursorY());
    return QStringLiteral("Page %1 of %2")
        .arg(page)
        .arg(ReportEditorRules::PageCount(heights, m_view->BodyHeight()));
}

QString ReportEditorWindow::StatusPageText() const {
    if (m_view->LaidOut()) {
        return PageText();
    }
    // A long report is still being laid out: the caret's page from the pages laid out so far, the
    // count when the layout reaches the end.
    const std::vector<double> heights = PartHeights(true);
    const int page = ReportEditorRules::PageAt(heights, m_view->BodyHeight(), m_view->CursorY());
    return QStringLiteral("Page %1 of \u2026").arg(page);
}

QString ReportEditorWindow::ZoomText() const {
    return QStringLiteral("Zoom %1 %").arg(m_view->Zoom());
}

void ReportEditorWindow::ShowFormat(const QTextCharFormat& format) {
    const QSignalBlocker quietFont(m_font);
    const QSignalBlocker quietSize(m_size);
    const QStringList families = format.fontFamilies().toStringList();
    m_font->setCurrentFont(
        QFont(families.isEmpty() ? m_view->Document()->defaultFont().family() : families.first()));
    const double size =
        format.fontPointSize() > 0 ? format.fontPointSize() : m_view->Document()->defaultFont().pointSizeF();
    m_size->setCurrentText(QString::number(size));
    Action("Bold")->setChecked(format.fontWeight() >= QFont::Bold);
    Action("Italic")->setChecked(format.fontItalic());
    Action("Underline")->setChecked(format.fontUnderline());
    Action("Strike")->setChecked(format.fontStrikeOut());
}

void ReportEditorWindow::UpdateCommands() {
    QTextDocument* document = m_view->Document();
    const QTextCursor cursor = m_view->TextCursor();
    const EditCommandStates states =
        ReportEditorRules::Commands(cursor.hasSelection(), document->isUndoAvailable(),
                                    document->isRedoAvailable(), cursor.currentTable() != nullptr);
    Action("Cut")->setEnabled(states.cut);
    Action("Copy")->setEnabled(states.copy);
    Action("Paste")->setEnabled(states.paste);
    Action("Undo")->setEnabled(states.undo);
    Action("Redo")->setEnabled(states.redo);
    Action("Table")->setEnabled(states.tableFormat);
    setWindowTitle(Qs(ReportEditorRules::Caption(Utf8(m_name))) +
                   (document->isModified() ? QStringLiteral(" *") : QString()));
    setWindowModified(document->isModified());
    ShowFormat(cursor.charFormat());
    m_page->setText(StatusPageText());
    m_zoomLabel->setText(ZoomText());
    const QSignalBlocker quiet(m_zoom);
    m_zoom->setCurrentText(QStringLiteral("%1 %").arg(m_view->Zoom()));
}

void ReportEditorWindow::closeEvent(QCloseEvent* event) {
    if (ReportEditorRules::MustAskToSave(Modified())) {
        switch (askSave(m_name)) {
        case SaveAnswer::Cancel:
            event->ignore();
            return;
        case SaveAnswer::Yes:
            if (!Save()) {
                event->ignore(); // nothing unsaved is lost
                return;
            }
            break;
        case SaveAnswer::No:
            break;
        }
    }
    event->accept();
}

} // namespace ixo

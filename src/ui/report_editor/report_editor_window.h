#pragma once

// The report editor: a generated report (or a saved one) on screen, edited as rich text, printed with
// its page header and page-number footer, saved as the report's HTML or as ODF text and exported to
// PDF. Menus File, Edit, Insert, Format and Help, a formatting tool bar, a margins bar, and a status bar
// with the page and the zoom. The rules are ReportEditorRules.
#include "ui/main/window_rules.h"
#include "ui/report_editor/report_editor_rules.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLabel;
class QPrinter;
class QTextCharFormat;
class QTimer;

namespace ixo {

class ReportView;
class TextDocumentWriter;

class ReportEditorWindow : public QMainWindow {
public:
    explicit ReportEditorWindow(QWidget* parent = nullptr);
    ~ReportEditorWindow() override;

    // Shows a generated report, saved in file (its name becomes the document's name).
    void ShowDocument(std::unique_ptr<TextDocumentWriter> writer, const QString& file);
    // Opens a file in the editor: false with the message shown when it cannot be read (the document
    // on screen stays).
    bool OpenFile(const QString& file);
    // Shows generated when there is one (a report just written to file, not read back), else opens file.
    bool ShowOrOpen(std::unique_ptr<TextDocumentWriter> generated, const QString& file);
    // Saves the document as its name's kind (HTML or ODF text): false with the message shown when it
    // cannot be written (the document and its name stay).
    bool SaveFile(const QString& file);
    bool ExportPdf(const QString& file);
    // Prints on a printer already set up (pages first to last, 0 for the last).
    bool PrintOn(QPrinter& printer, int first = 1, int last = 0);

    // The commands of the menus.
    void Open();
    bool Save();
    bool SaveAs();
    void ExportPdfAs();
    void Print();
    void SetUpPage();
    void InsertTable();
    // Inserts a table at the caret, the caret in its first cell (Insert > Table once chosen).
    void InsertTableOfSize(int rows, int columns);
    void FormatCharacter();
    void FormatParagraph();
    void FormatTable();
    // Refreshes the enabling of the commands and the status bar (also on a timer, as the window's
    // actions are updated).
    void UpdateCommands();

    // State, for the window and tests.
    TextDocumentWriter& Writer() const { return *m_writer; }
    ReportView* View() const { return m_view; }
    const QString& DocumentName() const { return m_name; }
    bool Modified() const;
    QAction* Action(const QString& name) const;
    const EditorPageSetup& PageSetup() const { return m_setup; }
    void ApplyPageSetup(const EditorPageSetup& setup);
    // "Page N of M", the document laid out to its end first.
    QString PageText() const;
    // What the status bar shows: the page text, or while a long report is still being laid out, the
    // caret's page and "..." for the count.
    QString StatusPageText() const;
    QString ZoomText() const;
    // Applies character attributes to the selection (or the word at the caret).
    void MergeCharFormat(const QTextCharFormat& format);

    // Questions and dialogs, replaceable by tests.
    std::function<SaveAnswer(const QString& name)> askSave;
    std::function<QString(const QString& caption, const QString& filter, QString* chosenFilter)>
        chooseSaveFile;
    std::function<QString()> chooseOpenFile;
    std::function<void(const QString& caption, const QString& text)> showError;
    std::function<bool(QPrinter& printer, int pages, int& first, int& last)> askPrinter;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* MakeAction(const char* name, const QString& caption, const QKeySequence& shortcut = {});
    void MakeMenus();
    void MakeToolBars();
    void Take(std::unique_ptr<TextDocumentWriter> writer, const QString& name);
    void ShowFormat(const QTextCharFormat& format);
    // The heights of the document's parts between page breaks; only those laid out so far when
    // laidOutOnly, else the whole document laid out first.
    std::vector<double> PartHeights(bool laidOutOnly) const;
    int Pages() const;

    std::unique_ptr<TextDocumentWriter> m_writer;
    ReportView* m_view = nullptr;
    QString m_name;
    EditorPageSetup m_setup;
    std::map<QString, QAction*> m_actions;
    QFontComboBox* m_font = nullptr;
    QComboBox* m_size = nullptr;
    QComboBox* m_zoom = nullptr;
    std::vector<QDoubleSpinBox*> m_margins; // left, top, right, bottom (mm)
    QLabel* m_page = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QTimer* m_idle = nullptr;
};

} // namespace ixo

#include "render/text_document_writer.h"
#include "support/temp_dir.h"
#include "ui/report_chooser/report_chooser_dialog.h"
#include "ui/report_chooser/report_chooser_rules.h"
#include "ui/report_editor/editor_dialogs.h"
#include "ui/report_editor/report_editor_rules.h"
#include "ui/report_editor/report_editor_window.h"
#include "ui/report_editor/report_view.h"
#include "ui/widgets_app.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace ixo {
namespace {

// ---- the rules ----

TEST(ReportEditorRules, FilesOpenAndSaveByTheirExtension) {
    EXPECT_EQ(ReportFileKindOf("/p/Lista.HTML"), ReportFileKind::Html);
    EXPECT_EQ(ReportFileKindOf("a.htm"), ReportFileKind::Html);
    EXPECT_EQ(ReportFileKindOf("a.odt"), ReportFileKind::Odt);
    EXPECT_EQ(ReportFileKindOf("a.txt"), ReportFileKind::PlainText);
    EXPECT_EQ(ReportFileKindOf("a.pdf"), ReportFileKind::Pdf);
    EXPECT_EQ(ReportFileKindOf("a.doc"), ReportFileKind::Unknown);
    EXPECT_EQ(ReportFileKindOf("a.rtf"), ReportFileKind::Unknown);
    EXPECT_EQ(ReportFileKindOf("noextension"), ReportFileKind::Unknown);
    EXPECT_FALSE(ReportEditorRules::UnreadableKindReason(ReportFileKind::Html));
    EXPECT_FALSE(ReportEditorRules::UnreadableKindReason(ReportFileKind::PlainText));
    ASSERT_TRUE(ReportEditorRules::UnreadableKindReason(ReportFileKind::Unknown));
    EXPECT_NE(ReportEditorRules::UnreadableKindReason(ReportFileKind::Unknown)->find("DOC or RTF"),
              std::string::npos);

    std::string name = "/tmp/report";
    EXPECT_EQ(ReportEditorRules::SaveKind(name, "ODF text (*.odt)"), ReportFileKind::Odt);
    EXPECT_EQ(name, "/tmp/report.odt");
    name = "/tmp/report";
    EXPECT_EQ(ReportEditorRules::SaveKind(name, "Report (*.html *.htm)"), ReportFileKind::Html);
    EXPECT_EQ(name, "/tmp/report.html");
    name = "/tmp/r.odt";
    EXPECT_EQ(ReportEditorRules::SaveKind(name, "Report (*.html *.htm)"), ReportFileKind::Odt)
        << "the name decides";
    EXPECT_EQ(name, "/tmp/r.odt");
}

TEST(ReportEditorRules, CaptionMessagesAndCommands) {
    EXPECT_EQ(ReportEditorRules::Caption(""), "Editor");
    EXPECT_EQ(ReportEditorRules::Caption("/home/u/Project1_materials.html"),
              "Editor - Project1_materials.html");
    EXPECT_EQ(ReportEditorRules::UnableToOpenMessage("/x.odt", ""), "Unable to open /x.odt");
    EXPECT_EQ(ReportEditorRules::Commands(false, false, false, false),
              (EditCommandStates{false, false, true, false, false, false}));
    EXPECT_EQ(ReportEditorRules::Commands(true, true, false, true),
              (EditCommandStates{true, true, true, true, false, true}));
    EXPECT_EQ(ReportEditorRules::Commands(false, false, true, false).redo, true);
}

TEST(ReportEditorRules, ZoomIsClampedAndOnlyNumbersCount) {
    EXPECT_EQ(ReportEditorRules::ZoomFromText("150 %"), 150);
    EXPECT_EQ(ReportEditorRules::ZoomFromText("5"), 10);
    EXPECT_EQ(ReportEditorRules::ZoomFromText("900%"), 400);
    EXPECT_EQ(ReportEditorRules::ZoomFromText("-20"), 10);
    EXPECT_FALSE(ReportEditorRules::ZoomFromText("big"));
    EXPECT_FALSE(ReportEditorRules::ZoomFromText(""));
}

TEST(ReportEditorRules, PageSetupDefaultsToA4AndRefusesUnusableMargins) {
    const EditorPageSetup a4;
    EXPECT_EQ(a4, (EditorPageSetup{21000, 29700, 3000, 2000, 2000, 2500}));
    EXPECT_FALSE(ReportEditorRules::PageSetupProblem(a4));
    EXPECT_EQ(ReportEditorRules::Layout(a4), ReportPageLayout{});
    EXPECT_EQ(ReportEditorRules::SetupOf(ReportEditorRules::Layout(a4)), a4);
    EditorPageSetup zero = a4;
    zero.left = zero.top = zero.right = zero.bottom = 0;
    EXPECT_FALSE(ReportEditorRules::PageSetupProblem(zero)) << "margins may be 0";
    EditorPageSetup negative = a4;
    negative.left = -1;
    EXPECT_TRUE(ReportEditorRules::PageSetupProblem(negative));
    EditorPageSetup wide = a4;
    wide.left = wide.right = 10500;
    EXPECT_TRUE(ReportEditorRules::PageSetupProblem(wide));
    EditorPageSetup flat = a4;
    flat.height = 0;
    EXPECT_TRUE(ReportEditorRules::PageSetupProblem(flat));
}

TEST(ReportEditorRules, PagesAreCountedPartByPart) {
    // Parts of 1.5, 0.2 and 3 bodies: 2 + 1 + 3 pages.
    const std::vector<double> parts = {150, 20, 300};
    EXPECT_EQ(ReportEditorRules::PageCount(parts, 100), 6);
    EXPECT_EQ(ReportEditorRules::PageAt(parts, 100, 0), 1);
    EXPECT_EQ(ReportEditorRules::PageAt(parts, 100, 120), 2);
    EXPECT_EQ(ReportEditorRules::PageAt(parts, 100, 160), 3) << "the second part starts a page";
    EXPECT_EQ(ReportEditorRules::PageAt(parts, 100, 170), 4);
    EXPECT_EQ(ReportEditorRules::PageAt(parts, 100, 469), 6);
    EXPECT_EQ(ReportEditorRules::PageCount({}, 100), 1);
    EXPECT_EQ(ReportEditorRules::PageCount({100}, 100), 1) << "exactly one body fills one page";
}

TEST(InsertTableRules, SizesInRangeOnly) {
    EXPECT_TRUE(InsertTableRules::KeyAccepted(U'7'));
    EXPECT_TRUE(InsertTableRules::KeyAccepted(U'-'));
    EXPECT_TRUE(InsertTableRules::KeyAccepted(U'\b'));
    EXPECT_FALSE(InsertTableRules::KeyAccepted(U'\r'));
    EXPECT_FALSE(InsertTableRules::KeyAccepted(U'a'));
    const auto size = InsertTableRules::Accept("3", "12");
    ASSERT_TRUE(size);
    EXPECT_EQ(size->columns, 3);
    EXPECT_EQ(size->rows, 12);
    EXPECT_FALSE(InsertTableRules::Accept("13", "2"));
    EXPECT_FALSE(InsertTableRules::Accept("2", "101"));
    EXPECT_FALSE(InsertTableRules::Accept("0", "2"));
    EXPECT_FALSE(InsertTableRules::Accept("-2", "2"));
    EXPECT_FALSE(InsertTableRules::Accept("", "2"));
    EXPECT_FALSE(InsertTableRules::Accept("2x", "2"));
}

TEST(ReportChooserRules, TheFirstReportIsChosenAndTheChoiceFollowsTheSelection) {
    ReportChooserRules rules;
    ASSERT_EQ(ReportChooserRules::Names().size(), 2u);
    EXPECT_EQ(ReportChooserRules::Names()[0], "List of materials");
    EXPECT_EQ(ReportChooserRules::Names()[1], "Outlet levels");
    EXPECT_EQ(rules.Chosen(), 0);
    rules.Select(1);
    EXPECT_EQ(rules.Chosen(), 1);
    rules.Select(-1);
    EXPECT_EQ(rules.Chosen(), -1);
    EXPECT_FALSE(rules.CanAccept());
    rules.Select(7);
    EXPECT_EQ(rules.Chosen(), -1);
    EXPECT_TRUE(rules.DoubleClick(1));
    EXPECT_EQ(rules.Chosen(), 1);
    EXPECT_FALSE(rules.DoubleClick(5));
}

// ---- the windows ----

class ReportEditorTest : public ::testing::Test {
protected:
    // The editor is made once the application exists (a fixture member is made before SetUp).
    static ReportEditorWindow* EnsureApp(std::unique_ptr<ReportEditorWindow>& window) {
        test::EnsureWidgetsApplication();
        window = std::make_unique<ReportEditorWindow>();
        return window.get();
    }

    void SetUp() override {
        editor.showError = [this](const QString&, const QString& text) { errors << text; };
        editor.askSave = [this](const QString&) {
            ++questions;
            return answer;
        };
    }

    // A small report as the generator writes one: a heading, a page break, a table of three columns.
    static std::unique_ptr<TextDocumentWriter> SmallReport() {
        auto writer = std::make_unique<TextDocumentWriter>();
        TRegistroatributo heading;
        heading.Tamano = 14;
        writer->InsertarTexto("List of materials\n", heading, true);
        writer->SaltoPagina();
        const int table = writer->InsertarTabla(3, 3);
        writer->AnchosColumnas(table, {2.0, 6.0, 2.0});
        const char* cells[3][3] = {{"Code", "Description", "Units"},
                                   {"MT-504", "Multiswitch", "4"},
                                   {"CX-68", "Coaxial cable", "120"}};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                writer->TextoCelda(table, r + 1, c + 1, cells[r][c]); // 1-based
            }
        }
        writer->TrasTabla();
        writer->CabeceraPie("Project1", "", "Page");
        return writer;
    }

    QTextTable* FirstTable() const {
        for (QTextBlock block = editor.Writer().Document().begin(); block.isValid(); block = block.next()) {
            if (QTextTable* table = QTextCursor(block).currentTable()) {
                return table;
            }
        }
        return nullptr;
    }

    // Bolds the first line and widens the table's second column to 8 cm, as a user does through the tool
    // bar and Format > Table.
    void EditLikeAUser() {
        QTextCursor cursor(&editor.Writer().Document());
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        editor.View()->SetTextCursor(cursor);
        editor.Action(QStringLiteral("Bold"))->trigger();
        QTextTable* table = FirstTable();
        ASSERT_NE(table, nullptr);
        TableFormatDialog dialog(table->format(), table->columns());
        dialog.ColumnWidth(1)->setValue(8.0);
        table->setFormat(dialog.Format());
    }

    void ExpectEdited(const QString& origin) {
        const QTextDocument& document = editor.Writer().Document();
        const QTextBlock first = document.begin();
        EXPECT_EQ(first.text(), QStringLiteral("List of materials")) << origin.toStdString();
        EXPECT_EQ(
            QTextCursor(first).charFormat().fontWeight() >= QFont::Bold ||
                [&] {
                    QTextCursor c(first);
                    c.movePosition(QTextCursor::NextCharacter);
                    return c.charFormat().fontWeight() >= QFont::Bold;
                }(),
            true)
            << origin.toStdString();
        QTextTable* table = FirstTable();
        ASSERT_NE(table, nullptr) << origin.toStdString();
        EXPECT_EQ(table->rows(), 3);
        EXPECT_EQ(table->columns(), 3);
        EXPECT_EQ(table->cellAt(1, 0).firstCursorPosition().block().text(), QStringLiteral("MT-504"));
        EXPECT_EQ(table->cellAt(2, 1).firstCursorPosition().block().text(), QStringLiteral("Coaxial cable"));
        const auto widths = table->format().columnWidthConstraints();
        ASSERT_EQ(widths.size(), 3) << origin.toStdString();
        // A column is its cell and, where the cell draws its own frame, a border on either side.
        const double frames = table->format().borderCollapse() ? 0.0 : 2 * table->format().border();
        EXPECT_NEAR(widths[1].rawValue() + frames, 8.0 * TextDocumentWriter::kPixelsPerCm, 0.5)
            << origin.toStdString();
        EXPECT_NEAR(widths[0].rawValue() + frames, 2.0 * TextDocumentWriter::kPixelsPerCm, 0.5)
            << origin.toStdString();
    }

    test::TempDir dir;
    std::unique_ptr<ReportEditorWindow> window;
    ReportEditorWindow& editor = *EnsureApp(window);
    QStringList errors;
    int questions = 0;
    SaveAnswer answer = SaveAnswer::Cancel;
};

TEST_F(ReportEditorTest, AnEditedReportSurvivesSavingAsHtmlAndReopening) {
    const QString file = QString::fromStdString((dir / "materials.html").string());
    editor.ShowDocument(SmallReport(), file);
    EXPECT_FALSE(editor.Modified());
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Editor - materials.html"));
    EditLikeAUser();
    EXPECT_TRUE(editor.Modified());
    ASSERT_TRUE(editor.Save());
    EXPECT_FALSE(editor.Modified());
    ReportEditorWindow other;
    other.showError = editor.showError;
    ASSERT_TRUE(other.OpenFile(file));
    editor.ShowDocument(std::make_unique<TextDocumentWriter>(), QString());
    ASSERT_TRUE(editor.OpenFile(file));
    ExpectEdited(QStringLiteral("html"));
    EXPECT_EQ(editor.Writer().Header1(), QStringLiteral("Project1")) << "the page header comes back";
    EXPECT_FALSE(editor.Modified()) << "cleared after opening";
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ReportEditorTest, AnEditedReportSurvivesSavingAsOdfTextAndReopening) {
    editor.ShowDocument(SmallReport(), QString());
    EditLikeAUser();
    const QString file = QString::fromStdString((dir / "materials.odt").string());
    ASSERT_TRUE(editor.SaveFile(file));
    EXPECT_EQ(test::ReadFileBytes(dir / "materials.odt").substr(0, 2), "PK") << "a ZIP archive";
    editor.ShowDocument(std::make_unique<TextDocumentWriter>(), QString());
    ASSERT_TRUE(editor.OpenFile(file));
    ExpectEdited(QStringLiteral("odt"));
    EXPECT_EQ(editor.DocumentName(), file);
    // The page break before the table survives.
    bool pageBreak = false;
    for (QTextBlock block = editor.Writer().Document().begin(); block.isValid(); block = block.next()) {
        pageBreak =
            pageBreak || (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) != 0;
    }
    EXPECT_TRUE(pageBreak);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ReportEditorTest, AFileThatCannotBeReadLeavesTheDocumentAndItsName) {
    const QString file = QString::fromStdString((dir / "kept.html").string());
    editor.ShowDocument(SmallReport(), file);
    const QString before = editor.Writer().Document().toPlainText();
    test::WriteFileBytes(dir / "broken.odt", "PK\x03\x04 not really a zip");
    test::WriteFileBytes(dir / "letter.doc", "binary");
    for (const std::string name : {"broken.odt", "letter.doc", "missing.html", "report.pdf"}) {
        errors.clear();
        EXPECT_FALSE(editor.OpenFile(QString::fromStdString((dir / name).string()))) << name;
        ASSERT_EQ(errors.size(), 1) << name;
        EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Unable to open "))) << errors[0].toStdString();
        EXPECT_EQ(editor.Writer().Document().toPlainText(), before) << name;
        EXPECT_EQ(editor.DocumentName(), file) << name;
    }
}

TEST_F(ReportEditorTest, PlainTextOpensAsText) {
    test::WriteFileBytes(dir / "notes.txt", "first line\nsecond <b>line</b>\n");
    ASSERT_TRUE(editor.OpenFile(QString::fromStdString((dir / "notes.txt").string())));
    EXPECT_EQ(editor.Writer().Document().toPlainText(), QStringLiteral("first line\nsecond <b>line</b>\n"));
}

TEST_F(ReportEditorTest, AFailedSaveIsReportedAndLosesNothing) {
    const QString file = QString::fromStdString((dir / "materials.html").string());
    editor.ShowDocument(SmallReport(), file);
    EditLikeAUser();
    const QString unwritable = QString::fromStdString((dir / "no-such-folder" / "x.html").string());
    EXPECT_FALSE(editor.SaveFile(unwritable));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Unable to save "))) << errors[0].toStdString();
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(editor.DocumentName(), file);
}

TEST_F(ReportEditorTest, ClosingAModifiedDocumentAsksAndCancelKeepsIt) {
    editor.ShowDocument(SmallReport(), QString::fromStdString((dir / "a.html").string()));
    editor.show();
    EXPECT_TRUE(editor.close()) << "nothing changed: no question";
    EXPECT_EQ(questions, 0);
    editor.show();
    EditLikeAUser();
    answer = SaveAnswer::Cancel;
    EXPECT_FALSE(editor.close());
    EXPECT_EQ(questions, 1);
    answer = SaveAnswer::Yes;
    EXPECT_TRUE(editor.close());
    EXPECT_TRUE(std::filesystem::exists(dir / "a.html")) << "Yes saved it";
    EXPECT_FALSE(editor.Modified());
}

TEST_F(ReportEditorTest, UndoRedoAndTheEditCommandsFollowTheDocument) {
    editor.ShowDocument(SmallReport(), QString());
    editor.UpdateCommands();
    EXPECT_FALSE(editor.Action(QStringLiteral("Undo"))->isEnabled());
    EXPECT_FALSE(editor.Action(QStringLiteral("Copy"))->isEnabled());
    EXPECT_FALSE(editor.Action(QStringLiteral("Table"))->isEnabled());
    EXPECT_TRUE(editor.Action(QStringLiteral("Paste"))->isEnabled());
    QTextCursor cursor(&editor.Writer().Document());
    cursor.insertText(QStringLiteral("Draft "));
    editor.View()->SetTextCursor(cursor);
    editor.UpdateCommands();
    EXPECT_TRUE(editor.Action(QStringLiteral("Undo"))->isEnabled());
    editor.Action(QStringLiteral("Undo"))->trigger();
    editor.UpdateCommands();
    EXPECT_TRUE(editor.Writer().Document().begin().text().startsWith(QStringLiteral("List")));
    EXPECT_TRUE(editor.Action(QStringLiteral("Redo"))->isEnabled());
    editor.Action(QStringLiteral("Redo"))->trigger();
    EXPECT_TRUE(editor.Writer().Document().begin().text().startsWith(QStringLiteral("Draft List")));
    editor.Action(QStringLiteral("SelectAll"))->trigger();
    editor.UpdateCommands();
    EXPECT_TRUE(editor.Action(QStringLiteral("Copy"))->isEnabled());
    editor.Action(QStringLiteral("Copy"))->trigger();
    QTextCursor end(&editor.Writer().Document());
    end.movePosition(QTextCursor::End);
    editor.View()->SetTextCursor(end);
    editor.Action(QStringLiteral("Paste"))->trigger();
    EXPECT_EQ(editor.Writer().Document().toPlainText().count(QStringLiteral("Coaxial cable")), 2);
    QTextTable* table = FirstTable();
    ASSERT_NE(table, nullptr);
    editor.View()->SetTextCursor(table->cellAt(0, 0).firstCursorPosition());
    editor.UpdateCommands();
    EXPECT_TRUE(editor.Action(QStringLiteral("Table"))->isEnabled()) << "the caret is in a table";
}

TEST_F(ReportEditorTest, StatusBarShowsThePageAndTheZoom) {
    editor.ShowDocument(SmallReport(), QString());
    EXPECT_EQ(editor.PageText(), QStringLiteral("Page 1 of 2")) << "the page break starts page 2";
    editor.View()->SetTextCursor(FirstTable()->cellAt(2, 2).firstCursorPosition());
    EXPECT_EQ(editor.PageText(), QStringLiteral("Page 2 of 2"));
    editor.View()->SetZoom(250);
    EXPECT_EQ(editor.ZoomText(), QStringLiteral("Zoom 250 %"));
    editor.View()->SetZoom(1000);
    EXPECT_EQ(editor.View()->Zoom(), 400);
}

TEST_F(ReportEditorTest, PrintsAndExportsWithTheHeaderAndThePageNumbers) {
    editor.ShowDocument(SmallReport(), QString());
    EditorPageSetup setup;
    setup.left = 1500;
    editor.ApplyPageSetup(setup);
    EXPECT_EQ(ReportEditorRules::Layout(editor.PageSetup()).leftMm, 15.0);
    const std::filesystem::path printed = dir / "printed.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(printed.string()));
    ASSERT_TRUE(editor.PrintOn(printer, 2, 2));
    ASSERT_TRUE(editor.ExportPdf(QString::fromStdString((dir / "exported.pdf").string())));
    for (const auto& [pdf, pages] : {std::pair{printed, 1}, std::pair{dir / "exported.pdf", 2}}) {
        const std::string text = (dir / "text.txt").string();
        ASSERT_EQ(std::system(("pdftotext -layout '" + pdf.string() + "' '" + text + "'").c_str()), 0);
        const std::string content = test::ReadFileBytes(text);
        EXPECT_NE(content.find("Project1"), std::string::npos) << pdf;
        EXPECT_NE(content.find("Page 2"), std::string::npos) << pdf << content;
        EXPECT_EQ(std::count(content.begin(), content.end(), '\f'), pages) << pdf;
    }
}

TEST_F(ReportEditorTest, InsertTableDialogStartsAtTwoByTwoAndFiltersKeys) {
    InsertTableDialog dialog;
    EXPECT_EQ(dialog.ColumnsBox()->currentText(), QStringLiteral("2"));
    EXPECT_EQ(dialog.RowsBox()->currentText(), QStringLiteral("2"));
    EXPECT_EQ(dialog.ColumnsBox()->count(), 12);
    EXPECT_EQ(dialog.RowsBox()->count(), 100);
    dialog.RowsBox()->setCurrentText(QString());
    QTest::keyClicks(dialog.RowsBox()->lineEdit(), QStringLiteral("1x5"));
    EXPECT_EQ(dialog.RowsBox()->currentText(), QStringLiteral("15"));
    ASSERT_TRUE(dialog.Size());
    EXPECT_EQ(dialog.Size()->rows, 15);
    dialog.ColumnsBox()->setCurrentText(QStringLiteral("40"));
    EXPECT_FALSE(dialog.Size());
}

TEST_F(ReportEditorTest, AnInsertedTableIsFramedAsTheReportsOwnTablesAndIsOneUndoableStep) {
    editor.ShowDocument(SmallReport(), QString());
    QTextCursor end(&editor.Writer().Document());
    end.movePosition(QTextCursor::End);
    editor.View()->SetTextCursor(end);
    const int tablesBefore = static_cast<int>(editor.Writer().Document().rootFrame()->childFrames().size());
    editor.InsertTableOfSize(3, 4);
    QTextTable* inserted = editor.View()->TextCursor().currentTable();
    ASSERT_NE(inserted, nullptr) << "the caret is in the new table";
    EXPECT_EQ(inserted->rows(), 3);
    EXPECT_EQ(inserted->columns(), 4);
    const QTextTableFormat format = inserted->format();
    const QTextTableFormat report = FirstTable()->format();
    EXPECT_FALSE(format.borderCollapse()) << "each cell draws its own frame, as in a report";
    EXPECT_EQ(format.border(), report.border());
    EXPECT_EQ(format.cellSpacing(), report.cellSpacing());
    EXPECT_EQ(format.cellPadding(), report.cellPadding());
    EXPECT_EQ(format.borderStyle(), report.borderStyle());
    EXPECT_EQ(format.borderBrush(), report.borderBrush());
    EXPECT_TRUE(editor.Modified());
    EXPECT_TRUE(editor.Action(QStringLiteral("Table"))->isEnabled())
        << "Format > Table for the caret's table";
    editor.Action(QStringLiteral("Undo"))->trigger();
    EXPECT_EQ(static_cast<int>(editor.Writer().Document().rootFrame()->childFrames().size()), tablesBefore);
}

TEST_F(ReportEditorTest, ALongReportIsShownBeforeItIsLaidOutAndThePagesAreCountedAtTheEnd) {
    auto writer = std::make_unique<TextDocumentWriter>();
    for (int part = 0; part < 60; ++part) {
        const int table = writer->InsertarTabla(40, 6);
        for (int row = 1; row <= 40; ++row) {
            for (int column = 1; column <= 6; ++column) {
                writer->TextoCelda(table, row, column, std::to_string(row * column));
            }
        }
        writer->TrasTabla();
        writer->SaltoPagina();
    }
    editor.ShowDocument(std::move(writer), QString());
    EXPECT_FALSE(editor.View()->LaidOut()) << "only what the sheet shows is laid out at once";
    EXPECT_TRUE(editor.StatusPageText().endsWith(QStringLiteral("of \u2026")))
        << editor.StatusPageText().toStdString();
    EXPECT_TRUE(editor.StatusPageText().startsWith(QStringLiteral("Page 1 ")));
    ASSERT_TRUE(QTest::qWaitFor([this] { return editor.View()->LaidOut(); }, 30000))
        << "the rest is laid out while the window idles";
    QTest::qWait(50); // the layout's last size reaches the sheet
    EXPECT_EQ(editor.StatusPageText(), editor.PageText());
    EXPECT_GE(editor.PageText().section(QLatin1Char(' '), 3, 3).toInt(), 61)
        << editor.PageText().toStdString();
    EXPECT_GT(editor.View()->scene()->sceneRect().height(), editor.Writer().Document().size().height())
        << "the sheet grew with the layout to the whole report";
}

TEST(ReportChooserDialog, DoubleClickChoosesAndCloses) {
    test::EnsureWidgetsApplication();
    ReportChooserDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Create reports"));
    EXPECT_EQ(dialog.Chosen(), 0);
    ASSERT_EQ(dialog.List()->count(), 2);
    EXPECT_EQ(dialog.List()->item(1)->text(), QStringLiteral("Outlet levels"));
    EXPECT_FALSE(dialog.List()->item(1)->icon().isNull());
    dialog.List()->clearSelection();
    EXPECT_EQ(dialog.Chosen(), -1);
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.show();
    QApplication::processEvents();
    const QRect rect = dialog.List()->visualItemRect(dialog.List()->item(1));
    QTest::mouseClick(dialog.List()->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(dialog.Chosen(), 1) << "the choice follows the selection";
    QTest::mouseDClick(dialog.List()->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(dialog.Chosen(), 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
} // namespace ixo

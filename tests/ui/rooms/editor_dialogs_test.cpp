// The report editor's small dialogs offscreen (paragraph, table format, page setup) and the rules of its
// file dialogs and messages not tried with the editor itself (report_editor_test.cpp).
#include "render/text_document_writer.h"
#include "ui/report_editor/editor_dialogs.h"
#include "ui/report_editor/report_editor_rules.h"
#include "ui/widgets_app.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>

#include <gtest/gtest.h>

namespace ixo {
namespace {

constexpr double kPixelsPerMm = TextDocumentWriter::kPixelsPerCm / 10.0;
constexpr double kPixelsPerPoint = 96.0 / 72.0;

class EditorDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { test::EnsureWidgetsApplication(); }

    // The dialog's number boxes in the order of its form.
    static QList<QDoubleSpinBox*> Boxes(const QDialog& dialog) {
        return dialog.findChildren<QDoubleSpinBox*>(Qt::FindDirectChildrenOnly);
    }
};

TEST(ReportEditorRules, FileFiltersAndTheSaveMessage) {
    const std::string open = ReportEditorRules::OpenFilter();
    for (const char* pattern : {"*.html", "*.htm", "*.odt", "*.txt"}) {
        EXPECT_NE(open.find(pattern), std::string::npos) << pattern;
    }
    EXPECT_EQ(open.find("*.doc"), std::string::npos) << "the text control has no DOC reader";
    const std::string save = ReportEditorRules::SaveFilter();
    EXPECT_NE(save.find("*.html"), std::string::npos);
    EXPECT_NE(save.find("*.odt"), std::string::npos);
    EXPECT_EQ(save.find("*.txt"), std::string::npos) << "a report is saved with its formatting";
    const std::string message = ReportEditorRules::UnableToSaveMessage("/r/a.html", "Permission denied");
    EXPECT_EQ(message.rfind("Unable to save /r/a.html", 0), 0u);
    EXPECT_NE(message.find("Permission denied"), std::string::npos);
    EXPECT_NE(message.find("stays open"), std::string::npos) << "nothing is lost";
    EXPECT_TRUE(ReportEditorRules::MustAskToSave(true));
    EXPECT_FALSE(ReportEditorRules::MustAskToSave(false));
}

TEST_F(EditorDialogsTest, TheParagraphDialogShowsTheParagraphAndGivesItBackInDocumentUnits) {
    QTextBlockFormat format;
    format.setAlignment(Qt::AlignRight);
    format.setLeftMargin(10 * kPixelsPerMm);
    format.setTopMargin(6 * kPixelsPerPoint);
    ParagraphDialog dialog(format);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Paragraph"));
    auto* alignment = dialog.findChild<QComboBox*>();
    ASSERT_NE(alignment, nullptr);
    EXPECT_EQ(alignment->currentText(), QStringLiteral("Right"));
    const QList<QDoubleSpinBox*> boxes = Boxes(dialog); // left, right, above, below
    ASSERT_EQ(boxes.size(), 4);
    EXPECT_DOUBLE_EQ(boxes[0]->value(), 10.0) << "millimetres";
    EXPECT_DOUBLE_EQ(boxes[2]->value(), 6.0) << "points";
    EXPECT_EQ(boxes[0]->suffix(), QStringLiteral(" mm"));
    EXPECT_EQ(boxes[2]->suffix(), QStringLiteral(" pt"));
    EXPECT_EQ(dialog.Format().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    alignment->setCurrentText(QStringLiteral("Centred"));
    boxes[0]->setValue(5.0);
    boxes[3]->setValue(12.0);
    const QTextBlockFormat chosen = dialog.Format();
    EXPECT_EQ(chosen.alignment(), Qt::AlignHCenter);
    EXPECT_NEAR(chosen.leftMargin(), 5 * kPixelsPerMm, 1e-9);
    EXPECT_NEAR(chosen.bottomMargin(), 12 * kPixelsPerPoint, 1e-9);
    boxes[1]->setValue(-4.0);
    EXPECT_EQ(dialog.Format().rightMargin(), 0.0) << "an indent is never negative";
}

TEST_F(EditorDialogsTest, TheTableDialogSetsColumnsInCentimetresAndTheGridAsEachCellsFrame) {
    QTextTableFormat format = TextDocumentWriter::TableFormat(true);
    QList<QTextLength> widths;
    widths << QTextLength(QTextLength::FixedLength, 2.0 * TextDocumentWriter::kPixelsPerCm - 2)
           << QTextLength()
           << QTextLength(QTextLength::FixedLength, 2.5 * TextDocumentWriter::kPixelsPerCm - 2);
    format.setColumnWidthConstraints(widths);
    TableFormatDialog dialog(format, 3);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Table"));
    EXPECT_NEAR(dialog.ColumnWidth(0)->value(), 2.0, 0.005) << "the column, its cell's frame included";
    EXPECT_EQ(dialog.ColumnWidth(1)->value(), 0.0);
    EXPECT_EQ(dialog.ColumnWidth(1)->text(), QStringLiteral("as needed"));
    EXPECT_NEAR(dialog.ColumnWidth(2)->value(), 2.5, 0.005);
    auto* grid = dialog.findChild<QComboBox*>();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->currentText(), QStringLiteral("Grid lines"));

    dialog.ColumnWidth(1)->setValue(4.0);
    QTextTableFormat chosen = dialog.Format();
    EXPECT_FALSE(chosen.borderCollapse()) << "never the collapsed borders";
    EXPECT_EQ(chosen.border(), 1.0);
    EXPECT_NEAR(chosen.columnWidthConstraints()[1].rawValue() + 2, 4.0 * TextDocumentWriter::kPixelsPerCm,
                1e-9);
    EXPECT_EQ(chosen.columnWidthConstraints()[1].type(), QTextLength::FixedLength);

    grid->setCurrentText(QStringLiteral("No grid lines"));
    chosen = dialog.Format();
    EXPECT_EQ(chosen.border(), 0.0);
    EXPECT_EQ(chosen.borderStyle(), QTextFrameFormat::BorderStyle_None);
    EXPECT_NEAR(chosen.columnWidthConstraints()[1].rawValue(), 4.0 * TextDocumentWriter::kPixelsPerCm, 1e-9)
        << "without frames the cell is the whole column";
    dialog.ColumnWidth(2)->setValue(0.0);
    EXPECT_EQ(dialog.Format().columnWidthConstraints()[2].type(), QTextLength::VariableLength);
}

TEST_F(EditorDialogsTest, ThePageSetupDialogRefusesAnUnusablePageWithTheReasonAndStaysOpen) {
    EditorPageSetup setup;
    EditorPageSetupDialog dialog(setup);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Page setup"));
    const QList<QDoubleSpinBox*> boxes = Boxes(dialog); // width, height, left, top, right, bottom
    ASSERT_EQ(boxes.size(), 6);
    EXPECT_DOUBLE_EQ(boxes[0]->value(), 210.0);
    EXPECT_DOUBLE_EQ(boxes[1]->value(), 297.0);
    EXPECT_DOUBLE_EQ(boxes[2]->value(), 30.0);
    EXPECT_EQ(dialog.Setup(), setup);

    boxes[2]->setValue(150.0);
    boxes[4]->setValue(100.0); // 250 mm of margins on a 210 mm page
    const EditorPageSetup unusable = dialog.Setup();
    const auto problem = ReportEditorRules::PageSetupProblem(unusable);
    ASSERT_TRUE(problem);
    dialog.show();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()) << "OK refused";
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    bool shown = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        shown = shown || label->text() == QString::fromStdString(*problem);
    }
    EXPECT_TRUE(shown) << "the reason is shown in the dialog";

    boxes[2]->setValue(25.5);
    boxes[4]->setValue(20.0);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Setup().left, 2550) << "hundredths of a millimetre";
}

} // namespace
} // namespace ixo

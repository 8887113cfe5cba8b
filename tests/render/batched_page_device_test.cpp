#include "render/batched_page_device.h"

#include "render/render_test_support.h"
#include "render/text_document_writer.h"

#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace ixo::test {
namespace {

// A page of a report: a heading, a framed table with bold and right-aligned cells, a cell with a
// coloured background (a fill of another colour than the text's) and a paragraph after it.
std::unique_ptr<TextDocumentWriter> Page() {
    auto writer = std::make_unique<TextDocumentWriter>();
    writer->InsertarTexto("OUTLET LEVELS (dBuV)\n", Atributos(14, false), true);
    const int table = writer->InsertarTabla(4, 3);
    writer->AnchosColumnas(table, {2.7, 1.2, 1.7});
    writer->TextoCelda(table, 1, 1, "FLATS");
    writer->FormatoCelda(table, 1, 1, false, false, true);
    writer->TextoCelda(table, 2, 2, "FREC.\n(MHz)");
    for (int row = 3; row <= 4; ++row) {
        writer->TextoCelda(table, row, 3, std::to_string(60 + row) + ".5");
    }
    writer->AlineacionCeldas(table, 3, Alineacion::Right, 3, 4);
    writer->TrasTabla();
    writer->InsertarTexto("\nMultiswitch output level\n", Atributos(12, true), true);
    QTextCursor cursor(&writer->Document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat marked;
    marked.setBackground(QColor(255, 230, 120));
    cursor.insertText(QStringLiteral("marked"), marked);
    return writer;
}

QImage Drawn(QTextDocument& document, bool batched) {
    QImage image(500, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter page(&image);
    const QRectF view(0, 0, 460, 360);
    auto draw = [&](QPainter& painter) {
        painter.translate(20.5, 15.25);
        painter.setClipRect(view);
        document.drawContents(&painter, view);
    };
    if (batched) {
        BatchedPageDevice device(page);
        QPainter body(&device);
        draw(body);
    } else {
        draw(page);
    }
    page.end();
    return image;
}

// The largest difference of a colour channel between the two images.
int LargestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

TEST(BatchedPageDevice, DrawsTheSamePageAsThePainterItPassesTo) {
    EnsureGui();
    const auto writer = Page();
    QTextDocument& document = writer->Document();
    document.setPageSize(QSizeF(460, 360));
    const QImage direct = Drawn(document, false);
    const QImage batched = Drawn(document, true);
    ASSERT_EQ(direct.size(), batched.size());
    // The frames are drawn after the text of their colour: the same pixels, but for the rounding of
    // two antialiased edges painted over each other in the other order.
    EXPECT_LE(LargestDifference(direct, batched), 2);
    // Something was drawn at all: the frames and the text in black.
    int dark = 0;
    for (int y = 0; y < batched.height(); ++y) {
        for (int x = 0; x < batched.width(); ++x) {
            dark += qRed(batched.pixel(x, y)) < 64 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 1000);
    bool background = false;
    for (int y = 0; y < direct.height() && !background; ++y) {
        for (int x = 0; x < direct.width() && !background; ++x) {
            background = batched.pixel(x, y) == qRgb(255, 230, 120);
        }
    }
    EXPECT_TRUE(background) << "a fill of another colour is drawn in its place";
}

TEST(BatchedPageDevice, DecoratedTextIsFound) {
    EnsureGui();
    auto writer = Page();
    EXPECT_FALSE(HasDecoratedText(writer->Document()));
    const int table = writer->InsertarTabla(1, 1);
    writer->TextoCelda(table, 1, 1, "x");
    writer->FormatoCelda(table, 1, 1, false, true, false); // underlined
    writer->TrasTabla();
    EXPECT_TRUE(HasDecoratedText(writer->Document())) << "drawn on the page directly";
}

} // namespace
} // namespace ixo::test

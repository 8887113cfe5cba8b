// ixo-manual: turns the user manual's Markdown source into the PDF the Help command opens ("Ixo.pdf"
// beside the programs). Runs at build time without a display.
//
//   ixo-manual MANUAL.md OUT.pdf
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The manual's pictures are window screenshots, wider than a page: each is shown at most as wide as the
// text. Returns the number of pictures that could not be read.
int FitPictures(QTextDocument& document, const QString& folder, qreal textWidth) {
    struct Picture {
        int position;
        int length;
        QTextImageFormat format;
    };
    // Gathered first: changing a format while walking the fragments would split them under the walk.
    std::vector<Picture> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid() && fragment.charFormat().isImageFormat()) {
                pictures.push_back(
                    {fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
            }
        }
    }
    int missing = 0;
    for (Picture& picture : pictures) {
        const QImage image(folder + QLatin1Char('/') + picture.format.name());
        if (image.isNull()) {
            std::fprintf(stderr, "ixo-manual: cannot read the picture %s\n",
                         qPrintable(picture.format.name()));
            ++missing;
            continue;
        }
        const qreal width = std::min<qreal>(image.width(), textWidth);
        picture.format.setWidth(width);
        picture.format.setHeight(image.height() * width / image.width());
        QTextCursor cursor(&document);
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture.format);
    }
    return missing;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ixo-manual MANUAL.md OUT.pdf\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "ixo-manual: cannot read %s: %s\n", argv[1], qPrintable(source.errorString()));
        return 2;
    }
    QTextDocument document;
    // Pictures are named relative to the manual's folder.
    const QString folder = QFileInfo(source.fileName()).absolutePath();
    document.setBaseUrl(QUrl::fromLocalFile(folder + QLatin1Char('/')));
    document.setMarkdown(QString::fromUtf8(source.readAll()));
    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setTitle(QStringLiteral("Ixo user manual"));
    writer.setResolution(96); // the document is laid out at screen resolution: pages of readable text
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    document.setPageSize(writer.pageLayout().paintRectPixels(writer.resolution()).size());
    if (FitPictures(document, folder, document.pageSize().width() - 2 * document.documentMargin()) > 0) {
        return 3;
    }
    document.print(&writer);
    QFile written(QString::fromLocal8Bit(argv[2]));
    if (!written.exists() || written.size() == 0) {
        std::fprintf(stderr, "ixo-manual: cannot write %s\n", argv[2]);
        return 3;
    }
    return EXIT_SUCCESS;
}

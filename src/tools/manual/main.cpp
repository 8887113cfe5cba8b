// ixo-manual: turns the user manual's Markdown source into the PDF the Help command opens ("Ixo.pdf"
// beside the programs). Runs at build time without a display.
//
//   ixo-manual MANUAL.md OUT.pdf
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

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
    document.setMarkdown(QString::fromUtf8(source.readAll()));
    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setTitle(QStringLiteral("Ixo user manual"));
    writer.setResolution(96); // the document is laid out at screen resolution: pages of readable text
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    document.setPageSize(writer.pageLayout().paintRectPixels(writer.resolution()).size());
    document.print(&writer);
    QFile written(QString::fromLocal8Bit(argv[2]));
    if (!written.exists() || written.size() == 0) {
        std::fprintf(stderr, "ixo-manual: cannot write %s\n", argv[2]);
        return 3;
    }
    return EXIT_SUCCESS;
}

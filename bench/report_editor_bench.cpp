// The report editor opening a report as the window does (Reports > Open, and every report created):
// the file read into the document, shown on the sheet and laid out to its end (the page count in the
// status bar). The report is the file named by IXO_REPORT_FILE (bench/report_documents.sh writes the
// outlet levels report of the largest building); without it, a report of 12,800 table rows made here.
#include "render/text_document_writer.h"
#include "ui/report_editor/report_editor_window.h"
#include "ui/report_editor/report_view.h"

#include <QApplication>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <benchmark/benchmark.h>

namespace {

void EnsureApplication() {
    static QApplication* application = [] {
        static int argc = 1;
        static char name[] = "report_editor_bench";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv); // kept to the end (see window_bench)
    }();
    static_cast<void>(application);
}

// A report like the outlet levels: one 10-column table row per outlet, a page break every 50 rows.
std::string MadeReport() {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "ixo_report_editor_bench.html";
    ixo::TextDocumentWriter writer;
    for (int part = 0; part < 256; ++part) {
        writer.InsertarTexto("STAIR " + std::to_string(part) + "\n", ixo::Atributos(12, true), true);
        const int table = writer.InsertarTabla(50, 10);
        for (int row = 1; row <= 50; ++row) {
            for (int column = 1; column <= 10; ++column) {
                writer.TextoCelda(table, row, column, std::to_string(60 + (row * column) % 30) + ".5");
            }
        }
        writer.TrasTabla();
        writer.SaltoPagina();
    }
    if (!writer.Guardar(file)) {
        std::fprintf(stderr, "cannot write %s\n", file.string().c_str());
        std::exit(1);
    }
    return file.string();
}

void OpenInEditor(benchmark::State& state) {
    EnsureApplication();
    const char* named = std::getenv("IXO_REPORT_FILE");
    const std::string file = named != nullptr ? named : MadeReport();
    for (auto _ : state) {
        ixo::ReportEditorWindow editor;
        editor.showError = [](const QString&, const QString& text) {
            std::fprintf(stderr, "%s\n", text.toUtf8().constData());
        };
        if (!editor.OpenFile(QString::fromStdString(file))) {
            state.SkipWithError("the report could not be opened");
            return;
        }
        editor.show();
        // Laid out to its end: the sheet's height and the page count need the whole layout.
        benchmark::DoNotOptimize(editor.PageText());
        QApplication::processEvents();
        state.counters["pages"] = editor.PageText().section(QLatin1Char(' '), 3, 3).toInt();
    }
}
BENCHMARK(OpenInEditor)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();

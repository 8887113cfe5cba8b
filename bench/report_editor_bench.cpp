// The report editor opening a report as the window does (Reports > Open): the file read into the
// document and the window shown with the sheet's first page drawn, which is what the user waits for
// (the time of the benchmark); then, as the window idles, the document laid out to its end and the
// page count in the status bar (counter laid_out_s, from the start of the opening). The report is the
// file named by IXO_REPORT_FILE (bench/report_documents.sh writes the outlet levels report of the
// largest building); without it, a report of 12,800 table rows made here. With IXO_REPORT_PDF, the
// opened report is exported there too (not timed).
#include "builder/nuevo_proyecto.h"
#include "building/proyecto.h"
#include "render/text_document_writer.h"
#include "reports/informe.h"
#include "reports/report_progress.h"
#include "ui/report_editor/report_editor_window.h"
#include "ui/report_editor/report_view.h"

#include <QApplication>
#include <QTextDocument>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "demo_buildings.h"

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
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t startCpu = std::clock();
        ixo::ReportEditorWindow editor;
        editor.showError = [](const QString&, const QString& text) {
            std::fprintf(stderr, "%s\n", text.toUtf8().constData());
        };
        if (!editor.OpenFile(QString::fromStdString(file))) {
            state.SkipWithError("the report could not be opened");
            return;
        }
        editor.show();
        // The first page drawn: the window grabbed as the screen would show it.
        benchmark::DoNotOptimize(editor.grab());
        const auto shown = std::chrono::steady_clock::now();
        const std::clock_t shownCpu = std::clock();
        while (!editor.View()->LaidOut()) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        editor.UpdateCommands();
        const auto laidOut = std::chrono::steady_clock::now();
        const std::clock_t laidOutCpu = std::clock();
        if (const char* pdf = std::getenv("IXO_REPORT_PDF")) {
            // The document as the editor exports it, to compare pages before and after a change.
            if (!editor.ExportPdf(QString::fromUtf8(pdf))) {
                state.SkipWithError("the report could not be exported");
                return;
            }
        }
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
        state.counters["laid_out_s"] = std::chrono::duration<double>(laidOut - start).count();
        state.counters["pages"] = editor.PageText().section(QLatin1Char(' '), 3, 3).toInt();
        // The processor time too: on a shared machine the wall time depends on the others' load.
        std::fprintf(stderr,
                     "report editor: shown in %.2f s (%.2f s of processor), laid out to its end (%s) in "
                     "%.2f s (%.2f s of processor)\n",
                     std::chrono::duration<double>(shown - start).count(),
                     static_cast<double>(shownCpu - startCpu) / CLOCKS_PER_SEC,
                     editor.StatusPageText().toUtf8().constData(),
                     std::chrono::duration<double>(laidOut - start).count(),
                     static_cast<double>(laidOutCpu - startCpu) / CLOCKS_PER_SEC);
    }
}
BENCHMARK(OpenInEditor)->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();

// Reports > Create for the outlet levels of the largest building (8 stairs x 100 floors x 4 flats x 4
// outlets, 16 polarities), as the window does it: the report written, saved beside the project as HTML
// and shown in the editor with its first page drawn (the project is made first, not timed).
void CreateInEditor(benchmark::State& state) {
    EnsureApplication();
    ixo::TalmacenElementos* store = ixo::bench::DemoStore();
    if (store == nullptr) {
        state.SkipWithError("the demo catalogue is missing: build the project first");
        return;
    }
    ixo::NuevoProyecto created =
        ixo::CrearProyectoDesdeAsistente(*store, ixo::bench::RegularBuilding(8, 100, 4, 4, 16),
                                         ixo::DefaultSettings(), ixo::DefaultLevelLimits(), ixo::NoProgress());
    created.Proyecto->NombreFichero =
        (std::filesystem::temp_directory_path() / "ixo_report_editor_bench.XPJ").string();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t startCpu = std::clock();
        auto writer = std::make_unique<ixo::TextDocumentWriter>();
        if (ixo::GenerarInforme(ixo::kInformeNiveles, *created.Proyecto, *writer, ixo::NoReportProgress()) !=
                ixo::ReportOutcome::Written ||
            !ixo::GuardarInforme(*created.Proyecto, ixo::kInformeNiveles, *writer)) {
            state.SkipWithError("the report was not written");
            return;
        }
        const QString file =
            QString::fromStdString(ixo::FicheroInforme(*created.Proyecto, ixo::kInformeNiveles).string());
        ixo::ReportEditorWindow editor;
        editor.ShowDocument(std::move(writer), file);
        editor.show();
        benchmark::DoNotOptimize(editor.grab());
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC;
        state.SetIterationTime(seconds);
        std::fprintf(stderr, "report created and shown in %.2f s (%.2f s of processor)\n", seconds, cpu);
        std::filesystem::remove(file.toStdString());
    }
}
BENCHMARK(CreateInEditor)->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();

} // namespace

BENCHMARK_MAIN();

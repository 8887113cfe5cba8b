#pragma once

#include "reports/lista_materiales.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace ixo {

class DocumentWriter;
class ReportProgress;
class Tproyecto;

// The two reports, by index.
inline constexpr int kInformeMateriales = 0;
inline constexpr int kInformeNiveles = 1;
inline constexpr std::array<std::string_view, 2> kNombresInformes = {"List of materials", "Outlet levels"};

// The report's name, or empty for an index that is not a report.
std::string_view NombreInforme(int index);

enum class ReportOutcome {
    Written,   // the document holds the whole report
    Cancelled, // the user stopped it: the document is incomplete and must not be saved
    Failed,    // an error stopped it (what, in ReportFailure)
};

// Generates report `index` (0 list of materials, 1 outlet levels) into the writer's document through
// the document writer, with its page header and footer. The outlet levels report changes the flats'
// polarities while it runs and leaves them as they were. `articles` gives codes and descriptions (the
// catalogue of the project's store when empty).
[[nodiscard]] ReportOutcome GenerarInforme(int index, Tproyecto& project, DocumentWriter& writer,
                                           ReportProgress& progress, ArticleLookup articles = {});
// Why the last GenerarInforme of this thread failed.
const std::string& ReportFailure();

// Where a report is saved beside its project: the project's folder, its file name without extension,
// "_", the report's name and extension (".html": the document format of the report writer).
std::filesystem::path FicheroInforme(const Tproyecto& project, int index,
                                     std::string_view extension = ".html");

// Saves a generated report beside its project (FicheroInforme); false with the reason in LastFileError().
[[nodiscard]] bool GuardarInforme(const Tproyecto& project, int index, DocumentWriter& writer);

} // namespace ixo

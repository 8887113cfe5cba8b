#include "reports/informe.h"

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "common/file_replace.h"
#include "reports/document_writer.h"
#include "reports/niveles_tomas_informe.h"
#include "reports/report_progress.h"

#include <exception>
#include <new>

namespace ixo {

namespace {

std::string& FailureText() {
    thread_local std::string text;
    return text;
}

ReportOutcome Generar(int index, Tproyecto& project, DocumentWriter& writer, ReportProgress& progress,
                      const ArticleLookup& articles) {
    if (index == kInformeMateriales) {
        progress.SetMaximum(static_cast<int>(project.Escaleras().Count()) + 1);
        const auto lines = ListaMateriales(project, articles ? articles : ArticlesOf(project), progress);
        if (!lines) {
            return ReportOutcome::Cancelled;
        }
        EscribirListaMateriales(writer, *lines, project.Preferencias().HD_ICTERR);
        progress.Step();
        writer.CabeceraPie("", "", "");
        return ReportOutcome::Written;
    }
    // Polarity, outlet tables, headend, amplifiers.
    progress.SetMaximum(4);
    if (!EscribirNivelesTomas(project, writer, progress)) {
        return ReportOutcome::Cancelled;
    }
    writer.CabeceraPie(NombreInforme(index), "", "");
    return ReportOutcome::Written;
}

} // namespace

std::string_view NombreInforme(int index) {
    if (index < 0 || index >= static_cast<int>(kNombresInformes.size())) {
        return {};
    }
    return kNombresInformes[static_cast<std::size_t>(index)];
}

const std::string& ReportFailure() {
    return FailureText();
}

ReportOutcome GenerarInforme(int index, Tproyecto& project, DocumentWriter& writer, ReportProgress& progress,
                             ArticleLookup articles) {
    FailureText().clear();
    if (NombreInforme(index).empty()) {
        FailureText() = "there is no report " + std::to_string(index);
        return ReportOutcome::Failed;
    }
    progress.SetCaption(NombreInforme(index));
    try {
        return Generar(index, project, writer, progress, articles);
    } catch (const std::bad_alloc&) {
        throw; // not a fault of the report: the caller says what it is
    } catch (const std::exception& error) {
        FailureText() = std::string(NombreInforme(index)) + ": " + error.what();
        return ReportOutcome::Failed;
    }
}

std::filesystem::path FicheroInforme(const Tproyecto& project, int index, std::string_view extension) {
    const std::filesystem::path projectFile = project.NombreFichero.empty()
                                                  ? std::filesystem::path(Tproyecto::kNombreFicheroPorDefecto)
                                                  : std::filesystem::path(project.NombreFichero);
    std::string name = projectFile.stem().string();
    name += "_";
    name += NombreInforme(index);
    name += extension;
    return projectFile.parent_path() / name;
}

bool GuardarInforme(const Tproyecto& project, int index, DocumentWriter& writer) {
    if (NombreInforme(index).empty()) {
        SetLastFileError("there is no report " + std::to_string(index));
        return false;
    }
    return writer.Guardar(FicheroInforme(project, index));
}

} // namespace ixo

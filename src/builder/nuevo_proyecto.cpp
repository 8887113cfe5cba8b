#include "builder/nuevo_proyecto.h"

#include "builder/instalacion.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/wizard_preferences.h"
#include "common/progress.h"
#include "levels/comprobacion_tomas.h"

namespace ixo {

NuevoProyecto CrearProyectoDesdeAsistente(TalmacenElementos& store, const WizardResults& wizard,
                                          const SettingsRecord& settings, const TMatestructuranivel& limits,
                                          Progress& progress) {
    NuevoProyecto result;
    result.Proyecto = TPrimerComponente::CreateRoot<Tproyecto>();
    Tproyecto& project = *result.Proyecto;
    project.SetName("Proyecto");
    project.SetAlmacen(&store);
    ApplyWizardToPreferences(project, wizard, settings, limits);
    progress.SetCaption("Build the installation");
    progress.SetMaximum(2 * wizard.Nverticales);
    progress.SetPosition(0);
    project.AvanzarProgreso = [&progress]() { progress.Step(); };
    project.IniciarProyecto();
    project.AvanzarProgreso = nullptr;
    if (progress.CancelRequested()) {
        return result;
    }
    result.Resultado = ConstruirInstalacion(project, progress);
    ComprobarErrores(project);
    return result;
}

} // namespace ixo

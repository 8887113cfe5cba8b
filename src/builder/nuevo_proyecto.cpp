#include "builder/nuevo_proyecto.h"

#include "builder/instalacion.h"
#include "common/progress.h"
#include "project/preferencias_proyecto.h"
#include "project/proyecto.h"

namespace ixo {

void ApplyWizardToPreferences(Tproyecto& project, const WizardResults& wizard, const SettingsRecord& settings,
                              const TMatestructuranivel& limits) {
    TpreferenciasProyecto& preferences = project.Preferencias();
    preferences.CopiarRegistro(settings);
    preferences.AsignarNiveles(limits);
    preferences.TipoDistribucionCab = wizard.TipoDistribucionCab;
    preferences.Npolaridades = wizard.Npolaridades;
    preferences.Nverticales = wizard.Nverticales;
    preferences.Nplantas = wizard.Nplantas;
    preferences.VertHeader = wizard.VertHeader;
    preferences.Nviv = wizard.Nviv;
    preferences.TipoDistribucionViv = wizard.TipoDistribucionViv;
    preferences.NoutletViv = wizard.NoutletViv;
    preferences.AsignarDisViv(wizard.DisViv);
    SettingsRecord adjusted = preferences.Registro();
    AdjustPreferencesForFamily5005(adjusted, preferences.Npolaridades);
    preferences.CopiarRegistro(adjusted);
}

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
    project.ComprobarErrores();
    return result;
}

} // namespace ixo

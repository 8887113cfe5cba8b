#include "building/wizard_preferences.h"

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"

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

} // namespace ixo

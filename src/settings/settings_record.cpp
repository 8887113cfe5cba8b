#include "settings/settings_record.h"

namespace ixo {

SettingsRecord DefaultSettings() {
    SettingsRecord r;
    r.DistanciaEscaleras = 15;
    r.DistanciaPlantas = 3;
    r.DistanciaTomas = 5;
    r.Viv_FamiliaTomasES = 5;
    r.Viv_FamiliaTomascascada = 4;
    r.Viv_FamiliaRepartidores = 1002;
    r.Viv_ModeloCable = 24;
    r.Viv_FamiliaCable = 9001;
    r.DIs_DModeloCable = 30;
    r.DIs_DFamiliaCable = 9001;
    r.DIs_FModeloCable = 24;
    r.DIs_FFamiliaCable = 9001;
    r.Dis_FAMMSCAS = 5001;
    r.ConInyector = 1;
    r.DIS_MODELOINYECTOR = 200;
    r.DIS_FAMILIAINYECTOR = 7500;
    r.DIS_MODELOFUENTE = 2;
    r.DIS_FAMILIAFUENTE = 7000;
    r.DIS_HDISModeloCable = 26;
    r.DIS_HDISFamiliaCable = 9001;
    r.DIS_Final_CAscada = 0;
    r.HD_HModeloCable = 24;
    r.HD_HFamiliaCable = 9001;
    r.HD_FAMMS4POL = 5012;
    r.HD_FAMMS8POL = 5023;
    r.HD_ModeloParabola = 10;
    r.HD_FamiliaParabola = 3510;
    r.HD_ModeloAmpFi = 1;
    r.HD_FamiliaAmpFi = 4925;
    r.HD_FAM_REP_CAB = 1002;
    r.LV_TERR = 100;
    r.LV_FI = 80;
    r.HD_ICTERR = true;
    r.Viv_FamiliaAmplificador = 39000;
    r.HD_FAMMS16POL = 5030;
    r.DIS_FAMILIAMS16POL = 5100;
    r.HD_ModeloAmpFi16 = 1000;
    r.HD_FamiliaAmpFi16 = 4950;
    r.DIS_FAMILIAMS8POL = 5200;
    r.HD_ModeloAmpFI8 = 2000;
    r.HD_FamiliaAmpFI8 = 41000;
    return r;
}

} // namespace ixo

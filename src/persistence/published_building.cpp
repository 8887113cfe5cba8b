// The published properties of the project, the building classes and the preferences, class by class in
// declaration order.
#include "persistence/published_properties.h"

#include "model/cable_tv.h"
#include "model/componente_base.h"
#include "building/escalera.h"
#include "building/lista_niveles.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"

namespace ixo {
namespace {

using Names = std::vector<std::string>;

template <typename T> Names NamesOf(const NamedList<T>& list) {
    Names names;
    for (const auto& entry : list) {
        names.push_back(entry.Name);
    }
    return names;
}

// A list of the building model read back: entries with names only, the objects attached later.
template <typename T> void SetNames(NamedList<T>& list, const Names& names) {
    list.Clear();
    for (const std::string& name : names) {
        list.Add(name, nullptr);
    }
}

void DeclareProject(PublishedPropertyTable& table) {
    table.Declare<Tproyecto>()
        .Accessor<Names>(
            "Escaleras", PropertyKind::StringList, [](const Tproyecto& p) { return NamesOf(p.Escaleras()); },
            [](Tproyecto& p, const Names& v) { SetNames(p.Escaleras(), v); })
        .Boolean("finalizadocalculoTV", &Tproyecto::finalizadocalculoTV)
        .Accessor<Names>(
            "Datosproyecto", PropertyKind::StringList, [](const Tproyecto& p) { return p.Datosproyecto(); },
            [](Tproyecto& p, const Names& v) { p.SetDatosproyecto(v); })
        .Boolean("cajetinvisible", &Tproyecto::cajetinvisible)
        .Float("Altocajetin", &Tproyecto::Altocajetin)
        .Float("AnchoCajetin", &Tproyecto::AnchoCajetin);
}

void DeclareBuilding(PublishedPropertyTable& table) {
    table.Declare<TEscalera>().Accessor<Names>(
        "ListaPlantas", PropertyKind::StringList,
        [](const TEscalera& e) { return NamesOf(e.ListaPlantas()); },
        [](TEscalera& e, const Names& v) { SetNames(e.ListaPlantas(), v); });
    table.Declare<tplanta>()
        .String("NombreEscalera", &tplanta::NombreEscalera)
        .Accessor<Names>(
            "ETV", PropertyKind::StringList, [](const tplanta& p) { return NamesOf(p.ETV()); },
            [](tplanta& p, const Names& v) { SetNames(p.ETV(), v); })
        .Accessor<Names>(
            "LViviendas", PropertyKind::StringList, [](const tplanta& p) { return NamesOf(p.LViviendas()); },
            [](tplanta& p, const Names& v) { SetNames(p.LViviendas(), v); })
        .Boolean("HeaderPl", &tplanta::HeaderPl)
        .Integer("Nivel", &tplanta::Nivel);
    table.Declare<Tvivienda>()
        .Accessor<std::int64_t>(
            "Topologia", PropertyKind::Integer, [](const Tvivienda& v) { return v.Topologia(); },
            [](Tvivienda& v, std::int64_t x) { v.SetTopologia(static_cast<std::int32_t>(x)); })
        .Accessor<std::int64_t>(
            "Numtomas", PropertyKind::Integer, [](const Tvivienda& v) { return v.Numtomas(); },
            [](Tvivienda& v, std::int64_t x) { v.SetNumtomas(static_cast<std::int32_t>(x)); })
        .String("Nombreplanta", &Tvivienda::Nombreplanta)
        .Accessor<Names>(
            "ETV", PropertyKind::StringList, [](const Tvivienda& v) { return NamesOf(v.ETV()); },
            [](Tvivienda& v, const Names& x) { SetNames(v.ETV(), x); })
        .String("NombreViv", &Tvivienda::NombreViv)
        .Integer("ModeloAmpliInt", &Tvivienda::ModeloAmpliInt)
        .Integer("FamiliaAmpliInt", &Tvivienda::FamiliaAmpliInt);
}

void DeclarePreferences(PublishedPropertyTable& table) {
    using P = TpreferenciasProyecto;
    table
        .Declare<P>()
        // The preferences record (the settings record's fields; the in-flat amplifier family is not a
        // published property and is not stored with the project).
        .Float("DistanciaEscaleras", &P::DistanciaEscaleras)
        .Float("DistanciaPlantas", &P::DistanciaPlantas)
        .Float("DistanciaTomas", &P::DistanciaTomas)
        .Integer("Viv_FamiliaTomasES", &P::Viv_FamiliaTomasES)
        .Integer("Viv_FamiliaTomascascada", &P::Viv_FamiliaTomascascada)
        .Integer("Viv_FamiliaRepartidores", &P::Viv_FamiliaRepartidores)
        .Integer("Viv_ModeloCable", &P::Viv_ModeloCable)
        .Integer("Viv_FamiliaCable", &P::Viv_FamiliaCable)
        .Integer("DIs_DModeloCable", &P::DIs_DModeloCable)
        .Integer("DIs_DFamiliaCable", &P::DIs_DFamiliaCable)
        .Integer("DIs_FModeloCable", &P::DIs_FModeloCable)
        .Integer("DIs_FFamiliaCable", &P::DIs_FFamiliaCable)
        .Integer("Dis_FAMMSCAS", &P::Dis_FAMMSCAS)
        .Integer("ConInyector", &P::ConInyector)
        .Integer("DIS_MODELOINYECTOR", &P::DIS_MODELOINYECTOR)
        .Integer("DIS_FAMILIAINYECTOR", &P::DIS_FAMILIAINYECTOR)
        .Integer("DIS_MODELOFUENTE", &P::DIS_MODELOFUENTE)
        .Integer("DIS_FAMILIAFUENTE", &P::DIS_FAMILIAFUENTE)
        .Integer("DIS_HDISModeloCable", &P::DIS_HDISModeloCable)
        .Integer("DIS_HDISFamiliaCable", &P::DIS_HDISFamiliaCable)
        .Integer("DIS_Final_CAscada", &P::DIS_Final_CAscada)
        .Integer("HD_HModeloCable", &P::HD_HModeloCable)
        .Integer("HD_HFamiliaCable", &P::HD_HFamiliaCable)
        .Integer("HD_FAMMS4POL", &P::HD_FAMMS4POL)
        .Integer("HD_FAMMS8POL", &P::HD_FAMMS8POL)
        .Integer("HD_ModeloParabola", &P::HD_ModeloParabola)
        .Integer("HD_FamiliaParabola", &P::HD_FamiliaParabola)
        .Integer("HD_ModeloAmpFi", &P::HD_ModeloAmpFi)
        .Integer("HD_FamiliaAmpFi", &P::HD_FamiliaAmpFi)
        .Integer("HD_FAM_REP_CAB", &P::HD_FAM_REP_CAB)
        .Float("LV_TERR", &P::LV_TERR)
        .Float("LV_FI", &P::LV_FI)
        .Boolean("HD_ICTERR", &P::HD_ICTERR)
        .Integer("HD_FAMMS16POL", &P::HD_FAMMS16POL)
        .Integer("DIS_FAMILIAMS16POL", &P::DIS_FAMILIAMS16POL)
        .Integer("HD_ModeloAmpFi16", &P::HD_ModeloAmpFi16)
        .Integer("HD_FamiliaAmpFi16", &P::HD_FamiliaAmpFi16)
        .Integer("DIS_FAMILIAMS8POL", &P::DIS_FAMILIAMS8POL)
        .Integer("HD_ModeloAmpFI8", &P::HD_ModeloAmpFI8)
        .Integer("HD_FamiliaAmpFI8", &P::HD_FamiliaAmpFI8)
        // The building shape from the wizard (the flats table is binary data "DisViv").
        .Integer("NoutletViv", &P::NoutletViv)
        .Integer("Npolaridades", &P::Npolaridades)
        .Integer("VertHeader", &P::VertHeader)
        .Integer("TipoDistribucionViv", &P::TipoDistribucionViv)
        .Integer("Nviv", &P::Nviv)
        .Integer("TipoDistribucionCab", &P::TipoDistribucionCab)
        .Integer("Nverticales", &P::Nverticales)
        .Integer("Nplantas", &P::Nplantas)
        .Accessor<Names>(
            "ListaCables", PropertyKind::StringList, [](const P& p) { return NamesOf(p.ListaCables()); },
            [](P& p, const Names& v) { p.SetListaCablesNames(v); });
    table.Declare<Tlistaobjetonivel>();
}

} // namespace

void DeclareBuildingProperties(PublishedPropertyTable& table) {
    DeclareProject(table);
    DeclareBuilding(table);
    DeclarePreferences(table);
}

} // namespace ixo

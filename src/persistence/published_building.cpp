// The published properties of the project, the building classes and the preferences, class by class in
// declaration order.
#include "persistence/published_properties.h"

#include "building/escalera.h"
#include "building/lista_niveles.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/cable_tv.h"
#include "model/componente_base.h"
#include "settings/settings_keys.h"

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

// The settings block's published properties: every stored field of the settings record, in its order.
template <typename T> void DeclareSettingsBlock(PropertyDeclarer<T>& declarer) {
    struct Declare {
        void operator()(double SettingsRecord::*member) const { declarer.Float(name, member); }
        void operator()(std::int32_t SettingsRecord::*member) const { declarer.Integer(name, member); }
        void operator()(bool SettingsRecord::*member) const { declarer.Boolean(name, member); }
        PropertyDeclarer<T>& declarer;
        std::string name;
    };
    for (const SettingField& field : SettingFields()) {
        if (field.storedWithProject) {
            std::visit(Declare{declarer, std::string(field.property)}, field.member);
        }
    }
}

void DeclarePreferences(PublishedPropertyTable& table) {
    using P = TpreferenciasProyecto;
    PropertyDeclarer<P> declarer = table.Declare<P>();
    // The preferences record (the settings record's fields).
    DeclareSettingsBlock(declarer);
    declarer
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

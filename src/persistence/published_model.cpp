// The published properties of the element classes, class by class in declaration order: what each class
// stores in its component stream besides its binary data.
#include "persistence/published_properties.h"

#include "model/alimentador.h"
#include "model/ampli_base.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/cable_tv.h"
#include "model/cbft.h"
#include "model/componente_base.h"
#include "model/disecq.h"
#include "model/especial.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "model/pc_lector_fichero.h"
#include "model/pin.h"
#include "model/pin_base.h"
#include "model/potenciometro.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"

#include "catalogue/tabla_compo_script.h"

namespace ixo {
namespace {

using Names = std::vector<std::string>;

Names PinNames(const PinList& pins) {
    Names names;
    for (const TPin* pin : pins) {
        names.push_back(pin->NombrePinExterno);
    }
    return names;
}

Names ControlNames(const ControlList& controls) {
    Names names;
    for (const TPotenciometroBase8* control : controls) {
        names.push_back(control->Name());
    }
    return names;
}

// A pin list property of an element: the NombrePinExterno of its pins; reading keeps the names for the
// pins read afterwards.
void PinListProperty(PropertyDeclarer<TComponenteBase>& declare, std::string name, PinKind kind) {
    declare.Accessor<Names>(
        std::move(name), PropertyKind::StringList,
        [kind](const TComponenteBase& e) { return PinNames(e.PinsOf(kind)); },
        [kind](TComponenteBase& e, const Names& names) { e.SetStoredPinNames(kind, names); });
}

void DeclareRoots(PublishedPropertyTable& table) {
    table.Declare<TPrimerComponente>().Accessor<std::int64_t>(
        "Numero_Interno", PropertyKind::Integer,
        [](const TPrimerComponente& c) { return c.Numero_Interno(); },
        [](TPrimerComponente& c, std::int64_t v) { c.SetNumero_Interno(static_cast<std::int32_t>(v)); });
    table.Declare<TPadreTV>();
    table.Declare<TPCLectorFichero>()
        .Integer("Familia", &TPCLectorFichero::Familia)
        .Integer("Indice", &TPCLectorFichero::Indice)
        .String("Descripcion", &TPCLectorFichero::Descripcion)
        .String("Modelo", &TPCLectorFichero::Modelo)
        // Stored as "<table>.Owner" and not resolved when read: the class's constructor gives the table.
        .Accessor<std::string>(
            "Tabla", PropertyKind::Reference,
            [](const TPCLectorFichero& e) { return ReferenceIdentifier(e.Tabla); },
            [](TPCLectorFichero&, const std::string&) {})
        .Boolean("Obsoleto", &TPCLectorFichero::Obsoleto);
}

void DeclarePins(PublishedPropertyTable& table) {
    table.Declare<TPinbase>()
        .Char("Prefijo", &TPinbase::Prefijo)
        .Char("TipodePin", &TPinbase::TipodePin)
        .Integer("Numeroarray", &TPinbase::Numeroarray)
        .Integer("Numeracion", &TPinbase::Numeracion)
        .Float("MetrosCable", &TPinbase::MetrosCable)
        .String("NombrePinExterno", &TPinbase::NombrePinExterno)
        .Integer("polaridad", &TPinbase::polaridad);
    table.Declare<TPin>();
}

void DeclareElementBases(PublishedPropertyTable& table) {
    auto element = table.Declare<TComponenteBase>();
    element.Integer("NumeroArray", &TComponenteBase::NumeroArray)
        .Integer("Nsalidas", &TComponenteBase::Nsalidas)
        .Integer("Nderivaciones", &TComponenteBase::Nderivaciones);
    PinListProperty(element, "PinesENTRADA", PinKind::Input);
    PinListProperty(element, "PinesDERIVACION", PinKind::Tap);
    PinListProperty(element, "PinesSALIDA", PinKind::Output);
    element.Integer("Nentradas", &TComponenteBase::Nentradas);

    table.Declare<TCBFT>()
        .Boolean("Nocontabilizardoble", &TCBFT::Nocontabilizardoble)
        .Integer("Npolaridades", &TCBFT::Npolaridades)
        .Float("Consumolin", &TCBFT::Consumolin)
        .Accessor<std::string>(
            "Eledoblenombre", PropertyKind::String, [](const TCBFT& e) { return e.Eledoblenombre(); },
            [](TCBFT& e, const std::string& v) { e.SetEledoblenombre(v); })
        .Integer("FamiliaHermana", &TCBFT::FamiliaHermana)
        .Accessor<std::string>(
            "EletripleNombre", PropertyKind::String, [](const TCBFT& e) { return e.EletripleNombre(); },
            [](TCBFT& e, const std::string& v) { e.SetEletripleNombre(v); })
        .Integer("ConsumoPasivo", &TCBFT::ConsumoPasivo)
        .Integer("ConsumoActivo", &TCBFT::ConsumoActivo)
        .Integer("CorrienteMaxima", &TCBFT::CorrienteMaxima);
}

void DeclareCables(PublishedPropertyTable& table) {
    table.Declare<TCableTVBase>()
        .Boolean("Exterior", &TCableTVBase::Exterior)
        .Integer("RadioCurvatura", &TCableTVBase::RadioCurvatura)
        .Integer("Impedancia", &TCableTVBase::Impedancia)
        .Float("Diametro", &TCableTVBase::Diametro)
        .String("Referencia", &TCableTVBase::Referencia);
    table.Declare<TCableTV>()
        .Boolean("InteriorVivienda", &TCableTV::InteriorVivienda)
        .Integer("Tipoconector", &TCableTV::Tipoconector)
        .Integer("tipotramo", &TCableTV::tipotramo)
        .Float("Metros", &TCableTV::Metros)
        .Integer("NumCables", &TCableTV::NumCables);
}

void DeclareAmplifiers(PublishedPropertyTable& table) {
    table.Declare<TPotenciometroBase8>()
        .Byte("Tipo", &TPotenciometroBase8::Tipo)
        .Float("Ajuste", &TPotenciometroBase8::Ajuste)
        .Integer("Regulacion", &TPotenciometroBase8::Regulacion)
        .String("Caption", &TPotenciometroBase8::Caption)
        .Byte("Tipo2", &TPotenciometroBase8::Tipo2)
        .Boolean("Potvisible", &TPotenciometroBase8::Potvisible)
        .Integer("PotPol", &TPotenciometroBase8::PotPol);
    table.Declare<TPotenciometro>();

    table.Declare<TAmpliBase>()
        .Boolean("Exterior", &TAmpliBase::Exterior)
        .Boolean("FIncorporada", &TAmpliBase::FIncorporada)
        .Boolean("SalidaTest", &TAmpliBase::SalidaTest)
        .Integer("Localizacion", &TAmpliBase::Localizacion)
        .Integer("NPP", &TAmpliBase::NPP)
        .Integer("NPG", &TAmpliBase::NPG)
        .Integer("NivelSalidaTest", &TAmpliBase::NivelSalidaTest)
        .Float("ConsumoP", &TAmpliBase::ConsumoP)
        .Accessor<Names>(
            "LPP", PropertyKind::StringList, [](const TAmpliBase& a) { return ControlNames(a.LPP()); },
            [](TAmpliBase& a, const Names& v) { a.SetStoredControlNames(true, v); })
        .Accessor<Names>(
            "LPG", PropertyKind::StringList, [](const TAmpliBase& a) { return ControlNames(a.LPG()); },
            [](TAmpliBase& a, const Names& v) { a.SetStoredControlNames(false, v); })
        .Boolean("PotJuntos", &TAmpliBase::PotJuntos)
        .Boolean("Igualando", &TAmpliBase::Igualando)
        .Integer("NPOTPREALES", &TAmpliBase::NPOTPREALES)
        .Integer("NPOTGREALES", &TAmpliBase::NPOTGREALES)
        .Boolean("interiorviv", &TAmpliBase::interiorviv)
        .Integer("modelofuente", &TAmpliBase::modelofuente)
        .Integer("MaxModoTer", &TAmpliBase::MaxModoTer)
        .Integer("ModoterActual", &TAmpliBase::ModoterActual)
        .Integer("MinModoTer", &TAmpliBase::MinModoTer)
        .StringList("CurvaModoter1", &TAmpliBase::CurvaModoter1)
        .Integer("ModoPasivo", &TAmpliBase::ModoPasivo);
    table.Declare<TAmpliHeader>();
    table.Declare<TLinAmp>();
    table.Declare<TCabeceraTerrestre>();
}

void DeclareMultiswitch(PublishedPropertyTable& table) {
    table.Declare<TMultiswitch>()
        .Integer("ATMedia", &TMultiswitch::ATMedia)
        .Boolean("Activo", &TMultiswitch::Activo)
        .Boolean("Conpot", &TMultiswitch::Conpot)
        .Boolean("Igualando", &TMultiswitch::Igualando)
        .Boolean("PotJuntos", &TMultiswitch::PotJuntos)
        .Accessor<Names>(
            "LPG", PropertyKind::StringList,
            [](const TMultiswitch& m) {
                Names names;
                for (const auto& entry : m.LPG()) {
                    names.push_back(entry.name);
                }
                return names;
            },
            [](TMultiswitch& m, const Names& v) { m.SetStoredControlNames(v); })
        .Integer("NPOTGREALES", &TMultiswitch::NPOTGREALES)
        .Integer("NPG", &TMultiswitch::NPG)
        .Boolean("Conpletina", &TMultiswitch::Conpletina)
        .String("MODELOPLETINA", &TMultiswitch::MODELOPLETINA)
        .Boolean("TieneMaxnivelentrada", &TMultiswitch::TieneMaxnivelentrada)
        .Boolean("tiponuevo", &TMultiswitch::tiponuevo)
        .Boolean("TieneAttTer", &TMultiswitch::TieneAttTer)
        .Integer("AttenuarTer", &TMultiswitch::AttenuarTer)
        .String("CURVAATTTER", &TMultiswitch::CURVAATTTER)
        .Integer("MAXValueAttTer", &TMultiswitch::MAXValueAttTer)
        .Boolean("CascadeableCabecera", &TMultiswitch::CascadeableCabecera);
}

void DeclarePassiveAndPower(PublishedPropertyTable& table) {
    table.Declare<TRepartidor>();
    table.Declare<TTomaBase>()
        .Integer("NPolaridades", &TTomaBase::NPolaridades)
        .Integer("OrdenCascada", &TTomaBase::OrdenCascada)
        .Integer("NConectores", &TTomaBase::NConectores)
        .Integer("cascadeable", &TTomaBase::cascadeable);
    table.Declare<TTomaTV>();
    table.Declare<Tespecial>();
    table.Declare<Tentradaviv>();
    table.Declare<TIFT>();
    table.Declare<Tantena>().Integer("tipo", &Tantena::tipo).String("LNB", &Tantena::LNB);
    table.Declare<TDISECQ>();
    table.Declare<Talimentador>()
        .Float("Corriente", &Talimentador::Corriente)
        .Float("Tension", &Talimentador::Tension)
        .Accessor<Names>(
            "CompoAlimentar", PropertyKind::StringList, [](const Talimentador& a) { return a.FedNames(); },
            [](Talimentador& a, const Names& v) { a.SetFedNames(v); });
    table.Declare<TFUENTE>();
    table.Declare<TInyector>();
}

} // namespace

void DeclareModelProperties(PublishedPropertyTable& table) {
    DeclareRoots(table);
    DeclarePins(table);
    DeclareElementBases(table);
    DeclareCables(table);
    DeclareAmplifiers(table);
    DeclareMultiswitch(table);
    DeclarePassiveAndPower(table);
}

} // namespace ixo

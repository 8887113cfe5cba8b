#include "building/vivienda.h"

#include "building/build_omission.h"

#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "catalogue/almacen_elementos.h"
#include "model/cable_tv.h"
#include "model/especial.h"
#include "model/lin_amp.h"
#include "model/padre_tv.h"
#include "model/pin.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"

#include <algorithm>
#include <exception>
#include <new>
#include <vector>

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(Tvivienda, TPrimerComponente)

namespace {

using Entries = std::vector<NamedList<TComponenteBase>::Entry>;

// Output of from (first free) to input of to (first free); a connection that cannot be made is skipped.
void Connect(TComponenteBase& from, TComponenteBase& to, TCableTV* cable, double metres) {
    from.ConnectPin(kFirstFreePin, PinKind::Output, metres, cable, kFirstFreePin, PinKind::Input, to);
}

// The outlet models of a family, ascending by OrdenCascada; models of equal order keep their
// catalogue order.
std::vector<const TTomaBase*> OutletModels(const TalmacenElementos& store, std::int32_t family) {
    std::vector<const TTomaBase*> models;
    for (const ElementListItem& item : store.ElementsOfFamily(family)) {
        if (const TTomaBase* outlet = item.Object.As<TTomaBase>()) {
            models.push_back(outlet);
        }
    }
    std::stable_sort(models.begin(), models.end(), [](const TTomaBase* a, const TTomaBase* b) {
        return a->OrdenCascada < b->OrdenCascada;
    });
    return models;
}

// The first splitter of the family (catalogue order) with at least n outputs, or null.
const TRepartidor* SplitterWithOutputs(const TalmacenElementos& store, std::int32_t family, int n) {
    for (const ElementListItem& item : store.ElementsOfFamily(family)) {
        const TRepartidor* splitter = item.Object.As<TRepartidor>();
        if (splitter != nullptr && splitter->Nsalidas >= n) {
            return splitter;
        }
    }
    return nullptr;
}

// The splitter of a star of n outlets: from the family, or else from the sister family of its first
// splitter.
const TRepartidor* StarSplitter(const TalmacenElementos& store, std::int32_t family, int n) {
    if (const TRepartidor* splitter = SplitterWithOutputs(store, family, n)) {
        return splitter;
    }
    const TRepartidor* first = SplitterWithOutputs(store, family, 1);
    return first != nullptr ? SplitterWithOutputs(store, first->FamiliaHermana, n) : nullptr;
}

// A copy of a catalogue prototype owned by owner.
TComponenteBase* CopyOf(const TComponenteBase& prototype, TPrimerComponente* owner) {
    return dynamic_cast<TComponenteBase*>(prototype.Clone(owner));
}

TComponenteBase* ElementOf(const TPin* pin) {
    return pin != nullptr ? dynamic_cast<TComponenteBase*>(pin->Owner()) : nullptr;
}

} // namespace

std::size_t CascadeModelIndex(const std::vector<std::int32_t>& sortedOrders, std::int32_t i) {
    for (std::size_t k = 0; k < sortedOrders.size(); ++k) {
        if (sortedOrders[k] > i) {
            return k;
        }
    }
    return sortedOrders.size() - 1;
}

Tvivienda::Tvivienda(TPrimerComponente* owner) : TPrimerComponente(owner) {}

void Tvivienda::AfterConstruction() {
    TPrimerComponente::AfterConstruction();
    if (Reading()) {
        return; // the stored records bring the container and the entry (see Loaded)
    }
    m_contenedor = Create<TPadreTV>(this);
    MakeDefaultEntry();
}

void Tvivienda::Loaded() {
    const bool wasReading = Reading();
    TPrimerComponente::Loaded();
    if (!wasReading) {
        return;
    }
    // The container is the first one read; the entry was adopted when read. A record that lacks them
    // gets them as a new flat has them.
    for (TPrimerComponente* child : Components()) {
        if (child->Is<TPadreTV>()) {
            m_contenedor = static_cast<TPadreTV*>(child);
            break;
        }
    }
    if (m_contenedor == nullptr) {
        m_contenedor = Create<TPadreTV>(this);
    }
    if (m_entrada == nullptr) {
        MakeDefaultEntry();
    }
}

void Tvivienda::MakeDefaultEntry() {
    TPrimerComponente* building = Owner();
    if (building == nullptr || building->Owner() == nullptr || !building->Owner()->Is<Tproyecto>()) {
        return;
    }
    try {
        m_entrada = TComponenteBase::CreateFromCatalogue<Tentradaviv>(m_contenedor, 1, nullptr);
    } catch (const std::exception&) {
        // A malformed entry record: an entry without catalogue data still marks where the flat starts.
        m_entrada = Create<Tentradaviv>(m_contenedor);
    }
    m_entrada->SetContainer(this);
    FreeNotification(m_entrada);
}

Tvivienda::~Tvivienda() {
    for (const auto& entry : m_etv.TakeAll()) {
        if (entry.Object != nullptr) {
            Destroy(entry.Object);
        }
    }
    if (m_entrada != nullptr) {
        Destroy(std::exchange(m_entrada, nullptr));
    }
    if (m_planta != nullptr) {
        m_planta->LViviendas().RemoveName(Name());
    }
    if (m_contenedor != nullptr) {
        Destroy(std::exchange(m_contenedor, nullptr));
    }
}

void Tvivienda::AdoptarEntrada(Tentradaviv* entrada) {
    if (entrada == nullptr || entrada == m_entrada) {
        return;
    }
    Tentradaviv* before = std::exchange(m_entrada, entrada);
    entrada->SetContainer(this);
    FreeNotification(entrada);
    if (before != nullptr) {
        Destroy(before);
    }
}

void Tvivienda::Notification(TPrimerComponente* removed) {
    TPrimerComponente::Notification(removed);
    m_etv.RemoveObject(removed);
    if (removed == m_entrada) {
        m_entrada = nullptr;
    }
    if (removed == m_contenedor) {
        m_contenedor = nullptr;
    }
    if (removed == m_planta) {
        m_planta = nullptr;
    }
}

const TpreferenciasProyecto* Tvivienda::Preferencias() const {
    const Tproyecto* proyecto = ProyectoDe(this);
    return proyecto != nullptr ? &proyecto->Preferencias() : nullptr;
}

const TalmacenElementos* Tvivienda::Almacen() const {
    const Tproyecto* proyecto = ProyectoDe(this);
    return proyecto != nullptr ? proyecto->Almacen() : nullptr;
}

TCableTV* Tvivienda::CableVivienda() const {
    const TpreferenciasProyecto* preferencias = Preferencias();
    return preferencias != nullptr ? preferencias->Cable(TpreferenciasProyecto::kCableVivienda) : nullptr;
}

void Tvivienda::SetTopologia(std::int32_t topologia) {
    m_topologia = topologia;
    if (Reconstruible) {
        Reconstruir();
    }
}

void Tvivienda::SetNumtomas(std::int32_t numtomas) {
    m_numtomas = numtomas;
    if (Reconstruible) {
        Reconstruir();
    }
}

void Tvivienda::AsignarPlanta(tplanta* planta) {
    if (m_planta != nullptr) {
        m_planta->LViviendas().RemoveName(Name());
    }
    m_planta = planta;
    Nombreplanta = planta != nullptr ? planta->Name() : std::string();
    if (planta == nullptr) {
        return;
    }
    FreeNotification(planta);
    NamedList<Tvivienda>& flats = planta->LViviendas();
    int index = flats.IndexOf(Name());
    if (index >= 0) {
        flats.SetObject(static_cast<std::size_t>(index), this);
    } else {
        flats.Add(this);
    }
}

bool Tvivienda::AmplificadorInterior() const {
    return std::any_of(m_etv.begin(), m_etv.end(), [](const auto& entry) {
        return entry.Object != nullptr && entry.Object->template Is<TLinAmp>();
    });
}

std::pair<TRepartidor*, int> Tvivienda::PrimerRepartidor() const {
    for (std::size_t i = 0; i < m_etv.Count(); ++i) {
        if (auto* splitter = dynamic_cast<TRepartidor*>(m_etv.Object(i))) {
            return {splitter, static_cast<int>(i)};
        }
    }
    return {nullptr, -1};
}

void Tvivienda::PutFront(TComponenteBase* element) {
    element->SetContainer(this);
    m_etv.Insert(0, element);
}

namespace {
// Puts the kept entries back at the front of list, in their previous order.
void RestoreFront(NamedList<TComponenteBase>& list, const Entries& kept) {
    for (std::size_t i = kept.size(); i-- > 0;) {
        list.Insert(0, kept[i].Name, kept[i].Object);
    }
}
} // namespace

void Tvivienda::Reconstruir() {
    std::vector<TComponenteBase*> freed;
    for (const auto& entry : m_etv) {
        if (entry.Object != nullptr && !entry.Object->Is<TLinAmp>()) {
            freed.push_back(entry.Object);
        }
    }
    for (TComponenteBase* element : freed) {
        Destroy(element); // the notification takes it out of ETV
    }
    for (const auto& entry : m_etv) {
        entry.Object->UnlinkPins(PinKind::Input, kAllPins);
        entry.Object->UnlinkPins(PinKind::Output, kAllPins);
    }
    if (m_topologia == kEstrella) {
        if (m_numtomas == 1) {
            ConstruirCascada();
        } else {
            ConstruirEstrella();
        }
    } else if (m_topologia == kCascada) {
        ConstruirCascada();
    }
}

void Tvivienda::ConstruirCascada() {
    Entries kept = m_etv.TakeAll();
    const TpreferenciasProyecto* preferencias = Preferencias();
    const TalmacenElementos* store = Almacen();
    if (preferencias == nullptr || store == nullptr || m_contenedor == nullptr) {
        RestoreFront(m_etv, kept);
        return;
    }
    std::int32_t family =
        m_topologia != kEstrella ? preferencias->Viv_FamiliaTomascascada : preferencias->Viv_FamiliaTomasES;
    std::vector<const TTomaBase*> models = OutletModels(*store, family);
    if (models.empty()) {
        RecordMissingOutlets(family);
    }
    if (!models.empty()) {
        std::vector<std::int32_t> orders;
        for (const TTomaBase* model : models) {
            orders.push_back(model->OrdenCascada);
        }
        for (std::int32_t i = 0; i < m_numtomas; ++i) {
            const TTomaBase* model = models[CascadeModelIndex(orders, i)];
            if (TComponenteBase* outlet = CopyOf(*model, m_contenedor)) {
                PutFront(outlet);
            }
        }
    }
    RestoreFront(m_etv, kept);
    if (!models.empty()) {
        for (std::size_t k = m_etv.Count(); k-- > 1;) {
            Connect(*m_etv.Object(k - 1), *m_etv.Object(k), CableVivienda(), preferencias->DistanciaTomas);
        }
    }
    ConnectEntry();
}

void Tvivienda::RecordMissingOutlets(std::int32_t family) const {
    if (m_numtomas > 0) {
        RecordOmission(this, {BuildOmission::Kind::Element,
                              "no outlet model of family " + std::to_string(family) + " in the catalogue",
                              NombreViv});
    }
}

void Tvivienda::ConstruirEstrella() {
    Entries kept = m_etv.TakeAll();
    const TpreferenciasProyecto* preferencias = Preferencias();
    const TalmacenElementos* store = Almacen();
    if (preferencias == nullptr || store == nullptr || m_contenedor == nullptr) {
        RestoreFront(m_etv, kept);
        return;
    }
    std::vector<const TTomaBase*> models = OutletModels(*store, preferencias->Viv_FamiliaTomasES);
    const TRepartidor* splitterModel =
        StarSplitter(*store, preferencias->Viv_FamiliaRepartidores, static_cast<int>(m_numtomas));
    if (models.empty()) {
        RecordMissingOutlets(preferencias->Viv_FamiliaTomasES);
    } else if (splitterModel == nullptr && m_numtomas > 0) {
        RecordOmission(this,
                       {BuildOmission::Kind::Element,
                        "no splitter of family " + std::to_string(preferencias->Viv_FamiliaRepartidores) +
                            " with " + std::to_string(m_numtomas) + " outputs in the catalogue",
                        NombreViv});
    }
    if (models.empty() || splitterModel == nullptr) {
        RestoreFront(m_etv, kept);
        ConnectEntry();
        return;
    }
    TComponenteBase* splitter = CopyOf(*splitterModel, m_contenedor);
    for (std::int32_t i = 0; i < m_numtomas; ++i) {
        if (TComponenteBase* outlet = CopyOf(*models.front(), m_contenedor)) {
            PutFront(outlet);
        }
    }
    if (splitter != nullptr) {
        PutFront(splitter);
    }
    RestoreFront(m_etv, kept);
    if (splitter != nullptr) {
        for (std::size_t k = static_cast<std::size_t>(m_etv.IndexOfObject(splitter)) + 1; k < m_etv.Count();
             ++k) {
            Connect(*splitter, *m_etv.Object(k), CableVivienda(), preferencias->DistanciaTomas);
        }
    }
    ConnectEntry();
}

void Tvivienda::ConnectEntry() {
    TCableTV* cable = CableVivienda();
    if (AmplificadorInterior()) {
        for (std::size_t i = 0; i + 1 < m_etv.Count(); ++i) {
            if (m_etv.Object(i)->Is<TLinAmp>()) {
                Connect(*m_etv.Object(i), *m_etv.Object(i + 1), cable, kMetrosAmplificador);
            }
        }
    }
    if (m_entrada != nullptr && !m_etv.Empty()) {
        Connect(*m_entrada, *m_etv.Object(0), cable, 0.0);
    }
}

bool Tvivienda::InsertarAmplificador(std::int32_t model, std::int32_t family) {
    const TalmacenElementos* store = Almacen();
    if (AmplificadorInterior() || store == nullptr || m_etv.Empty() || m_entrada == nullptr ||
        m_contenedor == nullptr) {
        return false;
    }
    const TCBFT* prototype = nullptr;
    for (const ElementListItem& item : store->ElementsOfFamily(family)) {
        const TCBFT* element = item.Object.As<TCBFT>();
        if (element != nullptr && element->Indice == model) {
            prototype = element;
            break;
        }
    }
    TPin* entryOut = m_entrada->PinAt(PinKind::Output, 0);
    if (prototype == nullptr || entryOut == nullptr || !entryOut->IsConnected()) {
        return false;
    }
    TComponenteBase* next = ElementOf(entryOut->Peer());
    TLinAmp* amplifier = nullptr;
    if (const auto* lineAmp = dynamic_cast<const TLinAmp*>(prototype)) {
        amplifier = TComponenteBase::CreateCopy<TLinAmp>(m_contenedor, *lineAmp);
    } else {
        try {
            amplifier = TComponenteBase::CreateFromCatalogue<TLinAmp>(m_contenedor, prototype->Indice,
                                                                      prototype->Tabla);
        } catch (const std::bad_alloc&) {
            throw; // not a model that cannot be made
        } catch (const std::exception&) {
            return false;
        }
    }
    TCableTV* cable = entryOut->Cable();
    double metres = entryOut->MetrosCable;
    TPin::UnlinkPin(*entryOut);
    Connect(*m_entrada, *amplifier, cable, metres);
    amplifier->SetContainer(next != nullptr ? next->Container() : this);
    if (next != nullptr) {
        Connect(*amplifier, *next, CableVivienda(), kMetrosAmplificador);
    }
    m_etv.Insert(0, amplifier);
    return true;
}

bool Tvivienda::QuitarAmplificador(TComponenteBase* element) {
    auto* cbft = dynamic_cast<TCBFT*>(element);
    if (!AmplificadorInterior() || cbft == nullptr || cbft->CountConnected(PinKind::Input) > 1 ||
        cbft->CountConnected(PinKind::Output) > 1 || m_etv.IndexOfObject(cbft) < 0) {
        return false;
    }
    TPin* in = cbft->FirstConnectedPin(PinKind::Input);
    if (in == nullptr) {
        return false;
    }
    TComponenteBase* upstream = ElementOf(in->Peer());
    TCableTV* cable = in->Cable();
    double metres = in->MetrosCable;
    TPin::UnlinkPin(*in);
    TPin* out = cbft->FirstConnectedPin(PinKind::Output);
    TComponenteBase* downstream = out != nullptr ? ElementOf(out->Peer()) : nullptr;
    if (out != nullptr) {
        TPin::UnlinkPin(*out);
    }
    if (upstream != nullptr && downstream != nullptr) {
        Connect(*upstream, *downstream, cable, metres);
    }
    Destroy(cbft);
    return true;
}

TPrimerComponente* Tvivienda::Clone(TPrimerComponente* owner) const {
    return Create<Tvivienda>(owner);
}

void Tvivienda::SetETV(const NamedList<TComponenteBase>& list) {
    m_etv.Assign(list);
}

} // namespace ixo

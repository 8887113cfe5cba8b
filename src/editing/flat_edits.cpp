#include "editing/flat_edits.h"

#include "editing/edit_support.h"

namespace ixo {

using namespace edit_support;

namespace {

// Rebuilds a flat with the journal watching: what the rebuild frees is freed through the journal (as
// one change), and the pins, list and components it makes are recorded as the flat's state before and
// after. A flat that has the outlets and topology already is left as it is and nothing is recorded.
void RebuildFlat(Tproyecto& project, Tvivienda& flat, std::int32_t outlets, std::int32_t topology,
                 EditJournal& journal) {
    if (flat.Numtomas() == outlets && flat.Topologia() == topology) {
        return;
    }
    TPadreTV* container = flat.Contenedor();
    std::vector<TComponenteBase*> freed;
    for (const auto& entry : flat.ETV()) {
        if (entry.Object != nullptr && !entry.Object->Is<TLinAmp>()) {
            freed.push_back(entry.Object);
        }
    }
    journal.FreeTogether(freed, project);
    // What the rebuild touches: every pin of the flat's own components and their peers.
    auto touchedPins = [container] {
        std::vector<TPin*> pins;
        if (container == nullptr) {
            return pins;
        }
        for (TPrimerComponente* child : container->Components()) {
            if (auto* element = dynamic_cast<TComponenteBase*>(child)) {
                for (PinKind kind : {PinKind::Input, PinKind::Output, PinKind::Tap}) {
                    for (TPin* pin : element->PinsOf(kind)) {
                        pins.push_back(pin);
                        if (pin->Peer() != nullptr) {
                            pins.push_back(pin->Peer());
                        }
                    }
                }
            }
        }
        return pins;
    };
    journal.MarkTouched(&flat);
    using Entries = std::vector<NamedList<TComponenteBase>::Entry>;
    std::vector<std::pair<TPin*, TPin::LinkState>> pinsBefore;
    for (TPin* pin : touchedPins()) {
        pinsBefore.emplace_back(pin, pin->SaveLinkState());
    }
    Entries listBefore(flat.ETV().begin(), flat.ETV().end());
    const std::size_t childrenBefore = container != nullptr ? container->ComponentCount() : 0;
    const std::int32_t topologyBefore = flat.Topologia();
    const std::int32_t outletsBefore = flat.Numtomas();
    const bool rebuildable = flat.Reconstruible;

    flat.Reconstruible = false;
    flat.SetTopologia(topology);
    flat.Reconstruible = rebuildable;
    flat.SetNumtomas(outlets);

    std::vector<TPrimerComponente*> created;
    if (container != nullptr) {
        std::size_t i = 0;
        for (TPrimerComponente* child : container->Components()) {
            if (i++ >= childrenBefore) {
                created.push_back(child);
            }
        }
    }
    std::vector<std::pair<TPin*, TPin::LinkState>> pinsAfter;
    for (TPin* pin : touchedPins()) {
        pinsAfter.emplace_back(pin, pin->SaveLinkState());
    }
    for (const auto& [pin, state] : pinsBefore) {
        if (std::none_of(pinsAfter.begin(), pinsAfter.end(),
                         [pin](const auto& p) { return p.first == pin; })) {
            pinsAfter.emplace_back(pin, pin->SaveLinkState());
        }
    }
    Entries listAfter(flat.ETV().begin(), flat.ETV().end());
    Tvivienda* f = &flat;
    auto restore = [f](const std::vector<std::pair<TPin*, TPin::LinkState>>& pins, const Entries& list,
                       std::int32_t t, std::int32_t n) {
        // Pins of components that are not part of the state are left alone (they are detached).
        for (const auto& [pin, state] : pins) {
            pin->RestoreLinkState(state);
        }
        f->ETV().Clear();
        for (const auto& entry : list) {
            f->ETV().Add(entry.Name, entry.Object);
        }
        const bool keep = f->Reconstruible;
        f->Reconstruible = false;
        f->SetTopologia(t);
        f->SetNumtomas(n);
        f->Reconstruible = keep;
    };
    // Created components go first on redo and last on undo: they are put back before the state that
    // refers to them, and detached only once nothing refers to them.
    for (TPrimerComponente* component : created) {
        journal.Created(*component);
    }
    // Pins of created components do not exist in the before state: give them their fresh state.
    std::vector<std::pair<TPin*, TPin::LinkState>> pinsUndo = pinsBefore;
    for (const auto& [pin, state] : pinsAfter) {
        if (std::none_of(pinsBefore.begin(), pinsBefore.end(),
                         [pin](const auto& p) { return p.first == pin; })) {
            TPin::LinkState free;
            free.load = state.load;
            free.pinConnector = state.pinConnector;
            pinsUndo.emplace_back(pin, free);
        }
    }
    journal.CountBytes((pinsUndo.size() + pinsAfter.size()) * sizeof(pinsAfter.front()) +
                       (listBefore.size() + listAfter.size()) * (sizeof(listAfter.front()) + 16));
    journal.Record([restore, pinsUndo = std::move(pinsUndo), listBefore = std::move(listBefore),
                    topologyBefore,
                    outletsBefore] { restore(pinsUndo, listBefore, topologyBefore, outletsBefore); },
                   [restore, pinsAfter = std::move(pinsAfter), listAfter = std::move(listAfter), topology,
                    outlets] { restore(pinsAfter, listAfter, topology, outlets); });
}

} // namespace

bool ApplyToFlat(Tproyecto& project, Tvivienda& flat, std::int32_t outlets, std::int32_t topology,
                 EditJournal& journal) {
    RebuildFlat(project, flat, outlets, topology, journal);
    return true;
}

bool ApplyToAllFlats(Tproyecto& project, std::int32_t outlets, std::int32_t topology, EditJournal& journal) {
    const NamedList<Tvivienda> flats = project.ListaViviendas();
    for (const auto& entry : flats) {
        if (entry.Object != nullptr) {
            RebuildFlat(project, *entry.Object, outlets, topology, journal);
        }
    }
    return true;
}

} // namespace ixo

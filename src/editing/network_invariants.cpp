#include "editing/network_invariants.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/alimentador.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/cbft.h"
#include "model/especial.h"
#include "model/padre_tv.h"
#include "model/toma_tv.h"

#include <unordered_map>
#include <unordered_set>

namespace ixo {

namespace {

class Checker {
public:
    explicit Checker(const Tproyecto& project) : m_project(project) {}

    NetworkCheck Run() {
        Collect(m_project.RedTV());
        const NamedList<Tvivienda> flats = m_project.ListaViviendas();
        for (const auto& entry : flats) {
            if (entry.Object != nullptr && entry.Object->Contenedor() != nullptr) {
                Collect(*entry.Object->Contenedor());
            }
        }
        CheckLists();
        for (const TComponenteBase* element : m_elements) {
            CheckPins(*element);
            CheckLinks(*element);
        }
        FindUnfed();
        return std::move(m_result);
    }

private:
    void Problem(const TPrimerComponente& at, const std::string& what) {
        m_result.problems.push_back(at.Name() + ": " + what);
    }

    void Collect(const TPrimerComponente& owner) {
        for (TPrimerComponente* child : owner.Components()) {
            if (auto* element = dynamic_cast<const TComponenteBase*>(child)) {
                m_elements.push_back(element);
                m_known.insert(element);
            }
        }
    }

    bool Known(const TPrimerComponente* element) const { return m_known.count(element) != 0; }

    void CheckList(const NamedList<TComponenteBase>& list, const TPrimerComponente& container) {
        for (const auto& entry : list) {
            if (entry.Object == nullptr) {
                continue;
            }
            if (!Known(entry.Object) && !entry.Object->Is<Tentradaviv>()) {
                Problem(container, "lists " + entry.Name + ", which is not in the network");
                continue;
            }
            if (entry.Object->Container() != &container) {
                Problem(*entry.Object, "listed by " + container.Name() + " but its container is another");
            }
            if (!m_listed.insert(entry.Object).second) {
                Problem(*entry.Object, "listed twice");
            }
        }
    }

    void CheckLists() {
        for (const auto& stair : m_project.Escaleras()) {
            if (stair.Object == nullptr) {
                continue;
            }
            for (const auto& floor : stair.Object->ListaPlantas()) {
                if (floor.Object != nullptr) {
                    m_containers.insert(floor.Object);
                    CheckList(floor.Object->ETV(), *floor.Object);
                }
            }
        }
        const NamedList<Tvivienda> flats = m_project.ListaViviendas();
        for (const auto& flat : flats) {
            if (flat.Object != nullptr) {
                m_containers.insert(flat.Object);
                CheckList(flat.Object->ETV(), *flat.Object);
            }
        }
        for (const TComponenteBase* element : m_elements) {
            const TPrimerComponente* container = element->Container();
            if (container != nullptr && m_containers.count(container) != 0 && m_listed.count(element) == 0 &&
                !element->Is<Tentradaviv>()) {
                Problem(*element, "has container " + container->Name() + " but is not in its list");
            }
        }
    }

    void CheckPins(const TComponenteBase& element) {
        for (PinKind kind : {PinKind::Input, PinKind::Output, PinKind::Tap}) {
            for (const TPin* pin : element.PinsOf(kind)) {
                const TPin* peer = pin->Peer();
                if (peer == nullptr) {
                    continue;
                }
                if (peer->Peer() != pin) {
                    Problem(*pin, "its peer " + peer->Name() + " does not link back");
                }
                if (peer->Cable() != pin->Cable()) {
                    Problem(*pin, "its cable differs from its peer's");
                }
                if (peer->MetrosCable != pin->MetrosCable) {
                    Problem(*pin, "its length differs from its peer's");
                }
                if (pin->Load() != nullptr) {
                    Problem(*pin, "is connected and loaded");
                }
                if (!Known(peer->Owner())) {
                    Problem(*pin, "is linked to " + peer->Name() + ", which is not in the network");
                }
            }
        }
    }

    void CheckLinks(const TComponenteBase& element) {
        auto* cbft = dynamic_cast<const TCBFT*>(&element);
        if (cbft == nullptr) {
            return;
        }
        if (const TCBFT* twin = cbft->DoublePartner();
            twin != nullptr && (twin->DoublePartner() != cbft || !Known(twin))) {
            Problem(element, "its double partner " + twin->Name() + " is not mutual or not in the network");
        }
        if (const TCBFT* triple = cbft->TriplePartner();
            triple != nullptr && (triple->TriplePartner() != cbft || !Known(triple))) {
            Problem(element, "its triple partner " + triple->Name() + " is not mutual or not in the network");
        }
        if (const TCBFT* feeder = cbft->Feeder()) {
            auto* supply = dynamic_cast<const Talimentador*>(feeder);
            bool listed = false;
            if (supply != nullptr) {
                for (const auto& entry : supply->CompoAlimentar()) {
                    listed = listed || entry.Element == cbft;
                }
            }
            if (!listed || !Known(feeder)) {
                Problem(element,
                        "its feeder " + feeder->Name() + " does not list it or is not in the network");
            }
        }
        if (auto* supply = dynamic_cast<const Talimentador*>(cbft)) {
            for (const auto& entry : supply->CompoAlimentar()) {
                if (entry.Element != nullptr && (entry.Element->Feeder() != cbft || !Known(entry.Element))) {
                    Problem(element,
                            "feeds " + entry.Name + ", which has another feeder or is not in the network");
                }
            }
        }
    }

    void FindUnfed() {
        std::vector<const TComponenteBase*> stack;
        std::unordered_set<const TComponenteBase*> reached;
        for (const TComponenteBase* element : m_elements) {
            if (element->Is<Tantena>() || element->Is<TCabeceraTerrestre>()) {
                stack.push_back(element);
                reached.insert(element);
            }
        }
        while (!stack.empty()) {
            const TComponenteBase* at = stack.back();
            stack.pop_back();
            for (PinKind kind : {PinKind::Output, PinKind::Tap}) {
                for (const TPin* pin : at->PinsOf(kind)) {
                    auto* next = pin->Peer() != nullptr
                                     ? dynamic_cast<const TComponenteBase*>(pin->Peer()->Owner())
                                     : nullptr;
                    if (next != nullptr && pin->Peer()->Kind() == PinKind::Input &&
                        reached.insert(next).second) {
                        stack.push_back(next);
                    }
                }
            }
        }
        for (const TComponenteBase* element : m_elements) {
            if (auto* outlet = dynamic_cast<const TTomaTV*>(element);
                outlet != nullptr && reached.count(element) == 0) {
                m_result.unfed.push_back(outlet);
            }
        }
    }

    const Tproyecto& m_project;
    std::vector<const TComponenteBase*> m_elements;
    std::unordered_set<const TPrimerComponente*> m_known;
    std::unordered_set<const TPrimerComponente*> m_listed;
    std::unordered_set<const TPrimerComponente*> m_containers;
    NetworkCheck m_result;
};

} // namespace

NetworkCheck CheckNetwork(const Tproyecto& project) {
    return Checker(project).Run();
}

} // namespace ixo

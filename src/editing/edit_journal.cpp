#include "editing/edit_journal.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/alimentador.h"
#include "model/cbft.h"
#include "model/componente_base.h"
#include "model/toma_tv.h"

#include <algorithm>
#include <utility>

namespace ixo {

EditJournal::~EditJournal() {
    // Newest first, as the owner frees its components: later ones may refer to earlier ones.
    for (auto it = m_actions.rbegin(); it != m_actions.rend(); ++it) {
        const Action& action = **it;
        const bool detached = (action.holds == Action::Holds::WhenDone && !m_undone) ||
                              (action.holds == Action::Holds::WhenUndone && m_undone);
        if (detached && action.component != nullptr && action.component->Owner() == nullptr) {
            TPrimerComponente::Destroy(action.component);
        }
    }
}

namespace {

// A recorded change: its action and two functions with their captures on the heap.
constexpr std::size_t kActionBytes = 192;

// A component held detached for undo or redo: the object, its pins and their names (an estimate; the
// elements of a network are of a few kilobytes each).
std::size_t ComponentBytes(const TPrimerComponente& component) {
    std::size_t bytes = 1024;
    if (auto* element = dynamic_cast<const TComponenteBase*>(&component)) {
        for (PinKind kind : {PinKind::Input, PinKind::Output, PinKind::Tap}) {
            bytes += element->PinsOf(kind).size() * (sizeof(TPin) + 64);
        }
    }
    return bytes;
}

} // namespace

void EditJournal::Record(std::function<void()> undo, std::function<void()> redo) {
    // A change given as two functions may reach anywhere, unless its caller says where.
    m_wholeProject = m_wholeProject || m_touched.empty();
    m_bytes += kActionBytes;
    auto action = std::make_unique<Action>();
    action->undo = std::move(undo);
    action->redo = std::move(redo);
    m_actions.push_back(std::move(action));
}

void EditJournal::Undo() {
    for (auto it = m_actions.rbegin(); it != m_actions.rend(); ++it) {
        (*it)->undo();
    }
    m_undone = true;
}

void EditJournal::Redo() {
    for (const auto& action : m_actions) {
        action->redo();
    }
    m_undone = false;
}

void EditJournal::Rollback() {
    Undo();
    EditJournal discarded;
    discarded.m_actions = std::move(m_actions);
    discarded.m_undone = true;
    m_actions.clear();
    m_undone = false;
}

void EditJournal::PinSnapshot::Take(const std::vector<TPin*>& list) {
    pins.clear();
    pins.reserve(list.size());
    for (TPin* pin : list) {
        pins.emplace_back(pin, pin->SaveLinkState());
    }
}

void EditJournal::PinSnapshot::Restore() const {
    for (const auto& [pin, state] : pins) {
        pin->RestoreLinkState(state);
    }
}

// Records a change of the pins listed (and of their peers before and after the change).
void EditJournal::RecordPins(const std::vector<TPin*>& pins, const std::function<void()>& change) {
    std::vector<TPin*> touched;
    for (TPin* pin : pins) {
        touched.push_back(pin);
        if (pin->Peer() != nullptr) {
            touched.push_back(pin->Peer());
        }
    }
    // Both ends of a link among the pins listed come twice: each pin is kept once.
    std::sort(touched.begin(), touched.end());
    touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
    for (TPin* pin : touched) {
        MarkTouched(pin->Owner());
    }
    PinSnapshot before;
    before.Take(touched);
    change();
    PinSnapshot after;
    after.Take(touched);
    m_bytes += 2 * touched.size() * sizeof(std::pair<TPin*, TPin::LinkState>);
    Record([before = std::move(before)] { before.Restore(); },
           [after = std::move(after)] { after.Restore(); });
}

bool EditJournal::Link(TPin& a, TPin& b, TCableTV* cable, double metres, std::int32_t connectorNumber) {
    bool linked = false;
    RecordPins({&a, &b}, [&] { linked = TPin::LinkPins(a, b, cable, metres, connectorNumber); });
    return linked;
}

void EditJournal::Unlink(TPin& p) {
    if (p.Peer() == nullptr) {
        return;
    }
    RecordPins({&p}, [&] { TPin::UnlinkPin(p); });
}

void EditJournal::SetMetres(TPin& p, double metres) {
    if (p.MetrosCable == metres && (p.Peer() == nullptr || p.Peer()->MetrosCable == metres)) {
        return;
    }
    RecordPins({&p}, [&] {
        p.MetrosCable = metres;
        if (p.Peer() != nullptr) {
            p.Peer()->MetrosCable = metres;
        }
    });
}

void EditJournal::RecordList(NamedList<TComponenteBase>& list, const std::function<void()>& change) {
    using Entries = std::vector<NamedList<TComponenteBase>::Entry>;
    Entries before(list.begin(), list.end());
    change();
    Entries after(list.begin(), list.end());
    for (const auto& entry : after) {
        MarkTouched(entry.Object);
    }
    auto restore = [&list](const Entries& entries) {
        list.Clear();
        for (const auto& entry : entries) {
            list.Add(entry.Name, entry.Object);
        }
    };
    m_bytes += (before.size() + after.size()) * (sizeof(NamedList<TComponenteBase>::Entry) + 16);
    Record([restore, before = std::move(before)] { restore(before); },
           [restore, after = std::move(after)] { restore(after); });
}

void EditJournal::Insert(NamedList<TComponenteBase>& list, std::size_t index, TComponenteBase* element) {
    RecordList(list, [&] { list.Insert(index, element); });
}

void EditJournal::Append(NamedList<TComponenteBase>& list, TComponenteBase* element) {
    RecordList(list, [&] { list.Add(element); });
}

void EditJournal::Delete(NamedList<TComponenteBase>& list, std::size_t index) {
    RecordList(list, [&] { list.Delete(index); });
}

void EditJournal::SetContainer(TComponenteBase& element, TPrimerComponente* container) {
    MarkTouched(&element);
    TPrimerComponente* before = element.Container();
    element.SetContainer(container);
    Record([&element, before] { element.SetContainer(before); },
           [&element, container] { element.SetContainer(container); });
}

// Records a partner change among elements: every element whose partners may change is listed (the
// two sides and their former partners of either kind).
void EditJournal::RecordPartners(std::vector<TCBFT*> elements, const std::function<void()>& change) {
    std::vector<TCBFT*> involved;
    for (TCBFT* element : elements) {
        if (element == nullptr) {
            continue;
        }
        for (TCBFT* e : {element, element->DoublePartner(), element->TriplePartner()}) {
            if (e != nullptr && std::find(involved.begin(), involved.end(), e) == involved.end()) {
                involved.push_back(e);
            }
        }
    }
    struct Partners {
        TCBFT* element;
        TCBFT* twin;
        TCBFT* triple;
    };
    auto take = [&involved] {
        std::vector<Partners> state;
        for (TCBFT* e : involved) {
            state.push_back({e, e->DoublePartner(), e->TriplePartner()});
        }
        return state;
    };
    auto restore = [](const std::vector<Partners>& state) {
        for (const Partners& p : state) {
            p.element->SetDoublePartner(nullptr);
            p.element->SetTriplePartner(nullptr);
        }
        for (const Partners& p : state) {
            if (p.twin != nullptr) {
                p.element->SetDoublePartner(p.twin);
            }
            if (p.triple != nullptr) {
                p.element->SetTriplePartner(p.triple);
            }
        }
    };
    std::vector<Partners> before = take();
    for (TCBFT* e : involved) {
        MarkTouched(e);
    }
    change();
    std::vector<Partners> after = take();
    m_bytes += (before.size() + after.size()) * sizeof(Partners);
    Record([restore, before] { restore(before); }, [restore, after] { restore(after); });
}

void EditJournal::SetDoublePartner(TCBFT& element, TCBFT* partner) {
    RecordPartners({&element, partner}, [&] { element.SetDoublePartner(partner); });
}

void EditJournal::SetTriplePartner(TCBFT& element, TCBFT* partner) {
    RecordPartners({&element, partner}, [&] { element.SetTriplePartner(partner); });
}

// Records a change of what the feeders listed feed (every feeder whose list may change is listed).
void EditJournal::RecordFeeding(std::vector<Talimentador*> feeders, const std::function<void()>& change) {
    std::erase(feeders, nullptr);
    using State = std::vector<std::pair<Talimentador*, std::vector<TCBFT*>>>;
    auto take = [&feeders] {
        State state;
        for (Talimentador* feeder : feeders) {
            std::vector<TCBFT*> fed;
            for (const auto& entry : feeder->CompoAlimentar()) {
                if (entry.Element != nullptr) {
                    fed.push_back(entry.Element);
                }
            }
            state.emplace_back(feeder, std::move(fed));
        }
        return state;
    };
    auto restore = [](const State& state) {
        for (const auto& [feeder, fed] : state) {
            feeder->ClearFed();
        }
        for (const auto& [feeder, fed] : state) {
            for (TCBFT* element : fed) {
                feeder->AddFed(element);
            }
        }
    };
    State before = take();
    for (Talimentador* feeder : feeders) {
        MarkTouched(feeder);
    }
    change();
    State after = take();
    m_bytes += (before.size() + after.size()) * (sizeof(State::value_type) + 2 * sizeof(TCBFT*));
    Record([restore, before] { restore(before); }, [restore, after] { restore(after); });
}

bool EditJournal::AddFed(Talimentador& feeder, TCBFT& element) {
    bool added = false;
    RecordFeeding({&feeder, dynamic_cast<Talimentador*>(element.Feeder())},
                  [&] { added = feeder.AddFed(&element); });
    return added;
}

void EditJournal::Created(TPrimerComponente& component) {
    MarkTouched(&component);
    TPrimerComponente* owner = component.Owner();
    auto action = std::make_unique<Action>();
    TPrimerComponente* c = &component;
    // Undo of the creation detaches the new component (every later change is undone by then, so it is
    // isolated again); redo puts it back at the end of its owner's components, where it was made.
    action->undo = [c] { c->DetachFromOwner(); };
    action->redo = [c, owner] { c->ReattachToOwner(owner, nullptr); };
    action->component = c;
    action->holds = Action::Holds::WhenUndone;
    m_actions.push_back(std::move(action));
    m_bytes += kActionBytes + ComponentBytes(component);
}

void EditJournal::Detach(TPrimerComponente& component) {
    TPrimerComponente* owner = component.Owner();
    TPrimerComponente* c = &component;
    TPrimerComponente* before = c->DetachFromOwner();
    auto action = std::make_unique<Action>();
    action->undo = [c, owner, before] { c->ReattachToOwner(owner, before); };
    action->redo = [c] { c->DetachFromOwner(); };
    action->component = c;
    action->holds = Action::Holds::WhenDone;
    m_actions.push_back(std::move(action));
    m_bytes += kActionBytes + ComponentBytes(component);
}

NamedList<TComponenteBase>* ListOf(TPrimerComponente* container) {
    if (container == nullptr) {
        return nullptr;
    }
    if (container->Is<tplanta>()) {
        return &static_cast<tplanta*>(container)->ETV();
    }
    if (container->Is<Tvivienda>()) {
        return &static_cast<Tvivienda*>(container)->ETV();
    }
    return nullptr;
}

void EditJournal::CutPartnersAndFeeding(TComponenteBase& element) {
    if (auto* cbft = dynamic_cast<TCBFT*>(&element)) {
        if (cbft->DoublePartner() != nullptr) {
            SetDoublePartner(*cbft, nullptr);
        }
        if (cbft->TriplePartner() != nullptr) {
            SetTriplePartner(*cbft, nullptr);
        }
        if (auto* feeder = dynamic_cast<Talimentador*>(cbft->Feeder())) {
            RecordFeeding({feeder}, [&] {
                feeder->ForgetFed(cbft);
                cbft->SetFeeder(nullptr);
            });
        }
        if (auto* self = dynamic_cast<Talimentador*>(cbft);
            self != nullptr && !self->CompoAlimentar().empty()) {
            RecordFeeding({self}, [&] { self->ClearFed(); });
        }
    }
}

namespace {

// The stairs' error records are the last check's result: they are not put back by undo (the check
// after it makes them again), only kept from pointing at a freed outlet.
void ForgetOutlet(Tproyecto& project, TComponenteBase& element) {
    if (auto* outlet = dynamic_cast<TTomaTV*>(&element)) {
        for (const auto& stair : project.Escaleras()) {
            if (stair.Object != nullptr) {
                stair.Object->ErroresEscalera().RemoveOutlet(outlet);
            }
        }
    }
}

} // namespace

void EditJournal::Free(TComponenteBase& element, Tproyecto& project) {
    for (PinKind kind : {PinKind::Input, PinKind::Output, PinKind::Tap}) {
        for (TPin* pin : element.PinsOf(kind)) {
            Unlink(*pin);
        }
    }
    CutPartnersAndFeeding(element);
    if (NamedList<TComponenteBase>* list = ListOf(element.Container())) {
        const int index = list->IndexOfObject(&element);
        if (index >= 0) {
            Delete(*list, static_cast<std::size_t>(index));
        }
    }
    ForgetOutlet(project, element);
    Detach(element);
}

void EditJournal::FreeTogether(const std::vector<TComponenteBase*>& elements, Tproyecto& project) {
    std::vector<TPin*> pins;
    for (TComponenteBase* element : elements) {
        for (PinKind kind : {PinKind::Input, PinKind::Output, PinKind::Tap}) {
            for (TPin* pin : element->PinsOf(kind)) {
                if (pin->Peer() != nullptr) {
                    pins.push_back(pin);
                }
            }
        }
    }
    if (!pins.empty()) {
        RecordPins(pins, [&pins] {
            for (TPin* pin : pins) {
                TPin::UnlinkPin(*pin);
            }
        });
    }
    std::vector<NamedList<TComponenteBase>*> lists;
    for (TComponenteBase* element : elements) {
        CutPartnersAndFeeding(*element);
        NamedList<TComponenteBase>* list = ListOf(element->Container());
        if (list != nullptr && std::find(lists.begin(), lists.end(), list) == lists.end()) {
            lists.push_back(list);
        }
    }
    for (NamedList<TComponenteBase>* list : lists) {
        RecordList(*list, [&] {
            for (TComponenteBase* element : elements) {
                const int index = list->IndexOfObject(element);
                if (index >= 0) {
                    list->Delete(static_cast<std::size_t>(index));
                }
            }
        });
    }
    for (TComponenteBase* element : elements) {
        ForgetOutlet(project, *element);
        Detach(*element);
    }
}

} // namespace ixo

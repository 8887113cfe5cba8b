#pragma once

#include "building/named_list.h"
#include "model/pin.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace ixo {

class TCBFT;
class TComponenteBase;
class TPrimerComponente;
class Talimentador;
class Tproyecto;

// The list of elements of a floor or a flat, where an element of the network stands; null for any other
// container.
NamedList<TComponenteBase>* ListOf(TPrimerComponente* container);

// The record of one edit: every change an editing operation makes to the network goes through it, so
// that the edit can be undone and redone exactly. Each change is kept as the state before and after it
// (pin links, list contents, partners, fed lists, values), never as a copy of the project.
//
// An element the edit frees is not destroyed: it is cut from everything that points at it (each cut
// recorded), then detached from its owner and kept here, so that undo puts the very same object back
// at its place in its owner's component order. Elements the edit creates are detached again by undo
// and kept for redo. The journal destroys what it holds detached when it goes.
class EditJournal {
public:
    EditJournal() = default;
    EditJournal(const EditJournal&) = delete;
    EditJournal& operator=(const EditJournal&) = delete;
    EditJournal(EditJournal&&) = default;
    EditJournal& operator=(EditJournal&&) = default;
    ~EditJournal();

    bool Empty() const { return m_actions.empty(); }
    std::size_t ActionCount() const { return m_actions.size(); }

    // Joins a and b (either side's former link undone first), as TPin::LinkPins.
    bool Link(TPin& a, TPin& b, TCableTV* cable, double metres, std::int32_t connectorNumber);
    // Separates p from its peer (nothing for a free pin).
    void Unlink(TPin& p);
    // Both ends of p's connection take the length (only p when it is free); nothing is recorded when
    // they have it already.
    void SetMetres(TPin& p, double metres);

    // Element lists of floors and flats.
    void Insert(NamedList<TComponenteBase>& list, std::size_t index, TComponenteBase* element);
    void Append(NamedList<TComponenteBase>& list, TComponenteBase* element);
    void Delete(NamedList<TComponenteBase>& list, std::size_t index);
    void SetContainer(TComponenteBase& element, TPrimerComponente* container);

    // Partners and power feeding.
    void SetDoublePartner(TCBFT& element, TCBFT* partner);
    void SetTriplePartner(TCBFT& element, TCBFT* partner);
    bool AddFed(Talimentador& feeder, TCBFT& element);

    // A component just created by the edit (isolated: no link, list or partner yet).
    void Created(TPrimerComponente& component);
    // Frees element the way an edit frees it: its pins are unlinked, its partners, feeder and fed list
    // dropped, it leaves its container's list and the stairs' error records of project, and it is kept
    // detached for undo.
    void Free(TComponenteBase& element, Tproyecto& project);
    // Frees elements that link mostly among themselves (the contents of a flat being rebuilt) as Free
    // does, recorded as one change of all their pins and one of each list they leave rather than one
    // per link and per entry: the record stays in proportion to the elements.
    void FreeTogether(const std::vector<TComponenteBase*>& elements, Tproyecto& project);

    // What the record holds, roughly in bytes: the states it keeps and the components it holds
    // detached (the editor bounds its history by it).
    std::size_t Bytes() const { return m_bytes; }

    // Any other change, given as the two ways to set it (both run once each time they are needed).
    void Record(std::function<void()> undo, std::function<void()> redo);
    // Sets a value of component, keeping the former one. Setting the value it has records nothing.
    template <typename T> void Set(const TPrimerComponente& component, T& field, T value) {
        if (field == value) {
            return;
        }
        MarkTouched(&component);
        T before = field;
        field = value;
        Record([&field, before] { field = before; }, [&field, value] { field = value; });
        m_bytes += 2 * sizeof(T);
    }
    // Adds to Bytes() what a change recorded with Record keeps beyond its two functions.
    void CountBytes(std::size_t bytes) { m_bytes += bytes; }

    // The components whose links, lists or values the edit changed, for a recalculation limited to
    // where they are; WholeProject() when a change may reach anywhere (a cable model, a generic value).
    const std::vector<const TPrimerComponente*>& Touched() const { return m_touched; }
    bool WholeProject() const { return m_wholeProject; }
    void MarkWholeProject() { m_wholeProject = true; }
    void MarkTouched(const TPrimerComponente* component) {
        if (component != nullptr) {
            m_touched.push_back(component);
        }
    }

    // Where the edit reached, worked out once it completed (the editor's recalculation after the edit,
    // its undo and its redo checks only those stairs).
    struct Reach {
        bool wholeProject = true;
        std::vector<const TPrimerComponente*> stairs;
    };
    const Reach& Reached() const { return m_reach; }
    void SetReached(Reach reach) { m_reach = std::move(reach); }

    // Undoes every recorded change, newest first; Redo does them again in order.
    void Undo();
    void Redo();
    // Undoes what was recorded and forgets it (an operation that fails half-way changes nothing).
    void Rollback();

private:
    // One recorded change. A component kept detached by the change is destroyed with it: an element the
    // edit freed while the edit stands done, an element it created while the edit stands undone.
    struct Action {
        enum class Holds { Nothing, WhenDone, WhenUndone };
        std::function<void()> undo;
        std::function<void()> redo;
        TPrimerComponente* component = nullptr;
        Holds holds = Holds::Nothing;
    };
    struct PinSnapshot {
        std::vector<std::pair<TPin*, TPin::LinkState>> pins;
        void Take(const std::vector<TPin*>& list);
        void Restore() const;
    };
    void RecordPins(const std::vector<TPin*>& pins, const std::function<void()>& change);
    void RecordList(NamedList<TComponenteBase>& list, const std::function<void()>& change);
    void RecordPartners(std::vector<TCBFT*> elements, const std::function<void()>& change);
    void RecordFeeding(std::vector<Talimentador*> feeders, const std::function<void()>& change);
    void Detach(TPrimerComponente& component);
    void CutPartnersAndFeeding(TComponenteBase& element);

    std::vector<std::unique_ptr<Action>> m_actions;
    bool m_undone = false;
    std::vector<const TPrimerComponente*> m_touched;
    bool m_wholeProject = false;
    Reach m_reach;
    std::size_t m_bytes = 0;
};

} // namespace ixo

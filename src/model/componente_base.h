#pragma once

#include "model/pc_lector_fichero.h"
#include "model/pin.h"
#include "model/pin_kind.h"
#include "model/stored_names.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace ixo {

class TCableTV;

// An ordered pin list: the list order is the pin order (Numeracion 1, 2, ...). The pins are owned by
// the element as its components; the list only refers to them. A pin's key in the list is its
// NombrePinExterno.
using PinList = std::vector<TPin*>;

// What ConnectCheck finds (the stored codes -1, 2, 1 and 0).
enum class ConnectCheckResult : int { SameElement = -1, NoPinFree = 0, OnlyOtherPinFree = 1, OwnPinFree = 2 };

// A catalogue element with three ordered pin lists: inputs (kind 'E'), outputs (any other letter,
// normally 'S') and taps (kind 'D').
//
// Two ways to make one: from a catalogue record (CreateFromCatalogue, the prototypes of the element
// store) and as a copy of a prototype (CreateCopy, which goes through the most specific class's Clone).
// Both run in two steps because the element must be named before its pins are (a pin's name starts with
// its owner's): the object is created, then filled.
//
// Destroying an element unlinks every connected pin first, so no peer is left pointing at it.
class TComponenteBase : public TPCLectorFichero {
    IXO_COMPONENT_CLASS(TComponenteBase)
public:
    // Streaming constructor: no pins.
    explicit TComponenteBase(TPrimerComponente* owner);
    // Copy of a prototype: identity (not the description) now, the pins once the copy is named.
    TComponenteBase(TPrimerComponente* owner, const TComponenteBase& prototype);
    ~TComponenteBase() override;

    std::int32_t NumeroArray = 0;
    std::int32_t Nentradas = 0;
    std::int32_t Nsalidas = 0;
    std::int32_t Nderivaciones = 0;

    // A new T under owner built from record number `number` of table (T's default table when null).
    // The script is consumed and cleared. A malformed script raises ScriptError; the half-built element
    // is destroyed first.
    template <typename T>
    static T* CreateFromCatalogue(TPrimerComponente* owner, std::int32_t number, TTablaCompoScript* table) {
        return FillOrDestroy(Create<T>(owner),
                             [&](TComponenteBase& element) { element.ReadCatalogue(number, table); });
    }
    // The same from a record already read (the element store hands each creator its record).
    template <typename T>
    static T* CreateFromRecord(TPrimerComponente* owner, const TRECConScript& record,
                               TTablaCompoScript* table) {
        return FillOrDestroy(Create<T>(owner), [&](TComponenteBase& element) {
            element.ReadRecord(record, record.Indice, table);
        });
    }
    // A copy of prototype of prototype's own class, owned by owner.
    template <typename T> static T* CreateCopy(TPrimerComponente* owner, const T& prototype) {
        return static_cast<T*>(prototype.Clone(owner));
    }

    const PinList& PinesENTRADA() const { return m_inputs; }
    const PinList& PinesSALIDA() const { return m_outputs; }
    const PinList& PinesDERIVACION() const { return m_taps; }
    // The list of a pin kind.
    const PinList& PinsOf(PinKind kind) const;

    // The floor or flat that lists the element (not owned); null when none.
    TPrimerComponente* Container() const { return m_container; }
    void SetContainer(TPrimerComponente* container) { m_container = container; }

    // Pin queries. index kFirstFreePin (-1): the first free pin; kLastFreePin (-2): the last free pin;
    // 0 or more: that pin when it is free. "Free" means without peer.
    TPin* FindFreePin(PinKind kind, int index) const;
    // As FindFreePin, counting only the pins whose Prefijo is letter.
    TPin* FindFreePinWithLetter(PinKind kind, char letter, int index) const;
    // The first pin from position start whose Prefijo is letter (with connectedOnly, that has a peer).
    TPin* FindPinByLetter(PinKind kind, char letter, bool connectedOnly, int start) const;
    // The pin at index, or null outside the list.
    TPin* PinAt(PinKind kind, int index) const;
    TPin* FirstConnectedPin(PinKind kind) const;
    int CountConnected(PinKind kind) const;
    // 0 without container; otherwise the connected pins, or with outsideOnly those whose peer's element
    // has another container.
    int CountConnectedOutside(PinKind kind, bool outsideOnly) const;
    int CountPinsWithLetter(PinKind kind, char letter) const;
    bool HasFreeInput() const;
    bool HasFreeTap() const;
    // Every connected input has its calculated flag set (free inputs are ignored).
    bool AllInputsCalculated() const;
    // Clears the calculated flag of every pin.
    void ClearCalculated();
    // Every pin's level back to zero, as a pin is when read from a file.
    void ClearLevels();
    // index kAllPins (-1): unlinks every connected pin of the list and answers true; otherwise unlinks
    // that pin when it exists and is connected and answers false.
    bool UnlinkPins(PinKind kind, int index);

    // Joins own pin (ownIndex of ownKind, see FindFreePin) to the other element's pin through cable,
    // the length being stored in both pins. False, changing nothing, when other is this element or
    // either free pin is not found. A null cable fits connector number 1.
    [[nodiscard]] virtual bool ConnectPin(int ownIndex, PinKind ownKind, double metres, TCableTV* cable,
                                          int otherIndex, PinKind otherKind, TComponenteBase& other);
    // The same with FindFreePinWithLetter on both sides.
    [[nodiscard]] bool ConnectPinWithLetter(int ownIndex, PinKind ownKind, double metres, TCableTV* cable,
                                            int otherIndex, char otherLetter, PinKind otherKind,
                                            TComponenteBase& other, char ownLetter);
    // With the arguments of ConnectPinWithLetter: which side has the matching free pin.
    [[nodiscard]] ConnectCheckResult ConnectCheck(int ownIndex, PinKind ownKind, double metres,
                                                  TCableTV* cable, int otherIndex, char otherLetter,
                                                  PinKind otherKind, const TComponenteBase& other,
                                                  char ownLetter) const;

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;

    // Reading a project file: the pin names stored for the list of a kind ('E', 'S', 'D'), then each
    // pin read (owned by this element) put into that list at the place of its NombrePinExterno among
    // them. False when the name is not stored or the pin is listed already.
    void SetStoredPinNames(PinKind kind, std::vector<std::string> names);
    bool AttachStoredPin(TPin& pin);

protected:
    // The catalogue constructor's work: reads record number `number` of table (the class's default
    // table when null) and fills the element. Subclasses extend ReadRecord.
    void ReadCatalogue(std::int32_t number, TTablaCompoScript* table);
    // Fills the element from a record read for number: identity always; counts and pins only when the
    // record carries that number. Subclasses call their base first, then read their own keys.
    virtual void ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table);
    // Creates the pins of the three kinds from the script keys and the counts.
    virtual void CreatePins();
    // The catalogue kind (0..10) whose table the class uses when none is given; -1 for none.
    virtual int DefaultKind() const { return -1; }

    void AfterConstruction() override;
    void Notification(TPrimerComponente* removed) override;

private:
    template <typename T, typename Fill> static T* FillOrDestroy(T* element, Fill fill) {
        try {
            fill(static_cast<TComponenteBase&>(*element));
            element->ClearScript();
        } catch (...) {
            Destroy(element);
            throw;
        }
        return element;
    }

    PinList& MutablePinsOf(PinKind kind);
    void CreatePinsOfKind(PinKind kind, std::int32_t count);
    void CopyPinsFrom(const TComponenteBase& prototype);
    StoredNames& StoredNamesOf(PinKind kind);

    TPrimerComponente* m_container = nullptr; // not owned
    PinList m_inputs;
    PinList m_taps;
    PinList m_outputs;
    const TComponenteBase* m_copyOf = nullptr; // the prototype whose pins the copy takes once named
    StoredNames m_storedInputs;
    StoredNames m_storedTaps;
    StoredNames m_storedOutputs;
};

} // namespace ixo

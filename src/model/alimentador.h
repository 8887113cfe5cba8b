#pragma once

#include "model/cbft.h"

#include <string>
#include <vector>

namespace ixo {

// A power feeder: a power supply or a power injector, with the list of the elements it feeds
// (CompoAlimentar). Feeding an element sets that element's feeder to this feeder; the link is cleared on
// both sides when either goes: a destroyed feeder leaves its elements without feeder, a destroyed fed
// element leaves the list. The list is stored by element names and attached again by name after a
// project is read.
class Talimentador : public TCBFT {
    IXO_COMPONENT_CLASS(Talimentador)
public:
    static constexpr int kKind = 9; // the supply table

    // One element of the list: its name and, once attached, the element.
    struct FedEntry {
        std::string Name;
        TCBFT* Element = nullptr; // not owned
    };

    explicit Talimentador(TPrimerComponente* owner);
    // Copy of a prototype: Corriente and Tension; the copy feeds nothing.
    Talimentador(TPrimerComponente* owner, const Talimentador& prototype);
    ~Talimentador() override;

    double Corriente = 0.0; // mA
    double Tension = 0.0;   // V

    const std::vector<FedEntry>& CompoAlimentar() const { return m_fed; }
    // Appends element to the list and makes this feeder its feeder; an element fed by another feeder
    // leaves that feeder's list first, one already in the list stays where it is. False for null and
    // for the feeder itself.
    bool AddFed(TCBFT* element);
    // Clears the feeder of every element in the list and empties it.
    void ClearFed();

    // The stored form of the list: the names of its entries, in order (an attached element gives its
    // current name).
    std::vector<std::string> FedNames() const;
    // Replaces the list by names without elements (as read from a project); the elements fed before
    // lose this feeder.
    void SetFedNames(const std::vector<std::string>& names);
    // Attaches every entry without element to the component of its name among scope's components: that
    // component, when it is a transfer-function element, becomes the entry's element and takes this
    // feeder. Entries whose name is not found stay without element.
    void AttachFedByName(const TPrimerComponente& scope);

    void ForgetFed(TCBFT* fed) override;
    TPrimerComponente* Clone(TPrimerComponente* owner) const override;

protected:
    int DefaultKind() const override { return kKind; }
    void ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) override;
    void Notification(TPrimerComponente* removed) override;

private:
    void Attach(FedEntry& entry, TCBFT& element);

    std::vector<FedEntry> m_fed;
};

// A power supply (supply table, families up to 7499): it feeds multiswitches and amplifiers over their
// own power input.
class TFUENTE : public Talimentador {
    IXO_COMPONENT_CLASS(TFUENTE)
public:
    static constexpr std::int32_t kLastFamily = 7499;

    explicit TFUENTE(TPrimerComponente* owner) : Talimentador(owner) {}
    TFUENTE(TPrimerComponente* owner, const TFUENTE& prototype) : Talimentador(owner, prototype) {}

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
};

// A power injector (supply table, families above 7499): cabled into a trunk line, it passes the signal
// and puts the supply voltage on the line towards the multiswitch it feeds.
class TInyector : public Talimentador {
    IXO_COMPONENT_CLASS(TInyector)
public:
    explicit TInyector(TPrimerComponente* owner) : Talimentador(owner) {}
    TInyector(TPrimerComponente* owner, const TInyector& prototype) : Talimentador(owner, prototype) {}

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
};

} // namespace ixo

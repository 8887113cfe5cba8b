#pragma once

#include "model/componente_base.h"
#include "model/ftransf.h"
#include "model/level_vector.h"

#include <cstdint>
#include <memory>
#include <string>

namespace ixo {

// A network element with a transfer function: a level arriving at an input pin is pushed through the
// function to every output and tap and on to the elements cabled there (ReceiveLevel). It also carries
// its power figures, its partners (two or three elements of one model used side by side as one double
// or triple device) and the supply that feeds it.
//
// Binary data "DCBFT" (written while the element has a transfer function): the function's data.
class TCBFT : public TComponenteBase {
    IXO_COMPONENT_CLASS(TCBFT)
public:
    explicit TCBFT(TPrimerComponente* owner);
    TCBFT(TPrimerComponente* owner, const TCBFT& prototype);
    ~TCBFT() override;

    bool Nocontabilizardoble = false;
    std::int32_t Npolaridades = 0;
    double Consumolin = 0.0; // consumption on the supply line
    std::int32_t FamiliaHermana = 0;
    std::int32_t ConsumoPasivo = 0;
    std::int32_t ConsumoActivo = 0;
    std::int32_t CorrienteMaxima = 0; // current the element can supply to the terrestrial line

    bool DoyCorriente() const { return CorrienteMaxima > 0; }
    const std::string& Eledoblenombre() const { return m_doubleName; }
    const std::string& EletripleNombre() const { return m_tripleName; }
    // Reading a project file: the partner names alone; the reader links the partners once both are read.
    void SetEledoblenombre(std::string name) { m_doubleName = std::move(name); }
    void SetEletripleNombre(std::string name) { m_tripleName = std::move(name); }

    TFTransf& Transfer() { return *m_transfer; }
    const TFTransf& Transfer() const { return *m_transfer; }
    // The element's last computed output.
    const LevelVector& OutputBuffer() const { return m_output; }

    // A level arrives at input pin `pin` (of this element): the cable loss of the pin's connection is
    // applied, the pin takes the level, and every output and then every tap gets the level plus the gains
    // of its row and passes it on to the element cabled there before the next pin is computed (depth
    // first). A null pin does nothing.
    //
    // An input key without a table in the transfer function counts as a -1 dB loss in every band, as a
    // missing row does. A level that reaches an element already pushing (a cable loop) is stored at the
    // receiving pin and goes no further, so a loop ends after one round.
    virtual void ReceiveLevel(const LevelVector& level, TPin* pin);

    // Links this element and other both ways as double (triple) partners, each storing the other's name;
    // either side's previous partner of that kind is unlinked first. Null only unlinks.
    void SetDoublePartner(TCBFT* other);
    void SetTriplePartner(TCBFT* other);
    TCBFT* DoublePartner() const { return m_double; }
    TCBFT* TriplePartner() const { return m_triple; }

    // The supply that feeds the element (not owned); set and cleared by the supply.
    TCBFT* Feeder() const { return m_feeder; }
    void SetFeeder(TCBFT* feeder);
    // Called on a supply when an element it feeds is destroyed: it drops the element from its list.
    virtual void ForgetFed(TCBFT* /*fed*/) {}

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
    void DefineProperties(BinaryPropertyFiler& filer) override;

protected:
    void ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) override;
    void Notification(TPrimerComponente* removed) override;
    // Pushes in (arrived at an input of key inKey) through every pin of list.
    void PushThrough(const PinList& list, const LevelVector& in, std::string_view inKey);

private:
    enum class PartnerKind { Double, Triple };
    void SetPartner(PartnerKind kind, TCBFT* other);
    void Unpartner(PartnerKind kind);
    TCBFT*& PartnerRef(PartnerKind kind) { return kind == PartnerKind::Double ? m_double : m_triple; }
    std::string& PartnerName(PartnerKind kind) {
        return kind == PartnerKind::Double ? m_doubleName : m_tripleName;
    }
    // Watches other unless it is still referred to.
    void Watch(TCBFT* other);
    void Unwatch(TCBFT* other);

    LevelVector m_output;
    TCBFT* m_double = nullptr; // not owned
    TCBFT* m_feeder = nullptr; // not owned
    std::string m_doubleName;
    TCBFT* m_triple = nullptr; // not owned
    std::string m_tripleName;
    std::unique_ptr<TFTransf> m_transfer = std::make_unique<TFTransf>();
    bool m_pushing = false; // set while a level is pushed through this element
};

} // namespace ixo

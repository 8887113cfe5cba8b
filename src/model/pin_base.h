#pragma once

#include "model/carga.h"
#include "model/conector.h"
#include "model/paso_corriente.h"
#include "model/pin_kind.h"
#include "model/primer_componente.h"

#include <cstdint>
#include <memory>
#include <string>

namespace ixo {

class BinaryReader;
class BinaryWriter;
class TCableTV;

// A connection point of an element (its owner). It knows its class letter and direction, the cable
// and connector fitted while it is cabled, the load that terminates it while it is not, its own
// connector and its DC pass data.
//
// Binary data "DatosPinbase" (always written): the DC pass data (21 bytes); then a byte 1/0 telling
// whether the fitted connector follows and its data; the same for the pin connector; the same for
// the load.
class TPinbase : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TPinbase)
public:
    // Streaming constructor: input pin of letter A named after its owner, default DC pass data, the
    // default load, no connectors.
    explicit TPinbase(TPrimerComponente* owner);
    // From catalogue data: the pin connector is connector connectorNumber of the connector table.
    TPinbase(TPrimerComponente* owner, std::int32_t numeracion, char tipodePin, char prefijo,
             std::int32_t connectorNumber, const TPasocorriente& pasoCorriente);
    // Copy of a prototype pin: DC pass data, a copy of its pin connector and of its load, kind, letter,
    // position and polarity. It is not connected.
    TPinbase(TPrimerComponente* owner, const TPinbase& prototype);
    ~TPinbase() override;

    char Prefijo = 'A';   // class letter within the pin list
    char TipodePin = 'E'; // E input, S output, D tap
    std::int32_t Numeroarray = 1;
    std::int32_t Numeracion = 0;  // 1-based position in its list
    double MetrosCable = 0.0;     // cable length, the same on both pins of a connection
    std::string NombrePinExterno; // key in the element's pin list
    std::int32_t polaridad = 0;   // -1 terrestrial

    // The list the pin belongs in, from its stored letter.
    PinKind Kind() const { return PinKindOfLetter(TipodePin); }
    // The two characters TipodePin and Prefijo, the key of the transfer tables.
    std::string PinKey() const { return std::string{TipodePin, Prefijo}; }
    // "Pin" + Numeracion + TipodePin + Prefijo, the key of catalogue-made pins.
    static std::string CatalogueName(std::int32_t numeracion, char tipodePin, char prefijo);

    TCableTV* Cable() const { return m_cable; }
    const TCarga* Load() const { return m_load.get(); }
    const TConector* FittedConnector() const { return m_fittedConnector.get(); }
    const TConector* PinConnector() const { return m_pinConnector.get(); }
    const TPasocorriente& PasoCorriente() const { return m_pasoCorriente; }
    // The shared values themselves, for an editor that puts a pin back exactly as it was.
    const std::shared_ptr<const TCarga>& SharedLoad() const { return m_load; }
    const std::shared_ptr<const TConector>& SharedFittedConnector() const { return m_fittedConnector; }
    const std::shared_ptr<const TConector>& SharedPinConnector() const { return m_pinConnector; }

    // Connectors and loads are values: a pin holds them shared and replaces them whole.
    void SetLoad(std::shared_ptr<const TCarga> load) { m_load = std::move(load); }
    void SetPinConnector(std::shared_ptr<const TConector> connector) {
        m_pinConnector = std::move(connector);
    }
    void SetPasoCorriente(const TPasocorriente& data) { m_pasoCorriente = data; }

    void WriteDatosPinbase(BinaryWriter& writer) const;
    // Replaces the DC pass data, connectors and load by the data read; an absent item is freed. On
    // failure (StreamError) the pin is unchanged.
    void ReadDatosPinbase(BinaryReader& reader);

    // A connected pin whose fitted connector is not of its cable's connector type gets one that is
    // (after the cable was changed); true when it changed.
    bool RenewFittedConnector();

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
    void DefineProperties(BinaryPropertyFiler& filer) override;

protected:
    // The cable is watched: when it is destroyed the pin forgets it.
    void SetCable(TCableTV* cable);
    // Fits a connector to the cable end (null removes it).
    void SetFittedConnector(std::shared_ptr<const TConector> connector) {
        m_fittedConnector = std::move(connector);
    }
    void Notification(TPrimerComponente* removed) override;

private:
    TCableTV* m_cable = nullptr; // not owned
    std::shared_ptr<const TCarga> m_load;
    std::shared_ptr<const TConector> m_fittedConnector;
    std::shared_ptr<const TConector> m_pinConnector;
    TPasocorriente m_pasoCorriente;
};

} // namespace ixo

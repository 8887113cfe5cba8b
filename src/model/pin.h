#pragma once

#include "model/level_vector.h"
#include "model/pin_base.h"

#include <cstdint>
#include <string>

namespace ixo {

// A pin that takes part in the level calculation: it holds the level at this pin (for an input, the
// level after the cable loss), the flag telling that a level reached it in the current run, and the
// pin at the other end of its cable.
//
// A pin is either unconnected (no cable, no peer, no fitted connector, normally a load) or connected
// (cable, a peer whose peer is this pin, a fitted connector of the cable's connector number, no load);
// both pins of a connection hold the same cable and MetrosCable. Destroying a connected pin unlinks it
// first, so its peer never points at a freed pin.
//
// Binary data "ConexionPin" (only while the pin has a peer): the peer's path, then the cable's path,
// each as a counted string ("NO" for none). Reading keeps both paths for the project reader, which
// re-links the pins once the whole tree is read.
class TPin : public TPinbase {
    IXO_COMPONENT_CLASS(TPin)
public:
    explicit TPin(TPrimerComponente* owner);
    TPin(TPrimerComponente* owner, std::int32_t numeracion, char tipodePin, char prefijo,
         std::int32_t connectorNumber, const TPasocorriente& pasoCorriente);
    TPin(TPrimerComponente* owner, const TPin& prototype);
    ~TPin() override;

    TPin* Peer() const { return m_peer; }
    bool IsConnected() const { return m_peer != nullptr; }
    const LevelVector& Levels() const { return m_levels; }
    // A level arriving at this pin: less the loss of its cable over its length (unchanged without one).
    LevelVector AfterCable(const LevelVector& level) const;
    bool Calculated() const { return m_calculated != 0; }
    void SetLevels(const LevelVector& levels) { m_levels = levels; }
    void SetCalculated(bool calculated) { m_calculated = calculated ? 1 : 0; }

    // Everything linking and unlinking change on a pin, so that an edit can be undone exactly. The
    // level is not part of it: the level run after every edit, undo and redo sets every pin's level
    // afresh (an editor keeps many of these, and a level is most of a pin's state).
    struct LinkState {
        TPin* peer = nullptr;
        TCableTV* cable = nullptr;
        double metres = 0.0;
        std::shared_ptr<const TCarga> load;
        std::shared_ptr<const TConector> fittedConnector;
        std::shared_ptr<const TConector> pinConnector;
    };
    LinkState SaveLinkState() const;
    // Puts this pin back as saved (its level stays as it is). Its peer is not touched: an editor
    // restores both sides.
    void RestoreLinkState(const LinkState& state);

    // The paths read from the last "ConexionPin" data (empty when none was read).
    const std::string& StoredPeerPath() const { return m_storedPeerPath; }
    const std::string& StoredCablePath() const { return m_storedCablePath; }
    // Frees the paths once the connection is made (or found impossible): a project holds many pins.
    void ForgetStoredPaths() {
        std::string().swap(m_storedCablePath);
        std::string().swap(m_storedPeerPath);
    }

    void WriteConexionPin(BinaryWriter& writer) const;
    void ReadConexionPin(BinaryReader& reader);

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
    void DefineProperties(BinaryPropertyFiler& filer) override;

    // Joins a and b through cable: each loses its load, takes the cable and the length and gets a fitted
    // connector of connectorNumber (the cable's Tipoconector); then each becomes the other's peer. A pin
    // already linked to a third pin is unlinked from it first. False (nothing changed) when a and b are
    // the same pin.
    static bool LinkPins(TPin& a, TPin& b, TCableTV* cable, double metres, std::int32_t connectorNumber);
    // The same with the cable's own connector number (its Tipoconector).
    static bool LinkPins(TPin& a, TPin& b, TCableTV& cable, double metres);
    // Separates p from its peer: both get load number 1 of the load table (and lose their fitted
    // connectors), lose cable and peer, get connector number 1 of the connector table as pin connector
    // and zero levels. Nothing happens to an unconnected pin.
    static void UnlinkPin(TPin& p);

private:
    // The unconnected state UnlinkPin leaves a pin in.
    void Disconnect();

    std::uint8_t m_calculated = 0;
    std::int32_t m_reserved = 0; // kept for the stored form; always 0
    std::string m_storedCablePath;
    std::string m_storedPeerPath;
    LevelVector m_levels;
    TPin* m_peer = nullptr; // not owned
};

inline bool LinkPins(TPin& a, TPin& b, TCableTV* cable, double metres, std::int32_t connectorNumber) {
    return TPin::LinkPins(a, b, cable, metres, connectorNumber);
}
inline bool LinkPins(TPin& a, TPin& b, TCableTV& cable, double metres) {
    return TPin::LinkPins(a, b, cable, metres);
}
inline void UnlinkPin(TPin& p) {
    TPin::UnlinkPin(p);
}
inline void SetLevels(TPin& p, const LevelVector& levels) {
    p.SetLevels(levels);
}
inline void SetCalculated(TPin& p, bool calculated) {
    p.SetCalculated(calculated);
}

} // namespace ixo

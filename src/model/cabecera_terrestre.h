#pragma once

#include "model/ampli_base.h"

namespace ixo {

// The terrestrial headend: a source that delivers a fixed terrestrial output level at every output and
// tap whatever reaches its inputs. It has no controls; its level starts at zero and each level run
// seeds it (SetNivelTerr).
//
// Binary data "NivelTerr" (always written): the terrestrial output level, 8 doubles.
class TCabeceraTerrestre : public TAmpliBase {
    IXO_COMPONENT_CLASS(TCabeceraTerrestre)
public:
    explicit TCabeceraTerrestre(TPrimerComponente* owner) : TAmpliBase(owner) {}
    TCabeceraTerrestre(TPrimerComponente* owner, const TCabeceraTerrestre& prototype)
        : TAmpliBase(owner, prototype), m_nivelTerr(prototype.m_nivelTerr) {}

    const LevelVector& NivelTerr() const { return m_nivelTerr; }
    void SetNivelTerr(const LevelVector& level) { m_nivelTerr = level; }

    // A pin given keeps the level received; then every output and every tap, in list order, gets the
    // terrestrial level and passes it on. The run calls it with no pin.
    void ReceiveLevel(const LevelVector& level, TPin* pin) override;
    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
    void DefineProperties(BinaryPropertyFiler& filer) override;

protected:
    void ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) override;

private:
    LevelVector m_nivelTerr;
};

} // namespace ixo

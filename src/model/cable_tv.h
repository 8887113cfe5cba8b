#pragma once

#include "model/level_vector.h"
#include "model/paso_corriente.h"
#include "model/pc_lector_fichero.h"

#include <cstdint>
#include <string>

namespace ixo {

// Descriptive data of a coaxial cable model for the list of materials.
class TCableTVBase : public TPCLectorFichero {
    IXO_COMPONENT_CLASS(TCableTVBase)
public:
    explicit TCableTVBase(TPrimerComponente* owner) : TPCLectorFichero(owner) {}

    bool Exterior = false;           // outdoor cable
    std::int32_t RadioCurvatura = 0; // bending radius, mm
    std::int32_t Impedancia = 0;     // not read from the catalogue
    double Diametro = 0.0;           // outer diameter, mm
    std::string Referencia;          // the cable's Indice in decimal, at most 30 characters

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;

protected:
    void CopyCableBaseFrom(const TCableTVBase& prototype);
};

// One coaxial cable model: its gain per metre in the eight bands (losses are negative) and the
// connector fitted at both ends of every connection made with it. It is not a network element and has
// no pins: a connection refers to a cable and keeps its own length in both pins; the loss is applied
// where a level arrives.
//
// Binary data: "Ecuacion" (always): the 8 coefficients as doubles; "PasodeCorriente" (always): the DC
// pass record in its 21-byte layout.
class TCableTV : public TCableTVBase {
    IXO_COMPONENT_CLASS(TCableTV)
public:
    static constexpr int kKind = 2; // the cable table

    explicit TCableTV(TPrimerComponente* owner);

    bool InteriorVivienda = false; // runs inside a flat
    std::int32_t Tipoconector = 1; // connector number of both ends of a connection
    std::int32_t tipotramo = 0;
    double Metros = 0.0;
    std::int32_t NumCables = 1;

    // A cable built from record `number` of table (the cable table when null). The keys are read only
    // when the record read carries that number. A malformed script raises ScriptError (the half-built
    // cable is destroyed first).
    static TCableTV* CreateFromCatalogue(TPrimerComponente* owner, std::int32_t number,
                                         TTablaCompoScript* table);
    // The same from a record already read.
    static TCableTV* CreateFromRecord(TPrimerComponente* owner, const TRECConScript& record,
                                      TTablaCompoScript* table);
    // A copy of prototype: identity, script-less, and every cable field (InteriorVivienda included).
    static TCableTV* CreateCopy(TPrimerComponente* owner, const TCableTV& prototype);

    // Reads record `number` of the element's table (the cable table when none) again when the table has
    // it; false, changing nothing, when it has not. A malformed script raises ScriptError.
    bool Reload(std::int32_t number);

    // The gain of `metres` of this cable: coefficients x metres.
    LevelVector Attenuation(double metres) const { return Scale(m_coefficients, metres); }
    const LevelVector& Coefficients() const { return m_coefficients; }
    void SetCoefficients(const LevelVector& perMetre) { m_coefficients = perMetre; }
    const TPasocorriente& PasoCorriente() const { return m_pasoCorriente; }
    void SetPasoCorriente(const TPasocorriente& data) { m_pasoCorriente = data; }

    void WriteEcuacion(BinaryWriter& writer) const;
    // Zeroes the coefficients, then reads them.
    void ReadEcuacion(BinaryReader& reader);

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
    void DefineProperties(BinaryPropertyFiler& filer) override;

private:
    void ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table);
    // The cable keys, in catalogue order.
    void ReadKeys();

    LevelVector m_coefficients;
    TPasocorriente m_pasoCorriente;
};

} // namespace ixo

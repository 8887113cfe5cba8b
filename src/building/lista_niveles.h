#pragma once

#include "model/primer_componente.h"
#include "model/primer_objeto.h"
#include "settings/level_limits.h"

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace ixo {

class BinaryReader;
class BinaryWriter;

// One outlet level limit of a project: the level every outlet must reach (Minimo) and must not exceed
// (Maximo), in dBµV.
class TObjetonivel : public TPrimerObjeto {
public:
    static constexpr std::string_view kClassName = "TObjetonivel";

    double Minimo = 0.0;
    double Maximo = 0.0;
    std::string NombreNivel;

    std::string_view ClassName() const override { return kClassName; }
    std::unique_ptr<TPrimerObjeto> Clone() const override { return std::make_unique<TObjetonivel>(*this); }
};

// The outlet level limits of a project: entry 0 for the terrestrial bands, entry 1 for the satellite
// bands. The list owns its entries.
//
// Binary data "NIVELES" (only while the list has entries): int32 entry count, then per entry an int32
// name length, the name's bytes (single-byte code page, no terminator), float64 Minimo, float64 Maximo.
// Reading replaces the list only when the whole block reads.
class Tlistaobjetonivel : public TPrimerComponente {
    IXO_COMPONENT_CLASS(Tlistaobjetonivel)
public:
    explicit Tlistaobjetonivel(TPrimerComponente* owner) : TPrimerComponente(owner) {}

    std::size_t Count() const { return m_entries.size(); }
    const TObjetonivel& operator[](std::size_t i) const { return *m_entries[i]; }
    void Add(const TObjetonivel& entry) { m_entries.push_back(std::make_unique<TObjetonivel>(entry)); }
    void Clear() { m_entries.clear(); }

    // The limits of entry i, or -1.0 when i is outside the list.
    double Minimo(int i) const;
    double Maximo(int i) const;
    // Replaces every entry by a copy of the exchange array's.
    void AsignarNiveles(const TMatestructuranivel& array);
    // Resizes array to the entry count and fills it.
    void LeerNiveles(TMatestructuranivel& array) const;

    void WriteNiveles(BinaryWriter& writer) const;
    void ReadNiveles(BinaryReader& reader);

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
    void DefineProperties(BinaryPropertyFiler& filer) override;

private:
    const TObjetonivel* At(int i) const;

    std::vector<std::unique_ptr<TObjetonivel>> m_entries;
};

} // namespace ixo

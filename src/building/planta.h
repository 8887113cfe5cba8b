#pragma once

#include "building/named_list.h"
#include "model/primer_componente.h"

#include <cstdint>
#include <string>

namespace ixo {

class TComponenteBase;
class TEscalera;
class Tvivienda;

// A floor of a stair: its flats, in order, and the network elements placed on it (multiswitches,
// splitters, DiSEqC switches, supplies) in the order the builder and the drawing use. The flats are
// owned by the floor's owner (the building), the elements by the project's network container; the floor
// frees both when it goes.
class tplanta : public TPrimerComponente {
    IXO_COMPONENT_CLASS(tplanta)
public:
    explicit tplanta(TPrimerComponente* owner);
    ~tplanta() override;

    std::string NombreEscalera; // component name of its stair
    bool HeaderPl = false;      // the headend floor
    std::int32_t Nivel = 0;     // 1-based position in the stair's floor list

    TEscalera* Escalera() const { return m_escalera; }
    // Links the floor to its stair (NombreEscalera follows; empty for none).
    void SetEscalera(TEscalera* escalera);

    // The elements placed on the floor. Adding an element to the list makes the floor watch it, so
    // freeing it removes it from the list; the builder also sets the element's container to the floor
    // (AgregarElemento does both).
    NamedList<TComponenteBase>& ETV() { return m_etv; }
    const NamedList<TComponenteBase>& ETV() const { return m_etv; }
    void SetETV(const NamedList<TComponenteBase>& list);
    // Appends element to ETV and records the floor as its place.
    void AgregarElemento(TComponenteBase* element);

    NamedList<Tvivienda>& LViviendas() { return m_viviendas; }
    const NamedList<Tvivienda>& LViviendas() const { return m_viviendas; }
    void SetLViviendas(const NamedList<Tvivienda>& list);

    // A new flat on this floor, with the outlets and distribution of the project's preferences.
    Tvivienda* NuevaVivienda();

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;

protected:
    void Notification(TPrimerComponente* removed) override;

private:
    TEscalera* m_escalera = nullptr; // not owned
    NamedList<TComponenteBase> m_etv{this};
    NamedList<Tvivienda> m_viviendas{this};
};

} // namespace ixo

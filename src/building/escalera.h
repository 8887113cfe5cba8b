#pragma once

#include "building/comprueba_errores.h"
#include "building/named_list.h"
#include "model/primer_componente.h"

#include <memory>

namespace ixo {

class tplanta;

// A stair: one trunk distribution of the building, with its floors from the lowest (index 0) upwards.
// The floors are owned by the stair's owner (the building); the stair frees them when it goes.
class TEscalera : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TEscalera)
public:
    explicit TEscalera(TPrimerComponente* owner);
    ~TEscalera() override;

    NamedList<tplanta>& ListaPlantas() { return m_plantas; }
    const NamedList<tplanta>& ListaPlantas() const { return m_plantas; }
    // Replaces the floor list by a copy of list's entries.
    void SetListaPlantas(const NamedList<tplanta>& list);

    // The error list of the last outlet check (owned).
    TCompruebaErrores& ErroresEscalera() { return *m_errores; }
    const TCompruebaErrores& ErroresEscalera() const { return *m_errores; }

    // Appends n floors, each owned by the stair's owner and numbered by its position (Nivel).
    void AnadirPlantas(int n);
    // The headend floor of this stair (the highest with HeaderPl), or null.
    tplanta* PlantaCabecera() const;
    // The highest floor that has flats, or null: a stair has flats when this is not null.
    tplanta* UltimaPlantaConViviendas() const;

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;

protected:
    void Notification(TPrimerComponente* removed) override;

private:
    NamedList<tplanta> m_plantas{this};
    std::unique_ptr<TCompruebaErrores> m_errores = std::make_unique<TCompruebaErrores>();
};

} // namespace ixo

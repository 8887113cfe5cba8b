#include "reports/lista_info_pau.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "levels/polaridad_vivienda.h"
#include "model/pin.h"
#include "model/toma_tv.h"

namespace ixo {

TregistroInfo::TregistroInfo(Tvivienda& flat) : m_flat(&flat), m_entryInput(EntradaDeVivienda(flat)) {
    if (m_entryInput != nullptr) {
        m_polarity = m_entryInput->polaridad;
    }
    for (const auto& entry : flat.ETV()) {
        if (entry.Object != nullptr && entry.Object->Is<TTomaTV>()) {
            m_outlets.push_back(static_cast<const TTomaTV*>(entry.Object));
        }
    }
}

TregistroInfo::~TregistroInfo() {
    SeleccionarPolaridad(m_polarity);
}

void TregistroInfo::SeleccionarPolaridad(std::int32_t polarity) const {
    if (m_entryInput != nullptr) {
        ixo::SeleccionarPolaridad(*m_entryInput, polarity);
    }
}

TListaInfoPau::TListaInfoPau(const Tproyecto& project) {
    for (const auto& flat : project.ListaViviendas()) {
        if (flat.Object != nullptr) {
            m_records.push_back(std::make_unique<TregistroInfo>(*flat.Object));
        }
    }
}

void TListaInfoPau::SeleccionarPolaridad(std::int32_t polarity) const {
    for (const auto& record : m_records) {
        record->SeleccionarPolaridad(polarity);
    }
}

std::vector<TNodotoma> TListaInfoPau::Tomas() const {
    std::vector<TNodotoma> outlets;
    for (const auto& record : m_records) {
        const Tvivienda& flat = record->Vivienda();
        const tplanta* floor = flat.Planta();
        for (const TTomaTV* outlet : record->Tomas()) {
            TNodotoma node;
            node.Vivienda = &flat;
            node.Planta = floor;
            node.Escalera = floor != nullptr ? floor->Escalera() : nullptr;
            node.Toma = outlet;
            if (!outlet->PinesDERIVACION().empty()) {
                node.TieneDerivacion = true;
                node.Niveles = outlet->PinesDERIVACION().front()->Levels();
            }
            outlets.push_back(node);
        }
    }
    return outlets;
}

} // namespace ixo

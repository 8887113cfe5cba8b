#pragma once

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"

namespace ixo {

// Calls visit(stair, floor, flat) for every flat of the project in building order (stair, floor, flat
// as listed), skipping empty places of the lists.
template <typename Visit> void ForEachFlat(Tproyecto& project, Visit&& visit) {
    for (const auto& stair : project.Escaleras()) {
        if (stair.Object == nullptr) {
            continue;
        }
        for (const auto& floor : stair.Object->ListaPlantas()) {
            if (floor.Object == nullptr) {
                continue;
            }
            for (const auto& flat : floor.Object->LViviendas()) {
                if (flat.Object != nullptr) {
                    visit(*stair.Object, *floor.Object, *flat.Object);
                }
            }
        }
    }
}

} // namespace ixo

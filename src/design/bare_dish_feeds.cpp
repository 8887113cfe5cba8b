#include "design/bare_dish_feeds.h"

#include "building/planta.h"
#include "building/proyecto.h"
#include "model/antena.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/repartidor.h"

namespace ixo {

std::vector<TComponenteBase*> BareDishFeeds(const Tproyecto& project) {
    std::vector<TComponenteBase*> feeds;
    const tplanta* headend = project.PlantaCabecera();
    if (headend == nullptr) {
        return feeds;
    }
    for (const auto& entry : headend->ETV()) {
        TComponenteBase* element = entry.Object;
        if (element == nullptr || (!element->Is<TMultiswitch>() && !element->Is<TRepartidor>())) {
            continue;
        }
        for (const TPin* in : element->PinesENTRADA()) {
            const TPin* peer = in->Peer();
            if (peer != nullptr && peer->Owner() != nullptr && peer->Owner()->Is<Tantena>()) {
                feeds.push_back(element);
                break;
            }
        }
    }
    return feeds;
}

} // namespace ixo

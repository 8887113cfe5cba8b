#include "design/network_elements.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/cbft.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "model/pin.h"
#include "model/toma_tv.h"

namespace ixo {
namespace {

void CollectFrom(const TPrimerComponente& owner, std::vector<TCBFT*>& elements) {
    for (TPrimerComponente* child : owner.Components()) {
        if (auto* element = dynamic_cast<TCBFT*>(child)) {
            elements.push_back(element);
        }
    }
}

} // namespace

std::vector<TCBFT*> NetworkElements(const Tproyecto& project) {
    std::vector<TCBFT*> elements;
    CollectFrom(project.RedTV(), elements);
    for (const auto& flat : project.ListaViviendas()) {
        if (flat.Object != nullptr && flat.Object->Contenedor() != nullptr) {
            CollectFrom(*flat.Object->Contenedor(), elements);
        }
    }
    return elements;
}

TMultiswitch* RiserEntry(const tplanta& floor) {
    for (const auto& entry : floor.ETV()) {
        auto* multiswitch = dynamic_cast<TMultiswitch*>(entry.Object);
        if (multiswitch == nullptr) {
            continue;
        }
        for (const TPin* in : multiswitch->PinesENTRADA()) {
            const TPin* peer = in->Peer();
            const auto* upstream =
                peer != nullptr ? dynamic_cast<const TComponenteBase*>(peer->Owner()) : nullptr;
            // A line amplifier inserted on the floor stands in the riser too.
            if (upstream != nullptr &&
                (upstream->Container() != &floor || dynamic_cast<const TLinAmp*>(upstream))) {
                return multiswitch;
            }
        }
    }
    return nullptr;
}

const TLinAmp* AmplifierFeeding(const TMultiswitch& multiswitch) {
    for (const TPin* in : multiswitch.PinesENTRADA()) {
        if (in->Peer() != nullptr) {
            return dynamic_cast<const TLinAmp*>(in->Peer()->Owner());
        }
    }
    return nullptr;
}

std::string FedName(const TComponenteBase& element) {
    const TPin* out = element.FirstConnectedPin(PinKind::Output);
    const TPrimerComponente* fed = out != nullptr && out->Peer() != nullptr ? out->Peer()->Owner() : nullptr;
    return fed != nullptr ? fed->Name() : std::string("?");
}

std::string FloorPlace(const tplanta& floor) {
    std::string place;
    if (const TEscalera* stair = floor.Escalera()) {
        place = "STAIR" + std::to_string(stair->Numero_Interno()) + " ";
    }
    return place + "FLOOR" + std::to_string(floor.Nivel);
}

std::string FlatPlace(const Tvivienda& flat) {
    return (flat.Planta() != nullptr ? FloorPlace(*flat.Planta()) + " " : std::string()) + flat.NombreViv;
}

std::string OutletPlace(const Tvivienda& flat, const TTomaTV& outlet) {
    int number = 0;
    for (const auto& entry : flat.ETV()) {
        if (dynamic_cast<const TTomaTV*>(entry.Object) != nullptr) {
            ++number;
        }
        if (entry.Object == &outlet) {
            break;
        }
    }
    return FlatPlace(flat) + " T" + std::to_string(number);
}

} // namespace ixo

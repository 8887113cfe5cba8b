#include "persistence/project_attach.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/alimentador.h"
#include "model/ampli_base.h"
#include "model/cable_tv.h"
#include "model/component_path.h"
#include "model/especial.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "model/pin.h"
#include "model/potenciometro.h"

#include <set>

namespace ixo {
namespace {

// Makes object the object of the first entry of its name, when that entry has none yet and the object
// is not listed already.
template <typename T> void AttachToEntry(NamedList<T>& list, T* object, std::string_view name) {
    const int index = list.IndexOf(name);
    if (index >= 0 && list.Object(static_cast<std::size_t>(index)) == nullptr &&
        list.IndexOfObject(object) < 0) {
        list.SetObject(static_cast<std::size_t>(index), object);
    }
}

// The flat whose child owns component (a flat's elements are owned by its container), or null.
Tvivienda* FlatOfOwner(const TPrimerComponente& component) {
    const TPrimerComponente* owner = component.Owner();
    return owner != nullptr && owner->Owner() != nullptr ? owner->Owner()->As<Tvivienda>() : nullptr;
}

template <typename T> T* SiblingNamed(const TPrimerComponente& component, std::string_view name) {
    const TPrimerComponente* owner = component.Owner();
    TPrimerComponente* sibling = owner != nullptr && !name.empty() ? owner->FindComponent(name) : nullptr;
    return sibling != nullptr ? sibling->As<T>() : nullptr;
}

void AttachStair(TEscalera& stair, Tproyecto& project) {
    AttachToEntry(project.Escaleras(), &stair, stair.Name());
    stair.ErroresEscalera().Proyecto = &project;
}

void AttachFloor(tplanta& floor) {
    if (auto* stair = SiblingNamed<TEscalera>(floor, floor.NombreEscalera)) {
        floor.SetEscalera(stair);
        AttachToEntry(stair->ListaPlantas(), &floor, floor.Name());
    }
}

void AttachFlat(Tvivienda& flat) {
    if (auto* floor = SiblingNamed<tplanta>(flat, flat.Nombreplanta)) {
        flat.AsignarPlanta(floor);
    }
    flat.Reconstruible = true;
}

void LinkPartners(TCBFT& element) {
    auto* twin = SiblingNamed<TCBFT>(element, element.Eledoblenombre());
    if (twin != nullptr && twin != &element && element.DoublePartner() != twin) {
        element.SetDoublePartner(twin);
    }
    auto* third = SiblingNamed<TCBFT>(element, element.EletripleNombre());
    if (third != nullptr && third != &element && element.TriplePartner() != third) {
        element.SetTriplePartner(third);
    }
}

// The pin rejoins the pin its stored peer path names, through the cable its stored cable path names
// ("NO": a connection made without a cable) with its stored cable length.
void ReconnectPin(TPin& pin, Tproyecto& project) {
    if (pin.StoredPeerPath().empty() || pin.StoredPeerPath() == kNoObjectPath) {
        return;
    }
    TPrimerComponente* found = ResolvePath(pin.StoredPeerPath(), project);
    auto* peer = found != nullptr ? found->As<TPin>() : nullptr;
    if (peer == nullptr || peer == &pin || pin.Peer() == peer) {
        return;
    }
    if (pin.StoredCablePath() == kNoObjectPath) {
        LinkPins(pin, *peer, nullptr, pin.MetrosCable, 1);
        return;
    }
    TPrimerComponente* cableFound = ResolvePath(pin.StoredCablePath(), project);
    if (auto* cable = cableFound != nullptr ? cableFound->As<TCableTV>() : nullptr) {
        LinkPins(pin, *peer, *cable, pin.MetrosCable);
    }
}

void AttachPin(TPin& pin, Tproyecto& project) {
    if (auto* element = pin.Owner() != nullptr ? pin.Owner()->As<TComponenteBase>() : nullptr) {
        element->AttachStoredPin(pin);
    }
    ReconnectPin(pin, project);
    // A peer read later rejoins this pin through its own paths.
    pin.ForgetStoredPaths();
}

void AttachControl(TPotenciometroBase8& control) {
    TPrimerComponente* owner = control.Owner();
    if (owner == nullptr) {
        return;
    }
    if (auto* multiswitch = owner->As<TMultiswitch>()) {
        if (auto* pot = control.As<TPotenciometro>()) {
            multiswitch->AttachStoredControl(*pot);
        }
    } else if (auto* amplifier = owner->As<TAmpliBase>()) {
        amplifier->AttachStoredControl(control);
    }
}

void AttachElement(TCBFT& element) {
    if (auto* entry = element.As<Tentradaviv>(); entry != nullptr && FlatOfOwner(element) != nullptr) {
        FlatOfOwner(element)->AdoptarEntrada(entry);
    } else if (Tvivienda* flat = FlatOfOwner(element)) {
        const int index = flat->ETV().IndexOf(element.Name());
        if (index >= 0 && flat->ETV().Object(static_cast<std::size_t>(index)) == nullptr &&
            flat->ETV().IndexOfObject(&element) < 0) {
            flat->ETV().SetObject(static_cast<std::size_t>(index), &element);
            element.SetContainer(flat);
        }
    } else {
        if (auto* feeder = element.As<Talimentador>(); feeder != nullptr && feeder->Owner() != nullptr) {
            feeder->AttachFedByName(*feeder->Owner());
        }
        LinkPartners(element);
    }
}

} // namespace

void AttachReadComponent(TPrimerComponente& component, Tproyecto& project) {
    // Pins and elements first: they are nearly every record of a project.
    if (auto* pin = component.As<TPin>()) {
        AttachPin(*pin, project);
    } else if (auto* element = component.As<TCBFT>()) {
        AttachElement(*element);
    } else if (auto* control = component.As<TPotenciometroBase8>()) {
        AttachControl(*control);
    } else if (auto* flat = component.As<Tvivienda>()) {
        AttachFlat(*flat);
    } else if (auto* floor = component.As<tplanta>()) {
        AttachFloor(*floor);
    } else if (auto* stair = component.As<TEscalera>()) {
        AttachStair(*stair, project);
    } else if (auto* cable = component.As<TCableTV>()) {
        TPrimerComponente* owner = cable->Owner();
        if (auto* preferences = owner != nullptr ? owner->As<TpreferenciasProyecto>() : nullptr) {
            preferences->AttachStoredCable(*cable);
        }
    } else if (auto* preferences = component.As<TpreferenciasProyecto>()) {
        if (preferences != &project.Preferencias()) {
            project.AdoptarPreferencias(preferences);
        }
    }
}

void AttachFloorElements(Tproyecto& project) {
    std::set<const TComponenteBase*> placed;
    for (const auto& stairEntry : project.Escaleras()) {
        if (stairEntry.Object == nullptr) {
            continue;
        }
        for (const auto& floorEntry : stairEntry.Object->ListaPlantas()) {
            tplanta* floor = floorEntry.Object;
            if (floor == nullptr) {
                continue;
            }
            NamedList<TComponenteBase>& etv = floor->ETV();
            for (std::size_t i = 0; i < etv.Count(); ++i) {
                auto* element = dynamic_cast<TComponenteBase*>(project.RedTV().FindComponent(etv.Name(i)));
                if (element == nullptr || etv.Object(i) != nullptr || !placed.insert(element).second) {
                    continue;
                }
                etv.SetObject(i, element);
                element->SetContainer(floor);
            }
        }
    }
}

void AttachFeedersOfRed(Tproyecto& project) {
    const auto attachIn = [](TPrimerComponente& scope) {
        for (TPrimerComponente* component : scope.Components()) {
            if (auto* feeder = dynamic_cast<Talimentador*>(component)) {
                feeder->AttachFedByName(scope);
            }
        }
    };
    attachIn(project.RedTV());
    // A supply inside a flat (an amplifier of the flat's own) feeds an element of the same flat.
    for (const auto& flat : project.ListaViviendas()) {
        if (flat.Object != nullptr && flat.Object->Contenedor() != nullptr) {
            attachIn(*flat.Object->Contenedor());
        }
    }
}

} // namespace ixo

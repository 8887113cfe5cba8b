#pragma once

#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "model/componente_base.h"
#include "model/parts_catalogue.h"
#include "model/pin.h"
#include "support/project_fixture.h"

#include <cstddef>
#include <vector>

namespace ixo::test {

// The elements of a floor's ETV that are T, in order.
template <typename T> std::vector<T*> ElementsOf(const tplanta& floor) {
    std::vector<T*> found;
    for (const auto& entry : floor.ETV()) {
        if (entry.Object != nullptr && entry.Object->template Is<T>()) {
            found.push_back(static_cast<T*>(entry.Object));
        }
    }
    return found;
}

// The element at the other end of pin (kind, index) of element, or null when it is free or missing.
inline TComponenteBase* PeerOf(const TComponenteBase& element, PinKind kind, int index) {
    const TPin* pin = element.PinAt(kind, index);
    if (pin == nullptr || pin->Peer() == nullptr) {
        return nullptr;
    }
    return dynamic_cast<TComponenteBase*>(pin->Peer()->Owner());
}

inline const TPin* Pin(const TComponenteBase& element, PinKind kind, int index) {
    return element.PinAt(kind, index);
}

// A project fixture whose demo store is the model's catalogue for the whole test: other fixtures of the
// program open stores of their own, and a store uninstalls itself as the catalogue when it goes.
class BuilderFixture : public ProjectFixture {
protected:
    ScopedPartsCatalogue catalogue{&DemoStore()};
};

inline TCableTV* CableKind(const Tproyecto& project, int kind) {
    return project.Preferencias().Cable(kind);
}

} // namespace ixo::test

#pragma once

#include "building/proyecto.h"
#include "catalogue/almacen_elementos.h"
#include "model/componente_base.h"
#include "model/padre_tv.h"
#include "model/parts_catalogue.h"

#include <cstdint>
#include <exception>

namespace ixo {

class TCableTV;
class tplanta;

// The elements the builder adds to a project's network: copies of catalogue prototypes of the project's
// store, owned by the project's network container (RedTV). A model that cannot be made gives null and
// the build goes on without it.

// A copy of the store's prototype (family, model) when it is a T; otherwise null.
template <typename T> T* CopiaDePrototipo(Tproyecto& project, std::int32_t family, std::int32_t model) {
    const TalmacenElementos* store = project.Almacen();
    if (store == nullptr) {
        return nullptr;
    }
    const T* prototype = store->ElementByFamily(model, family).template As<T>();
    if (prototype == nullptr) {
        return nullptr;
    }
    try {
        return TComponenteBase::CreateCopy<T>(&project.RedTV(), *prototype);
    } catch (const std::exception&) {
        return nullptr;
    }
}

// A T of model number `model` read from its class's default table (the catalogue record of that
// number, whatever its family); null when the record cannot be read.
template <typename T> T* ModeloPorDefecto(Tproyecto& project, std::int32_t model) {
    try {
        return TComponenteBase::CreateFromCatalogue<T>(&project.RedTV(), model, DefaultTableOfKind(T::kKind));
    } catch (const std::exception&) {
        return nullptr;
    }
}

// The prototype (family, model) when the catalogue has it as a T, else model number `model` from the
// default table.
template <typename T> T* CopiaOModeloPorDefecto(Tproyecto& project, std::int32_t family, std::int32_t model) {
    if (T* copy = CopiaDePrototipo<T>(project, family, model)) {
        return copy;
    }
    return ModeloPorDefecto<T>(project, model);
}

// Cable kind `kind` of the project's ListaCables (null when the list lacks it: the default connector).
TCableTV* CableDe(const Tproyecto& project, int kind);

// The position of the stair in the project's Escaleras, or -1.
int PosicionEscalera(const Tproyecto& project, const TPrimerComponente* stair);

// Output `outputIndex` (see FindFreePin: -1 the first free one) of from to the first free input of to.
bool ConectarSalida(TComponenteBase& from, int outputIndex, TComponenteBase& to, double metres,
                    TCableTV* cable);

} // namespace ixo

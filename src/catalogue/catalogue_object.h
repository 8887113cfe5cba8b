#pragma once

#include "model/pc_lector_fichero.h"
#include "model/primer_objeto.h"

#include <cstdint>
#include <string>
#include <type_traits>

namespace ixo {

// A catalogue prototype seen without ownership. Most prototypes are components (TPCLectorFichero and
// its element classes); connectors and loads are value objects (TsegundoObjeto). Both carry the same
// catalogue identity, which this handle exposes uniformly.
class CatalogueObject {
public:
    CatalogueObject() = default;
    explicit CatalogueObject(TPCLectorFichero* component) : m_component(component) {}
    explicit CatalogueObject(TsegundoObjeto* value) : m_value(value) {}

    TPCLectorFichero* Component() const { return m_component; }
    TsegundoObjeto* Value() const { return m_value; }
    explicit operator bool() const { return m_component != nullptr || m_value != nullptr; }
    bool operator==(const CatalogueObject&) const = default;

    // The prototype as T (a component class or a value class), or null.
    template <typename T> T* As() const {
        if constexpr (std::is_base_of_v<TPrimerComponente, T>) {
            return dynamic_cast<T*>(m_component);
        } else {
            return dynamic_cast<T*>(m_value);
        }
    }

    std::int32_t Indice() const { return m_component ? m_component->Indice : m_value ? m_value->Indice : 0; }
    std::int32_t Familia() const {
        return m_component ? m_component->Familia : m_value ? m_value->Familia : 0;
    }
    const std::string& Modelo() const {
        return m_component ? m_component->Modelo : m_value ? m_value->Modelo : Empty();
    }
    const std::string& Descripcion() const {
        return m_component ? m_component->Descripcion : m_value ? m_value->Descripcion : Empty();
    }

private:
    static const std::string& Empty() {
        static const std::string empty;
        return empty;
    }

    TPCLectorFichero* m_component = nullptr;
    TsegundoObjeto* m_value = nullptr;
};

} // namespace ixo

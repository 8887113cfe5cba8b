#pragma once

#include "model/primer_componente.h"
#include "model/primer_objeto.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// Every persisted model class by its class name, so that a reader can recreate an object from the name
// stored with it. Components are created with TPrimerComponente::Create<T>(owner) (and so name
// themselves); value objects with their default constructor. Names are matched without regard to
// letter case. Registering a name again replaces its factory.
class ClassRegistry {
public:
    // Makes a component owned by owner; with a stored name, for a stored record of that name
    // (TPrimerComponente::CreateForReading), else named as Create names it.
    using ComponentFactory =
        std::function<TPrimerComponente*(TPrimerComponente* owner, const std::string* storedName)>;
    using ObjectFactory = std::function<std::unique_ptr<TPrimerObjeto>()>;

    static ClassRegistry& Instance();

    template <typename T> void RegisterComponent() {
        AddComponent(T::StaticClass().name,
                     [](TPrimerComponente* owner, const std::string* storedName) -> TPrimerComponente* {
                         return storedName != nullptr
                                    ? TPrimerComponente::CreateForReading<T>(owner, *storedName)
                                    : TPrimerComponente::Create<T>(owner);
                     });
    }
    template <typename T> void RegisterObject() {
        AddObject(T::kClassName, []() -> std::unique_ptr<TPrimerObjeto> { return std::make_unique<T>(); });
    }

    // A new component of that class owned by owner, or null when the name is not registered.
    TPrimerComponente* CreateComponent(std::string_view className, TPrimerComponente* owner) const;
    // A new component of that class owned by owner for the stored record named storedName (see
    // TPrimerComponente::CreateForReading), or null when the class name is not registered.
    TPrimerComponente* CreateStoredComponent(std::string_view className, TPrimerComponente* owner,
                                             const std::string& storedName) const;
    // A new value object of that class, or null when the name is not registered.
    std::unique_ptr<TPrimerObjeto> CreateObject(std::string_view className) const;

    bool IsComponentClass(std::string_view className) const;
    bool IsObjectClass(std::string_view className) const;
    std::vector<std::string> ComponentClassNames() const;
    std::vector<std::string> ObjectClassNames() const;

    void Unregister(std::string_view className);

private:
    ClassRegistry() = default;
    void AddComponent(std::string_view className, ComponentFactory factory);
    void AddObject(std::string_view className, ObjectFactory factory);

    // Keyed by the upper-cased name; the value keeps the name as registered.
    std::map<std::string, std::pair<std::string, ComponentFactory>> m_components;
    std::map<std::string, std::pair<std::string, ObjectFactory>> m_objects;
};

// Registers the element-model classes (value objects, component roots, pins, transfer functions, every
// element class). Called once at start-up and by tests; calling it again does no harm. Layers above the
// model register their own persisted classes (RegisterBuildingClasses).
void RegisterModelClasses();

} // namespace ixo

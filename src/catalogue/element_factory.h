#pragma once

#include "catalogue/catalogue_object.h"
#include "catalogue/records.h"
#include "model/pin_kind.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ixo {

class TalmacenElementos;

// What a creator made of one catalogue record: nothing, a component created with the store as its
// owner, or a value object handed over to the store.
class CreatedElement {
public:
    CreatedElement() = default;
    CreatedElement(TPCLectorFichero* component) : m_component(component) {}
    CreatedElement(std::unique_ptr<TsegundoObjeto> value) : m_value(std::move(value)) {}

    bool Empty() const { return m_component == nullptr && m_value == nullptr; }
    TPCLectorFichero* Component() const { return m_component; }
    TsegundoObjeto* Value() const { return m_value.get(); }
    std::unique_ptr<TsegundoObjeto> TakeValue() { return std::move(m_value); }

private:
    TPCLectorFichero* m_component = nullptr;
    std::unique_ptr<TsegundoObjeto> m_value;
};

// Makes the prototype of one record: record holds the catalogue record with its script. A creator that
// finds the script malformed throws; the store then drops what the creator made and skips the record.
using ElementCreator = std::function<CreatedElement(TalmacenElementos& store, const TRECConScript& record)>;

// The number of input ('E'), output ('S') or tap ('D') pins of a prototype.
using PinCounter = std::function<int(const CatalogueObject& element, PinKind pinKind)>;

// Creates catalogue prototypes by the class names of the element kinds ("TMultiswitch", "TConector",
// ...; see ElementClassOf). A class without a creator creates nothing, and its records are skipped like
// the records of kinds that create nothing for their family. The element classes register their
// creators and the pin counter at start-up, before the store is built.
class ElementFactory {
public:
    // Registers (or replaces) the creator of a class.
    void Register(std::string className, ElementCreator creator);
    bool IsRegistered(std::string_view className) const;
    // The prototype of record made by the creator of className; nothing when none is registered.
    // Exceptions of the creator pass through.
    CreatedElement Create(std::string_view className, TalmacenElementos& store,
                          const TRECConScript& record) const;

    // Pins are counted by the element classes; without a counter every prototype has 0 pins.
    void SetPinCounter(PinCounter counter) { m_pinCounter = std::move(counter); }
    int PinCount(const CatalogueObject& element, PinKind pinKind) const;

    // The factory of the running program.
    static ElementFactory& Global();

private:
    std::unordered_map<std::string, ElementCreator> m_creators;
    PinCounter m_pinCounter;
};

} // namespace ixo

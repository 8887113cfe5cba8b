#pragma once

#include "model/carga.h"
#include "model/conector.h"
#include "model/element_record.h"

#include <cstdint>
#include <memory>

namespace ixo {

class TTablaCompoScript;

// What the element model needs from the catalogue, without depending on the element store: the
// connector and load prototypes by number, and the element record of a table by number. The store
// implements it and installs itself with SetPartsCatalogue once its lists are loaded.
class PartsCatalogue {
public:
    virtual ~PartsCatalogue() = default;
    // The connector with that Indice in the connector table, or null.
    virtual const TConector* ConnectorByIndice(std::int32_t indice) const = 0;
    // The load with that Indice in the load table, or null.
    virtual const TCarga* LoadByIndice(std::int32_t indice) const = 0;
    // The element record with that Indice read from table; Indice -1 and an empty script when the table
    // has no such record.
    virtual TRECConScript RecordByIndice(TTablaCompoScript* table, std::int32_t indice) const = 0;
    // The element table of a kind (0..10), the default table of the element classes; null when the
    // catalogue has none.
    virtual TTablaCompoScript* TableOfKind(int /*kind*/) const { return nullptr; }
};

// The catalogue the model uses, process-wide; null when none is installed. The caller keeps the
// installed object alive until it installs another one or null.
void SetPartsCatalogue(const PartsCatalogue* catalogue);
const PartsCatalogue* GetPartsCatalogue();

// Installs a catalogue for the lifetime of the guard and restores the previous one after it.
class ScopedPartsCatalogue {
public:
    explicit ScopedPartsCatalogue(const PartsCatalogue* catalogue);
    ~ScopedPartsCatalogue();
    ScopedPartsCatalogue(const ScopedPartsCatalogue&) = delete;
    ScopedPartsCatalogue& operator=(const ScopedPartsCatalogue&) = delete;

private:
    const PartsCatalogue* m_previous;
};

// A copy of the catalogue's connector with that number; without catalogue or without such a connector,
// a connector made without the catalogue carrying that number.
std::unique_ptr<TConector> MakeConnector(std::int32_t indice);
// The connector MakeConnector would make, shared: connectors are values that no one changes in place, so
// the pins of a building share one per number instead of a copy each (hundreds of thousands of pins).
// The share is renewed when another catalogue is installed.
std::shared_ptr<const TConector> SharedConnector(std::int32_t indice);
// The default load ("FCF", 75 ohm), shared.
std::shared_ptr<const TCarga> SharedDefaultLoad();
// A copy of the catalogue's load with that number; without catalogue or without such a load, the
// default load ("FCF", 75 ohm) carrying that number (the model only asks for number 1).
std::unique_ptr<TCarga> MakeLoad(std::int32_t indice);
// The installed catalogue's table of that kind; null without catalogue.
TTablaCompoScript* DefaultTableOfKind(int kind);
// The record with that Indice read through the installed catalogue; Indice -1 and an empty script
// without catalogue or table, or when the table has no such record.
TRECConScript ReadCatalogueRecord(TTablaCompoScript* table, std::int32_t indice);

} // namespace ixo

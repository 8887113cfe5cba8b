#pragma once

#include "catalogue/catalogo.h"
#include "catalogue/element_factory.h"
#include "catalogue/element_kinds.h"
#include "catalogue/element_list.h"
#include "catalogue/sel_familia.h"
#include "model/parts_catalogue.h"
#include "model/primer_componente.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace ixo {

// The element store: one prototype per record of every element table, in eleven lists by element kind,
// and the list of families. Everything that needs a catalogue model finds it here by family and Indice;
// project elements are copies of these prototypes.
//
// The store owns its prototypes: components are created with the store as their owner (and freed with
// the lists), value objects are held by the lists. A prototype component destroyed elsewhere is dropped
// from its list. A record whose class creates nothing is skipped; a record whose creator throws is
// skipped too, after whatever the creator had made is destroyed, and is reported in SkippedRecords().
//
// The store is also the catalogue of the element model (PartsCatalogue): connectors and loads by number
// from kinds 3 and 4, records and default tables through its tables. It installs itself once the
// connectors and loads are loaded, before the element kinds, so that the pins of its prototypes carry
// catalogue connectors; it uninstalls itself when it goes.
class TalmacenElementos : public TPrimerComponente, public PartsCatalogue {
    IXO_COMPONENT_CLASS(TalmacenElementos)
public:
    // A record left out because its prototype could not be made.
    struct SkippedRecord {
        int Kind = 0;
        std::int32_t Indice = 0;
        std::string ClassName;
        std::string Reason;
    };

    // The lists are loaded once the store is named (see AfterConstruction).
    TalmacenElementos(TPrimerComponente* owner, TCatalogo& catalogue,
                      const ElementFactory& factory = ElementFactory::Global());
    // The store keeps the factory: a temporary one would not live long enough.
    TalmacenElementos(TPrimerComponente* owner, TCatalogo& catalogue, ElementFactory&& factory) = delete;
    ~TalmacenElementos() override;

    // The tables the store reads; null once they are freed.
    TCatalogo* Catalogue() const { return m_catalogue; }
    const ElementFactory& Factory() const { return *m_factory; }

    // Frees the kind's prototypes and reads them again from the kind's table.
    void LoadKind(int kind);
    // Reads the family list again.
    void LoadFamilies();

    // The kind's list, or null for numbers outside 0..10.
    const ElementList* ListOfKind(int kind) const;
    // One entry per record of the family file, in file order.
    const std::vector<TSelFamilia>& Families() const { return m_families; }

    // The kind (0..10) of the first family with that number, or kNoKind.
    int KindOfFamily(std::int32_t family) const;
    CatalogueObject ElementByKind(int kind, std::int32_t indice) const;
    // ElementByKind(KindOfFamily(family), indice); none when the family has no kind.
    CatalogueObject ElementByFamily(std::int32_t indice, std::int32_t family) const;
    // The prototypes of the family's kind whose Familia is family, in list order.
    std::vector<ElementListItem> ElementsOfFamily(std::int32_t family) const;
    // The greatest number of pins of that kind ('E', 'S' or 'D') in the family; 0 for other letters.
    int MaxPins(PinKind pinKind, std::int32_t family) const;
    // The first prototype of the family with at least n pins of that kind, or none.
    CatalogueObject FirstWithPins(std::int32_t family, PinKind pinKind, int n) const;

    // PartsCatalogue.
    const TConector* ConnectorByIndice(std::int32_t indice) const override;
    const TCarga* LoadByIndice(std::int32_t indice) const override;
    TRECConScript RecordByIndice(TTablaCompoScript* table, std::int32_t indice) const override;
    TTablaCompoScript* TableOfKind(int kind) const override;

    const std::vector<SkippedRecord>& SkippedRecords() const { return m_skipped; }
    std::size_t SkippedRecordCount() const { return m_skipped.size(); }

protected:
    // Names the store, then loads kinds 0 to 10 and the family list, so that the prototypes (owned by
    // the store) are named after it.
    void AfterConstruction() override;
    void Notification(TPrimerComponente* removed) override;

private:
    void ClearKind(int kind);
    void AddPrototype(int kind, std::string_view className, const TRECConScript& record);
    void Skip(int kind, const TRECConScript& record, std::string_view className, std::string reason);
    void DestroyComponentsAfter(std::size_t count);
    int PinCount(const CatalogueObject& element, PinKind pinKind) const;

    TCatalogo* m_catalogue;
    const ElementFactory* m_factory;
    std::array<ElementList, kKindCount> m_lists;
    std::vector<TSelFamilia> m_families;
    std::unordered_map<std::int32_t, std::size_t> m_firstFamily;
    std::vector<SkippedRecord> m_skipped;
    bool m_freeing = false; // set while the store frees its own prototypes
};

} // namespace ixo

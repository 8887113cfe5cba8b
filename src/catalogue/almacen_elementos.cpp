#include "catalogue/almacen_elementos.h"

#include "catalogue/catalogue_lookups.h"
#include "catalogue/table_open_scope.h"
#include "model/carga.h"
#include "model/conector.h"

#include <algorithm>
#include <exception>
#include <new>
#include <vector>

namespace ixo {
namespace {

bool IsKind(int kind) {
    return kind >= 0 && kind < kKindCount;
}

// Sets a flag for the length of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag), m_before(flag) { m_flag = true; }
    ~FlagScope() { m_flag = m_before; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
    bool m_before;
};

} // namespace

IXO_DEFINE_COMPONENT_CLASS(TalmacenElementos, TPrimerComponente)

TalmacenElementos::TalmacenElementos(TPrimerComponente* owner, TCatalogo& catalogue,
                                     const ElementFactory& factory)
    : TPrimerComponente(owner), m_catalogue(&catalogue), m_factory(&factory) {
    FreeNotification(m_catalogue);
}

TalmacenElementos::~TalmacenElementos() {
    if (GetPartsCatalogue() == this) {
        SetPartsCatalogue(nullptr);
    }
    FlagScope freeing(m_freeing);
    for (int kind = kKindCount - 1; kind >= 0; --kind) {
        ClearKind(kind);
    }
}

void TalmacenElementos::AfterConstruction() {
    TPrimerComponente::AfterConstruction();
    LoadKind(kKindConector);
    LoadKind(kKindCargas);
    SetPartsCatalogue(this);
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (kind != kKindConector && kind != kKindCargas) {
            LoadKind(kind);
        }
    }
    LoadFamilies();
}

void TalmacenElementos::Notification(TPrimerComponente* removed) {
    TPrimerComponente::Notification(removed);
    if (removed == m_catalogue) {
        m_catalogue = nullptr;
        return;
    }
    if (m_freeing) {
        return;
    }
    for (ElementList& list : m_lists) {
        if (list.Forget(removed)) {
            return;
        }
    }
}

void TalmacenElementos::ClearKind(int kind) {
    ElementList old = std::move(m_lists[kind]);
    m_lists[kind] = ElementList();
    FlagScope freeing(m_freeing);
    for (auto item = old.m_items.rbegin(); item != old.m_items.rend(); ++item) {
        if (item->Object.Component() != nullptr) {
            TPrimerComponente::Destroy(item->Object.Component());
        }
    }
    std::erase_if(m_skipped, [kind](const SkippedRecord& skipped) { return skipped.Kind == kind; });
}

void TalmacenElementos::LoadKind(int kind) {
    if (!IsKind(kind)) {
        return;
    }
    ClearKind(kind);
    TTablaCompoScript* table = m_catalogue != nullptr ? m_catalogue->TableOfKind(kind) : nullptr;
    TableOpenScope open(table);
    // Records are read by number, so that a creator that looks something up in the same table cannot
    // move this loop.
    for (std::int32_t n = 0; open.Active() && n < table->RecordCount(); ++n) {
        table->Seek(n);
        if (table->ReadRecord() <= 0) {
            continue;
        }
        TRECConScript record;
        table->GetRecord(record);
        std::string_view className = ElementClassOf(kind, record.Familia);
        if (!className.empty()) {
            AddPrototype(kind, className, record);
        }
    }
}

void TalmacenElementos::AddPrototype(int kind, std::string_view className, const TRECConScript& record) {
    std::size_t before = ComponentCount();
    CreatedElement created;
    try {
        created = m_factory->Create(className, *this, record);
    } catch (const std::bad_alloc&) {
        DestroyComponentsAfter(before);
        throw; // out of memory is no fault of the record: a catalogue missing it would build wrongly
    } catch (const std::exception& error) {
        DestroyComponentsAfter(before);
        Skip(kind, record, className, error.what());
        return;
    } catch (...) {
        DestroyComponentsAfter(before);
        Skip(kind, record, className, "unknown error");
        return;
    }
    if (TPCLectorFichero* component = created.Component()) {
        if (component->Owner() != this) {
            // Not ours to keep: a prototype without owner would leak, one of another owner is left alone.
            if (component->Owner() == nullptr) {
                TPrimerComponente::Destroy(component);
            }
            Skip(kind, record, className, "the prototype is not owned by the store");
            return;
        }
        m_lists[kind].Append(CatalogueObject(component), nullptr);
    } else if (created.Value() != nullptr) {
        CatalogueObject object(created.Value());
        m_lists[kind].Append(object, created.TakeValue());
    }
}

void TalmacenElementos::Skip(int kind, const TRECConScript& record, std::string_view className,
                             std::string reason) {
    m_skipped.push_back({kind, record.Indice, std::string(className), std::move(reason)});
}

// Destroys the components created after the first count ones (what a failed creator left behind).
void TalmacenElementos::DestroyComponentsAfter(std::size_t count) {
    std::vector<TPrimerComponente*> made;
    std::size_t i = 0;
    for (TPrimerComponente* component : Components()) {
        if (i++ >= count) {
            made.push_back(component);
        }
    }
    for (auto component = made.rbegin(); component != made.rend(); ++component) {
        TPrimerComponente::Destroy(*component);
    }
}

void TalmacenElementos::LoadFamilies() {
    m_families.clear();
    m_firstFamily.clear();
    TTablaFamilia* table = m_catalogue != nullptr ? m_catalogue->Familias() : nullptr;
    TableOpenScope open(table);
    if (!open.Active()) {
        return;
    }
    table->First();
    while (!table->Eof() && table->ReadRecord() > 0) {
        m_firstFamily.emplace(table->Buffer().Familia, m_families.size());
        m_families.emplace_back(table->Buffer());
    }
}

const ElementList* TalmacenElementos::ListOfKind(int kind) const {
    return IsKind(kind) ? &m_lists[kind] : nullptr;
}

int TalmacenElementos::KindOfFamily(std::int32_t family) const {
    auto found = m_firstFamily.find(family);
    return KindOfTableName(found == m_firstFamily.end() ? std::string_view()
                                                        : m_families[found->second].Tabla);
}

CatalogueObject TalmacenElementos::ElementByKind(int kind, std::int32_t indice) const {
    return IsKind(kind) ? m_lists[kind].FindIndice(indice) : CatalogueObject();
}

CatalogueObject TalmacenElementos::ElementByFamily(std::int32_t indice, std::int32_t family) const {
    return ElementByKind(KindOfFamily(family), indice);
}

std::vector<ElementListItem> TalmacenElementos::ElementsOfFamily(std::int32_t family) const {
    std::vector<ElementListItem> elements;
    const ElementList* list = ListOfKind(KindOfFamily(family));
    if (list == nullptr) {
        return elements;
    }
    for (const ElementListItem& item : *list) {
        if (item.Object.Familia() == family) {
            elements.push_back(item);
        }
    }
    return elements;
}

int TalmacenElementos::PinCount(const CatalogueObject& element, PinKind pinKind) const {
    return m_factory->PinCount(element, pinKind);
}

int TalmacenElementos::MaxPins(PinKind pinKind, std::int32_t family) const {
    int most = 0;
    for (const ElementListItem& item : ElementsOfFamily(family)) {
        most = std::max(most, PinCount(item.Object, pinKind));
    }
    return most;
}

CatalogueObject TalmacenElementos::FirstWithPins(std::int32_t family, PinKind pinKind, int n) const {
    for (const ElementListItem& item : ElementsOfFamily(family)) {
        if (PinCount(item.Object, pinKind) >= n) {
            return item.Object;
        }
    }
    return {};
}

const TConector* TalmacenElementos::ConnectorByIndice(std::int32_t indice) const {
    return ElementByKind(kKindConector, indice).As<TConector>();
}

const TCarga* TalmacenElementos::LoadByIndice(std::int32_t indice) const {
    return ElementByKind(kKindCargas, indice).As<TCarga>();
}

TRECConScript TalmacenElementos::RecordByIndice(TTablaCompoScript* table, std::int32_t indice) const {
    if (table == nullptr) {
        TRECConScript none;
        none.Indice = -1;
        return none;
    }
    return ixo::RecordByIndice(*table, indice);
}

TTablaCompoScript* TalmacenElementos::TableOfKind(int kind) const {
    return m_catalogue != nullptr ? m_catalogue->TableOfKind(kind) : nullptr;
}

} // namespace ixo

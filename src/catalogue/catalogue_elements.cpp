#include "catalogue/catalogue_elements.h"

#include "catalogue/almacen_elementos.h"
#include "model/cable_tv.h"
#include "model/carga.h"
#include "model/conector.h"
#include "model/especial.h"
#include "model/multiswitch.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"

#include <memory>

namespace ixo {
namespace {

TTablaCompoScript* TableOf(TalmacenElementos& store, int kind) {
    return store.Catalogue() != nullptr ? store.Catalogue()->TableOfKind(kind) : nullptr;
}

// A value prototype (connector or load) carries the record's identity.
template <typename T> CreatedElement ValueFromRecord(const TRECConScript& record) {
    auto value = std::make_unique<T>();
    value->Indice = record.Indice;
    value->Familia = record.Familia;
    value->Modelo = record.Modelo;
    value->Descripcion = record.Descripcion;
    return CreatedElement(std::unique_ptr<TsegundoObjeto>(std::move(value)));
}

template <typename T> ElementCreator ComponentCreator(int kind) {
    return [kind](TalmacenElementos& store, const TRECConScript& record) {
        return CreatedElement(TComponenteBase::CreateFromRecord<T>(&store, record, TableOf(store, kind)));
    };
}

int CountPins(const CatalogueObject& element, char pinKind) {
    const auto* component = dynamic_cast<const TComponenteBase*>(element.Component());
    return component != nullptr ? static_cast<int>(component->PinsOf(pinKind).size()) : 0;
}

} // namespace

void RegisterCatalogueElements(ElementFactory& factory) {
    factory.Register("TCableTV", [](TalmacenElementos& store, const TRECConScript& record) {
        return CreatedElement(TCableTV::CreateFromRecord(&store, record, TableOf(store, TCableTV::kKind)));
    });
    factory.Register("TConector", [](TalmacenElementos&, const TRECConScript& record) {
        return ValueFromRecord<TConector>(record);
    });
    factory.Register("TCarga", [](TalmacenElementos&, const TRECConScript& record) {
        return ValueFromRecord<TCarga>(record);
    });
    factory.Register("TRepartidor", ComponentCreator<TRepartidor>(TRepartidor::kKind));
    factory.Register("TMultiswitch", ComponentCreator<TMultiswitch>(TMultiswitch::kKind));
    factory.Register("TTomaTV", ComponentCreator<TTomaTV>(TTomaBase::kKind));
    factory.Register("Tentradaviv", ComponentCreator<Tentradaviv>(Tentradaviv::kKind));
    factory.Register("TIFT", ComponentCreator<TIFT>(TIFT::kKind));
    factory.SetPinCounter(CountPins);
}

} // namespace ixo

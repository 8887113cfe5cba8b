#include "catalogue/catalogue_elements.h"

#include "catalogue/almacen_elementos.h"
#include "model/alimentador.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/cable_tv.h"
#include "model/carga.h"
#include "model/class_registry.h"
#include "model/conector.h"
#include "model/disecq.h"
#include "model/especial.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"

#include <memory>
#include <mutex>

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

int CountPins(const CatalogueObject& element, PinKind pinKind) {
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
    factory.Register("TTomaTV", ComponentCreator<TTomaTV>(TTomaBase::kKind));
    factory.Register("Tentradaviv", ComponentCreator<Tentradaviv>(Tentradaviv::kKind));
    factory.Register("TIFT", ComponentCreator<TIFT>(TIFT::kKind));
    factory.Register("TAmpliHeader", ComponentCreator<TAmpliHeader>(TAmpliBase::kKind));
    factory.Register("TLinAmp", ComponentCreator<TLinAmp>(TAmpliBase::kKind));
    factory.Register("TCabeceraTerrestre", ComponentCreator<TCabeceraTerrestre>(TAmpliBase::kKind));
    factory.Register("Tantena", ComponentCreator<Tantena>(Tantena::kKind));
    factory.Register("TDISECQ", ComponentCreator<TDISECQ>(TDISECQ::kKind));
    factory.Register("TFUENTE", ComponentCreator<TFUENTE>(Talimentador::kKind));
    factory.Register("TInyector", ComponentCreator<TInyector>(Talimentador::kKind));
    factory.Register("TMultiswitch", ComponentCreator<TMultiswitch>(TMultiswitch::kKind));
    factory.SetPinCounter(CountPins);
}

void InitialiseElementModel() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterModelClasses();
        RegisterCatalogueElements(ElementFactory::Global());
    });
}

} // namespace ixo

#include "model/class_registry.h"

#include "model/alimentador.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/cable_tv.h"
#include "model/carga.h"
#include "model/cbft.h"
#include "model/componente_base.h"
#include "model/conector.h"
#include "model/disecq.h"
#include "model/especial.h"
#include "model/ftransf.h"
#include "model/lin_amp.h"
#include "model/matriz.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "model/pc_lector_fichero.h"
#include "model/pin.h"
#include "model/pin_base.h"
#include "model/potenciometro.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"

#include "common/ascii_case.h"

namespace ixo {
namespace {

template <typename Map> std::vector<std::string> NamesOf(const Map& map) {
    std::vector<std::string> names;
    for (const auto& [key, entry] : map) {
        names.push_back(entry.first);
    }
    return names;
}

} // namespace

ClassRegistry& ClassRegistry::Instance() {
    static ClassRegistry registry;
    return registry;
}

void ClassRegistry::AddComponent(std::string_view className, ComponentFactory factory) {
    m_components[UpperAscii(className)] = {std::string(className), std::move(factory)};
}

void ClassRegistry::AddObject(std::string_view className, ObjectFactory factory) {
    m_objects[UpperAscii(className)] = {std::string(className), std::move(factory)};
}

TPrimerComponente* ClassRegistry::CreateComponent(std::string_view className,
                                                  TPrimerComponente* owner) const {
    auto found = m_components.find(UpperAscii(className));
    return found == m_components.end() ? nullptr : found->second.second(owner, nullptr);
}

TPrimerComponente* ClassRegistry::CreateStoredComponent(std::string_view className, TPrimerComponente* owner,
                                                        const std::string& storedName) const {
    auto found = m_components.find(UpperAscii(className));
    return found == m_components.end() ? nullptr : found->second.second(owner, &storedName);
}

std::unique_ptr<TPrimerObjeto> ClassRegistry::CreateObject(std::string_view className) const {
    auto found = m_objects.find(UpperAscii(className));
    return found == m_objects.end() ? nullptr : found->second.second();
}

bool ClassRegistry::IsComponentClass(std::string_view className) const {
    return m_components.contains(UpperAscii(className));
}

bool ClassRegistry::IsObjectClass(std::string_view className) const {
    return m_objects.contains(UpperAscii(className));
}

std::vector<std::string> ClassRegistry::ComponentClassNames() const {
    return NamesOf(m_components);
}

std::vector<std::string> ClassRegistry::ObjectClassNames() const {
    return NamesOf(m_objects);
}

void ClassRegistry::Unregister(std::string_view className) {
    m_components.erase(UpperAscii(className));
    m_objects.erase(UpperAscii(className));
}

void RegisterModelClasses() {
    ClassRegistry& registry = ClassRegistry::Instance();
    registry.RegisterObject<TPrimerObjeto>();
    registry.RegisterObject<TsegundoObjeto>();
    registry.RegisterObject<TConector>();
    registry.RegisterObject<TCarga>();
    registry.RegisterObject<TMatriz>();
    registry.RegisterObject<TFTransf>();
    registry.RegisterComponent<TPrimerComponente>();
    registry.RegisterComponent<TPadreTV>();
    registry.RegisterComponent<TPCLectorFichero>();
    registry.RegisterComponent<TPinbase>();
    registry.RegisterComponent<TPin>();
    registry.RegisterComponent<TCableTVBase>();
    registry.RegisterComponent<TCableTV>();
    registry.RegisterComponent<TComponenteBase>();
    registry.RegisterComponent<TCBFT>();
    registry.RegisterComponent<TRepartidor>();
    registry.RegisterComponent<TTomaBase>();
    registry.RegisterComponent<TTomaTV>();
    registry.RegisterComponent<Tespecial>();
    registry.RegisterComponent<Tentradaviv>();
    registry.RegisterComponent<TIFT>();
    registry.RegisterComponent<TPotenciometroBase8>();
    registry.RegisterComponent<TPotenciometro>();
    registry.RegisterComponent<TAmpliBase>();
    registry.RegisterComponent<TAmpliHeader>();
    registry.RegisterComponent<TCabeceraTerrestre>();
    registry.RegisterComponent<TLinAmp>();
    registry.RegisterComponent<TMultiswitch>();
    registry.RegisterComponent<Tantena>();
    registry.RegisterComponent<TDISECQ>();
    registry.RegisterComponent<Talimentador>();
    registry.RegisterComponent<TFUENTE>();
    registry.RegisterComponent<TInyector>();
}

} // namespace ixo

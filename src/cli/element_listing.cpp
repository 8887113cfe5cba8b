#include "cli/element_listing.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/cable_tv.h"
#include "model/component_path.h"
#include "model/componente_base.h"
#include "model/padre_tv.h"

#include <iomanip>
#include <ostream>
#include <sstream>
#include <vector>

namespace ixo::cli {

namespace {

constexpr char kPathSeparator = '=';

std::vector<TComponenteBase*> ElementsOf(const TPrimerComponente& owner) {
    std::vector<TComponenteBase*> elements;
    for (TPrimerComponente* child : owner.Components()) {
        if (auto* element = dynamic_cast<TComponenteBase*>(child)) {
            elements.push_back(element);
        }
    }
    return elements;
}

std::string FloorPlace(const tplanta& floor) {
    std::string place;
    if (const TEscalera* stair = floor.Escalera()) {
        place = "STAIR" + std::to_string(stair->Numero_Interno()) + " ";
    }
    return place + "FLOOR" + std::to_string(floor.HeaderPl ? 0 : floor.Nivel) +
           (floor.HeaderPl ? " (headend)" : "");
}

std::string PinText(const TPin& pin) {
    const char* kind = pin.Kind() == PinKind::Input ? "in" : pin.Kind() == PinKind::Output ? "out" : "tap";
    return std::string(kind) + std::to_string(pin.Numeracion) + " " + pin.Prefijo;
}

} // namespace

std::string ElementAddress(const TComponenteBase& element) {
    const Tproyecto* project = ProyectoDe(&element);
    if (project != nullptr && element.Owner() == &project->RedTV()) {
        return element.Name();
    }
    std::string path = ComponentPath(&element);
    const std::size_t separator = path.find(kPathSeparator);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

TComponenteBase* FindElement(Tproyecto& project, std::string_view address) {
    if (address.find(kPathSeparator) == std::string_view::npos) {
        return dynamic_cast<TComponenteBase*>(project.RedTV().FindComponent(address));
    }
    const std::string path = project.Name() + kPathSeparator + std::string(address);
    return dynamic_cast<TComponenteBase*>(ResolvePath(path, project));
}

std::string ElementPlace(const TComponenteBase& element) {
    const TPrimerComponente* container = element.Container();
    if (auto* floor = dynamic_cast<const tplanta*>(container)) {
        return FloorPlace(*floor);
    }
    const Tvivienda* flat = dynamic_cast<const Tvivienda*>(container);
    if (flat == nullptr && element.Owner() != nullptr) {
        flat = dynamic_cast<const Tvivienda*>(element.Owner()->Owner()); // a flat entry is not listed
    }
    if (flat != nullptr) {
        return (flat->Planta() != nullptr ? FloorPlace(*flat->Planta()) + " " : std::string()) +
               flat->NombreViv;
    }
    return "-";
}

void WriteElementList(std::ostream& out, const Tproyecto& project) {
    std::vector<TComponenteBase*> elements = ElementsOf(project.RedTV());
    for (const auto& flat : project.ListaViviendas()) {
        if (flat.Object != nullptr && flat.Object->Contenedor() != nullptr) {
            const std::vector<TComponenteBase*> own = ElementsOf(*flat.Object->Contenedor());
            elements.insert(elements.end(), own.begin(), own.end());
        }
    }
    out << "Network elements: " << elements.size() << "\n";
    out << "  ADDRESS  CLASS  FAMILY  MODEL  PLACE\n";
    out << "    PIN  ->  ADDRESS PIN  CABLE  METRES\n";
    for (const TComponenteBase* element : elements) {
        out << "  " << ElementAddress(*element) << "  " << element->ClassName() << "  " << element->Familia
            << "  " << (element->Modelo.empty() ? "-" : element->Modelo) << "  " << ElementPlace(*element)
            << "\n";
        for (PinKind kind : {PinKind::Input, PinKind::Output, PinKind::Tap}) {
            for (const TPin* pin : element->PinsOf(kind)) {
                const TPin* peer = pin->Peer();
                const auto* other =
                    peer != nullptr ? dynamic_cast<const TComponenteBase*>(peer->Owner()) : nullptr;
                if (other == nullptr) {
                    continue;
                }
                std::ostringstream metres;
                metres << std::fixed << std::setprecision(2) << pin->MetrosCable;
                out << "    " << PinText(*pin) << (kind == PinKind::Input ? "  <-  " : "  ->  ")
                    << ElementAddress(*other) << " " << PinText(*peer) << "  "
                    << (pin->Cable() != nullptr ? pin->Cable()->Modelo : "-") << "  " << metres.str() << "\n";
            }
        }
    }
}

} // namespace ixo::cli

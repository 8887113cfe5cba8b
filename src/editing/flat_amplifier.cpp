#include "editing/flat_amplifier.h"

#include "editing/edit_support.h"
#include "model/especial.h"

namespace ixo {

using namespace edit_support;

namespace {

// The family's model with that element number, whatever class the family gives its prototypes.
const TCBFT* ModelOfFamily(const Tproyecto& project, std::int32_t family, std::int32_t number) {
    const TalmacenElementos* store = project.Almacen();
    if (store == nullptr) {
        return nullptr;
    }
    for (const ElementListItem& item : store->ElementsOfFamily(family)) {
        const TCBFT* element = item.Object.As<TCBFT>();
        if (element != nullptr && element->Indice == number) {
            return element;
        }
    }
    return nullptr;
}

// An amplifier for inside a flat made of the prototype: a copy when it is one, else read from its record.
TLinAmp* FlatAmplifierFrom(const TCBFT& prototype, TPrimerComponente* owner) {
    if (const auto* lineAmp = dynamic_cast<const TLinAmp*>(&prototype)) {
        return TComponenteBase::CreateCopy<TLinAmp>(owner, *lineAmp);
    }
    try {
        return TComponenteBase::CreateFromCatalogue<TLinAmp>(owner, prototype.Indice, prototype.Tabla);
    } catch (const std::bad_alloc&) {
        throw; // not a record that cannot be read
    } catch (const std::exception&) {
        return nullptr;
    }
}

} // namespace

Tvivienda* FlatOf(const TComponenteBase& element) {
    return dynamic_cast<Tvivienda*>(element.Container());
}

bool InsertFlatAmplifier(Tproyecto& project, Tvivienda& flat, std::int32_t number, std::int32_t family,
                         EditJournal& journal, EditRefusal* why) {
    if (flat.AmplificadorInterior()) {
        return Refuse(why, "the flat has an amplifier already");
    }
    Tentradaviv* entry = flat.Entrada();
    TPin* entryOut = entry != nullptr ? entry->PinAt(PinKind::Output, 0) : nullptr;
    if (entryOut == nullptr || !entryOut->IsConnected() || flat.ETV().Empty() ||
        flat.Contenedor() == nullptr) {
        return Refuse(why, "the flat's entry feeds nothing");
    }
    const TCBFT* prototype = ModelOfFamily(project, family, number);
    if (prototype == nullptr) {
        return Refuse(why,
                      "the family " + std::to_string(family) + " has no model " + std::to_string(number));
    }
    if (dynamic_cast<const TAmpliBase*>(prototype) == nullptr) {
        return Refuse(why, prototype->Modelo + " is not an amplifier");
    }
    TLinAmp* amplifier =
        Make<TLinAmp>(journal, [&] { return FlatAmplifierFrom(*prototype, flat.Contenedor()); });
    TPin* ampIn = amplifier != nullptr ? amplifier->PinAt(PinKind::Input, 0) : nullptr;
    TPin* ampOut = amplifier != nullptr ? amplifier->PinAt(PinKind::Output, 0) : nullptr;
    if (ampIn == nullptr || ampOut == nullptr) {
        return Refuse(why, prototype->Modelo + " has no input and output to put in the flat's line");
    }
    TPin* fed = entryOut->Peer();
    TComponenteBase* next = ElementOf(fed);
    TCableTV* cable = entryOut->Cable();
    const double metres = entryOut->MetrosCable;
    journal.Unlink(*entryOut);
    (void)Join(journal, *entryOut, *ampIn, cable, metres);
    (void)Join(journal, *ampOut, *fed, CableDe(project, TpreferenciasProyecto::kCableVivienda),
               Tvivienda::kMetrosAmplificador);
    TakeContainer(journal, *amplifier, next != nullptr ? next->Container() : &flat);
    journal.Insert(flat.ETV(), 0, amplifier);
    return true;
}

bool RemoveFlatAmplifier(Tproyecto& project, TComponenteBase& amplifier, EditJournal& journal,
                         EditRefusal* why) {
    auto* lineAmp = amplifier.As<TLinAmp>();
    if (lineAmp == nullptr || FlatOf(amplifier) == nullptr) {
        return Refuse(why, "the element is not an amplifier inside a flat");
    }
    if (!BypassAll(journal, amplifier)) {
        return Refuse(why, "its connected inputs and outputs differ in number");
    }
    FreeWithFeeder(project, journal, amplifier);
    return true;
}

} // namespace ixo

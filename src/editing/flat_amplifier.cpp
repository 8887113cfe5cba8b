#include "editing/flat_amplifier.h"

#include "editing/amplifier_removal.h"
#include "editing/edit_support.h"
#include "model/especial.h"

namespace ixo {

using namespace edit_support;

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
    const TalmacenElementos* store = project.Almacen();
    const TCBFT* prototype = store != nullptr ? store->ElementByFamily(number, family).As<TCBFT>() : nullptr;
    if (prototype == nullptr) {
        return Refuse(why,
                      "the family " + std::to_string(family) + " has no model " + std::to_string(number));
    }
    // Only a model made for inside a flat (INTERIORVIV): a riser or headend amplifier there would take
    // the flat's one line on pins of other kinds and powering it has no place.
    const auto* amplifierModel = dynamic_cast<const TAmpliBase*>(prototype);
    if (amplifierModel == nullptr || !amplifierModel->interiorviv) {
        return Refuse(why, prototype->Modelo + " is not an amplifier for inside a flat");
    }
    // A copy of a line amplifier model, else a line amplifier read from the model's record.
    TLinAmp* amplifier = Make<TLinAmp>(journal, [&]() -> TLinAmp* {
        if (prototype->Is<TLinAmp>()) {
            return static_cast<TLinAmp*>(CopyOf(prototype, flat.Contenedor()));
        }
        return FromTable<TLinAmp>(flat.Contenedor(), TAmpliBase::kKind, number);
    });
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
    if (!amplifier.Is<TLinAmp>() || FlatOf(amplifier) == nullptr) {
        return Refuse(why, "the element is not an amplifier inside a flat");
    }
    // Taken out as a line amplifier is: its neighbours joined with the cable that fed it.
    return RemoveLineAmplifier(project, amplifier, journal, why);
}

} // namespace ixo

#include "editing/amplifier_removal.h"

#include "editing/edit_support.h"

namespace ixo {

using namespace edit_support;

namespace {

template <typename T>
bool RemoveAmplifier(Tproyecto& project, TComponenteBase& amplifier, bool withTriple, EditJournal& journal,
                     EditRefusal* why, const char* kind) {
    if (!amplifier.Is<T>()) {
        return Refuse(why, std::string("the element is not a ") + kind);
    }
    if (!BypassAll(journal, amplifier)) {
        return Refuse(why, "its connected inputs and outputs differ in number");
    }
    std::vector<TComponenteBase*> partners = {PartnerOf(&amplifier, false)};
    if (withTriple) {
        partners.push_back(PartnerOf(&amplifier, true));
    }
    for (TComponenteBase* partner : partners) {
        if (partner != nullptr && BypassAll(journal, *partner)) {
            FreeWithFeeder(project, journal, *partner);
        }
    }
    FreeWithFeeder(project, journal, amplifier);
    return true;
}

} // namespace

bool RemoveLineAmplifier(Tproyecto& project, TComponenteBase& amplifier, EditJournal& journal,
                         EditRefusal* why) {
    return RemoveAmplifier<TLinAmp>(project, amplifier, true, journal, why, "line amplifier");
}

bool RemoveHeadendAmplifier(Tproyecto& project, TComponenteBase& amplifier, EditJournal& journal,
                            EditRefusal* why) {
    return RemoveAmplifier<TAmpliHeader>(project, amplifier, false, journal, why, "headend amplifier");
}

bool RemoveHeadendAmplifiersOf(Tproyecto& project, TMultiswitch& multiswitch, EditJournal& journal,
                               EditRefusal* why) {
    std::vector<TComponenteBase*> amplifiers;
    for (TPin* in : multiswitch.PinesENTRADA()) {
        TComponenteBase* up = ElementOf(in->Peer());
        if (up != nullptr && up->Is<TAmpliHeader>() &&
            std::find(amplifiers.begin(), amplifiers.end(), up) == amplifiers.end()) {
            amplifiers.push_back(up);
        }
    }
    if (amplifiers.empty()) {
        return Refuse(why, "no headend amplifier feeds the multiswitch");
    }
    bool removed = false;
    for (auto it = amplifiers.rbegin(); it != amplifiers.rend(); ++it) {
        removed = RemoveHeadendAmplifier(project, **it, journal) || removed;
    }
    return removed || Refuse(why, "its headend amplifiers cannot be bypassed (their connected inputs and "
                                  "outputs differ in number)");
}

} // namespace ixo

#include "ui/tools/amplifier_tool_rules.h"

#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "editing/flat_amplifier.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/disecq.h"
#include "model/especial.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"

namespace ixo {
namespace {

TComponenteBase* PeerElement(const TPin* pin) {
    const TPin* peer = pin != nullptr ? pin->Peer() : nullptr;
    return peer != nullptr ? dynamic_cast<TComponenteBase*>(peer->Owner()) : nullptr;
}

// A splitter fed by a dish and feeding a multiswitch of its own floor or flat.
bool IsDishSplitter(const TComponenteBase& element) {
    if (!element.Is<TRepartidor>()) {
        return false;
    }
    bool fromDish = false;
    for (const TPin* in : element.PinesENTRADA()) {
        const TComponenteBase* up = PeerElement(in);
        fromDish = fromDish || (up != nullptr && up->Is<Tantena>());
    }
    bool toMultiswitch = false;
    for (const TPin* out : element.PinsOf(PinKind::Output)) {
        const TComponenteBase* down = PeerElement(out);
        toMultiswitch = toMultiswitch || (down != nullptr && down->Is<TMultiswitch>() &&
                                          down->Container() == element.Container());
    }
    return fromDish && toMultiswitch;
}

// The flat whose amplifier the element would take: an outlet's, or a splitter's fed by the flat's entry.
Tvivienda* FlatForAmplifier(const TComponenteBase& element) {
    Tvivienda* flat = FlatOf(element);
    if (flat == nullptr) {
        return nullptr;
    }
    if (element.Is<TTomaTV>()) {
        return flat;
    }
    const TComponenteBase* feed =
        element.Is<TRepartidor>() ? PeerElement(element.PinAt(PinKind::Input, 0)) : nullptr;
    return feed != nullptr && feed->Is<Tentradaviv>() ? flat : nullptr;
}

AmplifierToolInsertion HeadendAmplifiers(const TpreferenciasProyecto& preferences, bool onHeadendFloor) {
    AmplifierToolInsertion insertion;
    insertion.kind = AmplifierToolInsertion::Kind::HeadendAmplifiers;
    insertion.family = preferences.HD_FamiliaAmpFi;
    insertion.model = preferences.HD_ModeloAmpFi;
    insertion.exact = true;
    insertion.onHeadendFloor = onHeadendFloor;
    return insertion;
}

AmplifierToolInsertion LineAmplifier(std::int32_t family, std::int32_t model, std::int32_t group,
                                     bool exact) {
    AmplifierToolInsertion insertion;
    insertion.kind = AmplifierToolInsertion::Kind::LineAmplifier;
    insertion.family = family;
    insertion.model = model;
    insertion.group = group;
    insertion.exact = exact;
    return insertion;
}

AmplifierToolInsertion OnAFloor(TComponenteBase& element, const TpreferenciasProyecto& preferences) {
    const auto* floor = dynamic_cast<const tplanta*>(element.Container());
    if (floor == nullptr || floor->HeaderPl || element.Is<TDISECQ>()) {
        return {};
    }
    const std::int32_t polarities = preferences.Npolaridades;
    if (polarities > 12 || polarities == 8) {
        if (const TComponenteBase* up = PeerElement(element.PinAt(PinKind::Input, 2));
            up != nullptr && up->Is<Tantena>()) {
            return HeadendAmplifiers(preferences, true);
        }
        if (polarities == 8) {
            return LineAmplifier(preferences.HD_FamiliaAmpFI8, preferences.HD_ModeloAmpFI8, 8, true);
        }
        if (polarities == 16) {
            return LineAmplifier(preferences.HD_FamiliaAmpFi16, preferences.HD_ModeloAmpFi16, 16, true);
        }
        return {};
    }
    if (preferences.Dis_FAMMSCAS == 5005) {
        return LineAmplifier(4103, 4100, 0, true);
    }
    return LineAmplifier(4002, 100, 0, false);
}

} // namespace

AmplifierToolInsertion AmplifierToolInsertionAt(TComponenteBase& element, const Tproyecto& project) {
    const TpreferenciasProyecto& preferences = project.Preferencias();
    if (const auto* multiswitch = element.As<TMultiswitch>();
        (multiswitch != nullptr && !(multiswitch->Nderivaciones >= 1 && multiswitch->Nsalidas >= 1)) ||
        IsDishSplitter(element)) {
        return HeadendAmplifiers(preferences, false);
    }
    if (Tvivienda* flat = FlatForAmplifier(element)) {
        if (flat->AmplificadorInterior()) {
            return {};
        }
        AmplifierToolInsertion insertion;
        insertion.kind = AmplifierToolInsertion::Kind::FlatAmplifier;
        insertion.family = kFlatAmplifierFamily;
        insertion.model = kFlatAmplifierModel;
        insertion.flat = flat;
        return insertion;
    }
    return OnAFloor(element, preferences);
}

AmplifierToolRemoval AmplifierToolRemovalAt(TComponenteBase& element, const Tproyecto& project) {
    AmplifierToolRemoval removal;
    if (element.Is<TLinAmp>() && FlatOf(element) != nullptr) {
        removal.kind = AmplifierToolRemoval::Kind::FlatAmplifier;
        return removal;
    }
    if (element.Is<TAmpliHeader>()) {
        if (project.Preferencias().TipoDistribucionCab == 0) {
            removal.kind = AmplifierToolRemoval::Kind::HeadendAmplifier;
            return removal;
        }
        TComponenteBase* fed = PeerElement(element.FirstConnectedPin(PinKind::Output));
        auto* multiswitch = fed != nullptr ? fed->As<TMultiswitch>() : nullptr;
        removal.kind = multiswitch != nullptr ? AmplifierToolRemoval::Kind::HeadendAmplifiersOf
                                              : AmplifierToolRemoval::Kind::HeadendAmplifier;
        removal.multiswitch = multiswitch;
        return removal;
    }
    if (element.Is<TLinAmp>()) {
        removal.kind = AmplifierToolRemoval::Kind::LineAmplifier;
    }
    return removal;
}

} // namespace ixo

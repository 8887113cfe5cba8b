#include "design/flat_amplification.h"

#include "building/proyecto.h"
#include "building/vivienda.h"
#include "catalogue/almacen_elementos.h"
#include "design/auto_design.h"
#include "design/auto_regulation.h"
#include "design/level_sample.h"
#include "design/network_elements.h"
#include "editing/element_replace.h"
#include "editing/flat_amplifier.h"
#include "editing/supply_edit.h"
#include "model/lin_amp.h"
#include "model/pin.h"
#include "model/potenciometro.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <optional>
#include <set>

namespace ixo {
namespace {

constexpr int kAmplifierKind = 0; // the amplifier table
constexpr double kInfinity = std::numeric_limits<double>::infinity();

using Bands = std::array<double, kBandCount>;

// A model's gain from its input to its output, band by band, with every control at the end that gives
// the least (lowest) or the most (full).
struct GainRange {
    Bands lowest{};
    Bands full{};
};

// The gain from the amplifier's input to its output, band by band: its row and what each of its gain and
// slope controls gives at the band (controlGain).
template <typename ControlGain>
std::optional<Bands> GainOf(const TLinAmp& amplifier, const ControlGain& controlGain) {
    const TPin* in = !amplifier.PinesENTRADA().empty() ? amplifier.PinesENTRADA().front() : nullptr;
    const TPin* out = !amplifier.PinesSALIDA().empty() ? amplifier.PinesSALIDA().front() : nullptr;
    if (in == nullptr || out == nullptr) {
        return std::nullopt;
    }
    const LevelVector row = amplifier.ChannelRow(*in, *out);
    Bands gain{};
    for (std::size_t band = 0; band < kBandCount; ++band) {
        gain[band] = row[band];
    }
    for (const auto* controls : {&amplifier.LPG(), &amplifier.LPP()}) {
        for (const TPotenciometroBase8* control : *controls) {
            for (std::size_t band = 0; control != nullptr && band < kBandCount; ++band) {
                gain[band] += controlGain(*control, band);
            }
        }
    }
    return gain;
}

std::optional<GainRange> RangeOf(const TLinAmp& model) {
    const auto lowest =
        GainOf(model, [](const TPotenciometroBase8& c, std::size_t band) { return c.LeastGain(band); });
    const auto full =
        GainOf(model, [](const TPotenciometroBase8& c, std::size_t band) { return c.MostGain(band); });
    if (!lowest || !full) {
        return std::nullopt;
    }
    return GainRange{*lowest, *full};
}

// What a flat's outlets lack to their minimum and have left to their maximum, band by band (a band no
// outlet of the flat is checked at lacks nothing and has every headroom).
struct FlatNeed {
    Bands shortfall;
    Bands headroom;
    FlatNeed() {
        shortfall.fill(-kInfinity);
        headroom.fill(kInfinity);
    }
};

// The flat's amplifier of the flat amplifier family, or null.
TLinAmp* FlatAmplifierOf(const Tvivienda& flat) {
    for (std::size_t i = 0; i < flat.ETV().Count(); ++i) {
        auto* amplifier = dynamic_cast<TLinAmp*>(flat.ETV().Object(i));
        if (amplifier != nullptr && amplifier->Familia == kFlatAmplifierFamily) {
            return amplifier;
        }
    }
    return nullptr;
}

// The gain an amplifier gives now, band by band (its controls where they stand).
std::optional<Bands> GainNow(const TLinAmp& amplifier) {
    return GainOf(amplifier, [](const TPotenciometroBase8& c, std::size_t band) { return c.Value()[band]; });
}

} // namespace

std::vector<FlatAmplification> PlanFlatAmplifiers(const Tproyecto& project, const LevelSample& sample,
                                                  double target, double headroomSlack) {
    std::vector<FlatAmplification> plan;
    std::map<const Tvivienda*, FlatNeed> needs;
    for (std::size_t i = 0; i < sample.Size(); ++i) {
        const Tvivienda* flat = sample.flats[i];
        if (flat == nullptr || sample.outlets[i] == nullptr) {
            continue;
        }
        FlatNeed& need = needs[flat];
        const std::size_t band = sample.bands[i];
        need.shortfall[band] = std::max(need.shortfall[band], sample.bounds[i].minimum - sample.levels[i]);
        need.headroom[band] = std::min(need.headroom[band], sample.bounds[i].maximum - sample.levels[i]);
    }
    const TalmacenElementos* store = project.Almacen();
    const ElementList* list = store != nullptr ? store->ListOfKind(kAmplifierKind) : nullptr;
    if (list == nullptr) {
        return plan;
    }
    // The current models of the flat amplifier family, least full gain at the top band first.
    std::vector<std::pair<const TLinAmp*, GainRange>> models;
    for (const ElementListItem& item : *list) {
        const auto* model = item.Object.As<TLinAmp>();
        if (model == nullptr || model->Familia != kFlatAmplifierFamily || model->Obsoleto ||
            !model->interiorviv) {
            continue;
        }
        if (const std::optional<GainRange> range = RangeOf(*model)) {
            models.emplace_back(model, *range);
        }
    }
    std::stable_sort(models.begin(), models.end(), [](const auto& a, const auto& b) {
        return a.second.full[kBandCount - 1] < b.second.full[kBandCount - 1];
    });
    for (const auto& item : project.ListaViviendas()) {
        Tvivienda* flat = item.Object;
        const auto found = flat != nullptr ? needs.find(flat) : needs.end();
        if (found == needs.end()) {
            continue;
        }
        FlatNeed need = found->second;
        if (*std::max_element(need.shortfall.begin(), need.shortfall.end()) <= 0.0) {
            continue; // every outlet of the flat reaches its minimum
        }
        TLinAmp* present = nullptr;
        double presentGain = -kInfinity; // the full gain at the top band the replacement must exceed
        if (flat->AmplificadorInterior()) {
            present = FlatAmplifierOf(*flat);
            const std::optional<Bands> now = present != nullptr ? GainNow(*present) : std::nullopt;
            if (!now) {
                continue; // another kind of amplifier: the design leaves it as it is
            }
            for (std::size_t band = 0; band < kBandCount; ++band) {
                need.shortfall[band] += (*now)[band];
                need.headroom[band] += (*now)[band];
            }
            for (const auto& [model, range] : models) {
                if (model->Indice == present->Indice) {
                    presentGain = range.full[kBandCount - 1];
                }
            }
        }
        const TLinAmp* chosen = nullptr;
        for (const auto& [model, range] : models) {
            if (present != nullptr && range.full[kBandCount - 1] <= presentGain) {
                continue;
            }
            bool fits = true;
            bool covers = true;
            bool spares = true;
            for (std::size_t band = 0; band < kBandCount; ++band) {
                fits = fits && range.lowest[band] <= need.headroom[band] + headroomSlack;
                covers = covers && range.full[band] >= need.shortfall[band] - target;
                spares = spares && range.full[band] >= need.shortfall[band] + target;
            }
            if (!fits || !covers) {
                continue;
            }
            chosen = model; // the most gain that nears the need, unless one of less spares target
            if (spares) {
                break;
            }
        }
        if (chosen != nullptr) {
            plan.push_back({flat, chosen, present});
        }
    }
    return plan;
}

std::vector<TPotenciometroBase8*> FlatAmplifierControls(const Tproyecto& project,
                                                        const std::vector<FlatAmplification>& plan) {
    std::set<const TPotenciometroBase8*> own;
    for (const FlatAmplification& planned : plan) {
        if (const TLinAmp* amplifier = planned.flat != nullptr ? FlatAmplifierOf(*planned.flat) : nullptr) {
            own.insert(amplifier->LPG().begin(), amplifier->LPG().end());
            own.insert(amplifier->LPP().begin(), amplifier->LPP().end());
        }
    }
    std::vector<TPotenciometroBase8*> controls;
    for (TPotenciometroBase8* control : AdjustableControls(project)) {
        if (own.count(control) != 0) {
            controls.push_back(control);
        }
    }
    return controls;
}

bool PutFlatAmplifier(Tproyecto& project, const FlatAmplification& planned, EditJournal& journal,
                      DesignResult& result) {
    std::string replacedName;
    std::string replacedModel;
    if (planned.replaces != nullptr) {
        replacedName = planned.replaces->Name();
        replacedModel = planned.replaces->Modelo;
        if (!ReplaceElement(project, *planned.replaces, planned.model->Indice, planned.model->Familia,
                            journal)) {
            return false;
        }
    } else if (!InsertFlatAmplifier(project, *planned.flat, planned.model->Indice, planned.model->Familia,
                                    journal)) {
        return false;
    }
    TLinAmp* amplifier = FlatAmplifierOf(*planned.flat);
    if (amplifier == nullptr) {
        return false;
    }
    const std::string place = FlatPlace(*planned.flat);
    if (planned.replaces != nullptr) {
        // The replaced amplifier's supply went with it; its entries give way to the new ones.
        const std::string fed = " feeds " + replacedName + " (" + replacedModel + ")";
        const auto supply =
            std::find_if(result.supplies.begin(), result.supplies.end(), [&](const std::string& s) {
                return s.size() >= fed.size() && s.compare(s.size() - fed.size(), fed.size(), fed) == 0;
            });
        if (supply != result.supplies.end()) {
            result.supplies.erase(supply);
        }
        const auto entry = std::find_if(result.amplifiers.begin(), result.amplifiers.end(),
                                        [&](const AmplifierInsertion& a) { return a.place == place; });
        if (entry != result.amplifiers.end()) {
            result.amplifiers.erase(entry);
        }
    }
    // Its supply in the same edit: a round is one step however many flats it serves.
    if (AddSupply(project, *amplifier, journal)) {
        const TCBFT* supply = amplifier->Feeder();
        result.supplies.push_back(supply->Name() + " (" + supply->Modelo + ") feeds " + amplifier->Name() +
                                  " (" + planned.model->Modelo + ")");
    }
    result.amplifiers.push_back({amplifier->Name(), planned.model->Modelo, FedName(*amplifier), place});
    return true;
}

} // namespace ixo

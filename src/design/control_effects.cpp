#include "design/control_effects.h"

#include "design/level_sample.h"
#include "model/ampli_header.h"
#include "model/cabecera_terrestre.h"
#include "model/disecq.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/potenciometro.h"

#include <array>
#include <climits>
#include <cmath>
#include <cstring>

namespace ixo {
namespace {

constexpr int kNoContext = INT_MIN; // no receiver selects a polarity on this path
constexpr double kNoEffect = 1e-9;  // dB per unit

int GroupOf(std::size_t band) {
    return band < kFirstSatelliteBand ? 0 : 1;
}

bool MovesGroup(const LevelVector& slope, int group) {
    const std::size_t first = group == 0 ? 0 : kFirstSatelliteBand;
    const std::size_t last = group == 0 ? kFirstSatelliteBand : kBandCount;
    for (std::size_t band = first; band < last; ++band) {
        if (std::abs(slope[band]) > kNoEffect) {
            return true;
        }
    }
    return false;
}

int IndexIn(const PinList& list, const TPin& pin) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == &pin) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// What element gives at out with its settings as they stand: the element's own output function, no
// push. A tap is evaluated at polarity. False for an element whose output function is not known here.
// The caller knows what element is (the type tests are costly when repeated for every level of a large
// building): a terrestrial headend, a multiswitch, a line or a headend amplifier, or none of them.
struct EvaluatedElement {
    TCBFT* element = nullptr;
    TCabeceraTerrestre* terrestrial = nullptr;
    TMultiswitch* multiswitch = nullptr;
    TAmpliBase* amplifier = nullptr;
    TLinAmp* lineAmplifier = nullptr;
    TAmpliHeader* headendAmplifier = nullptr;
};

bool Evaluate(const EvaluatedElement& element, const TPin& out, int polarity, LevelVector& level) {
    if (element.terrestrial != nullptr) {
        level = element.terrestrial->NivelTerr();
        return true;
    }
    if (element.multiswitch != nullptr) {
        TPin& pin = const_cast<TPin&>(out);
        const std::int32_t own = pin.polaridad;
        pin.polaridad = polarity;
        const bool done = element.multiswitch->EvaluateOutput(&pin, level);
        pin.polaridad = own;
        return done;
    }
    TAmpliBase* amplifier = element.amplifier;
    if (amplifier == nullptr) {
        return false;
    }
    const int i = IndexIn(amplifier->PinesSALIDA(), out);
    const TPin* in = i >= 0 ? amplifier->PinAt(PinKind::Input, i) : nullptr;
    if (in == nullptr) {
        return false;
    }
    if (element.lineAmplifier != nullptr) {
        level = element.lineAmplifier->ChannelRow(*in, out);
        return true;
    }
    if (element.headendAmplifier != nullptr) {
        // ChannelRow also writes the control sum into the transfer row; the caller evaluates once more
        // at the setting's own position, which writes the row back as it was.
        level = element.headendAmplifier->ChannelRow(static_cast<std::size_t>(i), *in, out);
        return true;
    }
    return false;
}

} // namespace

double RegulationSetting::Get() const {
    if (control != nullptr) {
        return control->Ajuste;
    }
    const LevelVector& level = headend->NivelTerr();
    const std::size_t top = kFirstSatelliteBand - 1;
    return tilt ? level[top] - level[0] : level[top];
}

void RegulationSetting::Set(double value) const {
    if (control != nullptr) {
        control->Ajuste = value;
        return;
    }
    LevelVector level = headend->NivelTerr();
    const std::size_t top = kFirstSatelliteBand - 1;
    const double at862 = tilt ? level[top] : value;
    const double tiltNow = tilt ? value : level[top] - level[0];
    const double span = kBandFrequenciesMHz[top] - kBandFrequenciesMHz[0];
    for (std::size_t band = 0; band <= top; ++band) {
        level[band] = at862 - tiltNow * (kBandFrequenciesMHz[top] - kBandFrequenciesMHz[band]) / span;
    }
    headend->SetNivelTerr(level);
}

const TCBFT* RegulationSetting::Element() const {
    return control != nullptr ? dynamic_cast<const TCBFT*>(control->Owner()) : headend;
}

double RegulationSetting::Step() const {
    const double span = (high - low) * 0.1;
    return Get() + span <= high ? span : -span;
}

std::size_t ControlEffects::KeyHash::operator()(const Key& key) const {
    std::size_t h = std::hash<const void*>()(key.pin);
    h ^= std::hash<int>()(key.context) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h * 2 + static_cast<std::size_t>(key.group);
}

std::size_t ControlEffects::SlopeKeyHash::operator()(const SlopeKey& key) const {
    std::size_t h = std::hash<const void*>()(key.element);
    h ^= (static_cast<std::size_t>(key.kind) << 8 | static_cast<std::size_t>(key.letter)) +
         0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    h ^= std::hash<int>()(key.pin) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h ^ (std::hash<int>()(key.polarity) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2));
}

bool ControlEffects::LinkKey::operator==(const LinkKey& other) const {
    return setting == other.setting && up == other.up &&
           std::memcmp(slope.band.data(), other.slope.band.data(), sizeof(double) * kBandCount) == 0;
}

std::size_t ControlEffects::LinkKeyHash::operator()(const LinkKey& key) const {
    std::size_t h = std::hash<const void*>()(key.up) ^ (key.setting * 0x9e3779b97f4a7c15ULL);
    for (double value : key.slope.band) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        h ^= bits + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    }
    return h;
}

ControlEffects::ControlEffects(const std::vector<RegulationSetting>& settings) : m_settings(settings) {
    for (std::size_t s = 0; s < settings.size(); ++s) {
        if (const TCBFT* element = settings[s].Element()) {
            m_byElement[element].push_back(s);
        }
    }
}

bool ControlEffects::Trace(const LevelSample& sample) {
    m_chains.assign(sample.Size(), nullptr);
    m_memo.reserve(sample.Size() / 4);
    Key last{nullptr, 0, 0};
    const EffectLink* lastChain = nullptr;
    // The outlets of one flat leave the passive elements at one pin (the multiswitch tap or output
    // the flat hangs from): the last walk of each band group from there is kept, and the exit of the
    // last outlet pin for the other group.
    const TPin* lastStart = nullptr;
    const TPin* lastExit = nullptr;
    std::array<Key, 2> exitKey{Key{nullptr, 0, 0}, Key{nullptr, 0, 1}};
    std::array<const EffectLink*, 2> exitChain{nullptr, nullptr};
    for (std::size_t i = 0; i < sample.Size() && !m_failed; ++i) {
        const TPin* pin = sample.pins[i];
        if (pin == nullptr) {
            Fail("a level without its pin");
            break;
        }
        const int group = GroupOf(sample.bands[i]);
        const int context = sample.polarities[i] >= 0 ? sample.polarities[i] : kNoContext;
        const Key key{pin, context, group};
        if (!(key == last)) {
            // The bands of one pin come one after the other: one walk for each group of bands.
            if (pin->TipodePin == 'E') {
                lastChain = TraceInput(*pin, group);
            } else {
                if (pin != lastStart) {
                    lastStart = pin;
                    lastExit = ExitOf(*pin);
                }
                const Key from{lastExit, context, group};
                if (lastExit == nullptr) {
                    lastChain = nullptr;
                } else if (from == exitKey[group] && !m_failed) {
                    lastChain = exitChain[group];
                } else {
                    lastChain = TraceFrom(*lastExit, context, group);
                    exitKey[group] = from;
                    exitChain[group] = lastChain;
                }
            }
            last = key;
        }
        m_chains[i] = lastChain;
    }
    return !m_failed;
}

const EffectLink* ControlEffects::Fail(std::string why) {
    if (!m_failed) {
        m_failed = true;
        m_failure = std::move(why);
    }
    return nullptr;
}

const ControlEffects::ElementInfo& ControlEffects::InfoOf(const TPin& pin) {
    const auto [at, inserted] = m_elements.try_emplace(pin.Owner());
    if (inserted) {
        ElementInfo& info = at->second;
        info.element = dynamic_cast<TCBFT*>(pin.Owner());
        if (dynamic_cast<TCabeceraTerrestre*>(info.element) != nullptr) {
            info.kind = Kind::Terrestrial;
        } else if (dynamic_cast<TMultiswitch*>(info.element) != nullptr) {
            info.kind = Kind::Multiswitch;
        } else if (dynamic_cast<TAmpliBase*>(info.element) != nullptr) {
            info.kind = Kind::Amplifier;
        } else if (dynamic_cast<TDISECQ*>(info.element) != nullptr) {
            info.kind = Kind::Diseqc;
        }
        if (const auto found = m_byElement.find(info.element); found != m_byElement.end()) {
            info.settings = &found->second;
        }
    }
    return at->second;
}

const EffectLink* ControlEffects::TraceInput(const TPin& in, int group) {
    // Above an input the receiver's choice no longer applies unless the path runs through elements that
    // pass it on; TraceOutput keeps the context for those.
    const TPin* peer = in.Peer();
    if (peer == nullptr || InfoOf(*peer).element == nullptr) {
        return nullptr;
    }
    return TraceOutput(*peer, kNoContext, group);
}

const TPin* ControlEffects::ThroughPassive(const TPin& start) {
    std::vector<const TPin*> path;
    const TPin* exit = nullptr;
    for (const TPin* pin = &start; pin != nullptr && !m_failed;) {
        const ElementInfo& info = InfoOf(*pin);
        if (info.element == nullptr) {
            break;
        }
        if (info.kind != Kind::Other) {
            exit = pin;
            break;
        }
        const auto [at, inserted] = m_passive.try_emplace(pin);
        if (!inserted) {
            if (!at->second.resolved) {
                Fail("a cable loop");
            }
            exit = at->second.exit;
            break;
        }
        path.push_back(pin);
        const TPin* fed = nullptr;
        for (const TPin* in : info.element->PinesENTRADA()) {
            if (in->Peer() == nullptr || InfoOf(*in->Peer()).element == nullptr) {
                continue;
            }
            if (fed != nullptr) {
                Fail(info.element->Name() + " has several fed inputs");
                break;
            }
            fed = in;
        }
        pin = fed != nullptr ? fed->Peer() : nullptr;
    }
    if (m_failed) {
        exit = nullptr;
    }
    for (const TPin* pin : path) {
        m_passive[pin] = {exit, true};
    }
    return exit;
}

const TPin* ControlEffects::ExitOf(const TPin& start) {
    // Passive elements pass every level on unchanged: the walk goes straight to the pin above them.
    return InfoOf(start).kind == Kind::Other ? ThroughPassive(start) : &start;
}

const EffectLink* ControlEffects::TraceOutput(const TPin& start, int context, int group) {
    const TPin* through = ExitOf(start);
    if (through == nullptr) {
        return nullptr;
    }
    return TraceFrom(*through, context, group);
}

const EffectLink* ControlEffects::TraceFrom(const TPin& out, int context, int group) {
    const Key key{&out, context, group};
    // A pin whose walk is under way stands in the memo as kVisiting: meeting it again is a loop.
    static const EffectLink visiting;
    const EffectLink* const kVisiting = &visiting;
    const auto [at, inserted] = m_memo.emplace(key, kVisiting);
    if (!inserted) {
        return at->second == kVisiting ? Fail("a cable loop") : at->second;
    }
    if (m_failed) {
        return nullptr;
    }
    const ElementInfo& info = InfoOf(out);
    const EffectLink* chain = info.element != nullptr ? TraceElement(info, out, context, group) : nullptr;
    m_memo[key] = chain; // the map may have grown during the walk: look the entry up again
    return chain;
}

const EffectLink* ControlEffects::TraceElement(const ElementInfo& info, const TPin& out, int context,
                                               int group) {
    TCBFT& element = *info.element;
    if (info.kind == Kind::Terrestrial) {
        return AddOwnSettings(info, out, 0, group, nullptr); // a source
    }
    if (info.kind == Kind::Multiswitch) {
        const auto* multiswitch = static_cast<const TMultiswitch*>(&element);
        // The receiver's choice is made on the multiswitch pin the flat hangs from, tap or output.
        const bool tap = out.TipodePin == 'D';
        const int polarity = context != kNoContext ? context : out.polaridad;
        // Taps and the outputs of a terminal model mix the terrestrial input in: on the terrestrial
        // bands it is that input that arrives (the satellite lines carry their isolation there).
        const bool mixed = !multiswitch->IsCascadable() || tap;
        const TPin* terrestrial = multiswitch->InputOfPolarity(-1);
        const TPin* in = group == 0 && mixed && terrestrial != nullptr && terrestrial->IsConnected()
                             ? terrestrial
                             : multiswitch->InputOfPolarity(polarity);
        const EffectLink* up = in != nullptr ? TraceInput(*in, group) : nullptr;
        return AddOwnSettings(info, out, polarity, group, up);
    }
    if (info.kind == Kind::Amplifier) {
        const auto* amplifier = static_cast<const TAmpliBase*>(&element);
        const int i = IndexIn(amplifier->PinesSALIDA(), out);
        const TPin* in = i >= 0 ? amplifier->PinAt(PinKind::Input, i) : nullptr;
        // An amplifier inside a flat passes the receiver's choice on.
        const EffectLink* up = nullptr;
        if (in != nullptr && in->Peer() != nullptr && InfoOf(*in->Peer()).element != nullptr) {
            up = TraceOutput(*in->Peer(), context, group);
        }
        return AddOwnSettings(info, out, context, group, up);
    }
    if (info.kind == Kind::Diseqc) {
        return TraceDiseqc(element, out, context, group);
    }
    return nullptr; // passive elements were walked through by TraceOutput
}

const EffectLink* ControlEffects::TraceDiseqc(const TCBFT& element, const TPin& out, int context, int group) {
    // The switch has no settings: every band of each of its pins comes from the input of the satellite
    // the receiver on its first output selects, whose multiswitch gives the polarity within that
    // satellite's group of four.
    const auto& diseqc = static_cast<const TDISECQ&>(element);
    const TPin* requested = diseqc.PinAt(PinKind::Output, 0);
    const std::int32_t own = requested != nullptr ? requested->polaridad : 0;
    const std::int32_t polarity = &out == requested && context != kNoContext ? context : own;
    const TPin* in = diseqc.InputForPolarity(polarity);
    if (in == nullptr || in->Peer() == nullptr || InfoOf(*in->Peer()).element == nullptr) {
        return nullptr;
    }
    return TraceOutput(*in->Peer(), TDISECQ::PolarityAtInput(polarity), group);
}

const EffectLink* ControlEffects::AddOwnSettings(const ElementInfo& info, const TPin& out, int polarity,
                                                 int group, const EffectLink* up) {
    if (info.settings == nullptr) {
        return up;
    }
    TCBFT& element = *info.element;
    // Every tap of a multiswitch has the same row and control at one polarity; an amplifier's
    // channels differ by their index.
    const bool multiswitch = info.kind == Kind::Multiswitch;
    const SlopeKey key{&element, multiswitch ? out.TipodePin : 'S', multiswitch ? out.Prefijo : ' ',
                       multiswitch ? (out.TipodePin == 'D' ? -1 : IndexIn(element.PinesSALIDA(), out)) : 0,
                       multiswitch ? polarity : IndexIn(element.PinesSALIDA(), out)};
    auto slopes = m_slopes.find(key);
    if (slopes == m_slopes.end()) {
        std::vector<std::pair<std::size_t, LevelVector>> measured;
        // What the element is, as InfoOf found it: one type test at most, for a line amplifier.
        EvaluatedElement types;
        types.element = &element;
        if (info.kind == Kind::Terrestrial) {
            types.terrestrial = static_cast<TCabeceraTerrestre*>(&element);
        } else if (multiswitch) {
            types.multiswitch = static_cast<TMultiswitch*>(&element);
        } else if (info.kind == Kind::Amplifier) {
            types.amplifier = static_cast<TAmpliBase*>(&element);
            types.lineAmplifier = dynamic_cast<TLinAmp*>(types.amplifier);
            types.headendAmplifier =
                types.lineAmplifier == nullptr ? dynamic_cast<TAmpliHeader*>(types.amplifier) : nullptr;
        }
        // The output at the settings as they stand, once for all of the element's settings: each is
        // moved by its step and put back in turn.
        LevelVector before;
        if (!Evaluate(types, out, polarity, before)) {
            return Fail(element.Name() + ": its output cannot be evaluated alone");
        }
        // A multiswitch's output moves with the control of its polarity and, where it mixes the
        // terrestrial input in, with that input's control: the others leave it exactly as it is (their
        // slope is zero and links nothing), so they are not evaluated.
        TMultiswitch::OutputControls moving;
        if (multiswitch) {
            TPin& pin = const_cast<TPin&>(out);
            const std::int32_t own = pin.polaridad;
            pin.polaridad = polarity;
            moving = types.multiswitch->ControlsOfOutput(pin);
            pin.polaridad = own;
        }
        for (std::size_t s : *info.settings) {
            const RegulationSetting& setting = m_settings[s];
            if (multiswitch && setting.control != moving.gain && setting.control != moving.terrestrial) {
                continue;
            }
            const double value = setting.Get();
            const double step = setting.Step();
            LevelVector after;
            setting.Set(value + step);
            Evaluate(types, out, polarity, after);
            setting.Set(value);
            if (info.kind == Kind::Amplifier) {
                // An amplifier's evaluation writes its control sum into its transfer row: one more at
                // the setting's own position writes the row back as it was.
                LevelVector again;
                Evaluate(types, out, polarity, again);
            }
            LevelVector slope;
            for (std::size_t band = 0; band < kBandCount; ++band) {
                slope[band] = (after[band] - before[band]) / step;
            }
            measured.emplace_back(s, slope);
        }
        slopes = m_slopes.emplace(key, std::move(measured)).first;
    }
    for (const auto& [s, slope] : slopes->second) {
        if (MovesGroup(slope, group)) {
            up = Link(s, slope, up);
        }
    }
    return up;
}

const EffectLink* ControlEffects::Link(std::size_t setting, const LevelVector& slope, const EffectLink* up) {
    const LinkKey key{setting, up, slope};
    if (const auto found = m_links.find(key); found != m_links.end()) {
        return found->second;
    }
    m_arena.push_back({setting, slope, up});
    const EffectLink* link = &m_arena.back();
    m_links.emplace(key, link);
    return link;
}

} // namespace ixo

#pragma once

#include "model/level_vector.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace ixo {

class LevelSample;
class TCabeceraTerrestre;
class TCBFT;
class TPin;
class TPotenciometroBase8;

// One setting the regulation chooses: a control's position (percent) or a terrestrial headend's output
// level (dBuV, the terrestrial bands).
//
// A terrestrial headend has two settings: its level (at the top terrestrial band, 862 MHz) and its tilt
// (dB by which 47 MHz lies below 862 MHz, the bands between in proportion to frequency: a programmable
// headend sets each channel filter's output on its own, so the cable tilt of the riser can be taken out
// at the source). Moving the level keeps the tilt; moving the tilt keeps the level at 862 MHz.
struct RegulationSetting {
    TPotenciometroBase8* control = nullptr;
    TCabeceraTerrestre* headend = nullptr;
    double low = 0.0;
    double high = 100.0;
    bool tilt = false; // the headend's tilt, not its level

    double Get() const;
    // Ajuste is set directly, not with SetAjuste: the settings are chosen one by one, so moving the
    // controls of equal caption together would undo the choice.
    void Set(double value) const;
    // The element the setting belongs to.
    const TCBFT* Element() const;
    // The step its coefficients are measured with: a tenth of its range, inwards.
    double Step() const;
};

// One link of the chain of settings above a level: the setting, its gain per unit (dB, each band) on
// the levels below that link, and the next link upstream. Chains are shared: the levels fed through the
// same path share its chain.
struct EffectLink {
    std::size_t setting = 0;
    LevelVector slope;
    const EffectLink* up = nullptr;
};

// The coefficients of the regulation found from the structure of the network instead of one full
// recalculation per setting. Levels add in dB along each path, so a setting moves every level below
// the pin it acts on by the same amount in each band: the gain per unit at that pin is measured on the
// element alone (its own output function evaluated at the setting moved by one step), and every level
// inherits the links of the pins upstream of it. Routing follows the elements' own rules: a
// multiswitch output or tap takes the input of its polarity (a tap the polarity its receiver selects)
// on the satellite bands and the terrestrial input on the terrestrial bands; amplifier channel i takes
// input i; a DiSEqC switch passes on the input of the satellite its receiver selects, asking that input's
// multiswitch for the polarity within the satellite's four; every other element has one fed input.
class ControlEffects {
public:
    explicit ControlEffects(const std::vector<RegulationSetting>& settings);

    // One chain per level of sample (taken from the network as it stands). False, with Failure() saying
    // why, when a level's path crosses an element whose routing is not known here (several fed inputs
    // of an element that is neither a multiswitch nor an amplifier) or a cable loop; the caller then
    // measures the coefficients by recalculation.
    [[nodiscard]] bool Trace(const LevelSample& sample);

    // The chain of level i of the traced sample (null: no setting moves it).
    const EffectLink* ChainOf(std::size_t level) const { return m_chains[level]; }
    const std::string& Failure() const { return m_failure; }

private:
    struct Key {
        const TPin* pin;
        int context;
        int group;
        bool operator==(const Key& other) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };
    // The pin of an element a setting's gain per unit is measured at: a multiswitch's taps share one.
    struct SlopeKey {
        const TCBFT* element;
        char kind;
        char letter;
        int pin;
        int polarity;
        bool operator==(const SlopeKey& other) const = default;
    };
    struct SlopeKeyHash {
        std::size_t operator()(const SlopeKey& key) const;
    };
    struct LinkKey {
        std::size_t setting;
        const EffectLink* up;
        LevelVector slope;
        bool operator==(const LinkKey& other) const;
    };
    struct LinkKeyHash {
        std::size_t operator()(const LinkKey& key) const;
    };

    // What the walk needs to know of an element, found once per element (the type tests are costly
    // when repeated for every level of a large building).
    enum class Kind : char { Terrestrial, Multiswitch, Amplifier, Diseqc, Other };
    struct ElementInfo {
        TCBFT* element = nullptr; // null: the pin's owner is no network element
        Kind kind = Kind::Other;
        const std::vector<std::size_t>* settings = nullptr; // the element's settings, or null
    };
    const ElementInfo& InfoOf(const TPin& pin);

    // The output pin where a walk up from out leaves the passive elements (cables, splitters, outlets:
    // no settings, one fed input, the receiver's choice passed on), or null when nothing feeds it.
    // Levels below a passive element have the chain of that pin whatever the polarity or band group, so
    // it is found once per pin instead of once per level.
    const TPin* ThroughPassive(const TPin& out);

    // Where a walk up from start leaves the passive elements: ThroughPassive, or start itself when
    // its element is not passive.
    const TPin* ExitOf(const TPin& start);
    // The chain of the level leaving a DiSEqC switch's output out, its receiver selecting context.
    const EffectLink* TraceDiseqc(const TCBFT& diseqc, const TPin& out, int context, int group);
    // The chain of the level leaving output or tap pin out (a tap's receiver selecting context).
    const EffectLink* TraceOutput(const TPin& out, int context, int group);
    // The same from the pin where the walk leaves the passive elements (ExitOf).
    const EffectLink* TraceFrom(const TPin& exit, int context, int group);
    // The chain of the level arriving at input pin in.
    const EffectLink* TraceInput(const TPin& in, int group);
    const EffectLink* TraceElement(const ElementInfo& info, const TPin& out, int context, int group);
    // The links of the settings of element acting on out, on top of up.
    const EffectLink* AddOwnSettings(const ElementInfo& info, const TPin& out, int polarity, int group,
                                     const EffectLink* up);
    const EffectLink* Link(std::size_t setting, const LevelVector& slope, const EffectLink* up);
    const EffectLink* Fail(std::string why);

    const std::vector<RegulationSetting>& m_settings;
    std::unordered_map<const TCBFT*, std::vector<std::size_t>> m_byElement;
    std::unordered_map<const void*, ElementInfo> m_elements; // by the pins' owner
    struct PassiveExit {
        const TPin* exit = nullptr;
        bool resolved = false; // false while its walk is under way: meeting it again is a loop
    };
    std::unordered_map<const TPin*, PassiveExit> m_passive;
    std::unordered_map<Key, const EffectLink*, KeyHash> m_memo;
    std::unordered_map<LinkKey, const EffectLink*, LinkKeyHash> m_links;
    std::unordered_map<SlopeKey, std::vector<std::pair<std::size_t, LevelVector>>, SlopeKeyHash> m_slopes;
    std::deque<EffectLink> m_arena;
    std::vector<const EffectLink*> m_chains;
    std::string m_failure;
    bool m_failed = false;
};

} // namespace ixo

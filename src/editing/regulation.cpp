#include "editing/regulation.h"

#include "building/planta.h"
#include "building/proyecto.h"
#include "editing/edit_journal.h"
#include "editing/network_editor.h"
#include "levels/calculo_niveles.h"
#include "model/ampli_base.h"
#include "model/cabecera_terrestre.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/potenciometro.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace ixo {

namespace {

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

std::vector<TPotenciometroBase8*> ControlsOf(const TMultiswitch& ms) {
    std::vector<TPotenciometroBase8*> controls;
    for (const auto& entry : ms.LPG()) {
        if (entry.control != nullptr) {
            controls.push_back(entry.control);
        }
    }
    return controls;
}

// The controls a multiswitch window shows: all of an old-type model, the visible ones of a new-type.
std::vector<TPotenciometroBase8*> ShownControls(const TMultiswitch& ms) {
    std::vector<TPotenciometroBase8*> shown;
    for (TPotenciometroBase8* control : ControlsOf(ms)) {
        if (!ms.tiponuevo || control->Potvisible) {
            shown.push_back(control);
        }
    }
    return shown;
}

// The pin a multiswitch window watches: the first tap of a cascadable model, else the first output
// (the first tap of a model without outputs).
TPin* WatchedPin(const TMultiswitch& ms, int index) {
    if (ms.IsCascadable() || ms.PinesSALIDA().empty()) {
        return ms.PinAt(PinKind::Tap, index);
    }
    return ms.PinAt(PinKind::Output, index);
}

RegulationLine LineOf(std::string title, std::size_t colour, const LevelVector& levels, int firstBand,
                      int lastBand) {
    RegulationLine line;
    line.title = std::move(title);
    line.colour = Regulation::kColours[colour % 8];
    for (int band = 1; band <= 7; ++band) {
        line.levels[static_cast<std::size_t>(band - 1)] = levels[static_cast<std::size_t>(band)];
        line.shown[static_cast<std::size_t>(band - 1)] = band >= firstBand && band <= lastBand;
    }
    return line;
}

} // namespace

std::vector<std::pair<const TPotenciometroBase8*, std::string>> Regulation::LabelsOf(Tproyecto& project,
                                                                                     TCBFT& element) {
    std::optional<Regulation> regulation;
    if (auto* amplifier = dynamic_cast<TAmpliBase*>(&element)) {
        regulation.emplace(project, *amplifier);
    } else if (auto* multiswitch = dynamic_cast<TMultiswitch*>(&element)) {
        regulation.emplace(project, *multiswitch);
    } else {
        return {};
    }
    std::vector<std::pair<const TPotenciometroBase8*, std::string>> labels;
    for (const RegulationSlider& slider : regulation->Sliders()) {
        if (slider.kind == RegulationSlider::Kind::Control) {
            labels.emplace_back(slider.control, slider.label);
        }
    }
    return labels;
}

int Regulation::PositionOf(double ajuste) {
    return static_cast<int>(std::lround(1000.0 - ajuste * 10.0));
}

double Regulation::AjusteOf(int position) {
    return (1000.0 - position) / 10.0;
}

bool Regulation::Regulable(const TPrimerComponente& element) {
    if (element.Is<TAmpliBase>()) {
        return !element.Is<TCabeceraTerrestre>();
    }
    const auto* ms = element.As<TMultiswitch>();
    return ms != nullptr && (ms->Conpot || ms->TieneAttTer);
}

Regulation::Regulation(Tproyecto& project, TAmpliBase& amplifier) : m_project(project) {
    m_amplifiers.push_back(&amplifier);
    for (TCBFT* partner : {amplifier.DoublePartner(), amplifier.TriplePartner()}) {
        if (auto* amp = dynamic_cast<TAmpliBase*>(partner)) {
            m_amplifiers.push_back(amp);
        }
    }
    m_caption = "Amplifier regulation [" + amplifier.Modelo + "]";
    std::map<std::string, int> counters;
    for (TAmpliBase* amp : m_amplifiers) {
        for (bool slope : {false, true}) {
            const ControlList& list = slope ? amp->LPP() : amp->LPG();
            for (std::size_t i = 0; i < list.size(); ++i) {
                TPotenciometroBase8* control = list[i];
                if (control == nullptr || !control->Potvisible) {
                    continue;
                }
                std::string label = slope ? "T" : "G";
                label += Contains(control->Caption, "SAT")   ? "_SAT"
                         : Contains(control->Caption, "TER") ? "_TER"
                                                             : "";
                label += std::to_string(++counters[label]);
                AddControlSlider(*amp, *control, static_cast<int>(i), label);
            }
        }
    }
    if (amplifier.MaxModoTer > 0) {
        RegulationSlider mode;
        mode.kind = RegulationSlider::Kind::Mode;
        mode.name = "TRACKBAR1000" + std::to_string(m_sliders.size() + 1);
        mode.label = "A/P";
        mode.element = &amplifier;
        mode.min = 1;
        mode.max = amplifier.MaxModoTer;
        mode.frequency = mode.pageSize = 1;
        mode.position = amplifier.MaxModoTer - amplifier.ModoterActual + 1;
        m_sliders.push_back(mode);
    }
    m_opening = Take();
    m_reach = ReachOfElements();
}

Regulation::Regulation(Tproyecto& project, TMultiswitch& multiswitch)
    : m_project(project), m_multiswitch(&multiswitch) {
    m_caption = "Multiswitch regulation [" + multiswitch.Modelo + "]";
    if (multiswitch.TieneAttTer) {
        RegulationSlider attenuator;
        attenuator.kind = RegulationSlider::Kind::Attenuator;
        attenuator.name = "TRACKBAR10001";
        attenuator.label = "A/P";
        attenuator.element = &multiswitch;
        attenuator.min = 0;
        attenuator.max = multiswitch.MAXValueAttTer;
        attenuator.frequency = attenuator.pageSize = 1;
        attenuator.position = multiswitch.MAXValueAttTer - multiswitch.AttenuarTer;
        m_sliders.push_back(attenuator);
    }
    const std::vector<TPotenciometroBase8*> all = ControlsOf(multiswitch);
    for (TPotenciometroBase8* control : ShownControls(multiswitch)) {
        const int index = static_cast<int>(std::find(all.begin(), all.end(), control) - all.begin());
        std::string label = Contains(control->Caption, "SAT") ? "G_SAT" : "G_TER";
        AddControlSlider(multiswitch, *control, index, label + std::to_string(control->PotPol + 1));
    }
    m_opening = Take();
    m_reach = ReachOfElements();
}

void Regulation::AddControlSlider(TCBFT& element, TPotenciometroBase8& control, int index,
                                  std::string label) {
    RegulationSlider slider;
    slider.kind = RegulationSlider::Kind::Control;
    slider.name = "TRACKBAR" + std::to_string(m_sliders.size() + 1);
    slider.label = std::move(label);
    slider.element = &element;
    slider.control = &control;
    slider.tag2 = index;
    slider.sat = Contains(control.Caption, "SAT");
    slider.position = PositionOf(control.Ajuste);
    m_sliders.push_back(slider);
}

EditJournal::Reach Regulation::ReachOfElements() const {
    EditJournal touched;
    for (TAmpliBase* amp : m_amplifiers) {
        touched.MarkTouched(amp);
    }
    touched.MarkTouched(m_multiswitch);
    return NetworkEditor::ReachOf(touched);
}

Regulation::State Regulation::Take() const {
    State state;
    for (TAmpliBase* amp : m_amplifiers) {
        for (const ControlList* list : {&amp->LPG(), &amp->LPP()}) {
            for (TPotenciometroBase8* control : *list) {
                if (control != nullptr) {
                    state.controls.push_back({control, control->Ajuste});
                }
            }
        }
        state.modes.emplace_back(amp, amp->ModoterActual);
    }
    if (m_multiswitch != nullptr) {
        for (TPotenciometroBase8* control : ControlsOf(*m_multiswitch)) {
            state.controls.push_back({control, control->Ajuste});
        }
        state.attenuators.emplace_back(m_multiswitch, m_multiswitch->AttenuarTer);
    }
    return state;
}

void Regulation::Restore(const State& state) {
    // Ajuste directly: the saved state holds every control, so moving like controls together would
    // only repeat what the state already says.
    for (const Saved& saved : state.controls) {
        saved.control->Ajuste = saved.ajuste;
    }
    for (const auto& [amp, mode] : state.modes) {
        amp->ModoterActual = mode;
    }
    for (const auto& [ms, attenuation] : state.attenuators) {
        ms->AttenuarTer = attenuation;
    }
}

void Regulation::SyncSliders() {
    for (RegulationSlider& slider : m_sliders) {
        switch (slider.kind) {
        case RegulationSlider::Kind::Control:
            slider.position = PositionOf(slider.control->Ajuste);
            break;
        case RegulationSlider::Kind::Mode: {
            auto* amp = static_cast<TAmpliBase*>(slider.element);
            slider.position = amp->MaxModoTer - amp->ModoterActual + 1;
            break;
        }
        case RegulationSlider::Kind::Attenuator: {
            auto* ms = static_cast<TMultiswitch*>(slider.element);
            slider.position = ms->MAXValueAttTer - ms->AttenuarTer;
            break;
        }
        }
    }
}

void Regulation::Recalculate() {
    Propagate();
    Check();
}

void Regulation::Propagate() {
    if (tplanta* headend = m_project.PlantaCabecera()) {
        PropagarNiveles(m_project, *headend, false);
    }
}

void Regulation::Check() {
    if (m_project.PlantaCabecera() != nullptr) {
        NetworkEditor::CheckWithin(m_project, m_reach);
    }
}

LevelVector Regulation::MaximumOf(const TCBFT& element) const {
    if (auto* ms = dynamic_cast<const TMultiswitch*>(&element)) {
        return ms->MaxInputForRegulation();
    }
    LevelVector maximum = static_cast<const TAmpliBase&>(element).NivelmaxSignal();
    if (maximum[7] > 0) {
        for (std::size_t band = 4; band < kBandCount; ++band) {
            maximum[band] -= kSatelliteMargin;
        }
    }
    return maximum;
}

bool Regulation::Terrestrial(const RegulationSlider& slider) const {
    if (m_multiswitch != nullptr) {
        return !slider.sat;
    }
    const auto& amp = static_cast<const TAmpliBase&>(*slider.element);
    if (amp.NivelmaxSignal()[7] <= 0) {
        return true;
    }
    // A line amplifier carries both: the output a terrestrial control acts on (letter A) is watched in
    // the terrestrial bands, or raising it would never meet the line.
    const TPin* out = amp.PinAt(PinKind::Output, slider.tag2);
    return amp.Is<TLinAmp>() && out != nullptr && out->Prefijo == 'A';
}

bool Regulation::PastMaximum(const RegulationSlider& slider) const {
    const TPin* pin = m_multiswitch != nullptr ? WatchedPin(*m_multiswitch, slider.tag2)
                                               : slider.element->PinAt(PinKind::Output, slider.tag2);
    if (pin == nullptr) {
        return false;
    }
    const LevelVector maximum = MaximumOf(*slider.element);
    const bool terrestrial = Terrestrial(slider);
    const std::size_t first = terrestrial ? 1 : 4;
    const std::size_t last = terrestrial ? 3 : 7;
    for (std::size_t band = first; band <= last; ++band) {
        if (pin->Levels()[band] > maximum[band]) {
            return true;
        }
    }
    return false;
}

bool Regulation::MoveSlider(std::size_t index, int position) {
    if (index >= m_sliders.size() || m_busy) {
        return false;
    }
    RegulationSlider& slider = m_sliders[index];
    position = std::clamp(position, slider.min, slider.max);
    if (slider.kind == RegulationSlider::Kind::Mode) {
        auto* amp = static_cast<TAmpliBase*>(slider.element);
        amp->ModoterActual = amp->MaxModoTer - position + 1;
        slider.position = position;
        Recalculate();
        return true;
    }
    if (slider.kind == RegulationSlider::Kind::Attenuator) {
        auto* ms = static_cast<TMultiswitch*>(slider.element);
        ms->AttenuarTer = ms->MAXValueAttTer - position;
        slider.position = position;
        Recalculate();
        return true;
    }
    m_busy = true;
    const double old = slider.control->Ajuste;
    const double wanted = AjusteOf(position);
    slider.control->SetAjuste(wanted); // with PotJuntos, the controls of equal caption move too
    SyncSliders();
    m_busy = false;
    // The levels of the move, for the limit check; the outlets are checked once, on the final state.
    Propagate();
    bool levelsCurrent = true;
    bool kept = true;
    if (wanted > old && PastMaximum(slider)) {
        slider.control->SetAjuste(old);
        SyncSliders();
        levelsCurrent = false;
        kept = false;
    }
    if (equalValue) {
        for (RegulationSlider& other : m_sliders) {
            if (&other != &slider && other.kind == RegulationSlider::Kind::Control &&
                other.sat == slider.sat && other.control->Tipo == slider.control->Tipo) {
                levelsCurrent = levelsCurrent && other.control->Ajuste == slider.control->Ajuste;
                other.control->Ajuste = slider.control->Ajuste;
                other.position = slider.position;
            }
        }
    }
    if (levelsCurrent) {
        Check();
    } else {
        Recalculate();
    }
    return kept;
}

std::vector<RegulationLine> Regulation::Series() const {
    std::vector<RegulationLine> lines;
    if (m_multiswitch == nullptr) {
        int running = 0;
        for (TAmpliBase* amp : m_amplifiers) {
            const PinList& outputs = amp->PinesSALIDA();
            for (std::size_t i = 0; i < outputs.size(); ++i) {
                std::string title = amp->Is<TLinAmp>()
                                        ? std::string("OUT ") + (outputs[i]->Prefijo == 'A' ? "TER" : "SAT") +
                                              " " + std::to_string(++running)
                                        : "POL. " + std::to_string(i + 1);
                lines.push_back(LineOf(std::move(title), lines.size(), outputs[i]->Levels(), 1, 7));
            }
        }
        return lines;
    }
    TMultiswitch& ms = *m_multiswitch;
    TPin* pin = WatchedPin(ms, 0);
    if (pin == nullptr) {
        return lines;
    }
    const std::int32_t polarity = pin->polaridad;
    const LevelVector own = pin->Levels();
    auto evaluate = [&](std::int32_t p, std::string title) {
        pin->polaridad = p;
        LevelVector level;
        if (ms.EvaluateOutput(pin, level)) {
            lines.push_back(LineOf(std::move(title), lines.size(), level, 1, 7));
        }
    };
    const std::vector<TPotenciometroBase8*> controls = ControlsOf(ms);
    if (controls.empty() && ms.TieneAttTer) {
        evaluate(0, "_TER");
    } else if (ms.tiponuevo) {
        for (TPotenciometroBase8* control : controls) {
            if (control->Potvisible && (control->PotPol != -1 || controls.size() == 1)) {
                const bool ter = Contains(control->Caption, "TER");
                evaluate(std::max(control->PotPol, 0),
                         "POL. " + std::to_string(control->PotPol + 1) + (ter ? "_TER" : ""));
            }
        }
    } else {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            evaluate(static_cast<std::int32_t>(i), "POL. " + std::to_string(i + 1));
        }
    }
    pin->polaridad = polarity;
    pin->SetLevels(own);
    return lines;
}

RegulationLine Regulation::MaximumLine() const {
    if (m_multiswitch != nullptr) {
        RegulationLine line = LineOf("MAX. OUTPUT ", 0, m_multiswitch->MaxInputForRegulation(), 1, 7);
        line.colour = "black";
        return line;
    }
    const TAmpliBase& amp = *m_amplifiers.front();
    const LevelVector maximum = MaximumOf(amp);
    int first = 1;
    int last = 7;
    if (!amp.Is<TLinAmp>()) {
        const bool satellite = amp.NivelmaxSignal()[7] > 0;
        first = satellite ? 4 : 1;
        last = satellite ? 7 : 3;
    }
    RegulationLine line = LineOf("MAX. OUTPUT ", 0, maximum, first, last);
    line.colour = "black";
    return line;
}

void Regulation::Cancel() {
    Restore(m_opening);
    SyncSliders();
    Recalculate();
}

bool Regulation::RecordInto(EditJournal& journal) const {
    const State now = Take();
    bool changed = false;
    for (std::size_t i = 0; i < now.controls.size(); ++i) {
        changed = changed || now.controls[i].ajuste != m_opening.controls[i].ajuste;
    }
    for (std::size_t i = 0; i < now.modes.size(); ++i) {
        changed = changed || now.modes[i].second != m_opening.modes[i].second;
    }
    for (std::size_t i = 0; i < now.attenuators.size(); ++i) {
        changed = changed || now.attenuators[i].second != m_opening.attenuators[i].second;
    }
    if (!changed) {
        return false;
    }
    const State before = m_opening;
    for (TAmpliBase* amp : m_amplifiers) {
        journal.MarkTouched(amp);
    }
    journal.MarkTouched(m_multiswitch);
    journal.Record([before] { Restore(before); }, [now] { Restore(now); });
    return true;
}

} // namespace ixo

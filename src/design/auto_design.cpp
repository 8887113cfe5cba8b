#include "design/auto_design.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "catalogue/almacen_elementos.h"
#include "common/decimal_text.h"
#include "common/progress.h"
#include "design/amplifier_placement.h"
#include "design/amplifier_start.h"
#include "design/bare_dish_feeds.h"
#include "design/binding_budget.h"
#include "design/cable_choice.h"
#include "design/check_suspension.h"
#include "design/design_progress.h"
#include "design/flat_amplification.h"
#include "design/headend_gain.h"
#include "design/level_sample.h"
#include "design/network_elements.h"
#include "design/power_check.h"
#include "design/riser_end.h"
#include "design/tap_grading.h"
#include "design/unserved_outlets.h"
#include "editing/network_editor.h"
#include "editing/network_edits.h"
#include "model/ampli_header.h"
#include "model/cabecera_terrestre.h"
#include "model/cable_tv.h"
#include "model/level_vector.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/potenciometro.h"
#include "model/toma_tv.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>

namespace ixo {
namespace {

constexpr int kMaxAmplifyingRounds = 3;
constexpr int kMaxRegulationRuns = 4;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kRegulationGain = 0.05;     // dB: a run of the regulation gaining less ends the runs
constexpr int kAmplifierKind = 0;            // the amplifier table
constexpr std::int32_t kHeadendLocation = 0; // catalogue location of headend amplifiers
constexpr int kRiserCable = 2;               // the riser's entry in the project's cable list
constexpr int kFloorCable = 3;               // the floor's (and stand-alone flat feeds') entry
constexpr double kFeedCableGain = 1.0;       // dB on the longest floor run: less is not worth a cable
constexpr double kStepGain = 0.01;           // dB: a structural step gaining less is undone

class Designer {
public:
    Designer(NetworkEditor& editor, const DesignOptions& options)
        : m_editor(editor), m_project(editor.Project()), m_options(options) {
        const TpreferenciasProyecto& preferences = m_project.Preferencias();
        m_window[0] = preferences.Maximo(0) - preferences.Minimo(0);
        m_window[1] = preferences.Maximo(1) - preferences.Minimo(1);
    }

    DesignResult Run() {
        const std::size_t steps = m_editor.Position();
        Decide();
        m_result.edits = static_cast<int>(m_editor.Position() - steps);
        return std::move(m_result);
    }

private:
    void Decide() {
        {
            const CheckSuspension suspension(m_project);
            Try();
        }
        m_editor.Recalculate();
        m_sample.Take(m_project);
        m_result.marginAfter = m_sample.Worst();
        NameUnserved();
        MeasureCriteria();
        NameBudgets();
    }

    void Try() {
        m_editor.Recalculate();
        m_sample.Take(m_project);
        m_result.marginBefore = m_sample.Worst();
        m_reruns = m_options.amplify ? Reruns::NotFarShort : Reruns::WhileGaining; // steps follow, or none
        Regulate();
        if (m_options.amplify && m_sample.Worst() < 0.0) {
            ChooseCable(kRiserCable, 0.0, "riser cable");
        }
        if (m_options.amplify && m_sample.Worst() < 0.0) {
            ChooseCable(kFloorCable, kFeedCableGain, "floor cable");
        }
        if (m_options.amplify && m_sample.Worst() < 0.0) {
            ChooseHeadendAmplifiers();
        }
        if (m_options.amplify && m_sample.Worst() < 0.0) {
            AddHeadendAmplifiers();
        }
        if (m_options.amplify && m_sample.Worst() < 0.0) {
            GradeTaps();
        }
        if (m_options.amplify && m_sample.Worst() < 0.0) {
            m_reruns = Reruns::UntilSettled;
            Structure();
        }
        m_reruns = Reruns::WhileGaining;
        if (m_options.amplify && m_sample.Worst() < 0.0) {
            AmplifyFlats();
        }
        if (m_options.amplify) {
            PowerUnpowered();
        }
    }

    // Line amplifiers and the tap grades of the segments they make, with a passive cascadable at each
    // riser's end where the active end's input maximum binds: the passive end needs the riser to carry
    // the last floor's level, which the amplifiers give, so the two are weighed together. The ends are
    // looked at before the amplifiers (where the active ends' input maxima bind) and, where none bound
    // then and outlets still fail, again once the amplifiers are in, every active end (an amplifier in
    // front of an active end at its lowest gain hides the end's maximum from the riser above); without
    // the passive ends when they do not gain.
    //
    // The amplifiers are placed for the budget's tight target first (the fewest); when that keeps
    // amplifiers but leaves outlets out of limits by less than the wide target, the whole step is done
    // again for the wide target (shorter segments) and the better of the two is kept.
    void Structure() {
        const std::size_t position = m_editor.Position();
        const DesignResult saved = m_result;
        StructureFor(kTightMargin);
        // The wide target makes up for a budget a few dB too hopeful; a design further out fails for
        // another reason, and trying again would only double the work.
        if (m_sample.Worst() >= 0.0 || m_sample.Worst() < -kWideMargin ||
            m_result.amplifiers.size() == saved.amplifiers.size()) {
            return;
        }
        const Standing tight = StandingOf(m_sample);
        UndoTo(position);
        m_result = saved;
        StructureFor(kWideMargin);
        if (Improves(tight, m_sample, kStepGain)) {
            return;
        }
        UndoTo(position);
        m_result = saved;
        StructureFor(kTightMargin); // deterministic: the same edits again
    }

    void StructureFor(double target) {
        m_targetMargin = target;
        if (TryPassiveEnds()) {
            return;
        }
        AmplifyAndGrade();
        if (m_sample.Worst() < 0.0) {
            TryPassiveEnds(false);
        }
    }

    // The passive ends PlanPassiveEnds finds, one edit, then the regulation and the amplifiers; kept
    // (true) when the result gains, else undone.
    bool TryPassiveEnds(bool binding = true) {
        const std::vector<TapGrade> ends = PlanPassiveEnds(m_project, m_sample, binding);
        if (ends.empty()) {
            return false;
        }
        const std::size_t position = m_editor.Position();
        const DesignResult saved = m_result;
        const Standing before = StandingOf(m_sample);
        const std::vector<std::string> done = Replace(ends);
        if (done.empty()) {
            return false;
        }
        m_sample.Take(m_project);
        Regulate();
        AmplifyAndGrade();
        if (Improves(before, m_sample, kStepGain)) {
            m_result.ends.insert(m_result.ends.end(), done.begin(), done.end());
            return true;
        }
        UndoTo(position);
        m_result = saved;
        m_result.refusals.push_back(
            std::to_string(done.size()) +
            " passive riser end(s) taken out again: the worst margin did not improve");
        return false;
    }

    // Rounds of line amplifiers, each followed by the regulation and the tap grades of the segments
    // they make (the budget that placed them counted on those grades), kept whole when the round gains.
    void AmplifyAndGrade() {
        for (int round = 0; round < kMaxAmplifyingRounds && m_sample.Worst() < 0.0; ++round) {
            const std::size_t position = m_editor.Position();
            const DesignResult saved = m_result;
            const Standing before = StandingOf(m_sample);
            if (!Amplify()) {
                break;
            }
            m_sample.Take(m_project); // recalculated once the amplifiers were in
            Regulate();
            if (m_sample.Worst() < 0.0) {
                GradeTaps(); // the amplifiers cut the risers into segments graded each on its own
            }
            if (!Improves(before, m_sample, kStepGain)) {
                // The round's amplifiers made nothing better: they and their regulation are undone.
                const std::vector<AmplifierInsertion> tried(
                    m_result.amplifiers.begin() + static_cast<std::ptrdiff_t>(saved.amplifiers.size()),
                    m_result.amplifiers.end());
                UndoTo(position);
                m_result = saved;
                for (const AmplifierInsertion& insertion : tried) {
                    m_result.refusals.push_back(insertion.place + ": " + insertion.model + " in front of " +
                                                insertion.inFrontOf +
                                                " taken out again: the worst margin did not improve");
                }
                break;
            }
        }
    }

    // The tap grades PlanTapGrades chooses, every replacement in one edit (a tall building has hundreds
    // of floors), then the regulation; kept only when the result gains.
    void GradeTaps() {
        ReplaceOnFloors(PlanTapGrades(m_project, m_sample, HeadendReach(m_project, m_sample)),
                        m_result.grades, "tap grade(s)");
    }

    // The replacements of plan as one edit (no recalculation after it): what each became.
    std::vector<std::string> Replace(const std::vector<TapGrade>& plan) {
        std::vector<std::string> done;
        const RecalculationSuspension suspension(m_editor);
        m_editor.Apply([&](EditJournal& journal) {
            for (const TapGrade& grade : plan) {
                const std::string was = grade.element->Name() + " (" + grade.element->Modelo + ")";
                EditRefusal why;
                if (ReplaceElement(m_project, *grade.element, grade.model->Indice, grade.model->Familia,
                                   journal, &why)) {
                    done.push_back(was + " -> " + grade.model->Modelo + ", " + FloorPlace(*grade.floor));
                } else {
                    m_result.refusals.push_back(FloorPlace(*grade.floor) + ": " + grade.model->Modelo +
                                                " in place of " + was + ": " + why.reason);
                }
            }
            return !done.empty();
        });
        return done;
    }

    void ReplaceOnFloors(const std::vector<TapGrade>& plan, std::vector<std::string>& kept,
                         const std::string& what) {
        if (plan.empty()) {
            return;
        }
        const std::size_t position = m_editor.Position();
        const std::vector<ControlChange> changes = m_result.changes;
        const Standing before = StandingOf(m_sample);
        const std::vector<std::string> done = Replace(plan);
        if (done.empty()) {
            return;
        }
        m_sample.Take(m_project);
        Regulate();
        if (!Improves(before, m_sample, kStepGain)) {
            UndoTo(position);
            m_result.changes = changes;
            m_result.refusals.push_back(std::to_string(done.size()) + " " + what +
                                        " taken out again: the worst margin did not improve");
            return;
        }
        kept.insert(kept.end(), done.begin(), done.end());
    }

    // The catalogue's lowest-loss cable for one kind of the cable list (LowerLossCable), one edit,
    // kept (undoable) only when the regulation after it improves the result. The riser's loss and its
    // tilt grow with every floor, so a lower-loss cable is where a failing design gains most before
    // amplifiers go in; the floor cable is what a stand-alone headend's multiswitches feed the flats
    // through, each run as long as the way from the headend floor to the flat's.
    void ChooseCable(int kind, double minimumGain, const std::string& what) {
        const TCableTV* current = m_project.Preferencias().Cable(kind);
        const TCableTV* best = LowerLossCable(m_project, kind, minimumGain);
        if (current == nullptr || best == nullptr) {
            return;
        }
        const std::size_t position = m_editor.Position();
        const double score = m_sample.Score();
        const std::vector<ControlChange> changes = m_result.changes;
        const std::string was = current->Modelo;
        const std::string model = best->Modelo;
        const std::int32_t number = best->Indice;
        EditRefusal why;
        if (!m_editor.Apply([&](EditJournal& journal) {
                return ChangeCableModel(m_project, kind, number, journal, &why);
            })) {
            m_result.refusals.push_back(what + " " + model + ": " + why.reason);
            return;
        }
        m_editor.Recalculate();
        m_sample.Take(m_project);
        Regulate();
        if (m_sample.Score() <= score) {
            UndoTo(position);
            m_result.changes = changes;
            m_result.refusals.push_back(what + " " + model + " instead of " + was +
                                        " taken out again: the worst margin did not improve");
            return;
        }
        m_result.cables.push_back(what + " (" + was + ") -> " + model);
    }

    // The satellite headend amplifiers (catalogue location 0), by model.
    std::map<std::pair<std::int32_t, std::int32_t>, std::vector<TAmpliHeader*>> HeadendAmplifiers() const {
        std::map<std::pair<std::int32_t, std::int32_t>, std::vector<TAmpliHeader*>> byModel;
        for (TCBFT* element : NetworkElements(m_project)) {
            auto* amplifier = dynamic_cast<TAmpliHeader*>(element);
            if (amplifier != nullptr && amplifier->Localizacion == kHeadendLocation) {
                byModel[{amplifier->Familia, amplifier->Indice}].push_back(amplifier);
            }
        }
        return byModel;
    }

    // The current models of a family with the pins of model, but model itself.
    std::vector<const TAmpliHeader*> Alternatives(const TAmpliHeader& model) const {
        std::vector<const TAmpliHeader*> alternatives;
        const TalmacenElementos* store = m_project.Almacen();
        const ElementList* list = store != nullptr ? store->ListOfKind(kAmplifierKind) : nullptr;
        if (list == nullptr) {
            return alternatives;
        }
        const auto letters = [](const PinList& pins) {
            std::string text;
            for (const TPin* pin : pins) {
                text += pin->Prefijo;
            }
            return text;
        };
        for (const ElementListItem& item : *list) {
            const auto* candidate = item.Object.As<TAmpliHeader>();
            if (candidate != nullptr && candidate->Familia == model.Familia &&
                candidate->Indice != model.Indice && !candidate->Obsoleto &&
                letters(candidate->PinesENTRADA()) == letters(model.PinesENTRADA()) &&
                letters(candidate->PinesSALIDA()) == letters(model.PinesSALIDA())) {
                alternatives.push_back(candidate);
            }
        }
        return alternatives;
    }

    // Headend amplification: every headend amplifier of one model replaced by another current model of
    // its family (more or less gain than the controls of the model in use reach), one edit, then the
    // regulation; the first that raises the worst margin is kept, the others are undone.
    void ChooseHeadendAmplifiers() {
        for (const auto& [key, amplifiers] : HeadendAmplifiers()) {
            const GainNeed need = GainNeeded(amplifiers);
            const std::string inUse = amplifiers.front()->Modelo;
            const double highest = GainEnd(*amplifiers.front(), true);
            const double lowest = GainEnd(*amplifiers.front(), false);
            for (const TAmpliHeader* candidate : Alternatives(*amplifiers.front())) {
                if (!(need.more && GainEnd(*candidate, true) > highest) &&
                    !(need.less && GainEnd(*candidate, false) < lowest)) {
                    continue; // it would not give the gain the regulation ran out of
                }
                const std::size_t position = m_editor.Position();
                const double worst = m_sample.Score();
                const std::vector<ControlChange> changes = m_result.changes;
                std::vector<std::string> names;
                const std::vector<TAmpliHeader*> current = HeadendAmplifiers()[key];
                const bool done = m_editor.Apply([&](EditJournal& journal) {
                    for (TAmpliHeader* amplifier : current) {
                        names.push_back(amplifier->Name());
                        if (!ReplaceElement(m_project, *amplifier, candidate->Indice, candidate->Familia,
                                            journal)) {
                            return false;
                        }
                    }
                    return true;
                });
                if (!done) {
                    continue;
                }
                m_sample.Take(m_project); // the edit recalculated the levels
                Regulate();
                if (m_sample.Score() > worst + 0.01) {
                    for (const std::string& name : names) {
                        m_result.replacements.push_back(name + " (" + inUse + ") -> " + candidate->Modelo);
                    }
                    break;
                }
                UndoTo(position);
                m_result.changes = changes;
            }
        }
    }

    // A headend without IF amplifiers (the dishes feed its multiswitches or splitters straight, as a
    // stand-alone headend is built) gets the preferences' headend amplifiers in front of them, one edit,
    // kept when the regulation after it gains: the satellite levels then have gain to draw on.
    void AddHeadendAmplifiers() {
        const std::vector<TComponenteBase*> feeds = BareDishFeeds(m_project);
        if (feeds.empty() || !HeadendAmplifiers().empty()) {
            return;
        }
        const TpreferenciasProyecto& preferences = m_project.Preferencias();
        const std::size_t position = m_editor.Position();
        const double worst = m_sample.Score();
        const std::vector<ControlChange> changes = m_result.changes;
        const bool done = m_editor.Apply([&](EditJournal& journal) {
            bool any = false;
            for (TComponenteBase* feed : feeds) {
                // The first takes every bare dish of the floor; the others then find none and change nothing.
                any = InsertHeadendAmplifiers(m_project, *feed, preferences.HD_ModeloAmpFi,
                                              preferences.HD_FamiliaAmpFi, false, journal) ||
                      any;
            }
            return any;
        });
        if (!done) {
            return;
        }
        m_sample.Take(m_project);
        Regulate();
        if (m_sample.Score() <= worst + 0.01) {
            UndoTo(position);
            m_result.changes = changes;
            return;
        }
        for (const auto& [model, amplifiers] : HeadendAmplifiers()) {
            for (const TAmpliHeader* amplifier : amplifiers) {
                m_result.amplifiers.push_back(
                    {amplifier->Name(), amplifier->Modelo, FedName(*amplifier), "headend"});
            }
        }
    }

    // An amplifier inside each flat whose outlets still fall short (PlanFlatAmplifiers), one edit, then
    // the regulation; kept whole when it gains, else undone. The regulation after a round may share the
    // margins out anew and leave other flats short: rounds follow while they gain. First only models that
    // fit each flat's headroom, then (still short) those the regulation upstream must make room for,
    // 3 dB and then 6 dB (the upstream controls of a riser serve every floor: what one flat needs taken
    // out may cost the others). A flat whose amplifier is at its full gain gets a stronger one instead.
    void AmplifyFlats() {
        for (const double slack : {0.0, kTightMargin, kWideMargin}) {
            for (int round = 0; round < kMaxAmplifyingRounds && m_sample.Worst() < 0.0; ++round) {
                if (!AmplifyFlatsOnce(slack)) {
                    break;
                }
            }
        }
    }

    bool AmplifyFlatsOnce(double headroomSlack) {
        const std::vector<FlatAmplification> plan =
            PlanFlatAmplifiers(m_project, m_sample, kTightMargin, headroomSlack);
        // A round undone leaves the network as it was, so the same plan again would end the same way.
        std::vector<std::pair<const Tvivienda*, std::int32_t>> signature;
        for (const FlatAmplification& planned : plan) {
            signature.emplace_back(planned.flat, planned.model->Indice);
        }
        if (plan.empty() || std::find(m_refusedFlatPlans.begin(), m_refusedFlatPlans.end(), signature) !=
                                m_refusedFlatPlans.end()) {
            return false;
        }
        const std::size_t position = m_editor.Position();
        const DesignResult saved = m_result;
        const Standing before = StandingOf(m_sample);
        // The round is regulated as a whole first. From the amplifiers at their inserted gain that ascent
        // can end at a worse optimum than the network had; then the round is tried once more with the new
        // amplifiers' controls set first on their own (a flat amplifier serves its own flat only), so
        // that the whole regulation starts from the network as it was with those flats served.
        for (const bool ownFirst : {false, true}) {
            if (!PutFlatAmplifiers(plan)) {
                return false;
            }
            if (ownFirst && m_options.regulate) {
                for (const ControlChange& change :
                     RegulateAutomatically(m_editor, FlatAmplifierControls(m_project, plan)).changes) {
                    Merge(change);
                }
            }
            m_sample.Take(m_project);
            Regulate();
            if (Improves(before, m_sample, kStepGain)) {
                return true;
            }
            UndoTo(position);
            m_result = saved;
        }
        m_refusedFlatPlans.push_back(std::move(signature));
        m_result.refusals.push_back(std::to_string(plan.size()) +
                                    " flat amplifier(s) taken out again: the worst margin did not improve");
        return false;
    }

    // The planned flat amplifiers, with their supplies, as one edit; false when none went in.
    bool PutFlatAmplifiers(const std::vector<FlatAmplification>& plan) {
        const std::size_t position = m_editor.Position();
        const RecalculationSuspension suspension(m_editor);
        m_editor.Apply([&](EditJournal& journal) {
            bool any = false;
            for (const FlatAmplification& planned : plan) {
                any = PutFlatAmplifier(m_project, planned, journal, m_result) || any;
            }
            return any;
        });
        return m_editor.Position() != position;
    }

    // Every active element the powering check finds without power gets a supply of the preferences'
    // model, one edit each (a replaced headend amplifier may lack the built-in supply of the old one).
    void PowerUnpowered() {
        // No recalculation after each supply: the design ends with one.
        m_editor.SetRecalculateAfterEdits(false);
        for (const PowerProblem& problem : CheckPowering(m_project)) {
            if (problem.kind != PowerProblem::Kind::Unpowered || problem.element == nullptr) {
                continue;
            }
            auto* element = const_cast<TCBFT*>(problem.element);
            EditRefusal why;
            if (m_editor.Apply(
                    [&](EditJournal& journal) { return AddSupply(m_project, *element, journal, &why); })) {
                const TCBFT* supply = element->Feeder();
                m_result.supplies.push_back(
                    (supply != nullptr ? supply->Name() + " (" + supply->Modelo + ")" : "?") + " feeds " +
                    element->Name() + " (" + element->Modelo + ")");
            } else {
                m_result.refusals.push_back(element->Name() + ": no supply added: " + why.reason);
            }
        }
        m_editor.SetRecalculateAfterEdits(true); // the design's last recalculation follows
    }

    // Undoes the steps after position; before is the sample taken at position (the network's levels
    // are recalculated, the sample is not taken again).
    // The levels after the undo are those the network had at position: sampled again rather than kept
    // in a copy for every step that may be undone (on a tall building each copy runs to tens of MB).
    void UndoTo(std::size_t position) {
        m_editor.SetRecalculateAfterEdits(false);
        while (m_editor.Position() > position && m_editor.Undo()) {
        }
        m_editor.SetRecalculateAfterEdits(true);
        m_editor.Recalculate();
        m_sample.Take(m_project);
    }

    void Regulate() {
        StepProgress();
        if (m_options.regulate) {
            // The regulation starts from the sample as it stands and leaves in it the levels it applied.
            // Its ascent ends where no move of its directions gains; started again from there (its
            // smooth phases first) it often goes on, so it is run again while that gains, as far as
            // m_reruns lets it.
            double score = m_sample.Score();
            for (int run = 0; run < kMaxRegulationRuns; ++run) {
                const double before = score;
                const AutoRegulationResult regulation = RegulateAutomatically(m_editor, m_sample);
                for (const ControlChange& change : regulation.changes) {
                    Merge(change);
                }
                score = m_sample.Score();
                if (!regulation.applied || score >= 0.0 || score < before + kRegulationGain ||
                    !RunAgain(regulation, score)) {
                    break;
                }
            }
            return;
        }
        m_editor.Recalculate();
        m_sample.Take(m_project);
    }

    // Whether a run of the regulation that gained is followed by another (Reruns).
    bool RunAgain(const AutoRegulationResult& regulation, double score) const {
        switch (m_reruns) {
        case Reruns::NotFarShort:
            return score >= -kWideMargin;
        case Reruns::UntilSettled:
            return !regulation.settled;
        case Reruns::WhileGaining:
            break;
        }
        return true;
    }

    // The change of a control moved before takes the new position; a control moved first is appended.
    // The index finds it by name without a scan: changes are only appended or updated in place, and a
    // step undone restores an earlier list, whose entries are the first ones of the later list.
    void Merge(const ControlChange& change) {
        std::vector<ControlChange>& changes = m_result.changes;
        const std::string key = change.element + '\x1f' + change.control + '\x1f' + change.slider;
        const auto found = m_changeIndex.find(key);
        if (found != m_changeIndex.end() && found->second < changes.size() &&
            changes[found->second].SameControl(change)) {
            changes[found->second].after = change.after;
            return;
        }
        m_changeIndex[key] = changes.size();
        changes.push_back(change);
    }

    // Suspends the recalculation after each edit while amplifiers go in: an insertion does not need the
    // levels, and the regulation that follows recalculates once.
    class RecalculationSuspension {
    public:
        explicit RecalculationSuspension(NetworkEditor& editor) : m_editor(editor) {
            editor.SetRecalculateAfterEdits(false);
        }
        ~RecalculationSuspension() {
            m_editor.SetRecalculateAfterEdits(true);
            m_editor.Recalculate();
        }
        RecalculationSuspension(const RecalculationSuspension&) = delete;
        RecalculationSuspension& operator=(const RecalculationSuspension&) = delete;

    private:
        NetworkEditor& m_editor;
    };

    bool Amplify() {
        std::vector<std::array<double, kBandCount>> gains;
        const std::vector<const tplanta*> cuts = PlanLineAmplifiers(
            m_project, m_sample, HeadendSource(m_project, m_sample),
            [this](const TMultiswitch& entry) {
                const std::vector<const TAmpliBase*> fitting = FittingAmplifiers(m_project, entry);
                return fitting.empty() ? nullptr : fitting.front();
            },
            m_targetMargin, &gains);
        if (cuts.empty()) {
            return false;
        }
        const std::size_t inserted = m_result.amplifiers.size();
        const RecalculationSuspension suspension(m_editor);
        // One edit (a round undoes whole): inserted at their lowest gain, calculated so, then each moved
        // towards its planned gain.
        m_editor.Apply([&](EditJournal& journal) {
            std::vector<PlannedAmplifier> planned;
            for (std::size_t c = 0; c < cuts.size(); ++c) {
                if (InsertBefore(*cuts[c], journal)) {
                    auto* amplifier = const_cast<TLinAmp*>(AmplifierFeeding(*RiserEntry(*cuts[c])));
                    StartAtLowestGain(*amplifier, journal);
                    planned.push_back({amplifier, gains[c]});
                }
            }
            if (planned.empty()) {
                return false;
            }
            m_editor.Recalculate();
            StartAtPlannedGain(planned, journal);
            return true;
        });
        return m_result.amplifiers.size() > inserted;
    }

    // A refused insertion leaves the journal as it was, so the round goes on with the next model or
    // floor.
    bool InsertBefore(const tplanta& floor, EditJournal& journal) {
        TMultiswitch* entry = RiserEntry(floor);
        if (entry == nullptr) {
            m_result.refusals.push_back(FloorPlace(floor) + ": no multiswitch fed by the riser");
            return false;
        }
        if (AmplifierFeeding(*entry) != nullptr) {
            return false; // already amplified: the regulation has to do the rest
        }
        std::string reasons;
        for (const TAmpliBase* model : FittingAmplifiers(m_project, *entry)) {
            EditRefusal why;
            if (InsertLineAmplifier(m_project, *entry, model->Indice, journal, &why)) {
                AmplifierInsertion insertion;
                const TLinAmp* amplifier = AmplifierFeeding(*entry);
                insertion.amplifier = amplifier != nullptr ? amplifier->Name() : std::string("?");
                insertion.model = model->Modelo;
                insertion.inFrontOf = entry->Name();
                insertion.place = FloorPlace(floor);
                m_result.amplifiers.push_back(insertion);
                return true;
            }
            reasons += (reasons.empty() ? "" : "; ") + model->Modelo + ": " + why.reason;
        }
        m_refusedFloors.insert(&floor);
        m_result.refusals.push_back(FloorPlace(floor) + ": no line amplifier of the catalogue fits " +
                                    entry->Name() + " (" + entry->Modelo + ")" +
                                    (reasons.empty() ? "" : ": " + reasons));
        return false;
    }

    void MeasureCriteria() {
        double margins[3] = {kInfinity, kInfinity, kInfinity};
        for (std::size_t i = 0; i < m_sample.Size(); ++i) {
            const int criterion =
                m_sample.outlets[i] == nullptr ? 2 : (m_sample.bands[i] >= kFirstSatelliteBand ? 1 : 0);
            margins[criterion] =
                std::min(margins[criterion], MarginOf(m_sample.levels[i], m_sample.bounds[i]));
        }
        m_result.terrestrialMargin = margins[0];
        m_result.satelliteMargin = margins[1];
        m_result.maximaMargin = margins[2];
    }

    void NameBudgets() { m_result.budgets = BindingBudgets(m_project, m_sample); }

    void NameUnserved() {
        m_result.unserved = UnservedOutlets(m_sample, m_window, m_refusedFloors, m_options.amplify);
    }

    // Every regulation (after each stage) is a step; once the user asked to stop, nothing more is
    // regulated or inserted, and the result says it was cancelled.
    void StepProgress() {
        if (m_options.progress == nullptr) {
            return;
        }
        m_options.progress->Step();
        if (m_options.progress->CancelRequested()) {
            m_options.regulate = false;
            m_options.amplify = false;
            m_result.cancelled = true;
        }
    }

    NetworkEditor& m_editor;
    Tproyecto& m_project;
    DesignOptions m_options;
    std::array<double, 2> m_window{};
    LevelSample m_sample;
    DesignResult m_result;
    std::set<const tplanta*> m_refusedFloors;
    std::unordered_map<std::string, std::size_t> m_changeIndex; // Merge's: a control's entry in changes
    double m_targetMargin = kTightMargin; // the budget's target for the amplifiers being placed
    std::vector<std::vector<std::pair<const Tvivienda*, std::int32_t>>> m_refusedFlatPlans; // rounds undone
    // How far a run of the regulation that gained is followed by another. Before the structural steps a
    // design more than kWideMargin short is judged by one run: the cable and the first tap grades are
    // weighed by how they move the worst margin, and the first run takes most of what the regulation can
    // give there. While the line amplifiers go in, a run whose ascent settled (every phase within its
    // work budget, the levels as its model said) is the last: on M the run after it gained nothing.
    // For the flat amplifiers every run that gains is followed by another: their rounds need it (3 x 60
    // x 6 x 6 stand-alone cascade fails without), as do the line amplifiers' runs of the tallest
    // buildings (at most two there lost 6 x 100 x 2 x 2 and 2 x 100 x 8 x 1 of the sweep).
    enum class Reruns { NotFarShort, UntilSettled, WhileGaining };
    Reruns m_reruns = Reruns::WhileGaining;
};

} // namespace

DesignResult DesignAutomatically(NetworkEditor& editor, const DesignOptions& options) {
    Designer designer(editor, options);
    return designer.Run();
}

} // namespace ixo

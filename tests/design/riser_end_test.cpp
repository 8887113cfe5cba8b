#include "building/escalera.h"
#include "building/planta.h"
#include "design/amplifier_placement.h"
#include "design/auto_design.h"
#include "design/auto_regulation.h"
#include "design/design_progress.h"
#include "design/level_sample.h"
#include "design/riser_end.h"
#include "design/tap_grading.h"
#include "editing/editing_test_support.h"
#include "levels/niveles_tomas.h"
#include "model/ampli_base.h"
#include "model/cable_tv.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"
#include "settings/standard_presets.h"

#include <array>
#include <cmath>
#include <map>

namespace ixo::test {
namespace {

constexpr int kAmplifierKind = 0;
constexpr std::int32_t kAL5S = 110;

class RiserEndTest : public EditingFixture {
protected:
    // The README's cascade building: three stairs of ten floors, two flats of four cascade outlets a
    // floor, 12 polarities; each riser ends in an active terminal multiswitch MT-504 (maximum input
    // 90 dBµV at the satellite bands).
    static BuildingShape CascadeBuilding() { return Shape(3, 10, 2, 4, 12, 1, 1); }

    LevelSample Sample() {
        LevelSample sample;
        sample.Take(*project);
        return sample;
    }

    // The multiswitch of a floor that the riser feeds from outside the floor (or through a line amplifier
    // on the floor), or null.
    static const TMultiswitch* EntryOf(const tplanta& floor) {
        for (const auto& entry : floor.ETV()) {
            const auto* multiswitch = dynamic_cast<const TMultiswitch*>(entry.Object);
            if (multiswitch == nullptr) {
                continue;
            }
            for (const TPin* in : multiswitch->PinesENTRADA()) {
                const auto* upstream = in->Peer() != nullptr
                                           ? dynamic_cast<const TComponenteBase*>(in->Peer()->Owner())
                                           : nullptr;
                // A line amplifier inserted on the floor stands in the riser.
                if (upstream != nullptr &&
                    (upstream->Container() != &floor || dynamic_cast<const TLinAmp*>(upstream) != nullptr)) {
                    return multiswitch;
                }
            }
        }
        return nullptr;
    }

    // Every input of a floor's multiswitch at the level worked out for it, the terrestrial input at
    // bands[0], the satellite ones at bands[1] and bands[2]; the inputs checked.
    static int ExpectInputs(const TMultiswitch& entry, const tplanta& floor,
                            const std::map<const TPin*, std::array<double, 3>>& expected,
                            const std::size_t (&bands)[3]) {
        int checked = 0;
        for (const TPin* in : entry.PinesENTRADA()) {
            const auto at = expected.find(in);
            if (at == expected.end()) {
                ADD_FAILURE() << entry.Name() << " in" << in->Numeracion << " has no worked level";
                continue;
            }
            const bool terrestrial = in->polaridad < 0;
            for (int b = terrestrial ? 0 : 1; b < (terrestrial ? 1 : 3); ++b) {
                EXPECT_NEAR(in->Levels()[bands[b]], at->second[static_cast<std::size_t>(b)], 0.05)
                    << "floor " << floor.Nivel << " " << entry.Modelo << " in" << in->Numeracion << " band "
                    << bands[b];
            }
            ++checked;
        }
        return checked;
    }

    // The lowest riser floor of each stair.
    std::vector<const tplanta*> LastFloors() {
        std::vector<const tplanta*> last;
        for (const auto& stair : project->Escaleras()) {
            const auto& floors = stair.Object->ListaPlantas();
            for (std::size_t k = 0; k < floors.Count(); ++k) {
                if (!floors[k].Object->HeaderPl && EntryOf(*floors[k].Object) != nullptr) {
                    last.push_back(floors[k].Object);
                    break;
                }
            }
        }
        return last;
    }

    static const TAmpliBase* Amplifier(std::int32_t number) {
        for (const ElementListItem& item : *DemoStore().ListOfKind(kAmplifierKind)) {
            const auto* amplifier = item.Object.As<TAmpliBase>();
            if (amplifier != nullptr && amplifier->Indice == number) {
                return amplifier;
            }
        }
        return nullptr;
    }
};

// Every riser's end is the active MT-504 as built; the passive model offered in its place is the family's
// cascadable with the lowest tap loss, MC-504-13 (12 dB), on the riser's last floor. Where the ends bind
// is read from the levels: as built the riser is far below the MT-504's 90 dBµV, so nothing is offered
// unless asked for every active end; once the regulation has raised the riser, each end stands at its
// maximum and is offered.
TEST_F(RiserEndTest, AnActiveEndStandingAtItsInputMaximumIsOfferedTheLowestLossPassiveCascadable) {
    BuildNetwork(CascadeBuilding());
    editor->Recalculate();
    const std::vector<const tplanta*> last = LastFloors();
    ASSERT_EQ(last.size(), 3u);

    LevelSample built = Sample();
    double highest = -1e9;
    for (std::size_t i = 0; i < built.Size(); ++i) {
        if (dynamic_cast<const TMultiswitch*>(built.elements[i]) != nullptr) {
            highest = std::max(highest, built.levels[i] - built.bounds[i].maximum);
        }
    }
    ASSERT_LT(highest, -kMaximumGuard - kEndTolerance); // nothing near its maximum as built
    EXPECT_TRUE(PlanPassiveEnds(*project, built).empty());

    const std::vector<TapGrade> every = PlanPassiveEnds(*project, built, false);
    ASSERT_EQ(every.size(), 3u);
    for (std::size_t s = 0; s < every.size(); ++s) {
        EXPECT_EQ(every[s].floor, last[s]);
        EXPECT_EQ(every[s].element->Modelo, "MT-504");
        EXPECT_EQ(every[s].model->Modelo, "MC-504-13");
        EXPECT_TRUE(every[s].model->IsCascadable());
        EXPECT_FALSE(every[s].model->TieneMaxnivelentrada);
    }

    LevelSample regulated = built;
    const AutoRegulationResult regulation = RegulateAutomatically(*editor, regulated);
    ASSERT_TRUE(regulation.applied);
    const std::vector<TapGrade> binding = PlanPassiveEnds(*project, regulated);
    ASSERT_EQ(binding.size(), 3u);
    for (const TapGrade& end : binding) {
        EXPECT_EQ(end.model->Modelo, "MC-504-13");
    }
}

// The room an AL-5S gives the segment it would feed, from its catalogue figures: its rated output
// (NIVELSAL 112 dBµV at the terrestrial bands, 117 at the satellite ones) less the design's 0.1 dB guard
// less the riser's level at the multiswitch it stands in front of; its slope controls, as delivered at
// 100 % (flat), can tilt the satellite bands by up to 15 dB (-15 dB at 950 MHz at 0 %) and the
// terrestrial ones by up to 10 dB (-10 dB at 175 MHz at 0 %), towards the top of each band, not the
// other way.
TEST_F(RiserEndTest, ALineAmplifiersRoomIsItsRatedOutputLessTheRiserLevelAndItsSlopeRange) {
    BuildNetwork(CascadeBuilding());
    editor->Recalculate();
    const TAmpliBase* model = Amplifier(kAL5S);
    ASSERT_NE(model, nullptr);
    ASSERT_EQ(model->Modelo, "AL-5S");
    const TMultiswitch* entry = EntryOf(*LastFloors().front());
    ASSERT_NE(entry, nullptr);
    const SourceRoom room = AmplifierRoom(*model, *entry);
    const TPin* terrestrial = entry->InputOfPolarity(-1);
    ASSERT_NE(terrestrial, nullptr);
    double satellite = -1e9;
    for (const TPin* in : entry->PinesENTRADA()) {
        if (in->IsConnected() && in->polaridad >= 0) {
            satellite = std::max(satellite, in->Levels()[7]);
        }
    }
    EXPECT_NEAR(room.lift[3], 112.0 - 0.1 - terrestrial->Levels()[3], 1e-9);
    EXPECT_NEAR(room.lift[7], 117.0 - 0.1 - satellite, 1e-9);
    EXPECT_NEAR(room.tiltLow[1], 0.0, 1e-9);
    EXPECT_NEAR(room.tiltHigh[1], 15.0, 1e-9);
    EXPECT_NEAR(room.tiltLow[0], 0.0, 1e-9);
    EXPECT_NEAR(room.tiltHigh[0], 10.0, 1e-9);
}

// A riser segment's budget never gains by a floor more: every floor added is one more set of outlets
// to serve, and its through loss reaches every floor below it. Down the first stair of the regulated
// cascade building, with the headend's room unbounded, the margin falls (or stays) floor by floor, and
// a segment of one floor alone with unbounded room is served at least as well as the same floor at the
// end of the riser.
TEST_F(RiserEndTest, ARiserSegmentsBudgetFallsWithEveryFloorAdded) {
    BuildNetwork(CascadeBuilding());
    editor->Recalculate();
    LevelSample sample = Sample();
    ASSERT_TRUE(RegulateAutomatically(*editor, sample).applied);
    const RiserBudget budget(*project, sample);
    SourceRoom open;
    open.OpenTilts();
    const auto& floors = project->Escaleras()[0].Object->ListaPlantas();
    std::vector<const tplanta*> segment;
    double previous = std::numeric_limits<double>::infinity();
    int counted = 0;
    for (std::size_t k = floors.Count(); k-- > 0;) {
        const tplanta* floor = floors[k].Object;
        if (floor->HeaderPl || !budget.Has(floor)) {
            continue;
        }
        segment.push_back(floor);
        const double margin = budget.SegmentMargin(segment, open);
        EXPECT_LE(margin, previous + 1e-9) << "floor " << floor->Nivel;
        EXPECT_GE(budget.SegmentMargin({floor}, open), margin - 1e-9) << "floor " << floor->Nivel;
        previous = margin;
        ++counted;
    }
    EXPECT_EQ(counted, 10);
}

// A step of the design is kept when it raises the worst margin, or leaves it and raises a stair's: the
// regulated cascade building's sample with every outlet of one stair (not the worst one) 1 dB nearer
// the middle of its window gains; with the worst stair's outlets 1 dB further out it loses; with an
// element past its maximum it loses though every outlet gains.
TEST_F(RiserEndTest, AStepGainsByTheWorstMarginOrByAStairsWithoutLosingTheWorst) {
    BuildNetwork(CascadeBuilding());
    editor->Recalculate();
    LevelSample before = Sample();
    ASSERT_TRUE(RegulateAutomatically(*editor, before).applied);
    ASSERT_LT(before.Worst(), 0.0);
    const std::vector<double> stairs = StairMargins(before);
    ASSERT_EQ(stairs.size(), 3u);
    EXPECT_LE(stairs[0], stairs[1]);
    EXPECT_LE(stairs[1], stairs[2]);
    EXPECT_FALSE(Improves(before, before, 0.01));

    // The stair of the worst outlet, and another.
    std::size_t worst = 0;
    for (std::size_t i = 0; i < before.Size(); ++i) {
        if (before.outlets[i] != nullptr && MarginOf(before.levels[i], before.bounds[i]) <
                                                MarginOf(before.levels[worst], before.bounds[worst])) {
            worst = i;
        }
    }
    const TEscalera* worstStair = before.flats[worst]->Planta()->Escalera();
    const auto moved = [&](bool worstOne, double toward) {
        LevelSample after = before;
        for (std::size_t i = 0; i < after.Size(); ++i) {
            if (after.outlets[i] == nullptr ||
                (after.flats[i]->Planta()->Escalera() == worstStair) != worstOne) {
                continue;
            }
            const double middle = (after.bounds[i].minimum + after.bounds[i].maximum) / 2.0;
            after.levels[i] += after.levels[i] < middle ? toward : -toward;
        }
        return after;
    };
    EXPECT_TRUE(Improves(before, moved(false, 1.0), 0.01));
    EXPECT_FALSE(Improves(before, moved(false, -1.0), 0.01));
    EXPECT_FALSE(Improves(before, moved(true, -1.0), 0.01));
    EXPECT_TRUE(Improves(before, moved(true, 1.0), 0.01));

    LevelSample overdriven = moved(false, 1.0);
    for (std::size_t i = 0; i < overdriven.Size(); ++i) {
        if (overdriven.outlets[i] == nullptr) {
            overdriven.levels[i] = overdriven.bounds[i].maximum + 0.5;
            break;
        }
    }
    EXPECT_FALSE(Improves(before, overdriven, 0.01));
}

// The designed cascade building's first stair, worked by hand from the demo catalogue's figures below the
// lowest line amplifier the design put in (its three top floors: the amplifier's output is the budget's
// start, whatever the regulation set it to), at 862 MHz (terrestrial line), 950 and 2150 MHz (every
// satellite line):
//   the amplifier's output, 0.5 m of CX-68 (0.18 / 0.19 / 0.30 dB/m) into the floor's multiswitch;
//   down the riser each floor's through loss (MC-504-13: 1.9 / 2.4 / 3.0; -16: 1.7 / 2.1 / 2.7; -19: 1.5 /
//   1.8 / 2.4; -22: 1.4 / 1.6 / 2.2; -25: 1.3 / 1.5 / 2.1 dB) and 3 m of the riser cable the design chose,
//   CX-110E (0.122 / 0.129 / 0.204 dB/m);
//   the first outlet (TC-16) of each flat at 862 MHz: the floor's terrestrial input less the tap loss
//   (MC-504-13: 11.5; -16: 14.5; -19: 17.5; -22: 20.5; -25: 23.5 dB) less 22.4 dB behind the tap (DQ-31,
//   10 m CX-68, PAU-1, TC-16).
// The riser's last floor takes the passive MC-504-13 (no MT-504 any more).
TEST_F(RiserEndTest, TheDesignedRiserBelowItsLowestAmplifierMatchesABudgetWorkedByHand) {
    BuildNetwork(CascadeBuilding());
    const DesignResult result = DesignAutomatically(*editor, DesignOptions{});
    ASSERT_GE(result.marginAfter, 0.0);
    struct Figures {
        double through[3];
        double tap862;
    };
    const std::map<std::string, Figures> models = {{"MC-504-13", {{1.9, 2.4, 3.0}, 11.5}},
                                                   {"MC-504-16", {{1.7, 2.1, 2.7}, 14.5}},
                                                   {"MC-504-19", {{1.5, 1.8, 2.4}, 17.5}},
                                                   {"MC-504-22", {{1.4, 1.6, 2.2}, 20.5}},
                                                   {"MC-504-25", {{1.3, 1.5, 2.1}, 23.5}}};
    const std::size_t bands[3] = {3, 4, 7};
    const double cx68[3] = {0.18, 0.19, 0.30};
    const double cx110e[3] = {0.122, 0.129, 0.204};

    // Stair 1's riser floors, bottom up, and the lowest fed by a line amplifier.
    std::vector<const tplanta*> riser;
    const auto& floors = project->Escaleras()[0].Object->ListaPlantas();
    for (std::size_t k = 0; k < floors.Count(); ++k) {
        if (!floors[k].Object->HeaderPl && EntryOf(*floors[k].Object) != nullptr) {
            riser.push_back(floors[k].Object);
        }
    }
    ASSERT_EQ(riser.size(), 10u);
    std::size_t fed = riser.size();
    for (std::size_t k = 0; k < riser.size() && fed == riser.size(); ++k) {
        const TPin* in = EntryOf(*riser[k])->PinesENTRADA().front();
        if (in->Peer() != nullptr && dynamic_cast<const TLinAmp*>(in->Peer()->Owner()) != nullptr) {
            fed = k;
        }
    }
    ASSERT_LT(fed, riser.size());
    ASSERT_GE(fed, 2u) << "three floors from the amplifier down";
    EXPECT_EQ(EntryOf(*riser[0])->Modelo, "MC-504-13");

    // Expected input levels, pin by pin, floor by floor from the amplifier down.
    std::map<const TPin*, std::array<double, 3>> expected;
    const TMultiswitch* top = EntryOf(*riser[fed]);
    for (const TPin* in : top->PinesENTRADA()) {
        ASSERT_NE(in->Peer(), nullptr);
        EXPECT_EQ(in->MetrosCable, 0.5);
        std::array<double, 3> level{};
        for (int b = 0; b < 3; ++b) {
            level[static_cast<std::size_t>(b)] = in->Peer()->Levels()[bands[b]] - 0.5 * cx68[b];
        }
        expected[in] = level;
    }
    const std::vector<NivelesToma> outlets = NivelesDeTomas(*project);
    int checked = 0;
    for (std::size_t k = fed + 1; k-- > fed - 2;) {
        const TMultiswitch* entry = EntryOf(*riser[k]);
        ASSERT_TRUE(models.count(entry->Modelo)) << entry->Modelo;
        const Figures& figures = models.at(entry->Modelo);
        checked += ExpectInputs(*entry, *riser[k], expected, bands);
        for (const NivelesToma& outlet : outlets) {
            if (outlet.Planta != riser[k] || outlet.Toma->Modelo != "TC-16") {
                continue;
            }
            const double terrestrial = entry->InputOfPolarity(-1)->Levels()[3];
            EXPECT_NEAR(outlet.Recibido[3], terrestrial - figures.tap862 - 22.4, 0.1)
                << "floor " << riser[k]->Nivel;
            ++checked;
        }
        // The next floor down: its inputs are fed by this floor's through outputs.
        if (k == 0) {
            break;
        }
        for (const TPin* in : EntryOf(*riser[k - 1])->PinesENTRADA()) {
            ASSERT_NE(in->Peer(), nullptr);
            const TPin* from = entry->InputOfPolarity(in->Peer()->polaridad);
            ASSERT_NE(from, nullptr);
            EXPECT_EQ(in->MetrosCable, 3.0);
            std::array<double, 3> level{};
            for (int b = 0; b < 3; ++b) {
                level[static_cast<std::size_t>(b)] =
                    expected[from][static_cast<std::size_t>(b)] - figures.through[b] - 3.0 * cx110e[b];
            }
            expected[in] = level;
        }
    }
    EXPECT_EQ(checked, 3 * (5 + 2));
}

// The 8-polarity star building designed to EN 60728-1 (two stairs of twenty floors, four flats of four
// outlets a floor), its first stair's top three floors worked by hand from the demo catalogue's figures
// at 862 MHz (terrestrial line), 950 and 2150 MHz (every satellite line). The top floor is fed from the
// headend: the budget starts at the headend's outputs (the IF amplifiers AFI-440 and the terrestrial
// headend CT-120, whatever the regulation set them to):
//   0.5 m of CX-68 (0.18 / 0.19 / 0.30 dB/m) into a two-way splitter RP-2 (4.2 / 4.4 / 5.2 dB), then the
//   stair's feed cable into the top floor (CX-101: 0.126 / 0.133 / 0.21 dB/m);
//   down the riser each floor's through loss (the active M8-04: 1.0 / 1.2 / 1.8 dB, its SAT control of the
//   line's polarity added on the satellite lines as on the taps; the passive grades
//   MP8-04-10: 2.5 / 3.0 / 4.0; -16: 1.9 / 2.2 / 3.1; -22: 1.5 / 1.7 / 2.4; -28: 1.3 / 1.4 / 2.0 dB) and
//   3 m of the riser cable (CX-110E: 0.122 / 0.129 / 0.204; CX-75: 0.154 / 0.163 / 0.257 dB/m);
//   each outlet TF-2: the floor's input less the tap loss (M8-04: 12.8 / 7.0 / 5.5 dB less its TER control,
//   -10 dB at 0 % to 0 dB at 100 %, or less the SAT control of the polarity, -8 dB at 0 % to +8 dB at
//   100 %; MP8-04-10: 8.5 / 9.0 / 10.5; -16: 14.5 / 15.0 / 16.5; -22: 20.5 / 21.0 / 22.5; -28: 26.5 / 27.0 /
//   28.5 dB) less what lies behind the tap: 10 m of CX-68 to the flat's entry PAU-1 (0.5 / 0.6 / 1.0), a
//   four-way splitter RP-4 (8.3 / 8.5 / 9.8), 5 m of CX-68 and the outlet (2.0 / 2.2 / 3.2): 13.5 / 14.15 /
//   18.5 dB. A satellite outlet gets the input of the polarity its flat selects, so its level is one of
//   the floor's satellite inputs less that.
TEST_F(RiserEndTest, TheTopOfADesignedEightPolarityRiserMatchesABudgetWorkedByHand) {
    const StandardPreset* standard = FindStandardPreset("EN60728-1");
    ASSERT_NE(standard, nullptr);
    project = MakeProject(Shape(2, 20, 4, 4, 8, 1, 0), DefaultSettings(),
                          WithPresetLimits(*standard, DefaultLevelLimits()));
    project->Quality().standard = standard->name;
    ASSERT_GT(ConstruirInstalacion(*project), 0);
    ComprobarErrores(*project);
    editor = std::make_unique<NetworkEditor>(*project);
    const DesignResult result = DesignAutomatically(*editor, DesignOptions{});
    ASSERT_GE(result.marginAfter, 0.0);

    struct Figures {
        double through[3];
        double tap[3];
        bool controlled = false; // the tap losses less the TER and SAT controls' gains
    };
    const std::map<std::string, Figures> models = {{"M8-04", {{1.0, 1.2, 1.8}, {12.8, 7.0, 5.5}, true}},
                                                   {"MP8-04-10", {{2.5, 3.0, 4.0}, {8.5, 9.0, 10.5}}},
                                                   {"MP8-04-16", {{1.9, 2.2, 3.1}, {14.5, 15.0, 16.5}}},
                                                   {"MP8-04-22", {{1.5, 1.7, 2.4}, {20.5, 21.0, 22.5}}},
                                                   {"MP8-04-28", {{1.3, 1.4, 2.0}, {26.5, 27.0, 28.5}}}};
    const std::map<std::string, std::array<double, 3>> cables = {{"CX-68", {0.18, 0.19, 0.30}},
                                                                 {"CX-75", {0.154, 0.163, 0.257}},
                                                                 {"CX-101", {0.126, 0.133, 0.21}},
                                                                 {"CX-110E", {0.122, 0.129, 0.204}}};
    const std::size_t bands[3] = {3, 4, 7};
    const double rp2[3] = {4.2, 4.4, 5.2};
    const double behindTap[3] = {13.5, 14.15, 18.5};
    auto cableLoss = [&cables](const TPin& in, int b) {
        EXPECT_NE(in.Cable(), nullptr);
        if (in.Cable() == nullptr || cables.count(in.Cable()->Modelo) == 0) {
            ADD_FAILURE() << "cable " << (in.Cable() != nullptr ? in.Cable()->Modelo : "none");
            return 0.0;
        }
        return in.MetrosCable * cables.at(in.Cable()->Modelo)[static_cast<std::size_t>(b)];
    };

    // Stair 1's riser floors, top down.
    std::vector<const tplanta*> riser;
    const auto& floors = project->Escaleras()[0].Object->ListaPlantas();
    for (std::size_t k = floors.Count(); k-- > 0;) {
        if (!floors[k].Object->HeaderPl && EntryOf(*floors[k].Object) != nullptr) {
            riser.push_back(floors[k].Object);
        }
    }
    ASSERT_EQ(riser.size(), 20u);

    // The top floor's inputs: from the headend's outputs through the splitters.
    std::map<const TPin*, std::array<double, 3>> expected;
    for (const TPin* in : EntryOf(*riser[0])->PinesENTRADA()) {
        ASSERT_NE(in->Peer(), nullptr);
        const auto* splitter = dynamic_cast<const TRepartidor*>(in->Peer()->Owner());
        ASSERT_NE(splitter, nullptr) << "the top floor is fed by the headend's splitters";
        ASSERT_EQ(splitter->Modelo, "RP-2");
        const TPin* splitterIn = splitter->PinesENTRADA().front();
        ASSERT_NE(splitterIn->Peer(), nullptr);
        std::array<double, 3> level{};
        for (int b = 0; b < 3; ++b) {
            level[static_cast<std::size_t>(b)] = splitterIn->Peer()->Levels()[bands[b]] -
                                                 cableLoss(*splitterIn, b) - rp2[b] - cableLoss(*in, b);
        }
        expected[in] = level;
    }

    const std::vector<NivelesToma> outlets = NivelesDeTomas(*project);
    int inputs = 0;
    int outletsChecked = 0;
    for (std::size_t k = 0; k < 3; ++k) {
        const TMultiswitch* entry = EntryOf(*riser[k]);
        ASSERT_TRUE(models.count(entry->Modelo)) << "floor " << riser[k]->Nivel << ": " << entry->Modelo;
        const Figures& figures = models.at(entry->Modelo);
        // The control of a polarity (-1: terrestrial), its gain from its position.
        const auto controlGain = [&](std::int32_t polarity) {
            if (!figures.controlled) {
                return 0.0;
            }
            const int index = entry->ControlOfPolarity(polarity);
            EXPECT_GE(index, 0) << entry->Name() << " polarity " << polarity;
            if (index < 0) {
                return 0.0;
            }
            const double position = entry->LPG()[static_cast<std::size_t>(index)].control->Ajuste / 100.0;
            return polarity < 0 ? -10.0 + 10.0 * position : -8.0 + 16.0 * position;
        };
        inputs += ExpectInputs(*entry, *riser[k], expected, bands);
        for (const NivelesToma& outlet : outlets) {
            if (outlet.Planta != riser[k]) {
                continue;
            }
            ASSERT_EQ(outlet.Toma->Modelo, "TF-2");
            const double terrestrial = entry->InputOfPolarity(-1)->Levels()[bands[0]];
            EXPECT_NEAR(outlet.Recibido[bands[0]],
                        terrestrial - figures.tap[0] + controlGain(-1) - behindTap[0], 0.1)
                << "floor " << riser[k]->Nivel;
            // The satellite bands: the selected polarity's input, the same one at both ends of the band.
            bool found = false;
            for (const TPin* in : entry->PinesENTRADA()) {
                if (in->polaridad < 0) {
                    continue;
                }
                bool all = true;
                for (int b = 1; b < 3; ++b) {
                    all = all && std::fabs(outlet.Recibido[bands[b]] -
                                           (in->Levels()[bands[b]] - figures.tap[b] +
                                            controlGain(in->polaridad) - behindTap[b])) < 0.1;
                }
                found = found || all;
            }
            EXPECT_TRUE(found) << "floor " << riser[k]->Nivel << ": satellite " << outlet.Recibido[bands[1]]
                               << " / " << outlet.Recibido[bands[2]]
                               << " dBµV is no input less the tap and the flat";
            ++outletsChecked;
        }
        // The next floor down: its inputs are fed by this floor's through outputs, not by an amplifier.
        if (k == 2) {
            break;
        }
        for (const TPin* in : EntryOf(*riser[k + 1])->PinesENTRADA()) {
            ASSERT_NE(in->Peer(), nullptr);
            ASSERT_EQ(in->Peer()->Owner(), entry) << "floor " << riser[k + 1]->Nivel << " is fed from above";
            const TPin* from = entry->InputOfPolarity(in->Peer()->polaridad);
            ASSERT_NE(from, nullptr);
            std::array<double, 3> level{};
            for (int b = 0; b < 3; ++b) {
                level[static_cast<std::size_t>(b)] = expected[from][static_cast<std::size_t>(b)] -
                                                     figures.through[b] - cableLoss(*in, b) +
                                                     (b > 0 ? controlGain(from->polaridad) : 0.0);
            }
            expected[in] = level;
        }
    }
    EXPECT_EQ(inputs, 3 * 9);
    EXPECT_EQ(outletsChecked, 3 * 4 * 4);
}

// Regulated alone, the cascade building stays short at 2150 MHz with nothing at its maximum: the IF
// amplifiers AFI-440 are at their highest gain. Each stair's binding budget names that headend amplifier,
// its output, the losses down to the outlet and the window between its rated 117 dBµV and the 50 dBµV
// minimum: 67 dB, less than the losses.
TEST_F(RiserEndTest, AStairShortWithNothingAtItsMaximumNamesTheHeadendThatRanOut) {
    BuildNetwork(CascadeBuilding());
    const DesignResult result = DesignAutomatically(*editor, DesignOptions{true, false});
    ASSERT_LT(result.marginAfter, 0.0);
    ASSERT_EQ(result.budgets.size(), 3u);
    for (const std::string& budget : result.budgets) {
        EXPECT_NE(budget.find("(AFI-440) has every gain control at its highest gain, its output "),
                  std::string::npos)
            << budget;
        EXPECT_NE(budget.find("dB of losses lie between it and the outlet, more than the 67.0 dB between its "
                              "highest level 117.0 dBµV and the outlet minimum"),
                  std::string::npos)
            << budget;
    }
}

} // namespace
} // namespace ixo::test

#include "builder/instalacion.h"

#include "builder/builder_test_support.h"
#include "building/escalera.h"
#include "building/vivienda.h"
#include "levels/calculo_niveles.h"
#include "levels/comprobacion_tomas.h"
#include "levels/niveles_tomas.h"
#include "levels/polaridad_vivienda.h"
#include "model/alimentador.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/disecq.h"
#include "model/especial.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "model/pin.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"

#include <gtest/gtest.h>

#include <set>

namespace ixo::test {
namespace {

class EndToEnd : public BuilderFixture {
protected:
    Tproyecto& BuildAndRun(const BuildingShape& shape, const SettingsRecord& settings = DefaultSettings()) {
        Build(shape, settings);
        EXPECT_GT(ConstruirInstalacion(*project), 0);
        ComprobarErrores(*project);
        return *project;
    }

    // Every flat entry is fed, and every outlet receives satellite signal at every polarity (none is
    // left at the bare losses of an unfed line).
    void ExpectEveryOutletFed() {
        for (const auto& flat : project->ListaViviendas()) {
            EXPECT_EQ(flat.Object->Entrada()->CountConnected(PinKind::Input), 1) << flat.Name;
        }
        const auto outlets = NivelesDeTomas(*project);
        EXPECT_EQ(static_cast<int>(outlets.size()), TotalOutlets());
        for (const NivelesToma& outlet : outlets) {
            for (std::size_t band = kFirstSatelliteBand; band < kBandCount; ++band) {
                EXPECT_GT(outlet.Peor[band], 30.0) << outlet.Toma->Name() << " band " << band;
            }
        }
    }

    int TotalOutlets() const {
        int count = 0;
        for (const auto& flat : project->ListaViviendas()) {
            count += flat.Object->Numtomas();
        }
        return count;
    }

    template <typename T> int CountInNetwork() const {
        int count = 0;
        for (const TPrimerComponente* component : project->RedTV().Components()) {
            count += component->Is<T>() ? 1 : 0;
        }
        return count;
    }
};

BuildingShape Shape(int stairs, int floors, int flats, int outlets, int polarities, int layout) {
    BuildingShape shape;
    shape.stairs = stairs;
    shape.floors = floors;
    shape.flatsPerFloor = flats;
    shape.outlets = outlets;
    shape.polarities = polarities;
    shape.headendDistribution = layout;
    return shape;
}

// One flat with one outlet fed straight from a headend multiswitch (MH-508). Worked out from the demo
// catalogue: CX-68 loses 7.7 / 18 / 19 / 30 dB per 100 m at 175 / 862 / 950 / 2150 MHz; MH-508 passes
// terrestrial with -18 / -18.5 dB and IF with -4 / -2 dB; PAU-1 -0.3 / -0.5 / -0.6 / -1; TF-2 -1.5 / -2
// / -2.2 / -3.2. Lengths: headend 0.5 m (terrestrial) and 12 m (dish), flat 3 m (floor height) + 10 m.
TEST_F(EndToEnd, HeadendMultiswitchLevelsByHand) {
    BuildAndRun(Shape(1, 1, 1, 1, 4, 0));
    EXPECT_EQ(CountInNetwork<TMultiswitch>(), 1);
    const auto outlets = NivelesDeTomas(*project);
    ASSERT_EQ(outlets.size(), 1u);
    const LevelVector& level = outlets[0].Recibido;
    EXPECT_NEAR(level[1], 100 - 0.5 * 0.077 - 18 - 13 * 0.077 - 0.3 - 1.5, 1e-9);
    EXPECT_NEAR(level[3], 100 - 0.5 * 0.18 - 18.5 - 13 * 0.18 - 0.5 - 2.0, 1e-9);
    EXPECT_NEAR(level[4], 80 - 12 * 0.19 - 4 - 13 * 0.19 - 0.6 - 2.2, 1e-9);
    EXPECT_NEAR(level[7], 80 - 12 * 0.30 - 2 - 13 * 0.30 - 1.0 - 3.2, 1e-9);
    EXPECT_TRUE(project->Escaleras().Object(0)->ErroresEscalera().Empty());
}

// One stair, one flat with one outlet, trunk layout: the dish (PO-80Q, LNB at 80 dBµV) feeds the IF
// amplifier AFI-440 through 12 m of CX-68; its gain control at 25 % of 15..35 dB gives 20 dB and its slope
// control at 40 % of 0..-10 dB gives -4 dB at 950 MHz and 0 at 2150 MHz. The amplifier and the
// terrestrial headend (100 dBµV) feed the terminal multiswitch MT-504 through 3 m of trunk cable CX-101
// (-5.4 / -13.3 / -21 dB per 100 m at 175 / 950 / 2150 MHz); its taps pass IF with -3 / -1 dB plus its
// IF control at 25 % of -10..+10 dB (-5 dB) and terrestrial with -10 dB; then 10 m of CX-68, PAU-1, TF-2.
TEST_F(EndToEnd, TrunkLevelsByHand) {
    BuildAndRun(Shape(1, 1, 1, 1, 4, 1));
    EXPECT_EQ(CountInNetwork<TAmpliHeader>(), 1);
    EXPECT_EQ(CountInNetwork<TMultiswitch>(), 1);
    const auto outlets = NivelesDeTomas(*project);
    ASSERT_EQ(outlets.size(), 1u);
    const LevelVector& level = outlets[0].Recibido;
    EXPECT_NEAR(level[1], 100 - 3 * 0.054 - 10 - 10 * 0.077 - 0.3 - 1.5, 1e-9);
    EXPECT_NEAR(level[4], 80 - 12 * 0.19 + 20 - 4 - 3 * 0.133 - 3 - 5 - 10 * 0.19 - 0.6 - 2.2, 1e-9);
    EXPECT_NEAR(level[7], 80 - 12 * 0.30 + 20 - 0 - 3 * 0.21 - 1 - 5 - 10 * 0.30 - 1.0 - 3.2, 1e-9);
}

// The same flat with twelve polarities: three dishes and amplifiers, the terrestrial headend through a
// three-way splitter RP-3 (0.5 m, -6.2 dB at 175 MHz) into the A input of each of three MT-504, whose
// taps feed a three-input DiSEqC switch DQ-31 (-3 / -3.2 dB at 175 / 950 MHz) at the flat's door.
TEST_F(EndToEnd, TwelvePolaritiesThroughASwitchByHand) {
    BuildAndRun(Shape(1, 1, 1, 1, 12, 1));
    EXPECT_EQ(CountInNetwork<TAmpliHeader>(), 3);
    EXPECT_EQ(CountInNetwork<TMultiswitch>(), 3);
    EXPECT_EQ(CountInNetwork<TDISECQ>(), 1);
    const auto outlets = NivelesDeTomas(*project);
    ASSERT_EQ(outlets.size(), 1u);
    const LevelVector& level = outlets[0].Recibido;
    EXPECT_NEAR(level[1], 100 - 0.5 * 0.077 - 6.2 - 3 * 0.054 - 10 - 3 - 10 * 0.077 - 0.3 - 1.5, 1e-9);
    EXPECT_NEAR(level[4], 80 - 12 * 0.19 + 20 - 4 - 3 * 0.133 - 3 - 5 - 3.2 - 10 * 0.19 - 0.6 - 2.2, 1e-9);
}

TEST_F(EndToEnd, TrunkWithFourPolaritiesAndInjectors) {
    BuildAndRun(Shape(3, 4, 3, 2, 4, 1));
    EXPECT_EQ(CountInNetwork<TInyector>(), 3); // line 0 of each stair
    EXPECT_EQ(CountInNetwork<TDISECQ>(), 0);
    ExpectEveryOutletFed();
}

TEST_F(EndToEnd, TrunkWithTwelvePolaritiesFeedsFlatsThroughSwitches) {
    BuildAndRun(Shape(2, 3, 2, 1, 12, 1));
    EXPECT_EQ(CountInNetwork<TDISECQ>(), 12); // one three-input switch a flat
    EXPECT_EQ(CountInNetwork<TMultiswitch>() % 3, 0);
    ExpectEveryOutletFed();
}

// Three satellites reach each flat through a three-input DiSEqC switch: lowering one dish by 20 dB lowers
// the outlet at exactly the four polarities of its satellite, and each dish its own four. (Were the last
// input taken from polarity 4 on, the middle dish would change nothing and the last eight polarities.)
TEST_F(EndToEnd, EachSatelliteOfATwelvePolaritySwitchIsReachedAtItsOwnPolarities) {
    BuildAndRun(Shape(1, 2, 2, 1, 12, 1));
    Tvivienda& flat = *project->ListaViviendas().Object(0);
    TPin& entry = *EntradaDeVivienda(flat);
    const TTomaTV* outlet = nullptr;
    for (const auto& element : flat.ETV()) {
        outlet = outlet != nullptr ? outlet : dynamic_cast<const TTomaTV*>(element.Object);
    }
    ASSERT_NE(outlet, nullptr);
    const auto satelliteLevels = [&]() {
        std::vector<double> levels;
        for (std::int32_t polarity = 0; polarity < 12; ++polarity) {
            SeleccionarPolaridad(entry, polarity);
            levels.push_back(outlet->PinesDERIVACION().front()->Levels()[kFirstSatelliteBand]);
        }
        return levels;
    };
    const std::vector<double> before = satelliteLevels();
    std::vector<Tantena*> dishes;
    for (TPrimerComponente* component : project->RedTV().Components()) {
        if (auto* dish = dynamic_cast<Tantena*>(component)) {
            dishes.push_back(dish);
        }
    }
    ASSERT_EQ(dishes.size(), 3u);
    std::set<int> groupsLowered;
    for (Tantena* dish : dishes) {
        const std::vector<LevelVector> saved = dish->InputLevels();
        dish->SetInputLevels(LevelVector::Filled(80.0 - 20.0));
        Recalcular(*project);
        const std::vector<double> after = satelliteLevels();
        std::set<int> lowered;
        for (std::int32_t polarity = 0; polarity < 12; ++polarity) {
            if (after[static_cast<std::size_t>(polarity)] <
                before[static_cast<std::size_t>(polarity)] - 10.0) {
                lowered.insert(polarity);
            } else {
                EXPECT_NEAR(after[static_cast<std::size_t>(polarity)],
                            before[static_cast<std::size_t>(polarity)], 1e-9)
                    << dish->Name() << " polarity " << polarity;
            }
        }
        ASSERT_EQ(lowered.size(), 4u) << dish->Name();
        const int group = *lowered.begin() / 4;
        EXPECT_EQ(*lowered.rbegin(), 4 * group + 3) << dish->Name();
        groupsLowered.insert(group);
        for (std::size_t i = 0; i < saved.size(); ++i) {
            dish->SetInputLevel(static_cast<int>(i), saved[i]);
        }
        Recalcular(*project);
    }
    EXPECT_EQ(groupsLowered, (std::set<int>{0, 1, 2}));
}

TEST_F(EndToEnd, EightAndSixteenPolarities) {
    for (int polarities : {8, 16}) {
        BuildAndRun(Shape(2, 3, 4, 2, polarities, 1));
        EXPECT_EQ(CountInNetwork<TInyector>(), 0) << polarities;
        ExpectEveryOutletFed();
    }
}

TEST_F(EndToEnd, SingleStairFedStraightFromTheHeadend) {
    BuildAndRun(Shape(1, 5, 2, 2, 4, 1));
    EXPECT_EQ(CountInNetwork<TRepartidor>(), 0); // no trunk splitter (the flats' splitters are theirs)
    ExpectEveryOutletFed();
}

TEST_F(EndToEnd, TerrestrialOffLeavesTheTerrestrialBandsUnchecked) {
    SettingsRecord settings = DefaultSettings();
    settings.HD_ICTERR = false;
    BuildAndRun(Shape(2, 3, 2, 2, 4, 1), settings);
    EXPECT_EQ(CountInNetwork<TCabeceraTerrestre>(), 0);
    ExpectEveryOutletFed();
    for (const auto& stair : project->Escaleras()) {
        const TCompruebaErrores& errors = stair.Object->ErroresEscalera();
        for (std::size_t i = 0; i < errors.Count(); ++i) {
            EXPECT_EQ(errors[i].FlagsTerrestre, 0u);
        }
    }
}

// The check tries every polarity and leaves each flat on its own: the levels after the check are those
// of the entry's polarity, and the worst levels differ from them where the polarities differ.
TEST_F(EndToEnd, TheCheckLeavesEveryFlatOnItsOwnPolarity) {
    BuildAndRun(Shape(1, 2, 2, 1, 4, 1));
    Tvivienda* flat = project->ListaViviendas().Object(0);
    TPin* entry = flat->Entrada()->PinesENTRADA().front();
    const auto before = NivelesDeTomas(*project);
    entry->polaridad = 2;
    entry->Peer()->polaridad = 2;
    ComprobarErrores(*project);
    EXPECT_EQ(entry->polaridad, 2);
    EXPECT_EQ(entry->Peer()->polaridad, 2);
    const auto after = NivelesDeTomas(*project);
    ASSERT_EQ(before.size(), after.size());
    EXPECT_EQ(before[0].Peor, after[0].Peor); // the worst over all polarities does not depend on the own one
}

// The levels of a fresh build do not depend on what ran before: a recalculation right after the build
// (as after opening the project) gives the same levels and the same outlets out of limits.
TEST_F(EndToEnd, ARecalculationRightAfterTheBuildChangesNothing) {
    for (int polarities : {4, 8, 12, 16}) {
        BuildingShape shape = Shape(1, 3, 2, 3, polarities, 1);
        shape.topology = 1;
        BuildAndRun(shape);
        const auto built = NivelesDeTomas(*project);
        const bool errors = project->ConErrores;
        const std::size_t failing = project->Escaleras().Object(0)->ErroresEscalera().Count();
        Recalcular(*project);
        const auto recalculated = NivelesDeTomas(*project);
        ASSERT_EQ(built.size(), recalculated.size());
        for (std::size_t i = 0; i < built.size(); ++i) {
            EXPECT_EQ(built[i].Recibido, recalculated[i].Recibido) << polarities << " outlet " << i;
            EXPECT_EQ(built[i].Peor, recalculated[i].Peor) << polarities << " outlet " << i;
        }
        EXPECT_EQ(project->ConErrores, errors) << polarities;
        EXPECT_EQ(project->Escaleras().Object(0)->ErroresEscalera().Count(), failing) << polarities;
    }
}

// The check tries every polarity and must leave every outlet with the levels the build computed.
TEST_F(EndToEnd, TheFirstCheckLeavesTheBuiltLevels) {
    for (int polarities : {4, 8, 12, 16}) {
        BuildingShape shape = Shape(1, 3, 2, 3, polarities, 1);
        shape.topology = 1;
        Build(shape);
        ASSERT_GT(ConstruirInstalacion(*project), 0);
        std::vector<LevelVector> before;
        for (const auto& flat : project->ListaViviendas()) {
            for (const auto& entry : flat.Object->ETV()) {
                if (auto* outlet = dynamic_cast<TTomaTV*>(entry.Object)) {
                    before.push_back(outlet->PinesDERIVACION().front()->Levels());
                }
            }
        }
        ComprobarErrores(*project);
        std::size_t i = 0;
        for (const auto& flat : project->ListaViviendas()) {
            for (const auto& entry : flat.Object->ETV()) {
                if (auto* outlet = dynamic_cast<TTomaTV*>(entry.Object)) {
                    ASSERT_LT(i, before.size());
                    EXPECT_EQ(outlet->PinesDERIVACION().front()->Levels(), before[i])
                        << polarities << " " << i;
                    ++i;
                }
            }
        }
    }
}

} // namespace
} // namespace ixo::test

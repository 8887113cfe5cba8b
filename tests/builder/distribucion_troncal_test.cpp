#include "builder/distribucion.h"

#include "builder/builder_test_support.h"
#include "builder/cabecera.h"
#include "building/escalera.h"
#include "model/alimentador.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/multiswitch.h"
#include "model/repartidor.h"

#include <gtest/gtest.h>

#include <vector>

namespace ixo::test {
namespace {

class DistribuirTroncalTest : public BuilderFixture {
protected:
    // Builds a trunk-layout project and its headend, then runs the trunk run.
    void Run(BuildingShape shape, const SettingsRecord& settings = DefaultSettings()) {
        shape.headendDistribution = 1;
        Build(shape, settings);
        ASSERT_EQ(ConstruirCabecera(*project), 1);
        lines = LineasTroncales(*project, Headend());
        ASSERT_EQ(DistribuirTroncal(*project, Headend()), 1);
    }
    tplanta& Headend() { return *project->PlantaCabecera(); }
    TEscalera& Stair(std::size_t i) { return *project->Escaleras().Object(i); }
    // The first element of the stair's highest floor with flats.
    TComponenteBase& First(std::size_t stair) {
        return *Stair(stair).UltimaPlantaConViviendas()->ETV().Object(0);
    }
    TCableTV* TrunkCable() { return CableKind(*project, TpreferenciasProyecto::kCableTroncal); }

    std::vector<TRepartidor*> lines;
};

BuildingShape Stairs(int polarities, int stairs) {
    BuildingShape shape;
    shape.stairs = stairs;
    shape.floors = 2;
    shape.flatsPerFloor = 2;
    shape.polarities = polarities;
    return shape;
}

TEST(NumeroLineasTroncales, OnePerPolarityPlusTheTerrestrialLines) {
    EXPECT_EQ(NumeroLineasTroncales(4, true), 5);
    EXPECT_EQ(NumeroLineasTroncales(12, true), 15);
    EXPECT_EQ(NumeroLineasTroncales(8, true), 9);
    EXPECT_EQ(NumeroLineasTroncales(16, true), 17);
    EXPECT_EQ(NumeroLineasTroncales(12, false), 12);
    EXPECT_EQ(NumeroLineasTroncales(8, false), 8);
}

TEST_F(DistribuirTroncalTest, TheLineListIsTheLastSplittersOfTheHeadendFloor) {
    BuildingShape shape = Stairs(12, 3);
    shape.headendDistribution = 1;
    Build(shape);
    ASSERT_EQ(ConstruirCabecera(*project), 1);
    auto splitters = ElementsOf<TRepartidor>(Headend());
    ASSERT_EQ(splitters.size(), 16u); // the terrestrial splitter is not a line
    auto found = LineasTroncales(*project, Headend());
    EXPECT_EQ(found, std::vector<TRepartidor*>(splitters.begin() + 1, splitters.end()));
    project->Preferencias().Npolaridades = 16; // 17 lines wanted: more than the floor holds
    EXPECT_TRUE(LineasTroncales(*project, Headend()).empty());
}

TEST_F(DistribuirTroncalTest, FourPolaritiesInjectorOnLineZeroOnly) {
    Run(Stairs(4, 3));
    ASSERT_EQ(lines.size(), 5u);
    auto injectors = ElementsOf<TInyector>(Headend());
    ASSERT_EQ(injectors.size(), 3u); // one per stair, on line 0
    for (std::size_t s = 0; s < 3; ++s) {
        SCOPED_TRACE("stair " + std::to_string(s));
        const double lt = LongitudTroncal(*project, Stair(s), Headend());
        TComponenteBase& first = First(s);
        TInyector* injector = injectors[s];
        EXPECT_EQ(injector->Container(), &Headend());
        EXPECT_EQ(PeerOf(*injector, PinKind::Input, 0), lines[0]);
        EXPECT_DOUBLE_EQ(Pin(*injector, PinKind::Input, 0)->MetrosCable, 0.5);
        EXPECT_EQ(PeerOf(*injector, PinKind::Output, 0), &first);
        EXPECT_DOUBLE_EQ(Pin(*injector, PinKind::Output, 0)->MetrosCable, lt);
        EXPECT_EQ(Pin(*injector, PinKind::Output, 0)->Cable(), TrunkCable());
        for (int k = 1; k < 5; ++k) {
            EXPECT_EQ(PeerOf(first, PinKind::Input, k), lines[static_cast<std::size_t>(k)]);
            EXPECT_DOUBLE_EQ(Pin(first, PinKind::Input, k)->MetrosCable, lt);
        }
        // The injector powers the lowest line-powered multiswitch of the stair.
        ASSERT_EQ(injector->CompoAlimentar().size(), 1u);
        const auto* fed = dynamic_cast<const TMultiswitch*>(injector->CompoAlimentar()[0].Element);
        ASSERT_NE(fed, nullptr);
        EXPECT_GT(fed->Consumolin, 0.0);
        EXPECT_EQ(fed->Container(), Stair(s).ListaPlantas().Object(0));
    }
    EXPECT_DOUBLE_EQ(LongitudTroncal(*project, Stair(0), Headend()), 3.0);
    EXPECT_DOUBLE_EQ(LongitudTroncal(*project, Stair(2), Headend()), 33.0);
    // Every trunk splitter gives one output to each stair.
    for (const TRepartidor* line : lines) {
        EXPECT_EQ(line->CountConnected(PinKind::Output), 3);
    }
}

TEST_F(DistribuirTroncalTest, NoInjectorWhenTheProjectAsksForSupplies) {
    SettingsRecord settings = DefaultSettings();
    settings.ConInyector = 0;
    Run(Stairs(4, 2), settings);
    EXPECT_TRUE(ElementsOf<TInyector>(Headend()).empty());
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(PeerOf(First(1), PinKind::Input, k), lines[static_cast<std::size_t>(k)]);
    }
}

TEST_F(DistribuirTroncalTest, WithoutTerrestrialTheLinesSkipTheTerrestrialInput) {
    SettingsRecord settings = DefaultSettings();
    settings.HD_ICTERR = false;
    Run(Stairs(4, 2), settings);
    ASSERT_EQ(lines.size(), 4u);
    auto injectors = ElementsOf<TInyector>(Headend());
    ASSERT_EQ(injectors.size(), 2u);
    TComponenteBase& first = First(0);
    EXPECT_EQ(PeerOf(first, PinKind::Input, 0), injectors[0]);
    EXPECT_EQ(PeerOf(first, PinKind::Input, 1), lines[1]);
    EXPECT_EQ(PeerOf(first, PinKind::Input, 2), nullptr); // the terrestrial input (BBABB)
    EXPECT_EQ(Pin(first, PinKind::Input, 2)->Prefijo, 'A');
    EXPECT_EQ(PeerOf(first, PinKind::Input, 3), lines[2]);
    EXPECT_EQ(PeerOf(first, PinKind::Input, 4), lines[3]);
}

TEST_F(DistribuirTroncalTest, TwelvePolaritiesInjectorsOnTheFirstLineOfEachGroup) {
    Run(Stairs(12, 2));
    ASSERT_EQ(lines.size(), 15u);
    auto injectors = ElementsOf<TInyector>(Headend());
    ASSERT_EQ(injectors.size(), 6u); // lines 0, 5 and 10 of both stairs
    const tplanta& top = *Stair(1).UltimaPlantaConViviendas();
    auto* first = dynamic_cast<TCBFT*>(top.ETV().Object(0));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first->DoublePartner(), nullptr);
    ASSERT_NE(first->TriplePartner(), nullptr);
    TInyector* line0 = injectors[3];
    TInyector* line5 = injectors[4];
    TInyector* line10 = injectors[5];
    EXPECT_EQ(PeerOf(*line0, PinKind::Output, 0), first);
    EXPECT_EQ(PeerOf(*line5, PinKind::Output, 0), top.ETV().Object(1));
    EXPECT_EQ(PeerOf(*line10, PinKind::Output, 0), top.ETV().Object(2));
    EXPECT_EQ(PeerOf(*line5, PinKind::Input, 0), lines[5]);
    // Lines 0 to 4 enter First, 5 to 9 Second, 10 to 14 Third.
    EXPECT_EQ(PeerOf(*first, PinKind::Input, 2), lines[2]);
    EXPECT_EQ(PeerOf(*top.ETV().Object(1), PinKind::Input, 4), lines[9]);
    EXPECT_EQ(PeerOf(*top.ETV().Object(2), PinKind::Input, 4), lines[14]);
    // The injectors of lines 5 and 10 power the double and the triple partner of the lowest
    // line-powered multiswitch, so that each injector powers one satellite's multiswitches.
    ASSERT_EQ(line0->CompoAlimentar().size(), 1u);
    const auto* lowest = dynamic_cast<const TCBFT*>(line0->CompoAlimentar()[0].Element);
    ASSERT_NE(lowest, nullptr);
    ASSERT_EQ(line5->CompoAlimentar().size(), 1u);
    EXPECT_EQ(line5->CompoAlimentar()[0].Element, lowest->DoublePartner());
    ASSERT_EQ(line10->CompoAlimentar().size(), 1u);
    EXPECT_EQ(line10->CompoAlimentar()[0].Element, lowest->TriplePartner());
    EXPECT_NE(lowest->TriplePartner(), nullptr);
}

TEST_F(DistribuirTroncalTest, EightPolaritiesNoInjectorsAndTheTerrestrialLineFirst) {
    Run(Stairs(8, 3));
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_TRUE(ElementsOf<TInyector>(Headend()).empty());
    auto terrestrial = ElementsOf<TCabeceraTerrestre>(Headend());
    ASSERT_EQ(terrestrial.size(), 1u);
    for (std::size_t s = 0; s < 3; ++s) {
        SCOPED_TRACE("stair " + std::to_string(s));
        TComponenteBase* line0 = PeerOf(First(s), PinKind::Input, 0);
        ASSERT_NE(line0, nullptr);
        EXPECT_EQ(PeerOf(*line0, PinKind::Input, 0), terrestrial[0]);
        for (int k = 1; k < 9; ++k) {
            TComponenteBase* line = PeerOf(First(s), PinKind::Input, k);
            ASSERT_NE(line, nullptr);
            EXPECT_TRUE(PeerOf(*line, PinKind::Input, 0)->Is<TAmpliHeader>());
        }
    }
}

TEST_F(DistribuirTroncalTest, SingleStairFedStraightFromTheAmplifier) {
    Run(Stairs(4, 1));
    EXPECT_TRUE(lines.empty());
    EXPECT_TRUE(ElementsOf<TRepartidor>(Headend()).empty());
    auto amp = ElementsOf<TAmpliHeader>(Headend()).at(0);
    auto terrestrial = ElementsOf<TCabeceraTerrestre>(Headend()).at(0);
    TComponenteBase& first = First(0);
    // IF, IF, terrestrial, IF, IF.
    EXPECT_EQ(PeerOf(first, PinKind::Input, 0), amp);
    EXPECT_EQ(PeerOf(first, PinKind::Input, 1), amp);
    EXPECT_EQ(PeerOf(first, PinKind::Input, 2), terrestrial);
    EXPECT_EQ(PeerOf(first, PinKind::Input, 3), amp);
    EXPECT_EQ(PeerOf(first, PinKind::Input, 4), amp);
    EXPECT_EQ(Pin(*amp, PinKind::Output, 2)->Peer(), Pin(first, PinKind::Input, 3));
    EXPECT_DOUBLE_EQ(Pin(first, PinKind::Input, 0)->MetrosCable, 3.0);
    EXPECT_EQ(Pin(first, PinKind::Input, 0)->Cable(), TrunkCable());
}

TEST_F(DistribuirTroncalTest, SingleStairOfEightPolaritiesFedStraightFromTheDishes) {
    Run(Stairs(8, 1));
    auto dishes = ElementsOf<Tantena>(Headend());
    ASSERT_EQ(dishes.size(), 2u);
    TComponenteBase& first = First(0);
    EXPECT_EQ(PeerOf(first, PinKind::Input, 0), ElementsOf<TCabeceraTerrestre>(Headend()).at(0));
    for (int k = 1; k < 9; ++k) {
        EXPECT_EQ(PeerOf(first, PinKind::Input, k), dishes[static_cast<std::size_t>((k - 1) / 4)]) << k;
    }
}

TEST_F(DistribuirTroncalTest, TrunkLengthCountsTheFloorsAboveTheHighestWithFlats) {
    BuildingShape shape;
    shape.stairs = 3;
    shape.floors = 3;
    shape.polarities = 4;
    // Row 0 is the last stair, column 0 its top floor: the third stair has no flats on top.
    shape.flats = {{0, 2, 2}, {2, 2, 2}, {2, 2, 2}};
    Run(shape);
    EXPECT_DOUBLE_EQ(LongitudTroncal(*project, Stair(2), Headend()), 2 * 15.0 + 3.0 + 3.0);
    EXPECT_DOUBLE_EQ(LongitudTroncal(*project, Stair(1), Headend()), 15.0 + 3.0);
    EXPECT_DOUBLE_EQ(Pin(First(2), PinKind::Input, 1)->MetrosCable, 36.0);
}

TEST_F(DistribuirTroncalTest, AStairWithoutFlatsIsPassedOverButCounted) {
    BuildingShape shape;
    shape.stairs = 3;
    shape.floors = 1;
    shape.polarities = 4;
    shape.headendDistribution = 1;
    shape.flats = {{2}, {0}, {2}}; // the middle stair has no flats
    Build(shape);
    ASSERT_EQ(ConstruirCabecera(*project), 1);
    ASSERT_EQ(ElementsOf<TRepartidor>(Headend()).at(0)->Nsalidas, 2); // two stairs with flats
    struct Counting : Progress {
        void Step() override { ++steps; }
        int steps = 0;
    } progress;
    ASSERT_EQ(DistribuirTroncal(*project, Headend(), progress), 1);
    EXPECT_EQ(progress.steps, 3);
    EXPECT_TRUE(Stair(1).ListaPlantas().Object(0)->ETV().Empty());
    EXPECT_EQ(ElementsOf<TInyector>(Headend()).size(), 2u);
}

} // namespace
} // namespace ixo::test

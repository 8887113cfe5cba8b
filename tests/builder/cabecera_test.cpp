#include "builder/cabecera.h"

#include "builder/builder_test_support.h"
#include "building/escalera.h"
#include "model/alimentador.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "model/repartidor.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

class CabeceraTest : public BuilderFixture {
protected:
    tplanta& Headend() { return *project->PlantaCabecera(); }
    TCableTV* HeadendCable() { return CableKind(*project, TpreferenciasProyecto::kCableCabecera); }

    // Checks that pin (kind, index) of element is cabled to peer with the headend cable and that length.
    void ExpectLink(const TComponenteBase& element, PinKind kind, int index, const TComponenteBase* peer,
                    double metres) {
        SCOPED_TRACE(element.Name() + " pin " + PinLetter(kind) + std::to_string(index));
        ASSERT_NE(Pin(element, kind, index), nullptr);
        EXPECT_EQ(PeerOf(element, kind, index), peer);
        EXPECT_DOUBLE_EQ(Pin(element, kind, index)->MetrosCable, metres);
        EXPECT_EQ(Pin(element, kind, index)->Cable(), HeadendCable());
    }
};

BuildingShape TrunkShape(int polarities, int stairs) {
    BuildingShape shape;
    shape.stairs = stairs;
    shape.floors = 2;
    shape.flatsPerFloor = 2;
    shape.polarities = polarities;
    shape.headendDistribution = 1;
    return shape;
}

TEST_F(CabeceraTest, NoHeadendFloorBuildsNothing) {
    BuildingShape shape = TrunkShape(4, 2);
    shape.headendStair = 0;
    Build(shape);
    const std::size_t before = project->RedTV().ComponentCount();
    EXPECT_EQ(ConstruirCabecera(*project), -1);
    EXPECT_EQ(project->RedTV().ComponentCount(), before);
}

TEST_F(CabeceraTest, FourPolaritiesThreeStairsAmplifierLayout) {
    Build(TrunkShape(4, 3));
    ASSERT_EQ(ConstruirCabecera(*project), 1);
    tplanta& h = Headend();
    auto dishes = ElementsOf<Tantena>(h);
    auto terrestrial = ElementsOf<TCabeceraTerrestre>(h);
    auto amps = ElementsOf<TAmpliHeader>(h);
    auto supplies = ElementsOf<TFUENTE>(h);
    auto splitters = ElementsOf<TRepartidor>(h);
    ASSERT_EQ(dishes.size(), 1u);
    ASSERT_EQ(terrestrial.size(), 1u);
    ASSERT_EQ(amps.size(), 1u);
    ASSERT_EQ(supplies.size(), 1u);  // the amplifier's built-in supply
    ASSERT_EQ(splitters.size(), 5u); // trunk splitters only: one amplifier needs no terrestrial splitter
    EXPECT_TRUE(ElementsOf<TMultiswitch>(h).empty());
    EXPECT_EQ(h.ETV().Count(), 9u);

    // Placement order: dishes, terrestrial headend, supplies, amplifiers, trunk splitters.
    EXPECT_EQ(h.ETV().Object(0), dishes[0]);
    EXPECT_EQ(h.ETV().Object(1), terrestrial[0]);
    EXPECT_EQ(h.ETV().Object(2), supplies[0]);
    EXPECT_EQ(h.ETV().Object(3), amps[0]);
    for (std::size_t i = 0; i < h.ETV().Count(); ++i) {
        EXPECT_EQ(h.ETV().Object(i)->Container(), &h);
        EXPECT_EQ(h.ETV().Object(i)->Owner(), &project->RedTV());
    }

    EXPECT_EQ(terrestrial[0]->Indice, 30);
    EXPECT_EQ(amps[0]->Feeder(), supplies[0]);
    EXPECT_EQ(supplies[0]->Indice, amps[0]->modelofuente);
    for (const TRepartidor* splitter : splitters) {
        EXPECT_EQ(splitter->Familia, 1002);
        EXPECT_EQ(splitter->Nsalidas, 3); // the first model with an output per stair
    }
    // Every dish output to the amplifier, 12 m.
    for (int k = 0; k < 4; ++k) {
        ExpectLink(*dishes[0], PinKind::Output, k, amps[0], 12.0);
    }
    // Lines 0, 1, 3, 4 from the amplifier, line 2 from the terrestrial headend.
    ExpectLink(*splitters[0], PinKind::Input, 0, amps[0], 0.5);
    ExpectLink(*splitters[1], PinKind::Input, 0, amps[0], 0.5);
    ExpectLink(*splitters[2], PinKind::Input, 0, terrestrial[0], 0.5);
    ExpectLink(*splitters[3], PinKind::Input, 0, amps[0], 0.5);
    ExpectLink(*splitters[4], PinKind::Input, 0, amps[0], 0.5);
    EXPECT_EQ(PeerOf(*amps[0], PinKind::Output, 0), splitters[0]);
    EXPECT_EQ(PeerOf(*amps[0], PinKind::Output, 2), splitters[3]);
}

TEST_F(CabeceraTest, TwelvePolaritiesTerrestrialSplitterFeedsTheMiddleLineOfEachGroup) {
    Build(TrunkShape(12, 3)); // default Dis_FAMMSCAS is 5001
    ASSERT_EQ(ConstruirCabecera(*project), 1);
    tplanta& h = Headend();
    auto amps = ElementsOf<TAmpliHeader>(h);
    auto splitters = ElementsOf<TRepartidor>(h);
    auto terrestrial = ElementsOf<TCabeceraTerrestre>(h);
    ASSERT_EQ(ElementsOf<Tantena>(h).size(), 3u);
    ASSERT_EQ(amps.size(), 3u);
    ASSERT_EQ(ElementsOf<TFUENTE>(h).size(), 3u);
    ASSERT_EQ(terrestrial.size(), 1u);
    ASSERT_EQ(splitters.size(), 16u); // terrestrial splitter then fifteen trunk splitters
    const TRepartidor* terrestrialSplitter = splitters[0];
    EXPECT_GE(terrestrialSplitter->Nsalidas, 3);
    ExpectLink(*terrestrialSplitter, PinKind::Input, 0, terrestrial[0], 0.5);
    for (int group = 0; group < 3; ++group) {
        SCOPED_TRACE("group " + std::to_string(group));
        const std::size_t first = 1 + 5 * static_cast<std::size_t>(group);
        ExpectLink(*splitters[first + 2], PinKind::Input, 0, terrestrialSplitter, 0.5);
        for (std::size_t line : {0u, 1u, 3u, 4u}) {
            ExpectLink(*splitters[first + line], PinKind::Input, 0, amps[static_cast<std::size_t>(group)],
                       0.5);
        }
    }
    // The dishes each feed their own amplifier.
    auto dishes = ElementsOf<Tantena>(h);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(PeerOf(*dishes[i], PinKind::Output, 3), amps[i]);
    }
}

TEST_F(CabeceraTest, EightPolaritiesSingleStairTrunkHasOnlyDishesAndTerrestrialHeadend) {
    Build(TrunkShape(8, 1));
    ASSERT_EQ(ConstruirCabecera(*project), 1);
    tplanta& h = Headend();
    ASSERT_EQ(h.ETV().Count(), 3u);
    auto dishes = ElementsOf<Tantena>(h);
    ASSERT_EQ(dishes.size(), 2u);
    EXPECT_EQ(ElementsOf<TCabeceraTerrestre>(h).size(), 1u);
    for (const Tantena* dish : dishes) {
        EXPECT_EQ(dish->CountConnected(PinKind::Output), 0);
    }
}

TEST_F(CabeceraTest, WithoutTerrestrialThereIsNoTerrestrialHeadendNorSplitter) {
    SettingsRecord settings = DefaultSettings();
    settings.HD_ICTERR = false;
    Build(TrunkShape(12, 3), settings);
    ASSERT_EQ(ConstruirCabecera(*project), 1);
    tplanta& h = Headend();
    EXPECT_TRUE(ElementsOf<TCabeceraTerrestre>(h).empty());
    auto splitters = ElementsOf<TRepartidor>(h);
    ASSERT_EQ(splitters.size(), 12u); // one trunk splitter per polarity
    auto amps = ElementsOf<TAmpliHeader>(h);
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(PeerOf(*splitters[i], PinKind::Input, 0), amps[i / 4]);
    }
}

TEST_F(CabeceraTest, HeadendMultiswitchesWithLnbAndTerrestrialSplitters) {
    BuildingShape shape;
    shape.floors = 4;
    shape.flatsPerFloor = 10; // 40 flats: a 24-output and a 16-output multiswitch of family 5012
    shape.headendDistribution = 0;
    Build(shape);
    ASSERT_EQ(ConstruirCabecera(*project), 1);
    tplanta& h = Headend();
    auto dishes = ElementsOf<Tantena>(h);
    auto ms = ElementsOf<TMultiswitch>(h);
    auto splitters = ElementsOf<TRepartidor>(h);
    auto terrestrial = ElementsOf<TCabeceraTerrestre>(h);
    ASSERT_EQ(dishes.size(), 1u);
    ASSERT_EQ(ms.size(), 2u);
    EXPECT_EQ(ms[0]->Nsalidas, 24);
    EXPECT_EQ(ms[1]->Nsalidas, 16);
    EXPECT_TRUE(ElementsOf<TAmpliHeader>(h).empty());
    ASSERT_EQ(splitters.size(), 5u); // four LNB splitters, then the terrestrial splitter
    ASSERT_EQ(terrestrial.size(), 1u);
    // Order: dish, LNB splitters, terrestrial headend, terrestrial splitter, multiswitches.
    EXPECT_EQ(h.ETV().Object(0), dishes[0]);
    EXPECT_EQ(h.ETV().Object(5), terrestrial[0]);
    EXPECT_EQ(h.ETV().Object(6), splitters[4]);
    EXPECT_EQ(h.ETV().Object(7), ms[0]);
    for (std::size_t j = 0; j < 4; ++j) {
        SCOPED_TRACE("LNB splitter " + std::to_string(j));
        EXPECT_EQ(splitters[j]->Nsalidas, 2);
        ExpectLink(*splitters[j], PinKind::Input, 0, dishes[0], 12.0);
        ExpectLink(*splitters[j], PinKind::Output, 0, ms[0], 0.5);
        ExpectLink(*splitters[j], PinKind::Output, 1, ms[1], 0.5);
        // Splitter j feeds satellite input j of each multiswitch (input 0 is the terrestrial one).
        EXPECT_EQ(PeerOf(*ms[0], PinKind::Input, static_cast<int>(j) + 1), splitters[j]);
    }
    ExpectLink(*splitters[4], PinKind::Input, 0, terrestrial[0], 0.5);
    ExpectLink(*ms[0], PinKind::Input, 0, splitters[4], 0.5);
    ExpectLink(*ms[1], PinKind::Input, 0, splitters[4], 0.5);
}

TEST_F(CabeceraTest, SingleHeadendMultiswitchTakesDishAndTerrestrialDirectly) {
    BuildingShape shape;
    shape.floors = 3;
    shape.flatsPerFloor = 3; // nine flats: one 12-output multiswitch
    shape.headendDistribution = 0;
    Build(shape);
    ASSERT_EQ(ConstruirCabecera(*project), 1);
    tplanta& h = Headend();
    auto ms = ElementsOf<TMultiswitch>(h);
    ASSERT_EQ(ms.size(), 1u);
    EXPECT_EQ(ms[0]->Nsalidas, 12);
    EXPECT_TRUE(ElementsOf<TRepartidor>(h).empty());
    auto dish = ElementsOf<Tantena>(h).at(0);
    ExpectLink(*ms[0], PinKind::Input, 0, ElementsOf<TCabeceraTerrestre>(h).at(0), 0.5);
    for (int k = 0; k < 4; ++k) {
        ExpectLink(*dish, PinKind::Output, k, ms[0], 12.0);
    }
}

TEST_F(CabeceraTest, RepeatedBuildStartsFromScratch) {
    Build(TrunkShape(4, 3));
    ASSERT_EQ(ConstruirCabecera(*project), 1);
    const std::size_t elements = Headend().ETV().Count();
    const std::size_t owned = project->RedTV().ComponentCount();
    ASSERT_EQ(ConstruirCabecera(*project), 1);
    EXPECT_EQ(Headend().ETV().Count(), elements);
    EXPECT_EQ(project->RedTV().ComponentCount(), owned);
    EXPECT_EQ(ElementsOf<TRepartidor>(Headend()).at(2)->FirstConnectedPin(PinKind::Input)->Peer()->Owner(),
              ElementsOf<TCabeceraTerrestre>(Headend()).at(0));
}

TEST_F(CabeceraTest, MissingCatalogueModelsFallBackToTheDefaultTable) {
    SettingsRecord settings = DefaultSettings();
    settings.HD_FamiliaParabola = 3599; // no such family: model 10 of the antenna table
    settings.HD_FamiliaAmpFi = 4999;    // no such family: model 1 of the amplifier table
    Build(TrunkShape(4, 2), settings);
    ASSERT_EQ(ConstruirCabecera(*project), 1);
    auto dishes = ElementsOf<Tantena>(Headend());
    auto amps = ElementsOf<TAmpliHeader>(Headend());
    ASSERT_EQ(dishes.size(), 1u);
    ASSERT_EQ(amps.size(), 1u);
    EXPECT_EQ(dishes[0]->Indice, 10);
    EXPECT_EQ(dishes[0]->Familia, 3510);
    EXPECT_EQ(amps[0]->Indice, 1);
    EXPECT_EQ(PeerOf(*dishes[0], PinKind::Output, 0), amps[0]);
}

TEST_F(CabeceraTest, MissingSplitterFamilyGivesNoSplitters) {
    SettingsRecord settings = DefaultSettings();
    settings.HD_FAM_REP_CAB = 1099; // not in the catalogue
    Build(TrunkShape(12, 3), settings);
    ASSERT_EQ(ConstruirCabecera(*project), 1);
    EXPECT_TRUE(ElementsOf<TRepartidor>(Headend()).empty());
    EXPECT_EQ(ElementsOf<TAmpliHeader>(Headend()).size(), 3u);
}

TEST_F(CabeceraTest, HorizontalDistanceBetweenStairs) {
    Build(TrunkShape(4, 3));
    const auto& stairs = project->Escaleras();
    EXPECT_DOUBLE_EQ(DistanciaHorizontal(*project, *stairs.Object(0), *stairs.Object(2)), 33.0);
    EXPECT_DOUBLE_EQ(DistanciaHorizontal(*project, *stairs.Object(1), *stairs.Object(1)), 3.0);
}

} // namespace
} // namespace ixo::test

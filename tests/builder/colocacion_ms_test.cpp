#include "builder/colocacion_ms.h"

#include "builder/elementos_planta.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/vivienda.h"
#include "model/alimentador.h"
#include "model/disecq.h"
#include "model/especial.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace ixo::test {
namespace {

using Models = std::vector<std::int32_t>;

TComponenteBase* ElementAt(const TPin* pin) {
    return pin != nullptr && pin->Peer() != nullptr ? dynamic_cast<TComponenteBase*>(pin->Peer()->Owner())
                                                    : nullptr;
}

class FloorMultiswitches : public ProjectFixture {
protected:
    // A trunk-layout project of one stair; flats: {{top floor, ..., bottom floor}}.
    TEscalera& Stair(int polarities, std::vector<std::int32_t> flatsTopDown,
                     const SettingsRecord& settings = DefaultSettings()) {
        BuildingShape shape;
        shape.floors = static_cast<int>(flatsTopDown.size());
        shape.flats = {flatsTopDown};
        shape.polarities = polarities;
        shape.headendDistribution = 1;
        Build(shape, settings);
        return *project->Escaleras().Object(0);
    }
    TMatMs Table() {
        const TpreferenciasProyecto& p = project->Preferencias();
        MsFamilyChoice choice =
            ChooseFloorMsFamily(p.Npolaridades, p.DIS_FAMILIAMS8POL, p.DIS_FAMILIAMS16POL, p.Dis_FAMMSCAS);
        return ConstruirTablaMs(Store(), choice.Familia, choice.Key);
    }
    TEscalera& stair() const { return *project->Escaleras().Object(0); }
    tplanta& Floor(std::size_t i) const { return *stair().ListaPlantas().Object(i); }
    TCableTV* Cable(int kind) const { return project->Preferencias().Cable(kind); }

    // The model numbers of a floor's ETV in order.
    static Models ModelsOf(const tplanta& floor) {
        Models models;
        for (const auto& entry : floor.ETV()) {
            models.push_back(entry.Object->Indice);
        }
        return models;
    }

    // Every flat of the floor is fed from a tap (directly, or through a DiSEqC switch fed from taps).
    void ExpectFlatsFed(const tplanta& floor, bool throughSwitch) const {
        for (const auto& flat : floor.LViviendas()) {
            const TPin* in = flat.Object->Entrada()->PinAt(PinKind::Input, 0);
            ASSERT_TRUE(in->IsConnected()) << flat.Name;
            EXPECT_EQ(in->MetrosCable, 10.0);
            EXPECT_EQ(in->Cable(), Cable(TpreferenciasProyecto::kCablePlanta));
            TComponenteBase* feeder = ElementAt(in);
            if (throughSwitch) {
                ASSERT_TRUE(feeder->Is<TDISECQ>());
                EXPECT_EQ(in->Peer()->TipodePin, 'S');
            } else {
                ASSERT_TRUE(feeder->Is<TMultiswitch>());
                EXPECT_EQ(in->Peer()->TipodePin, 'D');
            }
        }
    }

    // Output i of upper goes to input i of lower (every i, or all but the A inputs).
    static void ExpectChained(const TComponenteBase& upper, const TComponenteBase& lower, double metres,
                              const TCableTV* cable, bool withTerrestrial = true) {
        ASSERT_FALSE(upper.PinesSALIDA().empty());
        for (std::size_t i = 0; i < upper.PinesSALIDA().size(); ++i) {
            const TPin* in = lower.PinesENTRADA()[i];
            if (!withTerrestrial && in->Prefijo == 'A') {
                EXPECT_FALSE(in->IsConnected()) << i;
                EXPECT_FALSE(upper.PinesSALIDA()[i]->IsConnected()) << i;
                continue;
            }
            ASSERT_EQ(in->Peer(), upper.PinesSALIDA()[i]) << i;
            EXPECT_EQ(in->MetrosCable, metres);
            EXPECT_EQ(in->Cable(), cable);
        }
    }
};

// Four polarities, three floors of four flats: the lowest floor takes the terminal column (ATMedia 5),
// the floors above the next grades, one 4-tap multiswitch each.
TEST_F(FloorMultiswitches, CascadeGradesTheFloorsAndChainsThemDown) {
    TEscalera& s = Stair(4, {4, 4, 4});
    EXPECT_EQ(ColocarCascada(*project, s, Table()), 1);
    EXPECT_EQ(ModelsOf(Floor(0)), (Models{1}));
    EXPECT_EQ(ModelsOf(Floor(1)), (Models{2}));
    EXPECT_EQ(ModelsOf(Floor(2)), (Models{3}));
    EXPECT_TRUE(Floor(3).HeaderPl);
    EXPECT_TRUE(Floor(3).ETV().Empty());
    for (std::size_t f = 0; f < 3; ++f) {
        EXPECT_EQ(Floor(f).ETV().Object(0)->Container(), &Floor(f));
        EXPECT_EQ(Floor(f).ETV().Object(0)->Owner(), static_cast<TPrimerComponente*>(&project->RedTV()));
        ExpectFlatsFed(Floor(f), false);
    }
    const TCableTV* riser = Cable(TpreferenciasProyecto::kCableVertical);
    ExpectChained(*Floor(2).ETV().Object(0), *Floor(1).ETV().Object(0), 3.0, riser);
    ExpectChained(*Floor(1).ETV().Object(0), *Floor(0).ETV().Object(0), 3.0, riser);
    // Without ConInyector = 0 the terminal gets no supply.
    EXPECT_EQ(Floor(0).ETV().Count(), 1u);
}

// 20 flats on the lowest floor: a 12-tap terminal for the final position, the 8 other flats on an
// 8-tap multiswitch of the column of the floor above, which stands first in ETV and feeds the terminal.
TEST_F(FloorMultiswitches, CascadeLowestFloorSplitsIntoFinalAndFeedingPositions) {
    TEscalera& s = Stair(4, {4, 20});
    ColocarCascada(*project, s, Table());
    EXPECT_EQ(ModelsOf(Floor(0)), (Models{8, 13}));
    EXPECT_EQ(ModelsOf(Floor(1)), (Models{2}));
    ExpectFlatsFed(Floor(0), false);
    ExpectFlatsFed(Floor(1), false);
    TComponenteBase* feeding = Floor(0).ETV().Object(0);
    TComponenteBase* terminal = Floor(0).ETV().Object(1);
    // The first flats take the last position of ETV.
    const auto& flats = Floor(0).LViviendas();
    EXPECT_EQ(ElementAt(flats.Object(0)->Entrada()->PinAt(PinKind::Input, 0)), terminal);
    EXPECT_EQ(ElementAt(flats.Object(11)->Entrada()->PinAt(PinKind::Input, 0)), terminal);
    EXPECT_EQ(ElementAt(flats.Object(12)->Entrada()->PinAt(PinKind::Input, 0)), feeding);
    EXPECT_EQ(feeding->CountConnected(PinKind::Tap), 8);
    EXPECT_EQ(terminal->CountConnected(PinKind::Tap), 12);
    ExpectChained(*feeding, *terminal, 0.5, Cable(TpreferenciasProyecto::kCablePlanta));
    ExpectChained(*Floor(1).ETV().Object(0), *feeding, 3.0, Cable(TpreferenciasProyecto::kCableVertical));
}

TEST_F(FloorMultiswitches, CascadeTerminalGetsASupplyWhenPoweredBySupplies) {
    SettingsRecord settings = DefaultSettings();
    settings.ConInyector = 0;
    TEscalera& s = Stair(4, {4, 4}, settings);
    ColocarCascada(*project, s, Table());
    ASSERT_EQ(Floor(0).ETV().Count(), 2u);
    auto* terminal = dynamic_cast<TMultiswitch*>(Floor(0).ETV().Object(0));
    auto* supply = dynamic_cast<TFUENTE*>(Floor(0).ETV().Object(1));
    ASSERT_NE(terminal, nullptr);
    ASSERT_NE(supply, nullptr);
    EXPECT_EQ(supply->Familia, 7000);
    EXPECT_EQ(supply->Indice, 2);
    EXPECT_EQ(terminal->Feeder(), supply);
    EXPECT_EQ(supply->Container(), &Floor(0));
    // Cascadable positions draw their power from the line: no supply.
    EXPECT_EQ(ModelsOf(Floor(1)), (Models{2}));
}

// Twelve polarities: three multiswitches per position (one per satellite) as partners, every flat
// behind a three-input DiSEqC switch, and each satellite's multiswitch feeding the same satellite's
// multiswitch below.
TEST_F(FloorMultiswitches, TwelvePolaritiesUseTriplePositionsAndThreeInputSwitches) {
    TEscalera& s = Stair(12, {4, 4});
    project->Preferencias().ConInyector = 0;
    ColocarCascada(*project, s, Table());
    // Floor 0: the terminals, their three supplies, then one switch per flat.
    EXPECT_EQ(ModelsOf(Floor(0)), (Models{1, 1, 1, 2, 2, 2, 1001, 1001, 1001, 1001}));
    EXPECT_EQ(ModelsOf(Floor(1)), (Models{2, 2, 2, 1001, 1001, 1001, 1001}));
    const auto& etv = Floor(0).ETV();
    auto* first = dynamic_cast<TCBFT*>(etv.Object(0));
    EXPECT_EQ(first->DoublePartner(), etv.Object(1));
    EXPECT_EQ(first->TriplePartner(), etv.Object(2));
    EXPECT_EQ(first->Eledoblenombre(), etv.Object(1)->Name());
    auto* firstSupply = dynamic_cast<TCBFT*>(etv.Object(3));
    EXPECT_EQ(firstSupply->DoublePartner(), etv.Object(4));
    EXPECT_EQ(firstSupply->TriplePartner(), etv.Object(5));
    for (int j = 0; j < 3; ++j) {
        EXPECT_EQ(dynamic_cast<TCBFT*>(etv.Object(j))->Feeder(), etv.Object(3 + j));
        EXPECT_TRUE(etv.Object(3 + j)->Is<TFUENTE>());
    }
    ExpectFlatsFed(Floor(0), true);
    ExpectFlatsFed(Floor(1), true);
    // Each switch takes one tap of each multiswitch of the position, with no cable length.
    for (std::size_t k = 6; k < 10; ++k) {
        const TComponenteBase* sw = etv.Object(k);
        ASSERT_EQ(sw->PinesENTRADA().size(), 3u);
        for (int j = 0; j < 3; ++j) {
            const TPin* in = sw->PinesENTRADA()[j];
            EXPECT_EQ(ElementAt(in), etv.Object(j));
            EXPECT_EQ(in->Peer()->TipodePin, 'D');
            EXPECT_EQ(in->MetrosCable, 0.0);
        }
    }
    for (int j = 0; j < 3; ++j) {
        ExpectChained(*Floor(1).ETV().Object(j), *etv.Object(j), 3.0,
                      Cable(TpreferenciasProyecto::kCableVertical));
    }
}

TEST_F(FloorMultiswitches, TerrestrialOffLeavesTheAInputsFree) {
    TEscalera& s = Stair(4, {4, 20});
    project->Preferencias().HD_ICTERR = false;
    ColocarCascada(*project, s, Table());
    TComponenteBase* feeding = Floor(0).ETV().Object(0);
    ExpectChained(*feeding, *Floor(0).ETV().Object(1), 0.5, Cable(TpreferenciasProyecto::kCablePlanta),
                  false);
    ExpectChained(*Floor(1).ETV().Object(0), *feeding, 3.0, Cable(TpreferenciasProyecto::kCableVertical),
                  false);
    EXPECT_EQ(feeding->CountConnected(PinKind::Input), 4);
}

TEST_F(FloorMultiswitches, EmptyTableBuildsNothing) {
    TEscalera& s = Stair(4, {4, 4});
    EXPECT_EQ(ColocarCascada(*project, s, {}), 1);
    EXPECT_EQ(ColocarMs816(*project, s, 1, {}), 1);
    EXPECT_TRUE(Floor(0).ETV().Empty());
    EXPECT_TRUE(Floor(1).ETV().Empty());
    EXPECT_FALSE(Floor(0).LViviendas().Object(0)->Entrada()->PinAt(PinKind::Input, 0)->IsConnected());
}

// Sixteen polarities, one stair without a powering headend: a powering 16-tap model, then the line
// drawing models it powers (the remainder of 4 flats on the smallest).
TEST_F(FloorMultiswitches, Ms816FirstPowersTheLineThenDrawsFromIt) {
    TEscalera& s = Stair(16, {20, 4});
    EXPECT_EQ(ColocarMs816(*project, s, 1, Table()), 1);
    EXPECT_EQ(ModelsOf(Floor(1)), (Models{608, 601}));
    EXPECT_EQ(ModelsOf(Floor(0)), (Models{601}));
    ExpectFlatsFed(Floor(0), false);
    ExpectFlatsFed(Floor(1), false);
    // The last multiswitch of ETV takes the first flats.
    EXPECT_EQ(Floor(1).ETV().Object(1)->CountConnected(PinKind::Tap), 4);
    EXPECT_EQ(Floor(1).ETV().Object(0)->CountConnected(PinKind::Tap), 16);
    ExpectChained(*Floor(1).ETV().Object(0), *Floor(1).ETV().Object(1), 0.5,
                  Cable(TpreferenciasProyecto::kCablePlanta));
    ExpectChained(*Floor(1).ETV().Object(1), *Floor(0).ETV().Object(0), 3.0,
                  Cable(TpreferenciasProyecto::kCableVertical));
}

TEST_F(FloorMultiswitches, Ms816SingleStairDrawsFromThePoweringHeadend) {
    TEscalera& s = Stair(16, {20, 4});
    tplanta* headend = project->PlantaCabecera();
    ASSERT_NE(headend, nullptr);
    // The terrestrial headend can give 500 mA to the line.
    headend->AgregarElemento(NuevoElementoCatalogo(*project, 4923, 30));
    ColocarMs816(*project, s, 1, Table());
    // 160, 160 + 100 and 260 + 100 fit in 500 mA.
    EXPECT_EQ(ModelsOf(Floor(1)), (Models{607, 601}));
    EXPECT_EQ(ModelsOf(Floor(0)), (Models{601}));
}

TEST_F(FloorMultiswitches, Ms816SeveralStairsIgnoreTheHeadend) {
    TEscalera& s = Stair(16, {20});
    project->PlantaCabecera()->AgregarElemento(NuevoElementoCatalogo(*project, 4923, 30));
    ColocarMs816(*project, s, 2, Table());
    EXPECT_EQ(ModelsOf(Floor(0)), (Models{608, 601}));
}

TEST_F(FloorMultiswitches, EmptyFloorsArePassedOverWithOneFloorLength) {
    TEscalera& s = Stair(16, {4, 0, 4});
    ColocarMs816(*project, s, 2, Table());
    EXPECT_TRUE(Floor(1).ETV().Empty());
    ASSERT_EQ(Floor(0).ETV().Count(), 1u);
    ExpectChained(*Floor(2).ETV().Object(0), *Floor(0).ETV().Object(0), 3.0,
                  Cable(TpreferenciasProyecto::kCableVertical));
}

// A position of two multiswitches of four taps and five flats: four flats behind two-input switches,
// the fifth left unconnected.
TEST_F(FloorMultiswitches, DoublePositionUsesTwoInputSwitchesAndLeavesExtraFlatsUnfed) {
    Stair(4, {5});
    tplanta& floor = Floor(0);
    std::vector<TCBFT*> position{NuevoElementoCatalogo(*project, 5001, 2),
                                 NuevoElementoCatalogo(*project, 5001, 2)};
    EnlazarSocios(position);
    InsertarAlFrente(floor, position);
    ConectarViviendas(*project, stair());
    EXPECT_EQ(ModelsOf(floor), (Models{2, 2, 1000, 1000, 1000, 1000}));
    const auto& flats = floor.LViviendas();
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(ElementAt(flats.Object(i)->Entrada()->PinAt(PinKind::Input, 0))->Is<TDISECQ>());
    }
    EXPECT_FALSE(flats.Object(4)->Entrada()->PinAt(PinKind::Input, 0)->IsConnected());
    // Partners of one position are not chained to each other.
    EXPECT_EQ(position[0]->CountConnected(PinKind::Output), 0);
}

TEST_F(FloorMultiswitches, ConectarMsSkipsMissingElementsAndSwitches) {
    Stair(4, {1});
    TCBFT* upper = NuevoElementoCatalogo(*project, 5001, 2);
    TCBFT* diseqc = NuevoElementoCatalogo(*project, 5500, 1001);
    ConectarMs(*project, upper, nullptr, 3.0);
    ConectarMs(*project, nullptr, upper, 3.0);
    ConectarMs(*project, upper, diseqc, 3.0);
    EXPECT_EQ(upper->CountConnected(PinKind::Output), 0);
    EXPECT_EQ(diseqc->CountConnected(PinKind::Input), 0);
    // A short link uses the floor cable even between floors.
    TCBFT* lower = NuevoElementoCatalogo(*project, 5001, 1);
    ConectarMs(*project, upper, lower, 0.5);
    ExpectChained(*upper, *lower, 0.5, Cable(TpreferenciasProyecto::kCablePlanta));
}

// Rows of at most 8 taps: a powering 8-tap model, another 8 drawing from it, the remainder of 4 on the
// smallest drawing model; flats go to the last multiswitch of ETV first.
TEST_F(FloorMultiswitches, Ms816TwentyFlatsOnEightTapRows) {
    TEscalera& s = Stair(16, {20});
    TMatMs table = Table();
    std::erase_if(table, [](const TregistroMs& row) { return row.Salidas > 8; });
    ColocarMs816(*project, s, 1, table);
    EXPECT_EQ(ModelsOf(Floor(0)), (Models{604, 603, 601}));
    ExpectFlatsFed(Floor(0), false);
    const auto& etv = Floor(0).ETV();
    EXPECT_EQ(etv.Object(2)->CountConnected(PinKind::Tap), 4);
    EXPECT_EQ(etv.Object(1)->CountConnected(PinKind::Tap), 8);
    EXPECT_EQ(etv.Object(0)->CountConnected(PinKind::Tap), 8);
    EXPECT_EQ(ElementAt(Floor(0).LViviendas().Object(0)->Entrada()->PinAt(PinKind::Input, 0)), etv.Object(2));
    const TCableTV* floorCable = Cable(TpreferenciasProyecto::kCablePlanta);
    ExpectChained(*etv.Object(0), *etv.Object(1), 0.5, floorCable);
    ExpectChained(*etv.Object(1), *etv.Object(2), 0.5, floorCable);
}

// A flat whose entry is already fed is passed over without using up the multiswitch.
TEST_F(FloorMultiswitches, FlatWithATakenEntryIsPassedOver) {
    Stair(4, {4});
    tplanta& floor = Floor(0);
    TCBFT* multiswitch = NuevoElementoCatalogo(*project, 5001, 2);
    InsertarAlFrente(floor, {multiswitch});
    Tentradaviv* taken = floor.LViviendas().Object(0)->Entrada();
    TCBFT* other = NuevoElementoCatalogo(*project, 5500, 1000);
    ASSERT_TRUE(other->ConnectPin(kFirstFreePin, PinKind::Output, 1.0, nullptr, kFirstFreePin, PinKind::Input,
                                  *taken));
    ConectarViviendas(*project, stair());
    EXPECT_EQ(ElementAt(taken->PinAt(PinKind::Input, 0)), other);
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(ElementAt(floor.LViviendas().Object(i)->Entrada()->PinAt(PinKind::Input, 0)), multiswitch);
    }
    EXPECT_EQ(multiswitch->CountConnected(PinKind::Tap), 3);
}

// A switch that cannot take a tap of every multiswitch of the position is not kept: the flat stays
// unfed rather than fed by a switch that misses a satellite.
TEST_F(FloorMultiswitches, SwitchMissingASatelliteIsNotKept) {
    Stair(4, {6});
    tplanta& floor = Floor(0);
    // 8 taps for the first satellite, only 4 for the second.
    std::vector<TCBFT*> position{NuevoElementoCatalogo(*project, 5001, 8),
                                 NuevoElementoCatalogo(*project, 5001, 2)};
    EnlazarSocios(position);
    InsertarAlFrente(floor, position);
    ConectarViviendas(*project, stair());
    EXPECT_EQ(ModelsOf(floor), (Models{8, 2, 1000, 1000, 1000, 1000}));
    EXPECT_EQ(position[0]->CountConnected(PinKind::Tap), 4);
    EXPECT_FALSE(floor.LViviendas().Object(4)->Entrada()->PinAt(PinKind::Input, 0)->IsConnected());
    EXPECT_FALSE(floor.LViviendas().Object(5)->Entrada()->PinAt(PinKind::Input, 0)->IsConnected());
}

// Positions counted from the end of ETV: a lone multiswitch at the start of a floor of double
// positions makes no group and feeds nothing (no read before the list).
TEST_F(FloorMultiswitches, IncompleteGroupAtTheStartFeedsNothing) {
    Stair(4, {6});
    tplanta& floor = Floor(0);
    std::vector<TCBFT*> position{NuevoElementoCatalogo(*project, 5001, 2),
                                 NuevoElementoCatalogo(*project, 5001, 2)};
    EnlazarSocios(position);
    TCBFT* lone = NuevoElementoCatalogo(*project, 5001, 2);
    InsertarAlFrente(floor, {lone});
    InsertarAlFrente(floor, position);
    ConectarViviendas(*project, stair());
    // ETV: a, b, lone. The pair (b, lone) feeds four flats; then no full group is left.
    EXPECT_EQ(lone->CountConnected(PinKind::Tap), 4);
    EXPECT_EQ(position[1]->CountConnected(PinKind::Tap), 4);
    EXPECT_EQ(position[0]->CountConnected(PinKind::Tap), 0);
    EXPECT_FALSE(floor.LViviendas().Object(4)->Entrada()->PinAt(PinKind::Input, 0)->IsConnected());
}

} // namespace
} // namespace ixo::test

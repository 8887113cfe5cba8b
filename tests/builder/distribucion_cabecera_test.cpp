#include "builder/distribucion_cabecera.h"

#include "builder/builder_test_support.h"
#include "builder/cabecera.h"
#include "building/escalera.h"
#include "building/vivienda.h"
#include "model/especial.h"
#include "model/multiswitch.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace ixo::test {
namespace {

// Counts the steps and asks to stop once `stopAfter` steps are done (never when negative).
class CountingProgress : public Progress {
public:
    explicit CountingProgress(int stopAfter = -1) : m_stopAfter(stopAfter) {}
    void Step() override { ++steps; }
    bool CancelRequested() const override { return m_stopAfter >= 0 && steps >= m_stopAfter; }
    int steps = 0;

private:
    int m_stopAfter;
};

class DistribuirDesdeCabeceraTest : public BuilderFixture {
protected:
    // Builds the headend of a headend-multiswitch project of that shape.
    void BuildHeadend(BuildingShape shape) {
        shape.headendDistribution = 0;
        Build(shape);
        ASSERT_EQ(ConstruirCabecera(*project), 1);
        multiswitches = ElementsOf<TMultiswitch>(*project->PlantaCabecera());
    }
    Tvivienda* Flat(int stair, int floor, int index) {
        const tplanta* planta = project->Escaleras()
                                    .Object(static_cast<std::size_t>(stair))
                                    ->ListaPlantas()
                                    .Object(static_cast<std::size_t>(floor));
        return planta->LViviendas().Object(static_cast<std::size_t>(index));
    }
    // The multiswitch output feeding the flat's entry, as (multiswitch, output index); (null, -1) when
    // the flat is not fed.
    std::pair<TMultiswitch*, int> FeedOf(const Tvivienda* flat) {
        for (TMultiswitch* ms : multiswitches) {
            for (std::size_t k = 0; k < ms->PinesSALIDA().size(); ++k) {
                if (PeerOf(*ms, PinKind::Output, static_cast<int>(k)) == flat->Entrada()) {
                    return {ms, static_cast<int>(k)};
                }
            }
        }
        return {nullptr, -1};
    }
    double LengthTo(const Tvivienda* flat) { return Pin(*flat->Entrada(), PinKind::Input, 0)->MetrosCable; }

    std::vector<TMultiswitch*> multiswitches;
};

TEST_F(DistribuirDesdeCabeceraTest, GroupsAThenBWithLengthsFromTheHeadendFloor) {
    BuildingShape shape;
    shape.floors = 3;
    shape.flatsPerFloor = 3;
    BuildHeadend(shape);
    ASSERT_EQ(multiswitches.size(), 1u);
    CountingProgress progress;
    EXPECT_EQ(DistribuirDesdeCabecera(*project, *project->PlantaCabecera(), progress), 1);
    EXPECT_EQ(progress.steps, 1);

    // Group A: the first two flats of floors 2, 1, 0; group B: the third flat of floors 0, 1, 2.
    const std::vector<std::pair<int, int>> order = {{2, 0}, {2, 1}, {1, 0}, {1, 1}, {0, 0},
                                                    {0, 1}, {0, 2}, {1, 2}, {2, 2}};
    for (std::size_t k = 0; k < order.size(); ++k) {
        const Tvivienda* flat = Flat(0, order[k].first, order[k].second);
        SCOPED_TRACE(flat->Name());
        EXPECT_EQ(FeedOf(flat), std::make_pair(multiswitches[0], static_cast<int>(k)));
        const TPin* entry = Pin(*flat->Entrada(), PinKind::Input, 0);
        EXPECT_EQ(entry->Cable(), CableKind(*project, TpreferenciasProyecto::kCablePlanta));
    }
    EXPECT_DOUBLE_EQ(LengthTo(Flat(0, 2, 0)), 13.0); // 0 x 3 + 3 + 10
    EXPECT_DOUBLE_EQ(LengthTo(Flat(0, 1, 2)), 16.0);
    EXPECT_DOUBLE_EQ(LengthTo(Flat(0, 0, 1)), 19.0); // 2 x 3 + 3 + 10
    EXPECT_EQ(multiswitches[0]->CountConnected(PinKind::Output), 9);
}

TEST_F(DistribuirDesdeCabeceraTest, AFullMultiswitchHandsOverToTheNext) {
    BuildingShape shape;
    shape.floors = 4;
    shape.flatsPerFloor = 10;
    BuildHeadend(shape);
    ASSERT_EQ(multiswitches.size(), 2u); // 24 and 16 outputs
    EXPECT_EQ(DistribuirDesdeCabecera(*project, *project->PlantaCabecera()), 1);
    EXPECT_EQ(multiswitches[0]->CountConnected(PinKind::Output), 24);
    EXPECT_EQ(multiswitches[1]->CountConnected(PinKind::Output), 16);
    // Group A (five flats a floor, top floor first) fills outputs 0-19; group B starts with the
    // bottom floor: its first four flats take outputs 20-23, the fifth the next multiswitch.
    EXPECT_EQ(FeedOf(Flat(0, 3, 0)), std::make_pair(multiswitches[0], 0));
    EXPECT_EQ(FeedOf(Flat(0, 0, 4)), std::make_pair(multiswitches[0], 19));
    EXPECT_EQ(FeedOf(Flat(0, 0, 8)), std::make_pair(multiswitches[0], 23));
    EXPECT_EQ(FeedOf(Flat(0, 0, 9)), std::make_pair(multiswitches[1], 0));
    EXPECT_EQ(FeedOf(Flat(0, 3, 9)), std::make_pair(multiswitches[1], 15));
}

TEST_F(DistribuirDesdeCabeceraTest, AStairWithoutHeadendFloorAddsItsDistance) {
    BuildingShape shape;
    shape.stairs = 2;
    shape.floors = 2;
    shape.flatsPerFloor = 1;
    shape.headendStair = 2;
    BuildHeadend(shape);
    CountingProgress progress;
    EXPECT_EQ(DistribuirDesdeCabecera(*project, *project->PlantaCabecera(), progress), 1);
    EXPECT_EQ(progress.steps, 2);
    // Stair 1 (no headend floor): 3 x (2 - e - 1) + (15 + 3) + 10.
    EXPECT_DOUBLE_EQ(LengthTo(Flat(0, 1, 0)), 28.0);
    EXPECT_DOUBLE_EQ(LengthTo(Flat(0, 0, 0)), 31.0);
    // Stair 2 (headend floor on top): 3 x (3 - e - 2) + 3 + 10.
    EXPECT_DOUBLE_EQ(LengthTo(Flat(1, 1, 0)), 13.0);
    EXPECT_DOUBLE_EQ(LengthTo(Flat(1, 0, 0)), 16.0);
    EXPECT_EQ(FeedOf(Flat(0, 1, 0)).second, 0);
    EXPECT_EQ(FeedOf(Flat(1, 1, 0)).second, 2);
}

TEST_F(DistribuirDesdeCabeceraTest, FlatsBeyondTheLastFreeOutputStayUnconnected) {
    BuildingShape shape;
    shape.floors = 1;
    shape.flatsPerFloor = 9;
    BuildHeadend(shape);
    ASSERT_EQ(multiswitches.size(), 1u); // 12 outputs for the nine flats of the wizard
    tplanta* floor = project->Escaleras().Object(0)->ListaPlantas().Object(0);
    for (int i = 0; i < 5; ++i) {
        floor->NuevaVivienda(); // fourteen flats now
    }
    EXPECT_EQ(DistribuirDesdeCabecera(*project, *project->PlantaCabecera()), 1);
    EXPECT_EQ(multiswitches[0]->CountConnected(PinKind::Output), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_NE(FeedOf(Flat(0, 0, i)).first, nullptr) << i;
    }
    EXPECT_EQ(FeedOf(Flat(0, 0, 12)).first, nullptr);
    EXPECT_EQ(FeedOf(Flat(0, 0, 13)).first, nullptr);
}

TEST_F(DistribuirDesdeCabeceraTest, CancelStopsAfterTheCurrentStair) {
    BuildingShape shape;
    shape.stairs = 2;
    shape.floors = 1;
    shape.flatsPerFloor = 2;
    BuildHeadend(shape);
    CountingProgress progress(1);
    EXPECT_EQ(DistribuirDesdeCabecera(*project, *project->PlantaCabecera(), progress), 0);
    EXPECT_EQ(progress.steps, 1);
    EXPECT_NE(FeedOf(Flat(0, 0, 0)).first, nullptr);
    EXPECT_EQ(FeedOf(Flat(1, 0, 0)).first, nullptr);
}

TEST_F(DistribuirDesdeCabeceraTest, NoMultiswitchesConnectNothing) {
    BuildingShape shape;
    shape.floors = 1;
    shape.flatsPerFloor = 2;
    shape.headendDistribution = 1;
    Build(shape);
    ASSERT_EQ(ConstruirCabecera(*project), 1);
    EXPECT_EQ(DistribuirDesdeCabecera(*project, *project->PlantaCabecera()), 1);
    EXPECT_EQ(Flat(0, 0, 0)->Entrada()->CountConnected(PinKind::Input), 0);
}

} // namespace
} // namespace ixo::test

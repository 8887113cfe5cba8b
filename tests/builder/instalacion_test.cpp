#include "builder/instalacion.h"

#include "builder/builder_test_support.h"
#include "building/escalera.h"
#include "building/vivienda.h"
#include "model/especial.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

class Counting : public Progress {
public:
    explicit Counting(int stopAfter = -1) : m_stopAfter(stopAfter) {}
    void Step() override { ++steps; }
    bool CancelRequested() const override { return m_stopAfter >= 0 && steps >= m_stopAfter; }
    int steps = 0;

private:
    int m_stopAfter;
};

class ConstruirInstalacionTest : public BuilderFixture {
protected:
    static BuildingShape Shape(int layout, int stairs = 2) {
        BuildingShape shape;
        shape.stairs = stairs;
        shape.floors = 2;
        shape.flatsPerFloor = 2;
        shape.headendDistribution = layout;
        return shape;
    }
    // Every flat entry of the building is fed.
    int FedFlats() const {
        int fed = 0;
        for (const auto& flat : project->ListaViviendas()) {
            fed += flat.Object->Entrada()->CountConnected(PinKind::Input);
        }
        return fed;
    }
};

TEST_F(ConstruirInstalacionTest, TrunkLayoutIsBuiltAndCalculated) {
    Build(Shape(1));
    Counting progress;
    EXPECT_EQ(ConstruirInstalacion(*project, progress), 1);
    EXPECT_TRUE(project->finalizadocalculoTV);
    EXPECT_EQ(progress.steps, 2);
    EXPECT_EQ(FedFlats(), 8);
}

TEST_F(ConstruirInstalacionTest, HeadendMultiswitchLayoutIsBuiltAndCalculated) {
    Build(Shape(0));
    EXPECT_EQ(ConstruirInstalacion(*project), 1);
    EXPECT_TRUE(project->finalizadocalculoTV);
    EXPECT_EQ(FedFlats(), 8);
}

TEST_F(ConstruirInstalacionTest, NoHeadendFloorEndsWithZero) {
    BuildingShape shape = Shape(1);
    shape.headendStair = 0;
    Build(shape);
    project->finalizadocalculoTV = true;
    Counting progress;
    EXPECT_EQ(ConstruirInstalacion(*project, progress), 0);
    EXPECT_FALSE(project->finalizadocalculoTV);
    EXPECT_EQ(progress.steps, 0);
    EXPECT_EQ(FedFlats(), 0);
}

TEST_F(ConstruirInstalacionTest, CancelEndsTheRunWithZero) {
    for (int layout : {0, 1}) {
        SCOPED_TRACE("layout " + std::to_string(layout));
        Build(Shape(layout, 3));
        Counting progress(1);
        EXPECT_EQ(ConstruirInstalacion(*project, progress), 0);
        EXPECT_FALSE(project->finalizadocalculoTV);
        EXPECT_EQ(progress.steps, 1);
    }
}

TEST_F(ConstruirInstalacionTest, ARepeatedRunGivesTheSameHeadend) {
    Build(Shape(1, 3));
    ASSERT_EQ(ConstruirInstalacion(*project), 1);
    const std::size_t headendElements = project->PlantaCabecera()->ETV().Count();
    ASSERT_EQ(ConstruirInstalacion(*project), 1);
    EXPECT_EQ(project->PlantaCabecera()->ETV().Count(), headendElements);
}

} // namespace
} // namespace ixo::test

#include "builder/skipped_connections.h"

#include "builder/builder_test_support.h"
#include "builder/elementos_red.h"
#include "builder/instalacion.h"
#include "common/progress.h"
#include "model/repartidor.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

class SkippedConnections : public BuilderFixture {
protected:
    void SetUp() override {
        Build(BuildingShape{});
        threeWay = CopiaDePrototipo<TRepartidor>(*project, 1002, 102); // outputs A A A
        twoWay = CopiaDePrototipo<TRepartidor>(*project, 1002, 101);   // input A
        ASSERT_NE(threeWay, nullptr);
        ASSERT_NE(twoWay, nullptr);
        project->Omissions().clear();
    }
    TRepartidor* threeWay = nullptr;
    TRepartidor* twoWay = nullptr;
};

TEST_F(SkippedConnections, AnOutputWithoutAnInputForItIsRecordedAndTheBuildGoesOn) {
    EXPECT_TRUE(ConnectByLetterOrRecord(*project, *threeWay, 'A', 0.5, nullptr, *twoWay, 'A'));
    EXPECT_TRUE(project->Omissions().empty());
    // The two-way splitter's only input is taken: the second output has nowhere to go.
    EXPECT_FALSE(ConnectByLetterOrRecord(*project, *threeWay, 'A', 0.5, nullptr, *twoWay, 'A'));
    ASSERT_EQ(project->Omissions().size(), 1u);
    EXPECT_EQ(project->Omissions()[0].kind, BuildOmission::Kind::Connection);
    EXPECT_EQ(project->Omissions()[0].description,
              "no free input on " + twoWay->Name() + " for an output of " + threeWay->Name());
    EXPECT_EQ(threeWay->CountConnected(PinKind::Output), 1);
}

TEST_F(SkippedConnections, NoFreeOutputOfTheLetterIsTheEndOfALoopAndNotRecorded) {
    // No output of letter B: the loops over every output of an element ask for it and stop there.
    EXPECT_FALSE(ConnectByLetterOrRecord(*project, *threeWay, 'B', 0.5, nullptr, *twoWay, 'A'));
    EXPECT_TRUE(project->Omissions().empty());
    // Every A output taken: the same.
    TRepartidor* sinks[3];
    for (TRepartidor*& sink : sinks) {
        sink = CopiaDePrototipo<TRepartidor>(*project, 1002, 101);
        ASSERT_TRUE(ConnectByLetterOrRecord(*project, *threeWay, 'A', 0.5, nullptr, *sink, 'A'));
    }
    EXPECT_FALSE(ConnectByLetterOrRecord(*project, *threeWay, 'A', 0.5, nullptr, *twoWay, 'A'));
    EXPECT_TRUE(project->Omissions().empty());
}

TEST_F(SkippedConnections, BuiltInstallationsOfEveryLayoutSkipNothing) {
    for (int polarities : {4, 8, 12, 16}) {
        for (int distribution : {0, 1}) {
            BuildingShape shape;
            shape.stairs = 2;
            shape.floors = 3;
            shape.flatsPerFloor = 4;
            shape.polarities = polarities;
            shape.headendDistribution = distribution;
            Tproyecto& built = Build(shape);
            ASSERT_GT(ConstruirInstalacion(built, NoProgress()), 0);
            EXPECT_TRUE(built.Omissions().empty()) << polarities << " polarities, layout " << distribution
                                                   << ": " << built.Omissions().front().description;
        }
    }
}

} // namespace
} // namespace ixo::test

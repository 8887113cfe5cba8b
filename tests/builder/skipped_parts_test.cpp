#include "builder/skipped_parts.h"

#include "builder/builder_test_support.h"
#include "builder/elementos_red.h"
#include "builder/instalacion.h"
#include "common/progress.h"
#include "model/repartidor.h"

#include <gtest/gtest.h>

#include <algorithm>

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

namespace ixo::test {
namespace {

// A family without outlet models leaves every flat without outlets: each flat records it, and the build
// goes on. A headend multiswitch family the catalogue lacks records its missing models.
TEST_F(SkippedConnections, MissingCatalogueModelsAreRecordedWhereTheyWereNeeded) {
    SettingsRecord settings = DefaultSettings();
    settings.Viv_FamiliaTomasES = 1003; // splitters, no outlet
    BuildingShape shape;
    shape.floors = 2;
    shape.flatsPerFloor = 2;
    Tproyecto& built = Build(shape, settings);
    ASSERT_GT(ConstruirInstalacion(built, NoProgress()), 0);
    ASSERT_EQ(built.Omissions().size(), 4u);
    for (const BuildOmission& omission : built.Omissions()) {
        EXPECT_EQ(omission.kind, BuildOmission::Kind::Element);
        EXPECT_EQ(omission.description, "no outlet model of family 1003 in the catalogue");
        EXPECT_TRUE(omission.where.starts_with("FL")) << omission.where;
    }

    settings = DefaultSettings();
    settings.HD_FAMMS4POL = 4242;
    shape.headendDistribution = 0; // multiswitches at the headend
    Tproyecto& headend = Build(shape, settings);
    static_cast<void>(ConstruirInstalacion(headend, NoProgress()));
    EXPECT_TRUE(std::any_of(headend.Omissions().begin(), headend.Omissions().end(),
                            [](const BuildOmission& o) {
                                return o.kind == BuildOmission::Kind::Element &&
                                       o.description.find("of family 4242") != std::string::npos;
                            }))
        << (headend.Omissions().empty() ? "nothing recorded" : headend.Omissions().front().description);
}

} // namespace
} // namespace ixo::test

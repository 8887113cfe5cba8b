#include "element_test_support.h"
#include "model/disecq.h"
#include "model/polarity_source.h"
#include "model/repartidor.h"

#include <gtest/gtest.h>

#include <vector>

namespace ixo {
namespace {

using test::MakeRecord;

// An upstream element standing in for a multiswitch: its single output delivers 10 x (its number) +
// the output's polarity in every band, and it counts the recomputations asked of it.
class FakeMultiswitch : public TCBFT, public PolaritySource {
public:
    explicit FakeMultiswitch(TPrimerComponente* owner) : TCBFT(owner) {}

    bool ComputeOutput(TPin* pin) override {
        ++recomputed;
        pin->SetLevels(Level(pin->polaridad));
        if (TPin* peer = pin->Peer()) {
            static_cast<TCBFT*>(peer->Owner())->ReceiveLevel(pin->Levels(), peer);
        }
        return true;
    }
    LevelVector Level(std::int32_t polarity) const { return LevelVector::Filled(10.0 * number + polarity); }

    int number = 0;
    int recomputed = 0;
};

TRECConScript SwitchRecord(int inputs) {
    std::string letters(static_cast<std::size_t>(inputs), 'A');
    std::string connectors = "1";
    std::string dc = "1;1;500;18";
    for (int i = 1; i < inputs; ++i) {
        connectors += ";1";
        dc += ";1;1;500;18";
    }
    return MakeRecord(1000, 5500, "DQ",
                      {"NENTRADAS=" + std::to_string(inputs), "TIPOENTRADA=" + letters,
                       "TIPOCENT=" + connectors, "ENTRADASPDC=" + dc, "NSALIDAS=1", "TIPOSALIDA=A",
                       "TIPOCSAL=1", "SALIDASPDC=1;1;500;18", "ECUACIONES", "EA/SA=-2;-2;-2;-2;-3;-3;-3;-3",
                       "FINECUACIONES"});
}

// A switch of n inputs, each cabled (0 m, no cable) from the output of its own fake multiswitch.
class DiseqcSwitch : public test::ElementFixture {
protected:
    void Build(int inputs) {
        diseqc = FromRecord<TDISECQ>(SwitchRecord(inputs));
        for (int i = 0; i < inputs; ++i) {
            auto* source = TPrimerComponente::Create<FakeMultiswitch>(network.get());
            source->number = i + 1;
            // The fake has no catalogue pins; one output made by copying the switch's output.
            outputs.push_back(TPrimerComponente::Create<TPin>(source, *diseqc->PinesSALIDA()[0]));
            ASSERT_TRUE(LinkPins(*outputs.back(), *diseqc->PinesENTRADA()[static_cast<std::size_t>(i)],
                                 nullptr, 0.0, 1));
            sources.push_back(source);
        }
    }
    // Every source sends its current level to the switch.
    void FeedAll() {
        for (std::size_t i = 0; i < sources.size(); ++i) {
            diseqc->ReceiveLevel(sources[i]->Level(outputs[i]->polaridad), diseqc->PinesENTRADA()[i]);
        }
    }
    void Request(std::int32_t polarity) { diseqc->PinesSALIDA()[0]->polaridad = polarity; }
    LevelVector Out() const { return diseqc->PinesSALIDA()[0]->Levels(); }
    static LevelVector Through(double level) {
        return LevelVector{
            {level - 2, level - 2, level - 2, level - 2, level - 3, level - 3, level - 3, level - 3}};
    }

    TDISECQ* diseqc = nullptr;
    std::vector<FakeMultiswitch*> sources;
    std::vector<TPin*> outputs;
};

TEST_F(DiseqcSwitch, WaitsForEveryConnectedInput) {
    Build(2);
    diseqc->ReceiveLevel(LevelVector::Filled(50.0), diseqc->PinesENTRADA()[0]);
    EXPECT_TRUE(diseqc->PinesENTRADA()[0]->Calculated());
    EXPECT_EQ(Out(), LevelVector());
    diseqc->PolarityChanged();
    EXPECT_EQ(Out(), LevelVector());
    diseqc->ReceiveLevel(LevelVector::Filled(60.0), diseqc->PinesENTRADA()[1]);
    EXPECT_EQ(Out(), Through(50.0)); // polarity 0: the first input
}

TEST_F(DiseqcSwitch, PolarityFiveTakesTheLastInputAtPolarityOne) {
    Build(2);
    Request(5);
    FeedAll();
    TPin* last = diseqc->PinesENTRADA()[1];
    EXPECT_EQ(last->polaridad, 1);
    EXPECT_EQ(outputs[1]->polaridad, 1);
    EXPECT_EQ(sources[1]->recomputed, 1);
    EXPECT_EQ(sources[0]->recomputed, 0);
    EXPECT_EQ(last->Levels(), LevelVector::Filled(21.0)); // the recomputed level came back
    EXPECT_EQ(Out(), Through(21.0));
}

TEST_F(DiseqcSwitch, PolarityThreeTakesTheFirstInputAndFourTheLastAtZero) {
    Build(2);
    FeedAll();
    Request(3);
    diseqc->PolarityChanged();
    EXPECT_EQ(diseqc->PinesENTRADA()[0]->polaridad, 3);
    EXPECT_EQ(sources[0]->recomputed, 1);
    EXPECT_EQ(Out(), Through(13.0));

    Request(4);
    diseqc->PolarityChanged();
    EXPECT_EQ(diseqc->PinesENTRADA()[1]->polaridad, 0);
    EXPECT_EQ(sources[1]->recomputed, 0); // the multiswitch already delivers polarity 0
    EXPECT_EQ(Out(), Through(20.0));
}

// Input k of a three-input switch carries the polarities 4k .. 4k + 3: every satellite is reachable,
// the middle one included.
TEST_F(DiseqcSwitch, ThreeInputSwitchTakesTheInputOfEachPolaritysSatellite) {
    Build(3);
    FeedAll();
    for (std::int32_t polarity = 0; polarity < 12; ++polarity) {
        Request(polarity);
        diseqc->PolarityChanged();
        const double expected = 10.0 * (polarity / 4 + 1) + (polarity & 3);
        EXPECT_EQ(Out(), Through(expected)) << polarity;
        EXPECT_EQ(diseqc->PinesENTRADA()[static_cast<std::size_t>(polarity / 4)]->polaridad, polarity & 3);
    }
    EXPECT_GT(sources[1]->recomputed, 0);
    EXPECT_EQ(diseqc->InputForPolarity(7), diseqc->PinesENTRADA()[1]);
    EXPECT_EQ(diseqc->InputForPolarity(8), diseqc->PinesENTRADA()[2]);
    EXPECT_EQ(diseqc->InputForPolarity(15), diseqc->PinesENTRADA()[2]); // beyond the last input
    EXPECT_EQ(diseqc->InputForPolarity(-1), diseqc->PinesENTRADA()[0]);
}

// A two-input switch is unchanged: the first input up to polarity 3, the second from 4, and the second
// for anything beyond.
TEST_F(DiseqcSwitch, TwoInputSwitchTakesTheSecondInputFromPolarityFourOn) {
    Build(2);
    EXPECT_EQ(diseqc->InputForPolarity(3), diseqc->PinesENTRADA()[0]);
    EXPECT_EQ(diseqc->InputForPolarity(4), diseqc->PinesENTRADA()[1]);
    EXPECT_EQ(diseqc->InputForPolarity(11), diseqc->PinesENTRADA()[1]);
}

TEST_F(DiseqcSwitch, SwitchWithoutInputsComputesNothing) {
    auto* bare = TPrimerComponente::Create<TDISECQ>(network.get());
    EXPECT_EQ(bare->InputForPolarity(0), nullptr);
    bare->PolarityChanged();
    bare->ReceiveLevel(LevelVector::Filled(1.0), nullptr);
}

// Output -> splitter -> back into input 1: the level coming round is stored and the run ends.
TEST_F(DiseqcSwitch, CableLoopEnds) {
    diseqc = FromRecord<TDISECQ>(SwitchRecord(2));
    auto* splitter =
        FromRecord<TRepartidor>(MakeRecord(101, 1002, "RP-2",
                                           {"NENTRADAS=1", "TIPOCENT=1", "ENTRADASPDC=0;0;4000;0",
                                            "NSALIDAS=2", "TIPOCSAL=1;1", "SALIDASPDC=0;0;4000;0;0;0;4000;0",
                                            "ECUACIONES", "EA/SA=-4;-4;-4;-4;-4;-4;-4;-4", "FINECUACIONES"}));
    ASSERT_TRUE(diseqc->ConnectPin(0, PinKind::Output, 0.0, nullptr, 0, PinKind::Input, *splitter));
    ASSERT_TRUE(splitter->ConnectPin(0, PinKind::Output, 0.0, nullptr, 1, PinKind::Input, *diseqc));
    diseqc->ReceiveLevel(LevelVector::Filled(70.0), diseqc->PinesENTRADA()[0]);
    EXPECT_EQ(Out(), LevelVector()); // input 1 has no level yet
    diseqc->ReceiveLevel(LevelVector::Filled(40.0), diseqc->PinesENTRADA()[1]);
    EXPECT_EQ(Out(), Through(70.0));
    // What came round: 70 through the switch and the splitter.
    EXPECT_EQ(diseqc->PinesENTRADA()[1]->Levels(), Sum(Through(70.0), LevelVector::Filled(-4.0)));
    EXPECT_EQ(splitter->PinesSALIDA()[1]->Levels(), Sum(Through(70.0), LevelVector::Filled(-4.0)));
}

} // namespace
} // namespace ixo

#include "element_test_support.h"
#include "model/binary_property.h"
#include "model/cable_tv.h"
#include "model/cbft.h"
#include "model/repartidor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ixo {
namespace {

using test::MakeRecord;

// An element that notes every arrival: its name and, at that moment, the level of a watched pin.
class Probe : public TCBFT {
    IXO_COMPONENT_CLASS(Probe)
public:
    explicit Probe(TPrimerComponente* owner) : TCBFT(owner) {}
    void ReceiveLevel(const LevelVector& level, TPin* pin) override {
        log->push_back(Name() + (watched != nullptr ? " " + std::to_string(watched->Levels()[0]) : ""));
        TCBFT::ReceiveLevel(level, pin);
    }
    std::vector<std::string>* log = nullptr;
    const TPin* watched = nullptr;
};
IXO_DEFINE_COMPONENT_CLASS(Probe, TCBFT)

TRECConScript SplitterRecord() {
    return MakeRecord(101, 1002, "RP-2",
                      {"NENTRADAS=1", "TIPOCENT=1", "ENTRADASPDC=0;0;4000;0", "NSALIDAS=2", "TIPOSALIDA=AA",
                       "TIPOCSAL=1;1", "SALIDASPDC=0;0;4000;0;0;0;4000;0", "NDERIVACIONES=1", "TIPOCDER=1",
                       "DERIVACIONESPDC=0;0;4000;0", "ECUACIONES", "EA/SA=-4;-4;-4;-4;-5;-5;-5;-5",
                       "EA/DA=-20;-20;-20;-20;-20;-20;-20;-20", "FINECUACIONES"});
}

TRECConScript ProbeRecord(int indice) {
    return MakeRecord(indice, 1, "P",
                      {"NENTRADAS=1", "TIPOCENT=1", "ENTRADASPDC=0;0;4000;0", "NSALIDAS=1", "TIPOCSAL=1",
                       "SALIDASPDC=0;0;4000;0", "ECUACIONES", "EA/SA=-1;-1;-1;-1;-1;-1;-1;-1",
                       "FINECUACIONES"});
}

class Propagation : public test::ElementFixture {
protected:
    Probe* MakeProbe(int indice) {
        auto* probe = FromRecord<Probe>(ProbeRecord(indice));
        probe->log = &log;
        return probe;
    }

    std::vector<std::string> log;
    TCableTV* cable = TPrimerComponente::Create<TCableTV>(network.get());
};

TEST_F(Propagation, SplitterFinishesTheFirstSubtreeBeforeTheSecondOutput) {
    auto* splitter = FromRecord<TRepartidor>(SplitterRecord());
    Probe* first = MakeProbe(1);
    Probe* below = MakeProbe(2);
    Probe* second = MakeProbe(3);
    Probe* tap = MakeProbe(4);
    ASSERT_TRUE(splitter->ConnectPin(0, PinKind::Output, 0.0, cable, kFirstFreePin, PinKind::Input, *first));
    ASSERT_TRUE(first->ConnectPin(0, PinKind::Output, 0.0, cable, kFirstFreePin, PinKind::Input, *below));
    ASSERT_TRUE(splitter->ConnectPin(1, PinKind::Output, 0.0, cable, kFirstFreePin, PinKind::Input, *second));
    ASSERT_TRUE(splitter->ConnectPin(0, PinKind::Tap, 0.0, cable, kFirstFreePin, PinKind::Input, *tap));
    // While the first subtree runs, the second output still holds no level.
    for (Probe* probe : {first, below, second, tap}) {
        probe->watched = splitter->PinesSALIDA()[1];
    }
    splitter->ReceiveLevel(LevelVector::Filled(100.0), splitter->PinesENTRADA()[0]);
    std::vector<std::string> expected = {first->Name() + " 0.000000", below->Name() + " 0.000000",
                                         second->Name() + " 96.000000", tap->Name() + " 96.000000"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(below->PinesENTRADA()[0]->Levels()[4], 94.0);
    EXPECT_EQ(tap->PinesENTRADA()[0]->Levels()[0], 80.0);
    EXPECT_EQ(splitter->OutputBuffer(), LevelVector::Filled(80.0)); // the tap was computed last
}

TEST_F(Propagation, MissingRowIsMinusOneAndMissingInputTableToo) {
    auto* element = FromRecord<TCBFT>(
        MakeRecord(1, 1, "X",
                   {"NENTRADAS=2", "TIPOENTRADA=AB", "TIPOCENT=1;1", "ENTRADASPDC=0;0;4000;0;0;0;4000;0",
                    "NSALIDAS=2", "TIPOSALIDA=AB", "TIPOCSAL=1;1", "SALIDASPDC=0;0;4000;0;0;0;4000;0",
                    "ECUACIONES", "EA/SA=-3;-3;-3;-3;-3;-3;-3;-3", "FINECUACIONES"}));
    element->ReceiveLevel(LevelVector::Filled(50.0), element->PinesENTRADA()[0]);
    EXPECT_EQ(element->PinesSALIDA()[0]->Levels(), LevelVector::Filled(47.0));
    EXPECT_EQ(element->PinesSALIDA()[1]->Levels(), LevelVector::Filled(49.0)); // no EA/SB row
    // The B input has no table at all: same -1 dB, never the gains of an earlier pin.
    element->ReceiveLevel(LevelVector::Filled(60.0), element->PinesENTRADA()[1]);
    EXPECT_EQ(element->PinesSALIDA()[0]->Levels(), LevelVector::Filled(59.0));
    EXPECT_EQ(element->PinesSALIDA()[1]->Levels(), LevelVector::Filled(59.0));
    EXPECT_EQ(element->PinesENTRADA()[1]->Levels(), LevelVector::Filled(60.0));
    element->ReceiveLevel(LevelVector::Filled(60.0), nullptr); // no pin: nothing happens
    EXPECT_EQ(element->PinesSALIDA()[0]->Levels(), LevelVector::Filled(59.0));
}

TEST_F(Propagation, CableLossIsAppliedAtTheReceivingPin) {
    cable->SetCoefficients(LevelVector::Filled(-0.2));
    Probe* from = MakeProbe(1);
    Probe* to = MakeProbe(2);
    ASSERT_TRUE(from->ConnectPin(0, PinKind::Output, 25.0, cable, kFirstFreePin, PinKind::Input, *to));
    from->ReceiveLevel(LevelVector::Filled(90.0), from->PinesENTRADA()[0]);
    EXPECT_EQ(from->PinesSALIDA()[0]->Levels(), LevelVector::Filled(89.0));
    EXPECT_EQ(to->PinesENTRADA()[0]->Levels(), LevelVector::Filled(84.0));
    EXPECT_EQ(to->PinesSALIDA()[0]->Levels(), LevelVector::Filled(83.0));
}

TEST_F(Propagation, ACableLoopEndsAfterOneRound) {
    Probe* a = MakeProbe(1);
    Probe* b = MakeProbe(2);
    auto* splitter = FromRecord<TRepartidor>(SplitterRecord());
    // A ring of three elements: a feeds the splitter, the splitter's first output feeds b, b feeds a.
    ASSERT_TRUE(a->ConnectPin(0, PinKind::Output, 0.0, cable, 0, PinKind::Input, *splitter));
    ASSERT_TRUE(splitter->ConnectPin(0, PinKind::Output, 0.0, cable, 0, PinKind::Input, *b));
    ASSERT_TRUE(b->ConnectPin(0, PinKind::Output, 0.0, cable, 0, PinKind::Input, *a));
    a->ReceiveLevel(LevelVector::Filled(100.0), a->PinesENTRADA()[0]);
    // a, splitter (not a probe), b, then a again, where the loop stops.
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0], a->Name());
    EXPECT_EQ(log[1], b->Name());
    EXPECT_EQ(log[2], a->Name());
    // The level that came round is stored at a's input; a's output keeps the first round's value.
    // 100 - 1 (a) - 4 or 5 (splitter, terrestrial or satellite band) - 1 (b).
    EXPECT_EQ(a->PinesENTRADA()[0]->Levels(), (LevelVector{{94, 94, 94, 94, 93, 93, 93, 93}}));
    EXPECT_EQ(a->PinesSALIDA()[0]->Levels(), LevelVector::Filled(99.0));
    // A second push runs again (the flag was cleared on the way out).
    log.clear();
    a->ReceiveLevel(LevelVector::Filled(100.0), a->PinesENTRADA()[0]);
    EXPECT_EQ(log.size(), 3u);
}

TEST_F(Propagation, TransferFunctionIsStoredAsDCBFT) {
    auto* element =
        FromRecord<TCBFT>(MakeRecord(1, 1, "X", {"ECUACIONES", "EA/SA=0,5;2;2;2;2;2;2;2", "FINECUACIONES"}));
    test::ByteVector expected;
    test::Append(expected, {0x01, 0x00, 0x00, 0x00});                 // one entry
    test::Append(expected, {0x03, 0x00, 0x00, 0x00, 0x02, 'E', 'A'}); // entry key
    test::Append(expected, {0x03, 0x00, 0x00, 0x00, 0x02, 'E', 'A'}); // table key
    test::Append(expected, {0x01, 0x00, 0x00, 0x00});                 // one row
    test::Append(expected, {0x03, 0x00, 0x02, 'S', 'A'});
    test::AppendDoubleBits(expected, test::kBitsHalf);
    test::AppendDoubleBits(expected, test::kBitsTwo, 7);
    auto written = WriteBinaryProperties(*element);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].name, "DCBFT");
    EXPECT_EQ(written[0].bytes, expected);

    auto* read = TPrimerComponente::Create<TCBFT>(network.get());
    ASSERT_TRUE(ReadBinaryProperty(*read, "DCBFT", expected));
    EXPECT_TRUE(read->Transfer().HasRow("EA", "SA"));
    EXPECT_EQ(WriteBinaryProperties(*read)[0].bytes, expected);
}

} // namespace
} // namespace ixo

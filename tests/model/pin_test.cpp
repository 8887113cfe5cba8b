#include "model/binary_property.h"
#include "model/cable_tv.h"
#include "model/component_path.h"
#include "model/padre_tv.h"
#include "model/parts_catalogue.h"
#include "model/pc_lector_fichero.h"
#include "model/pin.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

using test::Append;
using test::AppendDoubleBits;
using test::AppendText;
using test::ByteVector;

// Stands in for the project: object paths start at it.
class TProjectStub : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TProjectStub)
public:
    explicit TProjectStub(TPrimerComponente* owner) : TPrimerComponente(owner) {}
    bool IsPathRoot() const override { return true; }
};
IXO_DEFINE_COMPONENT_CLASS(TProjectStub, TPrimerComponente)

// A project with a network container holding two elements A and B with one pin each, and a
// preferences container holding a cable. The project itself sits under a window.
class PinNetwork : public ::testing::Test {
protected:
    PinNetwork() {
        project->SetName("P");
        redTV->SetName("RedTV");
        prefs->SetName("Prefs");
        elementA->SetName("A");
        elementB->SetName("B");
        cable->SetName("Cable1");
        pinA->SetName("PinA1");
        pinB->SetName("PinB1");
    }

    test::FakePartsCatalogue catalogue;
    ScopedPartsCatalogue installed{&catalogue};
    std::unique_ptr<TPadreTV> window = TPrimerComponente::CreateRoot<TPadreTV>();
    TProjectStub* project = TPrimerComponente::Create<TProjectStub>(window.get());
    TPadreTV* redTV = TPrimerComponente::Create<TPadreTV>(project);
    TPadreTV* prefs = TPrimerComponente::Create<TPadreTV>(project);
    TPCLectorFichero* elementA = TPrimerComponente::Create<TPCLectorFichero>(redTV);
    TPCLectorFichero* elementB = TPrimerComponente::Create<TPCLectorFichero>(redTV);
    TCableTV* cable = TPrimerComponente::Create<TCableTV>(prefs);
    TPin* pinA = TPrimerComponente::Create<TPin>(elementA, 1, 'S', 'A', 5, TPasocorriente{});
    TPin* pinB = TPrimerComponente::Create<TPin>(elementB, 1, 'E', 'B', 5, TPasocorriente{});
};

TEST(PinConstruction, StreamingConstructorDefaults) {
    auto owner = TPrimerComponente::CreateRoot<TPadreTV>();
    owner->SetName("Repartidor3");
    auto* pin = TPrimerComponente::Create<TPin>(owner.get());
    EXPECT_EQ(pin->TipodePin, 'E');
    EXPECT_EQ(pin->Prefijo, 'A');
    EXPECT_EQ(pin->NombrePinExterno, "Repartidor3EA");
    EXPECT_EQ(pin->Numeroarray, 1);
    EXPECT_EQ(pin->Name(), "PinRe1");
    EXPECT_EQ(pin->Levels(), LevelVector());
    EXPECT_FALSE(pin->Calculated());
    EXPECT_EQ(pin->PasoCorriente(), TPasocorriente{});
    ASSERT_NE(pin->Load(), nullptr);
    EXPECT_EQ(pin->Load()->Modelo, "FCF");
    EXPECT_EQ(pin->PinConnector(), nullptr);
    EXPECT_EQ(pin->FittedConnector(), nullptr);
    EXPECT_EQ(pin->Cable(), nullptr);
    EXPECT_EQ(pin->Peer(), nullptr);

    auto orphan = TPrimerComponente::CreateRoot<TPin>();
    EXPECT_TRUE(orphan->NombrePinExterno.empty());
}

TEST(PinConstruction, CatalogueConstructorTakesTheConnectorFromTheTable) {
    test::FakePartsCatalogue catalogue;
    ScopedPartsCatalogue installed(&catalogue);
    auto owner = TPrimerComponente::CreateRoot<TPadreTV>();
    TPasocorriente dc{1, 2.0, 3, 40.0};
    auto* pin = TPrimerComponente::Create<TPin>(owner.get(), 12, 'D', 'A', 5, dc);
    EXPECT_EQ(pin->NombrePinExterno, "Pin12DA");
    EXPECT_EQ(pin->PinKey(), "DA");
    EXPECT_EQ(pin->Numeracion, 12);
    EXPECT_EQ(pin->PasoCorriente(), dc);
    ASSERT_NE(pin->PinConnector(), nullptr);
    EXPECT_EQ(pin->PinConnector()->Modelo, "F-5");
    // The load of a new pin is the default load, not the table's.
    ASSERT_NE(pin->Load(), nullptr);
    EXPECT_EQ(pin->Load()->Modelo, "FCF");

    // A number the table does not hold, or no catalogue at all: a bare connector of that number.
    auto* unknown = TPrimerComponente::Create<TPin>(owner.get(), 3, 'S', 'B', 99, dc);
    ASSERT_NE(unknown->PinConnector(), nullptr);
    EXPECT_EQ(unknown->PinConnector()->Indice, 99);
    EXPECT_EQ(unknown->NombrePinExterno, "Pin3SB");
    ScopedPartsCatalogue none(nullptr);
    auto* bare = TPrimerComponente::Create<TPin>(owner.get(), 1, 'E', 'A', 5, dc);
    EXPECT_EQ(bare->PinConnector()->Indice, 5);
    EXPECT_TRUE(bare->PinConnector()->Modelo.empty());
}

TEST(PinConstruction, CopyOfAPrototypePin) {
    test::FakePartsCatalogue catalogue;
    ScopedPartsCatalogue installed(&catalogue);
    auto owner = TPrimerComponente::CreateRoot<TPadreTV>();
    TPasocorriente dc{1, 2.0, 3, 40.0};
    auto* prototype = TPrimerComponente::Create<TPin>(owner.get(), 2, 'S', 'B', 5, dc);
    prototype->polaridad = 3;
    prototype->MetrosCable = 9.0;
    prototype->SetLevels(LevelVector::Filled(80.0));
    auto load = TCarga::DefaultLoad();
    load->Descripcion = "terminal";
    prototype->SetLoad(std::move(load));

    auto* copy = TPrimerComponente::Create<TPin>(owner.get(), *prototype);
    EXPECT_EQ(copy->NombrePinExterno, "Pin2SB");
    EXPECT_EQ(copy->TipodePin, 'S');
    EXPECT_EQ(copy->Prefijo, 'B');
    EXPECT_EQ(copy->Numeracion, 2);
    EXPECT_EQ(copy->polaridad, 3);
    EXPECT_EQ(copy->PasoCorriente(), dc);
    ASSERT_NE(copy->PinConnector(), nullptr);
    // Shared: connectors are values that are replaced whole, never changed in place.
    EXPECT_EQ(copy->PinConnector(), prototype->PinConnector());
    EXPECT_EQ(copy->PinConnector()->Modelo, "F-5");
    ASSERT_NE(copy->Load(), nullptr);
    EXPECT_EQ(copy->Load()->Descripcion, "terminal");
    // Not copied: length and levels.
    EXPECT_EQ(copy->MetrosCable, 0.0);
    EXPECT_EQ(copy->Levels(), LevelVector());

    prototype->SetLoad(nullptr);
    auto* viaClone = dynamic_cast<TPin*>(prototype->Clone(owner.get()));
    ASSERT_NE(viaClone, nullptr);
    EXPECT_EQ(viaClone->Load(), nullptr);
}

TEST_F(PinNetwork, LinkingJoinsBothSides) {
    ASSERT_TRUE(TPin::LinkPins(*pinA, *pinB, cable, 12.5, 1));
    for (TPin* pin : {pinA, pinB}) {
        EXPECT_EQ(pin->Cable(), cable);
        EXPECT_EQ(pin->MetrosCable, 12.5);
        EXPECT_EQ(pin->Load(), nullptr);
        ASSERT_NE(pin->FittedConnector(), nullptr);
        EXPECT_EQ(pin->FittedConnector()->Modelo, "CON-1");
    }
    EXPECT_EQ(pinA->Peer(), pinB);
    EXPECT_EQ(pinB->Peer(), pinA);
    EXPECT_FALSE(TPin::LinkPins(*pinA, *pinA, cable, 1.0, 1));
}

TEST_F(PinNetwork, UnlinkingFreesBothSides) {
    TPin::LinkPins(*pinA, *pinB, cable, 12.5, 5);
    pinA->SetLevels(LevelVector::Filled(70.0));
    pinB->SetLevels(LevelVector::Filled(60.0));
    UnlinkPin(*pinB);
    for (TPin* pin : {pinA, pinB}) {
        EXPECT_EQ(pin->Peer(), nullptr);
        EXPECT_EQ(pin->Cable(), nullptr);
        EXPECT_EQ(pin->FittedConnector(), nullptr);
        ASSERT_NE(pin->Load(), nullptr);
        EXPECT_EQ(pin->Load()->Modelo, "CARGA-75"); // load number 1 of the table
        ASSERT_NE(pin->PinConnector(), nullptr);
        EXPECT_EQ(pin->PinConnector()->Indice, 1);
        EXPECT_EQ(pin->Levels(), LevelVector());
    }
    // An unconnected pin is left alone.
    pinA->SetLevels(LevelVector::Filled(1.0));
    UnlinkPin(*pinA);
    EXPECT_EQ(pinA->Levels(), LevelVector::Filled(1.0));
}

TEST_F(PinNetwork, LinkingAPinThatHasAnotherPeerFreesThatPeer) {
    auto* pinC = TPrimerComponente::Create<TPin>(elementB, 2, 'E', 'A', 5, TPasocorriente{});
    TPin::LinkPins(*pinA, *pinB, cable, 3.0, 1);
    TPin::LinkPins(*pinA, *pinC, cable, 4.0, 1);
    EXPECT_EQ(pinA->Peer(), pinC);
    EXPECT_EQ(pinC->Peer(), pinA);
    EXPECT_EQ(pinB->Peer(), nullptr);
    EXPECT_NE(pinB->Load(), nullptr);
}

TEST_F(PinNetwork, DestroyingAConnectedPinOrElementOrCableLeavesNoDanglingReference) {
    TPin::LinkPins(*pinA, *pinB, cable, 3.0, 1);
    TPrimerComponente::Destroy(elementB);
    EXPECT_EQ(pinA->Peer(), nullptr);
    EXPECT_EQ(pinA->Cable(), nullptr);
    EXPECT_NE(pinA->Load(), nullptr);

    auto* pinC = TPrimerComponente::Create<TPin>(redTV, 1, 'E', 'A', 5, TPasocorriente{});
    TPin::LinkPins(*pinA, *pinC, cable, 3.0, 1);
    TPrimerComponente::Destroy(cable);
    EXPECT_EQ(pinA->Cable(), nullptr);
    EXPECT_EQ(pinC->Cable(), nullptr);
    EXPECT_EQ(pinA->Peer(), pinC);
    TPrimerComponente::Destroy(pinA);
    EXPECT_EQ(pinC->Peer(), nullptr);
}

TEST_F(PinNetwork, PathsRunFromTheProjectDown) {
    EXPECT_EQ(ComponentPath(pinB), "P=RedTV=B=PinB1");
    EXPECT_EQ(ComponentPath(project), "P");
    EXPECT_EQ(ComponentPath(nullptr), "NO");
    EXPECT_EQ(ResolvePath("P=RedTV=B=PinB1", *project), pinB);
    EXPECT_EQ(ResolvePath("P=Prefs=Cable1", *project), cable);
    EXPECT_EQ(ResolvePath("P=RedTV=C=PinB1", *project), nullptr);
    EXPECT_EQ(ResolvePath("NO", *project), nullptr);
    EXPECT_EQ(ResolvePath("", *project), nullptr);
    // Without a project above, the path starts at the topmost owner.
    auto loose = TPrimerComponente::CreateRoot<TPadreTV>();
    loose->SetName("Top");
    auto* element = TPrimerComponente::Create<TPCLectorFichero>(loose.get());
    element->SetName("E");
    EXPECT_EQ(ComponentPath(element), "Top=E");
}

TEST_F(PinNetwork, PathsOfDeepChainsKeepEveryName) {
    // Twenty owners below the project: deeper than the chain the path is first collected in.
    TPrimerComponente* owner = redTV;
    std::string expected = "P=RedTV";
    for (int level = 0; level < 20; ++level) {
        auto* next = TPrimerComponente::Create<TPadreTV>(owner);
        next->SetName("L" + std::to_string(level));
        expected += "=L" + std::to_string(level);
        owner = next;
    }
    EXPECT_EQ(ComponentPath(owner), expected);
    EXPECT_EQ(ResolvePath(expected, *project), owner);
}

TEST_F(PinNetwork, APinWithoutPeerWritesNoConexionPin) {
    auto written = WriteBinaryProperties(*pinA);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].name, "DatosPinbase");
}

ByteVector ExpectedConexionPin() {
    ByteVector bytes;
    bytes.reserve(64); // (also keeps GCC 12 from a false -Wstringop-overflow on the appends)
    Append(bytes, {0x0F, 0x00, 0x00, 0x00});
    AppendText(bytes, "P=RedTV=B=PinB1");
    Append(bytes, {0x0E, 0x00, 0x00, 0x00});
    AppendText(bytes, "P=Prefs=Cable1");
    return bytes;
}

TEST_F(PinNetwork, ConexionPinHoldsPeerPathThenCablePath) {
    TPin::LinkPins(*pinA, *pinB, cable, 3.0, 1);
    auto written = WriteBinaryProperties(*pinA);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[1].name, "ConexionPin");
    EXPECT_EQ(written[1].bytes, ExpectedConexionPin());

    // Without cable the cable path reads "NO".
    TPin::LinkPins(*pinA, *pinB, nullptr, 3.0, 1);
    BinaryWriter noCable;
    pinA->WriteConexionPin(noCable);
    ByteVector expected{0x0F, 0x00, 0x00, 0x00};
    AppendText(expected, "P=RedTV=B=PinB1");
    Append(expected, {0x02, 0x00, 0x00, 0x00, 'N', 'O'});
    EXPECT_EQ(noCable.Bytes(), expected);
}

TEST_F(PinNetwork, ConexionPinIsReadIntoTheStoredPaths) {
    ByteVector bytes = ExpectedConexionPin();
    ASSERT_TRUE(ReadBinaryProperty(*pinB, "ConexionPin", bytes));
    EXPECT_EQ(pinB->StoredPeerPath(), "P=RedTV=B=PinB1");
    EXPECT_EQ(pinB->StoredCablePath(), "P=Prefs=Cable1");
    EXPECT_EQ(pinB->Peer(), nullptr);
    EXPECT_FALSE(ReadBinaryProperty(*pinB, "Otra", bytes));
    test::ExpectEveryTruncationFails(bytes, [&](BinaryReader& reader) { pinA->ReadConexionPin(reader); });
    ByteVector trailing = bytes;
    trailing.push_back(0);
    EXPECT_THROW(ReadBinaryProperty(*pinB, "ConexionPin", trailing), StreamError);
}

// An unconnected pin: default DC pass data, no fitted connector, pin connector 5 ("F-5"), default load.
ByteVector ExpectedUnconnectedDatos() {
    ByteVector bytes{0x00};
    AppendDoubleBits(bytes, test::kBitsZero);
    Append(bytes, {0x00, 0x00, 0x00, 0x00});
    AppendDoubleBits(bytes, test::kBits4000);
    Append(bytes, {0x00});                                                 // no fitted connector
    Append(bytes, {0x01, 0x05, 0x00, 0x00, 0x00, 0xB8, 0x0B, 0x00, 0x00}); // pin connector 5, family 3000
    Append(bytes, {0x01, 0x00, 0x00, 0x04, 0x00, 0x03, 'F', '-', '5', 'M', 'F'}); // "" , "F-5", Sexo, Tipo
    Append(bytes, {0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});        // load 1, family 0
    Append(bytes, {0x01, 0x00, 0x00, 0x04, 0x00, 0x03, 'F', 'C', 'F', 0x4B, 0x00, 0x00, 0x00, 0x00});
    return bytes;
}

TEST_F(PinNetwork, DatosPinbaseOfAnUnconnectedPin) {
    auto written = WriteBinaryProperties(*pinB);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].bytes, ExpectedUnconnectedDatos());
}

TEST_F(PinNetwork, DatosPinbaseOfAConnectedPinHasAFittedConnectorAndNoLoad) {
    TPin::LinkPins(*pinA, *pinB, cable, 3.0, 1);
    BinaryWriter writer;
    pinB->WriteDatosPinbase(writer);
    ByteVector expected{0x00};
    AppendDoubleBits(expected, test::kBitsZero);
    Append(expected, {0x00, 0x00, 0x00, 0x00});
    AppendDoubleBits(expected, test::kBits4000);
    Append(expected, {0x01, 0x01, 0x00, 0x00, 0x00, 0xB8, 0x0B, 0x00, 0x00}); // fitted connector 1
    Append(expected, {0x01, 0x00, 0x00, 0x06, 0x00, 0x05, 'C', 'O', 'N', '-', '1', 'H', 'F'});
    Append(expected, {0x01, 0x05, 0x00, 0x00, 0x00, 0xB8, 0x0B, 0x00, 0x00}); // pin connector 5
    Append(expected, {0x01, 0x00, 0x00, 0x04, 0x00, 0x03, 'F', '-', '5', 'M', 'F'});
    Append(expected, {0x00}); // no load
    EXPECT_EQ(writer.Bytes(), expected);
}

TEST_F(PinNetwork, ReadingDatosPinbaseCreatesMissingPartsAndFreesTheAbsentLoad) {
    // A streamed pin has no connectors: reading the unconnected sample creates the pin connector.
    auto* streamed = TPrimerComponente::Create<TPin>(elementA);
    ByteVector sample = ExpectedUnconnectedDatos();
    ASSERT_TRUE(ReadBinaryProperty(*streamed, "DatosPinbase", sample));
    ASSERT_NE(streamed->PinConnector(), nullptr);
    EXPECT_EQ(streamed->PinConnector()->Modelo, "F-5");
    EXPECT_EQ(streamed->PinConnector()->Familia, 3000);
    ASSERT_NE(streamed->Load(), nullptr);
    BinaryWriter again;
    streamed->WriteDatosPinbase(again);
    EXPECT_EQ(again.Bytes(), sample);

    // Data of a connected pin: a fitted connector is created and the load goes.
    TPin::LinkPins(*pinA, *pinB, cable, 3.0, 1);
    BinaryWriter connected;
    pinB->WriteDatosPinbase(connected);
    BinaryReader reader(connected.Bytes());
    streamed->ReadDatosPinbase(reader);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(streamed->Load(), nullptr);
    ASSERT_NE(streamed->FittedConnector(), nullptr);
    EXPECT_EQ(streamed->FittedConnector()->Modelo, "CON-1");
}

// Pins of a project repeat the connector records of the pin before; a record equal to the last one read is
// taken without parsing. Alternating records must still each give their own value, end where they end,
// and leave the fields after them readable.
TEST_F(PinNetwork, RepeatedAndAlternatingConnectorRecordsReadAsTheirOwnValues) {
    const ByteVector unconnected = ExpectedUnconnectedDatos();
    TPin::LinkPins(*pinA, *pinB, cable, 3.0, 1);
    BinaryWriter writer;
    pinB->WriteDatosPinbase(writer);
    const ByteVector connected = writer.Bytes();

    ByteVector stream;
    const bool order[] = {false, false, true, true, false, true, false};
    for (const bool isConnected : order) {
        const ByteVector& record = isConnected ? connected : unconnected;
        stream.insert(stream.end(), record.begin(), record.end());
    }
    BinaryReader reader(stream);
    const TConector* firstPinConnector = nullptr;
    for (const bool isConnected : order) {
        auto* streamed = TPrimerComponente::Create<TPin>(elementA);
        streamed->ReadDatosPinbase(reader);
        ASSERT_NE(streamed->PinConnector(), nullptr);
        EXPECT_EQ(streamed->PinConnector()->Modelo, "F-5");
        if (firstPinConnector == nullptr) {
            firstPinConnector = streamed->PinConnector();
        }
        EXPECT_EQ(streamed->PinConnector(), firstPinConnector) << "equal values are one shared object";
        if (isConnected) {
            ASSERT_NE(streamed->FittedConnector(), nullptr);
            EXPECT_EQ(streamed->FittedConnector()->Modelo, "CON-1");
            EXPECT_EQ(streamed->Load(), nullptr);
        } else {
            EXPECT_EQ(streamed->FittedConnector(), nullptr);
            ASSERT_NE(streamed->Load(), nullptr);
            EXPECT_EQ(streamed->Load()->Modelo, "FCF");
        }
        BinaryWriter again;
        streamed->WriteDatosPinbase(again);
        EXPECT_EQ(again.Bytes(), isConnected ? connected : unconnected);
    }
    EXPECT_TRUE(reader.AtEnd());
}

// Shared connectors are written from bytes made once per value; a pin given another connector, and pins
// alternating between values, must still write their own.
TEST_F(PinNetwork, PinsWriteTheirOwnConnectorsWhenValuesAlternateOrChange) {
    const ByteVector unconnected = ExpectedUnconnectedDatos();
    TPin::LinkPins(*pinA, *pinB, cable, 3.0, 1);
    BinaryWriter first;
    pinB->WriteDatosPinbase(first);
    const ByteVector connected = first.Bytes();
    auto* loose = TPrimerComponente::Create<TPin>(elementA, 2, 'E', 'A', 5, TPasocorriente{});
    for (int round = 0; round < 3; ++round) {
        BinaryWriter a;
        loose->WriteDatosPinbase(a);
        EXPECT_EQ(a.Bytes(), unconnected);
        BinaryWriter b;
        pinB->WriteDatosPinbase(b);
        EXPECT_EQ(b.Bytes(), connected);
    }
    // Another pin connector (a different catalogue connector): its own bytes, not the old one's.
    loose->SetPinConnector(SharedConnector(1));
    BinaryWriter changed;
    loose->WriteDatosPinbase(changed);
    EXPECT_NE(changed.Bytes(), unconnected);
    BinaryReader reader(changed.Bytes());
    auto* streamed = TPrimerComponente::Create<TPin>(elementA);
    streamed->ReadDatosPinbase(reader);
    ASSERT_NE(streamed->PinConnector(), nullptr);
    EXPECT_EQ(streamed->PinConnector()->Modelo, SharedConnector(1)->Modelo);
}

TEST_F(PinNetwork, BadDatosPinbaseIsRefusedAndLeavesThePin) {
    ByteVector sample = ExpectedUnconnectedDatos();
    auto* streamed = TPrimerComponente::Create<TPin>(elementA);
    test::ExpectEveryTruncationFails(sample,
                                     [&](BinaryReader& reader) { streamed->ReadDatosPinbase(reader); });
    EXPECT_EQ(streamed->PinConnector(), nullptr);
    ASSERT_NE(streamed->Load(), nullptr);
    EXPECT_EQ(streamed->Load()->Modelo, "FCF");
    ByteVector badFlag = sample;
    badFlag[21] = 7; // presence byte of the fitted connector
    BinaryReader reader(badFlag);
    EXPECT_THROW(streamed->ReadDatosPinbase(reader), StreamError);
}

} // namespace
} // namespace ixo

#include "element_test_support.h"
#include "model/cable_tv.h"
#include "model/cbft.h"
#include "model/repartidor.h"
#include "model/script_numbers.h"
#include "model/toma_tv.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

using test::MakeRecord;

// A 4-way element: inputs A B B A, two outputs, one tap, with DC data and connector numbers per pin.
TRECConScript FourInputRecord() {
    return MakeRecord(12, 5001, "MS-4",
                      {"NENTRADAS=4",
                       "TIPOENTRADA=ABBA",
                       "TIPOCENT=1;5;1;5",
                       "ENTRADASPDC=1;2;500,5;24;0;0;4000;0;1;3;250;12;0;0;4000;0",
                       "BANDAENT=47;2150",
                       "NSALIDAS=2",
                       "TIPOSALIDA=AB",
                       "TIPOCSAL=1;1",
                       "SALIDASPDC=0;0;4000;0;0;0;4000;0",
                       "NDERIVACIONES=1",
                       "TIPOCDER=5",
                       "DERIVACIONESPDC=0;0;4000;0",
                       "CONSUMO=120,5",
                       "NOCONTABILZADOBLE=1",
                       "FAMILIAHERMANA=5002",
                       "MAXPOWERTER=300",
                       "CONSUMOTERACTIVO=40",
                       "CONSUMOTERPASIVO=15",
                       "ECUACIONES",
                       "EA/SA=-1;-1;-1;-1;-1;-1;-1;-1",
                       "FINECUACIONES",
                       "OBSOLETO=1"},
                      "Multiswitch with four inputs");
}

using ElementBase = test::ElementFixture;

TEST_F(ElementBase, CatalogueRecordGivesPinsInListOrderWithTheirScriptData) {
    auto* element = FromRecord<TCBFT>(FourInputRecord());
    ASSERT_EQ(element->PinesENTRADA().size(), 4u);
    ASSERT_EQ(element->PinesSALIDA().size(), 2u);
    ASSERT_EQ(element->PinesDERIVACION().size(), 1u);
    EXPECT_EQ(element->Nentradas, 4);
    EXPECT_TRUE(element->Obsoleto);
    const TPin* second = element->PinesENTRADA()[1];
    EXPECT_EQ(second->NombrePinExterno, "Pin2EB");
    EXPECT_EQ(second->Numeracion, 2);
    EXPECT_EQ(second->PinConnector()->Indice, 5);
    EXPECT_EQ(element->PinesENTRADA()[2]->PasoCorriente(), (TPasocorriente{1, 12.0, 3, 250.0}));
    EXPECT_EQ(element->PinesENTRADA()[0]->PasoCorriente(), (TPasocorriente{1, 24.0, 2, 500.5}));
    // Taps default to letter A; the tap's own name and kind.
    EXPECT_EQ(element->PinesDERIVACION()[0]->NombrePinExterno, "Pin1DA");
    EXPECT_EQ(element->PinesSALIDA()[1]->NombrePinExterno, "Pin2SB");
    // Pins are owned by the element and named after it.
    EXPECT_EQ(second->Owner(), element);
    EXPECT_EQ(element->Consumolin, 120.5);
    EXPECT_TRUE(element->Nocontabilizardoble);
    EXPECT_EQ(element->FamiliaHermana, 5002);
    EXPECT_EQ(element->CorrienteMaxima, 300);
    EXPECT_TRUE(element->DoyCorriente());
    EXPECT_EQ(element->ConsumoActivo, 40);
    EXPECT_EQ(element->ConsumoPasivo, 15);
    EXPECT_TRUE(element->Transfer().HasRow("EA", "SA"));
    EXPECT_TRUE(element->KeyList().empty());
}

TEST_F(ElementBase, RecordReadBackWithAnotherIndiceGivesItsIdentityButNoPins) {
    catalogue.records[12] = FourInputRecord();
    catalogue.records[12].Indice = 14; // the table answers with another record
    auto* element = TComponenteBase::CreateFromCatalogue<TCBFT>(network.get(), 12, table.get());
    EXPECT_EQ(element->Indice, 14);
    EXPECT_EQ(element->Modelo, "MS-4");
    EXPECT_EQ(element->Nentradas, 0);
    EXPECT_TRUE(element->PinesENTRADA().empty());
    EXPECT_TRUE(element->PinesSALIDA().empty());
    EXPECT_EQ(element->Tabla, table.get());

    auto* found = TComponenteBase::CreateFromCatalogue<TCBFT>(network.get(), 12, table.get());
    EXPECT_TRUE(found->PinesENTRADA().empty()); // still 14 in the table
    catalogue.records[12].Indice = 12;
    auto* exact = TComponenteBase::CreateFromCatalogue<TCBFT>(network.get(), 12, table.get());
    EXPECT_EQ(exact->PinesENTRADA().size(), 4u);
}

TEST_F(ElementBase, MalformedPinKeysAbortTheElementAndLeaveNothingBehind) {
    const std::initializer_list<std::initializer_list<std::string_view>> scripts = {
        {"NENTRADAS=2", "TIPOENTRADA=AA", "ENTRADASPDC=0;0;0;0;0;0;0;0"},               // no TIPOCENT
        {"NENTRADAS=2", "TIPOENTRADA=AA", "TIPOCENT=1", "ENTRADASPDC=0;0;0;0;0;0;0;0"}, // one connector
        {"NENTRADAS=2", "TIPOENTRADA=AA", "TIPOCENT=1;1", "ENTRADASPDC=0;0;0;0"},       // one DC group
        {"NENTRADAS=2", "TIPOENTRADA=AA", "TIPOCENT=1;1"},                              // no DC key
        {"NENTRADAS=3", "TIPOENTRADA=AA", "TIPOCENT=1;1;1", "ENTRADASPDC=0;0;0;0;0;0;0;0;0;0;0;0"},
        {"NENTRADAS=1", "TIPOCENT=x", "ENTRADASPDC=0;0;0;0"},
        {"NENTRADAS=1", "TIPOCENT=1", "ENTRADASPDC=0;0;0,5x;0"},
        {"NSALIDAS=zwei"},
    };
    for (const auto& lines : scripts) {
        EXPECT_THROW(FromRecord<TCBFT>(MakeRecord(3, 1, "X", lines)), ScriptError);
    }
    EXPECT_EQ(network->ComponentCount(), 0u);
}

TEST_F(ElementBase, DefaultLettersAreAAndAtMost64AreUsed) {
    auto* element = FromRecord<TCBFT>(
        MakeRecord(3, 1, "X", {"NSALIDAS=2", "TIPOCSAL=1;1", "SALIDASPDC=0;0;0;0;0;0;0;0"}));
    ASSERT_EQ(element->PinesSALIDA().size(), 2u);
    EXPECT_EQ(element->PinesSALIDA()[1]->Prefijo, 'A');
}

TEST_F(ElementBase, CopyTakesPinsAndFiguresButNotDescriptionNorPartners) {
    auto* prototype = FromRecord<TCBFT>(FourInputRecord());
    auto* partner = FromRecord<TCBFT>(FourInputRecord());
    prototype->SetDoublePartner(partner);
    auto* copy = TComponenteBase::CreateCopy(network.get(), *prototype);
    EXPECT_EQ(prototype->Descripcion, "Multiswitch with four inputs");
    EXPECT_EQ(copy->Descripcion, "");
    EXPECT_EQ(copy->Modelo, "MS-4");
    EXPECT_EQ(copy->Indice, 12);
    EXPECT_TRUE(copy->Obsoleto);
    EXPECT_EQ(copy->Tabla, table.get());
    ASSERT_EQ(copy->PinesENTRADA().size(), 4u);
    EXPECT_EQ(copy->Nentradas, 4);
    EXPECT_EQ(copy->Nderivaciones, 1);
    EXPECT_EQ(copy->PinesENTRADA()[1]->NombrePinExterno, "Pin2EB");
    EXPECT_EQ(copy->PinesENTRADA()[1]->Owner(), copy);
    EXPECT_EQ(copy->PinesENTRADA()[2]->PasoCorriente(), (TPasocorriente{1, 12.0, 3, 250.0}));
    EXPECT_EQ(copy->Consumolin, 120.5);
    EXPECT_EQ(copy->CorrienteMaxima, 300);
    EXPECT_EQ(copy->FamiliaHermana, 5002);
    EXPECT_TRUE(copy->Transfer().HasRow("EA", "SA"));
    EXPECT_EQ(copy->DoublePartner(), nullptr);
    EXPECT_EQ(copy->Eledoblenombre(), "");
    EXPECT_EQ(copy->Npolaridades, 0);
}

TEST_F(ElementBase, CopyIsOfTheMostSpecificClass) {
    auto* outlet = FromRecord<TTomaTV>(MakeRecord(10, 4, "TC-10", {"ORDENCASCADA=3", "NCONECTORES=3"}));
    EXPECT_EQ(outlet->OrdenCascada, 3);
    EXPECT_EQ(outlet->NConectores, 3);
    EXPECT_EQ(outlet->NPolaridades, 1);
    EXPECT_EQ(outlet->cascadeable, 1);
    TPrimerComponente* copy = outlet->Clone(network.get());
    ASSERT_EQ(copy->ClassName(), "TTomaTV");
    EXPECT_EQ(static_cast<TTomaTV*>(copy)->NConectores, 3);
    EXPECT_EQ(static_cast<TTomaTV*>(copy)->OrdenCascada, 3);

    auto streamed = TPrimerComponente::Create<TRepartidor>(network.get());
    EXPECT_EQ(streamed->FamiliaHermana, 1002);
    EXPECT_EQ(streamed->Name(), "RepartidorRe1");
}

class ConnectedElements : public test::ElementFixture {
protected:
    TCBFT* a = FromRecord<TCBFT>(FourInputRecord());
    TCBFT* b = FromRecord<TCBFT>(FourInputRecord());
    TCableTV* cable = TPrimerComponente::Create<TCableTV>(network.get());
};

TEST_F(ConnectedElements, ConnectPinWithLetterSkipsOtherLettersAndFailsWhenAllAreTaken) {
    cable->Tipoconector = 5;
    ASSERT_TRUE(a->ConnectPinWithLetter(kFirstFreePin, PinKind::Output, 12.0, cable, kFirstFreePin, 'B',
                                        PinKind::Input, *b, 'A'));
    TPin* first = b->PinesENTRADA()[1];
    EXPECT_EQ(first->Peer(), a->PinesSALIDA()[0]);
    EXPECT_EQ(first->MetrosCable, 12.0);
    EXPECT_EQ(first->FittedConnector()->Indice, 5);
    EXPECT_EQ(b->PinesENTRADA()[0]->Peer(), nullptr);

    auto* c = FromRecord<TCBFT>(FourInputRecord());
    ASSERT_TRUE(c->ConnectPinWithLetter(kFirstFreePin, PinKind::Output, 1.0, cable, kFirstFreePin, 'B',
                                        PinKind::Input, *b, 'A'));
    EXPECT_EQ(b->PinesENTRADA()[2]->Peer(), c->PinesSALIDA()[0]);
    auto* d = FromRecord<TCBFT>(FourInputRecord());
    EXPECT_EQ(d->ConnectCheck(kFirstFreePin, PinKind::Output, 1.0, cable, kFirstFreePin, 'B', PinKind::Input,
                              *b, 'A'),
              ConnectCheckResult::OwnPinFree);
    EXPECT_FALSE(d->ConnectPinWithLetter(kFirstFreePin, PinKind::Output, 1.0, cable, kFirstFreePin, 'B',
                                         PinKind::Input, *b, 'A'));
    EXPECT_EQ(d->CountConnected(PinKind::Output), 0);
    EXPECT_EQ(b->CountConnected(PinKind::Input), 2);
    EXPECT_EQ(b->FindFreePinWithLetter(PinKind::Input, 'A', kLastFreePin), b->PinesENTRADA()[3]);
    EXPECT_EQ(b->FindFreePinWithLetter(PinKind::Input, 'B', 1), nullptr); // the second B is taken
    EXPECT_EQ(b->FindFreePinWithLetter(PinKind::Input, 'A', 1), b->PinesENTRADA()[3]);
}

TEST_F(ConnectedElements, ConnectPinRefusesItselfAndMissingPins) {
    EXPECT_FALSE(
        a->ConnectPin(kFirstFreePin, PinKind::Output, 1.0, cable, kFirstFreePin, PinKind::Input, *a));
    EXPECT_EQ(a->ConnectCheck(kFirstFreePin, PinKind::Output, 1.0, cable, kFirstFreePin, 'A', PinKind::Input,
                              *a, 'A'),
              ConnectCheckResult::SameElement);
    EXPECT_FALSE(a->ConnectPin(5, PinKind::Output, 1.0, cable, kFirstFreePin, PinKind::Input, *b));
    EXPECT_FALSE(a->ConnectPin(kFirstFreePin, PinKindOfLetter('X'), 1.0, cable, 7, PinKind::Input,
                               *b)); // 'X' is the output list
    EXPECT_EQ(a->CountConnected(PinKind::Output), 0);
    ASSERT_TRUE(a->ConnectPin(kLastFreePin, PinKind::Output, 3.0, nullptr, 0, PinKind::Input, *b));
    EXPECT_EQ(a->PinesSALIDA()[1]->Peer(), b->PinesENTRADA()[0]);
    EXPECT_EQ(b->PinesENTRADA()[0]->FittedConnector()->Indice, 1);
    EXPECT_EQ(a->FirstConnectedPin(PinKind::Output), a->PinesSALIDA()[1]);
    EXPECT_EQ(b->FindFreePin(PinKind::Input, 0), nullptr);
    EXPECT_EQ(b->FindPinByLetter(PinKind::Input, 'A', true, 0), b->PinesENTRADA()[0]);
    EXPECT_EQ(b->FindPinByLetter(PinKind::Input, 'A', false, 1), b->PinesENTRADA()[3]);
    EXPECT_EQ(b->FindPinByLetter(PinKind::Input, 'A', true, 1), nullptr);
    EXPECT_EQ(b->CountPinsWithLetter(PinKind::Input, 'B'), 2);
    EXPECT_EQ(b->PinAt(PinKind::Tap, 1), nullptr);
    EXPECT_EQ(b->PinAt(PinKind::Tap, -1), nullptr);
    // An element with no free pin on the other side: only this one has one.
    auto* lone = FromRecord<TCBFT>(MakeRecord(1, 1, "L", {}));
    EXPECT_EQ(a->ConnectCheck(kFirstFreePin, PinKind::Output, 1.0, cable, kFirstFreePin, 'A', PinKind::Input,
                              *lone, 'A'),
              ConnectCheckResult::OwnPinFree);
    EXPECT_EQ(lone->ConnectCheck(kFirstFreePin, PinKind::Output, 1.0, cable, kFirstFreePin, 'A',
                                 PinKind::Input, *b, 'A'),
              ConnectCheckResult::OnlyOtherPinFree);
    EXPECT_EQ(lone->ConnectCheck(kFirstFreePin, PinKind::Output, 1.0, cable, kFirstFreePin, 'A',
                                 PinKind::Input, *lone, 'A'),
              ConnectCheckResult::SameElement);
    EXPECT_FALSE(lone->HasFreeInput());
    EXPECT_FALSE(lone->HasFreeTap());
}

TEST_F(ConnectedElements, UnlinkPinsAllOrOne) {
    EXPECT_TRUE(b->UnlinkPins(PinKind::Input, kAllPins)); // none connected: true, nothing changed
    ASSERT_TRUE(a->ConnectPin(kFirstFreePin, PinKind::Output, 1.0, cable, kFirstFreePin, PinKind::Input, *b));
    ASSERT_TRUE(a->ConnectPin(kFirstFreePin, PinKind::Output, 1.0, cable, kFirstFreePin, PinKind::Input, *b));
    EXPECT_FALSE(b->UnlinkPins(PinKind::Input, 3)); // not connected
    EXPECT_EQ(b->CountConnected(PinKind::Input), 2);
    EXPECT_FALSE(b->UnlinkPins(PinKind::Input, 0));
    EXPECT_EQ(b->CountConnected(PinKind::Input), 1);
    EXPECT_EQ(a->CountConnected(PinKind::Output), 1);
    EXPECT_TRUE(b->UnlinkPins(PinKind::Input, kAllPins));
    EXPECT_EQ(a->CountConnected(PinKind::Output), 0);
    EXPECT_FALSE(b->UnlinkPins(PinKind::Input, 99));
}

TEST_F(ConnectedElements, CalculatedFlagsOfConnectedInputsOnly) {
    EXPECT_TRUE(b->AllInputsCalculated()); // no connected input
    ASSERT_TRUE(a->ConnectPin(kFirstFreePin, PinKind::Output, 1.0, cable, kFirstFreePin, PinKind::Input, *b));
    EXPECT_FALSE(b->AllInputsCalculated());
    b->PinesENTRADA()[0]->SetCalculated(true);
    b->PinesSALIDA()[0]->SetCalculated(true);
    EXPECT_TRUE(b->AllInputsCalculated());
    b->ClearCalculated();
    EXPECT_FALSE(b->PinesENTRADA()[0]->Calculated());
    EXPECT_FALSE(b->PinesSALIDA()[0]->Calculated());
}

TEST_F(ConnectedElements, CountConnectedOutsideComparesContainers) {
    auto floor = TPrimerComponente::CreateRoot<TPadreTV>();
    auto flat = TPrimerComponente::CreateRoot<TPadreTV>();
    ASSERT_TRUE(a->ConnectPin(kFirstFreePin, PinKind::Output, 1.0, cable, kFirstFreePin, PinKind::Input, *b));
    auto* c = FromRecord<TCBFT>(FourInputRecord());
    ASSERT_TRUE(a->ConnectPin(kFirstFreePin, PinKind::Output, 1.0, cable, kFirstFreePin, PinKind::Input, *c));
    EXPECT_EQ(a->CountConnectedOutside(PinKind::Output, false), 0); // no container
    a->SetContainer(floor.get());
    b->SetContainer(floor.get());
    c->SetContainer(flat.get());
    EXPECT_EQ(a->CountConnectedOutside(PinKind::Output, false), 2);
    EXPECT_EQ(a->CountConnectedOutside(PinKind::Output, true), 1);
}

TEST_F(ConnectedElements, DestroyingAnElementUnlinksItsPeers) {
    ASSERT_TRUE(a->ConnectPin(kFirstFreePin, PinKind::Output, 1.0, cable, kFirstFreePin, PinKind::Input, *b));
    TPin* peer = b->PinesENTRADA()[0];
    TPrimerComponente::Destroy(a);
    EXPECT_FALSE(peer->IsConnected());
    EXPECT_EQ(peer->Cable(), nullptr);
    EXPECT_NE(peer->Load(), nullptr);
    // A pin destroyed on its own leaves its list.
    TPrimerComponente::Destroy(b->PinesSALIDA()[0]);
    EXPECT_EQ(b->PinesSALIDA().size(), 1u);
}

TEST_F(ConnectedElements, PartnersLinkBothWaysAndClearOnDestruction) {
    auto* c = FromRecord<TCBFT>(FourInputRecord());
    a->SetDoublePartner(b);
    EXPECT_EQ(b->DoublePartner(), a);
    EXPECT_EQ(a->Eledoblenombre(), b->Name());
    EXPECT_EQ(b->Eledoblenombre(), a->Name());
    // Re-partnering a with c unlinks b; c taking a new partner unlinks a on both sides.
    a->SetDoublePartner(c);
    EXPECT_EQ(b->DoublePartner(), nullptr);
    EXPECT_EQ(b->Eledoblenombre(), "");
    b->SetDoublePartner(c);
    EXPECT_EQ(a->DoublePartner(), nullptr);
    EXPECT_EQ(a->Eledoblenombre(), "");
    EXPECT_EQ(c->DoublePartner(), b);

    a->SetTriplePartner(b);
    a->SetFeeder(c);
    TPrimerComponente::Destroy(b);
    EXPECT_EQ(a->TriplePartner(), nullptr);
    EXPECT_EQ(a->EletripleNombre(), "");
    EXPECT_EQ(c->DoublePartner(), nullptr);
    TPrimerComponente::Destroy(c);
    EXPECT_EQ(a->Feeder(), nullptr);
    a->SetTriplePartner(nullptr); // nothing to unlink
}

} // namespace
} // namespace ixo

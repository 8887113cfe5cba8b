#include "element_test_support.h"
#include "model/alimentador.h"
#include "model/repartidor.h"
#include "model/script_numbers.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

using test::MakeRecord;

class PowerFeed : public test::ElementFixture {
protected:
    TRepartidor* Element() { return TPrimerComponente::Create<TRepartidor>(network.get()); }
    TFUENTE* Supply() { return TPrimerComponente::Create<TFUENTE>(network.get()); }
};

TEST_F(PowerFeed, CatalogueGivesTensionAndCorriente) {
    auto* supply = FromRecord<TFUENTE>(MakeRecord(2, 7000, "FA-18", {"TENSION=18,5", "CORRIENTE=1500"}));
    EXPECT_DOUBLE_EQ(supply->Tension, 18.5);
    EXPECT_DOUBLE_EQ(supply->Corriente, 1500.0);
    auto* bare = FromRecord<TInyector>(MakeRecord(200, 7500, "IP-18", {}));
    EXPECT_EQ(bare->Tension, 0.0);
    EXPECT_EQ(bare->Corriente, 0.0);
    EXPECT_THROW(FromRecord<TFUENTE>(MakeRecord(2, 7000, "X", {"TENSION=18V"})), ScriptError);
    EXPECT_THROW(FromRecord<TFUENTE>(MakeRecord(2, 7000, "X", {"CORRIENTE=alta"})), ScriptError);
}

TEST_F(PowerFeed, CopyTakesFiguresButFeedsNothing) {
    auto* supply = FromRecord<TFUENTE>(MakeRecord(2, 7000, "FA-18", {"TENSION=18", "CORRIENTE=1500"}));
    ASSERT_TRUE(supply->AddFed(Element()));
    auto* copy = TComponenteBase::CreateCopy(network.get(), *supply);
    EXPECT_EQ(copy->ClassName(), "TFUENTE");
    EXPECT_EQ(copy->Tension, 18.0);
    EXPECT_EQ(copy->Corriente, 1500.0);
    EXPECT_TRUE(copy->CompoAlimentar().empty());
    EXPECT_EQ(supply->CompoAlimentar().size(), 1u);
}

TEST_F(PowerFeed, FeedingSetsTheFeederOnce) {
    TFUENTE* supply = Supply();
    TRepartidor* a = Element();
    TRepartidor* b = Element();
    EXPECT_TRUE(supply->AddFed(a));
    EXPECT_TRUE(supply->AddFed(b));
    EXPECT_TRUE(supply->AddFed(a)); // already fed: stays where it is
    EXPECT_FALSE(supply->AddFed(nullptr));
    EXPECT_FALSE(supply->AddFed(supply));
    EXPECT_EQ(a->Feeder(), supply);
    EXPECT_EQ(b->Feeder(), supply);
    EXPECT_EQ(supply->FedNames(), (std::vector<std::string>{a->Name(), b->Name()}));
    EXPECT_EQ(supply->Feeder(), nullptr);
}

TEST_F(PowerFeed, DestroyingTheSupplyLeavesItsElementsWithoutFeeder) {
    TFUENTE* supply = Supply();
    TRepartidor* a = Element();
    TRepartidor* b = Element();
    supply->AddFed(a);
    supply->AddFed(b);
    TPrimerComponente::Destroy(supply);
    EXPECT_EQ(a->Feeder(), nullptr);
    EXPECT_EQ(b->Feeder(), nullptr);

    auto* injector = TPrimerComponente::Create<TInyector>(network.get());
    injector->AddFed(a);
    injector->ClearFed();
    EXPECT_EQ(a->Feeder(), nullptr);
    EXPECT_TRUE(injector->CompoAlimentar().empty());
}

TEST_F(PowerFeed, DestroyingAFedElementLeavesTheList) {
    TFUENTE* supply = Supply();
    TRepartidor* a = Element();
    TRepartidor* b = Element();
    supply->AddFed(a);
    supply->AddFed(b);
    const std::string bName = b->Name();
    TPrimerComponente::Destroy(a);
    ASSERT_EQ(supply->CompoAlimentar().size(), 1u);
    EXPECT_EQ(supply->CompoAlimentar()[0].Element, b);
    EXPECT_EQ(supply->FedNames(), std::vector<std::string>{bName});
    // The supply also goes cleanly afterwards.
    TPrimerComponente::Destroy(supply);
    EXPECT_EQ(b->Feeder(), nullptr);
}

TEST_F(PowerFeed, FeedingFromAnotherFeederMovesTheElement) {
    TFUENTE* first = Supply();
    auto* second = TPrimerComponente::Create<TInyector>(network.get());
    TRepartidor* a = Element();
    first->AddFed(a);
    second->AddFed(a);
    EXPECT_EQ(a->Feeder(), second);
    EXPECT_TRUE(first->CompoAlimentar().empty());
    TPrimerComponente::Destroy(first);
    EXPECT_EQ(a->Feeder(), second);
    TPrimerComponente::Destroy(a);
    EXPECT_TRUE(second->CompoAlimentar().empty());
}

// The list is stored as names and attached again by name once the elements exist.
TEST_F(PowerFeed, NamesAreAttachedAfterReading) {
    TRepartidor* a = Element();
    TRepartidor* b = Element();
    TFUENTE* supply = Supply();
    supply->SetFedNames({b->Name(), "Missing1", a->Name(), supply->Name()});
    EXPECT_EQ(a->Feeder(), nullptr);
    supply->AttachFedByName(*network);
    const auto& fed = supply->CompoAlimentar();
    ASSERT_EQ(fed.size(), 4u);
    EXPECT_EQ(fed[3].Element, nullptr); // a feeder never feeds itself
    EXPECT_EQ(supply->Feeder(), nullptr);
    EXPECT_EQ(fed[0].Element, b);
    EXPECT_EQ(fed[1].Element, nullptr);
    EXPECT_EQ(fed[1].Name, "Missing1");
    EXPECT_EQ(fed[2].Element, a);
    EXPECT_EQ(a->Feeder(), supply);
    EXPECT_EQ(supply->FedNames(),
              (std::vector<std::string>{b->Name(), "Missing1", a->Name(), supply->Name()}));
    // Reading names again drops the elements fed before.
    supply->SetFedNames({});
    EXPECT_EQ(a->Feeder(), nullptr);
    EXPECT_EQ(b->Feeder(), nullptr);
}

} // namespace
} // namespace ixo

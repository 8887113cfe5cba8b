#include "catalogue/almacen_elementos.h"

#include "sample_catalogue.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace ixo {
namespace {

using test::TempDir;

// Stand-ins for the element classes: a component that remembers the class it was made for and counts
// its pins from the script, and a value object for connectors and loads.
class FakeElement : public TPCLectorFichero {
    IXO_COMPONENT_CLASS(FakeElement)
public:
    FakeElement(TPrimerComponente* owner, std::string madeAs, const TRECConScript& record)
        : TPCLectorFichero(owner), MadeAs(std::move(madeAs)), Script(record.Script) {
        Familia = record.Familia;
        Indice = record.Indice;
        Modelo = record.Modelo;
        Descripcion = record.Descripcion;
    }
    int Pins(PinKind kind) const {
        std::string key = kind == PinKind::Input    ? "ENTRADAS="
                          : kind == PinKind::Output ? "SALIDAS="
                                                    : "DERIVACIONES=";
        auto at = Script.find(key);
        return at == std::string::npos ? 0 : std::stoi(Script.substr(at + key.size()));
    }
    std::string MadeAs;
    std::string Script;
};
IXO_DEFINE_COMPONENT_CLASS(FakeElement, TPCLectorFichero)

struct FakeValue : TsegundoObjeto {
    std::string MadeAs;
};

class Root : public TPrimerComponente {
public:
    explicit Root(TPrimerComponente* owner) : TPrimerComponente(owner) {}
};

ElementFactory FakeFactory() {
    ElementFactory factory;
    for (const char* name :
         {"TLinAmp", "TCabeceraTerrestre", "TAmpliHeader", "Tantena", "TCableTV", "Tentradaviv", "TDISECQ",
          "TMultiswitch", "TRepartidor", "TTomaTV", "TInyector", "TFUENTE", "TIFT"}) {
        factory.Register(name,
                         [name](TalmacenElementos& store, const TRECConScript& record) -> CreatedElement {
                             auto* element = TPrimerComponente::Create<FakeElement>(&store, name, record);
                             if (record.Script.find("MALFORMED") != std::string::npos) {
                                 throw std::runtime_error("malformed script");
                             }
                             return element;
                         });
    }
    for (const char* name : {"TConector", "TCarga"}) {
        factory.Register(name, [name](TalmacenElementos&, const TRECConScript& record) -> CreatedElement {
            auto value = std::make_unique<FakeValue>();
            value->MadeAs = name;
            value->Indice = record.Indice;
            value->Familia = record.Familia;
            value->Modelo = record.Modelo;
            return std::unique_ptr<TsegundoObjeto>(std::move(value));
        });
    }
    factory.SetPinCounter([](const CatalogueObject& element, PinKind kind) {
        auto* fake = element.As<FakeElement>();
        return fake != nullptr ? fake->Pins(kind) : 0;
    });
    return factory;
}

std::string MadeAs(const CatalogueObject& object) {
    if (auto* fake = object.As<FakeElement>()) {
        return fake->MadeAs;
    }
    if (auto* value = object.As<FakeValue>()) {
        return value->MadeAs;
    }
    return "";
}

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::SampleCatalogue().Write(dir.Path());
        root = TPrimerComponente::CreateRoot<Root>();
        root->SetName("MainForm");
        catalogue = OpenCatalogue(root.get(), dir.Path()).Tables;
        store = TPrimerComponente::Create<TalmacenElementos>(root.get(), *catalogue, factory);
    }

    std::size_t ListedComponents() const {
        std::size_t count = 0;
        for (int kind = 0; kind < kKindCount; ++kind) {
            for (const auto& item : *store->ListOfKind(kind)) {
                count += item.Object.Component() != nullptr ? 1 : 0;
            }
        }
        return count;
    }

    TempDir dir;
    ElementFactory factory = FakeFactory();
    std::unique_ptr<Root> root;
    TCatalogo* catalogue = nullptr;
    TalmacenElementos* store = nullptr;
};

TEST_F(StoreTest, EveryKindGetsTheClassOfItsFamilies) {
    EXPECT_EQ(MadeAs(store->ElementByKind(0, 1)), "TCabeceraTerrestre");
    EXPECT_EQ(MadeAs(store->ElementByKind(0, 2)), "TLinAmp");
    EXPECT_EQ(MadeAs(store->ElementByKind(0, 3)), "TAmpliHeader");
    EXPECT_EQ(MadeAs(store->ElementByKind(1, 1)), "Tantena");
    EXPECT_EQ(MadeAs(store->ElementByKind(2, 1)), "TCableTV");
    EXPECT_EQ(MadeAs(store->ElementByKind(3, 1)), "TConector");
    EXPECT_EQ(MadeAs(store->ElementByKind(4, 1)), "TCarga");
    EXPECT_EQ(MadeAs(store->ElementByKind(5, 1)), "Tentradaviv");
    EXPECT_EQ(MadeAs(store->ElementByKind(6, 1)), "TMultiswitch");
    EXPECT_EQ(MadeAs(store->ElementByKind(6, 2)), "TDISECQ");
    EXPECT_EQ(MadeAs(store->ElementByKind(7, 1)), "TRepartidor");
    EXPECT_EQ(MadeAs(store->ElementByKind(8, 1)), "TTomaTV");
    EXPECT_EQ(MadeAs(store->ElementByKind(9, 1)), "TFUENTE");
    EXPECT_EQ(MadeAs(store->ElementByKind(9, 2)), "TInyector");
    EXPECT_EQ(MadeAs(store->ElementByKind(10, 2)), "TIFT");
}

TEST_F(StoreTest, ListsKeepTableOrderAndModelNames) {
    const ElementList& splitters = *store->ListOfKind(7);
    ASSERT_EQ(splitters.Count(), 3u); // SPL-BAD failed
    EXPECT_EQ(splitters[0].Name, "SPL-2");
    EXPECT_EQ(splitters[1].Name, "SPL-4");
    EXPECT_EQ(splitters[2].Name, "SPL-X");
    const ElementList& connectors = *store->ListOfKind(3);
    ASSERT_EQ(connectors.Count(), 1u);
    EXPECT_EQ(connectors[0].Name, "F-CON");
    EXPECT_EQ(connectors[0].Object.Component(), nullptr);
    EXPECT_NE(connectors[0].Object.Value(), nullptr);
    EXPECT_EQ(connectors[0].Object.Familia(), 3000);
    EXPECT_EQ(store->ListOfKind(11), nullptr);
    EXPECT_EQ(store->ListOfKind(-1), nullptr);
}

TEST_F(StoreTest, KindsFiveAndTenKeepOnlyTheirOwnFamilies) {
    const ElementList& flats = *store->ListOfKind(5);
    ASSERT_EQ(flats.Count(), 1u);
    EXPECT_EQ(flats[0].Name, "PAU");
    const ElementList& ift = *store->ListOfKind(10);
    ASSERT_EQ(ift.Count(), 1u);
    EXPECT_EQ(ift[0].Name, "IFT-1");
}

TEST_F(StoreTest, KindOfFamilyUsesTheTableNameInUpperCase) {
    EXPECT_EQ(store->KindOfFamily(2001), 7); // "repartidores"
    EXPECT_EQ(store->KindOfFamily(2002), 7); // "REPARTIDORES"
    EXPECT_EQ(store->KindOfFamily(10001), 5);
    EXPECT_EQ(store->KindOfFamily(5500), 6);
    EXPECT_EQ(store->KindOfFamily(424242), 11);
    EXPECT_EQ(store->Families().size(), 21u);
    EXPECT_EQ(store->Families().front().NombreFamilia, "Coaxial");
}

TEST_F(StoreTest, ElementByFamilyLooksInTheFamilysKind) {
    EXPECT_EQ(store->ElementByFamily(1, 5001).Modelo(), "MS-5x8");
    EXPECT_FALSE(store->ElementByFamily(2, 10001)); // kind 5 has no Indice 2
    EXPECT_EQ(store->ElementByKind(10, 2).Modelo(), "IFT-1");
    EXPECT_FALSE(store->ElementByFamily(1, 424242));
    EXPECT_FALSE(store->ElementByKind(7, 99));
    EXPECT_FALSE(store->ElementByKind(12, 1));
}

TEST_F(StoreTest, ElementsOfFamilyAndPinCounts) {
    auto family = store->ElementsOfFamily(2001);
    ASSERT_EQ(family.size(), 2u);
    EXPECT_EQ(family[0].Name, "SPL-2");
    EXPECT_EQ(family[1].Name, "SPL-4");
    EXPECT_TRUE(store->ElementsOfFamily(424242).empty());

    EXPECT_EQ(store->MaxPins(PinKind::Output, 2001), 4);
    EXPECT_EQ(store->MaxPins(PinKind::Input, 2001), 1);
    EXPECT_EQ(store->MaxPins(PinKind::Tap, 2001), 1);
    EXPECT_EQ(store->MaxPins(PinKind::Output, 424242), 0);
    EXPECT_EQ(store->FirstWithPins(2001, PinKind::Output, 3).Modelo(), "SPL-4");
    EXPECT_EQ(store->FirstWithPins(2001, PinKind::Output, 2).Modelo(), "SPL-2");
    EXPECT_FALSE(store->FirstWithPins(2001, PinKind::Output, 5));
}

TEST_F(StoreTest, FailedCreatorSkipsOnlyItsRecordAndLeavesNothingBehind) {
    ASSERT_EQ(store->SkippedRecordCount(), 1u);
    const auto& skipped = store->SkippedRecords().front();
    EXPECT_EQ(skipped.Kind, 7);
    EXPECT_EQ(skipped.Indice, 3);
    EXPECT_EQ(skipped.ClassName, "TRepartidor");
    EXPECT_EQ(skipped.Reason, "malformed script");
    EXPECT_EQ(store->ComponentCount(), ListedComponents());
}

TEST_F(StoreTest, PrototypesAreNamedAfterTheStore) {
    EXPECT_EQ(store->Name(), "almacenElementosMa1");
    TPCLectorFichero* first = store->ElementByKind(0, 1).Component();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Owner(), store);
    EXPECT_EQ(first->Name(), "akeElemental1");
}

TEST_F(StoreTest, ReloadingAKindFreesItsOldPrototypes) {
    std::size_t before = store->ComponentCount();
    store->LoadKind(7);
    EXPECT_EQ(store->ComponentCount(), before);
    EXPECT_EQ(store->ElementByKind(7, 1).Modelo(), "SPL-2");
    EXPECT_EQ(store->SkippedRecordCount(), 1u);
}

TEST_F(StoreTest, PrototypeDestroyedElsewhereLeavesItsList) {
    TPCLectorFichero* multiswitch = store->ElementByKind(6, 1).Component();
    ASSERT_NE(multiswitch, nullptr);
    TPrimerComponente::Destroy(multiswitch);
    EXPECT_FALSE(store->ElementByKind(6, 1));
    EXPECT_EQ(store->ListOfKind(6)->Count(), 1u);
    EXPECT_EQ(store->ElementByKind(6, 2).Modelo(), "DSQ-2");
}

TEST_F(StoreTest, OutlivesItsCatalogue) {
    FreeCatalogue(catalogue);
    EXPECT_EQ(store->Catalogue(), nullptr);
    store->LoadKind(7);
    EXPECT_TRUE(store->ListOfKind(7)->Empty());
    EXPECT_EQ(store->ElementByKind(6, 1).Modelo(), "MS-5x8");
}

TEST(StoreWithoutElementClasses, CreatesNothingAndSkipsNothing) {
    TempDir dir;
    test::SampleCatalogue().Write(dir.Path());
    auto catalogue = OpenCatalogue(nullptr, dir.Path()).Tables;
    ElementFactory empty;
    auto store = TPrimerComponente::CreateRoot<TalmacenElementos>(*catalogue, empty);
    for (int kind = 0; kind < kKindCount; ++kind) {
        EXPECT_TRUE(store->ListOfKind(kind)->Empty());
    }
    EXPECT_EQ(store->SkippedRecordCount(), 0u);
    EXPECT_EQ(store->KindOfFamily(5001), 6);
    EXPECT_EQ(store->MaxPins(PinKind::Output, 5001), 0);
    store.reset();
    FreeCatalogue(catalogue);
}

TEST(StoreOnAMissingCatalogue, IsEmpty) {
    TempDir dir;
    auto catalogue = OpenCatalogue(nullptr, dir.Path()).Tables;
    ElementFactory factory = FakeFactory();
    auto store = TPrimerComponente::CreateRoot<TalmacenElementos>(*catalogue, factory);
    EXPECT_EQ(store->ComponentCount(), 0u);
    EXPECT_TRUE(store->Families().empty());
    EXPECT_EQ(store->KindOfFamily(2001), kNoKind);
    store.reset();
    FreeCatalogue(catalogue);
}

} // namespace
} // namespace ixo

#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"
#include "element_test_support.h"
#include "model/cable_tv.h"
#include "model/especial.h"
#include "model/padre_tv.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <sstream>

namespace ixo {
namespace {

// The element store built from the demo catalogue with the element classes that exist.
using DemoStore = test::DemoStoreFixture;

TEST_F(DemoStore, EveryRecordOfTheBuiltClassesBecomesAPrototype) {
    EXPECT_EQ(store->SkippedRecordCount(), 0u) << SkippedReasons();
    for (int kind : {2, 3, 4, 5, 7, 8, 10}) {
        EXPECT_GT(store->ListOfKind(kind)->Count(), 0u) << "kind " << kind;
    }
    EXPECT_EQ(store->ListOfKind(10)->Count(), 1u);
    EXPECT_EQ(store->ListOfKind(5)->Count(), 2u);
    // The store serves connectors and loads to the model, and the prototypes' pins carry them.
    EXPECT_EQ(GetPartsCatalogue(), store);
    ASSERT_NE(store->LoadByIndice(1), nullptr);
    EXPECT_EQ(store->LoadByIndice(1)->Modelo, "FCF");
    EXPECT_EQ(store->ConnectorByIndice(2)->Modelo, "CF-5");
    const auto& splitter = Prototype<TRepartidor>(7, 101);
    EXPECT_EQ(splitter.PinesENTRADA()[0]->PinConnector()->Modelo, "CF-7");
    EXPECT_EQ(splitter.FamiliaHermana, 1003);
    EXPECT_EQ(store->MaxPins(PinKind::Output, 1002), 8);
    EXPECT_EQ(Prototype<TTomaTV>(8, 20).PinesDERIVACION().size(), 1u);
    EXPECT_EQ(Prototype<TIFT>(10, 10).PinesSALIDA()[1]->Prefijo, 'B');
    EXPECT_EQ(Prototype<TCableTV>(2, 20).Tipoconector, 2);
}

TEST_F(DemoStore, WithoutTableTheClassesReadTheTableOfTheirKind) {
    auto* splitter = TComponenteBase::CreateFromCatalogue<TRepartidor>(network.get(), 102, nullptr);
    EXPECT_EQ(splitter->Modelo, Prototype<TRepartidor>(7, 102).Modelo);
    EXPECT_EQ(splitter->Tabla, store->TableOfKind(7));
    EXPECT_EQ(splitter->PinesSALIDA().size(), Prototype<TRepartidor>(7, 102).PinesSALIDA().size());
    EXPECT_EQ(splitter->Descripcion, Prototype<TRepartidor>(7, 102).Descripcion);
    auto* cable = TCableTV::CreateFromCatalogue(network.get(), 26, nullptr);
    EXPECT_EQ(cable->Referencia, "26");
    EXPECT_EQ(cable->Coefficients(), Prototype<TCableTV>(2, 26).Coefficients());
    ASSERT_TRUE(cable->Reload(20));
    EXPECT_EQ(cable->Tipoconector, 2);
    EXPECT_EQ(cable->Modelo, "CX-50");
    // A number the table does not hold: identity -1, no pins.
    auto* missing = TComponenteBase::CreateFromCatalogue<TTomaTV>(network.get(), 9999, nullptr);
    EXPECT_EQ(missing->Indice, -1);
    EXPECT_TRUE(missing->PinesENTRADA().empty());
}

TEST_F(DemoStore, DestroyingTheStoreUninstallsItsCatalogue) {
    TPrimerComponente::Destroy(store);
    EXPECT_EQ(GetPartsCatalogue(), nullptr);
}

// Splitter RP-2 (101), output 1 -> 10 m of cable CX-68 (24) -> cascade outlet TC-10 (10), 100 dBuV in.
TEST_F(DemoStore, LevelsThroughSplitterCableAndOutlet) {
    auto* splitter = TComponenteBase::CreateCopy(network.get(), Prototype<TRepartidor>(7, 101));
    auto* outlet = TComponenteBase::CreateCopy(network.get(), Prototype<TTomaTV>(8, 10));
    auto* cable = TCableTV::CreateCopy(network.get(), Prototype<TCableTV>(2, 24));
    ASSERT_TRUE(splitter->ConnectPinWithLetter(kFirstFreePin, PinKind::Output, 10.0, cable, kFirstFreePin,
                                               'A', PinKind::Input, *outlet, 'A'));
    splitter->ReceiveLevel(LevelVector::Filled(100.0), splitter->PinesENTRADA()[0]);

    // Splitter EA/SA -3.8 -3.9 -4 -4.2 -4.4 -4.6 -4.9 -5.2.
    const std::array<double, 8> splitterOut = {96.2, 96.1, 96.0, 95.8, 95.6, 95.4, 95.1, 94.8};
    // Cable -3.9 -7.7 -13 -18 -19 -23.1 -26.7 -30 dB per 100 m, 10 m.
    const std::array<double, 8> outletIn = {95.81, 95.33, 94.7, 94.0, 93.7, 93.09, 92.43, 91.8};
    // Outlet EA/DA -10 -10 -10.3 -10.6 -10.8 -11 -11.2 -11.5 and EA/SA -1.5 -1.6 ... -2.2.
    const std::array<double, 8> outletTap = {85.81, 85.33, 84.4, 83.4, 82.9, 82.09, 81.23, 80.3};
    const std::array<double, 8> outletThrough = {94.31, 93.73, 93.0, 92.2, 91.8, 91.09, 90.33, 89.6};
    for (std::size_t band = 0; band < kBandCount; ++band) {
        EXPECT_NEAR(splitter->PinesSALIDA()[0]->Levels()[band], splitterOut[band], 1e-9) << band;
        EXPECT_NEAR(splitter->PinesSALIDA()[1]->Levels()[band], splitterOut[band], 1e-9) << band;
        EXPECT_NEAR(outlet->PinesENTRADA()[0]->Levels()[band], outletIn[band], 1e-9) << band;
        EXPECT_NEAR(outlet->PinesDERIVACION()[0]->Levels()[band], outletTap[band], 1e-9) << band;
        EXPECT_NEAR(outlet->PinesSALIDA()[0]->Levels()[band], outletThrough[band], 1e-9) << band;
    }
    EXPECT_EQ(outlet->PinesENTRADA()[0]->FittedConnector()->Modelo, "CF-7"); // CX-68 takes connector 1
}

} // namespace
} // namespace ixo

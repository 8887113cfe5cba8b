#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"
#include "element_test_support.h"
#include "model/alimentador.h"
#include "model/antena.h"
#include "model/cable_tv.h"
#include "model/disecq.h"
#include "model/padre_tv.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <set>
#include <sstream>

namespace ixo {
namespace {

// The element store built from the demo catalogue, and a network container for copies.
class DemoSources : public test::DemoStoreFixture {
protected:
    template <typename T> T* Copy(int kind, std::int32_t indice) {
        return TComponenteBase::CreateCopy(network.get(), Prototype<T>(kind, indice));
    }
    TCableTV* Cable(std::int32_t indice) {
        return TCableTV::CreateCopy(network.get(), Prototype<TCableTV>(2, indice));
    }

    static void ExpectLevels(const LevelVector& actual, const std::array<double, 8>& expected,
                             const char* where) {
        for (std::size_t band = 0; band < kBandCount; ++band) {
            EXPECT_NEAR(actual[band], expected[band], 1e-9) << where << " band " << band;
        }
    }
};

TEST_F(DemoSources, EveryDishSwitchSupplyAndInjectorRecordBecomesAPrototype) {
    const std::set<std::string> ours = {"Tantena", "TDISECQ", "TFUENTE", "TInyector"};
    std::ostringstream reasons;
    for (const auto& skipped : store->SkippedRecords()) {
        if (ours.contains(skipped.ClassName)) {
            reasons << "kind " << skipped.Kind << " record " << skipped.Indice << " (" << skipped.ClassName
                    << "): " << skipped.Reason << "\n";
        }
    }
    EXPECT_EQ(reasons.str(), "");
    EXPECT_EQ(store->ListOfKind(Tantena::kKind)->Count(), 8u);
    EXPECT_EQ(store->ListOfKind(Talimentador::kKind)->Count(), 11u);
    EXPECT_EQ(store->ElementsOfFamily(5500).size(), 3u);

    const auto& dish = Prototype<Tantena>(1, 11);
    EXPECT_EQ(dish.tipo, 1);
    EXPECT_EQ(dish.LNB, "LQ-40H");
    EXPECT_EQ(dish.InputLevels().size(), 4u);
    EXPECT_EQ(Prototype<Tantena>(1, 53).LNB, "");
    EXPECT_EQ(Prototype<Tantena>(1, 53).InputLevels().size(), 1u);
    EXPECT_EQ(Prototype<TDISECQ>(6, 1001).PinesENTRADA().size(), 3u);
    EXPECT_EQ(Prototype<TFUENTE>(9, 2).Tension, 18.0);
    EXPECT_EQ(Prototype<TFUENTE>(9, 2).Corriente, 1500.0);
    EXPECT_EQ(Prototype<TInyector>(9, 200).PinesSALIDA().size(), 1u);
    EXPECT_EQ(Prototype<TInyector>(9, 202).Corriente, 500.0);
}

// Dish PO-80Q (10) seeded with 80 dBuV, output 1 -> 10 m CX-68 (24) -> splitter RP-2 (101), output 1
// -> 5 m CX-68 -> cascade outlet TC-10 (10).
TEST_F(DemoSources, DishPushesThroughCableSplitterAndOutlet) {
    auto* dish = Copy<Tantena>(1, 10);
    auto* splitter = Copy<TRepartidor>(7, 101);
    auto* outlet = Copy<TTomaTV>(8, 10);
    ASSERT_TRUE(dish->ConnectPin(0, PinKind::Output, 10.0, Cable(24), 0, PinKind::Input, *splitter));
    ASSERT_TRUE(splitter->ConnectPin(0, PinKind::Output, 5.0, Cable(24), 0, PinKind::Input, *outlet));
    dish->SetInputLevels(LevelVector::Filled(80.0));
    dish->StartPush();

    // Dish EA/SB -20 (terrestrial bands) and 0 dB (satellite bands).
    const std::array<double, 8> dishOut = {60, 60, 60, 60, 80, 80, 80, 80};
    // Cable -3.9 -7.7 -13 -18 -19 -23.1 -26.7 -30 dB per 100 m: 10 m.
    const std::array<double, 8> splitterIn = {59.61, 59.23, 58.7, 58.2, 78.1, 77.69, 77.33, 77.0};
    // Splitter EA/SA -3.8 -3.9 -4 -4.2 -4.4 -4.6 -4.9 -5.2.
    const std::array<double, 8> splitterOut = {55.81, 55.33, 54.7, 54.0, 73.7, 73.09, 72.43, 71.8};
    // 5 m of the same cable.
    const std::array<double, 8> outletIn = {55.615, 54.945, 54.05, 53.1, 72.75, 71.935, 71.095, 70.3};
    // Outlet EA/DA -10 -10 -10.3 -10.6 -10.8 -11 -11.2 -11.5.
    const std::array<double, 8> outletTap = {45.615, 44.945, 43.75, 42.5, 61.95, 60.935, 59.895, 58.8};
    for (std::size_t a = 0; a < 4; ++a) {
        ExpectLevels(dish->PinesSALIDA()[a]->Levels(), dishOut, "dish output");
    }
    ExpectLevels(dish->PinesENTRADA()[0]->Levels(), {80, 80, 80, 80, 80, 80, 80, 80}, "dish input");
    ExpectLevels(splitter->PinesENTRADA()[0]->Levels(), splitterIn, "splitter input");
    ExpectLevels(splitter->PinesSALIDA()[1]->Levels(), splitterOut, "splitter output 2");
    ExpectLevels(outlet->PinesENTRADA()[0]->Levels(), outletIn, "outlet input");
    ExpectLevels(outlet->PinesDERIVACION()[0]->Levels(), outletTap, "outlet tap");
}

// Two dishes, 80 and 70 dBuV seeds, output 1 of each -> 0 m of CX-68 -> inputs 1 and 2 of DQ-21 (1000),
// EA/SA -2 -2 -2.2 -2.5 -2 -2.2 -2.5 -3.
TEST_F(DemoSources, DiseqcSwitchChoosesTheDishOfTheRequestedPolarity) {
    auto* first = Copy<Tantena>(1, 10);
    auto* second = Copy<Tantena>(1, 10);
    auto* diseqc = Copy<TDISECQ>(6, 1000);
    ASSERT_TRUE(first->ConnectPin(0, PinKind::Output, 0.0, Cable(24), 0, PinKind::Input, *diseqc));
    ASSERT_TRUE(second->ConnectPin(0, PinKind::Output, 0.0, Cable(24), 1, PinKind::Input, *diseqc));
    first->SetInputLevels(LevelVector::Filled(80.0));
    second->SetInputLevels(LevelVector::Filled(70.0));
    TPin* out = diseqc->PinesSALIDA()[0];

    first->StartPush();
    EXPECT_EQ(out->Levels(), LevelVector()); // waits for the second dish
    second->StartPush();
    ExpectLevels(out->Levels(), {58, 58, 57.8, 57.5, 78, 77.8, 77.5, 77}, "polarity 0");

    out->polaridad = 5;
    diseqc->PolarityChanged();
    ExpectLevels(out->Levels(), {48, 48, 47.8, 47.5, 68, 67.8, 67.5, 67}, "polarity 5");
    EXPECT_EQ(diseqc->PinesENTRADA()[1]->polaridad, 1);
    EXPECT_EQ(second->PinesSALIDA()[0]->polaridad, 1); // asked of the dish output too
}

TEST_F(DemoSources, ProjectSuppliesAreCopiesThatFeedMultiswitchesAndInjectorsPassTheSignal) {
    auto* supply = Copy<TFUENTE>(9, 2);
    auto* injector = Copy<TInyector>(9, 200);
    auto* splitter = Copy<TRepartidor>(7, 101);
    EXPECT_TRUE(supply->AddFed(splitter));
    EXPECT_EQ(splitter->Feeder(), supply);
    EXPECT_TRUE(injector->AddFed(splitter));
    EXPECT_EQ(splitter->Feeder(), injector);
    EXPECT_TRUE(supply->CompoAlimentar().empty());
    // The injector passes the signal with its EA/SA row -0.8 -0.8 -0.9 -1 -1 -1.1 -1.2 -1.4.
    ASSERT_TRUE(injector->ConnectPin(0, PinKind::Output, 0.0, Cable(24), 0, PinKind::Input, *splitter));
    injector->ReceiveLevel(LevelVector::Filled(90.0), injector->PinesENTRADA()[0]);
    ExpectLevels(splitter->PinesENTRADA()[0]->Levels(), {89.2, 89.2, 89.1, 89, 89, 88.9, 88.8, 88.6},
                 "splitter input");
    TPrimerComponente::Destroy(injector);
    EXPECT_EQ(splitter->Feeder(), nullptr);
}

} // namespace
} // namespace ixo

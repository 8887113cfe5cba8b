#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"
#include "catalogue/element_factory.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace ixo {
namespace {

constexpr int kMsKind = TMultiswitch::kKind;
constexpr double kTolerance = 1e-9;

void ExpectLevels(const LevelVector& actual, const LevelVector& expected, const std::string& what) {
    for (std::size_t band = 0; band < kBandCount; ++band) {
        EXPECT_NEAR(actual[band], expected[band], kTolerance) << what << ", band " << band;
    }
}

LevelVector Split(double terrestrial, double satellite) {
    LevelVector level;
    for (std::size_t band = 0; band < kBandCount; ++band) {
        level[band] = band < kFirstSatelliteBand ? terrestrial : satellite;
    }
    return level;
}

std::vector<std::int32_t> Polarities(const PinList& pins) {
    std::vector<std::int32_t> numbers;
    for (const TPin* pin : pins) {
        numbers.push_back(pin->polaridad);
    }
    return numbers;
}

// The element store built from the demo catalogue with the system's creators.
class DemoMultiswitches : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterCatalogueElements(s_factory);
        s_root = TPrimerComponente::CreateRoot<TPadreTV>().release();
        s_root->SetName("MainForm");
        TCatalogo* catalogue = OpenCatalogue(s_root, test::DemoCatalogueDirectory()).Tables;
        ASSERT_NE(catalogue, nullptr);
        s_store = TPrimerComponente::Create<TalmacenElementos>(s_root, *catalogue, s_factory);
    }
    static void TearDownTestSuite() {
        TPrimerComponente::Destroy(s_root);
        s_root = nullptr;
        s_store = nullptr;
    }

    static const TMultiswitch& Prototype(std::int32_t indice) {
        const auto* ms = s_store->ElementByKind(kMsKind, indice).As<TMultiswitch>();
        EXPECT_NE(ms, nullptr) << "multiswitch " << indice;
        if (ms == nullptr) {
            throw std::runtime_error("no multiswitch " + std::to_string(indice));
        }
        return *ms;
    }
    TMultiswitch& CopyOf(std::int32_t indice) {
        return *TComponenteBase::CreateCopy(owner.get(), Prototype(indice));
    }

    static inline ElementFactory s_factory;
    static inline TPrimerComponente* s_root = nullptr;
    static inline TalmacenElementos* s_store = nullptr;
    std::unique_ptr<TPadreTV> owner = TPrimerComponente::CreateRoot<TPadreTV>();
};

TEST_F(DemoMultiswitches, EveryMultiswitchRecordBecomesAPrototype) {
    std::ostringstream reasons;
    for (const auto& skipped : s_store->SkippedRecords()) {
        reasons << skipped.Kind << "/" << skipped.Indice << " " << skipped.ClassName << ": " << skipped.Reason
                << "\n";
    }
    EXPECT_TRUE(s_store->SkippedRecords().empty()) << reasons.str();
    int multiswitches = 0;
    for (const auto& item : *s_store->ListOfKind(kMsKind)) {
        if (const auto* ms = item.Object.As<TMultiswitch>()) {
            ++multiswitches;
            EXPECT_NE(ms->Familia, 5500) << "DiSEqC switches are not multiswitches";
        }
    }
    EXPECT_EQ(multiswitches, 126); // 129 records of the table less the three DiSEqC switches
}

TEST_F(DemoMultiswitches, PrototypesCarryTheirPolaritiesControlsAndKeys) {
    const TMultiswitch& terminal = Prototype(1); // 5001 MT-504
    EXPECT_FALSE(terminal.IsCascadable());
    EXPECT_EQ(Polarities(terminal.PinesENTRADA()), (std::vector<std::int32_t>{0, 1, -1, 2, 3}));
    EXPECT_EQ(terminal.ATMedia, 5);
    EXPECT_TRUE(terminal.Activo && terminal.Conpot && !terminal.tiponuevo);
    ASSERT_EQ(terminal.LPG().size(), 4u);
    EXPECT_EQ(terminal.LPG()[3].control->PotPol, 3);
    EXPECT_TRUE(terminal.LPG()[3].control->Potvisible);
    EXPECT_DOUBLE_EQ(terminal.LPG()[3].control->Ajuste, 25);

    const TMultiswitch& eight = Prototype(701); // 5200 M8-04: A then eight B, outputs alike
    ASSERT_TRUE(eight.IsCascadable());
    std::vector<std::int32_t> expected{-1, 0, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(Polarities(eight.PinesENTRADA()), expected);
    EXPECT_EQ(Polarities(eight.PinesSALIDA()), expected);
    ASSERT_EQ(eight.LPG().size(), 9u);
    EXPECT_EQ(eight.LPG()[0].control->PotPol, -1);
    EXPECT_EQ(eight.LPG()[8].control->PotPol, 7);
    EXPECT_FALSE(eight.CascadeableCabecera);
    EXPECT_TRUE(Prototype(752).CascadeableCabecera);

    const TMultiswitch& headend = Prototype(401); // 5012 MH-508: no taps, outputs not numbered
    EXPECT_FALSE(headend.IsCascadable());
    EXPECT_EQ(Polarities(headend.PinesSALIDA()), std::vector<std::int32_t>(8, 0));
    EXPECT_EQ(headend.MaxInputLevel(), Split(100, 95));

    const TMultiswitch& attenuator = Prototype(302); // 5020 MN-504-13
    EXPECT_TRUE(attenuator.TieneAttTer && attenuator.tiponuevo);
    EXPECT_EQ(attenuator.CURVAATTTER, "EA/SB");
    EXPECT_EQ(attenuator.ATMedia, 13);
    const TMultiswitch& plate = Prototype(755);
    EXPECT_TRUE(plate.Conpletina);
    EXPECT_EQ(plate.MODELOPLETINA, "PL-9");
}

// A cascade: MN-504-13 (5020/302, cascadable, attenuator) whose pass-through outputs feed the inputs of
// MN-504T (5020/301, terminal), output i to input i. Both take pins B B A B B: polarities 0 1 -1 2 3.
TEST_F(DemoMultiswitches, CascadeOfTwoMultiswitchesGivesHandWorkedLevels) {
    TMultiswitch& upper = CopyOf(302);
    TMultiswitch& lower = CopyOf(301);
    for (std::size_t i = 0; i < 5; ++i) {
        ASSERT_TRUE(TPin::LinkPins(*upper.PinesSALIDA()[i], *lower.PinesENTRADA()[i], nullptr, 0.0, 1));
    }
    // upper: the TER control at 50 % (-10 + 10 x 0.5 = -5 dB at the terrestrial bands), the control of
    // polarity 1 (third in the list, after TER and polarity 0) at 75 % (-8 + 16 x 0.75 = +4 dB).
    upper.LPG()[0].control->SetAjuste(50);
    upper.LPG()[2].control->SetAjuste(75);
    upper.PinesDERIVACION()[0]->polaridad = 1;
    lower.PinesDERIVACION()[0]->polaridad = 1;
    lower.PinesDERIVACION()[1]->polaridad = 3;

    // Polarity k arrives at 80 - 2k dBuV (40 at the terrestrial bands), the terrestrial line at 90 (40).
    for (TPin* in : upper.PinesENTRADA()) {
        upper.ReceiveLevel(in->polaridad < 0 ? Split(90, 40) : Split(40, 80 - 2.0 * in->polaridad), in);
    }

    // Pass-through: input + EB/SB (-1.5 -1.7 -1.9 -2.1) or EA/SA (-1.2 -1.2 -1.3 -1.5), no mix.
    ExpectLevels(upper.PinesSALIDA()[0]->Levels(), {10, 10, 10, 10, 78.5, 78.3, 78.1, 77.9}, "upper out 0");
    ExpectLevels(upper.PinesSALIDA()[1]->Levels(), {10, 10, 10, 10, 80.5, 80.3, 80.1, 79.9}, "upper out 1");
    ExpectLevels(upper.PinesSALIDA()[2]->Levels(), {88.8, 88.8, 88.7, 88.5, 10, 10, 10, 10}, "upper out TER");
    ExpectLevels(upper.PinesSALIDA()[4]->Levels(), {10, 10, 10, 10, 72.5, 72.3, 72.1, 71.9}, "upper out 4");
    // Tap on polarity 1: 78 + EB/DA (-12 -12.4 -12.9 -13.5) + 4; terrestrial 90 + EA/DA (-14 -14 -14.2
    // -14.5) - 5.
    ExpectLevels(upper.PinesDERIVACION()[0]->Levels(), {71, 71, 70.8, 70.5, 70, 69.6, 69.1, 68.5},
                 "upper tap");

    // lower: SAT controls at 25 % (-10 + 20 x 0.25 = -5 dB), TER at 100 % (0 dB). Tap on polarity 1:
    // upper out 1 + EB/DA (-3 -2.3 -1.6 -1) - 5; terrestrial upper out TER + EA/DA (-10 -10 -10.5 -11).
    ExpectLevels(lower.PinesDERIVACION()[0]->Levels(), {78.8, 78.8, 78.2, 77.5, 72.5, 73.0, 73.5, 73.9},
                 "lower tap on polarity 1");
    ExpectLevels(lower.PinesDERIVACION()[1]->Levels(), {78.8, 78.8, 78.2, 77.5, 64.5, 65.0, 65.5, 65.9},
                 "lower tap on polarity 3");

    // The attenuator of upper switched to 0: its taps take the EA/SB row (-29 -29 -29.2 -29.5) without the
    // TER control; its pass-through, and so the lower multiswitch, are unchanged.
    upper.AttenuarTer = 0;
    TPin* terrestrial = upper.InputOfPolarity(-1);
    upper.ReceiveLevel(Split(90, 40), terrestrial);
    ExpectLevels(upper.PinesDERIVACION()[0]->Levels(), {61, 61, 60.8, 60.5, 70, 69.6, 69.1, 68.5},
                 "upper tap attenuated");
    ExpectLevels(lower.PinesDERIVACION()[0]->Levels(), {78.8, 78.8, 78.2, 77.5, 72.5, 73.0, 73.5, 73.9},
                 "lower tap after the switch");
    LevelVector evaluated;
    ASSERT_TRUE(upper.EvaluateOutput(upper.PinesDERIVACION()[0], evaluated));
    EXPECT_EQ(evaluated, upper.PinesDERIVACION()[0]->Levels());
}

TEST_F(DemoMultiswitches, RegulationLimitOfTheDemoModels) {
    LevelVector limit = Prototype(302).MaxInputForRegulation();
    ExpectLevels(limit, Split(95, 77.958800173440752), "95/90 dBuV model");
}

} // namespace
} // namespace ixo

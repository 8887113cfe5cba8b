#include "model/ampli_header.h"
#include "model/binary_property.h"
#include "model/padre_tv.h"
#include "model/potenciometro.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace ixo {
namespace {

using test::AppendDoubleBits;
using test::ByteVector;

TPotenciometro* MakeControl(TPrimerComponente* owner, std::uint8_t tipo, std::string caption) {
    auto* control = TPrimerComponente::Create<TPotenciometro>(owner);
    control->Tipo = tipo;
    control->Caption = std::move(caption);
    return control;
}

TEST(Potentiometer, ValueIsLinearBetweenBothEnds) {
    auto control = TPrimerComponente::CreateRoot<TPotenciometro>();
    LevelVector at100 = LevelVector::Filled(30.0);
    at100[7] = -4.0;
    control->SetGains(LevelVector::Filled(10.0), at100);
    control->Ajuste = 50.0;
    EXPECT_EQ(control->Value()[0], 20.0);
    EXPECT_EQ(control->Value()[7], 3.0);
    control->SetAjuste(25.0); // no owner: just the position
    EXPECT_EQ(control->Value()[0], 15.0);
    control->SetAjuste(0.0);
    EXPECT_EQ(control->Value(), LevelVector::Filled(10.0));
}

TEST(Potentiometer, CopyTakesEveryFieldAndBothVectors) {
    auto owner = TPrimerComponente::CreateRoot<TPadreTV>();
    auto* control = MakeControl(owner.get(), TPotenciometroBase8::kSlope, "SLOPE");
    control->Ajuste = 33.5;
    control->Regulacion = 2;
    control->Tipo2 = 4;
    control->Potvisible = false;
    control->PotPol = 3;
    control->SetGains(LevelVector::Filled(-1.0), LevelVector::Filled(7.0));
    auto* copy = static_cast<TPotenciometro*>(control->Clone(owner.get()));
    EXPECT_EQ(copy->ClassName(), "TPotenciometro");
    EXPECT_NE(copy->Name(), control->Name());
    EXPECT_EQ(copy->Tipo, TPotenciometroBase8::kSlope);
    EXPECT_EQ(copy->Ajuste, 33.5);
    EXPECT_EQ(copy->Regulacion, 2);
    EXPECT_EQ(copy->Caption, "SLOPE");
    EXPECT_EQ(copy->Tipo2, 4);
    EXPECT_FALSE(copy->Potvisible);
    EXPECT_EQ(copy->PotPol, 3);
    EXPECT_EQ(copy->GainsAt0(), LevelVector::Filled(-1.0));
    EXPECT_EQ(copy->GainsAt100(), LevelVector::Filled(7.0));
}

TEST(Potentiometer, DatosPHoldsTheGainsAt100ThenAt0) {
    auto control = TPrimerComponente::CreateRoot<TPotenciometro>();
    control->SetGains(LevelVector::Filled(0.5), LevelVector::Filled(2.0));
    auto blocks = WriteBinaryProperties(*control);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].name, "DatosP");
    ByteVector expected;
    AppendDoubleBits(expected, test::kBitsTwo, 8);
    AppendDoubleBits(expected, test::kBitsHalf, 8);
    EXPECT_EQ(blocks[0].bytes, expected);

    // Written even when both vectors are zero; read back into another control.
    auto other = TPrimerComponente::CreateRoot<TPotenciometro>();
    ASSERT_EQ(WriteBinaryProperties(*other).size(), 1u);
    ASSERT_TRUE(ReadBinaryProperty(*other, "DatosP", expected));
    EXPECT_EQ(other->GainsAt100(), LevelVector::Filled(2.0));
    EXPECT_EQ(other->GainsAt0(), LevelVector::Filled(0.5));
    for (std::size_t size : {0u, 8u, 64u, 127u}) {
        ByteVector prefix(expected.begin(), expected.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_THROW(ReadBinaryProperty(*other, "DatosP", prefix), StreamError) << size;
    }
}

// An amplifier with gain controls VHF, VHF, UHF and a slope control VHF.
class ControlsMovingTogether : public ::testing::Test {
protected:
    ControlsMovingTogether() {
        for (auto [tipo, caption] : {std::pair{TPotenciometroBase8::kGain, "VHF"},
                                     {TPotenciometroBase8::kGain, "VHF"},
                                     {TPotenciometroBase8::kGain, "UHF"},
                                     {TPotenciometroBase8::kSlope, "VHF"}}) {
            auto* control = MakeControl(amplifier.get(), tipo, caption);
            amplifier->AddControl(control);
        }
    }
    TPotenciometroBase8& Gain(std::size_t i) { return *amplifier->LPG()[i]; }
    TPotenciometroBase8& Slope(std::size_t i) { return *amplifier->LPP()[i]; }

    std::unique_ptr<TAmpliHeader> amplifier = TPrimerComponente::CreateRoot<TAmpliHeader>();
};

TEST_F(ControlsMovingTogether, EqualCaptionsOfTheSameListFollow) {
    ASSERT_EQ(amplifier->LPG().size(), 3u);
    ASSERT_EQ(amplifier->LPP().size(), 1u);
    amplifier->PotJuntos = true;
    Gain(1).SetAjuste(70.0);
    EXPECT_EQ(Gain(0).Ajuste, 70.0);
    EXPECT_EQ(Gain(1).Ajuste, 70.0);
    EXPECT_EQ(Gain(2).Ajuste, 0.0);  // another caption
    EXPECT_EQ(Slope(0).Ajuste, 0.0); // slope controls are another list
    EXPECT_FALSE(amplifier->Igualando);
    Slope(0).SetAjuste(10.0);
    EXPECT_EQ(Gain(0).Ajuste, 70.0);
}

TEST_F(ControlsMovingTogether, NothingFollowsWithoutPotJuntosOrWhileEqualising) {
    Gain(0).SetAjuste(40.0);
    EXPECT_EQ(Gain(1).Ajuste, 0.0);
    amplifier->PotJuntos = true;
    amplifier->Igualando = true;
    Gain(0).SetAjuste(60.0);
    EXPECT_EQ(Gain(1).Ajuste, 0.0);
    EXPECT_TRUE(amplifier->Igualando);
}

TEST_F(ControlsMovingTogether, CaptionsAreComparedByteForByte) {
    amplifier->PotJuntos = true;
    Gain(2).Caption = "vhf";
    Gain(0).SetAjuste(80.0);
    EXPECT_EQ(Gain(1).Ajuste, 80.0);
    EXPECT_EQ(Gain(2).Ajuste, 0.0);
}

TEST_F(ControlsMovingTogether, ADestroyedControlLeavesItsList) {
    TPrimerComponente::Destroy(&Gain(0));
    ASSERT_EQ(amplifier->LPG().size(), 2u);
    EXPECT_EQ(Gain(1).Caption, "UHF");
    amplifier->PotJuntos = true;
    Gain(0).SetAjuste(5.0);
    EXPECT_EQ(Gain(0).Ajuste, 5.0);
}

} // namespace
} // namespace ixo

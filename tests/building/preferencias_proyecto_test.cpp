#include "building/lista_niveles.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "common/binary_stream.h"
#include "model/binary_property.h"
#include "model/cable_tv.h"
#include "model/model_test_support.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

#include <span>

namespace ixo {
namespace {

using test::Append;
using test::AppendDoubleBits;
using test::AppendText;
using test::ByteVector;

constexpr std::uint64_t kBits60 = 0x404E000000000000;
constexpr std::uint64_t kBits80 = 0x4054000000000000;
constexpr std::uint64_t kBits50 = 0x4049000000000000;
constexpr std::uint64_t kBits70 = 0x4051800000000000;

std::unique_ptr<TpreferenciasProyecto> NewPreferences() {
    auto preferences = TPrimerComponente::CreateRoot<TpreferenciasProyecto>();
    preferences->SetName("Preferencias");
    return preferences;
}

// The single block named name that component writes now, or none.
std::optional<ByteVector> BlockOf(TPrimerComponente& component, std::string_view name) {
    for (auto& block : WriteBinaryProperties(component)) {
        if (block.name == name) {
            return block.bytes;
        }
    }
    return std::nullopt;
}

TEST(Preferences, ObjectDefaults) {
    auto preferences = NewPreferences();
    SettingsRecord expected;
    expected.HD_FAM_REP_CAB = 1002;
    expected.HD_ICTERR = true;
    EXPECT_EQ(preferences->Registro(), expected);
    EXPECT_EQ(preferences->NoutletViv, 0);
    EXPECT_EQ(preferences->Nverticales, 0);
    EXPECT_TRUE(preferences->DisViv().empty());
    EXPECT_EQ(preferences->ListaCables().Count(), 0u);
    EXPECT_EQ(preferences->Niveles().Count(), 0u);
    EXPECT_EQ(preferences->Cable(0), nullptr);
}

TEST(Preferences, CopiarRegistroTakesEveryField) {
    auto preferences = NewPreferences();
    SettingsRecord record = DefaultSettings();
    record.DistanciaTomas = 7.25;
    record.HD_FamiliaAmpFI8 = 41001;
    record.HD_ICTERR = false;
    record.Viv_FamiliaAmplificador = 39001;
    preferences->CopiarRegistro(record);
    EXPECT_EQ(preferences->Registro(), record);
    EXPECT_DOUBLE_EQ(preferences->DistanciaTomas, 7.25);
    EXPECT_EQ(preferences->Viv_FamiliaTomascascada, 4);
    EXPECT_FALSE(preferences->HD_ICTERR);
}

TEST(Preferences, LimitsOutsideTheListAreMinusOne) {
    auto preferences = NewPreferences();
    EXPECT_DOUBLE_EQ(preferences->Minimo(0), -1.0);
    preferences->AsignarNiveles(DefaultLevelLimits());
    EXPECT_DOUBLE_EQ(preferences->Minimo(0), 60.0);
    EXPECT_DOUBLE_EQ(preferences->Maximo(0), 80.0);
    EXPECT_DOUBLE_EQ(preferences->Minimo(1), 50.0);
    EXPECT_DOUBLE_EQ(preferences->Maximo(1), 70.0);
    EXPECT_DOUBLE_EQ(preferences->Minimo(2), -1.0);
    EXPECT_DOUBLE_EQ(preferences->Maximo(-1), -1.0);

    TMatestructuranivel read{{"X", 1, 2}, {"Y", 3, 4}, {"Z", 5, 6}};
    preferences->LeerNiveles(read);
    EXPECT_EQ(read, DefaultLevelLimits());
    preferences->AsignarNiveles({{"ONLY", 10, 20}});
    EXPECT_EQ(preferences->Niveles().Count(), 1u);
    EXPECT_DOUBLE_EQ(preferences->Maximo(1), -1.0);
}

TEST(Preferences, CableListFromTheCatalogueModels) {
    auto preferences = NewPreferences();
    preferences->CopiarRegistro(DefaultSettings());
    preferences->CrearListaCables(&test::DemoStore());
    ASSERT_EQ(preferences->ListaCables().Count(), 5u);
    const std::int32_t expected[5] = {24, 24, 30, 24, 26}; // flat, headend, riser, floor, trunk
    for (int i = 0; i < 5; ++i) {
        TCableTV* cable = preferences->Cable(i);
        ASSERT_NE(cable, nullptr);
        EXPECT_EQ(cable->Indice, expected[i]) << i;
        EXPECT_EQ(cable->Familia, 9001) << i;
        EXPECT_EQ(cable->Owner(), preferences.get());
        EXPECT_NE(cable->Coefficients()[7], 0.0) << "catalogue attenuation of cable " << i;
    }
    // A second call replaces the five cables instead of adding to them.
    preferences->DIs_DModeloCable = 4242; // not in the catalogue: class defaults
    preferences->CrearListaCables(&test::DemoStore());
    ASSERT_EQ(preferences->ListaCables().Count(), 5u);
    EXPECT_EQ(preferences->ComponentCount(), 6u); // five cables and the limits list
    EXPECT_EQ(preferences->Cable(2)->Indice, 0);
    EXPECT_EQ(preferences->Cable(2)->Coefficients()[7], 0.0);
    EXPECT_EQ(preferences->Cable(5), nullptr);
}

TEST(Preferences, FreedCableLeavesTheList) {
    auto preferences = NewPreferences();
    preferences->CrearListaCables(nullptr);
    TPrimerComponente::Destroy(preferences->Cable(1));
    EXPECT_EQ(preferences->ListaCables().Count(), 4u);
}

// Rows of different lengths, an empty row and a negative value.
TEST(PreferencesDisViv, GoldenBytesAndRoundTrip) {
    auto preferences = NewPreferences();
    EXPECT_FALSE(BlockOf(*preferences, "DisViv").has_value()) << "an empty table writes nothing";
    preferences->AsignarDisViv({{3, 1}, {}, {-1}});
    ByteVector expected;
    Append(expected, {3, 0, 0, 0});
    Append(expected, {2, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0});
    Append(expected, {0, 0, 0, 0});
    Append(expected, {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
    auto written = BlockOf(*preferences, "DisViv");
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written, expected);

    auto copy = NewPreferences();
    ASSERT_TRUE(ReadBinaryProperty(*copy, "DisViv", expected));
    EXPECT_EQ(copy->DisViv(), preferences->DisViv());
}

TEST(PreferencesDisViv, TruncatedOrOversizedDataIsRefused) {
    ByteVector bytes;
    Append(bytes, {2, 0, 0, 0, 1, 0, 0, 0, 9, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0});
    auto preferences = NewPreferences();
    preferences->AsignarDisViv({{8}});
    test::ExpectEveryTruncationFails(bytes, [&](BinaryReader& reader) { preferences->ReadDisViv(reader); });
    EXPECT_EQ(preferences->DisViv(), (TpreferenciasProyecto::FlatsTable{{8}}))
        << "a failed read changes nothing";

    ByteVector longer = bytes;
    longer.push_back(0);
    EXPECT_THROW(ReadBinaryProperty(*preferences, "DisViv", longer), StreamError);
    ByteVector huge;
    Append(huge, {0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0});
    EXPECT_THROW(ReadBinaryProperty(*preferences, "DisViv", huge), StreamError);
    ByteVector negative;
    Append(negative, {0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_THROW(ReadBinaryProperty(*preferences, "DisViv", negative), StreamError);
}

ByteVector LimitsSample() {
    ByteVector bytes;
    Append(bytes, {2, 0, 0, 0});
    Append(bytes, {4, 0, 0, 0});
    AppendText(bytes, "TERR");
    AppendDoubleBits(bytes, kBits60);
    AppendDoubleBits(bytes, kBits80);
    Append(bytes, {0, 0, 0, 0}); // an empty name
    AppendDoubleBits(bytes, kBits50);
    AppendDoubleBits(bytes, kBits70);
    return bytes;
}

TEST(LevelLimitsData, GoldenBytesWithAnEmptyName) {
    auto preferences = NewPreferences();
    Tlistaobjetonivel& limits = preferences->Niveles();
    EXPECT_FALSE(BlockOf(limits, "NIVELES").has_value()) << "an empty list writes nothing";
    limits.AsignarNiveles({{"TERR", 60, 80}, {"", 50, 70}});
    auto written = BlockOf(limits, "NIVELES");
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written, LimitsSample());

    auto other = NewPreferences();
    other->Niveles().AsignarNiveles({{"OLD", 1, 2}, {"OLD", 3, 4}, {"OLD", 5, 6}});
    ASSERT_TRUE(ReadBinaryProperty(other->Niveles(), "NIVELES", LimitsSample()));
    TMatestructuranivel read;
    other->LeerNiveles(read);
    EXPECT_EQ(read, (TMatestructuranivel{{"TERR", 60, 80}, {"", 50, 70}}));
}

TEST(LevelLimitsData, NamesUseTheSingleByteCodePage) {
    auto limits = TPrimerComponente::CreateRoot<Tlistaobjetonivel>();
    limits->AsignarNiveles({{"Se\xC3\xB1"
                             "al",
                             1, 2}}); // "Señal" in UTF-8
    ByteVector expected;
    Append(expected, {1, 0, 0, 0, 5, 0, 0, 0, 'S', 'e', 0xF1, 'a', 'l'});
    AppendDoubleBits(expected, 0x3FF0000000000000);
    AppendDoubleBits(expected, test::kBitsTwo);
    EXPECT_EQ(BlockOf(*limits, "NIVELES"), expected);
    auto copy = TPrimerComponente::CreateRoot<Tlistaobjetonivel>();
    ASSERT_TRUE(ReadBinaryProperty(*copy, "NIVELES", expected));
    EXPECT_EQ((*copy)[0].NombreNivel, "Se\xC3\xB1"
                                      "al");
}

TEST(LevelLimitsData, TruncatedOrOversizedDataIsRefused) {
    auto limits = TPrimerComponente::CreateRoot<Tlistaobjetonivel>();
    limits->AsignarNiveles({{"KEEP", 1, 2}});
    test::ExpectEveryTruncationFails(LimitsSample(),
                                     [&](BinaryReader& reader) { limits->ReadNiveles(reader); });
    ASSERT_EQ(limits->Count(), 1u);
    EXPECT_EQ((*limits)[0].NombreNivel, "KEEP");
    ByteVector longer = LimitsSample();
    longer.push_back(0);
    EXPECT_THROW(ReadBinaryProperty(*limits, "NIVELES", longer), StreamError);
    ByteVector badName;
    Append(badName, {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F});
    AppendDoubleBits(badName, kBits60, 2);
    EXPECT_THROW(ReadBinaryProperty(*limits, "NIVELES", badName), StreamError);
}

} // namespace
} // namespace ixo

#include "building/preferencias_proyecto.h"
#include "catalogue/tabla_compo_script.h"
#include "model/class_registry.h"
#include "model/padre_tv.h"
#include "model/pin.h"
#include "model/repartidor.h"
#include "persistence/component_filer.h"
#include "persistence/persisted_classes.h"
#include "persistence/published_properties.h"
#include "settings/settings_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ixo {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Hand-written stream bytes.
class ByteBuilder {
public:
    ByteBuilder& Raw(std::initializer_list<int> values) {
        for (int v : values) {
            m_bytes.push_back(static_cast<std::uint8_t>(v));
        }
        return *this;
    }
    ByteBuilder& Text(std::string_view text) {
        for (char c : text) {
            m_bytes.push_back(static_cast<std::uint8_t>(c));
        }
        return *this;
    }
    ByteBuilder& Short(std::string_view text) {
        Raw({static_cast<int>(text.size())});
        return Text(text);
    }
    ByteBuilder& Header(std::string_view cls, std::string_view name) {
        return Text("TPF0").Short(cls).Short(name);
    }
    ByteBuilder& Int8(std::string_view name, int value) { return Short(name).Raw({2, value & 0xFF}); }
    ByteBuilder& False(std::string_view name) { return Short(name).Raw({8}); }
    ByteBuilder& Char(std::string_view name, char c) { return Short(name).Raw({6, 1, c}); }
    ByteBuilder& String(std::string_view name, std::string_view value) {
        return Short(name).Raw({6}).Short(value);
    }
    ByteBuilder& List(std::string_view name, std::initializer_list<std::string_view> items) {
        Short(std::string(name) + ".Strings").Raw({1});
        for (std::string_view item : items) {
            Raw({6}).Short(item);
        }
        return Raw({0});
    }
    const Bytes& Get() const { return m_bytes; }

private:
    Bytes m_bytes;
};

Bytes StreamOf(TPrimerComponente& component) {
    BinaryWriter out;
    WriteComponentStream(component, out);
    return out.TakeBytes();
}

ComponentStreamRecord Parse(const Bytes& bytes) {
    BinaryReader reader(bytes);
    return ReadComponentStream(reader);
}

class SplitterStream : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterPersistedClasses();
        table = TPrimerComponente::CreateRoot<TTablaCompoScript>();
        table->SetName("TRepartidores");
        red = TPrimerComponente::CreateRoot<TPadreTV>();
        red->SetName("RedTV");
        splitter = TPrimerComponente::Create<TRepartidor>(red.get());
        splitter->Tabla = table.get();
        splitter->Familia = 1002;
        splitter->Indice = 3;
        splitter->Modelo = "R2";
        splitter->Nentradas = 1;
        splitter->Nsalidas = 2;
        splitter->SetStoredPinNames(PinKind::Input, {"Pin1EA"});
        splitter->SetStoredPinNames(PinKind::Output, {"Pin1SA", "Pin2SA"});
        AddPin('E', 1, "Pin1EA");
        AddPin('S', 2, "Pin2SA"); // out of order: the stored names put it second
        AddPin('S', 1, "Pin1SA");
    }
    TPin* AddPin(char kind, int number, std::string name) {
        auto* pin = TPrimerComponente::Create<TPin>(splitter);
        pin->TipodePin = kind;
        pin->Prefijo = 'A';
        pin->Numeracion = number;
        pin->NombrePinExterno = std::move(name);
        EXPECT_TRUE(splitter->AttachStoredPin(*pin));
        return pin;
    }

    std::unique_ptr<TTablaCompoScript> table;
    std::unique_ptr<TPadreTV> red;
    TRepartidor* splitter = nullptr;
};

TEST_F(SplitterStream, ElementStreamMatchesTheHandWrittenBytes) {
    ByteBuilder expected;
    expected.Header("TRepartidor", "RepartidorRe1")
        .Int8("Numero_Interno", 1)
        .Short("Familia")
        .Raw({3, 0xEA, 0x03})
        .Int8("Indice", 3)
        .String("Modelo", "R2")
        .Short("Tabla")
        .Raw({7})
        .Short("TRepartidores.Owner")
        .False("Obsoleto")
        .Int8("NumeroArray", 0)
        .Int8("Nsalidas", 2)
        .Int8("Nderivaciones", 0)
        .List("PinesENTRADA", {"Pin1EA"})
        .List("PinesSALIDA", {"Pin1SA", "Pin2SA"})
        .Int8("Nentradas", 1)
        .False("Nocontabilizardoble")
        .Int8("Npolaridades", 0)
        .Short("FamiliaHermana")
        .Raw({3, 0xEA, 0x03})
        .Int8("ConsumoPasivo", 0)
        .Int8("ConsumoActivo", 0)
        .Int8("CorrienteMaxima", 0)
        .Short("DCBFT")
        .Raw({10, 4, 0, 0, 0, 0, 0, 0, 0}) // a transfer function without entries
        .Raw({0, 0});
    EXPECT_EQ(StreamOf(*splitter), expected.Get());
}

TEST_F(SplitterStream, PinStreamMatchesTheHandWrittenBytes) {
    TPin* second = splitter->PinesSALIDA()[1];
    ASSERT_EQ(second->NombrePinExterno, "Pin2SA");
    ByteBuilder expected;
    expected.Header("TPin", second->Name())
        .Int8("Numero_Interno", second->Numero_Interno())
        .Char("Prefijo", 'A')
        .Char("TipodePin", 'S')
        .Int8("Numeroarray", 1)
        .Int8("Numeracion", 2)
        .String("NombrePinExterno", "Pin2SA")
        .Int8("polaridad", 0)
        .Short("DatosPinbase")
        .Raw({10, 46, 0, 0, 0})
        .Raw({0})                                           // DC pass data: flag,
        .Raw({0, 0, 0, 0, 0, 0, 0, 0})                      // first value 0.0,
        .Raw({0, 0, 0, 0})                                  // code,
        .Raw({0, 0, 0, 0, 0, 0x40, 0xAF, 0x40})             // second value 4000.0
        .Raw({0, 0})                                        // no connectors
        .Raw({1, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 4, 0, 3}) // the load ...
        .Text("FCF")
        .Raw({75, 0, 0, 0, 0})
        .Raw({0, 0});
    const Bytes actual = StreamOf(*second);
    ASSERT_EQ(actual.size(), expected.Get().size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i], expected.Get()[i]) << "at byte " << i;
    }
}

TEST_F(SplitterStream, ReadingTheStreamIntoANewElementGivesTheSameStream) {
    const Bytes original = StreamOf(*splitter);
    auto other = TPrimerComponente::CreateRoot<TPadreTV>();
    auto* copy = TPrimerComponente::Create<TRepartidor>(other.get());
    copy->SetName(splitter->Name()); // names are the reader's business
    copy->Tabla = table.get();
    ApplyComponentRecord(*copy, Parse(original));
    EXPECT_EQ(copy->Familia, 1002);
    EXPECT_EQ(copy->Modelo, "R2");
    // The pins come later: until they do, the lists are empty and the names wait.
    EXPECT_TRUE(copy->PinesSALIDA().empty());
    for (TPin* pin : splitter->PinesSALIDA()) {
        auto* read = TPrimerComponente::Create<TPin>(copy);
        ApplyComponentRecord(*read, Parse(StreamOf(*pin)));
        EXPECT_TRUE(copy->AttachStoredPin(*read));
    }
    auto* input = TPrimerComponente::Create<TPin>(copy);
    ApplyComponentRecord(*input, Parse(StreamOf(*splitter->PinesENTRADA()[0])));
    EXPECT_TRUE(copy->AttachStoredPin(*input));
    EXPECT_FALSE(copy->AttachStoredPin(*input)); // listed once only
    EXPECT_EQ(copy->PinesSALIDA()[1]->NombrePinExterno, "Pin2SA");
    EXPECT_EQ(StreamOf(*copy), original);
}

TEST_F(SplitterStream, AcceptsEveryTagOfAKindAndRejectsOthers) {
    auto apply = [&](const Bytes& property) {
        ByteBuilder bytes;
        bytes.Header("TRepartidor", "X");
        Bytes all = bytes.Get();
        all.insert(all.end(), property.begin(), property.end());
        all.push_back(0);
        all.push_back(0);
        ApplyComponentRecord(*splitter, Parse(all));
    };
    apply(ByteBuilder().Short("Indice").Raw({4, 7, 0, 0, 0}).Get());
    EXPECT_EQ(splitter->Indice, 7);
    apply(ByteBuilder().Short("Indice").Raw({19, 8, 0, 0, 0, 0, 0, 0, 0}).Get());
    EXPECT_EQ(splitter->Indice, 8);
    apply(ByteBuilder().Short("modelo").Raw({12, 2, 0, 0, 0}).Text("R9").Get());
    EXPECT_EQ(splitter->Modelo, "R9");
    apply(ByteBuilder().Short("Consumolin").Raw({2, 5}).Get());
    EXPECT_EQ(splitter->Consumolin, 5.0);
    apply(ByteBuilder().Short("Tabla").Raw({13}).Get());
    EXPECT_EQ(splitter->Tabla, table.get()); // references are not resolved when read

    EXPECT_THROW(apply(ByteBuilder().Short("Indice").Raw({6, 1, '7'}).Get()), StreamError);
    EXPECT_THROW(apply(ByteBuilder().Short("Indice").Raw({19, 0, 0, 0, 0, 1, 0, 0, 0}).Get()), StreamError);
    EXPECT_THROW(apply(ByteBuilder().Short("Obsoleto").Raw({2, 1}).Get()), StreamError);
    EXPECT_THROW(apply(ByteBuilder().Short("Sinsentido").Raw({2, 1}).Get()), StreamError);
    EXPECT_THROW(apply(ByteBuilder().Short("PinesENTRADA").Raw({1, 0}).Get()), StreamError);
    EXPECT_THROW(apply(ByteBuilder().List("Indice", {"x"}).Get()), StreamError);
    EXPECT_THROW(apply(ByteBuilder().Short("PinesENTRADA.Strings").Raw({1, 2, 1, 0}).Get()), StreamError);
    EXPECT_THROW(apply(ByteBuilder().Short("Desconocido").Raw({10, 0, 0, 0, 0}).Get()), StreamError);
    auto* pin = splitter->PinesENTRADA()[0];
    auto pinApply = [&](const Bytes& property) {
        Bytes all = ByteBuilder().Header("TPin", "P").Get();
        all.insert(all.end(), property.begin(), property.end());
        all.push_back(0);
        all.push_back(0);
        ApplyComponentRecord(*pin, Parse(all));
    };
    EXPECT_THROW(pinApply(ByteBuilder().Short("Prefijo").Raw({6, 2, 'A', 'B'}).Get()), StreamError);
    pinApply(ByteBuilder().Short("Prefijo").Raw({20, 2, 0, 0, 0, 0xC3, 0x91}).Get()); // U+00D1, one byte
    EXPECT_EQ(pin->Prefijo, static_cast<char>(0xD1));
    // A stream of another class is not read into this element.
    EXPECT_THROW(
        ApplyComponentRecord(*splitter, Parse(ByteBuilder().Header("TTomaTV", "T").Raw({0, 0}).Get())),
        StreamError);
}

// A writer stores properties in declaration order, and the reader looks each name up just past the last
// one found; a record in another order, with other letter case, a property given twice and a name that
// is not a property must read exactly as a lookup by name would.
TEST_F(SplitterStream, ReadsPropertiesInAnyOrderAndLetterCase) {
    const Bytes record = ByteBuilder()
                             .Header("TRepartidor", "X")
                             .Int8("NSALIDAS", 3)
                             .List("pinesentrada", {"Pin1EA"})
                             .String("Modelo", "R7")
                             .Short("familia")
                             .Raw({3, 0xEB, 0x03})
                             .Int8("Indice", 4)
                             .Int8("Indice", 5) // the later value wins
                             .Int8("Nentradas", 1)
                             .Raw({0, 0})
                             .Get();
    ApplyComponentRecord(*splitter, Parse(record));
    EXPECT_EQ(splitter->Nsalidas, 3);
    EXPECT_EQ(splitter->Modelo, "R7");
    EXPECT_EQ(splitter->Familia, 1003);
    EXPECT_EQ(splitter->Indice, 5);
    EXPECT_EQ(splitter->Nentradas, 1);
    // A list stored under its plain name, and a plain property stored as a list, are not found in
    // either order.
    const Bytes listAsPlain = ByteBuilder()
                                  .Header("TRepartidor", "X")
                                  .Int8("Indice", 1)
                                  .Short("PinesSALIDA")
                                  .Raw({1, 0})
                                  .Raw({0, 0})
                                  .Get();
    EXPECT_THROW(ApplyComponentRecord(*splitter, Parse(listAsPlain)), StreamError);
    const Bytes plainAsList =
        ByteBuilder().Header("TRepartidor", "X").List("Modelo", {"R2"}).Int8("Indice", 1).Raw({0, 0}).Get();
    EXPECT_THROW(ApplyComponentRecord(*splitter, Parse(plainAsList)), StreamError);
}

TEST(PublishedProperties, EveryRegisteredComponentClassIsDeclaredAndReadsBackItsOwnStream) {
    RegisterPersistedClasses();
    const PublishedPropertyTable& table = PublishedPropertyTable::Instance();
    ClassRegistry& registry = ClassRegistry::Instance();
    for (const std::string& name : registry.ComponentClassNames()) {
        auto owner = TPrimerComponente::CreateRoot<TPadreTV>();
        TPrimerComponente* component = registry.CreateComponent(name, owner.get());
        ASSERT_NE(component, nullptr) << name;
        EXPECT_TRUE(table.IsDeclared(component->ClassInfo())) << name;
        const Bytes stream = StreamOf(*component);
        auto other = TPrimerComponente::CreateRoot<TPadreTV>();
        TPrimerComponente* fresh = registry.CreateComponent(name, other.get());
        ApplyComponentRecord(*fresh, Parse(stream));
        EXPECT_EQ(StreamOf(*fresh), stream) << name;
    }
}

TEST(PublishedProperties, ListsTheBaseClassPropertiesFirstInDeclarationOrder) {
    const auto properties = PublishedPropertyTable::Instance().PropertiesOf(TPin::StaticClass());
    std::vector<std::string> names;
    for (const PublishedProperty* p : properties) {
        names.push_back(p->name);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"Numero_Interno", "Prefijo", "TipodePin", "Numeroarray", "Numeracion",
                                        "MetrosCable", "NombrePinExterno", "polaridad"}));
}

} // namespace
} // namespace ixo

namespace ixo {
namespace {

// The preferences store the settings block through the settings table: every field a project keeps,
// in the record's order and under its own name, written and read back with a distinct value each.
TEST(PublishedProperties, PreferencesStoreTheSettingsBlockInTheRecordsOrder) {
    RegisterPersistedClasses();
    const auto properties =
        PublishedPropertyTable::Instance().PropertiesOf(TpreferenciasProyecto::StaticClass());
    std::vector<std::string> names;
    for (const PublishedProperty* p : properties) {
        names.push_back(p->name);
    }
    std::vector<std::string> expected{"Numero_Interno"};
    for (const SettingField& field : SettingFields()) {
        if (field.key != "AMP_FAM") {
            expected.emplace_back(field.property);
        }
    }
    ASSERT_GE(names.size(), expected.size());
    EXPECT_EQ(
        std::vector<std::string>(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(expected.size())),
        expected);
    EXPECT_EQ(std::count(names.begin(), names.end(), "Viv_FamiliaAmplificador"), 0);

    auto root = TPrimerComponente::CreateRoot<TPadreTV>();
    auto* written = TPrimerComponente::Create<TpreferenciasProyecto>(root.get());
    written->SetName("Preferencias");
    int value = 1;
    for (const SettingField& field : SettingFields()) {
        std::visit(
            [&](auto member) {
                using Value = std::remove_reference_t<decltype(written->*member)>;
                written->*member = std::is_same_v<Value, bool> ? Value(value % 2) : Value(value);
            },
            field.member);
        ++value;
    }
    written->HD_ICTERR = false; // the opposite of a new object's, so that reading it is seen
    auto* read = TPrimerComponente::Create<TpreferenciasProyecto>(root.get());
    ApplyComponentRecord(*read, Parse(StreamOf(*written)));
    SettingsRecord expectedRecord = written->Registro();
    expectedRecord.Viv_FamiliaAmplificador = 0; // not stored
    EXPECT_EQ(read->Registro(), expectedRecord);
}

} // namespace
} // namespace ixo

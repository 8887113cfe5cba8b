#include "model/class_registry.h"
#include "model/padre_tv.h"
#include "model/pin.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

TEST(ClassRegistry, ModelClassesAreCreatedByName) {
    RegisterModelClasses();
    RegisterModelClasses(); // harmless twice
    ClassRegistry& registry = ClassRegistry::Instance();
    auto owner = TPrimerComponente::CreateRoot<TPadreTV>();
    owner->SetName("Repartidor1");
    TPrimerComponente* pin = registry.CreateComponent("TPin", owner.get());
    ASSERT_NE(pin, nullptr);
    EXPECT_EQ(pin->ClassName(), "TPin");
    EXPECT_EQ(pin->Owner(), owner.get());
    EXPECT_EQ(pin->Name(), "PinRe1");
    EXPECT_EQ(static_cast<TPin*>(pin)->NombrePinExterno, "Repartidor1EA");
    EXPECT_EQ(registry.CreateComponent("tpadretv", owner.get())->ClassName(), "TPadreTV");
    EXPECT_EQ(registry.CreateComponent("TNoSuchClass", owner.get()), nullptr);
    EXPECT_EQ(registry.CreateObject("TConector")->ClassName(), "TConector");
    EXPECT_EQ(registry.CreateObject("TNoSuchClass"), nullptr);
    for (const char* name :
         {"TPrimerObjeto", "TsegundoObjeto", "TConector", "TCarga", "TMatriz", "TFTransf"}) {
        EXPECT_TRUE(registry.IsObjectClass(name)) << name;
    }
    for (const char* name : {"TPrimerComponente", "TPadreTV", "TPCLectorFichero", "TPinbase", "TPin"}) {
        EXPECT_TRUE(registry.IsComponentClass(name)) << name;
    }
}

// Every registered class copies itself as itself: a class that forgot its Clone would copy as its base.
TEST(ClassRegistry, EveryRegisteredClassClonesAsItself) {
    RegisterModelClasses();
    ClassRegistry& registry = ClassRegistry::Instance();
    auto owner = TPrimerComponente::CreateRoot<TPadreTV>();
    for (const std::string& name : registry.ComponentClassNames()) {
        TPrimerComponente* original = registry.CreateComponent(name, owner.get());
        ASSERT_NE(original, nullptr) << name;
        TPrimerComponente* copy = original->Clone(owner.get());
        EXPECT_EQ(original->ClassName(), name);
        EXPECT_EQ(copy->ClassName(), name);
        EXPECT_EQ(copy->Owner(), owner.get());
    }
    for (const std::string& name : registry.ObjectClassNames()) {
        auto original = registry.CreateObject(name);
        ASSERT_NE(original, nullptr) << name;
        EXPECT_EQ(original->ClassName(), name);
        EXPECT_EQ(original->Clone()->ClassName(), name);
    }
}

} // namespace
} // namespace ixo

#include "model/class_registry.h"
#include "model/padre_tv.h"
#include "model/pin.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

TEST(ClassRegistry, AStoredComponentCarriesItsStoredNameAndTheNumberCreateWouldGive) {
    RegisterModelClasses();
    ClassRegistry& registry = ClassRegistry::Instance();
    auto owner = TPrimerComponente::CreateRoot<TPadreTV>();
    owner->SetName("Repartidor1");
    TPrimerComponente* first = registry.CreateComponent("TPin", owner.get()); // PinRe1, number 1
    TPrimerComponente* stored = registry.CreateStoredComponent("TPin", owner.get(), "Pin7SA");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->ClassName(), "TPin");
    EXPECT_EQ(stored->Name(), "Pin7SA");
    EXPECT_EQ(stored->Numero_Interno(), 2); // one above the highest of its class, as Create numbers
    EXPECT_EQ(owner->FindComponent("pin7sa"), stored);
    EXPECT_EQ(owner->FindComponent("PinRe2"), nullptr); // no automatic name was given on the way
    EXPECT_EQ(owner->FindComponent("PinRe1"), first);
    // It counts for the numbering of the next component made by Create.
    EXPECT_EQ(registry.CreateComponent("TPin", owner.get())->Name(), "PinRe3");
    EXPECT_EQ(registry.CreateStoredComponent("TNoSuchClass", owner.get(), "X"), nullptr);
    // An empty stored name leaves the component unnamed and out of the index.
    TPrimerComponente* unnamed = registry.CreateStoredComponent("TPin", owner.get(), "");
    ASSERT_NE(unnamed, nullptr);
    EXPECT_EQ(unnamed->Name(), "");
    EXPECT_EQ(owner->ComponentCount(), 4u);
}

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

#include "element_test_support.h"
#include "model/alimentador.h"
#include "model/antena.h"
#include "model/disecq.h"
#include "model/especial.h"
#include "model/repartidor.h"
#include "model/script_numbers.h"
#include "model/toma_tv.h"

#include <gtest/gtest.h>

#include <array>

namespace ixo {
namespace {

using test::MakeRecord;

// A catalogue with one table handle per kind, so that the default table of each class shows.
class KindTables : public test::FakePartsCatalogue {
public:
    KindTables() {
        for (auto& table : tables) {
            table = TPrimerComponente::CreateRoot<TTablaCompoScript>();
        }
    }
    TTablaCompoScript* TableOfKind(int kind) const override {
        return kind >= 0 && kind < 11 ? tables[static_cast<std::size_t>(kind)].get() : nullptr;
    }
    std::array<std::unique_ptr<TTablaCompoScript>, 11> tables;
};

class PassiveElements : public test::ElementFixture {};

TEST_F(PassiveElements, StreamingConstructorsTakeTheTableOfTheirKind) {
    KindTables kinds;
    ScopedPartsCatalogue installed(&kinds);
    auto table = [&](auto* element) { return element->Tabla; };
    EXPECT_EQ(table(TPrimerComponente::Create<TRepartidor>(network.get())), kinds.TableOfKind(7));
    EXPECT_EQ(table(TPrimerComponente::Create<TTomaTV>(network.get())), kinds.TableOfKind(8));
    EXPECT_EQ(table(TPrimerComponente::Create<Tentradaviv>(network.get())), kinds.TableOfKind(5));
    EXPECT_EQ(table(TPrimerComponente::Create<TIFT>(network.get())), kinds.TableOfKind(10));
    EXPECT_EQ(table(TPrimerComponente::Create<Tantena>(network.get())), kinds.TableOfKind(1));
    EXPECT_EQ(table(TPrimerComponente::Create<TDISECQ>(network.get())), kinds.TableOfKind(6));
    EXPECT_EQ(table(TPrimerComponente::Create<TFUENTE>(network.get())), kinds.TableOfKind(9));
    EXPECT_EQ(table(TPrimerComponente::Create<TInyector>(network.get())), kinds.TableOfKind(9));
    EXPECT_EQ(table(TPrimerComponente::Create<Tespecial>(network.get())), nullptr);
    EXPECT_EQ(TPrimerComponente::Create<TRepartidor>(network.get())->FamiliaHermana, 1002);
}

TEST_F(PassiveElements, OutletKeysDefaultsAndStreamingDefaults) {
    auto* outlet = FromRecord<TTomaTV>(MakeRecord(20, 5, "TF-15", {}));
    EXPECT_EQ(outlet->NPolaridades, 1);
    EXPECT_EQ(outlet->OrdenCascada, 1);
    EXPECT_EQ(outlet->NConectores, 2);
    EXPECT_EQ(outlet->cascadeable, 1);
    auto* read = FromRecord<TTomaTV>(
        MakeRecord(20, 5, "TF-15", {"CASCADEABLE=0", "NPOLARIDADES=4", "NCONECTORES=3", "ORDENCASCADA=2"}));
    EXPECT_EQ(read->NPolaridades, 4);
    EXPECT_EQ(read->OrdenCascada, 2);
    EXPECT_EQ(read->NConectores, 3);
    EXPECT_EQ(read->cascadeable, 0);
    EXPECT_THROW(FromRecord<TTomaTV>(MakeRecord(20, 5, "X", {"NCONECTORES=tres"})), ScriptError);

    auto* streamed = TPrimerComponente::Create<TTomaTV>(network.get());
    EXPECT_EQ(streamed->NPolaridades, 0);
    EXPECT_EQ(streamed->OrdenCascada, 0);
    EXPECT_EQ(streamed->NConectores, 0);
    EXPECT_EQ(streamed->cascadeable, 1);
}

} // namespace
} // namespace ixo

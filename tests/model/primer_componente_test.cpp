#include "model/primer_componente.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace ixo {
namespace {

// Small component classes standing in for the element classes.
class TOwnerStub : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TOwnerStub)
public:
    explicit TOwnerStub(TPrimerComponente* owner, std::string name = "Px") : TPrimerComponente(owner) {
        m_initialName = std::move(name);
    }

protected:
    void AfterConstruction() override { SetName(m_initialName); }

private:
    std::string m_initialName;
};
IXO_DEFINE_COMPONENT_CLASS(TOwnerStub, TPrimerComponente)

class TRepartidor : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TRepartidor)
public:
    explicit TRepartidor(TPrimerComponente* owner) : TPrimerComponente(owner) {}
};
IXO_DEFINE_COMPONENT_CLASS(TRepartidor, TPrimerComponente)

class TRepartidorEspecialConNombreMuyLargo : public TRepartidor {
    IXO_COMPONENT_CLASS(TRepartidorEspecialConNombreMuyLargo)
public:
    explicit TRepartidorEspecialConNombreMuyLargo(TPrimerComponente* owner) : TRepartidor(owner) {}
};
IXO_DEFINE_COMPONENT_CLASS(TRepartidorEspecialConNombreMuyLargo, TRepartidor)

class TWatcher : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TWatcher)
public:
    explicit TWatcher(TPrimerComponente* owner) : TPrimerComponente(owner) {}
    TPrimerComponente* watched = nullptr;

protected:
    void Notification(TPrimerComponente* removed) override {
        if (removed == watched) {
            watched = nullptr;
        }
    }
};
IXO_DEFINE_COMPONENT_CLASS(TWatcher, TPrimerComponente)

TEST(ComponentNaming, ClassNameOwnerPrefixAndNextNumber) {
    auto owner = TPrimerComponente::CreateRoot<TOwnerStub>();
    auto* first = TPrimerComponente::Create<TRepartidor>(owner.get());
    auto* second = TPrimerComponente::Create<TRepartidor>(owner.get());
    auto* third = TPrimerComponente::Create<TRepartidor>(owner.get());
    EXPECT_EQ(first->Name(), "RepartidorPx1");
    EXPECT_EQ(third->Name(), "RepartidorPx3");
    TPrimerComponente::Destroy(second);
    auto* fourth = TPrimerComponente::Create<TRepartidor>(owner.get());
    EXPECT_EQ(fourth->Name(), "RepartidorPx4");
    EXPECT_EQ(fourth->Numero_Interno(), 4);
    // Removing the highest lets its number be taken again: only existing components count.
    TPrimerComponente::Destroy(fourth);
    EXPECT_EQ(TPrimerComponente::Create<TRepartidor>(owner.get())->Name(), "RepartidorPx4");
}

TEST(ComponentNaming, DerivedClassesCountForTheirBaseButNotTheOtherWay) {
    auto owner = TPrimerComponente::CreateRoot<TOwnerStub>();
    auto* derived = TPrimerComponente::Create<TRepartidorEspecialConNombreMuyLargo>(owner.get());
    EXPECT_EQ(derived->Numero_Interno(), 1);
    // A name longer than 30 characters is cut to 30.
    EXPECT_EQ(derived->Name(), std::string("RepartidorEspecialConNombreMuyLargoPx1").substr(0, 30));
    auto* base = TPrimerComponente::Create<TRepartidor>(owner.get());
    EXPECT_EQ(base->Name(), "RepartidorPx2");
    auto* derived2 = TPrimerComponente::Create<TRepartidorEspecialConNombreMuyLargo>(owner.get());
    EXPECT_EQ(derived2->Numero_Interno(), 2);
}

TEST(ComponentNaming, ComponentsWithoutNameDoNotCount) {
    auto owner = TPrimerComponente::CreateRoot<TOwnerStub>();
    auto* unnamed = TPrimerComponente::Create<TRepartidor>(owner.get());
    unnamed->SetNumero_Interno(50);
    unnamed->SetName("");
    EXPECT_EQ(TPrimerComponente::Create<TRepartidor>(owner.get())->Numero_Interno(), 1);
    unnamed->SetName("Renamed");
    EXPECT_EQ(TPrimerComponente::Create<TRepartidor>(owner.get())->Numero_Interno(), 51);
}

// The next number is one above the highest Numero_Interno of the owner's named components of the class,
// whatever was renumbered, unnamed or freed before: checked against a count by hand over random steps.
TEST(ComponentNaming, NextNumberAfterRandomRenumberingAndFreeing) {
    auto owner = TPrimerComponente::CreateRoot<TOwnerStub>();
    std::vector<TRepartidor*> made;
    std::mt19937 random(7);
    auto expectedNext = [&] {
        std::int32_t highest = 0;
        for (const TRepartidor* r : made) {
            if (!r->Name().empty()) {
                highest = std::max(highest, r->Numero_Interno());
            }
        }
        return highest + 1;
    };
    for (int step = 0; step < 2000; ++step) {
        const int action = static_cast<int>(random() % 10);
        if (action < 4 || made.empty()) {
            const std::int32_t next = expectedNext();
            made.push_back(TPrimerComponente::Create<TRepartidor>(owner.get()));
            ASSERT_EQ(made.back()->Numero_Interno(), next) << "step " << step;
        } else if (action < 7) {
            made[random() % made.size()]->SetNumero_Interno(static_cast<std::int32_t>(random() % 60));
        } else if (action < 8) {
            TRepartidor* r = made[random() % made.size()];
            r->SetName(r->Name().empty() ? "Named" + std::to_string(step) : std::string());
        } else {
            const std::size_t at = random() % made.size();
            TPrimerComponente::Destroy(made[at]);
            made.erase(made.begin() + static_cast<std::ptrdiff_t>(at));
        }
    }
}

TEST(ComponentOwnership, CreationOrderNameIndexAndDestruction) {
    auto owner = TPrimerComponente::CreateRoot<TOwnerStub>("Root");
    auto* a = TPrimerComponente::Create<TRepartidor>(owner.get());
    auto* b = TPrimerComponente::Create<TOwnerStub>(owner.get(), "Inner");
    auto* c = TPrimerComponente::Create<TRepartidor>(b);
    EXPECT_EQ(owner->ComponentCount(), 2u);
    std::vector<TPrimerComponente*> order(owner->Components().begin(), owner->Components().end());
    EXPECT_EQ(order, (std::vector<TPrimerComponente*>{a, b}));
    EXPECT_EQ(owner->FindComponent("repartidorro1"), a);
    EXPECT_EQ(owner->FindComponent("RepartidorIn1"), nullptr);
    EXPECT_EQ(b->FindComponent("RepartidorIn1"), c);
    a->SetName("Renamed");
    EXPECT_EQ(owner->FindComponent("RepartidorRo1"), nullptr);
    EXPECT_EQ(owner->FindComponent("Renamed"), a);
    TPrimerComponente::Destroy(b);
    EXPECT_EQ(owner->ComponentCount(), 1u);
    EXPECT_EQ(owner->FindComponent("Inner"), nullptr);
}

TEST(ComponentOwnership, FreeNotificationClearsLinksOfTheDestroyed) {
    auto owner = TPrimerComponente::CreateRoot<TOwnerStub>();
    auto* watcher = TPrimerComponente::Create<TWatcher>(owner.get());
    auto* target = TPrimerComponente::Create<TRepartidor>(owner.get());
    watcher->watched = target;
    watcher->FreeNotification(target);
    TPrimerComponente::Destroy(target);
    EXPECT_EQ(watcher->watched, nullptr);
    // The subscription went with the target: destroying the watcher afterwards is safe.
    TPrimerComponente::Destroy(watcher);
    EXPECT_EQ(owner->ComponentCount(), 0u);
}

TEST(ComponentOwnership, ManyComponentsUnderOneOwner) {
    auto owner = TPrimerComponente::CreateRoot<TOwnerStub>();
    TPrimerComponente* last = nullptr;
    for (int i = 0; i < 20000; ++i) {
        last = TPrimerComponente::Create<TRepartidor>(owner.get());
    }
    EXPECT_EQ(last->Name(), "RepartidorPx20000");
    EXPECT_EQ(owner->FindComponent("RepartidorPx12345")->Numero_Interno(), 12345);
}

} // namespace
} // namespace ixo

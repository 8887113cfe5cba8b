#include "editing/element_replace.h"

#include "editing/edit_support.h"

namespace ixo {

using namespace edit_support;

bool TerrestrialPowerOK(const TMultiswitch& old, const TMultiswitch& replacement) {
    std::int64_t sum = replacement.ConsumoActivo;
    const TCBFT* supplier = nullptr;
    const TComponenteBase* at = &old;
    for (int step = 0; step < kWalkLimit; ++step) {
        TComponenteBase* up = Upstream(*at);
        if (up == nullptr || up->Is<TRepartidor>()) {
            break;
        }
        auto* cbft = dynamic_cast<TCBFT*>(up);
        if (cbft != nullptr && cbft->CorrienteMaxima > 0) {
            supplier = cbft;
            break;
        }
        if (auto* ms = dynamic_cast<TMultiswitch*>(up)) {
            sum += Consumption(*ms);
        }
        at = up;
    }
    if (supplier == nullptr) {
        return false;
    }
    at = &old;
    for (int step = 0; step < kWalkLimit; ++step) {
        TComponenteBase* down = Downstream(*at);
        auto* cbft = dynamic_cast<TCBFT*>(down);
        if (down == nullptr || down->Is<TRepartidor>() || (cbft != nullptr && cbft->CorrienteMaxima > 0)) {
            break;
        }
        if (auto* ms = dynamic_cast<TMultiswitch*>(down)) {
            sum += Consumption(*ms);
        }
        at = down;
    }
    return sum < supplier->CorrienteMaxima;
}

bool ReplaceElement(Tproyecto& project, TComponenteBase& old, std::int32_t number, std::int32_t family,
                    EditJournal& journal, EditRefusal* why) {
    if (old.Indice == number && old.Familia == family) {
        return Refuse(why, "the element is that model already");
    }
    if (!IsCopyable(old)) {
        // Flat entries and diplexers have no copies: the flat and its levels are built around them.
        return Refuse(why, "an element of class " + std::string(old.ClassName()) + " cannot be replaced");
    }
    const TalmacenElementos* store = project.Almacen();
    const TPCLectorFichero* prototype =
        store != nullptr ? store->ElementByFamily(number, family).As<TPCLectorFichero>() : nullptr;
    if (prototype == nullptr) {
        return Refuse(why, "the catalogue has no model " + std::to_string(number) + " in family " +
                               std::to_string(family));
    }
    {
        // The checks run on a copy that is freed again, before anything changes.
        TComponenteBase* probe = ReplacementOf(old, *prototype, old.Owner());
        if (probe == nullptr) {
            return Refuse(why,
                          "no copy can be made of a model of class " + std::string(prototype->ClassName()));
        }
        const bool allowed = CanReplace(old, *probe, why);
        TPrimerComponente::Destroy(probe);
        if (!allowed) {
            return false;
        }
    }
    TComponenteBase* n1 =
        Make<TComponenteBase>(journal, [&] { return ReplacementOf(old, *prototype, old.Owner()); });
    TComponenteBase* t2 = PartnerOf(&old, false);
    TComponenteBase* t3 = PartnerOf(&old, true);
    if (t3 == nullptr && t2 != nullptr) {
        t3 = PartnerOf(t2, true);
    }
    TakeContainer(journal, *n1, old.Container());
    TComponenteBase* n2 = nullptr;
    TComponenteBase* n3 = nullptr;
    if (t2 != nullptr) {
        n2 = Make<TComponenteBase>(journal, [&] { return ReplacementOf(old, *prototype, t2->Owner()); });
        TakeContainer(journal, *n2, t2->Container());
    }
    if (t3 != nullptr) {
        n3 = Make<TComponenteBase>(journal, [&] { return ReplacementOf(old, *prototype, t3->Owner()); });
        TakeContainer(journal, *n3, t3->Container());
    }
    LinkPartners(journal, n1, n2, n3);
    MoveConnections(journal, &old, n1);
    MoveConnections(journal, t2, n2);
    MoveConnections(journal, t3, n3);
    for (auto [was, now] : {std::pair{&old, n1}, std::pair{t2, n2}, std::pair{t3, n3}}) {
        if (was == nullptr || now == nullptr) {
            continue;
        }
        NamedList<TComponenteBase>* list = ListOf(was->Container());
        const int at = list != nullptr ? list->IndexOfObject(was) : -1;
        if (at >= 0) {
            journal.Delete(*list, static_cast<std::size_t>(at));
            journal.Insert(*list, static_cast<std::size_t>(at), now);
        }
        auto* oldDish = dynamic_cast<Tantena*>(was);
        auto* newDish = dynamic_cast<Tantena*>(now);
        if (oldDish != nullptr && newDish != nullptr) {
            const std::vector<LevelVector> before = newDish->InputLevels();
            const std::vector<LevelVector> after = oldDish->InputLevels();
            newDish->SetInputLevelList(after);
            journal.Record([newDish, before] { newDish->SetInputLevelList(before); },
                           [newDish, after] { newDish->SetInputLevelList(after); });
        }
    }
    auto* oldMs = dynamic_cast<TMultiswitch*>(&old);
    auto* newMs = dynamic_cast<TMultiswitch*>(n1);
    std::vector<TCBFT*> freedFeeders;
    if (oldMs != nullptr && newMs != nullptr) {
        if (IsTerminal(*oldMs) && !IsTerminal(*newMs)) {
            if (oldMs->Feeder() != nullptr && oldMs->Feeder()->Is<TInyector>()) {
                for (TCBFT* feeder : FeedersOf({&old, t2, t3})) {
                    BypassInjector(journal, *feeder);
                }
            }
            freedFeeders = FeedersOf({&old, t2, t3});
        } else if (!IsTerminal(*oldMs) && IsTerminal(*newMs)) {
            if (project.Preferencias().ConInyector > 0) {
                AddInjectors(project, journal, n1, n2, n3);
            } else if (n1->Container() != nullptr) {
                AddSupplies(project, journal, n1, n2, n3);
            }
        }
    }
    if (n1->Is<TAmpliBase>()) {
        freedFeeders = FeedersOf({&old, t2, t3});
        if (n1->Container() != nullptr) {
            AddBuiltInSupplies(journal, n1, n2, n3);
        }
    }
    for (TCBFT* feeder : freedFeeders) {
        journal.Free(*feeder, project);
    }
    for (TComponenteBase* was : {&old, t2, t3}) {
        if (was != nullptr) {
            journal.Free(*was, project);
        }
    }
    return true;
}

} // namespace ixo

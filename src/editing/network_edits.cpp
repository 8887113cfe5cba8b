#include "editing/network_edits.h"

#include "builder/elementos_red.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "catalogue/almacen_elementos.h"
#include "editing/edit_journal.h"
#include "levels/calculo_niveles.h"
#include "model/alimentador.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/cable_tv.h"
#include "model/disecq.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/parts_catalogue.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"

#include <algorithm>
#include <exception>
#include <new>
#include <vector>

namespace ixo {

namespace {

constexpr double kShortLink = 0.5; // new short links, metres
constexpr int kWalkLimit = 100000; // a cabled loop never makes a walk endless

bool Refuse(EditRefusal* why, std::string reason) {
    if (why != nullptr) {
        why->reason = std::move(reason);
    }
    return false;
}

TComponenteBase* ElementOf(const TPin* pin) {
    return pin != nullptr ? dynamic_cast<TComponenteBase*>(pin->Owner()) : nullptr;
}

std::int32_t ConnectorOf(const TCableTV* cable) {
    return cable != nullptr ? cable->Tipoconector : 1;
}

NamedList<TComponenteBase>* ListOf(TPrimerComponente* container) {
    if (container == nullptr) {
        return nullptr;
    }
    if (container->Is<tplanta>()) {
        return &static_cast<tplanta*>(container)->ETV();
    }
    if (container->Is<Tvivienda>()) {
        return &static_cast<Tvivienda*>(container)->ETV();
    }
    return nullptr;
}

int PositionIn(const TComponenteBase* element) {
    NamedList<TComponenteBase>* list = element != nullptr ? ListOf(element->Container()) : nullptr;
    return list != nullptr ? list->IndexOfObject(element) : -1;
}

// The classes whose copies an edit may make.
bool IsCopyable(const TPrimerComponente& element) {
    return element.Is<TTomaTV>() || element.Is<TRepartidor>() || element.Is<TMultiswitch>() ||
           element.Is<TDISECQ>() || element.Is<TInyector>() || element.Is<TLinAmp>() ||
           element.Is<TAmpliHeader>() || element.Is<Tantena>() || element.Is<TCabeceraTerrestre>() ||
           element.Is<TFUENTE>();
}

// A copy of prototype owned by owner, for the classes whose copies an edit may make.
TComponenteBase* CopyOf(const TPCLectorFichero* prototype, TPrimerComponente* owner) {
    if (prototype == nullptr || !IsCopyable(*prototype)) {
        return nullptr;
    }
    try {
        return dynamic_cast<TComponenteBase*>(prototype->Clone(owner));
    } catch (const std::bad_alloc&) {
        throw; // out of memory is not a model that cannot be copied
    } catch (const std::exception&) {
        return nullptr;
    }
}

TComponenteBase* CopyOfModel(const Tproyecto& project, std::int32_t family, std::int32_t number,
                             TPrimerComponente* owner) {
    const TalmacenElementos* store = project.Almacen();
    if (store == nullptr) {
        return nullptr;
    }
    return CopyOf(store->ElementByFamily(number, family).As<TPCLectorFichero>(), owner);
}

// An element of class T read from its class's table (kind) with that element number; null when the
// record cannot be read.
template <typename T> T* FromTable(TPrimerComponente* owner, int kind, std::int32_t number) {
    try {
        return TComponenteBase::CreateFromCatalogue<T>(owner, number, DefaultTableOfKind(kind));
    } catch (const std::bad_alloc&) {
        throw; // not a record that cannot be read
    } catch (const std::exception&) {
        return nullptr;
    }
}

// Creates through make and records the creation; null when nothing was made.
template <typename T, typename Maker> T* Make(EditJournal& journal, Maker make) {
    T* made = make();
    if (made != nullptr) {
        journal.Created(*made);
    }
    return made;
}

bool Join(EditJournal& journal, TPin& ours, TPin& theirs, TCableTV* cable, double metres) {
    return journal.Link(ours, theirs, cable, metres, ConnectorOf(cable));
}

// Joins pin q to the first free pin of element's list kind with that letter (any letter for a
// splitter when none has it). False when no pin is free.
bool JoinToFree(EditJournal& journal, TPin& q, TComponenteBase& element, PinKind kind, char letter,
                TCableTV* cable, double metres, bool anyLetterForSplitter) {
    TPin* target = element.FindFreePinWithLetter(kind, letter, kFirstFreePin);
    if (target == nullptr && anyLetterForSplitter && element.Is<TRepartidor>()) {
        target = element.FindFreePin(kind, kFirstFreePin);
    }
    return target != nullptr && Join(journal, q, *target, cable, metres);
}

void MoveConnectionsOfKind(EditJournal& journal, TComponenteBase& old, TComponenteBase& replacement,
                           PinKind kind) {
    const PinList pins = old.PinsOf(kind);
    for (TPin* p : pins) {
        TPin* q = p->Peer();
        if (q == nullptr) {
            continue;
        }
        TCableTV* cable = p->Cable();
        const double metres = q->MetrosCable;
        journal.Unlink(*q);
        // A join that fails leaves the pin free; the operation goes on.
        (void)JoinToFree(journal, *q, replacement, kind, p->Prefijo, cable, metres, true);
    }
}

void MoveConnections(EditJournal& journal, TComponenteBase* old, TComponenteBase* replacement) {
    if (old == nullptr || replacement == nullptr) {
        return;
    }
    for (PinKind kind : {PinKind::Input, PinKind::Output, PinKind::Tap}) {
        MoveConnectionsOfKind(journal, *old, *replacement, kind);
    }
}

std::vector<TPin*> ConnectedPeers(const TComponenteBase& element, PinKind kind) {
    std::vector<TPin*> peers;
    for (TPin* pin : element.PinsOf(kind)) {
        if (pin->Peer() != nullptr) {
            peers.push_back(pin->Peer());
        }
    }
    return peers;
}

bool BypassAll(EditJournal& journal, TComponenteBase& element) {
    const std::vector<TPin*> in = ConnectedPeers(element, PinKind::Input);
    const std::vector<TPin*> out = ConnectedPeers(element, PinKind::Output);
    if (in.size() != out.size()) {
        return false;
    }
    for (TPin* pin : out) {
        journal.Unlink(*pin);
    }
    for (std::size_t i = 0; i < in.size(); ++i) {
        TCableTV* cable = in[i]->Cable();
        const double metres = in[i]->MetrosCable;
        journal.Unlink(*in[i]);
        if (TComponenteBase* downstream = ElementOf(out[i])) {
            (void)JoinToFree(journal, *in[i], *downstream, out[i]->Kind(), out[i]->Prefijo, cable, metres,
                             false);
        }
    }
    return true;
}

void BypassInjector(EditJournal& journal, TComponenteBase& injector) {
    TPin* in = injector.PinAt(PinKind::Input, 0);
    TPin* out = injector.PinAt(PinKind::Output, 0);
    if (in == nullptr || out == nullptr || in->Peer() == nullptr || out->Peer() == nullptr) {
        return;
    }
    TPin* upstream = in->Peer();
    TPin* downstream = out->Peer();
    TCableTV* cable = out->Cable();
    const double metres = out->MetrosCable;
    journal.Unlink(*in);
    journal.Unlink(*out);
    (void)Join(journal, *upstream, *downstream, cable, metres);
}

TCBFT* PartnerOf(TComponenteBase* element, bool triple) {
    auto* cbft = dynamic_cast<TCBFT*>(element);
    if (cbft == nullptr) {
        return nullptr;
    }
    return triple ? cbft->TriplePartner() : cbft->DoublePartner();
}

void LinkPartners(EditJournal& journal, TComponenteBase* first, TComponenteBase* second,
                  TComponenteBase* third) {
    auto* head = dynamic_cast<TCBFT*>(first);
    if (head == nullptr) {
        return;
    }
    if (auto* twin = dynamic_cast<TCBFT*>(second)) {
        journal.SetDoublePartner(*head, twin);
    }
    if (auto* triple = dynamic_cast<TCBFT*>(third)) {
        journal.SetTriplePartner(*head, triple);
    }
}

void TakeContainer(EditJournal& journal, TComponenteBase& element, TPrimerComponente* container) {
    journal.SetContainer(element, container);
}

// The feeders of elements (each once).
std::vector<TCBFT*> FeedersOf(std::initializer_list<TComponenteBase*> elements) {
    std::vector<TCBFT*> feeders;
    for (TComponenteBase* element : elements) {
        auto* cbft = dynamic_cast<TCBFT*>(element);
        if (cbft != nullptr && cbft->Feeder() != nullptr &&
            std::find(feeders.begin(), feeders.end(), cbft->Feeder()) == feeders.end()) {
            feeders.push_back(cbft->Feeder());
        }
    }
    return feeders;
}

// A supply for element: a copy of the supply model, feeding it and in its container.
TFUENTE* SupplyFor(EditJournal& journal, TFUENTE* supply, TComponenteBase& element) {
    if (supply == nullptr) {
        return nullptr;
    }
    journal.Created(*supply);
    if (auto* cbft = dynamic_cast<TCBFT*>(&element)) {
        (void)journal.AddFed(*supply, *cbft);
    }
    TakeContainer(journal, *supply, element.Container());
    return supply;
}

TFUENTE* BuiltInSupply(EditJournal& journal, TComponenteBase* element) {
    auto* amp = dynamic_cast<TAmpliBase*>(element);
    if (amp == nullptr || !amp->FIncorporada || amp->modelofuente == 0) {
        return nullptr;
    }
    return SupplyFor(journal, FromTable<TFUENTE>(amp->Owner(), Talimentador::kKind, amp->modelofuente), *amp);
}

// The built-in supplies of an amplifier and its partners, each listed right after its amplifier.
void AddBuiltInSupplies(EditJournal& journal, TComponenteBase* amp, TComponenteBase* n2,
                        TComponenteBase* n3) {
    std::vector<TFUENTE*> supplies;
    for (TComponenteBase* element : {amp, n2, n3}) {
        TFUENTE* supply = element != nullptr ? BuiltInSupply(journal, element) : nullptr;
        if (supply != nullptr) {
            NamedList<TComponenteBase>* list = ListOf(element->Container());
            const int at = PositionIn(element);
            if (list != nullptr) {
                if (at >= 0) {
                    journal.Insert(*list, static_cast<std::size_t>(at) + 1, supply);
                } else {
                    journal.Append(*list, supply);
                }
            }
        }
        supplies.push_back(supply);
    }
    LinkPartners(journal, supplies[0], supplies[1], supplies[2]);
}

void AddSupplies(Tproyecto& project, EditJournal& journal, TComponenteBase* ms, TComponenteBase* n2,
                 TComponenteBase* n3) {
    const TpreferenciasProyecto& prefs = project.Preferencias();
    std::vector<TComponenteBase*> supplies;
    for (TComponenteBase* element : {ms, n2, n3}) {
        TComponenteBase* supply = nullptr;
        if (element != nullptr) {
            auto* made = dynamic_cast<TFUENTE*>(
                CopyOfModel(project, prefs.DIS_FAMILIAFUENTE, prefs.DIS_MODELOFUENTE, ms->Owner()));
            if (made == nullptr) {
                return; // the model is missing: nothing more happens
            }
            supply = SupplyFor(journal, made, *element);
            if (NamedList<TComponenteBase>* list = ListOf(ms->Container())) {
                journal.Append(*list, supply);
            }
        }
        supplies.push_back(supply);
    }
    LinkPartners(journal, supplies[0], supplies[1], supplies[2]);
}

TComponenteBase* TerrestrialSplitter(const Tproyecto& project, const tplanta& headend) {
    if (project.Preferencias().Npolaridades <= 4) {
        return nullptr;
    }
    for (const auto& entry : headend.ETV()) {
        if (entry.Object != nullptr && entry.Object->Is<TCabeceraTerrestre>()) {
            TPin* out = entry.Object->PinAt(PinKind::Output, 0);
            TComponenteBase* fed = out != nullptr ? ElementOf(out->Peer()) : nullptr;
            return fed != nullptr && fed->Is<TRepartidor>() ? fed : nullptr;
        }
    }
    return nullptr;
}

void AddInjectors(Tproyecto& project, EditJournal& journal, TComponenteBase* ms, TComponenteBase* n2,
                  TComponenteBase* n3) {
    tplanta* headend = project.PlantaCabecera();
    auto* floor = ms != nullptr ? dynamic_cast<tplanta*>(ms->Container()) : nullptr;
    if (project.Escaleras().Count() < 2 || headend == nullptr || floor == nullptr ||
        floor->Escalera() == nullptr) {
        return;
    }
    const TComponenteBase* terrestrial = TerrestrialSplitter(project, *headend);
    std::vector<TComponenteBase*> trunk;
    for (const auto& entry : headend->ETV()) {
        if (entry.Object != nullptr && entry.Object->Is<TRepartidor>() && entry.Object != terrestrial) {
            trunk.push_back(entry.Object);
        }
    }
    const int k = floor->Escalera()->Numero_Interno() - 1;
    const TpreferenciasProyecto& prefs = project.Preferencias();
    const std::pair<TComponenteBase*, std::size_t> targets[] = {{ms, 0}, {n2, 5}, {n3, 10}};
    for (const auto& [element, splitterIndex] : targets) {
        if (element == nullptr || splitterIndex >= trunk.size()) {
            continue;
        }
        TComponenteBase& splitter = *trunk[splitterIndex];
        TPin* out = splitter.PinAt(PinKind::Output, k);
        TPin* s = out != nullptr ? out->Peer() : nullptr;
        if (s == nullptr || ElementOf(s)->Is<TInyector>()) {
            continue;
        }
        auto* injector = dynamic_cast<TInyector*>(
            CopyOfModel(project, prefs.DIS_FAMILIAINYECTOR, prefs.DIS_MODELOINYECTOR, splitter.Owner()));
        if (injector == nullptr) {
            continue;
        }
        journal.Created(*injector);
        TakeContainer(journal, *injector, splitter.Container());
        if (NamedList<TComponenteBase>* list = ListOf(splitter.Container())) {
            journal.Append(*list, injector);
        }
        TCableTV* cable = out->Cable();
        const double metres = out->MetrosCable;
        journal.Unlink(*out);
        if (TPin* in = injector->PinAt(PinKind::Input, 0)) {
            (void)Join(journal, *out, *in, cable, kShortLink);
        }
        if (TPin* injOut = injector->PinAt(PinKind::Output, 0)) {
            (void)Join(journal, *injOut, *s, cable, metres);
        }
        if (auto* fed = dynamic_cast<TCBFT*>(element)) {
            (void)journal.AddFed(*injector, *fed);
        }
    }
}

bool IsTerminal(const TMultiswitch& ms) {
    return !ms.PinesDERIVACION().empty() && ms.PinesSALIDA().empty();
}

bool CanReplaceOutlet(const TTomaTV& old, const TTomaTV& replacement, EditRefusal* why) {
    auto* flat = dynamic_cast<Tvivienda*>(old.Container());
    const std::int32_t t = flat != nullptr ? flat->Topologia() : Tvivienda::kEstrella;
    const std::int32_t n = flat != nullptr ? flat->Numtomas() : 1;
    const bool family120or130 = replacement.Familia == 120 || replacement.Familia == 130;
    if (old.cascadeable == 1 && replacement.cascadeable == 1) {
        if (t == Tvivienda::kEstrella && replacement.OrdenCascada != 1 && !family120or130) {
            return Refuse(why, "a star flat takes only end-of-line outlets or families 120 and 130");
        }
        return true;
    }
    if (n == 1) {
        if (replacement.cascadeable != 0 && replacement.OrdenCascada != 1 && !family120or130) {
            return Refuse(why,
                          "a flat with one outlet takes only end-of-line outlets or families 120 and 130");
        }
        return true;
    }
    if (old.OrdenCascada == 1) {
        if (t == Tvivienda::kEstrella && replacement.OrdenCascada == 1) {
            return true;
        }
        return Refuse(why, "the last outlet of a cascade must stay an end-of-line outlet of a star flat");
    }
    if (replacement.OrdenCascada != 1) {
        return true;
    }
    return Refuse(why, "an outlet inside a cascade cannot become an end-of-line outlet");
}

bool PinsFit(const TComponenteBase& old, const TComponenteBase& replacement, EditRefusal* why) {
    for (PinKind kind : {PinKind::Input, PinKind::Output, PinKind::Tap}) {
        if (old.Is<TRepartidor>()) {
            if (static_cast<int>(replacement.PinsOf(kind).size()) < old.CountConnected(kind)) {
                return Refuse(why, "the new model has fewer pins than the element has connections");
            }
            continue;
        }
        std::vector<char> letters;
        for (const TPin* pin : old.PinsOf(kind)) {
            if (pin->Peer() != nullptr &&
                std::find(letters.begin(), letters.end(), pin->Prefijo) == letters.end()) {
                letters.push_back(pin->Prefijo);
            }
        }
        for (char letter : letters) {
            int connected = 0;
            for (const TPin* pin : old.PinsOf(kind)) {
                connected += pin->Peer() != nullptr && pin->Prefijo == letter ? 1 : 0;
            }
            if (replacement.CountPinsWithLetter(kind, letter) < connected) {
                return Refuse(why, std::string("the new model has too few pins of letter ") + letter +
                                       " for the element's connections");
            }
        }
    }
    return true;
}

std::int32_t Consumption(const TMultiswitch& ms) {
    return ms.AttenuarTer > 0 ? ms.ConsumoActivo : ms.ConsumoPasivo;
}

bool CanReplace(const TComponenteBase& old, const TComponenteBase& replacement, EditRefusal* why) {
    auto* oldMs = dynamic_cast<const TMultiswitch*>(&old);
    auto* newMs = dynamic_cast<const TMultiswitch*>(&replacement);
    if (oldMs != nullptr && newMs != nullptr && !IsTerminal(*oldMs) && IsTerminal(*newMs) &&
        oldMs->CountConnected(PinKind::Output) > 0) {
        return Refuse(why,
                      "a terminal model cannot take the place of a multiswitch whose outputs feed others");
    }
    auto* oldOutlet = dynamic_cast<const TTomaTV*>(&old);
    auto* newOutlet = dynamic_cast<const TTomaTV*>(&replacement);
    if (oldOutlet != nullptr && newOutlet != nullptr && !CanReplaceOutlet(*oldOutlet, *newOutlet, why)) {
        return false;
    }
    if (!PinsFit(old, replacement, why)) {
        return false;
    }
    if (oldMs != nullptr && newMs != nullptr && oldMs->IsCascadable() && newMs->IsCascadable() &&
        oldMs->CorrienteMaxima > 0 && newMs->CorrienteMaxima <= 0 && !TerrestrialPowerOK(*oldMs, *newMs)) {
        return Refuse(why, "the terrestrial line would draw more current than its supplier gives");
    }
    return true;
}

TComponenteBase* Upstream(const TComponenteBase& element) {
    TPin* in = element.PinAt(PinKind::Input, 0);
    return in != nullptr ? ElementOf(in->Peer()) : nullptr;
}

TComponenteBase* Downstream(const TComponenteBase& element) {
    TPin* out = element.PinAt(PinKind::Output, 0);
    return out != nullptr ? ElementOf(out->Peer()) : nullptr;
}

std::vector<TPin*> ConnectedPins(const TComponenteBase& element, PinKind kind) {
    std::vector<TPin*> pins;
    for (TPin* pin : element.PinsOf(kind)) {
        if (pin->Peer() != nullptr) {
            pins.push_back(pin);
        }
    }
    return pins;
}

// Moves the upstream connections of element's inputs to amp's inputs, then joins element's inputs
// from amp's outputs of the same letters with a short floor cable.
void MoveInputs(EditJournal& journal, TComponenteBase& element, TComponenteBase& amp, TCableTV* floorCable) {
    const std::vector<TPin*> inputs = ConnectedPins(element, PinKind::Input);
    MoveConnectionsOfKind(journal, element, amp, PinKind::Input);
    for (TPin* pin : inputs) {
        if (TPin* out = amp.FindFreePinWithLetter(PinKind::Output, pin->Prefijo, kFirstFreePin)) {
            (void)Join(journal, *pin, *out, floorCable, kShortLink);
        }
    }
}

void InsertAt(EditJournal& journal, TComponenteBase* element, TComponenteBase* listed, int position) {
    if (element == nullptr || listed == nullptr || position < 0) {
        return;
    }
    if (NamedList<TComponenteBase>* list = ListOf(listed->Container())) {
        journal.Insert(*list, static_cast<std::size_t>(position), element);
    }
}

TCBFT* FeederOf(TComponenteBase* element) {
    auto* cbft = dynamic_cast<TCBFT*>(element);
    return cbft != nullptr ? cbft->Feeder() : nullptr;
}

// Frees an amplifier's partner (after its bypass) with its feeder.
void FreeWithFeeder(Tproyecto& project, EditJournal& journal, TComponenteBase& element) {
    TCBFT* feeder = FeederOf(&element);
    journal.Free(element, project);
    if (feeder != nullptr) {
        journal.Free(*feeder, project);
    }
}

bool Rollback(EditJournal& journal, EditRefusal* why, std::string reason) {
    journal.Rollback();
    return Refuse(why, std::move(reason));
}

} // namespace

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
        TComponenteBase* probe = CopyOf(prototype, old.Owner());
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
    TComponenteBase* n1 = Make<TComponenteBase>(journal, [&] { return CopyOf(prototype, old.Owner()); });
    TComponenteBase* t2 = PartnerOf(&old, false);
    TComponenteBase* t3 = PartnerOf(&old, true);
    if (t3 == nullptr && t2 != nullptr) {
        t3 = PartnerOf(t2, true);
    }
    TakeContainer(journal, *n1, old.Container());
    TComponenteBase* n2 = nullptr;
    TComponenteBase* n3 = nullptr;
    if (t2 != nullptr) {
        n2 = Make<TComponenteBase>(journal, [&] { return CopyOf(prototype, t2->Owner()); });
        TakeContainer(journal, *n2, t2->Container());
    }
    if (t3 != nullptr) {
        n3 = Make<TComponenteBase>(journal, [&] { return CopyOf(prototype, t3->Owner()); });
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

void SetConnectionLength(TPin& pin, double metres, EditJournal& journal) {
    TPin* p = &pin;
    if (p->Kind() != PinKind::Input) {
        p = p->Peer();
        if (p == nullptr || p->Kind() != PinKind::Input) {
            return;
        }
    }
    TComponenteBase* e = ElementOf(p);
    if (e == nullptr) {
        return;
    }
    TComponenteBase* d = PartnerOf(e, false);
    TComponenteBase* t = PartnerOf(e, true);
    if (t == nullptr && d != nullptr) {
        t = PartnerOf(d, true);
    }
    TComponenteBase* source = ElementOf(p->Peer());
    if (source != nullptr && (source->Is<Tantena>() || source->Is<TCabeceraTerrestre>())) {
        for (TPin* out : ConnectedPins(*source, PinKind::Output)) {
            journal.SetMetres(*out, metres);
        }
    } else {
        for (TPin* in : ConnectedPins(*e, PinKind::Input)) {
            journal.SetMetres(*in, metres);
        }
    }
    for (TComponenteBase* partner : {d, t}) {
        if (partner != nullptr) {
            for (TPin* in : ConnectedPins(*partner, PinKind::Input)) {
                journal.SetMetres(*in, metres);
            }
        }
    }
}

namespace {

// Rebuilds a flat with the journal watching: what the rebuild frees is freed through the journal, and
// the pins, list and components it makes are recorded as the flat's state before and after.
void RebuildFlat(Tproyecto& project, Tvivienda& flat, std::int32_t outlets, std::int32_t topology,
                 EditJournal& journal) {
    TPadreTV* container = flat.Contenedor();
    std::vector<TComponenteBase*> freed;
    for (const auto& entry : flat.ETV()) {
        if (entry.Object != nullptr && !entry.Object->Is<TLinAmp>()) {
            freed.push_back(entry.Object);
        }
    }
    for (TComponenteBase* element : freed) {
        journal.Free(*element, project);
    }
    // What the rebuild touches: every pin of the flat's own components and their peers.
    auto touchedPins = [container] {
        std::vector<TPin*> pins;
        if (container == nullptr) {
            return pins;
        }
        for (TPrimerComponente* child : container->Components()) {
            if (auto* element = dynamic_cast<TComponenteBase*>(child)) {
                for (PinKind kind : {PinKind::Input, PinKind::Output, PinKind::Tap}) {
                    for (TPin* pin : element->PinsOf(kind)) {
                        pins.push_back(pin);
                        if (pin->Peer() != nullptr) {
                            pins.push_back(pin->Peer());
                        }
                    }
                }
            }
        }
        return pins;
    };
    journal.MarkTouched(&flat);
    using Entries = std::vector<NamedList<TComponenteBase>::Entry>;
    std::vector<std::pair<TPin*, TPin::LinkState>> pinsBefore;
    for (TPin* pin : touchedPins()) {
        pinsBefore.emplace_back(pin, pin->SaveLinkState());
    }
    Entries listBefore(flat.ETV().begin(), flat.ETV().end());
    const std::size_t childrenBefore = container != nullptr ? container->ComponentCount() : 0;
    const std::int32_t topologyBefore = flat.Topologia();
    const std::int32_t outletsBefore = flat.Numtomas();
    const bool rebuildable = flat.Reconstruible;

    flat.Reconstruible = false;
    flat.SetTopologia(topology);
    flat.Reconstruible = rebuildable;
    flat.SetNumtomas(outlets);

    std::vector<TPrimerComponente*> created;
    if (container != nullptr) {
        std::size_t i = 0;
        for (TPrimerComponente* child : container->Components()) {
            if (i++ >= childrenBefore) {
                created.push_back(child);
            }
        }
    }
    std::vector<std::pair<TPin*, TPin::LinkState>> pinsAfter;
    for (TPin* pin : touchedPins()) {
        pinsAfter.emplace_back(pin, pin->SaveLinkState());
    }
    for (const auto& [pin, state] : pinsBefore) {
        if (std::none_of(pinsAfter.begin(), pinsAfter.end(),
                         [pin](const auto& p) { return p.first == pin; })) {
            pinsAfter.emplace_back(pin, pin->SaveLinkState());
        }
    }
    Entries listAfter(flat.ETV().begin(), flat.ETV().end());
    Tvivienda* f = &flat;
    auto restore = [f](const std::vector<std::pair<TPin*, TPin::LinkState>>& pins, const Entries& list,
                       std::int32_t t, std::int32_t n) {
        // Pins of components that are not part of the state are left alone (they are detached).
        for (const auto& [pin, state] : pins) {
            pin->RestoreLinkState(state);
        }
        f->ETV().Clear();
        for (const auto& entry : list) {
            f->ETV().Add(entry.Name, entry.Object);
        }
        const bool keep = f->Reconstruible;
        f->Reconstruible = false;
        f->SetTopologia(t);
        f->SetNumtomas(n);
        f->Reconstruible = keep;
    };
    // Created components go first on redo and last on undo: they are put back before the state that
    // refers to them, and detached only once nothing refers to them.
    for (TPrimerComponente* component : created) {
        journal.Created(*component);
    }
    // Pins of created components do not exist in the before state: give them their fresh state.
    std::vector<std::pair<TPin*, TPin::LinkState>> pinsUndo = pinsBefore;
    for (const auto& [pin, state] : pinsAfter) {
        if (std::none_of(pinsBefore.begin(), pinsBefore.end(),
                         [pin](const auto& p) { return p.first == pin; })) {
            TPin::LinkState free;
            free.load = state.load;
            free.pinConnector = state.pinConnector;
            pinsUndo.emplace_back(pin, free);
        }
    }
    journal.Record([restore, pinsUndo, listBefore, topologyBefore,
                    outletsBefore] { restore(pinsUndo, listBefore, topologyBefore, outletsBefore); },
                   [restore, pinsAfter, listAfter, topology, outlets] {
                       restore(pinsAfter, listAfter, topology, outlets);
                   });
}

} // namespace

bool ApplyToFlat(Tproyecto& project, Tvivienda& flat, std::int32_t outlets, std::int32_t topology,
                 EditJournal& journal) {
    RebuildFlat(project, flat, outlets, topology, journal);
    return true;
}

bool ApplyToAllFlats(Tproyecto& project, std::int32_t outlets, std::int32_t topology, EditJournal& journal) {
    const NamedList<Tvivienda> flats = project.ListaViviendas();
    for (const auto& entry : flats) {
        if (entry.Object != nullptr) {
            RebuildFlat(project, *entry.Object, outlets, topology, journal);
        }
    }
    return true;
}

bool InsertLineAmplifier(Tproyecto& project, TComponenteBase& element, std::int32_t number,
                         EditJournal& journal, EditRefusal* why) {
    auto* amp = FromTable<TLinAmp>(element.Owner(), TAmpliBase::kKind, number);
    if (amp == nullptr) {
        return Refuse(why, "the amplifier table has no line amplifier " + std::to_string(number));
    }
    if (auto* ms = dynamic_cast<TMultiswitch*>(&element);
        ms != nullptr && (ms->ConsumoActivo > 0 || ms->ConsumoPasivo > 0)) {
        const std::int32_t consumption =
            ms->AttenuarTer != 0 || ms->ConsumoPasivo <= 0 ? ms->ConsumoActivo : ms->ConsumoPasivo;
        if (!(consumption < amp->CorrienteMaxima)) {
            const std::string reason = "the multiswitch draws " + std::to_string(consumption) +
                                       " mA, the amplifier gives at most " +
                                       std::to_string(amp->CorrienteMaxima);
            TPrimerComponente::Destroy(amp);
            return Refuse(why, reason);
        }
    }
    journal.Created(*amp);
    TCableTV* floorCable = CableDe(project, TpreferenciasProyecto::kCablePlanta);
    TComponenteBase* t2 = PartnerOf(&element, false);
    TComponenteBase* t3 = PartnerOf(&element, true);
    const int c = PositionIn(&element);
    const int d = PositionIn(t2);
    const int e = PositionIn(t3);
    MoveInputs(journal, element, *amp, floorCable);
    TakeContainer(journal, *amp, element.Container());
    TComponenteBase* a2 = nullptr;
    TComponenteBase* a3 = nullptr;
    for (auto [partner, made] : {std::pair{t2, &a2}, std::pair{t3, &a3}}) {
        if (partner == nullptr) {
            continue;
        }
        *made = Make<TComponenteBase>(journal, [&] { return CopyOf(amp, partner->Owner()); });
        if (*made != nullptr) {
            MoveInputs(journal, *partner, **made, floorCable);
            TakeContainer(journal, **made, partner->Container());
        }
    }
    TFUENTE* s1 = BuiltInSupply(journal, amp);
    TFUENTE* s2 = BuiltInSupply(journal, a2);
    TFUENTE* s3 = BuiltInSupply(journal, a3);
    LinkPartners(journal, s1, s2, s3);
    InsertAt(journal, s1, &element, c);
    InsertAt(journal, s2, t2, d);
    InsertAt(journal, s3, t3, e);
    InsertAt(journal, amp, &element, c);
    InsertAt(journal, a2, t2, d);
    InsertAt(journal, a3, t3, e);
    LinkPartners(journal, amp, a2, a3);
    return true;
}

bool InsertHeadendAmplifiers(Tproyecto& project, TComponenteBase& element, std::int32_t number,
                             std::int32_t family, bool onHeadendFloor, EditJournal& journal,
                             EditRefusal* why) {
    tplanta* floor = onHeadendFloor ? project.PlantaCabecera() : dynamic_cast<tplanta*>(element.Container());
    if (floor == nullptr) {
        return Refuse(why, "the element is not on a floor");
    }
    if (!element.Is<TMultiswitch>() && !element.Is<TRepartidor>()) {
        return Refuse(why, "headend amplifiers go in front of a multiswitch or a dish splitter");
    }
    int lastDish = -1;
    std::vector<Tantena*> bareDishes;
    for (std::size_t i = 0; i < floor->ETV().Count(); ++i) {
        auto* dish = dynamic_cast<Tantena*>(floor->ETV().Object(i));
        if (dish == nullptr) {
            continue;
        }
        lastDish = static_cast<int>(i);
        bool amplified = false;
        for (TPin* out : dish->PinesSALIDA()) {
            amplified = amplified || (out->Peer() != nullptr && ElementOf(out->Peer())->Is<TAmpliBase>());
        }
        if (!amplified) {
            bareDishes.push_back(dish);
        }
    }
    if (lastDish < 0) {
        return Refuse(why, "the floor has no dish");
    }
    const TalmacenElementos* store = project.Almacen();
    const auto* prototype =
        store != nullptr ? store->ElementByFamily(number, family).As<TAmpliHeader>() : nullptr;
    auto makeAmp = [&]() -> TAmpliHeader* {
        TAmpliHeader* made = prototype != nullptr
                                 ? static_cast<TAmpliHeader*>(CopyOf(prototype, element.Owner()))
                                 : FromTable<TAmpliHeader>(element.Owner(), TAmpliBase::kKind, number);
        if (made != nullptr) {
            journal.Created(*made);
        }
        return made;
    };
    TCableTV* floorCable = CableDe(project, TpreferenciasProyecto::kCablePlanta);
    std::vector<std::pair<TAmpliHeader*, TFUENTE*>> made;
    auto addAmp = [&](TPrimerComponente* container) -> TAmpliHeader* {
        TAmpliHeader* amp = makeAmp();
        if (amp == nullptr) {
            return nullptr;
        }
        TakeContainer(journal, *amp, container);
        made.emplace_back(amp, BuiltInSupply(journal, amp));
        return amp;
    };
    if (element.Is<TMultiswitch>()) {
        for (std::size_t i = 0; i < bareDishes.size(); ++i) {
            if (addAmp(floor) == nullptr) {
                return Rollback(journal, why,
                                "the catalogue has no headend amplifier " + std::to_string(number));
            }
        }
        if (!made.empty()) {
            std::vector<TPin*> inputs;
            for (TPin* in : ConnectedPins(element, PinKind::Input)) {
                if (in->Prefijo == 'B' && !ElementOf(in->Peer())->Is<TAmpliBase>()) {
                    inputs.push_back(in);
                }
            }
            std::size_t current = 0;
            for (TPin* in : inputs) {
                TPin* q = in->Peer();
                TCableTV* cable = q->Cable();
                const double metres = q->MetrosCable;
                journal.Unlink(*q);
                while (current < made.size() && !JoinToFree(journal, *q, *made[current].first, PinKind::Input,
                                                            'B', cable, metres, false)) {
                    ++current;
                }
            }
            current = 0;
            for (TPin* in : inputs) {
                while (current < made.size()) {
                    TPin* out =
                        made[current].first->FindFreePinWithLetter(PinKind::Output, 'B', kFirstFreePin);
                    if (out != nullptr && Join(journal, *in, *out, floorCable, kShortLink)) {
                        break;
                    }
                    ++current;
                }
            }
        }
    } else {
        TPin* first = element.PinAt(PinKind::Input, 0);
        auto* dish = first != nullptr ? dynamic_cast<Tantena*>(ElementOf(first->Peer())) : nullptr;
        if (dish == nullptr) {
            return Refuse(why, "the splitter is not fed by a dish");
        }
        TAmpliHeader* amp = addAmp(dish->Container());
        if (amp == nullptr) {
            return Rollback(journal, why, "the catalogue has no headend amplifier " + std::to_string(number));
        }
        std::vector<TPin*> fedInputs;
        for (TPin* out : ConnectedPins(*dish, PinKind::Output)) {
            TPin* q = out->Peer();
            fedInputs.push_back(q);
            TCableTV* cable = out->Cable();
            const double metres = out->MetrosCable;
            journal.Unlink(*out);
            (void)JoinToFree(journal, *out, *amp, PinKind::Input, 'B', cable, metres, false);
        }
        for (TPin* q : fedInputs) {
            TComponenteBase* fed = ElementOf(q);
            TPin* in = fed != nullptr ? fed->FindFreePin(PinKind::Input, kFirstFreePin) : nullptr;
            TPin* out = amp->FindFreePinWithLetter(PinKind::Output, 'B', kFirstFreePin);
            if (in != nullptr && out != nullptr) {
                (void)Join(journal, *in, *out, floorCable, kShortLink);
            }
        }
    }
    std::size_t at = static_cast<std::size_t>(lastDish) + 1;
    for (const auto& [amp, supply] : made) {
        journal.Insert(floor->ETV(), at++, amp);
        if (supply != nullptr) {
            journal.Insert(floor->ETV(), at++, supply);
        }
    }
    return true;
}

namespace {

template <typename T>
bool RemoveAmplifier(Tproyecto& project, TComponenteBase& amplifier, bool withTriple, EditJournal& journal,
                     EditRefusal* why, const char* kind) {
    if (!amplifier.Is<T>()) {
        return Refuse(why, std::string("the element is not a ") + kind);
    }
    if (!BypassAll(journal, amplifier)) {
        return Refuse(why, "its connected inputs and outputs differ in number");
    }
    std::vector<TComponenteBase*> partners = {PartnerOf(&amplifier, false)};
    if (withTriple) {
        partners.push_back(PartnerOf(&amplifier, true));
    }
    for (TComponenteBase* partner : partners) {
        if (partner != nullptr && BypassAll(journal, *partner)) {
            FreeWithFeeder(project, journal, *partner);
        }
    }
    FreeWithFeeder(project, journal, amplifier);
    return true;
}

} // namespace

bool RemoveLineAmplifier(Tproyecto& project, TComponenteBase& amplifier, EditJournal& journal,
                         EditRefusal* why) {
    return RemoveAmplifier<TLinAmp>(project, amplifier, true, journal, why, "line amplifier");
}

bool RemoveHeadendAmplifier(Tproyecto& project, TComponenteBase& amplifier, EditJournal& journal,
                            EditRefusal* why) {
    return RemoveAmplifier<TAmpliHeader>(project, amplifier, false, journal, why, "headend amplifier");
}

void RemoveHeadendAmplifiersOf(Tproyecto& project, TMultiswitch& multiswitch, EditJournal& journal) {
    std::vector<TComponenteBase*> amplifiers;
    for (TPin* in : multiswitch.PinesENTRADA()) {
        TComponenteBase* up = ElementOf(in->Peer());
        if (up != nullptr && up->Is<TAmpliHeader>() &&
            std::find(amplifiers.begin(), amplifiers.end(), up) == amplifiers.end()) {
            amplifiers.push_back(up);
        }
    }
    for (auto it = amplifiers.rbegin(); it != amplifiers.rend(); ++it) {
        (void)RemoveHeadendAmplifier(project, **it, journal);
    }
}

bool ChangeCableModel(Tproyecto& project, int kind, std::int32_t number, EditJournal& journal,
                      EditRefusal* why) {
    TCableTV* cable = project.Preferencias().Cable(kind);
    if (cable == nullptr) {
        return Refuse(why, "the project has no cable of kind " + std::to_string(kind));
    }
    const std::int32_t before = cable->Indice;
    if (before == number) {
        return Refuse(why, "the cable is that model already");
    }
    if (!cable->Reload(number)) {
        return Refuse(why, "the cable table has no cable " + std::to_string(number));
    }
    RenovarConectores(project);
    Tproyecto* p = &project;
    journal.Record(
        [cable, before, p] {
            (void)cable->Reload(before);
            RenovarConectores(*p);
        },
        [cable, number, p] {
            (void)cable->Reload(number);
            RenovarConectores(*p);
        });
    return true;
}

bool AddSupply(Tproyecto& project, TComponenteBase& element, EditJournal& journal, EditRefusal* why) {
    auto* cbft = dynamic_cast<TCBFT*>(&element);
    if (cbft == nullptr || cbft->Feeder() != nullptr) {
        return Refuse(why, element.Name() + " already has its supply");
    }
    AddSupplies(project, journal, &element, nullptr, nullptr);
    if (cbft->Feeder() == nullptr) {
        const TpreferenciasProyecto& prefs = project.Preferencias();
        return Refuse(why, "the catalogue has no supply " + std::to_string(prefs.DIS_FAMILIAFUENTE) + "/" +
                               std::to_string(prefs.DIS_MODELOFUENTE));
    }
    return true;
}

} // namespace ixo

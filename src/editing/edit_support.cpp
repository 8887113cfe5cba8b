#include "editing/edit_support.h"

#include "editing/element_replace.h"

namespace ixo::edit_support {

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

int PositionIn(const TComponenteBase* element) {
    NamedList<TComponenteBase>* list = element != nullptr ? ListOf(element->Container()) : nullptr;
    return list != nullptr ? list->IndexOfObject(element) : -1;
}

bool IsCopyable(const TPrimerComponente& element) {
    return element.Is<TTomaTV>() || element.Is<TRepartidor>() || element.Is<TMultiswitch>() ||
           element.Is<TDISECQ>() || element.Is<TInyector>() || element.Is<TLinAmp>() ||
           element.Is<TAmpliHeader>() || element.Is<Tantena>() || element.Is<TCabeceraTerrestre>() ||
           element.Is<TFUENTE>();
}

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

bool IsRiserAmplifier(const TAmpliBase& amplifier) {
    return amplifier.Localizacion == kRiserLocation && !amplifier.interiorviv &&
           !amplifier.Is<TCabeceraTerrestre>();
}

TComponenteBase* ReplacementOf(const TComponenteBase& old, const TPCLectorFichero& prototype,
                               TPrimerComponente* owner) {
    const auto* amplifier = dynamic_cast<const TAmpliBase*>(&prototype);
    if (old.Is<TLinAmp>() && amplifier != nullptr && !amplifier->Is<TLinAmp>() &&
        IsRiserAmplifier(*amplifier)) {
        return FromTable<TLinAmp>(owner, TAmpliBase::kKind, prototype.Indice);
    }
    return CopyOf(&prototype, owner);
}

bool Join(EditJournal& journal, TPin& ours, TPin& theirs, TCableTV* cable, double metres) {
    return journal.Link(ours, theirs, cable, metres, ConnectorOf(cable));
}

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

TCBFT* PartnerOf(const TComponenteBase* element, bool triple) {
    auto* cbft = dynamic_cast<const TCBFT*>(element);
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
    // An element keeps its kind: a terrestrial headend stays a terrestrial headend, a splitter a
    // splitter (another class would not take its place in the network nor in the level run).
    if (old.ClassName() != replacement.ClassName()) {
        const std::string was(old.ClassName());
        return Refuse(why, "model " + std::to_string(replacement.Indice) + " of family " +
                               std::to_string(replacement.Familia) + " is a " +
                               std::string(replacement.ClassName()) + ": a " + was +
                               " is replaced only by another " + was);
    }
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

void MoveInputs(EditJournal& journal, TComponenteBase& element, TComponenteBase& amp, TCableTV* floorCable) {
    const std::vector<TPin*> inputs = ConnectedPins(element, PinKind::Input);
    MoveConnectionsOfKind(journal, element, amp, PinKind::Input);
    for (TPin* pin : inputs) {
        if (TPin* out = amp.FindFreePinWithLetter(PinKind::Output, pin->Prefijo, kFirstFreePin)) {
            (void)Join(journal, *pin, *out, floorCable, kShortLink);
        }
    }
}

bool LineAmplifierFits(const TComponenteBase& element, const TAmpliBase& model, EditRefusal* why) {
    if (element.CountConnected(PinKind::Input) == 0) {
        return Refuse(why, "has no connected input to put an amplifier in front of");
    }
    const TComponenteBase* t2 = PartnerOf(&element, false);
    const TComponenteBase* t3 = PartnerOf(&element, true);
    for (const TComponenteBase* fed : {&element, t2, t3}) {
        if (fed == nullptr) {
            continue;
        }
        for (const TPin* in : fed->PinesENTRADA()) {
            if (in->Peer() == nullptr) {
                continue;
            }
            int connected = 0;
            for (const TPin* other : fed->PinesENTRADA()) {
                connected += other->Peer() != nullptr && other->Prefijo == in->Prefijo ? 1 : 0;
            }
            if (model.CountPinsWithLetter(PinKind::Input, in->Prefijo) < connected ||
                model.CountPinsWithLetter(PinKind::Output, in->Prefijo) < connected) {
                return Refuse(why,
                              model.Modelo + " has " +
                                  std::to_string(model.CountPinsWithLetter(PinKind::Input, in->Prefijo)) +
                                  " lines of letter " + std::string(1, in->Prefijo) + " for the " +
                                  std::to_string(connected) + " connected inputs of " + fed->Name());
            }
        }
    }
    return true;
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

} // namespace ixo::edit_support

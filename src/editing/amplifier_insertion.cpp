#include "editing/amplifier_insertion.h"

#include "editing/edit_support.h"

namespace ixo {

using namespace edit_support;

bool InsertLineAmplifier(Tproyecto& project, TComponenteBase& element, std::int32_t number,
                         EditJournal& journal, EditRefusal* why) {
    if (dynamic_cast<tplanta*>(element.Container()) == nullptr) {
        return Refuse(why, "a line amplifier goes in front of an element of a floor, not inside a flat");
    }
    const TalmacenElementos* store = project.Almacen();
    const auto* model =
        store != nullptr ? store->ElementByKind(TAmpliBase::kKind, number).As<TAmpliBase>() : nullptr;
    if (model == nullptr) {
        return Refuse(why, "the amplifier table has no model " + std::to_string(number));
    }
    if (!IsRiserAmplifier(*model)) {
        return Refuse(why, model->Modelo + " (amplifier " + std::to_string(number) +
                               ") is not a line amplifier for the riser");
    }
    if (!LineAmplifierFits(element, *model, why)) {
        return false;
    }
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
    const auto* model = store != nullptr ? store->ElementByFamily(number, family).As<TAmpliBase>() : nullptr;
    if (model == nullptr || model->Familia != family || model->Is<TCabeceraTerrestre>()) {
        return Refuse(why, "the catalogue has no headend amplifier " + std::to_string(number) +
                               " in family " + std::to_string(family));
    }
    if (bareDishes.empty()) {
        return Refuse(why, "every dish of the floor already feeds an amplifier");
    }
    const auto* prototype = dynamic_cast<const TAmpliHeader*>(model);
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
        std::vector<TPin*> inputs;
        for (TPin* in : ConnectedPins(element, PinKind::Input)) {
            if (in->Prefijo == 'B' && !ElementOf(in->Peer())->Is<TAmpliBase>()) {
                inputs.push_back(in);
            }
        }
        if (inputs.empty()) {
            return Refuse(why, "every satellite input of the multiswitch is fed by an amplifier already");
        }
        // Every input moved must find a line: none is left cut off.
        const std::size_t lines =
            static_cast<std::size_t>(std::min(model->CountPinsWithLetter(PinKind::Input, 'B'),
                                              model->CountPinsWithLetter(PinKind::Output, 'B')));
        if (inputs.size() > lines * bareDishes.size()) {
            return Refuse(why, std::to_string(bareDishes.size()) + " " + model->Modelo + " of " +
                                   std::to_string(lines) + " satellite lines cannot take the " +
                                   std::to_string(inputs.size()) + " satellite inputs of the multiswitch");
        }
        for (std::size_t i = 0; i < bareDishes.size(); ++i) {
            if (addAmp(floor) == nullptr) {
                return Rollback(journal, why,
                                "the catalogue has no headend amplifier " + std::to_string(number));
            }
        }
        if (!made.empty()) {
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
        const int lines = std::min(model->CountPinsWithLetter(PinKind::Input, 'B'),
                                   model->CountPinsWithLetter(PinKind::Output, 'B'));
        if (dish->CountConnected(PinKind::Output) > lines) {
            return Refuse(
                why, model->Modelo + " of " + std::to_string(lines) + " satellite lines cannot take the " +
                         std::to_string(dish->CountConnected(PinKind::Output)) + " lines of " + dish->Name());
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

} // namespace ixo

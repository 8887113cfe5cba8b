#include "editing/cable_edits.h"

#include "editing/edit_support.h"

namespace ixo {

using namespace edit_support;

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

} // namespace ixo

#include "builder/skipped_connections.h"

#include "building/proyecto.h"
#include "model/componente_base.h"

namespace ixo {

void RecordSkippedConnection(Tproyecto& project, const TComponenteBase& from, const TComponenteBase& to) {
    project.Omissions().push_back({BuildOmission::Kind::Connection,
                                   "no free input on " + to.Name() + " for an output of " + from.Name()});
}

bool ConnectByLetterOrRecord(Tproyecto& project, TComponenteBase& from, char outputLetter, double metres,
                             TCableTV* cable, TComponenteBase& to, char inputLetter) {
    if (from.ConnectPinWithLetter(kFirstFreePin, PinKind::Output, metres, cable, kFirstFreePin, inputLetter,
                                  PinKind::Input, to, outputLetter)) {
        return true;
    }
    if (from.FindFreePinWithLetter(PinKind::Output, outputLetter, kFirstFreePin) != nullptr) {
        RecordSkippedConnection(project, from, to);
    }
    return false;
}

} // namespace ixo

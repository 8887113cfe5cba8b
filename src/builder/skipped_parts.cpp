#include "builder/skipped_parts.h"

#include "building/proyecto.h"
#include "model/componente_base.h"

namespace ixo {

void RecordMissingElement(Tproyecto& project, std::string what) {
    project.Omissions().push_back({BuildOmission::Kind::Element, std::move(what), {}});
}

void RecordMissingModel(Tproyecto& project, std::int32_t family, std::int32_t model) {
    RecordMissingElement(project, "no model " + std::to_string(model) + " of family " +
                                      std::to_string(family) + " in the catalogue");
}

void RecordSkippedConnection(Tproyecto& project, const TComponenteBase& from, const TComponenteBase& to) {
    project.Omissions().push_back({BuildOmission::Kind::Connection,
                                   "no free input on " + to.Name() + " for an output of " + from.Name(),
                                   from.Name()});
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

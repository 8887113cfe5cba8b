#include "builder/elementos_red.h"

#include "building/preferencias_proyecto.h"

namespace ixo {

TCableTV* CableDe(const Tproyecto& project, int kind) {
    return project.Preferencias().Cable(kind);
}

int PosicionEscalera(const Tproyecto& project, const TPrimerComponente* stair) {
    return stair != nullptr ? project.Escaleras().IndexOfObject(stair) : -1;
}

bool ConectarSalida(TComponenteBase& from, int outputIndex, TComponenteBase& to, double metres,
                    TCableTV* cable) {
    return from.ConnectPin(outputIndex, PinKind::Output, metres, cable, kFirstFreePin, PinKind::Input, to);
}

} // namespace ixo

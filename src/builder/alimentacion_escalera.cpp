#include "builder/alimentacion_escalera.h"

#include "builder/cabecera.h"
#include "builder/cabecera_calculos.h"
#include "builder/elementos_red.h"
#include "builder/skipped_parts.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "model/alimentador.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/multiswitch.h"
#include "model/repartidor.h"

#include <exception>
#include <new>
#include <vector>

namespace ixo {

namespace {

constexpr double kMetrosInyector = 0.5; // from the trunk splitter to the injector beside it

// The first multiswitch position of the stair's top floor with flats.
struct Posicion {
    TComponenteBase* first = nullptr;
    TComponenteBase* second = nullptr;
    TComponenteBase* third = nullptr;
};

bool PotenciasDeLinea(int polarities) {
    return polarities > 12 || polarities == 8;
}

int Entradas(const TComponenteBase* element) {
    return element != nullptr ? static_cast<int>(element->PinesENTRADA().size()) : 0;
}

const TCBFT* ComoCbft(const TComponenteBase* element) {
    return dynamic_cast<const TCBFT*>(element);
}

// Second and Third are the next elements of the floor when First has such partners.
Posicion PosicionPorLista(const tplanta& top) {
    Posicion position;
    const auto& etv = top.ETV();
    position.first = etv.Object(0);
    const TCBFT* first = ComoCbft(position.first);
    if (first != nullptr && first->DoublePartner() != nullptr && etv.Count() > 1) {
        position.second = etv.Object(1);
    }
    if (first != nullptr && first->TriplePartner() != nullptr && etv.Count() > 2) {
        position.third = etv.Object(2);
    }
    return position;
}

// Second and Third are First's partners themselves.
Posicion PosicionPorPareja(const tplanta& top) {
    Posicion position;
    position.first = top.ETV().Object(0);
    if (const TCBFT* first = ComoCbft(position.first)) {
        position.second = first->DoublePartner();
        position.third = first->TriplePartner();
    }
    return position;
}

template <typename T> std::vector<T*> DeClase(const tplanta& floor) {
    std::vector<T*> found;
    for (const auto& entry : floor.ETV()) {
        if (entry.Object != nullptr && entry.Object->Is<T>()) {
            found.push_back(static_cast<T*>(entry.Object));
        }
    }
    return found;
}

const tplanta* PlantaMasBajaConElementos(const TEscalera& stair) {
    for (const auto& entry : stair.ListaPlantas()) {
        if (entry.Object != nullptr && !entry.Object->ETV().Empty()) {
            return entry.Object;
        }
    }
    return nullptr;
}

bool AlimentadoPorLinea(const TComponenteBase* element) {
    const auto* ms = dynamic_cast<const TMultiswitch*>(element);
    return ms != nullptr && ms->Consumolin > 0;
}

bool TieneMultiswitchDeLinea(const tplanta* floor) {
    if (floor == nullptr) {
        return false;
    }
    for (const auto& entry : floor->ETV()) {
        if (AlimentadoPorLinea(entry.Object)) {
            return true;
        }
    }
    return false;
}

// The multiswitch the injector of satellite group `group` powers: the lowest line-powered one of the
// stair for the first group, its double partner for the second and its triple partner for the third.
TCBFT* MultiswitchAlimentado(const TEscalera& stair, int group) {
    for (const auto& floor : stair.ListaPlantas()) {
        if (floor.Object == nullptr) {
            continue;
        }
        for (const auto& entry : floor.Object->ETV()) {
            if (AlimentadoPorLinea(entry.Object)) {
                auto* ms = static_cast<TMultiswitch*>(entry.Object);
                return group == 0 ? ms : group == 1 ? ms->DoublePartner() : ms->TriplePartner();
            }
        }
    }
    return nullptr;
}

struct Alimentacion {
    Tproyecto& project;
    tplanta& headend;
    TEscalera& stair;
    Posicion position;
    TCableTV* cable = nullptr;
    double metres = 0.0;
    bool terrestre = false;
    const TInyector* injectorModel = nullptr;
    bool injectorsAllowed = false;
};

bool LlevaInyector(const Alimentacion& a, int h) {
    return a.injectorsAllowed && h % (a.terrestre ? 5 : 4) == 0;
}

// A new injector beside the trunk splitter, powering its multiswitch; null when it cannot be made.
TInyector* CrearInyector(Alimentacion& a, int h) {
    TInyector* injector = nullptr;
    try {
        injector = TComponenteBase::CreateCopy<TInyector>(&a.project.RedTV(), *a.injectorModel);
    } catch (const std::bad_alloc&) {
        throw; // not an injector that cannot be made
    } catch (const std::exception&) {
        return nullptr;
    }
    a.headend.AgregarElemento(injector);
    if (TCBFT* fed = MultiswitchAlimentado(a.stair, h / (a.terrestre ? 5 : 4))) {
        injector->AddFed(fed);
    }
    return injector;
}

void ConectarConTerrestre(Alimentacion& a, const std::vector<TRepartidor*>& lines) {
    const Posicion& p = a.position;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int h = static_cast<int>(i);
        TRepartidor& splitter = *lines[i];
        if (!LlevaInyector(a, h)) {
            TComponenteBase* target = nullptr;
            if (h < Entradas(p.first)) {
                target = p.first;
            } else if (p.second != nullptr && p.second->HasFreeInput()) {
                target = p.second;
            } else {
                target = p.third;
            }
            if (target != nullptr) {
                ConectarSalida(splitter, -1, *target, a.metres, a.cable);
            }
            continue;
        }
        TInyector* injector = CrearInyector(a, h);
        if (injector == nullptr) {
            continue;
        }
        TComponenteBase* target = h == 0 ? p.first : (h == 5 && p.second != nullptr) ? p.second : p.third;
        ConectarSalida(splitter, -1, *injector, kMetrosInyector, a.cable);
        if (target != nullptr) {
            ConectarSalida(*injector, -1, *target, a.metres, a.cable);
        }
    }
}

// Input `counter` of target (stepping over a terrestrial input of a five-input multiswitch).
void ConectarEntradaContada(Alimentacion& a, TRepartidor& splitter, TComponenteBase& target, int& counter) {
    const TPin* pin = target.PinAt(PinKind::Input, counter);
    if (pin != nullptr && pin->Prefijo == 'A') {
        ++counter;
    }
    splitter.ConnectPin(kFirstFreePin, PinKind::Output, a.metres, a.cable, counter, PinKind::Input, target);
    ++counter;
}

void ConectarSinTerrestre(Alimentacion& a, const std::vector<TRepartidor*>& lines) {
    const Posicion& p = a.position;
    int j = 0;
    int k = 0;
    int t = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int h = static_cast<int>(i);
        TRepartidor& splitter = *lines[i];
        if (!LlevaInyector(a, h)) {
            if (j < Entradas(p.first)) {
                ConectarEntradaContada(a, splitter, *p.first, j);
            } else if (p.second != nullptr && k < Entradas(p.second)) {
                ConectarEntradaContada(a, splitter, *p.second, k);
            } else if (p.third != nullptr && t < Entradas(p.third)) {
                ConectarEntradaContada(a, splitter, *p.third, t);
            }
            continue;
        }
        TInyector* injector = CrearInyector(a, h);
        if (injector == nullptr) {
            continue;
        }
        splitter.ConnectPin(kFirstFreePin, PinKind::Output, kMetrosInyector, a.cable, 0, PinKind::Input,
                            *injector);
        if (h == 0) {
            injector->ConnectPin(0, PinKind::Output, a.metres, a.cable, 0, PinKind::Input, *p.first);
            j = 1;
        } else if (h == 4 && p.second != nullptr) {
            injector->ConnectPin(0, PinKind::Output, a.metres, a.cable, 0, PinKind::Input, *p.second);
            ++k;
        } else if (p.third != nullptr) {
            injector->ConnectPin(0, PinKind::Output, a.metres, a.cable, 0, PinKind::Input, *p.third);
            ++t;
        }
    }
}

// One line of a direct feed: output `pin` of source.
struct LineaDirecta {
    TComponenteBase* source = nullptr;
    int pin = 0;
};

std::vector<TComponenteBase*> FuentesDirectas(const Tproyecto& project, const tplanta& headend,
                                              bool& withTerrestrial) {
    const TpreferenciasProyecto& prefs = project.Preferencias();
    std::vector<TComponenteBase*> sources;
    for (TAmpliHeader* amp : DeClase<TAmpliHeader>(headend)) {
        sources.push_back(amp);
    }
    const bool dishesOnly = PotenciasDeLinea(prefs.Npolaridades) && prefs.TipoDistribucionCab != 0 &&
                            project.Escaleras().Count() == 1;
    if (dishesOnly && sources.empty()) {
        for (Tantena* dish : DeClase<Tantena>(headend)) {
            sources.push_back(dish);
        }
    }
    withTerrestrial = false;
    for (TCabeceraTerrestre* terrestrial : DeClase<TCabeceraTerrestre>(headend)) {
        const TPin* first = terrestrial->PinAt(PinKind::Output, 0);
        if (first != nullptr && first->Peer() == nullptr) {
            sources.push_back(terrestrial);
            withTerrestrial = true;
        } else if (first != nullptr) {
            if (auto* splitter = dynamic_cast<TRepartidor*>(first->Peer()->Owner())) {
                sources.push_back(splitter);
                withTerrestrial = true;
            }
        }
    }
    return sources;
}

std::vector<int> SalidasB(const TComponenteBase& source) {
    std::vector<int> pins;
    const PinList& outputs = source.PinesSALIDA();
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (outputs[i]->Prefijo == 'B') {
            pins.push_back(static_cast<int>(i));
        }
    }
    return pins;
}

// The line pins: the terrestrial line first (8/16 polarities) or in the middle of each source's IF
// lines; every output of every source in order without terrestrial line.
std::vector<LineaDirecta> LineasDirectas(const std::vector<TComponenteBase*>& sources, bool terrestrialLines,
                                         int polarities) {
    std::vector<LineaDirecta> lines;
    if (!terrestrialLines) {
        for (TComponenteBase* source : sources) {
            for (std::size_t i = 0; i < source->PinesSALIDA().size(); ++i) {
                lines.push_back({source, static_cast<int>(i)});
            }
        }
        return lines;
    }
    TComponenteBase* terrestrial = sources.back();
    const int terrestrialOutputs = static_cast<int>(terrestrial->PinesSALIDA().size());
    if (PotenciasDeLinea(polarities)) {
        if (terrestrialOutputs > 0) {
            lines.push_back({terrestrial, 0});
        }
        for (std::size_t c = 0; c + 1 < sources.size(); ++c) {
            for (int pin : SalidasB(*sources[c])) {
                lines.push_back({sources[c], pin});
            }
        }
        return lines;
    }
    for (std::size_t c = 0; c + 1 < sources.size(); ++c) {
        const std::vector<int> bs = SalidasB(*sources[c]);
        const std::size_t half = sources[c]->PinesSALIDA().size() / 2;
        for (std::size_t i = 0; i < bs.size(); ++i) {
            if (i == half && static_cast<int>(c) < terrestrialOutputs) {
                lines.push_back({terrestrial, static_cast<int>(c)});
            }
            lines.push_back({sources[c], bs[i]});
        }
        if (half >= bs.size() && static_cast<int>(c) < terrestrialOutputs) {
            lines.push_back({terrestrial, static_cast<int>(c)});
        }
    }
    return lines;
}

TComponenteBase* PrimeroConEntradaB(const Posicion& p) {
    for (TComponenteBase* element : {p.first, p.second, p.third}) {
        if (element != nullptr &&
            element->FindFreePinWithLetter(PinKind::Input, 'B', kFirstFreePin) != nullptr) {
            return element;
        }
    }
    return nullptr;
}

} // namespace

double LongitudTroncal(const Tproyecto& project, const TEscalera& stair, const tplanta& headendFloor) {
    const TEscalera* headendStair = headendFloor.Escalera();
    const TEscalera& h = headendStair != nullptr ? *headendStair : stair;
    const double horizontal = DistanciaHorizontal(project, stair, h);
    const tplanta* top = stair.UltimaPlantaConViviendas();
    if (top == nullptr) {
        return horizontal;
    }
    return LongitudTroncal(horizontal, project.Preferencias().DistanciaPlantas,
                           static_cast<int>(stair.ListaPlantas().Count()),
                           stair.ListaPlantas().IndexOfObject(top), &h == &stair);
}

void AlimentarEscalera(Tproyecto& project, tplanta& headendFloor, TEscalera& stair,
                       const std::vector<TRepartidor*>& lines) {
    const tplanta* top = stair.UltimaPlantaConViviendas();
    if (top == nullptr || top->ETV().Empty() || top->ETV().Object(0) == nullptr) {
        return;
    }
    const TpreferenciasProyecto& prefs = project.Preferencias();
    Alimentacion a{project,
                   headendFloor,
                   stair,
                   PosicionPorLista(*top),
                   CableDe(project, TpreferenciasProyecto::kCableTroncal),
                   LongitudTroncal(project, stair, headendFloor),
                   prefs.HD_ICTERR,
                   nullptr,
                   false};
    if (const TalmacenElementos* store = project.Almacen()) {
        a.injectorModel =
            store->ElementByFamily(prefs.DIS_MODELOINYECTOR, prefs.DIS_FAMILIAINYECTOR).As<TInyector>();
    }
    a.injectorsAllowed = prefs.ConInyector > 0 && a.injectorModel != nullptr &&
                         TieneMultiswitchDeLinea(PlantaMasBajaConElementos(stair)) &&
                         !(prefs.Npolaridades > 15 || prefs.Npolaridades == 8);
    if (a.terrestre) {
        ConectarConTerrestre(a, lines);
    } else {
        ConectarSinTerrestre(a, lines);
    }
}

void AlimentarEscaleraDirecta(Tproyecto& project, tplanta& headendFloor, TEscalera& stair) {
    const tplanta* top = stair.UltimaPlantaConViviendas();
    if (top == nullptr || top->ETV().Empty() || top->ETV().Object(0) == nullptr) {
        return;
    }
    const TpreferenciasProyecto& prefs = project.Preferencias();
    bool withTerrestrial = false;
    const std::vector<TComponenteBase*> sources = FuentesDirectas(project, headendFloor, withTerrestrial);
    const bool terrestrialLines = prefs.HD_ICTERR && withTerrestrial && sources.size() > 1;
    const std::vector<LineaDirecta> lines = LineasDirectas(sources, terrestrialLines, prefs.Npolaridades);
    const Posicion p = PosicionPorPareja(*top);
    TCableTV* cable = CableDe(project, TpreferenciasProyecto::kCableTroncal);
    const double metres = LongitudTroncal(project, stair, headendFloor);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LineaDirecta& line = lines[i];
        if (prefs.HD_ICTERR) {
            TComponenteBase* target = nullptr;
            if (static_cast<int>(i) < Entradas(p.first)) {
                target = p.first;
            } else if (p.second != nullptr && p.second->HasFreeInput()) {
                target = p.second;
            } else if (p.third != nullptr && p.third->HasFreeInput()) {
                target = p.third;
            }
            if (target != nullptr && !line.source->ConnectPin(line.pin, PinKind::Output, metres, cable,
                                                              kFirstFreePin, PinKind::Input, *target)) {
                RecordSkippedConnection(project, *line.source, *target);
            }
        } else if (TComponenteBase* target = PrimeroConEntradaB(p)) {
            ConnectByLetterOrRecord(project, *line.source, 'B', metres, cable, *target, 'B');
        }
    }
}

} // namespace ixo

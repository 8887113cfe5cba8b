#include "builder/cabecera.h"

#include "builder/cabecera_calculos.h"
#include "builder/elementos_red.h"
#include "builder/skipped_parts.h"
#include "builder/tabla_ms.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "model/alimentador.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/multiswitch.h"
#include "model/repartidor.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace ixo {

namespace {

// The family and model of the terrestrial headend; without it in the catalogue, model 30 of the
// amplifier table is used.
constexpr std::int32_t kFamiliaCabeceraTerrestre = 6000;
constexpr std::int32_t kModeloCabeceraTerrestre = 30;
constexpr double kMetrosParabola = 12.0; // dish to the headend rack
constexpr double kMetrosCabecera = 0.5;  // patch leads inside the rack

// The working lists of one headend build, in creation order.
struct Cabecera {
    std::vector<Tantena*> parabolas;
    std::vector<TRepartidor*> repartidoresLnb;
    TCabeceraTerrestre* terrestre = nullptr;
    TRepartidor* repartidorTerrestre = nullptr;
    std::vector<TFUENTE*> fuentes;
    std::vector<TMultiswitch*> multiswitches;
    std::vector<TAmpliHeader*> amplificadores;
    std::vector<TRepartidor*> troncales;

    // The headend multiswitches or the IF amplifiers (never both exist).
    std::vector<TComponenteBase*> Elementos() const {
        std::vector<TComponenteBase*> elements(multiswitches.begin(), multiswitches.end());
        elements.insert(elements.end(), amplificadores.begin(), amplificadores.end());
        return elements;
    }
};

struct Contexto {
    Tproyecto& project;
    const TpreferenciasProyecto& prefs;
    int polaridades = 0;
    int satelites = 0;
    TCableTV* cable = nullptr;
};

void LiberarElementos(tplanta& floor) {
    for (const auto& entry : floor.ETV().TakeAll()) {
        if (entry.Object != nullptr) {
            TPrimerComponente::Destroy(entry.Object);
        }
    }
}

SplitterFamilyLookup BuscadorDeRepartidores(const Tproyecto& project) {
    const TalmacenElementos* store = project.Almacen();
    return [store](std::int32_t family) {
        return store != nullptr ? SplitterCandidatesOf(*store, family) : std::vector<SplitterCandidate>{};
    };
}

TRepartidor* CrearRepartidor(Tproyecto& project, const std::optional<SplitterCandidate>& model) {
    return model ? CopiaDePrototipo<TRepartidor>(project, model->Familia, model->Indice) : nullptr;
}

void CrearTerrestre(Contexto& c, Cabecera& cab) {
    if (!c.prefs.HD_ICTERR) {
        return;
    }
    cab.terrestre = CopiaOModeloPorDefecto<TCabeceraTerrestre>(c.project, kFamiliaCabeceraTerrestre,
                                                               kModeloCabeceraTerrestre);
    if (cab.terrestre == nullptr) {
        RecordMissingModel(c.project, kFamiliaCabeceraTerrestre, kModeloCabeceraTerrestre);
    }
}

void CrearParabolas(Contexto& c, Cabecera& cab) {
    for (int i = 0; i < c.satelites; ++i) {
        if (Tantena* dish = CopiaOModeloPorDefecto<Tantena>(c.project, c.prefs.HD_FamiliaParabola,
                                                            c.prefs.HD_ModeloParabola)) {
            cab.parabolas.push_back(dish);
        } else {
            RecordMissingModel(c.project, c.prefs.HD_FamiliaParabola, c.prefs.HD_ModeloParabola);
        }
    }
}

void CrearMultiswitches(Contexto& c, Cabecera& cab) {
    const TalmacenElementos* store = c.project.Almacen();
    if (store == nullptr) {
        return;
    }
    const std::int32_t family = ChooseHeadendMsFamily(c.polaridades, c.prefs.HD_FAMMS4POL,
                                                      c.prefs.HD_FAMMS8POL, c.prefs.HD_FAMMS16POL);
    const std::vector<std::int32_t> models = SizeHeadendMultiswitches(*store, family, c.prefs.Nviv);
    if (models.empty()) {
        RecordMissingElement(c.project, "no headend multiswitch of family " + std::to_string(family) +
                                            " in the catalogue: the flats are not fed");
    }
    for (std::int32_t model : models) {
        if (TMultiswitch* ms = CopiaDePrototipo<TMultiswitch>(c.project, family, model)) {
            cab.multiswitches.push_back(ms);
        } else {
            RecordMissingModel(c.project, family, model);
        }
    }
}

void CrearAmplificadores(Contexto& c, Cabecera& cab) {
    for (int i = 0; i < c.satelites; ++i) {
        TAmpliHeader* amp =
            CopiaOModeloPorDefecto<TAmpliHeader>(c.project, c.prefs.HD_FamiliaAmpFi, c.prefs.HD_ModeloAmpFi);
        if (amp == nullptr) {
            RecordMissingModel(c.project, c.prefs.HD_FamiliaAmpFi, c.prefs.HD_ModeloAmpFi);
            continue;
        }
        cab.amplificadores.push_back(amp);
        if (amp->FIncorporada && amp->modelofuente > 0) {
            if (TFUENTE* supply = ModeloPorDefecto<TFUENTE>(c.project, amp->modelofuente)) {
                supply->AddFed(amp);
                cab.fuentes.push_back(supply);
            }
        }
    }
}

// One LNB splitter per dish output, each with an output for every multiswitch. A family without a
// model that large is searched on in its sister family; without any, there are no LNB splitters.
void CrearRepartidoresLnb(Contexto& c, Cabecera& cab) {
    const int count = static_cast<int>(cab.multiswitches.size());
    if (count < 2) {
        return;
    }
    std::size_t dishOutputs = 0;
    for (const Tantena* dish : cab.parabolas) {
        dishOutputs += dish->PinesSALIDA().size();
    }
    const auto model = ChooseSplitter(c.prefs.HD_FAM_REP_CAB, count, BuscadorDeRepartidores(c.project));
    for (std::size_t i = 0; i < dishOutputs; ++i) {
        if (TRepartidor* splitter = CrearRepartidor(c.project, model)) {
            cab.repartidoresLnb.push_back(splitter);
        }
    }
}

void CrearRepartidorTerrestre(Contexto& c, Cabecera& cab) {
    const int count = static_cast<int>(cab.Elementos().size());
    const int p = c.polaridades;
    const bool layoutAllows =
        c.prefs.TipoDistribucionCab == 0 || !(p > 15 || p == 8 || c.prefs.Dis_FAMMSCAS > 5009);
    if (count < 2 || !layoutAllows || cab.terrestre == nullptr) {
        return;
    }
    cab.repartidorTerrestre = CrearRepartidor(
        c.project, ChooseSplitter(c.prefs.HD_FAM_REP_CAB, count, BuscadorDeRepartidores(c.project)));
}

// One splitter per trunk line, each with an output per stair with flats. With one or three satellites
// each satellite's four IF lines get a terrestrial line (groups of five); with two or four a single
// terrestrial line leads.
void CrearRepartidoresTroncales(Contexto& c, Cabecera& cab) {
    if (cab.amplificadores.empty()) {
        return;
    }
    const int stairs = c.project.NumEscalerasConViviendas();
    if (stairs < 2) {
        return;
    }
    const int t = c.prefs.HD_ICTERR && cab.terrestre != nullptr ? 1 : 0;
    const int s = c.satelites;
    const int count = c.polaridades + t * (s % 2 == 1 ? s : 1);
    TRepartidor* first = CrearRepartidor(
        c.project, ChooseSplitter(c.prefs.HD_FAM_REP_CAB, stairs, BuscadorDeRepartidores(c.project)));
    if (first == nullptr) {
        return;
    }
    cab.troncales.push_back(first);
    for (int i = 1; i < count; ++i) {
        cab.troncales.push_back(TComponenteBase::CreateCopy<TRepartidor>(&c.project.RedTV(), *first));
    }
}

// The letter of output `index` of element (its first output when it has no such pin).
char LetraDeSalida(const TComponenteBase& element, int index) {
    const TPin* pin = element.PinAt(PinKind::Output, index);
    if (pin == nullptr) {
        pin = element.PinAt(PinKind::Output, 0);
    }
    return pin != nullptr ? pin->Prefijo : 'B';
}

// The first free output of from (whatever its letter) to the first free input of letter `inputLetter`
// of to.
void ConectarAEntrada(Contexto& c, TComponenteBase& from, TComponenteBase& to, char inputLetter) {
    if (const TPin* output = from.FindFreePin(PinKind::Output, kFirstFreePin)) {
        ConnectByLetterOrRecord(c.project, from, output->Prefijo, kMetrosCabecera, c.cable, to, inputLetter);
    }
}

// Every output of dish to the next free satellite input of element, the outputs taken by the letter of
// the dish's output `reference`.
void ConectarParabola(Contexto& c, Tantena& dish, int reference, TComponenteBase& element) {
    const char letter = LetraDeSalida(dish, reference);
    for (std::size_t k = 0; k < dish.PinesSALIDA().size(); ++k) {
        ConnectByLetterOrRecord(c.project, dish, letter, kMetrosParabola, c.cable, element, 'B');
    }
}

void ConectarParabolasConRepartidores(Contexto& c, Cabecera& cab) {
    std::size_t next = 0;
    for (Tantena* dish : cab.parabolas) {
        for (std::size_t k = 0; k < dish->PinesSALIDA().size() && next < cab.repartidoresLnb.size(); ++k) {
            ConectarSalida(*dish, static_cast<int>(k), *cab.repartidoresLnb[next++], kMetrosParabola,
                           c.cable);
        }
    }
    for (TRepartidor* splitter : cab.repartidoresLnb) {
        const char letter = LetraDeSalida(*splitter, 0);
        for (TMultiswitch* ms : cab.multiswitches) {
            ConnectByLetterOrRecord(c.project, *splitter, letter, kMetrosCabecera, c.cable, *ms, 'B');
        }
    }
}

void ConectarParabolas(Contexto& c, Cabecera& cab) {
    if (!cab.repartidoresLnb.empty()) {
        ConectarParabolasConRepartidores(c, cab);
        return;
    }
    const std::vector<TComponenteBase*> elements = cab.Elementos();
    if (cab.parabolas.size() == elements.size()) {
        for (std::size_t i = 0; i < elements.size(); ++i) {
            ConectarParabola(c, *cab.parabolas[i], static_cast<int>(i), *elements[i]);
        }
    } else if (cab.parabolas.size() > elements.size()) {
        for (std::size_t e = 0; e < elements.size(); ++e) {
            for (Tantena* dish : cab.parabolas) {
                ConectarParabola(c, *dish, static_cast<int>(e), *elements[e]);
            }
        }
    }
}

void ConectarTerrestreAMultiswitches(Contexto& c, Cabecera& cab) {
    if (cab.terrestre == nullptr || cab.multiswitches.empty()) {
        return;
    }
    if (cab.repartidorTerrestre == nullptr) {
        ConectarAEntrada(c, *cab.terrestre, *cab.multiswitches.front(), 'A');
        return;
    }
    ConectarSalida(*cab.terrestre, -1, *cab.repartidorTerrestre, kMetrosCabecera, c.cable);
    for (TMultiswitch* ms : cab.multiswitches) {
        ConectarAEntrada(c, *cab.repartidorTerrestre, *ms, 'A');
    }
}

// Terrestrial source pin a feeds trunk splitter 5a + 2: the middle line of each group of five.
void ConectarTerrestreATroncales(Contexto& c, Cabecera& cab) {
    if (cab.terrestre == nullptr) {
        return;
    }
    TComponenteBase* source = cab.terrestre;
    if (cab.repartidorTerrestre != nullptr) {
        ConectarSalida(*cab.terrestre, -1, *cab.repartidorTerrestre, kMetrosCabecera, c.cable);
        source = cab.repartidorTerrestre;
    }
    for (std::size_t a = 0; a < source->PinesSALIDA().size(); ++a) {
        const std::size_t target = 5 * a + 2;
        if (target >= cab.troncales.size()) {
            break;
        }
        ConectarSalida(*source, static_cast<int>(a), *cab.troncales[target], kMetrosCabecera, c.cable);
    }
}

// The IF lines of the amplifiers, in order, to the trunk splitters whose input is still free.
void ConectarAmplificadoresATroncales(Contexto& c, Cabecera& cab) {
    std::size_t i = 0;
    for (TAmpliHeader* amp : cab.amplificadores) {
        std::size_t output = 0;
        while (output < amp->PinesSALIDA().size() && i < cab.troncales.size()) {
            TRepartidor& splitter = *cab.troncales[i];
            const bool outputFree =
                amp->FindFreePinWithLetter(PinKind::Output, 'B', kFirstFreePin) != nullptr;
            const bool inputFree =
                splitter.FindFreePinWithLetter(PinKind::Input, 'A', kFirstFreePin) != nullptr;
            if (outputFree && inputFree) {
                ConnectByLetterOrRecord(c.project, *amp, 'B', kMetrosCabecera, c.cable, splitter, 'A');
                ++i;
                ++output;
            } else if (outputFree) {
                ++i;
            } else if (inputFree) {
                ++output;
            } else {
                break;
            }
        }
    }
}

void Conectar(Contexto& c, Cabecera& cab) {
    ConectarParabolas(c, cab);
    if (!cab.multiswitches.empty()) {
        ConectarTerrestreAMultiswitches(c, cab);
        return;
    }
    ConectarTerrestreATroncales(c, cab);
    if (!cab.troncales.empty()) {
        ConectarAmplificadoresATroncales(c, cab);
    }
}

template <typename T> void Colocar(tplanta& floor, const std::vector<T*>& elements) {
    for (T* element : elements) {
        floor.AgregarElemento(element);
    }
}

void Colocar(tplanta& floor, const Cabecera& cab) {
    Colocar(floor, cab.parabolas);
    Colocar(floor, cab.repartidoresLnb);
    if (cab.terrestre != nullptr) {
        floor.AgregarElemento(cab.terrestre);
    }
    if (cab.repartidorTerrestre != nullptr) {
        floor.AgregarElemento(cab.repartidorTerrestre);
    }
    Colocar(floor, cab.fuentes);
    Colocar(floor, cab.multiswitches);
    Colocar(floor, cab.amplificadores);
    Colocar(floor, cab.troncales);
}

// A single stair of the 8/16 trunk layout takes its lines straight from the dishes.
bool SoloParabolas(const Contexto& c) {
    const int p = c.polaridades;
    return (p > 12 || p == 8) && c.prefs.TipoDistribucionCab != 0 && c.project.Escaleras().Count() == 1;
}

} // namespace

int ConstruirCabecera(Tproyecto& project) {
    tplanta* headend = project.PlantaCabecera();
    if (headend == nullptr) {
        return -1;
    }
    LiberarElementos(*headend);
    const TpreferenciasProyecto& prefs = project.Preferencias();
    Contexto c{project, prefs, prefs.Npolaridades, prefs.Npolaridades / 4,
               CableDe(project, TpreferenciasProyecto::kCableCabecera)};
    Cabecera cab;
    CrearTerrestre(c, cab);
    CrearParabolas(c, cab);
    if (!SoloParabolas(c)) {
        if (prefs.TipoDistribucionCab == 0) {
            CrearMultiswitches(c, cab);
        } else {
            CrearAmplificadores(c, cab);
        }
        CrearRepartidoresLnb(c, cab);
        CrearRepartidorTerrestre(c, cab);
        CrearRepartidoresTroncales(c, cab);
        Conectar(c, cab);
    }
    Colocar(*headend, cab);
    return 1;
}

double DistanciaHorizontal(const Tproyecto& project, const TEscalera& a, const TEscalera& b) {
    const TpreferenciasProyecto& prefs = project.Preferencias();
    return DistanciaHorizontal(std::max(PosicionEscalera(project, &a), 0),
                               std::max(PosicionEscalera(project, &b), 0), prefs.DistanciaEscaleras,
                               prefs.DistanciaPlantas);
}

} // namespace ixo

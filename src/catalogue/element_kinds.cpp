#include "catalogue/element_kinds.h"

#include "common/ascii_case.h"

#include <array>

namespace ixo {
namespace {

struct KindInfo {
    std::string_view name;
    std::string_view table;
};

constexpr std::array<KindInfo, kKindCount> kKinds = {{
    {"AMPLIFICADORES", "Tamplificadores"},
    {"ANTENAS", "Tantenas"},
    {"CABLES", "TCables"},
    {"CONECTOR", "TConector"},
    {"CARGAS", "Tcargas"},
    {"ESPECIALES", "TaEspecial"},
    {"MS", "TMs"},
    {"REPARTIDORES", "TRepartidores"},
    {"TOMAS", "TTomas"},
    {"FUENTES", "TaFuentes"},
    {"ESPECIALES", "TaEspecial"},
}};

bool IsKind(int kind) {
    return kind >= 0 && kind < kKindCount;
}

// Line amplifiers: the block 39000..39499 and a few families of their own.
bool IsLineAmplifierFamily(std::int32_t familia) {
    return (familia >= 39000 && familia <= 39499) || familia == 4002 || familia == 4100 || familia == 40000 ||
           familia == 41000 || familia == 41100;
}

} // namespace

std::string_view KindName(int kind) {
    return IsKind(kind) ? kKinds[kind].name : std::string_view();
}

std::string_view KindTableName(int kind) {
    return IsKind(kind) ? kKinds[kind].table : std::string_view();
}

int KindOfTableName(std::string_view tabla) {
    std::string upper = UpperAscii(tabla);
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (upper == kKinds[kind].name) {
            return kind;
        }
    }
    return kNoKind;
}

std::string_view ElementClassOf(int kind, std::int32_t familia) {
    switch (kind) {
    case kKindAmplificadores:
        return IsLineAmplifierFamily(familia) ? "TLinAmp"
               : familia == 4923              ? "TCabeceraTerrestre"
                                              : "TAmpliHeader";
    case kKindAntenas:
        return "Tantena";
    case kKindCables:
        return "TCableTV";
    case kKindConector:
        return "TConector";
    case kKindCargas:
        return "TCarga";
    case kKindEntradaVivienda:
        return familia == 100000 ? "Tentradaviv" : "";
    case kKindMs:
        return familia == 5500 ? "TDISECQ" : "TMultiswitch";
    case kKindRepartidores:
        return "TRepartidor";
    case kKindTomas:
        return "TTomaTV";
    case kKindFuentes:
        return familia > 7499 ? "TInyector" : "TFUENTE";
    case kKindIft:
        return familia == 10001 ? "TIFT" : "";
    default:
        return "";
    }
}

} // namespace ixo

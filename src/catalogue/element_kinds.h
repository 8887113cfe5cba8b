#pragma once

#include <cstdint>
#include <string_view>

namespace ixo {

// The element kinds of the store. The kind number indexes the store's lists; a family's kind is found
// by comparing its table name (upper-cased) with the kind names in kind order, so the families of the
// table Especiales map to kind 5 and kind 10 is reached only by its number.
inline constexpr int kKindCount = 11;
inline constexpr int kNoKind = 11;

enum ElementKind : int {
    kKindAmplificadores = 0,
    kKindAntenas = 1,
    kKindCables = 2,
    kKindConector = 3,
    kKindCargas = 4,
    kKindEntradaVivienda = 5,
    kKindMs = 6,
    kKindRepartidores = 7,
    kKindTomas = 8,
    kKindFuentes = 9,
    kKindIft = 10,
};

// "AMPLIFICADORES", "ANTENAS", ...; empty for numbers outside 0..10.
std::string_view KindName(int kind);
// The component name of the kind's table ("Tamplificadores", ...); empty outside 0..10.
std::string_view KindTableName(int kind);
// The first kind whose name equals the upper-cased table name, or kNoKind.
int KindOfTableName(std::string_view tabla);
// The class of the prototype that a record of the family creates in that kind ("TMultiswitch", ...),
// or empty when the record creates nothing there.
std::string_view ElementClassOf(int kind, std::int32_t familia);

} // namespace ixo

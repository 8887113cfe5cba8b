#include "reports/document_writer.h"

namespace ixo {

TRegistroatributo Atributos(std::int16_t points, bool bold, Alineacion alignment) {
    TRegistroatributo attributes;
    attributes.Tamano = points;
    attributes.Negrita = bold ? 1 : 0;
    attributes.AlineacionParrafo = alignment;
    return attributes;
}

} // namespace ixo

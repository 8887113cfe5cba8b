#include "model/toma_tv.h"

#include "model/parts_catalogue.h"

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TTomaBase, TCBFT)
IXO_DEFINE_COMPONENT_CLASS(TTomaTV, TTomaBase)

TTomaBase::TTomaBase(TPrimerComponente* owner) : TCBFT(owner) {
    Tabla = DefaultTableOfKind(kKind);
}

TTomaBase::TTomaBase(TPrimerComponente* owner, const TTomaBase& prototype)
    : TCBFT(owner, prototype), NPolaridades(prototype.NPolaridades), OrdenCascada(prototype.OrdenCascada),
      NConectores(prototype.NConectores), cascadeable(prototype.cascadeable) {}

void TTomaBase::ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) {
    TCBFT::ReadRecord(record, number, table);
    OrdenCascada = ReadIntegerKey("ORDENCASCADA", "1");
    NConectores = ReadIntegerKey("NCONECTORES", "2");
    NPolaridades = ReadIntegerKey("NPOLARIDADES", "1");
    cascadeable = ReadIntegerKey("CASCADEABLE", "1");
}

TPrimerComponente* TTomaBase::Clone(TPrimerComponente* owner) const {
    return Create<TTomaBase>(owner, *this);
}

TPrimerComponente* TTomaTV::Clone(TPrimerComponente* owner) const {
    return Create<TTomaTV>(owner, *this);
}

} // namespace ixo

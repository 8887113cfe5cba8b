#include "model/cabecera_terrestre.h"

#include "common/binary_stream.h"
#include "model/binary_property.h"

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TCabeceraTerrestre, TAmpliBase)

void TCabeceraTerrestre::ReadRecord(const TRECConScript& record, std::int32_t number,
                                    TTablaCompoScript* table) {
    TAmpliBase::ReadRecord(record, number, table);
    m_nivelTerr = LevelVector();
}

void TCabeceraTerrestre::ReceiveLevel(const LevelVector& level, TPin* pin) {
    if (pin != nullptr) {
        pin->SetLevels(level);
    }
    if (Computing()) {
        return; // a cable loop brought the headend's own level back: it is sent once
    }
    ComputingScope computing(*this);
    for (const PinList* list : {&PinesSALIDA(), &PinesDERIVACION()}) {
        for (TPin* out : *list) {
            out->SetLevels(m_nivelTerr);
            PushFrom(*out, m_nivelTerr);
        }
    }
}

TPrimerComponente* TCabeceraTerrestre::Clone(TPrimerComponente* owner) const {
    return Create<TCabeceraTerrestre>(owner, *this);
}

void TCabeceraTerrestre::DefineProperties(BinaryPropertyFiler& filer) {
    TAmpliBase::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "NivelTerr", [this](BinaryReader& reader) { m_nivelTerr = ReadLevelVector(reader); },
        [this](BinaryWriter& writer) { WriteLevelVector(writer, m_nivelTerr); }, true);
}

} // namespace ixo

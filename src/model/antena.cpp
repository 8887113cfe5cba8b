#include "model/antena.h"

#include "common/binary_stream.h"
#include "model/binary_property.h"
#include "model/cable_tv.h"
#include "model/parts_catalogue.h"

#include <algorithm>

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(Tantena, TCBFT)

Tantena::Tantena(TPrimerComponente* owner) : TCBFT(owner), m_inputLevels(kStreamedLevels) {
    if (Tabla == nullptr) {
        Tabla = DefaultTableOfKind(kKind);
    }
}

Tantena::Tantena(TPrimerComponente* owner, const Tantena& prototype)
    : TCBFT(owner, prototype), LNB(prototype.LNB), m_inputLevels(prototype.m_inputLevels) {}

void Tantena::ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) {
    TCBFT::ReadRecord(record, number, table);
    tipo = ReadIntegerKey("TIPO", "0");
    std::string lnb = ReadKey("LNB", "");
    LNB = tipo == 1 ? std::move(lnb) : std::string();
    m_inputLevels.assign(static_cast<std::size_t>(std::max(Nsalidas, 0)), LevelVector());
}

void Tantena::SetInputLevels(const LevelVector& level) {
    for (LevelVector& entry : m_inputLevels) {
        entry = level;
    }
}

void Tantena::SetInputLevel(std::int32_t a, const LevelVector& level) {
    if (a >= 0 && static_cast<std::size_t>(a) < m_inputLevels.size()) {
        m_inputLevels[static_cast<std::size_t>(a)] = level;
    }
}

void Tantena::StartPush() {
    TPin* input = PinAt(PinKind::Input, 0);
    if (input == nullptr) {
        return; // nothing to push the levels through
    }
    const std::string inKey = input->PinKey();
    const PinList& outputs = PinesSALIDA();
    // A list read from a file may be longer than the outputs: the entries beyond them feed nothing.
    const std::size_t count = std::min(m_inputLevels.size(), outputs.size());
    for (std::size_t a = 0; a < count; ++a) {
        const LevelVector in = input->AfterCable(m_inputLevels[a]);
        input->SetLevels(in);
        PushThrough(PinList{outputs[a]}, in, inKey);
    }
}

TPrimerComponente* Tantena::Clone(TPrimerComponente* owner) const {
    return Create<Tantena>(owner, *this);
}

void Tantena::DefineProperties(BinaryPropertyFiler& filer) {
    TCBFT::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "NivelesEntrada", [this](BinaryReader& reader) { m_inputLevels = ReadLevelVectorList(reader); },
        [this](BinaryWriter& writer) { WriteLevelVectorList(writer, m_inputLevels); },
        !m_inputLevels.empty());
}

} // namespace ixo

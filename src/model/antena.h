#pragma once

#include "model/cbft.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ixo {

// A satellite dish with its LNB: a signal source. It holds one input level vector per output pin (the
// level the LNB delivers on that output before the dish's own gains) and starts the level run by pushing
// each entry through its first input to the matching output. A level arriving at its input from a cable
// is pushed as by any transfer-function element.
//
// Binary data "NivelesEntrada" (written while the list is not empty): int32 count, then the vectors.
class Tantena : public TCBFT {
    IXO_COMPONENT_CLASS(Tantena)
public:
    static constexpr int kKind = 1;                   // the antenna table
    static constexpr std::size_t kStreamedLevels = 4; // input levels of an antenna made for reading

    // Streaming constructor: the antenna table (when none is set yet) and four zero input levels.
    explicit Tantena(TPrimerComponente* owner);
    // Copy of a prototype: the input levels and the LNB name (not tipo).
    Tantena(TPrimerComponente* owner, const Tantena& prototype);

    std::int32_t tipo = 0; // 1: a dish fitted with an LNB named in LNB
    std::string LNB;       // model name of the LNB; counted once per dish in the list of materials

    const std::vector<LevelVector>& InputLevels() const { return m_inputLevels; }
    // Replaces the whole list (the level dialog and the project reader).
    void SetInputLevelList(std::vector<LevelVector> levels) { m_inputLevels = std::move(levels); }
    // Every entry := level (the seed of a level run).
    void SetInputLevels(const LevelVector& level);
    // Entry a := level; nothing when there is no entry a.
    void SetInputLevel(std::int32_t a, const LevelVector& level);

    // Starts the run at this source: for each entry a, the first input takes the entry (plus the loss of
    // its cable, when it has one) and output a gets it plus the row from the input's key to output a's
    // key, and passes it on. Entries without an output, or an antenna without input, push nothing.
    void StartPush();

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
    void DefineProperties(BinaryPropertyFiler& filer) override;

protected:
    int DefaultKind() const override { return kKind; }
    void ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) override;

private:
    std::vector<LevelVector> m_inputLevels;
};

} // namespace ixo

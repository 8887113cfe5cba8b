#pragma once

#include "model/level_vector.h"
#include "model/primer_objeto.h"

#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// One row of a transfer table: the gains (dB) towards the pins of one output key.
struct TArrDin {
    LevelVector Gains;
    std::string OutputKey; // at most 2 characters
};

// The transfer table of one input pin key: a row per output pin key, in the order they were added.
// Data: int32 size (length + 1) and the input key as a short string; int32 number of rows; per row a
// uint16 size and the output key as a short string, then the 8 gains as doubles.
class TMatriz : public TPrimerObjeto {
public:
    static constexpr std::string_view kClassName = "TMatriz";

    std::string InputKey; // at most 2 characters
    std::vector<TArrDin> Rows;

    // The first row whose output key equals outputKey exactly, or null.
    TArrDin* FindRow(std::string_view outputKey);
    const TArrDin* FindRow(std::string_view outputKey) const;

    std::string_view ClassName() const override { return kClassName; }
    std::unique_ptr<TPrimerObjeto> Clone() const override { return std::make_unique<TMatriz>(*this); }
    void WriteToStream(BinaryWriter& writer) const override;
    // Replaces key and rows by the data read; unchanged on failure.
    void ReadFromStream(BinaryReader& reader) override;
};

} // namespace ixo

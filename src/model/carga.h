#pragma once

#include "model/primer_objeto.h"

namespace ixo {

// A termination load of the load table (kind 4), fitted to a pin while it is not cabled.
// Data: the identity, then the impedance (int32) and the flag byte.
class TCarga : public TsegundoObjeto {
public:
    static constexpr std::string_view kClassName = "TCarga";
    static constexpr std::int32_t kDefaultIndice = 1;
    static constexpr std::string_view kDefaultModelo = "FCF";

    std::uint8_t Flag = 0;
    std::int32_t Impedancia = 75;

    // The load used when the catalogue is not at hand: number 1, model "FCF", 75 ohm.
    static std::unique_ptr<TCarga> DefaultLoad();

    std::string_view ClassName() const override { return kClassName; }
    std::unique_ptr<TPrimerObjeto> Clone() const override { return std::make_unique<TCarga>(*this); }
    void WriteToStream(BinaryWriter& writer) const override;
    void ReadFromStream(BinaryReader& reader) override;
};

} // namespace ixo

#pragma once

#include "model/primer_objeto.h"

namespace ixo {

// A connector of the connector table (kind 3). A pin has its own connector and, while it is cabled,
// the connector fitted to the cable end. Data: the identity, then Sexo and Tipo as one byte each.
class TConector : public TsegundoObjeto {
public:
    static constexpr std::string_view kClassName = "TConector";

    char Tipo = 'F';
    char Sexo = 'M';

    // A connector made without the catalogue, carrying only its number.
    static std::unique_ptr<TConector> WithIndice(std::int32_t indice);

    std::string_view ClassName() const override { return kClassName; }
    std::unique_ptr<TPrimerObjeto> Clone() const override { return std::make_unique<TConector>(*this); }
    void WriteToStream(BinaryWriter& writer) const override;
    void ReadFromStream(BinaryReader& reader) override;
};

} // namespace ixo

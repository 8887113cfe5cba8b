#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace ixo {

class BinaryReader;
class BinaryWriter;

// Root of the small persistent value objects (connectors, loads, transfer tables). They have no owner
// and no name. Each class writes and reads its own binary data and copies itself through Clone, so a
// copy is always of the most specific class.
class TPrimerObjeto {
public:
    static constexpr std::string_view kClassName = "TPrimerObjeto";

    TPrimerObjeto() = default;
    TPrimerObjeto(const TPrimerObjeto&) = default;
    TPrimerObjeto& operator=(const TPrimerObjeto&) = default;
    virtual ~TPrimerObjeto() = default;

    virtual std::string_view ClassName() const { return kClassName; }
    virtual std::unique_ptr<TPrimerObjeto> Clone() const { return std::make_unique<TPrimerObjeto>(*this); }
    // The root has no data.
    virtual void WriteToStream(BinaryWriter& /*writer*/) const {}
    virtual void ReadFromStream(BinaryReader& /*reader*/) {}
};

// A copy of object as its own static type (the dynamic type is kept by Clone).
template <typename T> std::unique_ptr<T> CloneAs(const T& object) {
    return std::unique_ptr<T>(static_cast<T*>(object.Clone().release()));
}

// A catalogue identity: family, element number in its table, model name and description.
// Data: Indice (int32), Familia (int32), then Descripcion and Modelo, each as uint16 size (length + 1)
// followed by the short string with its length byte. Reading leaves the object unchanged on failure.
class TsegundoObjeto : public TPrimerObjeto {
public:
    static constexpr std::string_view kClassName = "TsegundoObjeto";

    std::int32_t Familia = 0;
    std::int32_t Indice = 0;
    std::string Modelo;      // at most 64 characters
    std::string Descripcion; // at most 80 characters

    std::string_view ClassName() const override { return kClassName; }
    std::unique_ptr<TPrimerObjeto> Clone() const override { return std::make_unique<TsegundoObjeto>(*this); }
    void WriteToStream(BinaryWriter& writer) const override;
    void ReadFromStream(BinaryReader& reader) override;

protected:
    void WriteIdentity(BinaryWriter& writer) const;
    // Reads the identity fields into target without touching this object.
    static void ReadIdentity(BinaryReader& reader, TsegundoObjeto& target);
};

} // namespace ixo

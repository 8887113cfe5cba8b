#include "building/lista_niveles.h"

#include "common/binary_stream.h"
#include "common/text_encoding.h"
#include "model/binary_property.h"

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(Tlistaobjetonivel, TPrimerComponente)

namespace {
// The smallest entry: name length, no name, two doubles.
constexpr std::size_t kMinEntrySize = 4 + 8 + 8;
} // namespace

const TObjetonivel* Tlistaobjetonivel::At(int i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= m_entries.size()) {
        return nullptr;
    }
    return m_entries[static_cast<std::size_t>(i)].get();
}

double Tlistaobjetonivel::Minimo(int i) const {
    const TObjetonivel* entry = At(i);
    return entry != nullptr ? entry->Minimo : -1.0;
}

double Tlistaobjetonivel::Maximo(int i) const {
    const TObjetonivel* entry = At(i);
    return entry != nullptr ? entry->Maximo : -1.0;
}

void Tlistaobjetonivel::AsignarNiveles(const TMatestructuranivel& array) {
    Clear();
    for (const Testructuranivel& limit : array) {
        TObjetonivel entry;
        entry.NombreNivel = limit.name;
        entry.Minimo = limit.minimum;
        entry.Maximo = limit.maximum;
        Add(entry);
    }
}

void Tlistaobjetonivel::LeerNiveles(TMatestructuranivel& array) const {
    array.resize(m_entries.size());
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        array[i] = Testructuranivel{m_entries[i]->NombreNivel, m_entries[i]->Minimo, m_entries[i]->Maximo};
    }
}

void Tlistaobjetonivel::WriteNiveles(BinaryWriter& writer) const {
    writer.WriteInt32(static_cast<std::int32_t>(m_entries.size()));
    for (const auto& entry : m_entries) {
        writer.WriteCountedString(Utf8ToCp1252(entry->NombreNivel));
        writer.WriteDouble(entry->Minimo);
        writer.WriteDouble(entry->Maximo);
    }
}

void Tlistaobjetonivel::ReadNiveles(BinaryReader& reader) {
    std::size_t count = reader.ReadCount(kMinEntrySize, "NIVELES");
    std::vector<std::unique_ptr<TObjetonivel>> read;
    read.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        auto entry = std::make_unique<TObjetonivel>();
        entry->NombreNivel = Cp1252ToUtf8(reader.ReadCountedString());
        entry->Minimo = reader.ReadDouble();
        entry->Maximo = reader.ReadDouble();
        read.push_back(std::move(entry));
    }
    m_entries = std::move(read);
}

TPrimerComponente* Tlistaobjetonivel::Clone(TPrimerComponente* owner) const {
    auto* copy = Create<Tlistaobjetonivel>(owner);
    for (const auto& entry : m_entries) {
        copy->Add(*entry);
    }
    return copy;
}

void Tlistaobjetonivel::DefineProperties(BinaryPropertyFiler& filer) {
    TPrimerComponente::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "NIVELES", [this](BinaryReader& reader) { ReadNiveles(reader); },
        [this](BinaryWriter& writer) { WriteNiveles(writer); }, !m_entries.empty());
}

} // namespace ixo

#include "catalogue/records.h"

#include "common/byte_io.h"
#include "common/text_encoding.h"

namespace ixo {
namespace {

// Field offsets and sizes (a short string field is its maximum length + 1).
namespace element {
constexpr std::size_t kIndice = 0, kFamilia = 4, kModelo = 8, kModeloSize = 65, kDescripcion = 73,
                      kDescripcionSize = 81, kClave = 154, kClaveSize = 81;
}
namespace family {
constexpr std::size_t kFamilia = 0, kNombre = 4, kNombreSize = 81, kTabla = 85, kTablaSize = 67, kGrupo = 152,
                      kAtributos = 156, kAtributosSize = 68;
}
namespace article {
constexpr std::size_t kClave = 0, kModelo = 4, kModeloSize = 68, kSpare1 = 72, kSpare2 = 76, kCodigo = 80,
                      kCodigoSize = 21, kDescripcion = 101, kDescripcionSize = 83;
}

std::string ReadText(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t size) {
    return Cp1252ToUtf8(ReadShortStringField(bytes, offset, size));
}

void WriteText(std::span<std::uint8_t> bytes, std::size_t offset, std::size_t size, const std::string& text) {
    WriteShortStringField(bytes, offset, size, Utf8ToCp1252(text));
}

} // namespace

std::string ScriptKeyOf(std::int32_t indice) {
    return "@@INIRECOD_" + std::to_string(indice) + "@@";
}

ElementRecordBytes EncodeElementRecord(const TRECConScript& record) {
    ElementRecordBytes bytes{};
    WriteInt32LE(bytes, element::kIndice, record.Indice);
    WriteInt32LE(bytes, element::kFamilia, record.Familia);
    WriteText(bytes, element::kModelo, element::kModeloSize, record.Modelo);
    WriteText(bytes, element::kDescripcion, element::kDescripcionSize, record.Descripcion);
    WriteText(bytes, element::kClave, element::kClaveSize, record.ClaveScript);
    return bytes;
}

TRECConScript DecodeElementRecord(std::span<const std::uint8_t, kElementRecordSize> bytes) {
    TRECConScript record;
    record.Indice = ReadInt32LE(bytes, element::kIndice);
    record.Familia = ReadInt32LE(bytes, element::kFamilia);
    record.Modelo = ReadText(bytes, element::kModelo, element::kModeloSize);
    record.Descripcion = ReadText(bytes, element::kDescripcion, element::kDescripcionSize);
    record.ClaveScript = ReadText(bytes, element::kClave, element::kClaveSize);
    return record;
}

FamilyRecordBytes EncodeFamilyRecord(const FamilyRecord& record) {
    FamilyRecordBytes bytes{};
    WriteInt32LE(bytes, family::kFamilia, record.Familia);
    WriteText(bytes, family::kNombre, family::kNombreSize, record.NombreFamilia);
    WriteText(bytes, family::kTabla, family::kTablaSize, record.Tabla);
    WriteInt32LE(bytes, family::kGrupo, record.Grupo);
    WriteText(bytes, family::kAtributos, family::kAtributosSize, record.Atributos);
    return bytes;
}

FamilyRecord DecodeFamilyRecord(std::span<const std::uint8_t, kFamilyRecordSize> bytes) {
    FamilyRecord record;
    record.Familia = ReadInt32LE(bytes, family::kFamilia);
    record.NombreFamilia = ReadText(bytes, family::kNombre, family::kNombreSize);
    record.Tabla = ReadText(bytes, family::kTabla, family::kTablaSize);
    record.Grupo = ReadInt32LE(bytes, family::kGrupo);
    record.Atributos = ReadText(bytes, family::kAtributos, family::kAtributosSize);
    return record;
}

ArticleRecordBytes EncodeArticleRecord(const ArticleRecord& record) {
    ArticleRecordBytes bytes{};
    WriteInt32LE(bytes, article::kClave, record.ClaveArticulo);
    WriteText(bytes, article::kModelo, article::kModeloSize, record.Modelo);
    WriteInt32LE(bytes, article::kSpare1, 1);
    WriteInt32LE(bytes, article::kSpare2, 0);
    WriteText(bytes, article::kCodigo, article::kCodigoSize, record.Codigo);
    WriteText(bytes, article::kDescripcion, article::kDescripcionSize, record.Descripcion);
    return bytes;
}

ArticleRecord DecodeArticleRecord(std::span<const std::uint8_t, kArticleRecordSize> bytes) {
    ArticleRecord record;
    record.ClaveArticulo = ReadInt32LE(bytes, article::kClave);
    record.Modelo = ReadText(bytes, article::kModelo, article::kModeloSize);
    record.Codigo = ReadText(bytes, article::kCodigo, article::kCodigoSize);
    record.Descripcion = ReadText(bytes, article::kDescripcion, article::kDescripcionSize);
    return record;
}

} // namespace ixo

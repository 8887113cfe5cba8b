#pragma once

#include "model/element_record.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace ixo {

// Fixed record sizes of the catalogue index files. The files have no header: the record count is
// the file size divided by the record size.
inline constexpr std::size_t kElementRecordSize = 236;
inline constexpr std::size_t kFamilyRecordSize = 224;
inline constexpr std::size_t kArticleRecordSize = 216;

// One record of "Familias.bd".
struct FamilyRecord {
    std::int32_t Familia = 0;
    std::string NombreFamilia; // up to 80 characters
    std::string Tabla;         // up to 66 characters: base name of the element table
    std::int32_t Grupo = 0;
    std::string Atributos; // up to 67 characters; "OBS" inside marks an obsolete family
};

// One record of "Precios.bd".
struct ArticleRecord {
    std::int32_t ClaveArticulo = 0;
    std::string Modelo;      // up to 67 characters: the search key
    std::string Codigo;      // up to 20 characters
    std::string Descripcion; // up to 82 characters
};

// The key line that opens a record's script in the ".sb" file.
std::string ScriptKeyOf(std::int32_t indice);

using ElementRecordBytes = std::array<std::uint8_t, kElementRecordSize>;
using FamilyRecordBytes = std::array<std::uint8_t, kFamilyRecordSize>;
using ArticleRecordBytes = std::array<std::uint8_t, kArticleRecordSize>;

// Byte layouts. Decoding never reads outside the record: a length byte beyond its field is clamped.
// Encoding cuts text to its field and zero-fills unused bytes (the "not read" integers of an article
// record hold 1 and 0 as in a new record). Script is not part of the index record.
ElementRecordBytes EncodeElementRecord(const TRECConScript& record);
TRECConScript DecodeElementRecord(std::span<const std::uint8_t, kElementRecordSize> bytes);

FamilyRecordBytes EncodeFamilyRecord(const FamilyRecord& record);
FamilyRecord DecodeFamilyRecord(std::span<const std::uint8_t, kFamilyRecordSize> bytes);

ArticleRecordBytes EncodeArticleRecord(const ArticleRecord& record);
ArticleRecord DecodeArticleRecord(std::span<const std::uint8_t, kArticleRecordSize> bytes);

} // namespace ixo

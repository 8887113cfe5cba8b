#include "model/matriz.h"

#include "common/binary_stream.h"
#include "model/stream_text.h"

namespace ixo {
namespace {

// A row takes at least its uint16 size, the length byte and the gains.
constexpr std::size_t kMinRowSize = 2 + 1 + LevelVector::kStreamSize;

bool SameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

TArrDin* TMatriz::FindRow(std::string_view outputKey) {
    // Keys are one or two bytes: compared in line rather than through a library call per row.
    for (TArrDin& row : Rows) {
        if (SameKey(row.OutputKey, outputKey)) {
            return &row;
        }
    }
    return nullptr;
}

const TArrDin* TMatriz::FindRow(std::string_view outputKey) const {
    return const_cast<TMatriz*>(this)->FindRow(outputKey);
}

void TMatriz::WriteToStream(BinaryWriter& writer) const {
    WriteSizedShortText32(writer, InputKey);
    writer.WriteInt32(static_cast<std::int32_t>(Rows.size()));
    for (const TArrDin& row : Rows) {
        WriteSizedShortText16(writer, row.OutputKey);
        WriteLevelVector(writer, row.Gains);
    }
}

void TMatriz::ReadFromStream(BinaryReader& reader) {
    std::string inputKey = ReadSizedShortText32(reader);
    std::size_t count = reader.ReadCount(kMinRowSize, "transfer table rows");
    std::vector<TArrDin> rows;
    rows.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        TArrDin row;
        row.OutputKey = ReadSizedShortText16(reader);
        row.Gains = ReadLevelVector(reader);
        rows.push_back(std::move(row));
    }
    InputKey = std::move(inputKey);
    Rows = std::move(rows);
}

} // namespace ixo

#include "model/level_vector.h"

#include "common/binary_stream.h"

#include <algorithm>

namespace ixo {

LevelVector LevelVector::Filled(double value) {
    LevelVector vector;
    vector.band.fill(value);
    return vector;
}

LevelVector Scale(const LevelVector& c, double x) {
    LevelVector result;
    for (std::size_t i = 0; i < kBandCount; ++i) {
        result[i] = c[i] * x;
    }
    return result;
}

LevelVector Clip(const LevelVector& a, const LevelVector& limit) {
    LevelVector result;
    for (std::size_t i = 0; i < kBandCount; ++i) {
        result[i] = a[i] > limit[i] ? limit[i] : a[i];
    }
    return result;
}

void WriteLevelVector(BinaryWriter& writer, const LevelVector& vector) {
    for (double value : vector.band) {
        writer.WriteDouble(value);
    }
}

LevelVector ReadLevelVector(BinaryReader& reader) {
    LevelVector vector;
    for (double& value : vector.band) {
        value = reader.ReadDouble();
    }
    return vector;
}

void WriteLevelVectorList(BinaryWriter& writer, std::span<const LevelVector> vectors) {
    writer.WriteInt32(static_cast<std::int32_t>(vectors.size()));
    for (const LevelVector& vector : vectors) {
        WriteLevelVector(writer, vector);
    }
}

std::vector<LevelVector> ReadLevelVectorList(BinaryReader& reader) {
    std::size_t count = reader.ReadCount(LevelVector::kStreamSize, "level vectors");
    std::vector<LevelVector> vectors;
    vectors.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        vectors.push_back(ReadLevelVector(reader));
    }
    return vectors;
}

} // namespace ixo

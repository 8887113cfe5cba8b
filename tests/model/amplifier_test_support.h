#pragma once

#include "model/element_record.h"
#include "model/level_vector.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace ixo::test {

// A catalogue record of the amplifier table with the given script lines.
inline TRECConScript AmplifierRecord(std::int32_t indice, std::int32_t familia,
                                     std::initializer_list<std::string_view> lines) {
    TRECConScript record;
    record.Indice = indice;
    record.Familia = familia;
    record.Modelo = "AMP-" + std::to_string(indice);
    for (std::string_view line : lines) {
        record.Script.append(line);
        record.Script.append("\r\n");
    }
    return record;
}

inline LevelVector Levels(const std::array<double, kBandCount>& values) {
    LevelVector vector;
    vector.band = values;
    return vector;
}

inline void ExpectLevelsNear(const LevelVector& actual, const std::array<double, kBandCount>& expected,
                             std::string_view what) {
    for (std::size_t band = 0; band < kBandCount; ++band) {
        EXPECT_NEAR(actual[band], expected[band], 1e-9) << what << " band " << band;
    }
}

} // namespace ixo::test

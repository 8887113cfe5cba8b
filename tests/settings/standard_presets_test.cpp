#include "settings/level_limits.h"
#include "settings/standard_presets.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

// A preset puts its two windows into the limits and keeps the rest (the names, further limits); a
// list short of the two limits is made the defaults first; "Custom" leaves the project's own.
TEST(StandardPresetLimits, APresetSetsBothWindowsAndKeepsTheRest) {
    const StandardPreset* en = FindStandardPreset("en60728-1");
    ASSERT_NE(en, nullptr);
    TMatestructuranivel own = DefaultLevelLimits();
    own[kTerrestrialLimit].name = "Own";
    own.push_back({"Extra", 1.0, 2.0});
    const TMatestructuranivel set = WithPresetLimits(*en, own);
    ASSERT_EQ(set.size(), 3u);
    EXPECT_EQ(set[kTerrestrialLimit].name, "Own");
    EXPECT_EQ(set[kTerrestrialLimit].minimum, 45.0);
    EXPECT_EQ(set[kTerrestrialLimit].maximum, 74.0);
    EXPECT_EQ(set[kSatelliteLimit].minimum, 47.0);
    EXPECT_EQ(set[kSatelliteLimit].maximum, 77.0);
    EXPECT_EQ(set[2].minimum, 1.0);

    const TMatestructuranivel filled = WithPresetLimits(*en, {});
    ASSERT_EQ(filled.size(), kLevelLimitCount);
    EXPECT_EQ(filled[kSatelliteLimit].name, DefaultLevelLimits()[kSatelliteLimit].name);
    EXPECT_EQ(filled[kSatelliteLimit].maximum, 77.0);

    const StandardPreset* custom = FindStandardPreset("Custom");
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(WithPresetLimits(*custom, own), own);
}

} // namespace
} // namespace ixo

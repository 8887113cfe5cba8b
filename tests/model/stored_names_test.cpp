#include "model/stored_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace ixo {
namespace {

// Objects read one by one go into the list at the place their names have among the stored names,
// whatever order they come in; short lists are searched, long ones (a multiswitch's pins) indexed, and
// both must place alike.
std::vector<std::string> PlaceAll(const std::vector<std::string>& stored, std::vector<std::string> arrivals) {
    StoredNames names;
    names.Set(stored);
    std::vector<std::string> list;
    for (const std::string& name : arrivals) {
        const auto position =
            names.PositionIn(list, name, [](const std::string& s) -> const std::string& { return s; });
        if (position) {
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(*position), name);
        }
    }
    return list;
}

TEST(StoredNames, ObjectsArrivingInAnyOrderEndInTheStoredOrder) {
    for (std::size_t count : {3U, 8U, 9U, 40U}) {
        std::vector<std::string> stored;
        for (std::size_t i = 1; i <= count; ++i) {
            stored.push_back("Pin" + std::to_string(i) + "SA");
        }
        std::vector<std::string> arrivals = stored;
        std::mt19937 random(static_cast<unsigned>(count));
        for (int round = 0; round < 5; ++round) {
            std::shuffle(arrivals.begin(), arrivals.end(), random);
            EXPECT_EQ(PlaceAll(stored, arrivals), stored) << count << " names";
        }
    }
}

// Arrivals in the stored order go to the end without ranking the whole list again; a list changed between
// arrivals (an object taken out, one put in by other means) must still be ranked as it stands.
TEST(StoredNames, InOrderArrivalsAndListsChangedBetweenThem) {
    for (std::size_t count : {5U, 20U}) {
        std::vector<std::string> stored;
        for (std::size_t i = 1; i <= count; ++i) {
            stored.push_back("Pin" + std::to_string(i) + "SA");
        }
        EXPECT_EQ(PlaceAll(stored, stored), stored) << count;
        std::vector<std::string> reversed(stored.rbegin(), stored.rend());
        EXPECT_EQ(PlaceAll(stored, reversed), stored) << count;

        StoredNames names;
        names.Set(stored);
        auto nameOf = [](const std::string& s) -> const std::string& { return s; };
        std::vector<std::string> list;
        for (std::size_t i = 0; i < 3; ++i) {
            ASSERT_EQ(names.PositionIn(list, stored[i], nameOf), i);
            list.push_back(stored[i]);
        }
        // The last object is replaced by a later one put in by other means: the next arrival, ranked
        // between them, goes before it.
        list.back() = stored[4];
        EXPECT_EQ(names.PositionIn(list, stored[3], nameOf), 2U) << count;
        // An object taken out: the list is ranked again as it stands.
        list = {stored[0], stored[4]};
        EXPECT_EQ(names.PositionIn(list, stored[2], nameOf), 1U) << count;
        // An arrival placed but not put in: the list did not grow, the answer is worked out again.
        list = {stored[0]};
        EXPECT_EQ(names.PositionIn(list, stored[3], nameOf), 1U) << count;
        EXPECT_EQ(names.PositionIn(list, stored[1], nameOf), 1U) << count;
    }
}

TEST(StoredNames, LetterCaseIsIgnoredAndUnknownNamesHaveNoPlace) {
    for (std::size_t count : {4U, 12U}) {
        std::vector<std::string> stored;
        for (std::size_t i = 0; i < count; ++i) {
            stored.push_back("Pot" + std::to_string(i));
        }
        StoredNames names;
        names.Set(stored);
        const std::vector<std::string> list = {"Pot0", "Pot3"};
        auto nameOf = [](const std::string& s) -> const std::string& { return s; };
        EXPECT_EQ(names.PositionIn(list, "POT2", nameOf), 1U) << count;
        EXPECT_EQ(names.PositionIn(list, "pot1", nameOf), 1U) << count;
        EXPECT_EQ(names.PositionIn(list, "Pot3", nameOf), 2U) << count; // after its equal
        EXPECT_FALSE(names.PositionIn(list, "Unknown", nameOf).has_value()) << count;
        // Items of the list whose names are not stored do not move the place.
        const std::vector<std::string> mixed = {"Extra", "Pot3"};
        EXPECT_EQ(names.PositionIn(mixed, "Pot1", nameOf), 1U) << count;
    }
}

TEST(StoredNames, ANameStoredTwiceTakesItsFirstPlace) {
    std::vector<std::string> stored = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "B", "J"};
    StoredNames names;
    names.Set(stored);
    auto nameOf = [](const std::string& s) -> const std::string& { return s; };
    const std::vector<std::string> list = {"A", "C", "J"};
    EXPECT_EQ(names.PositionIn(list, "b", nameOf), 1U);
}

} // namespace
} // namespace ixo

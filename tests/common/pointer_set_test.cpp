#include "common/pointer_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace ixo {
namespace {

// Random inserts and erases across the size where the position index is built, checked against a
// std::set after every step: membership, size, and no duplicate in the items.
TEST(PointerSet, AgreesWithAReferenceSetUnderRandomOperations) {
    std::vector<int> objects(64);
    std::mt19937 random(12345);
    PointerSet<int> set;
    std::set<int*> reference;
    for (int step = 0; step < 20000; ++step) {
        int* item = &objects[random() % objects.size()];
        if (random() % 3 != 0) {
            EXPECT_EQ(set.Insert(item), reference.insert(item).second);
        } else {
            EXPECT_EQ(set.Erase(item), reference.erase(item) == 1);
        }
        ASSERT_EQ(set.Size(), reference.size());
        for (int& object : objects) {
            ASSERT_EQ(set.Contains(&object), reference.contains(&object));
        }
    }
    std::vector<int*> items = set.Items();
    std::sort(items.begin(), items.end());
    EXPECT_TRUE(std::adjacent_find(items.begin(), items.end()) == items.end());
}

// A large indexed set (the table grows several times, probe runs wrap around its end) against a plain
// vector that follows the same rule: insert appends, erase moves the last item into the erased place.
// Same items in the same order after every step shows that the index keeps every position right.
TEST(PointerSet, LargeSetKeepsTheOrderOfAPlainVector) {
    std::vector<long> objects(3000);
    std::mt19937 random(777);
    PointerSet<long> set;
    std::vector<long*> model;
    for (int step = 0; step < 60000; ++step) {
        long* item = &objects[random() % objects.size()];
        auto found = std::find(model.begin(), model.end(), item);
        // Mostly inserts at first, mostly erases later, so the set grows large and shrinks again.
        const bool insert = step < 30000 ? random() % 4 != 0 : random() % 4 == 0;
        if (insert) {
            ASSERT_EQ(set.Insert(item), found == model.end());
            if (found == model.end()) {
                model.push_back(item);
            }
        } else {
            ASSERT_EQ(set.Erase(item), found != model.end());
            if (found != model.end()) {
                *found = model.back();
                model.pop_back();
            }
        }
        if (step % 997 == 0) {
            ASSERT_EQ(set.Items(), model) << step;
            for (long& object : objects) {
                ASSERT_EQ(set.Contains(&object),
                          std::find(model.begin(), model.end(), &object) != model.end());
            }
        }
    }
    EXPECT_EQ(set.Items(), model);
    EXPECT_GT(model.size(), 0U);
}

TEST(PointerSet, KeepsInsertionOrderWithTheLastTakingAnErasedPlace) {
    int a = 0, b = 0, c = 0, d = 0;
    PointerSet<int> set;
    for (int* item : {&a, &b, &c, &d}) {
        set.Insert(item);
    }
    EXPECT_FALSE(set.Insert(&b));
    EXPECT_TRUE(set.Erase(&b));
    EXPECT_FALSE(set.Erase(&b));
    EXPECT_EQ(set.Items(), (std::vector<int*>{&a, &d, &c}));
    EXPECT_EQ(set.TakeAll(), (std::vector<int*>{&a, &d, &c}));
    EXPECT_TRUE(set.Empty());
    EXPECT_FALSE(set.Contains(&a));
}

} // namespace
} // namespace ixo

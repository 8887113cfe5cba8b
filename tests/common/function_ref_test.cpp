#include "common/function_ref.h"

#include <gtest/gtest.h>

#include <string>

namespace ixo {
namespace {

int Twice(FunctionRef<int(int)> f, int value) {
    return f(f(value));
}

TEST(FunctionRef, CallsTheCallableItRefersToWithItsState) {
    int calls = 0;
    const int result = Twice(
        [&calls](int x) {
            ++calls;
            return x * 3;
        },
        2);
    EXPECT_EQ(result, 18);
    EXPECT_EQ(calls, 2);

    std::string text;
    auto append = [&text](std::string_view part, char separator) { text.append(part).push_back(separator); };
    FunctionRef<void(std::string_view, char)> ref(append);
    ref("a", ',');
    ref("b", ';');
    EXPECT_EQ(text, "a,b;");
}

} // namespace
} // namespace ixo

#include "design/regulation_rows.h"

#include <gtest/gtest.h>

#include <vector>

namespace ixo::regulation {
namespace {

Row RowAt(double level, double minimum, double maximum) {
    Row row;
    row.Take(level);
    row.bound = {minimum, maximum};
    return row;
}

// The tree names a row at the worst margin: after a reset, after the worst row moves up and another
// takes its place, and, where several share the worst margin, the first of them; rows left out (set to
// infinity) are not named while another is finite.
TEST(MinimumTree, NamesARowAtTheWorstMargin) {
    // Margins 3, 1, 5, 2, 4 (levels within 0-10 dB).
    std::vector<Row> rows = {RowAt(3, 0, 10), RowAt(1, 0, 10), RowAt(5, 0, 10), RowAt(2, 0, 10),
                             RowAt(4, 0, 10)};
    MinimumTree tree;
    tree.Reset(rows);
    EXPECT_DOUBLE_EQ(tree.Minimum(), 1.0);
    EXPECT_EQ(tree.ArgMinimum(), 1u);
    tree.Update(1, 6.0);
    EXPECT_DOUBLE_EQ(tree.Minimum(), 2.0);
    EXPECT_EQ(tree.ArgMinimum(), 3u);
    tree.Update(4, 2.0);
    EXPECT_EQ(tree.ArgMinimum(), 3u); // a tie: the first
    tree.Update(3, kInfinity);
    EXPECT_EQ(tree.ArgMinimum(), 4u);
}

// An element maximum's row weighs its excess: a row 0.5 dB past its maximum (weight 1000) is the worst
// against an outlet 20 dB short.
TEST(MinimumTree, AWeighedRowPastItsMaximumIsTheWorst) {
    std::vector<Row> rows = {RowAt(30, 50, 80), RowAt(100.5, -kInfinity, 100)};
    rows[1].weight = 1000.0;
    MinimumTree tree;
    tree.Reset(rows);
    EXPECT_DOUBLE_EQ(tree.Minimum(), -500.0);
    EXPECT_EQ(tree.ArgMinimum(), 1u);
}

} // namespace
} // namespace ixo::regulation

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "vcl/Grids.h"

namespace {

// The plain sum the running totals must agree with.
struct Reference {
    std::vector<Integer> sizes;
    std::int64_t Span(Integer First, Integer Last, Integer Line) const {
        std::int64_t sum = 0;
        for (Integer i = First; i < Last; ++i) sum += sizes[static_cast<std::size_t>(i)] + Line;
        return sum;
    }
    Integer CellAt(Integer First, std::int64_t Offset, Integer Line) const {
        std::int64_t pos = 0;
        for (Integer i = First; i < static_cast<Integer>(sizes.size()); ++i) {
            pos += sizes[static_cast<std::size_t>(i)] + Line;
            if (Offset < pos) return i;
        }
        return static_cast<Integer>(sizes.size());
    }
};

TEST(GridAxisTest, SpansAndHitsAgreeWithPlainSumsThroughChangesMovesAndCountChanges) {
    std::mt19937 random(7);
    TGridAxis axis(200, 24);
    Reference ref{std::vector<Integer>(200, 24)};
    auto check = [&](const char* step) {
        SCOPED_TRACE(step);
        ASSERT_EQ(axis.Count(), static_cast<Integer>(ref.sizes.size()));
        for (Integer line : {0, 1, 3})
            for (int probe = 0; probe < 50; ++probe) {
                const Integer first = static_cast<Integer>(random() % ref.sizes.size());
                const Integer last = first + static_cast<Integer>(random() % (ref.sizes.size() - first + 1));
                ASSERT_EQ(axis.Span(first, last, line), ref.Span(first, last, line));
                const std::int64_t offset = random() % (ref.Span(first, axis.Count(), line) + 40);
                ASSERT_EQ(axis.CellAt(first, offset, line), ref.CellAt(first, offset, line)) << offset;
            }
    };
    check("all at the default");
    for (int i = 0; i < 60; ++i) {
        const Integer index = static_cast<Integer>(random() % ref.sizes.size());
        const Integer size = static_cast<Integer>(random() % 5 == 0 ? 0 : random() % 50);
        axis.SetSize(index, size);
        ref.sizes[static_cast<std::size_t>(index)] = size;
    }
    check("sizes changed, some to 0");
    axis.Move(3, 150);
    ref.sizes.insert(ref.sizes.begin() + 151, ref.sizes[3]);
    ref.sizes.erase(ref.sizes.begin() + 3);
    check("moved forwards");
    axis.Move(180, 0);
    const Integer moved = ref.sizes[180];
    ref.sizes.erase(ref.sizes.begin() + 180);
    ref.sizes.insert(ref.sizes.begin(), moved);
    check("moved backwards");
    axis.SetCount(250);
    ref.sizes.resize(250, 24);
    check("grown");
    axis.SetCount(90);
    ref.sizes.resize(90);
    check("shrunk");
    axis.Reset(10);
    ref.sizes.assign(90, 10);
    check("reset to a new default");
}

TEST(GridAxisTest, DefaultSizesTakeNoStorageUntilOneChanges) {
    TGridAxis axis(1000000, 24);
    EXPECT_EQ(axis.HeapBytes(), 0u);
    EXPECT_EQ(axis.Span(0, 1000000, 1), 25000000);
    axis.SetSize(999999, 30);
    EXPECT_LE(axis.HeapBytes(), 24u * 1000000u);
    EXPECT_EQ(axis.Span(0, 1000000, 1), 25000006);
}

}  // namespace

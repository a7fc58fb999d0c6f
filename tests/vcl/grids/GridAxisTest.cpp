#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
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

// Applies one batch change to the axis and to the plain sizes it must agree with.
struct BatchCase {
    const char* Name;
    std::function<void(TGridAxis&)> OnAxis;
    std::function<void(std::vector<Integer>&)> OnPlain;
};

std::vector<BatchCase> BatchCases() {
    return {
        {"insert at the front", [](TGridAxis& a) { a.Insert(0, 7); },
         [](std::vector<Integer>& s) { s.insert(s.begin(), 7, 24); }},
        {"insert in the middle", [](TGridAxis& a) { a.Insert(40, 3); },
         [](std::vector<Integer>& s) { s.insert(s.begin() + 40, 3, 24); }},
        {"insert at the end", [](TGridAxis& a) { a.Insert(a.Count(), 5); },
         [](std::vector<Integer>& s) { s.insert(s.end(), 5, 24); }},
        {"delete a run", [](TGridAxis& a) { a.Delete(10, 20); },
         [](std::vector<Integer>& s) { s.erase(s.begin() + 10, s.begin() + 30); }},
        {"delete the tail", [](TGridAxis& a) { a.Delete(a.Count() - 4, 4); },
         [](std::vector<Integer>& s) { s.resize(s.size() - 4); }},
        {"exchange", [](TGridAxis& a) { a.Exchange(2, 77); }, [](std::vector<Integer>& s) { std::swap(s[2], s[77]); }},
        {"permute reversed",
         [](TGridAxis& a) {
             std::vector<Integer> order(static_cast<std::size_t>(a.Count()));
             for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<Integer>(order.size() - 1 - i);
             a.Permute(order);
         },
         [](std::vector<Integer>& s) { std::reverse(s.begin(), s.end()); }},
        {"take every third and put them back at the front",
         [](TGridAxis& a) {
             std::vector<Integer> rows;
             for (Integer r = 0; r < a.Count(); r += 3) rows.push_back(r);
             const std::vector<Integer> sizes = a.Take(rows);
             for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<Integer>(i);
             a.Put(rows, sizes);
         },
         [](std::vector<Integer>& s) {
             std::vector<Integer> taken, kept;
             for (std::size_t i = 0; i < s.size(); ++i) (i % 3 == 0 ? taken : kept).push_back(s[i]);
             taken.insert(taken.end(), kept.begin(), kept.end());
             s = taken;
         }},
        {"take and put back where they were",
         [](TGridAxis& a) {
             const std::vector<Integer> rows{0, 5, 6, a.Count() - 1};
             a.Put(rows, a.Take(rows));
         },
         [](std::vector<Integer>&) {}},
        {"grow a row at a time",
         [](TGridAxis& a) {
             for (int i = 0; i < 40; ++i) a.SetCount(a.Count() + 1);
         },
         [](std::vector<Integer>& s) { s.resize(s.size() + 40, 24); }},
        {"shrink then grow past the old count",
         [](TGridAxis& a) {
             a.SetCount(33);
             a.SetCount(300);
         },
         [](std::vector<Integer>& s) {
             s.resize(33);
             s.resize(300, 24);
         }},
    };
}

TEST(GridAxisTest, BatchChangesAgreeWithPlainSizesWithAndWithoutChangedSizes) {
    for (bool sized : {false, true})
        for (const BatchCase& c : BatchCases()) {
            SCOPED_TRACE(std::string(c.Name) + (sized ? ", sizes set" : ", default sizes"));
            TGridAxis axis(100, 24);
            std::vector<Integer> plain(100, 24);
            if (sized)
                for (Integer i = 0; i < 100; i += 7) {
                    axis.SetSize(i, i % 50);
                    plain[static_cast<std::size_t>(i)] = i % 50;
                }
            const std::uint64_t version = axis.Version();
            const std::vector<Integer> before = plain;
            c.OnAxis(axis);
            c.OnPlain(plain);
            Reference ref{plain};
            ASSERT_EQ(axis.Count(), static_cast<Integer>(plain.size()));
            for (Integer i = 0; i < axis.Count(); ++i) ASSERT_EQ(axis.Size(i), plain[static_cast<std::size_t>(i)]) << i;
            for (Integer first : {0, 1, axis.Count() / 2})
                for (Integer last : {first, axis.Count() / 2 + 1, axis.Count()}) {
                    ASSERT_EQ(axis.Span(first, last, 1), ref.Span(first, last, 1)) << first << ".." << last;
                    for (std::int64_t offset : {0, 23, 24, 25, 1000, 2500})
                        ASSERT_EQ(axis.CellAt(first, offset, 1), ref.CellAt(first, offset, 1)) << offset;
                }
            if (plain != before) {
                EXPECT_NE(axis.Version(), version);  // the grid's cached layout depends on it
            }
            if (!sized) {
                EXPECT_EQ(axis.HeapBytes(), 0u);
            }
        }
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

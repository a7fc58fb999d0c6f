// Result lines without the window: each unit, each display, bounds, grouping and the echo.
#include <cstdint>
#include <utility>

#include <gtest/gtest.h>

#include <vcl/SysUtils.h>

#include "ResultLines.h"
#include "valstr.h"

namespace {

TEST(ResultLines, EachUnitAndDisplay) {
    valstr::SetDigitGroupSeparator("'");
    const Double disk = 30000000000.0;  // 30 decimal gigabytes, 512-byte sectors, 4096-byte clusters
    struct Case {
        TPositionUnit Unit;
        TResultDisplay Display;
        bool Split;
        const char* Line;
        const char* Expected;
    };
    const Case cases[] = {
        {TPositionUnit::Sector, TResultDisplay::Percent, false, "1000", "0.0017% (= sector #1000)"},
        {TPositionUnit::Sector, TResultDisplay::Sector, false, "1000", "1000 (= sector #1000)"},
        {TPositionUnit::Percent, TResultDisplay::Percent, false, "50", "50% (= 50%)"},
        {TPositionUnit::Byte, TResultDisplay::Percent, false, "99999999999",
         ">100% Out of Bounds (= byte #99999999999)"},
        {TPositionUnit::Byte, TResultDisplay::Percent, false, "30000000000", "100% (= byte #30000000000)"},
        {TPositionUnit::Byte, TResultDisplay::Percent, false, "30000000001",
         ">100% Out of Bounds (= byte #30000000001)"},
        {TPositionUnit::Byte, TResultDisplay::Byte, true, "1234567", "1'234'567 (= byte #1234567)"},
        {TPositionUnit::Byte, TResultDisplay::Cluster, false, "8192", "2 (= byte #8192)"},
        {TPositionUnit::Cluster, TResultDisplay::Byte, true, "3", "12'288 (= cluster #3)"},
        {TPositionUnit::Percent, TResultDisplay::Sector, true, "100", "58'593'750 (= 100%)"},
        {TPositionUnit::Percent, TResultDisplay::Percent, true, "100.5", ">100% Out of Bounds (= 100.5%)"},
        // The "%" sign stays outside the grouping; the echoed line is never grouped.
        {TPositionUnit::Byte, TResultDisplay::Percent, true, "12'000'000'000", "40% (= byte #12'000'000'000)"},
        {TPositionUnit::Byte, TResultDisplay::Byte, false, "12ab3", "123 (= byte #12ab3)"},
        {TPositionUnit::Byte, TResultDisplay::Byte, true, "-1234", "-1'234 (= byte #-1234)"},
        {TPositionUnit::Byte, TResultDisplay::Unknown, false, "5", "? (= byte #5)"},
        {TPositionUnit::Byte, TResultDisplay::Byte, false, "", "0 (= byte #)"},
    };
    for (const Case& c : cases) {
        TPositionFormat format{disk, 512.0, 4096.0, c.Unit, c.Display, c.Split};
        TResultLineWriter writer(format);
        AnsiString result;
        writer.Write(c.Line, result);
        EXPECT_EQ(result, c.Expected) << c.Line;
    }
}

// A percentage of the disk is taken of the whole size, then divided: 100 % of a binary disk is exactly
// the disk, never one rounding step beyond it.
TEST(ResultLines, PercentOfTheDiskStaysWithinBinaryDisks) {
    for (const Int64 gigabytes : {1, 7, 14, 28, 30, 55, 56, 109, 110, 111, 112}) {
        const Double disk = static_cast<Double>(gigabytes * 1073741824);
        struct Case {
            TResultDisplay Display;
            const char* Line;
            AnsiString Expected;
        };
        const Case cases[] = {
            {TResultDisplay::Percent, "100", "100% (= 100%)"},
            {TResultDisplay::Byte, "100", IntToStr(gigabytes * 1073741824) + " (= 100%)"},
            {TResultDisplay::Percent, "50", "50% (= 50%)"},
            {TResultDisplay::Percent, "100.0001", ">100% Out of Bounds (= 100.0001%)"},
        };
        for (const Case& c : cases) {
            TResultLineWriter writer({disk, 512.0, 4096.0, TPositionUnit::Percent, c.Display, false});
            AnsiString result;
            writer.Write(c.Line, result);
            EXPECT_EQ(result, c.Expected) << gigabytes << " GB, " << c.Line << "%";
        }
    }
}

// Past 2^48 bytes the share's product rounds; a few percent of such sizes once read 100 % as beyond
// the disk.
TEST(ResultLines, AHundredPercentOfAnyWholeByteDiskIsWithinBounds) {
    std::uint64_t size = 541769782978051;
    for (int i = 0; i < 2000; ++i) {
        const Double disk = static_cast<Double>(size);
        for (const auto& [display, expected] :
             {std::pair{TResultDisplay::Percent, AnsiString("100% (= 100%)")},
              std::pair{TResultDisplay::Byte, IntToStr(static_cast<Int64>(size)) + " (= 100%)"}}) {
            TResultLineWriter writer({disk, 512.0, 4096.0, TPositionUnit::Percent, display, false});
            AnsiString result;
            writer.Write("100", result);
            ASSERT_EQ(result, expected) << size << " bytes";
        }
        // The next size anywhere between 2^48 and 2^53.
        size = (1ULL << 48) + (size * 6364136223846793005ULL + 1442695040888963407ULL) % (31ULL << 48);
    }
}

TEST(ResultLines, AWriterReusedForManyLinesGivesEachItsOwnLine) {
    TResultLineWriter writer({1000.0, 512.0, 4096.0, TPositionUnit::Byte, TResultDisplay::Percent, false});
    AnsiString first, second;
    writer.Write("500", first);
    writer.Write("1001", second);
    EXPECT_EQ(first, "50% (= byte #500)");
    EXPECT_EQ(second, ">100% Out of Bounds (= byte #1001)");
}

}  // namespace

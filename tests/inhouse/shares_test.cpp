// Size-share lists: weights, remainders, minimums, maximums, equalised middle items and the range form.
#include <gtest/gtest.h>

#include <vcl/SysUtils.h>

#include "valstr.h"

using namespace valstr;

namespace {

AnsiString Shares(Integer Total, const AnsiString& List, bool RangeForm = false, bool EqualizeMiddle = false) {
    AnsiString result = "untouched";
    DistributeSizes(Total, List, RangeForm, result, EqualizeMiddle);
    return result;
}

AnsiString Even(Integer Total, Integer Count, bool RangeForm = false, bool EqualizeMiddle = false) {
    AnsiString result = "untouched";
    DistributeEvenly(Total, Count, RangeForm, result, EqualizeMiddle);
    return result;
}

TEST(SizeShares, DistributeSizesSharesTheTotalByWeightWithinTheLimits) {
    struct Case {
        Integer total;
        const char* list;
        bool rangeForm;
        bool equalize;
        const char* expected;
    };
    const Case cases[] = {
        {300, "100,100,100", false, false, "100,100,100"},
        {300, "100,100,100", true, false, "1-100,101-200,201-300"},
        {100, "1,1,1", false, false, "34,33,33"},              // remainder to the first item
        {100, "100|60,100", false, false, "60,40"},            // minimum paid by the other item
        {100, "100|0|20,100", false, false, "20,80"},          // maximum handed to the other item
        {101, "0,100", false, false, "0,101"},                 // weight 0 counts as 0.1
        {101, ",100", false, false, "0,101"},                  // so does a missing one
        {100, "100|30|30,100,100", false, false, "30,35,35"},  // exactly 30
        {200, "100|50|20,100", false, false, "50,150"},        // a maximum below the minimum rises to it
        {250, "100,100,100", true, false, "1-84,85-167,168-250"},
        {10, "1,1,1,1", false, false, "3,3,2,2"},  // 2.5 rounds to 2 (ties to even), remainder 2
        {7, "100", true, false, "1-7"},
        {0, "100|10,100|20,100", false, false, "10,20,0"},  // a total of 0 gives each item its minimum
        {90, "100,100|0|10,100|0|10", false, false, "70,10,10"},
        {100, "", false, false, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Shares(c.total, c.list, c.rangeForm, c.equalize), c.expected) << c.total << " " << c.list;
}

TEST(SizeShares, EqualizeMiddleRaisesMiddleItemsToTheFirstAtTheLastItemsCost) {
    struct Case {
        Integer total;
        const char* list;
        const char* expected;
    };
    const Case cases[] = {
        {10, "1,1,1,1", "3,3,3,1"},  // 3,3,2,2: the third item takes one unit from the last
        {4, "1,1,1,1", "1,1,1,1"},   // nothing is missing
        {5, "2,1,1", "3,1,1"},       // 2.5 rounds to 2 plus a remainder unit; the last cannot pay for item 2
        {10, "1,1", "5,5"},          // fewer than three items: no middle
    };
    for (const Case& c : cases) EXPECT_EQ(Shares(c.total, c.list, false, true), c.expected) << c.total << " " << c.list;
}

TEST(SizeShares, DistributeEvenlyBuildsEqualOrFixedSizeItems) {
    struct Case {
        Integer total;
        Integer count;
        bool rangeForm;
        bool equalize;
        const char* expected;
    };
    const Case cases[] = {
        {250, -100, false, true, "100,100,50"},
        {250, -100, true, true, "1-100,101-200,201-250"},
        {300, -100, false, true, "100,100,100"},
        {250, -100, false, false, "84,83,83"},  // without equalising the three items share evenly
        {300, 3, true, false, "1-100,101-200,201-300"},
        {100, 0, false, false, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Even(c.total, c.count, c.rangeForm, c.equalize), c.expected) << c.total << " " << c.count;
}

TEST(SizeShares, MoreThanTwoHundredItemsRaiseARangeError) {
    AnsiString list = "1";
    for (int i = 1; i < 200; ++i) list += ",1";
    EXPECT_NO_THROW(Shares(1000, list));
    EXPECT_THROW(Shares(1000, list + ",1"), ERangeError);
    AnsiString result;
    EXPECT_THROW(DistributeEvenly(1000, 201, false, result, false), ERangeError);
    EXPECT_THROW(DistributeEvenly(1000, -4, false, result, true), ERangeError);  // 250 items of 4
}

TEST(SizeShares, IndexListWritesEachNumberBetweenCommas) {
    AnsiString result;
    IndexList(3, 5, result);
    EXPECT_EQ(result, ",3,,4,,5,");
    IndexList(2, 1, result);
    EXPECT_EQ(result, "");
}

}  // namespace

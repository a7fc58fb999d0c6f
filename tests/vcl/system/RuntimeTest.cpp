#include <xmmintrin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

TEST(RunTimeChecks, OverflowAndRangeRaise) {
    EXPECT_EQ(CheckedAdd<Integer>(2147483646, 1), 2147483647);
    EXPECT_THROW(CheckedAdd<Integer>(2147483647, 1), EIntOverflow);
    EXPECT_THROW(CheckedSub<Integer>(-2147483647 - 1, 1), EIntOverflow);
    EXPECT_THROW(CheckedMul<Int64>(Int64(1) << 62, 2), EIntOverflow);
    EXPECT_EQ(CheckedMul<Int64>(Int64(1) << 31, 2), Int64(1) << 32);
    EXPECT_THROW(CheckedCast<Integer>(Int64(1) << 31), ERangeError);
    EXPECT_THROW(CheckedCast<Byte>(-1), ERangeError);
    EXPECT_THROW(CheckedCast<Integer>(UInt64(1) << 31), ERangeError);
    EXPECT_EQ(CheckedCast<Byte>(255), 255);
    EXPECT_THROW(CheckRange(11, 0, 10), ERangeError);
    EXPECT_NO_THROW(CheckRange(10, 0, 10));
}

TEST(CommandLine, RebuildsAndQuotesArguments) {
    std::vector<AnsiString> saved;
    for (Integer i = 0; i <= ParamCount(); ++i) saved.push_back(ParamStr(i));

    char a0[] = "/opt/halcyra";
    char a1[] = "plain";
    char a2[] = "two words";
    char a3[] = "";
    char a4[] = "caf\xC3\xA9";
    char* argv[] = {a0, a1, a2, a3, a4};
    InitCommandLine(5, argv);
    EXPECT_EQ(CmdLine(), "/opt/halcyra plain \"two words\" \"\" caf\xE9");
    EXPECT_EQ(ParamCount(), 4);
    EXPECT_EQ(ParamStr(2), "two words");
    EXPECT_EQ(ParamStr(4), "caf\xE9");
    EXPECT_EQ(ParamStr(5), "");
    EXPECT_EQ(ParamStr(-1), "");
    EXPECT_FALSE(ParamStr(0).empty());

    std::vector<std::string> restore(saved.begin(), saved.end());
    std::vector<char*> pointers;
    for (std::string& s : restore) pointers.push_back(s.data());
    InitCommandLine(static_cast<int>(pointers.size()), pointers.data());
}

namespace {
// Sets the process arguments for one test and puts the previous ones back.
class TArgumentsForTest {
public:
    explicit TArgumentsForTest(std::vector<std::string> Args) {
        for (Integer i = 0; i <= ParamCount(); ++i) saved_.push_back(ParamStr(i));
        Install(std::move(Args));
    }
    ~TArgumentsForTest() { Install(saved_); }

private:
    static void Install(std::vector<std::string> Args) {
        std::vector<char*> pointers;
        for (std::string& s : Args) pointers.push_back(s.data());
        InitCommandLine(static_cast<int>(pointers.size()), pointers.data());
    }
    std::vector<std::string> saved_;
};
}  // namespace

// The rebuilt line follows the platform's quoting, so cutting it by the same rules gives every argument
// back whole: blanks, tabs, inner quotes and backslashes before quotes included.
TEST(CommandLine, SplittingTheRebuiltLineGivesBackEveryArgument) {
    const std::vector<std::string> args = {
        "/opt/my programs/halcyra",
        "title=\"two words\"",
        "plain",
        "",
        "tab\there",
        "a\\b",
        "trailing\\",
        "dir=C:\\with blank\\",
        "\\\"",
        "\"",
        "\\\\\"two\\\\\" \\",
        "x=1 \"y\" \\\\z",
        "caf\xC3\xA9 au lait",
    };
    TArgumentsForTest given(args);
    std::vector<AnsiString> expected(args.begin(), args.end());
    expected.back() = "caf\xE9 au lait";
    EXPECT_EQ(SplitCommandLine(CmdLine()), expected) << CmdLine();
}

// A quote cannot stand in a program name; it is left out there so that the arguments still split whole.
TEST(CommandLine, AQuoteInTheProgramNameLeavesTheArgumentsWhole) {
    TArgumentsForTest given({"/opt/odd \"name\"/halcyra", "a b", "c"});
    EXPECT_EQ(SplitCommandLine(CmdLine()), (std::vector<AnsiString>{"/opt/odd name/halcyra", "a b", "c"})) << CmdLine();
}

namespace {
double Divide(double a, double b) {
    volatile double x = a;
    volatile double y = b;
    return x / y;
}
}  // namespace

TEST(ControlWord, SetAndGetRoundTripAndReachSse) {
    const Word original = Get8087CW();
    const unsigned originalCsr = _mm_getcsr();
    EXPECT_EQ(original & 0x3F, 0x3F) << "the process starts with every exception masked";

    struct Case {
        Word cw;
        unsigned sseRounding;
    };
    for (const Case& c : {Case{0x133F, 0}, Case{0x173F, 1}, Case{0x1B3F, 2}, Case{0x1F3F, 3}}) {
        Set8087CW(c.cw);
        EXPECT_EQ(Get8087CW() | 0x40, c.cw | 0x40);  // bit 6 is reserved and may read as set
        EXPECT_EQ((_mm_getcsr() >> 13) & 3u, c.sseRounding);
        EXPECT_EQ((_mm_getcsr() >> 7) & 0x3Fu, 0x3Fu);
    }
    Set8087CW(0x173F);  // round down
    const double down = Divide(1.0, 3.0);
    Set8087CW(0x1B3F);  // round up
    const double up = Divide(1.0, 3.0);
    EXPECT_LT(down, up);

    Set8087CW(original);
    _mm_setcsr(originalCsr);
}

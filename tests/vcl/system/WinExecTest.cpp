// Starting programs: the command line cut into arguments by the Windows rules, handed over untouched,
// and failures reported below 32.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "vcl/Windows.h"

namespace {

using Args = std::vector<AnsiString>;

TEST(SplitCommandLine, CutsArgumentsByTheWindowsRules) {
    struct Case {
        const char* Line;
        Args Expected;
    };
    const Case cases[] = {
        {"", {}},
        {" \t ", {}},
        {"prog", {"prog"}},
        {"  prog   a\tb  ", {"prog", "a", "b"}},
        {"\"C:\\Program Files\\Web\\web.exe\" -nohome url", {"C:\\Program Files\\Web\\web.exe", "-nohome", "url"}},
        {"pro\"g na\"me x", {"prog name", "x"}},                // quotes group inside the program name
        {"C:\\dir\\\" x", {"C:\\dir\\ x"}},                      // the program name keeps its backslashes
        {"p \"a b\" c", {"p", "a b", "c"}},
        {"p a\"b c\"d", {"p", "ab cd"}},
        {"p \"\"", {"p", ""}},
        {"p \"a\"\"b\"", {"p", "a\"b"}},                         // "" inside quotes is a quote
        {"p a\\\\b", {"p", "a\\\\b"}},                           // backslashes before no quote stand
        {"p a\\\"b", {"p", "a\"b"}},                             // 1 backslash + quote: a literal quote
        {"p a\\\\\"b c\"", {"p", "a\\b c"}},                     // 2 backslashes + quote: one, and the quote groups
        {"p a\\\\\\\"b", {"p", "a\\\"b"}},                       // 3 backslashes + quote: one and a literal quote
        {"p \"unclosed arg", {"p", "unclosed arg"}},
        {"p a\\", {"p", "a\\"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.Line), c.Expected) << c.Line;
}

TEST(QuoteCommandLineArgument, EveryTextComesBackWholeAsOneArgument) {
    struct Case {
        const char* Arg;
        const char* Written;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"a\\b", "a\\b"},
        {"", "\"\""},
        {"two words", "\"two words\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"end\\ ", "\"end\\ \""},
        {"tail \\", "\"tail \\\\\""},
        {"q\\\"", "\"q\\\\\\\"\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QuoteCommandLineArgument(c.Arg), c.Written) << c.Arg;
        EXPECT_EQ(SplitCommandLine("p " + QuoteCommandLineArgument(c.Arg)), (Args{"p", c.Arg})) << c.Arg;
    }
}

class WinExecLaunch : public ::testing::Test {
protected:
    void TearDown() override { SetWinExecLauncherForTest(nullptr); }
};

TEST_F(WinExecLaunch, TheLauncherGetsTheArgumentsAndTheShowCommand) {
    Args seen;
    UINT shown = 99;
    SetWinExecLauncherForTest([&](const Args& argv, UINT show) {
        seen = argv;
        shown = show;
        return 33u;
    });
    EXPECT_EQ(WinExec("xdg-open  https://a.example/?q=1;rm$(id)'x'", SW_SHOWDEFAULT), 33u);
    EXPECT_EQ(seen, (Args{"xdg-open", "https://a.example/?q=1;rm$(id)'x'"}));
    EXPECT_EQ(shown, static_cast<UINT>(SW_SHOWDEFAULT));
}

TEST_F(WinExecLaunch, ACommandLineWithoutAProgramStartsNothing) {
    int calls = 0;
    SetWinExecLauncherForTest([&](const Args&, UINT) {
        ++calls;
        return 33u;
    });
    for (const char* line : {"", "   ", "\"\" url"}) EXPECT_EQ(WinExec(line, SW_SHOW), static_cast<UINT>(ERROR_FILE_NOT_FOUND)) << line;
    EXPECT_EQ(WinExec(nullptr, SW_SHOW), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(calls, 0);
}

TEST_F(WinExecLaunch, AProgramThatCannotStartGivesAResultBelow32) {
    for (const char* line : {"halcyra-no-such-program-here url", "/nonexistent/dir/program", "/tmp url"}) {
        EXPECT_LT(WinExec(line, SW_SHOW), 32u) << line;
    }
}

TEST_F(WinExecLaunch, AProgramThatStartsGivesAResultOf32OrMore) { EXPECT_GE(WinExec("true ignored", SW_HIDE), 32u); }

}  // namespace

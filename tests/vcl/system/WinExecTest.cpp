// Starting programs: the command line cut into arguments by the Windows rules, handed over untouched,
// and failures reported below 32.
#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "vcl/Clock.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"
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
        {"pro\"g na\"me x", {"prog name", "x"}},  // quotes group inside the program name
        {"C:\\dir\\\" x", {"C:\\dir\\ x"}},       // the program name keeps its backslashes
        {"p \"a b\" c", {"p", "a b", "c"}},
        {"p a\"b c\"d", {"p", "ab cd"}},
        {"p \"\"", {"p", ""}},
        {"p \"a\"\"b\"", {"p", "a\"b"}},      // "" inside quotes is a quote
        {"p a\\\\b", {"p", "a\\\\b"}},        // backslashes before no quote stand
        {"p a\\\"b", {"p", "a\"b"}},          // 1 backslash + quote: a literal quote
        {"p a\\\\\"b c\"", {"p", "a\\b c"}},  // 2 backslashes + quote: one, and the quote groups
        {"p a\\\\\\\"b", {"p", "a\\\"b"}},    // 3 backslashes + quote: one and a literal quote
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
    SetWinExecLauncherForTest([&](const Args& argv, UINT show, TProgramExitEvent) {
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
    SetWinExecLauncherForTest([&](const Args&, UINT, TProgramExitEvent) {
        ++calls;
        return 33u;
    });
    for (const char* line : {"", "   ", "\"\" url"})
        EXPECT_EQ(WinExec(line, SW_SHOW), static_cast<UINT>(ERROR_FILE_NOT_FOUND)) << line;
    EXPECT_EQ(WinExec(nullptr, SW_SHOW), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(calls, 0);
}

TEST_F(WinExecLaunch, AProgramThatCannotStartGivesAResultBelow32) {
    for (const char* line : {"halcyra-no-such-program-here url", "/nonexistent/dir/program", "/tmp url"}) {
        EXPECT_LT(WinExec(line, SW_SHOW), 32u) << line;
    }
}

TEST_F(WinExecLaunch, AProgramThatStartsGivesAResultOf32OrMore) { EXPECT_GE(WinExec("true ignored", SW_HIDE), 32u); }

// The event loop's timers under a test clock: a watched program's end is picked up when they tick.
class WatchedStart : public WinExecLaunch {
protected:
    TTestClock clock;
    TManualTimerService timers{clock};
    std::vector<int> reported;
    TProgramExitEvent Record() {
        return [this](int ExitStatus) { reported.push_back(ExitStatus); };
    }
    // Lets the timers tick until Count ends are reported (a real program ends on its own time).
    void AwaitReports(std::size_t Count) {
        for (int i = 0; i < 500 && reported.size() < Count; ++i) {
            timers.Advance(100);
            if (reported.size() < Count) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
};

TEST_F(WatchedStart, TheEndIsReportedOnceFromTheEventLoopWhateverThreadReportsIt) {
    TProgramExitEvent exited;
    SetWinExecLauncherForTest([&](const Args&, UINT, TProgramExitEvent Exited) {
        exited = Exited;
        return 33u;
    });
    ASSERT_EQ(WinExecWatched("xdg-open https://a.example/", SW_SHOWDEFAULT, Record()), 33u);
    timers.Advance(100);
    EXPECT_TRUE(reported.empty()) << "still running";
    std::thread([&] { exited(4); }).join();
    EXPECT_TRUE(reported.empty()) << "reported from the event loop only";
    timers.Advance(100);
    exited(0);
    timers.Advance(100);
    EXPECT_EQ(reported, std::vector<int>{4});
    EXPECT_EQ(timers.ActiveCount(), 0) << "nothing left to watch";
}

TEST_F(WatchedStart, AFailedStartOrAPlainWinExecReportsNothing) {
    SetWinExecLauncherForTest([&](const Args& Argv, UINT, TProgramExitEvent Exited) {
        Exited(9);
        return Argv[0] == "missing" ? static_cast<UINT>(ERROR_FILE_NOT_FOUND) : 33u;
    });
    EXPECT_EQ(WinExecWatched("missing url", SW_SHOW, Record()), static_cast<UINT>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(WinExec("opener url", SW_SHOW), 33u);
    timers.Advance(100);
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(timers.ActiveCount(), 0);
}

TEST_F(WatchedStart, ARealProgramsExitStatusArrives) {
    for (const char* line : {"true", "false", "sh -c \"exit 3\"", "sh -c \"kill -TERM $$\""})
        ASSERT_GE(WinExecWatched(line, SW_HIDE, Record()), 32u) << line;
    AwaitReports(4);
    std::sort(reported.begin(), reported.end());
    EXPECT_EQ(reported, (std::vector<int>{0, 1, 3, 128 + 15}));
}

TEST_F(WatchedStart, AnExceptionFromTheHandlerReachesTheApplicationsHandler) {
    SetWinExecLauncherForTest([&](const Args&, UINT, TProgramExitEvent Exited) {
        Exited(2);
        return 33u;
    });
    Testing::RecordMessageBoxes(true);
    Testing::RecordedMessageBoxes().clear();
    WinExecWatched("opener", SW_SHOW, [](int) { throw Exception("It ended badly"); });
    WinExecWatched("opener", SW_SHOW, Record());
    timers.Advance(100);
    ASSERT_EQ(Testing::RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(Testing::RecordedMessageBoxes()[0].Text, "It ended badly.");
    EXPECT_EQ(reported, std::vector<int>{2}) << "the next handler runs all the same";
    Testing::RecordMessageBoxes(false);
}

}  // namespace

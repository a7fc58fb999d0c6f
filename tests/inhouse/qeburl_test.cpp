// The browser launcher on a temporary registry and a recording launcher: how the open command is cut,
// what the browser receives, the silent missing association and the launch failure.
#include <cmath>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "online.h"
#include "qebUrl.h"
#include "vcl/Clock.h"
#include "vcl/ExtCtrls.h"
#include "vcl/SysUtils.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

using namespace qebUrl;

namespace {

using Args = std::vector<AnsiString>;

TEST(CommandBeforePlaceholder, CutsBeforeTheQuotedPlaceholderElseTheBareOne) {
    struct Case {
        const char* Command;
        const char* Expected;
    };
    const Case cases[] = {
        {"\"C:\\Web\\web.exe\" -nohome \"%1\"", "\"C:\\Web\\web.exe\" -nohome "},  // the blank before it stays
        {"web.exe %1", "web.exe "},
        {"web.exe -url %1 -new", "web.exe -url "},
        {"web.exe -a %1 \"%1\"", "web.exe -a %1 "},  // the quoted placeholder wins over an earlier bare one
        {"web.exe \"%1", "web.exe \""},
        {"web.exe", "web.exe"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CommandBeforePlaceholder(c.Command), c.Expected) << c.Command;
}

TEST(ShowCommandOf, EachWayOfShowingHasItsWindowShowCommand) {
    const std::pair<TUrlShowCmd, int> cases[] = {
        {ssHide, 0},           {ssMaximize, 3},      {ssMinimize, 6},      {ssRestore, 9},           {ssShow, 5},
        {ssShowDefault, 10},   {ssShowMaximized, 3}, {ssShowMinimized, 2}, {ssShowMinNoActivate, 7}, {ssShowNA, 8},
        {ssShowNoActivate, 4}, {ssShowNormal, 1},
    };
    for (const auto& [value, command] : cases) EXPECT_EQ(ShowCommandOf(value), command) << value;
}

class BrowserLaunch : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/halcyra_qeburl_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        SetRegistryFolderForTest(folder_);
        SetWinExecLauncherForTest([this](const Args& argv, UINT show, TProgramExitEvent Exited) {
            launches_.push_back(argv);
            shown_ = show;
            exited_ = Exited;
            return result_;
        });
    }
    void TearDown() override {
        SetWinExecLauncherForTest(nullptr);
        SetRegistryFolderForTest("");
        std::filesystem::remove_all(folder_);
    }

    static void SetOpenCommand(const char* Command) {
        ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, "Test.Page", 0), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, "Test.Page\\shell\\open\\command", REG_SZ, Command, 0),
                  ERROR_SUCCESS);
    }

    static void Execute(const AnsiString& Url, TUrlShowCmd Show = ssShowDefault) {
        const auto owned = MakeOwned<TqebUrl>(nullptr);
        TqebUrl& launcher = *owned;
        EXPECT_EQ(launcher.UrlShowCommand(), ssShowDefault);
        launcher.SetUrl(Url);
        launcher.SetUrlShowCommand(Show);
        launcher.Execute();
    }

    std::string folder_;
    std::vector<Args> launches_;
    UINT shown_ = 99;
    UINT result_ = 33;
    TProgramExitEvent exited_;  // ends the last program started
};

TEST_F(BrowserLaunch, TheDesktopOpenerGetsTheAddressAsOneUntouchedArgument) {
    const char* urls[] = {
        "https://halcyra.example/",
        "https://h.example/a?b=1&c=2;reboot",
        "https://h.example/$(rm -rf ~)`id`;echo 'x'",
        "https://h.example/\"quoted\" and \\\"escaped\\\\\"",
        "https://h.example/trailing\\",
    };
    for (const char* url : urls) {
        launches_.clear();
        Execute(url);
        ASSERT_EQ(launches_.size(), 1u) << url;
        EXPECT_EQ(launches_[0], (Args{"xdg-open", url}));
    }
    EXPECT_EQ(shown_, static_cast<UINT>(SW_SHOWDEFAULT));
}

TEST_F(BrowserLaunch, TheRegisteredCommandIsCutAndTheAddressAppended) {
    struct Case {
        const char* Command;
        Args Expected;
    };
    const Case cases[] = {
        {"\"/opt/web browser/web\" -nohome \"%1\"", {"/opt/web browser/web", "-nohome", "https://a.example/"}},
        {"web %1", {"web", "https://a.example/"}},
        {"web -new-window", {"web", "-new-window", "https://a.example/"}},
        {"web -a %1 \"%1\"", {"web", "-a", "%1", "https://a.example/"}},
    };
    for (const Case& c : cases) {
        SetOpenCommand(c.Command);
        launches_.clear();
        Execute("https://a.example/", ssShowMaximized);
        ASSERT_EQ(launches_.size(), 1u) << c.Command;
        EXPECT_EQ(launches_[0], c.Expected) << c.Command;
        EXPECT_EQ(shown_, static_cast<UINT>(SW_SHOWMAXIMIZED));
    }
}

TEST_F(BrowserLaunch, AMissingAssociationOrCommandStartsNothingAndRaisesNothing) {
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, "Unknown.Page", 0), ERROR_SUCCESS);
    EXPECT_NO_THROW(Execute("https://a.example/"));
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, "", 0), ERROR_SUCCESS);
    EXPECT_NO_THROW(Execute("https://a.example/"));
    EXPECT_TRUE(launches_.empty());
}

TEST_F(BrowserLaunch, AFailedStartRaisesCouldntLaunchDefaultBrowser) {
    const auto expectFailure = [](const char* why) {
        try {
            Execute("https://a.example/");
            ADD_FAILURE() << why << ": no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Couldn't launch default browser") << why;
        }
    };
    result_ = static_cast<UINT>(ERROR_FILE_NOT_FOUND);
    expectFailure("the launcher fails");
    result_ = 31;
    expectFailure("a result just below 32");
    result_ = 32;
    EXPECT_NO_THROW(Execute("https://a.example/"));

    const std::size_t launched = launches_.size();
    SetOpenCommand("\"%1\"");
    expectFailure("no program before the placeholder");
    EXPECT_EQ(launches_.size(), launched) << "the address itself is never started";

    SetWinExecLauncherForTest(nullptr);
    SetOpenCommand("halcyra-no-such-browser \"%1\"");
    expectFailure("the program does not exist");
}

TEST_F(BrowserLaunch, AnOpenerEndingWithAFailureShowsCouldntLaunchDefaultBrowserLater) {
    TTestClock clock;
    TManualTimerService timers(clock);
    Testing::RecordMessageBoxes(true);
    Testing::RecordedMessageBoxes().clear();
    for (int status : {0, 3, 4}) {
        EXPECT_NO_THROW(Execute("https://a.example/")) << "the opener is still running";
        exited_(status);
        timers.Advance(100);
    }
    ASSERT_EQ(Testing::RecordedMessageBoxes().size(), 2u) << "one message per failed opening";
    for (const auto& box : Testing::RecordedMessageBoxes()) EXPECT_EQ(box.Text, "Couldn't launch default browser.");
    Testing::RecordMessageBoxes(false);
}

TEST_F(BrowserLaunch, OpenUrlOpensThroughTheLauncherAndPassesItsFailureOn) {
    online::OpenUrl("https://halcyra.example/");
    ASSERT_EQ(launches_.size(), 1u);
    EXPECT_EQ(launches_[0], (Args{"xdg-open", "https://halcyra.example/"}));
    result_ = 0;
    EXPECT_THROW(online::OpenUrl("https://halcyra.example/"), Exception);
}

TEST_F(BrowserLaunch, ReadRegDefaultLeavesTheValueAloneWhenTheKeyIsMissing) {
    AnsiString value = "before";
    EXPECT_EQ(ReadRegDefault(HKEY_CLASSES_ROOT, ".nothing", value), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, "before");
    EXPECT_EQ(ReadRegDefault(HKEY_CLASSES_ROOT, ".htm", value), ERROR_SUCCESS);
    EXPECT_EQ(value, "htmlfile");
    const std::string tooLong(260, 'x');
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ".long", REG_SZ, tooLong.c_str(), 0), ERROR_SUCCESS);
    EXPECT_EQ(ReadRegDefault(HKEY_CLASSES_ROOT, ".long", value), ERROR_SUCCESS);
    EXPECT_EQ(value, "") << "a value past the 260-byte buffer is not cut short";
}

TEST(OnlineStartUp, MasksEveryFloatingPointException) {
    const Word saved = Get8087CW();
    online::InitOnlineUnit();
    constexpr Word ReservedBit = 0x0040;  // reads back as set on the x87
    EXPECT_EQ(Get8087CW() & ~ReservedBit, 0x133F);
    volatile double zero = 0.0;
    EXPECT_TRUE(std::isinf(1.0 / zero));
    EXPECT_TRUE(std::isnan(zero / zero));
    Set8087CW(saved);
}

}  // namespace

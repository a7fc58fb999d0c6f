// The status bar's link: a click on it opens the maker's page through the desktop's URL opener, and a
// failed start reaches the user as the launcher's message.
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "CalculatorWindow.h"
#include "support/InputSimulator.h"
#include "vcl/Clock.h"
#include "vcl/ComCtrls.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

namespace {

using Args = std::vector<AnsiString>;

class StatusBarLink : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/halcyra_statusbar_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        SetRegistryFolderForTest(folder_);
        SetWinExecLauncherForTest([this](const Args& argv, UINT, TProgramExitEvent Exited) {
            launches_.push_back(argv);
            exited_ = Exited;
            return result_;
        });
        Testing::RecordMessageBoxes(true);
        Testing::RecordedMessageBoxes().clear();
        Application->CreateForm(Form1);
        Testing::ShowAndActivate(Form1);
    }
    void TearDown() override {
        FreeAndNil(Form1);
        Testing::RecordMessageBoxes(false);
        SetWinExecLauncherForTest(nullptr);
        SetRegistryFolderForTest("");
        std::filesystem::remove_all(folder_);
    }

    std::string folder_;
    std::vector<Args> launches_;
    UINT result_ = 33;
    TProgramExitEvent exited_;  // ends the opener last started
    TTestClock clock_;
    TManualTimerService timers_{clock_};
};

TEST_F(StatusBarLink, AClickOpensTheMakersPageWithTheDesktopOpener) {
    Input::Click(Form1->StatusBar1);
    ASSERT_EQ(launches_.size(), 1u);
    EXPECT_EQ(launches_[0], (Args{"xdg-open", "https://halcyra.example/"}));
    exited_(0);
    timers_.Advance(100);
    EXPECT_TRUE(Testing::RecordedMessageBoxes().empty());
}

// The desktop opener starts and then finds no browser: its failure shows once it has ended.
TEST_F(StatusBarLink, AnOpenerThatFindsNoBrowserShowsCouldntLaunchDefaultBrowser) {
    Input::Click(Form1->StatusBar1);
    ASSERT_EQ(launches_.size(), 1u);
    EXPECT_TRUE(Testing::RecordedMessageBoxes().empty());
    exited_(3);
    timers_.Advance(100);
    ASSERT_EQ(Testing::RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(Testing::RecordedMessageBoxes()[0].Text, "Couldn't launch default browser.");
}

TEST_F(StatusBarLink, AFailedStartShowsCouldntLaunchDefaultBrowser) {
    result_ = static_cast<UINT>(ERROR_FILE_NOT_FOUND);
    Input::Click(Form1->StatusBar1);
    EXPECT_EQ(launches_.size(), 1u);
    ASSERT_EQ(Testing::RecordedMessageBoxes().size(), 1u);
    // The application's handler ends the message with a full stop.
    EXPECT_EQ(Testing::RecordedMessageBoxes()[0].Text, "Couldn't launch default browser.");
}

}  // namespace

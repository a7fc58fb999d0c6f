// The shell's folder browser through its test seam, its item lists and allocator, opening with the
// desktop, and SetWindowPos.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "support/FormFixture.h"
#include "vcl/ShellAPI.h"
#include "vcl/ShlObj.h"
#include "support/TempPath.h"

namespace {

// An executable script and a plain document in the temporary folder, removed again afterwards.
struct TProgramAndDocument {
    const std::string Program = ProcessTempPath("shell_test_program");
    const std::string Document = ProcessTempPath("shell_test_document.txt");
    TProgramAndDocument() {
        std::ofstream(Program) << "#!/bin/sh\n";
        chmod(Program.c_str(), 0755);
        std::ofstream(Document) << "text";
    }
    ~TProgramAndDocument() {
        std::remove(Program.c_str());
        std::remove(Document.c_str());
    }
};

class ShellTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        Testing::RecordBrowseDialogs(true);
        Testing::RecordedBrowseDialogs().clear();
    }
    void TearDown() override {
        Testing::RecordBrowseDialogs(false);
        Testing::RecordMessageBoxes(false);
        SetWinExecLauncherForTest(nullptr);
        FormFixture::TearDown();
    }

    // A browse whose callback selects Selection and moves the dialog by (10, 20).
    static int SelectAndMove(HWND Dialog, UINT Msg, LPARAM, LPARAM Data) {
        if (Msg != BFFM_INITIALIZED) return 0;
        SendMessage(Dialog, BFFM_SETSELECTIONA, TRUE, Data);
        RECT r{};
        GetWindowRect(Dialog, &r);
        SetWindowPos(Dialog, nullptr, r.Left + 10, r.Top + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return 0;
    }

    static void FreeList(LPITEMIDLIST List) {
        IMalloc* malloc = nullptr;
        ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
        EXPECT_EQ(malloc->DidAlloc(List), 1);
        malloc->Free(List);
        EXPECT_EQ(malloc->DidAlloc(List), 0);
        malloc->Release();
    }
};

TEST_F(ShellTest, TheCallbackSelectsAndMovesTheDialogAndTheChosenFolderComesBackAsAPath) {
    const std::string selection = "/srv/data";
    char displayName[MAX_PATH] = "unchanged";
    BROWSEINFOA info{};
    info.pszDisplayName = displayName;
    info.lpszTitle = "Select Directory";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = &SelectAndMove;
    info.lParam = reinterpret_cast<LPARAM>(selection.c_str());
    Testing::PrepareBrowseAnswer("/srv/data/reports");
    LPITEMIDLIST list = SHBrowseForFolderA(&info);
    ASSERT_NE(list, nullptr);

    ASSERT_EQ(Testing::RecordedBrowseDialogs().size(), 1u);
    const Testing::TRecordedBrowseDialog& dialog = Testing::RecordedBrowseDialogs()[0];
    EXPECT_EQ(dialog.Title, "Select Directory");
    EXPECT_EQ(dialog.Flags, BIF_RETURNONLYFSDIRS);
    EXPECT_EQ(dialog.Selection, "/srv/data");
    EXPECT_TRUE(dialog.Moved);
    EXPECT_EQ(dialog.Position, (TPoint{Testing::BrowseDialogBounds.Left + 10, Testing::BrowseDialogBounds.Top + 20}));
    EXPECT_STREQ(displayName, "reports");

    char path[MAX_PATH];
    ASSERT_TRUE(SHGetPathFromIDListA(list, path));
    EXPECT_STREQ(path, "/srv/data/reports");
    FreeList(list);
}

TEST_F(ShellTest, ACancelledBrowseGivesNoListAndAPathTooLongForTheBufferIsRefused) {
    BROWSEINFOA info{};
    EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);  // nothing prepared: cancel
    Testing::PrepareBrowseAnswer("");
    EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);
    EXPECT_EQ(SHBrowseForFolderA(nullptr), nullptr);

    struct Case {
        std::size_t length;
        bool fits;
    };
    for (Case c : {Case{MAX_PATH - 1, true}, Case{MAX_PATH, false}, Case{5000, false}}) {
        SCOPED_TRACE(c.length);
        const AnsiString folder = "/" + AnsiString(c.length - 1, 'd');
        Testing::PrepareBrowseAnswer(folder);
        LPITEMIDLIST list = SHBrowseForFolderA(&info);
        ASSERT_NE(list, nullptr);
        std::vector<char> path(c.length + 2, 'x');
        EXPECT_EQ(SHGetPathFromIDListA(list, path.data()) != FALSE, c.fits);
        const AnsiString expected = c.fits ? folder : AnsiString(c.length + 2, 'x');  // nothing written
        EXPECT_EQ(AnsiString(path.data(), c.fits ? folder.size() : path.size()), expected);
        FreeList(list);
    }
}

TEST_F(ShellTest, AFailingCallbackIsReportedAndTheBrowseStillAnswers) {
    Testing::RecordMessageBoxes(true);
    Testing::RecordedMessageBoxes().clear();
    BROWSEINFOA info{};
    info.lpfn = [](HWND, UINT, LPARAM, LPARAM) -> int { throw Exception("callback failed"); };
    Testing::PrepareBrowseAnswer("/tmp");
    LPITEMIDLIST list = SHBrowseForFolderA(&info);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(Testing::RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(Testing::RecordedMessageBoxes()[0].Text, "callback failed.");
    FreeList(list);
}

TEST_F(ShellTest, OpenHandsTheTargetToTheDesktopOpenerAndRefusesProgramsAndLaunchers) {
    std::vector<std::vector<AnsiString>> started;
    SetWinExecLauncherForTest([&](const std::vector<AnsiString>& Argv, UINT, TProgramExitEvent) -> UINT {
        started.push_back(Argv);
        return 33;
    });
    const TProgramAndDocument files;
    const std::string& program = files.Program;
    const std::string& document = files.Document;

    struct Case {
        const char* verb;
        std::string target;
        std::uintptr_t result;
        bool starts;
    };
    const Case cases[] = {
        {"open", "https://example.com/a b?x=\"1\"", 33, true},
        {nullptr, document, 33, true},
        {"open", program, SE_ERR_ACCESSDENIED, false},
        {"open", "file://" + program, SE_ERR_ACCESSDENIED, false},
        {"open", "/usr/share/applications/any.desktop", SE_ERR_ACCESSDENIED, false},
        {"print", document, SE_ERR_NOASSOC, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        started.clear();
        HINSTANCE result = ShellExecuteA(nullptr, c.verb, c.target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(result), c.result);
        ASSERT_EQ(started.size(), c.starts ? 1u : 0u);
        if (c.starts) {
            EXPECT_EQ(started[0], (std::vector<AnsiString>{"xdg-open", c.target}));
        }
    }
}

// The opener decodes a file: address before it opens it, so the refusal reads it the same way.
TEST_F(ShellTest, OpenRefusesAProgramOrLauncherWhateverWayItsFileAddressIsWritten) {
    std::vector<AnsiString> started;
    SetWinExecLauncherForTest([&](const std::vector<AnsiString>& Argv, UINT, TProgramExitEvent) -> UINT {
        started.push_back(Argv.back());
        return 33;
    });
    const TProgramAndDocument files;
    const std::string& program = files.Program;
    const std::string& document = files.Document;
    ASSERT_EQ(program.front(), '/');
    const std::string escapedProgram = program.substr(0, program.size() - 1) + "%6D";  // its last "m"

    struct Case {
        std::string target;
        bool starts;
    };
    const Case cases[] = {
        {"file://" + escapedProgram, false},
        {"FILE://" + program, false},
        {"file://localhost" + program, false},
        {"file://LocalHost" + escapedProgram, false},
        {"file:" + program, false},
        {"file://" + program + "#top", false},
        {"file://" + program + "?x=1", false},
        {"file:///usr/share/applications/any%2Edesktop", false},
        {"file:///usr/share/applications/any.desktop#top", false},
        {"file://elsewhere" + document, false},  // not this machine
        {"file://" + document + "%", false},     // escapes that do not decode
        {"file://" + document + "%4", false},
        {"file://" + document + "%zz", false},
        {"file://" + document + "%00", false},
        {"file:relative.txt", false},
        {"file://" + document, true},
        {"file://localhost" + document + "#page", true},
        {"file://" + document.substr(0, document.size() - 3) + "%74xt", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        started.clear();
        HINSTANCE result = ShellExecuteA(nullptr, "open", c.target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(result), c.starts ? 33u : std::uintptr_t{SE_ERR_ACCESSDENIED});
        EXPECT_EQ(started, c.starts ? std::vector<AnsiString>{c.target} : std::vector<AnsiString>{});
    }
}

TEST_F(ShellTest, SetWindowPosMovesSizesAndShowsAsItsFlagsSay) {
    auto* panel = Place<TPanel>(10, 10, 50, 40);
    HWND window = panel->Handle();
    EXPECT_TRUE(SetWindowPos(window, nullptr, 30, 35, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    EXPECT_EQ(panel->BoundsRect(), Bounds(30, 35, 50, 40));
    EXPECT_TRUE(SetWindowPos(window, nullptr, 0, 0, 70, 80, SWP_NOMOVE | SWP_NOZORDER | SWP_HIDEWINDOW));
    EXPECT_EQ(panel->BoundsRect(), Bounds(30, 35, 70, 80));
    EXPECT_FALSE(panel->Visible());
    EXPECT_FALSE(SetWindowPos(reinterpret_cast<HWND>(std::uintptr_t{0x7}), nullptr, 0, 0, 0, 0, SWP_NOZORDER));
}

}  // namespace

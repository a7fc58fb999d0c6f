// The edit controls' start-up support units: CRC table, system flags, message pump, gradient entry
// point and the OLE start.
#include <gtest/gtest.h>

#include <vector>

#include "ProEdit_Unit.h"
#include "PEBXPVS.h"
#include "ProGrid_Unit.h"
#include "UtCRC32.h"
#include "UtStrUtils.h"
#include "UtTools.h"
#include "UtUxTheme.h"
#include "UtVCLUtils.h"
#include "support/FormFixture.h"
#include "support/StartUpSetAside.h"

namespace {

TEST(SupportUnits, TheStartUpLeavesEveryUnitStarted) {
    EXPECT_EQ(OleInitialize(nullptr), S_FALSE);  // the typed edit unit initialised OLE
    OleUninitialize();
    EXPECT_TRUE(PEBXPVS::ThemeLibraryLoaded());
    EXPECT_TRUE(UtUxTheme::ThemeLibraryLoaded());
    EXPECT_EQ(UtCRC32::CRC32Table()[128], UtCRC32::Polynomial);
    EXPECT_TRUE(UtTools::SystemFlags().IsWinXP);
    ASSERT_NE(UtTools::MessagePump(), nullptr);
    EXPECT_TRUE(static_cast<bool>(UtTools::PumpMessages));
    ASSERT_NE(UtVCLUtils::GradientFillEntry(), nullptr);
    EXPECT_EQ(UtVCLUtils::GradientFillEntry()(nullptr, nullptr, 0, nullptr, 0, 0), FALSE);
    EXPECT_STREQ(UtStrUtils::Utf8Bom, "\xEF\xBB\xBF");
}

TEST(SupportUnits, TheCrcTableIsTheReflectedPolynomialsTable) {
    const auto& table = UtCRC32::CRC32Table();
    EXPECT_EQ(table[0], 0u);
    EXPECT_EQ(table[1], 0x77073096u);
    EXPECT_EQ(table[128], 0xEDB88320u);
    EXPECT_EQ(table[255], 0x2D02EF8Du);
    // The table serves the usual CRC-32: "123456789" gives CBF43926.
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char c : std::string("123456789")) crc = table[(crc ^ static_cast<unsigned char>(c)) & 0xFF] ^ (crc >> 8);
    EXPECT_EQ(crc ^ 0xFFFFFFFFu, 0xCBF43926u);
}

TEST(SupportUnits, SystemFlagsFollowTheVersionAnswer) {
    struct Case {
        DWORD platform, major, minor, build;
        // 95, OSR2, NT, 2000Up, NTUp, 98Up, 98, ME, XP, XPUp, 2000XP
        std::vector<bool> flags;
    };
    const DWORD nt = VER_PLATFORM_WIN32_NT, nine = VER_PLATFORM_WIN32_WINDOWS;
    const Case cases[] = {
        {nt, 5, 1, 2600, {0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1}},
        {nt, 5, 0, 2195, {0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 1}},
        {nt, 5, 2, 3790, {0, 0, 1, 1, 1, 0, 0, 0, 0, 1, 1}},
        {nt, 6, 0, 6000, {0, 0, 1, 1, 1, 0, 0, 0, 0, 1, 1}},  // a later major counts as XP and up
        {nt, 4, 0, 1381, {0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0}},
        {nine, 4, 0, 950, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {nine, 4, 0, 0x04000457, {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},  // the build in the low word
        {nine, 4, 10, 2222, {1, 1, 0, 0, 0, 1, 1, 0, 0, 0, 0}},
        {nine, 4, 90, 3000, {1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.platform << " " << c.major << "." << c.minor << " " << c.build);
        SetWindowsVersionForTest(c.platform, c.major, c.minor, c.build);
        OSVERSIONINFO version{};
        version.dwOSVersionInfoSize = sizeof version;
        ASSERT_TRUE(GetVersionEx(&version));
        const UtTools::TSystemFlags f = UtTools::FlagsForVersion(version);
        const std::vector<bool> got = {f.IsWin95, f.IsWin95OSR2, f.IsWinNT, f.IsWin2000Up, f.IsWinNTUp,  f.IsWin98Up,
                                       f.IsWin98, f.IsWinME,     f.IsWinXP, f.IsWinXPUp,   f.IsWin2000XP};
        EXPECT_EQ(got, c.flags);
    }
    ResetWindowsVersion();
}

class MessagePumpTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        target = Place<TPanel>(10, 10, 50, 50);
        TWndMethod inherited = target->WindowProc;
        target->WindowProc = [this, inherited](TMessage& Message) {
            if (Message.Msg >= WM_USER) received.push_back(Message.Msg - WM_USER);
            inherited(Message);
            if (Message.Msg >= WM_USER) Message.Result = static_cast<LRESULT>(Message.Msg - WM_USER) * 10;
        };
    }
    void TearDown() override {
        MSG left{};
        while (PeekMessage(&left, nullptr, 0, 0, PM_REMOVE)) {
        }
        FormFixture::TearDown();
    }

    TPanel* target = nullptr;
    std::vector<UINT> received;
};

TEST_F(MessagePumpTest, PumpAllDispatchesInOrderAndLeavesTheQuitPosted) {
    HWND window = target->Handle();
    PostMessage(window, WM_USER + 1, 0, 0);
    PostMessage(window, WM_USER + 2, 0, 0);
    PostQuitMessage(3);
    UtTools::PumpMessages();
    EXPECT_EQ(received, (std::vector<UINT>{1, 2}));
    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(Application->Terminated());

    // Once only the quit is left, a pump removes nothing else and keeps it posted.
    EXPECT_FALSE(UtTools::MessagePump()->PumpOne());
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(UtTools::MessagePump()->PumpOne());
}

TEST_F(MessagePumpTest, AQuitPostedBeforeOtherMessagesComesAfterThem) {
    HWND window = target->Handle();
    PostMessage(window, WM_USER + 1, 0, 0);
    PostQuitMessage(7);
    PostMessage(window, WM_USER + 2, 0, 0);
    UtTools::PumpMessages();
    EXPECT_EQ(received, (std::vector<UINT>{1, 2}));
    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessagePumpTest, DispatchAnswersTheWindowProceduresResult) {
    PostMessage(target->Handle(), WM_USER + 4, 0, 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(DispatchMessage(&msg), 40);
}

TEST_F(MessagePumpTest, PeekFiltersByWindowAndRange) {
    auto* other = Place<TPanel>(100, 10, 50, 50);
    PostMessage(other->Handle(), WM_USER + 5, 0, 0);
    PostMessage(target->Handle(), WM_USER + 6, 0, 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, target->Handle(), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 6);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_USER + 6, WM_USER + 9, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER, WM_USER + 5, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, other->Handle());
    EXPECT_TRUE(TranslateMessage(&msg) == FALSE);
    DispatchMessage(&msg);
    EXPECT_TRUE(received.empty());  // it was the other panel's
}

TEST(SupportUnits, AFailedOleStartStopsTheStartWithItsCode) {
    ProEdit::DoneProEditUnit();  // the start-up's OLE start
    SetOleInitializeFailureForTest(E_UNEXPECTED);
    try {
        ProEdit::InitProEditUnit();
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "OleInitialize failed ($8000FFFF)");
    }
    SetOleInitializeFailureForTest(S_OK);
    ProEdit::InitProEditUnit();  // the failed start left the unit unstarted
    EXPECT_EQ(OleInitialize(nullptr), S_FALSE);
    OleUninitialize();
}

bool OleStarted() {
    const HRESULT result = OleInitialize(nullptr);
    OleUninitialize();
    return result == S_FALSE;
}

TEST(SupportUnits, ARepeatedStartDoesNothingAndOneExitUndoesTheStart) {
    struct Case {
        const char* name;
        void (*start)();
        void (*end)();
        bool (*held)();
    };
    const Case cases[] = {
        {"message pump", UtTools::InitTools, UtTools::DoneTools, [] { return UtTools::MessagePump() != nullptr; }},
        {"gradient fill", UtVCLUtils::InitGradientFill, UtVCLUtils::FreeGradientFill,
         [] { return GetModuleHandle("msimg32.dll") != nullptr; }},
        {"typed edit", ProEdit::InitProEditUnit, ProEdit::DoneProEditUnit, OleStarted},
    };
    // The grid unit holds OLE too.
    const UnitStartSetAside grid(ProGrid::InitProGridUnit, ProGrid::DoneProGridUnit);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.held());  // started by the start-up
        c.start();
        c.end();
        EXPECT_FALSE(c.held());
        c.end();
        EXPECT_FALSE(c.held());
        c.start();
        EXPECT_TRUE(c.held());
    }
}

TEST(SupportUnits, ARepeatedToolsStartKeepsThePump) {
    UtTools::TUtMessagePump* pump = UtTools::MessagePump();
    UtTools::InitTools();
    EXPECT_EQ(UtTools::MessagePump(), pump);
}

TEST(SupportUnits, WithoutTheGradientEntryNothingIsKept) {
    UtVCLUtils::FreeGradientFill();
    EXPECT_EQ(UtVCLUtils::GradientFillEntry(), nullptr);
    {
        ModuleReferencesSetAside others("msimg32.dll");
        SetExportMissingForTest("msimg32.dll", "GradientFill", true);
        UtVCLUtils::InitGradientFill();
        EXPECT_EQ(UtVCLUtils::GradientFillEntry(), nullptr);
        EXPECT_EQ(UtVCLUtils::GradientFillLibrary(), nullptr);
        EXPECT_EQ(GetModuleHandle("msimg32.dll"), nullptr);  // freed again
        SetExportMissingForTest("msimg32.dll", "GradientFill", false);
        SetModuleAbsentForTest("msimg32.dll", true);
        UtVCLUtils::FreeGradientFill();
        UtVCLUtils::InitGradientFill();
        EXPECT_EQ(UtVCLUtils::GradientFillLibrary(), nullptr);
        SetModuleAbsentForTest("msimg32.dll", false);
    }
    UtVCLUtils::FreeGradientFill();
    UtVCLUtils::InitGradientFill();
    EXPECT_NE(UtVCLUtils::GradientFillEntry(), nullptr);
}

}  // namespace

// The version answer, the built-in module map and the visual-styles library behind it.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "support/CanvasRecorder.h"
#include "support/StartUpSetAside.h"
#include "vcl/Graphics.h"
#include "vcl/UxTheme.h"

namespace {

class LibrariesTest : public ::testing::Test {
protected:
    void TearDown() override {
        ResetWindowsVersion();
        ResetModulesForTest();
        SetThemesActiveForTest(true);
    }

private:
    ModuleReferencesSetAside uxTheme_{"uxtheme.dll"};
    ModuleReferencesSetAside msImg32_{"msimg32.dll"};
};

template <typename T>
T Entry(HMODULE Module, const char* Name) {
    return reinterpret_cast<T>(GetProcAddress(Module, Name));
}

}  // namespace

TEST_F(LibrariesTest, EveryCallerGetsWindowsXpUnlessATestSaysOtherwise) {
    OSVERSIONINFOEX ex{};
    ex.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEX);
    ASSERT_TRUE(GetVersionEx(&ex));
    EXPECT_EQ(ex.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(ex.dwMajorVersion, 5u);
    EXPECT_EQ(ex.dwMinorVersion, 1u);
    EXPECT_EQ(ex.dwBuildNumber, 2600u);
    EXPECT_EQ(ex.wProductType, VER_NT_WORKSTATION);
    EXPECT_EQ(Win32Platform(), 2);
    EXPECT_EQ(Win32MajorVersion(), 5);
    EXPECT_EQ(Win32MinorVersion(), 1);

    struct Case {
        DWORD size;
        BOOL result;
    };
    for (const Case& c : {Case{148, TRUE}, Case{156, TRUE}, Case{0, FALSE}, Case{147, FALSE}, Case{157, FALSE}}) {
        SCOPED_TRACE(c.size);
        OSVERSIONINFOEX info{};
        info.dwOSVersionInfoSize = c.size;
        EXPECT_EQ(GetVersionEx(&info), c.result);
    }

    SetWindowsVersionForTest(VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000);
    OSVERSIONINFO info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionEx(&info));
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_WINDOWS);
    EXPECT_EQ(info.dwMinorVersion, 90u);
    EXPECT_EQ(info.dwBuildNumber, 3000u);
    EXPECT_EQ(Win32Platform(), 1);
    EXPECT_EQ(Win32MajorVersion(), 4);
}

TEST_F(LibrariesTest, ModulesMatchWithoutCaseAndCountTheirLoads) {
    EXPECT_EQ(GetModuleHandle("uxtheme.dll"), nullptr);
    HMODULE first = LoadLibrary("UXTHEME.DLL");
    ASSERT_NE(first, nullptr);
    EXPECT_GE(reinterpret_cast<std::uintptr_t>(first), 0x10000u);
    EXPECT_EQ(LoadLibrary("UxTheme"), first);
    EXPECT_EQ(GetModuleHandle("uxtheme.dll"), first);
    EXPECT_NE(LoadLibrary("msimg32.dll"), first);
    EXPECT_EQ(LoadLibrary("nosuch.dll"), nullptr);
    EXPECT_EQ(LoadLibrary(nullptr), nullptr);

    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_NE(GetModuleHandle("uxtheme.dll"), nullptr);  // one load left
    FARPROC kept = GetProcAddress(first, "IsThemeActive");
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_EQ(GetModuleHandle("uxtheme.dll"), nullptr);
    EXPECT_FALSE(FreeLibrary(first));
    EXPECT_EQ(GetProcAddress(first, "IsThemeActive"), nullptr);
    // Never unloaded: an entry fetched before stays callable.
    EXPECT_TRUE(reinterpret_cast<TIsThemeActive>(kept)());

    // The common controls are linked by the program: there from the start.
    EXPECT_NE(GetModuleHandle("COMCTL32.DLL"), nullptr);
    EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(std::uintptr_t{0x12345})));
}

TEST_F(LibrariesTest, ExportsAreFoundByTheirExactName) {
    HMODULE theme = LoadLibrary("uxtheme.dll");
    struct Case {
        const char* name;
        bool found;
    };
    for (const Case& c : {Case{"GetThemeFilename", true}, Case{"GetThemeFileName", false}, Case{"isthemeactive", false},
                          Case{"IsThemeActive", true}, Case{"GetThemePartSize", true},
                          Case{"GetThemePropertyOrigin", true}, Case{"", false}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GetProcAddress(theme, c.name) != nullptr, c.found);
    }
    EXPECT_EQ(GetProcAddress(theme, reinterpret_cast<const char*>(std::uintptr_t{5})), nullptr);  // an ordinal
    FreeLibrary(theme);
}

TEST_F(LibrariesTest, TheSmallLibrariesAnswerAsTheSystemWouldWithoutThem) {
    HMODULE controls = GetModuleHandle("comctl32.dll");
    auto getVersion = Entry<DLLGETVERSIONPROC>(controls, "DllGetVersion");
    ASSERT_NE(getVersion, nullptr);
    DLLVERSIONINFO info{sizeof(DLLVERSIONINFO), 0, 0, 0, 0};
    EXPECT_EQ(getVersion(&info), S_OK);
    EXPECT_EQ(info.dwMajorVersion, 6u);
    EXPECT_EQ(info.dwMinorVersion, 0u);
    EXPECT_EQ(info.dwBuildNumber, 2600u);
    info.cbSize = 4;
    EXPECT_EQ(getVersion(&info), E_INVALIDARG);

    HMODULE gradients = LoadLibrary("msimg32.dll");
    auto gradientFill = Entry<GRADIENTFILLPROC>(gradients, "GradientFill");
    ASSERT_NE(gradientFill, nullptr);
    TRIVERTEX corners[2]{};
    GRADIENT_RECT rect{0, 1};
    EXPECT_FALSE(gradientFill(nullptr, corners, 2, &rect, 1, GRADIENT_FILL_RECT_H));
    FreeLibrary(gradients);
}

TEST_F(LibrariesTest, SeamsTakeAModuleOrAnExportAway) {
    struct Case {
        const char* name;
        void (*arrange)();
        bool loads;
        bool exportFound;
    };
    const Case cases[] = {
        {"as shipped", [] {}, true, true},
        {"module absent", [] { SetModuleAbsentForTest("UxTheme.dll", true); }, false, false},
        {"export missing", [] { SetExportMissingForTest("uxtheme.dll", "DrawThemeText", true); }, true, false},
        {"Windows 2000", [] { SetWindowsVersionForTest(VER_PLATFORM_WIN32_NT, 5, 0, 2195); }, false, false},
        {"Windows 98", [] { SetWindowsVersionForTest(VER_PLATFORM_WIN32_WINDOWS, 5, 1, 2222); }, false, false},
        {"Vista", [] { SetWindowsVersionForTest(VER_PLATFORM_WIN32_NT, 6, 0, 6000); }, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        HMODULE theme = LoadLibrary("uxtheme.dll");
        EXPECT_EQ(theme != nullptr, c.loads);
        EXPECT_EQ(GetProcAddress(theme, "DrawThemeText") != nullptr, c.exportFound);
        EXPECT_EQ(GetProcAddress(theme, "DrawThemeEdge") != nullptr, c.loads);
        TearDown();
    }
}

TEST_F(LibrariesTest, OnlyTheClassesDrawnHereHaveThemeData) {
    HMODULE theme = LoadLibrary("uxtheme.dll");
    auto open = Entry<TOpenThemeData>(theme, "OpenThemeData");
    auto close = Entry<TCloseThemeData>(theme, "CloseThemeData");
    auto active = Entry<TIsThemeActive>(theme, "IsThemeActive");
    EXPECT_TRUE(active());

    for (const char16_t* classes :
         {u"button", u"BUTTON", u"Edit;Button", u" button ", u"combobox", u"header", u"Progress", u"edit;PROGRESS"}) {
        HTHEME h = open(nullptr, classes);
        EXPECT_NE(h, nullptr);
        EXPECT_EQ(close(h), S_OK);
        EXPECT_EQ(close(h), E_HANDLE);
    }
    for (const char16_t* classes : {u"edit", u"", u"buttons", u"scrollbar;tooltip", u"progressbar"})
        EXPECT_EQ(open(nullptr, classes), nullptr);
    EXPECT_EQ(open(nullptr, nullptr), nullptr);

    SetThemesActiveForTest(false);
    EXPECT_FALSE(active());
    EXPECT_EQ(open(nullptr, u"button"), nullptr);

    // The rest answer as without theme data.
    EXPECT_EQ(Entry<TGetThemeColor>(theme, "GetThemeColor")(nullptr, 1, 1, 3803, nullptr), E_NOTIMPL);
    EXPECT_FALSE(Entry<TIsThemePartDefined>(theme, "IsThemePartDefined")(nullptr, 1, 1));
    EXPECT_EQ(Entry<TGetWindowTheme>(theme, "GetWindowTheme")(nullptr), nullptr);
    EXPECT_EQ(Entry<TGetThemeSysColorBrush>(theme, "GetThemeSysColorBrush")(nullptr, 5), nullptr);
    EXPECT_EQ(Entry<TGetThemeSysSize>(theme, "GetThemeSysSize")(nullptr, 1201), 0);
    EXPECT_EQ(Entry<TEnableTheming>(theme, "EnableTheming")(TRUE), E_NOTIMPL);
    FreeLibrary(theme);
}

TEST_F(LibrariesTest, ThePushButtonIsDrawnInsideItsRectangleAndEachStateLooksItsOwn) {
    HMODULE theme = LoadLibrary("uxtheme.dll");
    auto open = Entry<TOpenThemeData>(theme, "OpenThemeData");
    auto draw = Entry<TDrawThemeBackground>(theme, "DrawThemeBackground");
    auto close = Entry<TCloseThemeData>(theme, "CloseThemeData");
    HTHEME h = open(nullptr, u"button");

    auto paint = [&](int state, const RECT* clip) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(60, 40);
        bitmap->Canvas()->Brush()->SetColor(clFuchsia);
        bitmap->Canvas()->FillRect(Rect(0, 0, 60, 40));
        RECT r = Rect(10, 5, 50, 30);
        EXPECT_EQ(draw(h, bitmap->Canvas()->Handle(), BP_PUSHBUTTON, state, &r, clip), S_OK);
        return bitmap;
    };
    auto pixels = [](TBitmap* b, const TRect& area) {
        std::vector<TColor> p;
        for (Integer y = area.Top; y < area.Bottom; ++y)
            for (Integer x = area.Left; x < area.Right; ++x) p.push_back(b->Canvas()->Pixels(x, y));
        return p;
    };
    auto normal = paint(PBS_NORMAL, nullptr);
    auto hot = paint(PBS_HOT, nullptr);
    auto pressed = paint(PBS_PRESSED, nullptr);
    const TRect button = Rect(10, 5, 50, 30);
    const std::vector<TColor> untouched(button.Width() * button.Height(), clFuchsia);
    EXPECT_NE(pixels(normal.get(), button), untouched);
    EXPECT_NE(pixels(normal.get(), button), pixels(pressed.get(), button));
    EXPECT_NE(pixels(normal.get(), button), pixels(hot.get(), button));
    for (TBitmap* b : {normal.get(), hot.get(), pressed.get()}) {
        EXPECT_EQ(b->Canvas()->Pixels(9, 15), clFuchsia);
        EXPECT_EQ(b->Canvas()->Pixels(50, 15), clFuchsia);
        EXPECT_EQ(b->Canvas()->Pixels(30, 4), clFuchsia);
        EXPECT_EQ(b->Canvas()->Pixels(30, 30), clFuchsia);
    }
    const RECT leftHalf = Rect(0, 0, 30, 40);
    auto clipped = paint(PBS_NORMAL, &leftHalf);
    EXPECT_EQ(pixels(clipped.get(), Rect(30, 5, 50, 30)), std::vector<TColor>(20 * 25, clFuchsia));
    EXPECT_EQ(pixels(clipped.get(), Rect(10, 5, 30, 30)), pixels(normal.get(), Rect(10, 5, 30, 30)));

    RECT r = Rect(0, 0, 10, 10);
    auto bitmap = std::make_unique<TBitmap>();
    EXPECT_EQ(draw(h, bitmap->Canvas()->Handle(), BP_PUSHBUTTON, PBS_DISABLED, &r, nullptr), E_NOTIMPL);
    EXPECT_EQ(draw(h, bitmap->Canvas()->Handle(), 4, PBS_NORMAL, &r, nullptr), E_NOTIMPL);
    close(h);
    EXPECT_EQ(draw(h, bitmap->Canvas()->Handle(), BP_PUSHBUTTON, PBS_NORMAL, &r, nullptr), E_HANDLE);
    FreeLibrary(theme);
}

TEST_F(LibrariesTest, HeaderItemsAndProgressBarsAreDrawnInsideTheirRectangleInLooksOfTheirOwn) {
    HMODULE theme = LoadLibrary("uxtheme.dll");
    auto open = Entry<TOpenThemeData>(theme, "OpenThemeData");
    auto draw = Entry<TDrawThemeBackground>(theme, "DrawThemeBackground");
    auto close = Entry<TCloseThemeData>(theme, "CloseThemeData");
    struct Case {
        const char16_t* Class;
        const char* Recorded;
        int Part, State;
        HRESULT Result;
    };
    const Case cases[] = {
        {u"header", "header", HP_HEADERITEM, HIS_NORMAL, S_OK},
        {u"header", "header", HP_HEADERITEM, HIS_HOT, S_OK},
        {u"header", "header", HP_HEADERITEM, HIS_PRESSED, S_OK},
        {u"Progress", "Progress", PP_BAR, 1, S_OK},
        {u"Progress", "Progress", PP_CHUNK, 1, S_OK},
        {u"header", "header", HP_HEADERITEM, 4, E_NOTIMPL},
        {u"header", "header", 2, HIS_NORMAL, E_NOTIMPL},
        {u"Progress", "Progress", 2, 1, E_NOTIMPL},
    };
    const RECT box = Rect(10, 10, 50, 30);
    std::vector<std::vector<TColor>> looks;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Recorded << " " << c.Part << "/" << c.State);
        HTHEME h = open(nullptr, c.Class);
        ASSERT_NE(h, nullptr);
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(60, 40);
        bitmap->Canvas()->Brush()->SetColor(clFuchsia);
        bitmap->Canvas()->FillRect(Rect(0, 0, 60, 40));
        TCanvasRecorder recorder(bitmap->Canvas());
        EXPECT_EQ(draw(h, bitmap->Canvas()->Handle(), c.Part, c.State, &box, nullptr), c.Result);
        close(h);
        if (c.Result != S_OK) {
            EXPECT_TRUE(recorder.ThemeCalls().empty());
            continue;
        }
        const std::vector<TCanvasRecorder::TThemeCall> expected{{c.Recorded, c.Part, c.State, box}};
        EXPECT_EQ(recorder.ThemeCalls(), expected);
        std::vector<TColor> look;
        for (Integer y = 0; y < 40; ++y)
            for (Integer x = 0; x < 60; ++x) {
                const TColor pixel = bitmap->Canvas()->Pixels(x, y);
                if (!TRect(box).Contains(Point(x, y))) EXPECT_EQ(pixel, clFuchsia) << x << "," << y;
                else look.push_back(pixel);
            }
        looks.push_back(look);
    }
    for (std::size_t i = 0; i < looks.size(); ++i)
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(looks[i], looks[j]) << i << " " << j;
    FreeLibrary(theme);
}

TEST_F(LibrariesTest, RadioButtonsAndCheckBoxesDrawUncheckedOrCheckedInsideTheirBox) {
    HMODULE theme = LoadLibrary("uxtheme.dll");
    auto open = Entry<TOpenThemeData>(theme, "OpenThemeData");
    auto draw = Entry<TDrawThemeBackground>(theme, "DrawThemeBackground");
    auto close = Entry<TCloseThemeData>(theme, "CloseThemeData");
    HTHEME h = open(nullptr, u"BUTTON");
    const RECT box = Rect(10, 10, 23, 23);
    struct Case {
        int Part, State;
        HRESULT Result;
    };
    const Case cases[] = {
        {BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL, S_OK},
        {BP_RADIOBUTTON, RBS_CHECKEDNORMAL, S_OK},
        {BP_CHECKBOX, CBS_UNCHECKEDNORMAL, S_OK},
        {BP_CHECKBOX, CBS_CHECKEDNORMAL, S_OK},
        {BP_RADIOBUTTON, RBS_UNCHECKEDDISABLED, S_OK},
        {BP_RADIOBUTTON, RBS_CHECKEDDISABLED, S_OK},
        {BP_CHECKBOX, CBS_UNCHECKEDDISABLED, S_OK},
        {BP_CHECKBOX, CBS_CHECKEDDISABLED, S_OK},
        {BP_CHECKBOX, 2, E_NOTIMPL},
        {BP_RADIOBUTTON, 6, E_NOTIMPL},
    };
    std::vector<std::vector<TColor>> looks;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Part << "/" << c.State);
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetSize(40, 40);
        bitmap->Canvas()->Brush()->SetColor(clFuchsia);
        bitmap->Canvas()->FillRect(Rect(0, 0, 40, 40));
        TCanvasRecorder recorder(bitmap->Canvas());
        EXPECT_EQ(draw(h, bitmap->Canvas()->Handle(), c.Part, c.State, &box, nullptr), c.Result);
        if (c.Result != S_OK) {
            EXPECT_TRUE(recorder.ThemeCalls().empty());
            continue;
        }
        const std::vector<TCanvasRecorder::TThemeCall> expected{{"button", c.Part, c.State, box}};
        EXPECT_EQ(recorder.ThemeCalls(), expected);
        std::vector<TColor> look;
        for (Integer y = 0; y < 40; ++y)
            for (Integer x = 0; x < 40; ++x) {
                const TColor pixel = bitmap->Canvas()->Pixels(x, y);
                if (!TRect(box).Contains(Point(x, y))) EXPECT_EQ(pixel, clFuchsia) << x << "," << y;
                else look.push_back(pixel);
            }
        EXPECT_NE(look, std::vector<TColor>(look.size(), clFuchsia));
        looks.push_back(look);
    }
    // Each look its own: a check box is no radio button, a checked one no unchecked one, a disabled one no
    // enabled one.
    for (std::size_t i = 0; i < looks.size(); ++i)
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(looks[i], looks[j]) << i << " " << j;
    close(h);
    FreeLibrary(theme);
}

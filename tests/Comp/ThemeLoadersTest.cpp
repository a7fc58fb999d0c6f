// The two loaders of the visual-styles library: the edit controls' fetch-and-assert loader and the
// support units' version-checked one.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <optional>
#include <set>
#include <string>

#include "PEBXPVS.h"
#include "UtUxTheme.h"
#include "support/StartUpSetAside.h"
#include "vcl/SysUtils.h"

namespace {

const char* const EditEntryNames[] = {"OpenThemeData",
                                      "CloseThemeData",
                                      "DrawThemeBackground",
                                      "DrawThemeText",
                                      "GetThemeBackgroundContentRect",
                                      "GetThemeBackgroundExtent",
                                      "GetThemeTextExtent",
                                      "GetThemeTextMetrics",
                                      "GetThemeBackgroundRegion",
                                      "HitTestThemeBackground",
                                      "DrawThemeEdge",
                                      "DrawThemeIcon",
                                      "IsThemePartDefined",
                                      "IsThemeBackgroundPartiallyTransparent",
                                      "GetThemeColor",
                                      "GetThemeMetric",
                                      "GetThemeString",
                                      "GetThemeBool",
                                      "GetThemeInt",
                                      "GetThemeEnumValue",
                                      "GetThemePosition",
                                      "GetThemeFont",
                                      "GetThemeRect",
                                      "GetThemeMargins",
                                      "GetThemeIntList",
                                      "SetWindowTheme",
                                      "GetThemeFilename",
                                      "GetThemeSysColor",
                                      "GetThemeSysColorBrush",
                                      "GetThemeSysBool",
                                      "GetThemeSysSize",
                                      "GetThemeSysFont",
                                      "GetThemeSysString",
                                      "GetThemeSysInt",
                                      "IsThemeActive",
                                      "IsAppThemed",
                                      "GetWindowTheme",
                                      "EnableThemeDialogTexture",
                                      "IsThemeDialogTextureEnabled",
                                      "GetThemeAppProperties",
                                      "SetThemeAppProperties",
                                      "GetCurrentThemeName",
                                      "GetThemeDocumentationProperty",
                                      "DrawThemeParentBackground",
                                      "EnableTheming"};

const char* const SupportEntryNames[] = {"IsThemeActive",
                                         "EnableTheming",
                                         "OpenThemeData",
                                         "CloseThemeData",
                                         "DrawThemeParentBackground",
                                         "DrawThemeBackground",
                                         "DrawThemeText",
                                         "GetThemeBackgroundContentRect",
                                         "GetThemeBackgroundExtent",
                                         "GetThemePartSize",
                                         "GetThemeTextExtent",
                                         "GetThemeTextMetrics",
                                         "GetThemeBackgroundRegion",
                                         "HitTestThemeBackground",
                                         "DrawThemeEdge",
                                         "DrawThemeIcon",
                                         "IsThemePartDefined",
                                         "IsThemeBackgroundPartiallyTransparent",
                                         "GetThemeColor",
                                         "GetThemeMetric",
                                         "GetThemeString",
                                         "GetThemeBool",
                                         "GetThemeInt",
                                         "GetThemeEnumValue",
                                         "GetThemeFileName",
                                         "GetThemePosition",
                                         "GetThemeFont",
                                         "GetThemeRect",
                                         "GetThemeMargins",
                                         "GetThemeIntList",
                                         "GetThemePropertyOrigin",
                                         "SetWindowTheme",
                                         "GetThemeSysColor",
                                         "GetThemeSysColorBrush",
                                         "GetThemeSysSize",
                                         "GetThemeSysBool",
                                         "GetThemeSysFont",
                                         "GetThemeSysString",
                                         "GetThemeSysInt",
                                         "IsAppThemed",
                                         "GetWindowTheme",
                                         "EnableThemeDialogTexture",
                                         "IsThemeDialogTextureEnabled",
                                         "GetThemeAppProperties",
                                         "SetThemeAppProperties",
                                         "GetThemeDocumentationProperty",
                                         "GetCurrentThemeName"};

// The entries of a loader's record in their declared order (all of them function pointers).
template <typename Entries, std::size_t N>
std::array<void*, N> Slots(const Entries& E) {
    static_assert(sizeof(Entries) == N * sizeof(void*));
    std::array<void*, N> slots;
    std::memcpy(slots.data(), &E, sizeof E);
    return slots;
}

// The entry points the library gives under these names.
template <std::size_t N>
std::array<void*, N> Expected(const char* const (&Names)[N]) {
    HMODULE library = LoadLibrary("uxtheme.dll");
    std::array<void*, N> slots;
    for (std::size_t i = 0; i < N; ++i) slots[i] = reinterpret_cast<void*>(GetProcAddress(library, Names[i]));
    FreeLibrary(library);
    return slots;
}

template <std::size_t N>
std::array<void*, N> NoEntries() {
    return {};
}

bool UxThemeLoaded() { return GetModuleHandle("uxtheme.dll") != nullptr; }

void ResetSeams() {
    ResetWindowsVersion();
    ResetModulesForTest();
}

// The start-up loaded the library through both units; each test counts its references from none and
// starts the support loader afresh, and the start-up's state comes back at its end.
class ThemeLoadersTest : public ::testing::Test {
protected:
    void SetUp() override {
        UtUxTheme::FreeThemeLibrary();
        startUpReferences_.emplace("uxtheme.dll");
    }
    void TearDown() override {
        ResetSeams();
        UtUxTheme::FreeThemeLibrary();
        startUpReferences_.reset();
        UtUxTheme::InitThemeLibrary();
    }

private:
    std::optional<ModuleReferencesSetAside> startUpReferences_;
};

}  // namespace

TEST_F(ThemeLoadersTest, TheEditLoaderFetchesItsEntriesInOrder) {
    PEBXPVS::TThemeInterface theme;
    PEBXPVS::LoadThemeInterface(theme, "PEBXPVS");
    EXPECT_TRUE(theme.Loaded);
    EXPECT_NE(theme.Library, nullptr);
    EXPECT_EQ((Slots<PEBXPVS::TThemeEntries, 45>(theme.Entries)), Expected(EditEntryNames));
    EXPECT_TRUE(theme.Entries.IsThemeActive());

    // Loaded once: a second load fetches nothing more.
    const HMODULE library = theme.Library;
    PEBXPVS::LoadThemeInterface(theme, "PEBXPVS");
    EXPECT_EQ(theme.Library, library);
    PEBXPVS::UnloadThemeInterface(theme, PEBXPVS::urKeepLoaded);
    EXPECT_FALSE(UxThemeLoaded());
}

TEST_F(ThemeLoadersTest, AMissingEntryStopsTheEditLoaderWithALinePerEntry) {
    std::set<std::string> messages;
    for (std::size_t missing = 0; missing < std::size(EditEntryNames); ++missing) {
        SCOPED_TRACE(EditEntryNames[missing]);
        ResetModulesForTest();
        SetExportMissingForTest("uxtheme.dll", EditEntryNames[missing], true);
        PEBXPVS::TThemeInterface theme;
        try {
            PEBXPVS::LoadThemeInterface(theme, "PEBXPVS");
            ADD_FAILURE() << "no assertion failure";
        } catch (const EAssertionFailed& e) {
            EXPECT_EQ(e.Message().rfind("Assertion failure (PEBXPVS, line ", 0), 0u) << e.Message();
            EXPECT_EQ(e.Message().find(EditEntryNames[missing]), std::string::npos);
            messages.insert(e.Message());
        }
        EXPECT_TRUE(theme.Loaded);
        const auto slots = Slots<PEBXPVS::TThemeEntries, 45>(theme.Entries);
        for (std::size_t i = 0; i < slots.size(); ++i) EXPECT_EQ(slots[i] != nullptr, i < missing) << i;
        PEBXPVS::UnloadThemeInterface(theme, PEBXPVS::urKeepLoaded);
    }
    EXPECT_EQ(messages.size(), std::size(EditEntryNames));

    // The grid's loader names its own unit.
    ResetModulesForTest();
    SetExportMissingForTest("uxtheme.dll", "DrawThemeText", true);
    PEBXPVS::TThemeInterface grid;
    try {
        PEBXPVS::LoadThemeInterface(grid, "DedIDIZ");
        ADD_FAILURE() << "no assertion failure";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message().rfind("Assertion failure (DedIDIZ, line ", 0), 0u) << e.Message();
    }
    PEBXPVS::UnloadThemeInterface(grid, PEBXPVS::urClearLoaded);
}

TEST_F(ThemeLoadersTest, WithoutTheLibraryBothLoadersStayEmpty) {
    struct Case {
        const char* name;
        void (*arrange)();
    };
    const Case cases[] = {
        {"library absent", [] { SetModuleAbsentForTest("uxtheme.dll", true); }},
        {"Windows 2000", [] { SetWindowsVersionForTest(VER_PLATFORM_WIN32_NT, 5, 0, 2195); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        PEBXPVS::TThemeInterface theme;
        PEBXPVS::LoadThemeInterface(theme, "PEBXPVS");
        EXPECT_FALSE(theme.Loaded);
        EXPECT_EQ(theme.Library, nullptr);
        EXPECT_EQ((Slots<PEBXPVS::TThemeEntries, 45>(theme.Entries)), NoEntries<45>());
        PEBXPVS::UnloadThemeInterface(theme, PEBXPVS::urKeepLoaded);

        UtUxTheme::InitThemeLibrary();
        EXPECT_FALSE(UtUxTheme::ThemeLibraryLoaded());
        EXPECT_FALSE(UtUxTheme::ThemesAvailable());
        EXPECT_EQ((Slots<UtUxTheme::TUxThemeEntries, 47>(UtUxTheme::ThemeEntries())), NoEntries<47>());
        UtUxTheme::FreeThemeLibrary();
        EXPECT_FALSE(UxThemeLoaded());
        ResetSeams();
    }
}

TEST_F(ThemeLoadersTest, UnloadingFreesTheLibraryOnce) {
    HMODULE other = LoadLibrary("uxtheme.dll");  // another holder's load

    PEBXPVS::TThemeInterface edit;
    PEBXPVS::LoadThemeInterface(edit, "PEBXPVS");
    PEBXPVS::UnloadThemeInterface(edit, PEBXPVS::urKeepLoaded);
    EXPECT_TRUE(edit.Loaded);
    EXPECT_NE(edit.Entries.OpenThemeData, nullptr);
    PEBXPVS::UnloadThemeInterface(edit, PEBXPVS::urKeepLoaded);
    EXPECT_TRUE(UxThemeLoaded());

    PEBXPVS::TThemeInterface grid;
    PEBXPVS::LoadThemeInterface(grid, "DedIDIZ");
    PEBXPVS::UnloadThemeInterface(grid, PEBXPVS::urClearLoaded);
    EXPECT_FALSE(grid.Loaded);
    PEBXPVS::UnloadThemeInterface(grid, PEBXPVS::urClearLoaded);
    EXPECT_TRUE(UxThemeLoaded());

    EXPECT_TRUE(FreeLibrary(other));
    EXPECT_FALSE(UxThemeLoaded());
}

TEST_F(ThemeLoadersTest, TheEditUnitLoadsAtStartUpAndFreesAtExit) {
    // Loaded by the start-up; its reference stands in for the one set aside.
    EXPECT_TRUE(PEBXPVS::ThemeLibraryLoaded());
    LoadLibrary("uxtheme.dll");
    PEBXPVS::InitThemeLibrary();  // loaded once: nothing more
    const PEBXPVS::TThemeEntries& theme = PEBXPVS::ThemeEntries();
    HTHEME button = theme.OpenThemeData(nullptr, u"button");
    EXPECT_NE(button, nullptr);
    EXPECT_EQ(theme.CloseThemeData(button), S_OK);
    PEBXPVS::FreeThemeLibrary();
    EXPECT_TRUE(PEBXPVS::ThemeLibraryLoaded());  // the flag and the entries stay as they are
    EXPECT_FALSE(UxThemeLoaded());
    PEBXPVS::FreeThemeLibrary();  // a second exit frees no other holder's load
    HMODULE other = LoadLibrary("uxtheme.dll");
    PEBXPVS::FreeThemeLibrary();
    EXPECT_TRUE(UxThemeLoaded());
    FreeLibrary(other);
}

TEST_F(ThemeLoadersTest, TheSupportLoaderAsksForCapitalNAndNeedsNtFiveOne) {
    struct Case {
        DWORD platform, major, minor;
        bool loads;
    };
    const Case cases[] = {
        {VER_PLATFORM_WIN32_NT, 5, 1, true},  {VER_PLATFORM_WIN32_NT, 5, 2, true},
        {VER_PLATFORM_WIN32_NT, 6, 0, true},  {VER_PLATFORM_WIN32_NT, 5, 0, false},
        {VER_PLATFORM_WIN32_NT, 4, 0, false}, {VER_PLATFORM_WIN32_WINDOWS, 4, 90, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.major * 100 + c.minor);
        SetWindowsVersionForTest(c.platform, c.major, c.minor, 2600);
        UtUxTheme::InitThemeLibrary();
        EXPECT_EQ(UtUxTheme::ThemeLibraryLoaded(), c.loads);
        EXPECT_EQ(UtUxTheme::ThemesAvailable(), c.loads);
        if (c.loads) {
            auto expected = Expected(SupportEntryNames);
            EXPECT_EQ((Slots<UtUxTheme::TUxThemeEntries, 47>(UtUxTheme::ThemeEntries())), expected);
            EXPECT_EQ(UtUxTheme::ThemeEntries().GetThemeFileName, nullptr);
            EXPECT_EQ(std::count(expected.begin(), expected.end(), nullptr), 1);
        }
        UtUxTheme::FreeThemeLibrary();
        ResetSeams();
    }
}

TEST_F(ThemeLoadersTest, TheSupportLoaderTakesAMissingEntryAsEmptyAndUnloadsOnce) {
    SetExportMissingForTest("uxtheme.dll", "DrawThemeText", true);
    HMODULE other = LoadLibrary("uxtheme.dll");
    UtUxTheme::InitThemeLibrary();
    EXPECT_TRUE(UtUxTheme::ThemeLibraryLoaded());
    EXPECT_EQ(UtUxTheme::ThemeEntries().DrawThemeText, nullptr);
    EXPECT_NE(UtUxTheme::ThemeEntries().DrawThemeEdge, nullptr);

    UtUxTheme::FreeThemeLibrary();
    EXPECT_FALSE(UtUxTheme::ThemeLibraryLoaded());
    EXPECT_FALSE(UtUxTheme::ThemesAvailable());
    EXPECT_EQ((Slots<UtUxTheme::TUxThemeEntries, 47>(UtUxTheme::ThemeEntries())), NoEntries<47>());
    UtUxTheme::FreeThemeLibrary();  // the second unload frees nothing
    EXPECT_TRUE(UxThemeLoaded());
    EXPECT_TRUE(FreeLibrary(other));
    EXPECT_FALSE(UxThemeLoaded());
}

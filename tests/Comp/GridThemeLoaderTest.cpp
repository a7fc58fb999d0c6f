// The grid's loader of the visual-styles library: loaded and unloaded by the tests themselves (the
// program's start-up wiring comes with the grid class).
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "DedIDIZ.h"
#include "support/StartUpSetAside.h"
#include "vcl/SysUtils.h"

namespace {

bool AllEntriesEmpty() {
    const PEBXPVS::TThemeEntries none{};
    return std::memcmp(&DedIDIZ::ThemeEntries(), &none, sizeof none) == 0;
}

bool UxThemeLoaded() { return GetModuleHandle("uxtheme.dll") != nullptr; }

// Each test counts the library's references from none and leaves the loader unloaded. Resetting the
// module map resets every load count: the start-up's gradient library is set aside too, so that its
// reference comes back.
class GridThemeLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        wasLoaded_ = DedIDIZ::ThemeLibraryLoaded();
        DedIDIZ::FreeThemeLibrary();
        references_.emplace("uxtheme.dll");
        gradientReferences_.emplace("msimg32.dll");
    }
    void TearDown() override {
        DedIDIZ::FreeThemeLibrary();
        ResetModulesForTest();
        ResetWindowsVersion();
        gradientReferences_.reset();
        references_.reset();
        if (wasLoaded_) DedIDIZ::InitThemeLibrary();
    }

private:
    bool wasLoaded_ = false;
    std::optional<ModuleReferencesSetAside> references_, gradientReferences_;
};

}  // namespace

TEST_F(GridThemeLoaderTest, LoadFetchesTheEntriesAndUnloadFreesAndClears) {
    DedIDIZ::InitThemeLibrary();
    EXPECT_TRUE(DedIDIZ::ThemeLibraryLoaded());
    EXPECT_TRUE(UxThemeLoaded());
    const PEBXPVS::TThemeEntries& theme = DedIDIZ::ThemeEntries();
    HMODULE library = GetModuleHandle("uxtheme.dll");
    EXPECT_EQ(reinterpret_cast<FARPROC>(theme.OpenThemeData), GetProcAddress(library, "OpenThemeData"));
    EXPECT_EQ(reinterpret_cast<FARPROC>(theme.EnableTheming), GetProcAddress(library, "EnableTheming"));
    EXPECT_TRUE(theme.IsThemeActive());

    DedIDIZ::InitThemeLibrary();  // loaded once
    DedIDIZ::FreeThemeLibrary();
    EXPECT_FALSE(DedIDIZ::ThemeLibraryLoaded());
    EXPECT_TRUE(AllEntriesEmpty());
    EXPECT_FALSE(UxThemeLoaded()) << "one load, freed once";
}

TEST_F(GridThemeLoaderTest, ASecondUnloadDoesNothing) {
    HMODULE other = LoadLibrary("uxtheme.dll");  // another holder's load
    DedIDIZ::InitThemeLibrary();
    DedIDIZ::FreeThemeLibrary();
    DedIDIZ::FreeThemeLibrary();
    EXPECT_FALSE(DedIDIZ::ThemeLibraryLoaded());
    EXPECT_TRUE(UxThemeLoaded());
    EXPECT_TRUE(FreeLibrary(other));
}

TEST_F(GridThemeLoaderTest, WithoutTheLibraryNothingIsLoaded) {
    struct Case {
        const char* name;
        void (*arrange)();
    };
    const Case cases[] = {
        {"module absent", [] { SetModuleAbsentForTest("uxtheme.dll", true); }},
        {"Windows 2000", [] { SetWindowsVersionForTest(VER_PLATFORM_WIN32_NT, 5, 0, 2195); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        DedIDIZ::InitThemeLibrary();
        EXPECT_FALSE(DedIDIZ::ThemeLibraryLoaded());
        EXPECT_TRUE(AllEntriesEmpty());
        DedIDIZ::FreeThemeLibrary();
        ResetModulesForTest();
        ResetWindowsVersion();
    }
}

TEST_F(GridThemeLoaderTest, AMissingExportStopsTheLoadNamingTheGridUnit) {
    for (const char* missing : {"OpenThemeData", "GetThemeFilename", "EnableTheming"}) {
        SCOPED_TRACE(missing);
        SetExportMissingForTest("uxtheme.dll", missing, true);
        try {
            DedIDIZ::InitThemeLibrary();
            ADD_FAILURE() << "no assertion failure";
        } catch (const EAssertionFailed& e) {
            EXPECT_EQ(e.Message().rfind("Assertion failure (DedIDIZ, line ", 0), 0u) << e.Message();
        }
        EXPECT_TRUE(DedIDIZ::ThemeLibraryLoaded());
        // Unload frees what the failed load took and clears every entry.
        DedIDIZ::FreeThemeLibrary();
        EXPECT_FALSE(DedIDIZ::ThemeLibraryLoaded());
        EXPECT_TRUE(AllEntriesEmpty());
        EXPECT_FALSE(UxThemeLoaded());
        ResetModulesForTest();
    }
}

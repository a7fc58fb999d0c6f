#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "vcl/CaselessPath.h"
#include "vcl/ScopeGuard.h"

namespace {

namespace fs = std::filesystem;

// A folder of its own with Pictures/Logo.gif, Caf\xE9/Menu.txt (the name in UTF-8 on disk),
// Twins/a.txt beside Twins/A.TXT, and the file Plain.txt.
class CaselessPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/halcyra_caseless_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root_ = pattern;
        fs::create_directories(root_ / "Pictures");
        fs::create_directories(root_ / "Caf\xC3\xA9");
        fs::create_directories(root_ / "Twins");
        for (const char* name :
             {"Pictures/Logo.gif", "Caf\xC3\xA9/Menu.txt", "Twins/a.txt", "Twins/A.TXT", "Plain.txt"})
            std::ofstream(root_ / name) << "x";
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string Root() const { return root_.string(); }
    fs::path root_;
};

TEST_F(CaselessPathTest, TheUniqueEntryMatchingEachComponentWithoutCaseIsTaken) {
    struct Case {
        std::string given;
        std::string expected;
    };
    const std::string r = Root();
    const Case cases[] = {
        {r + "/Pictures/Logo.gif", r + "/Pictures/Logo.gif"},    // exact
        {r + "/PICTURES/LOGO.GIF", r + "/Pictures/Logo.gif"},    // upper-cased
        {r + "\\pictures\\logo.GIF", r + "/Pictures/Logo.gif"},  // backslashes separate too
        {r + "//Pictures//logo.gif", r + "/Pictures/Logo.gif"},  // empty components drop out
        {r + "/PICTURES/", r + "/Pictures/"},                    // a folder keeps its separator
        {r + "/CAF\xC9/MENU.TXT", r + "/Caf\xE9/Menu.txt"},      // code-page letters fold too
        {r + "/Twins/a.TXT", r + "/Twins/a.TXT"},                // two entries match: unchanged
        {r + "/Pictures/Missing.gif", r + "/Pictures/Missing.gif"},
        {r + "/PLAIN.TXT/x", r + "/PLAIN.TXT/x"},  // a file is no folder
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CaselessPath(c.given), c.expected) << c.given;
}

TEST_F(CaselessPathTest, ARelativeNameIsLookedUpFromTheCurrentFolder) {
    const fs::path before = fs::current_path();
    const TScopeExit restore([&] { fs::current_path(before); });
    fs::current_path(root_);
    EXPECT_EQ(CaselessPath("pictures\\LOGO.gif"), "Pictures/Logo.gif");
    EXPECT_EQ(CaselessPath("plain.txt"), "Plain.txt");
}

}  // namespace

// File attributes and the shell's icon lists (fixed icons through the seam).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "vcl/ImgList.h"
#include "vcl/ShellAPI.h"

namespace {

// A folder with a text file, a hidden file and a read-only file, removed again afterwards.
struct TFiles {
    const std::string Folder;
    const std::string Text{Folder + "/note.txt"};
    const std::string Hidden{Folder + "/.hidden"};
    const std::string ReadOnly{Folder + "/fixed.png"};
    // Each test its own folder: tests may run at the same time.
    explicit TFiles(const std::string& Name) : Folder(::testing::TempDir() + Name) {
        std::filesystem::create_directories(Folder);
        for (const std::string& file : {Text, Hidden, ReadOnly}) std::ofstream(file) << "x";
        chmod(ReadOnly.c_str(), 0444);
    }
    ~TFiles() { std::filesystem::remove_all(Folder); }
};

class ShellIconsTest : public ::testing::Test {
protected:
    void SetUp() override { UseFixedShellIconsForTest(true); }
    void TearDown() override { UseFixedShellIconsForTest(false); }
};

}  // namespace

TEST_F(ShellIconsTest, FileAttributesTellFoldersHiddenAndReadOnlyFiles) {
    TFiles files("shell_icons_attributes");
    struct Case {
        std::string path;
        DWORD attributes;
    };
    const Case cases[] = {
        {files.Folder, FILE_ATTRIBUTE_DIRECTORY},
        {files.Text, FILE_ATTRIBUTE_NORMAL},
        {files.Hidden, FILE_ATTRIBUTE_HIDDEN},
        {files.ReadOnly, FILE_ATTRIBUTE_READONLY},
        {files.Folder + "/missing.txt", INVALID_FILE_ATTRIBUTES},
        {files.Folder + "\\NOTE.TXT", FILE_ATTRIBUTE_NORMAL},
        {files.Folder + "/FIXED.png", FILE_ATTRIBUTE_READONLY},
        {"", INVALID_FILE_ATTRIBUTES},
    };
    for (const Case& c : cases) EXPECT_EQ(GetFileAttributesA(c.path.c_str()), c.attributes) << c.path;
}

TEST_F(ShellIconsTest, EachKindOfFileGetsOneIndexInBothLists) {
    TFiles files("shell_icons_indices");
    SHFILEINFO info{};
    const auto small = SHGetFileInfoA("", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    const auto large = SHGetFileInfoA("", 0, &info, sizeof(info), SHGFI_SYSICONINDEX);
    ASSERT_NE(small, 0u);
    ASSERT_NE(large, small);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(small), &cx, &cy);
    EXPECT_EQ(cx, 16);
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(large), &cx, &cy);
    EXPECT_EQ(cy, 32);

    struct Case {
        std::string path;
        DWORD attributes;
        UINT flags;
        int index;  // -1: the call fails
    };
    const Case cases[] = {
        {files.Folder, 0, 0, 0},
        {files.Text, 0, 0, 1},
        {files.Folder + "/other.txt", FILE_ATTRIBUTE_NORMAL, SHGFI_USEFILEATTRIBUTES, 1},
        {files.Folder + "/other.txt", 0, 0, -1},
        {files.ReadOnly, 0, SHGFI_SMALLICON, 2},
        {"/nowhere/else", FILE_ATTRIBUTE_DIRECTORY, SHGFI_USEFILEATTRIBUTES, 0},
        {files.Text, 0, SHGFI_SMALLICON, 1},
    };
    for (const Case& c : cases) {
        info.iIcon = -7;
        const auto list =
            SHGetFileInfoA(c.path.c_str(), c.attributes, &info, sizeof(info), SHGFI_SYSICONINDEX | c.flags);
        if (c.index < 0) {
            EXPECT_EQ(list, 0u) << c.path;
            continue;
        }
        EXPECT_EQ(list, (c.flags & SHGFI_SMALLICON) ? small : large) << c.path;
        EXPECT_EQ(info.iIcon, c.index) << c.path;
    }
    EXPECT_EQ(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(small)), 3);
    EXPECT_EQ(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(large)), 3);
}

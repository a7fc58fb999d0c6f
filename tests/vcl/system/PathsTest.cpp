#include <unistd.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "vcl/SysUtils.h"

TEST(Paths, ExtractRoutinesAcceptBothDelimiters) {
    struct Case {
        const char* name;
        const char* path;
        const char* dir;
        const char* file;
        const char* ext;
    };
    const Case cases[] = {
        {"/usr/lib/libx.so.6", "/usr/lib/", "/usr/lib", "libx.so.6", ".6"},
        {"C:\\data\\calc.ini", "C:\\data\\", "C:\\data", "calc.ini", ".ini"},
        {"/readme", "/", "/", "readme", ""},
        {"file.", "", "", "file.", "."},
        {"dir.d/file", "dir.d/", "dir.d", "file", ""},
        {"a//b", "a//", "a//", "b", ""},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
        EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
        EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
        EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    }
    EXPECT_EQ(ChangeFileExt("/a/calc.exe", ".INI"), "/a/calc.INI");
    EXPECT_EQ(ChangeFileExt("/a.d/calc", ".INI"), "/a.d/calc.INI");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
    EXPECT_EQ(ExpandFileName("/a/./b/../c//d"), "/a/c/d");
    EXPECT_EQ(ExpandFileName("/.."), "/");
    EXPECT_EQ(ExpandFileName("x"), IncludeTrailingPathDelimiter(GetCurrentDir()) + "x");
}

TEST(Paths, FileSystemUsesUtf8ForWesternNames) {
    char pattern[] = "/tmp/halcyra_pathsXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const AnsiString root = pattern;
    const AnsiString dir = root + "/\xE9t\xE9/sub";  // "été" in Windows-1252
    EXPECT_TRUE(ForceDirectories(dir));
    EXPECT_TRUE(DirectoryExists(dir));
    EXPECT_TRUE(DirectoryExists(root + "/\xC3\xA9t\xC3\xA9") == false);  // never stored as raw bytes
    const AnsiString file = dir + "/f\x80.txt";
    EXPECT_FALSE(FileExists(file));
    std::FILE* f = std::fopen((std::string(pattern) + "/\xC3\xA9t\xC3\xA9/sub/f\xE2\x82\xAC.txt").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(dir));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(DeleteFile(file));
    EXPECT_THROW(ForceDirectories(""), EInOutError);
    rmdir((std::string(pattern) + "/\xC3\xA9t\xC3\xA9/sub").c_str());
    rmdir((std::string(pattern) + "/\xC3\xA9t\xC3\xA9").c_str());
    rmdir(pattern);
}

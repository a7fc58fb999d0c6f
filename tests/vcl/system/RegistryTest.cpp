// The registry stand-in on a temporary folder: the built-in ".htm" association, values set and read
// back through the file, the buffer-size protocol, and handles it never gave.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/RegistryFolderFixture.h"
#include "vcl/Windows.h"

namespace {

class Registry : public RegistryFolderFixture {
protected:
    // The default value of Root\Key, or the error of opening or reading it.
    static std::string Read(HKEY Root, const char* Key, LONG& Result) {
        HKEY key = nullptr;
        Result = RegOpenKeyExA(Root, Key, 0, KEY_QUERY_VALUE, &key);
        if (Result != ERROR_SUCCESS) return "";
        char buffer[260] = {};
        LONG size = sizeof buffer;
        Result = RegQueryValueA(key, nullptr, buffer, &size);
        EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
        return buffer;
    }
};

TEST_F(Registry, AnUntouchedStoreAnswersTheHtmlAssociationWithTheDesktopOpener) {
    struct Case {
        const char* Key;
        LONG Result;
        const char* Value;
    };
    const Case cases[] = {
        {".htm", ERROR_SUCCESS, "htmlfile"},
        {".HTM", ERROR_SUCCESS, "htmlfile"},
        {"htmlfile\\shell\\open\\command", ERROR_SUCCESS, "xdg-open \"%1\""},
        {"htmlfile\\shell", ERROR_SUCCESS, ""},  // a key with keys below it but no value of its own
        {"htmlfile\\she", ERROR_FILE_NOT_FOUND, ""},
        {".html", ERROR_FILE_NOT_FOUND, ""},
    };
    for (const Case& c : cases) {
        LONG result = -1;
        EXPECT_EQ(Read(HKEY_CLASSES_ROOT, c.Key, result), c.Value) << c.Key;
        EXPECT_EQ(result, c.Result) << c.Key;
    }
    EXPECT_FALSE(std::filesystem::exists(RegistryFilePath())) << "reading writes nothing";
}

TEST_F(Registry, SetValuesComeBackThroughTheFileAndOverrideTheDefaults) {
    const std::string awkward = "tab\there, line\nbreak\r, back\\slash, \\\\t and \"quotes\"";
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, "MyBrowser.Page", 0), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueA(HKEY_CURRENT_USER, "Software\\Halcyra\\Odd", REG_SZ, awkward.c_str(), 0), ERROR_SUCCESS);
    EXPECT_EQ(RegistryFilePath(), folder_ + "/registry");
    ASSERT_TRUE(std::filesystem::exists(RegistryFilePath()));

    LONG result = -1;
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, ".htm", result), "MyBrowser.Page");
    EXPECT_EQ(Read(HKEY_CURRENT_USER, "software\\halcyra\\odd", result), awkward);
    EXPECT_EQ(result, ERROR_SUCCESS);
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", result), "xdg-open \"%1\"");
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, "Software\\Halcyra\\Odd", result), "");
    EXPECT_EQ(result, ERROR_FILE_NOT_FOUND) << "roots are separate";
}

TEST_F(Registry, AFileWithForeignLinesKeepsItsKeysAndSkipsTheRest) {
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ + "/registry") << "no tab on this line\n# comment\tnot a key\n\n"
                                         << "HKEY_CLASSES_ROOT\\.htm\tC:\\Web\\view.exe \\\\srv \\q\r\n";
    LONG result = -1;
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, ".htm", result), "C:\\Web\\view.exe \\srv \\q");
    EXPECT_EQ(Read(HKEY_CLASSES_ROOT, "# comment", result), "");
    EXPECT_EQ(result, ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, QueriesReportTheSizeTheValueNeeds) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "htmlfile", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    const std::string command = "xdg-open \"%1\"";
    LONG size = 0;
    EXPECT_EQ(RegQueryValueA(key, "shell\\open\\command", nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, static_cast<LONG>(command.size() + 1));
    char small[4] = {'x', 'x', 'x', 'x'};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueA(key, "shell\\open\\command", small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, static_cast<LONG>(command.size() + 1));
    EXPECT_EQ(small[0], 'x') << "a buffer too small is left alone";
    char exact[14] = {};
    size = sizeof exact;
    EXPECT_EQ(RegQueryValueA(key, "\\shell\\open\\command\\", exact, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(exact), command);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(Registry, HandlesTheRegistryNeverGaveOrAlreadyClosedAreRefused) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    char buffer[16] = {};
    LONG size = sizeof buffer;
    HKEY opened = nullptr;
    EXPECT_EQ(RegQueryValueA(key, nullptr, buffer, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyExA(reinterpret_cast<HKEY>(std::uintptr_t{42}), ".htm", 0, KEY_QUERY_VALUE, &opened),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_QUERY_VALUE, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", buffer, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ".htm", 4, "x", 1), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, "a\tb", REG_SZ, "x", 1), ERROR_INVALID_PARAMETER);
}

TEST_F(Registry, AFileChangedByAnotherProgramIsReadAgain) {
    const std::string line = "HKEY_CURRENT_USER\\Software\\Halcyra\\Other\t";
    struct Case {
        const char* Change;
        bool StoreWroteFirst;  // else another program wrote the file just before the first read
        void (*Apply)(const std::string& File, const std::string& Line);
        const char* Expected;
    };
    const Case cases[] = {
        {"rewritten in place, same size", false,
         [](const std::string& File, const std::string& Line) { SetContents(File, Line + "second\n"); }, "second"},
        {"rewritten in place, longer", true,
         [](const std::string& File, const std::string& Line) { SetContents(File, Line + "the second\n"); },
         "the second"},
        {"replaced by another file", true,
         [](const std::string& File, const std::string& Line) {
             SetContents(File + ".new", Line + "second\n");
             std::filesystem::rename(File + ".new", File);
         },
         "second"},
        {"removed", true, [](const std::string& File, const std::string&) { std::filesystem::remove(File); }, ""},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(RegistryFilePath());
        if (c.StoreWroteFirst) {
            ASSERT_EQ(RegSetValueA(HKEY_CURRENT_USER, "Software\\Halcyra\\Other", REG_SZ, "first!", 0), ERROR_SUCCESS);
        } else {
            SetContents(RegistryFilePath(), line + "first!\n");
        }
        LONG result = -1;
        ASSERT_EQ(Read(HKEY_CURRENT_USER, "Software\\Halcyra\\Other", result), "first!") << c.Change;
        c.Apply(RegistryFilePath(), line);
        EXPECT_EQ(Read(HKEY_CURRENT_USER, "Software\\Halcyra\\Other", result), c.Expected) << c.Change;
    }
}

TEST_F(Registry, TheStoreLivesInTheXdgConfigurationFolder) {
    SetRegistryFolderForTest("");
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string previous = saved != nullptr ? saved : "";
    setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    EXPECT_EQ(RegistryFilePath(), folder_ + "/halcyra/registry");
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    EXPECT_EQ(RegistryFilePath(), std::string(std::getenv("HOME")) + "/.config/halcyra/registry");
    if (saved != nullptr) {
        setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

}  // namespace

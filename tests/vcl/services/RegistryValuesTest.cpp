// Named values of the registry store: types and sizes, keys made without values, the file's older lines
// beside the new ones, and writes that change one line of the file.
#include <string>
#include <vector>

#include "support/RegistryFolderFixture.h"

namespace {

class RegistryValues : public RegistryFolderFixture {
protected:
    HKEY Create(HKEY Root, const char* SubKey, DWORD* Disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(Root, SubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                  Disposition),
                  ERROR_SUCCESS)
            << SubKey;
        return key;
    }
    static LONG Set(HKEY Key, const char* Name, DWORD Type, const std::string& Data) {
        return RegSetValueExA(Key, Name, 0, Type, reinterpret_cast<const BYTE*>(Data.data()),
                              static_cast<DWORD>(Data.size()));
    }
    // The value's type and bytes as a caller gets them, or the error.
    static LONG Query(HKEY Key, const char* Name, DWORD& Type, std::string& Data) {
        DWORD size = 0;
        Type = 99;
        const LONG sized = RegQueryValueExA(Key, Name, nullptr, &Type, nullptr, &size);
        if (sized != ERROR_SUCCESS) return sized;
        Data.assign(size, '\x7f');
        return RegQueryValueExA(Key, Name, nullptr, &Type, reinterpret_cast<BYTE*>(Data.data()), &size);
    }
    std::string Registry() const { return Contents(folder_ + "/registry"); }
};

TEST_F(RegistryValues, NamedValuesComeBackWithTheirTypesAndSizes) {
    struct Case {
        const char* Name;
        DWORD Type;
        std::string Written;
        std::string Read;
    };
    const Case cases[] = {
        {"Edit1", REG_SZ, std::string("hello\0", 6), std::string("hello\0", 6)},
        {"Tabs\tand\\lines", REG_SZ, std::string("a\tb\r\nc\\d\0", 9), std::string("a\tb\r\nc\\d\0", 9)},
        {"Unended", REG_SZ, "no zero", std::string("no zero\0", 8)},
        {"Cut", REG_EXPAND_SZ, std::string("%HOME%\0rest", 11), std::string("%HOME%\0", 7)},
        {"Count", REG_DWORD, std::string("\x2a\0\0\0", 4), std::string("\x2a\0\0\0", 4)},
        {"Blob", REG_BINARY, std::string("\0\xff\n\t", 4), std::string("\0\xff\n\t", 4)},
        {"Nothing", REG_NONE, "", ""},
        {"", REG_SZ, std::string("default\0", 8), std::string("default\0", 8)},
    };
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Halcyra\\Values");
    for (const Case& c : cases) ASSERT_EQ(Set(key, c.Name, c.Type, c.Written), ERROR_SUCCESS) << c.Name;
    RegCloseKey(key);

    HKEY reopened = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\halcyra\\values", 0, KEY_READ, &reopened), ERROR_SUCCESS);
    for (const Case& c : cases) {
        DWORD type = 0;
        std::string data;
        EXPECT_EQ(Query(reopened, c.Name, type, data), ERROR_SUCCESS) << c.Name;
        EXPECT_EQ(type, c.Type) << c.Name;
        EXPECT_EQ(data, c.Read) << c.Name;
    }
    DWORD type = 0;
    std::string data;
    EXPECT_EQ(Query(reopened, "EDIT1", type, data), ERROR_SUCCESS) << "names compare without case";
    EXPECT_EQ(Query(reopened, nullptr, type, data), ERROR_SUCCESS);
    EXPECT_EQ(data, std::string("default\0", 8));
    EXPECT_EQ(Query(reopened, "Edit2", type, data), ERROR_FILE_NOT_FOUND);
    char legacy[16] = {};
    LONG size = sizeof legacy;
    EXPECT_EQ(RegQueryValueA(reopened, nullptr, legacy, &size), ERROR_SUCCESS) << "the default value is the old one";
    EXPECT_EQ(std::string(legacy), "default");
    RegCloseKey(reopened);
}

TEST_F(RegistryValues, QueriesFollowTheBufferSizeProtocol) {
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Halcyra");
    ASSERT_EQ(Set(key, "Name", REG_SZ, std::string("value\0", 6)), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);
    BYTE small[3] = {'x', 'x', 'x'};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(small[0], 'x') << "a buffer too small is left alone";
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, nullptr, small, nullptr), ERROR_INVALID_PARAMETER);
    DWORD reserved = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Name", &reserved, &type, nullptr, &size), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExA(key, "Name", 0, 7, small, 1), ERROR_INVALID_PARAMETER) << "a type the store lacks";
    EXPECT_EQ(RegSetValueExA(key, "Name", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Set(key, "Name", REG_SZ, "x"), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryValues, CreatedKeysLastWithoutValuesAndSayWhetherTheyWereNew) {
    DWORD disposition = 0;
    RegCloseKey(Create(HKEY_CURRENT_USER, "Software\\Halcyra\\Empty\\", &disposition));
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(Create(HKEY_CURRENT_USER, "software\\HALCYRA\\empty", &disposition));
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(Create(HKEY_CLASSES_ROOT, "htmlfile\\shell", &disposition));
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY) << "a built-in key exists already";
    const std::string file = Registry();
    const std::string line = "\nHKEY_CURRENT_USER\\Software\\Halcyra\\Empty\\\n";
    EXPECT_NE(file.find(line), std::string::npos) << file;
    EXPECT_EQ(file.find(line), file.rfind(line)) << "opening an existing key writes nothing";
    for (const char* existing : {"Software", "Software\\Halcyra", "Software\\Halcyra\\Empty"}) {
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, existing, 0, KEY_READ, &key), ERROR_SUCCESS) << existing;
        RegCloseKey(key);
    }
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Halcyra\\Emp", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Tab\there", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Line\nbreak", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryValues, OlderLinesKeepTheirMeaningBesideNamedValues) {
    SetContents(folder_ + "/registry",
                "# a comment\n"
                "HKEY_CURRENT_USER\\Old\tplain value\n"
                "HKEY_CURRENT_USER\\Hand\tkept\traw tabs\n"
                "HKEY_CURRENT_USER\\Old\tName\tREG_SZ\tnamed\\tvalue\n"
                "HKEY_CURRENT_USER\\Old\tCount\tREG_DWORD\t07000000\n"
                "HKEY_CURRENT_USER\\Old\tBroken\tREG_BINARY\tnot hex\n"
                "HKEY_CURRENT_USER\\Unknown\tOther\tREG_UNKNOWN\tx\n");
    struct Case {
        const char* Name;
        LONG Result;
        DWORD Type;
        std::string Data;
    };
    const Case cases[] = {
        {"", ERROR_SUCCESS, REG_SZ, std::string("plain value\0", 12)},
        {"Name", ERROR_SUCCESS, REG_SZ, std::string("named\tvalue\0", 12)},
        {"Count", ERROR_SUCCESS, REG_DWORD, std::string("\x07\0\0\0", 4)},
        {"Broken", ERROR_FILE_NOT_FOUND, 0, ""},
    };
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Old", 0, KEY_READ, &key), ERROR_SUCCESS);
    for (const Case& c : cases) {
        DWORD type = 0;
        std::string data;
        EXPECT_EQ(Query(key, c.Name, type, data), c.Result) << c.Name;
        if (c.Result != ERROR_SUCCESS) continue;
        EXPECT_EQ(type, c.Type) << c.Name;
        EXPECT_EQ(data, c.Data) << c.Name;
    }
    RegCloseKey(key);
    char buffer[32] = {};
    LONG size = sizeof buffer;
    EXPECT_EQ(RegQueryValueA(HKEY_CURRENT_USER, "Hand", buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(buffer), "kept\traw tabs") << "a hand-written line with tabs stays a default value";
    size = sizeof buffer;
    EXPECT_EQ(RegQueryValueA(HKEY_CURRENT_USER, "Unknown", buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(buffer), "Other\tREG_UNKNOWN\tx") << "so does one without a known type";
}

TEST_F(RegistryValues, AWriteChangesOneLineAndKeepsEveryOtherByte) {
    const std::string before =
        "# my notes\r\n"
        "no tab on this line\n"
        "HKEY_CURRENT_USER\\App\tdefault\n"
        "HKEY_CURRENT_USER\\App\tEdit1\tREG_SZ\told\r\n"
        "HKEY_CURRENT_USER\\App\tEdit2\tREG_SZ\tkept";
    SetContents(folder_ + "/registry", before);
    HKEY key = Create(HKEY_CURRENT_USER, "App");
    ASSERT_EQ(Set(key, "EDIT1", REG_SZ, "new"), ERROR_SUCCESS);
    std::string expected = before;
    expected.replace(expected.find("App\tEdit1\tREG_SZ\told"), 20, "App\tEDIT1\tREG_SZ\tnew");
    EXPECT_EQ(Registry(), expected);
    ASSERT_EQ(Set(key, "Edit3", REG_BINARY, "\x01\xab"), ERROR_SUCCESS);
    expected += "\nHKEY_CURRENT_USER\\App\tEdit3\tREG_BINARY\t01AB\n";
    EXPECT_EQ(Registry(), expected);
    ASSERT_EQ(Set(key, "", REG_SZ, "new default"), ERROR_SUCCESS);
    expected.replace(expected.find("\tdefault"), 8, "\tnew default");
    EXPECT_EQ(Registry(), expected);
    RegCloseKey(key);
    EXPECT_EQ(FileCount(), 1u) << "no temporary file stays behind";
}

TEST_F(RegistryValues, AStoreThatCannotBeWrittenRefusesAndKeepsItsFile) {
    SetRegistryFolderForTest(folder_ + "/file");
    SetContents(folder_ + "/file", "a file where the folder should be");
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "App", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegSetValueExA(HKEY_CURRENT_USER, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2),
              ERROR_ACCESS_DENIED);
    SetRegistryFolderForTest(folder_);
    std::filesystem::create_directory(folder_ + "/registry");  // the store's file is a folder: unreadable
    EXPECT_EQ(RegSetValueA(HKEY_CURRENT_USER, "App", REG_SZ, "x", 0), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(std::filesystem::is_directory(folder_ + "/registry"));
    EXPECT_EQ(Contents(folder_ + "/file"), "a file where the folder should be");
}

}  // namespace

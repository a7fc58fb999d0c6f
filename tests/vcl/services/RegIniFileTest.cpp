// The registry in the manner of an INI file, on a temporary store: opening creates the key, sections are
// keys below it or absolute paths, names compare without case, and a value that is no string raises.
#include <string>

#include "support/RegistryFolderFixture.h"
#include "vcl/Registry.h"

namespace {

class RegIniFile : public RegistryFolderFixture {
protected:
    static bool KeyExists(const char* Path) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
};

TEST_F(RegIniFile, OpeningCreatesTheKeyAndReadingCreatesNothing) {
    EXPECT_FALSE(KeyExists("Software\\Halcyra\\Persist"));
    TRegIniFile registry("Software\\Halcyra\\Persist");
    EXPECT_EQ(registry.FileName(), "Software\\Halcyra\\Persist");
    EXPECT_TRUE(KeyExists("Software\\Halcyra\\Persist"));
    EXPECT_EQ(registry.ReadString("Missing", "Edit1", "@"), "@");
    EXPECT_EQ(registry.ReadString("", "Edit1", "@"), "@");
    EXPECT_FALSE(KeyExists("Software\\Halcyra\\Persist\\Missing"));
}

TEST_F(RegIniFile, ValuesComeBackUnderTheirKeysWithoutCase) {
    struct Case {
        const char* Section;
        const char* Ident;
        std::string Value;
        const char* ReadSection;
        const char* ReadIdent;
        const char* StoredUnder;  // below HKEY_CURRENT_USER
    };
    const Case cases[] = {
        {"Edits", "Edit1", "text", "EDITS", "edit1", "Software\\Halcyra\\Edits"},
        {"", "Edit2", "on the key itself", "", "EDIT2", "Software\\Halcyra"},
        {"Deep\\Er", "Edit3", "two levels", "deep\\er", "Edit3", "Software\\Halcyra\\Deep\\Er"},
        {"\\Software\\Other", "Edit4", "absolute", "\\software\\other", "Edit4", "Software\\Other"},
        {"Edits", "Odd", "tab\there, line\nbreak, back\\slash", "Edits", "Odd", "Software\\Halcyra\\Edits"},
        {"Edits", "Long", std::string(100000, 'x'), "Edits", "LONG", "Software\\Halcyra\\Edits"},
        {"Edits", "Empty", "", "Edits", "Empty", "Software\\Halcyra\\Edits"},
    };
    for (const Case& c : cases) TRegIniFile("Software\\Halcyra").WriteString(c.Section, c.Ident, c.Value);
    TRegIniFile registry("SOFTWARE\\HALCYRA");
    for (const Case& c : cases) {
        EXPECT_EQ(registry.ReadString(c.ReadSection, c.ReadIdent, "@"), c.Value) << c.Ident;
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, c.StoredUnder, 0, KEY_READ, &key), ERROR_SUCCESS) << c.Ident;
        DWORD type = 0;
        DWORD size = 0;
        EXPECT_EQ(RegQueryValueExA(key, c.Ident, nullptr, &type, nullptr, &size), ERROR_SUCCESS) << c.Ident;
        EXPECT_EQ(type, REG_SZ);
        EXPECT_EQ(size, c.Value.size() + 1);
        RegCloseKey(key);
    }
    EXPECT_EQ(TRegIniFile("Software\\Other").ReadString("", "Edit4", "@"), "absolute");
}

TEST_F(RegIniFile, AValueThatIsNoStringRaises) {
    TRegIniFile registry("Software\\Halcyra");
    registry.WriteString("Edits", "Edit1", "text");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Halcyra\\Edits", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const DWORD count = 7;
    ASSERT_EQ(RegSetValueExA(key, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof count),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "Path", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>("%HOME%"), 7), ERROR_SUCCESS);
    RegCloseKey(key);
    try {
        registry.ReadString("Edits", "count", "@");
        ADD_FAILURE() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "The registry value count is not a string");
    }
    EXPECT_EQ(registry.ReadString("Edits", "Path", "@"), "%HOME%");
    EXPECT_EQ(registry.ReadString("Edits", "Edit1", "@"), "text");
}

TEST_F(RegIniFile, AStoreThatCannotBeWrittenRaises) {
    TRegIniFile registry("Software\\Halcyra");
    try {
        registry.WriteString("Bad\tName", "Edit1", "v");
        ADD_FAILURE() << "no exception for a key name with a tab";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Cannot create the registry key Software\\Halcyra\\Bad\tName");
    }
    SetRegistryFolderForTest(folder_ + "/file");
    SetContents(folder_ + "/file", "a file where the folder should be");
    EXPECT_THROW(TRegIniFile("Software\\Elsewhere"), ERegistryException);
    try {
        registry.WriteString("", "Edit1", "v");
        ADD_FAILURE() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Cannot store the registry value Edit1");
    }
}

TEST_F(RegIniFile, IntegersAreDwordValuesAndTextThatSpellsOneReadsAsIt) {
    TRegistryIniFile registry("Software\\Halcyra\\Numbers");
    registry.WriteInteger("Widths", "Col0", 150);
    registry.WriteInteger("Widths", "Col1", -7);
    registry.WriteString("Widths", "Text", "42");
    registry.WriteString("Widths", "Hex", "$1F");
    registry.WriteString("Widths", "Word", "wide");
    HKEY section = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Halcyra\\Numbers\\Widths", 0, KEY_READ, &section),
              ERROR_SUCCESS);
    const BYTE bytes[] = {1, 2, 3};
    RegSetValueExA(section, "Binary", 0, REG_BINARY, bytes, sizeof(bytes));
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof(value);
    ASSERT_EQ(RegQueryValueExA(section, "Col0", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(value, 150u);
    RegCloseKey(section);

    struct Case {
        const char* Section;
        const char* Ident;
        Integer Expected;
    };
    const Case cases[] = {{"Widths", "Col0", 150}, {"Widths", "Col1", -7}, {"Widths", "Text", 42},
                          {"Widths", "Hex", 31},   {"Widths", "Word", -1}, {"Widths", "Binary", -1},
                          {"Widths", "None", -1},  {"Missing", "Col0", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Ident);
        EXPECT_EQ(registry.ReadInteger(c.Section, c.Ident, -1), c.Expected);
    }
    EXPECT_EQ(registry.ReadString("Widths", "Text", ""), "42");
}

TEST_F(RegIniFile, WritesAreHeldUntilUpdateFileAndTheStoreIsWrittenOnce) {
    const std::string store = folder_ + "/registry";
    {
        TRegistryIniFile registry("Software\\Halcyra\\Held");
        const std::string before = Contents(store);
        for (Integer i = 0; i < 50; ++i) registry.WriteInteger("Widths", "Col" + std::to_string(i), i);
        EXPECT_EQ(Contents(store), before);
        // Held writes read back, through this object and any other.
        EXPECT_EQ(registry.ReadInteger("Widths", "Col7", -1), 7);
        EXPECT_EQ(TRegistryIniFile("Software\\Halcyra\\Held").ReadInteger("Widths", "Col7", -1), 7);
        registry.UpdateFile();
        EXPECT_NE(Contents(store).find("Col49\tREG_DWORD\t31000000"), std::string::npos);
        registry.WriteInteger("Widths", "Late", 5);
    }
    // The object's end writes what it still holds.
    EXPECT_EQ(TRegistryIniFile("Software\\Halcyra\\Held").ReadInteger("Widths", "Late", 0), 5);
}

TEST_F(RegIniFile, HeldRewritesOfEveryLengthReadBackTheLastValue) {
    struct Write {
        const char* Section;
        const char* Ident;
        const char* Value;
    };
    // Same length, longer, shorter, a new key between, and names differing only in case.
    const Write writes[] = {{"A", "One", "1"},   {"A", "Two", "22"},   {"A", "One", "3"},
                            {"B", "One", "new"}, {"A", "Two", "4444"}, {"A", "Three", "5"},
                            {"A", "TWO", "6"},   {"B", "one", "7"},    {"A", "One", "88"}};
    struct Read {
        const char* Section;
        const char* Ident;
        const char* Expected;
    };
    const Read reads[] = {
        {"A", "One", "88"}, {"A", "Two", "6"}, {"A", "Three", "5"}, {"B", "One", "7"}, {"B", "Two", "@"}};
    TRegistryIniFile registry("Software\\Halcyra\\Rewrites");
    for (const Write& w : writes) {
        registry.WriteString(w.Section, w.Ident, w.Value);
        EXPECT_EQ(registry.ReadString(w.Section, w.Ident, "@"), w.Value) << w.Section << "\\" << w.Ident;
    }
    for (const Read& r : reads) EXPECT_EQ(registry.ReadString(r.Section, r.Ident, "@"), r.Expected) << r.Ident;
    registry.UpdateFile();
    TRegistryIniFile again("Software\\Halcyra\\Rewrites");
    for (const Read& r : reads) EXPECT_EQ(again.ReadString(r.Section, r.Ident, "@"), r.Expected) << r.Ident;
}

}  // namespace

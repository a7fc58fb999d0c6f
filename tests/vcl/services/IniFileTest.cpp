// INI files in a temporary folder: what reads find, the bytes a write leaves, values that come back as
// written, text that cannot be stored, files that cannot be written and names without a folder.
#include <sys/stat.h>

#include <string>
#include <vector>

#include "support/RegistryFolderFixture.h"
#include "vcl/IniFiles.h"

namespace {

class IniFile : public RegistryFolderFixture {
protected:
    std::string File() const { return folder_ + "/test.ini"; }
};

TEST_F(IniFile, ReadsFindNamesWithoutCaseAndValuesTrimmedAndUnquoted) {
    struct Case {
        std::string Text;
        const char* Section;
        const char* Ident;
        std::string Expected;
    };
    const std::string longValue(100000, 'v');
    const Case cases[] = {
        {"[Edits]\r\nEdit1=hello\r\n", "edits", "EDIT1", "hello"},
        {"[Edits]\nEdit1 =   spaced value \t \n", "Edits", "Edit1", "spaced value"},
        {"  [ Edits ]  trailing\nEdit1=x", " Edits ", " Edit1 ", "x"},
        {"[Edits]\nEdit1=\"quoted  \"\n", "Edits", "Edit1", "quoted  "},
        {"[Edits]\nEdit1='single'\n", "Edits", "Edit1", "single"},
        {"[Edits]\nEdit1=\"\"twice\"\"\n", "Edits", "Edit1", "\"twice\""},
        {"[Edits]\nEdit1=\"mismatched'\n", "Edits", "Edit1", "\"mismatched'"},
        {"[Edits]\nEdit1=\n", "Edits", "Edit1", ""},
        {"[Edits]\nEdit1=a=b\n", "Edits", "Edit1", "a=b"},
        {"[Edits]\r\nEdit1=line\r\r\n", "Edits", "Edit1", "line"},
        {"[Edits]\nEdit1=" + longValue + "\n", "Edits", "Edit1", longValue},
        {"[\xC9"
         "dits]\n\xC9"
         "dit=accents\n",
         "\xE9"
         "DITS",
         "\xE9"
         "dit",
         "accents"},
        {"[]\nEdit1=empty section\n", "", "Edit1", "empty section"},
        {"[Edits]\nEdit1=first\n[Edits]\nEdit1=second\n", "Edits", "Edit1", "first"},
        {"[Edits]\nEdit2=x\n[Edits]\nEdit1=second\n", "Edits", "Edit1", "(default)"},
        {"[Other]\nEdit1=x\n", "Edits", "Edit1", "(default)"},
        {"Edit1=before any section\n[Edits]\n", "Edits", "Edit1", "(default)"},
        {"[Edits]\n[Next]\nEdit1=x\n", "Edits", "Edit1", "(default)"},
        {"[Edits\nEdit1=x\n", "Edits", "Edit1", "(default)"},
        {"[Edits]\nEdit1 no equals sign\n", "Edits", "Edit1", "(default)"},
        {"", "Edits", "Edit1", "(default)"},
    };
    for (const Case& c : cases) {
        SetContents(File(), c.Text);
        TIniFile ini(File());
        EXPECT_EQ(ini.ReadString(c.Section, c.Ident, "(default)"), c.Expected) << c.Text.substr(0, 60);
        TMemIniFile memory(File());
        EXPECT_EQ(memory.ReadString(c.Section, c.Ident, "(default)"), c.Expected) << "memory: " << c.Text.substr(0, 60);
    }
    TIniFile missing(folder_ + "/missing.ini");
    EXPECT_EQ(missing.ReadString("Edits", "Edit1", "(default)"), "(default)");
    EXPECT_FALSE(std::filesystem::exists(folder_ + "/missing.ini")) << "reading writes nothing";
}

TEST_F(IniFile, AWriteChangesOneLineAndKeepsEveryOtherByte) {
    struct Case {
        std::string Before;
        const char* Section;
        const char* Ident;
        const char* Value;
        std::string After;
    };
    const Case cases[] = {
        {"", "Edits", "Edit1", "v", "[Edits]\r\nEdit1=v\r\n"},
        {"; notes\n[Edits]\n  EDIT1 = old \nEdit2=keep\n", "edits", "Edit1", "new",
         "; notes\n[Edits]\nEdit1=new\r\nEdit2=keep\n"},
        {"[A]\nx=1\n\n[B]\ny=2\n", "A", "z", "3", "[A]\nx=1\nz=3\r\n\n[B]\ny=2\n"},
        {"[A]\n[B]\n", "A", "k", "v", "[A]\nk=v\r\n[B]\n"},
        {"[A]\nx=1", "A", "y", "2", "[A]\nx=1\r\ny=2\r\n"},
        {"[A]\nx=1", "A", "x", "2", "[A]\nx=2\r\n"},
        {"[A]\nx=1", "B", "y", "2", "[A]\nx=1\r\n[B]\r\ny=2\r\n"},
        {"[A]\r\n", "", "k", "v", "[A]\r\n[]\r\nk=v\r\n"},
        {"[A]\nx=1\n[A]\ny=2\n", "A", "y", "3", "[A]\nx=1\ny=3\r\n[A]\ny=2\n"},
        {"[A]\r\nx=1\r\n\xFF\x01 odd bytes\tkept \r\r\n", "A", "x", "2",
         "[A]\r\nx=2\r\n\xFF\x01 odd bytes\tkept \r\r\n"},
        {"", "A", "k", " padded ", "[A]\r\nk=\" padded \"\r\n"},
        {"", "A", "k", "'quoted'", "[A]\r\nk=\"'quoted'\"\r\n"},
        {"", " A ", " k ", "a \"middle\" quote", "[A]\r\nk=a \"middle\" quote\r\n"},
    };
    for (const Case& c : cases) {
        SetContents(File(), c.Before);
        TIniFile(File()).WriteString(c.Section, c.Ident, c.Value);
        EXPECT_EQ(Contents(File()), c.After) << c.Before;
        SetContents(File(), c.Before);
        TMemIniFile memory(File());
        memory.WriteString(c.Section, c.Ident, c.Value);
        memory.UpdateFile();
        EXPECT_EQ(Contents(File()), c.After) << "memory: " << c.Before;
    }
    EXPECT_EQ(FileCount(), 1u) << "no temporary file stays behind";
}

TEST_F(IniFile, ValuesReadBackAsWritten) {
    const std::string values[] = {"",
                                  "plain",
                                  " leading",
                                  "trailing\t",
                                  "  ",
                                  "\"quoted\"",
                                  "'single'",
                                  "\"",
                                  "a\"b",
                                  "'mixed\"",
                                  "\"\"",
                                  "tab\tinside",
                                  "=",
                                  "[not a section]",
                                  std::string("zero\0inside", 11),
                                  std::string(100000, 'x')};
    TIniFile ini(File());
    for (const std::string& value : values) {
        ini.WriteString("Section", "Ident", value);
        EXPECT_EQ(ini.ReadString("Section", "Ident", "(default)"), value) << value.substr(0, 40);
    }
    ini.WriteString("Section", "Other", "stays");
    EXPECT_EQ(ini.ReadString("Section", "Other", ""), "stays");
    EXPECT_EQ(ini.ReadString("Section", "Ident", ""), values[std::size(values) - 1]);
}

TEST_F(IniFile, TextThatWouldBreakTheFileRaisesAndLeavesItAlone) {
    struct Case {
        const char* Section;
        const char* Ident;
        const char* Value;
        const char* Reason;
    };
    const Case cases[] = {
        {"A", "k", "two\nlines", "a value cannot hold a line break"},
        {"A", "k", "carriage\rreturn", "a value cannot hold a line break"},
        {"A]B", "k", "v", "a section name cannot hold ']' or a line break"},
        {"A\nB", "k", "v", "a section name cannot hold ']' or a line break"},
        {"A", "k=v", "v", "a key name cannot hold '=' or a line break, nor begin with '['"},
        {"A", "[k]", "v", "a key name cannot hold '=' or a line break, nor begin with '['"},
        {"A", "k\rk", "v", "a key name cannot hold '=' or a line break, nor begin with '['"},
    };
    const std::string before = "[A]\nk=old\n";
    for (const Case& c : cases) {
        SetContents(File(), before);
        try {
            TIniFile(File()).WriteString(c.Section, c.Ident, c.Value);
            ADD_FAILURE() << "no exception for " << c.Value;
        } catch (const EIniFileException& e) {
            EXPECT_EQ(e.Message(), "Unable to write to " + File() + ": " + c.Reason);
        }
        EXPECT_EQ(Contents(File()), before);
    }
}

TEST_F(IniFile, AFileThatCannotBeWrittenRaisesUnableToWrite) {
    SetContents(folder_ + "/plain", "a file, not a folder");
    std::filesystem::create_directory(folder_ + "/folder.ini");
    const std::string names[] = {folder_ + "/missing/test.ini", folder_ + "/plain/test.ini", folder_ + "/folder.ini"};
    for (const std::string& name : names) {
        TIniFile ini(name);
        try {
            ini.WriteString("A", "k", "v");
            ADD_FAILURE() << "no exception for " << name;
        } catch (const EIniFileException& e) {
            EXPECT_EQ(e.Message(), "Unable to write to " + name);
        }
        EXPECT_EQ(ini.ReadString("A", "k", "(default)"), "(default)") << name;
    }
    EXPECT_EQ(Contents(folder_ + "/plain"), "a file, not a folder");
    EXPECT_FALSE(std::filesystem::exists(folder_ + "/missing"));
}

TEST_F(IniFile, NamesWithoutAFolderLieInTheConfigurationFolder) {
    const std::string configuration = folder_ + "/not yet made";
    SetRegistryFolderForTest(configuration);
    struct Case {
        const char* Name;
        std::string Path;
    };
    const Case cases[] = {
        {"plain.ini", configuration + "/plain.ini"},
        {"sub/deeper.ini", configuration + "/sub/deeper.ini"},
        {"./dotted/../undotted.ini", configuration + "/undotted.ini"},
    };
    for (const Case& c : cases) {
        TIniFile(c.Name).WriteString("Edits", "Edit1", c.Name);
        EXPECT_EQ(Contents(c.Path), std::string("[Edits]\r\nEdit1=") + c.Name + "\r\n") << c.Name;
        EXPECT_EQ(TIniFile(c.Name).ReadString("edits", "edit1", ""), c.Name);
        EXPECT_EQ(TIniFile(c.Name).FileName(), c.Name);
    }
}

TEST_F(IniFile, AReplacedFileKeepsItsPermissionsAndItsLink) {
    SetContents(File(), "[A]\nk=1\n");
    ::chmod(File().c_str(), 0640);
    std::filesystem::create_symlink(File(), folder_ + "/link.ini");
    TIniFile(folder_ + "/link.ini").WriteString("A", "k", "2");
    EXPECT_TRUE(std::filesystem::is_symlink(folder_ + "/link.ini"));
    EXPECT_EQ(Contents(File()), "[A]\nk=2\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(File().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(FileCount(), 2u) << "no temporary file stays behind";
}

// Each write after others, into sections read before and not, new ones, duplicates and a last line
// without end: the memory file's bytes and reads match a file written through at every step.
TEST_F(IniFile, AMemoryFileLeavesTheBytesOfTheSameWritesOneByOne) {
    struct Write {
        const char* Section;
        const char* Ident;
        const char* Value;
    };
    struct Case {
        std::string Before;
        std::vector<Write> Writes;
    };
    const Case cases[] = {
        {"[A]\nx=1\n\n[B]\ny=2\n[A]\nz=dup\n; end",
         {{"B", "y", "3"},
          {"A", "z", "4"},
          {"b", "w", "5"},
          {"C", "c", "6"},
          {"A", "x", "7"},
          {"C", "d", "8"},
          {"a", "Z", "9"},
          {"B", "Y", "10"}}},
        {"k=before any section\n[A]\nk=1", {{"A", "k2", "2"}, {"A", "k", "3"}, {"A", "k3", "4"}, {"", "k", "5"}}},
        {"[A]\nx=1", {{"B", "y", "2"}, {"A", "z", "3"}, {"B", "y", "4"}}},
        {"[A]\n[B]\n[A]\nx=dup\n", {{"A", "x", "1"}, {"B", "x", "2"}, {"A", "y", "3"}, {"A", "x", "4"}}},
        {"", {{"A", "1", "a"}, {"B", "1", "b"}, {"A", "2", "c"}, {"A", "1", "d"}, {"B", "2", " e "}}},
    };
    const std::string memoryFile = folder_ + "/memory.ini";
    for (const Case& c : cases) {
        SetContents(File(), c.Before);
        SetContents(memoryFile, c.Before);
        TMemIniFile memory(memoryFile);
        EXPECT_EQ(memory.ReadString("A", "x", "(default)"), TIniFile(File()).ReadString("A", "x", "(default)"));
        for (const Write& w : c.Writes) {
            TIniFile(File()).WriteString(w.Section, w.Ident, w.Value);
            memory.WriteString(w.Section, w.Ident, w.Value);
            for (const Write& read : c.Writes)
                EXPECT_EQ(memory.ReadString(read.Section, read.Ident, "(default)"),
                          TIniFile(File()).ReadString(read.Section, read.Ident, "(default)"))
                    << c.Before << " after " << w.Section << "/" << w.Ident;
        }
        memory.UpdateFile();
        EXPECT_EQ(Contents(memoryFile), Contents(File())) << c.Before;
    }
}

TEST_F(IniFile, AMemoryFileWritesOnlyAtUpdateFileAndReadsItsOwnWrites) {
    SetContents(File(), "; kept\r\n[A]\r\nk=old\r\n");
    TMemIniFile ini(File());
    ini.WriteString("A", "k", "new");
    ini.WriteInteger("B", "n", 42);
    EXPECT_EQ(ini.ReadString("A", "k", ""), "new");
    EXPECT_EQ(ini.ReadInteger("B", "n", 0), 42);
    EXPECT_EQ(Contents(File()), "; kept\r\n[A]\r\nk=old\r\n");
    EXPECT_THROW(ini.WriteString("A", "bad", "line\nbreak"), EIniFileException);
    ini.UpdateFile();
    EXPECT_EQ(Contents(File()), "; kept\r\n[A]\r\nk=new\r\n[B]\r\nn=42\r\n");

    std::filesystem::create_directory(folder_ + "/folder.ini");
    TMemIniFile unreadable(folder_ + "/folder.ini");
    unreadable.WriteString("A", "k", "v");
    try {
        unreadable.UpdateFile();
        ADD_FAILURE() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + folder_ + "/folder.ini");
    }
}

}  // namespace

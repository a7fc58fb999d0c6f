// Text files as the runtime reads them with I/O checking off.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "vcl/SysUtils.h"
#include "support/TempPath.h"

namespace {

std::string TempPath(const std::string& Name) { return ProcessTempPath(Name); }

void WriteBytes(const std::string& Path, const std::string& Bytes) { std::ofstream(Path, std::ios::binary) << Bytes; }

// Every line of the file, read until Eof; the IOResult of each step must be 0.
std::vector<AnsiString> ReadLines(const AnsiString& Name) {
    TextFile file;
    AssignFile(file, Name);
    Reset(file);
    EXPECT_EQ(IOResult(), 0);
    std::vector<AnsiString> lines;
    while (!Eof(file)) {
        AnsiString line;
        ReadLn(file, line);
        lines.push_back(line);
    }
    CloseFile(file);
    EXPECT_EQ(IOResult(), 0);
    return lines;
}

}  // namespace

TEST(TextFile, LinesEndAtCrLfOrCrLfAndCtrlZEndsTheText) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<AnsiString> lines;
    };
    const std::string longLine(200000, 'x');  // longer than a read buffer
    const Case cases[] = {
        {"empty", "", {}},
        {"every end", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"last line with its end", "a\n", {"a"}},
        {"empty lines", "\n\r\n\r", {"", "", ""}},
        {"CR then LF is one end", "a\r\n\nb", {"a", "", "b"}},
        {"LF then CR is two", "a\n\rb", {"a", "", "b"}},
        {"Ctrl-Z ends the text",
         "a\nb\x1A"
         "c\nd",
         {"a", "b"}},
        {"Ctrl-Z at a line's start",
         "a\n\x1A"
         "b",
         {"a"}},
        {"bytes unchanged, BOM kept",
         "\xEF\xBB\xBF"
         "caf\xC3\xA9\t\x01\n\xFF",
         {"\xEF\xBB\xBF"
          "caf\xC3\xA9\t\x01",
          "\xFF"}},
        {"NUL is a byte", std::string("a\0b", 3), {std::string("a\0b", 3)}},
        {"a line past the buffer", longLine + "\r\n" + longLine, {longLine, longLine}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = TempPath("textfile.txt");
        WriteBytes(path, c.bytes);
        EXPECT_EQ(ReadLines(path), c.lines);
    }
}

TEST(TextFile, ACrLfSplitByTheBufferIsOneEnd) {
    for (std::size_t before : {65535u, 65536u, 131071u}) {
        const std::string head(before, 'h');
        const std::string path = TempPath("split.txt");
        WriteBytes(path, head + "\r\nnext");
        EXPECT_EQ(ReadLines(path), (std::vector<AnsiString>{head, "next"})) << before;
    }
}

TEST(TextFile, NamesAreWindows1252OnAUtf8FileSystem) {
    WriteBytes(TempPath("caf\xC3\xA9.txt"), "line");
    EXPECT_EQ(ReadLines(TempPath("caf\xE9.txt")), std::vector<AnsiString>{"line"});
}

TEST(TextFile, FailuresLeaveTheirCodeForIOResultOnce) {
    const std::string dir = TempPath("textfile_dir");
    std::filesystem::create_directories(dir);
    struct Case {
        const char* name;
        AnsiString file;
        Integer code;
    };
    const Case cases[] = {
        {"missing", TempPath("no_such_file.txt"), 2},
        {"in a missing folder", TempPath("no_such_dir/x.txt"), 2},
        {"below a file", TempPath("textfile.txt/x"), 3},
        {"a folder", dir, 5},
        {"no name", "", 2},
    };
    WriteBytes(TempPath("textfile.txt"), "x");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextFile file;
        AssignFile(file, c.file);
        Reset(file);
        EXPECT_EQ(IOResult(), c.code);
        EXPECT_EQ(IOResult(), 0) << "asking clears it";
        AnsiString line = "kept?";
        ReadLn(file, line);
        EXPECT_EQ(line, "");
        EXPECT_EQ(IOResult(), 103) << "not open";
        EXPECT_TRUE(Eof(file));
        EXPECT_EQ(IOResult(), 103);
        CloseFile(file);
        EXPECT_EQ(IOResult(), 103);
    }
}

TEST(TextFile, ResetReadsFromTheStartAgain) {
    const std::string path = TempPath("again.txt");
    WriteBytes(path, "one\ntwo\n");
    TextFile file;
    AssignFile(file, path);
    Reset(file);
    AnsiString line;
    ReadLn(file, line);
    Reset(file);
    ReadLn(file, line);
    EXPECT_EQ(line, "one");
    ReadLn(file, line);
    EXPECT_EQ(line, "two");
    EXPECT_TRUE(Eof(file));
    ReadLn(file, line);
    EXPECT_EQ(line, "") << "past the end";
    EXPECT_EQ(IOResult(), 0);
}

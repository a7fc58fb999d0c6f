// Settings texts loaded into an item table, looked up, and written back row by row.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "superar.h"

using namespace superar;

namespace {

std::unique_ptr<ArrayOfFiles> TableWith(const AnsiString& Text, Byte ParamMode = 0) {
    auto table = std::make_unique<ArrayOfFiles>();
    InitTable(*table, 0);
    table->ParamMode = ParamMode;
    LoadTableText(*table, Text, false);
    return table;
}

AnsiString FieldOf(ArrayOfFiles& Table, Integer Row, Integer Field) {
    AnsiString text;
    GetFieldText(Table, Row, Field, text, false);
    return text;
}

// The text a row holds in a field; reading field 51 would make a name holding a slash a path part.
AnsiString Stored(const ArrayOfFiles& Table, Integer Row, Integer Field) {
    return AnsiString(Table.Rows[static_cast<std::size_t>(Row)].Texts.Text(static_cast<std::size_t>(Field)));
}

// One row as "section|name|value|kind|comment".
AnsiString Parts(const ArrayOfFiles& Table, Integer Row) {
    return Stored(Table, Row, FieldSettingSection) + "|" + Stored(Table, Row, FieldSettingName) + "|" +
           Stored(Table, Row, FieldSettingValue) + "|" + Stored(Table, Row, FieldSettingKind) + "|" +
           Stored(Table, Row, FieldSettingComment);
}

std::vector<AnsiString> AllParts(ArrayOfFiles& Table) {
    std::vector<AnsiString> rows;
    for (Integer row = 1; row <= Table.Count; ++row) rows.push_back(Parts(Table, row));
    return rows;
}

AnsiString WrittenText(ArrayOfFiles& Table) {
    AnsiString text;
    for (Integer row = 1; row <= Table.Count; ++row)
        text += (row > 1 ? "\r\n" : "") + FieldOf(Table, row, FieldSettingLine);
    return text;
}

using Rows = std::vector<AnsiString>;

TEST(TableText, LinesBecomeRowsBySectionAndName) {
    struct {
        const char* Name;
        const char* Text;
        Byte ParamMode;
        Rows Expected;
    } const cases[] = {
        {"same name twice keeps the second value", "[S]\r\na = 1\r\na = 2", 0, {"S|||[]|", "S|a|2||"}},
        {"same name in two sections",
         "[One]\r\na = 1\r\n[Two]\r\na = 1",
         0,
         {"One|||[]|", "One|a|1||", "Two|||[]|", "Two|a|1||"}},
        {"names compare without case", "[S]\r\nWidth = 1\r\nwidth = 2", 0, {"S|||[]|", "S|width|2||"}},
        {"settings before any section belong to Options",
         "a = 1\r\nb = \"x y\" // c",
         0,
         {"Options|||[]|", "Options|a|1||", "Options|b|x y||c"}},
        {"blank lines are dropped, comment lines kept",
         "[S]\r\n\r\n   \r\n// note\r\n// other",
         0,
         {"S|||[]|", "S||||note", "S||||other"}},
        {"a comment line alone still opens Options", "// note", 0, {"Options|||[]|", "Options||||note"}},
        {"multi-line value joined with CRLF",
         "a =\r\n\"\r\nfirst\r\n  second\r\n\"\r\nb = 2",
         0,
         {"Options|||[]|", "Options|a|first\r\n  second|\"\"|", "Options|b|2||"}},
        {"multi-line value that is empty", "a =\r\n\"\r\n\"", 0, {"Options|||[]|", "Options|a||\"\"|"}},
        {"name = without a quote after it", "a =\r\nb = 2", 0, {"Options|||[]|", "Options|a|||", "Options|b|2||"}},
        {"unterminated multi-line value takes the rest",
         "a =\r\n\"\r\nx = 1\r\n[T]",
         0,
         {"Options|||[]|", "Options|a|x = 1\r\n[T]|\"\"|"}},
        {"parameter mode in a data section",
         "[data]\r\n/q\r\nfile.txt\r\n/q",
         1,
         {"data|||[]|", "data||/q|b|", "data||file.txt|b|", "data||/q|b|"}},
        {"parameter mode outside a data section", "/q", 1, {"Options|||[]|", "Options|/q|||"}},
        {"data section without parameter mode", "[data]\r\n/q=1", 0, {"data|||[]|", "data|/q|1||"}},
        {"a lone line feed is no line break", "a = x\ny", 0, {"Options|||[]|", "Options|a|x\ny||"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto table = TableWith(c.Text, c.ParamMode);
        EXPECT_EQ(AllParts(*table), c.Expected);
    }
}

TEST(TableText, TextFedLineByLineLoadsAsTheWholeText) {
    const AnsiString lines[] = {"[S]", "a =", "\"", "one", "two", "\"", "b = 3 // c"};
    auto whole = TableWith("[S]\r\na =\r\n\"\r\none\r\ntwo\r\n\"\r\nb = 3 // c");
    auto byLine = std::make_unique<ArrayOfFiles>();
    InitTable(*byLine, 0);
    for (const AnsiString& line : lines) LoadTableText(*byLine, line, false);
    EXPECT_EQ(AllParts(*byLine), AllParts(*whole));
}

TEST(TableText, RowsCarryLowerCaseKeysLineTextAndSectionRow) {
    auto table = TableWith("[Main]\r\nWidth = ABC // c");
    EXPECT_EQ(FieldOf(*table, 2, FieldData), "width");
    EXPECT_EQ(FieldOf(*table, 2, FieldSettingValueLower), "abc");
    EXPECT_EQ(FieldOf(*table, 2, FieldSettingLineText), "Width = ABC // c");
    EXPECT_EQ(FieldOf(*table, 2, FieldSettingSectionLower), "main");
    EXPECT_EQ(FieldOf(*table, 2, FieldSettingSectionRow), "1");
    EXPECT_EQ(FieldOf(*table, 1, FieldSettingSectionRow), "1");
    EXPECT_EQ(FieldOf(*table, 1, 99), "a");
    EXPECT_EQ(FieldOf(*table, 2, 99), "b");
}

TEST(TableText, ClearTableEndsAnOpenMultiLineValue) {
    auto table = TableWith("a =\r\n\"\r\nx");
    ClearTable(*table);
    LoadTableText(*table, "b = 1", false);
    EXPECT_EQ(AllParts(*table), (Rows{"Options|||[]|", "Options|b|1||"}));
}

TEST(TableText, FindsSettingsAndSectionsByNameAndSection) {
    auto table = TableWith("[One]\r\na = 1\r\n[Two]\r\na = 2\r\nb = 3");
    struct {
        const char* Name;
        const char* Section;
        Integer Row;
    } const cases[] = {
        {"a", "", 2}, {"A", "two", 4}, {"b", "One", 0}, {"b", "", 5}, {"", "TWO", 3}, {"", "", 0}, {"c", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Name) + " in " + c.Section);
        EXPECT_EQ(FindSettingRow(*table, c.Name, c.Section), c.Row);
    }
    bool found = false;
    EXPECT_EQ(FindSectionRow(*table, "two", found), 3);
    EXPECT_TRUE(found);
    EXPECT_EQ(FindSectionRow(*table, "three", found), 0);
    EXPECT_FALSE(found);
}

TEST(TableText, RowIsWrittenBackAsOneLine) {
    struct {
        const char* Name;
        const char* Text;
        Byte ParamMode;
        const char* Line;  // of the last row
    } const cases[] = {
        {"value with a blank is quoted", "a = x y", 0, "a=\"x y\""},
        {"plain value", "a = xy", 0, "a=xy"},
        {"comment after the value", "a = 1   //   c", 0, "a=1 //   c"},
        {"comment alone", "//c", 0, "// c"},
        {"section with comment", "[ S ] // c", 0, "[S] // c"},
        {"name holding a line break keeps it within its line", "\"a\r\"\nb\" = 1", 0, "a\r\"\nb=1"},
        {"section holding blank and two slashes", "[a [//b] // c", 0, "[a /]/b] // c"},
        {"multi-line value", "a = // c\r\n\"\r\nx\r\ny\r\n\"", 0, "a= // c\r\n\"\r\nx\r\ny\r\n\""},
        {"empty value keeps its quotes", "a = \"\"", 0, "a=\"\""},
        {"quoted quotes stay quoted", "a = \"\"x\"\"", 0, "a=\"\"x\"\""},
        {"bare value", "[data]\r\n/x=5", 1, "/x=5"},
        {"bare value with blanks at its ends", "[data]\r\n\" x \"", 1, "\" x \""},
        {"bare value with a blank inside", "[data]\r\na b", 1, "a b"},
        {"bare value that looks like a section", "[data]\r\n\"[x]\"", 1, "\"[x]\""},
        {"name holding a slash is written as stored", "/q = 1", 0, "/q=1"},
        {"name holding two slashes keeps them from starting a comment", "\"//\"x = 1", 0, "/\"/x=1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto table = TableWith(c.Text, c.ParamMode);
        EXPECT_EQ(FieldOf(*table, 0, FieldSettingLine), c.Line);
    }
}

TEST(TableText, WrittenRowsLoadBackToTheSameContent) {
    struct {
        const char* Name;
        const char* Text;
        Byte ParamMode;
    } const cases[] = {
        {"sections, comments, quotes",
         "x = 0\r\n[One] // first\r\na = 1 // c\r\nb = \" padded \"\r\n//  note\r\n"
         "[Two]\r\na = \"\"\r\nc = \"\"q\"\"\r\nd = end]",
         0},
        {"repeated section keeps its place", "[One]\r\na = 1\r\n[Two]\r\nb = 2\r\n[One]\r\nc = 3", 0},
        {"multi-line values", "a =\r\n\"\r\n\r\n  indented\r\n\"\r\nb = // c\r\n\"\r\n\"\r\nc =\r\nd = 1", 0},
        {"bare values", "[data]\r\n/q\r\n\" lead\"\r\n\"//x\"\r\n\r\n// c\r\n[other]\r\n/q = 1", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto first = TableWith(c.Text, c.ParamMode);
        const AnsiString written = WrittenText(*first);
        auto second = TableWith(written, c.ParamMode);
        EXPECT_EQ(AllParts(*second), AllParts(*first)) << written;
        EXPECT_EQ(WrittenText(*second), written);
    }
}

}  // namespace

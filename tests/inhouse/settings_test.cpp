// Setting lines split into their parts, and the condition test with its operators.
#include <gtest/gtest.h>

#include "valstr.h"

using namespace valstr;

namespace {

struct ParsedLine {
    bool Result;
    AnsiString Name;
    AnsiString Value;
    AnsiString Section;
    AnsiString Comment;
    AnsiString Kind;
    bool EmptyComment;
};

ParsedLine Parse(const AnsiString& Line, bool ParamMode) {
    ParsedLine parsed{};
    parsed.Result = ParseSettingLine(Line, parsed.Name, parsed.Value, ParamMode, parsed.EmptyComment, parsed.Section,
                                     parsed.Comment, parsed.Kind);
    return parsed;
}

struct LineCase {
    const char* Line;
    bool ParamMode;
    bool Result;
    const char* Name;
    const char* Value;
    const char* Section;
    const char* Comment;
    const char* Kind;
};

TEST(SettingLine, SplitsNameValueSectionCommentAndKind) {
    const LineCase cases[] = {
        {"width = 250 // pixels", false, true, "width", "250", "", "pixels", ""},
        {"title = \"a b\"", false, true, "title", "a b", "", "", ""},
        {"[Options]", false, true, "", "", "Options", "", "[]"},
        {"  [ Main ]  ", false, true, "", "", "Main", "", "[]"},
        {"[One] // first", false, true, "", "", "One", "first", "[]"},
        {"notes =", false, true, "notes", "", "", "", "\"\""},
        {"// just a note", false, true, "", "", "", "just a note", ""},
        {"//", false, false, "", "", "", "", ""},
        {"", false, false, "", "", "", "", ""},
        {"   \t ", false, false, "", "", "", "", ""},
        {"a=b=c", false, true, "a", "b=c", "", "", ""},
        {"x = \"quoted // part\" // tail", false, true, "x", "\"quoted", "", "part\" // tail", ""},
        {"q = \"kept\" // note", false, true, "q", "kept", "", "note", ""},
        {"url = http://example.org/x", false, true, "url", "http://example.org/x", "", "", ""},
        {"\"na\"me\" = 1", false, true, "name", "1", "", "", ""},
        {"lone = \"", false, true, "lone", "\"", "", "", ""},
        {"empty = \"\"", false, true, "empty", "", "", "", ""},
        {"= 5", false, false, "", "", "", "", ""},
        {"bare", false, true, "bare", "", "", "", ""},
        {"/x=5", true, true, "", "/x=5", "", "", "b"},
        {"file.txt", true, true, "", "file.txt", "", "", "b"},
        {"\" padded \"", true, true, "", " padded ", "", "", "b"},
        {"[data]", true, true, "", "", "data", "", "[]"},
        {"", true, true, "", "", "", "", "b"},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(std::string(c.Line) + (c.ParamMode ? " (parameter mode)" : ""));
        const ParsedLine parsed = Parse(c.Line, c.ParamMode);
        EXPECT_EQ(parsed.Result, c.Result);
        EXPECT_EQ(parsed.Name, c.Name);
        EXPECT_EQ(parsed.Value, c.Value);
        EXPECT_EQ(parsed.Section, c.Section);
        EXPECT_EQ(parsed.Comment, c.Comment);
        EXPECT_EQ(parsed.Kind, c.Kind);
    }
}

TEST(SettingLine, EmptyCommentIsSetOnlyWhenAMarkerHoldsNothing) {
    EXPECT_TRUE(Parse("a = 1 //   ", false).EmptyComment);
    EXPECT_TRUE(Parse("//", false).EmptyComment);
    EXPECT_FALSE(Parse("a = 1 // c", false).EmptyComment);
    EXPECT_FALSE(Parse("a = 1", false).EmptyComment);
}

TEST(SettingLine, OutputsOfAnEarlierLineAreCleared) {
    ParsedLine parsed{};
    ParseSettingLine("[S] // c", parsed.Name, parsed.Value, false, parsed.EmptyComment, parsed.Section, parsed.Comment,
                     parsed.Kind);
    parsed.Name = "stale";
    parsed.Value = "stale";
    EXPECT_FALSE(ParseSettingLine("", parsed.Name, parsed.Value, false, parsed.EmptyComment, parsed.Section,
                                  parsed.Comment, parsed.Kind));
    EXPECT_EQ(parsed.Name + parsed.Value + parsed.Section + parsed.Comment + parsed.Kind, "");
}

TEST(LineComment, StartsAtLeadingSlashesOrTheFirstBlankSlashes) {
    struct {
        const char* Line;
        Integer Position;
        const char* Comment;
    } const cases[] = {
        {"// note", 1, "note"},
        {"//note", 1, "note"},
        {"//  two", 1, " two"},
        {"a = 1 // c // d", 6, "c // d"},
        {"a = http://x", 0, ""},
        {"a //", 2, ""},
        {"", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        AnsiString comment = "stale";
        EXPECT_EQ(FindLineComment(c.Line, comment), c.Position);
        EXPECT_EQ(comment, c.Comment);
    }
}

TEST(CompareOperator, LeadingOperatorIsRemovedAndItsCodeGiven) {
    struct {
        const char* Text;
        Integer Code;
        const char* Rest;
    } const cases[] = {
        {"<>5", OpNotEqual, "5"},
        {">=10", OpGreaterOrEqual, "10"},
        {"=>10", OpGreaterOrEqual, "10"},
        {"<=1", OpSmallerOrEqual, "1"},
        {"=<1", OpSmallerOrEqual, "1"},
        {">2", OpGreater, "2"},
        {"<2", OpSmaller, "2"},
        {"=x", OpEqual, "x"},
        {"x", OpEqual, "x"},
        {"", OpEqual, ""},
        {">>", OpGreater, ">"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        AnsiString text = c.Text;
        EXPECT_EQ(ParseCompareOperator(text), c.Code);
        EXPECT_EQ(text, c.Rest);
    }
}

TEST(CompareOperator, ConditionHoldsAsTheOperatorSays) {
    struct {
        const char* A;
        const char* Op;
        const char* B;
        bool Holds;
    } const cases[] = {
        {"10", ">=", "9", true},   {"9", ">=", "10", false}, {"-3", "<", "2", true},      {"2", "<", "-3", false},
        {"abc", "=", "ABC", true}, {"abc", "", "ABC", true}, {"abc", "<>", "ABC", false}, {"a", "<>", "b", true},
        {"5", "=>", "5", true},    {"5", "<=", "5", true},   {"5", "=<", "4", false},     {"5", ">", "5", false},
        {"4", "<", "5", true},     {"5", "?", "5", true},    {"5", "?", "6", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.A) + " " + c.Op + " " + c.B);
        EXPECT_EQ(CompareWithOperator(c.A, c.Op, c.B), c.Holds);
    }
}

TEST(CompareOperator, InvertedCodeHoldsWithTheOperandsExchanged) {
    const std::pair<Integer, Integer> cases[] = {{1, 1}, {2, 3}, {3, 2}, {4, 4}, {5, 6}, {6, 5}, {7, 7}, {0, 0}};
    for (const auto& [code, inverted] : cases) EXPECT_EQ(InvertCompareCode(code), inverted) << code;
}

}  // namespace

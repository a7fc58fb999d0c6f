#include <string>

#include <gtest/gtest.h>

#include "FastStrings.h"
#include "repl.h"

namespace {

// Windows-1252 letters used below.
const std::string AUml = "\xC4";  // A with diaeresis
const std::string aUml = "\xE4";  // a with diaeresis

std::string Simple(const std::string& find, const std::string& with, const std::string& text) {
    std::string s;
    repl::SimpleReplace(find, with, text, s);
    return s;
}

repl::ReplaceT Defaults() {
    repl::ReplaceT r;
    repl::InitReplace(r);
    return r;
}

std::string WithOptions(repl::ReplaceT& r, const std::string& find, const std::string& with, const std::string& text) {
    std::string s;
    repl::ReplaceWithOptions(r, find, with, text, s);
    return s;
}

Integer FastPosIn(const std::string& text, const std::string& pattern, Integer start, bool caseSensitive) {
    const auto search = caseSensitive ? FastStrings::FastPos : FastStrings::FastPosNoCase;
    return search(text.data(), pattern.data(), static_cast<Integer>(text.size()), start,
                  static_cast<Integer>(pattern.size()));
}

TEST(SimpleReplace, ReplacesEveryOccurrenceAndRepeatsUnlessTheReplacementHoldsTheFindText) {
    struct Case {
        const char* find;
        const char* with;
        std::string text;
        const char* expected;
    };
    const Case cases[] = {
        {"  ", " ", "a     b", "a b"},  // repeated passes collapse the run
        {"a", "ab", "aaa", "ababab"},   // no repetition: the replacement holds the find text
        {"", "x", "abc", "abc"},        // an empty find text changes nothing
        {"zz", "y", "abc", "abc"},      // absent
        {"a", "b", "AaA", "AbA"},       // case-sensitive
        {"ab", "", "aabbab", ""},       // repeated until the find text is gone
        {"-", "+", "a-b-c", "a+b+c"},   // one character by one character
        {"abc", "X", "abcabcab", "XXab"}, {"b", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Simple(c.find, c.with, c.text), c.expected) << c.find << " -> " << c.with << " in " << c.text;
    }
}

TEST(FastPos, FindsFromStartComparingFoldedAsciiLettersOnlyWithoutCase) {
    struct Case {
        std::string text;
        std::string pattern;
        Integer start;
        bool caseSensitive;
        Integer expected;
    };
    const Case cases[] = {
        {"abcabc", "bc", 1, true, 2},
        {"abcabc", "bc", 3, true, 5},
        {"abcabc", "bc", 6, true, 0},
        {"abcabc", "abcabc", 1, true, 1},
        {"abcabc", "abcabcd", 1, true, 0},  // longer than the text
        {"abcabc", "", 1, true, 0},
        {"abcabc", "a", 0, true, 0},  // start outside the text
        {"abcabc", "a", 7, true, 0},
        {"xaXbAB", "ab", 1, true, 0},
        {"xaXbAB", "ab", 1, false, 5},
        {"xABy", "aB", 1, false, 2},
        {"aaab", "aab", 1, false, 2},  // a failed compare resumes one byte on
        {"@", "`", 1, false, 0},       // not letters: no folding
        {"[{", "{", 1, false, 2},
        {AUml, aUml, 1, false, 0},  // only ASCII letters fold
        {"a\xFF"
         "b",
         "\xFF"
         "B",
         1, false, 2},
        {"0123456789abcdefNEEDLE", "needle", 1, false, 17},  // past whole words of the scan
        {"......n", "N", 1, false, 7},                       // in the tail after them
        {"....n....N", "n", 6, false, 10},
        {"NnN", "nnnn", 1, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FastPosIn(c.text, c.pattern, c.start, c.caseSensitive), c.expected)
            << c.pattern << " in " << c.text << " from " << c.start << (c.caseSensitive ? "" : " no case");
    }
}

TEST(FastReplace, ReplacesEveryOccurrenceInOnePass) {
    struct Case {
        std::string source;
        const char* find;
        const char* with;
        bool caseSensitive;
        const char* expected;
    };
    const Case cases[] = {
        {"Banana", "a", "", false, "Bnn"},
        {"bAnAnA", "a", "", false, "bnn"},  // A and a alike
        {"bAnAnA", "a", "", true, "bAnAnA"},
        {"aaaa", "aa", "b", true, "bb"},           // resumes after each match
        {"abab", "ab", "abab", true, "abababab"},  // one pass only
        {"xyx", "x", "<long>", true, "<long>y<long>"},
        {"abc", "", "z", true, "abc"},
        {"", "a", "b", true, ""},
        {"Hello World", "O", "0", false, "Hell0 W0rld"},
    };
    for (const Case& c : cases) {
        std::string source = c.source;
        std::string result;
        FastStrings::FastReplace(source, c.find, c.with, c.caseSensitive, result);
        EXPECT_EQ(result, c.expected) << c.find << " -> " << c.with << " in " << c.source;
    }
}

TEST(FastReplace, WritesIntoItsOwnSource) {
    std::string s = "a.b.c";
    FastStrings::FastReplace(s, ".", "::", true, s);
    EXPECT_EQ(s, "a::b::c");
}

TEST(ReplaceChar, ReplacesTheFirstMaxCountOccurrences) {
    struct Case {
        std::string s;
        Integer maxCount;
        const char* expected;
    };
    const Case cases[] = {
        {"a-b-c", 1, "a+b-c"}, {"a-b-c", 0, "a+b+c"},  // 0: no practical limit
        {"a-b-c", 5, "a+b+c"}, {"a-b-c", -1, "a-b-c"}, {"abc", 0, "abc"},
    };
    for (const Case& c : cases) {
        std::string result;
        repl::ReplaceChar('-', '+', c.s, c.maxCount, result);
        EXPECT_EQ(result, c.expected) << c.s << " max " << c.maxCount;
    }
}

TEST(TrimSpaces, TrimsTheChosenEndsAndCollapsesBlankRuns) {
    struct Case {
        std::string s;
        Integer flags;
        const char* expected;
    };
    const Case cases[] = {
        {"  a   b  ", 7, "a b"},   {"  a   b  ", 1, "a   b  "},   {"  a   b  ", 2, "  a   b"},
        {"  a   b  ", 4, " a b "}, {"  a   b  ", 0, "  a   b  "}, {"     ", 7, ""},
        {"\ta\t", 7, "\ta\t"},  // blanks only
    };
    for (const Case& c : cases) {
        std::string result;
        repl::TrimSpaces(c.s, c.flags, result);
        EXPECT_EQ(result, c.expected) << "[" << c.s << "] flags " << c.flags;
    }
}

TEST(RemoveFromList, DropsEveryEqualItemAndEmptyItems) {
    struct Case {
        std::string item;
        std::string list;
        const char* sep;
        bool caseSensitive;
        const char* expected;
    };
    const Case cases[] = {
        {"b", "a,b,c,b", ",", true, "a,c"},
        {"B", "a,b,c,b", ",", true, "a,b,c,b"},
        {"B", "a,b,c,b", ",", false, "a,c"},
        {"x", "a,,b,", ",", true, "a,b"},
        {"b", "a; b; c", "; ", true, "a; c"},
        {"a", "a", ",", true, ""},
        {"a", "", ",", true, ""},
        {"abc", "abc", "", true, ""},
        {"x", "abc", "", true, "abc"},
        {aUml, AUml + ",b", ",", false, "b"},
    };
    for (const Case& c : cases) {
        std::string result;
        repl::RemoveFromList(c.item, c.list, c.sep, c.caseSensitive, result);
        EXPECT_EQ(result, c.expected) << c.item << " from " << c.list;
    }
}

TEST(CopyCase, GivesTextTheLetterCaseOfModelPositionByPosition) {
    struct Case {
        std::string model;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"CAT", "dog", "DOG"},
        {"Cat", "dog", "Dog"},
        {"cAT", "DOG", "dOG"},
        {"A1b", "xYzW", "XYzW"},  // a non-letter keeps the text's case; past the model too
        {"Ab", "x", "X"},
        {"", "Dog", "Dog"},
        {"AB", aUml + "b", AUml + "B"},  // every letter of the code page
        {aUml, "Q", "q"},
    };
    for (const Case& c : cases) {
        std::string result;
        repl::CopyCase(c.model, c.text, result);
        EXPECT_EQ(result, c.expected) << c.model << " on " << c.text;
    }
}

TEST(TableCasing, MapsEveryLetterOfTheCodePageAndKeepsTheRest) {
    std::string s;
    repl::TableUpperCase("ab1 " + aUml + "\xDF", s);  // sharp s has no single-byte upper case
    EXPECT_EQ(s, "AB1 " + AUml + "\xDF");
    repl::TableLowerCase("AB1 " + AUml + "Z", s);
    EXPECT_EQ(s, "ab1 " + aUml + "z");
    s = "MiXeD";
    repl::TableLowerCase(s, s);
    EXPECT_EQ(s, "mixed");

    struct Case {
        char c;
        char cls;
        bool letter;
    };
    const Case cases[] = {{'a', 'd', true},  {'Q', 'u', true},  {'\xE4', 'd', true}, {'\xC4', 'u', true},
                          {'1', 'i', false}, {' ', 'i', false}, {'\0', 'i', false}};
    for (const Case& c : cases) {
        EXPECT_EQ(repl::CaseClass(c.c), c.cls) << int(static_cast<unsigned char>(c.c));
        EXPECT_EQ(repl::HasLetter(std::string("1 ") + c.c), c.letter) << int(static_cast<unsigned char>(c.c));
    }
}

TEST(OverwriteSlice, OverwritesTheRangeInsideTheTextWithTheFillRepeated) {
    struct Case {
        std::string s;
        const char* fill;
        Integer start;
        Integer count;
        const char* expected;
    };
    const Case cases[] = {
        {"abcdef", "xy", 2, 3, "axyxef"}, {"abcdef", "-", 5, 9, "abcd--"},  // the length stays
        {"abcdef", "xy", 0, 3, "yxcdef"},  // the part before the text is skipped, the pattern stays aligned
        {"abcdef", "xy", 9, 2, "abcdef"}, {"abcdef", "", 1, 3, "abcdef"},
        {"abcdef", "x", 1, 0, "abcdef"},  {"abcdef", "x", -2147483647, 2147483647, "abcdef"},
    };
    for (const Case& c : cases) {
        std::string result;
        repl::OverwriteSlice(c.s, c.fill, c.start, c.count, result);
        EXPECT_EQ(result, c.expected) << c.s << " " << c.start << "," << c.count;
    }
}

TEST(ReplaceWithOptions, PreserveCaseFindsEveryCaseAndCopiesIt) {
    repl::ReplaceT r = Defaults();
    r.PreserveCase = 1;
    EXPECT_EQ(WithOptions(r, "cat", "dog", "The CAT and the Cat"), "The DOG and the Dog");
    EXPECT_EQ(r.Changed, 1);
}

TEST(ReplaceWithOptions, AppliesLimitsTrimmingAndOccurrence) {
    struct Case {
        const char* name;
        void (*set)(repl::ReplaceT&);
        const char* find;
        const char* with;
        std::string text;
        const char* expected;
    };
    const Case cases[] = {
        {"limit", [](repl::ReplaceT& r) { r.MaxReplacements = 2; }, "a", "x", "aaaa", "xxaa"},
        {"limit zero", [](repl::ReplaceT& r) { r.MaxReplacements = 0; }, "a", "x", "aaaa", "aaaa"},
        {"limit over passes", [](repl::ReplaceT& r) { r.MaxReplacements = 2; }, "ab", "", "aaabbb", "ab"},
        {"trim before", [](repl::ReplaceT& r) { r.TrimBefore = 1; }, ",", ";", "a  ,b ,  c", "a;b;  c"},
        {"trim after", [](repl::ReplaceT& r) { r.TrimAfter = 1; }, ",", ";", "a  ,b ,  c", "a  ;b ;c"},
        {"trim both", [](repl::ReplaceT& r) { r.TrimBefore = r.TrimAfter = 1; }, ",", ", ", "a  ,b ,  c", "a, b, c"},
        {"trim chosen chars",
         [](repl::ReplaceT& r) {
             r.TrimAfter = 1;
             r.TrimAfterChars = TSet<AnsiChar>{'-', '_'};
         },
         "=", ":", "a=-_ b", "a: b"},
        {"from the second",
         [](repl::ReplaceT& r) {
             r.Search.Occurrence = 2;
             r.Repeat = 0;
         },
         "a", "x", "aaaa", "axxx"},
        {"last only",
         [](repl::ReplaceT& r) {
             r.Search.Occurrence = 0;
             r.Repeat = 0;
         },
         "a", "x", "aaaa", "aaax"},
        {"second from the end",
         [](repl::ReplaceT& r) {
             r.Search.Occurrence = -2;
             r.Repeat = 0;
         },
         "a", "x", "abaca", "abxcx"},
        {"occurrence absent", [](repl::ReplaceT& r) { r.Search.Occurrence = 5; }, "a", "x", "aaaa", "aaaa"},
        {"no repeat", [](repl::ReplaceT& r) { r.Repeat = 0; }, "  ", " ", "a     b", "a   b"},
        {"without case", [](repl::ReplaceT& r) { r.Search.CaseSensitive = 0; }, "ab", "-", "AB ab aB", "- - -"},
        {"without case, code-page letters", [](repl::ReplaceT& r) { r.Search.CaseSensitive = 0; }, "\xE4", "ae",
         "\xC4\xE4", "aeae"},
        {"without case, one character", [](repl::ReplaceT& r) { r.Search.CaseSensitive = 0; }, "a", "-", "Aa.", "--."},
        {"skip quotes", [](repl::ReplaceT& r) { r.Search.SkipQuotes = 1; }, "a", "x", "a\"a\"a", "x\"a\"x"},
        {"anchored at the start", [](repl::ReplaceT& r) { r.Search.Anchor = 1; }, "a", "x", "aba", "xba"},
        {"anchored at the end", [](repl::ReplaceT& r) { r.Search.Anchor = 2; }, "a", "x", "aba", "abx"},
    };
    for (const Case& c : cases) {
        repl::ReplaceT r = Defaults();
        c.set(r);
        EXPECT_EQ(WithOptions(r, c.find, c.with, c.text), c.expected) << c.name;
    }
}

TEST(ReplaceWithOptions, ReportsWhetherAndWhereItReplaced) {
    repl::ReplaceT r = Defaults();
    r.TrimAfter = 1;  // the engine's path
    EXPECT_EQ(WithOptions(r, "b", "x", "abcb"), "axcx");
    EXPECT_EQ(r.Changed, 1);
    EXPECT_EQ(r.LastPosition, 4);
    EXPECT_EQ(WithOptions(r, "z", "x", "abcb"), "abcb");
    EXPECT_EQ(r.Changed, 0);
    EXPECT_EQ(r.LastPosition, 0);

    repl::ReplaceT plain = Defaults();
    EXPECT_EQ(WithOptions(plain, "b", "x", "abcb"), "axcx");
    EXPECT_EQ(plain.Changed, 1);
}

// Passes that would never end on their own stop after as many passes as the text has characters,
// when the text stops changing, or when it has outgrown one replacement per original character.
TEST(ReplaceWithOptions, RepeatedPassesEndOnEveryInput) {
    struct Case {
        const char* name;
        Byte findInReplacement;
        Byte trimAfter;
        const char* find;
        const char* with;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        // "ab" -> "bbaa" re-creates "ab" with the character before it, pass after pass.
        {"re-created by neighbours", 0, 0, "ab", "bbaa", "aab", "bbabbaaaa"},
        {"re-created by neighbours, engine", 0, 1, "ab", "bbaa", "aab", "bbabbaaaa"},
        {"replacement holds the find text", 1, 0, "a", "aa", "aaa", std::string(12, 'a')},
        {"replacement holds the find text, engine", 1, 1, "a", "aa", "aaa", std::string(12, 'a')},
        {"replacement equals the find text", 1, 0, "ab", "ab", "abab", "abab"},
        {"replacement equals the find text, engine", 1, 1, "ab", "ab", "abab", "abab"},
        {"ends by itself", 1, 0, "ab", "ba", "aaab", "baaa"},
    };
    for (const Case& c : cases) {
        repl::ReplaceT r = Defaults();
        r.FindInReplacement = c.findInReplacement;
        r.TrimAfter = c.trimAfter;
        EXPECT_EQ(WithOptions(r, c.find, c.with, c.text), c.expected) << c.name;
    }
    repl::ReplaceT r = Defaults();
    r.FindInReplacement = 1;
    const std::string grown = WithOptions(r, "a", "aa", std::string(60, 'a'));
    EXPECT_LE(grown.size(), 60u * 3 * 2);  // bounded however long the text
}

}  // namespace

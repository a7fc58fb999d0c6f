// Token cutting and search: cutting with separators and quotes, prefix and suffix tests,
// positions with and without case, the general search's options, lists and marker pairs.
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <vcl/SysUtils.h>

#include "exposit.h"
#include "superar.h"

using namespace exposit;
using namespace Varpre;

namespace {

const AnsiString AUml = "\xC4";  // Ä
const AnsiString aUml = "\xE4";  // ä

std::vector<AnsiString> CutAll(AnsiString S, const AnsiString& Sep) {
    std::vector<AnsiString> tokens;
    AnsiString token;
    while (!S.empty()) {
        CutToken(S, Sep, true, token);
        tokens.push_back(token);
    }
    return tokens;
}

TEST(ExpositCut, CutTokenTakesEachTokenAndItsSeparatorOffTheFront) {
    EXPECT_EQ(CutAll("a, b, c", ", "), (std::vector<AnsiString>{"a", "b", "c"}));
    AnsiString s = "abc", token;
    CutToken(s, ", ", true, token);
    EXPECT_EQ(token, "abc");
    EXPECT_EQ(s, "");
    s = "oneXtwo";
    CutToken(s, "x", false, token);
    EXPECT_EQ(token, "one");
    EXPECT_EQ(s, "two");
    s = "oneXtwo";
    CutToken(s, "x", true, token);
    EXPECT_EQ(token, "oneXtwo");
    EXPECT_EQ(s, "");
}

TEST(ExpositCut, QuotedSeparatorsDoNotCount) {
    struct Case {
        AnsiString S, Sep, Open, Close, Token, Rest;
    } cases[] = {
        {"x\"a;b\";y", ";", "\"", "\"", "x\"a;b\"", "y"},
        {"x\"a;;b\";;y;;z", ";;", "\"", "\"", "x\"a;;b\"", "y;;z"},  // two-character separator removed whole
        {"[a,b],c", ",", "[", "]", "[a,b]", "c"},
        {"'a,b',c", ",", "'", NotGiven, "'a,b'", "c"},
        {"\"open,never closed", ",", "\"", "\"", "\"open,never closed", ""},
        {"a,b", ",", "", "", "a", "b"},
    };
    for (const Case& c : cases) {
        AnsiString s = c.S, token;
        CutTokenOutsideQuotes(s, c.Sep, c.Open, c.Close, token);
        EXPECT_EQ(token, c.Token) << c.S;
        EXPECT_EQ(s, c.Rest) << c.S;
    }
}

TEST(ExpositCut, QuotedTokensAreUnquotedAndNumbersRead) {
    AnsiString s = "\"12\",3";
    EXPECT_EQ(CutTokenIntQuoted(s, ",", "\""), 12);
    EXPECT_EQ(CutTokenIntQuoted(s, ",", "\""), 3);
    EXPECT_EQ(CutTokenIntQuoted(s, ",", "\""), -32000);
    s = "7;;x;-4";
    EXPECT_EQ(CutTokenInt(s, ";"), 7);
    EXPECT_EQ(CutTokenInt(s, ";"), -32000);  // empty token
    EXPECT_EQ(CutTokenInt(s, ";"), -32000);  // not a number
    EXPECT_EQ(CutTokenInt(s, ";"), -4);
    s = "<<a;b>>;c";
    AnsiString token;
    CutQuotedToken(s, ";", "<<", ">>", token);
    EXPECT_EQ(token, "a;b");
    EXPECT_EQ(s, "c");
}

TEST(ExpositCut, UnquoteNeedsBothQuotesAroundTheText) {
    struct Case {
        AnsiString S, Open, Close, Result;
    } cases[] = {
        {"\"abc\"", "\"", NotGiven, "abc"}, {"\"\"", "\"", "\"", ""},
        {"\"", "\"", "\"", "\""},  // one character cannot be both quotes
        {"(abc", "(", ")", "(abc"},         {"(a)", "(", ")", "a"},
        {"abc", "\"", "\"", "abc"},
    };
    for (const Case& c : cases) {
        AnsiString result;
        Unquote(c.S, c.Open, c.Close, result);
        EXPECT_EQ(result, c.Result) << c.S;
    }
    AnsiString same = "'x'";
    Unquote(same, "'", "'", same);
    EXPECT_EQ(same, "x");
}

TEST(ExpositCut, CuttingAtCharactersAndAtAnyOfSeveralSeparators) {
    AnsiString s = "key=value;rest", token;
    AnsiChar found = 'x';
    CutTokenAtCharsFound(s, TSet<AnsiChar>{';', '='}, found, token);
    EXPECT_EQ(token, "key");
    EXPECT_EQ(found, '=');
    EXPECT_EQ(s, "value;rest");
    s = "plain";
    CutTokenAtCharsFound(s, TSet<AnsiChar>{';'}, found, token);
    EXPECT_EQ(found, '\0');
    EXPECT_EQ(token, "plain");
    EXPECT_EQ(s, "");

    s = "one\r\ntwo\rthree";
    CutTokenAtAny(s, "\r|\r\n", "|", token);
    EXPECT_EQ(token, "one");
    EXPECT_EQ(s, "two\rthree");
    CutTokenAtAny(s, "\r|\r\n", "|", token);
    EXPECT_EQ(token, "two");
    EXPECT_EQ(s, "three");
}

TEST(ExpositCut, TrimmingTheEnds) {
    AnsiString result;
    FirstToken("a.b.c", ".", true, result);
    EXPECT_EQ(result, "a");
    FirstToken("aXb", "x", false, result);
    EXPECT_EQ(result, "a");
    AfterFirstToken("a.b.c", ".", result);
    EXPECT_EQ(result, "b.c");
    AfterFirstToken("abc", ".", result);
    EXPECT_EQ(result, "");
    DropLast("abcd", 3, result);
    EXPECT_EQ(result, "a");
    DropLast("ab", 5, result);
    EXPECT_EQ(result, "");
    DropFirst("abcd", 1, result);
    EXPECT_EQ(result, "bcd");
    DropFirst("abcd", -1, result);
    EXPECT_EQ(result, "abcd");
    LastChars("abcd", 2, result);
    EXPECT_EQ(result, "cd");
    LastChars("ab", 9, result);
    EXPECT_EQ(result, "ab");
    TrimRightChars(TSet<AnsiChar>{' ', '.'}, "a. b. .", result);
    EXPECT_EQ(result, "a. b");
}

TEST(ExpositCut, RemovingPrefixesAndSuffixes) {
    struct Case {
        AnsiString Part, S;
        Byte Flags;
        AnsiString Suffixless, Prefixless;
    } cases[] = {
        {".bak", "f.bak.bak", rmRepeat, "f", "f.bak.bak"},
        {".bak", "f.bak.bak", 0, "f.bak", "f.bak.bak"},
        {".zip", "f.bak", 0, "f.bak", "f.bak"},
        {"ab", "abXab", 0, "abX", "Xab"},
        {"AB", "abXab", 0, "abX", "Xab"},
        {"AB", "abXab", rmCaseSensitive, "abXab", "abXab"},
        {"ab", "ababab", rmRepeat, "", ""},
        {"", "abc", rmRepeat, "abc", "abc"},
    };
    for (const Case& c : cases) {
        AnsiString result;
        RemoveSuffix(c.Part, c.S, c.Flags, result);
        EXPECT_EQ(result, c.Suffixless) << c.Part << " " << c.S;
        RemovePrefix(c.Part, c.S, c.Flags, result);
        EXPECT_EQ(result, c.Prefixless) << c.Part << " " << c.S;
    }
}

TEST(ExpositTests, PrefixAndSuffixTestsWithAndWithoutCase) {
    struct Case {
        AnsiString Part, S;
        bool CaseSensitive, Starts, Ends;
    } cases[] = {
        {"ab", "abcab", true, true, true},
        {"AB", "abcab", true, false, false},
        {"AB", "abcab", false, true, true},
        {AUml, aUml + "x" + aUml, false, true, true},
        {AUml, aUml + "x" + aUml, true, false, false},
        {"abcd", "abc", false, false, false},
        {"", "abc", true, true, true},
        {"", "", false, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StartsWith(c.Part, c.S, c.CaseSensitive), c.Starts) << c.Part << " " << c.S;
        EXPECT_EQ(EndsWith(c.Part, c.S, c.CaseSensitive), c.Ends) << c.Part << " " << c.S;
    }
}

TEST(ExpositTests, CharacterSetTests) {
    const TSet<AnsiChar> digits{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_TRUE(FirstCharIn(digits, "1a"));
    EXPECT_FALSE(FirstCharIn(digits, ""));
    EXPECT_TRUE(LastCharIn(digits, "a1"));
    EXPECT_FALSE(LastCharIn(digits, "1a"));
    EXPECT_TRUE(ConsistsOfChars(digits, "123"));
    EXPECT_FALSE(ConsistsOfChars(digits, "12a"));
    EXPECT_FALSE(ConsistsOfChars(digits, ""));
}

TEST(ExpositPositions, PlainPositionsAndCounts) {
    EXPECT_EQ(PosCase("b", "abcb", true), 2);
    EXPECT_EQ(PosCase("B", "abcb", true), 0);
    EXPECT_EQ(PosCase("B", "abcb", false), 2);
    EXPECT_EQ(PosCase(AUml + "X", "a" + aUml + "x", false), 2);
    EXPECT_EQ(PosCase("abcde", "abc", false), 0);
    EXPECT_EQ(PosCase("", "abc", true), 0);
    EXPECT_EQ(PosFrom("b", "abcb", 3, true), 4);
    EXPECT_EQ(PosFrom("b", "abcb", 5, true), 0);
    EXPECT_EQ(PosFrom("b", "abcb", 99, true), 0);
    EXPECT_THROW(PosFrom("b", "abcb", 0, true), ERangeError);
    EXPECT_EQ(NthPos("aa", "aaaa", 2, true), 2);
    EXPECT_EQ(NthPos("a", "abab", 0, true), 3);
    EXPECT_EQ(NthPos("a", "abab", -2, true), 1);
    EXPECT_EQ(NthPos("a", "abab", -3, true), 0);
    EXPECT_EQ(NthPos("a", "abab", 3, true), 0);
    EXPECT_EQ(NthPos("a", "abab", INT_MIN, true), 0);
    EXPECT_EQ(NthPos("A", "abab", 2, false), 3);
    EXPECT_EQ(LastPos("\\", "c:\\a\\b"), 5);
    EXPECT_EQ(LastPos("AB", "ab-ab-x"), 4);
    EXPECT_EQ(LastPos("x", "abc"), 0);
    EXPECT_EQ(CountOccurrences("aa", "aaaa"), 3);
    EXPECT_EQ(CountOccurrencesNoOverlap("aa", "aaaa"), 2);
    EXPECT_EQ(CountOccurrences("", "aaaa"), 0);
}

TEST(ExpositPositions, CharacterSetPositionsAndRuns) {
    const TSet<AnsiChar> vowels{'a', 'e', 'i', 'o', 'u'};
    AnsiChar found = 'x';
    EXPECT_EQ(CharSetPos(vowels, "xyzoa"), 4);
    EXPECT_EQ(CharSetPosFound(vowels, "xyzoa", found), 4);
    EXPECT_EQ(found, 'o');
    EXPECT_EQ(LastCharSetPos(vowels, "xoyaz"), 4);
    EXPECT_EQ(LastCharSetPosFound(vowels, "xoyaz", found), 4);
    EXPECT_EQ(found, 'a');
    EXPECT_EQ(CharSetPosFound(vowels, "xyz", found), 0);
    EXPECT_EQ(found, '\0');
    Integer run = -1;
    EXPECT_EQ(CharSetRunPos(vowels, "xaeiy", run), 2);
    EXPECT_EQ(run, 3);
    EXPECT_EQ(DigitPos("ab12"), 3);
    EXPECT_EQ(DigitRunPos("ab123c45", run), 3);
    EXPECT_EQ(run, 3);
    EXPECT_EQ(DigitRunPos("abc", run), 0);
    EXPECT_EQ(run, 0);
    EXPECT_EQ(RepeatedLetterPos(TSet<AnsiChar>{'l', 'o'}, "hello book", run), 3);
    EXPECT_EQ(run, 2);
    EXPECT_EQ(RepeatedLetterPos(TSet<AnsiChar>{'o'}, "hello boook", run), 8);
    EXPECT_EQ(run, 3);
    EXPECT_EQ(RepeatedLetterPos(TSet<AnsiChar>{'x'}, "hello", run), 0);
    EXPECT_EQ(run, 0);
}

struct FindCase {
    const char* Name;
    void (*Set)(PosInfoT&);
    AnsiString Pattern, Text;
    Integer Position, MatchLen;
};

TEST(ExpositFindPos, OptionsOfTheGeneralSearch) {
    const FindCase cases[] = {
        {"defaults", [](PosInfoT&) {}, "cat", "a cat, a Cat", 3, 3},
        {"without case", [](PosInfoT& i) { i.CaseSensitive = 0; }, "CAT", "a cat", 3, 3},
        {"last", [](PosInfoT& i) { i.Occurrence = 0; }, "cat", "cat cat cat", 9, 3},
        {"second from the end", [](PosInfoT& i) { i.Occurrence = -2; }, "cat", "cat cat cat", 5, 3},
        {"second, overlapping", [](PosInfoT& i) { i.Occurrence = 2; }, "aa", "aaaa", 2, 2},
        {"second, not overlapping",
         [](PosInfoT& i) {
             i.Occurrence = 2;
             i.Overlapping = 0;
         },
         "aa", "aaaa", 3, 2},
        {"anchored at the start", [](PosInfoT& i) { i.Anchor = 1; }, "ab", "abab", 1, 2},
        {"anchored at the start, missing", [](PosInfoT& i) { i.Anchor = 1; }, "ab", "xabab", 0, 0},
        {"anchored at the end", [](PosInfoT& i) { i.Anchor = 2; }, "ab", "abab", 3, 2},
        {"anchored at the end, missing", [](PosInfoT& i) { i.Anchor = 2; }, "ab", "ababx", 0, 0},
        {"whole word", [](PosInfoT& i) { i.MatchKind = mkWord; }, "cat", "concat cats cat.", 13, 3},
        {"whole word at the text's ends", [](PosInfoT& i) { i.MatchKind = mkWord; }, "cat", "cat", 1, 3},
        {"word start only", [](PosInfoT& i) { i.WordStartTest = 1; }, "cat", "concat cats", 8, 3},
        {"word end only", [](PosInfoT& i) { i.WordEndTest = 1; }, "cat", "cats concat", 9, 3},
        {"any word",
         [](PosInfoT& i) {
             i.MatchKind = mkWord;
             i.Occurrence = 2;
         },
         "", "  it's  here ", 9, 4},
        {"outside quotes", [](PosInfoT& i) { i.SkipQuotes = 1; }, ";", "\"a;b\";c", 6, 1},
        {"blanks inside quotes", [](PosInfoT& i) { i.SkipQuotes = 1; }, " ", "\"a b\"c d", 7, 1},
        {"the quote itself", [](PosInfoT& i) { i.SkipQuotes = 1; }, "\"", "x\"a\"", 2, 1},
        {"other quotes",
         [](PosInfoT& i) {
             i.SkipQuotes = 1;
             i.OpenQuote = "(";
             i.CloseQuote = ")";
         },
         "x", "(x)x", 4, 1},
        {"character of a set", [](PosInfoT& i) { i.MatchKind = mkCharOfSet; }, "", "12 b", 4, 1},
        {"digit run",
         [](PosInfoT& i) {
             i.MatchKind = mkDigitRun;
             i.Occurrence = 2;
         },
         "", "a12b345", 5, 3},
        {"repeated letter", [](PosInfoT& i) { i.MatchKind = mkRepeatedLetter; }, "", "a1122bbb", 6, 3},
        {"repeated letter without case",
         [](PosInfoT& i) {
             i.MatchKind = mkRepeatedLetter;
             i.CaseSensitive = 0;
         },
         "", "xaAb", 2, 2},
        {"empty pattern", [](PosInfoT&) {}, "", "abc", 0, 0},
        {"empty text", [](PosInfoT& i) { i.Occurrence = -1; }, "a", "", 0, 0},
    };
    for (const FindCase& c : cases) {
        PosInfoT info;
        InitPosInfo(info);
        c.Set(info);
        EXPECT_EQ(FindPos(info, c.Pattern, c.Text), c.Position) << c.Name;
        EXPECT_EQ(info.Position, c.Position) << c.Name;
        EXPECT_EQ(info.MatchLen, c.MatchLen) << c.Name;
        EXPECT_EQ(info.Found, c.Position ? c.Text.substr(c.Position - 1, c.MatchLen) : "") << c.Name;
    }
}

TEST(ExpositFindPos, AllOccurrencesAreRecordedInOrderWithTheLastInElementZero) {
    PosInfoT info;
    InitPosInfo(info);
    EXPECT_EQ(FindOccurrences(info, "aa", "aaaa", 10), 3);
    ASSERT_EQ(info.Positions.size(), 4u);
    EXPECT_EQ(info.Positions[1].Position, 1);
    EXPECT_EQ(info.Positions[2].Position, 2);
    EXPECT_EQ(info.Positions[3].Position, 3);
    EXPECT_EQ(info.Positions[0].Position, 3);
    EXPECT_EQ(info.Positions[0].Length, 2);

    info.Overlapping = 0;
    EXPECT_EQ(CountPos(info, "aa", "aaaa"), 2);
    EXPECT_EQ(info.Positions[0].Position, 3);
    EXPECT_EQ(FindOccurrences(info, "a", "aaaa", 3), 3);
    EXPECT_EQ(FindOccurrences(info, "a", "aaaa", 0), 0);
    EXPECT_EQ(CountPos(info, "x", "aaaa"), 0);
    EXPECT_EQ(info.Position, 0);
    ASSERT_EQ(info.Positions.size(), 1u);
    EXPECT_EQ(info.Positions[0].Position, 0);
}

TEST(ExpositFindPos, PositionOutsideQuotes) {
    EXPECT_EQ(PosOutsideQuotes(",", "\"a,b\",c", "\"", "\""), 6);
    EXPECT_EQ(PosOutsideQuotes(",", "{a,b},c", "{", "}"), 6);
    EXPECT_EQ(PosOutsideQuotes(",", "'a,b", "'", NotGiven), 0);  // an unclosed quote runs to the end
    EXPECT_EQ(PosOutsideQuotes(",", "'a'b',c", "'", NotGiven), 0);
}

TEST(ExpositLists, ItemsOfSeparatedLists) {
    EXPECT_EQ(ListItemIndex("b", "a,b,c", ",", false), 2);
    EXPECT_EQ(ListItemIndex("B", "a,b,c", ",", false), 2);
    EXPECT_EQ(ListItemIndex("B", "a,b,c", ",", true), 0);
    EXPECT_EQ(ListItemIndex("a", "a,b,c", ",", true), 1);
    EXPECT_EQ(ListItemIndex("c", "a,b,c", ",", true), 3);
    EXPECT_EQ(ListItemIndex("b", "ab,b", ",", true), 2);
    EXPECT_EQ(ListItemIndex("", "a,b", ",", true), 0);
    EXPECT_EQ(ListItemIndex("a", "a", "", true), 0);
    EXPECT_EQ(ListItemCount("", ","), 0);
    EXPECT_EQ(ListItemCount("a", ","), 1);
    EXPECT_EQ(ListItemCount("a,,c", ","), 3);

    AnsiString found;
    EXPECT_TRUE(FindInList("beta", "Alpha;BETA;gamma", ";", false, found));
    EXPECT_EQ(found, "BETA");
    EXPECT_FALSE(FindInList("delta", "Alpha;BETA;gamma", ";", false, found));
    EXPECT_EQ(found, "");

    Varpre::StringAndCountT first{"stale", 9};
    FirstOfAny("x = a < b", "<|=|<=", "|", true, first);
    EXPECT_EQ(first.Text, "=");
    EXPECT_EQ(first.Count, 3);
    FirstOfAny("a <= b", "<|=|<=", "|", true, first);
    EXPECT_EQ(first.Text, "<=");
    EXPECT_EQ(first.Count, 3);
    FirstOfAny("a b", "<|=", "|", true, first);
    EXPECT_EQ(first.Text, "");
    EXPECT_EQ(first.Count, 0);
}

TEST(ExpositLists, WordsAreSeparatedByWordDelimiters) {
    struct Case {
        AnsiString S;
        Integer Words;
    } cases[] = {
        {"", 0},    {"  ", 0}, {"one", 1}, {" one,two;; three. ", 3}, {"don't stop", 2}, {"caf\xE9 na\xEFve", 2},
        {"a-b", 2},
    };
    for (const Case& c : cases) EXPECT_EQ(WordCount(c.S), c.Words) << c.S;
}

TEST(ExpositLists, ItemTableFieldNinetyOneCountsTheWordsOfFieldHundredEight) {
    auto table = std::make_unique<superar::ArrayOfFiles>();
    superar::InitTable(*table, 0);
    superar::SetFieldText(*table, 1, 0, "first");
    superar::SetFieldText(*table, 2, 0, "second");
    table->Rows[2].Info.Edit().Texts[2] = "My report - final (2).txt";
    EXPECT_EQ(superar::GetFieldInt(*table, 1, 91), 0);
    EXPECT_EQ(superar::GetFieldInt(*table, 2, 91), 5);
    AnsiString text;
    superar::GetFieldText(*table, 2, 91, text, false);
    EXPECT_EQ(text, "5");
}

TEST(ExpositFindBetween, PairingsOfStartAndEndMarkers) {
    struct Case {
        AnsiString Start, End, Text;
        Integer Options;
        bool Found;
        Integer Pos, Len;
    } cases[] = {
        {"(", ")", "a(b(c)d)e", 0, true, 2, 7},
        {"(", ")", "a(b(c)d)e", fbInnermost, true, 4, 3},
        {"(", ")", "a(b(c)d)e", fbFirstEnd, true, 2, 5},
        {"(", ")", "a(b(c)d)e", fbExcludeMarkers, true, 3, 5},
        {"(", ")", "a(b)c(d)e", fbOutermost, true, 2, 7},
        {"(", ")", "a(b)c(d)e", 0, true, 2, 3},
        {"(", ")", "a)b(c)", fbInnermost, true, 4, 3},  // an End without a Start before it is passed over
        {"(", ")", "a(b(c", 0, false, 0, 0},            // never closed
        {"(", ")", "abc", fbFirstEnd, false, 0, 0},
        {"<b>", "</b>", "x<B>y</B>", 0, true, 2, 8},
        {"<b>", "</b>", "x<B>y</B>", fbCaseSensitive, false, 0, 0},
        {"<b>", "</b>", "x<B>y</B><b>z</b>", fbCaseSensitive | fbExcludeMarkers, true, 13, 1},
        {"|", NotGiven, "a|b|c|", 0, true, 2, 3},
        {"|", NotGiven, "a|b|c|", fbInnermost, true, 2, 3},
        {"q", "Q", "aqbQc", fbInnermost, true, 2, 3},  // markers equal without case: first pair
        {"()", ")", "()", 0, false, 0, 0},             // the End must follow the whole Start
        {"", ")", "a)", 0, false, 0, 0},
    };
    for (const Case& c : cases) {
        Integer pos = -1, len = -1;
        EXPECT_EQ(FindBetween(c.Start, c.End, c.Text, c.Options, len, pos), c.Found) << c.Text << " " << c.Options;
        EXPECT_EQ(pos, c.Pos) << c.Text << " " << c.Options;
        EXPECT_EQ(len, c.Len) << c.Text << " " << c.Options;
    }
}

}  // namespace

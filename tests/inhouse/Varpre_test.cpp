// Character sets and case tables of the code page, the small text routines, and the letter
// groups of the number-and-text unit and the item table that stand on them.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "Varpre.h"
#include "superar.h"
#include "valstr.h"

using namespace Varpre;

namespace {

AnsiChar C(int Code) { return static_cast<AnsiChar>(Code); }

AnsiString Range(int First, int Last) {
    AnsiString text;
    for (int code = First; code <= Last; ++code) text += C(code);
    return text;
}

AnsiString Without(AnsiString Text, int Code) {
    std::erase(Text, C(Code));
    return Text;
}

TSet<AnsiChar> AllChars() {
    TSet<AnsiChar> all;
    for (int code = 0; code <= 255; ++code) all.Include(C(code));
    return all;
}

}  // namespace

TEST(CaseTables, MapLettersOfTheWesternCodePageAndLeaveEverythingElse) {
    struct Case {
        int c, upper, lower;
    };
    const Case cases[] = {
        {'a', 'A', 'a'},    {'Z', 'Z', 'z'},    {'1', '1', '1'},    {0, 0, 0},
        {0xC4, 0xC4, 0xE4},                                                              // Ä
        {0xE4, 0xC4, 0xE4}, {0x8A, 0x8A, 0x9A}, {0x9C, 0x8C, 0x9C}, {0xFF, 0x9F, 0xFF},  // ä Š œ ÿ
        {0xDF, 0xDF, 0xDF}, {0xB5, 0xB5, 0xB5}, {0xD7, 0xD7, 0xD7}, {0xF7, 0xF7, 0xF7},
        {0x80, 0x80, 0x80},  // ß µ × ÷ €
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UpperTable()[C(c.c)], C(c.upper)) << c.c;
        EXPECT_EQ(LowerTable()[C(c.c)], C(c.lower)) << c.c;
    }
}

TEST(CharacterSets, LettersAreWhatLowerCasingChangesAndTheirImages) {
    const AnsiString upper = Range('A', 'Z') + "\x8A\x8C\x8E\x9F" + Without(Range(0xC0, 0xDE), 0xD7);
    const AnsiString lower = Range('a', 'z') + "\x9A\x9C\x9E" + Without(Range(0xE0, 0xFE), 0xF7) + "\xFF";
    EXPECT_EQ(UpperLettersStr(), upper);
    EXPECT_EQ(LowerLettersStr(), lower);
    AnsiString letters;
    CharSetToStr(UpperLettersSet() + LowerLettersSet(), "", letters);
    EXPECT_EQ(LettersStr(), letters);
    EXPECT_EQ(LettersSet().Count(), upper.size() + lower.size());
}

TEST(CharacterSets, DerivedSetsSplitTheCodePageAsDescribed) {
    EXPECT_EQ(NonAlnumSet() + DigitsSet() + LettersSet(), AllChars());
    EXPECT_TRUE((NonAlnumSet() * (DigitsSet() + LettersSet())).Empty());
    EXPECT_EQ(NonLettersSet(), AllChars() - LettersSet());
    EXPECT_EQ(ConsonantsSet() + VowelsSet(), LettersSet());
    EXPECT_EQ(DigitsSet().Count(), 10u);

    struct Case {
        const char* set;
        const TSet<AnsiChar>& members;
        int c;
        bool in;
    };
    const Case cases[] = {
        {"vowels", VowelsSet(), 'u', true},          {"vowels", VowelsSet(), 'y', false},
        {"vowels", VowelsSet(), 0xC4, false},        {"consonants", ConsonantsSet(), 0xC4, true},
        {"consonants", ConsonantsSet(), 'E', false}, {"printable", PrintableSet(), ' ', true},
        {"printable", PrintableSet(), 127, true},    {"printable", PrintableSet(), 31, false},
        {"printable", PrintableSet(), 0x80, false},  {"printable", PrintableSet(), 0xE9, true},
        {"worddelims", WordDelimSet(), ' ', true},   {"worddelims", WordDelimSet(), '-', true},
        {"worddelims", WordDelimSet(), '\'', false}, {"worddelims", WordDelimSet(), '`', false},
        {"worddelims", WordDelimSet(), 146, false},  {"worddelims", WordDelimSet(), 'x', false},
        {"filename", FileNameCharSet(), ' ', true},  {"filename", FileNameCharSet(), 0xFF, true},
        {"filename", FileNameCharSet(), 31, false},  {"filename", FileNameCharSet(), '.', true},
    };
    for (const Case& c : cases) EXPECT_EQ(c.members.Contains(C(c.c)), c.in) << c.set << " " << c.c;
    for (AnsiChar c : AnsiString("\"*/:<>?\\|")) EXPECT_FALSE(FileNameCharSet().Contains(c)) << c;
    EXPECT_EQ(FileNameCharSet().Count(), 224u - 9u);
}

TEST(CharacterSets, InvalidFileNameCharsListsTheNineThenTheControlCharacters) {
    EXPECT_EQ(InvalidFileNameChars(), "/\\:*?\"<>|" + Range(0, 31));
}

TEST(SmallTexts, CharSetToStrJoinsMembersInAscendingOrder) {
    struct Case {
        TSet<AnsiChar> chars;
        const char* sep;
        AnsiString expected;
    };
    const Case cases[] = {
        {VowelsSet(), ",", "A,E,I,O,U,a,e,i,o,u"},        {DigitsSet(), "", "0123456789"}, {{}, ",", ""},
        {{C(0xFF), C(0)}, "|", AnsiString("\0|\xFF", 3)}, {{'b', 'a'}, ", ", "a, b"},
    };
    for (const Case& c : cases) {
        AnsiString result = "stale";
        CharSetToStr(c.chars, c.sep, result);
        EXPECT_EQ(result, c.expected) << c.sep;
    }
}

TEST(SmallTexts, RepeatStrRepeatsAndCutsToLength) {
    struct Case {
        const char* pattern;
        Integer len;
        const char* expected;
    };
    const Case cases[] = {
        {"ab", 5, "ababa"}, {"", 5, ""},     {"ab", 0, ""},     {"ab", -3, ""},
        {"abc", 2, "ab"},   {"x", 3, "xxx"}, {"ab", 4, "abab"},
    };
    for (const Case& c : cases) {
        AnsiString result = "stale";
        RepeatStr(c.pattern, c.len, result);
        EXPECT_EQ(result, c.expected) << c.pattern << " " << c.len;
    }
    AnsiString same = "xyz";
    RepeatStr(same, 7, same);
    EXPECT_EQ(same, "xyzxyzx");
}

TEST(SmallTexts, JoinSepLeavesOutTheSeparatorBesideAnEmptySide) {
    const char* cases[][4] = {
        {"a", ",", "", "a"}, {"", ",", "b", "b"}, {"a", ",", "b", "a,b"}, {"", ",", "", ""}, {"a", "", "b", "ab"},
    };
    for (auto& c : cases) {
        AnsiString result = "stale";
        JoinSep(c[0], c[1], c[2], result);
        EXPECT_EQ(result, c[3]) << c[0] << "|" << c[2];
    }
    AnsiString list = "a";
    JoinSep(list, ",", "b", list);
    JoinSep(list, ",", list, list);
    EXPECT_EQ(list, "a,b,a,b");
}

TEST(SmallTexts, CharStrSpacesAndFirstChar) {
    AnsiString result = "stale";
    CharStr('*', 3, result);
    EXPECT_EQ(result, "***");
    CharStr('*', -1, result);
    EXPECT_EQ(result, "");
    Spaces(2, result);
    EXPECT_EQ(result, "  ");
    Spaces(0, result);
    EXPECT_EQ(result, "");
    EXPECT_EQ(FirstCharOrSpace(""), ' ');
    EXPECT_EQ(FirstCharOrSpace("xy"), 'x');
}

TEST(SmallTexts, SetRetStoresAndReturnsSoAConditionKeepsWhatItTested) {
    const Integer found[] = {7, 4, 1};
    Integer position = 0;
    int step = 0;
    int loops = 0;
    while (SetIntRet(found[step++], position) >= 2) ++loops;
    EXPECT_EQ(loops, 2);
    EXPECT_EQ(position, 1);

    LongInt longDest = 0;
    EXPECT_EQ(SetLongRet(-5, longDest), -5);
    EXPECT_EQ(longDest, -5);
    Byte byteDest = 0;
    EXPECT_EQ(SetByteRet(255, byteDest), 255);
    EXPECT_EQ(byteDest, 255);
}

TEST(LetterGroups, KeepAlnumAndKeepsDigitsLettersOfTheCodePageAndExtra) {
    struct Case {
        const char* s;
        TSet<AnsiChar> extra;
        const char* expected;
    };
    const Case cases[] = {
        {"Ab-1 x_y!", {'-'}, "Ab-1xy"},
        {"a b", {' '}, "a b"},
        {"\xC4pfel \xB5m \xDF", {}, "\xC4pfelm"},  // Äpfel µm ß: µ and ß are no letters here
        {"", {'x'}, ""},
        {"--", {}, ""},
    };
    for (const Case& c : cases) {
        AnsiString result = "stale";
        valstr::KeepAlnumAnd(c.s, c.extra, result);
        EXPECT_EQ(result, c.expected) << c.s;
    }
}

TEST(LetterGroups, AlphabetGroupCharByFirstCharacter) {
    struct Case {
        const char* s;
        const char* digitGroup;
        const char* otherGroup;
        AnsiChar expected;
    };
    const Case cases[] = {
        {"apple", "", "", 'A'},    {"zebra", "", "", 'Z'},    {"Monday", "#", "~", 'M'},
        {"\xC4pfel", "", "", 'A'}, {"\xE9mile", "", "", 'A'}, {"\xFE", "", "", 'A'},  // Äpfel émile þ
        {"9lives", "", "", '0'},   {"9lives", "#x", "", '#'}, {"-x", "", "", '!'},
        {"-x", "", "~y", '~'},     {"", "", "", '!'},         {"\xDF", "", "", '!'},  // ß: no letter
    };
    for (const Case& c : cases)
        EXPECT_EQ(valstr::AlphabetGroupChar(c.s, c.digitGroup, c.otherGroup), c.expected) << c.s;
}

TEST(LetterGroups, ItemTableFieldHundredIsTheGroupLetterOfTheNamedField) {
    auto table = std::make_unique<superar::ArrayOfFiles>();
    superar::InitTable(*table, 0);
    const char* rows[][2] = {{"banana", "B"}, {"12 apples", "0"}, {"", "!"}, {"\xF8len", "A"}};
    Integer row = 0;
    for (auto& r : rows) superar::SetFieldText(*table, ++row, 0, r[0]);
    AnsiString text;
    row = 0;
    for (auto& r : rows) {
        superar::GetFieldText(*table, ++row, 100, text, false);
        EXPECT_EQ(text, r[1]) << r[0];
    }

    table->GroupLetterField = 5;
    superar::SetFieldText(*table, 1, 5, "zoo");
    superar::GetFieldText(*table, 1, 100, text, false);
    EXPECT_EQ(text, "Z");

    // Naming itself ends at its stored text, which is empty here.
    table->GroupLetterField = 100;
    superar::GetFieldText(*table, 1, 100, text, false);
    EXPECT_EQ(text, "!");
}

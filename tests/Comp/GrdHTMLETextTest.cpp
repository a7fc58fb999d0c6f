// The mark-up unit's text routines: preparation, tag reading, stripping, control rewriting, colours.
#include <gtest/gtest.h>

#include <string>

#include "GrdHTMLE.h"
#include "MarkupReference.h"
#include "support/StartUpSetAside.h"
#include "vcl/Windows.h"

using namespace GrdHTMLE;

TEST(GrdHTMLETextTest, EntitiesAreReplacedAsRepeatedPassesWould) {
    struct Case {
        const char* text;
        const char* prepared;
    };
    const Case cases[] = {
        {"a&amp;b", "a&&b"},
        {"&AMP;", "&&"},
        {"&permil;", "\x89"},
        {"&quot;&sect;&reg;&copy;&para;&trade;&euro;", "\"\xA7\xAE\xA9\xB6\x99\x80"},
        {"&Euro; &TRADE;", "\x80 \x99"},
        {"&amp;amp;", "&&&"},
        {"&amp;amp;amp;", "&&&&"},
        {"&amp;quot;", "&\""},
        {"&&amp;", "&&&"},
        {"&;", "&;"},
        {"x&amp", "x&amp"},
        {"&nbsp;&lt;&gt;", "&nbsp;&lt;&gt;"},
        {"no entity", "no entity"},
        {"&", "&"},
        {"&eurox;", "&eurox;"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceEntities(c.text), c.prepared) << c.text;
        EXPECT_EQ(MarkupReference::EntityPasses(c.text), c.prepared) << c.text;
    }
}

TEST(GrdHTMLETextTest, RunEntitiesAreReplacedUpToTheLastLowerCaseOne) {
    struct Case {
        const char* run;
        const char* replaced;
    };
    const Case cases[] = {
        {"a&nbsp;b", "a b"}, {"&LT;&lt;", "<<"},       {"&lt;&LT;", "<&LT;"},     {"&GT;", "&GT;"},
        {"&&lt;", "&<"},     {"&amp;lt;", "&amp;lt;"}, {"&lt;&gt;&nbsp;", "<> "}, {"&NBSP;x&nbsp;&Nbsp;", " x &Nbsp;"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceRunEntities(c.run), c.replaced) << c.run;
        EXPECT_EQ(MarkupReference::RunEntityPasses(c.run), c.replaced) << c.run;
    }
}

TEST(GrdHTMLETextTest, PreparationReplacesEntitiesThenTheMarkerThenLineBreaks) {
    struct Case {
        const char* text;
        const char* prepared;
    };
    const Case cases[] = {
        {"a<#b>c", "a#bc"},     {"<#a><#b>", "#a<#b>"},        {"x<#y", "x#y"},        {"x\r\ny", "x<BR>y"},
        {"\n\r\r", "<BR><BR>"}, {"&amp;<#1>\r2", "&&#1<BR>2"}, {"&lt;#x>", "&lt;#x>"},
    };
    for (const Case& c : cases) EXPECT_EQ(PrepareMarkup(c.text), c.prepared) << c.text;
}

TEST(GrdHTMLETextTest, StripHTMLKeepsLineBreaksAndUnclosedTagsAndLeavesEntities) {
    struct Case {
        const char* html;
        const char* text;
    };
    const Case cases[] = {
        {"a<BR>b", "a\r\nb"},
        {"x<b>y</b>z", "xyz"},
        {"a<b", "a<b"},
        {"&amp;", "&amp;"},
        {"<hr>", "\r\n"},
        {"<Br><hR>", "\r\n\r\n"},
        {"", ""},
        {"a>b", "a>b"},
        {"<a<BR>b>c", "c"},
        {"a<x<BR>", "a<x\r\n"},
        {"<x<BR>>y", "y"},
        {"<BR", "<BR"},
        {"<FONT COLOR=\"clred\">red</FONT> and <I>it</I>", "red and it"},
        {"<<>>", ">"},
    };
    for (const Case& c : cases) {
        AnsiString text = "old";
        StripHTML(c.html, text);
        EXPECT_EQ(text, c.text) << c.html;
        EXPECT_EQ(MarkupReference::StripByPasses(c.html), c.text) << c.html;
    }
}

TEST(GrdHTMLETextTest, ParseControlTagReadsTheFourAttributesOutsideQuotedValues) {
    struct Case {
        const char* tag;
        const char* type;
        const char* id;
        const char* value;
        const char* width;
    };
    const Case cases[] = {
        {"<CONTROL TYPE=\"check\" ID=\"c1\" VALUE=\"True\" WIDTH=\"15\">", "CHECK", "c1", "True", "15"},
        {"<control type=\"edit\" id=\"Ab\" value=\"a&lt;b&gt;c\">", "EDIT", "Ab", "a<b>c", ""},
        {"<CONTROL TYPE=\"EDIT\" VALUE=\"ID=x WIDTH=9\" ID=\"e\" WIDTH=\"40\">", "EDIT", "e", "ID=x WIDTH=9", "40"},
        {"<CONTROL TYPE=EDIT ID=\"e\">", "E", "e", "", ""},
        {"<CONTROL ID=\"e", "", "", "", ""},
        {"<CONTROL VALUE=\"&#38;lt;&#34;\">", "", "", "&lt;\"", ""},
    };
    for (const Case& c : cases) {
        AnsiString type = "x", id = "x", value = "x", width = "x";
        ParseControlTag(c.tag, type, id, value, width);
        EXPECT_EQ(type, c.type) << c.tag;
        EXPECT_EQ(id, c.id) << c.tag;
        EXPECT_EQ(value, c.value) << c.tag;
        EXPECT_EQ(width, c.width) << c.tag;
    }
}

TEST(GrdHTMLETextTest, SetControlValueRewritesOnlyTheControlWithThatID) {
    struct Case {
        const char* html;
        const char* id;
        const char* value;
        bool found;
        const char* result;
    };
    const Case cases[] = {
        {"x<CONTROL TYPE=\"edit\" ID=\"a\" VALUE=\"1\" WIDTH=\"30\">y<CONTROL TYPE=\"EDIT\" ID=\"b\" WIDTH=\"20\">z",
         "b", "2", true,
         "x<CONTROL TYPE=\"edit\" ID=\"a\" VALUE=\"1\" WIDTH=\"30\">y<CONTROL ID=\"b\" VALUE=\"2\" WIDTH=\"20\" "
         "TYPE=\"EDIT\">z"},
        {"<control type=\"check\" id=\"c\" value=\"false\" width=\"15\" extra=\"1\">", "c", "a<b", true,
         "<CONTROL ID=\"c\" VALUE=\"a&lt;b\" WIDTH=\"15\" TYPE=\"CHECK\">"},
        {"<CONTROL TYPE=\"EDIT\" ID=\"a\" WIDTH=\"5\">", "A", "v", false,
         "<CONTROL TYPE=\"EDIT\" ID=\"a\" WIDTH=\"5\">"},
        {"<CONTROL TYPE=\"EDIT\" ID=\"a\" WIDTH=\"5\"", "a", "v", true,
         "<CONTROL ID=\"a\" VALUE=\"v\" WIDTH=\"5\" TYPE=\"EDIT\">"},
        {"<CONTROLX ID=\"a\">", "a", "v", false, "<CONTROLX ID=\"a\">"},
        {"<CONTROL TYPE=\"EDIT\" ID=\"q\" WIDTH=\"5\">", "q", "say \"hi\" & go", true,
         "<CONTROL ID=\"q\" VALUE=\"say &#34;hi&#34; &#38; go\" WIDTH=\"5\" TYPE=\"EDIT\">"},
    };
    for (const Case& c : cases) {
        AnsiString html = c.html;
        EXPECT_EQ(SetControlValue(html, c.id, c.value), c.found) << c.html;
        EXPECT_EQ(html, c.result) << c.html;
    }
}

TEST(GrdHTMLETextTest, ATypedValueComesBackUnchangedAndAddsNoAttribute) {
    const char* const values[] = {
        "plain",         "say \"hi\"", "a&b",   "&lt;", "&#38;", "&#34;", "x\" ID=\"evil",
        "WIDTH=\"999\"", "<>",         "&amp;", "",     "\"",    "&",     "TYPE=\"BUTTON\" ",
    };
    for (const char* value : values) {
        AnsiString html = "<B>x</B><CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"old\" WIDTH=\"40\">tail";
        ASSERT_TRUE(SetControlValue(html, "e", value)) << value;
        const std::size_t open = html.find("<CONTROL"), close = html.find('>', open);
        ASSERT_NE(close, AnsiString::npos) << value;
        EXPECT_EQ(html.substr(close + 1), "tail") << value;
        AnsiString type, id, parsed, width;
        ParseControlTag(html.substr(open, close + 1 - open), type, id, parsed, width);
        EXPECT_EQ(parsed, value);
        EXPECT_EQ(id, "e") << value;
        EXPECT_EQ(width, "40") << value;
        EXPECT_EQ(type, "EDIT") << value;
        // A second write finds the control again.
        EXPECT_TRUE(SetControlValue(html, "e", "again")) << value;
    }
}

TEST(GrdHTMLETextTest, TheColourTableHoldsFortyExactLowerCaseNames) {
    struct Case {
        const char* name;
        TColor color;
    };
    const Case cases[] = {
        {"clred", 0x0000FF},
        {"clblack", 0x000000},
        {"clblue", 0xFF0000},
        {"clgreen", 0x008000},
        {"claqua", 0xFFFF00},
        {"clyellow", 0x00FFFF},
        {"clfuchsia", 0xFF00FF},
        {"clwhite", 0xFFFFFF},
        {"cllime", 0x00FF00},
        {"clsilver", 0xC0C0C0},
        {"clgray", 0x808080},
        {"clolive", 0x008080},
        {"clnavy", 0x800000},
        {"clpurple", 0x800080},
        {"clteal", 0x808000},
        {"clmaroon", 0x000080},
        {"clbackground", static_cast<TColor>(0x80000001u)},
        {"clactivecaption", static_cast<TColor>(0x80000002u)},
        {"clinactivecaption", static_cast<TColor>(0x80000003u)},
        {"clmenu", static_cast<TColor>(0x80000004u)},
        {"clwindow", static_cast<TColor>(0x80000005u)},
        {"clwindowframe", static_cast<TColor>(0x80000006u)},
        {"clmenutext", static_cast<TColor>(0x80000007u)},
        {"clwindowtext", static_cast<TColor>(0x80000008u)},
        {"clcaptiontext", static_cast<TColor>(0x80000009u)},
        {"clactiveborder", static_cast<TColor>(0x8000000Au)},
        {"clinactiveborder", static_cast<TColor>(0x8000000Bu)},
        {"clappworkspace", static_cast<TColor>(0x8000000Cu)},
        {"clhighlight", static_cast<TColor>(0x8000000Du)},
        {"clhighlighttext", static_cast<TColor>(0x8000000Eu)},
        {"clbtnface", static_cast<TColor>(0x8000000Fu)},
        {"clbtnshadow", static_cast<TColor>(0x80000010u)},
        {"clgraytext", static_cast<TColor>(0x80000011u)},
        {"clbtntext", static_cast<TColor>(0x80000012u)},
        {"clinactivecaptiontext", static_cast<TColor>(0x80000013u)},
        {"clbtnhighlight", static_cast<TColor>(0x80000014u)},
        {"cl3ddkshadow", static_cast<TColor>(0x80000015u)},
        {"cl3dlight", static_cast<TColor>(0x80000016u)},
        {"clinfotext", static_cast<TColor>(0x80000017u)},
        {"clinfobk", static_cast<TColor>(0x80000018u)},
    };
    static_assert(std::size(cases) == 40);
    for (const Case& c : cases) {
        EXPECT_EQ(HTMLColorByName(c.name), c.color) << c.name;
        // Tags hand over upper-cased values; the lookup lowers them again.
        EXPECT_EQ(MarkupColor(UpperCase(c.name)), c.color) << c.name;
    }
    for (const char* unknown : {"clRed", "red", "", "clred ", "clnone", "cl"})
        EXPECT_EQ(HTMLColorByName(unknown), 0) << unknown;
}

TEST(GrdHTMLETextTest, HexColoursReadRedFirstWithEachChannelMasked) {
    struct Case {
        const char* text;
        TColor color;
    };
    const Case cases[] = {
        {"#FF0000", 0x0000FF},
        {"#00FF00", 0x00FF00},
        {"#0000FF", 0xFF0000},
        {"#123456", 0x563412},
        {"#F", 0},
        {"#FFF", 0x0000FF},
        {"#", 0},
        {"#ZZ0000", 0x000053},
        {"#\xFF\xFF\xFF\xFF\xFF\xFF", 0x484848},
    };
    for (const Case& c : cases) EXPECT_EQ(HTMLColorFromHex(c.text), c.color) << c.text;
    // Tag values arrive upper-cased, so lower-case digits work there.
    EXPECT_EQ(MarkupColor(UpperCase("#ff8000")), 0x0080FF);
}

TEST(GrdHTMLETextTest, NumbersReadTheirLeadingDigitsAndClamp) {
    struct Case {
        const char* text;
        Integer hexPair;
        Integer number;
    };
    const Case cases[] = {
        {"FF", 255, 0},
        {"F", 0, 0},
        {"", 0, 0},
        {"1A", 26, 1},
        {"12", 18, 12},
        {"12ab", 18, 12},
        {"-5", -3 * 16 + 5, -5},
        {"99999", 9 * 16 + 9, 32767},
        {"7.5", 7 * 16 - 2, 7},
        {"\xFF\xFF", 3400, 0},
        {"-99999", -3 * 16 + 9, -32768},
        {"123456789012345678901234x", 18, 32767},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HexPairToInt(c.text), c.hexPair) << c.text;
        EXPECT_EQ(StrToIntDef0(c.text), c.number) << c.text;
    }
    EXPECT_TRUE(IsWholeNumber("40"));
    EXPECT_FALSE(IsWholeNumber("40px"));
    EXPECT_FALSE(IsWholeNumber(""));
}

TEST(GrdHTMLETextTest, TagValuesAreTheFirstQuotedTextAfterTheName) {
    struct Case {
        const char* tag;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"<FONT BGCOLOR=\"#FF0000\">", " COLOR", ""},
        {"<FONT COLOR=\"CLRED\" BGCOLOR=\"X\">", " COLOR", "CLRED"},
        {"<FONT BGCOLOR=\"X\" COLOR=\"Y\">", "BGCOLOR", "X"},
        {"<A HREF=\"x\">", "HREF", "x"},
        {"<FONT FACE=ARIAL>", "FACE", ""},
        {"<FONT FACE=\"ARIAL>", "FACE", ""},
        {"<IMG SRC=\"\">", "SRC", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(TagValue(c.tag, c.name), c.value) << c.tag;
}

TEST(GrdHTMLETextTest, FontSizesMapOneToFiveAndTakeOtherNumbersAsPoints) {
    struct Case {
        const char* tag;
        Integer points;
    };
    const Case cases[] = {
        {"<FONT SIZE=\"1\">", 8},    {"<FONT SIZE=\"3\">", 12},    {"<FONT SIZE=\"5\">", 16},
        {"<FONT SIZE=\"7\">", 7},    {"<FONT SIZE=\"X\">", 0},     {"<FONT SIZE=\"0\">", 0},
        {"<FONT SIZE=3>", 12},       {"<FONT SIZE=\"12PT\">", 12}, {"<FONT>", 0},
        {"<FONT SIZE = \"4\">", 14},
    };
    for (const Case& c : cases) EXPECT_EQ(FontSizeValue(c.tag), c.points) << c.tag;
}

TEST(GrdHTMLETextTest, StringRoutinesUseOneBasedPositions) {
    Integer p = -1;
    EXPECT_EQ(PosNoCase("bR", "a<Br>"), 3);
    EXPECT_EQ(PosNoCase("x", "abc"), 0);
    EXPECT_EQ(PosOut("c", "abc", p), 3);
    EXPECT_EQ(p, 3);
    EXPECT_EQ(PosOut("C", "abc", p), 0);
    EXPECT_EQ(p, 0);
    EXPECT_EQ(PosNoCaseOut("<I", "x<i>", p), 2);
    EXPECT_EQ(p, 2);

    struct Case {
        const char* in;
        const char* decoded;
        const char* encoded;
        const char* unmarked;
        const char* dropped;
        const char* converted;
    };
    const Case cases[] = {
        {"a&lt;b&gt;", "a<b>", "a&lt;b&gt;", "a&lt;b&gt;", "a&lt;b&gt;", "a&lt;b&gt;"},
        {"<#1>x>", "<#1>x>", "&lt;#1&gt;x&gt;", "#1x>", "<#1>x>", "<#1>x>"},
        {"a\r\nb\n", "a\r\nb\n", "a\r\nb\n", "a\r\nb\n", "ab", "a<BR>b"},
        {"&LT;", "&LT;", "&LT;", "&LT;", "&LT;", "&LT;"},
    };
    for (const Case& c : cases) {
        AnsiString r;
        DecodeLtGt(c.in, r);
        EXPECT_EQ(r, c.decoded) << c.in;
        EncodeLtGt(c.in, r);
        EXPECT_EQ(r, c.encoded) << c.in;
        RemoveHashMarker(c.in, r);
        EXPECT_EQ(r, c.unmarked) << c.in;
        LineBreaksToBR(c.in, false, r);
        EXPECT_EQ(r, c.dropped) << c.in;
        LineBreaksToBR(c.in, true, r);
        EXPECT_EQ(r, c.converted) << c.in;
    }

    AnsiString s = "x<Hr>y<HR>";
    EXPECT_TRUE(ReplaceFirstNoCase("<hr>", "-", s));
    EXPECT_EQ(s, "x-y<HR>");
    EXPECT_FALSE(ReplaceFirstNoCase("<BR>", "-", s));
    EXPECT_EQ(s, "x-y<HR>");
}

TEST(GrdHTMLETextTest, TheXPFlagIsReadByTheFirstStartOnly) {
    const UnitStartSetAside started(InitGrdHTMLE, DoneGrdHTMLE);
    struct Case {
        DWORD platform, major, minor;
        bool xp;
    };
    const Case cases[] = {
        {2, 5, 1, true}, {2, 5, 0, false}, {2, 6, 0, true}, {2, 5, 2, true}, {2, 4, 0, false}, {1, 4, 10, false},
    };
    for (const Case& c : cases) {
        SetWindowsVersionForTest(c.platform, c.major, c.minor, 2600);
        InitGrdHTMLE();
        EXPECT_EQ(XPFlag(), c.xp) << c.major << "." << c.minor;
        // A second start and its exit change nothing.
        SetWindowsVersionForTest(2, c.xp ? 5 : 6, c.xp ? 0 : 1, 2600);
        InitGrdHTMLE();
        DoneGrdHTMLE();
        EXPECT_EQ(XPFlag(), c.xp) << c.major << "." << c.minor;
        DoneGrdHTMLE();
    }
    ResetWindowsVersion();
    IsWindowsXPOrLater();
    EXPECT_TRUE(XPFlag());
}

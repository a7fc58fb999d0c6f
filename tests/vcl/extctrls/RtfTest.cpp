#include <gtest/gtest.h>

#include <vcl/RichText.h>

namespace {

TRichCharFormat Plain() { return {}; }

TRichCharFormat With(void (*Change)(TRichCharFormat&)) {
    TRichCharFormat f;
    Change(f);
    return f;
}

// "text|format-summary" per run, paragraphs as their alignment letters: easy to compare and to read.
std::string Describe(const TRichText& T) {
    std::string out;
    std::size_t at = 0;
    for (const TRichRun& run : T.Runs) {
        std::string text;
        for (std::size_t i = at; i < at + run.Length && i < T.Text.size(); ++i) {
            const WideChar c = T.Text[i];
            if (c == u'\r') text += "<P>";
            else if (c == u'\v') text += "<L>";
            else if (c == u'\t') text += "<T>";
            else if (c < 0x80) text += static_cast<char>(c);
            else text += "<" + std::to_string(c) + ">";
        }
        at += run.Length;
        const TRichCharFormat& f = run.Format;
        out += "[" + text + "|" + f.FontName + (f.HalfPoints ? "," + std::to_string(f.HalfPoints) : "") +
               (f.Color ? ",c" + std::to_string(*f.Color) : "") + (f.Bold ? ",b" : "") + (f.Italic ? ",i" : "") +
               (f.Underline ? ",u" : "") + (f.StrikeOut ? ",s" : "") + "]";
    }
    out += " ";
    for (TAlignment a : T.Paragraphs) out += a == taCenter ? 'C' : a == taRightJustify ? 'R' : 'L';
    return out;
}

std::string Read(const std::string& Source) {
    const TRtfReadResult result = ReadRtf(Source);
    return result.Ok ? Describe(result.Content) : "refused";
}

}  // namespace

TEST(Rtf, ControlWordsGiveTheirTextAndFormats) {
    struct Case {
        const char* Source;
        const char* Expected;
    };
    const Case cases[] = {
        {"{\\rtf1 Hello}", "[Hello|] L"},
        {"{\\rtf1\\ansi {\\b bold} {\\i it}\\ul under\\ul0 \\strike x\\strike0 y}",
         "[bold|,b][ |][it|,i][under|,u][x|,s][y|] L"},
        {"{\\rtf1 a\\b b\\b0 c\\ulnone d}", "[a|][b|,b][cd|] L"},
        {"{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\froman Times New Roman;}}\\f1\\fs28 x\\f0\\fs20 y}",
         "[x|Times New Roman,28][y|Arial,20] L"},
        {"{\\rtf1\\deff1{\\fonttbl\\f0 Courier;\\f1 Tahoma;}x\\f0 y\\plain z}", "[x|Tahoma][y|Courier][z|Tahoma] L"},
        {"{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\cf1 r\\cf2 b\\cf0 a\\cf9 n}",
         "[r|,c255][b|,c16711680][an|] L"},
        {"{\\rtf1 one\\par two\\line three\\tab four}", "[one<P>two<L>three<T>four|] LL"},
        {"{\\rtf1\\qc centred\\par\\pard\\qr right\\par\\pard left\\par}", "[centred<P>right<P>left|] CRL"},
        {"{\\rtf1 a\\par\\par}", "[a<P>|] LL"},
        {"{\\rtf1 \\'e9t\\'E9 \\'80}", "[<233>t<233> <8364>|] L"},
        {"{\\rtf1 \\\\ \\{ \\}}", "[\\ { }|] L"},
        {"{\\rtf1 x\\b}", "[x|] L"},
        {"{\\rtf1 {\\b a}b}", "[a|,b][b|] L"},
        {"{\\rtf1 a}trailing}", "[a|] L"},
        {"{\\rtf1 a", "[a|] L"},
        {"{\\rtf1\r\nline\r\nbreaks\r\n}", "[linebreaks|] L"},
        {"{\\rtf1\\plain\\fs30\\b\\cf0 bold}", "[bold|,30,b] L"},
        {"{\\rtf1 \\fs99999999999 big}", "[big|,3276] L"},
    };
    for (const Case& c : cases) EXPECT_EQ(Read(c.Source), c.Expected) << c.Source;
    EXPECT_EQ(Read(std::string("{\\rtf1 a\0b}", 11)), std::string("[a\0b|] L", 8)) << "a NUL byte is text";
}

TEST(Rtf, UnicodeCharactersSkipTheirStandInsAsUcSays) {
    struct Case {
        const char* Source;
        const char* Expected;
    };
    const Case cases[] = {
        {"{\\rtf1 \\u945?b}", "[<945>b|] L"},
        {"{\\rtf1\\uc2 \\u945??b}", "[<945>b|] L"},
        {"{\\rtf1\\uc0 \\u945?b}", "[<945>?b|] L"},
        {"{\\rtf1\\uc1 \\u945\\'3fb}", "[<945>b|] L"},
        {"{\\rtf1 \\u-10179?\\u-8434?}", "[<55357><57102>|] L"},  // a surrogate pair from signed values
        {"{\\rtf1 {\\uc3 \\u945?}b}", "[<945>b|] L"},             // the group's end stops the skipping
        {"{\\rtf1 {\\uc2 x}\\u945??}", "[x<945>?|] L"},           // \uc belongs to its group
    };
    for (const Case& c : cases) EXPECT_EQ(Read(c.Source), c.Expected) << c.Source;
}

TEST(Rtf, DestinationsWeDoNotShowAreSkipped) {
    struct Case {
        const char* Source;
        const char* Expected;
    };
    const Case cases[] = {
        {"{\\rtf1 a{\\*\\generator Writer 1.0;}b}", "[ab|] L"},
        {"{\\rtf1 a{\\*\\unknown {nested {deeper}} text}b}", "[ab|] L"},
        {"{\\rtf1 a{\\pict\\wmetafile8 0123456789abcdef}b}", "[ab|] L"},
        {"{\\rtf1 a{\\pict\\bin4 }}{}}b}", "[ab|] L"},  // the binary bytes hold braces
        {"{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}x}", "[x|] L"},
        {"{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt shown}}}", "[shown|] L"},
        {"{\\rtf1{\\fonttbl{\\f0{\\*\\panose 020b}Arial;}}\\f0 x}", "[x|Arial] L"},
        {"{\\rtf1 \\unknownword12 x}", "[x|] L"},
    };
    for (const Case& c : cases) EXPECT_EQ(Read(c.Source), c.Expected) << c.Source;
}

TEST(Rtf, TextThatIsNotRtfAndDeepNestingAreRefused) {
    EXPECT_EQ(Read("plain text"), "refused");
    EXPECT_EQ(Read("{\\b x}"), "refused");
    EXPECT_EQ(Read(""), "refused");
    const std::string limit =
        "{\\rtf1 " + std::string(RtfMaxNesting - 1, '{') + "x" + std::string(RtfMaxNesting - 1, '}') + "}";
    EXPECT_EQ(Read(limit), "[x|] L");
    const std::string deep = "{\\rtf1 " + std::string(RtfMaxNesting, '{') + "x}";
    EXPECT_EQ(Read(deep), "refused");
    // Depth is what is open at once: many groups one after another are fine.
    std::string wide = "{\\rtf1 ";
    for (int i = 0; i < 10000; ++i) wide += "{a}";
    EXPECT_TRUE(ReadRtf(wide + "}").Ok);
}

TEST(Rtf, WhatTheWriterWritesReadsBackAsTheSameContent) {
    std::vector<TRichText> contents(5);
    contents[0].Append(u"plain", Plain());
    contents[1].Append(u"bold ", With([](TRichCharFormat& f) { f.Bold = true; }));
    contents[1].Append(u"red \\{x}", With([](TRichCharFormat& f) {
                           f.Color = 0x0000FF;
                           f.FontName = "Times; New";
                           f.HalfPoints = 28;
                       }));
    contents[1].Append(u"\r", With([](TRichCharFormat& f) { f.Italic = true; }));
    contents[1].Paragraphs = {taCenter, taRightJustify};
    contents[1].Append(u"\u03B1\u00E9\u20AC\U0001D11E tab\tline\vend", With([](TRichCharFormat& f) {
                           f.Underline = f.StrikeOut = true;
                           f.Color = 0x00FF00;
                       }));
    contents[2].Append(u"a\r\r", Plain());  // empty paragraphs at the end stay
    contents[2].Paragraphs = {taLeftJustify, taCenter, taRightJustify};
    contents[3].Append(u" leading and trailing spaces ", Plain());
    contents[3].Append(u"\x01\n\x7F\xA0", With([](TRichCharFormat& f) { f.FontName = "\xE9t\xE9"; }));
    for (const TRichText& content : contents) {
        const std::string rtf = WriteRtf(content);
        const TRtfReadResult back = ReadRtf(rtf);
        ASSERT_TRUE(back.Ok) << rtf;
        EXPECT_EQ(Describe(back.Content), Describe(content)) << rtf;
        EXPECT_EQ(back.Content, content) << rtf;
    }
}

TEST(Rtf, ChangingTheFormatOfARangeSplitsAndMergesRuns) {
    TRichText t;
    t.Append(u"abcdef", Plain());
    t.ChangeFormat(2, 2, [](TRichCharFormat& f) { f.Bold = true; });
    EXPECT_EQ(Describe(t), "[ab|][cd|,b][ef|] L");
    t.ChangeFormat(0, 100, [](TRichCharFormat& f) { f.Bold = true; });
    EXPECT_EQ(Describe(t), "[abcdef|,b] L");
    t.ChangeFormat(6, 1, [](TRichCharFormat& f) { f.Bold = false; });
    EXPECT_EQ(Describe(t), "[abcdef|,b] L");
    EXPECT_TRUE(t.FormatAt(3).Bold);
}

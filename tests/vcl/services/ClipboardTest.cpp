// The clipboard: its open state, the registered formats and text through the windowing system.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "support/ClipboardBytes.h"
#include "vcl/Clipbrd.h"
#include "vcl/OleBlocks.h"

namespace {

class ClipboardTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetOpenClipboardFailsForTest(false);
        CloseClipboard();
    }
};

HGLOBAL BlockOf(const std::string& Bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, Bytes.size());
    std::memcpy(GlobalLock(block), Bytes.data(), Bytes.size());
    GlobalUnlock(block);
    return block;
}

// One generation: the clipboard emptied, then given each format's block.
void Write(const std::vector<std::pair<UINT, std::string>>& Formats) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    for (const auto& [format, bytes] : Formats) ASSERT_TRUE(SetClipboardData(format, BlockOf(bytes)));
    CloseClipboard();
}

UINT Cells() { return RegisterClipboardFormat("Some Cells"); }
UINT Rich() { return RegisterClipboardFormat("Rich Text Format"); }
const std::string CellsMime = "application/x-qt-windows-mime;value=\"Some Cells\"";

}  // namespace

TEST_F(ClipboardTest, OneWindowHoldsTheClipboardOpenAtATime) {
    HWND one = reinterpret_cast<HWND>(std::uintptr_t{0x1010});
    HWND two = reinterpret_cast<HWND>(std::uintptr_t{0x1020});
    EXPECT_FALSE(CloseClipboard());
    EXPECT_TRUE(OpenClipboard(one));
    EXPECT_TRUE(OpenClipboard(one));
    EXPECT_FALSE(OpenClipboard(two));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_TRUE(OpenClipboard(two));
    EXPECT_TRUE(CloseClipboard());

    SetOpenClipboardFailsForTest(true);
    EXPECT_FALSE(OpenClipboard(nullptr));
}

TEST_F(ClipboardTest, RegisteredFormatsShareOneTableWithoutCase) {
    const UINT rich = RegisterClipboardFormat("Rich Text Format");
    EXPECT_GE(rich, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormat("RICH TEXT FORMAT"), rich);
    const UINT cells = RegisterClipboardFormat("Some Cells");
    EXPECT_GE(cells, 0xC000u);
    EXPECT_NE(cells, rich);
    EXPECT_EQ(RegisterClipboardFormat(""), 0u);
    EXPECT_EQ(RegisterClipboardFormat(nullptr), 0u);

    char name[64];
    EXPECT_EQ(GetClipboardFormatName(rich, name, sizeof name), 16);
    EXPECT_STREQ(name, "Rich Text Format");
    EXPECT_EQ(GetClipboardFormatName(rich, name, 5), 4);
    EXPECT_STREQ(name, "Rich");
    EXPECT_EQ(GetClipboardFormatName(CF_TEXT, name, sizeof name), 0);
    EXPECT_EQ(GetClipboardFormatName(0xFFFF, name, sizeof name), 0);
}

TEST_F(ClipboardTest, TextTravelsAsWindows1252) {
    const AnsiString text = "Preis: 5 \x80 \xE9t\xE9";
    Clipboard()->SetAsText(text);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
    EXPECT_FALSE(Clipboard()->HasFormat(CF_HDROP));
    EXPECT_FALSE(Clipboard()->HasFormat(static_cast<Word>(RegisterClipboardFormat("Rich Text Format"))));
    EXPECT_EQ(Clipboard()->AsText(), text);
}

TEST_F(ClipboardTest, TheObjectOpensCountedAndFailsWhenTheClipboardCannotBeOpened) {
    Clipboard()->SetAsText("kept");
    Clipboard()->Open();
    Clipboard()->Open();
    EXPECT_EQ(Clipboard()->AsText(), "kept");
    Clipboard()->Close();
    EXPECT_FALSE(OpenClipboard(reinterpret_cast<HWND>(std::uintptr_t{0x1010})));  // still ours
    Clipboard()->Close();
    EXPECT_TRUE(OpenClipboard(reinterpret_cast<HWND>(std::uintptr_t{0x1010})));
    CloseClipboard();

    SetOpenClipboardFailsForTest(true);
    try {
        (void)Clipboard()->AsText();
        FAIL() << "no exception";
    } catch (const EClipboardException& e) {
        EXPECT_EQ(e.Message(), "Cannot open clipboard");
    }
    EXPECT_THROW(Clipboard()->SetAsText("lost"), EClipboardException);
    SetOpenClipboardFailsForTest(false);
    EXPECT_EQ(Clipboard()->AsText(), "kept");
}

TEST_F(ClipboardTest, ReadsAreCopiesOfExactSizeInTheFormatAsked) {
    const std::string cells("\x01\x00\xFF\x00", 4);
    Write({{CF_TEXT, std::string("ab\0cd", 6)}, {Rich(), std::string("{\\rtf1 x}\0junk", 14)}, {Cells(), cells}});
    struct Case {
        UINT Format;
        std::optional<std::string> Bytes;
    };
    const Case cases[] = {
        {CF_TEXT, std::string("ab\0", 3)},  // a text ends at its first NUL
        {CF_UNICODETEXT, WideTextBytes(u"ab")},
        {Rich(), std::string("{\\rtf1 x}\0", 10)},
        {Cells(), cells},  // private bytes travel as they are, zeros and all
        {CF_HDROP, std::nullopt},
        {RegisterClipboardFormat("Never Written"), std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ClipboardBytes(c.Format), c.Bytes) << c.Format;
    EXPECT_TRUE(IsClipboardFormatAvailable(Cells()));
    EXPECT_FALSE(IsClipboardFormatAvailable(RegisterClipboardFormat("Never Written")));
}

// Wide text is read in blocks of four characters: the first zero character ends it wherever it stands,
// and a block without one reads to its last whole character.
TEST_F(ClipboardTest, AWideBlockReadsUpToItsFirstZeroCharacterWhereverItStands) {
    const WideString text = u"\u20ACbcdefghijklmn\u0416";
    for (std::size_t at = 0; at <= text.size(); ++at) {
        std::string block = WideTextBytes(text);
        block[2 * at] = block[2 * at + 1] = '\0';
        EXPECT_EQ(WideTextOfBlock(block), text.substr(0, at)) << at;
        block.resize(2 * at + 1);  // cut inside the zero character
        EXPECT_EQ(WideTextOfBlock(block), text.substr(0, at)) << at;
    }
    const std::string unterminated = WideTextBytes(text).substr(0, 2 * text.size()) + "x";
    EXPECT_EQ(WideTextOfBlock(unterminated), text);
    // A zero byte in a character is no zero character.
    EXPECT_EQ(WideTextOfBlock(std::string("\x00\x01\x41\x00\x00\x00", 6)), u"\u0100A");
}

TEST_F(ClipboardTest, TextConvertsBetweenWindows1252AndUtf16AndTheWideTextWins) {
    Write({{CF_UNICODETEXT, WideTextBytes(u"\u20AC\u00E9\u03A9")}});
    EXPECT_EQ(ClipboardBytes(CF_TEXT), std::string("\x80\xE9?\0", 4));  // the Greek letter has no byte
    EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT), WideTextBytes(u"\u20AC\u00E9\u03A9"));

    // One generation with both: the wide text whatever the order.
    Write({{CF_UNICODETEXT, WideTextBytes(u"\u03A9 wide")}, {CF_TEXT, std::string("narrow\0", 7)}});
    EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT), WideTextBytes(u"\u03A9 wide"));
    Write({{CF_TEXT, std::string("narrow\0", 7)}, {CF_UNICODETEXT, WideTextBytes(u"wide")}});
    EXPECT_EQ(Clipboard()->AsText(), "wide");
}

TEST_F(ClipboardTest, ForeignTextBreakingLinesWithLfAloneReadsWithCrLf) {
    struct Case {
        std::vector<std::pair<AnsiString, std::string>> Foreign;
        AnsiString Text;
    };
    const Case cases[] = {
        {{{"text/plain", "a\nb\n"}}, "a\r\nb\r\n"},
        {{{"text/plain", "a\r\nb\nc"}}, "a\r\nb\nc"},  // a text with a CR is taken as it is
        {{{"text/plain", "caf\xC3\xA9"}}, "caf\xE9"},
        {{{"text/html", "<b>x</b>"}}, ""},
    };
    for (const Case& c : cases) {
        SetForeignClipboardForTest(c.Foreign);
        EXPECT_EQ(Clipboard()->AsText(), c.Text);
    }
    SetForeignClipboardForTest({{"text/plain", "x\ny"}});
    EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT), WideTextBytes(u"x\r\ny"));

    Clipboard()->SetAsText("ours\nalone");  // our own text keeps its line ends
    EXPECT_EQ(Clipboard()->AsText(), "ours\nalone");
}

TEST_F(ClipboardTest, ForeignRichTextAndPrivateFormatsAreOffered) {
    SetForeignClipboardForTest({{"application/rtf", "{\\rtf1 a}"}, {CellsMime, std::string("\0\1", 2)}});
    EXPECT_TRUE(IsClipboardFormatAvailable(Rich()));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(ClipboardBytes(Rich()), std::string("{\\rtf1 a}\0", 10));
    EXPECT_EQ(ClipboardBytes(Cells()), std::string("\0\1", 2));

    SetForeignClipboardForTest({{"text/rtf", "{\\rtf1 b}"}});
    EXPECT_EQ(ClipboardBytes(Rich()), std::string("{\\rtf1 b}\0", 10));
}

TEST_F(ClipboardTest, WhatOneOpeningWritesArrivesAtTheCloseAndAddsToWhatStandsWithoutEmptying) {
    Clipboard()->SetAsText("text");
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(SetClipboardData(Rich(), BlockOf(std::string("{\\rtf1 r}", 9))));
    CloseClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "text");
    EXPECT_EQ(ClipboardBytes(Rich()), std::string("{\\rtf1 r}\0", 10));

    Clipboard()->Clear();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(Rich()));
}

TEST_F(ClipboardTest, TheClipboardOwnsTheBlocksItIsGivenAndReadsAreUntouchedByLaterChanges) {
    const std::size_t before = GlobalBlockCountForTest();
    SetForeignClipboardForTest({{"text/plain", "first"}});
    ASSERT_TRUE(OpenClipboard(nullptr));
    HGLOBAL read = GetClipboardData(CF_TEXT);
    ASSERT_TRUE(read);
    EXPECT_EQ(GlobalSize(read), 6u);
    SetForeignClipboardForTest({{"text/plain", "second, longer"}});
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(read)), GlobalSize(read)), std::string("first\0", 6));
    GlobalUnlock(read);

    HGLOBAL refused = BlockOf("bitmap");
    EXPECT_FALSE(SetClipboardData(CF_BITMAP, refused));  // not carried: the caller keeps its block
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_TRUE(SetClipboardData(CF_TEXT, BlockOf(std::string("kept\0", 5))));
    CloseClipboard();
    GlobalFree(refused);
    EXPECT_EQ(GlobalBlockCountForTest(), before);
    EXPECT_EQ(Clipboard()->AsText(), "kept");

    // A closed clipboard takes and gives nothing.
    HGLOBAL closed = BlockOf("x");
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_FALSE(SetClipboardData(CF_TEXT, closed));
    EXPECT_FALSE(GetClipboardData(CF_TEXT));
    GlobalFree(closed);
}

TEST_F(ClipboardTest, OpeningFailsOnceAfterTheGivenNumberOfOpens) {
    FailOpenClipboardOnceForTest(1);
    EXPECT_TRUE(OpenClipboard(nullptr));
    CloseClipboard();
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_TRUE(OpenClipboard(nullptr));
    CloseClipboard();
}

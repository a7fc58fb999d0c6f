// The clipboard: its open state, the registered formats and text through the windowing system.
#include <gtest/gtest.h>

#include "vcl/Clipbrd.h"

namespace {

class ClipboardTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetOpenClipboardFailsForTest(false);
        CloseClipboard();
    }
};

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

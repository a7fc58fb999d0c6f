// The typed edit's clipboard as the edit menu reaches it: permissions for copy, cut and paste, what a
// paste selects, and a clipboard that cannot be opened.
#include <string>
#include <vector>

#include "ProEditFixture.h"
#include "vcl/Clipbrd.h"
#include "vcl/Windows.h"

using namespace ProEdit;

namespace {

class ProEditClipboardTest : public ProEditFixture {
protected:
    void TearDown() override {
        SetOpenClipboardFailsForTest(false);
        ProEditFixture::TearDown();
    }
    // The edit's menu sends the clipboard messages to the focused edit.
    static void Paste(TProEdit* Edit) { Edit->Perform(WM_PASTE, 0, 0); }
};

TEST_F(ProEditClipboardTest, APasteReplacesTheSelectionAndKeepsThePastedTextSelected) {
    TProEdit* edit = Edit();
    edit->SetPrefix("[");
    edit->SetSuffix("]");
    edit->SetText("abcdef");
    Focus(edit);
    Clipboard()->SetAsText("XY");
    edit->Perform(EM_SETSEL, 2, 4);
    Paste(edit);
    EXPECT_EQ(Shown(edit), "[aXYdef]");
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_EQ(edit->SelLength(), 2);
    EXPECT_TRUE(edit->Modified());
    // Inserted at the caret, the caret goes after it; a selection into the prefix is cut to the value.
    edit->Perform(EM_SETSEL, 0, 0);
    Paste(edit);
    EXPECT_EQ(Shown(edit), "[XYaXYdef]");
    EXPECT_EQ(edit->SelStart(), 3);
    EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(ProEditClipboardTest, TheClipboardEventsSeeTheSelectedValueAndMayRefuse) {
    TProEdit* edit = Edit();
    edit->SetPrefix("No");
    edit->SetText("12345");
    Focus(edit);
    std::vector<std::string> seen;
    bool allow = false;
    auto record = [&](const char* What) {
        return [&, What](TObject*, const AnsiString& Value, bool& Allow) {
            seen.push_back(std::string(What) + " " + Value);
            Allow = allow;
        };
    };
    edit->OnClipboardCopy = record("copy");
    edit->OnClipboardCut = record("cut");
    edit->OnClipboardPaste = record("paste");
    Clipboard()->SetAsText("zz");
    edit->Perform(EM_SETSEL, 3, 5);
    edit->Perform(WM_COPY, 0, 0);
    edit->Perform(WM_CUT, 0, 0);
    Paste(edit);
    EXPECT_EQ(seen, (std::vector<std::string>{"copy 23", "cut 23", "paste 23"}));
    EXPECT_EQ(Shown(edit), "No12345");
    EXPECT_EQ(Clipboard()->AsText(), "zz");
    allow = true;
    Paste(edit);
    EXPECT_EQ(Shown(edit), "No1zz45");
}

TEST_F(ProEditClipboardTest, NothingIsPastedIntoAReadOnlyEditOrFromAClosedClipboard) {
    TProEdit* edit = Edit();
    edit->SetText("keep");
    Focus(edit);
    Clipboard()->SetAsText("new");
    edit->SetReadOnly(true);
    Paste(edit);
    EXPECT_EQ(edit->Text(), "keep");
    edit->SetReadOnly(false);
    SetOpenClipboardFailsForTest(true);
    Paste(edit);
    EXPECT_EQ(edit->Text(), "keep");
    SetOpenClipboardFailsForTest(false);
    Paste(edit);
    EXPECT_EQ(edit->Text(), "new");
}

TEST_F(ProEditClipboardTest, APasteEndsAtTheFirstLineBreakOrNul) {
    TProEdit* edit = Edit();
    edit->SetSuffix("]");
    Focus(edit);
    for (const std::string& pasted : {std::string("one\ntwo"), std::string("one\rtwo"), std::string("one\0two", 7)}) {
        SCOPED_TRACE(pasted);
        edit->SetText("");
        Clipboard()->SetAsText(pasted);
        Paste(edit);
        EXPECT_EQ(Shown(edit), "one]");
    }
}

TEST_F(ProEditClipboardTest, FloatPastesMustBeNumbersAndDecimalsNeedAPrecision) {
    struct Case {
        SmallInt precision;
        const char* pasted;
        Integer decimal;
        const char* value;
    };
    const std::vector<Case> cases{
        {0, "12", '.', "12"}, {0, "1.5", '.', ""}, {2, "1.5", '.', "1.50"},  {2, "1,5", ',', "1,50"},
        {2, "-", '.', ""},    {2, "1e5", '.', ""}, {2, "1,5", '.', "15.00"}, {2, "1'5", '.', ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted);
        DecimalSeparator = static_cast<char>(c.decimal);
        ThousandSeparator = c.decimal == ',' ? '.' : ',';
        TProEdit* edit = Edit(etFloat);
        edit->SetPrecision(c.precision);
        edit->SetText("");
        Focus(edit);
        Clipboard()->SetAsText(c.pasted);
        Paste(edit);
        EXPECT_EQ(edit->Text(), c.value);
        edit->Free();
    }
}

TEST_F(ProEditClipboardTest, APastedMoneyValueIsGroupedAndSelectedWhole) {
    TProEdit* edit = Edit(etMoney);
    edit->SetText("");
    Focus(edit);
    Clipboard()->SetAsText("1234567");
    Paste(edit);
    EXPECT_EQ(edit->Text(), "1,234,567");
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), 9);
}

}  // namespace

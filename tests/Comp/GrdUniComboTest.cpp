// The Unicode combo on a shown form: wide items through the wide messages, IndexOf without case, a
// pick setting the wide text before OnClick and OnChange, Clear keeping the text, and the button edge of
// its flat look shown only while hovered or active.
#include <algorithm>
#include <memory>
#include <vector>

#include "GrdUni.h"
#include "GridUnitFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

using namespace GrdUni;

namespace {

class GrdUniComboTest : public GridUnitFixture {
protected:
    void SetUp() override {
        GridUnitFixture::SetUp();
        form->SetColor(clTeal);
        other = Place<TEdit>(220, 20, 100, 24);
    }
    void TearDown() override {
        GridUnitFixture::TearDown();
        ResetWindowsVersion();
    }

    TGRDUniComboBox* NewCombo() {
        auto* combo = Place<TGRDUniComboBox>(20, 20, 160, 24);
        combo->SetColor(clYellow);
        combo->Items()->SetText(u"\u00C4pfel\n\u65E5\u672C\n\u4E2D\u6587\napfel");
        Input::Settle();
        return combo;
    }

    COLORREF PixelAt(TControl* Control, Integer X, Integer Y) {
        Input::Settle();
        std::unique_ptr<TBitmap> window(Testing::GrabWindow(form));
        const TPoint at = form->ScreenToClient(Control->ClientToScreen(Point(X, Y)));
        return ColorToRGB(window->Canvas()->Pixels(at.X, at.Y));
    }

    TEdit* other = nullptr;
};

std::vector<WideString> Items(const TWideStrings& List) {
    std::vector<WideString> out;
    for (Integer i = 0; i < List.Count(); ++i) out.push_back(List.Strings(i));
    return out;
}

TEST_F(GrdUniComboTest, ItemsKeepWideTextAndIndexOfIgnoresCaseFromTheStart) {
    auto* combo = NewCombo();
    EXPECT_TRUE(IsWindowUnicode(combo->Handle()));
    EXPECT_EQ(Items(*combo->Items()),
              (std::vector<WideString>{u"\u00C4pfel", u"\u65E5\u672C", u"\u4E2D\u6587", u"apfel"}));
    struct Case {
        WideString Sought;
        Integer Index;
    };
    // The two CJK items are both "??" in the code page; only the wide search tells them apart.
    const Case cases[] = {
        {u"\u00E4PFEL", 0}, {u"APFEL", 3}, {u"\u4E2D\u6587", 2}, {u"\u65E5\u672C", 1}, {u"\u65E5", -1},
        {u"??", -1},        {u"", -1}};
    for (const Case& c : cases) EXPECT_EQ(combo->Items()->IndexOf(c.Sought), c.Index) << (&c - cases);
    EXPECT_EQ(combo->Items()->AnsiStrings()->Strings(1), "??");
    combo->Items()->Insert(1, u"\u20AC");
    EXPECT_EQ(combo->Items()->Strings(1), u"\u20AC");
    EXPECT_THROW(combo->Items()->Insert(9, u"x"), EOutOfResources);
    combo->Items()->Delete(1);
    EXPECT_EQ(combo->Items()->Count(), 4);
}

TEST_F(GrdUniComboTest, APickSetsTheWideTextThenFiresClickAndChangeOnce) {
    auto* combo = NewCombo();
    combo->SetStyle(csDropDownList);
    combo->SetItemIndex(0);
    std::vector<std::pair<char, WideString>> heard;
    combo->OnClick = [&](TObject*) { heard.emplace_back('C', combo->Text()); };
    combo->OnChange = [&](TObject*) { heard.emplace_back('H', combo->Text()); };
    Input::TabTo(combo);
    Input::Key(combo, VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 1);
    const std::vector<std::pair<char, WideString>> expected = {{'C', u"\u65E5\u672C"}, {'H', u"\u65E5\u672C"}};
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(Testing::PeerWideText(combo), u"\u65E5\u672C");
    // The next one differs only where the code page cannot tell.
    Input::Key(combo, VK_DOWN);
    EXPECT_EQ(combo->Text(), u"\u4E2D\u6587");
    EXPECT_EQ(heard.size(), 4u);
}

TEST_F(GrdUniComboTest, ReturnAndEscCloseTheDroppedListThroughTheUnicodeEditPart) {
    struct Case {
        const char* what;
        Word key;
        bool pick;
        WideString text;
    };
    for (const Case& c : std::vector<Case>{{"Return after a pick", VK_RETURN, true, u"\u65E5\u672C"},
                                           {"Esc without a pick", VK_ESCAPE, false, u"\u00C4pfel"}}) {
        SCOPED_TRACE(c.what);
        auto* combo = NewCombo();
        combo->SetItemIndex(0);
        std::vector<Byte> keys;
        combo->OnKeyPress = [&](TObject*, char& Key) { keys.push_back(static_cast<Byte>(Key)); };
        EXPECT_TRUE(IsWindowUnicode(combo->EditHandle()));
        Input::TabTo(combo);
        Input::Key(combo, VK_F4);
        ASSERT_TRUE(combo->DroppedDown());
        if (c.pick) Input::Key(combo, VK_DOWN);
        Input::Key(combo, c.key);
        EXPECT_FALSE(combo->DroppedDown());
        EXPECT_EQ(keys, (std::vector<Byte>{static_cast<Byte>(c.key == VK_RETURN ? '\r' : 0x1B)}));
        EXPECT_EQ(combo->Text(), c.text);
        EXPECT_EQ(Testing::PeerWideText(combo), c.text);
        combo->Free();
    }
}

TEST_F(GrdUniComboTest, ClearKeepsTheTextTheComboShows) {
    for (DWORD platform : {VER_PLATFORM_WIN32_NT, VER_PLATFORM_WIN32_WINDOWS}) {
        SetWindowsVersionForTest(platform, platform == VER_PLATFORM_WIN32_NT ? 5 : 4, 1, 2600);
        auto* combo = NewCombo();
        combo->SetText(u"\u00C4pfel \u20AC");
        int changes = 0;
        combo->OnChange = Counter(changes);
        combo->Items()->Clear();
        EXPECT_EQ(combo->Items()->Count(), 0) << platform;
        EXPECT_EQ(combo->Text(), u"\u00C4pfel \u20AC") << platform;
        EXPECT_EQ(Testing::PeerWideText(combo), u"\u00C4pfel \u20AC") << platform;
        EXPECT_EQ(changes, 0) << platform;
        combo->Free();
        ResetWindowsVersion();
    }
}

TEST_F(GrdUniComboTest, TypingAndCommittingWideTextReachTheComboWhole) {
    auto* combo = NewCombo();
    std::vector<Byte> keys;
    combo->OnKeyPress = [&](TObject*, char& Key) { keys.push_back(static_cast<Byte>(Key)); };
    int changes = 0;
    combo->OnChange = Counter(changes);
    Input::TabTo(combo);
    Input::TypeWide(combo, u"\u65E5");
    Input::CommitInputMethod(combo, u"\u20AC\u00E9");
    EXPECT_EQ(combo->Text(), u"\u65E5\u20AC\u00E9");
    EXPECT_EQ(keys, (std::vector<Byte>{255, 255, 0xE9}));
    EXPECT_EQ(changes, 3);
    Input::Key(combo, VK_BACK);
    EXPECT_EQ(keys.back(), '\b');
    EXPECT_EQ(combo->Text(), u"\u65E5\u20AC");
}

TEST_F(GrdUniComboTest, TheButtonEdgeShowsOnlyWhileHoveredOrActiveAndIsFilledOtherwise) {
    auto* combo = NewCombo();
    const Integer x = combo->Width() - 2, y = combo->ClientHeight() - 1;
    struct Step {
        const char* What;
        void (*Do)(TGRDUniComboBox*, TEdit*);
        TColor Corner;
    };
    const Step steps[] = {
        {"cold", [](TGRDUniComboBox*, TEdit*) {}, clBtnFace},
        {"hovered", [](TGRDUniComboBox* c, TEdit*) { Testing::MouseEnter(c); }, cl3DDkShadow},
        {"left", [](TGRDUniComboBox* c, TEdit*) { Testing::MouseLeave(c); }, clBtnFace},
        {"focused", [](TGRDUniComboBox* c, TEdit*) { Input::TabTo(c); }, cl3DDkShadow},
        {"etched", [](TGRDUniComboBox* c, TEdit*) { c->SetEtched(true); }, clBtnHighlight},
        {"focus gone", [](TGRDUniComboBox*, TEdit* o) { Input::TabTo(o); }, clBtnFace},
    };
    for (const Step& s : steps) {
        s.Do(combo, other);
        EXPECT_EQ(PixelAt(combo, x, y), ColorToRGB(s.Corner)) << s.What;
    }
}

TEST_F(GrdUniComboTest, DescriptionsAndBinaryStreamsKeepCodesAbove255) {
    RegisterClasses({TGRDUniComboBox::ClassInfo(), TGrdUniEdit::ClassInfo()});
    ReadComponentFromText(R"(object Form1: TForm
  object Combo1: TGRDUniComboBox
    Left = 8
    Top = 8
    Width = 150
    Items.WideStrings = (
      #26085#26412
      'caf'#233
      'x'#8364)
    Text = 'x'#26085 + '!'''
  end
  object Edit1: TGrdUniEdit
    Left = 8
    Top = 40
    Text = #26085'!'#128512
  end
end
)",
                          form);
    auto* combo = dynamic_cast<TGRDUniComboBox*>(form->FindComponent("Combo1"));
    auto* edit = dynamic_cast<TGrdUniEdit*>(form->FindComponent("Edit1"));
    ASSERT_TRUE(combo && edit);
    const std::vector<WideString> items = {u"\u65E5\u672C", u"caf\u00E9", u"x\u20AC"};
    EXPECT_EQ(Items(*combo->Items()), items);
    EXPECT_EQ(combo->Text(), u"x\u65E5!'");
    EXPECT_EQ(edit->Text(), u"\u65E5!\xD83D\xDE00");

    TMemoryStream stream;
    stream.WriteComponent(combo);
    stream.SetPosition(0);
    auto* copy = new TGRDUniComboBox(nullptr);  // the name is taken on the form
    copy->SetParent(form);
    stream.ReadComponent(copy);
    EXPECT_EQ(Items(*copy->Items()), items);
    EXPECT_EQ(copy->Text(), u"x\u65E5!'");
}

}  // namespace

// What every edit-like control shows is its Text: MaxLength limits only what the user types or pastes
// afterwards, and no setting of the native widget cuts or changes the text it holds.
#include <functional>
#include <string>
#include <vector>

#include "StdCtrlsFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

struct EditLike {
    const char* name;
    std::function<TWinControl*(TForm*)> create;
    std::function<void(TWinControl*, Integer)> setMaxLength;
};

template <typename T>
EditLike EditKind(const char* Name) {
    return {Name,
            [](TForm* Form) {
                auto* c = new T(Form);
                c->SetParent(Form);
                c->SetBounds(10, 10, 150, 24);
                return c;
            },
            [](TWinControl* C, Integer Value) { static_cast<T*>(C)->SetMaxLength(Value); }};
}

const std::vector<EditLike>& EditLikes() {
    static const std::vector<EditLike> kinds{EditKind<TEdit>("edit"), EditKind<TMemo>("memo"),
                                             EditKind<TComboBox>("combo box"), EditKind<TSpinEdit>("spin edit"),
                                             EditKind<TMaskEdit>("mask edit")};
    return kinds;
}

class EditLikeTextTest : public StdCtrlsTest {
protected:
    // The user copies Text from an edit of its own (select all, Ctrl+C).
    void CopyToClipboard(const AnsiString& Text) {
        auto* source = Place<TEdit>(10, 200, 150, 21);
        source->SetText(Text);
        Input::TabTo(source);
        Input::Key(source, 'A', {ssCtrl});
        Input::Key(source, 'C', {ssCtrl});
        source->Free();
    }
};

TEST_F(EditLikeTextTest, ATextFromCodeShowsFromItsFirstCharacter) {
    const AnsiString start = "2'400'";
    for (const EditLike& kind : EditLikes()) {
        SCOPED_TRACE(kind.name);
        TWinControl* c = kind.create(form);
        c->SetWidth(80);
        c->SetText(start);
        Input::Settle();
        // The first line only: a memo wraps what does not fit.
        const std::vector<TColor> startShown = ShownPixels(form, c, 24, 15);
        c->SetText(start + "000'000'000'000'000'000'000");
        Input::Settle();
        EXPECT_EQ(ShownPixels(form, c, 24, 15), startShown);
        c->Free();
    }
}

TEST_F(EditLikeTextTest, MaxLengthNeverCutsATextAlreadyThere) {
    for (const EditLike& kind : EditLikes()) {
        SCOPED_TRACE(kind.name);
        TWinControl* c = kind.create(form);
        c->SetText("123456");
        kind.setMaxLength(c, 3);
        Input::Settle();
        EXPECT_EQ(c->Text(), "123456");
        EXPECT_EQ(Testing::PeerText(c), "123456");
        // A text set afterwards is not cut either.
        c->SetText("1234567");
        EXPECT_EQ(Testing::PeerText(c), "1234567");
        // Typing at the end adds nothing; deleting still works and what is shown stays the Text.
        Input::TabTo(c);
        Input::Key(c, VK_END, {ssCtrl});  // a memo's end
        Input::Key(c, VK_END);
        Input::Type(c, "8");
        EXPECT_EQ(c->Text(), "1234567");
        Input::Key(c, VK_BACK);
        EXPECT_EQ(c->Text(), "123456");
        EXPECT_EQ(Testing::PeerText(c), "123456");
        c->Free();
    }
}

TEST_F(EditLikeTextTest, MaxLengthCutsWhatIsTypedOrPasted) {
    for (const EditLike& kind : EditLikes()) {
        SCOPED_TRACE(kind.name);
        CopyToClipboard("6789");
        TWinControl* c = kind.create(form);
        kind.setMaxLength(c, 4);
        Input::TabTo(c);
        Input::Type(c, "12");
        Input::Key(c, 'V', {ssCtrl});  // as much of "6789" as fits
        EXPECT_EQ(c->Text(), "1267");
        Input::Type(c, "5");
        EXPECT_EQ(c->Text(), "1267");
        // Pasting over a selection: the selection's room counts.
        Input::Key(c, VK_HOME);
        Input::Key(c, VK_RIGHT, {ssShift});
        Input::Key(c, 'V', {ssCtrl});
        EXPECT_EQ(c->Text(), "6267");
        EXPECT_EQ(Testing::PeerText(c), c->Text());
        c->Free();
    }
}

TEST_F(EditLikeTextTest, ALongTextReachesTheWidgetWhole) {
    const AnsiString longText(40000, '7');
    for (const EditLike& kind : EditLikes()) {
        SCOPED_TRACE(kind.name);
        TWinControl* c = kind.create(form);
        c->SetText(longText);
        EXPECT_EQ(Testing::PeerText(c).size(), longText.size());
        c->Free();
        // Set before the control has its window.
        auto* late = kind.create(form);
        late->SetParent(nullptr);
        late->SetText(longText);
        late->SetParent(form);
        Input::Settle();
        EXPECT_EQ(Testing::PeerText(late).size(), longText.size());
        late->Free();
    }
}

TEST_F(EditLikeTextTest, TypingIntoAComboBoxShowsWhatItsTextHolds) {
    auto* combo = Place<TComboBox>(10, 10, 150, 24);
    combo->Items()->SetText("12345\n678");
    Input::TabTo(combo);
    Input::Type(combo, "12");
    EXPECT_EQ(combo->Text(), Testing::PeerText(combo));
}

TEST_F(EditLikeTextTest, AComboBoxWithoutAnEditPartShowsItsTextAsItsItem) {
    auto* combo = Place<TComboBox>(10, 10, 150, 24);
    combo->Items()->SetText("one\ntwo");
    Input::TabTo(combo);
    Input::Type(combo, "tw");
    combo->SetStyle(csDropDownList);
    EXPECT_EQ(combo->Text(), "");
    EXPECT_EQ(Testing::PeerText(combo), "");
    combo->SetText("TWO");  // an item, in any letter case: it is selected
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "two");
    combo->SetText("three");  // no item: nothing changes
    EXPECT_EQ(combo->Text(), "two");
    EXPECT_EQ(Testing::PeerText(combo), "two");
}

}  // namespace

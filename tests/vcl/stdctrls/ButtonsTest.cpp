#include "StdCtrlsFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

using ButtonsTest = StdCtrlsTest;

TEST_F(ButtonsTest, SetCheckedFiresOnClickOnAChange) {
    auto* box = Place<TCheckBox>(10, 10, 120, 17);
    int clicks = 0;
    box->OnClick = Counter(clicks);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(Testing::PeerChecked(box));
    box->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    box->SetChecked(false);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(Testing::PeerChecked(box));
}

TEST_F(ButtonsTest, AUserClickTogglesACheckBoxThroughItsStates) {
    auto* box = Place<TCheckBox>(10, 10, 120, 17);
    int clicks = 0;
    box->OnClick = Counter(clicks);
    struct Step {
        bool allowGrayed;
        TCheckBoxState after;
    };
    const Step steps[] = {
        {false, cbChecked}, {false, cbUnchecked}, {true, cbGrayed}, {true, cbChecked}, {true, cbUnchecked}};
    int expected = 0;
    for (const Step& s : steps) {
        box->SetAllowGrayed(s.allowGrayed);
        Testing::Click(box);
        EXPECT_EQ(box->State(), s.after);
        EXPECT_EQ(clicks, ++expected);
        if (s.after != cbGrayed) {
            EXPECT_EQ(Testing::PeerChecked(box), s.after == cbChecked);
        }
    }
}

TEST_F(ButtonsTest, AClickOnADisabledControlDoesNothing) {
    auto* box = Place<TCheckBox>(10, 10, 120, 17);
    auto* button = Place<TButton>(10, 40, 75, 25);
    int clicks = 0;
    box->OnClick = Counter(clicks);
    button->OnClick = Counter(clicks);
    box->SetEnabled(false);
    button->SetEnabled(false);
    Testing::Click(box);
    Testing::Click(button);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(box->Checked());
}

TEST_F(ButtonsTest, CheckingARadioUnchecksOnlyItsSiblings) {
    auto* panel = Place<TWinControl>(200, 0, 150, 150);
    auto* a = Place<TRadioButton>(10, 10, 100, 17);
    auto* b = Place<TRadioButton>(10, 30, 100, 17);
    auto* other = Place<TRadioButton>(10, 10, 100, 17, panel);
    other->SetChecked(true);
    a->SetChecked(true);
    int clicksA = 0, clicksB = 0;
    a->OnClick = Counter(clicksA);
    b->OnClick = Counter(clicksB);
    b->SetChecked(true);
    EXPECT_EQ(clicksB, 1);
    EXPECT_EQ(clicksA, 0);  // unchecking fires nothing
    EXPECT_FALSE(a->Checked());
    EXPECT_FALSE(Testing::PeerChecked(a));
    EXPECT_TRUE(other->Checked());
    EXPECT_TRUE(Testing::PeerChecked(other));
}

TEST_F(ButtonsTest, AUserClickChecksAnUncheckedRadioOnce) {
    auto* a = Place<TRadioButton>(10, 10, 100, 17);
    auto* b = Place<TRadioButton>(10, 30, 100, 17);
    a->SetChecked(true);
    int clicksA = 0, clicksB = 0;
    a->OnClick = Counter(clicksA);
    b->OnClick = Counter(clicksB);
    Testing::Click(b);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(clicksB, 1);
    Testing::Click(b);
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(Testing::PeerChecked(b));
    EXPECT_EQ(clicksB, 1);
    EXPECT_EQ(clicksA, 0);
}

TEST_F(ButtonsTest, ACheckedDisabledRadioStaysCheckedAndIgnoresClicks) {
    auto* a = Place<TRadioButton>(10, 10, 100, 17);
    auto* b = Place<TRadioButton>(10, 30, 100, 17);
    a->SetChecked(true);
    a->SetEnabled(false);
    b->SetEnabled(false);
    int clicks = 0;
    b->OnClick = Counter(clicks);
    Testing::Click(b);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(a->Checked());
    EXPECT_TRUE(Testing::PeerChecked(a));
    EXPECT_FALSE(Testing::PeerEnabled(a));
}

TEST_F(ButtonsTest, ButtonClicksByMouseAndKeys) {
    auto* edit = Place<TEdit>(10, 10, 100, 21);
    auto* ok = Place<TButton>(10, 40, 75, 25);
    auto* cancel = Place<TButton>(100, 40, 75, 25);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    int oks = 0, cancels = 0;
    ok->OnClick = Counter(oks);
    cancel->OnClick = Counter(cancels);

    Testing::Click(ok);
    EXPECT_EQ(oks, 1);
    EXPECT_EQ(form->ModalResult(), mrOk);
    EXPECT_TRUE(ok->Focused()) << "a pressed button takes the focus";
    Testing::Click(edit);
    Testing::KeyPress(edit, VK_RETURN);  // the default button
    EXPECT_EQ(oks, 2);
    Testing::KeyPress(edit, VK_ESCAPE);  // the cancel button
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    Input::TabTo(cancel);
    Testing::KeyPress(cancel, VK_RETURN);  // the focused button, not the default one
    EXPECT_EQ(cancels, 2);
    EXPECT_EQ(oks, 2);
}

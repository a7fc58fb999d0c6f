// The typed edit's attached label: where each position puts it, what it follows (font, enabled, visible,
// focus) and when it is made.
#include <string>
#include <vector>

#include "ProEditFixture.h"
#include "vcl/Windows.h"

using namespace ProEdit;

namespace {

class ProEditLabelTest : public ProEditFixture {
protected:
    TProEdit* Labelled(const AnsiString& Caption) {
        TProEdit* edit = Place<TProEdit>(120, 100, 150, 24);
        if (!next) next = Place<TEdit>(300, 10, 80, 24);
        edit->SetLabelCaption(Caption);
        return edit;
    }
};

TEST_F(ProEditLabelTest, EachPositionPlacesTheLabelBesideAboveOrBelowTheEdit) {
    struct Case {
        TLabelPosition position;
        // Expected top-left from the edit (L, T, W, H), the label (w, h) and the margin M = 5.
        Integer (*top)(Integer T, Integer H, Integer h);
        Integer (*left)(Integer L, Integer W, Integer w);
    };
    const std::vector<Case> cases{
        {lpLeftTop, [](Integer T, Integer, Integer) { return T; },
         [](Integer L, Integer, Integer w) { return L - w - 5; }},
        {lpLeftCenter, [](Integer T, Integer H, Integer h) { return T + (H - h) / 2; },
         [](Integer L, Integer, Integer w) { return L - w - 5; }},
        {lpLeftBottom, [](Integer T, Integer H, Integer h) { return T + H - h; },
         [](Integer L, Integer, Integer w) { return L - w - 5; }},
        {lpTopLeft, [](Integer T, Integer, Integer h) { return T - h - 5; },
         [](Integer L, Integer, Integer) { return L; }},
        {lpBottomLeft, [](Integer T, Integer H, Integer) { return T + H + 5; },
         [](Integer L, Integer, Integer) { return L; }},
        {lpLeftTopLeft, [](Integer T, Integer, Integer) { return T; },
         [](Integer L, Integer, Integer) { return L - 5; }},
        {lpLeftCenterLeft, [](Integer T, Integer H, Integer h) { return T + (H - h) / 2; },
         [](Integer L, Integer, Integer) { return L - 5; }},
        {lpLeftBottomLeft, [](Integer T, Integer H, Integer h) { return T + H - h; },
         [](Integer L, Integer, Integer) { return L - 5; }},
        {lpTopCenter, [](Integer T, Integer, Integer h) { return T - h - 5; },
         [](Integer L, Integer W, Integer w) { return L + (W - w) / 2; }},
        {lpBottomCenter, [](Integer T, Integer H, Integer) { return T + H + 5; },
         [](Integer L, Integer W, Integer w) { return L + (W - w) / 2; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("position " + std::to_string(c.position));
        TProEdit* edit = Labelled("Amount");
        edit->SetLabelMargin(5);
        edit->SetLabelPosition(c.position);
        TLabel* label = edit->EditLabel();
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->Top(), c.top(edit->Top(), edit->Height(), label->Height()));
        EXPECT_EQ(label->Left(), c.left(edit->Left(), edit->Width(), label->Width()));
        // It follows the edit.
        edit->SetBounds(140, 150, 150, 24);
        EXPECT_EQ(label->Top(), c.top(150, 24, label->Height()));
        EXPECT_EQ(label->Left(), c.left(140, 150, label->Width()));
        edit->Free();
    }
}

TEST_F(ProEditLabelTest, ALabelTallerThanTheEditCentresWithHalvesTowardMinusInfinity) {
    TProEdit* edit = Labelled("Tall");
    edit->SetAutoSize(false);
    edit->LabelFont()->SetHeight(-40);
    edit->SetLabelPosition(lpLeftCenter);
    TLabel* label = edit->EditLabel();
    const Integer difference = edit->Height() - label->Height();
    ASSERT_LT(difference, 0);
    // An odd difference shows the rounding: half of -7 is -4, not -3.
    edit->SetHeight(edit->Height() + ((difference % 2 == 0) ? 1 : 0));
    const Integer odd = edit->Height() - label->Height();
    EXPECT_EQ(label->Top(), edit->Top() + (odd - 1) / 2);
    EXPECT_LT(label->Top(), edit->Top());
}

TEST_F(ProEditLabelTest, TheLabelTakesLabelFontBeforeItIsMeasured) {
    TProEdit* edit = Labelled("Measured");
    const Integer smallWidth = edit->EditLabel()->Width();
    edit->LabelFont()->SetHeight(-30);
    TLabel* label = edit->EditLabel();
    EXPECT_EQ(label->Font()->Height(), -30);
    EXPECT_GT(label->Width(), smallWidth);
    EXPECT_EQ(label->Left() + label->Width(), edit->Left() - edit->LabelMargin());
}

TEST_F(ProEditLabelTest, TheLabelIsMadeOnTheParentOfItsFirstCaption) {
    auto* edit = new TProEdit(form);
    EXPECT_EQ(edit->LabelCaption(), "");
    EXPECT_EQ(edit->EditLabel(), nullptr);
    edit->SetLabelCaption("Orphan");
    EXPECT_EQ(edit->EditLabel()->Parent(), nullptr);
    edit->SetParent(form);
    EXPECT_EQ(edit->EditLabel()->Parent(), nullptr);
    EXPECT_EQ(edit->LabelCaption(), "Orphan");
    TProEdit* placed = Labelled("Placed");
    EXPECT_EQ(placed->EditLabel()->Parent(), form);
    EXPECT_EQ(placed->EditLabel()->FocusControl(), placed);
}

TEST_F(ProEditLabelTest, TheLabelFollowsEnabledVisibleAndFocus) {
    TProEdit* edit = Labelled("State");
    TLabel* label = edit->EditLabel();
    edit->SetEnabled(false);
    EXPECT_FALSE(label->Enabled());
    edit->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(label->Enabled());
    edit->SetEnabled(true);
    edit->SetVisible(false);
    EXPECT_FALSE(label->Visible());
    edit->SetVisible(true);
    EXPECT_TRUE(label->Visible());
    edit->SetFocusLabel(true);
    Focus(edit);
    EXPECT_TRUE(label->Font()->Style().Contains(fsBold));
    Input::Key(edit, VK_TAB);
    EXPECT_FALSE(label->Font()->Style().Contains(fsBold));
}

TEST_F(ProEditLabelTest, TheLabelsAcceleratorFocusesTheEdit) {
    TProEdit* edit = Labelled("&Quantity");
    Input::TabTo(next);
    Input::Key(form, 'Q', TShiftState{ssAlt});
    EXPECT_TRUE(edit->Focused());
}

}  // namespace

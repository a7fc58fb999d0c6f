#include <memory>

#include "StdCtrlsFixture.h"

class LabelTest : public StdCtrlsTest {
protected:
    void SetUp() override {
        StdCtrlsTest::SetUp();
        SetFontMetricsProvider(&metrics);
        form->SetColor(clWhite);
    }
    void TearDown() override {
        StdCtrlsTest::TearDown();
        SetFontMetricsProvider(nullptr);
    }

    TLabel* MakeLabel(const AnsiString& Caption) {
        auto* label = new TLabel(form);
        label->SetParent(form);
        label->SetBounds(20, 20, 100, 30);
        label->SetCaption(Caption);
        label->Font()->SetColor(clBlack);
        return label;
    }

    // Columns of the label's bounds holding text pixels (not the background colour), first and last.
    std::pair<Integer, Integer> InkColumns(TLabel* Label, TColor Background) {
        std::unique_ptr<TBitmap> image(Testing::RenderControl(form));
        TPoint origin = Label->BoundsRect().TopLeft();
        Integer first = -1, last = -1;
        for (Integer x = 0; x < Label->Width(); ++x)
            for (Integer y = 0; y < Label->Height(); ++y)
                if (ColorToRGB(image->Canvas()->Pixels(origin.X + x, origin.Y + y)) != ColorToRGB(Background)) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
        return {first, last};
    }

    TFixedFontMetrics metrics{7, 13, 10};
};

TEST_F(LabelTest, AutoSizeFollowsTheCaption) {
    struct Case {
        TAlignment alignment;
        Integer left;  // after the caption grows from 4 to 10 characters
    };
    for (const Case& c : {Case{taLeftJustify, 20}, Case{taCenter, 20}, Case{taRightJustify, 20 - 42}}) {
        auto* label = MakeLabel("abcd");
        label->SetAlignment(c.alignment);
        EXPECT_EQ(label->Width(), 28);
        EXPECT_EQ(label->Height(), 13);
        label->SetCaption("abcdefghij");
        EXPECT_EQ(label->Width(), 70);
        EXPECT_EQ(label->Left(), c.left);
        label->Free();
    }
}

TEST_F(LabelTest, AlignmentPlacesTheTextInTheBounds) {
    struct Case {
        TAlignment alignment;
        bool inkLeft;
        bool inkRight;
    };
    for (const Case& c : {Case{taLeftJustify, true, false}, Case{taRightJustify, false, true}}) {
        auto* label = MakeLabel("MM");
        label->SetAutoSize(false);
        label->SetBounds(20, 20, 200, 20);
        label->SetColor(clYellow);
        label->SetAlignment(c.alignment);
        auto [first, last] = InkColumns(label, clYellow);
        ASSERT_GE(first, 0);
        EXPECT_EQ(first < 100, c.inkLeft);
        EXPECT_EQ(last >= 100, c.inkRight);
        label->Free();
    }
}

TEST_F(LabelTest, ATransparentLabelLeavesTheBackgroundAlone) {
    auto* label = MakeLabel("");
    label->SetAutoSize(false);
    label->SetColor(clRed);
    std::unique_ptr<TBitmap> opaque(Testing::RenderControl(form));
    EXPECT_EQ(ColorToRGB(opaque->Canvas()->Pixels(25, 25)), ColorToRGB(clRed));
    label->SetTransparent(true);
    std::unique_ptr<TBitmap> clear(Testing::RenderControl(form));
    EXPECT_EQ(ColorToRGB(clear->Canvas()->Pixels(25, 25)), ColorToRGB(clWhite));
}

TEST_F(LabelTest, TheAcceleratorFocusesTheFocusControl) {
    auto* edit = Place<TEdit>(150, 20, 100, 21);
    auto* other = Place<TEdit>(150, 60, 100, 21);
    auto* label = MakeLabel("&Size");
    label->SetFocusControl(edit);
    Testing::Click(other);
    // Typed into an edit, the letter is text; with Alt it is the label's accelerator.
    Testing::KeyPress(other, 'S');
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(other->Text(), "s");
    Testing::KeyPress(other, 'Z', {ssAlt});
    EXPECT_TRUE(other->Focused());
    Testing::KeyPress(other, 'S', {ssAlt});
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(other->Text(), "s");
    edit->Free();
    EXPECT_EQ(label->FocusControl(), nullptr);
}

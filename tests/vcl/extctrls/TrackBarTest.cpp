#include "ExtCtrlsFixture.h"
#include "support/EventCounter.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

class TrackBarTest : public ExtCtrlsTest {
protected:
    void SetUp() override {
        ExtCtrlsTest::SetUp();
        bar = Place<TTrackBar>(10, 10, 200, 45);
        changes.Hook(bar->OnChange);
    }
    // How many pixels of the bar's rendering differ from the other rendering.
    static int DifferingPixels(TBitmap* A, TBitmap* B) {
        int count = 0;
        for (Integer y = 0; y < A->Height(); ++y)
            for (Integer x = 0; x < A->Width(); ++x)
                if (PixelOf(A, x, y) != PixelOf(B, x, y)) ++count;
        return count;
    }
    TTrackBar* bar = nullptr;
    EventCounter changes;
};

TEST_F(TrackBarTest, PositionFromCodeStaysInRangeShowsInThePeerAndFiresNothing) {
    bar->SetPosition(4);
    EXPECT_EQ(Testing::PeerProperty(bar, "value"), "4");
    bar->SetPosition(50);
    EXPECT_EQ(bar->Position(), 10);
    bar->SetMax(6);
    EXPECT_EQ(bar->Position(), 6);
    EXPECT_EQ(Testing::PeerProperty(bar, "maximum"), "6");
    bar->SetMin(8);  // above Max: refused
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(changes.Count(), 0);
}

TEST_F(TrackBarTest, KeysMoveByLineAndPageSizeAndStopAtTheEnds) {
    bar->SetMax(20);
    bar->SetLineSize(2);
    bar->SetPageSize(5);
    struct Step {
        Word Key;
        Integer Expected;
    };
    const Step steps[] = {{VK_RIGHT, 2}, {VK_DOWN, 4}, {VK_NEXT, 9}, {VK_LEFT, 7},  {VK_UP, 5},
                          {VK_PRIOR, 0}, {VK_LEFT, 0}, {VK_END, 20}, {VK_NEXT, 20}, {VK_HOME, 0}};
    Input::TabTo(bar);
    int expectedChanges = 0;
    Integer previous = 0;
    for (const Step& step : steps) {
        Testing::KeyPress(bar, step.Key);
        if (step.Expected != previous) ++expectedChanges;
        previous = step.Expected;
        EXPECT_EQ(bar->Position(), step.Expected);
        EXPECT_EQ(changes.Count(), expectedChanges) << "at " << step.Expected;
    }
    EXPECT_EQ(Testing::PeerProperty(bar, "value"), "0");
}

TEST_F(TrackBarTest, DraggingTheThumbToTheEndMovesThePositionAsTheUser) {
    const Integer middle = Testing::PeerGeometry(bar).Height() / 2;
    Testing::MouseDown(bar, 5, middle);
    Testing::MouseMove(bar, bar->Width() / 2, middle, {ssLeft});
    Testing::MouseMove(bar, bar->Width() + 20, middle, {ssLeft});
    Testing::MouseUp(bar, bar->Width() + 20, middle);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_GE(changes.Count(), 1);
}

TEST_F(TrackBarTest, SliderVisibleFalseHidesTheThumbAndTrueShowsItAgain) {
    bar->SetPosition(5);
    auto withThumb = Render(bar);
    bar->SetSliderVisible(false);
    auto withoutThumb = Render(bar);
    EXPECT_GT(DifferingPixels(withThumb.get(), withoutThumb.get()), 20);
    bar->SetSliderVisible(true);
    auto again = Render(bar);
    EXPECT_GT(DifferingPixels(withoutThumb.get(), again.get()), 20);
}

TEST_F(TrackBarTest, TurningTheBarSwapsItsSizeAndThePeerOrientation) {
    bar->SetOrientation(trVertical);
    EXPECT_EQ(bar->Width(), 45);
    EXPECT_EQ(bar->Height(), 200);
    EXPECT_EQ(Testing::PeerProperty(bar, "orientation"), "Vertical");
}

TEST_F(TrackBarTest, CoolBarAlignsTopAndHoldsControls) {
    auto* cool = new TCoolBar(form);
    cool->SetParent(form);
    EXPECT_EQ(cool->Align(), alTop);
    EXPECT_EQ(cool->Top(), 0);
    EXPECT_EQ(cool->Width(), form->ClientWidth());
    auto* button = new TButton(form);
    button->SetParent(cool);
    button->SetBounds(4, 4, 60, 22);
    EXPECT_EQ(cool->ControlCount(), 1);
    EXPECT_TRUE(cool->ControlStyle().Contains(csAcceptsControls));
}

TEST_F(TrackBarTest, AFormDescriptionWithATrackBarAndACoolBarLoads) {
    ReadComponentFromText(R"(object Form1: TForm
  object CoolBar1: TCoolBar
    Height = 30
    object Edit1: TEdit
      Left = 4
      Top = 4
    end
  end
  object TrackBar1: TTrackBar
    Left = 8
    Top = 40
    Max = 30
    Position = 12
    Frequency = 5
    TickStyle = tsManual
    TickMarks = tmBoth
    SliderVisible = False
  end
end
)",
                          form);
    auto* cool = dynamic_cast<TCoolBar*>(form->FindComponent("CoolBar1"));
    auto* loaded = dynamic_cast<TTrackBar*>(form->FindComponent("TrackBar1"));
    ASSERT_TRUE(cool && loaded);
    EXPECT_EQ(cool->Height(), 30);
    EXPECT_EQ(form->FindComponent("Edit1")->GetParentComponent(), cool);
    EXPECT_EQ(loaded->Position(), 12);
    EXPECT_EQ(loaded->Frequency(), 5);
    EXPECT_EQ(loaded->TickMarks(), tmBoth);
    EXPECT_FALSE(loaded->SliderVisible());
    EXPECT_EQ(Testing::PeerProperty(loaded, "tickPosition"), "TicksBothSides");
}

}  // namespace

// Alignment, anchors, constraints, resize events and the form's frame.

#include <gtest/gtest.h>

#include "SampleControls.h"
#include "support/EventCounter.h"
#include "vcl/Windows.h"

namespace {

class Layout : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        host = new TSwatch(form);
        host->SetParent(form);
        host->SetBounds(0, 0, 200, 100);
    }
    void TearDown() override { FreeAllForms(); }

    TSwatch* Child(TAlign align, Integer width, Integer height) {
        auto* c = new TSwatch(form);
        c->SetBounds(0, 0, width, height);
        c->SetParent(host);
        c->SetAlign(align);
        return c;
    }

    TForm* form = nullptr;
    TSwatch* host = nullptr;
};

TEST_F(Layout, AlignedChildrenShareTheClientAreaTopBottomLeftRightThenClient) {
    TSwatch* top = Child(alTop, 5, 20);
    TSwatch* bottom = Child(alBottom, 5, 10);
    TSwatch* left = Child(alLeft, 30, 5);
    TSwatch* right = Child(alRight, 40, 5);
    TSwatch* client = Child(alClient, 5, 5);
    struct Case {
        Integer width, height;
        TRect top, bottom, left, right, client;
    };
    const Case cases[] = {
        {200, 100, Rect(0, 0, 200, 20), Rect(0, 90, 200, 100), Rect(0, 20, 30, 90), Rect(160, 20, 200, 90),
         Rect(30, 20, 160, 90)},
        {300, 60, Rect(0, 0, 300, 20), Rect(0, 50, 300, 60), Rect(0, 20, 30, 50), Rect(260, 20, 300, 50),
         Rect(30, 20, 260, 50)},
        {60, 25, Rect(0, 0, 60, 20), Rect(0, 15, 60, 25), Rect(0, 20, 30, 20), Rect(20, 20, 60, 20),
         Rect(30, 20, 30, 20)},
    };
    for (const Case& c : cases) {
        host->SetBounds(0, 0, c.width, c.height);
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        EXPECT_EQ(top->BoundsRect(), c.top);
        EXPECT_EQ(bottom->BoundsRect(), c.bottom);
        EXPECT_EQ(left->BoundsRect(), c.left);
        EXPECT_EQ(right->BoundsRect(), c.right);
        EXPECT_EQ(client->BoundsRect(), c.client);
    }
}

TEST_F(Layout, ControlsOfOneAlignmentStackByPositionAndHiddenOnesTakeNoSpace) {
    TSwatch* a = Child(alTop, 5, 10);
    auto* b = new TSwatch(form);
    b->SetBounds(0, 50, 5, 15);
    b->SetParent(host);
    b->SetAlign(alTop);
    EXPECT_EQ(a->Top(), 0);
    EXPECT_EQ(b->Top(), 10);
    b->SetTop(-1);  // moved above a: now first
    EXPECT_EQ(b->Top(), 0);
    EXPECT_EQ(a->Top(), 15);
    b->Hide();
    EXPECT_EQ(a->Top(), 0);
}

TEST_F(Layout, DisableAlignDefersTheLayoutUntilEnableAlign) {
    TSwatch* client = Child(alClient, 5, 5);
    host->DisableAlign();
    host->SetBounds(0, 0, 120, 80);
    EXPECT_EQ(client->Width(), 200);
    host->EnableAlign();
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 120, 80));
}

TEST_F(Layout, AnchorsKeepDistancesToTheEdgesTheyHold) {
    struct Case {
        TAnchors anchors;
        TRect after;  // host grows from 200x100 to 260x130
    };
    const Case cases[] = {
        {{akLeft, akTop}, Bounds(20, 10, 50, 30)},
        {{akRight, akTop}, Bounds(80, 10, 50, 30)},
        {{akLeft, akTop, akRight}, Bounds(20, 10, 110, 30)},
        {{akLeft, akBottom}, Bounds(20, 40, 50, 30)},
        {{akLeft, akTop, akRight, akBottom}, Bounds(20, 10, 110, 60)},
    };
    for (const Case& c : cases) {
        host->SetBounds(0, 0, 200, 100);
        TSwatch* child = Child(alNone, 50, 30);
        child->SetBounds(20, 10, 50, 30);
        child->SetAnchors(c.anchors);
        host->SetBounds(0, 0, 260, 130);
        EXPECT_EQ(child->BoundsRect(), c.after);
        child->Free();
    }
}

TEST_F(Layout, ConstraintsClampEverySizeAndAnAlignedChild) {
    TSwatch* c = Child(alNone, 50, 50);
    c->Constraints()->SetMinWidth(20);
    c->Constraints()->SetMaxWidth(80);
    c->Constraints()->SetMaxHeight(40);
    EXPECT_EQ(c->Height(), 40) << "a new limit applies at once";
    c->SetWidth(5);
    EXPECT_EQ(c->Width(), 20);
    c->SetBounds(0, 0, 500, 500);
    EXPECT_EQ(c->Width(), 80);
    EXPECT_EQ(c->Height(), 40);
    c->SetAlign(alLeft);
    TSwatch* client = Child(alClient, 5, 5);
    host->SetBounds(0, 0, 300, 100);
    EXPECT_EQ(c->BoundsRect(), Rect(0, 0, 80, 40));
    EXPECT_EQ(client->BoundsRect(), Rect(80, 0, 300, 100)) << "the space taken is what the control took";
}

TEST_F(Layout, OnResizeFiresWhenTheSizeChangesFromCodeAndNotForMovesOrEqualSizes) {
    EventCounter resizes;
    resizes.Hook(host->OnResize);
    host->SetBounds(0, 0, 200, 100);
    host->SetLeft(30);
    EXPECT_EQ(resizes.Count(), 0);
    host->SetWidth(150);
    host->SetBounds(30, 0, 150, 90);
    EXPECT_EQ(resizes.Count(), 2);
    TSwatch* client = Child(alClient, 5, 5);
    EventCounter childResizes;
    childResizes.Hook(client->OnResize);
    host->SetHeight(70);
    EXPECT_EQ(childResizes.Count(), 1) << "an aligned child resized by its parent";
}

TEST_F(Layout, AFormsWidthIncludesTheFrameOfItsBorderStyle) {
    struct Case {
        TFormBorderStyle style;
        Integer frameX, frameY;
    };
    const Case cases[] = {{bsSizeable, 8, 27},   {bsSingle, 6, 25},      {bsDialog, 6, 25},
                          {bsToolWindow, 6, 21}, {bsSizeToolWin, 8, 23}, {bsNone, 0, 0}};
    for (const Case& c : cases) {
        form->SetBorderStyle(c.style);
        form->SetClientWidth(300);
        form->SetClientHeight(200);
        EXPECT_EQ(form->Width(), 300 + c.frameX) << c.style;
        EXPECT_EQ(form->Height(), 200 + c.frameY) << c.style;
        EXPECT_EQ(form->ClientRect(), Rect(0, 0, 300, 200));
    }
    form->SetBorderStyle(bsSizeable);
    form->SetClientWidth(300);
    form->SetBorderWidth(5);
    EXPECT_EQ(form->ClientWidth(), 300 - 10) << "the border lies inside the frame";
}

TEST_F(Layout, FrameSizesFollowTheSystemMetricsSeam) {
    SetSystemMetricForTest(SM_CXFRAME, 10);
    form->SetBorderStyle(bsSizeable);
    form->SetWidth(400);
    EXPECT_EQ(form->ClientWidth(), 380);
    ResetSystemMetrics();
    EXPECT_EQ(form->ClientWidth(), 392);
}

}  // namespace

// Font, colour, hint and reading-order settings flowing from parents to the children that follow them, and into peers.

#include <gtest/gtest.h>

#include "SampleControls.h"
#include "vcl/Testing.h"

namespace {

class Propagation : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        outer = Add(form);
        inner = Add(outer);
    }
    void TearDown() override { FreeAllForms(); }
    TSwatch* Add(TWinControl* parent) {
        auto* s = new TSwatch(form);
        s->SetParent(parent);
        return s;
    }
    TForm* form = nullptr;
    TSwatch* outer = nullptr;
    TSwatch* inner = nullptr;
};

TEST_F(Propagation, ChildrenWithParentFontFollowEveryFontChangeDownTheTree) {
    form->Font()->SetName("Arial");
    form->Font()->SetHeight(-15);
    EXPECT_EQ(outer->Font()->Name(), "Arial");
    EXPECT_EQ(inner->Font()->Height(), -15);
    EXPECT_TRUE(inner->ParentFont());
}

TEST_F(Propagation, ASetFontStopsFollowingUntilParentFontIsSetAgain) {
    outer->Font()->SetStyle({fsBold});
    EXPECT_FALSE(outer->ParentFont());
    EXPECT_TRUE(inner->Font()->Style().Contains(fsBold)) << "the grandchild follows its own parent";
    form->Font()->SetHeight(-20);
    EXPECT_NE(outer->Font()->Height(), -20);
    outer->SetParentFont(true);
    EXPECT_EQ(outer->Font()->Height(), -20);
    EXPECT_FALSE(outer->Font()->Style().Contains(fsBold));
    EXPECT_EQ(inner->Font()->Height(), -20);
}

TEST_F(Propagation, ParentColorTakesTheParentsColourAndASetColourEndsIt) {
    form->SetColor(clYellow);
    EXPECT_NE(outer->Color(), clYellow);
    outer->SetParentColor(true);
    inner->SetParentColor(true);
    EXPECT_EQ(inner->Color(), clYellow);
    form->SetColor(clLime);
    EXPECT_EQ(outer->Color(), clLime);
    EXPECT_EQ(inner->Color(), clLime);
    outer->SetColor(clRed);
    EXPECT_FALSE(outer->ParentColor());
    EXPECT_EQ(inner->Color(), clRed);
}

TEST_F(Propagation, AChildTakesTheSettingsOfTheParentItJoins) {
    auto* other = new TSwatch(form);
    other->Font()->SetHeight(-30);
    other->SetParentFont(true);
    form->Font()->SetHeight(-17);
    other->SetParent(form);
    EXPECT_EQ(other->Font()->Height(), -17);
}

TEST_F(Propagation, ShowHintFollowsTheParentAndDecidesWhetherTheHintShows) {
    inner->SetHint("Paste positions here");
    form->SetShowHint(true);
    EXPECT_TRUE(inner->ShowHint());
    Testing::ShowHintNow(inner);
    EXPECT_EQ(Testing::ShownHint().Text, "Paste positions here");
    inner->SetShowHint(false);
    EXPECT_FALSE(inner->ParentShowHint());
    Testing::ShowHintNow(inner);
    EXPECT_EQ(Testing::ShownHint().Text, "");
}

TEST_F(Propagation, BiDiModeFollowsTheParentUntilSetAndOnlyRightToLeftMirrorsTheLayout) {
    form->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(inner->BiDiMode(), bdRightToLeft);
    EXPECT_TRUE(inner->UseRightToLeftAlignment());
    outer->SetBiDiMode(bdRightToLeftReadingOnly);
    EXPECT_FALSE(outer->ParentBiDiMode());
    EXPECT_EQ(inner->BiDiMode(), bdRightToLeftReadingOnly) << "the grandchild follows its own parent";
    EXPECT_FALSE(inner->UseRightToLeftAlignment());
    EXPECT_TRUE(inner->UseRightToLeftReading());
    form->SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(outer->BiDiMode(), bdRightToLeftReadingOnly);
    outer->SetParentBiDiMode(true);
    EXPECT_EQ(inner->BiDiMode(), bdLeftToRight);
    EXPECT_FALSE(inner->UseRightToLeftReading());
    auto* joining = new TSwatch(form);
    form->SetBiDiMode(bdRightToLeft);
    joining->SetParent(form);
    EXPECT_EQ(joining->BiDiMode(), bdRightToLeft);
}

TEST_F(Propagation, PeersMirrorEnabledVisibleAndGeometry) {
    inner->SetBounds(3, 4, 25, 15);
    inner->SetEnabled(false);
    EXPECT_FALSE(Testing::PeerEnabled(inner));
    EXPECT_EQ(Testing::PeerGeometry(inner), Bounds(3, 4, 25, 15));
    outer->SetBorderWidth(2);
    EXPECT_EQ(Testing::PeerGeometry(inner), Bounds(5, 6, 25, 15)) << "children sit inside the border";
    EXPECT_EQ(inner->ClientToScreen(Point(0, 0)).X - outer->ClientToScreen(Point(0, 0)).X, 3);
    form->Show();
    EXPECT_TRUE(Testing::PeerVisible(inner));
    outer->Hide();
    EXPECT_FALSE(Testing::PeerVisible(inner));
}

}  // namespace

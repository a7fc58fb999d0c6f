// The grid and its editor as a derived grid and its editors extend them: every step they replace is
// virtual (a missing one fails to compile here), and the grid calls the replaced steps.
#include "GridFixture.h"
#include "vcl/Grids.h"

namespace {

class TDerivedEdit : public TInplaceEdit {
public:
    using TInplaceEdit::TInplaceEdit;
    int contentsTaken = 0;

    void UpdateContents() override {
        ++contentsTaken;
        TInplaceEdit::UpdateContents();
    }

protected:
    void CreateParams(TCreateParams& Params) override { TInplaceEdit::CreateParams(Params); }
    void CreateWnd() override { TInplaceEdit::CreateWnd(); }
    void BoundsChanged() override { TInplaceEdit::BoundsChanged(); }
    void Change() override { TInplaceEdit::Change(); }
    void KeyDown(Word& Key, TShiftState Shift) override { TInplaceEdit::KeyDown(Key, Shift); }
    void KeyUp(Word& Key, TShiftState Shift) override { TInplaceEdit::KeyUp(Key, Shift); }
    void KeyPress(char& Key) override { TInplaceEdit::KeyPress(Key); }
    void WndProc(TMessage& Message) override { TInplaceEdit::WndProc(Message); }
    void Dispatch(TMessage& Message) override { TInplaceEdit::Dispatch(Message); }
    void DoExit() override { TInplaceEdit::DoExit(); }
};

class TDerivedGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    int wheelDowns = 0, wheelUps = 0;

    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override {
        TStringGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
    }
    void Invalidate() override { TStringGrid::Invalidate(); }

protected:
    TInplaceEdit* CreateEditor() override { return new TDerivedEdit(this); }
    bool CanEditShow() override { return TStringGrid::CanEditShow(); }
    void Paint() override { TStringGrid::Paint(); }
    void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override {
        TStringGrid::DrawCell(ACol, ARow, ARect, AState);
    }
    bool SelectCell(Integer ACol, Integer ARow) override { return TStringGrid::SelectCell(ACol, ARow); }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TStringGrid::Notification(AComponent, Operation);
    }
    void KeyDown(Word& Key, TShiftState Shift) override { TStringGrid::KeyDown(Key, Shift); }
    void KeyUp(Word& Key, TShiftState Shift) override { TStringGrid::KeyUp(Key, Shift); }
    void KeyPress(char& Key) override { TStringGrid::KeyPress(Key); }
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override {
        ++wheelDowns;
        return TStringGrid::DoMouseWheelDown(Shift, MousePos);
    }
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override {
        ++wheelUps;
        return TStringGrid::DoMouseWheelUp(Shift, MousePos);
    }
    void TopLeftChanged() override { TStringGrid::TopLeftChanged(); }
    AnsiString GetEditText(Integer ACol, Integer ARow) override { return TStringGrid::GetEditText(ACol, ARow); }
    void SetEditText(Integer ACol, Integer ARow, const AnsiString& Value) override {
        TStringGrid::SetEditText(ACol, ARow, Value);
    }
    void Loaded() override { TStringGrid::Loaded(); }
    void CreateWnd() override { TStringGrid::CreateWnd(); }
    void Resize() override { TStringGrid::Resize(); }
    void CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                         Integer& SizingOfs, TGridDrawInfo& FixedInfo) override {
        TStringGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
    }
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
        TStringGrid::MouseDown(Button, Shift, X, Y);
    }
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override { TStringGrid::MouseMove(Shift, X, Y); }
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
        TStringGrid::MouseUp(Button, Shift, X, Y);
    }
    void ColumnMoved(Integer FromIndex, Integer ToIndex) override { TStringGrid::ColumnMoved(FromIndex, ToIndex); }
    void RowMoved(Integer FromIndex, Integer ToIndex) override { TStringGrid::RowMoved(FromIndex, ToIndex); }
    void SizeChanged(Integer OldColCount, Integer OldRowCount) override {
        TStringGrid::SizeChanged(OldColCount, OldRowCount);
    }
    void ColWidthsChanged() override { TStringGrid::ColWidthsChanged(); }
    void RowHeightsChanged() override { TStringGrid::RowHeightsChanged(); }
    void WndProc(TMessage& Message) override { TStringGrid::WndProc(Message); }
    void Dispatch(TMessage& Message) override { TStringGrid::Dispatch(Message); }
};

class GridHooksTest : public FormFixture {};

TEST_F(GridHooksTest, TheGridCallsTheDerivedEditorsUpdateContentsAndTheDerivedWheelSteps) {
    auto* grid = Place<TDerivedGrid>(0, 0, 300, 150);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    grid->SetRowCount(20);
    grid->SetCells(1, 1, "one");
    Input::TabTo(grid);
    Input::Key(grid, VK_F2);
    auto* editor = dynamic_cast<TDerivedEdit*>(grid->InplaceEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->contentsTaken, 1);
    EXPECT_EQ(editor->Text(), "one");
    Testing::Wheel(grid, 100, 60, -2 * WHEEL_DELTA);
    Testing::Wheel(grid, 100, 60, WHEEL_DELTA);
    EXPECT_EQ(grid->wheelDowns, 2);
    EXPECT_EQ(grid->wheelUps, 1);
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(GridHooksTest, AGridWhoseEditorWasFreedFirstGoesOnWithoutIt) {
    auto* grid = Place<TDerivedGrid>(0, 0, 300, 150);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    Input::TabTo(grid);
    Input::Key(grid, VK_F2);
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    Input::Key(grid->InplaceEditor(), VK_RETURN);
    grid->InplaceEditor()->Free();
    EXPECT_EQ(grid->InplaceEditor(), nullptr);
    grid->SetCells(2, 2, "two");
    Input::Click(grid, 140, 60);
    Input::Key(grid, VK_F2);  // a new one takes its place, with its cell's text
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    EXPECT_TRUE(grid->InplaceEditor()->Visible());
    EXPECT_EQ(grid->InplaceEditor()->Text(), "two");
}

}  // namespace

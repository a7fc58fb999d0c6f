// The grid's own editors, typed into as a user does: the rich edits and their size requests, the edit
// placed over a cell, the form controls' editors; the drop target's registration; the stretch column.
#include <memory>
#include <vector>

#include "ProGrid.h"
#include "support/FormFixture.h"
#include "support/InputSimulator.h"
#include "vcl/ActiveX.h"

using namespace ProGrid;

namespace {

class ProGridEditorsTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<RAdeRedeviDidi>(0, 0, 300, 200);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetColCount(5);
        grid->SetRowCount(10);
    }

    // Shows Editor over the cell, as the grid's editing places its editors.
    void PlaceOver(TWinControl* Editor, Integer ACol, Integer ARow) {
        const TRect cell = grid->CellRect(ACol, ARow);
        Editor->SetBounds(cell.Left, cell.Top, cell.Width(), cell.Height());
        Editor->SetVisible(true);
        Input::Settle();
    }

    RAdeRedeviDidi* grid = nullptr;
};

TEST_F(ProGridEditorsTest, ARichEditAsksForTheRoomItsTextNeedsWhenThatChanges) {
    auto* rich = Place<TRichEdit>(0, 210, 200, 40);
    std::vector<Integer> asked;
    rich->OnResizeRequest = [&](TObject* Sender, TRect& Rect) {
        EXPECT_EQ(Sender, rich);
        EXPECT_EQ(Rect.Width(), rich->ClientWidth());
        asked.push_back(Rect.Height());
    };
    Input::Settle();
    Input::Click(rich, 5, 5);
    Input::Type(rich, "a");
    EXPECT_TRUE(asked.empty());  // not asked for
    rich->Perform(EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
    EXPECT_EQ(rich->Perform(EM_GETEVENTMASK, 0, 0), static_cast<LRESULT>(ENM_REQUESTRESIZE));
    Input::Type(rich, "b");
    ASSERT_EQ(asked.size(), 1u);
    Input::Type(rich, "c");  // the same room: no second request
    EXPECT_EQ(asked.size(), 1u);
    Input::Key(rich, VK_RETURN);
    Input::Type(rich, "d");
    EXPECT_EQ(rich->Text(), "abc\r\nd");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_GT(asked[1], asked[0]);
    rich->Perform(EM_REQUESTRESIZE, 0, 0);  // asked for: reported even when the same
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[2], asked[1]);
    rich->SetText("one line");
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[3], asked[0]);
}

TEST_F(ProGridEditorsTest, TheConverterIsHiddenOnTheGridAndKeepsTheSizeItsTextAsks) {
    TProRichEdit* converter = grid->RichEdit();
    Input::Settle();
    EXPECT_EQ(converter->Parent(), grid);
    EXPECT_FALSE(converter->Visible());
    EXPECT_EQ(converter->BoundsRect(), Rect(0, 0, 0, 0));
    EXPECT_EQ(converter->BorderStyle(), bsNone);
    EXPECT_TRUE(GetWindowLong(converter->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    converter->SetText("x\r\ny\r\nz");
    const TPoint three = converter->RequestedSize();
    converter->SetText("x");
    EXPECT_GT(three.Y, converter->RequestedSize().Y);
    EXPECT_EQ(grid->InplaceRichEdit()->Parent(), nullptr);  // until a rich-text cell is edited
}

TEST_F(ProGridEditorsTest, TheRichTextEditorGrowsTheRowWhileTyping) {
    struct Case {
        const char* name;
        bool sizeWhileTyping, suspended;
        bool grows;
    };
    const Case cases[] = {
        {"sizing", true, false, true}, {"not asked", false, false, false}, {"suspended", true, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->SetRowHeights(2, 21);
        grid->SetCol(1);
        grid->SetRow(2);
        grid->SizeWhileTyping()->SetHeight(c.sizeWhileTyping);
        TProRichEdit* editor = grid->InplaceRichEdit();
        if (c.suspended) editor->SuspendResize();
        else editor->ResumeResize();
        editor->SetParent(grid);
        editor->SetText("");
        PlaceOver(editor, 1, 2);
        std::vector<Integer> ended;
        grid->OnEndRowSize = [&](TObject*, Integer ARow) { ended.push_back(ARow); };
        Input::Click(editor, 5, 5);
        for (const char* line : {"one", "two", "three"}) {
            Input::Type(editor, line);
            Input::Key(editor, VK_RETURN);
        }
        if (c.grows) {
            EXPECT_GT(grid->RowHeights(2), 21);
            EXPECT_EQ(editor->Height(), grid->RowHeights(2) - 1);
            ASSERT_FALSE(ended.empty());
            EXPECT_EQ(ended.back(), 2);
        } else {
            EXPECT_EQ(grid->RowHeights(2), 21);
            EXPECT_TRUE(ended.empty());
        }
        editor->SetVisible(false);
    }
}

TEST_F(ProGridEditorsTest, TheEditOverACellWritesItsTextThereWhenLeftAndTakesNoEnter) {
    TGridTransEdit* edit = grid->TransEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Parent(), grid);
    EXPECT_FALSE(edit->Visible());
    edit->SetCol(2);
    edit->SetRow(3);
    PlaceOver(edit, 2, 3);
    int enters = 0;
    edit->OnKeyPress = [&](TObject*, char& Key) { enters += Key == '\r'; };
    Input::Click(edit, 3, 3);
    Input::Type(edit, "xyz");
    Input::Key(edit, VK_RETURN);
    EXPECT_EQ(enters, 0);
    EXPECT_TRUE(edit->Visible());
    Input::Click(grid, 10, 100);
    EXPECT_EQ(grid->Cells(2, 3), "xyz");
    EXPECT_FALSE(edit->Visible());
}

TEST_F(ProGridEditorsTest, EnterInAFormControlEditorCommitsAsLeavingDoes) {
    struct Case {
        const char* name;
        TWinControl* editor;
        TNotifyEvent* onExit;
    };
    const Case cases[] = {
        {"edit", grid->ControlEdit(), &grid->ControlEdit()->OnExit},
        {"combo", grid->ControlCombo(), &grid->ControlCombo()->OnExit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.editor->Parent(), grid);
        int commits = 0;
        *c.onExit = Counter(commits);
        PlaceOver(c.editor, 1, 1);
        Input::Click(c.editor, 3, 3);
        Input::Type(c.editor, "v");
        EXPECT_EQ(commits, 0);
        Input::Key(c.editor, VK_RETURN);
        EXPECT_EQ(commits, 1);
        Input::Click(grid, 10, 150);
        EXPECT_EQ(commits, 2);
        c.editor->SetVisible(false);
    }
}

// A drop target that counts itself and takes every drop as a copy.
class TCountingTarget : public TInterfacedObject<IDropTarget> {
public:
    explicit TCountingTarget(int& Alive, int& Drops) : alive_(Alive), drops_(Drops) { ++alive_; }
    ~TCountingTarget() override { --alive_; }
    HRESULT DragEnter(IDataObject*, DWORD, POINTL, DWORD* pdwEffect) override { return Copy(pdwEffect); }
    HRESULT DragOver(DWORD, POINTL, DWORD* pdwEffect) override { return Copy(pdwEffect); }
    HRESULT DragLeave() override { return S_OK; }
    HRESULT Drop(IDataObject*, DWORD, POINTL, DWORD* pdwEffect) override {
        ++drops_;
        return Copy(pdwEffect);
    }

private:
    static HRESULT Copy(DWORD* pdwEffect) {
        *pdwEffect = DROPEFFECT_COPY;
        return S_OK;
    }
    int& alive_;
    int& drops_;
};

class TDropGrid : public RAdeRedeviDidi {
public:
    using RAdeRedeviDidi::RAdeRedeviDidi;
    using RAdeRedeviDidi::RecreateWnd;  // what a style change does
    int Made = 0, Alive = 0, Drops = 0;

protected:
    IDropTarget* CreateDropTarget() override {
        ++Made;
        return new TCountingTarget(Alive, Drops);
    }
};

TEST_F(ProGridEditorsTest, TheDropRegistrationFollowsTheSettingAndTheWindow) {
    auto* target = Place<TDropGrid>(0, 0, 200, 100);
    Input::Settle();
    auto drop = [&] {
        const TPoint at = target->ClientToScreen(Point(50, 50));
        return RunForeignDragForTest({{"text/plain", "x"}}, DROPEFFECT_COPY, {{at}, {at, 0}});
    };
    EXPECT_EQ(drop(), DROPEFFECT_NONE);
    target->DragDropSettings()->SetOleDropTarget(true);
    EXPECT_EQ(drop(), DROPEFFECT_COPY);
    target->DragDropSettings()->SetOleDropTarget(true);  // still one registration, one target
    EXPECT_EQ(target->Made, 1);
    EXPECT_EQ(drop(), DROPEFFECT_COPY);
    target->RecreateWnd();  // the new window is registered again, with the same target
    Input::Settle();
    EXPECT_EQ(drop(), DROPEFFECT_COPY);
    EXPECT_EQ(target->Made, 1);
    EXPECT_EQ(target->Drops, 3);
    target->DragDropSettings()->SetOleDropTarget(false);  // revoked and freed
    EXPECT_EQ(target->Alive, 0);
    EXPECT_EQ(drop(), DROPEFFECT_NONE);
    EXPECT_EQ(target->Drops, 3);
    target->DragDropSettings()->SetOleDropTarget(true);
    EXPECT_EQ(drop(), DROPEFFECT_COPY);
    EXPECT_EQ(target->Made, 2);
    target->Free();
}

TEST_F(ProGridEditorsTest, AGridWithoutItsDragAndDropRegistersNothing) {
    grid->DragDropSettings()->SetOleDropTarget(true);
    const TPoint at = grid->ClientToScreen(Point(50, 50));
    EXPECT_EQ(RunForeignDragForTest({{"text/plain", "x"}}, DROPEFFECT_COPY, {{at}, {at, 0}}), DROPEFFECT_NONE);
}

TEST_F(ProGridEditorsTest, TheStretchColumnTakesTheRoomTheOthersLeave) {
    struct Case {
        Integer column, cols;
        Integer stretched;  // the column that stretches
        Integer width;
    };
    // 300 pixels of client: the others' widths and one pixel less.
    const Case cases[] = {
        {-1, 5, 4, 300 - 4 * 64 - 1},
        {1, 5, 1, 300 - 4 * 64 - 1},
        {-1, 1, 0, 300},
        {-1, 6, 5, 64},  // no room left: the default width
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << " of " << c.cols);
        grid->ColumnSize()->SetStretch(false);
        grid->SetColCount(c.cols);
        for (Integer i = 0; i < c.cols; ++i) grid->SetColWidths(i, 64);
        grid->SetColWidths(c.stretched, 10);
        if (c.cols == 6) grid->SetColWidths(0, 100);
        grid->ColumnSize()->SetStretchColumn(c.column);
        grid->ColumnSize()->SetStretch(true);
        EXPECT_EQ(grid->ColWidths(c.stretched), c.width);
    }
    grid->ColumnSize()->SetStretchColumn(9);
    try {
        grid->ColumnSize()->SetStretch(true);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Stretch column index out of range");
    }
}

TEST_F(ProGridEditorsTest, TheStretchFollowsTheForm) {
    grid->ColumnSize()->SetStretch(true);  // the last column of five
    form->SetBounds(0, 0, 440, 300);
    EXPECT_EQ(grid->Width(), 340);
    EXPECT_EQ(grid->ColWidths(4), 340 - 4 * 64 - 1);
}

}  // namespace

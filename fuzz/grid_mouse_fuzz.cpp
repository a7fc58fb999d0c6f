// Random presses, moves, releases, double clicks, wheel turns and middle-button presses, delivered as a
// user's, over random cells of a shown grid with random mouse settings, sizing and moving options, check
// boxes, radio groups, buttons, nodes and anchors. No exception reaches the application's handler, the
// current cell stays within the counts, and once every button is up and a last press and release went by,
// no window holds the mouse and the screen shows no drag cursor.
//
// Input: operations of an opcode byte and four argument bytes.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "DedIDIZ.h"
#include "ProGrid.h"
#include "ProGrid_Unit.h"
#include "support/FuzzCheck.h"
#include "support/FuzzStage.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"
#include "vcl/Testing.h"

using namespace ProGrid;

using fuzzstage::NewStageGrid;
using fuzzstage::RunSteps;

namespace {

RAdeRedeviDidi& SharedGrid() {
    static RAdeRedeviDidi* grid = [] {
        Application->OnException = [](TObject*, Exception* E) {
            std::fprintf(stderr, "%s\n", E->Message().c_str());
            std::abort();
        };
        // The grid's unit, as the program starts it: the panning marks and cursors are its resources.
        DedIDIZ::InitThemeLibrary();
        ProGrid::InitProGridUnit();
        // Context menus (an editor's, on a right click) choose nothing at once instead of waiting.
        SetPopupMenuChooser([](TPopupMenu*) -> TMenuItem* { return nullptr; });
        // Links open nothing.
        SetWinExecLauncherForTest([](const std::vector<AnsiString>&, UINT, TProgramExitEvent) -> UINT { return 33; });
        return NewStageGrid<RAdeRedeviDidi>();
    }();
    return *grid;
}

class TMouseRun {
public:
    TMouseRun() : grid_(&SharedGrid()) {
        grid_->UnhideAllRows();
        grid_->RemoveAllNodes();
        grid_->ClearAll();
        grid_->SetColCount(6);
        grid_->SetRowCount(10);
        grid_->SetFixedRows(1);
        grid_->SetFixedCols(1);
        for (Integer row = 0; row < grid_->RowCount(); ++row)
            for (Integer col = 0; col < grid_->ColCount(); ++col)
                grid_->SetCells(col, row, IntToStr(row) + ":" + IntToStr(col));
    }

    void Step(std::uint8_t Op, std::uint8_t A, std::uint8_t B, std::uint8_t C, std::uint8_t D) {
        // Within the client area: a right click on a scroll bar opens the windowing system's own menu.
        const Integer x = A % std::max<Integer>(1, grid_->ClientWidth()),
                      y = B % std::max<Integer>(1, grid_->ClientHeight());
        const TMouseButton button = C % 5 == 0 ? mbRight : C % 7 == 0 ? mbMiddle : mbLeft;
        TShiftState shift;
        if (D & 1) shift.Include(ssShift);
        if (D & 2) shift.Include(ssCtrl);
        switch (Op % 10) {
            case 0:
            case 1: Testing::MouseDown(grid_, x, y, button, shift); break;
            case 2:
            case 3: Testing::MouseUp(grid_, x, y, button, shift); break;
            case 4:
            case 5: Testing::MouseMove(grid_, x, y, shift); break;
            case 6: Testing::DoubleClick(grid_, x, y); break;
            case 7: Testing::Wheel(grid_, x, y, (C % 2 ? 120 : -120) * (1 + D % 2), shift); break;
            case 8: Settings(A, B, C, D); break;
            case 9: Cells(A, B, C, D); break;
        }
        Check(grid_->Col() >= 0 && grid_->Col() < grid_->ColCount());
        Check(grid_->Row() >= 0 && grid_->Row() < grid_->RowCount());
    }

    // Every button up, a last click: nothing holds the mouse and no drag cursor stays.
    void Finish() {
        for (TMouseButton button : {mbLeft, mbRight, mbMiddle}) Testing::MouseUp(grid_, 150, 150, button);
        Testing::Click(grid_, 150, 150);
        Testing::MouseUp(grid_, 150, 150);
        Check(GetCaptureControl() == nullptr || GetCaptureControl() == grid_->InplaceEditor());
        Check(Screen->Cursor() == crDefault);
        Check(!grid_->Panning());
        grid_->UnhideAllRows();
    }

private:
    void Settings(std::uint8_t A, std::uint8_t B, std::uint8_t C, std::uint8_t D) {
        TGridOptions options = grid_->Options();
        const auto option = [&](TGridOption Option, bool On) {
            options = On ? options.Include(Option) : options.Exclude(Option);
        };
        option(goEditing, A & 1);
        option(goRowSelect, A & 2);
        option(goRangeSelect, A & 4);
        option(goColSizing, A & 8);
        option(goRowSizing, A & 16);
        option(goColMoving, A & 32);
        option(goRowMoving, A & 64);
        grid_->SetOptions(options);
        TMouseActions& actions = *grid_->MouseActions();
        actions.SetAllColumnSize(B & 1);
        actions.SetAllSelect(B & 2);
        actions.SetColSelect(B & 4);
        actions.SetRowSelect(B & 8);
        actions.SetDirectEdit(B & 16);
        actions.SetCheckAllCheck(B & 32);
        actions.SetSizeFixedCol(B & 64);
        actions.SetRangeSelectAndEdit(B & 128);
        actions.SetDisjunctRowSelect(C & 1);
        actions.SetDisjunctColSelect(C & 2);
        actions.SetDisjunctCellSelect(C & 4);
        actions.SetSelectOnRigthClick(C & 8);
        actions.SetFixedRowsEdit(static_cast<TGridFixedCellEdit>((C >> 4) % 4));
        grid_->SetEnhRowColMove(D & 1);
        grid_->SetHintShowSizing(D & 2);
        grid_->SetFixedAsButtons(D & 4);
        grid_->SetURLShow(D & 8);
        grid_->SortSettings()->SetShow(D & 16);
        grid_->SortSettings()->SetUndoSort(D & 32);
        grid_->SetSelectionResizer(D & 64);
        grid_->SetSelectionRectangle(D & 64);
        grid_->SetHovering(D & 128);
    }

    // A control, a node or a link in a cell.
    void Cells(std::uint8_t A, std::uint8_t B, std::uint8_t C, std::uint8_t D) {
        const Integer col = A % grid_->ColCount(), row = B % grid_->RowCount();
        switch (C % 5) {
            case 0: {
                static constexpr TCellType types[] = {ctCheckBox, ctRadio, ctButton, ctBitButton};
                TCellGraphic* graphic = grid_->CreateCellGraphic(col, row);
                graphic->CellType = types[D % 4];
                break;
            }
            case 1: {
                // Nodes are added with every node open, as the grid keeps them.
                grid_->ExpandAllNodes();
                TCellGraphic* node = grid_->CreateCellGraphic(0, row);
                node->CellType = ctNode;
                node->CellIndex = D % 4;
                grid_->GetCellProperties(0, row)->SetNodeLevel(1 + D % 2);
                break;
            }
            case 2:
                grid_->SetCells(col, row,
                                "<a href=\"CELL://R" + IntToStr(D % 20) + "C" + IntToStr(D / 20) + "\">go</a>");
                break;
            case 3: grid_->SetCells(col, row, "<a href=\"http://example.org/\">site</a> <BLINK>x</BLINK>"); break;
            case 4: grid_->SetCells(col, row, "http://example.org/" + IntToStr(D)); break;
        }
    }

    RAdeRedeviDidi* grid_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 400) return 0;
    RunSteps<TMouseRun>(data, size);
    return 0;
}

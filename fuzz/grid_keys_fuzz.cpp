// Random keys and characters, pressed as a user presses them, on a shown grid with random options,
// navigation settings, merged cells, hidden rows, a floating footer, right fixed columns, read-only and
// control cells and events that refuse. Every key returns, no exception reaches the application's handler,
// the current cell stays within the counts (or its selection is parked outside the grid), never in the
// footer row, and the fixed rows and the footer row keep their texts.
//
// Input: operations of an opcode byte and four argument bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ProGrid.h"
#include "support/FuzzCheck.h"
#include "support/FuzzStage.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"

using namespace ProGrid;

using fuzzstage::RunSteps;
using fuzzstage::SharedStageGrid;

namespace {

constexpr Word kKeys[] = {VK_LEFT,   VK_RIGHT, VK_UP,     VK_DOWN,  VK_PRIOR,  VK_NEXT,    VK_HOME,
                          VK_END,    VK_TAB,   VK_RETURN, VK_SPACE, VK_ESCAPE, VK_F2,      VK_INSERT,
                          VK_DELETE, 'A',      'C',       'V',      'X',       VK_DECIMAL, VK_BACK};

// Which events refuse, by bit.
enum TRefusal : std::uint8_t {
    rfEdit = 1,
    rfCellChange = 2,
    rfAddRow = 4,
    rfValidate = 8,
    rfInsertDelete = 16,
    rfClipboard = 32,
    rfTabKey = 64,
};

class TKeysRun {
public:
    TKeysRun() : grid_(&SharedStageGrid<RAdeRedeviDidi>()) {
        grid_->FloatingFooter()->SetVisible(false);
        grid_->UnhideAllRows();
        grid_->ClearAll();
        grid_->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect});
        grid_->SetColCount(5);
        grid_->SetRowCount(8);
        grid_->SetFixedRows(1);
        grid_->SetFixedCols(1);
        grid_->SetFixedRightCols(0);
        grid_->Navigation()->SetAllowClipboardRowGrow(false);
        grid_->Navigation()->SetAllowClipboardColGrow(false);
        Fill();
        HookEvents();
        Snapshot();
    }

    void Step(std::uint8_t Op, std::uint8_t A, std::uint8_t B, std::uint8_t C, std::uint8_t D) {
        switch (Op % 8) {
            case 0:
            case 1:
            case 2: Press(A, B); break;
            case 3: Type(A); break;
            case 4: Settings(A, B, C, D); break;
            case 5: Shape(A, B, C, D); break;
            case 6: Cells(A, B, C, D); break;
            case 7: Rows(A, B, C); break;
        }
        CheckState();
    }

    void Finish() {
        grid_->FloatingFooter()->SetVisible(false);
        grid_->UnhideAllRows();
    }

private:
    void Fill() {
        for (Integer row = 0; row < grid_->RowCount(); ++row)
            for (Integer col = 0; col < grid_->ColCount(); ++col)
                grid_->SetCells(col, row, std::to_string(row) + ":" + std::to_string(col));
    }

    void HookEvents() {
        grid_->OnCanEditCell = [this](TObject*, Integer ARow, Integer ACol, bool& CanEdit) {
            if ((refuse_ & rfEdit) && (ARow + ACol) % 3 == 0) CanEdit = false;
        };
        grid_->OnCellChanging = [this](TObject*, Integer, Integer, Integer, Integer, bool& Allow) {
            if (refuse_ & rfCellChange) Allow = false;
        };
        grid_->OnCanAddRow = [this](TObject*, bool& CanAdd) { CanAdd = !(refuse_ & rfAddRow); };
        grid_->OnCellValidate = [this](TObject*, Integer, Integer, AnsiString& Value, bool& Valid) {
            if (refuse_ & rfValidate) Valid = false, Value = "refused";
        };
        grid_->OnCanInsertRow = [this](TObject*, Integer, bool& Can) { Can = !(refuse_ & rfInsertDelete); };
        grid_->OnCanDeleteRow = [this](TObject*, Integer, bool& Can) { Can = !(refuse_ & rfInsertDelete); };
        const auto clipboard = [this](TObject*, bool& Allow) { Allow = !(refuse_ & rfClipboard); };
        grid_->OnClipboardCopy = clipboard;
        grid_->OnClipboardCut = clipboard;
        grid_->OnClipboardPaste = clipboard;
        grid_->OnKeyDown = [this](TObject*, Word& Key, TShiftState) {
            if ((refuse_ & rfTabKey) && Key == VK_TAB) Key = 0;
        };
    }

    // The fixed rows of the class library's grid and the footer row, as they stand now.
    std::vector<AnsiString> Protected() const {
        std::vector<AnsiString> texts;
        const Integer cols = std::min(grid_->ColCount(), columns_);
        for (Integer row = 0; row < grid_->TCustomGrid::FixedRows(); ++row)
            for (Integer col = 0; col < cols; ++col) texts.push_back(grid_->Cells(col, row));
        if (grid_->FloatingFooter()->Visible())
            for (Integer col = 0; col < cols; ++col) texts.push_back(grid_->Cells(col, grid_->RowCount() - 1));
        return texts;
    }

    void Snapshot() {
        columns_ = grid_->ColCount();
        protected_ = Protected();
    }

    void CheckState() const {
        if (!grid_->SelectionHidden()) {
            Check(grid_->Col() >= 0 && grid_->Col() < grid_->ColCount());
            Check(grid_->Row() >= 0 && grid_->Row() < grid_->RowCount());
        }
        Check(Protected() == protected_);
    }

    void Focus() {
        if (!grid_->Focused() && grid_->CanFocus() && !grid_->InplaceEditor()) grid_->SetFocus();
        else if (!grid_->Focused() && grid_->CanFocus() && !grid_->InplaceEditor()->Focused()) grid_->SetFocus();
    }

    void Press(std::uint8_t A, std::uint8_t B) {
        Focus();
        TShiftState shift;
        if (B & 1) shift.Include(ssShift);
        if (B & 2) shift.Include(ssCtrl);
        if (B & 4) shift.Include(ssAlt);
        Testing::KeyPress(grid_, kKeys[A % std::size(kKeys)], shift);
    }

    void Type(std::uint8_t A) {
        Focus();
        const char typed = static_cast<char>(A % 95 + 32);
        Testing::TypeText(grid_, AnsiString(1, typed));
    }

    void Settings(std::uint8_t A, std::uint8_t B, std::uint8_t C, std::uint8_t D) {
        TGridOptions options = grid_->Options();
        const auto option = [&](TGridOption Option, bool On) {
            options = On ? options.Include(Option) : options.Exclude(Option);
        };
        option(goEditing, A & 1);
        option(goTabs, A & 2);
        option(goRowSelect, A & 4);
        option(goRangeSelect, A & 8);
        grid_->SetOptions(options);
        TNavigation* nav = grid_->Navigation();
        nav->SetAdvanceOnEnter(B & 1);
        nav->SetAdvanceInsert(B & 2);
        nav->SetAdvanceDirection(B & 4 ? adTopBottom : adLeftRight);
        nav->SetTabAdvanceDirection(B & 8 ? adTopBottom : adLeftRight);
        nav->SetTabToNextAtEnd(B & 16);
        nav->SetSkipFixedCells(B & 32);
        nav->SetHomeEndKey(B & 64 ? heFirstLastRow : heFirstLastColumn);
        nav->SetInsertPosition(B & 128 ? pInsertAfter : pInsertBefore);
        nav->SetAllowInsertRow(C & 1);
        nav->SetAllowDeleteRow(C & 2);
        nav->SetAllowClipboardShortCuts(C & 4);
        nav->SetAllowClipboardAlways(C & 8);
        nav->SetAutoGotoWhenSorted(C & 16);
        nav->SetAutoGotoIncremental(C & 32);
        nav->SetKeepHorizScroll(C & 64);
        nav->SetAlwaysEdit(C & 128);
        grid_->MouseActions()->SetDisjunctRowSelect(D & 1);
        grid_->MouseActions()->SetDisjunctColSelect(D & 2);
        grid_->MouseActions()->SetRangeSelectAndEdit(D & 4);
        grid_->SetExcelStyleDecimalSeparator(D & 8);
        grid_->SortSettings()->SetShow(D & 16);
        grid_->SortSettings()->SetColumn(D >> 5);
        refuse_ = static_cast<std::uint8_t>(A >> 4 | (D & 0xE0) >> 1);
    }

    // Counts, fixed rows and columns, right fixed columns and the footer; the cells filled anew.
    void Shape(std::uint8_t A, std::uint8_t B, std::uint8_t C, std::uint8_t D) {
        grid_->FloatingFooter()->SetVisible(false);
        grid_->UnhideAllRows();
        const Integer cols = 1 + A % 7, rows = 1 + B % 12;
        grid_->SetFixedRows(0);
        grid_->SetFixedCols(0);
        grid_->SetColCount(cols);
        grid_->SetRowCount(rows);
        grid_->SetFixedRows(std::min<Integer>(C % 3, rows - 1));
        grid_->SetFixedCols(std::min<Integer>(D % 3, cols - 1));
        grid_->SetFixedRightCols(std::min<Integer>((C >> 2) % 3, cols - 1));
        grid_->SetFixedRowAlways(C & 32);
        Fill();
        if (D & 128) grid_->FloatingFooter()->SetVisible(true);
        Snapshot();
    }

    // A merged range, a read-only cell or a control cell.
    void Cells(std::uint8_t A, std::uint8_t B, std::uint8_t C, std::uint8_t D) {
        const Integer cols = grid_->ColCount(), rows = grid_->RowCount();
        const Integer col = A % cols, row = B % rows;
        switch (C % 3) {
            case 0:
                if (grid_->HiddenRowCount() == 0)
                    grid_->MergeCells(col, row, std::min<Integer>(1 + D % 2, cols - col),
                                      std::min<Integer>(1 + (D >> 1) % 3, rows - row));
                break;
            case 1: grid_->GetCellProperties(col, row)->SetReadOnly(true); break;
            case 2: {
                static constexpr TCellType types[] = {ctCheckBox, ctRadio, ctButton, ctBitButton};
                grid_->CreateCellGraphic(col, row)->CellType = types[D % 4];
                break;
            }
        }
        Snapshot();
    }

    void Rows(std::uint8_t A, std::uint8_t B, std::uint8_t C) {
        if (A & 1) {
            grid_->UnhideAllRows();
        } else {
            // Data rows only: the fixed and footer rows stay shown.
            const Integer first = grid_->FixedRows(), last = grid_->RowCount() - 1 - grid_->FixedFooters();
            if (last - first < 1) return;
            const Integer from = first + B % (last - first), to = std::min<Integer>(last - 1, from + C % 3);
            grid_->HideRows(grid_->RealRowIndex(from), grid_->RealRowIndex(to));
        }
        Snapshot();
    }

    RAdeRedeviDidi* grid_;
    std::uint8_t refuse_ = 0;
    Integer columns_ = 0;
    std::vector<AnsiString> protected_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 400) return 0;
    RunSteps<TKeysRun>(data, size);
    return 0;
}

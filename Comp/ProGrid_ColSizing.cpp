// Column sizing and persistence: the stretch column that takes the client width the others leave,
// widths that follow the grid's width, and widths kept in an INI file or the registry.
#include <cmath>
#include <utility>

#include "ProGrid.h"
#include "vcl/Forms.h"
#include "vcl/IniFiles.h"
#include "vcl/Registry.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

using namespace BaseGrid;

namespace {

AnsiString ColWidthName(Integer ACol) { return "Col" + IntToStr(ACol); }

// Rounded as the run-time library rounds: halves to even.
Integer Scaled(Integer Size, double Factor) { return static_cast<Integer>(std::lrint(Size * Factor)); }

}  // namespace

// ---------------------------------------------------------------------------
// Stretch

void RAdeRedeviDidi::StretchColumnTo(Integer ACol) {
    if (ComponentState().Contains(csLoading)) return;
    if (ACol == -1) ACol = ColCount() - 1;
    // Below -1 is no column either.
    if (ACol >= ColCount() || ACol < 0) throw Exception("Stretch column index out of range");
    if (ColCount() == 0 || !columnSize_->Stretch()) return;
    stretched_ = false;
    if (ColCount() == 1) {
        SetColWidths(0, ClientWidth());
    } else {
        const auto others = ColWidthsSum(0, ColCount()) - ColWidths(ACol);
        SetColWidths(ACol,
                     ClientWidth() <= others ? DefaultColWidth() : ClientWidth() - static_cast<Integer>(others) - 1);
    }
    stretched_ = true;
    if (floatingFooter_->Visible()) footerPanel_->SetAlign(alBottom);
}

// Stretching on as a follow-up of other changes: a stretch column the counts no longer hold is left
// alone rather than failing the change that came first.
bool RAdeRedeviDidi::StretchFollows() const {
    const Integer column = columnSize_->StretchColumn();
    return columnSize_->Stretch() && column >= -1 && column < ColCount();
}

void RAdeRedeviDidi::SizeChanged(Integer OldColCount, Integer OldRowCount) {
    if (Parent() && StretchFollows()) StretchColumnTo(columnSize_->StretchColumn());
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    if (!Parent()) return;
    UpdateFlatScrollBars();
    if (FixedFooters() > 0 || FixedRightCols() > 0) Repaint();
}

void RAdeRedeviDidi::ChangeSizes(const std::function<void()>& Change) {
    if (sizesHeld_) return Change();
    {
        const TValueGuard held(sizesHeld_, true);
        Change();
    }
    if (std::exchange(colWidthsPending_, false)) ColWidthsChanged();
    if (std::exchange(rowHeightsPending_, false)) RowHeightsChanged();
}

void RAdeRedeviDidi::ColWidthsChanged() {
    if (sizesHeld_) {
        colWidthsPending_ = true;
        return;
    }
    if (stretched_ && StretchFollows()) StretchColumnTo(columnSize_->StretchColumn());
    TBaseGrid::ColWidthsChanged();
    // A width the mouse changed: the header click under way sorts nothing, the others may follow it.
    if (buttonDown_) moveHappened_ = true;
    FollowMouseSizing(true);
    if (HasCheckBox(Col(), Row())) HideEditor();
    UpdateFooter();
}

void RAdeRedeviDidi::RowHeightsChanged() {
    if (sizesHeld_) {
        rowHeightsPending_ = true;
        return;
    }
    TBaseGrid::RowHeightsChanged();
    FollowMouseSizing(false);
    if (HasCheckBox(Col(), Row())) HideEditor();
}

// A column (row) the mouse sized: with AllColumnSize (AllRowSize) the other data columns (rows) scale by
// its change, then OnEndColumnSize (OnEndRowSize) and, for a column, OnUpdateColumnSize. The flag goes first,
// so these changes do not recurse.
void RAdeRedeviDidi::FollowMouseSizing(bool Columns) {
    Integer& sizedLine = Columns ? sizedCol_ : sizedRow_;
    bool& byMouse = Columns ? colSizedByMouse_ : rowSizedByMouse_;
    const Integer count = Columns ? ColCount() : RowCount();
    if (!byMouse || sizedLine < 0 || sizedLine >= count) return;
    const Integer sized = std::exchange(sizedLine, -1);
    byMouse = false;
    const auto sizeOf = [&](Integer i) { return Columns ? ColWidths(i) : RowHeights(i); };
    const Integer before = Columns ? downSize_.X : downSize_.Y;
    if ((Columns ? MouseActions()->AllColumnSize() : MouseActions()->AllRowSize()) && before >= 1) {
        const double factor = static_cast<double>(sizeOf(sized)) / before;
        ChangeSizes([&] {
            for (Integer i = Columns ? FixedCols() : FixedRows(); i < count; ++i) {
                if (i == sized) continue;
                if (Columns) SetColWidths(i, Scaled(sizeOf(i), factor));
                else SetRowHeights(i, Scaled(sizeOf(i), factor));
            }
        });
    }
    if (!Columns) {
        if (OnEndRowSize) OnEndRowSize(this, sized);
        return;
    }
    if (OnEndColumnSize) OnEndColumnSize(this, sized);
    // The application has the last word on the width the mouse left.
    Integer width = ColWidths(sized);
    UpdateColumnSize(sized, width);
    if (width != ColWidths(sized)) SetColWidths(sized, width);
}

// ---------------------------------------------------------------------------
// Following the grid's size

void RAdeRedeviDidi::ScaleColWidths(Integer NewWidth, Integer OldWidth) {
    const double factor = static_cast<double>(NewWidth) / OldWidth;
    ChangeSizes([&] {
        for (Integer c = 0; c < ColCount(); ++c) SetColWidths(c, Scaled(ColWidths(c), factor));
    });
}

bool RAdeRedeviDidi::SizeMessage(TMessage& Message) {
    if (StretchFollows()) {
        const Integer stretchColumn =
            columnSize_->StretchColumn() == -1 ? ColCount() - 1 : columnSize_->StretchColumn();
        const auto others = ColWidthsSum(0, ColCount()) - ColWidths(stretchColumn);
        if (others < Width()) {
            StretchColumnTo(columnSize_->StretchColumn());
            if (HandleAllocated()) {
                if (ScrollBars() == ssHorizontal || ScrollBars() == ssBoth)
                    ShowScrollBar(Handle(), SB_HORZ, ColWidths(stretchColumn) + others > ClientWidth());
                if (ScrollBars() == ssVertical || ScrollBars() == ssBoth)
                    ShowScrollBar(Handle(), SB_VERT, RowCount() - FixedRows() > VisibleRowCount());
            }
            return true;
        }
    }
    TBaseGrid::WndProc(Message);
    const Integer newWidth = ClientWidth();
    // A grid shrunk to nothing keeps its widths and its last real width: scaling from 0 never recovers.
    if (newWidth <= 0) return true;
    if (prevClientWidth_ > 0 && columnSize_->SynchWithGrid() && newWidth != prevClientWidth_) {
        HideEditor();
        ScaleColWidths(newWidth, prevClientWidth_);
    }
    prevClientWidth_ = newWidth;
    if (inSize_ || !HandleAllocated()) return true;
    const TValueGuard inSize(inSize_, true);
    UpdateFlatScrollBars();
    switch (ScrollBars()) {
        case ssNone: ShowScrollBar(Handle(), SB_BOTH, FALSE); break;
        case ssHorizontal: ShowScrollBar(Handle(), SB_VERT, FALSE); break;
        case ssVertical: ShowScrollBar(Handle(), SB_HORZ, FALSE); break;
        case ssBoth: break;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Persistence

std::unique_ptr<TCustomIniFile> RAdeRedeviDidi::OpenColWidthsStore() {
    if (columnSize_->Key().empty() || columnSize_->Section().empty() || ComponentState().Contains(csDesigning))
        return nullptr;
    // Read once and written once: a file written through would be rewritten for every column.
    if (columnSize_->Location() == clIniFile) return std::make_unique<TMemIniFile>(columnSize_->Key());
    return std::make_unique<TRegistryIniFile>(columnSize_->Key());
}

void RAdeRedeviDidi::SaveColWidths() {
    const std::unique_ptr<TCustomIniFile> store = OpenColWidthsStore();
    if (!store) return;
    for (Integer c = 0; c < ColCount(); ++c) store->WriteInteger(columnSize_->Section(), ColWidthName(c), ColWidths(c));
    store->UpdateFile();
}

void RAdeRedeviDidi::LoadColWidths() {
    const std::unique_ptr<TCustomIniFile> store = OpenColWidthsStore();
    if (!store) return;
    ChangeSizes([&] {
        for (Integer c = 0; c < ColCount(); ++c) {
            const Integer width = store->ReadInteger(columnSize_->Section(), ColWidthName(c), DefaultColWidth());
            if (width != ColWidths(c)) SetColWidths(c, width);
        }
    });
}

}  // namespace ProGrid

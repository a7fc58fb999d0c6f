// The grid's own editors: the hidden rich edits, the edit placed over a cell and the form controls' editors.
#include "ProGrid.h"

namespace ProGrid {

TProRichEdit::TProRichEdit(TComponent* AOwner, RAdeRedeviDidi* AGrid) : TRichEdit(AOwner), grid_(AGrid) {}

bool TProRichEdit::IsConverter() const { return grid_->RichEdit() == this; }

void TProRichEdit::CreateParams(TCreateParams& Params) {
    TRichEdit::CreateParams(Params);
    if (IsConverter()) Params.ExStyle |= WS_EX_TRANSPARENT;
}

// Both edits hear how much room their text needs; the editor also where its selection goes.
void TProRichEdit::CreateWnd() {
    TRichEdit::CreateWnd();
    const DWORD events = ENM_REQUESTRESIZE | (IsConverter() ? 0 : ENM_SELCHANGE);
    Perform(EM_SETEVENTMASK, 0, static_cast<LPARAM>(Perform(EM_GETEVENTMASK, 0, 0) | events));
}

void TProRichEdit::SelectionChange() {
    TRichEdit::SelectionChange();
    if (!IsConverter() && grid_->OnRichEditSelectionChange) grid_->OnRichEditSelectionChange(this);
}

// Focus going anywhere else leaves the edit open: a click on a cell, or the grid's own closing, stores it.
void TProRichEdit::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_KILLFOCUS && editing_ && grid_->HandleAllocated() &&
        Message.WParam == reinterpret_cast<WPARAM>(grid_->Handle()))
        grid_->HideCellEditor();
    TRichEdit::Dispatch(Message);
}

void TProRichEdit::KeyDown(Word& Key, TShiftState Shift) {
    TRichEdit::KeyDown(Key, Shift);
    if (!editing_ || (Key != VK_UP && Key != VK_DOWN) || grid_->WordWrap() || grid_->Multilinecells()) return;
    grid_->EditorKeyToGrid(Key, Shift);
    Key = 0;
}

void TProRichEdit::RequestSize(const TRect& Rect) {
    TRichEdit::RequestSize(Rect);
    if (IsConverter()) {
        requestedSize_ = Point(Rect.Width(), Rect.Height());
        return;
    }
    if (!grid_->SizeWhileTyping()->Height() || resizeSuspended_) return;
    const Integer needed = Rect.Height(), row = grid_->Row();
    if (needed <= grid_->RowHeights(row)) return;
    if (grid_->CellRect(grid_->Col(), row).Top + needed > grid_->ClientHeight()) return;
    SetHeight(needed + 4);
    grid_->SetRowHeights(row, needed + 5);
    if (grid_->OnEndRowSize) grid_->OnEndRowSize(grid_, row);
}

TGridTransEdit::TGridTransEdit(TComponent* AOwner, RAdeRedeviDidi* AGrid) : TCustomEdit(AOwner), grid_(AGrid) {}

void TGridTransEdit::DoExit() {
    TCustomEdit::DoExit();
    grid_->WriteCell(Col(), Row(), Text());
    SetVisible(false);
}

void TGridTransEdit::KeyPress(char& Key) {
    if (Key == '\r') Key = '\0';
    TCustomEdit::KeyPress(Key);
}

void TControlEdit::KeyPress(char& Key) {
    TEdit::KeyPress(Key);
    if (Key == '\r') DoExit();
}

void TControlCombo::KeyPress(char& Key) {
    TComboBox::KeyPress(Key);
    if (Key == '\r') DoExit();
}

}  // namespace ProGrid

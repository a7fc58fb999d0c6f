// The separate editor controls over a cell: where they go, the colours they take, the value they open
// with and the value they store.
#include "ProGrid.h"
#include "ProGrid_EditorPlace.h"

namespace ProGrid {

using namespace BaseGrid;

// The cell's rectangle, one pixel short of its right and bottom lines, and the colours the cell paints
// with: the grid's own first, then whatever GetCellColor (OnGetCellColor) makes of them. The rectangle
// is where the cell shows, mirrored already in a right-to-left grid.
TEditorPlace::TEditorPlace(RAdeRedeviDidi& Grid, Integer ACol, Integer ARow)
    : Font(std::make_unique<TFont>()), Brush(std::make_unique<TBrush>()) {
    Grid.CellRectEx(ACol, ARow, R);
    W = R.Right - R.Left - 1;
    H = R.Bottom - R.Top - 1;
    Font->Assign(Grid.Font());
    Brush->SetColor(Grid.Color());
    Grid.GetCellColor(Grid.RealColIndex(ACol), ARow, Font.get(), Brush.get(), TGridDrawState{});
}

void RAdeRedeviDidi::ShowCellEditor(Integer ACol, Integer ARow) {
    editorShown_ = true;
    storePending_ = true;
    const TEditorPlace place(*this, ACol, ARow);
    const Integer realCol = RealColIndex(ACol);
    HideEditor();
    const char startChar = editStartChar_;
    editStartChar_ = 0;
    if (editorType_ == edCustom) ShowEditLink(place, realCol, ARow, startChar);
    openedValue_ = EditorValue();
}

void RAdeRedeviDidi::StoreCellEditor(Integer ACol, Integer ARow) {
    if (!storePending_) return;
    storePending_ = false;
    editStartChar_ = 0;
    const Integer realCol = RealColIndex(ACol);
    const AnsiString value = EditorValue();
    // An editor closed with the value it opened with leaves the cell as it was.
    if (value != openedValue_) SetEditCellText(realCol, ARow, value);
    if (editorType_ == edCustom && editLink_) {
        if (editLink_->EditStyle() == esPopup) {
            if (popupForm_) popupForm_->Hide();
        } else {
            editLink_->SetVisible(false);
        }
    }
    if (OnEditingDone) OnEditingDone(this);
}

// The value the open control would store.
AnsiString RAdeRedeviDidi::EditorValue() {
    AnsiString value;
    if (editorType_ == edCustom && editLink_) editLink_->GetEditValue(value);
    return value;
}

void RAdeRedeviDidi::ShowEditLink(const TEditorPlace& Place, Integer ARealCol, Integer ARow, char StartChar) {
    TEditLink* link = editLink_;
    if (!link) return;
    link->SetGrid(this);
    link->SetEditCell(Point(ARealCol, ARow));
    const TRect& r = Place.R;
    if (link->EditStyle() == esPopup) {
        if (link->AutoPopupWidth()) link->SetPopupWidth(r.Width());
        if (!popupForm_) {
            popupForm_ = new TForm(this);
            popupForm_->SetBorderStyle(bsNone);
        }
        TForm* form = popupForm_;
        link->SetPopupForm(form);
        form->OnDeactivate = [this](TObject*) {
            if (editLink_) editLink_->PopupDeactivated();
        };
        const TPoint at = ClientToScreen(Point(r.Left, r.Top));
        form->SetBounds(at.X, at.Y, link->PopupWidth(), link->PopupHeight());
        form->Show();
        link->CreateEditor(form);
        link->SetRect(Rect(0, 0, link->PopupWidth(), link->PopupHeight()));
    } else {
        link->CreateEditor(this);
        link->SetRect(r);
    }
    link->SetVisible(true);
    link->SetCellProps(Place.Brush->Color(), Place.Font.get());
    link->SetProperties();
    if (OnGetEditorProp) OnGetEditorProp(this, ARealCol, ARow, link);
    link->SetEditValue(GetEditText(DisplayColIndex(ARealCol), ARow));
    link->SetFocus(true);
    if (TWinControl* control = link->GetEditControl(); control && StartChar)
        PostMessage(control->Handle(), WM_CHAR, static_cast<unsigned char>(StartChar), 0);
}

}  // namespace ProGrid

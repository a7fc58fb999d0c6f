// The draw grid: the grid's hooks as events.
#include "vcl/Grids.h"

namespace {

void PublishTDrawGrid(TPublisher& p) {
    TPublishOf<TDrawGrid> P(p);
    P.Event("OnDrawCell", &TDrawGrid::OnDrawCell);
    P.Event("OnSelectCell", &TDrawGrid::OnSelectCell);
    P.Event("OnColumnMoved", &TDrawGrid::OnColumnMoved);
    P.Event("OnRowMoved", &TDrawGrid::OnRowMoved);
    P.Event("OnTopLeftChanged", &TDrawGrid::OnTopLeftChanged);
    P.Event("OnGetEditText", &TDrawGrid::OnGetEditText);
    P.Event("OnSetEditText", &TDrawGrid::OnSetEditText);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TDrawGrid, VCL_CREATOR(TDrawGrid), &PublishTDrawGrid)

void TDrawGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(Integer ACol, Integer ARow) {
    bool canSelect = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, canSelect);
    return canSelect;
}

void TDrawGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::TopLeftChanged() {
    TCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

AnsiString TDrawGrid::GetEditText(Integer ACol, Integer ARow) {
    AnsiString value;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TDrawGrid::SetEditText(Integer ACol, Integer ARow, const AnsiString& Value) {
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

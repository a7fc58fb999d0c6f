#pragma once
// The grid's drop target and drop source: the drag and drop layer's hooks given the grid's behaviour.

#include "ProGrid.h"
#include "grddd.h"

namespace ProGrid {

// Takes drops for its grid; the accepted formats follow the grid's DragDropSettings at every entry.
class TGridDropTarget : public grddd::TGRDDropTarget {
public:
    explicit TGridDropTarget(RAdeRedeviDidi* Grid) : grid_(Grid) {}
    HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

protected:
    void DropText(TPoint Pt, const AnsiString& Text, DWORD& Effect) override;
    void DropCol(TPoint Pt, Integer Col, DWORD& Effect) override;
    void DropRTF(TPoint Pt, const AnsiString& RTF, DWORD& Effect) override;
    void DropFiles(TPoint Pt, TStrings* Files, DWORD& Effect) override;
    void DragMouseMove(TPoint Pt, bool& Allow, Byte DropFormats) override;
    void DragMouseLeave() override;

private:
    TComponentRef<RAdeRedeviDidi> grid_;
};

// Remembers the last copy or move the target proposed and moves the grid's fourth arrow with the cursor.
class TGridDropSource : public grddd::TGRDDropSource {
public:
    explicit TGridDropSource(RAdeRedeviDidi* Grid) : grid_(Grid) {}
    DWORD LastEffect() const { return lastEffect_; }

protected:
    void CurrentEffect(DWORD Effect) override;
    void QueryDrag() override;

private:
    TComponentRef<RAdeRedeviDidi> grid_;
    DWORD lastEffect_ = DROPEFFECT_NONE;
};

}  // namespace ProGrid

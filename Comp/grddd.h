#pragma once
// The grid's OLE drag and drop layer: the text layer of the edit controls extended by whole columns
// dragged between grids ("Grid Column", a 32-bit column index) and a settable rich-text switch. The grid's
// own drop target and drop source derive from the bases here and give the hooks their behaviour.

#include <string>

#include "OleDataShared.h"

namespace grddd {

// "Grid Column" and "Rich Text Format" as registered by the last TEnumFormats made while the clipboard
// could be opened; 0 before that and after the unit's exit.
CLIPFORMAT ColumnFormat();
CLIPFORMAT RichTextFormat();
// Rich text is accepted on drop and offered by the data object only while this is on.
bool RichTextDrops();
void SetDropRTF(bool Value);
// Unit exit: the switch off and both format identifiers 0.
void FinalizeGrddd();

// What a dropped data object holds: text, rich text, file names and a column.
class TEnumFormats : public OleDataShared::TFormatReader {
public:
    // Registers "Grid Column" and "Rich Text Format" first, while the clipboard can be opened.
    explicit TEnumFormats(IDataObject* DataObject);

    bool HasRTF();
    AnsiString RTF();
    bool HasCol();
    // The first 32-bit integer of the column block; -1 when the format is missing or its block is shorter
    // than 4 bytes.
    Integer Col();
};

// What a drag offers, as the drop target's mask.
enum : Byte { dfText = 1, dfFiles = 2, dfCol = 4, dfRTF = 8 };

// The drop target base. Hooks that drop get the screen point and the effect the key state asks for
// (Control: copy, else move); a hook lowers Effect to DROPEFFECT_COPY or DROPEFFECT_NONE to downgrade or
// refuse, and the drop answers the strongest effect its called hooks left.
class TGRDDropTarget : public TInterfacedObject<IDropTarget> {
public:
    HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

    bool CanDrop() const { return canDrop_; }
    bool AcceptText() const { return acceptText_; }
    void SetAcceptText(bool Value) { acceptText_ = Value; }
    bool AcceptFiles() const { return acceptFiles_; }
    void SetAcceptFiles(bool Value) { acceptFiles_ = Value; }
    bool AcceptCols() const { return acceptCols_; }
    void SetAcceptCols(bool Value) { acceptCols_ = Value; }
    // What the drag offered at its entry (dfText, dfFiles, dfCol, dfRTF), whatever is accepted.
    Byte DropFormats() const { return dropFormats_; }

protected:
    virtual void DropText(TPoint Pt, const AnsiString& Text, DWORD& Effect);
    virtual void DropCol(TPoint Pt, Integer Col, DWORD& Effect);
    virtual void DropRTF(TPoint Pt, const AnsiString& RTF, DWORD& Effect);
    virtual void DropFiles(TPoint Pt, TStrings* Files, DWORD& Effect);
    // Allow starts True exactly when the drag can drop here; False makes the effect none.
    virtual void DragMouseMove(TPoint Pt, bool& Allow, Byte DropFormats);
    virtual void DragMouseEnter();
    virtual void DragMouseLeave();

private:
    bool canDrop_ = false;
    bool acceptText_ = true;
    bool acceptFiles_ = true;
    bool acceptCols_ = false;
    Byte dropFormats_ = 0;
};

// Ends the drag at the release of the left button and cancels it at Escape; remembers whether the last
// feedback proposed no effect.
class TGRDDropSource : public TInterfacedObject<IDropSource> {
public:
    HRESULT QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
    HRESULT GiveFeedback(DWORD dwEffect) override;

    bool Cancelled() const { return cancelled_; }

protected:
    // The effect the target proposes, at every feedback.
    virtual void CurrentEffect(DWORD Effect);
    // At every continue-drag query, after its answer is known.
    virtual void QueryDrag();

private:
    bool cancelled_ = false;
};

// A text (CF_TEXT, CF_UNICODETEXT, rich text while the switch is on) and a column index (-1: none) in
// global memory.
class TSourceDataObject : public OleDataShared::TBlockSource {
public:
    TSourceDataObject(const AnsiString& Text, const AnsiString& RTF, Integer Col);

protected:
    bool Offers(CLIPFORMAT Format) const override;
    std::string Block(CLIPFORMAT Format) const override;
    ComPtr<IEnumFORMATETC> NewEnumerator() override;

private:
    AnsiString text_;
    AnsiString rtf_;
    Integer col_;
};

// The formats the data object accepts, in the order CF_TEXT, CF_UNICODETEXT, rich text and, with the
// has-column flag, "Grid Column". A clone keeps the position and the flag.
class TSourceEnumFormatEtc : public OleDataShared::TFormatEnumerator {
public:
    TSourceEnumFormatEtc(IDataObject* DataObject, bool HasCol);
};

// Runs a whole drag of the text from DropSource; DRAGDROP_S_CANCEL when the source's last feedback proposed
// no effect, otherwise DoDragDrop's result (DRAGDROP_S_DROP for a drop, Effect holding its effect).
Integer StartTextDoDragDrop(TGRDDropSource* DropSource, const AnsiString& Text, const AnsiString& RTF, DWORD& Effect,
                            DWORD OkEffects);
// The same for a column: the data object holds no text, only the column index.
Integer StartColumnDoDragDrop(TGRDDropSource* DropSource, Integer Col, DWORD OkEffects, DWORD& Effect);

}  // namespace grddd

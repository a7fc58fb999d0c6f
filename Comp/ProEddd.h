#pragma once
// OLE drag and drop of text for the edit controls: a drop target with hooks to override, a drop source,
// a data object offering a text as ANSI and wide text, its format enumerator, a reader of what a dropped
// data object holds, and one routine that runs a whole drag of a text.

#include <string>

#include "OleDataShared.h"

namespace ProEddd {

// "Rich Text Format" as registered by the last TEnumFormats made while the clipboard could be opened.
CLIPFORMAT RichTextFormat();
// Rich text is accepted on drop and offered by the data object only while this is on; nothing turns it on.
bool RichTextDrops();
// Unit exit: the switch off and the format identifier 0.
void FinalizeProEddd();

// What a dropped data object holds: text, rich text, file names.
class TEnumFormats : public OleDataShared::TFormatReader {
public:
    // Registers "Rich Text Format" first, while the clipboard can be opened.
    explicit TEnumFormats(IDataObject* DataObject);

    bool HasRTF();
    AnsiString RTF();
};

// The drop target base. The hooks get the screen point and the effect the key state asks for (Control:
// copy, else move); a hook lowers Effect to DROPEFFECT_COPY or DROPEFFECT_NONE to downgrade or refuse,
// and the drop answers the strongest effect its called hooks left.
class TPEDropTarget : public TInterfacedObject<IDropTarget> {
public:
    HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT DragLeave() override;
    HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

    bool CanDrop() const { return canDrop_; }

protected:
    virtual void DropText(TPoint Pt, const AnsiString& Text, DWORD& Effect);
    virtual void DropRTF(TPoint Pt, const AnsiString& RTF, DWORD& Effect);
    virtual void DropFiles(TPoint Pt, TStrings* Files, DWORD& Effect);
    // Allow starts True; False makes the effect none.
    virtual void DragMouseMove(TPoint Pt, bool& Allow);

private:
    bool canDrop_ = false;
};

// Ends the drag at the release of the left button, cancels it at Escape, and remembers whether the last
// feedback proposed no effect.
class TPEDropSource : public TInterfacedObject<IDropSource> {
public:
    HRESULT QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
    HRESULT GiveFeedback(DWORD dwEffect) override;

    bool Cancelled() const { return cancelled_; }

private:
    bool cancelled_ = false;
};

// A text (and rich text, while the switch is on) in global memory: CF_TEXT, CF_UNICODETEXT and the
// rich-text format.
class TSourceDataObject : public OleDataShared::TBlockSource {
public:
    TSourceDataObject(const AnsiString& Text, const AnsiString& RTF);

protected:
    bool Offers(CLIPFORMAT Format) const override;
    std::string Block(CLIPFORMAT Format) const override;
    ComPtr<IEnumFORMATETC> NewEnumerator() override;

private:
    AnsiString text_;
    AnsiString rtf_;
};

// The formats the data object accepts, in the order CF_TEXT, CF_UNICODETEXT, rich text.
class TSourceEnumFormatEtc : public OleDataShared::TFormatEnumerator {
public:
    explicit TSourceEnumFormatEtc(IDataObject* DataObject);
};

// Runs a whole drag of the text; DRAGDROP_S_CANCEL when the last feedback proposed no effect, otherwise
// DoDragDrop's result (DRAGDROP_S_DROP for a drop, Effect holding its effect).
Integer StartTextDoDragDrop(const AnsiString& Text, const AnsiString& RTF, DWORD OkEffects, DWORD& Effect);

}  // namespace ProEddd

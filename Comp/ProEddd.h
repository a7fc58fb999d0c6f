#pragma once
// OLE drag and drop of text for the edit controls: a drop target with hooks to override, a drop source,
// a data object offering a text as ANSI and wide text, its format enumerator, a reader of what a dropped
// data object holds, and one routine that runs a whole drag of a text.

#include <memory>

#include "vcl/ActiveX.h"
#include "vcl/Classes.h"

namespace ProEddd {

// "Rich Text Format" as registered by the last TEnumFormats made while the clipboard could be opened.
CLIPFORMAT RichTextFormat();
// Rich text is accepted on drop and offered by the data object only while this is on; nothing turns it on.
bool RichTextDrops();
// Unit exit: the switch off and the format identifier 0.
void FinalizeProEddd();

// What a dropped data object holds: text, rich text, file names. Every read of the object's blocks stays
// inside GlobalSize and releases its storage medium.
class TEnumFormats : public TObject {
public:
    // Raises EAssertionFailed "Cannot get the format enumerator" when the object gives none.
    explicit TEnumFormats(IDataObject* DataObject);

    void Reset();
    // Fetches the next entry; Valid() tells whether there was one.
    bool Next();
    // Walks from the start to the format; afterwards the current entry is that format when found.
    bool HasFormat(CLIPFORMAT Format);
    // The global handle the object gives for the current entry in the media of Tymed, held by Medium.
    HGLOBAL Handle(DWORD Tymed, STGMEDIUM& Medium);
    // The zero-terminated text held in the format; "" when the format is not there.
    AnsiString GetFormatText(CLIPFORMAT Format);

    bool HasText();
    bool HasRTF();
    bool HasFiles();
    AnsiString Text();
    AnsiString RTF();
    // Fills FileList() from the dropped-files block; true when it names at least one file.
    bool ReadFiles();

    bool Valid() const { return valid_; }
    Integer Count() const { return count_; }
    const FORMATETC& FormatEtc() const { return formatEtc_; }
    TStringList* FileList() const { return fileList_.get(); }

private:
    ComPtr<IDataObject> dataObject_;
    ComPtr<IEnumFORMATETC> enumerator_;
    FORMATETC formatEtc_{};
    bool valid_ = false;
    Integer count_ = 0;
    std::unique_ptr<TStringList> fileList_;
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
class TSourceDataObject : public TInterfacedObject<IDataObject> {
public:
    TSourceDataObject(const AnsiString& Text, const AnsiString& RTF);

    HRESULT GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
    HRESULT GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
    HRESULT QueryGetData(FORMATETC* pformatetc) override;
    HRESULT GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override;
    HRESULT SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
    HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
    HRESULT DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    HRESULT DUnadvise(DWORD dwConnection) override;
    HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) override;

private:
    AnsiString text_;
    AnsiString rtf_;
};

// The formats the data object accepts, in the order CF_TEXT, CF_UNICODETEXT, rich text.
class TSourceEnumFormatEtc : public TInterfacedObject<IEnumFORMATETC> {
public:
    explicit TSourceEnumFormatEtc(IDataObject* DataObject);

    HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override;
    HRESULT Skip(ULONG celt) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumFORMATETC** ppenum) override;

private:
    TSourceEnumFormatEtc(std::vector<FORMATETC> Formats, ULONG Position);

    std::vector<FORMATETC> formats_;
    ULONG position_ = 0;
};

// Runs a whole drag of the text; DRAGDROP_S_CANCEL when the last feedback proposed no effect, otherwise
// DoDragDrop's result (DRAGDROP_S_DROP for a drop, Effect holding its effect).
Integer StartTextDoDragDrop(const AnsiString& Text, const AnsiString& RTF, DWORD OkEffects, DWORD& Effect);

}  // namespace ProEddd

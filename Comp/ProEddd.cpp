// OLE text drag and drop for the edit controls.
#include "ProEddd.h"

namespace ProEddd {

using namespace OleDataShared;

namespace {

struct TUnitState {
    CLIPFORMAT RichTextFormat = 0;
    bool RichTextDrops = false;
};

TUnitState& Unit() {
    static TUnitState unit;
    return unit;
}

void RegisterRichText() {
    Unit().RichTextFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormat("Rich Text Format"));
}

}  // namespace

CLIPFORMAT RichTextFormat() { return Unit().RichTextFormat; }

bool RichTextDrops() { return Unit().RichTextDrops; }

void FinalizeProEddd() { Unit() = {}; }

// ---------------------------------------------------------------------------
// TEnumFormats

TEnumFormats::TEnumFormats(IDataObject* DataObject) : TFormatReader(DataObject, RegisterRichText) {}

bool TEnumFormats::HasRTF() { return HasFormat(RichTextFormat()); }

AnsiString TEnumFormats::RTF() { return GetFormatText(RichTextFormat()); }

// ---------------------------------------------------------------------------
// TPEDropTarget

HRESULT TPEDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL, DWORD* pdwEffect) {
    canDrop_ = false;
    Reported(this, [&] {
        TEnumFormats formats(pDataObj);
        canDrop_ = formats.HasText() || formats.HasFiles() || (formats.HasRTF() && RichTextDrops());
    });
    if (pdwEffect) *pdwEffect = canDrop_ ? KeyStateEffect(grfKeyState) : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TPEDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    DWORD effect = canDrop_ ? KeyStateEffect(grfKeyState) : DROPEFFECT_NONE;
    bool allow = true;
    const bool ran = Reported(this, [&] { DragMouseMove(Point(pt.x, pt.y), allow); });
    if (!allow || !ran) effect = DROPEFFECT_NONE;
    if (pdwEffect) *pdwEffect = effect;
    return S_OK;
}

HRESULT TPEDropTarget::DragLeave() { return S_OK; }

HRESULT TPEDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    DWORD result = DROPEFFECT_NONE;
    if (canDrop_) {
        TDropVerdict verdict(KeyStateEffect(grfKeyState));
        const TPoint point = Point(pt.x, pt.y);
        Reported(this, [&] {
            TEnumFormats formats(pDataObj);
            DWORD effect = verdict.KeyEffect();
            if (formats.HasRTF() && RichTextDrops()) {
                DropRTF(point, formats.RTF(), effect);
                verdict.Report(effect);
            } else if (formats.HasText()) {
                DropText(point, formats.Text(), effect);
                verdict.Report(effect);
            }
            if (formats.HasFiles() && formats.ReadFiles()) {
                effect = verdict.KeyEffect();
                DropFiles(point, formats.FileList(), effect);
                verdict.Report(effect);
            }
        });
        result = verdict.Result();
    }
    if (pdwEffect) *pdwEffect = result;
    return S_OK;
}

void TPEDropTarget::DropText(TPoint, const AnsiString&, DWORD&) {}
void TPEDropTarget::DropRTF(TPoint, const AnsiString&, DWORD&) {}
void TPEDropTarget::DropFiles(TPoint, TStrings*, DWORD&) {}
void TPEDropTarget::DragMouseMove(TPoint, bool& Allow) { Allow = true; }

// ---------------------------------------------------------------------------
// TPEDropSource

HRESULT TPEDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) {
    return ContinueDragAnswer(fEscapePressed, grfKeyState);
}

HRESULT TPEDropSource::GiveFeedback(DWORD dwEffect) {
    cancelled_ = dwEffect == DROPEFFECT_NONE;
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ---------------------------------------------------------------------------
// TSourceDataObject

TSourceDataObject::TSourceDataObject(const AnsiString& Text, const AnsiString& RTF) : text_(Text), rtf_(RTF) {}

bool TSourceDataObject::Offers(CLIPFORMAT Format) const {
    return Format == CF_TEXT || Format == CF_UNICODETEXT || (RichTextDrops() && Format == RichTextFormat());
}

std::string TSourceDataObject::Block(CLIPFORMAT Format) const {
    if (Format == CF_UNICODETEXT) return WideBlock(text_);
    return AnsiBlock(Format == CF_TEXT ? text_ : rtf_);
}

ComPtr<IEnumFORMATETC> TSourceDataObject::NewEnumerator() {
    return ComPtr<IEnumFORMATETC>(new TSourceEnumFormatEtc(this));
}

// ---------------------------------------------------------------------------
// TSourceEnumFormatEtc

TSourceEnumFormatEtc::TSourceEnumFormatEtc(IDataObject* DataObject)
    : TFormatEnumerator(AcceptedFormats(DataObject, {CF_TEXT, CF_UNICODETEXT, RichTextFormat()}), 0) {}

// ---------------------------------------------------------------------------

Integer StartTextDoDragDrop(const AnsiString& Text, const AnsiString& RTF, DWORD OkEffects, DWORD& Effect) {
    return RunDrag(new TSourceDataObject(Text, RTF), new TPEDropSource, OkEffects, Effect);
}

}  // namespace ProEddd

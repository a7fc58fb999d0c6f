// OLE text drag and drop for the edit controls.
#include "ProEddd.h"

#include <algorithm>
#include <cstring>

#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/OleBlocks.h"

namespace ProEddd {

namespace {

struct TUnitState {
    CLIPFORMAT RichTextFormat = 0;
    bool RichTextDrops = false;
};

TUnitState& Unit() {
    static TUnitState unit;
    return unit;
}

// A data object's enumerator that never ends must not hang a drop.
constexpr Integer MaxFormatsWalked = 1024;

DWORD KeyStateEffect(DWORD KeyState) {
    return MouseKeysToShiftState(KeyState).Contains(ssCtrl) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

// OLE calls must not throw: a failure is shown as any other and the call goes on.
template <typename Step>
void Reported(TObject* Sender, Step&& Run) {
    try {
        Run();
    } catch (...) {
        try {
            Application->HandleException(Sender);
        } catch (...) {
            // The report itself failed; nothing more can be told.
        }
    }
}

// The medium a data object filled, released when the reader is done with it.
class TMediumHolder {
public:
    TMediumHolder() = default;
    ~TMediumHolder() { ReleaseStgMedium(&medium_); }
    TMediumHolder(const TMediumHolder&) = delete;
    TMediumHolder& operator=(const TMediumHolder&) = delete;
    STGMEDIUM& Medium() { return medium_; }

private:
    STGMEDIUM medium_{};
};

}  // namespace

CLIPFORMAT RichTextFormat() { return Unit().RichTextFormat; }

bool RichTextDrops() { return Unit().RichTextDrops; }

void FinalizeProEddd() { Unit() = {}; }

// ---------------------------------------------------------------------------
// TEnumFormats

TEnumFormats::TEnumFormats(IDataObject* DataObject)
    : dataObject_(DataObject), fileList_(std::make_unique<TStringList>()) {
    if (OpenClipboard(nullptr)) {
        Unit().RichTextFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormat("Rich Text Format"));
        CloseClipboard();
    }
    const HRESULT result =
        DataObject ? DataObject->EnumFormatEtc(DATADIR_GET, enumerator_.ReleaseAndGetAddressOf()) : E_POINTER;
    Assert(result == S_OK && enumerator_, "Cannot get the format enumerator");
    Reset();
}

void TEnumFormats::Reset() {
    valid_ = false;
    count_ = 0;
    enumerator_->Reset();
}

bool TEnumFormats::Next() {
    ++count_;
    formatEtc_ = {};
    valid_ = enumerator_->Next(1, &formatEtc_, nullptr) == S_OK;
    return valid_;
}

bool TEnumFormats::HasFormat(CLIPFORMAT Format) {
    Reset();
    while (count_ < MaxFormatsWalked && Next()) {
        if (formatEtc_.cfFormat == Format) return true;
    }
    valid_ = false;
    return false;
}

HGLOBAL TEnumFormats::Handle(DWORD Tymed, STGMEDIUM& Medium) {
    Medium = {};
    if (!valid_ || (formatEtc_.tymed & Tymed) != Tymed) return nullptr;
    FORMATETC request = formatEtc_;
    request.tymed = Tymed;
    if (dataObject_->GetData(&request, &Medium) != S_OK) {
        Medium = {};
        return nullptr;
    }
    return Medium.tymed == TYMED_HGLOBAL ? Medium.hGlobal : nullptr;
}

AnsiString TEnumFormats::GetFormatText(CLIPFORMAT Format) {
    if (!HasFormat(Format)) return {};
    TMediumHolder holder;
    HGLOBAL handle = Handle(TYMED_HGLOBAL, holder.Medium());
    return handle ? AnsiTextOfBlock(BytesOfGlobal(handle)) : AnsiString();
}

bool TEnumFormats::HasText() { return HasFormat(CF_TEXT); }

bool TEnumFormats::HasRTF() { return RichTextFormat() != 0 && HasFormat(RichTextFormat()); }

bool TEnumFormats::HasFiles() { return HasFormat(CF_HDROP); }

AnsiString TEnumFormats::Text() { return GetFormatText(CF_TEXT); }

AnsiString TEnumFormats::RTF() { return RichTextFormat() != 0 ? GetFormatText(RichTextFormat()) : AnsiString(); }

bool TEnumFormats::ReadFiles() {
    fileList_->Clear();
    if (!HasFormat(CF_HDROP)) return false;
    TMediumHolder holder;
    if (HGLOBAL handle = Handle(TYMED_HGLOBAL, holder.Medium()))
        for (const WideString& name : FilesOfDropBlock(BytesOfGlobal(handle))) fileList_->Add(WideToAnsi(name));
    return fileList_->Count() > 0;
}

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
    bool failed = true;
    Reported(this, [&] {
        DragMouseMove(Point(pt.x, pt.y), allow);
        failed = false;
    });
    if (!allow || failed) effect = DROPEFFECT_NONE;
    if (pdwEffect) *pdwEffect = effect;
    return S_OK;
}

HRESULT TPEDropTarget::DragLeave() { return S_OK; }

HRESULT TPEDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    DWORD result = DROPEFFECT_NONE;
    if (canDrop_) {
        const DWORD keyEffect = KeyStateEffect(grfKeyState);
        const TPoint point = Point(pt.x, pt.y);
        // A hook may only lower the key-state effect to a copy or to none.
        auto report = [&](DWORD effect) {
            if (effect != keyEffect && effect != DROPEFFECT_COPY) effect = DROPEFFECT_NONE;
            result = std::max(result, effect);
        };
        Reported(this, [&] {
            TEnumFormats formats(pDataObj);
            DWORD effect = keyEffect;
            if (formats.HasRTF() && RichTextDrops()) {
                DropRTF(point, formats.RTF(), effect);
                report(effect);
            } else if (formats.HasText()) {
                DropText(point, formats.Text(), effect);
                report(effect);
            }
            if (formats.HasFiles() && formats.ReadFiles()) {
                effect = keyEffect;
                DropFiles(point, formats.FileList(), effect);
                report(effect);
            }
        });
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
    if (fEscapePressed) return DRAGDROP_S_CANCEL;
    if (!(grfKeyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT TPEDropSource::GiveFeedback(DWORD dwEffect) {
    cancelled_ = dwEffect == DROPEFFECT_NONE;
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

// ---------------------------------------------------------------------------
// TSourceDataObject

TSourceDataObject::TSourceDataObject(const AnsiString& Text, const AnsiString& RTF) : text_(Text), rtf_(RTF) {}

HRESULT TSourceDataObject::QueryGetData(FORMATETC* pformatetc) {
    if (!pformatetc) return E_INVALIDARG;
    if (pformatetc->dwAspect != DVASPECT_CONTENT || !(pformatetc->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
    const CLIPFORMAT format = pformatetc->cfFormat;
    const bool richText = RichTextDrops() && RichTextFormat() != 0 && format == RichTextFormat();
    return format == CF_TEXT || format == CF_UNICODETEXT || richText ? S_OK : DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) {
    if (!pmedium) return E_INVALIDARG;
    *pmedium = {};
    if (QueryGetData(pformatetcIn) != S_OK) return DV_E_FORMATETC;
    std::string bytes;
    if (pformatetcIn->cfFormat == CF_UNICODETEXT) {
        const WideString wide = AnsiToWide(text_);
        bytes.assign(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * sizeof(WideChar));
    } else {
        const AnsiString& source = pformatetcIn->cfFormat == CF_TEXT ? text_ : rtf_;
        bytes.assign(source.c_str(), source.size() + 1);
    }
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, bytes.size());
    void* p = handle ? GlobalLock(handle) : nullptr;
    if (!p) {
        GlobalFree(handle);
        return DV_E_FORMATETC;
    }
    std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(handle);
    pmedium->tymed = TYMED_HGLOBAL;
    pmedium->hGlobal = handle;
    return S_OK;
}

HRESULT TSourceDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return DV_E_FORMATETC; }

HRESULT TSourceDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pformatetcOut) {
    if (pformatetcOut) pformatetcOut->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TSourceDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return DV_E_FORMATETC; }

HRESULT TSourceDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) {
    if (!ppenumFormatEtc) return E_INVALIDARG;
    *ppenumFormatEtc = nullptr;
    if (dwDirection != DATADIR_GET) return E_NOTIMPL;
    *ppenumFormatEtc = ComPtr<IEnumFORMATETC>(new TSourceEnumFormatEtc(this)).Detach();
    return S_OK;
}

HRESULT TSourceDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT TSourceDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT TSourceDataObject::EnumDAdvise(IEnumSTATDATA** ppenumAdvise) {
    if (ppenumAdvise) *ppenumAdvise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

// ---------------------------------------------------------------------------
// TSourceEnumFormatEtc

TSourceEnumFormatEtc::TSourceEnumFormatEtc(IDataObject* DataObject) {
    for (CLIPFORMAT format :
         {static_cast<CLIPFORMAT>(CF_TEXT), static_cast<CLIPFORMAT>(CF_UNICODETEXT), RichTextFormat()}) {
        FORMATETC entry{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        if (format != 0 && DataObject->QueryGetData(&entry) == S_OK) formats_.push_back(entry);
    }
}

TSourceEnumFormatEtc::TSourceEnumFormatEtc(std::vector<FORMATETC> Formats, ULONG Position)
    : formats_(std::move(Formats)), position_(Position) {}

HRESULT TSourceEnumFormatEtc::Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) {
    if (!rgelt && celt > 0) return E_INVALIDARG;
    ULONG fetched = 0;
    while (fetched < celt && position_ < formats_.size()) rgelt[fetched++] = formats_[position_++];
    if (pceltFetched) *pceltFetched = fetched;
    return fetched == celt ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(ULONG celt) {
    const ULONG left = static_cast<ULONG>(formats_.size()) - position_;
    if (celt > left) {
        position_ = static_cast<ULONG>(formats_.size());
        return S_FALSE;
    }
    position_ += celt;
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(IEnumFORMATETC** ppenum) {
    if (!ppenum) return E_INVALIDARG;
    *ppenum = ComPtr<IEnumFORMATETC>(new TSourceEnumFormatEtc(formats_, position_)).Detach();
    return S_OK;
}

// ---------------------------------------------------------------------------

Integer StartTextDoDragDrop(const AnsiString& Text, const AnsiString& RTF, DWORD OkEffects, DWORD& Effect) {
    ComPtr<TPEDropSource> source(new TPEDropSource);
    ComPtr<IDataObject> data(new TSourceDataObject(Text, RTF));
    const HRESULT result = DoDragDrop(data.Get(), source.Get(), OkEffects, &Effect);
    return source->Cancelled() ? DRAGDROP_S_CANCEL : result;
}

}  // namespace ProEddd

// What the edit controls' and the grid's OLE layers share.
#include "OleDataShared.h"

#include <algorithm>
#include <cstring>

#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/OleBlocks.h"

namespace OleDataShared {

namespace {

// A data object's enumerator that never ends must not hang a drop.
constexpr Integer MaxFormatsWalked = 1024;

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

DWORD KeyStateEffect(DWORD KeyState) {
    return MouseKeysToShiftState(KeyState).Contains(ssCtrl) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void ReportFailure(TObject* Sender) noexcept {
    try {
        Application->HandleException(Sender);
    } catch (...) {
        // The report itself failed; nothing more can be told.
    }
}

void TDropVerdict::Report(DWORD HookEffect) {
    if (HookEffect != keyEffect_ && HookEffect != DROPEFFECT_COPY) HookEffect = DROPEFFECT_NONE;
    result_ = std::max(result_, HookEffect);
}

HRESULT ContinueDragAnswer(BOOL EscapePressed, DWORD KeyState) {
    if (EscapePressed) return DRAGDROP_S_CANCEL;
    if (!(KeyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
}

// ---------------------------------------------------------------------------
// TFormatReader

TFormatReader::TFormatReader(IDataObject* DataObject, void (*RegisterFormats)())
    : dataObject_(DataObject), fileList_(std::make_unique<TStringList>()) {
    if (OpenClipboard(nullptr)) {
        RegisterFormats();
        CloseClipboard();
    }
    const HRESULT result =
        DataObject ? DataObject->EnumFormatEtc(DATADIR_GET, enumerator_.ReleaseAndGetAddressOf()) : E_POINTER;
    Assert(result == S_OK && enumerator_, "Cannot get the format enumerator");
    Reset();
}

void TFormatReader::Reset() {
    valid_ = false;
    count_ = 0;
    enumerator_->Reset();
}

bool TFormatReader::Next() {
    ++count_;
    formatEtc_ = {};
    valid_ = enumerator_->Next(1, &formatEtc_, nullptr) == S_OK;
    return valid_;
}

bool TFormatReader::HasFormat(CLIPFORMAT Format) {
    Reset();
    while (Format != 0 && count_ < MaxFormatsWalked && Next()) {
        if (formatEtc_.cfFormat == Format) return true;
    }
    valid_ = false;
    return false;
}

HGLOBAL TFormatReader::Handle(DWORD Tymed, STGMEDIUM& Medium) {
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

std::string TFormatReader::FormatBytes(CLIPFORMAT Format) {
    if (!HasFormat(Format)) return {};
    TMediumHolder holder;
    HGLOBAL handle = Handle(TYMED_HGLOBAL, holder.Medium());
    return handle ? BytesOfGlobal(handle) : std::string();
}

AnsiString TFormatReader::GetFormatText(CLIPFORMAT Format) { return AnsiTextOfBlock(FormatBytes(Format)); }

bool TFormatReader::HasText() { return HasFormat(CF_TEXT); }

bool TFormatReader::HasFiles() { return HasFormat(CF_HDROP); }

AnsiString TFormatReader::Text() { return GetFormatText(CF_TEXT); }

bool TFormatReader::ReadFiles() {
    fileList_->Clear();
    fileNamesExact_ = true;
    for (const WideString& name : FilesOfDropBlock(FormatBytes(CF_HDROP))) {
        const AnsiString ansi = WideToAnsi(name);
        fileNamesExact_ = fileNamesExact_ && AnsiToWide(ansi) == name;
        fileList_->Add(ansi);
    }
    return fileList_->Count() > 0;
}

// ---------------------------------------------------------------------------
// TBlockSource

HRESULT TBlockSource::QueryGetData(FORMATETC* pformatetc) {
    if (!pformatetc) return E_INVALIDARG;
    if (pformatetc->dwAspect != DVASPECT_CONTENT || !(pformatetc->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
    return pformatetc->cfFormat != 0 && Offers(pformatetc->cfFormat) ? S_OK : DV_E_FORMATETC;
}

HRESULT TBlockSource::GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) {
    if (!pmedium) return E_INVALIDARG;
    *pmedium = {};
    if (QueryGetData(pformatetcIn) != S_OK) return DV_E_FORMATETC;
    const std::string bytes = Block(pformatetcIn->cfFormat);
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

HRESULT TBlockSource::GetDataHere(FORMATETC*, STGMEDIUM*) { return DV_E_FORMATETC; }

HRESULT TBlockSource::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pformatetcOut) {
    if (pformatetcOut) pformatetcOut->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TBlockSource::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return DV_E_FORMATETC; }

HRESULT TBlockSource::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) {
    if (!ppenumFormatEtc) return E_INVALIDARG;
    *ppenumFormatEtc = nullptr;
    if (dwDirection != DATADIR_GET) return E_NOTIMPL;
    *ppenumFormatEtc = NewEnumerator().Detach();
    return S_OK;
}

HRESULT TBlockSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT TBlockSource::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT TBlockSource::EnumDAdvise(IEnumSTATDATA** ppenumAdvise) {
    if (ppenumAdvise) *ppenumAdvise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

std::string TBlockSource::AnsiBlock(const AnsiString& Text) { return std::string(Text.c_str(), Text.size() + 1); }

std::string TBlockSource::WideBlock(const AnsiString& Text) {
    const WideString wide = AnsiToWide(Text);
    return std::string(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * sizeof(WideChar));
}

// ---------------------------------------------------------------------------
// TFormatEnumerator

TFormatEnumerator::TFormatEnumerator(std::vector<FORMATETC> Formats, ULONG Position)
    : formats_(std::move(Formats)), position_(Position) {}

std::vector<FORMATETC> TFormatEnumerator::AcceptedFormats(IDataObject* DataObject,
                                                          std::initializer_list<CLIPFORMAT> Candidates) {
    std::vector<FORMATETC> formats;
    for (CLIPFORMAT format : Candidates) {
        FORMATETC entry{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        if (format != 0 && DataObject->QueryGetData(&entry) == S_OK) formats.push_back(entry);
    }
    return formats;
}

HRESULT TFormatEnumerator::Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) {
    if (!rgelt && celt > 0) return E_INVALIDARG;
    ULONG fetched = 0;
    while (fetched < celt && position_ < formats_.size()) rgelt[fetched++] = formats_[position_++];
    if (pceltFetched) *pceltFetched = fetched;
    return fetched == celt ? S_OK : S_FALSE;
}

HRESULT TFormatEnumerator::Skip(ULONG celt) {
    const ULONG left = static_cast<ULONG>(formats_.size()) - position_;
    if (celt > left) {
        position_ = static_cast<ULONG>(formats_.size());
        return S_FALSE;
    }
    position_ += celt;
    return S_OK;
}

HRESULT TFormatEnumerator::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT TFormatEnumerator::Clone(IEnumFORMATETC** ppenum) {
    if (!ppenum) return E_INVALIDARG;
    *ppenum = ComPtr<IEnumFORMATETC>(new TFormatEnumerator(formats_, position_)).Detach();
    return S_OK;
}

}  // namespace OleDataShared

// Fixed blocks served as global memory, and the enumerator of their formats.
#include "ActiveX/BlockDataObject.h"

#include <algorithm>

TFormatEnumerator::TFormatEnumerator(std::vector<FORMATETC> Formats, ULONG Position)
    : formats_(std::move(Formats)), position_(Position) {}

HRESULT TFormatEnumerator::Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) {
    if (!rgelt && celt > 0) return E_POINTER;
    ULONG fetched = 0;
    while (fetched < celt && position_ < formats_.size()) rgelt[fetched++] = formats_[position_++];
    if (pceltFetched) *pceltFetched = fetched;
    return fetched == celt ? S_OK : S_FALSE;
}

HRESULT TFormatEnumerator::Skip(ULONG celt) {
    const ULONG left = static_cast<ULONG>(formats_.size()) - position_;
    position_ += std::min(celt, left);
    return celt <= left ? S_OK : S_FALSE;
}

HRESULT TFormatEnumerator::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT TFormatEnumerator::Clone(IEnumFORMATETC** ppenum) {
    if (!ppenum) return E_POINTER;
    *ppenum = ComPtr<IEnumFORMATETC>(new TFormatEnumerator(formats_, position_)).Detach();
    return S_OK;
}

TBlockDataObject::TBlockDataObject(std::vector<TFormatBlock> Blocks) : blocks_(std::move(Blocks)) {}

const TFormatBlock* TBlockDataObject::Find(const FORMATETC* Format) const {
    if (!Format || Format->dwAspect != DVASPECT_CONTENT || !(Format->tymed & TYMED_HGLOBAL)) return nullptr;
    for (const TFormatBlock& b : blocks_) {
        if (b.Format == Format->cfFormat) return &b;
    }
    return nullptr;
}

HRESULT TBlockDataObject::GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) {
    if (!pmedium) return E_POINTER;
    *pmedium = {};
    const TFormatBlock* block = Find(pformatetcIn);
    if (!block) return DV_E_FORMATETC;
    HGLOBAL h = GlobalFromBytes(block->Bytes);
    if (!h) return E_OUTOFMEMORY;
    pmedium->tymed = TYMED_HGLOBAL;
    pmedium->hGlobal = h;
    return S_OK;
}

HRESULT TBlockDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return DV_E_FORMATETC; }

HRESULT TBlockDataObject::QueryGetData(FORMATETC* pformatetc) { return Find(pformatetc) ? S_OK : DV_E_FORMATETC; }

HRESULT TBlockDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pformatetcOut) {
    if (pformatetcOut) pformatetcOut->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TBlockDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT TBlockDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) {
    if (!ppenumFormatEtc) return E_POINTER;
    *ppenumFormatEtc = nullptr;
    if (dwDirection != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const TFormatBlock& b : blocks_) formats.push_back({b.Format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    *ppenumFormatEtc = ComPtr<IEnumFORMATETC>(new TFormatEnumerator(std::move(formats))).Detach();
    return S_OK;
}

HRESULT TBlockDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT TBlockDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT TBlockDataObject::EnumDAdvise(IEnumSTATDATA** ppenumAdvise) {
    if (ppenumAdvise) *ppenumAdvise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

#pragma once
// Another program's data object: fixed blocks in global memory, with the faults such an object may have.
// Each block is exactly as large as its bytes, so a reader running past it touches memory it does not own.

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "vcl/ActiveX.h"

class TTestFormatEnumerator : public TInterfacedObject<IEnumFORMATETC> {
public:
    explicit TTestFormatEnumerator(std::vector<FORMATETC> Formats, ULONG Position = 0)
        : formats_(std::move(Formats)), position_(Position) {}

    HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override {
        ULONG fetched = 0;
        while (fetched < celt && position_ < formats_.size()) rgelt[fetched++] = formats_[position_++];
        if (pceltFetched) *pceltFetched = fetched;
        return fetched == celt ? S_OK : S_FALSE;
    }
    HRESULT Skip(ULONG celt) override {
        position_ = std::min<ULONG>(position_ + celt, static_cast<ULONG>(formats_.size()));
        return S_OK;
    }
    HRESULT Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT Clone(IEnumFORMATETC** ppenum) override {
        *ppenum = ComPtr<IEnumFORMATETC>(new TTestFormatEnumerator(formats_, position_)).Detach();
        return S_OK;
    }

private:
    std::vector<FORMATETC> formats_;
    ULONG position_;
};

class TTestDataObject : public TInterfacedObject<IDataObject> {
public:
    struct TBlock {
        CLIPFORMAT Format;
        std::string Bytes;
        DWORD Tymed = TYMED_HGLOBAL;
    };

    explicit TTestDataObject(std::vector<TBlock> Blocks) : blocks_(std::move(Blocks)) {}
    ~TTestDataObject() override {
        for (HGLOBAL h : owned_) GlobalFree(h);
    }

    bool GivesEnumerator = true;
    // Media come with this object as their owner (pUnkForRelease), which frees their blocks itself.
    bool OwnsMedia = false;
    int GetDataCalls = 0;

    HRESULT GetData(FORMATETC* f, STGMEDIUM* m) override {
        ++GetDataCalls;
        *m = {};
        const TBlock* block = Find(f);
        if (!block) return DV_E_FORMATETC;
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, block->Bytes.size());
        if (!block->Bytes.empty()) {
            std::memcpy(GlobalLock(h), block->Bytes.data(), block->Bytes.size());
            GlobalUnlock(h);
        }
        m->tymed = TYMED_HGLOBAL;
        m->hGlobal = h;
        if (OwnsMedia) {
            owned_.push_back(h);
            AddRef();
            m->pUnkForRelease = static_cast<IDataObject*>(this);
        }
        return S_OK;
    }
    HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT QueryGetData(FORMATETC* f) override { return Find(f) ? S_OK : DV_E_FORMATETC; }
    HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override {
        *ppenumFormatEtc = nullptr;
        if (!GivesEnumerator || dwDirection != DATADIR_GET) return E_NOTIMPL;
        std::vector<FORMATETC> formats;
        for (const TBlock& b : blocks_) formats.push_back({b.Format, nullptr, DVASPECT_CONTENT, -1, b.Tymed});
        *ppenumFormatEtc = ComPtr<IEnumFORMATETC>(new TTestFormatEnumerator(std::move(formats))).Detach();
        return S_OK;
    }
    HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    const TBlock* Find(const FORMATETC* f) const {
        if (!f || !(f->tymed & TYMED_HGLOBAL)) return nullptr;
        for (const TBlock& b : blocks_) {
            if (b.Format == f->cfFormat && (b.Tymed & TYMED_HGLOBAL)) return &b;
        }
        return nullptr;
    }

    std::vector<TBlock> blocks_;
    std::vector<HGLOBAL> owned_;
};

// A DROPFILES block: the header (offset 20 unless given), then Names as they stand.
inline std::string DropFilesBlock(const std::string& Names, bool Wide, DWORD Offset = 20) {
    std::string block(20, '\0');
    std::memcpy(&block[0], &Offset, 4);
    const DWORD wide = Wide ? 1 : 0;
    std::memcpy(&block[16], &wide, 4);
    return block + Names;
}

// Wide characters of an ASCII text, as the bytes of a block.
inline std::string WideBytes(const std::string& Ascii) {
    std::string bytes;
    for (char c : Ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

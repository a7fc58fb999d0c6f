// A read stream over a global memory block. It reads through GlobalLock on every call, so it never
// holds a pointer across a change of the block, and it stays inside GlobalSize.
#include <algorithm>
#include <cstring>

#include "vcl/ActiveX.h"

namespace {

struct TStreamSeam {
    HRESULT Result = S_OK;
    bool GivesStream = true;
};

TStreamSeam& Seam() {
    static TStreamSeam seam;
    return seam;
}

class TGlobalStream : public TInterfacedObject<IStream> {
public:
    TGlobalStream(HGLOBAL Block, bool OwnsBlock) : block_(Block), ownsBlock_(OwnsBlock) {}
    ~TGlobalStream() override {
        if (ownsBlock_) GlobalFree(block_);
    }

    HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) override {
        if (!pv && cb > 0) return E_POINTER;
        const UInt64 size = GlobalSize(block_);
        const UInt64 count = position_ < size ? std::min<UInt64>(cb, size - position_) : 0;
        if (count > 0) {
            const Byte* bytes = static_cast<const Byte*>(GlobalLock(block_));
            if (!bytes) return E_HANDLE;
            std::memcpy(pv, bytes + position_, static_cast<std::size_t>(count));
            GlobalUnlock(block_);
            position_ += count;
        }
        if (pcbRead) *pcbRead = static_cast<ULONG>(count);
        return S_OK;
    }

    HRESULT Seek(Int64 dlibMove, DWORD dwOrigin, UInt64* plibNewPosition) override {
        Int64 base = 0;
        switch (dwOrigin) {
            case STREAM_SEEK_SET: base = 0; break;
            case STREAM_SEEK_CUR: base = static_cast<Int64>(position_); break;
            case STREAM_SEEK_END: base = static_cast<Int64>(GlobalSize(block_)); break;
            default: return STG_E_INVALIDFUNCTION;
        }
        // Both terms stay far below the limits (blocks are at most 1 GB), except a hostile move.
        if (dlibMove < -base || dlibMove > (Int64{1} << 62)) return STG_E_INVALIDFUNCTION;
        position_ = static_cast<UInt64>(base + dlibMove);
        if (plibNewPosition) *plibNewPosition = position_;
        return S_OK;
    }

private:
    HGLOBAL block_;
    bool ownsBlock_;
    UInt64 position_ = 0;
};

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, IStream** ppstm) {
    if (!ppstm) return E_POINTER;
    *ppstm = nullptr;
    const TStreamSeam& seam = Seam();
    if (FAILED(seam.Result) || !seam.GivesStream) return seam.Result;
    // A new block for nullptr is never asked for here; an unknown handle reads as no bytes.
    if (!hGlobal) return E_INVALIDARG;
    ComPtr<IStream> stream(new TGlobalStream(hGlobal, fDeleteOnRelease != FALSE));
    *ppstm = stream.Detach();
    return S_OK;
}

void SetCreateStreamOnHGlobalForTest(HRESULT Result, bool GivesStream) { Seam() = {Result, GivesStream}; }

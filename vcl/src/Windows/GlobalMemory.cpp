// Global memory blocks behind checked handles, so a stale or foreign handle fails instead of reaching
// freed memory, and every reader can bound itself by GlobalSize.
#include <map>
#include <memory>
#include <new>

#include "vcl/Windows.h"

namespace {

struct TBlock {
    std::unique_ptr<Byte[]> Data;
    std::size_t Size = 0;
    int Locks = 0;
};

struct TGlobalHeap {
    std::map<HGLOBAL, TBlock> Blocks;
    std::uintptr_t Next = 0x20000000;
    bool FailAllocations = false;  // test seam
};

TGlobalHeap& Heap() {
    static TGlobalHeap heap;
    return heap;
}

TBlock* Find(HGLOBAL Handle) {
    auto& blocks = Heap().Blocks;
    auto it = blocks.find(Handle);
    return it == blocks.end() ? nullptr : &it->second;
}

// More than any clipboard or drag block the system makes; larger requests fail as on a full heap.
constexpr std::size_t MaxBlockSize = std::size_t{1} << 30;

}  // namespace

HGLOBAL GlobalAlloc(UINT, std::size_t dwBytes) {
    TGlobalHeap& heap = Heap();
    if (heap.FailAllocations || dwBytes > MaxBlockSize) return nullptr;
    TBlock block;
    if (dwBytes > 0) {
        block.Data.reset(new (std::nothrow) Byte[dwBytes]());
        if (!block.Data) return nullptr;
    }
    block.Size = dwBytes;
    heap.Next += 0x10;
    HGLOBAL handle = reinterpret_cast<HGLOBAL>(heap.Next);
    heap.Blocks.emplace(handle, std::move(block));
    return handle;
}

void* GlobalLock(HGLOBAL hMem) {
    TBlock* b = Find(hMem);
    if (!b || b->Size == 0) return nullptr;
    ++b->Locks;
    return b->Data.get();
}

BOOL GlobalUnlock(HGLOBAL hMem) {
    TBlock* b = Find(hMem);
    if (!b || b->Locks == 0) return FALSE;
    return --b->Locks > 0 ? TRUE : FALSE;
}

std::size_t GlobalSize(HGLOBAL hMem) {
    TBlock* b = Find(hMem);
    return b ? b->Size : 0;
}

HGLOBAL GlobalFree(HGLOBAL hMem) { return Heap().Blocks.erase(hMem) ? nullptr : hMem; }

std::size_t GlobalBlockCountForTest() { return Heap().Blocks.size(); }

void SetGlobalAllocFailsForTest(bool Fails) { Heap().FailAllocations = Fails; }

// Global memory, OLE's initialisation count, interface references and storage media.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "support/StartUpSetAside.h"
#include "vcl/ActiveX.h"

namespace {

struct IOther : IUnknown {
    static constexpr IID Iid{0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
    virtual int Value() = 0;

protected:
    ~IOther() = default;
};

// Counts how many of its kind are alive.
class TCounted : public TInterfacedObject<IDropSource, IOther> {
public:
    explicit TCounted(int& Alive) : alive_(Alive) { ++alive_; }
    ~TCounted() override { --alive_; }
    HRESULT QueryContinueDrag(BOOL, DWORD) override { return S_OK; }
    HRESULT GiveFeedback(DWORD) override { return S_OK; }
    int Value() override { return 42; }

private:
    int& alive_;
};

}  // namespace

TEST(GlobalMemoryTest, BlocksAreZeroedSizedAndCheckedOnEveryUse) {
    const std::size_t before = GlobalBlockCountForTest();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 10);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 10u);
    auto* p = static_cast<Byte*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::count(p, p + 10, 0), 10);
    EXPECT_EQ(GlobalLock(h), p);
    EXPECT_TRUE(GlobalUnlock(h));   // still locked once
    EXPECT_FALSE(GlobalUnlock(h));  // now unlocked
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(GlobalBlockCountForTest(), before + 1);
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalBlockCountForTest(), before);

    // A freed handle is no block any more.
    EXPECT_EQ(GlobalSize(h), 0u);
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GlobalFree(h), h);

    HGLOBAL empty = GlobalAlloc(GHND, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GlobalLock(empty), nullptr);
    GlobalFree(empty);

    EXPECT_EQ(GlobalAlloc(GHND, std::size_t{1} << 40), nullptr);
    SetGlobalAllocFailsForTest(true);
    EXPECT_EQ(GlobalAlloc(GHND, 1), nullptr);
    SetGlobalAllocFailsForTest(false);
}

TEST(OleTest, InitialisationIsCountedAndCanBeMadeToFail) {
    OleStartUpSetAside startUp;
    EXPECT_EQ(OleInitialize(nullptr), S_OK);
    EXPECT_EQ(OleInitialize(nullptr), S_FALSE);
    OleUninitialize();
    EXPECT_EQ(OleInitialize(nullptr), S_FALSE);
    OleUninitialize();
    OleUninitialize();
    OleUninitialize();  // one too many does nothing
    EXPECT_EQ(OleInitialize(nullptr), S_OK);
    OleUninitialize();

    SetOleInitializeFailureForTest(E_OUTOFMEMORY);
    EXPECT_EQ(OleInitialize(nullptr), E_OUTOFMEMORY);
    SetOleInitializeFailureForTest(S_OK);
    EXPECT_EQ(OleInitialize(nullptr), S_OK);
    OleUninitialize();
}

TEST(OleTest, InterfaceReferencesHoldTheObjectUntilTheLastGoes) {
    int alive = 0;
    {
        ComPtr<IDropSource> source(new TCounted(alive));
        EXPECT_EQ(alive, 1);
        ComPtr<IOther> other;
        EXPECT_EQ(source->QueryInterface(IOther::Iid, reinterpret_cast<void**>(other.ReleaseAndGetAddressOf())), S_OK);
        EXPECT_EQ(other->Value(), 42);
        ComPtr<IUnknown> unknown;
        EXPECT_EQ(other->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(unknown.ReleaseAndGetAddressOf())),
                  S_OK);
        void* none = reinterpret_cast<void*>(1);
        EXPECT_EQ(source->QueryInterface(IID_IDataObject, &none), E_NOINTERFACE);
        EXPECT_EQ(none, nullptr);
        EXPECT_EQ(source->QueryInterface(IID_IDropSource, nullptr), E_POINTER);

        ComPtr<IDropSource> copy = source;
        source.Reset();
        ComPtr<IDropSource> moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_EQ(alive, 1);
        IDropSource* detached = moved.Detach();
        EXPECT_EQ(alive, 1);
        detached->Release();
    }
    EXPECT_EQ(alive, 0);
}

TEST(OleTest, ReleasingAMediumFreesItsStorageOrReleasesItsOwner) {
    const std::size_t before = GlobalBlockCountForTest();
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = GlobalAlloc(GHND, 4);
    ReleaseStgMedium(&medium);
    EXPECT_EQ(GlobalBlockCountForTest(), before);
    EXPECT_EQ(medium.tymed, TYMED_NULL);
    EXPECT_EQ(medium.hGlobal, nullptr);

    // The owner frees the storage: the medium's block stays for it.
    int alive = 0;
    auto* owner = new TCounted(alive);
    owner->AddRef();
    owner->AddRef();
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = GlobalAlloc(GHND, 4);
    medium.pUnkForRelease = static_cast<IDropSource*>(owner);
    ReleaseStgMedium(&medium);
    EXPECT_EQ(owner->RefCount(), 1u);
    EXPECT_EQ(GlobalBlockCountForTest(), before + 1);
    EXPECT_EQ(medium.pUnkForRelease, nullptr);
    owner->Release();
    EXPECT_EQ(alive, 0);
    ReleaseStgMedium(nullptr);
}

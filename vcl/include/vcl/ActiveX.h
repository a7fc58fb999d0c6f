#pragma once
// OLE: reference-counted interfaces, the records data travels in, and drag and drop over the windowing
// system's drags. Plain and wide text travel as text/plain, rich text as text/rtf, dropped files as
// text/uri-list and other registered formats under their names; a drag inside the program hands the
// target the source's own IDataObject. All calls belong to the GUI thread.

#include <cstddef>
#include <utility>
#include <vector>

#include "Classes.h"
#include "Windows.h"

// ---------------------------------------------------------------------------
// Interface identities

struct GUID {
    DWORD Data1;
    Word Data2;
    Word Data3;
    Byte Data4[8];
    friend bool operator==(const GUID&, const GUID&) = default;
};
using IID = GUID;
using REFIID = const IID&;

inline constexpr IID IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IEnumFORMATETC{0x00000103, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDataObject{0x0000010E, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDropSource{0x00000121, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDropTarget{0x00000122, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IMalloc{0x00000002, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// ---------------------------------------------------------------------------
// Result codes of data transfer and drag and drop

constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003);
constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064);
constexpr HRESULT DV_E_TYMED = static_cast<HRESULT>(0x80040069);
constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;
constexpr HRESULT DRAGDROP_E_NOTREGISTERED = static_cast<HRESULT>(0x80040100);
constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = static_cast<HRESULT>(0x80040101);
constexpr HRESULT DRAGDROP_E_INVALIDHWND = static_cast<HRESULT>(0x80040102);
constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0);

// ---------------------------------------------------------------------------
// Records

using CLIPFORMAT = Word;
using LPOLESTR = WideChar*;
struct DVTARGETDEVICE;  // target devices are never used: always nullptr

constexpr DWORD DVASPECT_CONTENT = 1;
constexpr DWORD DVASPECT_THUMBNAIL = 2;
constexpr DWORD DVASPECT_ICON = 4;
constexpr DWORD DVASPECT_DOCPRINT = 8;

constexpr DWORD TYMED_NULL = 0;
constexpr DWORD TYMED_HGLOBAL = 1;
constexpr DWORD TYMED_FILE = 2;
constexpr DWORD TYMED_ISTREAM = 4;
constexpr DWORD TYMED_ISTORAGE = 8;
constexpr DWORD TYMED_GDI = 16;
constexpr DWORD TYMED_MFPICT = 32;
constexpr DWORD TYMED_ENHMF = 64;

struct FORMATETC {
    CLIPFORMAT cfFormat;
    DVTARGETDEVICE* ptd;
    DWORD dwAspect;
    LONG lindex;
    DWORD tymed;
};
using TFormatEtc = FORMATETC;

struct IUnknown;

struct STGMEDIUM {
    DWORD tymed;
    union {
        HGLOBAL hGlobal;
        HBITMAP hBitmap;
        LPOLESTR lpszFileName;
    };
    IUnknown* pUnkForRelease;
};
using TStgMedium = STGMEDIUM;

struct POINTL {
    LONG x;
    LONG y;
};

constexpr DWORD DATADIR_GET = 1;
constexpr DWORD DATADIR_SET = 2;

constexpr DWORD DROPEFFECT_NONE = 0;
constexpr DWORD DROPEFFECT_COPY = 1;
constexpr DWORD DROPEFFECT_MOVE = 2;
constexpr DWORD DROPEFFECT_LINK = 4;
constexpr DWORD DROPEFFECT_SCROLL = 0x80000000;

// The Alt key in the key state drag and drop reports (the mouse-message MK_ flags are in Messages.h).
constexpr DWORD MK_ALT = 0x0020;

// ---------------------------------------------------------------------------
// Interfaces

struct IUnknown {
    static constexpr const IID& Iid = IID_IUnknown;
    virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;  // objects go through Release
};

// A memory allocator: the shell hands out its item lists from one.
struct IMalloc : IUnknown {
    static constexpr const IID& Iid = IID_IMalloc;
    virtual void* Alloc(std::size_t cb) = 0;
    virtual void* Realloc(void* pv, std::size_t cb) = 0;
    virtual void Free(void* pv) = 0;
    virtual std::size_t GetSize(void* pv) = 0;  // (size_t)-1 for a block of another allocator
    virtual int DidAlloc(void* pv) = 0;         // 1 mine, 0 not, -1 cannot tell
    virtual void HeapMinimize() = 0;
};

struct IAdviseSink;    // advises are not supported: never called
struct IEnumSTATDATA;  // likewise

struct IEnumFORMATETC : IUnknown {
    static constexpr const IID& Iid = IID_IEnumFORMATETC;
    virtual HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) = 0;
    virtual HRESULT Skip(ULONG celt) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumFORMATETC** ppenum) = 0;

protected:
    ~IEnumFORMATETC() = default;
};

struct IDataObject : IUnknown {
    static constexpr const IID& Iid = IID_IDataObject;
    virtual HRESULT GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) = 0;
    virtual HRESULT GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) = 0;
    virtual HRESULT QueryGetData(FORMATETC* pformatetc) = 0;
    virtual HRESULT GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) = 0;
    virtual HRESULT SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) = 0;
    virtual HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) = 0;
    virtual HRESULT DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) = 0;
    virtual HRESULT DUnadvise(DWORD dwConnection) = 0;
    virtual HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) = 0;

protected:
    ~IDataObject() = default;
};

struct IDropSource : IUnknown {
    static constexpr const IID& Iid = IID_IDropSource;
    virtual HRESULT QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) = 0;
    virtual HRESULT GiveFeedback(DWORD dwEffect) = 0;

protected:
    ~IDropSource() = default;
};

struct IDropTarget : IUnknown {
    static constexpr const IID& Iid = IID_IDropTarget;
    virtual HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) = 0;
    virtual HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) = 0;

protected:
    ~IDropTarget() = default;
};

// ---------------------------------------------------------------------------
// An interface reference: holds one reference count while it points at an object, as an interface
// variable of the language does. Out parameters that hand over a reference fill ReleaseAndGetAddressOf().

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    ComPtr(T* Object) : p_(Object) {
        if (p_) p_->AddRef();
    }
    ComPtr(const ComPtr& Other) : ComPtr(Other.p_) {}
    ComPtr(ComPtr&& Other) noexcept : p_(std::exchange(Other.p_, nullptr)) {}
    template <typename U>
    ComPtr(const ComPtr<U>& Other) : ComPtr(static_cast<T*>(Other.Get())) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(ComPtr Other) noexcept {
        std::swap(p_, Other.p_);
        return *this;
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    void Reset() {
        if (T* old = std::exchange(p_, nullptr)) old->Release();
    }
    T** ReleaseAndGetAddressOf() {
        Reset();
        return &p_;
    }
    // Hands the reference to the caller (an out parameter).
    T* Detach() { return std::exchange(p_, nullptr); }

private:
    T* p_ = nullptr;
};

// The reference-counted object base: implements IUnknown for the interfaces listed. The count starts at
// 0, so the first ComPtr makes it 1; the last Release frees the object.
template <typename... Interfaces>
class TInterfacedObject : public TObject, public Interfaces... {
public:
    HRESULT QueryInterface(REFIID riid, void** ppvObject) override {
        if (!ppvObject) return E_POINTER;
        *ppvObject = nullptr;
        if (riid == IID_IUnknown) *ppvObject = FirstInterface();
        else (void)((riid == Interfaces::Iid ? (*ppvObject = static_cast<Interfaces*>(this), true) : false) || ...);
        if (!*ppvObject) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++refCount_; }
    ULONG Release() override {
        const ULONG count = --refCount_;
        if (count == 0) Free();
        return count;
    }
    ULONG RefCount() const { return refCount_; }

private:
    IUnknown* FirstInterface() {
        return [this]<typename First, typename... Rest>(First*, Rest*...) {
            return static_cast<IUnknown*>(static_cast<First*>(this));
        }(static_cast<Interfaces*>(nullptr)...);
    }

    ULONG refCount_ = 0;
};

// ---------------------------------------------------------------------------
// OLE calls

// Counted: S_OK for the first call, S_FALSE for the ones after it.
HRESULT OleInitialize(void* pvReserved);
void OleUninitialize();
// Test seam: OleInitialize answers Result (a failure code) instead; S_OK restores the counting.
void SetOleInitializeFailureForTest(HRESULT Result);

// Frees the medium's storage (or releases pUnkForRelease, which owns it) and clears the record.
void ReleaseStgMedium(STGMEDIUM* pmedium);

// The target is held, and drags over the window reach it, until RevokeDragDrop or the window goes.
HRESULT RegisterDragDrop(HWND hwnd, IDropTarget* pDropTarget);
HRESULT RevokeDragDrop(HWND hwnd);
// Runs a whole drag of the data: the source is asked at every change of the mouse and keys, the targets
// under the mouse get the MK_ key state and screen points, and a target's effect that dwOKEffects does
// not allow counts as one it does (a move becomes a copy). DRAGDROP_S_DROP when a target took the drop
// with an effect (*pdwEffect); otherwise DRAGDROP_S_CANCEL with DROPEFFECT_NONE.
HRESULT DoDragDrop(IDataObject* pDataObj, IDropSource* pDropSource, DWORD dwOKEffects, DWORD* pdwEffect);

// Test seams. The headless platform runs no drag: there DoDragDrop follows a script instead of the mouse
// (without one it cancels at once). Each step puts the pointer at a screen point with an MK_ key state;
// a step without MK_LBUTTON releases there and Escape cancels; a script that ends before either cancels.
struct TDragStep {
    TPoint ScreenPoint;
    DWORD KeyState = MK_LBUTTON;
    bool Escape = false;
};
// For the next DoDragDrop only.
void SetDragScriptForTest(std::vector<TDragStep> Steps);
// Another program's drag over our windows, offering Formats (MIME type and data); the effect the drop
// ended with, DROPEFFECT_NONE when nothing took it.
DWORD RunForeignDragForTest(const std::vector<std::pair<AnsiString, std::string>>& Formats, DWORD OkEffects,
                            const std::vector<TDragStep>& Steps);

// ---------------------------------------------------------------------------
// Streams on global memory and OLE pictures. A picture is decoded from the stream's bytes when it is
// loaded: bitmaps, icons, JPEG and GIF (the first image), each known by its signature. Metafiles, PNG and
// anything else are refused as the platform refuses a format it cannot show.

inline constexpr IID IID_IStream{0x0000000C, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IPicture{0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

constexpr HRESULT STG_E_INVALIDFUNCTION = static_cast<HRESULT>(0x80030001);
constexpr HRESULT CTL_E_INVALIDPICTURE = static_cast<HRESULT>(0x800A01E1);

constexpr DWORD STREAM_SEEK_SET = 0;
constexpr DWORD STREAM_SEEK_CUR = 1;
constexpr DWORD STREAM_SEEK_END = 2;

// Only the reading side: nothing here writes through a stream.
struct IStream : IUnknown {
    static constexpr const IID& Iid = IID_IStream;
    // Reads up to cb bytes; S_OK with *pcbRead set (fewer at the end).
    virtual HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) = 0;
    // STG_E_INVALIDFUNCTION for a position before the start or an unknown origin.
    virtual HRESULT Seek(Int64 dlibMove, DWORD dwOrigin, UInt64* plibNewPosition) = 0;

protected:
    ~IStream() = default;
};

// Sizes and positions in 0.01 mm; a picture's size is MulDiv(pixels, 2540, 96).
using OLE_XPOS_HIMETRIC = LONG;
using OLE_YPOS_HIMETRIC = LONG;
using OLE_XSIZE_HIMETRIC = LONG;
using OLE_YSIZE_HIMETRIC = LONG;

struct IPicture : IUnknown {
    static constexpr const IID& Iid = IID_IPicture;
    virtual HRESULT get_Width(OLE_XSIZE_HIMETRIC* pWidth) = 0;
    virtual HRESULT get_Height(OLE_YSIZE_HIMETRIC* pHeight) = 0;
    // Draws the source part (HIMETRIC, y upwards from the bottom edge, so (0, height, width, -height) is the
    // whole picture upright) into x, y, cx, cy of the DC; negative extents mirror. Transparent pixels stay
    // unpainted. pRcWBounds serves metafiles only and is ignored.
    virtual HRESULT Render(HDC hDC, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc,
                           OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc, const RECT* pRcWBounds) = 0;

protected:
    ~IPicture() = default;
};

// A stream over the block's bytes (its size as GlobalSize says); with fDeleteOnRelease the stream owns the
// block and frees it with its last release. E_INVALIDARG for nullptr; E_POINTER without ppstm.
HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, IStream** ppstm);
// Decodes lSize bytes (0: all) from the stream's position into a picture. CTL_E_INVALIDPICTURE for data
// that is no picture this platform shows; E_NOINTERFACE unless riid is IPicture or IUnknown.
HRESULT OleLoadPicture(IStream* lpstream, LONG lSize, BOOL fRunmode, REFIID riid, void** lplpvObj);

// Test seams for outcomes real data cannot cause: CreateStreamOnHGlobal answering Result, with no stream
// when GivesStream is false (S_OK and true restore it); OleLoadPicture succeeding without a picture.
void SetCreateStreamOnHGlobalForTest(HRESULT Result, bool GivesStream);
void SetOleLoadPictureGivesNoneForTest(bool GivesNone);

#pragma once
// What the edit controls' and the grid's OLE layers share: reading what a dropped data object holds
// (formats, text blocks, dropped-file names), the drop effect rules, the drop source's answer, and the
// plumbing of a data object and its format enumerator. Every read of a foreign block stays inside its
// GlobalSize and releases its storage medium.

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "vcl/ActiveX.h"
#include "vcl/Classes.h"

namespace OleDataShared {

// The effect the key state asks for: Control copies, anything else moves.
DWORD KeyStateEffect(DWORD KeyState);

// Shows the exception in flight as any other; never throws, since OLE calls must not.
void ReportFailure(TObject* Sender) noexcept;

// Runs Step; a failure is reported and the call goes on. True when Step ran through.
template <typename Step>
bool Reported(TObject* Sender, Step&& Run) {
    try {
        Run();
        return true;
    } catch (...) {
        ReportFailure(Sender);
        return false;
    }
}

// The effect a drop answers: the strongest its called hooks left. Each hook starts from the key-state
// effect and may only lower it to a copy or to none; anything else counts as none.
class TDropVerdict {
public:
    explicit TDropVerdict(DWORD KeyEffect) : keyEffect_(KeyEffect) {}
    DWORD KeyEffect() const { return keyEffect_; }
    void Report(DWORD HookEffect);
    DWORD Result() const { return result_; }

private:
    DWORD keyEffect_;
    DWORD result_ = DROPEFFECT_NONE;
};

// A drop source's answer to a continue-drag query: Escape cancels, the left button's release drops.
HRESULT ContinueDragAnswer(BOOL EscapePressed, DWORD KeyState);

// Walks a dropped data object's formats and reads its blocks.
class TFormatReader : public TObject {
public:
    // RegisterFormats runs first, only while the clipboard can be opened (closed again at once). Raises
    // EAssertionFailed "Cannot get the format enumerator" when the object gives none.
    TFormatReader(IDataObject* DataObject, void (*RegisterFormats)());

    void Reset();
    // Fetches the next entry; Valid() tells whether there was one.
    bool Next();
    // Walks from the start to the format; afterwards the current entry is that format when found. A format
    // 0 (not registered) is never found.
    bool HasFormat(CLIPFORMAT Format);
    // The global handle the object gives for the current entry in the media of Tymed, held by Medium.
    HGLOBAL Handle(DWORD Tymed, STGMEDIUM& Medium);
    // The bytes of the format's global block; "" when the format or its memory is missing.
    std::string FormatBytes(CLIPFORMAT Format);
    // The zero-terminated text held in the format; "" when the format is not there.
    AnsiString GetFormatText(CLIPFORMAT Format);

    bool HasText();
    bool HasFiles();
    AnsiString Text();
    // Fills FileList() from the dropped-files block; true when it names at least one file.
    bool ReadFiles();
    // After ReadFiles: every name fits the ANSI code page, so none was mangled into '?'.
    bool FileNamesExact() const { return fileNamesExact_; }

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
    bool fileNamesExact_ = true;
    std::unique_ptr<TStringList> fileList_;
};

// A data object that hands out blocks in fresh global memory. Descendants say which formats they offer and
// what each holds; every other request is refused.
class TBlockSource : public TInterfacedObject<IDataObject> {
public:
    HRESULT GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
    HRESULT GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
    // Content in global memory of an offered format; otherwise DV_E_FORMATETC.
    HRESULT QueryGetData(FORMATETC* pformatetc) override;
    HRESULT GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override;
    HRESULT SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
    // The get direction only.
    HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
    HRESULT DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    HRESULT DUnadvise(DWORD dwConnection) override;
    HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) override;

protected:
    virtual bool Offers(CLIPFORMAT Format) const = 0;
    // The block of an offered format.
    virtual std::string Block(CLIPFORMAT Format) const = 0;
    virtual ComPtr<IEnumFORMATETC> NewEnumerator() = 0;

    static std::string AnsiBlock(const AnsiString& Text);  // zero-terminated
    static std::string WideBlock(const AnsiString& Text);  // the code page's conversion, zero-terminated
};

// A format enumerator over a fixed list; a clone keeps the list and the position.
class TFormatEnumerator : public TInterfacedObject<IEnumFORMATETC> {
public:
    HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override;
    HRESULT Skip(ULONG celt) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumFORMATETC** ppenum) override;

protected:
    TFormatEnumerator(std::vector<FORMATETC> Formats, ULONG Position);
    // The candidates the object accepts (content in global memory), in order; the list never names a format
    // its object would refuse.
    static std::vector<FORMATETC> AcceptedFormats(IDataObject* DataObject,
                                                  std::initializer_list<CLIPFORMAT> Candidates);

private:
    std::vector<FORMATETC> formats_;
    ULONG position_ = 0;
};

// Runs one drag of Data from Source (both held for the drag); DRAGDROP_S_CANCEL when the source's last
// feedback proposed no effect, else DoDragDrop's result with Effect set.
template <class TSource>
Integer RunDrag(IDataObject* Data, TSource* Source, DWORD OkEffects, DWORD& Effect) {
    ComPtr<TSource> source(Source);
    ComPtr<IDataObject> data(Data);
    const HRESULT result = DoDragDrop(data.Get(), source.Get(), OkEffects, &Effect);
    return source->Cancelled() ? DRAGDROP_S_CANCEL : result;
}

}  // namespace OleDataShared

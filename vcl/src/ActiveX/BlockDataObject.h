#pragma once
// A data object over blocks taken when it was made (another program's drag or clipboard as our
// formats), and the enumerator of a fixed format list.

#include <vector>

#include "ActiveX/FormatBlocks.h"

class TFormatEnumerator : public TInterfacedObject<IEnumFORMATETC> {
public:
    TFormatEnumerator(std::vector<FORMATETC> Formats, ULONG Position = 0);

    HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override;
    HRESULT Skip(ULONG celt) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumFORMATETC** ppenum) override;

private:
    std::vector<FORMATETC> formats_;
    ULONG position_;
};

class TBlockDataObject : public TInterfacedObject<IDataObject> {
public:
    explicit TBlockDataObject(std::vector<TFormatBlock> Blocks);

    HRESULT GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
    HRESULT GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
    HRESULT QueryGetData(FORMATETC* pformatetc) override;
    HRESULT GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override;
    HRESULT SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
    HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
    HRESULT DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    HRESULT DUnadvise(DWORD dwConnection) override;
    HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) override;

private:
    const TFormatBlock* Find(const FORMATETC* Format) const;

    std::vector<TFormatBlock> blocks_;
};

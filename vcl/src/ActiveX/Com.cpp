// OLE's initialisation count and the release of storage media.
#include "vcl/ActiveX.h"

namespace {

struct TOleState {
    int Initialized = 0;
    HRESULT Failure = S_OK;  // test seam
};

TOleState& State() {
    static TOleState state;
    return state;
}

}  // namespace

bool OleIsInitialized() { return State().Initialized > 0; }

HRESULT OleInitialize(void*) {
    TOleState& s = State();
    if (FAILED(s.Failure)) return s.Failure;
    return s.Initialized++ == 0 ? S_OK : S_FALSE;
}

void OleUninitialize() {
    TOleState& s = State();
    if (s.Initialized > 0) --s.Initialized;
}

void SetOleInitializeFailureForTest(HRESULT Result) { State().Failure = Result; }

void ReleaseStgMedium(STGMEDIUM* pmedium) {
    if (!pmedium) return;
    if (pmedium->pUnkForRelease) {
        pmedium->pUnkForRelease->Release();
    } else if (pmedium->tymed == TYMED_HGLOBAL) {
        GlobalFree(pmedium->hGlobal);
    } else if (pmedium->tymed == TYMED_GDI) {
        DeleteObject(pmedium->hBitmap);
    }
    *pmedium = {};
}

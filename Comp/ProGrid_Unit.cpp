// The grid unit's start-up and exit, its unit-wide values and the file version query.
#include "ProGrid_Unit.h"

#include <vector>

#include "ProGrid.h"
#include "UnitStart.h"
#include "vcl/ActiveX.h"
#include "vcl/Resources.h"
#include "vcl/SysUtils.h"

extern const TResourceEntry GridGlyphResources[];

namespace ProGrid {

namespace {

struct TGridUnit {
    TUnitStart Start;
    bool CommonControls = false;
    UINT ClipboardFormat = 0;
    TCursor LinkCursor = 8009;
};

TGridUnit& Unit() {
    static TGridUnit unit;
    return unit;
}

// 4.70, the first common controls with everything the grid asks of them.
constexpr Integer CommonControlsNeeded = 0x00040046;

}  // namespace

Integer GetFileVersion(const AnsiString& AFileName) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(AFileName.c_str(), &handle);
    if (size == 0) return -1;
    std::vector<Byte> block(size);
    if (!GetFileVersionInfoA(AFileName.c_str(), handle, size, block.data())) return -1;
    void* buffer = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", &buffer, &length) || length < sizeof(VS_FIXEDFILEINFO)) return -1;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(buffer);
    if (fixed->dwSignature != VS_FFI_SIGNATURE) return -1;
    return static_cast<Integer>(fixed->dwFileVersionMS);
}

bool CommonControlsFlag() { return Unit().CommonControls; }
UINT GridClipboardFormat() { return Unit().ClipboardFormat; }
TCursor LinkCursor() { return Unit().LinkCursor; }
void SetLinkCursor(TCursor Value) { Unit().LinkCursor = Value; }

void InitProGridUnit() {
    Unit().Start.Start([] {
        const HRESULT result = OleInitialize(nullptr);
        Assert(result == S_OK || result == S_FALSE,
               Format("OleInitialize failed ($%x)", {static_cast<Integer>(result)}));
        RegisterClass(RAdeRedeviDidi::ClassInfo());
        RegisterResources(GridGlyphResources);
        const Integer version = GetFileVersion("comctl32.dll");
        Unit().CommonControls = version != -1 && version >= CommonControlsNeeded;
        Unit().ClipboardFormat = RegisterClipboardFormat("RAdeRedeviDidi Cells");
    });
}

void DoneProGridUnit() { Unit().Start.End(OleUninitialize); }

}  // namespace ProGrid

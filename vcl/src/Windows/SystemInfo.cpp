// File version resources, system parameters and the look-ups of other windows and registered messages.
#include <unistd.h>

#include <cstring>
#include <map>
#include <string>

#include "Windows/BuiltInModules.h"
#include "vcl/Forms.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace {

// The block GetFileVersionInfoA hands out: a marker the query recognises, then the fixed information.
struct TVersionBlock {
    char Marker[8];
    VS_FIXEDFILEINFO Fixed;
};
constexpr char BlockMarker[8] = {'V', 'S', '_', 'B', 'L', 'O', 'C', 'K'};

struct TFileVersion {
    Word Major, Minor, Release, Build;
};

std::map<std::string, TFileVersion> DefaultVersions() {
    return {{"comctl32.dll", {CommonControlsMajor, CommonControlsMinor, CommonControlsBuild, 0}}};
}

std::map<std::string, TFileVersion>& Versions() {
    static std::map<std::string, TFileVersion> versions = DefaultVersions();
    return versions;
}

const TFileVersion* FindVersion(const char* FileName) {
    if (!FileName) return nullptr;
    const auto found = Versions().find(ModuleKey(FileName));
    return found == Versions().end() ? nullptr : &found->second;
}

}  // namespace

DWORD GetFileVersionInfoSizeA(const char* lptstrFilename, DWORD* lpdwHandle) {
    if (lpdwHandle) *lpdwHandle = 0;
    return FindVersion(lptstrFilename) ? sizeof(TVersionBlock) : 0;
}

BOOL GetFileVersionInfoA(const char* lptstrFilename, DWORD, DWORD dwLen, void* lpData) {
    const TFileVersion* version = FindVersion(lptstrFilename);
    if (!version || !lpData) return FALSE;
    TVersionBlock block{};
    std::memcpy(block.Marker, BlockMarker, sizeof BlockMarker);
    block.Fixed.dwSignature = VS_FFI_SIGNATURE;
    block.Fixed.dwStrucVersion = 0x00010000;
    block.Fixed.dwFileVersionMS = block.Fixed.dwProductVersionMS = (DWORD{version->Major} << 16) | version->Minor;
    block.Fixed.dwFileVersionLS = block.Fixed.dwProductVersionLS = (DWORD{version->Release} << 16) | version->Build;
    std::memcpy(lpData, &block, std::min<std::size_t>(dwLen, sizeof block));
    return TRUE;
}

BOOL VerQueryValueA(const void* pBlock, const char* lpSubBlock, void** lplpBuffer, UINT* puLen) {
    if (!pBlock || !lpSubBlock || !lplpBuffer || std::strcmp(lpSubBlock, "\\") != 0) return FALSE;
    auto* block = static_cast<TVersionBlock*>(const_cast<void*>(pBlock));
    if (std::memcmp(block->Marker, BlockMarker, sizeof BlockMarker) != 0) return FALSE;
    *lplpBuffer = &block->Fixed;
    if (puLen) *puLen = sizeof(VS_FIXEDFILEINFO);
    return TRUE;
}

void SetFileVersionForTest(const AnsiString& FileName, bool Present, Word Major, Word Minor, Word Release, Word Build) {
    const std::string key = ModuleKey(FileName.c_str());
    if (Present) Versions()[key] = {Major, Minor, Release, Build};
    else Versions().erase(key);
}

void ResetFileVersionsForTest() { Versions() = DefaultVersions(); }

BOOL SystemParametersInfo(UINT uiAction, UINT, void* pvParam, UINT) {
    if (uiAction != SPI_GETWHEELSCROLLLINES || !pvParam) return FALSE;
    *static_cast<UINT*>(pvParam) = 3;
    return TRUE;
}

HWND FindWindowA(const char* lpClassName, const char* lpWindowName) {
    if (!Screen) return nullptr;
    for (Integer i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (lpClassName && !SameText(form->ClassName(), lpClassName)) continue;
        if (!form->HandleAllocated() || (lpWindowName && form->Caption() != lpWindowName)) continue;
        return form->Handle();
    }
    return nullptr;
}

UINT RegisterWindowMessageA(const char* lpString) { return RegisterClipboardFormat(lpString); }

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

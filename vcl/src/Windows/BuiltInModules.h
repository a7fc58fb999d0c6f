#pragma once
// The modules behind LoadLibrary: each built-in library lists its exports here.

#include <string>
#include <vector>

#include "vcl/Windows.h"

// "comctl32.dll": the common controls of the version the program's manifest asks for.
constexpr DWORD CommonControlsMajor = 6;
constexpr DWORD CommonControlsMinor = 0;
constexpr DWORD CommonControlsBuild = 2600;

// A module's key in the map: lower case, ".dll" when no extension is given ("UXTHEME" is "uxtheme.dll").
std::string ModuleKey(const char* Name);

struct TModuleExport {
    const char* Name;
    FARPROC Address;
};

// An export's address, checked against the signature callers fetch it with.
template <typename Signature>
FARPROC ExportAddress(Signature Function) {
    return reinterpret_cast<FARPROC>(Function);
}

// "uxtheme.dll" (vcl/src/UxTheme).
const std::vector<TModuleExport>& UxThemeExports();

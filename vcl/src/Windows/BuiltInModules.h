#pragma once
// The modules behind LoadLibrary: each built-in library lists its exports here.

#include <vector>

#include "vcl/Windows.h"

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

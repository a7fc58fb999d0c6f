#pragma once
// The shell's records that travel with dropped files.

#include "Windows.h"

VCL_DECLARE_HANDLE(HDROP);

// The block behind CF_HDROP: this header, then from pFiles on the names, each zero-terminated (wide
// characters when fWide), ended by an empty name.
struct DROPFILES {
    DWORD pFiles;
    POINT pt;
    BOOL fNC;
    BOOL fWide;
};
using TDropFiles = DROPFILES;
static_assert(sizeof(DROPFILES) == 20);

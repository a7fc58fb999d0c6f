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

// ---------------------------------------------------------------------------
// Opening documents and addresses with the desktop's opener.

constexpr int SE_ERR_ACCESSDENIED = 5;
constexpr int SE_ERR_NOASSOC = 31;

// True for what must never be handed to the desktop's opener: an executable file or a desktop launcher,
// also behind a file: address read as the opener reads it (escapes decoded, an empty or "localhost"
// host, query and fragment dropped), and a file: address that does not read as a local path.
bool IsProgramOrDesktopLauncher(const AnsiString& Target);
// "open" (or no verb) gives lpFile to the desktop's opener as one argument, never through a shell; a
// program or launcher is refused with SE_ERR_ACCESSDENIED, another verb answers SE_ERR_NOASSOC. The start
// goes through WinExec (and its test seam); a result above 32 means started.
HINSTANCE ShellExecuteA(HWND hwnd, const char* lpOperation, const char* lpFile, const char* lpParameters,
                        const char* lpDirectory, int nShowCmd);
#define ShellExecute ShellExecuteA

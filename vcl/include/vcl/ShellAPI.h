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

// ---------------------------------------------------------------------------
// File icons: one process-wide pair of image lists (16 and 32 pixels), the same index in both, an
// icon added the first time its kind of file is asked for.

struct SHFILEINFO {
    HICON hIcon;
    int iIcon;
    DWORD dwAttributes;
    char szDisplayName[260];
    char szTypeName[80];
};
using SHFILEINFOA = SHFILEINFO;
using TSHFileInfo = SHFILEINFO;

constexpr UINT SHGFI_LARGEICON = 0x0000;
constexpr UINT SHGFI_SMALLICON = 0x0001;
constexpr UINT SHGFI_USEFILEATTRIBUTES = 0x0010;
constexpr UINT SHGFI_SYSICONINDEX = 0x4000;

// With SHGFI_SYSICONINDEX: the icon index of the path's kind (a folder, or a file by its type) in
// psfi->iIcon, and the handle of the small or large list as the result; an empty path gives the list
// alone. The path must exist unless SHGFI_USEFILEATTRIBUTES is given, when dwFileAttributes says whether
// it names a folder and the name's extension the file's type. 0 on failure and for other flags.
std::uintptr_t SHGetFileInfoA(const char* pszPath, DWORD dwFileAttributes, SHFILEINFO* psfi, UINT cbFileInfo,
                              UINT uFlags);
#define SHGetFileInfo SHGetFileInfoA

// Test seam: fixed icons (a folder yellow, any file blue, each square with a transparent border) instead
// of the toolkit's; the lists are emptied either way.
void UseFixedShellIconsForTest(bool Fixed);

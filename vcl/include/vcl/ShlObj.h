#pragma once
// The shell's folder browser: a directory dialog that returns an item list, turned into a path by
// SHGetPathFromIDListA and freed through the shell's allocator.

#include <vector>

#include "ActiveX.h"
#include "Windows.h"

// One item of a list; the list ends with an item whose cb is 0. The stand-in's lists hold one item:
// the folder's path, zero-terminated.
struct SHITEMID {
    Word cb;
    Byte abID[1];
};
struct ITEMIDLIST {
    SHITEMID mkid;
};
using LPITEMIDLIST = ITEMIDLIST*;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;

using BFFCALLBACK = int (*)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

struct BROWSEINFOA {
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;
    char* pszDisplayName;  // MAX_PATH bytes: the chosen folder's name
    const char* lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
};
using TBrowseInfo = BROWSEINFOA;

constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
// Sent to the callback once the dialog is shown.
constexpr UINT BFFM_INITIALIZED = 1;
// Sent to the dialog: wParam TRUE and lParam a path opens that folder.
constexpr UINT BFFM_SETSELECTIONA = WM_USER + 102;

// Runs the folder dialog (non-native, application-modal); the callback hears BFFM_INITIALIZED at the first
// show. nullptr when cancelled; otherwise an item list to free with SHGetMalloc's Free.
LPITEMIDLIST SHBrowseForFolderA(BROWSEINFOA* lpbi);
#define SHBrowseForFolder SHBrowseForFolderA
// Writes the list's path into pszPath (MAX_PATH bytes); FALSE, writing nothing, for a path that does not
// fit or a list that is no path.
BOOL SHGetPathFromIDListA(LPCITEMIDLIST pidl, char* pszPath);
#define SHGetPathFromIDList SHGetPathFromIDListA
// The shell's allocator, with one reference for the caller.
HRESULT SHGetMalloc(IMalloc** ppMalloc);

namespace Testing {

struct TRecordedBrowseDialog {
    AnsiString Title;
    UINT Flags = 0;
    AnsiString Selection;  // the last BFFM_SETSELECTIONA path, "" when none came
    bool Moved = false;
    TPoint Position;  // where SetWindowPos moved the dialog
};
// While on, SHBrowseForFolderA shows nothing: it records the dialog, runs the callback with a dialog of
// BrowseDialogBounds on the screen, and answers the next prepared folder ("" or none prepared: cancel).
void RecordBrowseDialogs(bool On);
void PrepareBrowseAnswer(const AnsiString& Folder);
std::vector<TRecordedBrowseDialog>& RecordedBrowseDialogs();
inline const TRect BrowseDialogBounds{100, 100, 420, 500};

}  // namespace Testing

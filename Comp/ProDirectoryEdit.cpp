// The directory edit: the folder dialog from the button, placed below the edit, and the validation.
#include "ProDirectoryEdit.h"

#include <cstring>

#include "vcl/Forms.h"
#include "vcl/Resources.h"
#include "vcl/ShlObj.h"
#include "vcl/SysUtils.h"

extern const TResourceEntry DirectoryEditResources[];

namespace ProDirectoryEdit {

using namespace ProEdit;

TProDirectoryEdit::TProDirectoryEdit(TComponent* AOwner) : TProEditBtn(AOwner) {
    TBitmap glyph;
    glyph.LoadFromResourceName(nullptr, "ProDirectoryEdit");
    SetGlyph(&glyph);
    OnValueValidate = [this](TObject* Sender, const AnsiString& Value, bool& IsValid) {
        ValidateDirectory(Sender, Value, IsValid);
    };
    SetButtonWidth(18);
}

void TProDirectoryEdit::ValidateDirectory(TObject*, const AnsiString& Value, bool& IsValid) {
    IsValid = DirectoryExists(Value);
}

void TProDirectoryEdit::ClickButton() {
    char displayName[MAX_PATH]{};
    BROWSEINFOA info{};
    info.hwndOwner = Application->Handle();
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = browseDialogText_.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = &TProDirectoryEdit::BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    LPITEMIDLIST list = SHBrowseForFolderA(&info);
    if (!list) return;
    char path[MAX_PATH + 1];
    std::memset(path, 0, sizeof path);
    if (SHGetPathFromIDListA(list, path) && Text() != path) {
        SetText(path);
        SetModifiedState(true);
    }
    IMalloc* allocator = nullptr;
    if (SHGetMalloc(&allocator) == S_OK && allocator) {
        allocator->Free(list);
        allocator->Release();
    }
}

int TProDirectoryEdit::BrowseCallback(HWND Dialog, UINT Msg, LPARAM, LPARAM Data) {
    if (Msg == BFFM_INITIALIZED) reinterpret_cast<TProDirectoryEdit*>(Data)->DialogShown(Dialog);
    return 0;
}

// Opens at the value's folder (the current one for an empty value) and sits below the edit, or above it
// when it would reach the screen's bottom; left of its place when it would pass the screen's right edge.
void TProDirectoryEdit::DialogShown(HWND Dialog) {
    const AnsiString value = Text();
    AnsiString folder = value.empty() ? GetCurrentDir() : ExcludeTrailingPathDelimiter(value);
    // The root keeps its delimiter: without it, it is no folder.
    if (folder.empty() && !value.empty()) folder = value.substr(0, 1);
    SendMessage(Dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    RECT dialog{};
    GetWindowRect(Dialog, &dialog);
    const TPoint bottomLeft = Parent() ? Parent()->ClientToScreen(Point(Left(), Top() + Height())) : Point(0, 0);
    const TPoint topLeft = Parent() ? Parent()->ClientToScreen(Point(Left(), Top())) : Point(0, 0);
    Integer x = bottomLeft.X, y = bottomLeft.Y;
    const Integer width = dialog.Right - dialog.Left, height = dialog.Bottom - dialog.Top;
    if (x + width > Screen->Width()) x -= width;
    if (y + height >= Screen->Height()) y = topLeft.Y - height;
    SetWindowPos(Dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void RegisterDirectoryEdits() {
    RegisterResources(DirectoryEditResources);
    RegisterClasses({ProEdBtn::TProEditBtn::ClassInfo(), TProDirectoryEdit::ClassInfo()});
}

namespace {

// Properties of the typed edit a folder value has no use for: read-only, so that no description sets them.
void PublishTProDirectoryEdit(TPublisher& p) {
    for (const char* name :
         {"AutoThousandSeparator", "EditAlign", "EditType", "ExcelStyleDecimalSeparator", "PasswordChar", "Precision",
          "Signed", "ShowURL", "URLColor", "OnClickBtn", "OnValueValidate"})
        p.Property({name, {}, {}, {}});
    TPublishOf<TProDirectoryEdit> P(p);
    P.Str("BrowseDialogText", &TProDirectoryEdit::BrowseDialogText, &TProDirectoryEdit::SetBrowseDialogText);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TProDirectoryEdit, VCL_CREATOR(TProDirectoryEdit), PublishTProDirectoryEdit)

}  // namespace ProDirectoryEdit

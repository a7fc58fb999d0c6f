#pragma once
// The directory edit: an edit with a button that opens the shell's folder browser, whose value is valid
// only while the folder exists.

#include "ProEdBtn.h"

namespace ProDirectoryEdit {

class TProDirectoryEdit : public ProEdBtn::TProEditBtn {
    VCL_CLASS(TProDirectoryEdit, TProEditBtn)
    explicit TProDirectoryEdit(TComponent* AOwner);

    // The folder dialog's title.
    const AnsiString& BrowseDialogText() const { return browseDialogText_; }
    void SetBrowseDialogText(const AnsiString& Value) { browseDialogText_ = Value; }

    // Runs the folder dialog from the value's folder, placed below the edit; a folder chosen other than the
    // value becomes the value.
    void ClickButton() override;
    virtual void ValidateDirectory(TObject* Sender, const AnsiString& Value, bool& IsValid);

private:
    static int BrowseCallback(HWND Dialog, UINT Msg, LPARAM Param, LPARAM Data);
    void DialogShown(HWND Dialog);

    AnsiString browseDialogText_ = "Select Directory";
};

// Registers the edit controls with a button for form descriptions, with the directory button's glyph.
void RegisterDirectoryEdits();

}  // namespace ProDirectoryEdit

#pragma once
// A combo box's edit part and drop-down list as windows of their own: each has a handle and a replaceable
// window procedure, which starts as the combo's ComboWndProc over the part's native handling.

#include <memory>

#include "Windows/ForeignWindows.h"
#include "vcl/StdCtrls.h"

class TComboBoxChild : public TForeignWindow {
public:
    enum TKind { ckEdit, ckList };
    TComboBoxChild(TCustomComboBox& Combo, TKind Kind);
    TComboBoxChild(const TComboBoxChild&) = delete;
    TComboBoxChild& operator=(const TComboBoxChild&) = delete;

    HWND Handle() const { return handle_.Handle(); }
    TKind Kind() const { return kind_; }
    TCustomComboBox& Combo() const { return combo_; }

    // Every message to the window runs it, the user's keys included.
    TWndMethod WindowProc;

    LRESULT Message(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    TRect ScreenBounds() const override;
    void MoveTo(int, int) override {}

private:
    // What the window does with a message nobody handled: the native widget's handling; the edit part
    // also tells which character lies at a point.
    void Native(TMessage& Message);

    TCustomComboBox& combo_;
    TKind kind_;
    TForeignWindowHandle handle_;
};

// The combo a part window belongs to; nullptr for any other window.
TCustomComboBox* ComboOfPart(HWND Handle);

// The combo's canvas for owner drawing: on no surface but while an item is drawn.
std::unique_ptr<TCanvas> NewItemCanvas();
// Puts Canvas's device context on Target for drawing the item at Rect (the list's coordinates) into
// Target's origin; nullptr releases it.
void AttachItemCanvas(TCanvas& Canvas, TSurface* Target, const TRect& Rect);

#pragma once
// The masked edit. EditMask is kept and published; typing is not yet held to the mask, so EditText and Text
// are both the edit's text.

#include "StdCtrls.h"

class TCustomMaskEdit : public TCustomEdit {
    VCL_CLASS(TCustomMaskEdit, TCustomEdit)
    explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

    const AnsiString& EditMask() const { return editMask_; }
    void SetEditMask(const AnsiString& Value) { editMask_ = Value; }
    AnsiString EditText() const { return Text(); }
    void SetEditText(const AnsiString& Value) { SetText(Value); }

private:
    AnsiString editMask_;
};

class TMaskEdit : public TCustomMaskEdit {
    VCL_CLASS(TMaskEdit, TCustomMaskEdit)
    explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};

// Registers the classes of this unit for form descriptions.
void RegisterMask();

// The Unicode edit: a library edit whose window is a Unicode window on NT-family systems.
#include "GrdUni.h"

#include "vcl/ScopeGuard.h"

namespace GrdUni {

TCustomUNIEdit::TCustomUNIEdit(TComponent* AOwner) : TCustomEdit(AOwner) { Font()->SetCharset(255); }

TCustomUNIEdit::~TCustomUNIEdit() { TWinControlTrap::Remove(this); }

// The far-east single-byte case of the 9x family is a 9x case: the version answer decides alone.
void TCustomUNIEdit::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    if (UnicodeWindowsAvailable()) Params.WinClassName = UnicodeClassName(Params.WinClassName);
}

void TCustomUNIEdit::CreateWnd() {
    const TValueGuard creating(creating_, true);
    TCustomEdit::CreateWnd();
    UnicodeWindowCreated(this);
}

void TCustomUNIEdit::DestroyWnd() {
    TWinControlTrap::Remove(this);
    TCustomEdit::DestroyWnd();
}

// The caption the new window takes is no change of the text.
void TCustomUNIEdit::Dispatch(TMessage& Message) {
    if (creating_ && Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == EN_CHANGE) return;
    TCustomEdit::Dispatch(Message);
}

namespace {

void PublishTGrdUniEdit(TPublisher& p) { p.Property(WideTextProperty()); }

}  // namespace

VCL_IMPLEMENT_CLASS(TCustomUNIEdit, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGrdUniEdit, VCL_CREATOR(TGrdUniEdit), PublishTGrdUniEdit)

}  // namespace GrdUni

// TMaskEdit: an edit that keeps its EditMask for form descriptions and for code that reads it.
#include "StdCtrls/Publish.h"
#include "vcl/Mask.h"

namespace {

void PublishTMaskEdit(TPublisher& p) {
    TPublishOf<TCustomMaskEdit> P(p);
    P.Str("EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask);
    TPublishOf<TCustomEdit> E(p);
    StdPublish::EditCommon(E);
    E.Bool("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect);
    E.Bool("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TCustomMaskEdit, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TMaskEdit, VCL_CREATOR(TMaskEdit), &PublishTMaskEdit)

void RegisterMask() { RegisterClasses({TMaskEdit::ClassInfo()}); }

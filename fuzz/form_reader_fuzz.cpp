// Arbitrary text read as a form description into a small form, the grid among its classes: it either
// reads or raises an Exception-derived error, and a failed reading leaves no component behind.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ProGrid.h"
#include "support/PublishedFuzzClasses.h"
#include "vcl/Classes.h"

namespace {

class TFuzzControl : public fuzzclasses::TFuzzValues {
    VCL_CLASS(TFuzzControl, fuzzclasses::TFuzzValues)
    using TFuzzValues::TFuzzValues;
    void SetBuddy(TFuzzControl* v) { buddy_ = v; }
    // Codes above 255 (#8364) stay in a wide string.
    WideString WideCaption() const { return wideCaption_; }
    void SetWideCaption(const WideString& v) { wideCaption_ = v; }

    TNotifyEvent OnClick;

private:
    TComponentRef<TFuzzControl> buddy_;
    WideString wideCaption_;
};
static void PublishTFuzzControl(TPublisher& p) {
    TPublishOf<TFuzzControl> P(p);
    P.Component<TFuzzControl>("Buddy", &TFuzzControl::SetBuddy);
    p.Property({"WideCaption",
                [](TObject& o, const TFormValue& v, TReadContext&) {
                    // Without surrogates (a pair of codes is one character wide, two single-byte ones)
                    // the wide text converts to the single-byte text of the same value.
                    const WideString wide = v.AsWideString();
                    const bool surrogates =
                        std::any_of(wide.begin(), wide.end(), [](WideChar c) { return c >= 0xD800 && c <= 0xDFFF; });
                    if (!surrogates && WideToAnsi(wide) != v.AsString()) std::abort();
                    static_cast<TFuzzControl&>(o).SetWideCaption(wide);
                },
                [](TObject& o) { return FormWideString(static_cast<TFuzzControl&>(o).WideCaption()); },
                {}});
    P.Event("OnClick", &TFuzzControl::OnClick);
}
VCL_IMPLEMENT_CLASS(TFuzzControl, VCL_CREATOR(TFuzzControl), PublishTFuzzControl)

class TFuzzForm : public TFuzzControl {
    VCL_CLASS(TFuzzForm, TFuzzControl)
    using TFuzzControl::TFuzzControl;
    TFuzzControl* Control1 = nullptr;
    TFuzzControl* Control2 = nullptr;
    void Clicked(TObject*) {}
};
static void PublishTFuzzForm(TPublisher& p) {
    TPublishOf<TFuzzForm> P(p);
    P.Field("Control1", &TFuzzForm::Control1);
    P.Field("Control2", &TFuzzForm::Control2);
    P.Method("Clicked", &TFuzzForm::Clicked);
}
VCL_IMPLEMENT_CLASS(TFuzzForm, VCL_CREATOR(TFuzzForm), PublishTFuzzForm)

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered =
        (RegisterClasses({TFuzzControl::ClassInfo(), TFuzzForm::ClassInfo(), ProGrid::RAdeRedeviDidi::ClassInfo()}),
         true);
    (void)registered;
    auto* form = new TFuzzForm(nullptr);
    try {
        ReadComponentFromText(std::string(reinterpret_cast<const char*>(data), size), form);
    } catch (const Exception&) {
        // A failed reading must not leave components or filled fields behind.
        if (form->ComponentCount() != 0 || form->Control1 || form->Control2) std::abort();
    }
    form->Free();
    return 0;
}

// Arbitrary text read as a form description into a small form, the grid among its classes: it either
// reads or raises an Exception-derived error, and a failed reading leaves no component behind.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ProGrid.h"
#include "vcl/Classes.h"

namespace {

class TFuzzItem : public TCollectionItem {
    VCL_CLASS(TFuzzItem, TCollectionItem)
    using TCollectionItem::TCollectionItem;
    Integer Width() const { return width_; }
    void SetWidth(Integer v) { width_ = v; }

private:
    Integer width_ = 0;
};
static void PublishTFuzzItem(TPublisher& p) {
    TPublishOf<TFuzzItem>(p).Int("Width", &TFuzzItem::Width, &TFuzzItem::SetWidth);
}
VCL_IMPLEMENT_CLASS(TFuzzItem, nullptr, PublishTFuzzItem)

enum TFuzzOption { foOne, foTwo };

class TFuzzControl : public TComponent {
    VCL_CLASS(TFuzzControl, TComponent)
    explicit TFuzzControl(TComponent* AOwner) : TComponent(AOwner), Items(this, CollectionItemClassOf<TFuzzItem>()) {}

    AnsiString Caption() const { return caption_; }
    void SetCaption(const AnsiString& v) { caption_ = v; }
    double Ratio() const { return ratio_; }
    void SetRatio(double v) { ratio_ = v; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }
    TFuzzOption Option() const { return option_; }
    void SetOption(TFuzzOption v) { option_ = v; }
    TSet<TFuzzOption> Options() const { return options_; }
    void SetOptions(TSet<TFuzzOption> v) { options_ = v; }
    TStrings* Lines() { return &lines_; }
    TOwnedCollection* GetItems() { return &Items; }
    void SetBuddy(TFuzzControl* v) { buddy_ = v; }

    TNotifyEvent OnClick;
    TOwnedCollection Items;

private:
    AnsiString caption_;
    double ratio_ = 0;
    bool enabled_ = true;
    TFuzzOption option_ = foOne;
    TSet<TFuzzOption> options_;
    TStringList lines_;
    TComponentRef<TFuzzControl> buddy_;
};
static void PublishTFuzzControl(TPublisher& p) {
    TPublishOf<TFuzzControl> P(p);
    const TEnumNames<TFuzzOption> names{{"foOne", foOne}, {"foTwo", foTwo}};
    P.Str("Caption", &TFuzzControl::Caption, &TFuzzControl::SetCaption);
    P.Float("Ratio", &TFuzzControl::Ratio, &TFuzzControl::SetRatio);
    P.Bool("Enabled", &TFuzzControl::Enabled, &TFuzzControl::SetEnabled);
    P.Enum("Option", &TFuzzControl::Option, &TFuzzControl::SetOption, names);
    P.Set("Options", &TFuzzControl::Options, &TFuzzControl::SetOptions, names);
    P.Object("Lines", &TFuzzControl::Lines);
    P.Collection("Items", &TFuzzControl::GetItems);
    P.Component<TFuzzControl>("Buddy", &TFuzzControl::SetBuddy);
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

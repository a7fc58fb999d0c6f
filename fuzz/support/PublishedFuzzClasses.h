#pragma once
// A component with a value of every published kind (string, float, bool, enumeration, set, object,
// collection), for the targets that read descriptions into components.
#include "vcl/Classes.h"

namespace fuzzclasses {

class TFuzzItem : public TCollectionItem {
    VCL_CLASS(TFuzzItem, TCollectionItem)
    using TCollectionItem::TCollectionItem;
    Integer Width() const { return width_; }
    void SetWidth(Integer v) { width_ = v; }

private:
    Integer width_ = 0;
};
inline void PublishTFuzzItem(TPublisher& p) {
    TPublishOf<TFuzzItem>(p).Int("Width", &TFuzzItem::Width, &TFuzzItem::SetWidth);
}
inline VCL_IMPLEMENT_CLASS(TFuzzItem, nullptr, PublishTFuzzItem)

    enum TFuzzOption {
        foOne,
        foTwo
    };

class TFuzzValues : public TComponent {
    VCL_CLASS(TFuzzValues, TComponent)
    explicit TFuzzValues(TComponent* AOwner) : TComponent(AOwner), Items(this, CollectionItemClassOf<TFuzzItem>()) {}

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

    TOwnedCollection Items;

private:
    AnsiString caption_;
    double ratio_ = 0;
    bool enabled_ = true;
    TFuzzOption option_ = foOne;
    TSet<TFuzzOption> options_;
    TStringList lines_;
};
inline void PublishTFuzzValues(TPublisher& p) {
    TPublishOf<TFuzzValues> P(p);
    const TEnumNames<TFuzzOption> names{{"foOne", foOne}, {"foTwo", foTwo}};
    P.Str("Caption", &TFuzzValues::Caption, &TFuzzValues::SetCaption);
    P.Float("Ratio", &TFuzzValues::Ratio, &TFuzzValues::SetRatio);
    P.Bool("Enabled", &TFuzzValues::Enabled, &TFuzzValues::SetEnabled);
    P.Enum("Option", &TFuzzValues::Option, &TFuzzValues::SetOption, names);
    P.Set("Options", &TFuzzValues::Options, &TFuzzValues::SetOptions, names);
    P.Object("Lines", &TFuzzValues::Lines);
    P.Collection("Items", &TFuzzValues::GetItems);
}
inline VCL_IMPLEMENT_CLASS(TFuzzValues, nullptr, PublishTFuzzValues)

}  // namespace fuzzclasses

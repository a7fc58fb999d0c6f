// Arbitrary bytes read as a binary component stream: the reading gives a component or raises
// EReadError, and a failed reading leaves no component behind.
#include <cstdint>
#include <cstdlib>

#include "vcl/Classes.h"

namespace {

int gLive = 0;

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

class TFuzzNode : public TComponent {
    VCL_CLASS(TFuzzNode, TComponent)
    explicit TFuzzNode(TComponent* AOwner) : TComponent(AOwner), Items(this, CollectionItemClassOf<TFuzzItem>()) {
        ++gLive;
    }
    ~TFuzzNode() override { --gLive; }

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

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return parent_; }
    void SetParentComponent(TComponent* Value) override { parent_ = Value; }

    TOwnedCollection Items;

private:
    AnsiString caption_;
    double ratio_ = 0;
    bool enabled_ = true;
    TFuzzOption option_ = foOne;
    TSet<TFuzzOption> options_;
    TStringList lines_;
    TComponent* parent_ = nullptr;
};
static void PublishTFuzzNode(TPublisher& p) {
    TPublishOf<TFuzzNode> P(p);
    const TEnumNames<TFuzzOption> names{{"foOne", foOne}, {"foTwo", foTwo}};
    P.Str("Caption", &TFuzzNode::Caption, &TFuzzNode::SetCaption);
    P.Float("Ratio", &TFuzzNode::Ratio, &TFuzzNode::SetRatio);
    P.Bool("Enabled", &TFuzzNode::Enabled, &TFuzzNode::SetEnabled);
    P.Enum("Option", &TFuzzNode::Option, &TFuzzNode::SetOption, names);
    P.Set("Options", &TFuzzNode::Options, &TFuzzNode::SetOptions, names);
    P.Object("Lines", &TFuzzNode::Lines);
    P.Collection("Items", &TFuzzNode::GetItems);
}
VCL_IMPLEMENT_CLASS(TFuzzNode, VCL_CREATOR(TFuzzNode), PublishTFuzzNode)

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = (RegisterClass(TFuzzNode::ClassInfo()), true);
    (void)registered;
    TMemoryStream stream;
    stream.WriteBuffer(data, static_cast<Integer>(size));
    stream.SetPosition(0);
    try {
        TComponent* read = stream.ReadComponent(nullptr);
        if (!read) std::abort();
        read->Free();
    } catch (const EReadError&) {
        // the one failure a stream may cause
    }
    if (gLive != 0) std::abort();
    return 0;
}

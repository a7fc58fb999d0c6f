// TPicture: holds one graphic of any kind and passes on its changes.
#include <cctype>

#include "vcl/Graphics.h"
#include "vcl/SysUtils.h"

namespace {

// The kind of graphic a picture holds, by the class name its streamed data starts with.
const char* KindName(const TGraphic& Graphic) { return dynamic_cast<const TIcon*>(&Graphic) ? "TIcon" : "TBitmap"; }

// Data: the graphic's kind as a short string, then the graphic's own Data bytes; nothing when empty.
void PublishTPicture(TPublisher& P) {
    P.Property({"Data",
                [](TObject& o, const TFormValue& v, TReadContext& Context) {
                    if (v.Kind != TFormValue::vaBinary || v.Str.empty()) RaiseInvalidPropertyValue(v);
                    const auto length = static_cast<unsigned char>(v.Str[0]);
                    if (v.Str.size() < 1u + length) RaiseInvalidPropertyValue(v);
                    const std::string kind = v.Str.substr(1, length);
                    auto& picture = static_cast<TPicture&>(o);
                    TGraphic* graphic = nullptr;
                    if (SameText(kind, "TBitmap")) graphic = picture.Bitmap();
                    else if (SameText(kind, "TIcon")) graphic = picture.Icon();
                    else throw EInvalidGraphic("Unknown picture format " + kind);
                    TFormValue data;
                    data.Kind = TFormValue::vaBinary;
                    data.Str = v.Str.substr(1 + length);
                    graphic->ClassType()->FindProperty("Data")->Write(*graphic, data, Context);
                },
                [](TObject& o) {
                    TFormValue v;
                    TGraphic* graphic = static_cast<TPicture&>(o).Graphic();
                    if (!graphic) return v;  // nil: left out
                    v = graphic->ClassType()->FindProperty("Data")->Read(*graphic);
                    const std::string kind = KindName(*graphic);
                    v.Str.insert(0, 1, static_cast<char>(kind.size()));
                    v.Str.insert(1, kind);
                    return v;
                },
                {}});
}

std::unique_ptr<TGraphic> NewGraphicLike(TGraphic* model) {
    if (dynamic_cast<TIcon*>(model)) return std::make_unique<TIcon>();
    if (dynamic_cast<TBitmap*>(model)) return std::make_unique<TBitmap>();
    throw EInvalidGraphic("Unknown picture file extension (" + model->ClassName() + ")");
}

bool HasExtension(const AnsiString& name, const char* extension) {
    std::size_t n = std::char_traits<char>::length(extension);
    if (name.size() < n) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - n + i])) != extension[i]) return false;
    return true;
}

}  // namespace

VCL_IMPLEMENT_CLASS(TPicture, nullptr, PublishTPicture)

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed(TObject*) {
    if (OnChange) OnChange(this);
}

void TPicture::Replace(std::unique_ptr<TGraphic> Value) {
    graphic_ = std::move(Value);
    if (graphic_) graphic_->OnChange = [this](TObject* sender) { Changed(sender); };
    Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
    if (!Value) return Replace(nullptr);
    if (Value == graphic_.get()) return;
    std::unique_ptr<TGraphic> copy = NewGraphicLike(Value);
    copy->Assign(Value);
    Replace(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
    if (!dynamic_cast<TBitmap*>(graphic_.get())) Replace(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

TIcon* TPicture::Icon() {
    if (!dynamic_cast<TIcon*>(graphic_.get())) Replace(std::make_unique<TIcon>());
    return static_cast<TIcon*>(graphic_.get());
}

void TPicture::LoadFromFile(const AnsiString& FileName) {
    std::unique_ptr<TGraphic> graphic;
    if (HasExtension(FileName, ".ico")) graphic = std::make_unique<TIcon>();
    else graphic = std::make_unique<TBitmap>();
    graphic->LoadFromFile(FileName);
    Replace(std::move(graphic));
}

void TPicture::SaveToFile(const AnsiString& FileName) {
    if (!graphic_) throw EInvalidGraphicOperation("Cannot save an empty picture");
    graphic_->SaveToFile(FileName);
}

void TPicture::Assign(TPersistent* Source) {
    if (!Source) return SetGraphic(nullptr);
    if (auto* picture = dynamic_cast<TPicture*>(Source)) return SetGraphic(picture->Graphic());
    if (auto* graphic = dynamic_cast<TGraphic*>(Source)) return SetGraphic(graphic);
    inherited::Assign(Source);
}

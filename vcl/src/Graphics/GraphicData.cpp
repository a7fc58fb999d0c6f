// TGraphic's class descriptor with its published Data property, and its clipboard exchange.
#include "vcl/Graphics.h"

VCL_IMPLEMENT_CLASS(TGraphic, nullptr, TGraphic::Publish)

void TGraphic::Publish(TPublisher& P) {
    P.Property({"Data",
                [](TObject& o, const TFormValue& v, TReadContext&) {
                    if (v.Kind != TFormValue::vaBinary) RaiseInvalidPropertyValue(v);
                    if (v.Str.empty()) return;  // an empty graphic stays empty
                    TStringStream bytes(v.Str);
                    static_cast<TGraphic&>(o).ReadData(&bytes);
                },
                [](TObject& o) {
                    TStringStream bytes;
                    // Not every kind of graphic can read back the form of an empty one.
                    if (!static_cast<TGraphic&>(o).Empty()) static_cast<TGraphic&>(o).WriteData(&bytes);
                    TFormValue v;
                    v.Kind = TFormValue::vaBinary;
                    v.Str = bytes.DataString();
                    return v;
                },
                {}});
}

void TGraphic::LoadFromClipboardFormat(Word, THandle, HPALETTE) {
    throw EInvalidGraphic("Unsupported clipboard format");
}

void TGraphic::SaveToClipboardFormat(Word&, THandle&, HPALETTE&) {
    throw EInvalidGraphic("Unsupported clipboard format");
}

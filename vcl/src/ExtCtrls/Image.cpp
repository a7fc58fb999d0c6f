// TImage: a picture drawn as it is, centred, stretched or scaled in proportion.
#include "vcl/ExtCtrls.h"

namespace {

void PublishTImage(TPublisher& p) {
    TPublishOf<TImage> P(p);
    P.Object("Picture", &TImage::Picture);
    P.Bool("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize);
    P.Bool("Center", &TImage::Center, &TImage::SetCenter);
    P.Bool("Proportional", &TImage::Proportional, &TImage::SetProportional);
    P.Bool("Stretch", &TImage::Stretch, &TImage::SetStretch);
    P.Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TImage, VCL_CREATOR(TImage), &PublishTImage)

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), picture_(std::make_unique<TPicture>()) {
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    picture_->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
    SetBounds(Left(), Top(), 105, 105);
}

TImage::~TImage() { picture_->OnChange = nullptr; }

void TImage::SetStretch(bool Value) {
    if (stretch_ == Value) return;
    stretch_ = Value;
    Invalidate();
}

void TImage::SetCenter(bool Value) {
    if (center_ == Value) return;
    center_ = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value) {
    if (transparent_ == Value) return;
    transparent_ = Value;
    if (TGraphic* graphic = picture_->Graphic()) graphic->SetTransparent(Value);
    Invalidate();
}

void TImage::SetProportional(bool Value) {
    if (proportional_ == Value) return;
    proportional_ = Value;
    Invalidate();
}

void TImage::SetAutoSize(bool Value) {
    if (autoSize_ == Value) return;
    autoSize_ = Value;
    FitToPicture();
}

void TImage::FitToPicture() {
    if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0)
        SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
}

void TImage::PictureChanged(TObject*) {
    if (TGraphic* graphic = picture_->Graphic()) graphic->SetTransparent(transparent_);
    FitToPicture();
    Invalidate();
}

TRect TImage::DestRect() const {
    Integer w = picture_->Width(), h = picture_->Height();
    const Integer cw = ClientWidth(), ch = ClientHeight();
    if (stretch_ || (proportional_ && (w > cw || h > ch))) {
        if (proportional_ && w > 0 && h > 0) {
            const double aspect = static_cast<double>(w) / h;
            if (w > h) {
                w = cw;
                h = static_cast<Integer>(cw / aspect);
                if (h > ch) {
                    h = ch;
                    w = static_cast<Integer>(ch * aspect);
                }
            } else {
                h = ch;
                w = static_cast<Integer>(ch * aspect);
                if (w > cw) {
                    w = cw;
                    h = static_cast<Integer>(cw / aspect);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect result = Rect(0, 0, w, h);
    if (center_) {
        const Integer dx = (cw - w) / 2, dy = (ch - h) / 2;
        result = Rect(dx, dy, dx + w, dy + h);
    }
    return result;
}

void TImage::Paint() {
    if (TGraphic* graphic = picture_->Graphic(); graphic && !graphic->Empty())
        Canvas()->StretchDraw(DestRect(), graphic);
}

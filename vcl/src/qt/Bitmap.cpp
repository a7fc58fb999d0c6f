// Graphics: TGraphic, TBitmap and TIcon over surfaces, decoded and encoded by Qt.
#include <QBuffer>
#include <QFile>

#include "System/Codepage.h"
#include "qt/CanvasState.h"
#include "qt/GdiPaint.h"
#include "qt/Surface.h"
#include "vcl/Resources.h"

VCL_IMPLEMENT_CLASS(TBitmap, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TIcon, nullptr, nullptr)

namespace {

QString FilePath(const AnsiString& FileName) { return QString::fromStdString(codepage::AnsiToUtf8(FileName)); }

QImage Decode(const void* data, std::size_t size) {
    QImage image;
    if (size > 0 && image.loadFromData(static_cast<const uchar*>(data), static_cast<int>(size))) return image;
    throw EInvalidGraphic("Bitmap image is not valid");
}

void WriteImageFile(const QImage& image, const AnsiString& FileName, const char* format) {
    if (!image.save(FilePath(FileName), format)) throw EFCreateError("Cannot create file \"" + FileName + "\"");
}

QByteArray Encode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void WriteImageStream(const QImage& image, TStream* stream, const char* format) {
    if (!stream) throw EWriteError("Stream write error");
    QByteArray bytes = Encode(image, format);
    stream->WriteBuffer(bytes.constData(), static_cast<Integer>(bytes.size()));
}

const TResourceEntry* FindImageResource(const AnsiString& name, std::initializer_list<const char*> types) {
    for (const char* type : types)
        if (const TResourceEntry* entry = FindResourceEntry(name, type)) return entry;
    throw EResNotFound("Resource " + name + " not found");
}

}  // namespace

// ---------------------------------------------------------------------------

void TGraphic::SetTransparent(bool Value) {
    if (transparent_ == Value) return;
    transparent_ = Value;
    Changed(this);
}

void TGraphic::SetModified(bool Value) {
    if (Value) Changed(this);
    else modified_ = false;
}

void TGraphic::Changed(TObject*) {
    modified_ = true;
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------

TBitmap::TBitmap() : surface_(std::make_unique<TSurface>(0, 0)), canvas_(std::make_unique<TCanvas>()) {
    canvas_->SetSurface(surface_.get());
    canvas_->OnChange = [this](TObject*) { Changed(this); };
}

TBitmap::~TBitmap() {
    if (handle_) {
        ReleaseBitmapSelections(handle_);
        UnregisterGdiObject(handle_);
    }
}

bool TBitmap::Empty() const { return surface_->Width() == 0 || surface_->Height() == 0; }
Integer TBitmap::Width() const { return surface_->Width(); }
Integer TBitmap::Height() const { return surface_->Height(); }
void TBitmap::SetWidth(Integer Value) { SetSize(Value, Height()); }
void TBitmap::SetHeight(Integer Value) { SetSize(Width(), Value); }

void TBitmap::SetSize(Integer AWidth, Integer AHeight) {
    if (AWidth == Width() && AHeight == Height()) return;
    surface_->Resize(AWidth, AHeight);
    PixelsReplaced();
}

TCanvas* TBitmap::Canvas() { return canvas_.get(); }

HBITMAP TBitmap::Handle() {
    if (!handle_) handle_ = static_cast<HBITMAP>(RegisterOwnedGdiObject(TGdiKind::Bitmap, this));
    return handle_;
}

void TBitmap::SetHandle(HBITMAP Value) {
    TBitmap* source = BitmapOf(Value);
    if (source == this) return;
    if (!source) {
        SetSize(0, 0);
        return;
    }
    Assign(source);
}

void TBitmap::PixelsReplaced() {
    canvas_->Refresh();
    Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
    if (transparentMode_ == Value) return;
    transparentMode_ = Value;
    if (Value == tmAuto) transparentColor_ = clDefault;
    Changed(this);
}

TColor TBitmap::TransparentColor() {
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
    if (Empty()) return clDefault;
    return canvas_->Pixels(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
    transparentColor_ = Value;
    transparentMode_ = Value == clDefault ? tmAuto : tmFixed;
    Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
    if (pixelFormat_ == Value) return;
    pixelFormat_ = Value;
    if (Value == pf1bit && !Empty()) {
        // A monochrome bitmap keeps only black and white.
        surface_->Assign(surface_->Image().convertToFormat(QImage::Format_Mono, Qt::ThresholdDither));
    }
    PixelsReplaced();
}

void TBitmap::LoadFromBytes(const void* Data, std::size_t Size) {
    QImage image = Decode(Data, Size);
    if (image.hasAlphaChannel() != surface_->HasAlpha()) {
        surface_ = std::make_unique<TSurface>(0, 0, image.hasAlphaChannel());
        canvas_->SetSurface(surface_.get());
    }
    surface_->Assign(image);
    PixelsReplaced();
}

void TBitmap::LoadFromResourceName(HINSTANCE, const AnsiString& ResName) {
    const TResourceEntry* entry = FindImageResource(ResName, {"BMP", "PNG"});
    LoadFromBytes(entry->Data, entry->Size);
}

void TBitmap::LoadFromFile(const AnsiString& FileName) {
    QFile file(FilePath(FileName));
    if (!file.open(QIODevice::ReadOnly)) throw EFOpenError("Cannot open file \"" + FileName + "\"");
    QByteArray bytes = file.readAll();
    LoadFromBytes(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void TBitmap::SaveToFile(const AnsiString& FileName) { WriteImageFile(surface_->Image(), FileName, "BMP"); }

void TBitmap::LoadFromStream(TStream* Stream) {
    if (!Stream) throw EReadError("Stream read error");
    std::string bytes = Stream->ReadRest();
    LoadFromBytes(bytes.data(), bytes.size());
}

void TBitmap::SaveToStream(TStream* Stream) { WriteImageStream(surface_->Image(), Stream, "BMP"); }

void TBitmap::Assign(TPersistent* Source) {
    if (!Source) {
        SetSize(0, 0);
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
        if (bitmap == this) return;
        if (bitmap->surface_->HasAlpha() != surface_->HasAlpha()) {
            surface_ = std::make_unique<TSurface>(0, 0, bitmap->surface_->HasAlpha());
            canvas_->SetSurface(surface_.get());
        }
        surface_->Assign(bitmap->surface_->Image());
        transparentMode_ = bitmap->transparentMode_;
        transparentColor_ = bitmap->transparentColor_;
        pixelFormat_ = bitmap->pixelFormat_;
        SetTransparent(bitmap->Transparent());
        PixelsReplaced();
        return;
    }
    inherited::Assign(Source);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
    const QImage& image = surface_->Image();
    if (Transparent()) {
        // Pixels of the transparent colour are left out.
        QImage masked = image.convertToFormat(QImage::Format_ARGB32);
        QRgb key = ToQColorRef(ColorToRGB(TransparentColor())).rgb() & 0xFFFFFF;
        for (int y = 0; y < masked.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
            for (int x = 0; x < masked.width(); ++x)
                if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
        }
        DrawImageOn(ACanvas->Handle(), Rect, masked, SRCCOPY, true);
    } else {
        DrawImageOn(ACanvas->Handle(), Rect, image, static_cast<DWORD>(ACanvas->CopyMode()), image.hasAlphaChannel());
    }
}

// ---------------------------------------------------------------------------

TIcon::TIcon() : image_(std::make_unique<TBitmap>()) {
    image_->OnChange = [this](TObject*) { Changed(this); };
}

TIcon::~TIcon() {
    if (handle_) UnregisterGdiObject(handle_);
}

bool TIcon::Empty() const { return image_->Empty(); }
Integer TIcon::Width() const { return image_->Width(); }
Integer TIcon::Height() const { return image_->Height(); }
void TIcon::SetWidth(Integer Value) { image_->SetWidth(Value); }
void TIcon::SetHeight(Integer Value) { image_->SetHeight(Value); }

HICON TIcon::Handle() {
    if (!handle_) handle_ = static_cast<HICON>(RegisterOwnedGdiObject(TGdiKind::Icon, this));
    return handle_;
}

void TIcon::LoadFromResourceName(HINSTANCE, const AnsiString& ResName) {
    const TResourceEntry* entry = FindImageResource(ResName, {"ICO", "PNG"});
    image_->LoadFromBytes(entry->Data, entry->Size);
}

void TIcon::LoadFromFile(const AnsiString& FileName) { image_->LoadFromFile(FileName); }
void TIcon::SaveToFile(const AnsiString& FileName) { WriteImageFile(image_->Surface().Image(), FileName, "ICO"); }
void TIcon::LoadFromStream(TStream* Stream) { image_->LoadFromStream(Stream); }
void TIcon::SaveToStream(TStream* Stream) { WriteImageStream(image_->Surface().Image(), Stream, "ICO"); }

void TIcon::Assign(TPersistent* Source) {
    if (auto* icon = dynamic_cast<TIcon*>(Source)) {
        image_->Assign(icon->image_.get());
        return;
    }
    inherited::Assign(Source);
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
    DrawImageOn(ACanvas->Handle(), Rect, image_->Surface().Image(), SRCCOPY, true);
}

// Image lists over one ARGB strip per list: a masked pixel is a transparent one, so drawing blends the
// strip's part over the target.
#include <algorithm>
#include <unordered_set>

#include "qt/GdiObjects.h"
#include "qt/GdiPaint.h"
#include "qt/Surface.h"
#include "vcl/ImgList.h"

VCL_IMPLEMENT_CLASS(TCustomImageList, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TImageList, VCL_CREATOR(TImageList), nullptr)

class TImageStrip {
public:
    QImage Images;  // Count images of Width x Height side by side
    Integer Count = 0;
};

namespace {

// The lists alive; a handle is checked against them on every use.
std::unordered_set<const TCustomImageList*>& LiveLists() {
    static std::unordered_set<const TCustomImageList*> lists;
    return lists;
}

// The images cut from Image, masked pixels made transparent, appended to the strip.
Integer AppendImages(TImageStrip& Strip, Integer Width, Integer Height, TBitmap* Image,
                     const std::function<bool(QRgb Pixel, int X, int Y)>& Masked) {
    if (!Image || Image->Empty() || Width < 1 || Height < 1) return -1;
    const QImage source = Image->Surface().Image().convertToFormat(QImage::Format_ARGB32);
    const Integer added = std::max(1, source.width() / Width);
    QImage strip(static_cast<int>((Strip.Count + added) * Width), Height, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    for (int y = 0; y < std::min(Strip.Images.height(), Height); ++y)
        std::copy_n(reinterpret_cast<const QRgb*>(Strip.Images.constScanLine(y)), Strip.Images.width(),
                    reinterpret_cast<QRgb*>(strip.scanLine(y)));
    for (int y = 0; y < std::min(source.height(), Height); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(strip.scanLine(y)) + Strip.Count * Width;
        for (int x = 0; x < std::min(source.width(), added * Width); ++x)
            to[x] = Masked(from[x], x, y) ? 0 : (from[x] | 0xFF000000u);
    }
    const Integer first = Strip.Count;
    Strip.Images = std::move(strip);
    Strip.Count += added;
    return first;
}

bool IsWhite(const QImage& Mask, int X, int Y) {
    return X < Mask.width() && Y < Mask.height() && (Mask.pixel(X, Y) & 0xFFFFFF) == 0xFFFFFF;
}

// Greyed as the common controls draw a disabled image: each pixel's brightness, lightened.
QImage Greyed(const QImage& Image) {
    QImage grey = Image.copy();
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int v = (qGray(line[x]) + 255) / 2;
            line[x] = qRgba(v, v, v, qAlpha(line[x]));
        }
    }
    return grey;
}

}  // namespace

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner), strip_(std::make_unique<TImageStrip>()) {
    LiveLists().insert(this);
}

TCustomImageList::~TCustomImageList() { LiveLists().erase(this); }

void TCustomImageList::SetWidth(Integer Value) {
    if (Value == width_ || Value < 1) return;
    width_ = Value;
    Clear();
}

void TCustomImageList::SetHeight(Integer Value) {
    if (Value == height_ || Value < 1) return;
    height_ = Value;
    Clear();
}

Integer TCustomImageList::Count() const { return strip_->Count; }

void TCustomImageList::Clear() { *strip_ = TImageStrip{}; }

Integer TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
    const QImage mask = Mask && !Mask->Empty() ? Mask->Surface().Image() : QImage();
    return AppendImages(*strip_, width_, height_, Image,
                        [&](QRgb, int x, int y) { return !mask.isNull() && IsWhite(mask, x, y); });
}

Integer TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
    const QRgb key = ToQColorRef(ColorToRGB(MaskColor)).rgb() & 0xFFFFFF;
    return AppendImages(*strip_, width_, height_, Image,
                        [&](QRgb pixel, int, int) { return (pixel & 0xFFFFFF) == key; });
}

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled) {
    if (!Canvas || Index < 0 || Index >= Count()) return;
    const QImage image = strip_->Images.copy(Index * width_, 0, width_, height_);
    DrawImageOn(Canvas->Handle(), TRect(X, Y, X + width_, Y + height_), Enabled ? image : Greyed(image), SRCCOPY, true);
}

HIMAGELIST TCustomImageList::Handle() { return reinterpret_cast<HIMAGELIST>(this); }

TCustomImageList* ImageListFromHandle(HIMAGELIST himl) {
    auto* list = reinterpret_cast<TCustomImageList*>(himl);
    return LiveLists().count(list) ? list : nullptr;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT) {
    TCustomImageList* list = ImageListFromHandle(himl);
    TCanvas* canvas = DcCanvas(hdcDst);
    if (!list || !canvas || i < 0 || i >= list->Count()) return FALSE;
    const QImage image = list->Strip().Images.copy(i * list->Width(), 0, list->Width(), list->Height());
    return DrawImageOn(hdcDst, TRect(x, y, x + list->Width(), y + list->Height()), image, SRCCOPY, true);
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
    TCustomImageList* list = ImageListFromHandle(himl);
    if (!list || !cx || !cy) return FALSE;
    *cx = list->Width();
    *cy = list->Height();
    return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST himl) {
    TCustomImageList* list = ImageListFromHandle(himl);
    return list ? list->Count() : 0;
}

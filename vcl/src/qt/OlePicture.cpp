// OLE pictures decoded by Qt's image readers. The format comes from the data's signature alone, and the
// reader for it is the only one tried, so data that another reader would take is still refused.
#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <string>

#include "qt/GdiPaint.h"
#include "vcl/ActiveX.h"

namespace {

bool& PictureWithheld() {
    static bool withheld = false;  // test seam
    return withheld;
}

// The reader for the data's signature; nullptr for a format this platform does not show.
const char* FormatOf(const std::string& Bytes) {
    auto startsWith = [&](std::string_view Signature) { return Bytes.starts_with(Signature); };
    if (startsWith("BM")) return "bmp";
    if (startsWith(std::string_view("\0\0\1\0", 4))) return "ico";
    if (startsWith("\xFF\xD8\xFF")) return "jpeg";
    if (startsWith("GIF8")) return "gif";
    return nullptr;
}

std::string ReadAll(IStream* Stream, LONG Size) {
    std::string bytes;
    char chunk[65536];
    for (;;) {
        ULONG want = sizeof chunk;
        if (Size > 0) want = std::min<ULONG>(want, static_cast<ULONG>(Size) - static_cast<ULONG>(bytes.size()));
        ULONG got = 0;
        if (want == 0 || FAILED(Stream->Read(chunk, want, &got)) || got == 0) break;
        bytes.append(chunk, got);
    }
    return bytes;
}

QImage Decode(const std::string& Bytes) {
    const char* format = FormatOf(Bytes);
    if (!format) return {};
    QByteArray data = QByteArray::fromRawData(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (image.isNull()) return {};
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

LONG Himetric(int Pixels) { return MulDiv(Pixels, 2540, 96); }

class TOlePicture : public TInterfacedObject<IPicture> {
public:
    explicit TOlePicture(QImage Image) : image_(std::move(Image)) {}

    HRESULT get_Width(OLE_XSIZE_HIMETRIC* pWidth) override {
        if (!pWidth) return E_POINTER;
        *pWidth = Himetric(image_.width());
        return S_OK;
    }
    HRESULT get_Height(OLE_YSIZE_HIMETRIC* pHeight) override {
        if (!pHeight) return E_POINTER;
        *pHeight = Himetric(image_.height());
        return S_OK;
    }

    HRESULT Render(HDC hDC, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc,
                   OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc, const RECT*) override {
        if (!hDC) return E_INVALIDARG;
        if (cx == 0 || cy == 0 || cxSrc == 0 || cySrc == 0) return S_OK;
        const double w = image_.width(), h = image_.height();
        const double hmWidth = Himetric(image_.width()), hmHeight = Himetric(image_.height());
        // Source columns from the left edge, rows from the top edge (HIMETRIC y runs upwards).
        auto column = [&](double himetric) { return std::clamp(std::lround(himetric * w / hmWidth), 0L, long(w)); };
        auto row = [&](double himetric) {
            return std::clamp(std::lround((hmHeight - himetric) * h / hmHeight), 0L, long(h));
        };
        const long left = column(xSrc), right = column(double(xSrc) + cxSrc);
        const long top = row(ySrc), bottom = row(double(ySrc) + cySrc);
        QImage part = image_.copy(QRect(int(std::min(left, right)), int(std::min(top, bottom)),
                                        int(std::abs(right - left)), int(std::abs(bottom - top))));
        if (part.isNull()) return S_OK;
        const bool mirrorX = (right < left) != (cx < 0);
        const bool mirrorY = (bottom < top) != (cy < 0);
        if (mirrorX || mirrorY) part = part.mirrored(mirrorX, mirrorY);
        const TRect target = Bounds(cx < 0 ? x + cx : x, cy < 0 ? y + cy : y, std::abs(cx), std::abs(cy));
        return DrawImageOn(hDC, target, part, SRCCOPY, true) ? S_OK : E_INVALIDARG;
    }

private:
    QImage image_;
};

}  // namespace

HRESULT OleLoadPicture(IStream* lpstream, LONG lSize, BOOL, REFIID riid, void** lplpvObj) {
    if (!lplpvObj) return E_POINTER;
    *lplpvObj = nullptr;
    if (!lpstream || lSize < 0) return E_INVALIDARG;
    if (!(riid == IID_IPicture || riid == IID_IUnknown)) return E_NOINTERFACE;
    QImage image = Decode(ReadAll(lpstream, lSize));
    if (image.isNull()) return CTL_E_INVALIDPICTURE;
    if (PictureWithheld()) return S_OK;
    ComPtr<IPicture> picture(new TOlePicture(std::move(image)));
    *lplpvObj = picture.Detach();
    return S_OK;
}

void SetOleLoadPictureGivesNoneForTest(bool GivesNone) { PictureWithheld() = GivesNone; }

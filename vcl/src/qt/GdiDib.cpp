// Device-independent bitmaps: a bitmap's 32-bit rows for printing, and drawing rows of 24 or 32 bits.
#include <algorithm>
#include <cstring>

#include "qt/GdiObjects.h"
#include "qt/GdiPaint.h"
#include "qt/QtGraphics.h"
#include "vcl/Windows.h"

namespace {

// Larger images are refused rather than allocated: far more than a printed cell needs.
constexpr Int64 MaxDibPixels = Int64{1} << 26;

DWORD RowBytes(Int64 Width, int BitCount) { return static_cast<DWORD>((Width * BitCount + 31) / 32 * 4); }

}  // namespace

void GetDIBSizes(HBITMAP Bitmap, DWORD& InfoHeaderSize, DWORD& ImageSize) {
    InfoHeaderSize = ImageSize = 0;
    TBitmap* bitmap = BitmapOf(Bitmap);
    if (!bitmap) return;
    InfoHeaderSize = sizeof(BITMAPINFOHEADER);
    ImageSize = RowBytes(bitmap->Width(), 32) * static_cast<DWORD>(bitmap->Height());
}

bool GetDIB(HBITMAP Bitmap, HPALETTE, void* BitmapInfo, void* Bits) {
    TBitmap* bitmap = BitmapOf(Bitmap);
    if (!bitmap || !BitmapInfo || !Bits) return false;
    const QImage image = BitmapImage(*bitmap).convertToFormat(QImage::Format_RGB32);
    BITMAPINFOHEADER header;
    header.biWidth = image.width();
    header.biHeight = image.height();
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = RowBytes(image.width(), 32) * static_cast<DWORD>(image.height());
    std::memcpy(BitmapInfo, &header, sizeof header);
    auto* rows = static_cast<Byte*>(Bits);
    const std::size_t rowBytes = RowBytes(image.width(), 32);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(rows + rowBytes * static_cast<std::size_t>(image.height() - 1 - y), image.constScanLine(y),
                    rowBytes);
    return true;
}

int StretchDIBits(HDC hdc, int XDest, int YDest, int nDestWidth, int nDestHeight, int XSrc, int YSrc, int nSrcWidth,
                  int nSrcHeight, const void* lpBits, const BITMAPINFO* lpBitsInfo, UINT iUsage, DWORD dwRop) {
    if (!lpBits || !lpBitsInfo || iUsage != DIB_RGB_COLORS) return 0;
    const BITMAPINFOHEADER& h = lpBitsInfo->bmiHeader;
    const int bitCount = h.biBitCount;
    const Int64 width = h.biWidth, height = h.biHeight < 0 ? -Int64{h.biHeight} : Int64{h.biHeight};
    if (h.biCompression != BI_RGB || (bitCount != 24 && bitCount != 32) || width <= 0 || height <= 0 ||
        width * height > MaxDibPixels)
        return 0;
    // The source rectangle in top-down rows, inside the bitmap.
    const Int64 left = std::min<Int64>(XSrc, Int64{XSrc} + nSrcWidth);
    const Int64 bottomUpTop = std::min<Int64>(YSrc, Int64{YSrc} + nSrcHeight);
    const Int64 rows = std::abs(Int64{nSrcHeight}), columns = std::abs(Int64{nSrcWidth});
    const Int64 top = h.biHeight < 0 ? bottomUpTop : height - bottomUpTop - rows;
    if (columns == 0 || rows == 0 || left < 0 || top < 0 || left + columns > width || top + rows > height) return 0;

    QImage part(static_cast<int>(columns), static_cast<int>(rows), QImage::Format_RGB32);
    const auto* bits = static_cast<const Byte*>(lpBits);
    const std::size_t rowBytes = RowBytes(width, bitCount), pixelBytes = static_cast<std::size_t>(bitCount / 8);
    for (Int64 y = 0; y < rows; ++y) {
        const Int64 row = h.biHeight < 0 ? top + y : height - 1 - (top + y);
        const Byte* source =
            bits + rowBytes * static_cast<std::size_t>(row) + pixelBytes * static_cast<std::size_t>(left);
        auto* target = reinterpret_cast<QRgb*>(part.scanLine(static_cast<int>(y)));
        for (Int64 x = 0; x < columns; ++x, source += pixelBytes) target[x] = qRgb(source[2], source[1], source[0]);
    }
    const bool mirrorX = (nSrcWidth < 0) != (nDestWidth < 0), mirrorY = (nSrcHeight < 0) != (nDestHeight < 0);
    if (mirrorX || mirrorY) part = part.mirrored(mirrorX, mirrorY);
    const TRect target = Bounds(std::min(XDest, XDest + nDestWidth), std::min(YDest, YDest + nDestHeight),
                                std::abs(nDestWidth), std::abs(nDestHeight));
    return DrawImageOn(hdc, target, part, dwRop, false) ? static_cast<int>(rows) : 0;
}

// Shell icons and scaled bitmaps for the mark-up's pictures, and the rotated-font pair.
#include <cmath>
#include <vector>

#include "GrdHTMLE.h"
#include "vcl/ImgList.h"
#include "vcl/ShellAPI.h"

namespace GrdHTMLE {

namespace {

bool IsDecimalNumber(const AnsiString& S) {
    if (S.empty()) return false;
    for (char c : S)
        if (c < '0' || c > '9') return false;
    return true;
}

struct TRotatedFont {
    TCanvas* Canvas;
    HFONT Rotated;
    HGDIOBJ Previous;
};

std::vector<TRotatedFont>& RotatedFonts() {
    static std::vector<TRotatedFont> fonts;
    return fonts;
}

}  // namespace

void DrawBitmapScaled(TCanvas* Canvas, const TRect& Rect, TBitmap* Bitmap) {
    if (!Canvas || !Bitmap || Bitmap->Empty()) return;
    StretchBlt(Canvas->Handle(), Rect.Left, Rect.Top, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top,
               Bitmap->Canvas()->Handle(), 0, 0, Bitmap->Width(), Bitmap->Height(), SRCCOPY);
}

bool IsDirectoryPath(const AnsiString& Path) {
    const DWORD attributes = GetFileAttributesA(Path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void DrawShellIcon(TCanvas* Canvas, Integer X, Integer Y, TPoint& Size, double ResFactor, bool Print, bool Draw,
                   bool Large, const AnsiString& Path) {
    SHFILEINFO info{};
    const auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | (Large ? 0 : SHGFI_SMALLICON)));
    int width = 0, height = 0;
    ImageList_GetIconSize(list, &width, &height);
    Size = TPoint(width, height);
    if (!Draw || !Canvas) return;
    // The size comes from the list alone; only a drawing needs the file's icon.
    Integer index = 0;
    if (!Path.empty()) {
        if (IsDecimalNumber(Path)) {
            index = StrToIntDef(Path, -1);
        } else {
            const bool exists = GetFileAttributesA(Path.c_str()) != INVALID_FILE_ATTRIBUTES;
            if (SHGetFileInfoA(Path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                               SHGFI_SYSICONINDEX | (exists ? 0 : SHGFI_USEFILEATTRIBUTES)))
                index = info.iIcon;
        }
    }
    if (!Print) {
        ImageList_Draw(list, index, Canvas->Handle(), X, Y, ILD_TRANSPARENT);
        return;
    }
    TBitmap icon;
    icon.SetSize(width, height);
    ImageList_Draw(list, index, icon.Canvas()->Handle(), 0, 0, ILD_NORMAL);
    DrawBitmapScaled(Canvas,
                     TRect(X, Y, X + static_cast<Integer>(std::lround(width * ResFactor)),
                           Y + static_cast<Integer>(std::lround(height * ResFactor))),
                     &icon);
}

void SelectRotatedFont(TCanvas* Canvas, Integer Angle) {
    LOGFONT font{};
    GetObject(Canvas->Font()->Handle(), sizeof(font), &font);
    font.lfEscapement = font.lfOrientation = Angle * 10;
    const HFONT rotated = CreateFontIndirect(&font);
    RotatedFonts().push_back({Canvas, rotated, SelectObject(Canvas->Handle(), rotated)});
}

void RestoreRotatedFont(TCanvas* Canvas) {
    std::vector<TRotatedFont>& fonts = RotatedFonts();
    for (auto it = fonts.rbegin(); it != fonts.rend(); ++it) {
        if (it->Canvas != Canvas) continue;
        const TRotatedFont font = *it;
        fonts.erase(std::next(it).base());
        SelectObject(Canvas->Handle(), font.Previous);
        DeleteObject(font.Rotated);
        return;
    }
}

}  // namespace GrdHTMLE

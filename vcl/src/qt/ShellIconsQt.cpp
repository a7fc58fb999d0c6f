// The shell's file icons: two process-wide image lists filled on demand, one icon per kind of file
// (a folder, or a file by its type), drawn from the toolkit's own icons so no desktop theme decides
// them.
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QPainter>

#include <cstring>
#include <map>
#include <string>

#include "System/Codepage.h"
#include "qt/Surface.h"
#include "vcl/ImgList.h"
#include "vcl/ShellAPI.h"

namespace {

struct TShellIcons {
    TImageList* Small = nullptr;
    TImageList* Large = nullptr;
    std::map<std::string, int> Indices;  // kind of file -> index in both lists
    bool Fixed = false;
};

// Made on first use and kept for the process, as the shell's lists are.
TShellIcons& ShellIcons() {
    static TShellIcons icons = [] {
        TShellIcons made;
        made.Small = new TImageList(nullptr);
        made.Large = new TImageList(nullptr);
        made.Large->SetWidth(32);
        made.Large->SetHeight(32);
        return made;
    }();
    return icons;
}

const char* const FolderKind = "inode/directory";

QImage FixedIcon(bool Folder, int Size) {
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(1, 1, Size - 2, Size - 2, Folder ? QColor(255, 200, 0) : QColor(0, 0, 255));
    return image;
}

QImage ToolkitIcon(bool Folder, int Size) {
    const QFileIconProvider provider;
    const QIcon icon = provider.icon(Folder ? QAbstractFileIconProvider::Folder : QAbstractFileIconProvider::File);
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, 0, 0, Size, Size);
    return image;
}

// Adds the icon of one size to a list; a fully transparent pixel is masked.
void AddIcon(TImageList& List, const QImage& Icon) {
    TBitmap bitmap;
    bitmap.SetSize(Icon.width(), Icon.height());
    QImage& pixels = bitmap.Surface().Image();
    const QRgb maskKey = qRgb(255, 0, 255);
    for (int y = 0; y < Icon.height(); ++y)
        for (int x = 0; x < Icon.width(); ++x) {
            const QRgb p = Icon.pixel(x, y);
            pixels.setPixel(x, y, qAlpha(p) < 128 ? maskKey : (p | 0xFF000000u));
        }
    List.AddMasked(&bitmap, static_cast<TColor>(RGB(255, 0, 255)));
}

int IconIndex(const std::string& Kind, bool Folder) {
    TShellIcons& icons = ShellIcons();
    const auto known = icons.Indices.find(Kind);
    if (known != icons.Indices.end()) return known->second;
    const auto make = icons.Fixed ? FixedIcon : ToolkitIcon;
    AddIcon(*icons.Small, make(Folder, 16));
    AddIcon(*icons.Large, make(Folder, 32));
    const int index = icons.Small->Count() - 1;
    icons.Indices.emplace(Kind, index);
    return index;
}

}  // namespace

std::uintptr_t SHGetFileInfoA(const char* pszPath, DWORD dwFileAttributes, SHFILEINFO* psfi, UINT cbFileInfo,
                              UINT uFlags) {
    if (!(uFlags & SHGFI_SYSICONINDEX) || !pszPath) return 0;
    TShellIcons& icons = ShellIcons();
    TImageList* list = (uFlags & SHGFI_SMALLICON) ? icons.Small : icons.Large;
    const auto handle = reinterpret_cast<std::uintptr_t>(list->Handle());
    if (!*pszPath) return handle;
    if (!psfi || cbFileInfo < sizeof(SHFILEINFO)) return 0;
    bool folder = false;
    if (uFlags & SHGFI_USEFILEATTRIBUTES) {
        folder = (dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    } else {
        const DWORD attributes = GetFileAttributesA(pszPath);
        if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
        folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    const QString path = QString::fromStdString(codepage::AnsiToUtf8(pszPath));
    const std::string kind =
        folder ? FolderKind : QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toStdString();
    std::memset(psfi, 0, sizeof(SHFILEINFO));
    psfi->iIcon = IconIndex(kind, folder);
    return handle;
}

void UseFixedShellIconsForTest(bool Fixed) {
    TShellIcons& icons = ShellIcons();
    icons.Fixed = Fixed;
    icons.Indices.clear();
    icons.Small->Clear();
    icons.Large->Clear();
}

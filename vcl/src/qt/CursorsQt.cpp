// The cursor shown over every window, as the application's override cursor. A cursor file holds one
// image: its directory gives the hot spot and where the image's bytes (a format Qt reads) lie.
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include "Windows/Cursors.h"
#include "qt/Peer.h"

namespace {

unsigned Word16(const unsigned char* At) { return At[0] | (At[1] << 8); }
unsigned long Word32(const unsigned char* At) {
    return Word16(At) | (static_cast<unsigned long>(Word16(At + 2)) << 16);
}

// The arrow for a file that holds no readable image.
QCursor DecodeCursor(const unsigned char* Data, std::size_t Size) {
    constexpr std::size_t DirectorySize = 6, EntrySize = 16;
    if (Size < DirectorySize + EntrySize || Word16(Data) != 0 || Word16(Data + 2) != 2 || Word16(Data + 4) == 0)
        return QCursor(Qt::ArrowCursor);
    const unsigned char* entry = Data + DirectorySize;
    const unsigned long bytes = Word32(entry + 8), offset = Word32(entry + 12);
    if (offset > Size || bytes > Size - offset) return QCursor(Qt::ArrowCursor);
    const QImage image = QImage::fromData(Data + offset, static_cast<int>(bytes));
    if (image.isNull()) return QCursor(Qt::ArrowCursor);
    return QCursor(QPixmap::fromImage(image), static_cast<int>(Word16(entry + 4)), static_cast<int>(Word16(entry + 6)));
}

}  // namespace

namespace {

void ShowOverride(const QCursor* Cursor) {
    static bool overriding = false;
    if (!qGuiApp) return;
    if (!Cursor) {
        if (overriding) QGuiApplication::restoreOverrideCursor();
        overriding = false;
        return;
    }
    const QCursor& cursor = *Cursor;
    if (overriding) QGuiApplication::changeOverrideCursor(cursor);
    else QGuiApplication::setOverrideCursor(cursor);
    overriding = true;
}

}  // namespace

void ShowCursorImage(const unsigned char* Data, std::size_t Size) {
    if (!Data) return ShowOverride(nullptr);
    const QCursor cursor = DecodeCursor(Data, Size);
    ShowOverride(&cursor);
}

void ShowStockCursor(int Cursor) {
    const QCursor cursor(QtCursorShape(Cursor));
    ShowOverride(&cursor);
}

// The clipboard's contents in Qt's clipboard; never the X11 selection.
#include <QClipboard>
#include <QGuiApplication>

#include "Clipbrd/ClipboardContents.h"
#include "Controls/Internal.h"
#include "qt/MimeFormats.h"
#include "qt/QtText.h"

namespace {

QClipboard& SystemClipboard() {
    AppLoop::EnsureApplication();
    return *QGuiApplication::clipboard();
}

}  // namespace

BOOL IsClipboardFormatAvailable(UINT format) {
    const QMimeData* mime = SystemClipboard().mimeData(QClipboard::Clipboard);
    return mime && MimeOffers(*mime, format) ? TRUE : FALSE;
}

namespace ClipboardContents {

AnsiString Text() {
    const QMimeData* mime = SystemClipboard().mimeData(QClipboard::Clipboard);
    return mime && MimeOffers(*mime, CF_TEXT) ? FromQString(mime->text()) : AnsiString();
}

void SetText(const AnsiString& Text) { SystemClipboard().setMimeData(MimeForText(Text), QClipboard::Clipboard); }

}  // namespace ClipboardContents

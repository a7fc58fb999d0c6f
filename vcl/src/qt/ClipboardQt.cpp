// The clipboard's contents in Qt's clipboard; never the X11 selection.
#include <memory>

#include <QClipboard>
#include <QGuiApplication>

#include "Clipbrd/ClipboardContents.h"
#include "Controls/Internal.h"
#include "qt/MimeFormats.h"
#include "qt/QtText.h"
#include "vcl/Clipbrd.h"

namespace {

QClipboard& SystemClipboard() {
    AppLoop::EnsureApplication();
    return *QGuiApplication::clipboard();
}

// What the open clipboard has been given so far.
struct TGeneration {
    std::unique_ptr<QMimeData> Mime;
    bool WideText = false;  // the CF_UNICODETEXT text wins over a CF_TEXT one
};

TGeneration& Generation() {
    static TGeneration generation;
    return generation;
}

const QMimeData* Current() {
    const TGeneration& g = Generation();
    return g.Mime ? g.Mime.get() : SystemClipboard().mimeData(QClipboard::Clipboard);
}

QMimeData& Written() {
    TGeneration& g = Generation();
    if (g.Mime) return *g.Mime;
    g.Mime = std::make_unique<QMimeData>();
    if (const QMimeData* held = SystemClipboard().mimeData(QClipboard::Clipboard)) {
        for (const QString& type : held->formats()) g.Mime->setData(type, held->data(type));
    }
    return *g.Mime;
}

// A private format of some program, carried as raw bytes.
bool IsRegistered(UINT Format) {
    char name[2];
    return Format >= 0xC000 && GetClipboardFormatName(Format, name, sizeof name) > 0;
}

// Another program's text that breaks lines with LF alone breaks them with CR LF here.
QString TextRead(const QMimeData& Mime) {
    QString text = Mime.text();
    if (!IsOurs(Mime) && !text.contains(u'\r')) text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}

}  // namespace

BOOL IsClipboardFormatAvailable(UINT format) { return ClipboardContents::Offers(format) ? TRUE : FALSE; }

namespace ClipboardContents {

void Empty() {
    TGeneration& g = Generation();
    g.Mime = std::make_unique<QMimeData>();
    g.WideText = false;
}

bool Put(UINT Format, std::string_view Block) {
    TGeneration& g = Generation();
    if (Format == CF_UNICODETEXT) {
        Written().setText(QString::fromStdU16String(WideTextOfBlock(Block)));
        g.WideText = true;
        return true;
    }
    if (Format == CF_TEXT) {
        QMimeData& mime = Written();
        if (!g.WideText) mime.setText(ToQString(Block.substr(0, Block.find('\0'))));
        return true;
    }
    if (Format == RichTextClipboardFormat()) {
        Written().setData(MimeTypeOf(Format), UntilZero(Block));
        return true;
    }
    if (!IsRegistered(Format)) return false;
    Written().setData(MimeTypeOf(Format), QByteArray(Block.data(), static_cast<qsizetype>(Block.size())));
    return true;
}

void Commit() {
    TGeneration& g = Generation();
    if (!g.Mime) return;
    MarkOurs(*g.Mime);
    SystemClipboard().setMimeData(g.Mime.release(), QClipboard::Clipboard);
    g.WideText = false;
}

bool Offers(UINT Format) {
    const QMimeData* mime = Current();
    return mime && MimeOffers(*mime, Format);
}

std::optional<std::string> Block(UINT Format) {
    const QMimeData* mime = Current();
    if (!mime || !MimeOffers(*mime, Format)) return std::nullopt;
    if (Format == CF_TEXT) return AnsiTextBlock(FromQString(TextRead(*mime)));
    if (Format == CF_UNICODETEXT) {
        const QString text = TextRead(*mime);
        return WideTextBlock({reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())});
    }
    if (Format == RichTextClipboardFormat()) return RichTextOf(*mime)->toStdString() + '\0';
    if (!IsRegistered(Format)) return std::nullopt;
    const QByteArray bytes = mime->data(MimeTypeOf(Format));
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace ClipboardContents

void SetForeignClipboardForTest(const std::vector<std::pair<AnsiString, std::string>>& Formats) {
    auto* mime = new QMimeData;
    for (const auto& [type, bytes] : Formats)
        mime->setData(ToQString(type), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    SystemClipboard().setMimeData(mime, QClipboard::Clipboard);
}

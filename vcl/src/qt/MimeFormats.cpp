// The one mapping between our data formats and MIME types.
#include "qt/MimeFormats.h"

#include <QUrl>

#include "qt/Peer.h"
#include "qt/QtText.h"
#include "vcl/SysUtils.h"

namespace {

const QString TextMime = QStringLiteral("text/plain");
const QString RichTextMime = QStringLiteral("text/rtf");
const QString OtherRichTextMime = QStringLiteral("application/rtf");
const QString RegisteredMimePrefix = QStringLiteral("application/x-qt-windows-mime;value=\"");
const QString UriListMime = QStringLiteral("text/uri-list");
const QString OriginMime = QStringLiteral("application/x-halcyra-origin");
const QByteArray OriginMark = QByteArrayLiteral("halcyra");

bool IsText(UINT Format) { return Format == CF_TEXT || Format == CF_UNICODETEXT || Format == CF_OEMTEXT; }

// The registered format a MIME type carries, without registering it; 0 when there is none.
UINT RegisteredFormatOfMime(const QString& Type) {
    if (!Type.startsWith(RegisteredMimePrefix) || !Type.endsWith(u'"')) return 0;
    const AnsiString name = FromQString(Type.mid(RegisteredMimePrefix.size()).chopped(1));
    char buffer[256];
    for (UINT id = 0xC000; id <= 0xFFFF; ++id) {
        const int length = GetClipboardFormatName(id, buffer, sizeof buffer);
        if (length == 0) return 0;
        if (SameText(AnsiString(buffer, static_cast<std::size_t>(length)), name)) return id;
    }
    return 0;
}

std::vector<WideString> LocalFiles(const QMimeData& Mime) {
    std::vector<WideString> files;
    if (!Mime.hasUrls()) return files;
    for (const QUrl& url : Mime.urls()) {
        if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdU16String());
    }
    return files;
}

}  // namespace

QString MimeTypeOf(UINT Format) {
    if (IsText(Format)) return TextMime;
    if (Format == CF_HDROP) return UriListMime;
    if (Format == RichTextClipboardFormat()) return RichTextMime;
    char buffer[256];
    const int length = GetClipboardFormatName(Format, buffer, sizeof buffer);
    if (length == 0) return QString();
    return RegisteredMimePrefix + ToQString(AnsiString(buffer, static_cast<std::size_t>(length))) + u'"';
}

QByteArray UntilZero(std::string_view Block) {
    const std::size_t end = Block.find('\0');
    return QByteArray(Block.data(), static_cast<qsizetype>(end == std::string::npos ? Block.size() : end));
}

bool IsOurs(const QMimeData& Mime) { return Mime.hasFormat(OriginMime); }

void MarkOurs(QMimeData& Mime) { Mime.setData(OriginMime, OriginMark); }

std::optional<QByteArray> RichTextOf(const QMimeData& Mime) {
    for (const QString& type : {RichTextMime, OtherRichTextMime}) {
        if (!Mime.hasFormat(type)) continue;
        const QByteArray rtf = Mime.data(type);
        const qsizetype end = rtf.indexOf('\0');
        return end < 0 ? rtf : rtf.left(end);
    }
    return std::nullopt;
}

std::vector<TFormatBlock> BlocksFromMime(const QMimeData& Mime) {
    std::vector<TFormatBlock> blocks;
    const std::vector<WideString> files = LocalFiles(Mime);
    if (!files.empty()) {
        blocks.push_back({CF_HDROP, DropFilesBlock(files)});
        return blocks;
    }
    if (Mime.hasText()) {
        const QString text = Mime.text();
        blocks.push_back({CF_TEXT, AnsiTextBlock(FromQString(text))});
        blocks.push_back({CF_UNICODETEXT, WideTextBlock(text.toStdU16String())});
    }
    if (auto rtf = RichTextOf(Mime)) blocks.push_back({RichTextClipboardFormat(), AnsiTextBlock(rtf->toStdString())});
    for (const QString& type : Mime.formats()) {
        if (UINT id = RegisteredFormatOfMime(type)) {
            const QByteArray data = Mime.data(type);
            blocks.push_back({static_cast<CLIPFORMAT>(id), std::string(data.constData(), data.size())});
        }
    }
    return blocks;
}

bool MimeOffers(const QMimeData& Mime, UINT Format) {
    const bool files = !LocalFiles(Mime).empty();
    if (Format == CF_HDROP) return files;
    if (files) return false;
    if (IsText(Format)) return Mime.hasText();
    if (Format == RichTextClipboardFormat()) return RichTextOf(Mime).has_value();
    const QString type = MimeTypeOf(Format);
    return !type.isEmpty() && type != TextMime && type != UriListMime && Mime.hasFormat(type);
}

// ---------------------------------------------------------------------------

TOleMimeData::TOleMimeData(IDataObject* Data) : data_(Data) {}

QStringList TOleMimeData::formats() const {
    QStringList types{OriginMime};
    RunFromQt(nullptr, [&] { AddFormats(types); });
    return types;
}

void TOleMimeData::AddFormats(QStringList& types) const {
    ComPtr<IEnumFORMATETC> formats;
    if (data_->EnumFormatEtc(DATADIR_GET, formats.ReleaseAndGetAddressOf()) != S_OK || !formats) return;
    FORMATETC format{};
    // An endless enumerator must not hang the drag.
    for (int i = 0; i < 1024 && formats->Next(1, &format, nullptr) == S_OK; ++i) {
        if (!(format.tymed & TYMED_HGLOBAL) || data_->QueryGetData(&format) != S_OK) continue;
        const QString type = MimeTypeOf(format.cfFormat);
        if (!type.isEmpty() && !types.contains(type)) types.append(type);
    }
}

bool TOleMimeData::hasFormat(const QString& MimeType) const { return formats().contains(MimeType); }

// Qt asks from its own loop (a drop in another program): nothing may escape into it.
QVariant TOleMimeData::retrieveData(const QString& MimeType, QMetaType) const {
    QVariant data;
    RunFromQt(nullptr, [&] { data = Retrieve(MimeType); });
    return data;
}

QVariant TOleMimeData::Retrieve(const QString& MimeType) const {
    if (MimeType == OriginMime) return OriginMark;
    if (MimeType == TextMime) {
        if (auto wide = FetchBlock(data_.Get(), CF_UNICODETEXT))
            return QString::fromStdU16String(WideTextOfBlock(*wide));
        if (auto ansi = FetchBlock(data_.Get(), CF_TEXT)) return ToQString(AnsiTextOfBlock(*ansi));
        return {};
    }
    if (MimeType == UriListMime) {
        auto block = FetchBlock(data_.Get(), CF_HDROP);
        if (!block) return {};
        QByteArray list;
        for (const WideString& file : FilesOfDropBlock(*block))
            list += QUrl::fromLocalFile(QString::fromStdU16String(file)).toEncoded() + "\r\n";
        return list;
    }
    if (MimeType == RichTextMime) {
        auto block = FetchBlock(data_.Get(), RichTextClipboardFormat());
        return block ? QVariant(UntilZero(*block)) : QVariant();
    }
    if (UINT id = RegisteredFormatOfMime(MimeType)) {
        auto block = FetchBlock(data_.Get(), static_cast<CLIPFORMAT>(id));
        return block ? QVariant(QByteArray(block->data(), static_cast<qsizetype>(block->size()))) : QVariant();
    }
    return {};
}

#pragma once
// Clipboard formats <-> MIME types, one mapping for the clipboard and for drags: CF_TEXT and
// CF_UNICODETEXT are text/plain, rich text text/rtf (application/rtf is read too), CF_HDROP
// text/uri-list, a format registered as N application/x-qt-windows-mime;value="N". What we write
// carries an origin marker.

#include <optional>

#include <QMimeData>

#include "ActiveX/FormatBlocks.h"

// What another program's data offers, in our formats. Local-file URLs offer the files only, as a file
// drag on the system the program was made for does; otherwise its text, rich text and registered formats.
std::vector<TFormatBlock> BlocksFromMime(const QMimeData& Mime);
bool MimeOffers(const QMimeData& Mime, UINT Format);

// Our data object as MIME data, read from the object when a reader asks.
class TOleMimeData : public QMimeData {
public:
    explicit TOleMimeData(IDataObject* Data);
    IDataObject* DataObject() const { return data_.Get(); }

    QStringList formats() const override;
    bool hasFormat(const QString& MimeType) const override;

protected:
    QVariant retrieveData(const QString& MimeType, QMetaType Type) const override;

private:
    void AddFormats(QStringList& Types) const;
    QVariant Retrieve(const QString& MimeType) const;

    ComPtr<IDataObject> data_;
};

// The MIME type a format travels under; empty for an unknown format.
QString MimeTypeOf(UINT Format);
// Whether this program wrote the data, and the marker that says so.
bool IsOurs(const QMimeData& Mime);
void MarkOurs(QMimeData& Mime);
// The rich text's bytes up to a zero byte; none when the data holds no rich text.
std::optional<QByteArray> RichTextOf(const QMimeData& Mime);
QByteArray UntilZero(std::string_view Block);

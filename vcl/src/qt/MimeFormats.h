#pragma once
// Clipboard formats <-> MIME types, one mapping for the clipboard and for drags: CF_TEXT and
// CF_UNICODETEXT are text/plain, rich text text/rtf, CF_HDROP text/uri-list, a registered format
// travels under its name. What we write carries an origin marker.

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

// Text as we put it on the clipboard.
QMimeData* MimeForText(const AnsiString& Text);

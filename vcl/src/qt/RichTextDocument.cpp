// The rich edit's content as a Qt text document: the names and sizes the content gives are kept as
// properties of their own, so that reading back answers them exactly (the shown face may be a substitute).
#include "qt/RichTextDocument.h"

#include <QTextBlock>
#include <QTextCursor>

#include <cmath>

#include "qt/QtGraphics.h"
#include "qt/QtText.h"

namespace {

constexpr int FontNameProperty = QTextFormat::UserProperty + 1;
constexpr int HalfPointsProperty = QTextFormat::UserProperty + 2;

QTextCharFormat CharFormat(const TRichCharFormat& F, const TFontDesc& Font) {
    QTextCharFormat format;
    if (!F.FontName.empty()) {
        TFontDesc face = Font;
        face.Name = F.FontName;
        format.setFontFamilies(QStringList{ToQFont(face).family()});
        format.setProperty(FontNameProperty, ToQString(F.FontName));
    }
    if (F.HalfPoints > 0) {
        // 96 pixels an inch, 72 points.
        format.setProperty(QTextFormat::FontPixelSize,
                           std::max(1, static_cast<int>(std::lround(F.HalfPoints * 2 / 3.0))));
        format.setProperty(HalfPointsProperty, F.HalfPoints);
    }
    if (F.Color) format.setForeground(QColor(*F.Color & 0xFF, (*F.Color >> 8) & 0xFF, (*F.Color >> 16) & 0xFF));
    // Effects that are off stay unset, so that the default font's own show.
    if (F.Bold) format.setFontWeight(QFont::Bold);
    if (F.Italic) format.setFontItalic(true);
    if (F.Underline) format.setFontUnderline(true);
    if (F.StrikeOut) format.setFontStrikeOut(true);
    return format;
}

TRichCharFormat FormatOf(const QTextCharFormat& F) {
    TRichCharFormat format;
    if (F.hasProperty(FontNameProperty)) {
        format.FontName = FromQString(F.property(FontNameProperty).toString());
    }
    if (F.hasProperty(HalfPointsProperty)) format.HalfPoints = F.property(HalfPointsProperty).toInt();
    if (F.hasProperty(QTextFormat::ForegroundBrush)) {
        const QColor c = F.foreground().color();
        format.Color = static_cast<TColor>(c.red() | c.green() << 8 | c.blue() << 16);
    }
    format.Bold = F.hasProperty(QTextFormat::FontWeight) && F.fontWeight() >= QFont::Bold;
    format.Italic = F.fontItalic();
    format.Underline = F.fontUnderline();
    format.StrikeOut = F.fontStrikeOut();
    return format;
}

Qt::Alignment ToQAlignment(TAlignment A) {
    switch (A) {
        case taCenter: return Qt::AlignHCenter;
        case taRightJustify: return Qt::AlignRight;
        default: return Qt::AlignLeft;
    }
}

TAlignment AlignmentOf(const QTextBlockFormat& F) {
    const Qt::Alignment a = F.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter) return taCenter;
    if (a & (Qt::AlignRight | Qt::AlignTrailing)) return taRightJustify;
    return taLeftJustify;
}

// A line feed would start a block of its own: inside a paragraph it is a line break.
QString DocumentChars(const WideChar* Chars, std::size_t Count) {
    QString text = QString::fromUtf16(Chars, static_cast<qsizetype>(Count));
    for (QChar& c : text)
        if (c == u'\v' || c == u'\n') c = QChar::LineSeparator;
    return text;
}

}  // namespace

void FillDocument(QTextDocument& Document, const TRichText& Content, const TFontDesc& Font) {
    Document.clear();
    QTextCursor cursor(&Document);
    QTextBlockFormat block;
    std::size_t paragraph = 0;
    block.setAlignment(ToQAlignment(Content.Paragraphs.empty() ? taLeftJustify : Content.Paragraphs[0]));
    cursor.setBlockFormat(block);
    std::size_t at = 0;
    for (const TRichRun& run : Content.Runs) {
        const QTextCharFormat format = CharFormat(run.Format, Font);
        const std::size_t end = std::min(at + run.Length, Content.Text.size());
        while (at < end) {
            std::size_t stop = at;
            while (stop < end && Content.Text[stop] != u'\r') ++stop;
            if (stop > at) cursor.insertText(DocumentChars(Content.Text.data() + at, stop - at), format);
            at = stop;
            if (at == end) break;
            ++paragraph;
            block.setAlignment(
                ToQAlignment(paragraph < Content.Paragraphs.size() ? Content.Paragraphs[paragraph] : taLeftJustify));
            cursor.insertBlock(block, format);
            ++at;
        }
    }
}

TRichText ReadDocument(const QTextDocument& Document) {
    TRichText content;
    TRichCharFormat last;
    for (QTextBlock b = Document.begin(); b.isValid(); b = b.next()) {
        if (b != Document.begin()) content.Append(u"\r", last);
        content.Paragraphs.back() = AlignmentOf(b.blockFormat());
        for (auto f = b.begin(); !f.atEnd(); ++f) {
            const QTextFragment fragment = f.fragment();
            if (!fragment.isValid()) continue;
            QString text = fragment.text();
            for (QChar& c : text)
                if (c == QChar::LineSeparator) c = u'\v';
            last = FormatOf(fragment.charFormat());
            content.Append(reinterpret_cast<const WideChar*>(text.utf16()), static_cast<std::size_t>(text.size()),
                           last);
        }
    }
    return content;
}

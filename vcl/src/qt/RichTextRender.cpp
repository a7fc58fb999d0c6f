// EM_FORMATRANGE: the content laid out by Qt's text document at the rectangle's width, drawn on the DC.
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

#include "ComCtrls/RichTextRender.h"
#include "qt/GdiPaint.h"
#include "qt/QtGraphics.h"
#include "qt/RichTextDocument.h"

namespace {

LONG FromTwips(LONG Twips, int PixelsPerInch) { return MulDiv(Twips, PixelsPerInch, 1440); }

// Where the lines that fit whole into Height end: the first character after them and their bottom.
std::pair<int, int> FittingLines(QTextDocument& Document, int Height) {
    Document.documentLayout()->documentSize();  // lays the whole document out
    for (QTextBlock b = Document.begin(); b.isValid(); b = b.next()) {
        const QTextLayout* layout = b.layout();
        const QPointF origin = layout->position();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (origin.y() + line.y() + line.height() > Height + 0.5)
                return {b.position() + line.textStart(), static_cast<int>(std::floor(origin.y() + line.y()))};
        }
    }
    return {Document.characterCount() - 1, Height};
}

}  // namespace

LRESULT RenderRichText(const TRichText& Content, const TFontDesc& Font, TColor TextColor, const FORMATRANGE& Range,
                       bool Render) {
    TDcPaint dc(Range.hdc);
    if (!dc.Ok()) return 0;
    const int dpiX = GetDeviceCaps(Range.hdc, LOGPIXELSX), dpiY = GetDeviceCaps(Range.hdc, LOGPIXELSY);
    const TRect box{FromTwips(Range.rc.Left, dpiX), FromTwips(Range.rc.Top, dpiY), FromTwips(Range.rc.Right, dpiX),
                    FromTwips(Range.rc.Bottom, dpiY)};
    const auto size = static_cast<LONG>(Content.Text.size());
    const LONG from = std::clamp<LONG>(Range.chrg.cpMin, 0, size);
    const LONG to = Range.chrg.cpMax < 0 ? size : std::clamp<LONG>(Range.chrg.cpMax, from, size);

    QTextDocument document;
    document.setDocumentMargin(0);
    document.setDefaultFont(ToQFont(Font));
    FillDocument(document, Content.Slice(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)), Font);
    document.setTextWidth(std::max(0, box.Width()));
    const auto [fitted, bottom] = FittingLines(document, std::max(0, box.Height()));
    const LRESULT next = from + std::min<LONG>(fitted, to - from);
    dc.Record([&] {
        return "FormatRange " + RectText(box) + " " + std::to_string(from) + "," + std::to_string(to) +
               (Render ? " render" : " measure") + " next=" + std::to_string(next);
    });
    if (!Render || !dc.Drawable() || box.Width() <= 0 || bottom <= 0) return next;

    // Only whole lines show, and nothing outside the rectangle.
    dc.IntersectClip(QRect(box.Left, box.Top, box.Width(), std::min(bottom, box.Height())));
    QPainter& p = dc.Painter();
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.translate(box.Left, box.Top);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, ToQColorRef(static_cast<COLORREF>(TextColor)));
    context.clip = QRectF(0, 0, box.Width(), std::min(bottom, box.Height()));
    document.documentLayout()->draw(&p, context);
    p.restore();
    dc.Dirty(box);
    return next;
}

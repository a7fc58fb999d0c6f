// What the painter asks of a cell before it draws: colours, font and alignment (later steps win), the
// text shown, the graphic's size and place, the room the content needs, and where turned text starts.
#include <charconv>
#include <cmath>

#include "GrdHTMLE.h"
#include "ProGrid.h"
#include "ProGrid_Paint.h"
#include "ProUtil.h"
#include "vcl/WinGdi.h"
#include "vcl/Windows.h"

namespace ProGrid {

using namespace BaseGrid;

namespace {

// The margins of a cell's text, across and down.
constexpr Integer MarginX = 2, MarginY = 2;
// Mark-up measured without wrapping lays out in a box this large.
constexpr Integer UnboundedExtent = 65535;
// Turned text needs this much room around its box.
constexpr Integer RotatedRoom = 12;

// (A mod B) in 0..B-1 for B > 0.
Integer Modulo(Integer A, Integer B) { return ((A % B) + B) % B; }

// A number text as a value, "." the decimal point whatever the separator; 0 when nothing converts.
double NumericValue(const AnsiString& Text) {
    const AnsiString number = ProUtil::ExtractNumericText(Text);
    double value = 0;
    const char* first = number.data();
    if (!number.empty() && number[0] == '+') ++first;
    std::from_chars(first, number.data() + number.size(), value);
    return value;
}

}  // namespace

void RAdeRedeviDidi::GetCellDrawInfo(Integer ACol, Integer ARow, TGridDrawState& AState, TAlignment& HAlign,
                                     TVAlignment& VAlign, TFont* AFont, TColor& ColorTo, TBrush* ABrush,
                                     bool RealColumn, bool Selectable, bool Printing) {
    const bool fixedArea = ACol < FixedCols() || ARow < FixedRows();
    const bool printFonts = Printing && !PrintSettings()->UseDisplayFont();
    if (fixedArea) AFont->Assign(printFonts ? PrintSettings()->FixedFont() : FixedFont());
    else AFont->Assign(printFonts ? PrintSettings()->Font() : Font());

    // The application's colour query hears of the real column. Mapping the row through a persistent
    // disjunct row selection comes with the mouse selection.
    const Integer realCol = RealColumn ? RealColIndex(ACol) : ACol;

    ABrush->SetColor(clNone);
    ColorTo = clNone;
    if (HasCellProperties(ACol, ARow)) {
        const TCellProperties* props = GetCellProperties(ACol, ARow);
        ABrush->SetColor(props->BrushColor());
        if (props->FontColor() != clNone) AFont->SetColor(props->FontColor());
        if (!props->FontStyle().Empty()) AFont->SetStyle(props->FontStyle());
        if (props->FontSize() != 0) AFont->SetSize(props->FontSize());
        if (!props->FontName().empty()) AFont->SetName(props->FontName());
        ColorTo = props->BrushColorTo();
    }

    if (ABrush->Color() == clNone) {
        ABrush->SetColor(Color());
        const TBands* bands = Bands();
        const bool bodyCell =
            ACol >= FixedCols() && ACol < ColCount() - FixedRightCols() && ARow < RowCount() - FixedFooters();
        if (bands->Active() && (!Printing || bands->Print()) && bodyCell && bands->Period() > 0)
            ABrush->SetColor(Modulo(ARow - FixedRows(), bands->Period()) < bands->PrimaryLength()
                                 ? bands->PrimaryColor()
                                 : bands->SecondaryColor());
    }

    const bool fixed = !Printing && (IsFixedCell(ACol, ARow) || fixedArea);
    if (fixed) {
        ABrush->SetColor(FixedColor());
        AFont->SetColor(FixedFont()->Color());
        AState.Include(gdFixed);
    }

    if (Printing) GetCellPrintColor(realCol, ARow, AFont, ABrush, AState);
    else GetCellColor(realCol, ARow, AFont, ABrush, AState);

    // The focused cell shows its own colours unless goDrawFocusSelected asks otherwise. The disjunct row,
    // column and cell selections come with the mouse selection: while one is on, the range alone selects
    // nothing.
    const bool focusedPlain = AState.Contains(gdFocused) && !Options().Contains(goDrawFocusSelected);
    const bool disjunct = MouseActions()->DisjunctRowSelect() || MouseActions()->DisjunctColSelect();
    if (!Printing && Selectable && ShowSelection() && !AState.Contains(gdFixed) && !focusedPlain && !disjunct) {
        const TGridRect sel = Selection();
        if (ACol >= sel.Left && ACol <= sel.Right && ARow >= sel.Top && ARow <= sel.Bottom) {
            if (SelectionColor() != clNone) ABrush->SetColor(SelectionColor());
            if (SelectionTextColor() != clNone) AFont->SetColor(SelectionTextColor());
            AState.Include(gdSelected);
        }
    }

    // Events and settings may answer clNone: no drawing call gets it.
    if (ABrush->Color() == clNone) ABrush->SetColor(Color() == clNone ? clWindow : Color());
    if (AFont->Color() == clNone) AFont->SetColor(clWindowText);

    const auto alignment = GetCellAlignmentEx(ACol, ARow);
    HAlign = alignment.first;
    VAlign = alignment.second;
}

std::pair<TAlignment, TVAlignment> RAdeRedeviDidi::GetCellAlignmentEx(Integer ACol, Integer ARow) {
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = VAlignment();
    if (AutoNumAlign()) {
        AnsiString text;
        ReadCell(ACol, ARow, text);
        if (ProUtil::GetTextType(text, false) == 3) GetCellText(ACol, ARow, text);
        if (ProUtil::ClassifyNumber(text) < 2) hAlign = taRightJustify;
    }
    if (HasCellProperties(ACol, ARow)) hAlign = GetCellProperties(ACol, ARow)->Alignment();
    GetCellAlignment(ACol, ARow, hAlign, vAlign);
    return {hAlign, vAlign};
}

void RAdeRedeviDidi::GetCellFormat(Integer ACol, Integer ARow, AnsiString& Value) {
    ReadCell(ACol, ARow, Value);
    if (ProUtil::GetTextType(Value, false) == 3) GetCellText(ACol, ARow, Value);
    if (!OnGetFloatFormat || ProUtil::ClassifyNumber(Value) == 2) return;
    bool isFloat = true;
    AnsiString format = FloatFormat();
    OnGetFloatFormat(this, ACol, ARow, isFloat, format);
    if (!isFloat) return;
    try {
        Value = Format(format, {NumericValue(Value)});
    } catch (const Exception&) {
        // A format the value does not fit shows the text as it stands.
    }
}

TCellGraphic* RAdeRedeviDidi::GetCellGraphicInfo(Integer ACol, Integer ARow, TCellHAlign& HAlign, TCellVAlign& VAlign,
                                                 bool& TextBeside, Integer& Width, Integer& Height) {
    TextBeside = true;
    Width = 0;
    Height = 0;
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (!graphic) return nullptr;
    const TPoint base = BaseCell(ACol, ARow);
    HAlign = graphic->CellHAlign;
    VAlign = graphic->CellVAlign;
    const auto imageSize = [&](Integer Count, bool Across) {
        const TImageList* images = GridImages();
        if (!images) return;
        Width = images->Width() * (Across ? Count : 1);
        Height = images->Height() * (Across ? 1 : Count);
    };
    switch (graphic->CellType) {
        case ctBitmap:
            if (const auto* bitmap = dynamic_cast<const TBitmap*>(graphic->CellBitmap)) {
                Width = bitmap->Width();
                Height = bitmap->Height();
            }
            break;
        case ctIcon:
            if (graphic->CellIcon) {
                Width = graphic->CellIcon->Width();
                Height = graphic->CellIcon->Height();
            }
            break;
        case ctImageList: imageSize(1, true); break;
        case ctDataImage:
            imageSize(1, true);
            TextBeside = false;
            break;
        case ctCheckBox:
        case ctDataCheckBox:
        case ctVirtCheckBox:
            Width = Height = ControlLook()->CheckSize();
            TextBeside = graphic->CellType == ctCheckBox;
            break;
        case ctRotated:
        case ctRadio:
        case ctProgress: TextBeside = false; break;
        case ctImages:
            if (const auto* list = dynamic_cast<const ProObj::TIntList*>(graphic->CellBitmap))
                imageSize(list->Count(), graphic->CellBoolean);
            break;
        case ctPicture:
        case ctFilePicture: {
            TPoint size{};
            if (const auto* picture = dynamic_cast<const TPicture*>(graphic->CellBitmap))
                size = Point(picture->Width(), picture->Height());
            else if (const auto* file = dynamic_cast<const ProObj::TFilePicture*>(graphic->CellBitmap))
                size = Point(file->Width(), file->Height());
            const TPoint cell = CellSizeEx(base.X, base.Y);
            graphic->GetPictureSize(cell.X, cell.Y, size);
            Width = size.X;
            Height = size.Y;
            break;
        }
        case ctButton:
        case ctBitButton:
            Width = graphic->CellIndex & 0xFFFF;
            Height = (graphic->CellIndex >> 16) & 0xFFFF;
            break;
        case ctProgressPie: Width = Height = 20; break;
        default: break;
    }
    return graphic;
}

void RAdeRedeviDidi::GetCellTextSize(Integer ACol, Integer ARow, TPoint& Size, bool WordWrap) {
    TCanvas* canvas = Canvas();
    const TCanvasKeeper keeper(canvas);
    TGridDrawState state;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    TColor colorTo = clNone;
    GetCellDrawInfo(ACol, ARow, state, hAlign, vAlign, canvas->Font(), colorTo, canvas->Brush(), true, true, false);
    AnsiString text;
    ReadCell(ACol, ARow, text);
    const Integer kind = ProUtil::GetTextType(text, EnableHTML());
    if (kind == 3) GetCellText(ACol, ARow, text);
    TRect cell;
    CellRectEx(ACol, ARow, cell);
    const TRect inner =
        ::Rect(cell.Left + 2 + MarginX, cell.Top + 2 + MarginY, cell.Right - 2 - MarginX, cell.Bottom - 2 - MarginY);

    const TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (graphic && graphic->CellType == ctRotated) {
        const TTurnedExtent turned = TurnedExtent(canvas->TextExtent(text), graphic->CellAngle);
        Size = Point(static_cast<Integer>(std::lround(turned.WidthX + turned.HeightX)) + RotatedRoom,
                     static_cast<Integer>(std::lround(turned.WidthY + turned.HeightY)) + RotatedRoom);
        return;
    }
    if (kind == 1) {
        TRect box = inner;
        if (!WordWrap) box = ::Rect(inner.Left, inner.Top, inner.Left + UnboundedExtent, inner.Top + UnboundedExtent);
        AnsiString anchor, plain, focusAnchor, controlID, controlValue, controlType;
        Integer width = 0, height = 0, anchors = 0, mouseLink = -1;
        TRect mouseRect{}, controlRect{};
        GrdHTMLE::RenderHTML(canvas, text, box, GridImages(), -1, -1, -1, -1, 1, false, true, false, false, true, false,
                             WordWrap, false, 1.0, URLColor(), clNone, clNone, clGray, anchor, plain, focusAnchor,
                             width, height, anchors, mouseLink, mouseRect, controlRect, controlID, controlValue,
                             controlType, PictureCache(), PictureContainer(), Handle());
        Size = Point(width + 2 + 2 * MarginX, height + 2 + 2 * MarginY);
        return;
    }
    if (kind == 5) {
        const WideString wide = ProUtil::UniStrFromCellText(text);
        RECT r = inner;
        const UINT lines = WordWrap || Multilinecells() ? DT_WORDBREAK : DT_SINGLELINE;
        DrawTextW(canvas->Handle(), wide.c_str(), static_cast<int>(wide.size()), &r, DT_CALCRECT | DT_NOPREFIX | lines);
        Size = Point(r.Width() + 2 * MarginX, r.Height() + 2 * MarginY);
        return;
    }
    // Rich text is measured by the rich edit.
    if (!WordWrap) {
        Integer width = 0, lines = 0;
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = text.find_first_of("\r\n", start);
            AnsiString line = text.substr(start, end == AnsiString::npos ? AnsiString::npos : end - start);
            if (URLShow() && !URLFull() && ProUtil::IsURL(line)) ProUtil::StripURLProtocol(line);
            width = std::max(width, canvas->TextWidth(line));
            ++lines;
            if (end == AnsiString::npos) break;
            start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        }
        Size = Point(width + 2 * MarginX, lines * canvas->TextHeight("gh") + 2 * MarginY);
        return;
    }
    // A new line just typed counts before its first character is.
    if (!text.empty() && text.back() == '\n') text += ' ';
    RECT r = inner;
    DrawText(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
             DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    Size = Point(inner.Width() + 2 * MarginX, r.Height() + 2 * MarginY);
}

TTurnedExtent TurnedExtent(const TSize& Extent, Integer Angle) {
    const double angle = Angle * M_PI / 180;
    const double c = std::fabs(std::cos(angle)), s = std::fabs(std::sin(angle));
    return {Extent.cx * c, Extent.cx * s, Extent.cy * s, Extent.cy * c};
}

void RAdeRedeviDidi::GetTextPosition(TRect& Rect, TVAlignment VAlign, Integer TextHeight, Integer TextWidth,
                                     Integer OffsetX, Integer OffsetY, TAlignment HAlign, Integer Angle) {
    const Integer boxWidth = TextWidth + OffsetX, boxHeight = TextHeight + OffsetY;
    Integer left = Rect.Left, top = Rect.Top;
    if (HAlign == taCenter) left += (Rect.Width() - boxWidth) / 2;
    else if (HAlign == taRightJustify) left = Rect.Right - boxWidth;
    if (VAlign == vtaCenter) top += (Rect.Height() - boxHeight) / 2;
    else if (VAlign == vtaBottom) top = Rect.Bottom - boxHeight;
    // The text's top-left corner turns with it: in each quadrant another corner of the box holds it.
    const Integer angle = Modulo(Angle, 360);
    if (angle < 91) {
        Rect.Left = left;
        Rect.Top = top + TextHeight;
    } else if (angle < 181) {
        Rect.Left = left + TextWidth;
        Rect.Top = top + TextHeight + OffsetY;
    } else if (angle < 271) {
        Rect.Left = left + TextWidth + OffsetX;
        Rect.Top = top + OffsetY;
    } else {
        Rect.Left = left + OffsetX;
        Rect.Top = top;
    }
}

}  // namespace ProGrid

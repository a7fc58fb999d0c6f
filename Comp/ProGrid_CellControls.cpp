// The data side of the in-cell controls: check boxes, radio groups and buttons, and what the other cell
// graphics tell of themselves (comments, error ranges, images, sizes).
#include <cmath>
#include <cstdint>

#include "ProGrid.h"

namespace ProGrid {

using namespace BaseGrid;

namespace {

bool IsCheckType(TCellType AType) { return AType == ctCheckBox || AType == ctDataCheckBox || AType == ctVirtCheckBox; }

// The two unsigned 16-bit halves of a packed value: low, high.
TPoint UnpackHalves(std::uint32_t Packed) {
    return Point(static_cast<Integer>(Packed & 0xFFFF), static_cast<Integer>(Packed >> 16));
}

// A button's offsets travel in CellValue, rounded; a value past 32 bits packs nothing.
std::uint32_t PackedOffsets(double Value) {
    if (!std::isfinite(Value) || std::fabs(Value) >= 4294967296.0) return 0;
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(std::llround(Value)));
}

}  // namespace

bool RAdeRedeviDidi::HasRadio(Integer ACol, Integer ARow) { return GetCellType(ACol, ARow) == ctRadio; }

bool RAdeRedeviDidi::HasCellButton(Integer ACol, Integer ARow) {
    const TCellType type = GetCellType(ACol, ARow);
    return type == ctButton || type == ctBitButton;
}

bool RAdeRedeviDidi::HasCellControl(Integer ACol, Integer ARow) {
    const TCellType type = GetCellType(ACol, ARow);
    return IsCheckType(type) || type == ctRadio || type == ctButton;
}

// ---------------------------------------------------------------------------
// Check boxes

bool RAdeRedeviDidi::SetCheckBoxState(Integer ACol, Integer ARow, bool State) {
    if (!HasCheckBox(ACol, ARow)) return false;
    const TPoint base = BaseCell(ACol, ARow);
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (graphic->CellType == ctCheckBox) {
        graphic->CellBoolean = State;
        InvalidateCellEx(DisplayColIndex(base.X), base.Y);
        return true;
    }
    AnsiString text;
    if (State) GetCheckTrue(base.X, base.Y, text);
    else GetCheckFalse(base.X, base.Y, text);
    WriteCell(base.X, base.Y, text);
    return true;
}

bool RAdeRedeviDidi::ToggleCheck(Integer ACol, Integer ARow, bool CheckEditable) {
    if (!HasCheckBox(ACol, ARow)) return false;
    if (CheckEditable) {
        bool canEdit = true;
        CanEdit(ACol, ARow, canEdit);
        if (!canEdit) return false;
    }
    bool checked = false;
    GetCheckBoxState(ACol, ARow, checked);
    // A data check box whose text is neither of the two becomes checked.
    return SetCheckBoxState(ACol, ARow, !checked);
}

bool RAdeRedeviDidi::IsCheckBoxHit(Integer ACol, Integer ARow, Integer X, Integer Y) {
    if (!HasCheckBox(ACol, ARow)) return false;
    TRect cell;
    CellRectEx(ACol, ARow, cell);
    if (!MouseActions()->PreciseCheckBoxCheck()) return cell.Contains(Point(X, Y));
    const Integer size = ControlLook()->CheckSize();
    Integer top = cell.Top + 2;
    switch (GetCellGraphic(ACol, ARow)->CellVAlign) {
        case vaBottom: top = cell.Bottom - 2 - size; break;
        case vaCenter: top = cell.Top + (cell.Height() - size) / 2; break;
        default: break;
    }
    Integer left = cell.Left + 2;
    switch (GetCellAlignmentEx(ACol, ARow).first) {
        case taRightJustify: left = cell.Right - 2 - size; break;
        case taCenter: left = cell.Left + (cell.Width() - size) / 2; break;
        default: break;
    }
    return Rect(left, top, left + size, top + size).Contains(Point(X, Y));
}

// ---------------------------------------------------------------------------
// Radio groups

bool RAdeRedeviDidi::GetRadioIndex(Integer ACol, Integer ARow, Integer& Index) {
    if (!HasRadio(ACol, ARow)) return false;
    Index = GetCellGraphic(ACol, ARow)->CellIndex;
    return true;
}

bool RAdeRedeviDidi::SetRadioIndex(Integer ACol, Integer ARow, Integer Index) {
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (!graphic) return false;
    graphic->CellIndex = Index;
    const TPoint base = BaseCell(ACol, ARow);
    InvalidateCellEx(DisplayColIndex(base.X), base.Y);
    return graphic->CellType == ctRadio;
}

TStrings* RAdeRedeviDidi::GetRadioItems(Integer ACol, Integer ARow) {
    if (!HasRadio(ACol, ARow)) return nullptr;
    return dynamic_cast<TStrings*>(GetCellGraphic(ACol, ARow)->CellBitmap);
}

bool RAdeRedeviDidi::NextRadioItem(Integer ACol, Integer ARow, bool CheckEditable) {
    TStrings* items = GetRadioItems(ACol, ARow);
    if (!items || items->Count() == 0) return false;
    if (CheckEditable) {
        bool canEdit = true;
        CanEdit(ACol, ARow, canEdit);
        if (!canEdit) return false;
    }
    TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    const TPoint base = BaseCell(ACol, ARow);
    const bool dataRadio = graphic->CellIndex < 0;
    const Integer current = dataRadio ? items->IndexOf(Cells(base.X, base.Y)) : graphic->CellIndex;
    const Integer next = current + 1 >= items->Count() ? 0 : current + 1;
    if (!dataRadio) graphic->CellIndex = next;
    WriteCell(base.X, base.Y, items->Strings(next));
    InvalidateCellEx(DisplayColIndex(base.X), base.Y);
    return true;
}

// ---------------------------------------------------------------------------
// Buttons

void RAdeRedeviDidi::GetCellButtonRect(Integer ACol, Integer ARow, TRect& Rect) {
    Rect = TRect();
    const Integer realCol = RealColIndex(ACol);
    if (!HasCellButton(realCol, ARow)) return;
    const TCellGraphic* graphic = GetCellGraphic(realCol, ARow);
    TRect cell;
    CellRectEx(ACol, ARow, cell);
    const TPoint offset = UnpackHalves(PackedOffsets(graphic->CellValue));
    const TPoint size = UnpackHalves(static_cast<std::uint32_t>(graphic->CellIndex));
    Rect =
        ::Rect(cell.Left + offset.X, cell.Top + offset.Y, cell.Left + offset.X + size.X, cell.Top + offset.Y + size.Y);
    if (graphic->CellVAlign == vaFull) {
        Rect.Top = cell.Top;
        Rect.Bottom = cell.Bottom;
    }
    if (graphic->CellHAlign == haFull) {
        Rect.Left = cell.Left;
        Rect.Right = cell.Right;
    }
}

void RAdeRedeviDidi::SetCellButtonDown(Integer ACol, Integer ARow, bool Down) {
    const Integer realCol = RealColIndex(ACol);
    if (!HasCellButton(realCol, ARow)) return;
    GetCellGraphic(realCol, ARow)->CellBoolean = Down;
    InvalidateCellEx(ACol, ARow);
}

// ---------------------------------------------------------------------------
// Other graphics

bool RAdeRedeviDidi::GetCellComment(Integer ACol, Integer ARow, AnsiString& Text) {
    if (GetCellType(ACol, ARow) != ctComment) return false;
    Text = GetCellGraphic(ACol, ARow)->CellText;
    return true;
}

void RAdeRedeviDidi::GetCellErrorRange(Integer ACol, Integer ARow, Integer& From, Integer& Len) {
    const TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    From = graphic ? graphic->CellErrFrom : 0;
    Len = graphic ? graphic->CellErrLen : 0;
}

ProObj::TIntList* RAdeRedeviDidi::GetCellImages(Integer ACol, Integer ARow) {
    if (GetCellType(ACol, ARow) != ctImages) return nullptr;
    return dynamic_cast<ProObj::TIntList*>(GetCellGraphic(ACol, ARow)->CellBitmap);
}

std::intptr_t RAdeRedeviDidi::GetCellGraphicHandle(Integer ACol, Integer ARow) {
    const TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (!graphic) return -1;
    switch (graphic->CellType) {
        case ctBitmap:
            if (auto* bitmap = dynamic_cast<TBitmap*>(graphic->CellBitmap))
                return reinterpret_cast<std::intptr_t>(bitmap->Handle());
            return -1;
        case ctIcon: return graphic->CellIcon ? reinterpret_cast<std::intptr_t>(graphic->CellIcon->Handle()) : -1;
        case ctImageList: return graphic->CellIndex;
        default: return -1;
    }
}

// ---------------------------------------------------------------------------
// Graphic sizes

namespace {

// How a size is asked for: on screen, or for printing with its scale and room.
struct TGraphicSizeRequest {
    bool Printing = false;
    double Scale = 1;
    Integer Width = 0;
    Integer Height = 0;
};

TPoint GraphicSize(RAdeRedeviDidi& Grid, Integer ACol, Integer ARow, const TGraphicSizeRequest& Request) {
    const TCellGraphic* graphic = Grid.GetCellGraphic(ACol, ARow);
    if (!graphic) return Point(0, 0);
    const TPoint base = Grid.BaseCell(ACol, ARow);
    // Beside a text only an image placed before or after it takes width.
    const bool widthCounts =
        graphic->CellHAlign == haBeforeText || graphic->CellHAlign == haAfterText || Grid.Cells(base.X, base.Y).empty();
    const TImageList* images = Grid.GridImages();
    TCanvas* canvas = Grid.Canvas();
    TPoint size(0, 0);
    switch (graphic->CellType) {
        case ctBitmap:
            if (auto* bitmap = dynamic_cast<TBitmap*>(graphic->CellBitmap))
                size = Point(bitmap->Width(), bitmap->Height());
            if (!widthCounts && !Request.Printing) size.X = 0;
            break;
        case ctIcon:
            if (graphic->CellIcon) size = Point(graphic->CellIcon->Width(), graphic->CellIcon->Height());
            if (!widthCounts && !Request.Printing) size.X = 0;
            break;
        case ctImageList:
        case ctDataImage:
            if (!images) break;
            size = Point(images->Width(), images->Height());
            if (!widthCounts && !(Request.Printing && graphic->CellType == ctDataImage)) size.X = 0;
            break;
        case ctCheckBox:
        case ctDataCheckBox:
        case ctVirtCheckBox: size = Point(Grid.ControlLook()->CheckSize(), Grid.ControlLook()->CheckSize()); break;
        case ctRadio: {
            const auto* items = dynamic_cast<const TStrings*>(graphic->CellBitmap);
            const Integer count = items ? items->Count() : 0;
            const Integer lineHeight = canvas->TextHeight("gh");
            if (graphic->CellBoolean) {
                for (Integer i = 0; i < count; ++i) size.X += canvas->TextWidth(items->Strings(i)) + 12;
                size.Y = lineHeight;
            } else {
                size.X = 12;
                for (Integer i = 0; i < count; ++i)
                    size.X = std::max(size.X, canvas->TextWidth(items->Strings(i)) + 12);
                size.Y = lineHeight * count;
            }
            break;
        }
        case ctImages: {
            const auto* list = dynamic_cast<const ProObj::TIntList*>(graphic->CellBitmap);
            if (!images || !list) break;
            const Integer count = list->Count();
            size = graphic->CellBoolean ? Point(count * images->Width(), images->Height())
                                        : Point(images->Width(), count * images->Height());
            break;
        }
        case ctPicture:
        case ctFilePicture: {
            if (const auto* picture = dynamic_cast<const TPicture*>(graphic->CellBitmap))
                size = Point(picture->Width(), picture->Height());
            else if (const auto* file = dynamic_cast<const ProObj::TFilePicture*>(graphic->CellBitmap))
                size = Point(file->Width(), file->Height());
            const TPoint room =
                Request.Printing ? Point(Request.Width, Request.Height) : Grid.CellSizeEx(base.X, base.Y);
            graphic->GetPictureSize(room.X, room.Y, size);
            if (Request.Printing && Request.Scale > 0)
                size = Point(static_cast<Integer>(std::lround(size.X / Request.Scale)),
                             static_cast<Integer>(std::lround(size.Y / Request.Scale)));
            break;
        }
        case ctButton:
        case ctBitButton: size = UnpackHalves(static_cast<std::uint32_t>(graphic->CellIndex)); break;
        case ctProgressPie: size = Point(20, 20); break;
        default: break;
    }
    if (!Request.Printing) {
        const TPoint cell = Grid.CellSizeEx(ACol, ARow);
        if (graphic->CellVAlign == vaFull) size.Y = cell.Y;
        if (graphic->CellHAlign == haFull) size.X = cell.X;
    }
    return size;
}

}  // namespace

void RAdeRedeviDidi::GetCellGraphicSize(Integer ACol, Integer ARow, TPoint& Size) {
    Size = GraphicSize(*this, ACol, ARow, {});
}

void RAdeRedeviDidi::GetCellGraphicSizeEx(Integer ACol, Integer ARow, TPoint& Size, double Scale, Integer Width,
                                          Integer Height) {
    Size = GraphicSize(*this, ACol, ARow, {true, Scale, Width, Height});
}

}  // namespace ProGrid

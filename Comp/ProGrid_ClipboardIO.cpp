// The grid's own clipboard format: a block of cells written and read as a sequence of component records.
#include "ProGrid_ClipboardIO.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "vcl/ScopeGuard.h"
#include "vcl/SysUtils.h"

namespace ProGrid {

using BaseGrid::TCellProperties;

namespace {

void PublishTGridPropIO(TPublisher& p) {
    TPublishOf<TGridPropIO> P(p);
    using C = TGridPropIO;
    P.Int("ColCount", &C::ColCount, &C::SetColCount);
    P.Int("RowCount", &C::RowCount, &C::SetRowCount);
    P.Str("ColWidths", &C::ColWidths, &C::SetColWidths);
    P.Str("RowHeights", &C::RowHeights, &C::SetRowHeights);
    P.Bool("FullGrid", &C::FullGrid, &C::SetFullGrid);
    P.Int("ID", &C::ID, &C::SetID);
}

void PublishTGridCellIO(TPublisher& p) {
    TPublishOf<TGridCellIO> P(p);
    using C = TGridCellIO;
    P.Int("Col", &C::Col, &C::SetCol);
    P.Int("Row", &C::Row, &C::SetRow);
    P.Str("Cell", &C::Cell, &C::SetCell);
    P.Bool("HasProp", &C::HasProp, &C::SetHasProp);
}

void PublishTGridCellPropIO(TPublisher& p) {
    TPublishOf<TGridCellPropIO> P(p);
    P.Object("CellProperties", &TGridCellPropIO::CellProperties);
    P.Bool("HasGraphic", &TGridCellPropIO::HasGraphic, &TGridCellPropIO::SetHasGraphic);
}

void PublishTGridGraphicIO(TPublisher& p) {
    TPublishOf<TGridGraphicIO>(p).Object("CellGraphic", &TGridGraphicIO::CellGraphic);
}

template <typename IO>
void PublishObjectIO(TPublisher& p, const char* Name) {
    TPublishOf<IO>(p).Object(Name, &IO::Object);
}

void PublishTGridBMPIO(TPublisher& p) { PublishObjectIO<TGridBMPIO>(p, "Bitmap"); }
void PublishTGridIconIO(TPublisher& p) { PublishObjectIO<TGridIconIO>(p, "Icon"); }
void PublishTGridPicIO(TPublisher& p) { PublishObjectIO<TGridPicIO>(p, "Picture"); }
void PublishTGridFilePicIO(TPublisher& p) { PublishObjectIO<TGridFilePicIO>(p, "Picture"); }
void PublishTGridSLIO(TPublisher& p) { PublishObjectIO<TGridSLIO>(p, "Strings"); }

}  // namespace

VCL_IMPLEMENT_CLASS(TGridPropIO, nullptr, &PublishTGridPropIO)
VCL_IMPLEMENT_CLASS(TGridCellIO, nullptr, &PublishTGridCellIO)
VCL_IMPLEMENT_CLASS(TGridCellPropIO, nullptr, &PublishTGridCellPropIO)
VCL_IMPLEMENT_CLASS(TGridGraphicIO, nullptr, &PublishTGridGraphicIO)
VCL_IMPLEMENT_CLASS(TGridBMPIO, nullptr, &PublishTGridBMPIO)
VCL_IMPLEMENT_CLASS(TGridIconIO, nullptr, &PublishTGridIconIO)
VCL_IMPLEMENT_CLASS(TGridPicIO, nullptr, &PublishTGridPicIO)
VCL_IMPLEMENT_CLASS(TGridFilePicIO, nullptr, &PublishTGridFilePicIO)
VCL_IMPLEMENT_CLASS(TGridSLIO, nullptr, &PublishTGridSLIO)

namespace {

// Types whose graphic keeps an object the record after the graphic carries.
bool HasGraphicObject(TCellType Type) {
    switch (Type) {
        case ctBitmap:
        case ctIcon:
        case ctRadio:
        case ctImages:
        case ctPicture:
        case ctFilePicture:
        case ctBitButton: return true;
        default: return false;
    }
}

AnsiString JoinSizes(Integer First, Integer Last, const std::function<Integer(Integer)>& Size) {
    AnsiString joined;
    for (Integer i = First; i <= Last; ++i) {
        if (i > First) joined += ',';
        joined += IntToStr(Size(i));
    }
    return joined;
}

// The sizes of a comma list, each a whole number of pixels; nothing when the list is not Count of them.
std::optional<std::vector<Integer>> SplitSizes(const AnsiString& List, Integer Count) {
    std::vector<Integer> sizes;
    std::size_t start = 0;
    while (start <= List.size()) {
        const std::size_t comma = std::min(List.find(',', start), List.size());
        Integer size = 0;
        if (!TryStrToInt(List.substr(start, comma - start), size) || size < 0) return std::nullopt;
        sizes.push_back(size);
        if (static_cast<Integer>(sizes.size()) > Count) return std::nullopt;
        start = comma + 1;
    }
    if (static_cast<Integer>(sizes.size()) != Count) return std::nullopt;
    return sizes;
}

// Reads one record into Record; whatever goes wrong is the stream's fault.
void ReadRecord(TStream* AStream, TComponent& Record) {
    try {
        AStream->ReadComponent(&Record);
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        throw EReadError(e.Message());
    }
}

// A cell as the stream gives it, with what it owns until it goes into the grid.
struct TReadCell {
    TOwned<TGridCellIO> Cell = MakeOwned<TGridCellIO>(nullptr);
    TOwned<TGridCellPropIO> Props;
    TOwned<TGridGraphicIO> Graphic;
    std::unique_ptr<TObject> GraphicObject;  // the bitmap, icon, list or picture of the graphic
};

TReadCell ReadCellRecords(TStream* AStream) {
    TReadCell read;
    ReadRecord(AStream, *read.Cell);
    if (!read.Cell->HasProp()) return read;
    read.Props = MakeOwned<TGridCellPropIO>(nullptr);
    ReadRecord(AStream, *read.Props);
    if (!read.Props->HasGraphic()) return read;
    read.Graphic = MakeOwned<TGridGraphicIO>(nullptr);
    ReadRecord(AStream, *read.Graphic);
    TCellGraphic& graphic = *read.Graphic->CellGraphic();
    // Objects are never read from the stream as references: only the record after the graphic gives one.
    graphic.CellBitmap = nullptr;
    graphic.CellIcon = nullptr;
    auto take = [&](auto io) {
        ReadRecord(AStream, *io);
        read.GraphicObject.reset(io->Take());
    };
    switch (graphic.CellType) {
        case ctBitmap:
        case ctBitButton: take(MakeOwned<TGridBMPIO>(nullptr)); break;
        case ctIcon: take(MakeOwned<TGridIconIO>(nullptr)); break;
        case ctPicture: take(MakeOwned<TGridPicIO>(nullptr)); break;
        case ctFilePicture: take(MakeOwned<TGridFilePicIO>(nullptr)); break;
        case ctRadio: take(MakeOwned<TGridSLIO>(nullptr)); break;
        case ctImages: {
            const auto io = MakeOwned<TGridSLIO>(nullptr);
            ReadRecord(AStream, *io);
            auto indices = std::make_unique<ProObj::TIntList>(0, 0);
            try {
                indices->SetStrValue(io->Object()->CommaText());
            } catch (const EConvertError& e) {
                throw EReadError(e.Message());
            }
            read.GraphicObject = std::move(indices);
            break;
        }
        default: break;
    }
    return read;
}

// The graphic a pasted cell owns, made from what was read.
TCellGraphic* MakeGraphic(TReadCell& Read) {
    auto graphic = std::make_unique<TCellGraphic>();
    graphic->Assign(Read.Graphic->CellGraphic());
    if (Read.GraphicObject) {
        graphic->CellCreated = true;
        if (graphic->CellType == ctIcon) graphic->CellIcon = static_cast<TIcon*>(Read.GraphicObject.release());
        else graphic->CellBitmap = Read.GraphicObject.release();
    } else if (HasGraphicObject(graphic->CellType)) {
        graphic->CellCreated = false;  // nothing came with it: it must not free what it does not hold
    }
    return graphic.release();
}

}  // namespace

Integer RAdeRedeviDidi::ClipboardID() {
    const auto window = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Handle()) >> 4);
    return static_cast<Integer>(((GetCurrentProcessId() & 0x7FFFu) << 16) | (window & 0xFFFFu));
}

void RAdeRedeviDidi::SaveCellsToStream(const TGridRect& ARect, TStream* AStream) {
    const Integer firstCol = FixedAsNormal() ? 0 : FixedCols();
    const Integer firstRow = FixedAsNormal() ? 0 : FixedRows();
    const auto prop = MakeOwned<TGridPropIO>(nullptr);
    prop->SetColCount(ARect.Right - ARect.Left + 1);
    prop->SetRowCount(ARect.Bottom - ARect.Top + 1);
    prop->SetColWidths(JoinSizes(ARect.Left, ARect.Right, [this](Integer c) { return ColWidths(c); }));
    prop->SetRowHeights(JoinSizes(ARect.Top, ARect.Bottom, [this](Integer r) { return RowHeights(r); }));
    prop->SetFullGrid(ARect.Left == firstCol && ARect.Top == firstRow && ARect.Right == ColCount() - 1 &&
                      ARect.Bottom == RowCount() - 1);
    prop->SetID(ClipboardID());
    AStream->WriteComponent(prop.get());

    const auto cell = MakeOwned<TGridCellIO>(nullptr);
    const auto props = MakeOwned<TGridCellPropIO>(nullptr);
    const auto graphicIO = MakeOwned<TGridGraphicIO>(nullptr);
    for (Integer r = ARect.Top; r <= ARect.Bottom; ++r)
        for (Integer c = ARect.Left; c <= ARect.Right; ++c) {
            const AnsiString text = GetRawCell(c, r);
            const bool hasProp = HasCellProperties(c, r);
            // The first record marks where the block starts, so it is written even when empty.
            const bool topLeft = c == ARect.Left && r == ARect.Top;
            if (text.empty() && !hasProp && !topLeft) continue;
            cell->SetCol(c);
            cell->SetRow(r);
            cell->SetCell(text);
            cell->SetHasProp(hasProp);
            AStream->WriteComponent(cell.get());
            if (!hasProp) continue;

            TCellProperties* source = GetCellProperties(c, r);
            props->CellProperties()->Assign(source);
            props->CellProperties()->SetBrushColorTo(source->BrushColorTo());
            const auto* graphic = dynamic_cast<const TCellGraphic*>(source->GraphicObject());
            const bool hasGraphic = graphic && graphic->CellType != ctEmpty &&
                                    !(HasGraphicObject(graphic->CellType) && !graphic->CellCreated);
            props->SetHasGraphic(hasGraphic);
            AStream->WriteComponent(props.get());
            if (!hasGraphic) continue;

            graphicIO->CellGraphic()->Assign(const_cast<TCellGraphic*>(graphic));
            AStream->WriteComponent(graphicIO.get());
            // The descriptor must not free what it only borrowed for the writing.
            graphicIO->CellGraphic()->CellBitmap = nullptr;
            graphicIO->CellGraphic()->CellIcon = nullptr;
            graphicIO->CellGraphic()->CellCreated = false;
            auto write = [&](auto io, auto* object) {
                if (object) io->Object()->Assign(object);
                AStream->WriteComponent(io.get());
            };
            switch (graphic->CellType) {
                case ctBitmap:
                case ctBitButton:
                    write(MakeOwned<TGridBMPIO>(nullptr), dynamic_cast<TBitmap*>(graphic->CellBitmap));
                    break;
                case ctIcon: write(MakeOwned<TGridIconIO>(nullptr), graphic->CellIcon); break;
                case ctPicture:
                    write(MakeOwned<TGridPicIO>(nullptr), dynamic_cast<TPicture*>(graphic->CellBitmap));
                    break;
                case ctFilePicture:
                    write(MakeOwned<TGridFilePicIO>(nullptr), dynamic_cast<ProObj::TFilePicture*>(graphic->CellBitmap));
                    break;
                case ctRadio: write(MakeOwned<TGridSLIO>(nullptr), dynamic_cast<TStrings*>(graphic->CellBitmap)); break;
                case ctImages: {
                    const auto io = MakeOwned<TGridSLIO>(nullptr);
                    if (const auto* indices = dynamic_cast<const ProObj::TIntList*>(graphic->CellBitmap))
                        io->Object()->SetCommaText(indices->StrValue());
                    AStream->WriteComponent(io.get());
                    break;
                }
                default: break;
            }
        }
}

void RAdeRedeviDidi::LoadCellsFromStream(TPoint ATopLeft, TStream* AStream) {
    const auto prop = MakeOwned<TGridPropIO>(nullptr);
    ReadRecord(AStream, *prop);
    const auto more = [AStream] { return AStream->Position() < AStream->Size() - 1; };

    // The first cell is the block's top left: a whole grid goes back where it was, another block to
    // ATopLeft.
    std::optional<TReadCell> first;
    if (more()) first = ReadCellRecords(AStream);
    Int64 originCol = 0, originRow = 0;
    if (first) {
        originCol = first->Cell->Col();
        originRow = first->Cell->Row();
    }
    Int64 shiftCol = Int64{ATopLeft.X} - originCol, shiftRow = Int64{ATopLeft.Y} - originRow;

    if (prop->FullGrid()) {
        // Everything is checked before the grid changes.
        const auto widths = SplitSizes(prop->ColWidths(), prop->ColCount());
        const auto heights = SplitSizes(prop->RowHeights(), prop->RowCount());
        if (prop->ColCount() < 1 || prop->RowCount() < 1 || !widths || !heights)
            throw EReadError("Invalid stream format");
        if (originCol < 0 || originRow < 0 || originCol > ColCount() || originRow > RowCount())
            throw EReadError("Invalid stream format");
        shiftCol = shiftRow = 0;
        BeginUpdate();
        const TScopeExit update([this] { EndUpdate(); });
        ClearAll();
        const auto cols = static_cast<Integer>(originCol + prop->ColCount());
        const auto rows = static_cast<Integer>(originRow + prop->RowCount());
        if (FixedCols() >= cols) SetFixedCols(cols - 1);
        if (FixedRows() >= rows) SetFixedRows(rows - 1);
        SetColCount(cols);
        SetRowCount(rows);
        for (Integer i = 0; i < prop->ColCount(); ++i) SetColWidths(static_cast<Integer>(originCol) + i, (*widths)[i]);
        for (Integer i = 0; i < prop->RowCount(); ++i)
            SetRowHeights(static_cast<Integer>(originRow) + i, (*heights)[i]);
    }

    auto place = [&](TReadCell& read) {
        const Int64 col = read.Cell->Col() + shiftCol, row = read.Cell->Row() + shiftRow;
        if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return;
        const auto c = static_cast<Integer>(col), r = static_cast<Integer>(row);
        SetCells(c, r, read.Cell->Cell());
        if (!read.Props) return;
        const TCellProperties& stored = *read.Props->CellProperties();
        auto props = std::make_unique<TCellProperties>(this, c, r);
        props->Assign(const_cast<TCellProperties*>(&stored));
        props->SetBrushColorTo(stored.BrushColorTo());
        props->SetOwnerCol(c);
        props->SetOwnerRow(r);
        props->SetIsBaseCell(true);
        props->SetCellSpanX(-1);
        props->SetCellSpanY(-1);
        std::optional<TRect> range;
        if (stored.CellSpanX() >= 0 && stored.CellSpanY() >= 0) {
            if (stored.IsBaseCell() && stored.InRange()) {
                // A range is merged again only when all of it lies in the grid.
                if (Int64{c} + stored.CellSpanX() < ColCount() && Int64{r} + stored.CellSpanY() < RowCount())
                    range = TRect{c, r, c + stored.CellSpanX(), r + stored.CellSpanY()};
            } else if (!stored.IsBaseCell()) {
                // Another cell of a range keeps its place only in the range the grid now has there.
                const TPoint base{c - stored.CellSpanX(), r - stored.CellSpanY()};
                if (BaseCell(c, r) == base && !(base == TPoint{c, r})) {
                    props->SetIsBaseCell(false);
                    props->SetCellSpanX(stored.CellSpanX());
                    props->SetCellSpanY(stored.CellSpanY());
                }
            }
        }
        TCellProperties* placed = props.release();
        SetCellProperties(c, r, placed);
        if (range) {
            for (Integer y = range->Top; y <= range->Bottom; ++y)
                for (Integer x = range->Left; x <= range->Right; ++x)
                    if ((x != c || y != r) && IsMergedCell(x, y)) SplitCells(x, y);
            MergeCells(c, r, range->Right - c + 1, range->Bottom - r + 1);
        }
        if (read.Graphic) SetGraphicObject(c, r, MakeGraphic(read));
    };

    if (first) place(*first);
    while (more()) {
        TReadCell read = ReadCellRecords(AStream);
        place(read);
    }
}

}  // namespace ProGrid

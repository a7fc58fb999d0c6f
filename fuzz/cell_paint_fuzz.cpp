// Random texts of every kind, cell properties, graphics, merges and grid settings painted by the full
// grid: no exception leaves its painting, nothing it makes for a cell is left behind (the grid goes with
// every run, so a leak shows), and no colour left as none reaches a drawing call.
//
// Input: 8 setting bytes, then cells: a cell byte, a graphic byte, a kind byte and text up to a 0 byte.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ProGrid.h"
#include "support/FuzzCheck.h"
#include "support/FuzzStage.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"

using namespace ProGrid;

using fuzzstage::Stage;

namespace {

class TFuzzGrid : public RAdeRedeviDidi {
public:
    using RAdeRedeviDidi::RAdeRedeviDidi;
    void PaintNow() { Paint(); }
    bool FilterGlyph = false;
    bool ShowFilterGlyph() override { return FilterGlyph; }
};

TBitmap* Tile() {
    static TBitmap* tile = [] {
        auto* made = new TBitmap;
        made->SetSize(7, 5);
        made->Canvas()->Brush()->SetColor(clYellow);
        made->Canvas()->FillRect(Rect(0, 0, 7, 5));
        return made;
    }();
    return tile;
}

const char* const KindPrefixes[] = {"", "=", "|\\", "{\\rtf1 ", "<B>", "http://", "mailto:", "\t", "<A href=\"x\">"};

struct TSettings {
    std::uint8_t B[8] = {};
    bool Bit(int Byte, int Bit) const { return (B[Byte] >> Bit) & 1; }
};

void Apply(TFuzzGrid& Grid, const TSettings& S) {
    Grid.SetLook(static_cast<TGridLook>(S.B[0] % 6));
    Grid.SetURLShow(S.Bit(1, 0));
    Grid.SetURLFull(S.Bit(1, 1));
    Grid.SetWordWrap(S.Bit(1, 2));
    Grid.SetEnableHTML(S.Bit(1, 3));
    Grid.SetFlat(S.Bit(1, 4));
    Grid.SetAutoNumAlign(S.Bit(1, 5));
    Grid.SetShowSelection(S.Bit(1, 6));
    Grid.SetEnhTextSize(S.Bit(1, 7));
    Grid.Bands()->SetActive(S.Bit(2, 0));
    Grid.Bands()->SetPrimaryLength(S.B[6] % 4);
    Grid.Bands()->SetSecondaryLength(S.B[7] % 3);
    if (S.Bit(6, 7)) Grid.Bands()->SetPrimaryColor(clNone);
    Grid.SortSettings()->SetShow(S.Bit(2, 1));
    Grid.SortSettings()->SetColumn(S.B[3] % 6);
    Grid.SortSettings()->SetDirection(S.Bit(3, 7) ? sdDescending : sdAscending);
    Grid.SortSettings()->SetIndexShow(S.Bit(3, 6));
    if (S.Bit(3, 5)) Grid.SortIndexes()->AddIndex(S.B[3] % 5, S.Bit(3, 4));
    Grid.SetSelectionRectangle(S.Bit(2, 2));
    Grid.SetSelectionResizer(S.Bit(2, 3));
    if (S.Bit(2, 4)) Grid.BackGround()->SetBitmap(Tile());
    Grid.BackGround()->SetDisplay(S.Bit(2, 5) ? bdFixed : bdTile);
    Grid.BackGround()->SetCells(static_cast<TBackGroundCells>(S.B[4] % 3));
    TGridOptions options = Grid.Options();
    if (S.Bit(2, 6)) options.Include(goRowSelect);
    if (S.Bit(2, 7)) options.Exclude(goDrawFocusSelected);
    Grid.SetOptions(options);
    Grid.SetVAlignment(static_cast<BaseGrid::TVAlignment>(S.B[4] / 3 % 3));
    Grid.SetGridLineWidth(S.B[5] % 4);
    if (S.Bit(5, 7)) Grid.SetSelectionColor(clNone);
    Grid.FilterGlyph = false;  // the glyph is a resource of the decorations
    if (S.Bit(6, 6)) Grid.SetFixedColor(clNone);
    Grid.ControlLook()->SetDropDownAlwaysVisible(S.Bit(6, 5));
    Grid.OnHasComboBox = [](TObject*, Integer ACol, Integer, bool& Has) { Has = ACol == 2; };
    if (S.Bit(6, 4))
        Grid.OnGetFloatFormat = [](TObject*, Integer ACol, Integer, bool& IsFloat, AnsiString& Format) {
            IsFloat = ACol != 3;
            if (ACol == 1) Format = "%d%s";
        };
    Grid.SetSelection({1, 1, 1 + S.B[6] % 4, 1 + S.B[7] % 5});
}

void AddCell(TFuzzGrid& Grid, std::uint8_t Where, std::uint8_t GraphicByte, std::uint8_t Kind,
             const std::string& Text) {
    const Integer col = Where % 6, row = Where / 6 % 8;
    Grid.SetCells(col, row, KindPrefixes[Kind % std::size(KindPrefixes)] + Text);
    if (GraphicByte & 0x80) {
        auto* graphic = new TCellGraphic;
        graphic->CellType = static_cast<TCellType>(GraphicByte % 22);
        graphic->CellHAlign = static_cast<TCellHAlign>(GraphicByte / 3 % 6);
        graphic->CellVAlign = static_cast<TCellVAlign>(GraphicByte / 5 % 6);
        graphic->CellIndex = GraphicByte * 0x10001;
        graphic->CellAngle = GraphicByte * 37 - 900;
        graphic->CellErrFrom = static_cast<SmallInt>(GraphicByte % 7);
        graphic->CellErrLen = static_cast<SmallInt>(GraphicByte % 5 - 1);
        Grid.SetGraphicObject(col, row, graphic);
    }
    if (Kind & 0x40) Grid.MergeCells(col, row, 1 + Kind % 3, 1 + GraphicByte % 3);
    if (Kind & 0x20) {
        BaseGrid::TCellProperties* props = Grid.GetCellProperties(col, row);
        props->SetBrushColor(Kind & 1 ? clNone : clLime);
        props->SetBrushColorTo(Kind & 2 ? clNone : clNavy);
        props->SetFontColor(Kind & 4 ? clNone : clRed);
        props->SetAlignment(static_cast<TAlignment>(Kind % 3));
        props->SetWordWrap(Kind & 8);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TSettings settings;
    std::memcpy(settings.B, data, std::min(size, sizeof(settings.B)));
    auto* grid = new TFuzzGrid(&Stage());
    grid->SetParent(&Stage());
    grid->SetBounds(0, 0, 380, 200);
    grid->SetColCount(6);
    grid->SetRowCount(8);
    grid->SetDefaultColWidth(60);
    grid->SetDefaultRowHeight(22);
    Apply(*grid, settings);

    std::size_t at = sizeof(settings.B);
    while (at + 3 <= size) {
        const std::uint8_t where = data[at], graphicByte = data[at + 1], kind = data[at + 2];
        at += 3;
        std::string text;
        while (at < size && data[at] != 0 && text.size() < 200) text += static_cast<char>(data[at++]);
        ++at;
        AddCell(*grid, where, graphicByte, kind, text);
    }

    std::vector<AnsiString> lines;
    grid->Canvas()->SetRecorder(&lines);
    try {
        grid->PaintNow();
    } catch (...) {
        Check(false);
    }
    grid->Canvas()->SetRecorder(nullptr);
    for (const AnsiString& line : lines) Check(line.find("1FFFFFFF") == AnsiString::npos);
    grid->Free();
    // What the grid's making and going posted is handled now, not piled up over the runs.
    Application->ProcessMessages();
    return 0;
}

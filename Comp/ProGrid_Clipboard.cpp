// Copy, cut and paste of cells through the clipboard: tab-separated text (wide when a cell holds wide
// text), the rich text of a cell, and the grid's own format.
#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

#include "GrdHTMLE.h"
#include "ProGrid.h"
#include "ProGrid_ClipboardIO.h"
#include "ProUtil.h"
#include "vcl/Clipbrd.h"
#include "vcl/OleBlocks.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

using namespace ProUtil;

namespace {

bool IsWideCellText(const AnsiString& S) { return S.size() >= 2 && S[0] == '|' && S[1] == '\\'; }

// A text with line breaks travels between double quotes, each break as LF and its own quotes doubled,
// so that the paste gives it back whole.
template <typename S>
S QuotedLines(const S& Text) {
    S quoted(1, '"');
    quoted.reserve(Text.size() + 2);
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const auto ch = Text[i];
        if (ch == '\r') {
            if (i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
            quoted += '\n';
        } else {
            if (ch == '"') quoted += '"';
            quoted += ch;
        }
    }
    quoted += '"';
    return quoted;
}

// A pasted field: one that holds a line break and stands between double quotes comes back whole.
template <typename S>
S UnquotedField(const S& Field) {
    if (Field.find('\n') == S::npos) return Field;
    const std::size_t size = Field.size();
    const bool quoted = size >= 2 && Field[0] == '"' && Field[size - 1] == '"';
    S lines;
    lines.reserve(size + 8);
    for (std::size_t i = quoted || Field[0] == '"' ? 1 : 0; i < (quoted ? size - 1 : size); ++i) {
        if (Field[i] == '\n') lines += '\r';
        lines += Field[i];
        // Inside the quotes a doubled quote stands for one.
        if (quoted && Field[i] == '"' && i + 2 < size && Field[i + 1] == '"') ++i;
    }
    return lines;
}

HGLOBAL BlockOf(const void* Bytes, std::size_t Size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, Size);
    if (!block) return nullptr;
    if (Size) std::memcpy(GlobalLock(block), Bytes, Size);
    GlobalUnlock(block);
    return block;
}

// Gives Block to the open clipboard; the block is freed when the clipboard does not take it.
void Give(UINT Format, HGLOBAL Block) {
    if (Block && !SetClipboardData(Format, Block)) GlobalFree(Block);
}

// A later opening adds its format to what is there; one that cannot open adds nothing.
void AddToClipboard(HWND Owner, UINT Format, HGLOBAL Block) {
    if (!Block) return;
    if (!OpenClipboard(Owner)) {
        GlobalFree(Block);
        return;
    }
    Give(Format, Block);
    CloseClipboard();
}

// A cell holding wide text: where its narrow text lies in the copied text, and the wide text itself.
struct TWideCell {
    std::size_t Begin;
    std::size_t Size;
    WideString Text;
};

// The copied text with the wide cells' texts in place of their narrow ones.
WideString WideCopy(const AnsiString& Text, const std::vector<TWideCell>& Wides) {
    WideString wide;
    wide.reserve(Text.size());
    std::size_t at = 0;
    for (const TWideCell& cell : Wides) {
        wide += AnsiToWide(Text.substr(at, cell.Begin - at));
        wide += cell.Text;
        at = cell.Begin + cell.Size;
    }
    return wide + AnsiToWide(Text.substr(at));
}

// Cuts Text into lines at CR (an LF after it skipped) and lines into fields at TAB.
template <typename S, typename F>
void ForEachField(const S& Text, F&& Field) {
    std::size_t start = 0;
    Integer line = 0;
    while (true) {
        const std::size_t end = std::min(Text.find('\r', start), Text.size());
        const bool last = end == Text.size();
        std::size_t at = start;
        Integer column = 0;
        while (true) {
            const std::size_t tab = std::min(Text.find('\t', at), end);
            Field(line, column, Text.substr(at, tab - at), last);
            if (tab == end) break;
            at = tab + 1;
            ++column;
        }
        if (last) return;
        start = end + 1;
        if (start < Text.size() && Text[start] == '\n') ++start;
        ++line;
    }
}

}  // namespace

TPoint RAdeRedeviDidi::TextSize(const AnsiString& AText) {
    TPoint size{0, 0};
    ForEachField(AText, [&](Integer Line, Integer Column, const AnsiString&, bool Last) {
        size.X = std::max(size.X, Column + 1);
        if (!Last) size.Y = std::max(size.Y, Line + 1);
    });
    return size;
}

void RAdeRedeviDidi::SetCellEx(Integer ACol, Integer ARow, const AnsiString& Value) {
    WriteCell(ACol, ARow, Value);
    const Integer shown = DisplayColIndex(ACol);
    if (shown != ACol) RepaintCell(shown, ARow);
}

void RAdeRedeviDidi::ClipboardPasteDone(TPoint, TRect&, bool) {}

TGridRect RAdeRedeviDidi::MergedSelection() {
    TGridRect sel = Selection();
    const TPoint topLeft = BaseCell(sel.Left, sel.Top);
    const TPoint topLeftSpan = GetCellSpan(sel.Left, sel.Top);
    const TPoint bottomRight = BaseCell(sel.Right, sel.Bottom);
    const TPoint bottomRightSpan = GetCellSpan(sel.Right, sel.Bottom);
    TGridRect grown{std::min(sel.Left, topLeft.X), std::min(sel.Top, topLeft.Y),
                    std::max({sel.Right, topLeft.X + topLeftSpan.X, bottomRight.X + bottomRightSpan.X}),
                    std::max({sel.Bottom, topLeft.Y + topLeftSpan.Y, bottomRight.Y + bottomRightSpan.Y})};
    if (!(grown.Left == sel.Left && grown.Top == sel.Top && grown.Right == sel.Right && grown.Bottom == sel.Bottom))
        SetSelection(grown);
    return grown;
}

bool RAdeRedeviDidi::ClipboardCopyText(Integer ACol, Integer ARow, AnsiString& Text, WideString& Wide) {
    GetEditorValue(ACol, ARow, Text);
    if (!Navigation()->CopyHTMLTagsToClipboard() && Text.find("</") != AnsiString::npos) {
        AnsiString plain;
        GrdHTMLE::StripHTML(Text, plain);
        Text = std::move(plain);
    } else if (Text.find("{\\") != AnsiString::npos) {
        CellToRichEdit(ACol, ARow, RichEdit());
        Text = RichEdit()->Text();
    }
    if (IsWideCellText(Text)) {
        Wide = UniStrFromCellText(Text);
        if (Wide.find(u'\r') != WideString::npos) Wide = QuotedLines(Wide);
        Text = WideToAnsi(Wide);
        return true;
    }
    if (Text.find('\r') != AnsiString::npos) Text = QuotedLines(Text);
    return false;
}

void RAdeRedeviDidi::CopySelectionToClipboard(const TGridRect& ARect, bool Disjunct) {
    copyOrigin_ = {ARect.Left, ARect.Top};
    const TMouseActions& mouse = *MouseActions();
    const bool byRowFlag = Disjunct && mouse.DisjunctRowSelect() && !mouse.DisjunctColSelect();
    const bool byColFlag = Disjunct && mouse.DisjunctColSelect();
    std::vector<Integer> cols;
    for (Integer c = ARect.Left; c <= ARect.Right; ++c)
        if (!byColFlag || ColSelect(c)) cols.push_back(c);
    const bool lineEnds = ARect.Bottom > ARect.Top;

    // The cells' texts go straight into the one text, TAB between cells, CR LF after each row taken when
    // there are several rows.
    AnsiString text, cell;
    WideString wide;
    std::vector<TWideCell> wides;
    for (Integer r = ARect.Top; r <= ARect.Bottom && !cols.empty(); ++r) {
        if (byRowFlag && !RowSelect(mouse.RowSelectPersistent() ? RealRowIndex(r) : r)) continue;
        for (std::size_t k = 0; k < cols.size(); ++k) {
            if (k > 0) text += '\t';
            if (ClipboardCopyText(RealColIndex(cols[k]), r, cell, wide))
                wides.push_back({text.size(), cell.size(), std::move(wide)});
            text += cell;
        }
        if (lineEnds) text += "\r\n";
        // The first row tells how long the text grows, so that it is not copied while it grows.
        if (r == ARect.Top) text.reserve(text.size() * static_cast<std::size_t>(ARect.Bottom - ARect.Top + 1) * 9 / 8);
    }

    HGLOBAL block = BlockOf(text.c_str(), text.size() + 1);
    if (!block) throw EOutOfResources("Out of memory");

    HGLOBAL wideBlock = nullptr;
    if (!wides.empty()) {
        // Wide text goes beside the text, the wide cells as they are.
        const WideString copied = WideCopy(text, wides);
        wideBlock = BlockOf(copied.c_str(), (copied.size() + 1) * sizeof(char16_t));
    }

    if (!OpenClipboard(Handle())) {
        GlobalFree(block);
        if (wideBlock) GlobalFree(wideBlock);
        throw EClipboardException("Cannot open clipboard");
    }
    EmptyClipboard();
    Give(CF_TEXT, block);
    if (wideBlock) Give(CF_UNICODETEXT, wideBlock);
    CloseClipboard();

    if (Navigation()->AllowRTFClipboard()) {
        AnsiString rtf;
        ReadCell(RealColIndex(ARect.Left), ARect.Top, rtf);
        if (rtf.find("{\\") != AnsiString::npos)
            AddToClipboard(Handle(), RegisterClipboardFormat("Rich Text Format"), BlockOf(rtf.c_str(), rtf.size() + 1));
    }
    if (Navigation()->AllowFmtClipboard()) {
        TMemoryStream stream;
        SaveCellsToStream(ARect, &stream);
        const std::string bytes = stream.Bytes();
        AddToClipboard(Handle(), GridClipboardFormat(), BlockOf(bytes.data(), bytes.size()));
    }
}

void RAdeRedeviDidi::CopyToClipboard() {
    const TGridRect sel = MergedSelection();
    if (!MouseActions()->DisjunctRowSelect() && !MouseActions()->DisjunctColSelect())
        CopySelectionToClipboard(sel, false);
    else CopySelectionToClipboard({VisibleFixedCols(), VisibleFixedRows(), LastScrollCol(), LastScrollRow()}, true);
    copied_ = true;
}

void RAdeRedeviDidi::CutToClipboard() {
    CopyToClipboard();
    const TGridRect sel = Selection();
    const bool byRows = MouseActions()->DisjunctRowSelect();
    const bool byCols = MouseActions()->DisjunctColSelect();
    BeginUpdate();
    const TScopeExit update([this] { EndUpdate(); });
    if (!byRows && !byCols) {
        for (Integer r = sel.Top; r <= sel.Bottom; ++r)
            for (Integer c = sel.Left; c <= sel.Right; ++c) {
                const Integer real = RealColIndex(c);
                if (MayPasteInto(real, r)) WriteCell(real, r, AnsiString());
            }
        if (Navigation()->AllowFmtClipboard())
            FreeCellProperties(RealColIndex(sel.Left), sel.Top, RealColIndex(sel.Right), sel.Bottom);
    } else if (byCols && !byRows) {
        for (Integer c = FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c)) ClearCols(c, 1);
    } else {
        const bool persistent = MouseActions()->RowSelectPersistent();
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (RowSelect(persistent ? RealRowIndex(r) : r)) ClearRows(r, 1);
    }
    copied_ = false;
}

bool RAdeRedeviDidi::MayPasteInto(Integer ACol, Integer ARow) {
    if (Navigation()->AllowClipboardAlways()) return true;
    bool canEdit = true;
    CanEdit(ACol, ARow, canEdit);
    return canEdit;
}

void RAdeRedeviDidi::PasteField(Integer ACol, Integer ARow, AnsiString Field, bool Wide, bool Offer) {
    bool allow = true;
    if (Wide) {
        WideString wide = UniStrFromCellText(Field);
        if (Offer && OnClipboardBeforePasteWideCell) OnClipboardBeforePasteWideCell(this, ACol, ARow, wide, allow);
        if (allow) SetCellEx(ACol, ARow, UniStrToCellText(wide));
        return;
    }
    if (Offer && OnClipboardBeforePasteCell) OnClipboardBeforePasteCell(this, ACol, ARow, Field, allow);
    if (allow) SetCellEx(ACol, ARow, Field);
}

Integer RAdeRedeviDidi::PasteText(Integer ACol, Integer ARow, const WideString& Text) {
    if (ACol < 0 || ARow < 0 || Text.empty()) return 0;
    if (!Options().Contains(goEditing) && !Navigation()->AllowClipboardAlways() &&
        !MouseActions()->RangeSelectAndEdit())
        return 0;
    // Under a footer kept in the last row, that row is no place for pasted text: the grid grows above it.
    const bool footerRow = FloatingFooter()->Visible() && FloatingFooter()->FooterStyle() == fsFixedLastRow;
    const auto lastDataRow = [&] { return footerRow ? RowCount() - 1 : RowCount(); };
    const bool endsWithBreak = Text.back() == u'\r' || (Text.size() >= 2 && Text.ends_with(u"\r\n"));
    // Mostly every character has a byte: then the text is cut as bytes.
    bool allNarrow = false;
    const AnsiString narrow = WideToAnsi(Text, allNarrow);
    Integer count = 0;
    Integer lastRow = ARow, lastCol = ACol;
    Integer row = ARow;
    Integer lineSeen = 0;
    const auto field = [&](Integer Line, Integer Column, auto Value, bool Last) {
        const bool trailingEmptyLine = Last && endsWithBreak;
        if (Line != lineSeen) {
            lineSeen = Line;
            ++row;
            if (row == lastDataRow() && !trailingEmptyLine && Navigation()->AllowClipboardRowGrow()) {
                if (footerRow) AddRow();
                else SetRowCount(RowCount() + 1);
            }
        }
        ++count;
        if (trailingEmptyLine) return;
        const Integer col = ACol + Column;
        if (col >= ColCount() && Navigation()->AllowClipboardColGrow()) SetColCount(col + 1);
        if (col >= ColCount() || row >= lastDataRow()) return;
        lastCol = std::max(lastCol, col);
        lastRow = std::max(lastRow, row);
        if (!MayPasteInto(col, row)) return;
        AnsiString ansi;
        bool wide;
        if constexpr (std::is_same_v<decltype(Value), WideString>) {
            const WideString unquoted = UnquotedField(Value);
            ansi = WideToAnsi(unquoted);
            wide = AnsiToWide(ansi) != unquoted;
            if (wide) ansi = UniStrToCellText(unquoted);
        } else {
            ansi = UnquotedField(Value);
            wide = IsWideCellText(ansi);
        }
        PasteField(col, row, std::move(ansi), wide, true);
    };
    BeginUpdate();
    {
        const TScopeExit update([this] { EndUpdate(); });
        if (allNarrow) ForEachField(narrow, field);
        else ForEachField(Text, field);
    }
    TRect pasted{ACol, ARow, lastCol, lastRow};
    ClipboardPasteDone(copyOrigin_, pasted, copied_);
    CellsChanged(pasted);
    return count;
}

Integer RAdeRedeviDidi::PasteFromClipboard(Integer ACol, Integer ARow) {
    if (Navigation()->AllowFmtClipboard() && IsClipboardFormatAvailable(GridClipboardFormat())) {
        TMemoryStream stream;
        if (OpenClipboard(Handle())) {
            if (HGLOBAL block = GetClipboardData(GridClipboardFormat())) {
                const std::string bytes = BytesOfGlobal(block);
                stream.WriteBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
            }
            CloseClipboard();
        }
        if (stream.Size() == 0) return 0;
        stream.SetPosition(0);
        LoadCellsFromStream({ACol, ARow}, &stream);
        stream.SetPosition(0);
        const auto prop = MakeOwned<TGridPropIO>(nullptr);
        stream.ReadComponent(prop.get());
        TRect pasted{ACol, ARow, ACol + prop->ColCount() - 1, ARow + prop->RowCount() - 1};
        ClipboardPasteDone(prop->ID() == ClipboardID() ? copyOrigin_ : TPoint{-1, -1}, pasted, copied_);
        return prop->ColCount() * prop->RowCount();
    }
    const UINT richText = RegisterClipboardFormat("Rich Text Format");
    if (Navigation()->AllowRTFClipboard() && IsClipboardFormatAvailable(richText)) {
        if (!OpenClipboard(Handle())) return 0;
        AnsiString rtf;
        if (HGLOBAL block = GetClipboardData(richText)) rtf = AnsiTextOfBlock(BytesOfGlobal(block));
        CloseClipboard();
        if (MayPasteInto(ACol, ARow)) SetCellEx(ACol, ARow, rtf);
        return 0;
    }
    if (!IsClipboardFormatAvailable(CF_TEXT)) return 0;
    if (!OpenClipboard(Handle())) return 0;
    WideString text;
    if (HGLOBAL block = GetClipboardData(CF_UNICODETEXT)) text = WideTextOfBlock(GlobalBytesInPlace(block));
    CloseClipboard();
    return PasteText(ACol, ARow, text);
}

}  // namespace ProGrid

// The grid's clipboard: bytes read as the grid's own format raise nothing but EReadError and leave every
// merged range whole; bytes pasted as text with random options raise nothing; random cells (line
// breaks, quotes, wide text) copied and pasted elsewhere read the same.
//
// Input: a mode byte, then what the mode reads.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ProGrid.h"
#include "ProUtil.h"
#include "support/FuzzCheck.h"
#include "support/FuzzStage.h"
#include "vcl/Clipbrd.h"

using namespace ProGrid;
using namespace ProUtil;
using fuzzstage::Stage;

namespace {

void CheckMerges(RAdeRedeviDidi& Grid) {
    for (Integer r = 0; r < Grid.RowCount(); ++r)
        for (Integer c = 0; c < Grid.ColCount(); ++c) {
            if (!Grid.HasCellProperties(c, r) || !Grid.GetCellProperties(c, r)->InRange()) continue;
            const TPoint base = Grid.BaseCell(c, r);
            Check(base.X >= 0 && base.Y >= 0 && base.X <= c && base.Y <= r);
            Check(Grid.HasCellProperties(base.X, base.Y));
            const BaseGrid::TCellProperties* baseProps = Grid.GetCellProperties(base.X, base.Y);
            Check(baseProps->IsBaseCell());
            Check(base.X + baseProps->CellSpanX() < Grid.ColCount());
            Check(base.Y + baseProps->CellSpanY() < Grid.RowCount());
            for (Integer y = base.Y; y <= base.Y + baseProps->CellSpanY(); ++y)
                for (Integer x = base.X; x <= base.X + baseProps->CellSpanX(); ++x) Check(Grid.BaseCell(x, y) == base);
        }
}

// A cell text from the bytes: letters, blanks, quotes and line breaks; wide with a Greek letter.
AnsiString CellText(const std::uint8_t*& At, const std::uint8_t* End, bool& Wide) {
    const std::size_t length = At < End ? *At++ % 8 : 0;
    Wide = At < End && (*At++ & 1);
    WideString text;
    for (std::size_t i = 0; i < length && At < End; ++i) {
        static const char16_t* const pieces[] = {u"a", u"b", u" ", u"\"", u"\r\n", u"\r", u"\u03A9"};
        text += pieces[*At++ % (Wide ? 7 : 6)];
    }
    if (Wide && text.find(u'\u03A9') == WideString::npos) text += u'\u03A9';
    return Wide ? UniStrToCellText(text) : WideToAnsi(text);
}

// What a cell gives back after the copy and the paste: every line break CR LF.
template <typename S>
S Expected(const S& Text) {
    S out;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '\r') {
            out += '\r';
            out += '\n';
            if (i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
        } else {
            out += Text[i];
        }
    }
    return out;
}

// One input on a grid of its own.
void RunInput(const std::uint8_t* data, std::size_t size) {
    TForm& form = Stage();
    TOwned<RAdeRedeviDidi> grid(new RAdeRedeviDidi(nullptr));
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 300, 200);
    grid->SetColCount(6);
    grid->SetRowCount(8);
    grid->SetOptions(grid->Options().Include(goEditing));
    const std::uint8_t* at = data + 4;
    const std::uint8_t* end = data + size;
    switch (data[0] % 3) {
        case 0: {
            grid->MergeCells(data[1] % 6, data[2] % 8, 1 + data[3] % 3, 1 + data[3] / 64);
            TMemoryStream stream;
            stream.WriteBuffer(at, static_cast<Integer>(end - at));
            stream.SetPosition(0);
            try {
                grid->LoadCellsFromStream({data[1] % 8, data[2] % 10}, &stream);
            } catch (const EReadError&) {
                // the one failure a stream may cause
            }
            Check(grid->ColCount() < 4096 && grid->RowCount() < 4096);
            CheckMerges(*grid);
            break;
        }
        case 1: {
            const std::uint8_t options = data[1];
            grid->Navigation()->SetAllowClipboardColGrow(options & 1);
            grid->Navigation()->SetAllowClipboardRowGrow(options & 2);
            grid->Navigation()->SetAllowClipboardAlways(options & 4);
            if (options & 8) grid->SetOptions(grid->Options().Exclude(goEditing));
            grid->FloatingFooter()->SetVisible(options & 16);
            Clipboard()->SetAsText(AnsiString(reinterpret_cast<const char*>(at), static_cast<std::size_t>(end - at)));
            grid->PasteFromClipboard(data[2] % 8 - 1, data[3] % 10 - 1);
            CheckMerges(*grid);
            break;
        }
        case 2: {
            std::vector<AnsiString> texts;
            for (Integer r = 0; r < 3; ++r)
                for (Integer c = 0; c < 3; ++c) {
                    bool wide = false;
                    texts.push_back(CellText(at, end, wide));
                    grid->SetCells(c, r, texts.back());
                }
            grid->SetSelection({0, 0, 2, 2});
            grid->CopyToClipboard();
            grid->PasteFromClipboard(3, 4);
            for (Integer r = 0; r < 3; ++r)
                for (Integer c = 0; c < 3; ++c) {
                    const AnsiString& text = texts[static_cast<std::size_t>(r * 3 + c)];
                    const bool wide = text.size() >= 2 && text[0] == '|' && text[1] == '\\';
                    if (wide) Check(grid->WideCells(3 + c, 4 + r) == Expected(UniStrFromCellText(text)));
                    else Check(grid->Cells(3 + c, 4 + r) == Expected(text));
                }
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4 || size > 4096) return 0;
    RunInput(data, size);
    // A gone grid's windows are deleted by the event loop, which a target never returns to: without
    // this they pile up, and with them Qt's posted events and timers, and every run grows slower.
    Application->ProcessMessages();
    return 0;
}

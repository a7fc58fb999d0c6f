// Another program's text, rich text, column block and dropped-files block, dropped on a grid at any point
// under any drag and drop settings: nothing crashes, no read runs past a block (each is allocated exactly
// as large as its bytes), every medium is released, the grid grows only by the rows and columns the text
// fills, a refused drop answers none, and files are offered only one at a time.
//
// Input: two setting bytes, the point (two bytes), two bytes each for the lengths of the text, the rich
// text and the column block, then those blocks and the dropped-files block (the rest).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ProGrid.h"
#include "ProGrid_DragDrop.h"
#include "TestDataObject.h"
#include "support/FuzzCheck.h"
#include "vcl/Forms.h"
#include "vcl/OleBlocks.h"
#include "vcl/Testing.h"

using namespace ProGrid;

namespace {

struct TStage {
    TStage() : form(new TForm(nullptr)) {
        form->SetBounds(0, 0, 420, 300);
        Testing::ShowAndActivate(form);
        Testing::RecordMessageBoxes(true);
    }
    TForm* form;
};

TStage& Stage() {
    static TStage* stage = new TStage;  // lives with the process, as the program's forms do
    return *stage;
}

std::string Take(const std::uint8_t*& Data, std::size_t& Size, std::size_t Length) {
    Length = std::min(Length, Size);
    std::string bytes(reinterpret_cast<const char*>(Data), Length);
    Data += Length;
    Size -= Length;
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 10 || size > 8192) return 0;
    TStage& stage = Stage();
    const std::uint8_t flags = data[0], more = data[1];
    const std::uint8_t px = data[2], py = data[3];
    const std::size_t textLength = data[4] | data[5] << 8;
    const std::size_t rtfLength = data[6] | data[7] << 8;
    const std::size_t colLength = data[8] | data[9] << 8;
    data += 10;
    size -= 10;
    const std::string text = Take(data, size, textLength);
    const std::string rtf = Take(data, size, rtfLength);
    const std::string column = Take(data, size, colLength);
    const std::string files = Take(data, size, size);

    auto* grid = new RAdeRedeviDidi(stage.form);
    grid->SetParent(stage.form);
    grid->SetBounds(0, 0, 400, 260);
    grid->SetColCount(2 + (more & 3));
    grid->SetRowCount(1 + (more >> 2 & 7));
    grid->SetFixedRowAlways(more & 0x20);
    TDragDropSettings& settings = *grid->DragDropSettings();
    settings.SetOleInsertRows(flags & 1);
    settings.SetOleEntireRows(flags & 2);
    settings.SetOleDropRTF(flags & 4);
    settings.SetOleColumnDragDrop(flags & 8);
    settings.SetOleAcceptText(!(flags & 0x10));
    settings.SetOleAcceptFiles(!(flags & 0x20));
    if (flags & 0x40) grid->SetOptions(grid->Options().Include(goEditing));
    if (flags & 0x80) grid->SetOptions(grid->Options().Include(goRowSelect));
    const bool refuse = more & 0x40;
    grid->OnOleDrop = [&](TObject*, Integer, Integer, const AnsiString&, bool& Allow) {
        if (refuse) Allow = false;
    };
    Integer fileOffers = 0;
    // Never loads a file: the names are whatever the block holds.
    grid->OnOleDropFile = [&](TObject*, Integer, Integer, const AnsiString&, bool& Allow) {
        ++fileOffers;
        Allow = false;
    };
    const Integer rowsBefore = grid->RowCount(), colsBefore = grid->ColCount();

    const std::size_t blocksBefore = GlobalBlockCountForTest();
    {
        const auto rtfFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormat("Rich Text Format"));
        const auto columnFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormat("Grid Column"));
        std::vector<TTestDataObject::TBlock> blocks;
        if (!text.empty()) blocks.push_back({CF_TEXT, text});
        if (!rtf.empty()) blocks.push_back({rtfFormat, rtf});
        if (!column.empty()) blocks.push_back({columnFormat, column});
        if (!files.empty()) blocks.push_back({CF_HDROP, files});
        ComPtr<TTestDataObject> object(new TTestDataObject(std::move(blocks)));
        object->OwnsMedia = more & 0x80;
        ComPtr<TGridDropTarget> target(new TGridDropTarget(grid));
        const TPoint screen = grid->ClientToScreen(Point(px * 400 / 256, py * 260 / 256));
        const POINTL pt{screen.X, screen.Y};
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        target->DragEnter(object.Get(), MK_LBUTTON, pt, &effect);
        target->DragOver(MK_LBUTTON, pt, &effect);
        const bool accepted = effect != DROPEFFECT_NONE;
        if (accepted || (more & 1)) {
            effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
            target->Drop(object.Get(), 0, pt, &effect);
        } else {
            target->DragLeave();
        }
        // Only a column goes past OnOleDrop; files are always refused here.
        const bool hasColumn = column.size() >= 4 && column.substr(0, 4) != std::string(4, '\xFF');
        if (refuse && !hasColumn) Check(effect == DROPEFFECT_NONE);
        Check(target->RefCount() == 1);
    }
    Check(GlobalBlockCountForTest() == blocksBefore);

    // The text fills at most its lines and fields; a header-only grid may grow its first data row.
    const AnsiString dropped = text.substr(0, text.find('\0'));
    const TPoint fills = RAdeRedeviDidi::TextSize(dropped);
    Check(grid->RowCount() <= rowsBefore + fills.Y + 2);
    Check(grid->ColCount() <= std::max(colsBefore, fills.X + colsBefore));
    Check(fileOffers <= 1);
    grid->Free();
    Application->ProcessMessages();
    return 0;
}

// Arbitrary bytes served as another program's CF_TEXT and CF_HDROP blocks, read by the edit controls'
// drop reader and drop target, and the text's bytes again as a grid's column block: every read stays inside its block
// (each block is allocated exactly as large as its bytes, so the sanitizers see a read past it), every storage medium
// is released and every reference given back.
//
// Input: one flag byte (bit 0: the data object owns its media), two bytes of text length (little
// endian), the text block, then the dropped-files block.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ProEddd.h"
#include "grddd.h"
#include "TestDataObject.h"
#include "support/FuzzCheck.h"
#include "vcl/OleBlocks.h"

namespace {

class TCountingTarget : public ProEddd::TPEDropTarget {
public:
    std::string Text;
    int FileCount = 0;

protected:
    void DropText(TPoint, const AnsiString& Dropped, DWORD&) override { Text = Dropped; }
    void DropFiles(TPoint, TStrings* Files, DWORD&) override { FileCount = Files->Count(); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const bool ownsMedia = data[0] & 1;
    const std::size_t textLength = std::min<std::size_t>(data[1] | data[2] << 8, size - 3);
    const std::string text(reinterpret_cast<const char*>(data) + 3, textLength);
    const std::string files(reinterpret_cast<const char*>(data) + 3 + textLength, size - 3 - textLength);
    const std::string expectedText = text.substr(0, text.find('\0'));

    const std::size_t blocksBefore = GlobalBlockCountForTest();
    {
        ComPtr<TTestDataObject> object(new TTestDataObject({{CF_TEXT, text}, {CF_HDROP, files}}));
        object->OwnsMedia = ownsMedia;
        {
            ProEddd::TEnumFormats formats(object.Get());
            Check(formats.HasText() && formats.HasFiles());
            Check(formats.Text() == expectedText);
            const bool named = formats.ReadFiles();
            Check(named == (formats.FileList()->Count() > 0));
            std::size_t nameBytes = 0;
            for (Integer i = 0; i < formats.FileList()->Count(); ++i)
                nameBytes += formats.FileList()->Strings(i).size() + 1;
            Check(nameBytes <= files.size());
            // The edit reads the names as the stand-in's own reader does.
            const std::vector<WideString> names = FilesOfDropBlock(files);
            Check(names.size() == static_cast<std::size_t>(formats.FileList()->Count()));
            for (std::size_t i = 0; i < names.size(); ++i)
                Check(formats.FileList()->Strings(static_cast<Integer>(i)) == WideToAnsi(names[i]));

            ComPtr<TCountingTarget> target(new TCountingTarget);
            DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
            const POINTL pt{0, 0};
            target->DragEnter(object.Get(), MK_LBUTTON, pt, &effect);
            Check(effect == DROPEFFECT_MOVE);
            target->Drop(object.Get(), MK_CONTROL, pt, &effect);
            Check(effect == DROPEFFECT_COPY);
            Check(target->Text == expectedText);
            Check(target->FileCount == formats.FileList()->Count());
            Check(target->RefCount() == 1);
        }
        Check(object->RefCount() == 1);

        // A column is the block's first four bytes, little endian; a shorter block holds none.
        const auto columnFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormat("Grid Column"));
        ComPtr<TTestDataObject> column(new TTestDataObject({{columnFormat, text}}));
        column->OwnsMedia = ownsMedia;
        Integer expectedCol = -1;
        if (text.size() >= 4)
            expectedCol = static_cast<Integer>(
                std::uint32_t(std::uint8_t(text[0])) | std::uint32_t(std::uint8_t(text[1])) << 8 |
                std::uint32_t(std::uint8_t(text[2])) << 16 | std::uint32_t(std::uint8_t(text[3])) << 24);
        Check(grddd::TEnumFormats(column.Get()).Col() == expectedCol);
        Check(column->RefCount() == 1);
    }
    Check(GlobalBlockCountForTest() == blocksBefore);
    return 0;
}

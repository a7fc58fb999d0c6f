// Rich-text cells hold their RTF source as their text: a rich edit loads it and gives it back.
#include "ProGrid.h"

namespace ProGrid {

namespace {

// Documents read for painting; past this many different texts the cache starts again.
constexpr std::size_t RichTextCacheLimit = 1024;

}  // namespace

void RAdeRedeviDidi::CellToRichEdit(Integer ACol, Integer ARow, TCustomRichEdit* RichEdit) {
    const AnsiString text = GetRawCell(ACol, ARow);
    if (text.empty()) return RichEdit->Clear();
    LoadRichText(text, RichEdit);
}

void RAdeRedeviDidi::RichEditToCell(TCustomRichEdit* RichEdit, AnsiString& S) {
    TMemoryStream stream;
    RichEdit->Lines()->SaveToStream(&stream);
    S = stream.Size() > 0 ? stream.Bytes() : AnsiString();
}

// Reading is the costly part of drawing a rich cell; the same text always reads the same, and the
// converter only ever shows what was read, so its documents can be kept.
void RAdeRedeviDidi::LoadRichText(const AnsiString& Text, TCustomRichEdit* RichEdit) {
    const bool converter = RichEdit == richEdit_.Get() && !RichEdit->PlainText();
    if (converter) {
        const auto found = richTextCache_.find(Text);
        if (found != richTextCache_.end()) return RichEdit->SetContent(found->second);
    }
    TMemoryStream stream;
    stream.WriteBuffer(Text.data(), CheckedCast<Integer>(Text.size()));
    stream.SetPosition(0);
    RichEdit->Lines()->LoadFromStream(&stream);
    if (!converter) return;
    if (richTextCache_.size() >= RichTextCacheLimit) richTextCache_.clear();
    richTextCache_.emplace(Text, RichEdit->Content());
}

}  // namespace ProGrid

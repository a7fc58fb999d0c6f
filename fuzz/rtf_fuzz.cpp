// Arbitrary bytes through the RTF reader and a rich edit's EM_FORMATRANGE: nothing crashes or raises, what
// the reader accepts the writer writes so that it reads back the same, the text read is never longer than
// the input, and groups opened past the limit are refused whatever follows.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/FuzzCheck.h"
#include "vcl/ComCtrls.h"
#include "vcl/RichText.h"

namespace {

// Every run lies inside the text, none empty, neighbours differ; one alignment per paragraph.
void CheckShape(const TRichText& Content) {
    std::size_t total = 0;
    for (std::size_t i = 0; i < Content.Runs.size(); ++i) {
        Check(Content.Runs[i].Length > 0);
        if (i > 0) Check(!(Content.Runs[i].Format == Content.Runs[i - 1].Format));
        total += Content.Runs[i].Length;
    }
    Check(total == Content.Text.size());
    std::size_t breaks = 0;
    for (WideChar c : Content.Text) breaks += c == u'\r';
    Check(Content.Paragraphs.size() == breaks + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    for (const std::string& source : {input, "{\\rtf1 " + input}) {
        const TRtfReadResult read = ReadRtf(source);
        if (!read.Ok) continue;
        CheckShape(read.Content);
        // At most one character a byte.
        Check(read.Content.Text.size() <= source.size());
        const TRtfReadResult back = ReadRtf(WriteRtf(read.Content));
        Check(back.Ok && back.Content == read.Content);
    }
    const std::string deep = "{\\rtf1 " + std::string(RtfMaxNesting, '{') + input;
    Check(!ReadRtf(deep).Ok);

    // The rich edit draws what it loaded (or the bytes as text) into a rectangle the input's first bytes give.
    static TBitmap* bitmap = [] {
        auto* made = new TBitmap;
        made->SetSize(120, 80);
        return made;
    }();
    static TRichEdit* edit = new TRichEdit(nullptr);
    TMemoryStream stream;
    stream.WriteBuffer(data, static_cast<Integer>(size));
    stream.SetPosition(0);
    edit->Lines()->LoadFromStream(&stream);
    std::uint8_t b[6] = {};
    std::memcpy(b, data, std::min<std::size_t>(size, sizeof(b)));
    FORMATRANGE range;
    range.hdc = range.hdcTarget = bitmap->Canvas()->Handle();
    range.rc = Rect(b[0] * 15 - 300, b[1] * 15 - 300, b[2] * 30, b[3] * 30);
    range.chrg = {static_cast<LONG>(b[4]) - 2, b[5] == 0 ? -1 : static_cast<LONG>(b[5])};
    const auto next = edit->Perform(EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&range));
    Check(next >= 0 && static_cast<std::size_t>(next) <= edit->Content().Text.size());
    edit->Perform(EM_FORMATRANGE, 0, 0);
    return 0;
}

// Arbitrary mark-up, box, point and flags through RenderHTML on a bitmap with the recorder on: nothing
// raises, the canvas's font, brush and pen come back, and the outputs stay in range.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "GrdHTMLE.h"
#include "support/FuzzCheck.h"
#include "vcl/ImgList.h"

namespace {

// The first 12 bytes choose the box, the point and the flags; the rest is the mark-up.
struct TSetting {
    std::uint8_t Bytes[12] = {};
    explicit TSetting(const std::string& Input) {
        std::memcpy(Bytes, Input.data(), std::min<std::size_t>(Input.size(), sizeof(Bytes)));
    }
    Integer Small(int I) const { return static_cast<Integer>(Bytes[I]) - 16; }
    bool Flag(int Bit) const { return (Bytes[10] | (Bytes[11] << 8)) & (1 << Bit); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const TSetting s(input);
    const AnsiString text = input.size() > 12 ? input.substr(12) : AnsiString();

    static TBitmap* bitmap = [] {
        auto* made = new TBitmap;
        made->SetSize(120, 80);
        return made;
    }();
    static TImageList* images = [] {
        auto* list = new TImageList(nullptr);
        TBitmap strip;
        strip.SetSize(32, 16);
        list->AddMasked(&strip, clWhite);
        return list;
    }();
    TCanvas* canvas = bitmap->Canvas();
    std::vector<AnsiString> lines;
    canvas->SetRecorder(&lines);
    canvas->Font()->SetName("Arial");
    canvas->Font()->SetColor(clNavy);
    canvas->Brush()->SetColor(clSilver);
    canvas->Pen()->SetColor(clTeal);

    const TRect box(s.Small(0), s.Small(1), s.Small(0) + s.Bytes[2], s.Small(1) + s.Bytes[3] / 2);
    AnsiString anchor, plain, focus, id, value, type;
    Integer width = 0, height = 0, count = 0, link = 0;
    TRect mouseRect, controlRect;
    const bool checkHeight = s.Flag(1);
    const bool hit = GrdHTMLE::RenderHTML(
        canvas, text, box, s.Flag(9) ? images : nullptr, s.Small(4), s.Small(5), s.Small(6) % 4, s.Small(7) % 4,
        s.Bytes[8] % 4, s.Flag(0), checkHeight, s.Flag(2), s.Flag(3), s.Flag(4), s.Flag(5), s.Flag(6), s.Flag(7),
        1.0 + s.Bytes[9] % 3, clBlue, s.Flag(8) ? clYellow : clNone, s.Flag(10) ? clRed : clNone, clGray, anchor, plain,
        focus, width, height, count, link, mouseRect, controlRect, id, value, type, nullptr, nullptr, nullptr);
    canvas->SetRecorder(nullptr);

    Check(!(hit && checkHeight));
    Check(width >= 0 && height >= 0 && count >= 0);
    Check(link == -1 || (link >= 1 && link <= count));
    Check(plain.size() <= text.size() * 2 + 1);
    Check(canvas->Font()->Name() == "Arial" && canvas->Font()->Color() == clNavy && canvas->Font()->Style().Empty());
    Check(canvas->Brush()->Color() == clSilver && canvas->Brush()->Style() == bsSolid);
    Check(canvas->Pen()->Color() == clTeal);
    return 0;
}

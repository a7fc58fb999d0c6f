// Text and fills through the GDI calls on a bitmap's device context, against a QPainter held open on an
// image of the same size doing the same drawing: what the stand-in adds per call.
#include <string>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "PeerRatios.h"
#include "peers/QtPaintPeers.h"
#include "vcl/Graphics.h"
#include "vcl/Windows.h"

namespace {

constexpr int Width = 800, Height = 600;

std::unique_ptr<TBitmap> WhiteBitmap(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(clWhite);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}

AnsiString Sample(benchmark::State& state) {
    AnsiString text;
    for (int i = 0; i < state.range(0); ++i) text += static_cast<char>('a' + i % 26);
    return text;
}

// The cell at step i of a walk over a page of 10 x 24 cells of 65 x 25 pixels.
TPoint CellAt(int i) { return {(i % 10) * 65, (i / 10 % 24) * 25}; }

// Both draw the text once on a fresh white area; the pixels must agree.
bool SameText(const AnsiString& text) {
    auto bitmap = WhiteBitmap(Width, 20);
    HDC dc = bitmap->Canvas()->Handle();
    SetBkMode(dc, TRANSPARENT);
    TextOut(dc, 2, 2, text.data(), static_cast<int>(text.size()));
    qtpeer::HeldPainter peer(Width, 20);
    peer.TextOut(2, 2, text);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < Width; ++x)
            if (static_cast<std::uint32_t>(ColorToRGB(bitmap->Canvas()->Pixels(x, y))) !=
                ((peer.Pixel(x, y) & 0xFF) << 16 | (peer.Pixel(x, y) & 0xFF00) | peer.Pixel(x, y) >> 16))
                return false;
    return true;
}

void BM_TextOut(benchmark::State& state) {
    const AnsiString text = Sample(state);
    if (!SameText(text)) state.SkipWithError("the text differs from the peer's");
    auto bitmap = WhiteBitmap(Width, Height);
    HDC dc = bitmap->Canvas()->Handle();
    SetBkMode(dc, TRANSPARENT);
    int i = 0;
    for (auto _ : state) {
        const TPoint at = CellAt(i++);
        TextOut(dc, at.X + 2, at.Y + 2, text.data(), static_cast<int>(text.size()));
    }
}

void BM_PeerTextOut(benchmark::State& state) {
    const AnsiString text = Sample(state);
    qtpeer::HeldPainter peer(Width, Height);
    int i = 0;
    for (auto _ : state) {
        const TPoint at = CellAt(i++);
        peer.TextOut(at.X + 2, at.Y + 2, text);
    }
}

// Fills of Arg x 24 pixels.
void BM_FillRect(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    auto bitmap = WhiteBitmap(Width, Height);
    HDC dc = bitmap->Canvas()->Handle();
    HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    int i = 0;
    for (auto _ : state) {
        const TPoint at = CellAt(i++);
        const TRect r = Rect(at.X, at.Y, at.X + width, at.Y + 24);
        FillRect(dc, &r, brush);
    }
    if (ColorToRGB(bitmap->Canvas()->Pixels(0, 0)) != RGB(0x12, 0x34, 0x56)) state.SkipWithError("not filled");
    DeleteObject(brush);
}

void BM_PeerFillRect(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    qtpeer::HeldPainter peer(Width, Height);
    int i = 0;
    for (auto _ : state) {
        const TPoint at = CellAt(i++);
        peer.FillRect(at.X, at.Y, at.X + width, at.Y + 24, 0x123456);
    }
    if (peer.Pixel(0, 0) != 0x123456) state.SkipWithError("not filled");
}

BENCHMARK(BM_TextOut)->Arg(8)->Arg(80);
BENCHMARK(BM_PeerTextOut)->Arg(8)->Arg(80);
BENCHMARK(BM_FillRect)->Arg(8)->Arg(80);
BENCHMARK(BM_PeerFillRect)->Arg(8)->Arg(80);

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(
        [](const std::string& Name) { return Name.rfind("BM_Peer", 0) == 0 ? Name : "BM_Peer" + Name.substr(3); },
        {"8", "80"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}

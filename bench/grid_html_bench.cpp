// The grid's mark-up engine against plain peers on the same input in the same run.
//
// Text preparation: the entity scan over 100 KB and 1 MB of text dense with entities against one plain
// std::string scan that replaces the same entities (at most 2x, linear); StripHTML over the same sizes
// with a tag every 10 bytes against a single-pass tag remover (at most 2x, linear).
//
// RenderHTML: a 100-character cell with six tags measured (CheckHeight) against DrawText
// (DT_CALCRECT | DT_WORDBREAK) of its stripped text on the same canvas, font and width (at most 4x);
// drawn against DrawText (DT_WORDBREAK) drawing the stripped text (argument: the characters).
//
// Hints: the grid's hint window measuring a hint of 1k and 10k lines against one DrawText (DT_CALCRECT) of
// the same lines stripped, in the hint font (linear: 10k lines within 12x of 1k).
//
// GIF frames: counting the frames of an animated GIF and selecting its middle frame over 100 KB, 1 MB and
// 10 MB (500 frames) against a memchr scan for "!" over the same bytes (each at most 3x, linear).
#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "vcl/Graphics.h"
#include "GrdHTMLE.h"
#include "PeerRatios.h"
#include "PictureContainer_Gif.h"
#include "ProGrid_HintWindow.h"
#include "vcl/Forms.h"

namespace {

// ---------------------------------------------------------------------------
// Text preparation

struct TPeerEntity {
    const char* Name;
    const char* Text;
};

constexpr TPeerEntity PeerEntities[] = {
    {"&amp;", "&&"},    {"&quot;", "\""},   {"&sect;", "\xA7"},  {"&permil;", "\x89"}, {"&reg;", "\xAE"},
    {"&copy;", "\xA9"}, {"&para;", "\xB6"}, {"&trade;", "\x99"}, {"&euro;", "\x80"},
};

// Entities (lower case, each followed by a letter) between short words: about one entity per 10 bytes.
std::string EntityText(std::size_t Size) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> entity(0, std::size(PeerEntities) - 1), letter('a', 'z'), length(1, 5);
    std::string text;
    text.reserve(Size + 16);
    while (text.size() < Size) {
        text += PeerEntities[entity(random)].Name;
        for (int n = length(random); n > 0; --n) text += static_cast<char>(letter(random));
    }
    return text;
}

// One scan comparing each "&" with the table: the work a single std::string pass does.
std::string PeerReplaceEntities(const std::string& S) {
    std::string result;
    result.reserve(S.size());
    for (std::size_t i = 0; i < S.size();) {
        if (S[i] == '&') {
            bool found = false;
            for (const TPeerEntity& entity : PeerEntities) {
                const std::size_t length = std::char_traits<char>::length(entity.Name);
                if (S.compare(i, length, entity.Name) == 0) {
                    result += entity.Text;
                    i += length;
                    found = true;
                    break;
                }
            }
            if (found) continue;
        }
        result += S[i++];
    }
    return result;
}

void BM_EntityScanPeer(benchmark::State& state) {
    const std::string text = EntityText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(PeerReplaceEntities(text));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_ReplaceEntities(benchmark::State& state) {
    const std::string text = EntityText(static_cast<std::size_t>(state.range(0)));
    if (GrdHTMLE::ReplaceEntities(text) != PeerReplaceEntities(text)) state.SkipWithError("the scans disagree");
    for (auto _ : state) benchmark::DoNotOptimize(GrdHTMLE::ReplaceEntities(text));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Words and tags (no line breaks), a tag about every 10 bytes.
std::string TaggedText(std::size_t Size) {
    static const char* const Tags[] = {"<B>", "</B>", "<I>", "</I>", "<FONT COLOR=\"clred\">", "</FONT>", "<U>"};
    std::mt19937 random(7);
    std::uniform_int_distribution<int> tag(0, std::size(Tags) - 1), letter('a', 'z'), length(3, 12);
    std::string text;
    text.reserve(Size + 32);
    while (text.size() < Size) {
        text += Tags[tag(random)];
        for (int n = length(random); n > 0; --n) text += static_cast<char>(letter(random));
    }
    return text;
}

// Each "<" cut to the next ">": the single-pass tag remover.
std::string PeerStripTags(const std::string& S) {
    std::string result;
    result.reserve(S.size());
    for (std::size_t i = 0; i < S.size(); ++i) {
        if (S[i] != '<') {
            result += S[i];
            continue;
        }
        const std::size_t close = S.find('>', i);
        if (close == std::string::npos) {
            result.append(S, i, std::string::npos);
            break;
        }
        i = close;
    }
    return result;
}

void BM_StripTagsPeer(benchmark::State& state) {
    const std::string text = TaggedText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(PeerStripTags(text));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_StripHTML(benchmark::State& state) {
    const std::string text = TaggedText(static_cast<std::size_t>(state.range(0)));
    AnsiString stripped;
    GrdHTMLE::StripHTML(text, stripped);
    if (stripped != PeerStripTags(text)) state.SkipWithError("the removers disagree");
    for (auto _ : state) {
        GrdHTMLE::StripHTML(text, stripped);
        benchmark::DoNotOptimize(stripped);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// ---------------------------------------------------------------------------
// Rendering a cell

const char* const CellText =
    "The <B>quick</B> brown fox jumps over the <I>lazy</I> dog, then runs <FONT COLOR=\"clred\">far</FONT> "
    "away into the dark wood.";

struct TCellCanvas {
    TBitmap Bitmap;
    AnsiString Plain;
    TRect Box{0, 0, 121, 200};
    TCellCanvas() {
        Bitmap.SetSize(130, 200);
        Bitmap.Canvas()->Font()->SetName("Arial");
        GrdHTMLE::StripHTML(CellText, Plain);
    }
};

bool RenderCell(TCanvas* Canvas, const TRect& Box, bool Measure, Integer& Width, Integer& Height,
                const AnsiString& Text = CellText) {
    AnsiString anchor, plain, focus, id, value, type;
    Integer count = 0, link = 0;
    TRect mouseRect, controlRect;
    return GrdHTMLE::RenderHTML(Canvas, Text, Box, nullptr, -1, -1, -1, 0, 1, false, Measure, false, false, true, false,
                                true, false, 1.0, clBlue, clNone, clNone, clGray, anchor, plain, focus, Width, Height,
                                count, link, mouseRect, controlRect, id, value, type, nullptr, nullptr, nullptr);
}

void BM_DrawTextMeasurePeer(benchmark::State& state) {
    TCellCanvas cell;
    const HDC dc = cell.Bitmap.Canvas()->Handle();
    for (auto _ : state) {
        RECT r = TRect(1, 0, 121, 200);
        benchmark::DoNotOptimize(
            DrawText(dc, cell.Plain.data(), static_cast<int>(cell.Plain.size()), &r, DT_CALCRECT | DT_WORDBREAK));
    }
}

void BM_RenderHTMLMeasure(benchmark::State& state) {
    TCellCanvas cell;
    Integer width = 0, height = 0;
    RenderCell(cell.Bitmap.Canvas(), cell.Box, true, width, height);
    RECT r = TRect(1, 0, 121, 200);
    DrawText(cell.Bitmap.Canvas()->Handle(), cell.Plain.data(), static_cast<int>(cell.Plain.size()), &r,
             DT_CALCRECT | DT_WORDBREAK);
    // The same text in the same box wraps into as many lines either way.
    if (height != r.Bottom - r.Top) state.SkipWithError("the layouts disagree");
    for (auto _ : state) benchmark::DoNotOptimize(RenderCell(cell.Bitmap.Canvas(), cell.Box, true, width, height));
}

void BM_DrawTextDrawPeer(benchmark::State& state) {
    TCellCanvas cell;
    const HDC dc = cell.Bitmap.Canvas()->Handle();
    for (auto _ : state) {
        RECT r = TRect(1, 0, 121, 200);
        benchmark::DoNotOptimize(
            DrawText(dc, cell.Plain.data(), static_cast<int>(cell.Plain.size()), &r, DT_WORDBREAK));
    }
}

void BM_RenderHTMLDraw(benchmark::State& state) {
    TCellCanvas cell;
    Integer width = 0, height = 0;
    for (auto _ : state) benchmark::DoNotOptimize(RenderCell(cell.Bitmap.Canvas(), cell.Box, false, width, height));
}

// A long hint: Lines lines of mark-up, each a short tagged sentence, measured whole. The peer measures the
// same lines stripped, unwrapped, in one DrawText (a closing <BR> opens no line; a closing line break would).
struct TLongText {
    AnsiString Markup, Plain;
    explicit TLongText(std::size_t Lines) {
        for (std::size_t i = 0; i < Lines; ++i) {
            Markup += "Line <B>" + std::to_string(i) + "</B> of the <I>hint</I><BR>";
            Plain += (i ? "\r\n" : "") + ("Line " + std::to_string(i) + " of the hint");
        }
    }
};

void BM_DrawTextLinesPeer(benchmark::State& state) {
    const TLongText text(static_cast<std::size_t>(state.range(0)));
    TCellCanvas cell;
    const HDC dc = cell.Bitmap.Canvas()->Handle();
    for (auto _ : state) {
        RECT r = TRect(1, 0, 1000, 200);
        benchmark::DoNotOptimize(DrawText(dc, text.Plain.data(), static_cast<int>(text.Plain.size()), &r, DT_CALCRECT));
    }
}

void BM_RenderHTMLLines(benchmark::State& state) {
    const TLongText text(static_cast<std::size_t>(state.range(0)));
    TCellCanvas cell;
    const TRect box(0, 0, 1000, 200);
    Integer width = 0, height = 0;
    RenderCell(cell.Bitmap.Canvas(), box, true, width, height, text.Markup);
    RECT r = TRect(1, 0, 1000, 200);
    DrawText(cell.Bitmap.Canvas()->Handle(), text.Plain.data(), static_cast<int>(text.Plain.size()), &r, DT_CALCRECT);
    // Every line measured, as the peer's lines.
    if (height != r.Bottom - r.Top) state.SkipWithError("the layouts disagree");
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderCell(cell.Bitmap.Canvas(), box, true, width, height, text.Markup));
}

// ---------------------------------------------------------------------------
// Hints

constexpr Integer HintMaxWidth = 1000;

void BM_HintDrawTextLinesPeer(benchmark::State& state) {
    const TLongText text(static_cast<std::size_t>(state.range(0)));
    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    bitmap.Canvas()->Font()->Assign(Screen->HintFont());
    const HDC dc = bitmap.Canvas()->Handle();
    for (auto _ : state) {
        RECT r = TRect(0, 0, HintMaxWidth, 0);
        benchmark::DoNotOptimize(DrawText(dc, text.Plain.data(), static_cast<int>(text.Plain.size()), &r, DT_CALCRECT));
    }
}

void BM_HintMeasureLines(benchmark::State& state) {
    const TLongText text(static_cast<std::size_t>(state.range(0)));
    auto* window = new ProGrid::THTMLHintWindow(nullptr);
    TBitmap bitmap;
    bitmap.Canvas()->Font()->Assign(Screen->HintFont());
    RECT r = TRect(0, 0, HintMaxWidth, 0);
    DrawText(bitmap.Canvas()->Handle(), text.Plain.data(), static_cast<int>(text.Plain.size()), &r, DT_CALCRECT);
    if (window->CalcHintRect(HintMaxWidth, text.Markup, nullptr).Height() != r.Bottom - r.Top)
        state.SkipWithError("the layouts disagree");
    for (auto _ : state) benchmark::DoNotOptimize(window->CalcHintRect(HintMaxWidth, text.Markup, nullptr));
    window->Free();
}

// ---------------------------------------------------------------------------
// GIF frames

// A GIF of Size bytes with a frame every 20 KB (500 frames in 10 MB): header and colour table, then per
// frame a graphic control extension, an image descriptor and image data that holds no "!".
std::string AnimatedGifBytes(std::size_t Size) {
    const std::string header("GIF89a\x10\0\x10\0\x81\0\0\xFF\0\0\0\xFF\0\0\0\xFF\xFF\xFF\xFF", 25);
    const std::string frameHead("!\xF9\x04\0\x0A\0\0\0,\0\0\0\0\x10\0\x10\0\0\x02", 19);
    constexpr std::size_t FrameSize = 20000;
    std::string gif = header;
    gif.reserve(Size + FrameSize);
    while (gif.size() + FrameSize <= Size) {
        std::string frame = frameHead;
        while (frame.size() + 256 < FrameSize) frame += '\xFF' + std::string(255, 'U');
        frame.resize(FrameSize - 2, 'U');
        frame += std::string("\0;", 1);  // the block ends; the last frame is followed by the trailer
        gif += frame;
    }
    gif += ';';
    return gif;
}

// The positions of every "!": the memchr scan the walks are held to.
std::vector<std::size_t> PeerBangPositions(const std::string& Bytes) {
    std::vector<std::size_t> found;
    for (const char* at = Bytes.data();
         (at = static_cast<const char*>(std::memchr(at, '!', Bytes.size() - (at - Bytes.data())))) != nullptr; ++at)
        found.push_back(static_cast<std::size_t>(at - Bytes.data()));
    return found;
}

void BM_GifBangScanPeer(benchmark::State& state) {
    const std::string gif = AnimatedGifBytes(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(PeerBangPositions(gif).size());
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_GifFrameCount(benchmark::State& state) {
    const std::string gif = AnimatedGifBytes(static_cast<std::size_t>(state.range(0)));
    if (static_cast<std::size_t>(PictureContainer::CountGifFrames(gif)) != PeerBangPositions(gif).size())
        state.SkipWithError("the counts disagree");
    for (auto _ : state) benchmark::DoNotOptimize(PictureContainer::CountGifFrames(gif));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// The middle frame: the header and the frames from it on.
void BM_GifFrameSelect(benchmark::State& state) {
    const std::string gif = AnimatedGifBytes(static_cast<std::size_t>(state.range(0)));
    const std::vector<std::size_t> starts = PeerBangPositions(gif);
    const Integer frame = static_cast<Integer>(starts.size() / 2 + 1);
    const std::string expected = gif.substr(0, starts.front()) + gif.substr(starts[frame - 1]);
    const PictureContainer::TGifFrameSelection selection = PictureContainer::SelectGifFrame(gif, frame);
    if (gif.substr(0, selection.HeadEnd) + gif.substr(selection.TailStart) != expected)
        state.SkipWithError("the selections disagree");
    for (auto _ : state) benchmark::DoNotOptimize(PictureContainer::SelectGifFrame(gif, frame).TailStart);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_DrawTextMeasurePeer)->Arg(100);
BENCHMARK(BM_RenderHTMLMeasure)->Arg(100);
BENCHMARK(BM_DrawTextDrawPeer)->Arg(100);
BENCHMARK(BM_RenderHTMLDraw)->Arg(100);
BENCHMARK(BM_DrawTextLinesPeer)->Arg(1000)->Arg(10000);
BENCHMARK(BM_RenderHTMLLines)->Arg(1000)->Arg(10000);
BENCHMARK(BM_HintDrawTextLinesPeer)->Arg(1000)->Arg(10000);
BENCHMARK(BM_HintMeasureLines)->Arg(1000)->Arg(10000);
BENCHMARK(BM_EntityScanPeer)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_ReplaceEntities)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_StripTagsPeer)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_StripHTML)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_GifBangScanPeer)->Arg(100000)->Arg(1000000)->Arg(10000000);
BENCHMARK(BM_GifFrameCount)->Arg(100000)->Arg(1000000)->Arg(10000000);
BENCHMARK(BM_GifFrameSelect)->Arg(100000)->Arg(1000000)->Arg(10000000);

std::string PeerOf(const std::string& Name) {
    if (Name == "BM_ReplaceEntities" || Name == "BM_EntityScanPeer") return "BM_EntityScanPeer";
    if (Name == "BM_StripHTML" || Name == "BM_StripTagsPeer") return "BM_StripTagsPeer";
    if (Name == "BM_RenderHTMLMeasure" || Name == "BM_DrawTextMeasurePeer") return "BM_DrawTextMeasurePeer";
    if (Name == "BM_RenderHTMLDraw" || Name == "BM_DrawTextDrawPeer") return "BM_DrawTextDrawPeer";
    if (Name == "BM_RenderHTMLLines" || Name == "BM_DrawTextLinesPeer") return "BM_DrawTextLinesPeer";
    if (Name == "BM_HintMeasureLines" || Name == "BM_HintDrawTextLinesPeer") return "BM_HintDrawTextLinesPeer";
    if (Name.starts_with("BM_Gif")) return "BM_GifBangScanPeer";
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(PeerOf, {"100", "1000", "10000", "100000", "1000000", "10000000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}

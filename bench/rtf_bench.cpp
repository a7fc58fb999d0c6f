// Reading RTF: our reader over a generated document of 100 KB, 1 MB and 10 MB, against a single pass over
// the same bytes that only takes the text out (control words and groups dropped, \par a paragraph end,
// \'hh one character). Both must give the same text.
#include <cctype>
#include <cstdlib>
#include <map>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "PeerRatios.h"
#include "vcl/RichText.h"

namespace {

// About Bytes of RTF: words in groups of bold, italic and coloured text, accented letters, paragraphs.
std::string Document(std::size_t Bytes) {
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}\r\n";
    const char* const pieces[] = {"plain words here ",   "{\\b bold text} ",      "{\\i\\cf1 red italic} ",
                                  "caf\\'e9 cr\\'e8me ", "\\fs28 bigger\\fs20  ", "\\par\r\n"};
    for (std::size_t i = 0; rtf.size() < Bytes; ++i) rtf += pieces[i % 6];
    return rtf + "}";
}

// The peer: one pass, the same text. Only what Document writes needs handling.
WideString TextOf(const std::string& Rtf) {
    WideString text;
    text.reserve(Rtf.size());
    bool inTable = false;
    int depth = 0, tableDepth = 0;
    for (std::size_t i = 0; i < Rtf.size();) {
        const char c = Rtf[i];
        if (c == '{' || c == '}') {
            depth += c == '{' ? 1 : -1;
            if (inTable && depth < tableDepth) inTable = false;
            ++i;
        } else if (c == '\\') {
            if (Rtf[i + 1] == '\'') {
                const int byte = std::strtol(Rtf.substr(i + 2, 2).c_str(), nullptr, 16);
                if (!inTable) text += static_cast<WideChar>(byte);  // Windows-1252 equals Latin-1 for these
                i += 4;
                continue;
            }
            std::size_t end = i + 1;
            while (end < Rtf.size() && std::isalpha(static_cast<unsigned char>(Rtf[end]))) ++end;
            const std::string word = Rtf.substr(i + 1, end - i - 1);
            while (end < Rtf.size() && std::isdigit(static_cast<unsigned char>(Rtf[end]))) ++end;
            if (end < Rtf.size() && Rtf[end] == ' ') ++end;
            if (word == "fonttbl" || word == "colortbl") {
                inTable = true;
                tableDepth = depth;
            } else if (word == "par" && !inTable) {
                text += u'\r';
            }
            i = end;
        } else if (c == '\r' || c == '\n') {
            ++i;
        } else {
            if (!inTable) text += static_cast<WideChar>(static_cast<unsigned char>(c));
            ++i;
        }
    }
    return text;
}

const std::string& Input(std::int64_t Bytes) {
    static std::map<std::int64_t, std::string> inputs;
    auto& rtf = inputs[Bytes];
    if (rtf.empty()) {
        rtf = Document(static_cast<std::size_t>(Bytes));
        // The reader drops the document's last paragraph end, as the peer does not.
        WideString expected = TextOf(rtf);
        if (!expected.empty() && expected.back() == u'\r') expected.pop_back();
        const TRtfReadResult read = ReadRtf(rtf);
        if (!read.Ok || read.Content.Text != expected) std::abort();
    }
    return rtf;
}

void BM_ReadRtf(benchmark::State& state) {
    const std::string& rtf = Input(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(ReadRtf(rtf));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_ScanRtfText(benchmark::State& state) {
    const std::string& rtf = Input(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(TextOf(rtf));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

#define SIZES ->Arg(100000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_ScanRtfText) SIZES;
BENCHMARK(BM_ReadRtf) SIZES;

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter([](const std::string&) { return std::string("BM_ScanRtfText"); },
                               {"100000", "1000000", "10000000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}

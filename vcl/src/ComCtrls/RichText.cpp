// The rich edit's content: runs of formats over the text, kept merged.
#include <algorithm>

#include "System/Codepage.h"
#include "vcl/RichText.h"

void TRichText::Append(const WideString& Chars, const TRichCharFormat& Format) {
    Append(Chars.data(), Chars.size(), Format);
}

void TRichText::Append(const WideChar* Chars, std::size_t Count, const TRichCharFormat& Format) {
    if (Count == 0) return;
    Text.append(Chars, Count);
    if (!Runs.empty() && Runs.back().Format == Format) Runs.back().Length += Count;
    else Runs.push_back({Count, Format});
    // A new paragraph starts aligned as the one before it.
    const auto breaks = std::count(Chars, Chars + Count, u'\r');
    Paragraphs.insert(Paragraphs.end(), static_cast<std::size_t>(breaks), Paragraphs.back());
}

void TRichText::Replace(std::size_t Start, std::size_t Count, const WideString& Chars, const TRichCharFormat& Format) {
    Start = std::min(Start, Text.size());
    Count = std::min(Count, Text.size() - Start);
    const auto begin = Text.begin() + static_cast<std::ptrdiff_t>(Start);
    const auto paragraph = static_cast<std::size_t>(std::count(Text.begin(), begin, u'\r'));
    const auto removed = std::count(begin, begin + static_cast<std::ptrdiff_t>(Count), u'\r');
    const auto added = std::count(Chars.begin(), Chars.end(), u'\r');
    const auto at = Paragraphs.begin() + static_cast<std::ptrdiff_t>(paragraph) + 1;
    Paragraphs.erase(at, at + removed);
    Paragraphs.insert(Paragraphs.begin() + static_cast<std::ptrdiff_t>(paragraph) + 1, static_cast<std::size_t>(added),
                      Paragraphs[paragraph]);
    const std::size_t first = SplitAt(Start), last = SplitAt(Start + Count);
    Runs.erase(Runs.begin() + static_cast<std::ptrdiff_t>(first), Runs.begin() + static_cast<std::ptrdiff_t>(last));
    Runs.insert(Runs.begin() + static_cast<std::ptrdiff_t>(first), TRichRun{Chars.size(), Format});
    Text.replace(Start, Count, Chars);
    MergeRuns();
}

TRichText TRichText::Slice(std::size_t Start, std::size_t Count) const {
    TRichText part;
    Start = std::min(Start, Text.size());
    const std::size_t end = Start + std::min(Count, Text.size() - Start);
    part.Paragraphs[0] = Paragraphs[static_cast<std::size_t>(
        std::count(Text.begin(), Text.begin() + static_cast<std::ptrdiff_t>(Start), u'\r'))];
    std::size_t at = 0;
    std::size_t paragraph = part.Paragraphs.size();
    for (const TRichRun& run : Runs) {
        const std::size_t from = std::max(at, Start), to = std::min(at + run.Length, end);
        if (from < to) part.Append(Text.data() + from, to - from, run.Format);
        at += run.Length;
    }
    // The breaks copied keep the alignments of the paragraphs they start.
    std::size_t source =
        static_cast<std::size_t>(std::count(Text.begin(), Text.begin() + static_cast<std::ptrdiff_t>(Start), u'\r'));
    for (; paragraph < part.Paragraphs.size(); ++paragraph) part.Paragraphs[paragraph] = Paragraphs[++source];
    return part;
}

AnsiString RichPlainText(const WideString& Text) {
    AnsiString plain;
    plain.reserve(Text.size());
    for (WideChar c : Text) {
        if (c == u'\r') plain += "\r\n";
        else plain += codepage::UnicodeToAnsiChar(c, '?');
    }
    return plain;
}

TRichCharFormat TRichText::FormatAt(std::size_t Index) const {
    std::size_t start = 0;
    for (const TRichRun& run : Runs) {
        if (Index < start + run.Length) return run.Format;
        start += run.Length;
    }
    return Runs.empty() ? TRichCharFormat{} : Runs.back().Format;
}

std::size_t TRichText::SplitAt(std::size_t Index) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < Runs.size(); ++i) {
        if (Index == start) return i;
        if (Index < start + Runs[i].Length) {
            TRichRun tail{start + Runs[i].Length - Index, Runs[i].Format};
            Runs[i].Length = Index - start;
            Runs.insert(Runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, tail);
            return i + 1;
        }
        start += Runs[i].Length;
    }
    return Runs.size();
}

void TRichText::MergeRuns() {
    std::vector<TRichRun> merged;
    merged.reserve(Runs.size());
    for (const TRichRun& run : Runs) {
        if (run.Length == 0) continue;
        if (!merged.empty() && merged.back().Format == run.Format) merged.back().Length += run.Length;
        else merged.push_back(run);
    }
    Runs = std::move(merged);
}

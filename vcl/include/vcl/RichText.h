#pragma once
// The rich edit's content: UTF-16 text with runs of character formats and one alignment per paragraph,
// and our own RTF reader and writer for it.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"

// A character format; the unset parts (empty name, size 0, no colour) take the control's font.
struct TRichCharFormat {
    AnsiString FontName;
    Integer HalfPoints = 0;
    std::optional<TColor> Color;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    friend bool operator==(const TRichCharFormat&, const TRichCharFormat&) = default;
};

struct TRichRun {
    std::size_t Length = 0;  // UTF-16 code units of the text
    TRichCharFormat Format;
    friend bool operator==(const TRichRun&, const TRichRun&) = default;
};

// Text: paragraphs end at '\r' (the last has none), '\v' breaks a line inside a paragraph, '\t' is a tab.
// Runs cover the text in order, never empty, neighbours differ; Paragraphs has one entry per paragraph.
struct TRichText {
    WideString Text;
    std::vector<TRichRun> Runs;
    std::vector<TAlignment> Paragraphs{taLeftJustify};

    // Appends Chars in Format, merging with the last run when the format is the same.
    void Append(const WideString& Chars, const TRichCharFormat& Format);
    void Append(const WideChar* Chars, std::size_t Count, const TRichCharFormat& Format);
    // Replaces Count code units from Start with Chars in Format; paragraphs follow the breaks removed and added.
    void Replace(std::size_t Start, std::size_t Count, const WideString& Chars, const TRichCharFormat& Format);
    // The code units [Start, Start + Count) with their formats and paragraphs.
    TRichText Slice(std::size_t Start, std::size_t Count) const;
    // The format of the code unit at Index (the last run's past the end; the default when empty).
    TRichCharFormat FormatAt(std::size_t Index) const;
    // Gives the code units [Start, Start + Count) the result of Change on their format.
    template <class F>
    void ChangeFormat(std::size_t Start, std::size_t Count, F&& Change);

    friend bool operator==(const TRichText&, const TRichText&) = default;

private:
    // Splits the runs so that one starts at Index; answers that run's position in Runs.
    std::size_t SplitAt(std::size_t Index);
    void MergeRuns();
};

template <class F>
void TRichText::ChangeFormat(std::size_t Start, std::size_t Count, F&& Change) {
    if (Start >= Text.size() || Count == 0) return;
    const std::size_t end = Count > Text.size() - Start ? Text.size() : Start + Count;
    const std::size_t first = SplitAt(Start), last = SplitAt(end);
    for (std::size_t i = first; i < last; ++i) Change(Runs[i].Format);
    MergeRuns();
}

// The text as a memo holds it: a paragraph end is CR LF, every other code unit one Windows-1252 byte ('?'
// where the code page has none), so positions map by counting paragraph ends.
AnsiString RichPlainText(const WideString& Text);

// Groups may nest this deep and no deeper.
constexpr int RtfMaxNesting = 100;

// What the reader makes of its input. Ok is False (and Content empty) for input that is not RTF: it does not
// start with "{\rtf", or it nests groups deeper than RtfMaxNesting.
struct TRtfReadResult {
    bool Ok = false;
    TRichText Content;
};

// Reads RTF in one pass: groups, the font and colour tables, \b \i \ul \strike \fs \f \cf \plain, \par \line
// \tab, \pard \ql \qc \qr, \'hh (Windows-1252), \uN with \ucN; destinations marked \* and those we do not
// show (pictures, information, style sheet ...) are skipped, and so is what \binN announces.
TRtfReadResult ReadRtf(const std::string& Source);
// Writes Content as RTF that ReadRtf reads back as the same content.
std::string WriteRtf(const TRichText& Content);

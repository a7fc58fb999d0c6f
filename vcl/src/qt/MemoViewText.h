#pragma once
// The memo view's text: Windows-1252 bytes whose lines end with CR LF, and where each line starts.
// A text ending with CR LF has an empty last line, where the caret can stand.
// The bytes are the memo's own (the view keeps no copy of a long text); its owner tells of every change.
// The index is built in one pass and adjusted on every change, never rebuilt for a local edit.

#include <cstddef>
#include <vector>

#include "vcl/System.h"

class TMemoViewText {
public:
    TMemoViewText() { Show(NoText()); }
    // An empty text that lives as long as the program.
    static const AnsiString& NoText();

    // Text is read in place until the next Show; it must outlive that.
    void Show(const AnsiString& Text);
    // [Start, End) of the shown text has just become ValueLength bytes (line breaks CR LF).
    void Replaced(std::size_t Start, std::size_t End, std::size_t ValueLength);

    const AnsiString& Bytes() const { return *bytes_; }
    std::size_t Size() const { return bytes_->size(); }
    int LineCount() const { return static_cast<int>(starts_.size()); }
    std::size_t LineStart(int Line) const { return starts_[static_cast<std::size_t>(Line)]; }
    // The end of the line's text, before its CR LF.
    std::size_t LineEnd(int Line) const;
    std::size_t LineLength(int Line) const { return LineEnd(Line) - LineStart(Line); }
    int LineOf(std::size_t Position) const;
    // The line with the most bytes since the last Assign (edits only make it longer).
    int LongestLine() const { return longest_; }

    // Position clamped to the text and moved off the middle of a CR LF.
    std::size_t Snap(std::size_t Position) const;
    // Word motion as an edit control does it: blanks separate words, line ends are stops.
    std::size_t NextWordStart(std::size_t Position) const;
    std::size_t PreviousWordStart(std::size_t Position) const;
    // The run of word characters (or of blanks) around Position within its line.
    void WordAround(std::size_t Position, std::size_t& Start, std::size_t& End) const;

private:
    // Appends the starts of the lines that breaks at or after From begin.
    void IndexBreaks(std::size_t From, std::size_t To, std::vector<std::size_t>& Starts) const;
    void Lengthen(int FirstLine, int LastLine);

    const AnsiString* bytes_ = nullptr;
    std::vector<std::size_t> starts_;
    int longest_ = 0;
};

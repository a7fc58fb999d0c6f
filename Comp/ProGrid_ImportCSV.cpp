// Delimited text files into the grid: the delimiter guessed from the first two lines, quoted fields, and
// the rows grown in steps of 1000 with the count set once at the end.
#include <algorithm>
#include <string_view>
#include <vector>

#include "ProGrid.h"
#include "ProUtil.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

using namespace ProUtil;

namespace {

constexpr char Quote = '"';
// In the order they are tried: an earlier one wins a tie.
constexpr char DelimiterCandidates[] = {',', ';', '#', '\t', '|', '@', '*', '-', '+', '&'};
constexpr Integer RowGrowth = 1000;

// The candidate found as often in both lines (quotes not doubled, then all of them), else the one found
// most often in either; #0 when none occurs.
char GuessDelimiter(const AnsiString& L1, const AnsiString& L2) {
    char found = '\0';
    Integer best = 0;
    for (auto* count : {&SingleCharCount, &CharCount}) {
        for (char candidate : DelimiterCandidates) {
            const Integer c1 = count(candidate, L1);
            if (c1 > best && c1 == count(candidate, L2)) {
                found = candidate;
                best = c1;
            }
        }
        if (best > 0) return found;
    }
    for (char candidate : DelimiterCandidates) {
        const Integer most = std::max(CharCount(candidate, L1), CharCount(candidate, L2));
        if (most > best) {
            found = candidate;
            best = most;
        }
    }
    return found;
}

// The file's lines from its start.
Integer CountLines(TextFile& File) {
    Integer lines = 0;
    AnsiString line;
    for (; !Eof(File); ++lines) ReadLn(File, line);
    Reset(File);
    return lines;
}

// Writes the fields of a line from the start column on, cutting them by position: the line itself is
// never shortened, so a long line costs its length once. The columns grow once per line.
class TLineReader {
public:
    TLineReader(RAdeRedeviDidi& Grid, Integer StartCol, char Delimiter, bool Tildes)
        : grid_(Grid), startCol_(StartCol), delimiter_(Delimiter), tildes_(Tildes) {}

    void Read(std::string_view Line, Integer ARow) {
        fields_.clear();
        Split(Line);
        const auto count = static_cast<Integer>(fields_.size());
        if (startCol_ + count > grid_.ColCount()) grid_.SetColCount(startCol_ + count);
        for (Integer i = 0; i < count; ++i) grid_.SetCellRaw(startCol_ + i, ARow, fields_[static_cast<std::size_t>(i)]);
    }

private:
    void Split(std::string_view Line) {
        std::string_view rest = Line;
        std::size_t at = Find(rest);
        while (at != std::string_view::npos) {
            AnsiString& field = fields_.emplace_back();
            if (rest.front() != Quote) {
                field = FieldText(rest.substr(0, at));
            } else {
                rest.remove_prefix(1);
                // The closing quote ends an odd run of quotes; without one the field is empty and ends at
                // the delimiter.
                const auto closing = static_cast<std::size_t>(SingleCharPos(Quote, rest));
                if (closing > 0) {
                    field = FieldText(rest.substr(0, closing - 1));
                    rest.remove_prefix(closing);
                }
                at = Find(rest);
            }
            if (at != std::string_view::npos) rest.remove_prefix(at + 1);
            at = Find(rest);
        }
        if (rest.empty()) return;
        if (rest.front() == Quote) rest.remove_prefix(1);
        if (!rest.empty() && rest.back() == Quote) rest.remove_suffix(1);
        fields_.push_back(FieldText(rest));
    }
    // #0 splits nothing: the whole line is one field.
    std::size_t Find(std::string_view Text) const {
        return delimiter_ == '\0' ? std::string_view::npos : Text.find(delimiter_);
    }
    // Single quotes dropped, doubled ones kept once; "~" (with TildeLineBreaks) or LF becomes CR LF.
    AnsiString FieldText(std::string_view Raw) const {
        AnsiString text(Raw);
        if (Raw.find(Quote) != std::string_view::npos) text = RemoveQuoteChar(Quote, text);
        const char lineBreak = tildes_ ? '~' : '\n';
        if (text.find(lineBreak) != AnsiString::npos) text = tildes_ ? TildeToCRLF(text) : LFToCRLF(text);
        return text;
    }

    RAdeRedeviDidi& grid_;
    Integer startCol_;
    char delimiter_;
    bool tildes_;
    std::vector<AnsiString> fields_;
};

}  // namespace

void RAdeRedeviDidi::LoadFromCSVEx(const AnsiString& FileName, bool Append) {
    const Integer startCol = FixedAsNormal() ? 0 : FixedCols();
    Integer row = FixedAsNormal() ? 0 : FixedRows();
    TextFile file;
    AssignFile(file, FileName);
    Reset(file);
    if (IOResult() != 0) throw EProGridError("Cannot open file " + FileName);

    char delimiter = Delimiter();
    if (delimiter == '\0') {
        AnsiString first, second;
        if (!Eof(file)) ReadLn(file, first);
        if (!Eof(file)) ReadLn(file, second);
        Reset(file);
        delimiter = GuessDelimiter(first, second);
    }
    const Integer lines = OnFileProgress ? CountLines(file) : 0;

    const TScopeExit report([this] {
        CellsChanged(TRect(0, 0, ColCount(), RowCount()));
        UpdateFooterAll();
    });
    BeginUpdate();
    const TScopeExit unlock([this] { EndUpdate(); });
    const TValueGuard<char> keepDelimiter(fDelimiter_, delimiter);
    // Appended rows go above the footer row the floating footer shows: it is taken out meanwhile (an empty
    // row standing in for it) and put back after them, cells, properties and height.
    TGridTakenRows footer;
    const bool keepFooter = Append && FloatingFooter()->Visible() && FixedFooters() > 0;
    if (Append) row = RowCount();
    if (keepFooter) {
        SetRowCount(RowCount() + 1);
        const Integer footerRow = row - 1;
        footer = TakeRowsAt(std::span(&footerRow, 1));
        row = footerRow;
    }
    const TScopeExit finish([&] {
        if (keepFooter) PutRowsBack(std::span(&row, 1), std::move(footer));
        SetRowCount(row + FixedFooters());
    });

    if (lines > 0) SetRowCount(row + lines + FixedFooters());
    TLineReader reader(*this, startCol, delimiter, TildeLineBreaks());
    SmallInt progress = 0;
    AnsiString line;
    for (Integer done = 1; !Eof(file); ++done) {
        ReadLn(file, line);
        if (OemConvert()) OemToAnsiStr(line);
        if (RowCount() - FixedFooters() <= row) SetRowCount(row + RowGrowth);
        reader.Read(line, row);
        ++row;
        // Only counted lines give a percentage.
        if (lines > 0) {
            const auto percent = static_cast<SmallInt>(Round(100.0 * done / lines));
            if (percent != progress && OnFileProgress) OnFileProgress(this, percent);
            progress = percent;
        }
    }
}

}  // namespace ProGrid

// The item table's life cycle, row storage, adding rows and the memo import and export.
#include "superar.h"
#include "superar_Detail.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string_view>

#include <vcl/StdCtrls.h>
#include <vcl/SysUtils.h>

namespace superar {

using namespace valstr;
using namespace Varpre;

namespace {

// Extra rows kept after N when the storage grows.
Integer SpareRows(const ArrayOfFiles& Table) {
    return std::min<Integer>(10000, std::max<Integer>(Table.Count / 4 + 10, 50));
}

void InitRow(DataRecT& Row, Integer Index) {
    Row.Included = 1;
    Row.Texts.Reset(1);
    Row.OriginalNumber = Index;
    Row.Info.Clear();
}

bool OnlyBlanksAndTabs(std::string_view Line) {
    return !Line.empty() && Line.find_first_not_of(" \t") == std::string_view::npos;
}

Integer FindRowByView(ArrayOfFiles& Table, std::string_view Text, Integer Field, bool Formatted) {
    if (!Formatted) {
        const Integer indexed = detail::IndexedTextRow(Table, Text, Field);
        if (indexed != detail::NoIndex) return indexed;
    }
    Integer found = 0;
    AnsiString fieldText;
    detail::ForEachSelectedRow(Table, [&](Integer row) {
        GetFieldText(Table, row, Field, fieldText, Formatted);
        const bool same = Table.UniqueIgnoreCase ? detail::SameTextNoCase(fieldText, Text) : fieldText == Text;
        if (same) found = row;
        return !same;
    });
    return found;
}

void AddLineView(ArrayOfFiles& Table, std::string_view Line, Integer Field) {
    if (Line.empty() && !Table.KeepEmptyLines) return;
    if (!Table.KeepBlankLines && OnlyBlanksAndTabs(Line)) return;
    if (Table.UniqueRows == 1 && FindRowByView(Table, Line, Field, false) != 0) return;
    AppendRow(Table);
    detail::SetFieldTextView(Table, Table.Count, Field, Line);
}

// The lines of a memo's text as the memo's Lines has them (CR, LF or CR LF end a line): a break at the very
// end starts no line. The next CR and the next LF are each searched once, so a long text is read in
// wide steps.
template <typename VisitT>
void ForEachMemoLine(std::string_view Text, VisitT&& Visit) {
    const char* const data = Text.data();
    const std::size_t size = Text.size();
    auto next = [&](char C, std::size_t From) {
        const void* found = From < size ? std::memchr(data + From, C, size - From) : nullptr;
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : size;
    };
    std::size_t start = 0;
    std::size_t nextReturn = next('\r', 0);
    std::size_t nextFeed = next('\n', 0);
    while (start < size) {
        const std::size_t end = std::min(nextReturn, nextFeed);
        Visit(Text.substr(start, end - start));
        if (end == size) return;
        start = end + 1;
        if (Text[end] == '\r' && start < size && Text[start] == '\n') ++start;
        if (nextReturn < start) nextReturn = next('\r', start);
        if (nextFeed < start) nextFeed = next('\n', start);
    }
}

// The lines a load makes rows of, from the line starting at From on: the memo's lines without an empty last
// one, and without the empty and blank ones the table leaves out.
template <typename VisitT>
void ForEachLoadedLine(const ArrayOfFiles& Table, std::string_view Text, std::size_t From, VisitT&& Visit) {
    std::string_view pending;
    bool anyLine = false;
    const auto visitKept = [&](std::string_view Line) {
        if (Line.empty() && !Table.KeepEmptyLines) return;
        if (!Table.KeepBlankLines && OnlyBlanksAndTabs(Line)) return;
        Visit(Line);
    };
    ForEachMemoLine(Text.substr(From), [&](std::string_view line) {
        if (anyLine) visitKept(pending);
        pending = line;
        anyLine = true;
    });
    if (anyLine && !pending.empty()) visitKept(pending);
}

}  // namespace

bool detail::SameTextNoCase(std::string_view A, std::string_view B) {
    if (A.size() != B.size()) return false;
    for (std::size_t i = 0; i < A.size(); ++i)
        if (A[i] != B[i] && AnsiLowerChar(A[i]) != AnsiLowerChar(B[i])) return false;
    return true;
}

bool AcceptAllRows(ArrayOfFiles&, Integer) { return true; }

namespace {

// What a table holds besides its rows, as a new load finds it.
void ResetTableState(ArrayOfFiles& Table) {
    Table.AddedRows = 0;
    Table.Reserved1 = -1;
    Table.Reserved2 = -1;
    Table.StatusText1.clear();
    Table.StatusText2.clear();
    Table.StatusNumber = 0;
    Table.StatusIndex = NoValue;
    Table.StatusFlag = 0;
    Table.StatusText3.clear();
    Table.Indexes.Reset();
    Table.Selection.clear();
    for (AnsiString& name : Table.BackingFiles) name.clear();
    Diskop::CloseFileHandle(Table.BackingHandle);
    Table.BackingHandle = NoValue;
    Table.BackingOpenFile.clear();
}

}  // namespace

void ClearTable(ArrayOfFiles& Table) {
    ResetTableState(Table);
    // Rows go with their file information; the storage itself is kept for the next load, the row vector's
    // and each row's field buffer.
    Table.FreedRowStorage.Clear();
    for (DataRecT& row : Table.Rows) Table.FreedRowStorage.Keep(row.Texts);
    Table.Rows.clear();
    Table.Count = 0;
}

Integer RowCapacity(const ArrayOfFiles& Table) {
    return Table.Rows.empty() ? 0 : static_cast<Integer>(Table.Rows.size() - 1);
}

void SetRowCapacity(ArrayOfFiles& Table, Integer N, bool Exact) {
    if (N < 1) {
        ClearTable(Table);
        return;
    }
    if (N <= RowCapacity(Table)) return;
    const Integer capacity = Exact ? N : CheckedAdd(N, SpareRows(Table));
    const auto size = static_cast<std::size_t>(capacity) + 1;
    // The rows in use follow the rule above; the memory under them grows by a quarter at least, so that
    // a long run of appends moves the rows only a few times and a million rows do not take two million.
    if (size > Table.Rows.capacity())
        Table.Rows.reserve(std::max(size, Table.Rows.capacity() + Table.Rows.capacity() / 4));
    const std::size_t first = Table.Rows.size();
    Table.Rows.resize(size);
    for (std::size_t i = first; i < size; ++i) InitRow(Table.Rows[i], static_cast<Integer>(i));
}

void AppendRow(ArrayOfFiles& Table) {
    const Integer count = CheckedAdd(Table.Count, 1);
    SetRowCapacity(Table, count, false);
    Table.AddedRows = CheckedAdd(Table.AddedRows, 1);
    Table.Count = count;
}

bool ResolveRow(ArrayOfFiles& Table, Integer& Row, bool Grow) {
    if (Row == 0) Row = Table.Count;
    if (Row < 1) return true;
    if (Row <= Table.Count) return false;
    if (!Grow) return true;
    SetRowCapacity(Table, Row, false);
    Table.AddedRows = CheckedAdd(Table.AddedRows, Row - Table.Count);
    Table.Count = Row;
    return false;
}

bool IsRowSkipped(ArrayOfFiles& Table, Integer Row) {
    return Row < 1 || Row > Table.Count || Table.Rows[static_cast<std::size_t>(Row)].Included == 0;
}

void GetRowText(ArrayOfFiles& Table, Integer Row, AnsiString& Text) {
    GetFieldText(Table, Row, FieldData, Text, false);
}

void AddRowWithText(ArrayOfFiles& Table, const AnsiString& Text, Integer Field) {
    AppendRow(Table);
    SetFieldText(Table, Table.Count, Field, Text);
}

void AddLineAsRow(ArrayOfFiles& Table, const AnsiString& Line, Integer Field) { AddLineView(Table, Line, Field); }

Integer FindRowByText(ArrayOfFiles& Table, const AnsiString& Text, Integer Field, bool Formatted) {
    return FindRowByView(Table, Text, Field, Formatted);
}

Integer LoadMemoLines(ArrayOfFiles& Table, TCustomMemo* Memo, Integer Field) {
    ClearTable(Table);
    const AnsiString text = Memo->Text();
    // The rows are made at their number at once: growing them line by line would hold the old and the new
    // storage of a million rows side by side.
    std::size_t lines = 0;
    ForEachLoadedLine(Table, text, 0, [&](std::string_view) { ++lines; });
    SetRowCapacity(Table, static_cast<Integer>(std::min<std::size_t>(lines, 0x7FFFFFFF)), true);
    if (Table.UniqueRows == 1) {
        // Each line is looked up among the rows before it; a batch's lookups are fetched together.
        std::array<std::string_view, detail::MaxPrefetch> batch;
        std::size_t batched = 0;
        const auto addBatch = [&] {
            detail::PrefetchTextRows(Table, std::span(batch.data(), batched), Field);
            for (std::size_t i = 0; i < batched; ++i) AddLineView(Table, batch[i], Field);
            batched = 0;
        };
        ForEachLoadedLine(Table, text, 0, [&](std::string_view line) {
            batch[batched++] = line;
            if (batched == batch.size()) addBatch();
        });
        addBatch();
    } else {
        ForEachLoadedLine(Table, text, 0, [&](std::string_view line) { AddLineView(Table, line, Field); });
    }
    if (Table.Rows.size() > static_cast<std::size_t>(Table.Count) + 1)
        Table.Rows.resize(static_cast<std::size_t>(Table.Count) + 1);
    Table.FreedRowStorage.Clear();
    return Table.Count;
}

Integer ReloadMemoLines(ArrayOfFiles& Table, TCustomMemo* Memo, Integer Field, Integer ResultField, Integer& First,
                        Integer& Last) {
    // Each new line must be looked up among all the others: a fresh load does that.
    if (Table.UniqueRows == 1 || !detail::IsPlainTextField(Table, Field) ||
        !detail::IsPlainTextField(Table, ResultField) || Table.Count < 1) {
        First = 1;
        Last = LoadMemoLines(Table, Memo, Field);
        return Last;
    }
    const AnsiString text = Memo->Text();
    const auto holds = [&](Integer Row, std::string_view Line) {
        return detail::StoredTextView(Table, Row, Field) == Line &&
               !detail::StoredTextView(Table, Row, ResultField).empty();
    };
    // The lines as far as they are the rows' texts, where the first other one starts, and how many there are.
    const Integer oldCount = Table.Count;
    Integer lines = 0, same = 0;
    std::size_t differentFrom = text.size();
    ForEachLoadedLine(Table, text, 0, [&](std::string_view line) {
        if (lines == same && same < oldCount && holds(same + 1, line)) ++same;
        else if (lines == same) differentFrom = static_cast<std::size_t>(line.data() - text.data());
        lines = CheckedAdd(lines, 1);
    });
    // The lines at the end that are the last rows' texts: after the last line that is not its row's.
    const Integer shift = lines - oldCount;
    Integer lastDifferent = same;
    Integer at = same;
    ForEachLoadedLine(Table, text, differentFrom, [&](std::string_view line) {
        const Integer row = ++at - shift;
        if (row <= same || row > oldCount || !holds(row, line)) lastDifferent = at;
    });
    First = same + 1;
    Last = lastDifferent;
    const Integer removed = oldCount - same - (lines - Last);

    ResetTableState(Table);
    auto rows = Table.Rows.begin() + First;
    if (Last - same > removed) {
        const auto added = static_cast<std::size_t>(Last - same - removed);
        // Grown by an eighth at least: typing lines in one by one moves the rows only now and then.
        if (Table.Rows.size() + added > Table.Rows.capacity())
            Table.Rows.reserve(std::max(Table.Rows.size() + added, Table.Rows.capacity() + Table.Rows.capacity() / 8));
        rows = Table.Rows.begin() + First;
        Table.Rows.insert(rows, added, DataRecT{});
    } else {
        Table.Rows.erase(rows, rows + (removed - (Last - same)));
    }
    Table.Count = lines;
    Table.AddedRows = lines;
    at = same;
    ForEachLoadedLine(Table, text, differentFrom, [&](std::string_view line) {
        if (++at > Last) return;
        InitRow(Table.Rows[static_cast<std::size_t>(at)], at);
        detail::SetFieldTextView(Table, at, Field, line);
    });
    if (shift != 0)
        for (Integer row = Last + 1; row <= lines; ++row)
            Table.Rows[static_cast<std::size_t>(row)].OriginalNumber = row;
    return lines;
}

void WriteFieldToMemo(ArrayOfFiles& Table, TCustomMemo* Memo, Integer Field, bool Formatted) {
    // The new text is made in the old one's memory: a text past the allocator's largest reused block would
    // otherwise be mapped afresh, page by page, on every write.
    AnsiString joined;
    Memo->ClearInto(joined);
    if (Memo->GetTextLen() > 0) joined.assign(Memo->Text()).append("\r\n");
    // Texts as written are read where they lie. The room is reserved from a sample of rows and a quarter
    // more, so that the text is made without moving it and without reading every row twice; room never
    // written takes no memory.
    const bool plain = !Formatted && detail::IsPlainTextField(Table, Field);
    if (plain && Table.Count > 0) {
        constexpr Integer samples = 16;
        std::size_t sampled = 0;
        for (Integer i = 0; i < samples; ++i)
            sampled +=
                2 +
                detail::StoredTextView(
                    Table, 1 + static_cast<Integer>(static_cast<Int64>(i) * (Table.Count - 1) / (samples - 1)), Field)
                    .size();
        joined.reserve(joined.size() + sampled * static_cast<std::size_t>(Table.Count) / samples * 5 / 4);
    }
    AnsiString text;
    bool first = true;
    detail::ForEachSelectedRow(Table, [&](Integer row) {
        if (!first) joined += "\r\n";
        if (plain) {
            joined += detail::StoredTextView(Table, row, Field);
        } else {
            GetFieldText(Table, row, Field, text, Formatted);
            joined += text;
        }
        first = false;
        return true;
    });
    Memo->HandOverText(std::move(joined));
}

}  // namespace superar

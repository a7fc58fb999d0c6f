#pragma once
// Internal to unit superar: the walk over the current selection, letter-case comparison and
// storing a field's text from a view.

#include <span>
#include <string_view>

#include "superar.h"

namespace superar::detail {

// Every row of the table's selection (Selection "" = all rows) in the selection's order, rows
// not included passed over, walked with the table's own Loop. Visit(Row) returns false to stop.
template <typename VisitT>
void ForEachSelectedRow(ArrayOfFiles& Table, VisitT&& Visit) {
    if (Table.Selection.empty()) {
        // All rows: the calculator's every keystroke comes here, so no selection text is parsed.
        for (Integer row = 1; row <= Table.Count; ++row)
            if (!IsRowSkipped(Table, row) && !Visit(row)) return;
        return;
    }
    valstr::LoopT& loop = Table.Loop;
    valstr::LoopInit(loop, Table.Selection, &Table);
    while (valstr::LoopNext(loop))
        if (!Visit(loop.Current)) return;
}

// Equal without regard to letter case (Windows-1252 letters).
bool SameTextNoCase(std::string_view A, std::string_view B);

// SetFieldText without making a string first: a text field takes the bytes directly.
void SetFieldTextView(ArrayOfFiles& Table, Integer Row, Integer Field, std::string_view Text);

// Appends Text to a text field's stored text (a value loaded line by line grows in place).
void AppendFieldText(ArrayOfFiles& Table, Integer Row, Integer Field, std::string_view Text);

// A text field whose text is what was written: not computed, not read from a backing file. Reading it
// unformatted gives StoredTextView.
bool IsPlainTextField(const ArrayOfFiles& Table, Integer Field);

// The text a row holds in a field as written, nothing computed or read from a backing file; "" for a
// field the row never had. Row must be in 1..Count.
std::string_view StoredTextView(const ArrayOfFiles& Table, Integer Row, Integer Field);

// Lookups through the row indexes. NoIndex when the fields involved are computed, read from a backing
// file, of a number kind or (for texts) the selection is not all rows: the caller walks the rows then.
inline constexpr Integer NoIndex = -1;
// The first setting row named NameLower in SectionLower (in any section with AnySection); with an empty
// NameLower the section's own row.
Integer IndexedSettingRow(ArrayOfFiles& Table, const AnsiString& NameLower, const AnsiString& SectionLower,
                          bool AnySection);
// The first included row whose Field holds Text (without regard to case when UniqueIgnoreCase).
Integer IndexedTextRow(ArrayOfFiles& Table, std::string_view Text, Integer Field);
// Fetches into the cache what the lookups of Texts by IndexedTextRow will read, all at once, so that they
// do not each wait for memory in turn; at most MaxPrefetch texts.
inline constexpr std::size_t MaxPrefetch = 32;
void PrefetchTextRows(const ArrayOfFiles& Table, std::span<const std::string_view> Texts, Integer Field);
// Every write of a field goes through here, so that the indexes file the row under its new key.
void NoteFieldWritten(ArrayOfFiles& Table, Integer Row, Integer Field);

}  // namespace superar::detail

#pragma once
// Internal to unit superar: the walk over the current selection, letter-case comparison and
// storing a field's text from a view.

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

}  // namespace superar::detail

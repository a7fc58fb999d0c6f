#pragma once
// Internal to unit superar: the walk over the current selection, letter-case comparison and
// storing a field's text from a view.

#include <string_view>

#include "superar.h"

namespace superar::detail {

// Every row of the current selection in row order: for now every row that is not skipped.
// Visit(Row) returns false to stop the walk.
template <typename VisitT>
void ForEachSelectedRow(ArrayOfFiles& Table, VisitT&& Visit) {
    for (Integer row = 1; row <= Table.Count; ++row)
        if (!IsRowSkipped(Table, row) && !Visit(row)) return;
}

// Equal without regard to letter case (Windows-1252 letters).
bool SameTextNoCase(std::string_view A, std::string_view B);

// SetFieldText without making a string first: a text field takes the bytes directly.
void SetFieldTextView(ArrayOfFiles& Table, Integer Row, Integer Field, std::string_view Text);

}  // namespace superar::detail

// Text sorts: the items or characters of a text put into a temporary item table, sorted there and
// joined again.
#include "valstr.h"

#include <memory>

#include "Varpre.h"
#include "exposit.h"
#include "superar.h"

namespace valstr {

using namespace superar;
using namespace exposit;

namespace {

// Field 109 (the row's file name) gives the smallest-character key of field 89.
constexpr Integer FileNameText = 6;
constexpr Integer SmallestCharField = 89;
const char* const SmallestCharKey = "sortsmallestchar";

std::unique_ptr<ArrayOfFiles> TemporaryTable() {
    auto table = std::make_unique<ArrayOfFiles>();
    InitTable(*table, 0);
    return table;
}

void JoinRows(ArrayOfFiles& Table, const AnsiString& Sep, AnsiString& Result) {
    Result.clear();
    AnsiString text;
    for (Integer row = 1; row <= Table.Count; ++row) {
        GetRowText(Table, row, text);
        if (row > 1) Result += Sep;
        Result += text;
    }
}

// Seps without empty entries, which would cut nothing off and never let the cutting end.
AnsiString NonEmptySeparators(const AnsiString& Seps, const AnsiString& SepsSep) {
    AnsiString rest = Seps;
    AnsiString sep;
    AnsiString kept;
    while (!rest.empty()) {
        CutToken(rest, SepsSep, true, sep);
        if (sep.empty()) continue;
        if (!kept.empty()) kept += SepsSep;
        kept += sep;
    }
    return kept;
}

// Cuts the next item off Rest at the earliest separator.
void CutItem(AnsiString& Rest, const AnsiString& Seps, const AnsiString& SepsSep, AnsiString& Item) {
    if (Seps.empty()) CutTokenAtChars(Rest, Varpre::WordDelimSet(), Item);
    else if (SepsSep.empty()) CutToken(Rest, Seps, true, Item);
    else CutTokenAtAny(Rest, Seps, SepsSep, Item);
}

}  // namespace

void SortDelimited(const AnsiString& S, const AnsiString& OutSep, const AnsiString& Seps, const AnsiString& SepsSep,
                   AnsiString& Result) {
    auto table = TemporaryTable();
    table->NaturalSort = 1;
    const AnsiString seps = SepsSep.empty() ? Seps : NonEmptySeparators(Seps, SepsSep);
    // Every listed separator was empty: nothing cuts, S is one item.
    const bool single = !Seps.empty() && seps.empty();
    AnsiString rest = S;
    AnsiString item;
    while (!rest.empty()) {
        if (single) {
            item.swap(rest);
            rest.clear();
        } else CutItem(rest, seps, SepsSep, item);
        if (!item.empty()) AddRowWithText(*table, item, FieldData);
    }
    SortTable(*table);
    JoinRows(*table, OutSep, Result);
}

void SortChars(const AnsiString& S, AnsiString& Result) {
    auto table = TemporaryTable();
    SetRowCapacity(*table, LengthOf(S), true);
    for (const char c : S) AddRowWithText(*table, AnsiString(1, c), FieldData);
    SortTableBy(*table, "\xD6");
    JoinRows(*table, "", Result);
}

void SortListItems(const AnsiString& List, const AnsiString& Sep, AnsiString& Result) {
    auto table = TemporaryTable();
    DefineFieldName(*table, SmallestCharField, SlotAliases, ",", true, SmallestCharKey);
    // Whether a separator ends the list is told by the cutting: with a separator that overlaps itself
    // (",," in ",,,") the last bytes would claim one that the cutting gave to the last item.
    bool trailingSep = false;
    AnsiString rest = List;
    AnsiString item;
    while (!rest.empty()) {
        if (Sep.empty()) {
            item.swap(rest);
            rest.clear();
        } else {
            const std::size_t before = rest.size();
            CutToken(rest, Sep, true, item);
            trailingSep = rest.empty() && before - item.size() == Sep.size();
        }
        AddRowWithText(*table, item, FieldData);
        table->Rows[static_cast<std::size_t>(table->Count)].Info.Edit().Texts[FileNameText] = item;
    }
    SortTableBy(*table, SmallestCharKey);
    JoinRows(*table, Sep, Result);
    if (trailingSep) Result += Sep;
}

}  // namespace valstr

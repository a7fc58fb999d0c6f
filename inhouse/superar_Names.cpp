// Field names, aliases and kinds, and the table's defaults.
#include "superar.h"
#include "superar_Detail.h"

#include <string_view>

#include <vcl/SysUtils.h>

namespace superar {

using namespace valstr;

namespace {

constexpr std::string_view InvisiblePrefix = "invisible";

bool ValidField(Integer Field) { return Field >= 0 && Field <= LastField; }
bool ValidSlot(Integer Slot) { return Slot >= 1 && Slot <= NameSlots; }

AnsiString& Slot(ArrayOfFiles& Table, Integer Field, Integer SlotNumber) {
    return CheckedElement(FieldNamesAt(Table, Field).Names, SlotNumber - 1);
}

// Visit(Item) for every item of a ","-list.
template <typename VisitT>
void ForEachListItem(std::string_view List, VisitT&& Visit) {
    while (!List.empty()) {
        const std::size_t comma = List.find(',');
        Visit(List.substr(0, comma));
        if (comma == std::string_view::npos) return;
        List.remove_prefix(comma + 1);
    }
}

bool ListHolds(std::string_view List, std::string_view Item) {
    bool found = false;
    ForEachListItem(List, [&](std::string_view each) { found = found || detail::SameTextNoCase(each, Item); });
    return found;
}

AnsiString ListWithout(std::string_view List, std::string_view Item) {
    AnsiString rest;
    ForEachListItem(List, [&](std::string_view each) {
        if (detail::SameTextNoCase(each, Item)) return;
        if (!rest.empty()) rest += ',';
        rest += each;
    });
    return rest;
}

void AppendToList(AnsiString& List, std::string_view Item) {
    if (!List.empty()) List += ',';
    List += Item;
}

// Letters and digits only, lower-cased.
AnsiString ReducedName(const AnsiString& Name) {
    AnsiString reduced;
    for (char c : Name) {
        const char lower = AnsiLowerChar(c);
        const bool letter = lower != AnsiUpperChar(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (letter || (c >= '0' && c <= '9')) reduced += lower;
    }
    return reduced;
}

void SetKinds(ArrayOfFiles& Table, std::initializer_list<Integer> Fields, Byte Kind) {
    for (Integer field : Fields) FieldNamesAt(Table, field).Kind = Kind;
}

void RegisterBuiltInNames(ArrayOfFiles& Table) {
    SetKinds(Table, {69, 71, 72, 74, 76, 77, 78, 79, 81, 82, 88, 91}, KindInteger);
    SetKinds(Table, {70, 101, 103}, KindDate);
    SetKinds(Table, {83, 102, 104}, KindTime);
    struct NamesT {
        Integer Field;
        const char* Display;
        const char* Second;
        const char* Aliases;
    };
    static const NamesT builtIn[] = {
        {FieldData, "Data", "Data", "\xD6,alphabetical,data"},
        {FieldRowNumber, "Number", "Number", "number,#"},
        {FieldOriginalNumber, "#orig", "numberoriginal", "original number"},
        {FieldIncluded, "Included", "", "included"},
        {82, "", "", "filesize"},
        {100, "", "", "alphabetgroup"},
        {107, "", "", "filepath"},
        {109, "", "", "filenamename"},
        {110, "", "", "filenameext,ext"},
    };
    for (const NamesT& names : builtIn) {
        if (*names.Display) DefineFieldName(Table, names.Field, SlotDisplayName, "", false, names.Display);
        if (*names.Second) DefineFieldName(Table, names.Field, SlotSecondName, "", false, names.Second);
        DefineFieldName(Table, names.Field, SlotAliases, ",", true, names.Aliases);
    }
}

}  // namespace

FieldNamesT& FieldNamesAt(ArrayOfFiles& Table, Integer Field) { return CheckedElement(Table.FieldNames, Field); }
const FieldNamesT& FieldNamesAt(const ArrayOfFiles& Table, Integer Field) {
    return CheckedElement(Table.FieldNames, Field);
}

void InitTable(ArrayOfFiles& Table, Integer InitialRows) {
    Table = ArrayOfFiles{};
    ClearTable(Table);
    Table.FromFolder = "c:\\";
    Table.ToFolder = "c:\\";
    Table.CaseFieldA = 108;
    Table.CaseFieldB = 51;
    Table.SortSpec = "alphabetical";
    Table.KeySeparator = "^";
    Table.KeepEmptyLines = 1;
    Table.KeepBlankLines = 1;
    Table.RowFilter = AcceptAllRows;
    Table.UniqueIgnoreCase = 1;
    exposit::InitPosInfo(Table.Search);
    Table.LoadOption1 = 1;
    Table.LoadOptionBar = "|";
    Table.LoadOption5 = 1;
    Table.LoadOption6 = 1;
    Table.LoadOptionQuote = '"';
    Table.LoadOption8 = 1;
    Table.RowFilter2 = AcceptAllRows;
    Table.LoadOption10 = 2;
    Table.LoadOption11 = 1;
    Table.LoadOptionBackslashes = "\\\\\\";
    RegisterBuiltInNames(Table);
    if (InitialRows > 0) SetRowCapacity(Table, InitialRows, true);
}

void DefineFieldName(ArrayOfFiles& Table, Integer Field, Integer SlotNumber, const AnsiString& Sep, bool Append,
                     const AnsiString& Text) {
    if (!ValidField(Field) || !ValidSlot(SlotNumber)) return;
    if (SlotNumber == SlotDisplayName) {
        const bool invisible = std::string_view(Text).starts_with(InvisiblePrefix);
        Slot(Table, Field, SlotDisplayName) = invisible ? Copy(Text, 10, Length(Text)) : Text;
        Slot(Table, Field, SlotInvisible) = invisible ? "i" : "";
        return;
    }
    if (SlotNumber == SlotAliases) {
        // An alias belongs to one field only.
        ForEachListItem(AnsiLowerCase(Text), [&](std::string_view alias) {
            if (alias.empty()) return;
            for (Integer other = 0; other <= LastField; ++other) {
                AnsiString& aliases = Slot(Table, other, SlotAliases);
                if (other != Field && ListHolds(aliases, alias)) aliases = ListWithout(aliases, alias);
            }
            AnsiString& own = Slot(Table, Field, SlotAliases);
            if (!ListHolds(own, alias)) AppendToList(own, alias);
        });
        return;
    }
    AnsiString& stored = Slot(Table, Field, SlotNumber);
    if (Append && !stored.empty()) stored += Sep + Text;
    else stored = Text;
}

void SetFieldNames(ArrayOfFiles& Table, Integer Field, const AnsiString& NamesText) {
    if (!ValidField(Field)) return;
    AnsiString texts[4];
    std::size_t start = 0;
    for (AnsiString& text : texts) {
        if (start > NamesText.size()) break;
        const std::size_t end = std::min(NamesText.find(';', start), NamesText.size());
        text = NamesText.substr(start, end - start);
        start = end + 1;
    }
    DefineFieldName(Table, Field, SlotDisplayName, "", false, texts[0]);
    DefineFieldName(Table, Field, SlotSecondName, "", false, texts[1]);
    Slot(Table, Field, SlotAliases).clear();
    DefineFieldName(Table, Field, SlotAliases, ",", true, texts[2].empty() ? texts[0] : texts[2]);
    DefineFieldName(Table, Field, 6, "", false, texts[3]);
}

void GetFieldName(ArrayOfFiles& Table, Integer Field, Integer SlotNumber, AnsiString& Name, bool WithDefaults) {
    Name.clear();
    if (!ValidField(Field) || !ValidSlot(SlotNumber)) return;
    AnsiString display = Slot(Table, Field, SlotDisplayName);
    if (WithDefaults && display.empty()) {
        AnsiString number;
        IntToStrPadded(Field, 2, "0", number);
        display = "Item" + number;
    }
    switch (SlotNumber) {
        case SlotDisplayName: Name = display; return;
        case SlotGroupAndName: Name = Slot(Table, Field, SlotGroupName) + "|" + display; return;
        case SlotAliases:
            Name = Slot(Table, Field, SlotAliases);
            if (!WithDefaults) return;
            AppendToList(Name, display);
            AppendToList(Name, ReducedName(display));
            return;
        default:
            Name = Slot(Table, Field, SlotNumber);
            if (WithDefaults && Name.empty() && (SlotNumber == SlotSecondName || SlotNumber == SlotInvisible))
                Name = display;
            return;
    }
}

bool FindFieldByName(ArrayOfFiles& Table, const AnsiString& Name, Integer& Field, bool WithDefaults) {
    const AnsiString wanted = AnsiLowerCase(Name);
    AnsiString aliases;
    for (Integer field = LastField; field >= 0; --field) {
        GetFieldName(Table, field, SlotAliases, aliases, WithDefaults);
        if (ListHolds(aliases, wanted)) {
            Field = field;
            return true;
        }
    }
    return false;
}

}  // namespace superar

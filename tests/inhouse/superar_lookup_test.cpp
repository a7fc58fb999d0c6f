// Lookups of rows by section and name and by text, while the table changes under them: every answer is
// the one a walk over the rows from the first gives.
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <vcl/SysUtils.h>

#include "superar.h"

using namespace superar;

namespace {

AnsiString FieldOf(ArrayOfFiles& Table, Integer Row, Integer Field) {
    AnsiString text;
    GetFieldText(Table, Row, Field, text, false);
    return text;
}

// The first row whose field 0 is Name (any section when Section is "") or, for an empty Name, the
// section's own row.
Integer WalkForSetting(ArrayOfFiles& Table, const AnsiString& Name, const AnsiString& Section) {
    const AnsiString name = AnsiLowerCase(Name), section = AnsiLowerCase(Section);
    for (Integer row = 1; row <= Table.Count; ++row) {
        if ((!Section.empty() || Name.empty()) && FieldOf(Table, row, FieldSettingSectionLower) != section) continue;
        if (name.empty() ? FieldOf(Table, row, FieldSettingKind) == "[]" : FieldOf(Table, row, FieldData) == name)
            return row;
    }
    return 0;
}

Integer WalkForText(ArrayOfFiles& Table, const AnsiString& Text) {
    for (Integer row = 1; row <= Table.Count; ++row) {
        if (IsRowSkipped(Table, row)) continue;
        const AnsiString field = FieldOf(Table, row, FieldData);
        if (Table.UniqueIgnoreCase ? AnsiLowerCase(field) == AnsiLowerCase(Text) : field == Text) return row;
    }
    return 0;
}

TEST(RowLookups, AnswerAsAWalkFromTheFirstRowWhileRowsAreAddedWrittenExcludedAndSorted) {
    const std::vector<AnsiString> lines = {
        "[One]", "[two]", "[One]", "a = 1", "A = 2", "b = x y", "c =", "\"", "more", "// note", "[data]", "/q", ""};
    const std::vector<AnsiString> names = {"a", "A", "b", "c", "", "one", "two", "data", "/q"};
    const std::vector<AnsiString> sections = {"", "one", "TWO", "options", "data"};
    const std::vector<Integer> keyFields = {FieldData, FieldSettingSectionLower, FieldSettingKind};
    auto table = std::make_unique<ArrayOfFiles>();
    InitTable(*table, 0);
    table->ParamMode = 1;
    std::mt19937 random(7);
    auto pick = [&](const auto& List) { return List[random() % List.size()]; };
    for (int step = 0; step < 600; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        switch (random() % 10) {
            case 0: {
                const Integer row = 1 + static_cast<Integer>(random() % (table->Count + 2));
                const AnsiString text = random() % 3 == 0 ? AnsiString("[]") : pick(names);
                SetFieldText(*table, row, pick(keyFields), text);
                break;
            }
            case 1:
                if (table->Count > 0) table->Rows[1 + random() % table->Count].Included ^= 1;
                break;
            case 2: AddRowWithText(*table, pick(names), FieldData); break;
            case 3:
                if (random() % 4 == 0) SortTableBy(*table, random() % 2 ? "alphabetical" : "-alphabetical");
                break;
            case 4: table->UniqueIgnoreCase ^= 1; break;
            case 5:
                if (random() % 8 == 0) ClearTable(*table);
                break;
            default: LoadTableText(*table, pick(lines), true); break;
        }
        for (const AnsiString& name : names) {
            EXPECT_EQ(FindRowByText(*table, name, FieldData, false), WalkForText(*table, name)) << name;
            for (const AnsiString& section : sections)
                EXPECT_EQ(FindSettingRow(*table, name, section), WalkForSetting(*table, name, section))
                    << name << " in " << section;
        }
        bool found = false;
        for (const AnsiString& section : sections)
            EXPECT_EQ(FindSectionRow(*table, section, found), WalkForSetting(*table, "", section)) << section;
        if (HasFailure()) return;
    }
}

TEST(RowLookups, UniqueRowsKeepTheFirstOfEqualLinesInTheirOrder) {
    auto table = std::make_unique<ArrayOfFiles>();
    InitTable(*table, 0);
    table->UniqueRows = 1;
    for (const char* line : {"b", "A", "a", "c", "B", "b", "C"}) AddLineAsRow(*table, line, FieldData);
    std::vector<AnsiString> rows;
    for (Integer row = 1; row <= table->Count; ++row) rows.push_back(FieldOf(*table, row, FieldData));
    EXPECT_EQ(rows, (std::vector<AnsiString>{"b", "A", "c"}));
    // An excluded row no longer stands in the way; its text written anew does again.
    table->Rows[2].Included = 0;
    AddLineAsRow(*table, "a", FieldData);
    EXPECT_EQ(table->Count, 4);
    SetFieldText(*table, 1, FieldData, "d");
    AddLineAsRow(*table, "D", FieldData);
    AddLineAsRow(*table, "b", FieldData);
    EXPECT_EQ(table->Count, 5);
    EXPECT_EQ(FieldOf(*table, 5, FieldData), "b");
}

}  // namespace

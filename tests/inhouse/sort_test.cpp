// Sorting the item table by key lists, and the text sorts built on it.
#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <vcl/ExtCtrls.h>
#include <vcl/SysUtils.h>
#include <vcl/Windows.h>

#include "superar.h"
#include "valstr.h"

using namespace superar;

namespace {

using Texts = std::vector<AnsiString>;

constexpr Integer FileNameText = 6;
constexpr Integer FileExtText = 8;

std::unique_ptr<ArrayOfFiles> TableOf(const Texts& Rows) {
    auto table = std::make_unique<ArrayOfFiles>();
    InitTable(*table, 0);
    for (const AnsiString& text : Rows) AddRowWithText(*table, text, FieldData);
    return table;
}

// Rows named "name.ext": field 0 the whole, field 109 the name, field 110 the extension.
std::unique_ptr<ArrayOfFiles> FileTableOf(const Texts& Files) {
    auto table = TableOf(Files);
    for (Integer row = 1; row <= table->Count; ++row) {
        const AnsiString& file = Files[static_cast<std::size_t>(row - 1)];
        const std::size_t dot = file.find('.');
        auto& info = table->Rows[static_cast<std::size_t>(row)].Info.Edit();
        info.Texts[FileNameText] = file.substr(0, dot);
        info.Texts[FileExtText] = dot == AnsiString::npos ? "" : file.substr(dot + 1);
    }
    return table;
}

Texts Column(ArrayOfFiles& Table, Integer Field) {
    Texts texts;
    AnsiString text;
    for (Integer row = 1; row <= Table.Count; ++row) {
        GetFieldText(Table, row, Field, text, false);
        texts.push_back(text);
    }
    return texts;
}

// Counts the bound control's enabled changes.
class EnabledLog : public TPanel {
public:
    using TPanel::TPanel;
    void SetEnabled(bool Value) override {
        Changes.push_back(Value);
        TPanel::SetEnabled(Value);
    }
    std::vector<bool> Changes;
};

// Adds a row to a table when it gets WM_USER: work the progress report's message pump runs mid-sort.
class TableChanger : public TPanel {
public:
    using TPanel::TPanel;
    ArrayOfFiles* Table = nullptr;

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_USER && Table) AddRowWithText(*Table, "late", FieldData);
        TPanel::WndProc(Message);
    }
};

}  // namespace

TEST(ItemTableSort, KeyListsOrderTheRows) {
    struct Case {
        const char* keys;
        Texts rows;
        Texts sorted;
    };
    const Case cases[] = {
        {"-Number", {"c", "a", "d", "b", "e", "f"}, {"f", "e", "b", "d", "a", "c"}},
        {"Number", {"c", "a", "d", "b", "e", "f"}, {"c", "a", "d", "b", "e", "f"}},
        {"filenameext^alphabetical",
         {"b.txt", "a.doc", "c.txt", "a.txt", "z.bat", "b.doc"},
         {"z.bat", "a.doc", "b.doc", "a.txt", "b.txt", "c.txt"}},
        {"-ext^-alphabetical", {"b.txt", "a.doc", "c.txt", "a.txt"}, {"c.txt", "b.txt", "a.txt", "a.doc"}},
        {"nosuchkey^alphabetical", {"b", "c", "a", "e", "d"}, {"a", "b", "c", "d", "e"}},
        // Three rows go through the insertion pass alone.
        {"alphabetical", {"c", "a", "b"}, {"a", "b", "c"}},
        {"-alphabetical", {"c", "a", "b"}, {"c", "b", "a"}},
        // An upper-case letter in the key makes case count: upper case bytes come first.
        {"Data", {"b", "a", "B", "A", "c"}, {"A", "B", "a", "b", "c"}},
        {"alphabetical^Data", {"b", "a", "B", "A", "c"}, {"A", "a", "B", "b", "c"}},
        {"data^-Data", {"b", "a", "B", "A", "c"}, {"a", "A", "b", "B", "c"}},
        // Plain comparison: digit runs compare as text.
        {"alphabetical", {"x10", "x9", "x100", "x1", "x2"}, {"x1", "x10", "x100", "x2", "x9"}},
        // Only unknown keys: nothing moves.
        {"unknown^other", {"c", "a", "b", "e", "d"}, {"c", "a", "b", "e", "d"}},
        {"", {"c", "a", "b"}, {"c", "a", "b"}},
    };
    for (const Case& c : cases) {
        auto table = FileTableOf(c.rows);
        SortTableBy(*table, c.keys);
        EXPECT_EQ(Column(*table, FieldData), c.sorted) << c.keys;
        EXPECT_EQ(table->SortSpec, c.keys);
    }
}

TEST(ItemTableSort, NaturalSortComparesDigitRunsAsNumbers) {
    auto table = TableOf({"x10", "x9", "x100", "x1", "x2", "file 3", "file 20"});
    table->NaturalSort = 1;
    SortTableBy(*table, "alphabetical");
    EXPECT_EQ(Column(*table, FieldData), (Texts{"file 3", "file 20", "x1", "x2", "x9", "x10", "x100"}));
}

TEST(ItemTableSort, NumberAndDateFieldsCompareByValue) {
    auto table = TableOf({"a", "b", "c", "d", "e"});
    const Int64 numbers[] = {10, -3, 9, 1000000000000, 0};
    const Double dates[] = {45000.5, 45000.25, 1.0, 60000.0, 30000.0};
    for (Integer row = 1; row <= 5; ++row) {
        SetFieldValue(*table, row, 71, Variant(numbers[row - 1]));
        SetFieldValue(*table, row, 70, Variant(dates[row - 1]));
    }
    SortTableBy(*table, "item71");
    EXPECT_EQ(Column(*table, FieldData), (Texts{"b", "e", "c", "a", "d"}));
    SortTableBy(*table, "-item70");
    EXPECT_EQ(Column(*table, FieldData), (Texts{"d", "a", "b", "e", "c"}));
}

TEST(ItemTableSort, RowsMoveWholeAndTheOriginalNumberRestoresCreationOrder) {
    auto table = FileTableOf({"d.x", "b.y", "a.z", "c.w", "e.v", "f.u"});
    for (Integer row = 1; row <= table->Count; ++row) SetFieldText(*table, row, 5, "row" + std::to_string(row));
    table->Rows[3].Included = 0;
    SortTableBy(*table, "alphabetical");
    EXPECT_EQ(Column(*table, FieldData), (Texts{"a.z", "b.y", "c.w", "d.x", "e.v", "f.u"}));
    EXPECT_EQ(Column(*table, 5), (Texts{"row3", "row2", "row4", "row1", "row5", "row6"}));
    EXPECT_EQ(Column(*table, 110), (Texts{"z", "y", "w", "x", "v", "u"}));
    EXPECT_EQ(Column(*table, FieldIncluded), (Texts{"", "i", "i", "i", "i", "i"}));
    SortTableBy(*table, "#orig");
    EXPECT_EQ(Column(*table, FieldData), (Texts{"d.x", "b.y", "a.z", "c.w", "e.v", "f.u"}));
}

TEST(ItemTableSort, LargeTablesSortAsAFullOrderWouldAndKeepEveryRow) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> letter('a', 'z');
    for (const Integer count : {5, 6, 7, 13, 100, 2000}) {
        Texts rows;
        for (Integer i = 0; i < count; ++i) {
            AnsiString text;
            for (int k = 0; k < 3; ++k) text += static_cast<char>(letter(random));
            rows.push_back(text + std::to_string(i));  // unique, so the order is fully decided
        }
        Texts expected = rows;
        std::sort(expected.begin(), expected.end());
        auto table = TableOf(rows);
        SortTableBy(*table, "alphabetical");
        EXPECT_EQ(Column(*table, FieldData), expected) << count;
        SortTableBy(*table, "-alphabetical");
        std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(Column(*table, FieldData), expected) << count;
        // Row numbers are the places before the sort: descending reverses whatever order there is.
        SortTableBy(*table, "-#");
        std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(Column(*table, FieldData), expected) << count;
    }
}

TEST(ItemTableSort, TheSpecIsParsedIntoSortKeys) {
    auto table = TableOf({});
    table->KeySeparator = "^";
    SortTableBy(*table, "-filenameext^Data^bogus^zzz|rest^-#orig");
    const SortKeyT* keys = table->SortKeys;
    EXPECT_EQ(keys[0].Field, 110);
    EXPECT_EQ(keys[0].Descending, 1);
    EXPECT_EQ(keys[0].CaseSensitive, 0);
    EXPECT_EQ(keys[0].KeyText, "filenameext");
    EXPECT_EQ(keys[1].Field, 0);
    EXPECT_EQ(keys[1].CaseSensitive, 1);
    EXPECT_EQ(keys[2].Field, 80);
    EXPECT_EQ(keys[2].SecondField, -1);
    EXPECT_EQ(keys[2].KeyText, "cell:zzz|rest");
    EXPECT_EQ(keys[2].RestText, "rest");
    EXPECT_EQ(keys[3].Field, FieldOriginalNumber);
    EXPECT_EQ(keys[3].Descending, 1);
    EXPECT_EQ(keys[4].Field, -1);

    // Past SortKeyCount keys the rest are not used.
    AnsiString many;
    for (int k = 0; k < 60; ++k) many += "alphabetical^";
    SortTableBy(*table, many + "-#");
    EXPECT_EQ(table->SortKeys[SortKeyCount - 1].Field, 0);
    EXPECT_EQ(table->SortKeys[SortKeyCount - 1].Descending, 0);
}

TEST(ItemTableSort, WithoutKeySeparatorEveryCharacterIsAKey) {
    auto table = TableOf({"b", "a", "C", "c", "B"});
    table->KeySeparator.clear();
    SortTableBy(*table, "\xD6");
    EXPECT_EQ(Column(*table, FieldData), (Texts{"B", "C", "a", "b", "c"}));
    SortTableBy(*table, "#x#");  // two row-number keys around an unknown one
    EXPECT_EQ(table->SortKeys[0].Field, FieldRowNumber);
    EXPECT_EQ(table->SortKeys[1].Field, FieldRowNumber);
    EXPECT_EQ(table->SortKeys[2].Field, -1);
}

TEST(ItemTableSort, BoundControlIsDisabledDuringTheSortAndGetsItsStateBack) {
    for (const bool enabled : {true, false}) {
        auto control = MakeOwned<EnabledLog>(nullptr);
        control->SetEnabled(enabled);
        control->Changes.clear();
        auto table = TableOf({"c", "a", "b", "e", "d", "f"});
        table->BoundControl = control.get();
        SortTable(*table);
        EXPECT_EQ(Column(*table, FieldData), (Texts{"a", "b", "c", "d", "e", "f"}));
        EXPECT_EQ(control->Changes, (std::vector<bool>{false, enabled}));
        EXPECT_EQ(control->Enabled(), enabled);
        EXPECT_EQ(table->Progress.Window, nullptr);
        EXPECT_EQ(table->Progress.Timer, nullptr);
    }
}

TEST(ItemTableSort, ATableChangedWhileTheProgressReportPumpsMessagesStopsTheSort) {
    auto changer = MakeOwned<TableChanger>(nullptr);
    auto table = TableOf({"c", "a", "b", "e", "d", "f"});
    changer->Table = table.get();
    table->BoundControl = changer.get();
    PostMessage(changer->Handle(), WM_USER, 0, 0);
    EXPECT_THROW(SortTableBy(*table, "alphabetical"), Exception);
    EXPECT_EQ(table->Count, 7);
    EXPECT_TRUE(changer->Enabled());
    EXPECT_EQ(table->Progress.Window, nullptr);
    EXPECT_EQ(table->Progress.Timer, nullptr);
}

TEST(ItemTableSort, ComputedTextFieldsAreTheOnesThatDoNotReadTheirStoredText) {
    auto table = TableOf({"x"});
    for (Integer field = 0; field <= LastField; ++field) {
        if (FieldNamesAt(*table, field).Kind != KindText) continue;
        SetFieldText(*table, 1, field, "stored");
        AnsiString text;
        GetFieldText(*table, 1, field, text, false);
        if (!IsComputedTextField(field)) {
            EXPECT_EQ(text, "stored") << field;
        }
    }
    for (const Integer field : {75, 89, 90, 96, 106, 107, 109, 110}) EXPECT_TRUE(IsComputedTextField(field)) << field;
}

TEST(ItemTableSort, SortedCharactersFieldListsTheNameCharactersInOrder) {
    auto table = FileTableOf({"cab.txt", "x.y", ".none", "bBa.q"});
    EXPECT_EQ(Column(*table, 90), (Texts{"a,b,c", "x", "", "B,a,b"}));
}

TEST(TextSorts, SortDelimitedCutsSortsNaturallyAndJoins) {
    struct Case {
        const char* s;
        const char* outSep;
        const char* seps;
        const char* sepsSep;
        const char* result;
    };
    const Case cases[] = {
        {"b10 a9 b9 A1", " ", "", "", "A1 a9 b9 b10"},
        {"pear, apple;  fig", "+", "", "", "apple+fig+pear"},
        {"c;b,,a", "|", ";|,", "|", "a|b|c"},
        {"c\r\nb\ra", "/", "\r\n,\r", ",", "a/b/c"},
        {"b--a----c", ",", "--", "", "a,b,c"},
        {"b,a", ";", ",", ",", "b,a"},  // only empty separators: one item
        {"", ",", "", "", ""},
        {"item2 item12 item1", ",", " ", "", "item1,item2,item12"},
    };
    for (const Case& c : cases) {
        AnsiString result = "stale";
        valstr::SortDelimited(c.s, c.outSep, c.seps, c.sepsSep, result);
        EXPECT_EQ(result, c.result) << c.s;
    }
}

TEST(TextSorts, SortCharsAndSortListItems) {
    struct Case {
        const char* s;
        const char* result;
    };
    for (const Case& c : {Case{"dBca", "Bacd"}, Case{"", ""}, Case{"zz1a", "1azz"},
                          Case{"b\xE4"
                               "a",
                               "ab\xE4"}}) {
        AnsiString result = "stale";
        valstr::SortChars(c.s, result);
        EXPECT_EQ(result, c.result) << c.s;
    }
    struct ListCase {
        const char* list;
        const char* sep;
        const char* result;
    };
    const ListCase lists[] = {
        {"zb,ya,xc", ",", "ya,zb,xc"},
        {"zb,ya,", ",", "ya,zb,"},
        {"", ",", ""},
        {"zb;;ya;;xc", ";;", "ya;;zb;;xc"},
        {"ba,dc", "", "ba,dc"},
        // A separator that overlaps itself: the cutting, not the last bytes, says whether one ends the list.
        {",,,", ",,", ",,,"},
        {"b,,a,,,", ",,", ",,,a,,b"},
        {"b,,a,,", ",,", "a,,b,,"},
        {",,", ",,", ",,"},
        {"aaa", "aa", "aaa"},
    };
    for (const ListCase& c : lists) {
        AnsiString result = "stale";
        valstr::SortListItems(c.list, c.sep, result);
        EXPECT_EQ(result, c.result) << c.list;
    }
}

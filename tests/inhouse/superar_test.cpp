// The item table: loading memo lines, reading and writing fields, growth, names, export.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <vcl/StdCtrls.h>
#include <vcl/SysUtils.h>

#include "superar.h"

using namespace superar;

namespace {

TOwned<TMemo> MemoWith(const AnsiString& Text) {
    auto memo = MakeOwned<TMemo>(nullptr);
    memo->SetText(Text);
    return memo;
}

// A table as the calculator's line table is: never initialised.
std::unique_ptr<ArrayOfFiles> ZeroTable() { return std::make_unique<ArrayOfFiles>(); }

std::unique_ptr<ArrayOfFiles> InitialisedTable() {
    auto table = std::make_unique<ArrayOfFiles>();
    InitTable(*table, 0);
    return table;
}

std::vector<AnsiString> FieldTexts(ArrayOfFiles& Table, Integer Field) {
    std::vector<AnsiString> texts;
    AnsiString text;
    for (Integer row = 1; row <= Table.Count; ++row) {
        GetFieldText(Table, row, Field, text, false);
        texts.push_back(text);
    }
    return texts;
}

AnsiString Text(ArrayOfFiles& Table, Integer Row, Integer Field, bool Formatted = false) {
    AnsiString text = "stale";
    GetFieldText(Table, Row, Field, text, Formatted);
    return text;
}

using Lines = std::vector<AnsiString>;

}  // namespace

TEST(ItemTable, LoadMemoLinesKeepsEmptyAndBlankLinesOnlyInAnInitialisedTable) {
    struct Case {
        const char* text;
        Lines initialised;
        Lines zero;
    };
    const Case cases[] = {
        {"", {}, {}},
        {"\r\n", {}, {}},
        {"a", {"a"}, {"a"}},
        {"a\r\nb\r\n", {"a", "b"}, {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}, {"a", "b"}},
        {"a\r\n\r\n", {"a"}, {"a"}},
        {"a\r\n\r\n\r\n", {"a", ""}, {"a"}},
        {"a\r\n \t\r\nb", {"a", " \t", "b"}, {"a", "b"}},
        {"a\nb\rc", {"a", "b", "c"}, {"a", "b", "c"}},
        {"\r\nx", {"", "x"}, {"x"}},
    };
    for (const Case& c : cases) {
        auto memo = MemoWith(c.text);
        auto initialised = InitialisedTable();
        EXPECT_EQ(LoadMemoLines(*initialised, memo.get(), 0), static_cast<Integer>(c.initialised.size())) << c.text;
        EXPECT_EQ(FieldTexts(*initialised, 0), c.initialised) << c.text;
        auto zero = ZeroTable();
        EXPECT_EQ(LoadMemoLines(*zero, memo.get(), 0), static_cast<Integer>(c.zero.size())) << c.text;
        EXPECT_EQ(FieldTexts(*zero, 0), c.zero) << c.text;
    }
}

TEST(ItemTable, LoadedRowsHaveNewRowDefaultsAndTrimmedStorage) {
    auto table = InitialisedTable();
    auto memo = MemoWith("x\r\n\r\nz");
    LoadMemoLines(*table, memo.get(), 0);
    ASSERT_EQ(table->Count, 3);
    EXPECT_EQ(RowCapacity(*table), 3);
    EXPECT_EQ(table->AddedRows, 3);
    for (Integer row = 1; row <= 3; ++row) {
        const DataRecT& r = table->Rows[static_cast<std::size_t>(row)];
        EXPECT_EQ(r.Included, 1);
        EXPECT_EQ(r.OriginalNumber, row);
        EXPECT_EQ(r.Info.Get().Size, Diskop::UnknownSize);
        EXPECT_EQ(r.Info.Get().Attributes, Diskop::AnyFileAttributes);
    }
    // A second load replaces the rows.
    auto other = MemoWith("q");
    EXPECT_EQ(LoadMemoLines(*table, other.get(), 0), 1);
    EXPECT_EQ(FieldTexts(*table, 0), Lines{"q"});
}

TEST(ItemTable, RowZeroIsTheLastRowAndRowsPastTheEndReadEmpty) {
    auto table = ZeroTable();
    auto memo = MemoWith("first\r\nlast");
    LoadMemoLines(*table, memo.get(), 0);
    EXPECT_EQ(Text(*table, 0, 0), "last");
    EXPECT_EQ(Text(*table, 1, 0), "first");
    EXPECT_EQ(Text(*table, 3, 0), "");
    EXPECT_EQ(Text(*table, -1, 0), "");
    EXPECT_EQ(Text(*table, 1, 114), "");
    EXPECT_EQ(Text(*table, 1, -1), "");
    EXPECT_EQ(Text(*table, 1, 112), "");  // a field the row never had
    AnsiString row;
    GetRowText(*table, 2, row);
    EXPECT_EQ(row, "last");
}

TEST(ItemTable, WritingPastTheEndGrowsAndWritingBelowRowOneIsIgnored) {
    auto table = InitialisedTable();
    AddRowWithText(*table, "one", 0);
    SetFieldValue(*table, table->Count + 5, 3, Variant("six"));
    EXPECT_EQ(table->Count, 6);
    EXPECT_EQ(table->AddedRows, 6);
    EXPECT_EQ(Text(*table, 6, 3), "six");
    EXPECT_EQ(Text(*table, 4, 0), "");
    EXPECT_EQ(table->Rows[4].OriginalNumber, 4);

    auto empty = ZeroTable();
    SetFieldValue(*empty, 0, 0, Variant("x"));  // row 0 of an empty table is no row
    SetFieldValue(*empty, -3, 0, Variant("x"));
    SetFieldValue(*empty, 1, 114, Variant("x"));
    EXPECT_EQ(empty->Count, 0);
}

TEST(ItemTable, RowStorageGrowsByAQuarterPlusTenBetweenFiftyAndTenThousand) {
    struct Step {
        Integer growTo;  // through ResolveRow with Grow
        Integer capacity;
    };
    const std::vector<Step> steps = {
        {1, 51},           // Count 0: at least 50 extra
        {51, 51},          // fits
        {52, 102},         // Count 51: 51/4 + 10 = 22, so 50
        {1000, 1050},      // Count 52: 50
        {1051, 1311},      // Count 1000: 260
        {100000, 100272},  // Count 1051: 272
        {100273, 110273},  // Count 100000: 25010, at most 10000
    };
    auto table = ZeroTable();
    for (const Step& step : steps) {
        Integer row = step.growTo;
        ASSERT_FALSE(ResolveRow(*table, row, true));
        EXPECT_EQ(table->Count, step.growTo);
        EXPECT_EQ(RowCapacity(*table), step.capacity) << step.growTo;
    }
    auto exact = std::make_unique<ArrayOfFiles>();
    InitTable(*exact, 7);
    EXPECT_EQ(RowCapacity(*exact), 7);
    EXPECT_EQ(exact->Count, 0);
    SetRowCapacity(*exact, 0, false);  // below one clears
    EXPECT_EQ(RowCapacity(*exact), 0);
}

TEST(ItemTable, FieldArrayGrowsToFieldPlusTwoUpTo68AndFieldPlusElevenAfter) {
    const std::pair<Integer, std::size_t> cases[] = {{0, 1}, {1, 3}, {10, 12}, {68, 70}, {69, 80}, {113, 124}};
    for (auto [field, size] : cases) {
        auto table = ZeroTable();
        AddRowWithText(*table, "x", field);
        EXPECT_EQ(table->Rows[1].Texts.size(), size) << field;
    }
}

TEST(ItemTable, WriteFieldToMemoJoinsTheSelectedRowsWithCrLf) {
    auto table = ZeroTable();
    auto input = MemoWith("1\r\n2\r\n3");
    LoadMemoLines(*table, input.get(), 0);
    auto output = MemoWith("old");

    WriteFieldToMemo(*table, output.get(), 10, false);  // no row has field 10
    EXPECT_EQ(output->Text(), "\r\n\r\n");

    for (Integer row = 1; row <= 3; ++row) SetFieldText(*table, row, 10, "r" + IntToStr(row));
    WriteFieldToMemo(*table, output.get(), 10, false);
    EXPECT_EQ(output->Text(), "r1\r\nr2\r\nr3");

    table->Rows[2].Included = 0;
    WriteFieldToMemo(*table, output.get(), 10, false);
    EXPECT_EQ(output->Text(), "r1\r\nr3");

    auto empty = ZeroTable();
    WriteFieldToMemo(*empty, output.get(), 0, false);
    EXPECT_EQ(output->Text(), "");
}

TEST(ItemTable, WriteFieldToMemoAppendsAfterWhatTheMemoHoldsOnceCleared) {
    auto table = ZeroTable();
    AddRowWithText(*table, "A", 0);
    AddRowWithText(*table, "B", 0);
    auto memo = MemoWith("old");
    int changes = 0;
    memo->OnChange = [&](TObject*) {
        ++changes;
        if (memo->Text().empty()) memo->SetText("head");
    };
    WriteFieldToMemo(*table, memo.get(), 0, false);
    EXPECT_EQ(memo->Text(), "head\r\nA\r\nB");
}

TEST(ItemTable, FindRowByTextSkipsExcludedRowsAndFollowsUniqueIgnoreCase) {
    auto table = InitialisedTable();
    for (const char* line : {"alpha", "Beta", "beta", "gamma"}) AddRowWithText(*table, line, 0);
    EXPECT_EQ(FindRowByText(*table, "BETA", 0, false), 2);
    table->Rows[2].Included = 0;
    EXPECT_EQ(FindRowByText(*table, "BETA", 0, false), 3);
    table->UniqueIgnoreCase = 0;
    EXPECT_EQ(FindRowByText(*table, "BETA", 0, false), 0);
    EXPECT_EQ(FindRowByText(*table, "beta", 0, false), 3);
    EXPECT_EQ(FindRowByText(*table, "delta", 0, false), 0);
    EXPECT_TRUE(IsRowSkipped(*table, 2));
    EXPECT_TRUE(IsRowSkipped(*table, 0));
    EXPECT_TRUE(IsRowSkipped(*table, 5));
    EXPECT_FALSE(IsRowSkipped(*table, 4));
}

TEST(ItemTable, UniqueRowsDropRepeatedLinesWithOrWithoutCase) {
    struct Case {
        Byte ignoreCase;
        Lines rows;
    };
    const Case cases[] = {{1, {"Abc", "ABD"}}, {0, {"Abc", "abc", "ABD"}}};
    for (const Case& c : cases) {
        auto table = InitialisedTable();
        table->UniqueRows = 1;
        table->UniqueIgnoreCase = c.ignoreCase;
        auto memo = MemoWith("Abc\r\nabc\r\nABD\r\nabc\r\nAbc");
        LoadMemoLines(*table, memo.get(), 0);
        EXPECT_EQ(FieldTexts(*table, 0), c.rows) << int(c.ignoreCase);
    }
}

// Thousands of lines, repeats near and far in any letter case: the first of equal lines is kept, in order.
TEST(ItemTable, UniqueRowsKeepTheFirstOfManyRepeatedLines) {
    std::mt19937 random(5);
    AnsiString text;
    Lines lines;
    for (int i = 0; i < 3000; ++i) {
        AnsiString line = "Word" + std::to_string(random() % (i % 2 ? 40 : 1500));
        if (random() % 2) line = AnsiUpperCase(line);
        lines.push_back(line);
        text += line + "\r\n";
    }
    for (const Byte ignoreCase : {Byte(0), Byte(1)}) {
        SCOPED_TRACE(int(ignoreCase));
        Lines expected;
        for (const AnsiString& line : lines) {
            const auto same = [&](const AnsiString& row) {
                return ignoreCase ? AnsiLowerCase(row) == AnsiLowerCase(line) : row == line;
            };
            if (std::none_of(expected.begin(), expected.end(), same)) expected.push_back(line);
        }
        auto table = InitialisedTable();
        table->UniqueRows = 1;
        table->UniqueIgnoreCase = ignoreCase;
        auto memo = MemoWith(text);
        LoadMemoLines(*table, memo.get(), 0);
        EXPECT_EQ(FieldTexts(*table, 0), expected);
        // Again over the rows just loaded: their storage is handed on, the index made anew.
        LoadMemoLines(*table, memo.get(), 0);
        EXPECT_EQ(FieldTexts(*table, 0), expected);
    }
}

TEST(ItemTable, ComputedFieldsOfRowsAndFiles) {
    auto table = InitialisedTable();
    AddRowWithText(*table, "line", 0);
    AddRowWithText(*table, "other", 0);
    Diskop::FileInfoT& info = table->Rows[2].Info.Edit();
    info.Texts[0] = "c:\\dir\\Report12.txt";
    info.Texts[1] = "second";
    info.Texts[2] = "Report12.txt";
    info.Texts[6] = "Report12";
    info.Texts[7] = "eighth";
    info.Texts[8] = "txt";
    info.Size = 4096;
    info.Dates[0].Zodiac = 5;
    info.Dates[0].Weekday = 3;
    SetFieldText(*table, 1, 54, "[]");

    struct Case {
        Integer row;
        Integer field;
        const char* text;
    };
    const Case cases[] = {
        {1, 69, "1"},
        {2, 69, "2"},
        {2, 88, "2"},
        {1, 96, "i"},
        {1, 99, "a"},
        {2, 99, "b"},
        {2, 107, "c:\\dir\\Report12.txt"},
        {2, 106, "second"},
        {2, 108, "Report12.txt"},
        {2, 109, "Report12"},
        {2, 110, "txt"},
        {2, 111, "eighth"},
        {2, 75, "21tropeR"},
        {2, 85, "txt"},
        {2, 86, "12"},
        {2, 87, ""},
        {2, 89, "1"},
        {2, 76, "8"},
        {2, 77, "3"},
        {2, 78, "6"},
        {2, 79, "12"},
        {2, 82, "4096"},
        {1, 82, "-2"},
        {2, 74, "5"},
        {2, 81, "3"},
        {1, 51, ""},
        {2, 51, "Report12.txt"},  // an empty name takes field 108
        {1, 94, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Text(*table, c.row, c.field), c.text) << c.row << ":" << c.field;

    const AnsiString random = Text(*table, 1, 72);
    EXPECT_TRUE(random == "0" || random == "1");

    table->Rows[1].Included = 0;
    EXPECT_EQ(Text(*table, 1, 96), "");
}

TEST(ItemTable, CaseFieldsCompareEqualOnlyInCaseOrNot) {
    const char* cases[][3] = {{"abc", "abc", ""}, {"abc", "ABC", "x"}, {"abc", "abd", "X"}};
    for (auto& c : cases) {
        auto table = InitialisedTable();
        table->CaseFieldA = 1;
        table->CaseFieldB = 2;
        SetFieldText(*table, 1, 1, c[0]);
        SetFieldText(*table, 1, 2, c[1]);
        EXPECT_EQ(Text(*table, 1, 94), c[2]) << c[0] << " " << c[1];
    }
}

TEST(ItemTable, ComputedFieldNamingItselfEndsAtItsStoredText) {
    auto table = InitialisedTable();
    table->CaseFieldA = 94;
    table->CaseFieldB = 94;
    SetFieldText(*table, 1, 94, "kept");
    EXPECT_EQ(Text(*table, 1, 94), "");  // equal fields, however deep the reading went
    table->CaseFieldB = 0;
    EXPECT_EQ(Text(*table, 1, 94), "X");
}

TEST(ItemTable, IntegerFieldsStoreTheValueAndRefuseWhatIsNoNumber) {
    auto table = InitialisedTable();
    SetFieldValue(*table, 1, 71, Variant("42"));
    EXPECT_EQ(Text(*table, 1, 71), "42");
    EXPECT_EQ(GetFieldInt(*table, 1, 71), 42);
    SetFieldValue(*table, 1, 71, Variant(Int64{7}));
    EXPECT_EQ(table->Rows[1].Texts.Text(71), "7");
    EXPECT_THROW(SetFieldValue(*table, 1, 71, Variant("many")), EVariantError);
    EXPECT_EQ(GetFieldInt(*table, 1, 71), 7);
    EXPECT_EQ(table->Rows[1].Texts.Text(71), "7");
    // A zero table knows no kinds: the same field is text there.
    auto zero = ZeroTable();
    SetFieldText(*zero, 1, 71, "many");
    EXPECT_EQ(Text(*zero, 1, 71), "many");
    EXPECT_EQ(Text(*zero, 1, 69), "");
}

TEST(ItemTable, FormattedTextIsGroupedWhenTheFieldSaysSoAndGetsItsSuffix) {
    auto table = InitialisedTable();
    SetFieldText(*table, 1, 5, "1234567");
    EXPECT_EQ(Text(*table, 1, 5, true), "1234567");
    table->FieldNames[5].GroupFlag = 1;
    table->FieldNames[5].Suffix = " B";
    EXPECT_EQ(Text(*table, 1, 5, true), "1'234'567 B");
    EXPECT_EQ(Text(*table, 1, 5, false), "1234567");
    EXPECT_EQ(valstr::DigitGroupSeparator(), "'");
    valstr::SetDigitGroupSeparator("");
}

TEST(ItemTable, AnAliasBelongsToOneFieldOnly) {
    auto table = InitialisedTable();
    Integer field = -1;
    ASSERT_TRUE(FindFieldByName(*table, "ext", field, false));
    EXPECT_EQ(field, 110);
    DefineFieldName(*table, 5, SlotAliases, ",", true, "EXT,five");
    ASSERT_TRUE(FindFieldByName(*table, "Ext", field, false));
    EXPECT_EQ(field, 5);
    AnsiString aliases;
    GetFieldName(*table, 110, SlotAliases, aliases, false);
    EXPECT_EQ(aliases, "filenameext");
    GetFieldName(*table, 5, SlotAliases, aliases, false);
    EXPECT_EQ(aliases, "ext,five");
    DefineFieldName(*table, 5, SlotAliases, ",", true, "five");
    GetFieldName(*table, 5, SlotAliases, aliases, false);
    EXPECT_EQ(aliases, "ext,five");
}

TEST(ItemTable, BuiltInNamesFindTheirFields) {
    auto table = InitialisedTable();
    const std::pair<const char*, Integer> cases[] = {
        {"alphabetical", 0},
        {"data", 0},
        {"\xD6", 0},
        {"\xF6", 0},
        {"#", 69},
        {"Number", 69},
        {"original number", 88},
        {"numberoriginal", -1},
        {"included", 96},
        {"filesize", 82},
        {"alphabetgroup", 100},
        {"filepath", 107},
        {"filenamename", 109},
        {"filenameext", 110},
        {"nothing", -1},
    };
    for (auto [name, expected] : cases) {
        Integer field = -1;
        EXPECT_EQ(FindFieldByName(*table, name, field, false), expected >= 0) << name;
        if (expected >= 0) {
            EXPECT_EQ(field, expected) << name;
        }
    }
    EXPECT_EQ(table->FieldNames[70].Kind, KindDate);
    EXPECT_EQ(table->FieldNames[83].Kind, KindTime);
    EXPECT_EQ(table->FieldNames[91].Kind, KindInteger);
    EXPECT_EQ(table->FieldNames[0].Kind, KindText);
}

TEST(ItemTable, FieldNamesWithAndWithoutDefaults) {
    auto table = InitialisedTable();
    SetFieldNames(*table, 20, "File Size;size2;;extra");
    DefineFieldName(*table, 20, SlotGroupName, "", false, "Files");
    DefineFieldName(*table, 30, 6, "/", true, "a");
    DefineFieldName(*table, 30, 6, "/", true, "b");
    DefineFieldName(*table, 31, SlotDisplayName, "", false, "invisibleHidden");
    struct Case {
        Integer field;
        Integer slot;
        bool defaults;
        const char* name;
    };
    const Case cases[] = {
        {20, 1, false, "File Size"},
        {20, 2, false, "size2"},
        {20, 3, false, "file size"},
        {20, 6, false, "extra"},
        {20, 5, false, "Files|File Size"},
        {20, 3, true, "file size,File Size,filesize"},
        {5, 1, false, ""},
        {5, 1, true, "Item05"},
        {5, 2, true, "Item05"},
        {5, 8, true, "Item05"},
        {5, 4, true, ""},
        {5, 3, true, "Item05,item05"},
        {5, 5, true, "|Item05"},
        {30, 6, false, "a/b"},
        {31, 1, false, "Hidden"},
        {31, 8, false, "i"},
        {114, 1, true, ""},
        {5, 9, true, ""},
    };
    for (const Case& c : cases) {
        AnsiString name = "stale";
        GetFieldName(*table, c.field, c.slot, name, c.defaults);
        EXPECT_EQ(name, c.name) << c.field << "/" << c.slot << "/" << c.defaults;
    }
    Integer field = -1;
    EXPECT_TRUE(FindFieldByName(*table, "item05", field, true));
    EXPECT_EQ(field, 5);
    DefineFieldName(*table, 31, SlotDisplayName, "", false, "Shown");
    AnsiString invisible;
    GetFieldName(*table, 31, SlotInvisible, invisible, false);
    EXPECT_EQ(invisible, "");
}

TEST(ItemTable, BackedFieldsReadTheirTextFromTheFile) {
    const auto folder = std::filesystem::temp_directory_path() / ("superar_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto first = folder / "first.dat";
    const auto second = folder / "second.dat";
    std::ofstream(first, std::ios::binary) << "helloworld";
    std::ofstream(second, std::ios::binary) << "0123456789";

    auto table = InitialisedTable();
    table->BackingFiles[20] = first.string();
    table->BackingFiles[21] = second.string();
    SetFieldText(*table, 1, 20, "5");
    SetFieldText(*table, 1, 21, "2");
    SetFieldText(*table, 1, FieldBackingLength, "3");
    EXPECT_EQ(Text(*table, 1, 20), "wor");
    EXPECT_TRUE(Diskop::IsOpenHandle(table->BackingHandle));
    EXPECT_EQ(Text(*table, 1, 21), "234");  // another field's file
    EXPECT_EQ(Text(*table, 1, 20), "wor");
    SetFieldText(*table, 1, FieldBackingLength, "99");
    EXPECT_EQ(Text(*table, 1, 20), "world");  // stops at the end of the file
    SetFieldText(*table, 1, 20, "nonsense");
    EXPECT_EQ(Text(*table, 1, 20), "");
    ClearTable(*table);
    EXPECT_EQ(table->BackingHandle, Varpre::NoValue);
    std::filesystem::remove_all(folder);
}

TEST(ItemTable, ClearTableKeepsNamesAndOptionsAndZeroHandleIsNeverClosed) {
    auto table = InitialisedTable();
    AddRowWithText(*table, "x", 0);
    table->Selection = "1-";
    table->StatusText1 = "s";
    table->UniqueRows = 1;
    ClearTable(*table);
    EXPECT_EQ(table->Count, 0);
    EXPECT_EQ(table->AddedRows, 0);
    EXPECT_TRUE(table->Rows.empty());
    EXPECT_EQ(table->Selection, "");
    EXPECT_EQ(table->StatusText1, "");
    EXPECT_EQ(table->StatusIndex, Varpre::NoValue);
    EXPECT_EQ(table->Reserved1, -1);
    EXPECT_EQ(table->UniqueRows, 1);
    EXPECT_EQ(table->FieldNames[69].Kind, KindInteger);

    auto zero = ZeroTable();  // its handle is 0: standard input must survive the reset
    ClearTable(*zero);
    EXPECT_NE(::fcntl(0, F_GETFD), -1);
}

TEST(ItemTable, FieldsInsideTheGrownArrayThatWereNeverWrittenReadEmpty) {
    DataTextT texts;
    EXPECT_EQ(texts.size(), 1u);
    texts.SetText(0, "line");
    texts.resize(12);
    texts.SetText(10, "result");
    texts.SetIntValue(3, 7);
    EXPECT_EQ(texts.Text(0), "line");
    EXPECT_EQ(texts.Text(5), "");
    EXPECT_EQ(texts.Text(10), "result");
    EXPECT_EQ(texts.IntValue(3), 7);
    EXPECT_EQ(texts.Text(3), "");
    texts.resize(4);  // shrinking drops what lies beyond
    texts.resize(12);
    EXPECT_EQ(texts.Text(10), "");
    EXPECT_EQ(texts.IntValue(3), 7);
    EXPECT_EQ(texts.size(), 12u);
}

// Each field keeps its text and numbers whatever its neighbours do: texts growing past the one-byte
// length, numbers set and cleared, appends, texts taken from the row itself, copies and reuse.
TEST(ItemTable, RowFieldsKeepTheirOwnTextAndNumbersThroughEveryChange) {
    DataTextT texts;
    texts.resize(124);
    std::vector<std::string> expected(124);
    std::vector<Int64> ints(124, 0);
    std::vector<Double> floats(124, 0.0);
    std::unique_ptr<DataTextT> copied;
    std::vector<std::string> copiedTexts;
    std::mt19937 random(3);
    auto check = [&](const DataTextT& Row, const char* Step) {
        for (std::size_t field = 0; field < 124; ++field) {
            ASSERT_EQ(Row.Text(field), expected[field]) << Step << " field " << field;
            ASSERT_EQ(Row.IntValue(field), ints[field]) << Step << " field " << field;
            ASSERT_EQ(Row.FloatValue(field), floats[field]) << Step << " field " << field;
        }
    };
    for (int step = 0; step < 3000; ++step) {
        const std::size_t field = random() % 124;
        switch (random() % 6) {
            case 0: {
                const std::string text(random() % 3 == 0 ? 200 + random() % 200 : random() % 20, char('a' + step % 26));
                texts.SetText(field, text);
                expected[field] = text;
                break;
            }
            case 1: {
                const std::string more(random() % 90, char('A' + step % 26));
                texts.AppendText(field, more);
                expected[field] += more;
                break;
            }
            case 2: {
                const Int64 value = random() % 2 ? 0 : static_cast<Int64>(random()) - 1000000;
                texts.SetIntValue(field, value);
                ints[field] = value;
                break;
            }
            case 3: {
                const Double value = random() % 2 ? 0.0 : random() / 7.0;
                texts.SetFloatValue(field, value);
                floats[field] = value;
                break;
            }
            case 4: {
                // A text of this row written into another field.
                const std::size_t from = random() % 124;
                const std::string copy = expected[from];
                texts.SetText(field, texts.Text(from));
                expected[field] = copy;
                break;
            }
            default: {
                // A copy is a row of its own: it keeps what it had while the first changes, and its end
                // takes nothing of the first's.
                copied = std::make_unique<DataTextT>(texts);
                copiedTexts = expected;
                check(*copied, "copy");
                break;
            }
        }
        check(texts, "change");
        if (copied) {
            for (std::size_t f = 0; f < 124; ++f) ASSERT_EQ(copied->Text(f), copiedTexts[f]) << "copy field " << f;
        }
        if (HasFailure()) return;
    }
    // Shrinking and a new load drop texts long and short alike.
    texts.resize(60);
    for (std::size_t field = 0; field < 60; ++field) ASSERT_EQ(texts.Text(field), expected[field]);
    EXPECT_EQ(texts.Text(100), "");
    // A row given the storage another row left starts with no field written.
    SpareRowStorageT spare;
    spare.Keep(texts);
    EXPECT_FALSE(texts.HoldsStorage());
    EXPECT_EQ(texts.Text(5), "");
    DataTextT reused;
    EXPECT_TRUE(spare.GiveTo(reused));
    EXPECT_FALSE(spare.GiveTo(texts));
    EXPECT_TRUE(reused.HoldsStorage());
    EXPECT_EQ(reused.size(), 1u);
    EXPECT_EQ(reused.Text(0), "");
    reused.SetText(0, "again");
    EXPECT_EQ(reused.Text(0), "again");
}
// A reload gives the rows a fresh load gives; only the rows between the unchanged lines at either end are
// made anew, the others keep their results (field 10).
TEST(ItemTable, ReloadMemoLinesRemakesOnlyTheRowsOfChangedLines) {
    struct Case {
        const char* before;
        const char* after;
        Integer first, last;
        bool initialised = false;
        Integer unmade = 0;  // a row whose result is cleared before the reload
        bool unique = false;
    };
    const Case cases[] = {
        {"1\r\n2\r\n3", "1\r\n2\r\n37", 3, 3},
        {"1\r\n2\r\n3", "1\r\n2\r\n3\r\n7", 4, 4},
        {"1\r\n2\r\n3\r\n7", "1\r\n2\r\n3\r\n", 4, 3},
        {"1\r\n2\r\n3", "1\r\n5\r\n3", 2, 2},
        {"1\r\n2\r\n3", "1\r\n8\r\n9\r\n2\r\n3", 2, 3},
        {"1\r\n2\r\n3\r\n4", "1\r\n4", 2, 1},
        {"1\r\n2\r\n3", "0\r\n1\r\n2\r\n3", 1, 1},
        {"a\r\na", "a", 2, 1},
        {"a", "a\r\na\r\na", 2, 3},
        {"1\r\n2", "1\r\n2", 3, 2},
        {"1\r\n2", "3\r\n4", 1, 2},
        {"1\r\n2", "", 1, 0},
        {"1\n\n2\r3", "1\n \n2\r3\r\n4", 4, 4},
        {"1\r\n\r\n2", "1\r\n\r\n\r\n2", 3, 3, true},
        {"1\r\n2\r\n3", "1\r\n2\r\n3", 2, 2, false, 2},
        {"1\r\n2\r\n3", "1\r\n2\r\n3\r\n4", 1, 4, false, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " -> " + c.after);
        auto table = c.initialised ? InitialisedTable() : ZeroTable();
        table->UniqueRows = c.unique ? 1 : 0;
        auto memo = MemoWith(c.before);
        LoadMemoLines(*table, memo.get(), 0);
        for (Integer row = 1; row <= table->Count; ++row)
            SetFieldText(*table, row, 10, row == c.unmade ? AnsiString() : "made from " + Text(*table, row, 0));
        memo->SetText(c.after);
        Integer first = -1, last = -1;
        const Integer count = ReloadMemoLines(*table, memo.get(), 0, 10, first, last);

        auto fresh = c.initialised ? InitialisedTable() : ZeroTable();
        fresh->UniqueRows = table->UniqueRows;
        ASSERT_EQ(count, LoadMemoLines(*fresh, memo.get(), 0));
        EXPECT_EQ(count, table->Count);
        EXPECT_EQ(FieldTexts(*table, 0), FieldTexts(*fresh, 0));
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(last, c.last);
        for (Integer row = 1; row <= count; ++row) {
            const bool made = row >= first && row <= last;
            EXPECT_EQ(Text(*table, row, 10), made ? AnsiString() : "made from " + Text(*table, row, 0)) << row;
            EXPECT_EQ(table->Rows[static_cast<std::size_t>(row)].OriginalNumber, row);
            EXPECT_EQ(table->Rows[static_cast<std::size_t>(row)].Included, 1);
        }
    }
}

// Delimited text files loaded into the grid: the delimiter guess, quoted fields, line ends, the OEM code
// page, appending over a floating footer, progress, and what a failure leaves.
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ProGrid.h"
#include "support/EventCounter.h"
#include "support/FormFixture.h"
#include "support/TempPath.h"

using namespace ProGrid;

namespace {

using TRows = std::vector<std::vector<AnsiString>>;

class ProGridImportCSVTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<RAdeRedeviDidi>(0, 0, 320, 240);
    }
    // A file holding Bytes; its name.
    AnsiString File(const std::string& Bytes, const std::string& Name = "import.csv") {
        const std::string path = ProcessTempPath(Name);
        std::ofstream(path, std::ios::binary) << Bytes;
        return path;
    }
    // The texts of rows From.. (all of them), each as wide as its longest row's fields.
    TRows Cells(Integer From = 0) const {
        TRows rows;
        for (Integer r = From; r < grid->RowCount(); ++r) {
            std::vector<AnsiString> row;
            for (Integer c = 0; c < grid->ColCount(); ++c) row.push_back(grid->Cells(c, r));
            while (!row.empty() && row.back().empty()) row.pop_back();
            rows.push_back(row);
        }
        return rows;
    }
    // Rows x 3 cells "r<row>c<col>".
    void Fill(Integer Rows) {
        grid->SetColCount(3);
        grid->SetRowCount(Rows);
        for (Integer r = 0; r < Rows; ++r)
            for (Integer c = 0; c < 3; ++c) grid->SetCells(c, r, "r" + std::to_string(r) + "c" + std::to_string(c));
    }

    RAdeRedeviDidi* grid = nullptr;
};

TEST_F(ProGridImportCSVTest, FieldsAsTheFileWritesThem) {
    struct Case {
        const char* name;
        std::string bytes;
        TRows rows;
        char delimiter = '\0';
        bool tildes = false;
    };
    const Case cases[] = {
        {"same count in both lines", "a;b;c\n1;2;3", {{"a", "b", "c"}, {"1", "2", "3"}}},
        {"a tie keeps the earlier", "a,b;c\n1,2;3", {{"a", "b;c"}, {"1", "2;3"}}},
        {"one line: the most found", "a|b|c", {{"a", "b", "c"}}},
        {"counts differ: any count", "a#b#c\n1#2", {{"a", "b", "c"}, {"1", "2"}}},
        {"doubled quotes stay once", "\"x,\"\"y\"\"\",z", {{"x,\"y\"", "z"}}},
        {"quoted last field", "a,\"b,c\"", {{"a", "b,c"}}},
        {"text after the closing quote", "\"a\"x,b", {{"a", "b"}}},
        {"unclosed quote: empty, ends at the delimiter", "\"abc,def", {{"", "def"}}},
        {"single quotes dropped", "a\"b,c", {{"ab", "c"}}},
        {"empty fields", "a,,b,", {{"a", "", "b"}}},
        {"no candidate: one field", "hello world\nbye", {{"hello world"}, {"bye"}}},
        {"the set delimiter", "a,b;c\nd", {{"a,b", "c"}, {"d"}}, ';'},
        {"tilde line breaks", "one~two,x", {{"one\r\ntwo", "x"}}, '\0', true},
        {"tildes as they are", "one~two,x", {{"one~two", "x"}}},
        {"CR, LF and CR LF end lines", "a,b\r\nc,d\re,f\ng,h", {{"a", "b"}, {"c", "d"}, {"e", "f"}, {"g", "h"}}},
        {"empty line is an empty row", "a,b\n\nc,d\n", {{"a", "b"}, {}, {"c", "d"}}},
        {"Ctrl-Z ends the text",
         "a,b\n\x1A"
         "c,d",
         {{"a", "b"}}},
        {"the BOM stays in the first cell",
         "\xEF\xBB\xBF"
         "a,b",
         {{"\xEF\xBB\xBF"
           "a",
           "b"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->ClearAll();  // a load writes its fields only
        grid->SetColCount(1);
        grid->SetDelimiter(c.delimiter);
        grid->SetTildeLineBreaks(c.tildes);
        grid->LoadFromCSV(File(c.bytes));
        EXPECT_EQ(Cells(), c.rows);
        EXPECT_EQ(grid->RowCount(), static_cast<Integer>(c.rows.size()) + (c.rows.empty() ? 1 : 0));
        EXPECT_EQ(grid->Delimiter(), c.delimiter) << "the setting comes back";
    }
}

TEST_F(ProGridImportCSVTest, OemConvertReadsTheOemCodePage) {
    const AnsiString name = File("\x81\x9C;\xE1\n");  // u umlaut, pound sign, sharp s in code page 437
    grid->LoadFromCSV(name);
    EXPECT_EQ(Cells(), (TRows{{"\x81\x9C", "\xE1"}}));
    grid->SetOemConvert(true);
    grid->LoadFromCSV(name);
    EXPECT_EQ(Cells(), (TRows{{"\xFC\xA3", "\xDF"}}));
}

TEST_F(ProGridImportCSVTest, AMissingFileChangesNothing) {
    Fill(4);
    const TRows before = Cells();
    EventCounter changes;
    changes.Hook(grid->OnCellsChanged);
    const AnsiString name = testing::TempDir() + "no_such.csv";
    try {
        grid->LoadFromCSVEx(name, true);
        FAIL() << "no exception";
    } catch (const EProGridError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file " + name);
    }
    EXPECT_EQ(Cells(), before);
    EXPECT_EQ(changes.Count(), 0);
}

TEST_F(ProGridImportCSVTest, AWindows1252NameOpensItsUtf8File) {
    const AnsiString name = File("x,y", "caf\xC3\xA9.csv");
    grid->LoadFromCSV(name.substr(0, name.size() - 6) + "\xE9.csv");
    EXPECT_EQ(Cells(), (TRows{{"x", "y"}}));
}

TEST_F(ProGridImportCSVTest, LoadingEndsWithOneChangeOverTheGridAndCountsRowsOnce) {
    std::string bytes;
    for (int i = 0; i < 2500; ++i) bytes += std::to_string(i) + ",x\n";
    std::vector<TRect> reported;
    grid->OnCellsChanged = [&](TObject*, const TRect& R) { reported.push_back(R); };
    grid->LoadFromCSV(File(bytes));
    EXPECT_EQ(grid->RowCount(), 2500);
    EXPECT_EQ(grid->Cells(0, 2499), "2499");
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], TRect(0, 0, grid->ColCount(), 2500));
}

TEST_F(ProGridImportCSVTest, AppendedRowsFollowTheRowsThereAre) {
    struct Case {
        const char* name;
        bool footer;
        TFooterStyle style;
    };
    const Case cases[] = {
        {"no footer", false, fsFixedLastRow},
        // The preview footer shows no row of the grid: the last row is data and stays.
        {"a preview footer", true, fsColumnPreview},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(3);
        grid->FloatingFooter()->SetFooterStyle(c.style);
        grid->FloatingFooter()->SetVisible(c.footer);
        grid->LoadFromCSVEx(File("a,b\nc,d"), true);
        EXPECT_EQ(
            Cells(),
            (TRows{
                {"r0c0", "r0c1", "r0c2"}, {"r1c0", "r1c1", "r1c2"}, {"r2c0", "r2c1", "r2c2"}, {"a", "b"}, {"c", "d"}}));
        grid->FloatingFooter()->SetVisible(false);
    }
}

TEST_F(ProGridImportCSVTest, AppendingKeepsTheFloatingFooterRowLast) {
    Fill(3);
    grid->SetCells(1, 1, "2");
    grid->SetCells(1, 2, "");
    grid->FloatingFooter()->SetVisible(true);
    ASSERT_EQ(grid->FixedFooters(), 1);
    grid->GetCellProperties(1, 2)->SetCalcType(1);  // the footer row sums column 1
    grid->SetRowHeights(2, 30);
    grid->LoadFromCSVEx(File("a,5\nb,7\n"), true);
    ASSERT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(
        Cells(),
        (TRows{{"r0c0", "r0c1", "r0c2"}, {"r1c0", "2", "r1c2"}, {"a", "5"}, {"b", "7"}, {"r2c0", "14.00", "r2c2"}}));
    EXPECT_TRUE(grid->HasCellProperties(1, 4)) << "the footer's calculation came along";
    EXPECT_FALSE(grid->HasCellProperties(1, 2));
    EXPECT_EQ(grid->RowHeights(4), 30);
    // Loaded again without appending, the rows simply run from the top.
    grid->LoadFromCSV(File("x\ny\nz\n"));
    EXPECT_EQ(grid->RowCount(), 4) << "three rows and the footer";
}

TEST_F(ProGridImportCSVTest, ProgressGoesByLinesReadWhenAsked) {
    struct Case {
        int lines;
        std::vector<SmallInt> reported;
    };
    const Case cases[] = {
        {1, {100}}, {3, {33, 67, 100}}, {4, {25, 50, 75, 100}},
        {0, {}},    {300, {}},  // every percent once: checked by count below
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        std::string bytes;
        for (int i = 0; i < c.lines; ++i) bytes += "v;" + std::to_string(i) + "\n";
        std::vector<SmallInt> reported;
        grid->OnFileProgress = [&](TObject* Sender, SmallInt Progress) {
            EXPECT_EQ(Sender, grid);
            reported.push_back(Progress);
        };
        grid->LoadFromCSV(File(bytes));
        EXPECT_EQ(grid->RowCount(), std::max(c.lines, 1));
        if (c.lines == 300) {
            EXPECT_EQ(reported.size(), 100u);
        } else {
            EXPECT_EQ(reported, c.reported);
        }
    }
}

TEST_F(ProGridImportCSVTest, AnAbortedLoadKeepsWhatItReadAndTheSettings) {
    Fill(3);
    grid->FloatingFooter()->SetVisible(true);
    grid->OnFileProgress = [](TObject*, SmallInt Progress) {
        if (Progress >= 50) throw std::runtime_error("stop");
    };
    int changes = 0;
    grid->OnCellsChanged = [&](TObject*, const TRect&) { ++changes; };
    EXPECT_THROW(grid->LoadFromCSVEx(File("a;1\nb;2\nc;3\nd;4\n"), true), std::runtime_error);
    EXPECT_EQ(
        Cells(),
        (TRows{{"r0c0", "r0c1", "r0c2"}, {"r1c0", "r1c1", "r1c2"}, {"a", "1"}, {"b", "2"}, {"r2c0", "r2c1", "r2c2"}}));
    EXPECT_EQ(grid->Delimiter(), '\0');
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(grid->UpdateCount(), 0);
}

}  // namespace

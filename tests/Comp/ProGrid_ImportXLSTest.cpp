// Workbooks loaded into the grid through the spreadsheet automation server: a fake one for the grid's
// side (addresses, sheets, failures and the clean-up after them), the platform's own on workbook files.
#include <gtest/gtest.h>

#include "FakeSpreadsheet.h"
#include "ProGrid.h"
#include "support/FormFixture.h"

using namespace ProGrid;

namespace {

// A Rows x Cols array of "r<row>c<col>" from 1.
Variant Texts(Integer Rows, Integer Cols) {
    Variant values = VarArrayCreate({1, Rows, 1, Cols});
    for (Integer r = 1; r <= Rows; ++r)
        for (Integer c = 1; c <= Cols; ++c) VarArrayPut(values, Variant("r" + IntToStr(r) + "c" + IntToStr(c)), {r, c});
    return values;
}

class ProGridImportXLSTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<RAdeRedeviDidi>(0, 0, 320, 240);
    }
    // The message of what LoadFromXLSSheet raised; "" when it raised nothing.
    AnsiString Failure(const AnsiString& SheetName = "") {
        try {
            grid->LoadFromXLSSheet("book.xls", SheetName);
        } catch (const Exception& e) {
            return e.Message();
        }
        return {};
    }

    RAdeRedeviDidi* grid = nullptr;
};

TEST_F(ProGridImportXLSTest, TheUsedRangeSizesTheGridAndIsReadBack) {
    struct Case {
        const char* address;
        Integer cols, rows;
        const char* asked;
    };
    const Case cases[] = {
        {"$A$1:$D$20", 4, 20, "A1:D20"},
        {"$A$1:$Z$2", 26, 2, "A1:Z2"},
        {"$A$1:$AA$2", 27, 2, "A1:AA2"},
        {"$B$3:$AB$4", 27, 2, "B3:AB4"},
        {"$A$1:$IV$1", 256, 1, "A1:IV1"},
        {"A1:B2", 2, 2, "A1:B2"},
        {"$C$5", 1, 1, "C5"},  // a lone cell is its first and last
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        TFakeSpreadsheet server;
        server.Sheets = {{"Sheet1", c.address, Texts(c.rows, c.cols)}};
        grid->LoadFromXLS("book.xls");
        EXPECT_EQ(grid->ColCount(), c.cols);
        EXPECT_EQ(grid->RowCount(), c.rows);
        EXPECT_EQ(grid->Cells(0, 0), "r1c1");
        EXPECT_EQ(grid->Cells(c.cols - 1, c.rows - 1), "r" + IntToStr(c.rows) + "c" + IntToStr(c.cols));
        EXPECT_EQ(server.Calls, (std::vector<AnsiString>{"Open book.xls", AnsiString("Range ") + c.asked,
                                                         "Close SaveChanges=False", "Quit"}));
    }
}

TEST_F(ProGridImportXLSTest, ValuesBecomeTextAndEmptiesObjectsAndErrorsAreSkipped) {
    TFakeSpreadsheet server;
    Variant values = VarArrayCreate({1, 1, 1, 7});
    VarArrayPut(values, Variant(1.5), {1, 1});
    VarArrayPut(values, Variant(42), {1, 2});
    VarArrayPut(values, VarFromDateTime(EncodeDate(2024, 3, 4)), {1, 3});
    VarArrayPut(values, Variant("text"), {1, 4});
    VarArrayPut(values, VarAsError(2042), {1, 5});
    VarArrayPut(values, Variant(std::make_shared<TFakeSpreadsheet::TStub>()), {1, 6});
    server.Sheets = {{"Sheet1", "$A$1:$G$1", values}};
    grid->SetColCount(7);
    for (Integer c = 0; c < 7; ++c) grid->SetCells(c, 0, "old");
    grid->LoadFromXLS("book.xls");
    const std::vector<AnsiString> expected = {"1.5", "42", "3/4/2024", "text", "old", "old", "old"};
    for (Integer c = 0; c < 7; ++c) EXPECT_EQ(grid->Cells(c, 0), expected[static_cast<std::size_t>(c)]) << c;
}

TEST_F(ProGridImportXLSTest, AScalarValueIsOneCell) {
    TFakeSpreadsheet server;
    server.Sheets = {{"Sheet1", "$C$5", Variant("alone")}};
    grid->LoadFromXLS("book.xls");
    EXPECT_EQ(grid->Cells(0, 0), "alone");
}

TEST_F(ProGridImportXLSTest, SheetsAreFoundByName) {
    TFakeSpreadsheet server;
    server.Sheets = {{"First", "$A$1", Variant("one")}, {"Second", "$A$1", Variant("two")}};
    grid->LoadFromXLSSheet("book.xls", "Second");
    EXPECT_EQ(grid->Cells(0, 0), "two");
    grid->LoadFromXLS("book.xls");
    EXPECT_EQ(grid->Cells(0, 0), "one") << "the active sheet";
    EXPECT_EQ(Failure("second"), "Excel worksheet second not found") << "names match exactly";
}

TEST_F(ProGridImportXLSTest, EveryWayOutClosesQuitsAndRestoresTheCursor) {
    struct Case {
        const char* name;
        const char* address;
        bool openFails;
        const char* sheet;
        AnsiString failure;
        std::vector<AnsiString> calls;
    };
    const Case cases[] = {
        {"loaded", "$A$1:$B$2", false, "", "", {"Open book.xls", "Range A1:B2", "Close SaveChanges=False", "Quit"}},
        {"unknown sheet",
         "$A$1:$B$2",
         false,
         "Nope",
         "Excel worksheet Nope not found",
         {"Open book.xls", "Close SaveChanges=False", "Quit"}},
        {"unreadable workbook", "$A$1", true, "", "Cannot open workbook book.xls", {"Open book.xls", "Quit"}},
        {"bad row", "$A$1:$B$x", false, "", "", {"Open book.xls", "Close SaveChanges=False", "Quit"}},
        {"past the sheet", "$A$1:$B$1048577", false, "", "", {"Open book.xls", "Close SaveChanges=False", "Quit"}},
        {"reversed", "$B$2:$A$1", false, "", "", {"Open book.xls", "Close SaveChanges=False", "Quit"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFakeSpreadsheet server;
        server.Sheets = {{"Sheet1", c.address, Texts(2, 2)}};
        server.OpenFails = c.openFails;
        grid->SetColCount(3);
        grid->SetRowCount(3);
        Screen->SetCursor(crCross);
        EXPECT_EQ(Failure(c.sheet), c.failure);
        EXPECT_EQ(server.Calls, c.calls);
        EXPECT_EQ(server.CursorAtOpen, crHourGlass);
        EXPECT_EQ(Screen->Cursor(), crCross);
        if (c.calls.size() < 4) {
            EXPECT_EQ(grid->ColCount(), 3) << "not resized";
        }
        Screen->SetCursor(crDefault);
    }
}

TEST_F(ProGridImportXLSTest, WithoutAServerNothingChanges) {
    const TOleServerFactory installed = RegisterOleServer("excel.application", {});
    grid->SetCells(0, 0, "kept");
    EXPECT_EQ(Failure(), "Excel OLE server not found");
    RegisterOleServer("excel.application", installed);
    EXPECT_EQ(grid->Cells(0, 0), "kept");
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(ProGridImportXLSTest, OneChangeIsReportedOverTheLoadedGrid) {
    TFakeSpreadsheet server;
    server.Sheets = {{"Sheet1", "$A$1:$C$4", Texts(4, 3)}};
    std::vector<TRect> reported;
    grid->OnCellsChanged = [&](TObject*, const TRect& R) { reported.push_back(R); };
    grid->LoadFromXLS("book.xls");
    EXPECT_EQ(reported, std::vector<TRect>{TRect(0, 0, 3, 4)});
}

// The platform's server on workbooks written by the fixture script.
class ProGridWorkbookFileTest : public ProGridImportXLSTest {
protected:
    static AnsiString Fixture(const char* Name) { return AnsiString(HALCYRA_XLS_FIXTURES) + "/" + Name; }
};

TEST_F(ProGridWorkbookFileTest, SheetsOfAWorkbookFile) {
    struct Case {
        const char* sheet;
        std::vector<std::vector<AnsiString>> rows;
    };
    const Case cases[] = {
        {"", {{"Name", "Value", "Day"}, {"caf\xE9", "1.5", "3/4/2024"}, {"?mega", "42", ""}}},  // the first
        {"Numbers", {{"Name", "Value", "Day"}, {"caf\xE9", "1.5", "3/4/2024"}, {"?mega", "42", ""}}},
        {"Inset", {{"b2", ""}, {"", "c3"}}},
        {"Lone", {{"c5"}}},
        {"Empty", {{""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sheet);
        grid->ClearAll();
        grid->LoadFromXLSSheet(Fixture("book.xls"), c.sheet);
        ASSERT_EQ(grid->RowCount(), static_cast<Integer>(c.rows.size()));
        ASSERT_EQ(grid->ColCount(), static_cast<Integer>(c.rows[0].size()));
        for (std::size_t r = 0; r < c.rows.size(); ++r)
            for (std::size_t col = 0; col < c.rows[r].size(); ++col)
                EXPECT_EQ(grid->Cells(static_cast<Integer>(col), static_cast<Integer>(r)), c.rows[r][col])
                    << r << "," << col;
    }
}

TEST_F(ProGridWorkbookFileTest, AFileThatIsNoWorkbookNamesItself) {
    const AnsiString name = Fixture("notabook.xls");
    try {
        grid->LoadFromXLS(name);
        FAIL() << "no exception";
    } catch (const EOleException& e) {
        EXPECT_EQ(e.Message(), "Cannot open workbook " + name);
    }
    EXPECT_THROW(grid->LoadFromXLSSheet(Fixture("book.xls"), "Missing"), EProGridError);
}

}  // namespace

// Column sizing: the stretch column, widths following the window as the user resizes it, and widths kept
// in an INI file or the registry from one grid's life to the next.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ProGrid.h"
#include "support/FormFixture.h"
#include "support/InputSimulator.h"
#include "support/RegistryFolderFixture.h"
#include "vcl/IniFiles.h"
#include "vcl/Registry.h"

using namespace ProGrid;

namespace {

class ProGridColSizingTest : public FormFixture {
protected:
    // A grid of Widths.size() columns filling the form's client area, without scroll bars or a frame.
    RAdeRedeviDidi* FillingGrid(const std::vector<Integer>& Widths) {
        auto* grid = Place<RAdeRedeviDidi>(0, 0, 10, 10);
        grid->SetScrollBars(ssNone);
        grid->SetBorderStyle(bsNone);
        grid->SetColCount(static_cast<Integer>(Widths.size()));
        for (std::size_t c = 0; c < Widths.size(); ++c) grid->SetColWidths(static_cast<Integer>(c), Widths[c]);
        grid->SetAlign(alClient);
        Input::Settle();
        return grid;
    }
    // The user drags the window's edge until the form's client area is Width wide.
    void ResizeClient(Integer Width) {
        Testing::ResizeWindow(form, Width + form->Width() - form->ClientWidth(), form->Height());
    }
    static std::vector<Integer> Widths(const RAdeRedeviDidi& Grid) {
        std::vector<Integer> widths;
        for (Integer c = 0; c < Grid.ColCount(); ++c) widths.push_back(Grid.ColWidths(c));
        return widths;
    }
};

TEST_F(ProGridColSizingTest, TheStretchColumnTakesWhatTheOthersLeaveOfTheResizedWindow) {
    struct Case {
        const char* Name;
        std::vector<Integer> Widths;
        Integer StretchColumn;
        Integer FormWidth;  // client width of the form, and so of the grid
        std::vector<Integer> Expected;
    };
    const std::vector<Case> cases = {
        {"last of five", {40, 40, 40, 40, 40}, -1, 400, {40, 40, 40, 40, 239}},
        {"a middle one", {50, 60, 70}, 1, 300, {50, 179, 70}},
        {"the only column", {64}, -1, 250, {250}},
        // The others fill more than the window: the default width, never a negative one.
        {"no room left", {200, 200, 30}, -1, 300, {200, 200, 64}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ResizeClient(400);
        RAdeRedeviDidi* grid = FillingGrid(c.Widths);
        grid->ColumnSize()->SetStretchColumn(c.StretchColumn);
        grid->ColumnSize()->SetStretch(true);
        ResizeClient(c.FormWidth);
        ASSERT_EQ(grid->ClientWidth(), c.FormWidth);
        EXPECT_EQ(Widths(*grid), c.Expected);
        grid->Free();
    }
}

TEST_F(ProGridColSizingTest, ASizedColumnKeepsTheStretchColumnFilling) {
    RAdeRedeviDidi* grid = FillingGrid({40, 40, 40});
    grid->ColumnSize()->SetStretch(true);
    const Integer client = grid->ClientWidth();
    grid->SetColWidths(0, 100);
    EXPECT_EQ(grid->ColWidths(2), client - 140 - 1);
}

TEST_F(ProGridColSizingTest, AStretchColumnOutsideTheGridRaises) {
    RAdeRedeviDidi* grid = FillingGrid({40, 40, 40});
    grid->ColumnSize()->SetStretch(true);
    for (Integer column : {3, 7, -2, -100}) {
        SCOPED_TRACE(column);
        try {
            grid->StretchColumnTo(column);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Stretch column index out of range");
        }
    }
    EXPECT_EQ(Widths(*grid), (std::vector<Integer>{40, 40, grid->ClientWidth() - 81}));
}

TEST_F(ProGridColSizingTest, WidthsFollowTheWindowThroughNothingAndBack) {
    ResizeClient(400);
    RAdeRedeviDidi* grid = FillingGrid({40, 81, 120});
    grid->ColumnSize()->SetSynchWithGrid(true);
    struct Step {
        Integer ClientWidth;
        std::vector<Integer> Expected;
    };
    // Halved (rounded half to even), then to no width at all (kept), then back.
    const std::vector<Step> steps = {
        {200, {20, 40, 60}},
        {0, {20, 40, 60}},
        {400, {40, 80, 120}},
        {300, {30, 60, 90}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.ClientWidth);
        ResizeClient(s.ClientWidth);
        ASSERT_EQ(grid->ClientWidth(), s.ClientWidth);
        EXPECT_EQ(Widths(*grid), s.Expected);
    }
}

class ProGridColWidthsStoreTest : public RegistryFolderFixture {
protected:
    void SetUp() override {
        RegistryFolderFixture::SetUp();
        RegisterVclClasses();
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        Testing::ShowAndActivate(form);
    }
    void TearDown() override {
        FreeAndNil(form);
        Testing::RecordMessageBoxes(false);
        RegistryFolderFixture::TearDown();
    }
    RAdeRedeviDidi* MakeGrid(TColumnSizeLocation Location, const AnsiString& Key) {
        auto* grid = new RAdeRedeviDidi(form);
        grid->ColumnSize()->SetSave(true);
        grid->ColumnSize()->SetLocation(Location);
        grid->ColumnSize()->SetKey(Key);
        grid->ColumnSize()->SetSection("Widths");
        grid->SetColCount(4);
        grid->SetParent(form);
        return grid;
    }

    TForm* form = nullptr;
};

TEST_F(ProGridColWidthsStoreTest, WidthsSavedAsTheGridGoesComeBackWithTheNextOne) {
    for (TColumnSizeLocation location : {clIniFile, clRegistry}) {
        SCOPED_TRACE(location);
        const AnsiString key = location == clIniFile ? "grid.ini" : "Software\\Halcyra\\Grid";
        RAdeRedeviDidi* grid = MakeGrid(location, key);
        grid->SetColWidths(0, 17);
        grid->SetColWidths(2, 150);
        grid->Free();

        // Stored by name, in the section given: one per column, integers in the registry.
        if (location == clIniFile) {
            TIniFile ini(key);
            EXPECT_EQ(ini.ReadString("Widths", "Col0", ""), "17");
            EXPECT_EQ(ini.ReadString("Widths", "Col3", ""), "64");
        } else {
            TRegistryIniFile reg(key);
            EXPECT_EQ(reg.ReadInteger("Widths", "Col2", 0), 150);
            HKEY section = nullptr;
            ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (key + "\\Widths").c_str(), 0, KEY_READ, &section),
                      ERROR_SUCCESS);
            DWORD type = REG_NONE;
            EXPECT_EQ(RegQueryValueExA(section, "Col2", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
            EXPECT_EQ(type, REG_DWORD);
            RegCloseKey(section);
        }

        grid = MakeGrid(location, key);
        grid->HandleNeeded();
        EXPECT_EQ(grid->ColWidths(0), 17);
        EXPECT_EQ(grid->ColWidths(1), 64);
        EXPECT_EQ(grid->ColWidths(2), 150);
        grid->Free();
    }
}

TEST_F(ProGridColWidthsStoreTest, MissingOrUnreadableWidthsLoadAsTheDefault) {
    SetContents(folder_ + "/odd.ini", "[Widths]\r\nCol0=abc\r\nCol1=90\r\nCol3=\r\n");
    RAdeRedeviDidi* grid = MakeGrid(clIniFile, "odd.ini");
    for (Integer c = 0; c < 4; ++c) grid->SetColWidths(c, 30);
    grid->ColumnSize()->SetSave(false);
    grid->LoadColWidths();
    EXPECT_EQ(grid->ColWidths(0), 64);
    EXPECT_EQ(grid->ColWidths(1), 90);
    EXPECT_EQ(grid->ColWidths(2), 64);
    EXPECT_EQ(grid->ColWidths(3), 64);
}

TEST_F(ProGridColWidthsStoreTest, AStoreThatCannotTakeTheWidthsIsReportedAsTheGridGoes) {
    Testing::RecordMessageBoxes(true);
    // A folder where the file should be: neither store can write it.
    std::filesystem::create_directory(folder_ + "/blocked.ini");
    std::filesystem::create_directory(folder_ + "/registry");
    for (TColumnSizeLocation location : {clIniFile, clRegistry}) {
        SCOPED_TRACE(location);
        Testing::RecordedMessageBoxes().clear();
        // Nothing to load: the grid keeps its widths.
        RAdeRedeviDidi* grid = MakeGrid(location, location == clIniFile ? "blocked.ini" : "Software\\Halcyra\\Grid");
        EXPECT_EQ(grid->ColWidths(1), 64);
        EXPECT_TRUE(Testing::RecordedMessageBoxes().empty());
        grid->Free();
        ASSERT_EQ(Testing::RecordedMessageBoxes().size(), 1u);
        EXPECT_NE(Testing::RecordedMessageBoxes()[0].Text.find(location == clIniFile ? "Unable to write" : "registry"),
                  std::string::npos)
            << Testing::RecordedMessageBoxes()[0].Text;
    }
}

TEST_F(ProGridColWidthsStoreTest, NothingIsStoredWithoutAKeyAndASection) {
    RAdeRedeviDidi* grid = MakeGrid(clIniFile, "");
    grid->Free();
    grid = MakeGrid(clIniFile, "grid.ini");
    grid->ColumnSize()->SetSection("");
    grid->Free();
    EXPECT_EQ(FileCount(), 0u);
}

}  // namespace

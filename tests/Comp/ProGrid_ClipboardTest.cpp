// Copy, cut and paste of grid cells on the offscreen clipboard: the text, the rich text, the grid's own
// format and the smart fill.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GridUnitFixture.h"
#include "ProGrid.h"
#include "ProGrid_ClipboardIO.h"
#include "support/ClipboardBytes.h"
#include "support/LocalePresets.h"
#include "vcl/Clipbrd.h"

using namespace ProGrid;
using BaseGrid::TCellProperties;

namespace {

// Records each paste's report.
class TClipGrid : public RAdeRedeviDidi {
public:
    using RAdeRedeviDidi::RAdeRedeviDidi;
    struct TDone {
        TPoint From;
        TRect To;
        bool Copied;
    };
    std::vector<TDone> Done;

protected:
    void ClipboardPasteDone(TPoint AFrom, TRect& ATo, bool ACopied) override { Done.push_back({AFrom, ATo, ACopied}); }
};

class ProGridClipboardTest : public GridUnitFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<TClipGrid>(0, 0, 400, 300);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetFixedCols(0);
        grid->SetFixedRows(0);
        grid->SetOptions(grid->Options().Include(goEditing));
        Clipboard()->Clear();
    }
    void TearDown() override {
        SetOpenClipboardFailsForTest(false);
        FormFixture::TearDown();
    }

    void Fill(const std::vector<std::vector<AnsiString>>& Rows, Integer Col = 0, Integer Row = 0) {
        for (std::size_t r = 0; r < Rows.size(); ++r)
            for (std::size_t c = 0; c < Rows[r].size(); ++c)
                grid->SetCells(Col + static_cast<Integer>(c), Row + static_cast<Integer>(r), Rows[r][c]);
    }
    void Select(Integer Left, Integer Top, Integer Right, Integer Bottom) {
        grid->SetSelection({Left, Top, Right, Bottom});
    }
    std::vector<AnsiString> Column(Integer ACol) {
        std::vector<AnsiString> texts;
        for (Integer r = 0; r < grid->RowCount(); ++r) texts.push_back(grid->Cells(ACol, r));
        return texts;
    }

    TClipGrid* grid = nullptr;
};

TEST_F(ProGridClipboardTest, CopiedTextSeparatesCellsByTabAndEndsRowsOnlyWhenMoreThanOneRow) {
    struct Case {
        std::vector<std::vector<AnsiString>> Cells;
        TGridRect Selection;
        std::string Text;
    };
    const Case cases[] = {
        {{{"a", "b"}, {"c", "d"}}, {0, 0, 1, 1}, "a\tb\r\nc\td\r\n"},
        {{{"a", "b"}}, {0, 0, 1, 0}, "a\tb"},
        {{{"x\r\ny"}}, {0, 0, 0, 0}, "\"x\ny\""},
        {{{"say \"hi\"\r\nthen"}}, {0, 0, 0, 0}, "\"say \"\"hi\"\"\nthen\""},
        {{{"lone\rbreak", ""}}, {0, 0, 1, 0}, "\"lone\nbreak\"\t"},
        {{{"", ""}, {"", "z"}}, {0, 0, 1, 1}, "\t\r\n\tz\r\n"},
    };
    for (const Case& c : cases) {
        for (Integer r = 0; r < grid->RowCount(); ++r)
            for (Integer col = 0; col < grid->ColCount(); ++col) grid->SetCells(col, r, "");
        Fill(c.Cells);
        grid->SetSelection(c.Selection);
        grid->CopyToClipboard();
        EXPECT_EQ(ClipboardBytes(CF_TEXT), c.Text + '\0') << c.Text;
    }
}

TEST_F(ProGridClipboardTest, MarkUpIsKeptOrStrippedAsTheSettingSays) {
    Fill({{"<b>bold</b>"}});
    Select(0, 0, 0, 0);
    grid->CopyToClipboard();
    EXPECT_EQ(ClipboardBytes(CF_TEXT), std::string("<b>bold</b>\0", 12));
    grid->Navigation()->SetCopyHTMLTagsToClipboard(false);
    grid->CopyToClipboard();
    EXPECT_EQ(ClipboardBytes(CF_TEXT), std::string("bold\0", 5));
}

TEST_F(ProGridClipboardTest, CopiedCellsPasteBackToTheSameTexts) {
    const std::vector<std::vector<AnsiString>> cells{
        {"plain", "x\r\ny", "say \"hi\"\r\n\"end\""}, {"", "tab-free", "a\rb"}, {"\"quoted\"", "", "last"}};
    Fill(cells);
    Select(0, 0, 2, 2);
    grid->CopyToClipboard();
    EXPECT_EQ(grid->PasteFromClipboard(1, 3), 10);  // nine fields and the empty line after the last break
    for (Integer r = 0; r < 3; ++r)
        for (Integer c = 0; c < 3; ++c) {
            const AnsiString expected = cells[r][c] == "a\rb" ? "a\r\nb" : cells[r][c];  // a lone CR breaks a line
            EXPECT_EQ(grid->Cells(1 + c, 3 + r), expected) << c << "," << r;
        }
    ASSERT_EQ(grid->Done.size(), 1u);
    EXPECT_EQ(grid->Done[0].From, (TPoint{0, 0}));
    EXPECT_EQ(grid->Done[0].To, (TRect{1, 3, 3, 5}));
    EXPECT_TRUE(grid->Done[0].Copied);
}

TEST_F(ProGridClipboardTest, TextPasteCountsFieldsAndGrowsTheGridAsAllowed) {
    struct Case {
        const char* Name;
        std::string Text;
        bool ColGrow, RowGrow;
        Integer Col, Row;
        Integer Count, ColCount, RowCount;
    };
    const Case cases[] = {
        {"grows columns", "1\t2\t3", true, true, 4, 0, 3, 7, 6},
        {"drops past the last column", "1\t2\t3", false, true, 4, 0, 3, 5, 6},
        {"grows rows", "1\r\n2\r\n3\r\n", true, true, 0, 4, 4, 5, 7},
        {"drops past the last row", "1\r\n2\r\n3\r\n", true, false, 0, 4, 4, 5, 6},
        {"last line without break", "1\r\n2", true, true, 0, 5, 2, 5, 7},
        {"negative", "1", true, true, -1, 0, 0, 5, 6},
    };
    for (const Case& c : cases) {
        SetUp();
        grid->Navigation()->SetAllowClipboardColGrow(c.ColGrow);
        grid->Navigation()->SetAllowClipboardRowGrow(c.RowGrow);
        Clipboard()->SetAsText(c.Text);
        EXPECT_EQ(grid->PasteFromClipboard(c.Col, c.Row), c.Count) << c.Name;
        EXPECT_EQ(grid->ColCount(), c.ColCount) << c.Name;
        EXPECT_EQ(grid->RowCount(), c.RowCount) << c.Name;
        if (c.Count > 0) {
            EXPECT_EQ(grid->Cells(c.Col, c.Row), "1") << c.Name;
        }
    }
}

TEST_F(ProGridClipboardTest, RowsAPasteAddsUnderAFixedFooterGoAboveTheFooter) {
    grid->SetCells(0, 5, "footer");
    grid->FloatingFooter()->SetVisible(true);
    Clipboard()->SetAsText("a\r\nb\r\nc\r\n");
    EXPECT_EQ(grid->PasteFromClipboard(0, 4), 4);
    EXPECT_EQ(Column(0), (std::vector<AnsiString>{"", "", "", "", "a", "b", "c", "footer"}));
}

TEST_F(ProGridClipboardTest, TextPasteWritesOnlyWhereEditingIsAllowedAndAsTheEventSays) {
    grid->SetOptions(grid->Options().Exclude(goEditing));
    Clipboard()->SetAsText("a\tb");
    EXPECT_EQ(grid->PasteFromClipboard(0, 0), 0);
    EXPECT_EQ(grid->Cells(0, 0), "");

    grid->Navigation()->SetAllowClipboardAlways(true);
    grid->OnCanEditCell = [](TObject*, Integer, Integer ACol, bool& CanEdit) { CanEdit = ACol != 0; };
    EXPECT_EQ(grid->PasteFromClipboard(0, 0), 2);
    EXPECT_EQ(grid->Cells(0, 0), "a");  // always pasted

    grid->Navigation()->SetAllowClipboardAlways(false);
    grid->SetOptions(grid->Options().Include(goEditing));
    std::vector<std::string> offered;
    grid->OnClipboardBeforePasteCell = [&](TObject*, Integer ACol, Integer ARow, AnsiString& Value, bool& Allow) {
        offered.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + "=" + Value);
        Value += "!";
        Allow = ACol != 2;
    };
    Clipboard()->SetAsText("x\ty\tz");
    EXPECT_EQ(grid->PasteFromClipboard(0, 1), 3);
    EXPECT_EQ(offered, (std::vector<std::string>{"1,1=y", "2,1=z"}));  // column 0 may not be edited
    EXPECT_EQ(grid->Cells(0, 1), "");
    EXPECT_EQ(grid->Cells(1, 1), "y!");
    EXPECT_EQ(grid->Cells(2, 1), "");
}

TEST_F(ProGridClipboardTest, ForeignTextBreakingLinesWithLfPastesAsRows) {
    SetForeignClipboardForTest({{"text/plain", "a\tb\nc\td\n"}});
    EXPECT_EQ(grid->PasteFromClipboard(0, 0), 5);
    EXPECT_EQ(grid->Cells(1, 0), "b");
    EXPECT_EQ(grid->Cells(0, 1), "c");
    ASSERT_EQ(grid->Done.size(), 1u);
    EXPECT_EQ(grid->Done[0].To, (TRect{0, 0, 1, 1}));
}

TEST_F(ProGridClipboardTest, WideCellsTravelAsUnicodeTextAndComeBackWide) {
    grid->SetWideCells(0, 0, u"\u03A9mega");
    grid->SetCells(1, 0, "caf\xE9");
    Select(0, 0, 1, 0);
    grid->CopyToClipboard();
    EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT), WideTextBytes(u"\u03A9mega\tcaf\u00E9"));
    EXPECT_EQ(ClipboardBytes(CF_TEXT), std::string("?mega\tcaf\xE9\0", 11));

    std::vector<WideString> offered;
    grid->OnClipboardBeforePasteWideCell = [&](TObject*, Integer, Integer, WideString& Value, bool&) {
        offered.push_back(Value);
    };
    EXPECT_EQ(grid->PasteFromClipboard(2, 2), 2);
    EXPECT_EQ(offered, (std::vector<WideString>{u"\u03A9mega"}));
    EXPECT_TRUE(grid->IsUnicodeCell(2, 2));
    EXPECT_EQ(grid->WideCells(2, 2), u"\u03A9mega");
    EXPECT_EQ(grid->Cells(3, 2), "caf\xE9");
}

// The wide text holds each wide cell where the text has its narrow form, among narrow cells, row ends and
// other wide cells, whatever the lengths of the two forms.
TEST_F(ProGridClipboardTest, WideCellsStandInTheWideTextWhereverTheyAre) {
    struct Case {
        WideString Cells[2][2];  // a cell with characters outside Windows-1252 is set wide
        WideString Wide;
        std::string Text;
    };
    const Case cases[] = {
        {{{u"a", u"\u03A9"}, {u"c", u"d"}}, u"a\t\u03A9\r\nc\td\r\n", "a\t?\r\nc\td\r\n"},
        {{{u"\u0416\u0416", u"b"}, {u"\U0001F600x", u"\u00E9"}},
         u"\u0416\u0416\tb\r\n\U0001F600x\t\u00E9\r\n",
         "??\tb\r\n?x\t\xE9\r\n"},
        {{{u"", u"\u03A9\r\n\"q\""}, {u"\u03A9", u"\u03A9"}},
         u"\t\"\u03A9\n\"\"q\"\"\"\r\n\u03A9\t\u03A9\r\n",
         "\t\"?\n\"\"q\"\"\"\r\n?\t?\r\n"},
    };
    for (const Case& c : cases) {
        for (Integer r = 0; r < 2; ++r)
            for (Integer col = 0; col < 2; ++col) {
                const WideString& cell = c.Cells[r][col];
                if (AnsiToWide(WideToAnsi(cell)) == cell) grid->SetCells(col, r, WideToAnsi(cell));
                else grid->SetWideCells(col, r, cell);
            }
        Select(0, 0, 1, 1);
        grid->CopyToClipboard();
        EXPECT_EQ(ClipboardBytes(CF_UNICODETEXT), WideTextBytes(c.Wide)) << c.Text;
        EXPECT_EQ(ClipboardBytes(CF_TEXT), c.Text + '\0');
    }
}

TEST_F(ProGridClipboardTest, TextSizeCountsFieldsAndLines) {
    const std::pair<const char*, TPoint> cases[] = {
        {"", {1, 0}},         {"a", {1, 0}},
        {"a\tb\r\n", {2, 1}}, {"a\r\nb\tc\td", {3, 1}},
        {"a\rb\r", {1, 2}},   {"\t\t\r\n\r\n", {3, 2}},
    };
    for (const auto& [text, size] : cases) EXPECT_EQ(RAdeRedeviDidi::TextSize(text), size) << text;
}

TEST_F(ProGridClipboardTest, CutEmptiesTheEditableCellsAndPastesAsNotCopied) {
    Fill({{"a", "b"}, {"c", "d"}});
    grid->OnCanEditCell = [](TObject*, Integer ARow, Integer ACol, bool& CanEdit) {
        CanEdit = !(ACol == 1 && ARow == 1);
    };
    Select(0, 0, 1, 1);
    grid->CutToClipboard();
    EXPECT_EQ(Column(0)[0], "");
    EXPECT_EQ(Column(1)[0], "");
    EXPECT_EQ(Column(0)[1], "");
    EXPECT_EQ(Column(1)[1], "d");
    grid->PasteFromClipboard(2, 2);
    EXPECT_EQ(grid->Cells(2, 2), "a");
    ASSERT_EQ(grid->Done.size(), 1u);
    EXPECT_FALSE(grid->Done[0].Copied);
}

TEST_F(ProGridClipboardTest, ARichTextCellTravelsAsRichTextUnlessTheClipboardCannotOpen) {
    grid->Navigation()->SetAllowRTFClipboard(true);
    const AnsiString rtf = "{\\rtf1\\ansi plain}";
    grid->SetCells(0, 0, rtf);
    Select(0, 0, 0, 0);
    grid->CopyToClipboard();
    const UINT rich = RegisterClipboardFormat("Rich Text Format");
    EXPECT_EQ(ClipboardBytes(rich), rtf + '\0');
    EXPECT_EQ(ClipboardBytes(CF_TEXT), std::string("plain\0", 6));

    EXPECT_EQ(grid->PasteFromClipboard(3, 3), 0);
    EXPECT_EQ(grid->Cells(3, 3), rtf);

    FailOpenClipboardOnceForTest(1);  // the text's opening succeeds, the rich text's fails
    grid->CopyToClipboard();
    EXPECT_EQ(ClipboardBytes(rich), std::nullopt);
    EXPECT_EQ(ClipboardBytes(CF_TEXT), std::string("plain\0", 6));
}

TEST_F(ProGridClipboardTest, AClipboardThatCannotOpenRaisesOnCopyAndPastesNothing) {
    Fill({{"a"}});
    Clipboard()->SetAsText("kept");
    SetOpenClipboardFailsForTest(true);
    Select(0, 0, 0, 0);
    EXPECT_THROW(grid->CopyToClipboard(), EClipboardException);
    EXPECT_EQ(grid->PasteFromClipboard(1, 1), 0);
    SetOpenClipboardFailsForTest(false);
    EXPECT_EQ(Clipboard()->AsText(), "kept");
}

// ---------------------------------------------------------------------------
// The grid's own format

class ProGridOwnFormatTest : public ProGridClipboardTest {
protected:
    void SetUp() override {
        ProGridClipboardTest::SetUp();
        grid->Navigation()->SetAllowFmtClipboard(true);
    }
    std::string Saved(const TGridRect& Rect) {
        TMemoryStream stream;
        grid->SaveCellsToStream(Rect, &stream);
        return stream.Bytes();
    }
    void Load(const std::string& Bytes, TPoint At) {
        TMemoryStream stream;
        stream.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
        stream.SetPosition(0);
        grid->LoadCellsFromStream(At, &stream);
    }
};

TEST_F(ProGridOwnFormatTest, TextsPropertiesAndGraphicsComeBackInAnotherPlace) {
    grid->SetCells(0, 0, "plain");
    TCellProperties* props = grid->GetCellProperties(1, 0);
    props->SetBrushColor(clRed);
    props->SetBrushColorTo(clBlue);
    props->SetFontStyle(TFontStyles{fsBold});
    props->SetFontName("Arial");
    props->SetAlignment(taRightJustify);
    grid->SetCells(1, 0, "styled");

    auto* bitmap = new TBitmap;
    bitmap->SetSize(3, 2);
    bitmap->Canvas()->SetPixels(1, 1, clLime);
    auto* bitmapGraphic = new TCellGraphic;
    bitmapGraphic->CellType = ctBitmap;
    bitmapGraphic->CellBitmap = bitmap;
    bitmapGraphic->CellCreated = true;
    bitmapGraphic->CellHAlign = haRight;
    grid->SetGraphicObject(0, 1, bitmapGraphic);

    auto* radio = new TStringList;
    radio->Add("one");
    radio->Add("two");
    auto* radioGraphic = new TCellGraphic;
    radioGraphic->CellType = ctRadio;
    radioGraphic->CellBitmap = radio;
    radioGraphic->CellCreated = true;
    radioGraphic->CellIndex = 1;
    grid->SetGraphicObject(1, 1, radioGraphic);

    auto* indices = new ProObj::TIntList(0, 0);
    indices->Add(3);
    indices->Add(7);
    auto* imagesGraphic = new TCellGraphic;
    imagesGraphic->CellType = ctImages;
    imagesGraphic->CellBitmap = indices;
    imagesGraphic->CellCreated = true;
    grid->SetGraphicObject(2, 1, imagesGraphic);

    auto* icon = new TIcon;
    auto* iconGraphic = new TCellGraphic;
    iconGraphic->CellType = ctIcon;
    iconGraphic->CellIcon = icon;
    iconGraphic->CellCreated = true;
    grid->SetGraphicObject(2, 0, iconGraphic);

    const std::string bytes = Saved({0, 0, 2, 1});
    for (const char* name : {"Bitmap.Data", "Strings.Strings", "Icon.Data", "CellGraphic.CellType"})
        EXPECT_NE(bytes.find(name), std::string::npos) << name;
    Load(bytes, {2, 3});
    EXPECT_EQ(grid->Cells(2, 3), "plain");
    EXPECT_EQ(grid->Cells(3, 3), "styled");
    ASSERT_TRUE(grid->HasCellProperties(3, 3));
    const TCellProperties* read = grid->GetCellProperties(3, 3);
    EXPECT_EQ(read->BrushColor(), clRed);
    EXPECT_EQ(read->BrushColorTo(), clBlue);
    EXPECT_TRUE(read->FontStyle() == TFontStyles{fsBold});
    EXPECT_EQ(read->FontName(), "Arial");
    EXPECT_EQ(read->Alignment(), taRightJustify);
    EXPECT_EQ(read->OwnerCol(), 3);
    EXPECT_EQ(read->OwnerRow(), 3);

    const auto* readBitmap = grid->GetCellGraphic(2, 4);
    ASSERT_TRUE(readBitmap);
    EXPECT_EQ(readBitmap->CellType, ctBitmap);
    EXPECT_EQ(readBitmap->CellHAlign, haRight);
    EXPECT_TRUE(readBitmap->CellCreated);
    auto* copy = dynamic_cast<TBitmap*>(readBitmap->CellBitmap);
    ASSERT_TRUE(copy);
    EXPECT_NE(copy, bitmap);
    EXPECT_EQ(copy->Width(), 3);
    EXPECT_EQ(copy->Canvas()->Pixels(1, 1), clLime);

    const auto* readRadio = grid->GetCellGraphic(3, 4);
    ASSERT_TRUE(readRadio);
    auto* items = dynamic_cast<TStrings*>(readRadio->CellBitmap);
    ASSERT_TRUE(items);
    EXPECT_EQ(items->CommaText(), "one,two");
    EXPECT_EQ(readRadio->CellIndex, 1);

    const auto* readImages = grid->GetCellGraphic(4, 4);
    ASSERT_TRUE(readImages);
    auto* readIndices = dynamic_cast<ProObj::TIntList*>(readImages->CellBitmap);
    ASSERT_TRUE(readIndices);
    EXPECT_EQ(readIndices->StrValue(), "3,7");

    const auto* readIcon = grid->GetCellGraphic(4, 3);
    ASSERT_TRUE(readIcon);
    EXPECT_EQ(readIcon->CellType, ctIcon);
    EXPECT_TRUE(readIcon->CellIcon && readIcon->CellIcon != icon);
}

// A picture cell: the grid owns the picture, whose graphic travels as the picture's own data.
TCellGraphic* PictureGraphic(TGraphic* Held) {
    auto* picture = new TPicture;
    if (Held) picture->SetGraphic(Held);
    auto* graphic = new TCellGraphic;
    graphic->CellType = ctPicture;
    graphic->CellBitmap = picture;
    graphic->CellCreated = true;
    return graphic;
}

TEST_F(ProGridOwnFormatTest, PicturesComeBackWithTheirGraphicsThroughTheClipboard) {
    TBitmap bitmap;
    bitmap.SetSize(4, 3);
    bitmap.Canvas()->SetPixels(2, 1, clLime);
    TIcon icon;
    grid->SetGraphicObject(0, 0, PictureGraphic(&bitmap));
    grid->SetGraphicObject(1, 0, PictureGraphic(&icon));
    grid->SetGraphicObject(2, 0, PictureGraphic(nullptr));
    Select(0, 0, 2, 0);
    grid->CopyToClipboard();
    grid->PasteFromClipboard(1, 2);

    struct Case {
        Integer Col;
        const char* Kind;  // "" for an empty picture
    };
    const Case cases[] = {{1, "TBitmap"}, {2, "TIcon"}, {3, ""}};
    for (const Case& c : cases) {
        const TCellGraphic* graphic = grid->GetCellGraphic(c.Col, 2);
        ASSERT_TRUE(graphic) << c.Col;
        EXPECT_EQ(graphic->CellType, ctPicture);
        auto* picture = dynamic_cast<TPicture*>(graphic->CellBitmap);
        ASSERT_TRUE(picture) << c.Col;
        EXPECT_NE(picture, grid->GetCellGraphic(c.Col - 1, 0)->CellBitmap);
        if (!*c.Kind) {
            EXPECT_FALSE(picture->Graphic()) << c.Col;
            continue;
        }
        ASSERT_TRUE(picture->Graphic()) << c.Col;
        EXPECT_EQ(picture->Graphic()->ClassName(), c.Kind);
    }
    auto* copy = dynamic_cast<TPicture*>(grid->GetCellGraphic(1, 2)->CellBitmap);
    EXPECT_EQ(copy->Width(), 4);
    EXPECT_EQ(copy->Height(), 3);
    EXPECT_EQ(copy->Bitmap()->Canvas()->Pixels(2, 1), clLime);
}

TEST_F(ProGridOwnFormatTest, APictureOfAnUnknownKindRaisesReadErrorAndKeepsTheCellsBefore) {
    grid->SetCells(0, 0, "before");
    TBitmap bitmap;
    bitmap.SetSize(2, 2);
    grid->SetGraphicObject(1, 0, PictureGraphic(&bitmap));
    std::string bytes = Saved({0, 0, 1, 0});
    const std::size_t kind = bytes.find("TBitmap");
    ASSERT_NE(kind, std::string::npos);
    bytes.replace(kind, 7, "TBogus1");
    EXPECT_THROW(Load(bytes, {0, 3}), EReadError);
    EXPECT_EQ(grid->Cells(0, 3), "before");
}

TEST_F(ProGridOwnFormatTest, TheWholeGridComesBackWithItsSizesWhereItWas) {
    Fill({{"a", "b", "c", "d", "e"}, {"f"}});
    grid->SetColWidths(1, 33);
    grid->SetRowHeights(1, 44);
    const std::string bytes = Saved({0, 0, 4, 5});
    grid->SetColCount(2);
    grid->SetRowCount(2);
    grid->SetColWidths(1, 10);
    grid->SetCells(0, 0, "old");
    Load(bytes, {1, 1});
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(grid->ColWidths(1), 33);
    EXPECT_EQ(grid->RowHeights(1), 44);
    EXPECT_EQ(grid->Cells(0, 0), "a");
    EXPECT_EQ(grid->Cells(4, 0), "e");
    EXPECT_EQ(grid->Cells(0, 1), "f");
}

TEST_F(ProGridOwnFormatTest, AWholeGridWhoseSizesDoNotMatchRaisesBeforeAnyChange) {
    Fill({{"a", "b"}});
    auto record = [](const char* Widths, Integer ColCount) {
        TMemoryStream stream;
        const auto prop = MakeOwned<TGridPropIO>(nullptr);
        prop->SetColCount(ColCount);
        prop->SetRowCount(1);
        prop->SetColWidths(Widths);
        prop->SetRowHeights("20");
        prop->SetFullGrid(true);
        stream.WriteComponent(prop.get());
        const auto cell = MakeOwned<TGridCellIO>(nullptr);
        cell->SetCell("new");
        stream.WriteComponent(cell.get());
        return stream.Bytes();
    };
    Load(record("30,40", 2), {0, 0});
    EXPECT_EQ(grid->ColCount(), 2);
    EXPECT_EQ(grid->Cells(0, 0), "new");
    Fill({{"a", "b"}});
    const std::vector<std::pair<const char*, Integer>> bad{
        {"30", 2}, {"30,x", 2}, {"30,40,50", 2}, {"", 1}, {"30,-4", 2}};
    for (const auto& [widths, count] : bad) {
        EXPECT_THROW(Load(record(widths, count), {0, 0}), EReadError) << widths;
        EXPECT_EQ(grid->Cells(0, 0), "a") << widths;
        EXPECT_EQ(grid->ColCount(), 2) << widths;
    }
}

TEST_F(ProGridOwnFormatTest, ACutStreamKeepsTheCellsReadBeforeAndRaisesReadError) {
    Fill({{"a", "b", "c"}});
    const std::string bytes = Saved({0, 0, 2, 0});
    // The third cell's record starts at its signature: cut inside it.
    const std::size_t third = bytes.rfind("TPF0");
    for (Integer c = 0; c < 3; ++c) grid->SetCells(c, 2, "");
    EXPECT_THROW(Load(bytes.substr(0, third + 8), {0, 2}), EReadError);
    EXPECT_EQ(grid->Cells(0, 2), "a");
    EXPECT_EQ(grid->Cells(1, 2), "b");
    EXPECT_EQ(grid->Cells(2, 2), "");
}

TEST_F(ProGridOwnFormatTest, MergedRangesComeBackOnlyWhereTheyFit) {
    grid->MergeCells(0, 0, 2, 2);
    grid->SetCells(0, 0, "merged");
    const std::string bytes = Saved({0, 0, 1, 1});
    Load(bytes, {2, 2});
    EXPECT_EQ(grid->GetCellSpan(2, 2), (TPoint{1, 1}));
    EXPECT_EQ(grid->BaseCell(3, 3), (TPoint{2, 2}));
    AnsiString shown;
    grid->ReadCell(3, 3, shown);
    EXPECT_EQ(shown, "merged");

    Load(bytes, {4, 5});  // only the top-left cell fits
    EXPECT_EQ(grid->Cells(4, 5), "merged");
    EXPECT_FALSE(grid->IsMergedCell(4, 5));
}

TEST_F(ProGridOwnFormatTest, ThePasteReportsTheSourceOnlyForItsOwnGrid) {
    Fill({{"a", "b"}, {"c", "d"}});
    Select(0, 0, 1, 1);
    grid->CopyToClipboard();
    EXPECT_EQ(grid->PasteFromClipboard(3, 3), 4);
    EXPECT_EQ(grid->Cells(4, 4), "d");
    ASSERT_EQ(grid->Done.size(), 1u);
    EXPECT_EQ(grid->Done[0].From, (TPoint{0, 0}));
    EXPECT_EQ(grid->Done[0].To, (TRect{3, 3, 4, 4}));

    auto* other = Place<TClipGrid>(0, 0, 100, 100);
    other->Navigation()->SetAllowFmtClipboard(true);
    EXPECT_EQ(other->PasteFromClipboard(0, 0), 4);
    ASSERT_EQ(other->Done.size(), 1u);
    EXPECT_EQ(other->Done[0].From, (TPoint{-1, -1}));
}

// ---------------------------------------------------------------------------
// Smart fill

TEST_F(ProGridClipboardTest, SmartFillContinuesWhatWasPasted) {
    struct Case {
        const char* Name;
        std::string Clipboard;
        TGridRect Selection;
        std::vector<AnsiString> Column0;
    };
    const Case cases[] = {
        {"integers", "1\r\n3\r\n", {0, 0, 0, 4}, {"1", "3", "5", "7", "9", ""}},
        {"one value", "x", {0, 1, 0, 3}, {"", "x", "x", "x", "", ""}},
        {"block repeated", "a\r\nb\r\n", {0, 0, 0, 5}, {"a", "b", "a", "b", "a", "b"}},
        {"floats", "1.5\r\n2\r\n", {0, 0, 0, 3}, {"1.50", "2.00", "2.50", "3.00", "", ""}},
        {"selection as pasted", "1\r\n3\r\n", {0, 0, 0, 1}, {"1", "3", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        SetUp();
        grid->Navigation()->SetAllowSmartClipboard(true);
        Clipboard()->SetAsText(c.Clipboard);
        grid->SetSelection(c.Selection);
        grid->PasteSelectionFromClipboard();
        EXPECT_EQ(Column(0), c.Column0) << c.Name;
    }
}

TEST_F(ProGridClipboardTest, SmartFillOffersEveryCellButTheFirstAndStopsBeforeOverflow) {
    grid->Navigation()->SetAllowSmartClipboard(true);
    std::vector<Integer> offered;
    grid->OnClipboardBeforePasteCell = [&](TObject*, Integer, Integer ARow, AnsiString&, bool&) {
        offered.push_back(ARow);
    };
    Clipboard()->SetAsText("9223372036854775806\r\n9223372036854775807\r\n");
    Select(0, 0, 0, 5);
    grid->PasteSelectionFromClipboard();
    EXPECT_EQ(grid->Cells(0, 1), "9223372036854775807");
    EXPECT_EQ(grid->Cells(0, 2), "");
    EXPECT_EQ(offered, (std::vector<Integer>{0, 1, 1}));  // the paste's two cells, then the fill's second
}

TEST_F(ProGridClipboardTest, SmartFillStepsDatesAndTimesByTheCalendar) {
    struct Case {
        const char* Name;
        TLocalePreset Preset;
        std::string Clipboard;
        std::vector<AnsiString> Column0;
    };
    const Case cases[] = {
        {"months, day first",
         TLocalePreset::DayFirst,
         "1/1/2004\r\n1/2/2004\r\n",
         {"01/01/2004", "01/02/2004", "01/03/2004", "01/04/2004", "01/05/2004", ""}},
        {"days over a month end",
         TLocalePreset::EnUS,
         "1/30/2004\r\n1/31/2004\r\n",
         {"1/30/2004", "1/31/2004", "2/1/2004", "2/2/2004", "2/3/2004", ""}},
        {"months from a 31st, the day kept where the month has it",
         TLocalePreset::EnUS,
         "1/31/2004\r\n3/31/2004\r\n",
         {"1/31/2004", "3/31/2004", "5/31/2004", "7/31/2004", "9/30/2004", ""}},
        {"years",
         TLocalePreset::EnUS,
         "2/29/2004\r\n2/29/2008\r\n",
         {"2/29/2004", "2/29/2008", "2/29/2012", "2/29/2016", "2/29/2020", ""}},
        {"months and days: the distance",
         TLocalePreset::EnUS,
         "1/31/2004\r\n3/1/2004\r\n",
         {"1/31/2004", "3/1/2004", "3/31/2004", "4/30/2004", "5/30/2004", ""}},
        {"times",
         TLocalePreset::EnUS,
         "10:00\r\n10:30\r\n",
         {"10:00:00 AM", "10:30:00 AM", "11:00:00 AM", "11:30:00 AM", "12:00:00 PM", ""}},
        {"dates between dots",
         TLocalePreset::CommaDecimal,
         "28.02.2003\r\n01.03.2003\r\n",
         {"28.02.2003", "01.03.2003", "02.03.2003", "03.03.2003", "04.03.2003", ""}},
        {"the calendar ends",
         TLocalePreset::EnUS,
         "12/29/9999\r\n12/30/9999\r\n",
         {"12/29/9999", "12/30/9999", "12/31/9999", "", "", ""}},
        {"past the last year",
         TLocalePreset::EnUS,
         "6/1/9998\r\n6/1/9999\r\n",
         {"6/1/9998", "6/1/9999", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        const TLocaleScope locale(c.Preset);
        SetUp();
        grid->Navigation()->SetAllowSmartClipboard(true);
        Clipboard()->SetAsText(c.Clipboard);
        Select(0, 0, 0, 4);
        grid->PasteSelectionFromClipboard();
        EXPECT_EQ(Column(0), c.Column0) << c.Name;
    }
}

TEST_F(ProGridClipboardTest, ASmartFillOfTextsThatLookLikeDatesButAreNoneRaisesBeforeFilling) {
    grid->Navigation()->SetAllowSmartClipboard(true);
    Clipboard()->SetAsText("1/2/3/4\r\n5/6/7/8\r\n");
    Select(0, 0, 0, 4);
    EXPECT_THROW(grid->PasteSelectionFromClipboard(), EConvertError);
    EXPECT_EQ(Column(0), (std::vector<AnsiString>{"1/2/3/4", "5/6/7/8", "", "", "", ""}));
}

}  // namespace

// Rich-text cells through the grid's rich edits: the cell holds the RTF source, the edit its content.
#include <algorithm>

#include "ProGrid.h"
#include "ProGrid_PaintFixture.h"
#include "support/FormFixture.h"

using namespace ProGrid;

namespace {

class ProGridRichTextTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<RAdeRedeviDidi>(0, 0, 300, 200);
        grid->SetColCount(4);
        grid->SetRowCount(4);
    }
    RAdeRedeviDidi* grid = nullptr;
};

}  // namespace

TEST_F(ProGridRichTextTest, ACellsRtfLoadsIntoTheRichEditAndComesBackTheSame) {
    grid->SetCells(1, 1, "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\qc\\cf1\\b Bold\\b0  red\\par next}");
    TProRichEdit* edit = grid->RichEdit();
    grid->CellToRichEdit(1, 1, edit);
    EXPECT_EQ(edit->Text(), "Bold red\r\nnext");
    ASSERT_FALSE(edit->Content().Runs.empty());
    EXPECT_TRUE(edit->Content().Runs[0].Format.Bold);

    AnsiString saved;
    grid->RichEditToCell(edit, saved);
    ASSERT_EQ(saved.rfind("{\\rtf1", 0), 0u);
    grid->SetCells(2, 2, saved);
    TProRichEdit* other = grid->InplaceRichEdit();
    grid->CellToRichEdit(2, 2, other);
    EXPECT_EQ(other->Content(), edit->Content());

    // An empty cell clears the edit; a cell that is not RTF shows its text.
    grid->CellToRichEdit(3, 3, edit);
    EXPECT_EQ(edit->Text(), "");
    EXPECT_TRUE(edit->Content().Runs.empty());
    grid->SetCells(3, 3, "{\\broken");
    grid->CellToRichEdit(3, 3, edit);
    EXPECT_EQ(edit->Text(), "{\\broken");
}

TEST_F(ProGridRichTextTest, TheEditorsSelectionChangesReachTheGridButTheConvertersDoNot) {
    std::vector<TObject*> senders;
    grid->OnRichEditSelectionChange = [&](TObject* Sender) { senders.push_back(Sender); };
    grid->SetCells(1, 1, "{\\rtf1 Bold text}");
    TProRichEdit* editor = grid->InplaceRichEdit();
    editor->SetParent(grid);
    editor->SetBounds(10, 10, 120, 40);
    grid->CellToRichEdit(1, 1, editor);
    grid->CellToRichEdit(1, 1, grid->RichEdit());
    for (TProRichEdit* edit : {grid->RichEdit(), editor}) {
        CHARRANGE range{0, 4};
        edit->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    EXPECT_EQ(senders, std::vector<TObject*>{editor});
    // The user's own moves too.
    senders.clear();
    Testing::Click(editor, 2, 5);
    Testing::KeyPress(editor, VK_END);
    Application->ProcessMessages();
    EXPECT_FALSE(senders.empty());
    EXPECT_TRUE(std::all_of(senders.begin(), senders.end(), [&](TObject* S) { return S == editor; }));
    EXPECT_EQ(editor->SelStart(), 9);
}

// Rich-text cells as the grid window shows them.
namespace {

constexpr const char* RedRtf = "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\cf1 ";

bool IsRed(TColor C) {
    const COLORREF rgb = ColorToRGB(C);
    return GetRValue(rgb) > 160 && GetGValue(rgb) < 110 && GetBValue(rgb) < 110;
}
bool IsInk(TColor C) { return ColorToRGB(C) != 0xFFFFFF; }

class RichCellPaintTest : public ProGridPaintFixture {
protected:
    // Pixels the predicate holds for in x0 .. x1 - 1 by y0 .. y1 - 1 of the grid (last Repaint).
    int Count(Integer X0, Integer Y0, Integer X1, Integer Y1, bool (*Is)(TColor)) const {
        int n = 0;
        for (Integer y = Y0; y < Y1; ++y)
            for (Integer x = X0; x < X1; ++x) n += Is(Shown(x, y));
        return n;
    }
    // Cell (c, r) covers 64 c .. 64 c + 62 and 24 r .. 24 r + 22 inside its grid lines.
    int CountInCell(Integer ACol, Integer ARow, bool (*Is)(TColor)) const {
        return Count(64 * ACol, 24 * ARow, 64 * ACol + 63, 24 * ARow + 23, Is);
    }
};

}  // namespace

TEST_F(RichCellPaintTest, ARichCellShowsItsColourAndBoldInsideItsMargins) {
    // The current cell out of the way: a selected cell shows the selection's text colour.
    grid->SetCol(4);
    grid->SetRow(9);
    grid->SetCells(1, 1, AnsiString(RedRtf) + "WWWWWWWWWWWWWWWWWWWW}");
    grid->SetCells(1, 2, "{\\rtf1 Text}");
    grid->SetCells(2, 2, "{\\rtf1\\b Text}");
    Repaint();
    EXPECT_GT(CountInCell(1, 1, IsRed), 20);
    // Clipped to the cell less its 2-pixel margin: nothing red left of it, at its edges or beyond.
    EXPECT_EQ(Count(0, 24, 64 + 2, 48, IsRed), 0);
    EXPECT_EQ(Count(64 + 61, 24, 320, 48, IsRed), 0);
    EXPECT_EQ(Count(64, 24, 128, 24 + 2, IsRed), 0);
    EXPECT_EQ(CountInCell(1, 2, IsRed), 0) << "the font's colour where the text sets none";
    EXPECT_GT(CountInCell(1, 2, IsInk), 10);
    EXPECT_GT(CountInCell(2, 2, IsInk), CountInCell(1, 2, IsInk) + 5) << "bold";
}

TEST_F(RichCellPaintTest, ASelectedRichCellTakesTheSelectionTextColourUnlessItKeepsItsOwn) {
    grid->SetOptions(grid->Options().Include(goRangeSelect));
    grid->SetCells(1, 1, AnsiString(RedRtf) + "Red}");
    Testing::MouseDown(grid, 64 + 30, 24 + 12);
    Testing::MouseMove(grid, 128 + 30, 24 + 12, {ssLeft});
    Testing::MouseUp(grid, 128 + 30, 24 + 12);
    for (bool keep : {false, true}) {
        SCOPED_TRACE(keep);
        grid->SetSelectionRTFKeep(keep);
        Repaint();
        EXPECT_EQ(CountInCell(1, 1, IsRed) > 0, keep);
        EXPECT_GT(CountInCell(1, 1, IsInk), 20);
    }
    EXPECT_EQ(grid->Cells(1, 1), AnsiString(RedRtf) + "Red}") << "the cell keeps its colours";
}

TEST_F(RichCellPaintTest, OnlyTextsStartingWithTheRichMarkAndLongerThanOneCharacterGoThroughTheRichEdit) {
    const struct {
        const char* text;
        bool rich;
    } cases[] = {
        {"{", false}, {"\\", false}, {"{x", false}, {"{\\", true}, {"{\\rtf1 x}", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        grid->SetCells(2, 3, c.text);
        const std::vector<AnsiString> lines = RecordedRepaint();
        const auto has = [&](const AnsiString& Start, const AnsiString& Part) {
            return std::any_of(lines.begin(), lines.end(), [&](const AnsiString& L) {
                return L.rfind(Start, 0) == 0 && L.find(Part) != AnsiString::npos;
            });
        };
        // The content rectangle (129, 73, 191, 95) less 2 on each side.
        EXPECT_EQ(has("FormatRange ", " 131,75,189,93 "), c.rich);
        EXPECT_EQ(has("DrawText ", "\"" + AnsiString(c.text) + "\""), !c.rich);
    }
}

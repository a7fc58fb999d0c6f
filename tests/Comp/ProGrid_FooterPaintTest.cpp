// The footer panel as the window shows it: the last row with its 3-D lines, the column preview and the
// custom template, at the grid's bottom.
#include "ProGrid_PaintFixture.h"

using namespace ProGrid;

namespace {

constexpr TColor White = static_cast<TColor>(0xFFFFFF);
constexpr TColor Grey = static_cast<TColor>(0x808080);
constexpr TColor Footer = static_cast<TColor>(0x00FFFF);  // yellow

class ProGridFooterPaintTest : public ProGridPaintFixture {
protected:
    void SetUp() override {
        ProGridPaintFixture::SetUp();
        grid->FloatingFooter()->SetColor(Footer);
        grid->FloatingFooter()->SetVisible(true);
        Input::Settle();
    }
    // The panel's top in the grid's client coordinates, and its height.
    Integer Top() const { return grid->FooterPanel()->Top(); }
    Integer Height() const { return grid->FooterPanel()->Height(); }
    // A point of the panel, in its own coordinates, as last shown.
    TColor At(Integer X, Integer Y) const { return Shown(X, Top() + Y); }
    // Pixels of Color in the panel's columns Left .. Right - 1, inside the frame lines.
    Integer Count(Integer Left, Integer Right, TColor Color) const {
        Integer count = 0;
        for (Integer y = 2; y < Height() - 2; ++y)
            for (Integer x = Left; x < Right; ++x) count += At(x, y) == Color;
        return count;
    }
    void Show(TFooterStyle Style) {
        grid->FloatingFooter()->SetFooterStyle(Style);
        Input::Settle();
        Repaint();
    }
};

TEST_F(ProGridFooterPaintTest, ThePanelSitsAtTheGridsBottomAndStaysThereWhenTheUserResizesTheForm) {
    EXPECT_EQ(Top() + Height(), grid->ClientHeight());
    EXPECT_EQ(grid->FooterPanel()->Width(), grid->ClientWidth());
    Testing::ResizeWindow(form, 440, 340);
    ASSERT_EQ(form->Height(), 340);
    Repaint();
    EXPECT_GT(grid->ClientHeight(), 240);
    EXPECT_EQ(Top() + Height(), grid->ClientHeight());
    EXPECT_EQ(At(200, Height() / 2), Footer);
    EXPECT_EQ(Shown(200, Top() - 3), clWhite) << "the grid's cells end above the panel";
}

TEST_F(ProGridFooterPaintTest, TheLastRowsLinesFollowTheFixedLineOptions) {
    struct Case {
        const char* Name;
        TGridOptions Options;
        TColor Left, Right, Top, Bottom;
    };
    const auto with = [this](std::initializer_list<TGridOption> Lines) {
        TGridOptions options = grid->Options();
        options.Exclude(goFixedVertLine);
        options.Exclude(goFixedHorzLine);
        for (TGridOption line : Lines) options.Include(line);
        return options;
    };
    const Case cases[] = {
        {"both", with({goFixedVertLine, goFixedHorzLine}), White, Grey, White, Grey},
        {"vertical", with({goFixedVertLine}), White, Grey, Footer, Footer},
        {"horizontal", with({goFixedHorzLine}), Footer, Footer, White, Grey},
        {"none", with({}), Footer, Footer, Footer, Footer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetOptions(c.Options);
        Show(fsFixedLastRow);
        const Integer middle = Height() / 2;
        EXPECT_EQ(At(128, middle), c.Left);  // column 2 spans 128 .. 191
        EXPECT_EQ(At(191, middle), c.Right);
        EXPECT_EQ(At(160, 0), c.Top);
        EXPECT_EQ(At(160, Height() - 1), c.Bottom);
    }
}

TEST_F(ProGridFooterPaintTest, TheLastRowShowsItsCellsColoursMergesAndTexts) {
    grid->GetCellProperties(2, 9)->SetBrushColor(clLime);
    grid->MergeCells(3, 9, 2, 1);
    grid->WriteCell(3, 9, "WWWW");
    grid->WriteCell(1, 9, "WWWW");
    Show(fsFixedLastRow);
    EXPECT_EQ(At(160, 10), clLime) << "a coloured cell";
    EXPECT_EQ(At(100, Height() - 4), Footer) << "a plain cell shows the footer's colour";
    EXPECT_EQ(At(255, 10), Footer) << "no line inside the merged cell";
    EXPECT_EQ(At(256, 10), Footer);
    EXPECT_EQ(At(319, 10), Grey) << "the merged cell ends after two columns";
    EXPECT_GT(Count(64, 128, clBlack), 10) << "the text of column 1";
    EXPECT_EQ(Count(64, 128, clWhite), Height() - 4) << "no box behind the text, only the left edge";
    EXPECT_GT(Count(192, 320, clBlack), 10);
    EXPECT_EQ(Count(0, 320, clBlack), Count(64, 128, clBlack) + Count(192, 320, clBlack));

    // The grid's own last row shows nothing of it where the panel leaves it visible.
    ASSERT_GT(Top(), 9 * 24);
    for (Integer y = 9 * 24; y < Top(); ++y)
        for (Integer x = 64; x < 128; ++x) EXPECT_NE(Shown(x, y), clBlack) << x << "," << y;

    // A write to the last row shows in the footer at once.
    grid->WriteCell(4, 9, "");
    grid->WriteCell(3, 9, "");
    Input::Settle();
    Repaint();
    EXPECT_EQ(Count(192, 320, clBlack), 0);
}

TEST_F(ProGridFooterPaintTest, TheFooterPanelsColourFillsItsBackground) {
    grid->FloatingFooter()->SetColumn(2);  // column 0 is fixed: its look would fill the preview
    for (TColor color : {clAqua, clFuchsia}) {
        grid->FloatingFooter()->SetColor(color);
        Show(fsFixedLastRow);
        EXPECT_EQ(At(100, Height() / 2), color);
        Show(fsColumnPreview);
        EXPECT_EQ(At(100, Height() / 2), color);
    }
}

TEST_F(ProGridFooterPaintTest, TheColumnPreviewFramesTheCurrentRowsCell) {
    grid->WriteCell(2, 3, "WWWWW");
    grid->WriteCell(2, 5, "WW");
    grid->FloatingFooter()->SetColumn(2);
    Input::Click(grid, 150, 3 * 24 + 12);
    Show(fsColumnPreview);
    const Integer middle = Height() / 2;
    EXPECT_EQ(At(0, middle), Grey);
    EXPECT_EQ(At(100, 0), Grey);
    EXPECT_EQ(At(319, middle), White);
    EXPECT_EQ(At(100, Height() - 1), White);
    const Integer longText = Count(0, 320, clBlack);
    EXPECT_GT(longText, 20);

    // The user moves to another row: the preview follows.
    Input::Click(grid, 150, 5 * 24 + 12);
    Input::Settle();
    Repaint();
    const Integer shortText = Count(0, 320, clBlack);
    EXPECT_GT(shortText, 5);
    EXPECT_LT(shortText, longText);

    // A column outside the grid previews nothing.
    grid->FloatingFooter()->SetColumn(7);
    Input::Settle();
    Repaint();
    EXPECT_EQ(Count(0, 320, clBlack), 0);
}

TEST_F(ProGridFooterPaintTest, TheCustomTemplateIsDrawnAsMarkUpWithTheCurrentRowsTexts) {
    grid->WriteCell(1, 4, "WWW");
    Input::Click(grid, 100, 4 * 24 + 12);
    grid->FloatingFooter()->SetCustomTemplate("<FONT color=\"#FF0000\"><#1></FONT>");
    Show(fsCustomPreview);
    EXPECT_EQ(At(0, Height() / 2), Grey) << "the frame";
    EXPECT_GT(Count(0, 320, clRed), 10);
    EXPECT_EQ(Count(0, 320, clBlack), 0) << "the tags are not drawn as text";

    grid->FloatingFooter()->SetCustomTemplate("<#9>");
    Input::Settle();
    Repaint();
    EXPECT_EQ(Count(0, 320, clRed), 0);
}

TEST_F(ProGridFooterPaintTest, AShownGridRepaintsTheFooterOncePerBracket) {
    grid->GetCellProperties(1, 9)->SetCalcType(1);
    for (TGridOption line : {goFixedVertLine, goFixedHorzLine}) {
        TGridOptions options = grid->Options();
        options.Exclude(line);
        grid->SetOptions(options);
    }
    Show(fsFixedLastRow);
    const AnsiString background =
        "FillRect 0,0," + IntToStr(grid->FooterPanel()->ClientWidth()) + "," + IntToStr(Height());
    TCanvasRecorder recorder(grid->FooterPanel()->Canvas());
    const auto paints = [&] {
        Input::Settle();
        const auto& lines = recorder.Lines();
        const auto count =
            std::count_if(lines.begin(), lines.end(), [&](const AnsiString& L) { return L.rfind(background, 0) == 0; });
        recorder.Clear();
        return count;
    };
    paints();
    grid->BeginUpdate();
    for (Integer r = 1; r <= 8; ++r) {
        grid->WriteCell(1, r, IntToStr(r));
        grid->CellsChanged(Rect(1, r, 1, r));
        Input::Settle();
    }
    EXPECT_EQ(paints(), 0) << "nothing changed in the footer yet";
    grid->EndUpdate();
    EXPECT_EQ(paints(), 1);
    Repaint();
    EXPECT_GT(Count(64, 128, clBlack), 10) << "the sum 36.00";
}

}  // namespace

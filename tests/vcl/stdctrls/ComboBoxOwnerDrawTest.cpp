// Owner-drawn combos: the control draws each item of the dropped list, and its selection field, through
// its canvas over the item's rectangle; variable items are as high as OnMeasureItem says, asked once each.
#include <algorithm>
#include <memory>
#include <vector>

#include "StdCtrlsFixture.h"
#include "support/ComposedPixels.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

const TColor kItemColours[] = {clRed, clLime, clBlue};

class ComboBoxOwnerDrawTest : public StdCtrlsTest {
protected:
    // Items are measured as they come: OnMeasureItem is assigned before them, as a form reader does.
    TComboBox* PlaceCombo(TComboBoxStyle Style, TMeasureItemEvent Measure = nullptr) {
        auto* combo = Place<TComboBox>(20, 20, 120, 200);
        combo->SetStyle(Style);
        combo->SetItemHeight(18);
        combo->OnMeasureItem = std::move(Measure);
        for (const char* item : {"red", "lime", "blue"}) combo->Items()->Add(item);
        combo->OnDrawItem = [this, combo](TWinControl*, Integer Index, const TRect& R, TOwnerDrawState State) {
            drawn.push_back({Index, State});
            combo->Canvas()->Brush()->SetColor(kItemColours[Index]);
            combo->Canvas()->FillRect(R);
        };
        return combo;
    }

    // The heights of the runs of item colours down the list at X, in order. A focus rectangle's dots
    // cover every other pixel of its edges, so either of two neighbours tells the item's colour.
    static std::vector<std::pair<TColor, Integer>> ColourRuns(TBitmap* List, Integer X) {
        auto itemColour = [&](Integer Y) -> TColor {
            for (Integer x : {X, X + 1}) {
                const TColor pixel = List->Canvas()->Pixels(x, Y);
                if (std::find(std::begin(kItemColours), std::end(kItemColours), pixel) != std::end(kItemColours))
                    return pixel;
            }
            return clNone;
        };
        std::vector<std::pair<TColor, Integer>> runs;
        TColor previous = clNone;
        for (Integer y = 0; y < List->Height(); ++y) {
            const TColor colour = itemColour(y);
            if (colour != clNone && colour == previous) ++runs.back().second;
            else if (colour != clNone) runs.push_back({colour, 1});
            previous = colour;
        }
        return runs;
    }

    struct TDrawn {
        Integer Index;
        TOwnerDrawState State;
    };
    std::vector<TDrawn> drawn;
};

TEST_F(ComboBoxOwnerDrawTest, TheDroppedListShowsEachItemAsDrawnOverItsHeight) {
    struct Case {
        const char* what;
        TComboBoxStyle style;
        std::vector<Integer> heights;  // variable: what OnMeasureItem answers per item
    };
    for (const Case& c : std::vector<Case>{{"fixed", csOwnerDrawFixed, {18, 18, 18}},
                                           {"variable", csOwnerDrawVariable, {10, 25, 14}}}) {
        SCOPED_TRACE(c.what);
        int measured = 0;
        TComboBox* combo = PlaceCombo(c.style, [&](TWinControl*, Integer Index, Integer& Height) {
            ++measured;
            EXPECT_EQ(Height, 18);
            Height = c.heights[static_cast<std::size_t>(Index)];
        });
        Input::TabTo(combo);
        for (int opening = 0; opening < 2; ++opening) {
            Input::Key(combo, VK_F4);
            std::unique_ptr<TBitmap> list(Testing::GrabDroppedList(combo));
            EXPECT_EQ(ColourRuns(list.get(), 10),
                      (std::vector<std::pair<TColor, Integer>>{
                          {clRed, c.heights[0]}, {clLime, c.heights[1]}, {clBlue, c.heights[2]}}));
            Input::Key(combo, VK_ESCAPE);
        }
        EXPECT_EQ(measured, c.style == csOwnerDrawVariable ? 3 : 0);
        EXPECT_EQ(SendMessage(combo->Handle(), CB_GETITEMHEIGHT, 1, 0), c.heights[1]);
        combo->Free();
    }
}

TEST_F(ComboBoxOwnerDrawTest, TheFieldShowsTheSelectedItemDrawnAsTheEditPart) {
    TComboBox* combo = PlaceCombo(csOwnerDrawFixed);
    combo->SetItemIndex(1);
    drawn.clear();
    EXPECT_EQ(ComposedPixels(form, combo, Rect(10, 8, 11, 9)).at(0), ColorToRGB(clLime));
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().Index, 1);
    EXPECT_TRUE(drawn.back().State.Contains(odComboBoxEdit));
    EXPECT_FALSE(drawn.back().State.Contains(odFocused));
    Input::TabTo(combo);
    Input::Settle();
    EXPECT_TRUE(drawn.back().State.Contains(odFocused));
    EXPECT_TRUE(drawn.back().State.Contains(odSelected));
}

TEST_F(ComboBoxOwnerDrawTest, WithoutOnDrawItemTheItemsTextGoesOnTheHighlightWhenSelected) {
    TComboBox* combo = PlaceCombo(csOwnerDrawFixed);
    combo->OnDrawItem = nullptr;
    combo->SetItemIndex(0);
    Input::TabTo(combo);
    const std::vector<COLORREF> field = ComposedPixels(form, combo, Rect(4, 4, 60, 18));
    EXPECT_NE(std::count(field.begin(), field.end(), ColorToRGB(clHighlight)), 0);
}

}  // namespace

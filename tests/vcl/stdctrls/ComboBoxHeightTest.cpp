// A combo's Height is its extent with the list dropped: closed, the window covers only its selection field
// (CB_GETITEMHEIGHT(-1) + 6), and the dropped list stands below the field.
#include <algorithm>
#include <vector>

#include "StdCtrlsFixture.h"
#include "support/ComposedPixels.h"
#include "support/InputSimulator.h"
#include "vcl/ScopeGuard.h"
#include "vcl/Windows.h"

namespace {

class ComboBoxHeightTest : public StdCtrlsTest {
protected:
    void SetUp() override {
        StdCtrlsTest::SetUp();
        SetFontMetricsProvider(&metrics);  // text 13 high: the field's item 15, a list item 13
        form->SetColor(clTeal);
    }
    void TearDown() override {
        StdCtrlsTest::TearDown();
        SetFontMetricsProvider(nullptr);
    }

    TComboBox* PlaceCombo(TComboBoxStyle Style, Integer Height) {
        auto* combo = Place<TComboBox>(20, 20, 120, Height);
        combo->SetStyle(Style);
        return combo;
    }

    TFixedFontMetrics metrics{6, 13, 10};
};

TEST_F(ComboBoxHeightTest, TheClosedWindowIsTheSelectionFieldWhateverTheHeight) {
    struct Case {
        const char* what;
        TComboBoxStyle style;
        Integer height;
        Integer fieldItem;  // CB_SETITEMHEIGHT(-1), 0: not sent
        Integer fieldItemAfter, shown;
    };
    const std::vector<Case> cases{
        {"edit style, the field from the font", csDropDown, 200, 0, 15, 21},
        {"edit style, the field set", csDropDown, 200, 20, 20, 26},
        {"list style, the field set", csDropDownList, 150, 16, 16, 22},
        {"owner-drawn: the field as high as an item", csOwnerDrawFixed, 150, 0, 16, 22},
        {"simple style: all of the Height", csSimple, 80, 0, 15, 80},
        {"a Height below the field's", csDropDown, 12, 0, 15, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TComboBox* combo = PlaceCombo(c.style, c.height);
        const TScopeExit remove([&] { combo->Free(); });
        if (c.fieldItem > 0) {
            EXPECT_EQ(SendMessage(combo->Handle(), CB_SETITEMHEIGHT, WPARAM(-1), c.fieldItem), 0);
        }
        EXPECT_EQ(SendMessage(combo->Handle(), CB_GETITEMHEIGHT, WPARAM(-1), 0), c.fieldItemAfter);
        EXPECT_EQ(combo->Height(), c.height);
        EXPECT_EQ(combo->ClientHeight(), c.shown);
        RECT window{};
        GetWindowRect(combo->Handle(), &window);
        EXPECT_EQ(window.Height(), c.shown);
        // Below the field the form shows through.
        const std::vector<COLORREF> column = ComposedPixels(form, combo, Rect(40, 0, 41, c.shown + 12));
        EXPECT_NE(column[static_cast<std::size_t>(c.shown - 1)], ColorToRGB(clTeal));
        EXPECT_TRUE(
            std::all_of(column.begin() + c.shown, column.end(), [](COLORREF p) { return p == ColorToRGB(clTeal); }));
    }
}

TEST_F(ComboBoxHeightTest, TheDroppedListStandsBelowTheFieldWithDropDownCountItemsAtMost) {
    struct Case {
        const char* what;
        Integer items, dropDownCount;
        Integer listItem;  // CB_SETITEMHEIGHT(0), 0: not sent
        Integer rows, rowHeight;
    };
    const std::vector<Case> cases{
        {"more items than DropDownCount", 5, 3, 0, 3, 13},
        {"fewer items", 2, 8, 0, 2, 13},
        {"items made higher", 12, 8, 20, 8, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TComboBox* combo = PlaceCombo(csDropDownList, 200);
        const TScopeExit remove([&] { combo->Free(); });
        for (Integer i = 0; i < c.items; ++i) combo->Items()->Add("item " + IntToStr(i));
        combo->SetDropDownCount(c.dropDownCount);
        if (c.listItem > 0) SendMessage(combo->Handle(), CB_SETITEMHEIGHT, 0, c.listItem);
        EXPECT_EQ(combo->ItemHeight(), c.rowHeight);
        Input::TabTo(combo);
        Input::Key(combo, VK_F4);
        ASSERT_TRUE(combo->DroppedDown());
        const TRect list = Testing::DroppedListBounds(combo);
        EXPECT_EQ(list.TopLeft(), combo->ClientToScreen(Point(0, combo->ClientHeight())));
        EXPECT_EQ(list.Width(), combo->Width());
        EXPECT_EQ(list.Height(), c.rows * c.rowHeight + 2);
        Input::Key(combo, VK_ESCAPE);
        EXPECT_FALSE(combo->DroppedDown());
    }
}

}  // namespace

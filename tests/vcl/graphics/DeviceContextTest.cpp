// Device-context state: a control canvas's every new handle starts from the defaults, as GetDC's and
// BeginPaint's do; a memory DC keeps its state when another bitmap is selected into it.
#include <functional>
#include <memory>
#include <string_view>

#include <gtest/gtest.h>

#include "support/GraphicsTestSupport.h"
#include "vcl/Forms.h"
#include "vcl/Windows.h"

namespace {

// What a DC holds beyond its selected objects.
struct TDcSnapshot {
    TRect ClipBox;
    TPoint WindowOrg, ViewportOrg, PenPos;
    int Rop2, BkMode, SaveLevel;
    COLORREF BkColor, TextColor;
    UINT TextAlign;
    bool operator==(const TDcSnapshot&) const = default;
};

TDcSnapshot Snapshot(HDC dc) {
    TDcSnapshot s{};
    GetClipBox(dc, &s.ClipBox);
    GetWindowOrgEx(dc, &s.WindowOrg);
    GetViewportOrgEx(dc, &s.ViewportOrg);
    GetCurrentPositionEx(dc, &s.PenPos);
    s.Rop2 = GetROP2(dc);
    s.BkMode = GetBkMode(dc);
    s.BkColor = GetBkColor(dc);
    s.TextColor = GetTextColor(dc);
    s.TextAlign = GetTextAlign(dc);
    s.SaveLevel = SaveDC(dc);  // 1 when nothing was saved before
    RestoreDC(dc, -1);
    return s;
}

struct TStateChange {
    const char* Name;
    std::function<void(HDC)> Apply;
};

const TStateChange changes[] = {
    {"clip", [](HDC dc) { IntersectClipRect(dc, 0, 0, 1, 1); }},
    {"clip region", [](HDC dc) { ExcludeClipRect(dc, 0, 0, 30, 30); }},
    {"window origin", [](HDC dc) { SetWindowOrgEx(dc, 3, 4, nullptr); }},
    {"viewport origin", [](HDC dc) { SetViewportOrgEx(dc, 7, 9, nullptr); }},
    {"raster mode", [](HDC dc) { SetROP2(dc, R2_XORPEN); }},
    {"background mode", [](HDC dc) { SetBkMode(dc, TRANSPARENT); }},
    {"background colour", [](HDC dc) { SetBkColor(dc, RGB(1, 2, 3)); }},
    {"text colour", [](HDC dc) { SetTextColor(dc, RGB(4, 5, 6)); }},
    {"text alignment", [](HDC dc) { SetTextAlign(dc, TA_RIGHT | TA_BOTTOM); }},
    {"pen position", [](HDC dc) { MoveToEx(dc, 11, 12, nullptr); }},
    {"saved state", [](HDC dc) { SaveDC(dc); }},
};

class TPlainControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};

TEST(DeviceContext, EveryNewHandleOfAControlCanvasStartsFromTheDefaults) {
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 200, 150);
    auto* control = new TPlainControl(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 60, 40);
    const TDcSnapshot fresh = Snapshot(control->Canvas()->Handle());
    EXPECT_EQ(fresh.ClipBox, Rect(0, 0, 60, 40));
    EXPECT_EQ(fresh.SaveLevel, 1);
    for (const TStateChange& change : changes) {
        SCOPED_TRACE(change.Name);
        change.Apply(control->Canvas()->Handle());
        // A size change gives the canvas a new handle; the size comes back for the comparison.
        control->SetHeight(1);
        control->Canvas()->Handle();
        control->SetHeight(40);
        EXPECT_EQ(Snapshot(control->Canvas()->Handle()), fresh);
    }
    form->Free();
}

TEST(DeviceContext, AMemoryDcKeepsItsStateWhenABitmapIsSelected) {
    HDC dc = CreateCompatibleDC(nullptr);
    for (const TStateChange& change : changes)
        if (std::string_view(change.Name).substr(0, 4) != "clip") change.Apply(dc);
    IntersectClipRect(dc, 2, 2, 8, 6);
    const TDcSnapshot before = Snapshot(dc);
    auto bitmap = WhiteBitmap(20, 20);
    HGDIOBJ previous = SelectObject(dc, bitmap->Handle());
    const TDcSnapshot after = Snapshot(dc);
    EXPECT_EQ(after.Rop2, before.Rop2);
    EXPECT_EQ(after.TextAlign, before.TextAlign);
    EXPECT_EQ(after.WindowOrg, before.WindowOrg);
    EXPECT_EQ(after.PenPos, before.PenPos);
    EXPECT_EQ(after.SaveLevel, before.SaveLevel);
    // The clip set on the 1x1 default bitmap is still the one set, now that the bitmap is larger.
    EXPECT_EQ(after.ClipBox, Rect(2, 2, 8, 6));
    SelectObject(dc, previous);
    DeleteDC(dc);
}

}  // namespace

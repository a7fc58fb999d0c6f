#include <algorithm>
#include <memory>
#include <vector>

#include "ExtCtrlsFixture.h"
#include "support/EventCounter.h"
#include "support/InputSimulator.h"
#include "vcl/Clock.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace {

// A picker as a grid's editor uses it: it notes its notifications, the focus it loses, the keys its
// KeyDown sees (taking Taken ones), and can paint its frame flat over the window's device context.
class TNotingPicker : public TDateTimePicker {
public:
    using TDateTimePicker::RecreateWnd;
    using TDateTimePicker::TDateTimePicker;
    std::vector<UINT> Notes;
    int FocusLost = 0;
    std::vector<Word> KeysSeen;
    std::vector<Word> Taken;
    bool FlatFrame = false;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == CN_NOTIFY) Notes.push_back(reinterpret_cast<NMHDR*>(Message.LParam)->code);
        if (Message.Msg == WM_KILLFOCUS || Message.Msg == CM_EXIT) ++FocusLost;
        TDateTimePicker::Dispatch(Message);
        if (Message.Msg == WM_NCPAINT && FlatFrame) {
            HDC dc = GetWindowDC(Handle());
            HBRUSH window = CreateSolidBrush(ColorToRGB(clWindow));
            RECT outer = Rect(0, 0, Width(), Height());
            RECT inner = Rect(1, 1, Width() - 1, Height() - 1);
            FrameRect(dc, &outer, window);
            FrameRect(dc, &inner, window);
            DeleteObject(window);
            ReleaseDC(Handle(), dc);
        }
    }
    void KeyDown(Word& Key, TShiftState Shift) override {
        KeysSeen.push_back(Key);
        if (std::find(Taken.begin(), Taken.end(), Key) != Taken.end()) Key = 0;
        TDateTimePicker::KeyDown(Key, Shift);
    }
};

// Times of day compare to the millisecond: the fraction of a day's number carries fewer bits.
constexpr double OneMillisecond = 1.0 / MSecsPerDay;

class DateTimePickerTest : public ExtCtrlsTest {
protected:
    void SetUp() override {
        ExtCtrlsTest::SetUp();
        picker = Place<TNotingPicker>(10, 10, 186, 21);
        picker->SetDate(EncodeDate(2024, 3, 15));
        picker->SetTime(EncodeTime(14, 30, 0, 0));
        changes.Hook(picker->OnChange);
    }
    TDateTime Day(Word Year, Word Month, Word DayOfMonth) { return EncodeDate(Year, Month, DayOfMonth); }

    TTestClock clock{45000.25};
    TNotingPicker* picker = nullptr;
    EventCounter changes;
};

TEST_F(DateTimePickerTest, ANewPickerHoldsTheClocksDateAndTimeChecked) {
    auto* fresh = Place<TDateTimePicker>(10, 40, 186, 21);
    EXPECT_EQ(fresh->Date(), 45000);
    EXPECT_NEAR(fresh->Time(), 0.25, OneMillisecond);
    EXPECT_TRUE(fresh->Checked());
    EXPECT_FALSE(fresh->ShowCheckbox());
    EXPECT_EQ(fresh->Kind(), dtkDate);
    EXPECT_EQ(fresh->DateMode(), dmComboBox);
}

TEST_F(DateTimePickerTest, ValuesSetByCodeShowAndFireNothing) {
    picker->SetDate(Day(2025, 12, 1) + 0.75);  // the time part of a date is not taken
    EXPECT_EQ(picker->Date(), Day(2025, 12, 1));
    EXPECT_NEAR(picker->Time(), EncodeTime(14, 30, 0, 0), OneMillisecond);
    picker->SetTime(Day(1990, 1, 1) + EncodeTime(8, 5, 0, 0));  // nor the date part of a time
    EXPECT_EQ(picker->Date(), Day(2025, 12, 1));
    EXPECT_EQ(Testing::PeerText(picker), "12/1/2025");
    picker->SetKind(dtkTime);
    EXPECT_EQ(Testing::PeerText(picker), "8:05:00 AM");
    picker->SetShowCheckbox(true);
    picker->SetChecked(false);
    picker->SetFormat("HH:mm");
    EXPECT_EQ(Testing::PeerText(picker), "08:05");
    // A day before 1899-12-30 keeps its time of day.
    picker->SetDate(Day(1850, 6, 1));
    EXPECT_EQ(picker->Date(), Day(1850, 6, 1));
    EXPECT_NEAR(picker->Time(), EncodeTime(8, 5, 0, 0), OneMillisecond);
    // Years the picker cannot show are kept at the nearest it can.
    picker->SetDate(Day(50, 1, 1));
    EXPECT_EQ(picker->Date(), Day(100, 1, 1));
    EXPECT_EQ(changes.Count(), 0);
    EXPECT_TRUE(picker->Notes.empty());
}

TEST_F(DateTimePickerTest, FormatCodesShowAsThePickerDefinesThem) {
    struct Case {
        TDateTimeKind Kind;
        const char* Format;
        TDateTime Value;
        const char* Shown;
    };
    const TDateTime march5 = EncodeDate(2024, 3, 5);
    const TDateTime afternoon = EncodeTime(14, 7, 9, 0);
    const TDateTime morning = EncodeTime(9, 7, 5, 0);
    const Case cases[] = {
        {dtkDate, "", march5, "3/5/2024"},
        {dtkTime, "", afternoon, "2:07:09 PM"},
        {dtkDate, "dd.MM.yy", march5, "05.03.24"},
        {dtkDate, "dddd, MMMM d, yyyy", march5, "Tuesday, March 5, 2024"},
        {dtkDate, "ddd MMM", march5, "Tue Mar"},
        {dtkTime, "HH:mm:ss", morning, "09:07:05"},
        {dtkTime, "H:m:s", morning, "9:7:5"},
        {dtkTime, "hh:mm tt", afternoon, "02:07 PM"},
        {dtkDate, "'Day' d 'of' MMMM", march5, "Day 5 of March"},
        {dtkDate, "'It''s' yyyy", march5, "It's 2024"},
        {dtkDate, "yyyy 'at' z", march5, "2024 at z"},
        {dtkTime, "h 'o''clock' t", afternoon, "2 o'clock PM"},
    };
    for (const Case& c : cases) {
        picker->SetKind(c.Kind);
        picker->SetFormat(c.Format);
        if (c.Kind == dtkDate) picker->SetDate(c.Value);
        else picker->SetTime(c.Value);
        EXPECT_EQ(Testing::PeerText(picker), c.Shown) << "format " << c.Format;
    }
}

TEST_F(DateTimePickerTest, TypingAndArrowsChangeTheDateWithOneChangeEach) {
    struct Step {
        Word Key;  // 0: type Text
        const char* Text;
        TDateTime Date;
        int Changes;
    };
    const Step steps[] = {
        {VK_UP, "", Day(2024, 4, 15), 1},   {VK_RIGHT, "", Day(2024, 4, 15), 1}, {VK_UP, "", Day(2024, 4, 16), 2},
        {VK_DOWN, "", Day(2024, 4, 15), 3}, {0, "2", Day(2024, 4, 2), 4},        {0, "8", Day(2024, 4, 28), 5},
    };
    Input::TabTo(picker);
    for (const Step& step : steps) {
        if (step.Key) Input::Key(picker, step.Key);
        else Input::Type(picker, step.Text);
        EXPECT_EQ(picker->Date(), step.Date) << FormatDateTime("m/d/yyyy", step.Date);
        EXPECT_EQ(changes.Count(), step.Changes) << FormatDateTime("m/d/yyyy", step.Date);
    }
    EXPECT_NEAR(picker->Time(), EncodeTime(14, 30, 0, 0), OneMillisecond);
}

TEST_F(DateTimePickerTest, KindTimeEditsTheTimeAndKeepsTheDate) {
    picker->SetKind(dtkTime);
    picker->SetFormat("HH:mm");
    struct Step {
        Word Key;
        TDateTime Time;
    };
    const Step steps[] = {
        {VK_UP, EncodeTime(15, 30, 0, 0)}, {VK_RIGHT, EncodeTime(15, 30, 0, 0)}, {VK_DOWN, EncodeTime(15, 29, 0, 0)}};
    Input::TabTo(picker);
    for (const Step& step : steps) {
        Input::Key(picker, step.Key);
        EXPECT_NEAR(picker->Time(), step.Time, OneMillisecond);
    }
    EXPECT_EQ(picker->Date(), Day(2024, 3, 15));
    EXPECT_EQ(changes.Count(), 2);
    EXPECT_EQ(Testing::PeerText(picker), "15:29");
}

TEST_F(DateTimePickerTest, F4AndAltDownDropTheCalendarWithoutTakingTheFocus) {
    enum TWay { ByKey, BySending, ByClick };
    struct Case {
        const char* How;
        TWay Way;
        Word Key;
        TShiftState Shift;
    };
    const Case cases[] = {{"F4", ByKey, VK_F4, {}},
                          {"Alt+Down", ByKey, VK_DOWN, {ssAlt}},
                          {"F4 sent", BySending, VK_F4, {}},
                          {"arrow clicked", ByClick, 0, {}}};
    int exits = 0;
    picker->OnExit = Counter(exits);
    Input::TabTo(picker);
    for (const Case& c : cases) {
        picker->Notes.clear();
        if (c.Way == BySending) picker->Perform(WM_KEYDOWN, c.Key, 0);
        else if (c.Way == ByKey) Input::Key(picker, c.Key, c.Shift);
        else Testing::MouseDown(picker, picker->ClientWidth() - 5, picker->ClientHeight() / 2);
        Input::Settle();
        EXPECT_EQ(picker->Notes, std::vector<UINT>{DTN_DROPDOWN}) << c.How;
        Input::Key(picker, VK_ESCAPE);
        EXPECT_EQ(picker->Notes, (std::vector<UINT>{DTN_DROPDOWN, DTN_CLOSEUP})) << c.How;
        EXPECT_TRUE(picker->Focused()) << c.How;
    }
    EXPECT_EQ(picker->FocusLost, 0);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(picker->Date(), Day(2024, 3, 15));
    EXPECT_EQ(changes.Count(), 0);
}

TEST_F(DateTimePickerTest, ADayPickedInTheCalendarIsTheUsersChange) {
    Input::TabTo(picker);
    Input::Key(picker, VK_F4);
    Testing::PickCalendarDate(picker, Day(2024, 3, 20));
    EXPECT_EQ(picker->Date(), Day(2024, 3, 20));
    EXPECT_NEAR(picker->Time(), EncodeTime(14, 30, 0, 0), OneMillisecond);
    EXPECT_EQ(changes.Count(), 1);
    EXPECT_EQ(picker->Notes, (std::vector<UINT>{DTN_DROPDOWN, DTN_CLOSEUP}));
    EXPECT_TRUE(picker->Focused());
    EXPECT_EQ(picker->FocusLost, 0);
    EXPECT_EQ(Testing::PeerText(picker), "3/20/2024");
}

TEST_F(DateTimePickerTest, AHiddenOrDisabledPickerTakesItsCalendarAway) {
    using TAway = void (*)(TDateTimePicker*);
    const TAway aways[] = {[](TDateTimePicker* P) { P->SetVisible(false); },
                           [](TDateTimePicker* P) { P->SetEnabled(false); }};
    for (TAway away : aways) {
        picker->SetVisible(true);
        picker->SetEnabled(true);
        picker->Notes.clear();
        Input::TabTo(picker);
        Input::Key(picker, VK_F4);
        away(picker);
        Input::Settle();
        EXPECT_EQ(picker->Notes, (std::vector<UINT>{DTN_DROPDOWN, DTN_CLOSEUP}));
        EXPECT_THROW(Testing::PickCalendarDate(picker, Day(2024, 3, 20)), EInvalidOperation);
    }
}

TEST_F(DateTimePickerTest, AWindowMadeAgainKeepsTheValueAndDropsTheCalendar) {
    picker->SetFormat("yyyy-MM-dd");
    picker->SetShowCheckbox(true);
    picker->RecreateWnd();
    EXPECT_EQ(Testing::PeerText(picker), "2024-03-15");
    Input::TabTo(picker);
    Input::Key(picker, VK_F4);
    Testing::PickCalendarDate(picker, Day(2024, 3, 1));
    EXPECT_EQ(picker->Notes, (std::vector<UINT>{DTN_DROPDOWN, DTN_CLOSEUP}));
    EXPECT_EQ(picker->Date(), Day(2024, 3, 1));
    EXPECT_EQ(changes.Count(), 1);
}

TEST_F(DateTimePickerTest, OnlyADateComboDropsACalendar) {
    struct Case {
        TDateTimeKind Kind;
        TDTDateMode Mode;
    };
    const Case cases[] = {{dtkDate, dmUpDown}, {dtkTime, dmComboBox}};
    Input::TabTo(picker);
    for (const Case& c : cases) {
        picker->SetKind(c.Kind);
        picker->SetDateMode(c.Mode);
        Input::Key(picker, VK_F4);
        EXPECT_TRUE(picker->Notes.empty());
        EXPECT_THROW(Testing::PickCalendarDate(picker, Day(2024, 3, 20)), EInvalidOperation);
    }
}

TEST_F(DateTimePickerTest, TheCheckBoxTurnsByClickAndBySpaceAndUncheckedTakesNoEdits) {
    picker->SetShowCheckbox(true);
    Input::TabTo(picker);
    const TRect client = picker->ClientRect();
    struct Step {
        const char* How;
        bool Checked;
    };
    const Step steps[] = {{"click", false}, {"up", false}, {"space", true}, {"up", true}, {"space", false}};
    int expectedChanges = 0;
    TDateTime expectedDate = picker->Date();
    for (const Step& step : steps) {
        const AnsiString how = step.How;
        if (how == "click") Testing::Click(picker, 2 + 6, client.Height() / 2);
        else if (how == "space") Input::Key(picker, VK_SPACE);
        else Input::Key(picker, VK_UP);
        if (how != "up" || step.Checked) ++expectedChanges;
        if (how == "up" && step.Checked) expectedDate = IncMonth(expectedDate);
        EXPECT_EQ(picker->Checked(), step.Checked) << step.How;
        EXPECT_EQ(picker->Date(), expectedDate) << step.How;
        EXPECT_EQ(changes.Count(), expectedChanges) << step.How;
    }
    EXPECT_TRUE(picker->Focused());
}

TEST_F(DateTimePickerTest, TheCheckBoxShowsItsMarkAtTheLeft) {
    picker->SetShowCheckbox(true);
    std::unique_ptr<TBitmap> checked(Testing::GrabWindow(form));
    picker->SetChecked(false);
    std::unique_ptr<TBitmap> unchecked(Testing::GrabWindow(form));
    // Client origin of the picker in the form, then the box's 13 pixels from 2 pixels in.
    const TPoint origin = form->ScreenToClient(picker->ClientOrigin());
    int inBox = 0, rightOfBox = 0;
    for (Integer y = 0; y < picker->ClientHeight(); ++y)
        for (Integer x = 0; x < 40; ++x) {
            if (PixelOf(checked.get(), origin.X + x, origin.Y + y) ==
                PixelOf(unchecked.get(), origin.X + x, origin.Y + y))
                continue;
            ++(x < 16 ? inBox : rightOfBox);
        }
    EXPECT_GT(inBox, 4);       // the mark
    EXPECT_GT(rightOfBox, 4);  // the value greyed
}

TEST_F(DateTimePickerTest, ADescendantsKeyDownSeesTheKeysAndTakesThemFromTheField) {
    picker->Taken = {VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END, VK_UP};
    Input::TabTo(picker);
    for (Word key : picker->Taken) Input::Key(picker, key);
    EXPECT_EQ(picker->KeysSeen, picker->Taken);
    EXPECT_EQ(picker->Date(), Day(2024, 3, 15));
    EXPECT_EQ(changes.Count(), 0);
}

TEST_F(DateTimePickerTest, NonClientPaintDrawsOnTheWindowsDeviceContext) {
    auto* flat = Place<TNotingPicker>(10, 50, 186, 21);
    flat->FlatFrame = true;
    flat->Invalidate();
    std::unique_ptr<TBitmap> window(Testing::GrabWindow(form));
    struct Probe {
        TNotingPicker* Picker;
        Integer X, Y;
        TColor Expected;
    };
    const Probe probes[] = {
        {picker, 0, 0, clBtnShadow}, {picker, 1, 1, cl3DDkShadow}, {flat, 0, 0, clWindow},
        {flat, 1, 1, clWindow},      {flat, 185, 20, clWindow},    {flat, 184, 10, clWindow},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(PixelOf(window.get(), p.Picker->Left() + p.X, p.Picker->Top() + p.Y), Rgb(p.Expected))
            << p.X << "," << p.Y;
}

TEST_F(DateTimePickerTest, AFormDescriptionWithAPickerLoads) {
    ReadComponentFromText(R"(object Form1: TForm
  object DateTimePicker1: TDateTimePicker
    Left = 8
    Top = 8
    Date = 45000.000000000000000000
    Time = 0.500000000000000000
    Kind = dtkTime
    DateMode = dmUpDown
    ShowCheckbox = True
    Checked = False
    Format = 'HH:mm'
  end
end
)",
                          form);
    auto* loaded = dynamic_cast<TDateTimePicker*>(form->FindComponent("DateTimePicker1"));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Date(), 45000);
    EXPECT_NEAR(loaded->Time(), 0.5, OneMillisecond);
    EXPECT_EQ(loaded->Kind(), dtkTime);
    EXPECT_EQ(loaded->DateMode(), dmUpDown);
    EXPECT_FALSE(loaded->Checked());
    EXPECT_EQ(Testing::PeerText(loaded), "12:00");
}

}  // namespace

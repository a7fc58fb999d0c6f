// The progress window and stopwatch on an injected clock and timer service: when the window appears, what it
// reads, how it closes, and a user closing the main window while a report pumps the queue.
#include <algorithm>
#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "GPanel.h"
#include "gauge.h"
#include "valstr.h"
#include "vcl/ComCtrls.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Resources.h"
#include "vcl/StdCtrls.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

using namespace gauge;

namespace {

constexpr Int64 MsPerDay = 86400000;

TEST(Stopwatch, RemainingTimeIsTheElapsedTimeScaledToTheRestOfTheWork) {
    struct Case {
        UInt64 ElapsedMs;
        Integer Percent;
        Int64 RemainingMs;
    };
    const Case cases[] = {
        {10000, 40, 15000}, {10000, 100, 0}, {3000, 30, 7000}, {1000, 3, 32333}, {5000, 0, MsPerDay}, {0, 50, 0},
    };
    for (const Case& c : cases) {
        TTestClock clock;
        StopwatchT watch;
        watch.Word1 = 7;
        StopwatchStart(watch);
        EXPECT_EQ(watch.Word1, 0);
        clock.Advance(c.ElapsedMs);
        EXPECT_EQ(StopwatchElapsedMs(watch), static_cast<Int64>(c.ElapsedMs));
        EXPECT_EQ(StopwatchRemainingMs(watch, c.Percent), c.RemainingMs) << c.ElapsedMs << " ms, " << c.Percent;
        EXPECT_DOUBLE_EQ(StopwatchRemaining(watch, c.Percent), static_cast<Double>(c.RemainingMs) / MsPerDay);
        // A date-time difference carries the rounding of two day fractions: equal to well under a millisecond.
        EXPECT_NEAR(StopwatchStop(watch), static_cast<Double>(c.ElapsedMs) / MsPerDay, 1e-9);
    }
}

// A form that runs a piece of work when it receives WM_STARTWORK, as a handler would during the loop.
constexpr UINT WM_STARTWORK = WM_USER + 1;

class TWorkWindow : public TForm {
    VCL_CLASS(TWorkWindow, TForm)
    explicit TWorkWindow(TComponent* AOwner) : TForm(AOwner) {}
    std::function<void()> Work;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == WM_STARTWORK && Work) Work();
        else inherited::Dispatch(Message);
    }
};

VCL_IMPLEMENT_CLASS(TWorkWindow, VCL_CREATOR(TWorkWindow), nullptr)

const char WorkWindowText[] =
    "object WorkWindow: TWorkWindow\n  Width = 300\n  Height = 200\n  Caption = 'Work'\nend\n";
const TResourceEntry WorkWindowResources[] = {
    {"TWorkWindow", "DFM", reinterpret_cast<const unsigned char*>(WorkWindowText), sizeof WorkWindowText - 1},
    {nullptr, nullptr, nullptr, 0},
};

TEST(WaitMilliseconds, PumpsTheQueueOnlyWhileTimeIsLeft) {
    TTestClock clock;
    TForm* form = new TForm(nullptr);
    int delivered = 0;
    // Each delivered message stands for 10 ms of work elsewhere in the program and posts the next, ten in all.
    const TWndMethod previous = form->WindowProc;
    form->WindowProc = [&](TMessage& Message) {
        if (Message.Msg != WM_STARTWORK) return previous(Message);
        ++delivered;
        clock.Advance(10);
        if (delivered < 10) PostMessage(form->Handle(), WM_STARTWORK, 0, 0);
    };
    PostMessage(form->Handle(), WM_STARTWORK, 0, 0);
    EXPECT_FALSE(WaitMilliseconds(0));
    EXPECT_EQ(delivered, 0) << "no time to wait: nothing pumped";
    EXPECT_FALSE(WaitMilliseconds(95));
    EXPECT_EQ(delivered, 10);
    EXPECT_GE(clock.TickCount(), 1000u + 95u);
    form->WindowProc = previous;
    form->Free();
}

class GaugeWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterVclClasses(); }

    void SetUp() override {
        SetFontMetricsProvider(&metrics);
        FormGaugeInit(G, 20);
    }
    void TearDown() override {
        FormGaugeClose(G);
        SetFontMetricsProvider(nullptr);
    }

    // The status bar's three panels as one line.
    AnsiString StatusLine() const {
        TStatusPanels* panels = G.Window->StatusBar1->Panels();
        return panels->Items(0)->Text() + " | " + panels->Items(1)->Text() + " | " + panels->Items(2)->Text();
    }
    bool WindowShown() const { return G.Window && G.Window->Visible(); }

    TTestClock clock;
    TManualTimerService timers{clock};
    TFixedFontMetrics metrics{6, 13, 10};
    TFormGauge G;
};

TEST_F(GaugeWindowTest, InitSetsTheDefaultsAndKeepsTheDelayAtTwentyMilliseconds) {
    struct Case {
        Int64 Requested;
        Int64 Delay;
    };
    for (const Case& c : {Case{0, 20}, Case{-5, 20}, Case{20, 20}, Case{1000, 1000}}) {
        TFormGauge g;
        g.RefreshMs = 0;
        g.Percent = 50;
        g.Text = "old";
        FormGaugeInit(g, c.Requested);
        EXPECT_EQ(g.DelayMs, c.Delay);
        EXPECT_EQ(g.RefreshMs, 250);
        EXPECT_EQ(g.Percent, 0);
        EXPECT_EQ(g.Text, "");
        EXPECT_EQ(g.BaseColor, 0xE89868);
        EXPECT_EQ(g.LabelPlace, 4);
        EXPECT_EQ(g.CloseAt100, 0);
    }
}

TEST_F(GaugeWindowTest, WorkThatEndsBeforeTheDelayShowsNothing) {
    const Integer forms = Screen->FormCount();
    for (Integer percent = 0; percent <= 100; percent += 10) {
        FormGaugeUpdate(G, "Sorting", "", percent);
        timers.Advance(1);
    }
    EXPECT_EQ(G.Calls, 11);
    EXPECT_EQ(G.Due, 0);
    FormGaugeClose(G);
    timers.Advance(1000);
    EXPECT_EQ(G.Window, nullptr);
    EXPECT_EQ(G.Timer, nullptr);
    EXPECT_EQ(Screen->FormCount(), forms);
    EXPECT_EQ(timers.ActiveCount(), 0);
}

TEST_F(GaugeWindowTest, TheWindowShowsOnTheFirstRefreshAfterTheDelayAndIsNeverTheMainForm) {
    FormGaugeUpdate(G, "Sorting", "", 5);
    timers.Advance(19);
    EXPECT_EQ(G.Due, 0);
    timers.Advance(1);
    EXPECT_EQ(G.Due, 1) << "the delay has passed";
    EXPECT_EQ(G.Window, nullptr) << "the timer refreshes only every 250 ms";
    timers.Advance(249);
    EXPECT_EQ(G.Window, nullptr);
    timers.Advance(1);
    ASSERT_TRUE(WindowShown());
    EXPECT_NE(Application->MainForm(), G.Window);
    EXPECT_EQ(G.Window->Caption(), "Working...");
    EXPECT_EQ(Testing::PeerText(G.Window), "Working...");
    EXPECT_EQ(G.Window->Label1->Caption(), "Sorting");
    EXPECT_EQ(G.Window->Height(), 120);

    FormGaugeUpdate(G, "Sorting more", "", 6);
    EXPECT_EQ(G.Window->Label1->Caption(), "Sorting") << "between ticks a report only stores";
    timers.Advance(250);
    EXPECT_EQ(G.Window->Label1->Caption(), "Sorting more");
}

TEST_F(GaugeWindowTest, FortyPercentAfterTenSecondsEstimatesFifteenSecondsMore) {
    G.RefreshMs = 0;
    FormGaugeUpdate(G, "Sorting", "", 0);
    timers.Advance(10000);
    EXPECT_EQ(G.Window, nullptr) << "without periodic refresh only a report refreshes";
    FormGaugeUpdate(G, "Sorting", "", 40);
    ASSERT_TRUE(WindowShown());
    EXPECT_EQ(StatusLine(), "2 | 0:0:00:10 | ETA: 0:0:00:15");
    EXPECT_EQ(G.Window->Label2->Caption(), "40%");
    EXPECT_EQ(G.Counter, 0);
}

TEST_F(GaugeWindowTest, EveryNthReportRefreshes) {
    G.EveryN = 3;
    G.RefreshMs = 0;
    FormGaugeUpdate(G, "a", "", 1);
    timers.Advance(1000);
    EXPECT_EQ(G.Window, nullptr) << "without periodic refresh the timer only marks the delay";
    EXPECT_EQ(timers.ActiveCount(), 0);
    struct Case {
        Integer Report;
        const char* CallsShown;  // nullptr: no window yet
    };
    const Case cases[] = {{2, nullptr}, {3, "3"}, {4, "3"}, {5, "3"}, {6, "6"}, {7, "6"}, {8, "6"}, {9, "9"}};
    for (const Case& c : cases) {
        FormGaugeUpdate(G, "a", "", c.Report);
        if (!c.CallsShown) {
            EXPECT_EQ(G.Window, nullptr) << c.Report;
            continue;
        }
        ASSERT_NE(G.Window, nullptr) << c.Report;
        EXPECT_EQ(G.Window->StatusBar1->Panels()->Items(0)->Text(), c.CallsShown) << c.Report;
    }
}

TEST_F(GaugeWindowTest, AReportOfOneHundredClosesWhenAskedAndALaterReportStartsANewDelay) {
    G.CloseAt100 = 1;
    G.RefreshMs = 0;
    const Integer forms = Screen->FormCount();
    FormGaugeUpdate(G, "Copying", "", 10);
    timers.Advance(50);
    FormGaugeUpdate(G, "Copying", "", 90);
    ASSERT_TRUE(WindowShown());
    EXPECT_EQ(Screen->FormCount(), forms + 1);

    FormGaugeUpdate(G, "Copying", "", 100);
    EXPECT_EQ(G.Window, nullptr);
    EXPECT_EQ(G.Timer, nullptr);
    EXPECT_EQ(G.Calls, 0);
    EXPECT_EQ(Screen->FormCount(), forms) << "the window is freed";
    EXPECT_EQ(G.CloseAt100, 1) << "closing keeps the options";

    FormGaugeUpdate(G, "Again", "", 10);
    FormGaugeUpdate(G, "Again", "", 20);
    EXPECT_EQ(G.Window, nullptr) << "a new delay runs";
    timers.Advance(20);
    FormGaugeUpdate(G, "Again", "", 30);
    EXPECT_TRUE(WindowShown());
}

TEST_F(GaugeWindowTest, ClosingTheWindowByHandOnlyHidesItUntilTheNextRefresh) {
    G.RefreshMs = 0;
    FormGaugeUpdate(G, "Working", "", 10);
    timers.Advance(20);
    FormGaugeUpdate(G, "Working", "", 20);
    ASSERT_TRUE(WindowShown());
    TGaugeWindow* window = G.Window;
    PostMessage(window->Handle(), WM_CLOSE, 0, 0);
    Application->ProcessMessages();
    EXPECT_FALSE(window->Visible());
    EXPECT_EQ(G.Window, window) << "hidden, not freed";
    FormGaugeUpdate(G, "Working", "", 30);
    EXPECT_TRUE(window->Visible());
    EXPECT_TRUE(Testing::PeerVisible(window));
}

// The frame is 432 wide (the 456-wide window less its borders and two margins of 8); a character is 6 wide.
TEST_F(GaugeWindowTest, TheBarAndThePercentLabelFollowThePercent) {
    struct Case {
        Byte LabelPlace;
        Byte WideFill;
        Byte CentreInFrame;
        Integer Percent;
        Integer Fill;
        Integer Gradient;
        Integer LabelLeft;
    };
    const Case cases[] = {
        {4, 0, 1, 50, 218, 220, 100},  // centred in the fill
        {4, 1, 1, 50, 218, 436, 100},  // the gradient spans the frame
        {2, 0, 1, 80, 348, 350, 208},  // at the fill's end, but no further than the frame's centre
        {2, 0, 0, 80, 348, 350, 326},  // at the fill's end
        {2, 0, 1, 5, 24, 26, 8},      {1, 0, 1, 60, 261, 263, 3},     // at the left
        {4, 0, 1, 0, 2, 4, 2},        {4, 0, 1, 130, 434, 436, 205},  // beyond 100 the fill stops at the frame
    };
    for (const Case& c : cases) {
        FormGaugeInit(G, 20);
        G.RefreshMs = 0;
        G.LabelPlace = c.LabelPlace;
        G.WideFill = c.WideFill;
        G.CentreInFrame = c.CentreInFrame;
        FormGaugeUpdate(G, "", "", 0);
        timers.Advance(20);
        FormGaugeUpdate(G, "", "", c.Percent);
        ASSERT_TRUE(WindowShown());
        TGaugeWindow* w = G.Window;
        const std::string where = std::to_string(c.LabelPlace) + " at " + std::to_string(c.Percent);
        EXPECT_EQ(w->GradProgress1->Width(), 432) << where;
        EXPECT_EQ(w->Panel1->Width(), c.Fill) << where;
        EXPECT_EQ(w->GPanel1->Width(), c.Gradient) << where;
        EXPECT_EQ(w->Label2->Left(), c.LabelLeft) << where;
        EXPECT_EQ(w->Label2->Caption(), std::to_string(c.Percent) + "%");
        FormGaugeClose(G);
    }
}

TEST_F(GaugeWindowTest, TheFillColoursFollowThePercentAsChosen) {
    using valstr::ChangeLightness;
    using valstr::ScaleSaturation;
    constexpr TColor Base = 0xE89868;
    struct Case {
        Byte ColourByPercent;
        Byte LightByPercent;
        Byte SaturateByPercent;
        TColor BarColor2;
    };
    const Case cases[] = {
        {1, 1, 1, ChangeLightness(Base, 40 * 14 / 100.0)},
        {1, 0, 1, 0xFFFFFF},
        {0, 1, 1, Base},
        {1, 1, 0, ChangeLightness(Base, 40 * 14 / 100.0)},
    };
    for (const Case& c : cases) {
        FormGaugeInit(G, 20);
        G.RefreshMs = 0;
        G.ColourByPercent = c.ColourByPercent;
        G.LightByPercent = c.LightByPercent;
        G.SaturateByPercent = c.SaturateByPercent;
        FormGaugeUpdate(G, "", "", 0);
        timers.Advance(20);
        FormGaugeUpdate(G, "", "", 40);
        ASSERT_NE(G.Window, nullptr);
        EXPECT_EQ(G.BarColor2, c.BarColor2);
        auto shade = [&c](TColor Color) { return c.SaturateByPercent ? ScaleSaturation(Color, 40) : Color; };
        GPanel::TGPanel* fill = G.Window->GPanel1;
        EXPECT_EQ(fill->Color_1(), shade(c.BarColor2));
        EXPECT_EQ(fill->Color_2(), shade(Base));
        EXPECT_EQ(fill->Color_3(), shade(Base));
        EXPECT_EQ(fill->Color(), shade(Base));
        EXPECT_EQ(G.Window->Panel1->Color(), Base);
        FormGaugeClose(G);
    }
}

TEST_F(GaugeWindowTest, TheFileLineLosesItsTabsAndFitsTheFrame) {
    G.RefreshMs = 0;
    const AnsiString path =
        "C:\\Program Files\\Halcyra\\positions\\a very long folder name\\"
        "another long folder name\\yet another folder\\list\tof\tfaulty positions.txt";
    FormGaugeUpdate(G, "Reading", path, 0);
    timers.Advance(20);
    FormGaugeProgress(G, "Reading", 10);
    ASSERT_TRUE(WindowShown());
    TLabel* line = G.Window->FileLabel2;
    const AnsiString shown = line->Caption();
    EXPECT_EQ(line->Width(), G.Window->GradProgress1->Width());
    EXPECT_EQ(static_cast<Integer>(shown.size()), line->Width() / 6) << shown;
    EXPECT_EQ(shown.find('\t'), AnsiString::npos);
    EXPECT_EQ(shown.substr(0, 5), "C:\\..");
    EXPECT_EQ(shown.substr(shown.size() - 20), "faulty positions.txt");
    EXPECT_EQ(line->Font()->Name(), "Courier New");
}

TEST_F(GaugeWindowTest, ResizingTheWindowRefitsTheBarAndRefreshes) {
    G.RefreshMs = 0;
    FormGaugeUpdate(G, "", "", 0);
    timers.Advance(20);
    FormGaugeUpdate(G, "", "", 50);
    ASSERT_TRUE(WindowShown());
    TGaugeWindow* w = G.Window;
    w->SetWidth(w->Width() + 100);
    const Integer frame = w->GradProgress1->Width();
    EXPECT_EQ(frame, w->ClientWidth() - 16);
    EXPECT_EQ(w->Panel1->Width(), static_cast<Integer>(std::lround(frame * 0.5)) + 2);
    w->SetHeight(300);
    EXPECT_EQ(w->Height(), 120) << "the height is fixed";
}

}  // namespace

namespace {

// Runs in its own process under CTest: the program's loop ends for good once the main window closes.
TEST(GaugeProgramEnd, ClosingTheMainWindowDuringAReportEndsTheLoopAndTouchesNothingFreed) {
    RegisterVclClasses();
    RegisterResources(WorkWindowResources);
    RegisterClass(TWorkWindow::ClassInfo());
    TTestClock clock;
    TManualTimerService timers(clock);
    TWorkWindow* main = nullptr;
    Application->CreateForm(main);

    TFormGauge g;
    FormGaugeInit(g, 20);
    g.RefreshMs = 0;
    int reports = 0;
    main->Work = [&] {
        for (Integer percent = 0; percent <= 100 && !Application->Terminated(); ++percent) {
            // The user closes the main window; the next report's pump delivers it.
            if (percent == 30) PostMessage(main->Handle(), WM_CLOSE, 0, 0);
            FormGaugeUpdate(g, "Working", "", percent);
            ++reports;
            timers.Advance(100);
        }
    };
    PostMessage(main->Handle(), WM_STARTWORK, 0, 0);
    Application->Run();

    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(reports, 31) << "the work stopped after the report that delivered the close";
    ASSERT_NE(g.Window, nullptr);
    EXPECT_EQ(g.Window->Label2->Caption(), "29%") << "the report after the close no longer refreshes";

    DoneApplication();  // frees every form, the progress window too
    EXPECT_EQ(g.Window, nullptr) << "the record forgets the freed window";
    FormGaugeUpdate(g, "Late", "", 50);
    EXPECT_EQ(g.Window, nullptr) << "an ending program shows no new window";
    FormGaugeClose(g);
    EXPECT_EQ(g.Timer, nullptr);
    EXPECT_EQ(Application->ComponentCount(), 0);
}

}  // namespace

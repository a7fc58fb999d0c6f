// Progress reports, the stopwatch and the unit's start-up; the window itself is in gauge_Window.cpp.
#include "gauge.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <vcl/ExtCtrls.h>
#include <vcl/Resources.h>
#include <vcl/SysUtils.h>

#include "GPanel.h"
#include "dater.h"

extern const TResourceEntry InhouseResources[];

namespace gauge {

using namespace dater;

namespace {

constexpr Int64 MinDelayMs = 20;
constexpr Int64 MinRefreshMs = 50;
constexpr Int64 MsPerDay = 24LL * 60 * 60 * 1000;

Cardinal TimerInterval(Int64 Ms) {
    return static_cast<Cardinal>(std::clamp<Int64>(Ms, 1, std::numeric_limits<Cardinal>::max()));
}

// Nothing shows before the delay has passed, nor once the program is ending.
void Refresh(TFormGauge& G) {
    if (!G.Due || Application->Terminated()) return;
    if (!G.Window) TGaugeWindow::CreateFor(G);
    G.Window->ShowProgress(G);
}

// The first tick marks the delay as passed and turns the timer into the refresher (or stops it).
void FirstTick(TFormGauge& G) {
    G.Due = 1;
    if (G.RefreshMs > 0) G.Timer->SetInterval(TimerInterval(std::max(G.RefreshMs, MinRefreshMs)));
    else G.Timer->SetEnabled(false);
}

// One handler for both kinds of tick, so the handler never replaces itself while it runs.
void Tick(TFormGauge& G) {
    if (G.Due) Refresh(G);
    else FirstTick(G);
}

void StartTimer(TFormGauge& G) {
    G.Timer = new TTimer(nullptr);
    G.Timer->SetEnabled(false);
    G.Timer->SetInterval(TimerInterval(G.DelayMs));
    G.Timer->OnTimer = [&G](TObject*) { Tick(G); };
    G.Timer->SetEnabled(true);
}

void FreeWindowAndTimer(TFormGauge& G) {
    if (TGaugeWindow* window = G.Window) window->Free();
    FreeAndNil(G.Timer);
}

}  // namespace

void InitGaugeUnit() {
    RegisterResources(InhouseResources);
    GPanel::RegisterGPanel();
    RegisterClass(TGaugeWindow::ClassInfo());
}

// ---------------------------------------------------------------------------
// Stopwatch

void StopwatchStart(StopwatchT& Watch) {
    Watch.Start = Now();
    Watch.Word1 = 0;
    Watch.Word2 = 0;
}

TDateTime StopwatchStop(StopwatchT& Watch) {
    Watch.Stop = Now();
    return Watch.Stop - Watch.Start;
}

TDateTime StopwatchElapsed(const StopwatchT& Watch) { return Now() - Watch.Start; }

Int64 StopwatchElapsedMs(const StopwatchT& Watch) {
    return std::llround(StopwatchElapsed(Watch) * static_cast<Double>(MsPerDay));
}

Int64 StopwatchRemainingMs(const StopwatchT& Watch, Integer Percent) {
    if (Percent == 0) return MsPerDay;
    const Int64 elapsed = StopwatchElapsedMs(Watch);
    return std::llround(static_cast<Double>(elapsed) / Percent * 100) - elapsed;
}

TDateTime StopwatchRemaining(const StopwatchT& Watch, Integer Percent) {
    return MsToDateTime(StopwatchRemainingMs(Watch, Percent));
}

bool WaitMilliseconds(Integer Ms) {
    const UInt64 start = ClockTickCount();
    while (ClockTickCount() - start < static_cast<UInt64>(std::max(Ms, 0))) Application->ProcessMessages();
    return false;
}

// ---------------------------------------------------------------------------
// Progress record

void FormGaugeInit(TFormGauge& G, Int64 DelayMs) {
    FormGaugeReset(G);
    G = TFormGauge{};
    G.DelayMs = std::max(MinDelayMs, DelayMs);
}

// A timer or window still alive goes too: a forgotten timer would otherwise go on ticking into the record.
void FormGaugeReset(TFormGauge& G) {
    FreeWindowAndTimer(G);
    G.Counter = 0;
    G.Calls = 0;
    G.Due = 0;
    G.Percent = 0;
    G.Text.clear();
    G.FileText.clear();
    G.Watch = StopwatchT{};
}

void FormGaugeUpdate(TFormGauge& G, const AnsiString& Text, const AnsiString& FileText, Integer Percent) {
    Application->ProcessMessages();
    G.Text = Text;
    G.FileText = FileText;
    G.Percent = Percent;
    ++G.Calls;
    ++G.Counter;
    if (G.Calls == 1) {
        StartTimer(G);
        StopwatchStart(G.Watch);
        return;
    }
    if (G.CloseAt100 && Percent >= 100) {
        FormGaugeClose(G);
        return;
    }
    if (G.EveryN > 0 && G.EveryN > G.Counter) return;
    if (G.EveryN == 0 && G.RefreshMs > 0) return;  // the timer refreshes
    Refresh(G);
}

void FormGaugeProgress(TFormGauge& G, const AnsiString& Text, Integer Percent) {
    const AnsiString fileText = G.FileText;
    FormGaugeUpdate(G, Text, fileText, Percent);
}

void FormGaugeClose(TFormGauge& G) {
    Application->ProcessMessages();
    FormGaugeReset(G);
}

}  // namespace gauge

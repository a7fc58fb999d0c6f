#pragma once
// Progress window and stopwatch: long work reports through a TFormGauge, which shows a small tool window
// only once the work outlasts a delay, refreshes it on a timer and keeps the program responsive by pumping
// the message queue on every report.

#include <vcl/Forms.h>
#include <vcl/Graphics.h>
#include <vcl/System.h>

class TLabel;
class TPanel;
class TStatusBar;
class TTimer;
namespace GPanel {
class TGPanel;
}

namespace gauge {

class TGaugeWindow;

struct StopwatchT {
    TDateTime Start = 0;
    TDateTime Stop = 0;
    Integer Word1 = 0;
    Integer Word2 = 0;
};

// One long operation's progress report: the window shows only after DelayMs and refreshes on a timer.
struct TFormGauge {
    Integer Counter = 0;
    Int64 Calls = 0;
    Byte Due = 0;
    Int64 DelayMs = 20;
    TTimer* Timer = nullptr;
    StopwatchT Watch;
    Integer ShowBar = 1;
    Integer Percent = 0;
    AnsiString Text;
    AnsiString FileText;
    Integer EveryN = 0;
    Int64 RefreshMs = 250;
    TColor FrameColor = 0xFFFFFF;
    TColor BarColor2 = 0xFFFFFF;
    TColor BaseColor = 0xE89868;
    Byte LabelPlace = 4;  // 1 left, 2 right end of the fill, 4 centred in the fill; 0 hidden
    Byte Wobble = 0;
    Byte CentreInFrame = 1;
    Byte ColourByPercent = 1;
    Byte LightByPercent = 1;
    Byte SaturateByPercent = 1;
    Byte WideFill = 0;
    Byte CloseAt100 = 0;
    TComponentRef<TGaugeWindow> Window;  // nil until first shown, and again once the window is destroyed
};

// The progress window, read from its own form description.
class TGaugeWindow : public TForm {
    VCL_CLASS(TGaugeWindow, TForm)
    explicit TGaugeWindow(TComponent* AOwner) : TForm(AOwner) {}

    // Published fields, bound by name from the form description.
    GPanel::TGPanel* GPanel2 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* FileLabel2 = nullptr;
    TPanel* GradProgress1 = nullptr;
    TPanel* Panel1 = nullptr;
    GPanel::TGPanel* GPanel1 = nullptr;
    TLabel* Label2 = nullptr;
    TStatusBar* StatusBar1 = nullptr;

    // Published handlers.
    void SetSizes(TObject* Sender);
    void Closeme(TObject* Sender, TCloseAction& Action);

    // The first showing's set-up for record G: the window becomes G.Window.
    static TGaugeWindow* CreateFor(TFormGauge& G);
    // Texts, bar, colours (G.BarColor2 follows the percent), label place and status bar from G; then shown.
    void ShowProgress(TFormGauge& G);

private:
    void ApplyColours(const TFormGauge& G);
    void PlacePercentLabel(const TFormGauge& G, Integer FillWidth);
    void ShowTimes(const TFormGauge& G);

    TFormGauge* gauge_ = nullptr;
    bool refreshing_ = false;
};

// Start-up: the progress window's form description and classes become known. Call once before any report.
void InitGaugeUnit();

// --- Stopwatch (times from the clock, Now)

void StopwatchStart(StopwatchT& Watch);
TDateTime StopwatchStop(StopwatchT& Watch);
TDateTime StopwatchElapsed(const StopwatchT& Watch);
Int64 StopwatchElapsedMs(const StopwatchT& Watch);
// Percent 0 estimates a whole day.
Int64 StopwatchRemainingMs(const StopwatchT& Watch, Integer Percent);
TDateTime StopwatchRemaining(const StopwatchT& Watch, Integer Percent);
// Pumps the message queue until Ms milliseconds have passed; always False.
bool WaitMilliseconds(Integer Ms);

// --- Progress record

// Reset, then the defaults; the delay is at least 20 ms.
void FormGaugeInit(TFormGauge& G, Int64 DelayMs);
// Counters, texts and percent cleared, no timer, no window, the stopwatch stopped.
void FormGaugeReset(TFormGauge& G);
// One progress report; pumps the message queue first.
void FormGaugeUpdate(TFormGauge& G, const AnsiString& Text, const AnsiString& FileText, Integer Percent);
// A report that keeps the stored file line.
void FormGaugeProgress(TFormGauge& G, const AnsiString& Text, Integer Percent);
// Pumps the queue, frees the window and the timer, and resets the record.
void FormGaugeClose(TFormGauge& G);

}  // namespace gauge

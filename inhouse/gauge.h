#pragma once
// Progress window and stopwatch. For now: the progress controller and stopwatch records.

#include <vcl/Graphics.h>
#include <vcl/System.h>

class TTimer;

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
    TGaugeWindow* Window = nullptr;
};

}  // namespace gauge

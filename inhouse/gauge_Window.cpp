// The progress window: its published parts, its first set-up and one refresh from the progress record.
#include <algorithm>
#include <cmath>

#include <vcl/ComCtrls.h>
#include <vcl/ExtCtrls.h>
#include <vcl/StdCtrls.h>
#include <vcl/SysUtils.h>

#include "ComponentHandling.h"
#include "Diskop.h"
#include "GPanel.h"
#include "dater.h"
#include "gauge.h"
#include "repl.h"
#include "valstr.h"

namespace gauge {

using namespace ComponentHandling;
using namespace Diskop;
using namespace GPanel;
using namespace dater;
using namespace repl;
using namespace valstr;

namespace {

void PublishTGaugeWindow(TPublisher& p) {
    TPublishOf<TGaugeWindow> P(p);
    P.Field("GPanel2", &TGaugeWindow::GPanel2);
    P.Field("Label1", &TGaugeWindow::Label1);
    P.Field("FileLabel2", &TGaugeWindow::FileLabel2);
    P.Field("GradProgress1", &TGaugeWindow::GradProgress1);
    P.Field("Panel1", &TGaugeWindow::Panel1);
    P.Field("GPanel1", &TGaugeWindow::GPanel1);
    P.Field("Label2", &TGaugeWindow::Label2);
    P.Field("StatusBar1", &TGaugeWindow::StatusBar1);
    P.Method("SetSizes", &TGaugeWindow::SetSizes);
    P.Method("Closeme", &TGaugeWindow::Closeme);
}

constexpr Integer FrameMargin = 8;
const AnsiString TimePattern = "a:H:ii:ss";

AnsiString FormatDuration(TDateTime Value) {
    AnsiString result;
    FormatDatePattern(TimePattern, "0", result, Value);
    return result;
}

}  // namespace

VCL_IMPLEMENT_CLASS(TGaugeWindow, VCL_CREATOR(TGaugeWindow), &PublishTGaugeWindow)

void TGaugeWindow::SetSizes(TObject*) {
    const Integer width = ClientWidth() - 2 * FrameMargin;
    GradProgress1->SetBounds(FrameMargin, GradProgress1->Top(), width, GradProgress1->Height());
    Label1->SetWidth(width);
    FileLabel2->SetWidth(width);
    FileLabel2->Font()->SetName("Courier New");
    FileLabel2->Font()->SetSize(8);
    GPanel2->SetWidth(ClientWidth());
}

void TGaugeWindow::Closeme(TObject*, TCloseAction& Action) { Action = caHide; }

// Owned by the application but never its main form: a progress window shown before the main window
// must not take that role (closing it would end the program).
TGaugeWindow* TGaugeWindow::CreateFor(TFormGauge& G) {
    auto* window = TCustomForm::Create<TGaugeWindow>(Application);
    window->gauge_ = &G;
    G.Window = window;
    SetDoubleBufferedDeep(window);
    window->Panel1->SetWidth(0);
    window->GPanel1->SetWidth(0);
    window->Label1->SetCaption("");
    window->FileLabel2->SetCaption("");
    window->OnResize = [window](TObject* Sender) {
        window->SetSizes(Sender);
        if (window->gauge_) window->ShowProgress(*window->gauge_);
    };
    window->GradProgress1->SetVisible(G.ShowBar != 0);
    window->GradProgress1->SetColor(G.FrameColor);
    window->ApplyColours(G);
    window->GPanel1->SetPercent(100);
    window->GPanel1->SetCaption("");
    window->Panel1->SetColor(G.BaseColor);
    window->GPanel2->SetHorizontal(false);
    window->GPanel2->SetPercent(60);
    window->GPanel2->SetBevelInner(bvNone);
    window->GPanel2->SetBevelOuter(bvNone);
    window->GPanel2->SetBorderStyle(bsNone);
    window->GPanel2->SetAlign(alClient);
    window->Label2->SetVisible(G.LabelPlace != 0);
    return window;
}

void TGaugeWindow::ApplyColours(const TFormGauge& G) {
    auto shade = [&G](TColor Color) { return G.SaturateByPercent ? ScaleSaturation(Color, G.Percent) : Color; };
    GPanel1->SetColor(shade(G.BaseColor));
    GPanel1->SetColor_1(shade(G.BarColor2));
    GPanel1->SetColor_2(shade(G.BaseColor));
    GPanel1->SetColor_3(shade(G.BaseColor));
}

void TGaugeWindow::PlacePercentLabel(const TFormGauge& G, Integer FillWidth) {
    const Integer frameWidth = GradProgress1->Width();
    const Integer labelWidth = Label2->Width();
    if (G.LabelPlace & 4) {
        Label2->SetLeft(std::max(1, (FillWidth - 2) / 2 - labelWidth / 2) + 1);
    } else if (G.LabelPlace & 2) {
        const Integer rightEnd = FillWidth - 2 - labelWidth - 3;
        const Integer left = G.CentreInFrame ? std::min(rightEnd, frameWidth / 2 - labelWidth / 2) : rightEnd;
        Label2->SetLeft(std::max(1, left) + 1);
    } else if (G.LabelPlace & 1) {
        Label2->SetLeft(3);
    }
    if (G.Wobble) Label2->SetTop(static_cast<Integer>(std::lround(std::cos(G.Percent / 2) * 4 + 4)));
}

void TGaugeWindow::ShowTimes(const TFormGauge& G) {
    StatusBar1->Panels()->Items(0)->SetText(IntToStr(G.Calls));
    StatusBar1->Panels()->Items(1)->SetText(FormatDuration(StopwatchElapsed(G.Watch)));
    StatusBar1->Panels()->Items(2)->SetText("ETA: " + FormatDuration(StopwatchRemaining(G.Watch, G.Percent)));
}

void TGaugeWindow::ShowProgress(TFormGauge& G) {
    if (refreshing_) return;  // showing the window may resize it, and a resize refreshes
    refreshing_ = true;
    struct TClearOnExit {
        bool& Flag;
        ~TClearOnExit() { Flag = false; }
    } clear{refreshing_};

    const Integer frameWidth = GradProgress1->Width();
    Label1->SetCaption(G.Text);
    FileLabel2->SetWidth(frameWidth);
    const Integer charWidth = std::max(1, FontMetricsProvider().TextWidth(FileLabel2->Font()->Desc(), "A"));
    AnsiString blanked, fileLine;
    ReplaceChar('\t', ' ', G.FileText, 0, blanked);
    ShortenPath(blanked, FileLabel2->Width() / charWidth, "..", fileLine);
    FileLabel2->SetCaption(fileLine);

    // Reports outside 0..100 still draw a fill inside the frame.
    const Integer barPercent = std::clamp(G.Percent, 0, 100);
    const Integer fillWidth = static_cast<Integer>(std::lround(frameWidth * barPercent / 100.0)) + 2;
    Panel1->SetWidth(fillWidth);
    Label2->SetCaption(IntToStr(G.Percent) + "%");
    GPanel1->SetWidth(G.WideFill ? frameWidth + 4 : fillWidth + 2);

    if (!G.ColourByPercent) G.BarColor2 = G.BaseColor;
    else if (G.LightByPercent) G.BarColor2 = ChangeLightness(G.BaseColor, G.Percent * 14 / 100.0);
    else G.BarColor2 = 0xFFFFFF;
    ApplyColours(G);
    PlacePercentLabel(G, fillWidth);
    ShowTimes(G);
    Show();
    G.Counter = 0;
}

}  // namespace gauge

// THintWindow: the pop-up window a control's hint shows in.

#include "vcl/Forms.h"
#include "vcl/Windows.h"

namespace {
// Room around the text: the frame and a little air.
constexpr Integer HintMarginX = 3;
constexpr Integer HintMarginY = 1;
}  // namespace

VCL_IMPLEMENT_CLASS(THintWindow, VCL_CREATOR(THintWindow), nullptr)

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetVisible(false);
    SetColor(Application ? Application->HintColor() : clInfoBk);
    if (Screen) Font()->Assign(Screen->HintFont());
    else Font()->SetColor(clInfoText);
}

THintWindow::~THintWindow() = default;

void THintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER | WS_DISABLED;
    Params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
}

TRect THintWindow::CalcHintRect(Integer MaxWidth, const AnsiString& AHint, void*) {
    TRect r = Rect(0, 0, std::max<Integer>(MaxWidth, 1), 0);
    DrawText(Canvas()->Handle(), AHint.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 2 * HintMarginX + 2;
    r.Bottom += 2 * HintMarginY + 2;
    return r;
}

void THintWindow::ActivateHint(TRect Rect, const AnsiString& AHint) {
    SetCaption(AHint);
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    HandleNeeded();
    SetWindowPos(Handle(), HWND_TOPMOST, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::ActivateHintData(TRect Rect, const AnsiString& AHint, void*) { ActivateHint(Rect, AHint); }

void THintWindow::ReleaseHandle() {
    SetVisible(false);
    DestroyHandle();
}

void THintWindow::Paint() {
    TCanvas& c = *Canvas();
    // The line around it is the frame of WS_BORDER.
    TRect r = ClientRect();
    c.Brush()->SetColor(Color());
    c.FillRect(r);
    c.Font()->Assign(Font());
    c.Brush()->SetStyle(bsClear);
    TRect text = Rect(r.Left + HintMarginX, r.Top + HintMarginY, r.Right - HintMarginX, r.Bottom);
    DrawText(c.Handle(), Caption().c_str(), -1, &text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

AnsiString GetShortHint(const AnsiString& Hint) {
    const auto bar = Hint.find('|');
    return bar == AnsiString::npos ? Hint : Hint.substr(0, bar);
}

AnsiString GetLongHint(const AnsiString& Hint) {
    const auto bar = Hint.find('|');
    return bar == AnsiString::npos ? Hint : Hint.substr(bar + 1);
}

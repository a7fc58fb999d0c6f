// TScreen: monitors (from the windowing system or the test seam), the forms, the active form and control.

#include <algorithm>

#include "Controls/Internal.h"
#include "Windows/Cursors.h"

VCL_IMPLEMENT_CLASS(TMonitor, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TScreen, nullptr, nullptr)

TScreen* Screen = nullptr;

// The hint font of the desktop the platform answers for (Windows XP): 8 points of its user-interface face.
TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner), hintFont_(std::make_unique<TFont>()) {
    hintFont_->SetName("Tahoma");
    hintFont_->SetHeight(-11);
    hintFont_->SetColor(clInfoText);
}

TScreen::~TScreen() {
    if (Screen == this) Screen = nullptr;
}

// Monitors are asked for on first use, so the windowing system starts only when something needs it.
// The monitors are read on first use, by whichever of the two is asked first.
Integer TScreen::MonitorCount() const {
    if (monitors_.empty()) const_cast<TScreen*>(this)->ResetMonitors();
    return static_cast<Integer>(monitors_.size());
}

TMonitor* TScreen::Monitors(Integer Index) const {
    CheckRange(Index, 0, MonitorCount() - 1);
    return monitors_[static_cast<std::size_t>(Index)].get();
}

TMonitor* TScreen::PrimaryMonitor() const {
    TMonitor* first = Monitors(0);
    for (const auto& m : monitors_)
        if (m->Primary()) return m.get();
    return first;
}

TMonitor* TScreen::MonitorFromPoint(const TPoint& Point) const {
    TMonitor* best = PrimaryMonitor();
    Int64 bestDistance = -1;
    for (const auto& m : monitors_) {
        TRect r = m->BoundsRect();
        Int64 dx = Point.X < r.Left ? r.Left - Point.X : Point.X >= r.Right ? Point.X - r.Right + 1 : 0;
        Int64 dy = Point.Y < r.Top ? r.Top - Point.Y : Point.Y >= r.Bottom ? Point.Y - r.Bottom + 1 : 0;
        Int64 distance = dx * dx + dy * dy;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = m.get();
        }
    }
    return best;
}

Integer TScreen::Width() const { return PrimaryMonitor()->Width(); }
Integer TScreen::Height() const { return PrimaryMonitor()->Height(); }

Integer TScreen::DesktopWidth() const {
    PrimaryMonitor();
    Integer left = 0, right = 0;
    for (const auto& m : monitors_) {
        left = std::min(left, m->Left());
        right = std::max(right, m->Left() + m->Width());
    }
    return right - left;
}

Integer TScreen::DesktopHeight() const {
    PrimaryMonitor();
    Integer top = 0, bottom = 0;
    for (const auto& m : monitors_) {
        top = std::min(top, m->Top());
        bottom = std::max(bottom, m->Top() + m->Height());
    }
    return bottom - top;
}

TRect TScreen::WorkAreaRect() const { return PrimaryMonitor()->WorkareaRect(); }

void TScreen::SetMonitorsForTest(const std::vector<TMonitorSpec>& Monitors) {
    if (Monitors.empty()) throw EInvalidOperation("A screen needs at least one monitor");
    Rebuild(Monitors);
}

void TScreen::ResetMonitors() {
    std::vector<TMonitorSpec> found = AppLoop::QueryScreens();
    if (found.empty()) found.push_back({Rect(0, 0, 1024, 768), {}, true});
    Rebuild(found);
}

void TScreen::Rebuild(const std::vector<TMonitorSpec>& Monitors) {
    monitors_.clear();
    Integer n = 0;
    for (const TMonitorSpec& m : Monitors) {
        TRect work = m.WorkArea.IsEmpty() ? m.Bounds : m.WorkArea;
        monitors_.push_back(std::make_unique<TMonitor>(n++, m.Bounds, work, m.Primary));
    }
}

TCustomForm* TScreen::Forms(Integer Index) const {
    CheckRange(Index, 0, FormCount() - 1);
    return forms_[static_cast<std::size_t>(Index)];
}

void TScreen::AddForm(TCustomForm* Form) {
    if (std::find(forms_.begin(), forms_.end(), Form) == forms_.end()) forms_.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), Form), forms_.end());
    if (activeForm_ == Form) SetActiveForm(nullptr);
}

void TScreen::SetActiveForm(TCustomForm* Form) {
    if (activeForm_ == Form) return;
    activeForm_ = Form;
    if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* Control) {
    if (activeControl_ == Control) return;
    activeControl_ = Control;
    if (OnActiveControlChange) OnActiveControlChange(this);
}

HCURSOR TScreen::Cursors(Integer Index) const {
    const auto added = cursors_.find(Index);
    return added != cursors_.end() ? added->second : StockCursor(Index);
}

// A nil handle takes the program's own cursor back out.
void TScreen::SetCursors(Integer Index, HCURSOR Handle) {
    if (Handle) cursors_[Index] = Handle;
    else cursors_.erase(Index);
}

void TScreen::SetCursor(TCursor Value) {
    if (cursor_ == Value) return;
    cursor_ = Value;
    AppLoop::SetOverrideCursor(Value);
}

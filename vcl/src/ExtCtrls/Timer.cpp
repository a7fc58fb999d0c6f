// TTimer and the timer services: the installed one, and the manual one tests drive with their clock.
#include <limits>

#include "ExtCtrls/EventLoopTimerService.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"

namespace {

TManualTimerService* installedManual = nullptr;

void PublishTTimer(TPublisher& p) {
    TPublishOf<TTimer> P(p);
    P.Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
    P.Int("Interval", &TTimer::Interval, &TTimer::SetInterval);
    P.Event("OnTimer", &TTimer::OnTimer);
}

}  // namespace

TTimerService& TimerService() {
    if (installedManual) return *installedManual;
    return EventLoopTimerService();
}

// ---------------------------------------------------------------------------

TManualTimerService::TManualTimerService(TTestClock& Clock) : clock_(Clock), previous_(installedManual) {
    installedManual = this;
}

TManualTimerService::~TManualTimerService() { installedManual = previous_; }

Cardinal TManualTimerService::Start(Cardinal Interval, TTick Tick) {
    const Cardinal interval = Interval == 0 ? 1 : Interval;
    const Cardinal id = nextId_++;
    timers_.emplace(id, TEntry{interval, clock_.TickCount() + interval, std::move(Tick)});
    return id;
}

void TManualTimerService::Stop(Cardinal Id) { timers_.erase(Id); }

void TManualTimerService::Advance(UInt64 Milliseconds) {
    const UInt64 target = clock_.TickCount() + Milliseconds;
    for (;;) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it)
            if (it->second.Due <= target && (next == timers_.end() || it->second.Due < next->second.Due)) next = it;
        if (next == timers_.end()) break;
        if (next->second.Due > clock_.TickCount()) clock_.Advance(next->second.Due - clock_.TickCount());
        next->second.Due += next->second.Interval;
        // A copy: the tick may stop or restart its own timer.
        const TTick tick = next->second.Tick;
        tick();
    }
    if (target > clock_.TickCount()) clock_.Advance(target - clock_.TickCount());
}

// ---------------------------------------------------------------------------

VCL_IMPLEMENT_CLASS(TTimer, VCL_CREATOR(TTimer), &PublishTTimer)

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { UpdateTimer(); }

TTimer::~TTimer() {
    if (id_) service_->Stop(id_);
}

void TTimer::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
    if (interval_ == Value) return;
    interval_ = Value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (id_) service_->Stop(id_);
    id_ = 0;
    service_ = nullptr;
    if (!enabled_ || interval_ == 0) return;
    service_ = &TimerService();
    id_ = service_->Start(interval_, [this] { Tick(); });
}

void TTimer::Tick() {
    try {
        Timer();
    } catch (...) {
        Application->HandleException(this);
    }
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

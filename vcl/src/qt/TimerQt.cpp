// Timer ticks from Qt timers on the application's event loop.
#include <QTimer>

#include <memory>
#include <unordered_map>

#include "Controls/Internal.h"
#include "ExtCtrls/EventLoopTimerService.h"
#include "qt/Peer.h"
#include "vcl/Forms.h"

namespace {

class TEventLoopTimerService : public TTimerService {
public:
    Cardinal Start(Cardinal Interval, TTick Tick) override {
        AppLoop::EnsureApplication();
        const Cardinal id = nextId_++;
        auto timer = std::make_unique<QTimer>();
        timer->setInterval(static_cast<int>(Interval == 0 ? 1 : Interval));
        QObject::connect(timer.get(), &QTimer::timeout, [this, id] { Fire(id); });
        timer->start();
        timers_.emplace(id, TEntry{std::move(timer), std::move(Tick)});
        return id;
    }

    void Stop(Cardinal Id) override {
        auto it = timers_.find(Id);
        if (it == timers_.end()) return;
        it->second.Timer->stop();
        // Stopping from inside its own timeout: Qt must finish the signal before the timer goes.
        it->second.Timer.release()->deleteLater();
        timers_.erase(it);
    }

private:
    struct TEntry {
        std::unique_ptr<QTimer> Timer;
        TTick Tick;
    };

    void Fire(Cardinal Id) {
        auto it = timers_.find(Id);
        if (it == timers_.end()) return;
        const TTick tick = it->second.Tick;
        RunFromQt(nullptr, tick);
    }

    std::unordered_map<Cardinal, TEntry> timers_;
    Cardinal nextId_ = 1;
};

}  // namespace

TTimerService& EventLoopTimerService() {
    // Never destroyed: Qt timers must not outlive the application object's teardown order.
    static auto* service = new TEventLoopTimerService;
    return *service;
}

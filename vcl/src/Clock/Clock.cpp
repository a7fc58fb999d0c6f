#include "vcl/Clock.h"

#include <chrono>
#include <ctime>

#include "vcl/SysUtils.h"

namespace {
TTestClock* installed = nullptr;
}

TDateTime ClockNow() {
    if (installed) return installed->Now();
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    return EncodeDate(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                      static_cast<Word>(local.tm_mday)) +
           EncodeTime(static_cast<Word>(local.tm_hour), static_cast<Word>(local.tm_min),
                      static_cast<Word>(std::min(local.tm_sec, 59)), static_cast<Word>(ms));
}

UInt64 ClockTickCount() {
    if (installed) return installed->TickCount();
    return static_cast<UInt64>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

TTestClock::TTestClock(TDateTime Start, UInt64 StartTicks) : now_(Start), ticks_(StartTicks), previous_(installed) {
    installed = this;
}

TTestClock::~TTestClock() { installed = previous_; }

void TTestClock::Advance(UInt64 Milliseconds) {
    ticks_ += Milliseconds;
    now_ += static_cast<double>(Milliseconds) / MSecsPerDay;
}

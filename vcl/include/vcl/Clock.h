#pragma once
// The one clock of the stand-in: everything that reads the time asks here, so tests can replace it.

#include "System.h"

// Local date and time.
TDateTime ClockNow();
// Milliseconds since an arbitrary start, never going back.
UInt64 ClockTickCount();

// While alive, ClockNow and ClockTickCount read this clock instead of the system's. Nests.
class TTestClock {
public:
    explicit TTestClock(TDateTime Start = 45000.5, UInt64 StartTicks = 1000);
    ~TTestClock();
    TTestClock(const TTestClock&) = delete;
    TTestClock& operator=(const TTestClock&) = delete;

    // Moves both readings forward.
    void Advance(UInt64 Milliseconds);
    void SetNow(TDateTime Value) { now_ = Value; }
    TDateTime Now() const { return now_; }
    UInt64 TickCount() const { return ticks_; }

private:
    TDateTime now_;
    UInt64 ticks_;
    TTestClock* previous_;
};

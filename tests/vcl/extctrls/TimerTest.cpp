#include <gtest/gtest.h>

#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"

namespace {

struct TimerTest : ::testing::Test {
    TTestClock clock;
    TManualTimerService timers{clock};
};

TEST_F(TimerTest, FiresEveryIntervalOnTheInjectedClockAndStopsWhenDisabled) {
    const auto owned = MakeOwned<TTimer>(nullptr);
    TTimer& timer = *owned;
    int ticks = 0;
    timer.OnTimer = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &timer);
        ++ticks;
    };
    timer.SetInterval(100);
    timers.Advance(99);
    EXPECT_EQ(ticks, 0);
    timers.Advance(1);
    EXPECT_EQ(ticks, 1);
    timers.Advance(250);
    EXPECT_EQ(ticks, 3);
    timer.SetEnabled(false);
    timers.Advance(1000);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(timers.ActiveCount(), 0);
    timer.SetEnabled(true);  // starts a fresh interval
    timers.Advance(99);
    EXPECT_EQ(ticks, 3);
    timers.Advance(1);
    EXPECT_EQ(ticks, 4);
}

TEST_F(TimerTest, ZeroIntervalAndDestructionStopTheTimer) {
    int ticks = 0;
    {
        const auto owned = MakeOwned<TTimer>(nullptr);
        TTimer& timer = *owned;
        timer.OnTimer = [&](TObject*) { ++ticks; };
        timer.SetInterval(0);
        timers.Advance(5000);
        EXPECT_EQ(ticks, 0);
        timer.SetInterval(10);
        EXPECT_EQ(timers.ActiveCount(), 1);
    }
    EXPECT_EQ(timers.ActiveCount(), 0);
    timers.Advance(100);
    EXPECT_EQ(ticks, 0);
}

TEST_F(TimerTest, AHandlerThatRaisesGoesToTheApplicationAndTheTimerKeepsRunning) {
    Application->Initialize();
    std::vector<AnsiString> reported;
    Application->OnException = [&](TObject*, Exception* E) { reported.push_back(E->Message()); };
    const auto owned = MakeOwned<TTimer>(nullptr);
    TTimer& timer = *owned;
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        ++ticks;
        throw Exception("tick failed");
    };
    timers.Advance(2000);
    Application->OnException = nullptr;
    EXPECT_EQ(ticks, 2);
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0], "tick failed");
}

TEST_F(TimerTest, ADueTimerMayStopAnotherDueAtTheSameTime) {
    const auto ownedFirst = MakeOwned<TTimer>(nullptr);
    const auto ownedSecond = MakeOwned<TTimer>(nullptr);
    TTimer& first = *ownedFirst;
    TTimer& second = *ownedSecond;
    int secondTicks = 0;
    first.OnTimer = [&](TObject*) { second.SetEnabled(false); };
    second.OnTimer = [&](TObject*) { ++secondTicks; };
    timers.Advance(1000);
    EXPECT_EQ(secondTicks, 0);
}

}  // namespace

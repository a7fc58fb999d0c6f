// TThread: Execute on its own thread, Terminate, WaitFor, FreeOnTerminate.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "vcl/Classes.h"

namespace {

// Runs until terminated when Loop is set; returns 7; raises when Fail is set.
class TWorker : public TThread {
    VCL_CLASS(TWorker, TThread)
    TWorker(bool Loop, bool Fail, std::atomic<int>* Destroyed) : loop_(Loop), fail_(Fail), destroyed_(Destroyed) {}
    ~TWorker() override {
        if (destroyed_) ++*destroyed_;
    }
    std::thread::id RanOn;

protected:
    void Execute() override {
        RanOn = std::this_thread::get_id();
        while (loop_ && !Terminated()) std::this_thread::yield();
        if (fail_) throw std::runtime_error("failed");
        SetReturnValue(7);
    }

private:
    bool loop_;
    bool fail_;
    std::atomic<int>* destroyed_;
};
VCL_IMPLEMENT_CLASS(TWorker, nullptr, nullptr)

}  // namespace

TEST(ThreadTest, ExecuteRunsOnItsOwnThreadUntilTerminatedAndWaitForGivesItsReturnValue) {
    auto worker = MakeOwned<TWorker>(true, false, nullptr);
    EXPECT_THROW(worker->WaitFor(), EThread) << "not started";
    worker->Start();
    EXPECT_THROW(worker->Start(), EThread);
    worker->Terminate();
    EXPECT_TRUE(worker->Terminated());
    EXPECT_EQ(worker->WaitFor(), 7);
    EXPECT_TRUE(worker->Finished());
    EXPECT_NE(worker->RanOn, std::this_thread::get_id());
    EXPECT_FALSE(worker->FatalException());
}

TEST(ThreadTest, WhatExecuteRaisesEndsTheThreadAndIsKept) {
    auto worker = MakeOwned<TWorker>(false, true, nullptr);
    worker->Start();
    EXPECT_EQ(worker->WaitFor(), 0);
    ASSERT_TRUE(worker->FatalException());
    EXPECT_THROW(std::rethrow_exception(worker->FatalException()), std::runtime_error);
}

TEST(ThreadTest, FreeingARunningThreadTerminatesAndWaitsForIt) {
    std::atomic<int> destroyed = 0;
    auto* worker = new TWorker(true, false, &destroyed);
    worker->Start();
    worker->Free();  // would hang, or run Execute on a freed object, without the wait
    EXPECT_EQ(destroyed, 1);
}

TEST(ThreadTest, AThreadThatFreesItselfGoesWhenExecuteEnds) {
    std::atomic<int> destroyed = 0;
    auto* worker = new TWorker(false, false, &destroyed);
    worker->SetFreeOnTerminate(true);
    EXPECT_THROW(worker->WaitFor(), EThread);
    worker->Start();
    EXPECT_TRUE(TThread::WaitUntilNoThreadsForTest(10000));
    EXPECT_EQ(destroyed, 1);
}

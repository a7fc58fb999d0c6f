// TThread on std::thread. Start holds the lock while it stores the worker, so a thread that ends at
// once and frees itself finds the worker to detach.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "vcl/Classes.h"

VCL_IMPLEMENT_CLASS(TThread, nullptr, nullptr)

namespace {

struct TThreadCount {
    std::mutex Lock;
    std::condition_variable Changed;
    int Objects = 0;
};

TThreadCount& Count() {
    static TThreadCount count;
    return count;
}

void CountObject(int Delta) {
    TThreadCount& count = Count();
    std::lock_guard lock(count.Lock);
    count.Objects += Delta;
    count.Changed.notify_all();
}

}  // namespace

struct TThread::TState {
    mutable std::mutex Lock;
    std::thread Worker;
    bool Started = false;
    bool Finished = false;
    bool FreeOnTerminate = false;
    std::atomic<bool> Terminated{false};
    Integer ReturnValue = 0;
    std::exception_ptr Fatal;
};

TThread::TThread() : state_(std::make_unique<TState>()) { CountObject(+1); }

// Before the descendant's part goes, so that Execute never runs on a half-destroyed object.
void TThread::BeforeDestruction() {
    if (state_->Worker.joinable() && state_->Worker.get_id() != std::this_thread::get_id()) {
        Terminate();
        state_->Worker.join();
    }
    inherited::BeforeDestruction();
}

TThread::~TThread() {
    if (state_->Worker.joinable()) {  // destroyed without Free
        Terminate();
        state_->Worker.join();
    }
    CountObject(-1);
}

void TThread::Start() {
    std::lock_guard lock(state_->Lock);
    if (state_->Started) throw EThread("Thread already started");
    state_->Started = true;
    state_->Worker = std::thread([this] { Run(); });
}

void TThread::Run() {
    std::exception_ptr fatal;
    try {
        Execute();
    } catch (...) {
        fatal = std::current_exception();
    }
    {
        std::lock_guard lock(state_->Lock);
        state_->Fatal = fatal;
        state_->Finished = true;
        if (!state_->FreeOnTerminate) return;
        state_->Worker.detach();
    }
    Free();
}

void TThread::Terminate() { state_->Terminated = true; }
bool TThread::Terminated() const { return state_->Terminated; }

Integer TThread::WaitFor() {
    {
        std::lock_guard lock(state_->Lock);
        if (state_->FreeOnTerminate) throw EThread("Cannot wait for a thread that frees itself");
        if (!state_->Started) throw EThread("Cannot wait for a thread not started");
        if (state_->Worker.get_id() == std::this_thread::get_id()) throw EThread("A thread cannot wait for itself");
    }
    if (state_->Worker.joinable()) state_->Worker.join();
    std::lock_guard lock(state_->Lock);
    return state_->ReturnValue;
}

bool TThread::Finished() const {
    std::lock_guard lock(state_->Lock);
    return state_->Finished;
}

bool TThread::FreeOnTerminate() const {
    std::lock_guard lock(state_->Lock);
    return state_->FreeOnTerminate;
}

void TThread::SetFreeOnTerminate(bool Value) {
    std::lock_guard lock(state_->Lock);
    state_->FreeOnTerminate = Value;
}

std::exception_ptr TThread::FatalException() const {
    std::lock_guard lock(state_->Lock);
    return state_->Fatal;
}

void TThread::SetReturnValue(Integer Value) {
    std::lock_guard lock(state_->Lock);
    state_->ReturnValue = Value;
}

bool TThread::WaitUntilNoThreadsForTest(int Milliseconds) {
    TThreadCount& count = Count();
    std::unique_lock lock(count.Lock);
    return count.Changed.wait_for(lock, std::chrono::milliseconds(Milliseconds), [&] { return count.Objects == 0; });
}

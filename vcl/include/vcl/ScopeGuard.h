#pragma once
// Brackets that close on every way out of a scope, an exception included: a value set for the scope and
// restored after it, and a step run at its end.

#include <exception>
#include <utility>

// Sets Variable to Value for the guard's life; the value it had comes back when the guard goes.
template <typename T>
class TValueGuard {
public:
    TValueGuard(T& Variable, T Value) : variable_(Variable), saved_(std::exchange(Variable, std::move(Value))) {}
    ~TValueGuard() { variable_ = std::move(saved_); }
    TValueGuard(const TValueGuard&) = delete;
    TValueGuard& operator=(const TValueGuard&) = delete;

private:
    T& variable_;
    T saved_;
};

// Runs Step when the scope ends. On a normal exit what Step raises goes on to the caller; while the scope
// is left by an exception that one goes on, and a second one from Step is dropped (two cannot travel).
template <typename F>
class TScopeExit {
public:
    explicit TScopeExit(F Step) : step_(std::move(Step)), exceptions_(std::uncaught_exceptions()) {}
    ~TScopeExit() noexcept(false) {
        if (std::uncaught_exceptions() == exceptions_) {
            step_();
            return;
        }
        try {
            step_();
        } catch (...) {
        }
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    F step_;
    int exceptions_;
};

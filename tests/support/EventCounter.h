#pragma once
// Counts the firings of any event: `EventCounter clicks; clicks.Hook(button->OnClick);`.
// Hook keeps a handler that was already installed and calls it after counting.

#include <functional>
#include <utility>

#include "vcl/Classes.h"

class EventCounter {
public:
    template <typename... Args>
    void Hook(std::function<void(Args...)>& Event) {
        auto previous = Event;
        Event = [this, previous](Args... args) {
            ++count_;
            lastSender_ = SenderOf(args...);
            if (previous) previous(std::forward<Args>(args)...);
        };
    }

    int Count() const { return count_; }
    TObject* LastSender() const { return lastSender_; }
    void Reset() {
        count_ = 0;
        lastSender_ = nullptr;
    }

private:
    template <typename First, typename... Rest>
    static TObject* SenderOf(First& first, Rest&...) {
        if constexpr (std::is_convertible_v<First, TObject*>) return first;
        else return nullptr;
    }
    static TObject* SenderOf() { return nullptr; }

    int count_ = 0;
    TObject* lastSender_ = nullptr;
};

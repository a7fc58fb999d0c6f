#pragma once
// A property a target checks: when it does not hold, the run ends as a crash does, and the fuzzer keeps
// the input.
#include <cstdlib>

inline void Check(bool Condition) {
    if (!Condition) std::abort();
}

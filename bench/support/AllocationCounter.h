#pragma once
// The memory figures of a benchmark program that links support/AllocationCounter.cpp: it replaces the
// global operator new and delete, so every allocation of the program is counted, Qt's and the grid's alike.

#include <cstddef>

namespace allocationcounter {

// The bytes allocated and not yet freed, as malloc sized them.
std::size_t LiveBytes();
// Starts a new peak at the bytes live now, and returns them.
std::size_t RestartPeak();
// The most bytes live at once since the last RestartPeak.
std::size_t PeakBytes();

}  // namespace allocationcounter

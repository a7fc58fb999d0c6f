#pragma once
// The main of every benchmark program.

#include <functional>

// Takes the benchmark options off the command line, starts the program's units with headless Qt (unless a
// platform is chosen), runs Prepare and then the benchmarks. Returns the exit status.
int RunBenchmarks(int argc, char** argv, const std::function<void()>& Prepare = {});

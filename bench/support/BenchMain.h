#pragma once
// The main of every benchmark program.

#include <functional>

namespace benchmark {
class BenchmarkReporter;
}

// Takes the benchmark options off the command line, starts the program's units with headless Qt (unless a
// platform is chosen), runs Prepare and then the benchmarks, shown by Reporter when given. Returns the
// exit status.
int RunBenchmarks(int argc, char** argv, const std::function<void()>& Prepare = {},
                  benchmark::BenchmarkReporter* Reporter = nullptr);

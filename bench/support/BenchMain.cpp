#include "BenchMain.h"

#include <cstdlib>

#include <benchmark/benchmark.h>

#include "ProgramStart.h"
#include "vcl/Forms.h"

int RunBenchmarks(int argc, char** argv, const std::function<void()>& Prepare, benchmark::BenchmarkReporter* Reporter) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return RunProgram(argc, argv, [&] {
        Application->Initialize();
        if (Prepare) Prepare();
        if (Reporter) benchmark::RunSpecifiedBenchmarks(Reporter);
        else benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
    });
}

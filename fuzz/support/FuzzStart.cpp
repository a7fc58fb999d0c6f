// libFuzzer's start-up hook: every target runs inside the program's units with headless Qt, as the replay
// main runs it. The units stay for the life of the process, which libFuzzer ends with exit().
#include <cstdlib>

#include "ProgramStart.h"
#include "vcl/Forms.h"

// Reachable to the end, so that the leak check at exit does not report it.
TProgramUnits* FuzzProgramUnits = nullptr;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    try {
        FuzzProgramUnits = new TProgramUnits(*argc, *argv);
        Application->Initialize();
    } catch (...) {
        PrintFailure();
        std::exit(1);
    }
    return 0;
}

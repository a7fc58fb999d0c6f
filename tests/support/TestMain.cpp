// Test main: headless Qt is chosen here, before any application object exists, because test discovery
// runs the binary outside CTest's environment. The tests run inside the program's own units.
#include <cstdlib>

#include <gtest/gtest.h>

#include "vcl/Forms.h"
#include "vcl/Testing.h"

#include "ProgramStart.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RunProgram(argc, argv, [] {
        Application->Initialize();
        // A headless run has nobody to press OK: message boxes are recorded instead.
        Testing::RecordMessageBoxes(true);
        return RUN_ALL_TESTS();
    });
}

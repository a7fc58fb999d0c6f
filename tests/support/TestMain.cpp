// Test main: headless Qt is chosen here, before any application object exists,
// because test discovery runs the binary outside CTest's environment.
#include <cstdlib>

#include <gtest/gtest.h>

#include "vcl/System.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    InitCommandLine(argc, argv);
    return RUN_ALL_TESTS();
}

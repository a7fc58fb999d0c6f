// Test main: headless Qt is chosen here, before any application object exists,
// because test discovery runs the binary outside CTest's environment.
#include <cstdlib>

#include <gtest/gtest.h>

#include "vcl/Forms.h"
#include "vcl/System.h"
#include "vcl/Testing.h"

#include "Varpre.h"
#include "dater.h"
#include "gauge.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    InitCommandLine(argc, argv);
    Varpre::InitVarpreTables();
    dater::InitDaterTables();
    gauge::InitGaugeUnit();
    Application->Initialize();
    // A headless run has nobody to press OK: message boxes are recorded instead.
    Testing::RecordMessageBoxes(true);
    return RUN_ALL_TESTS();
}

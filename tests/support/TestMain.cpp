// Test main: headless Qt is chosen here, before any application object exists,
// because test discovery runs the binary outside CTest's environment.
#include <cstdlib>

#include <gtest/gtest.h>

#include "vcl/Forms.h"
#include "vcl/System.h"
#include "vcl/Testing.h"

#include "Varpre.h"
#include "dater.h"
#include "easypanel.h"
#include "gauge.h"
#include "standards.h"

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
    const int result = RUN_ALL_TESTS();
    // Unit exits, as the program makes them: the form set-up's tables and its progress timer go first.
    standards::FinalizeStandards();
    easypanel::FinalizeEasyPanel();
    return result;
}

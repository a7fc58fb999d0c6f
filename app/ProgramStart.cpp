#include "ProgramStart.h"

#include <vcl/Forms.h>
#include <vcl/Resources.h>

#include "CalculatorWindow.h"
#include "GPanel.h"
#include "GradBtn.h"
#include "easypanel.h"
#include "standards.h"
#include "Varpre.h"
#include "dater.h"
#include "gauge.h"
#include "online.h"

extern const TResourceEntry HalcyraResources[];

void RegisterProgramClassesAndResources() {
    Varpre::InitVarpreTables();
    dater::InitDaterTables();
    RegisterResources(HalcyraResources);
    RegisterVclClasses();
    GradBtn::RegisterGradBtn();
    GPanel::RegisterGPanel();
    gauge::InitGaugeUnit();
    RegisterClass(TForm1::ClassInfo());
    online::InitOnlineUnit();
}

void CreateCalculatorWindow() { Application->CreateForm(Form1); }

int RunCalculator() {
    RegisterProgramClassesAndResources();
    Application->Initialize();
    CreateCalculatorWindow();
    Application->Run();
    DoneApplication();
    // Unit exits, in reverse order of the start-ups.
    standards::FinalizeStandards();
    easypanel::FinalizeEasyPanel();
    return 0;
}

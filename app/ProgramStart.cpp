#include "ProgramStart.h"

#include <vcl/ComCtrls.h>
#include <vcl/ExtCtrls.h>
#include <vcl/Forms.h>
#include <vcl/Menus.h>
#include <vcl/Resources.h>
#include <vcl/Spin.h>
#include <vcl/StdCtrls.h>

#include "CalculatorWindow.h"

extern const TResourceEntry HalcyraResources[];

void RegisterProgramClassesAndResources() {
    RegisterResources(HalcyraResources);
    RegisterStdCtrls();
    RegisterExtCtrls();
    RegisterComCtrls();
    RegisterSpin();
    RegisterMenus();
    RegisterClass(TForm1::ClassInfo());
}

int RunCalculator() {
    RegisterProgramClassesAndResources();
    Application->Initialize();
    Application->CreateForm(Form1);
    Application->Run();
    DoneApplication();
    return 0;
}

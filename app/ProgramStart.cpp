#include "ProgramStart.h"

#include <vcl/ComCtrls.h>
#include <vcl/Dialogs.h>
#include <vcl/ExtCtrls.h>
#include <vcl/Forms.h>
#include <vcl/Grids.h>
#include <vcl/Mask.h>
#include <vcl/Menus.h>
#include <vcl/Resources.h>
#include <vcl/Spin.h>
#include <vcl/StdCtrls.h>

#include "CalculatorWindow.h"
#include "GradBtn.h"
#include "Varpre.h"
#include "valstr.h"

extern const TResourceEntry HalcyraResources[];

void RegisterProgramClassesAndResources() {
    Varpre::InitVarpreTables();
    RegisterResources(HalcyraResources);
    RegisterStdCtrls();
    RegisterExtCtrls();
    RegisterComCtrls();
    RegisterSpin();
    RegisterMenus();
    RegisterMask();
    RegisterGrids();
    RegisterDialogs();
    GradBtn::RegisterGradBtn();
    RegisterClass(TForm1::ClassInfo());
}

void CreateCalculatorWindow() {
    Application->CreateForm(Form1);
    // Until the form set-up stands, the first state is reached by hand: digit groups with an
    // apostrophe, the enabling of the chosen description, and a first derivation from "30".
    valstr::SetDigitGroupSeparator("'");
    Form1->EnableMe(nullptr);
    Form1->calculatefromgb(nullptr);
}

int RunCalculator() {
    RegisterProgramClassesAndResources();
    Application->Initialize();
    CreateCalculatorWindow();
    Application->Run();
    DoneApplication();
    return 0;
}

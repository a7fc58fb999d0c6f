// The user closes the main window while a panel collapses: the animation's message pump ends at once,
// the panel still reaches its collapsed height and the program goes on to quit. A program of its own,
// since the application stays terminated afterwards.

#include <gtest/gtest.h>

#include <vector>

#include "easypanel.h"
#include "vcl/Clock.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Resources.h"
#include "vcl/Windows.h"

using namespace easypanel;

namespace {

const char MainWindowText[] = "object MainWindow: TForm\n  Width = 400\n  Height = 300\n  Caption = 'Main'\nend\n";
const TResourceEntry MainWindowResources[] = {
    {"TForm", "DFM", reinterpret_cast<const unsigned char*>(MainWindowText), sizeof(MainWindowText) - 1},
    {nullptr, nullptr, nullptr, 0},
};

TPanel* MakePanel(TComponent* Owner, TWinControl* Parent, const char* Name, const char* Caption, Integer Height) {
    auto* panel = new TPanel(Owner);
    panel->SetName(Name);
    panel->SetParent(Parent);
    panel->SetCaption(Caption);
    panel->SetBounds(0, 0, 150, Height);
    return panel;
}

TEST(EasyPanelClose, ClosingTheMainWindowMidCollapseEndsThePumpAndKeepsTheLayoutWhole) {
    RegisterVclClasses();
    RegisterResources(MainWindowResources);
    TForm* mainForm = nullptr;
    Application->CreateForm(TForm::ClassInfo(), mainForm);
    ASSERT_EQ(Application->MainForm(), mainForm);
    mainForm->SetBounds(0, 0, 400, 300);
    mainForm->Show();
    MakePanel(mainForm, mainForm, "PanelA", "Alpha", 100);
    MakePanel(mainForm, mainForm, "PanelB", "Beta", 200);
    MakePanel(mainForm, mainForm, "MainPanel", " ", 100);
    TeasyPanel& mgr = FormManager();
    AttachPanelManager(mgr, mainForm, true);

    TTestClock clock;
    std::vector<Integer> steps;
    SetAnimationStepEvent([&](TPanel*, Integer Height) {
        steps.push_back(Height);
        clock.Advance(8);
        if (steps.size() == 2) PostMessage(mainForm->Handle(), WM_CLOSE, 0, 0);
    });
    SetCollapsed(mgr, 1, false, true);
    SetAnimationStepEvent(nullptr);

    EXPECT_TRUE(Application->Terminated());
    // The close arrived during the second step's pause; no step came after it.
    EXPECT_EQ(steps.size(), 2u);
    EXPECT_EQ(SlotPanel(mgr, 1)->Height(), 26);
    EXPECT_EQ(SlotAt(mgr, 1).Height, 26);
    FinalizeEasyPanel();
}

}  // namespace

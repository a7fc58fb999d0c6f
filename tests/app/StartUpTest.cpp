// The program as a user meets it after start: caption, window size, managed panels, spin buttons,
// layout keys, resizing and closing.
#include <gtest/gtest.h>

#include "CalculatorWindow.h"
#include "ProgramStart.h"
#include "easypanel.h"
#include "standards.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

class StartUp : public ::testing::Test {
protected:
    void SetUp() override {
        Screen->SetMonitorsForTest({{Bounds(0, 0, 1920, 1080), {}, true}});
        CreateCalculatorWindow();
        Input::Show(Form1);
    }
    void TearDown() override {
        FreeAndNil(Form1);
        Screen->ResetMonitors();
    }

    static void Retype(TEdit* Edit, const AnsiString& Text) {
        Input::Click(Edit);
        Input::Key(Edit, 'A', {ssCtrl});
        Input::Type(Edit, Text);
    }
    // A click on the upper or lower half of a spin button.
    static void Spin(TSpinButton* Button, bool Up) {
        Input::Click(Button, Button->Width() / 2, Up ? Button->Height() / 4 : Button->Height() * 3 / 4);
    }
};

TEST_F(StartUp, TheCaptionEndsInTheVersionOnceAndTheWindowFitsItsMonitor) {
    EXPECT_EQ(Form1->Caption(), "halcyra.example Halcyra calculator 1.0");
    EXPECT_EQ(Form1->Width(), 1920 - 40);
    EXPECT_EQ(Form1->Height(), 1080 - 80);
    EXPECT_EQ(Form1->Left(), (1920 - Form1->Width()) / 2);
    EXPECT_EQ(Form1->Top(), (1080 - 40 - Form1->Height()) / 2);
    EXPECT_EQ(Form1->Memo2->Text(), "");
}

TEST_F(StartUp, TheTwoManagedPanelsGetTheirCompanions) {
    for (const char* panel : {"PanelDiskInfo", "PanelFaulty"}) {
        for (const char* role : {"titlebar__", "bevel__", "background__"})
            EXPECT_NE(Form1->FindComponent(AnsiString(role) + panel), nullptr) << role << panel;
    }
    EXPECT_EQ(Form1->FindComponent("titlebar__MainPanel"), nullptr);  // the client panel has none
    EXPECT_TRUE(Form1->MainPanel->Visible());
}

TEST_F(StartUp, OnlyTheGigabyteDescriptionCanBeEditedAtFirst) {
    EXPECT_TRUE(Form1->Edit4->Enabled());
    EXPECT_TRUE(Form1->SpinButton__edit4->Enabled());
    EXPECT_TRUE(Form1->CheckBox1->Enabled());
    for (TControl* output : {static_cast<TControl*>(Form1->Edit1), static_cast<TControl*>(Form1->Edit2),
                             static_cast<TControl*>(Form1->Edit3), static_cast<TControl*>(Form1->SpinButton__edit2)})
        EXPECT_FALSE(output->Enabled()) << output->Name();
}

TEST_F(StartUp, SpinButtonsStepTheirEditWithinItsMinimum) {
    Input::Click(Form1->RadioButton1);  // sectors: Edit2 and its spin button become usable
    Retype(Form1->Edit2, "2");
    Spin(Form1->SpinButton__edit2, false);
    Spin(Form1->SpinButton__edit2, false);
    EXPECT_EQ(Form1->Edit2->Text(), "1");

    Input::Click(Form1->RadioButton3);
    Retype(Form1->Edit4, "1");
    Spin(Form1->SpinButton__edit4, false);
    Spin(Form1->SpinButton__edit4, false);
    EXPECT_EQ(Form1->Edit4->Text(), "0");
    Retype(Form1->Edit4, "1'234");
    Spin(Form1->SpinButton__edit4, true);
    EXPECT_EQ(Form1->Edit4->Text(), "1'235");
    EXPECT_EQ(Form1->Edit3->Text(), "1'235'000'000'000");  // the step fires the derivation
}

TEST_F(StartUp, CtrlF3TogglesTheResultPanelAndF3AloneDoesNothing) {
    Input::Click(Form1->Memo1);
    Input::Key(Form1->Memo1, VK_F3);
    EXPECT_TRUE(Form1->MainPanel->Visible());
    Input::Key(Form1->Memo1, VK_F3, {ssCtrl});
    EXPECT_FALSE(Form1->MainPanel->Visible());
    Input::Key(Form1->Memo1, VK_F3, {ssCtrl, ssShift});
    EXPECT_TRUE(Form1->MainPanel->Visible());
}

TEST_F(StartUp, ResizingKeepsTheInputMemoInsideAndTheResultMemoFlush) {
    Form1->SetBounds(Form1->Left(), Form1->Top(), 1000, 700);
    Application->ProcessMessages();
    TWinControl* inputPanel = Form1->Memo1->Parent();
    EXPECT_EQ(Form1->Memo1->Left() + Form1->Memo1->Width(), inputPanel->ClientWidth() - 8);
    EXPECT_EQ(Form1->Memo1->Top() + Form1->Memo1->Height(), inputPanel->ClientHeight() - 8);
    TWinControl* resultPanel = Form1->Memo2->Parent();
    EXPECT_EQ(Form1->Memo2->Left() + Form1->Memo2->Width(), resultPanel->ClientWidth());
    EXPECT_EQ(Form1->Memo2->Top() + Form1->Memo2->Height(), resultPanel->ClientHeight());
}

TEST_F(StartUp, ClosingTheWindowClearsTheLineAndOptionTables) {
    Input::Click(Form1->Memo1);
    Input::Type(Form1->Memo1, "42");
    ASSERT_GT(standards::LineTable().Count, 0);
    FreeAndNil(Form1);
    EXPECT_EQ(standards::LineTable().Count, 0);
    EXPECT_EQ(standards::OptionTable().Count, 0);
}

}  // namespace

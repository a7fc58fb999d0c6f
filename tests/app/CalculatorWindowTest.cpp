// The calculator window as its description builds it: every control under its name, class and parent,
// and the states its description gives.
#include <string>

#include <gtest/gtest.h>

#include "CalculatorWindow.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

namespace {

// The description read into a bare window, without its creation handler's set-up.
class CalculatorWindow : public ::testing::Test {
protected:
    void SetUp() override {
        Form1 = new TForm1(nullptr);
        ReadComponentRes("TForm1", Form1);
    }
    void TearDown() override { FreeAndNil(Form1); }

    TControl* Control(const char* name) { return dynamic_cast<TControl*>(Form1->FindComponent(name)); }
};

TEST_F(CalculatorWindow, EveryControlStandsUnderItsNameClassAndParent) {
    struct Row {
        const char* Name;
        const char* Class;
        const char* Parent;
    };
    const Row rows[] = {
        {"PanelDiskInfo", "TPanel", "Form1"},
        {"RadioButton3", "TRadioButton", "PanelDiskInfo"},
        {"Edit4", "TEdit", "PanelDiskInfo"},
        {"CheckBox1", "TCheckBox", "PanelDiskInfo"},
        {"RadioButton2", "TRadioButton", "PanelDiskInfo"},
        {"Edit3", "TEdit", "PanelDiskInfo"},
        {"RadioButton1", "TRadioButton", "PanelDiskInfo"},
        {"Edit1", "TEdit", "PanelDiskInfo"},
        {"Label2", "TLabel", "PanelDiskInfo"},
        {"Edit2", "TEdit", "PanelDiskInfo"},
        {"RadioButton8", "TRadioButton", "PanelDiskInfo"},
        {"Edit5", "TEdit", "PanelDiskInfo"},
        {"Label1", "TLabel", "PanelDiskInfo"},
        {"Edit6", "TEdit", "PanelDiskInfo"},
        {"SpinButton__edit1", "TSpinButton", "PanelDiskInfo"},
        {"SpinButton__edit2", "TSpinButton", "PanelDiskInfo"},
        {"SpinButton__edit3", "TSpinButton", "PanelDiskInfo"},
        {"SpinButton__edit4", "TSpinButton", "PanelDiskInfo"},
        {"SpinButton__edit5", "TSpinButton", "PanelDiskInfo"},
        {"SpinButton__edit6", "TSpinButton", "PanelDiskInfo"},
        {"Bevel1", "TBevel", "PanelDiskInfo"},
        {"Bevel2", "TBevel", "PanelDiskInfo"},
        {"Bevel4", "TBevel", "PanelDiskInfo"},
        {"MainPanel", "TPanel", "Form1"},
        {"PanelDisplayOptions", "TPanel", "MainPanel"},
        {"RadioButton4", "TRadioButton", "PanelDisplayOptions"},
        {"RadioButton5", "TRadioButton", "PanelDisplayOptions"},
        {"RadioButton9", "TRadioButton", "PanelDisplayOptions"},
        {"RadioButton10", "TRadioButton", "PanelDisplayOptions"},
        {"CheckBox2", "TCheckBox", "PanelDisplayOptions"},
        {"Panel1", "TPanel", "MainPanel"},
        {"Memo2", "TMemo", "Panel1"},
        {"PanelFaulty", "TPanel", "Form1"},
        {"RadioButton6", "TRadioButton", "PanelFaulty"},
        {"RadioButton7", "TRadioButton", "PanelFaulty"},
        {"RadioButton11", "TRadioButton", "PanelFaulty"},
        {"RadioButton12", "TRadioButton", "PanelFaulty"},
        {"Memo1", "TMemo", "PanelFaulty"},
        {"StatusBar1", "TStatusBar", "Form1"},
        {"Bevel3", "TBevel", "Form1"},
    };
    EXPECT_EQ(Form1->ComponentCount(), static_cast<Integer>(std::size(rows)));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        TControl* control = Control(row.Name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->ClassName(), row.Class);
        ASSERT_NE(control->Parent(), nullptr);
        EXPECT_EQ(control->Parent()->Name(), row.Parent);
        // The published field of the same name refers to the same control.
        void* field = Form1->ClassType()->FindField(row.Name)->Address(*Form1);
        EXPECT_EQ(*static_cast<TComponent**>(field), control);
    }
}

TEST_F(CalculatorWindow, StartsWithTheDescribedTextsAndStates) {
    EXPECT_EQ(Form1->Caption(), "halcyra.example Halcyra calculator");
    EXPECT_EQ(Form1->Width(), 766);
    EXPECT_EQ(Form1->Height(), 673);
    EXPECT_EQ(Form1->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(Form1->Font()->Height(), -11);

    const std::pair<TEdit*, const char*> edits[] = {{Form1->Edit4, "30"},  {Form1->Edit3, "0"}, {Form1->Edit1, "0"},
                                                    {Form1->Edit2, "512"}, {Form1->Edit5, "0"}, {Form1->Edit6, "4096"}};
    for (auto [edit, text] : edits) EXPECT_EQ(edit->Text(), text) << edit->Name();

    // One radio of each group is checked.
    EXPECT_TRUE(Form1->RadioButton3->Checked());
    EXPECT_TRUE(Form1->RadioButton4->Checked());
    EXPECT_TRUE(Form1->RadioButton6->Checked());
    for (TRadioButton* other :
         {Form1->RadioButton1, Form1->RadioButton2, Form1->RadioButton8, Form1->RadioButton5, Form1->RadioButton9,
          Form1->RadioButton10, Form1->RadioButton7, Form1->RadioButton11, Form1->RadioButton12})
        EXPECT_FALSE(other->Checked()) << other->Name();
    EXPECT_FALSE(Form1->CheckBox1->Checked());
    EXPECT_FALSE(Form1->CheckBox2->Checked());

    EXPECT_EQ(Form1->CheckBox1->Hint(), "If you don't check this box then 1 gigabyte equals 1000*1000*1000");
    EXPECT_TRUE(Form1->CheckBox1->ShowHint());
    EXPECT_EQ(Form1->Memo1->Hint(),
              "Paste one or more faulty positions here. Each line should contain an integer number");
    EXPECT_TRUE(Form1->Memo1->ShowHint());
    EXPECT_TRUE(Form1->Memo2->ReadOnly());
    EXPECT_EQ(Form1->Memo2->Color(), 15329769);
    EXPECT_EQ(Form1->MainPanel->Caption(), " ");
    EXPECT_EQ(Form1->StatusBar1->Cursor(), crHandPoint);

    EXPECT_FALSE(Form1->SpinButton__edit1->Enabled());
    for (TSpinButton* spin : {Form1->SpinButton__edit2, Form1->SpinButton__edit3, Form1->SpinButton__edit4,
                              Form1->SpinButton__edit5, Form1->SpinButton__edit6})
        EXPECT_TRUE(spin->Enabled()) << spin->Name();
}

}  // namespace

namespace {

// Runs in its own process under CTest: the message loop ends for good once the main window closes.
TEST(CalculatorProgram, ClosingTheWindowEndsTheLoopAndFreesTheWindow) {
    Application->CreateForm(Form1);
    PostMessage(Form1->Handle(), WM_CLOSE, 0, 0);
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    DoneApplication();
    EXPECT_EQ(Application->ComponentCount(), 0);
    Form1 = nullptr;
}

}  // namespace

#include "StdCtrlsFixture.h"

using FormDescriptionTest = StdCtrlsTest;

TEST_F(FormDescriptionTest, AFormWithTheStandardControlsLoads) {
    const char* text = R"(object Form1: TForm
  Left = 0
  Top = 0
  Width = 300
  Height = 200
  object Label1: TLabel
    Left = 8
    Top = 8
    Caption = '&Bytes'
    FocusControl = Edit1
  end
  object Edit1: TEdit
    Left = 8
    Top = 24
    Width = 100
    Height = 21
    Text = '512'
    MaxLength = 12
    PasswordChar = '*'
  end
  object Memo1: TMemo
    Left = 8
    Top = 50
    Width = 150
    Height = 80
    Color = 15329769
    Lines.Strings = (
      'first'
      'second')
    ReadOnly = True
    ScrollBars = ssVertical
  end
  object CheckBox1: TCheckBox
    Left = 170
    Top = 8
    Caption = 'Giga'
    State = cbChecked
  end
  object RadioButton1: TRadioButton
    Left = 170
    Top = 30
    Caption = 'One'
    Checked = True
  end
  object RadioButton2: TRadioButton
    Left = 170
    Top = 50
    Caption = 'Two'
  end
  object Button1: TButton
    Left = 170
    Top = 80
    Caption = 'OK'
    Default = True
    ModalResult = 1
  end
  object ComboBox1: TComboBox
    Left = 170
    Top = 110
    Style = csDropDownList
    Items.Strings = (
      'x'
      'y')
    ItemIndex = 1
  end
end
)";
    ReadComponentFromText(text, form);
    auto* label = dynamic_cast<TLabel*>(form->FindComponent("Label1"));
    auto* edit = dynamic_cast<TEdit*>(form->FindComponent("Edit1"));
    auto* memo = dynamic_cast<TMemo*>(form->FindComponent("Memo1"));
    auto* check = dynamic_cast<TCheckBox*>(form->FindComponent("CheckBox1"));
    auto* radio = dynamic_cast<TRadioButton*>(form->FindComponent("RadioButton1"));
    auto* button = dynamic_cast<TButton*>(form->FindComponent("Button1"));
    auto* combo = dynamic_cast<TComboBox*>(form->FindComponent("ComboBox1"));
    ASSERT_TRUE(label && edit && memo && check && radio && button && combo);
    EXPECT_EQ(label->Caption(), "&Bytes");
    EXPECT_EQ(label->FocusControl(), edit);
    EXPECT_EQ(edit->Text(), "512");
    EXPECT_EQ(edit->MaxLength(), 12);
    EXPECT_EQ(edit->PasswordChar(), '*');
    EXPECT_FALSE(edit->Modified());
    EXPECT_EQ(memo->Text(), "first\r\nsecond\r\n");
    EXPECT_TRUE(memo->ReadOnly());
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    EXPECT_EQ(memo->Color(), 15329769);
    EXPECT_TRUE(check->Checked());
    EXPECT_TRUE(radio->Checked());
    EXPECT_TRUE(button->Default());
    EXPECT_EQ(button->ModalResult(), mrOk);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "y");
    EXPECT_EQ(Testing::PeerText(edit), "512");
    EXPECT_EQ(Testing::PeerProperty(memo, "readOnly"), "true");
}

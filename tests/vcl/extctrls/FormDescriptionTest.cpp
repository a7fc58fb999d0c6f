#include "ExtCtrlsFixture.h"

using FormDescriptionTest = ExtCtrlsTest;

TEST_F(FormDescriptionTest, PanelsBevelsStatusBarSpinButtonTimerAndMenuLoad) {
    const char* text = R"(object Form1: TForm
  Width = 400
  Height = 300
  object PanelDiskInfo: TPanel
    Left = 8
    Top = 8
    Width = 200
    Height = 100
    Alignment = taLeftJustify
    BevelInner = bvLowered
    BevelOuter = bvRaised
    BevelWidth = 2
    BorderWidth = 1
    BorderStyle = bsSingle
    Caption = 'Disk Info'
    Color = 13495295
    PopupMenu = PopupMenu1
    object Bevel1: TBevel
      Left = 8
      Top = 58
      Width = 150
      Height = 8
      Shape = bsBottomLine
      Style = bsRaised
    end
    object SpinButton__edit1: TSpinButton
      Left = 160
      Top = 10
      Width = 17
      Height = 20
      Enabled = False
    end
  end
  object StatusBar1: TStatusBar
    Cursor = crHandPoint
    Panels = <
      item
        Text = 'first'
        Width = 120
      end
      item
        Alignment = taCenter
        Bevel = pbRaised
        Style = psOwnerDraw
        Width = 50
      end>
    SimplePanel = True
    SimpleText = 'halcyra.example'
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 250
  end
  object PopupMenu1: TPopupMenu
    Alignment = paRight
    object Copy1: TMenuItem
      Caption = '&Copy'
      ShortCut = 16451
      object Deeper1: TMenuItem
        Caption = 'Deeper'
        RadioItem = True
        Checked = True
      end
    end
    object N1: TMenuItem
      Caption = '-'
    end
  end
end
)";
    ReadComponentFromText(text, form);
    auto* panel = dynamic_cast<TPanel*>(form->FindComponent("PanelDiskInfo"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Alignment(), taLeftJustify);
    EXPECT_EQ(panel->BevelInner(), bvLowered);
    EXPECT_EQ(panel->BevelWidth(), 2);
    EXPECT_EQ(panel->BorderStyle(), bsSingle);
    EXPECT_EQ(panel->Caption(), "Disk Info");
    EXPECT_EQ(panel->Color(), 0xCDEBFF);
    auto* bevel = dynamic_cast<TBevel*>(form->FindComponent("Bevel1"));
    ASSERT_NE(bevel, nullptr);
    EXPECT_EQ(bevel->Parent(), panel);
    EXPECT_EQ(bevel->Shape(), bsBottomLine);
    EXPECT_EQ(bevel->Style(), bsRaised);
    auto* spin = dynamic_cast<TSpinButton*>(form->FindComponent("SpinButton__edit1"));
    ASSERT_NE(spin, nullptr);
    EXPECT_FALSE(spin->Enabled());
    auto* bar = dynamic_cast<TStatusBar*>(form->FindComponent("StatusBar1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Cursor(), crHandPoint);
    ASSERT_EQ(bar->Panels()->Count(), 2);
    EXPECT_EQ(bar->Panels()->Items(0)->Text(), "first");
    EXPECT_EQ(bar->Panels()->Items(0)->Width(), 120);
    EXPECT_EQ(bar->Panels()->Items(1)->Bevel(), pbRaised);
    EXPECT_EQ(bar->Panels()->Items(1)->Style(), psOwnerDraw);
    EXPECT_EQ(bar->Panels()->Items(1)->Alignment(), taCenter);
    EXPECT_TRUE(bar->SimplePanel());
    EXPECT_EQ(bar->SimpleText(), "halcyra.example");
    auto* timer = dynamic_cast<TTimer*>(form->FindComponent("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 250u);
    auto* menu = dynamic_cast<TPopupMenu*>(form->FindComponent("PopupMenu1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(panel->PopupMenu(), menu);
    EXPECT_EQ(menu->Alignment(), paRight);
    ASSERT_EQ(menu->Items()->Count(), 2);
    TMenuItem* copy = menu->Items()->Items(0);
    EXPECT_EQ(copy->Name(), "Copy1");
    EXPECT_EQ(copy->ShortCut(), scCtrl | 'C');
    ASSERT_EQ(copy->Count(), 1);
    EXPECT_TRUE(copy->Items(0)->Checked());
    EXPECT_TRUE(menu->Items()->Items(1)->IsLine());
}

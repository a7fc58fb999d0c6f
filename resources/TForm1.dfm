object Form1: TForm1
  Left = 0
  Top = 0
  Width = 766
  Height = 673
  Caption = 'halcyra.example Halcyra calculator'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poDesigned
  OnCreate = InitStart
  OnResize = ResizeMe
  PixelsPerInch = 96
  TextHeight = 13
  object PanelDiskInfo: TPanel
    Left = 8
    Top = 8
    Width = 360
    Height = 240
    Caption = 'Disk Info'
    TabOrder = 0
    object RadioButton3: TRadioButton
      Left = 12
      Top = 12
      Width = 156
      Height = 17
      Caption = 'Disk Size (GB)'
      Checked = True
      TabOrder = 0
      OnClick = EnableMe
    end
    object Edit4: TEdit
      Left = 168
      Top = 10
      Width = 150
      Height = 21
      TabOrder = 1
      Text = '30'
      OnChange = calculatefromgb
    end
    object SpinButton__edit4: TSpinButton
      Left = 318
      Top = 11
      Width = 17
      Height = 20
    end
    object CheckBox1: TCheckBox
      Left = 168
      Top = 36
      Width = 170
      Height = 17
      Hint = 'If you don''t check this box then 1 gigabyte equals 1000*1000*1000'
      Caption = 'Giga = 1024*1024*1024'
      ParentShowHint = False
      ShowHint = True
      TabOrder = 2
      OnClick = calculatefromgb
    end
    object Bevel1: TBevel
      Left = 8
      Top = 58
      Width = 344
      Height = 8
      Shape = bsBottomLine
    end
    object RadioButton2: TRadioButton
      Left = 12
      Top = 74
      Width = 156
      Height = 17
      Caption = 'Disk Size (bytes)'
      TabOrder = 3
      OnClick = EnableMe
    end
    object Edit3: TEdit
      Left = 168
      Top = 72
      Width = 150
      Height = 21
      TabOrder = 4
      Text = '0'
      OnChange = calculatefrombytes
    end
    object SpinButton__edit3: TSpinButton
      Left = 318
      Top = 73
      Width = 17
      Height = 20
    end
    object Bevel2: TBevel
      Left = 8
      Top = 98
      Width = 344
      Height = 8
      Shape = bsBottomLine
    end
    object RadioButton1: TRadioButton
      Left = 12
      Top = 112
      Width = 156
      Height = 21
      Caption = 'Sectors'
      TabOrder = 5
      OnClick = EnableMe
    end
    object Edit1: TEdit
      Left = 168
      Top = 112
      Width = 150
      Height = 21
      TabOrder = 6
      Text = '0'
      OnChange = calculatefromsectors
    end
    object SpinButton__edit1: TSpinButton
      Left = 318
      Top = 113
      Width = 17
      Height = 20
      Enabled = False
    end
    object Label2: TLabel
      Left = 30
      Top = 142
      Width = 120
      Height = 13
      Caption = 'Bytes per Sector'
    end
    object Edit2: TEdit
      Left = 168
      Top = 138
      Width = 150
      Height = 21
      TabOrder = 7
      Text = '512'
      OnChange = calculatefromsectors
    end
    object SpinButton__edit2: TSpinButton
      Left = 318
      Top = 139
      Width = 17
      Height = 20
    end
    object Bevel4: TBevel
      Left = 8
      Top = 164
      Width = 344
      Height = 8
      Shape = bsBottomLine
    end
    object RadioButton8: TRadioButton
      Left = 12
      Top = 180
      Width = 156
      Height = 17
      Caption = 'Clusters'
      TabOrder = 8
      OnClick = EnableMe
    end
    object Edit5: TEdit
      Left = 168
      Top = 178
      Width = 150
      Height = 21
      TabOrder = 9
      Text = '0'
      OnChange = calculatefromclusters
    end
    object SpinButton__edit5: TSpinButton
      Left = 318
      Top = 179
      Width = 17
      Height = 20
    end
    object Label1: TLabel
      Left = 30
      Top = 208
      Width = 120
      Height = 13
      Caption = 'Bytes per Cluster'
    end
    object Edit6: TEdit
      Left = 168
      Top = 204
      Width = 150
      Height = 21
      TabOrder = 10
      Text = '4096'
      OnChange = calculatefromclusters
    end
    object SpinButton__edit6: TSpinButton
      Left = 318
      Top = 205
      Width = 17
      Height = 20
    end
  end
  object PanelFaulty: TPanel
    Left = 8
    Top = 256
    Width = 360
    Height = 360
    Caption = 'Positions on hard disk'
    TabOrder = 1
    object RadioButton6: TRadioButton
      Left = 12
      Top = 10
      Width = 336
      Height = 20
      Caption = 'Numbers below are bytes'
      Checked = True
      TabOrder = 0
      OnClick = EnableMe
    end
    object RadioButton7: TRadioButton
      Left = 12
      Top = 30
      Width = 336
      Height = 20
      Caption = 'Numbers below are sectors'
      TabOrder = 1
      OnClick = EnableMe
    end
    object RadioButton11: TRadioButton
      Left = 12
      Top = 50
      Width = 336
      Height = 20
      Caption = 'Numbers below are clusters'
      TabOrder = 2
      OnClick = EnableMe
    end
    object RadioButton12: TRadioButton
      Left = 12
      Top = 70
      Width = 336
      Height = 20
      Caption = 'Numbers below are %'
      TabOrder = 3
      OnClick = EnableMe
    end
    object Memo1: TMemo
      Left = 8
      Top = 96
      Width = 344
      Height = 256
      Hint = 'Paste one or more faulty positions here. Each line should contain an integer number'
      ParentShowHint = False
      ScrollBars = ssBoth
      ShowHint = True
      TabOrder = 4
      WordWrap = False
      OnChange = calculate
    end
  end
  object MainPanel: TPanel
    Left = 376
    Top = 8
    Width = 374
    Height = 608
    Caption = ' '
    TabOrder = 2
    object PanelDisplayOptions: TPanel
      Left = 1
      Top = 1
      Width = 372
      Height = 118
      Align = alTop
      Caption = 'Display Options'
      TabOrder = 0
      object RadioButton4: TRadioButton
        Left = 12
        Top = 8
        Width = 340
        Height = 20
        Caption = 'Show as %'
        Checked = True
        TabOrder = 0
        OnClick = calculate
      end
      object RadioButton5: TRadioButton
        Left = 12
        Top = 28
        Width = 340
        Height = 20
        Caption = 'Show as sector'
        TabOrder = 1
        OnClick = calculate
      end
      object RadioButton9: TRadioButton
        Left = 12
        Top = 48
        Width = 340
        Height = 20
        Caption = 'Show as cluster'
        TabOrder = 2
        OnClick = calculate
      end
      object RadioButton10: TRadioButton
        Left = 12
        Top = 68
        Width = 340
        Height = 20
        Caption = 'Show as byte'
        TabOrder = 3
        OnClick = calculate
      end
      object CheckBox2: TCheckBox
        Left = 12
        Top = 90
        Width = 340
        Height = 20
        Caption = 'Split numbers'
        TabOrder = 4
        OnClick = calculate
      end
    end
    object Panel1: TPanel
      Left = 1
      Top = 119
      Width = 372
      Height = 488
      Align = alClient
      Caption = ' '
      Constraints.MinHeight = 80
      TabOrder = 1
      object Memo2: TMemo
        Left = 1
        Top = 1
        Width = 370
        Height = 486
        Color = 15329769
        ReadOnly = True
        ScrollBars = ssBoth
        TabOrder = 0
        WordWrap = False
      end
    end
  end
  object Bevel3: TBevel
    Left = 0
    Top = 625
    Width = 758
    Height = 2
    Align = alBottom
    Shape = bsBottomLine
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 627
    Width = 758
    Height = 19
    Cursor = crHandPoint
    Panels = <>
    SimplePanel = True
    SimpleText = 'halcyra.example'
    OnClick = StatusBar1Click
  end
end

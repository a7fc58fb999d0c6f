object GaugeWindow: TGaugeWindow
  Left = 0
  Top = 0
  Width = 456
  Height = 120
  BorderStyle = bsSizeToolWin
  Caption = 'Working...'
  Color = clSilver
  Constraints.MaxHeight = 120
  Constraints.MinHeight = 120
  Constraints.MinWidth = 124
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnClose = Closeme
  OnCreate = SetSizes
  OnResize = SetSizes
  PixelsPerInch = 96
  TextHeight = 13
  object GPanel2: TGPanel
    Left = 0
    Top = 0
    Width = 448
    Height = 74
    Align = alClient
    BevelOuter = bvNone
    TabOrder = 0
    Color_1 = clSilver
    Color_3 = clSilver
    Horizontal = False
    Percent = 60
    object Label1: TLabel
      Left = 8
      Top = 6
      Width = 432
      Height = 13
      AutoSize = False
      Transparent = True
    end
    object FileLabel2: TLabel
      Left = 8
      Top = 54
      Width = 432
      Height = 14
      AutoSize = False
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWindowText
      Font.Height = -11
      Font.Name = 'Courier New'
      Font.Style = []
      ParentFont = False
      Transparent = True
    end
    object GradProgress1: TPanel
      Left = 8
      Top = 24
      Width = 432
      Height = 25
      BevelOuter = bvNone
      BorderStyle = bsSingle
      Color = clWhite
      TabOrder = 0
      object Panel1: TPanel
        Left = 0
        Top = 0
        Width = 0
        Height = 21
        BevelOuter = bvNone
        BorderStyle = bsSingle
        Color = clWhite
        TabOrder = 0
        object GPanel1: TGPanel
          Left = 0
          Top = 0
          Width = 0
          Height = 19
          BevelOuter = bvNone
          TabOrder = 0
          object Label2: TLabel
            Left = 4
            Top = 3
            Width = 15
            Height = 13
            Alignment = taCenter
            Caption = '0%'
            Font.Charset = DEFAULT_CHARSET
            Font.Color = clBlack
            Font.Height = -11
            Font.Name = 'MS Sans Serif'
            Font.Style = []
            ParentFont = False
            Transparent = True
          end
        end
      end
    end
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 74
    Width = 448
    Height = 19
    Panels = <
      item
        Width = 50
      end
      item
        Width = 80
      end
      item
        Width = 50
      end>
  end
end

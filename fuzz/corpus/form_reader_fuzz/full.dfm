object Form1: TFuzzForm
  Caption = 'It''s '#$41'B'#233 +
    ' more'
  Ratio = -1.5E2
  Option = foTwo
  Options = [foOne, foTwo]
  Lines.Strings = (
    'one'
    'two')
  Items = <
    item
      Width = 50
    end
    item
      Width = $10
    end>
  object Control1: TFuzzControl
    Enabled = False
    Buddy = Control2
    OnClick = Clicked
    object Inner: TFuzzControl
      Tag = -7
    end
  end
  inherited Control2: TFuzzControl
    Options = []
  end
end

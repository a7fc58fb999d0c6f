object ProEditForm: TForm
  Left = 0
  Top = 0
  Width = 420
  Height = 420
  Caption = 'Typed edits'
  object StringEdit: TProEdit
    Left = 8
    Top = 8
    Width = 160
    Height = 21
    TabOrder = 0
    Text = 'text'
  end
  object NumericEdit: TProEdit
    Left = 8
    Top = 38
    Width = 160
    Height = 21
    EditType = etNumeric
    Signed = True
    Suffix = ' kg'
    TabOrder = 1
    Text = '12'
  end
  object FloatEdit: TProEdit
    Left = 8
    Top = 68
    Width = 160
    Height = 21
    EditType = etFloat
    Precision = 2
    FocusColor = clAqua
    TabOrder = 2
    Text = '1.5'
  end
  object UpperEdit: TProEdit
    Left = 8
    Top = 98
    Width = 160
    Height = 21
    EditType = etUppercase
    TabOrder = 3
  end
  object MixedEdit: TProEdit
    Left = 8
    Top = 128
    Width = 160
    Height = 21
    EditType = etMixedCase
    TabOrder = 4
  end
  object LowerEdit: TProEdit
    Left = 8
    Top = 158
    Width = 160
    Height = 21
    EditType = etLowerCase
    TabOrder = 5
  end
  object PasswordEdit: TProEdit
    Left = 8
    Top = 188
    Width = 160
    Height = 21
    EditType = etPassword
    TabOrder = 6
  end
  object MoneyEdit: TProEdit
    Left = 208
    Top = 8
    Width = 160
    Height = 21
    EditType = etMoney
    Precision = 2
    Prefix = '$ '
    TabOrder = 7
  end
  object RangeEdit: TProEdit
    Left = 208
    Top = 38
    Width = 160
    Height = 21
    EditType = etRange
    TabOrder = 8
  end
  object HexEdit: TProEdit
    Left = 208
    Top = 68
    Width = 160
    Height = 21
    EditType = etHex
    TabOrder = 9
    Text = 'ff'
  end
  object AlphaEdit: TProEdit
    Left = 208
    Top = 98
    Width = 160
    Height = 21
    EditType = etAlphaNumeric
    LengthLimit = 4
    ShowModified = True
    ModifiedColor = clPurple
    TabOrder = 10
  end
end

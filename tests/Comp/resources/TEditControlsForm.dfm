object EditControlsForm: TForm
  Left = 0
  Top = 0
  Width = 760
  Height = 640
  Caption = 'Edit controls'
  object Edit0: TProEdit
    Left = 140
    Top = 40
    Width = 150
    Height = 21
    LabelPosition = lpLeftTop
    LabelCaption = 'Label 0'
    Text = 'value 0'
    Persistence.Enable = True
    Persistence.Key = 'edits.ini'
    Persistence.Section = 'Form'
  end
  object Edit1: TProEdit
    Left = 500
    Top = 40
    Width = 150
    Height = 21
    LabelPosition = lpLeftCenter
    LabelCaption = 'Label 1'
    Flat = True
    Text = 'value 1'
    Persistence.Enable = True
    Persistence.Key = 'edits.ini'
    Persistence.Section = 'Form'
  end
  object Edit2: TProEdit
    Left = 140
    Top = 140
    Width = 150
    Height = 21
    LabelPosition = lpLeftBottom
    LabelCaption = 'Label 2'
    Flat = True
    SoftBorder = True
    Text = 'value 2'
    Persistence.Enable = True
    Persistence.Key = 'edits.ini'
    Persistence.Section = 'Form'
  end
  object Edit3: TProEdit
    Left = 500
    Top = 140
    Width = 150
    Height = 21
    LabelPosition = lpTopLeft
    LabelCaption = 'Label 3'
    FocusBorder = True
    Text = 'value 3'
    Persistence.Enable = True
    Persistence.Key = 'edits.ini'
    Persistence.Section = 'Form'
  end
  object Edit4: TProEdit
    Left = 140
    Top = 240
    Width = 150
    Height = 21
    LabelPosition = lpBottomLeft
    LabelCaption = 'Label 4'
    EmptyText = 'empty'
    Text = 'value 4'
    Persistence.Enable = True
    Persistence.Key = 'edits.ini'
    Persistence.Section = 'Form'
  end
  object Edit5: TProEdit
    Left = 500
    Top = 240
    Width = 150
    Height = 21
    LabelPosition = lpLeftTopLeft
    LabelCaption = 'Label 5'
    ErrorMarkerPos = 1
    ErrorMarkerLen = 2
    Text = 'value 5'
    Persistence.Enable = True
    Persistence.Key = 'edits.ini'
    Persistence.Section = 'Form'
  end
  object Edit6: TProEdit
    Left = 140
    Top = 340
    Width = 150
    Height = 21
    LabelPosition = lpLeftCenterLeft
    LabelCaption = 'Label 6'
    Transparent = True
    Text = 'value 6'
    Persistence.Enable = True
    Persistence.Key = 'edits.ini'
    Persistence.Section = 'Form'
  end
  object Edit7: TProEdit
    Left = 500
    Top = 340
    Width = 150
    Height = 21
    LabelPosition = lpLeftBottomLeft
    LabelCaption = 'Label 7'
    ShowURL = True
    Text = 'value 7'
    Persistence.Enable = True
    Persistence.Key = 'edits.ini'
    Persistence.Section = 'Form'
  end
  object Edit8: TProEdit
    Left = 140
    Top = 440
    Width = 150
    Height = 21
    LabelPosition = lpTopCenter
    LabelCaption = 'Label 8'
    Flat = True
    FlatLineColor = clRed
    Text = 'value 8'
    Persistence.Enable = True
    Persistence.Key = 'edits.ini'
    Persistence.Section = 'Form'
  end
  object Edit9: TProEdit
    Left = 500
    Top = 440
    Width = 150
    Height = 21
    LabelPosition = lpBottomCenter
    LabelCaption = 'Label 9'
    Text = 'value 9'
    Persistence.Enable = True
    Persistence.Key = 'edits.ini'
    Persistence.Section = 'Form'
  end
  object ButtonEdit: TProEditBtn
    Left = 140
    Top = 540
    Width = 150
    Height = 21
    ButtonHint = 'Pick'
    Text = 'button value'
    Persistence.Enable = True
    Persistence.Key = 'Software\Halcyra\Edits'
    Persistence.Section = 'Form'
    Persistence.Location = plRegistry
  end
  object FolderEdit: TProDirectoryEdit
    Left = 500
    Top = 540
    Width = 200
    Height = 21
    BrowseDialogText = 'Pick a folder'
    Text = '/tmp'
    Persistence.Enable = True
    Persistence.Key = 'Software\Halcyra\Edits'
    Persistence.Section = 'Form'
    Persistence.Location = plRegistry
  end
end

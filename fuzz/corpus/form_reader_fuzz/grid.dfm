inherited Form1: TFuzzForm
  object Grid1: RAdeRedeviDidi
    Left = 8
    Top = 8
    Width = 300
    Height = 200
    ColCount = 4
    RowCount = 12
    FixedRows = 2
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing, goAlwaysShowEditor]
    ColWidths = (
      30
      120
      80
      64)
    Look = glClassic
    IntegralHeight = True
    ColumnSize.Save = True
    ColumnSize.Stretch = True
    ColumnSize.StretchColumn = 2
    Navigation.AlwaysEdit = True
    SortSettings.Row = 1
    Bands.PrimaryLength = 3
    FloatingFooter.Visible = True
    FloatingFooter.FooterStyle = fsFixedLastRow
    DragDropSettings.OleDropTarget = True
    FixedFont.Name = 'Arial'
    ColumnHeaders.Strings = (
      'Id'
      'Name')
    Filter = <
      item
        Column = 1
        Condition = '>2'
      end>
  end
end

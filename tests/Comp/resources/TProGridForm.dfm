object ProGridForm: TForm
  Left = 0
  Top = 0
  Width = 500
  Height = 400
  Caption = 'Grid'
  object Grid1: RAdeRedeviDidi
    Left = 8
    Top = 8
    Width = 400
    Height = 300
    ColCount = 4
    RowCount = 30
    FixedCols = 1
    FixedRows = 2
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing, goAlwaysShowEditor]
    ColWidths = (
      30
      120
      80
      64)
    Look = glClassic
    ActiveCellColor = clRed
    FloatFormat = '%.3f'
    ColumnSize.Save = True
    ColumnSize.Key = 'grid.ini'
    ColumnSize.StretchColumn = 2
    Navigation.AdvanceOnEnter = True
    SortSettings.Show = True
    Bands.PrimaryLength = 3
    FloatingFooter.FooterStyle = fsColumnPreview
    FixedFont.Name = 'Arial'
    ColumnHeaders.Strings = (
      'Id'
      'Name')
    CellChecker = Checker1
  end
  object Checker1: RAdeRedeviDidiCheck
    AutoCorrect = True
  end
end

object Form1: TFuzzForm
  Lines.Strings = (
    'a' + 'b'
    #13#10
    12
    1.5
    { 0A FF }
    [x, y]
    < item Width = 1 end >)
  object Control1: TFuzzControl
    Items = <
      item
        Width = 2147483647
      end>
  end
end

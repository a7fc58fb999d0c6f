inherited Form1: TFuzzForm
  Tag = 1
end
